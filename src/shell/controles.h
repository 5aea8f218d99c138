#pragma once
// The windows described once, as plain data: which controls there are, where
// they sit, what they say and in which colour. The Qt window and the Win32
// window are both built from these tables, so the two cannot drift apart.
// No toolkit here.

#include <cstdint>

namespace brisolt::controles {

// What a control is; each front end picks its own widget for each kind.
enum class Tipo {
    Panel,          // gradient-filled panel (TDraw3D)
    Etiqueta,       // static text
    Edicion,        // one-line edit field
    ListaCarpetas,  // folder list: the current folder, its parents, its subfolders
    ListaUnidades,  // drive list
    Combo,          // drop-down list, not editable
    ComboEditable,  // drop-down list whose text can be typed
    Boton,          // push button
    Progreso,       // progress bar
    Rejilla,        // data grid over a table
    Navegador,      // the grid's ten-button record navigator
};

struct Rect {
    int x = 0, y = 0, ancho = 0, alto = 0;
};

// A colour as red, green, blue; `definido` false: the toolkit's own.
struct Color {
    uint8_t r = 0, g = 0, b = 0;
    bool definido = false;
};
constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return {r, g, b, true};
}

// Text style bits.
enum Estilo : unsigned {
    kNormal = 0,
    kNegrita = 1,  // bold
    kAjustar = 2,  // wraps at the control's width
};

}  // namespace brisolt::controles
