// Until the two check dialogs exist on Windows, the import goes on without
// showing them: the tables stay as they are.

#include "shell/win32/control_rejillas.h"

namespace brisolt::win32 {

void MostrarControlProfesores(HWND, Tabla&) {}
void MostrarControlPlantilla(HWND, Tabla&) {}

}  // namespace brisolt::win32
