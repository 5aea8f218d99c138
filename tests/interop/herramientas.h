#pragma once
// Running the independent readers and writers: a command's output, whether a
// tool is there, a scratch folder per test.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "sistema_prueba.h"

namespace brisolt::interop {

struct Salida {
    std::string texto;
    int estado = -1;
};

// Runs `orden` through the shell, standard error folded into the output.
inline Salida Ejecutar(const std::string& orden) {
    Salida s;
    FILE* p = popen((orden + " 2>&1").c_str(), "r");
    if (!p) return s;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) s.texto.append(buf, n);
    const int r = pclose(p);
    s.estado = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
    return s;
}

inline bool HayPrograma(const std::string& ruta) {
    return std::filesystem::exists(ruta);
}

inline bool HayModuloPython(const std::string& modulo) {
    return HayPrograma("/usr/bin/python3") &&
           Ejecutar("/usr/bin/python3 -c 'import " + modulo + "'").estado == 0;
}

// A script file in `dir`, run by /usr/bin/python3 with `argumentos`.
inline Salida Python(const std::filesystem::path& dir, const std::string& script,
                     const std::string& argumentos = {}) {
    const auto ruta = dir / "script.py";
    std::ofstream(ruta) << script;
    return Ejecutar("/usr/bin/python3 '" + ruta.string() + "' " + argumentos);
}

// A scratch folder, removed with everything in it.
using prueba::CarpetaTemporal;

}  // namespace brisolt::interop
