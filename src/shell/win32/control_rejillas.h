#pragma once
// The import's two check dialogs on Windows: modal over the window that
// opens them, each a grid with its record navigator over the table object
// the import hands in.

#include <windows.h>

namespace brisolt {
class Tabla;
}

namespace brisolt::win32 {

// Lets the user type the DNIs the teachers lack.
void MostrarControlProfesores(HWND propietario, Tabla& t);
// Lets the user check and correct the centre's hour template.
void MostrarControlPlantilla(HWND propietario, Tabla& t);

}  // namespace brisolt::win32
