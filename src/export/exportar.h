#pragma once
// The export command: the warning, the hour-glass, the seven steps in order,
// "Proceso finalizado", the buttons and the close in embedded mode.

#include "comandos/estado.h"
#include "comandos/interfaz.h"

namespace brisolt {

void BExportarClick(Estado& estado, Interfaz& interfaz);

}  // namespace brisolt
