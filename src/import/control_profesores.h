#pragma once
// The teacher identity check: every row of C:\ZTEMP\PROFT.DBF must carry a
// DNI before the solution is written under those numbers.

#include "comandos/estado.h"
#include "comandos/interfaz.h"
#include "import/guarda_cursor.h"

namespace brisolt {

class Tabla;

// The text shown when a DNI is still missing after the dialog.
extern const char* const kMensajeSinDni;

// Whether the teacher on the table's current row lacks a DNI: DNI read as a
// whole number is 0, an empty one included.
bool SinDni(Tabla& profesores);

// Scans PROFT.DBF; when a DNI is missing, lets the person fill it in through
// interfaz.ControlProfesores (once) and scans again. Returns true with the
// teacher table object open in estado.tablaProfesores when every row has a
// DNI; false after the message and the close of the window when one is still
// missing.
bool ControlarProfesores(Estado& estado, Interfaz& interfaz, GuardaCursor& cursor);

}  // namespace brisolt
