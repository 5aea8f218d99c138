#pragma once
// What the two check dialogs do with their grid's table: the row goes into
// edit as soon as the grid has the focus, and is written when it loses it.
// The Qt dialogs and the console answers both go through these.

namespace brisolt {

class Tabla;

// The grid receives the focus: Edit, unless a row is already being edited.
void EntrarRejilla(Tabla& tabla);
// The grid loses the focus: Post the row being edited, if any.
void SalirRejilla(Tabla& tabla);

}  // namespace brisolt
