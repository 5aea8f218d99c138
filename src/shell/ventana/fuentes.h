#pragma once
// The fonts of the main window and the two check dialogs. Their layout is
// given in pixels, so the face and the size are chosen for it: a narrow face
// at 11 pixels reads whole in every label, and its accented capitals
// ("ATENCIÓN", "VALENCIÁ") keep the whole accent inside the line.

#include <QFont>

namespace brisolt::ventana {

// Every text of the windows; bold, underline and larger titles derive from it.
QFont FuenteVentana();

// The language box: 93 pixels wide with its arrow, so one pixel smaller,
// which is what "CASTELLANO" needs to show whole.
QFont FuenteIdioma();

}  // namespace brisolt::ventana
