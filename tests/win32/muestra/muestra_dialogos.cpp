// Shows one of the check dialogs over a few sample rows, to look at it:
//   muestra-dialogos profesores|plantilla [seconds]
// It stays until closed, or for the seconds given.

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "shell/dialogos.h"
#include "shell/win32/dialogos/dialogo_rejilla.h"
#include "sistema_prueba.h"
#include "tablas_rejilla.h"
#include "tables/tabla.h"

using namespace brisolt;

namespace {

void Profesores(const std::string& carpeta) {
    prueba::EscribirProft(carpeta,
                          {
                              {"ANA", "ROS MARTÍ, ANA", "VALENCIÀ", 22334455},
                              {"JOS", "PÉREZ GARCÍA, JOSÉ", "MATEMÀTIQUES", 0},
                              {"LUZ", "GIL SANCHIS, LUZ", "HISTÒRIA", 33445566},
                              {"PAU", "SOLER FERRER, PAU", "FÍSICA", 0},
                              {"MAR", "NAVARRO LLORENS, MARÍA", "ANGLÉS", 44556677},
                              {"TON", "BELDA CASTELLÓ, ANTONI", "EDUCACIÓ FÍSICA", 55667788},
                          });
}

void Plantilla(const std::string& carpeta) {
    prueba::EscribirPlantilla(carpeta, 7, false);
}

}  // namespace

int main(int argc, char** argv) {
    const bool profesores = argc > 1 && std::strcmp(argv[1], "profesores") == 0;
    if (argc < 2 || (!profesores && std::strcmp(argv[1], "plantilla") != 0)) {
        std::cerr << "uso: muestra-dialogos profesores|plantilla [segundos]\n";
        return 2;
    }
    prueba::CarpetaTemporal carpeta("brisolt-muestra-");
    if (profesores)
        Profesores(carpeta.Ruta());
    else
        Plantilla(carpeta.Ruta());
    Tabla tabla;
    tabla.SetTableName(carpeta / (profesores ? "PROFT.DBF" : "PLANTILLA.DBF"));
    tabla.Open();
    {
        win32::DialogoRejilla d(
            profesores ? dialogos::ControlProfesores() : dialogos::ControlPlantilla(), tabla,
            nullptr);
        if (argc > 2) ::SetTimer(d.Ventana(), 1, 1000u * std::atoi(argv[2]), nullptr);
        d.Mostrar();
        MSG m;
        while (!d.Cerrado() && ::GetMessageW(&m, nullptr, 0, 0) > 0) {
            if (m.message == WM_TIMER && m.hwnd == d.Ventana()) break;
            if (!::IsDialogMessageW(d.Ventana(), &m)) {
                ::TranslateMessage(&m);
                ::DispatchMessageW(&m);
            }
        }
    }
    tabla.Close();
    return 0;
}
