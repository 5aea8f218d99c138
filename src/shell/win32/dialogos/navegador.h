#pragma once
// The grid's ten-button record navigator: first, back 10, prior, next,
// forward 10, last, edit, post, cancel, refresh, each with its hint. Its
// buttons never take the focus, which stays with the grid.

#include <windows.h>

#include <array>

#include "shell/dialogos.h"
#include "shell/win32/dialogos/gdi.h"

namespace brisolt::win32 {

class Rejilla;

class Navegador {
  public:
    Navegador(HWND padre, int id, const dialogos::Dialogo& d, Rejilla& rejilla);
    ~Navegador();
    Navegador(const Navegador&) = delete;
    Navegador& operator=(const Navegador&) = delete;

    HWND Ventana() const { return ventana_; }
    HWND Boton(int i) const { return botones_[static_cast<std::size_t>(i)]; }
    // The tooltip control that shows the buttons' hints.
    HWND Pistas() const { return pistas_; }
    // Enables the buttons that make sense where the cursor is.
    void Actualizar();
    // What button `i` does.
    void Pulsar(int i);

  private:
    static LRESULT CALLBACK Proc(HWND v, UINT m, WPARAM w, LPARAM l);
    static LRESULT CALLBACK ProcBoton(HWND v, UINT m, WPARAM w, LPARAM l);
    void IrA(int fila);

    Rejilla& rejilla_;
    HWND ventana_ = nullptr;
    HWND pistas_ = nullptr;
    std::array<HWND, dialogos::kBotonesNavegador> botones_{};
};

}  // namespace brisolt::win32
