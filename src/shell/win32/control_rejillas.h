#pragma once
// The import's two modal check dialogs on Windows, each over its open table
// object; they return when the dialog has closed.

#include <windows.h>

namespace brisolt {
class Tabla;
}

namespace brisolt::win32 {

void MostrarControlProfesores(HWND propietario, Tabla& t);
void MostrarControlPlantilla(HWND propietario, Tabla& t);

}  // namespace brisolt::win32
