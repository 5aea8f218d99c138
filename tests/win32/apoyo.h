#pragma once
// What the Win32 window tests share: a drive C: of their own with the sample
// school, the message boxes read and answered as a person would, and the
// window's queue run dry.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/win32/cajas.h"
#include "shell/win32/exportar_datos.h"
#include "sistema_prueba.h"

namespace brisolt::prueba {

// BRISOLT_DRIVE_C points at a fresh folder while the object lives, with
// ZTEMP\VALENCIA and, when asked, the sample school in GC; the working folder
// (which the window changes) and the variable come back after.
class UnidadVentana {
  public:
    explicit UnidadVentana(bool escuela = true);
    ~UnidadVentana();
    UnidadVentana(const UnidadVentana&) = delete;
    UnidadVentana& operator=(const UnidadVentana&) = delete;

    std::string operator/(const std::string& nombre) const { return carpeta_ / nombre; }
    const std::string& Raiz() const { return carpeta_.Ruta(); }

  private:
    CarpetaTemporal carpeta_{"brisolt-ventana-"};
    std::string cwd_;
    std::optional<std::string> anterior_;
};

struct Caja {
    std::string titulo, texto;
    std::vector<std::string> botones;
    bool pare = false;  // the stop icon
};

// Every box the window shows is read and answered with its first button.
class Contestador {
  public:
    Contestador();
    ~Contestador();
    Contestador(const Contestador&) = delete;
    Contestador& operator=(const Contestador&) = delete;

    std::vector<Caja> cajas;
    std::vector<std::string> Textos() const;

  private:
    win32::ObservadorCajas anterior_;
};

// Dispatches what is queued, through the window's own reading of keys.
void Bombear(win32::TExportarDatos& ventana);
// Posts a key to the control with the focus and lets the window act on it.
void Tecla(win32::TExportarDatos& ventana, WPARAM tecla);

std::string Texto(HWND ventana);

}  // namespace brisolt::prueba
