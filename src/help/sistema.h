#pragma once
// The process's one help system ("Application.HelpSystem"), created on first
// use with the toolkit's WinHelp viewer already registered, as the toolkit
// registers it before any other viewer.
//
// On Windows the compiled-help viewer registers itself with it at program
// load, over the HTML Help control, so whatever window the program shows
// reaches the control through SistemaAyuda().HelpCommand. Elsewhere the
// window registers its own backend (see the Qt window's main).

#include <string>

#include "help/gestor.h"
#include "help/quen_html_help.h"
#include "help/winhelp.h"

namespace brisolt {

GestorAyuda& SistemaAyuda();
VisorWinHelp& WinHelpViewer();

// The compiled-help viewer registered for the whole program, made again over
// `cargar` (the one before it is let go first); for tests, and for the load
// on Windows. QuitarAyudaDelPrograma lets it go.
void RegistrarAyudaDelPrograma(const CargadorHtmlHelp& cargar);
void QuitarAyudaDelPrograma();

// What both windows ask of help, over their window `id`: the help button
// shows the contents of the application's help file `archivo`; F1 the topic
// of a help context.
void AyudaContenido(VentanaId id, const std::string& archivo);
void AyudaContexto(VentanaId id, int contexto);

}  // namespace brisolt
