#pragma once
// The two kinds of message box the program shows: the system's box with the
// application's title and a single button that reads "Aceptar" whatever the
// language of Windows. Both are modal and return once the user has answered.

#include <windows.h>

#include <functional>
#include <string>

namespace brisolt::win32 {

// Stop icon, one button; the message gets a full stop when it ends in a
// character that sorts after ".".
void CajaError(HWND propietario, const std::string& mensaje);

// The information messages of the commands: no icon, one "Aceptar".
void CajaInformacion(HWND propietario, const std::string& texto);

// Called with each box once it has made its controls and renamed its button,
// before it shows: tests read it and answer it from here.
// Returns the observer it replaces.
using ObservadorCajas = std::function<void(HWND caja)>;
ObservadorCajas FijarObservadorCajas(ObservadorCajas observador);

}  // namespace brisolt::win32
