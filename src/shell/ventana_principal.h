#pragma once
// The main window TExportarDatos as plain data: its size and caption, the
// three gradient panels and where they go in each call mode, and every
// control with its panel, kind, place, text, colour, style, help context and
// place in the tab order. The Qt window and the Win32 window build their
// controls from this one table.

#include <span>
#include <string>
#include <string_view>

#include "shell/controles.h"

namespace brisolt::principal {

inline constexpr const char* kAplicacion = "Brisolt";  // the caption of every message box
inline constexpr const char* kNombreVentana = "ExportarDatos";
inline constexpr const char* kTitulo = "Exportar e importar datos ";  // the final blank is its own
inline constexpr int kAncho = 599;                                    // client area
inline constexpr int kAlto = 267;
inline constexpr int kContextoVentana = 1;
inline constexpr const char* kArchivoAyuda = "GESCEN.chm";

inline constexpr controles::Color kRojo = controles::Rgb(255, 0, 0);
inline constexpr controles::Color kAzul = controles::Rgb(0, 0, 255);

// The glyph a button shows beside its caption.
enum class Icono {
    Ninguno,
    Cerrar,  // the close kind ("&Salir")
    Visto,   // the OK kind: a tick beside "Aceptar"
};

struct Panel {
    const char* nombre;
    controles::Color arriba, abajo;  // the gradient, top to bottom
    int contextoAyuda;               // 0: the window's
};

struct Control {
    const char* nombre;
    controles::Tipo tipo;
    const char* panel;
    // Inside the panel. A label with width 0 sizes itself to its text.
    controles::Rect sitio;
    // UTF-8; null where the program fills it (the folder field, the lists,
    // the product label, the step of a running command).
    const char* texto;
    controles::Color color;  // of the text
    unsigned estilo;         // controles::Estilo bits
    int contextoAyuda;       // 0: the container's
    int tabulacion;          // place in the tab order from 1; 0: none
    Icono icono = Icono::Ninguno;
    bool porDefecto = false;     // a default button (Enter: see tecla_intro.h)
    bool soloEnComando = false;  // shown only while a command runs
};

// The folder panel, the export panel and the import panel, in that order.
std::span<const Panel> Paneles();
// Every control, panel by panel.
std::span<const Control> Controles();
const Control* BuscarControl(std::string_view nombre);
const Panel* BuscarPanel(std::string_view nombre);

// Where a panel goes given which upper panels show: the folder panel along the
// bottom, full width; with both upper panels the import panel at the right,
// the export panel left of it; an upper panel shown alone fills the area
// above the folder panel.
controles::Rect GeometriaPanel(std::string_view panel, bool exportar, bool importar);

// The language box: its items and its initial text.
inline constexpr const char* kIdiomas[] = {"VALENCIÁ", "CASTELLANO"};
inline constexpr const char* kIdiomaInicial = "VALENCIÁ";

// The text of Label7: name, version and maker.
std::string TextoProducto();

}  // namespace brisolt::principal
