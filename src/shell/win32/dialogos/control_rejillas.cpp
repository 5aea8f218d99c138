#include "shell/win32/control_rejillas.h"

#include "shell/dialogos.h"
#include "shell/win32/dialogos/dialogo_rejilla.h"

namespace brisolt::win32 {

void MostrarControlProfesores(HWND propietario, Tabla& t) {
    DialogoRejilla dialogo(dialogos::ControlProfesores(), t, propietario);
    dialogo.Modal();
}

void MostrarControlPlantilla(HWND propietario, Tabla& t) {
    DialogoRejilla dialogo(dialogos::ControlPlantilla(), t, propietario);
    dialogo.Modal();
}

}  // namespace brisolt::win32
