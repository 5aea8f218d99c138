#pragma once
// The staging copy of the school-management tables into C:\ZTEMP\VALENCIA.

#include "comandos/estado.h"

namespace brisolt {

// Copies the eleven staged files, in order, from estado.carpetaGC, closing
// each file's table object first.
void CopiarTablasGC(Estado& estado);

}  // namespace brisolt
