#pragma once
// The built brisolt-cli, run as a user runs it: its words after the program's
// name in, exit status, standard output and standard error out.

#include <string>
#include <utility>
#include <vector>

#include "sistema_prueba.h"

namespace brisolt::prueba {

// `entorno` adds to, or replaces, the variables the tests run with.
inline Resultado EjecutarCli(const std::vector<std::string>& argumentos,
                             const std::vector<std::pair<std::string, std::string>>& entorno = {}) {
    std::vector<std::string> orden = {ProgramaConstruido("brisolt-cli")};
    orden.insert(orden.end(), argumentos.begin(), argumentos.end());
    return EjecutarPrograma(orden, entorno);
}

}  // namespace brisolt::prueba
