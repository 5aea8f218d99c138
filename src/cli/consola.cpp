#include "cli/consola.h"

#include <iostream>

namespace brisolt::cli {

void InterfazConsola::Informar(const std::string& texto) {
    ultimoMensaje = texto;
    std::cout << texto << '\n' << std::flush;
}

void InterfazConsola::Paso(const std::string& texto, int, int) {
    std::cout << texto << '\n' << std::flush;
}

void InterfazConsola::ControlProfesores(Tabla& wwTableProft) {
    if (alControlProfesores) alControlProfesores(wwTableProft);
}

void InterfazConsola::ControlPlantilla(Tabla& wwTablePlantilla) {
    if (alControlPlantilla) alControlPlantilla(wwTablePlantilla);
}

}  // namespace brisolt::cli
