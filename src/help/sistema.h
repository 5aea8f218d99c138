#pragma once
// The process's one help system ("Application.HelpSystem"), created on first
// use with the toolkit's WinHelp viewer already registered, as the toolkit
// registers it before any other viewer.

#include "help/gestor.h"
#include "help/winhelp.h"

namespace brisolt {

GestorAyuda& SistemaAyuda();
VisorWinHelp& WinHelpViewer();

}  // namespace brisolt
