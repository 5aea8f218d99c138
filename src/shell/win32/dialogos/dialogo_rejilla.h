#pragma once
// One of the import's check dialogs on Windows, built from its shared
// layout: a gradient panel filling the client area with the labels, the
// grid, the navigator and "Salir". The object is the dialog: created hidden
// and modeless; Modal() shows it over its owner and returns once it closed.

#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "shell/dialogos.h"
#include "shell/win32/dialogos/gdi.h"
#include "shell/win32/dialogos/navegador.h"
#include "shell/win32/dialogos/rejilla.h"

namespace brisolt::win32 {

class DialogoRejilla {
  public:
    DialogoRejilla(const dialogos::Dialogo& d, Tabla& tabla, HWND propietario);
    ~DialogoRejilla();
    DialogoRejilla(const DialogoRejilla&) = delete;
    DialogoRejilla& operator=(const DialogoRejilla&) = delete;

    HWND Ventana() const { return ventana_; }
    HWND Panel() const { return panel_; }
    HWND BotonSalir() const { return salir_; }
    Rejilla& RejillaDatos() { return *rejilla_; }
    Navegador& NavegadorDatos() { return *navegador_; }

    // Shows it and puts the focus on the grid, without waiting.
    void Mostrar();
    // Shows it with its owner disabled and handles messages until it closes.
    void Modal();
    // "Salir" and the close box end here: the grid is left first, and a
    // refused cell keeps the dialog open.
    bool Cerrar();
    bool Cerrado() const { return cerrado_; }

  private:
    static LRESULT CALLBACK Proc(HWND v, UINT m, WPARAM w, LPARAM l);
    LRESULT Dialogo(UINT m, WPARAM w, LPARAM l);
    LRESULT Panel(UINT m, WPARAM w, LPARAM l);
    void CrearFondo();
    void PintarSalir(const DRAWITEMSTRUCT& di);

    const dialogos::Dialogo& d_;
    HWND propietario_;
    HWND ventana_ = nullptr;
    HWND panel_ = nullptr;
    HWND salir_ = nullptr;
    std::vector<HWND> etiquetas_;
    std::vector<Fuente> fuentes_;  // one per label
    std::vector<Pincel> fondos_;   // one per label: its colour, or the panel's gradient
    Fuente negrita_;
    ObjetoGdi<HBITMAP> degradado_;  // the panel's background
    Pincel pincelDegradado_;
    std::unique_ptr<Rejilla> rejilla_;
    std::unique_ptr<Navegador> navegador_;
    std::deque<std::string> rechazos_;  // messages waiting for their box
    HWND foco_ = nullptr;               // where the focus goes back on activation
    bool cerrado_ = false;
    bool modal_ = false;
};

}  // namespace brisolt::win32
