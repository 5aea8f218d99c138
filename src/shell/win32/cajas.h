#pragma once
// The two kinds of message box the program shows on Windows. Both are modal
// over `padre` (or stand alone when it is null or hidden), carry the title
// "Brisolt" and one "Aceptar" button whatever the language of Windows, and
// return once the user has answered.

#include <windows.h>

#include <string>

namespace brisolt::win32 {

// The information messages of the commands: no icon.
void CajaInformacion(HWND padre, const std::string& texto);

// Stop icon; the message gets a full stop when it ends in a character that
// sorts after ".".
void CajaError(HWND padre, const std::string& mensaje);

}  // namespace brisolt::win32
