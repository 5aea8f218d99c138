#pragma once
// The import's two check dialogs described once, as plain data: their names,
// captions, sizes and places, the labels with their texts and colours, the
// grid with its columns, the record navigator with its ten buttons, and
// "Salir". The Qt dialogs and the Win32 dialogs are both built from these,
// so the two cannot drift apart. No toolkit here.

#include <array>
#include <vector>

#include "shell/controles.h"
#include "shell/rejilla_tabla.h"

namespace brisolt::dialogos {

using controles::Color;
using controles::Rect;
using controles::Rgb;

// The gradient panel that fills each dialog: the desktop colour only as a
// band along the top edge (the titles below it, in the hot-track blue, need
// the light part behind them), then the light blue, down to aqua.
constexpr Color kEscritorio = Rgb(58, 110, 165);
constexpr int kFinBandaEscritorio = 8;  // pixels from the top
constexpr Color kPanelClaro = Rgb(240, 251, 255);
constexpr Color kAguamarina = Rgb(0, 255, 255);

// The grid: rows alternate two colours; titles, bold on their own colour,
// take two lines. A cell still to fill has dark red bold text, readable on
// both row colours, on a pale red that shows even when the cell is empty.
constexpr Color kFilaClara = Rgb(240, 251, 255);
constexpr Color kFilaOscura = Rgb(207, 217, 254);
constexpr Color kFondoTitulos = Rgb(254, 228, 169);
constexpr int kLineasTitulo = 2;
constexpr Color kTextoPendiente = Rgb(192, 0, 0);
constexpr Color kFondoPendiente = Rgb(255, 205, 205);

// The labels' colours: the hot-track blue of the standard scheme, red, navy,
// and the warm background of the notes' title.
constexpr Color kResalte = Rgb(0, 102, 204);
constexpr Color kRojo = Rgb(255, 0, 0);
constexpr Color kAzulMarino = Rgb(0, 0, 128);
constexpr Color kFondoAviso = Rgb(240, 202, 166);

enum class Alineacion { Izquierda, Centro };

struct Etiqueta {
    const char* nombre;
    Rect sitio;  // inside the panel
    const char* texto;
    Color color;            // of the text
    Color fondo;            // not `definido`: the panel shows through
    unsigned estilo;        // controles::Estilo bits
    bool subrayada;         // underlined
    Alineacion alineacion;  // the text's, at the top of the label
    int pixeles;            // font size; 0 is the window's
};

// The record navigator, left to right.
struct BotonNavegador {
    const char* nombre;
    const char* glifo;  // what the button shows, as text
    const char* pista;  // its hint
};
enum : int {
    kPrimero,
    kAtras10,
    kAnterior,
    kSiguiente,
    kAdelante10,
    kUltimo,
    kEditar,
    kGrabar,
    kCancelar,
    kRefrescar,
    kBotonesNavegador
};
// How far the two page buttons move.
constexpr int kFilasPagina = 10;
extern const std::array<BotonNavegador, kBotonesNavegador> kNavegador;

struct Dialogo {
    const char* nombre;  // the form's name
    const char* titulo;  // caption
    int ancho, alto;     // client area
    int x, y;            // place on the screen
    const char* panel;   // the gradient panel that fills the dialog and holds the rest
    std::vector<Etiqueta> etiquetas;
    const char* nombreRejilla;
    Rect rejilla;
    std::vector<ColumnaRejilla> columnas;
    const char* nombreNavegador;
    Rect navegador;
    const char* nombreSalir;  // a close-kind button with the close glyph
    Rect salir;
    const char* textoSalir;
    unsigned estiloSalir;
};

// TControlProfesores: the DNIs the teachers lack.
const Dialogo& ControlProfesores();
// TControlPlantilla: the centre's hour template.
const Dialogo& ControlPlantilla();

}  // namespace brisolt::dialogos
