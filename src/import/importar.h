#pragma once
// The import command: identity check, hour template and the solution import
// that rewrites the school's horprof.dbf and horgrup.dbf.

#include "comandos/estado.h"
#include "comandos/interfaz.h"

namespace brisolt {

void BImportarClick(Estado& estado, Interfaz& interfaz);

}  // namespace brisolt
