#pragma once
// The built brisolt-cli, run as a user runs it: shell words in, exit status,
// standard output and standard error out.

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace brisolt::prueba {

struct Salida {
    int estado = -1;
    std::string salida, errores;
};

// `argumentos` are shell words after the program's name; `carpeta` holds the
// two captured streams; `entorno` ("NAME='value' ...") goes in front.
inline Salida EjecutarCli(const std::string& argumentos, const std::string& carpeta,
                          const std::string& entorno = {}) {
    const std::string salida = carpeta + "/salida.txt", errores = carpeta + "/errores.txt";
    const std::string orden = entorno + " '" BRISOLT_BINARY_DIR "/bin/brisolt-cli' " + argumentos +
                              " >'" + salida + "' 2>'" + errores + "'";
    auto leer = [](const std::string& ruta) {
        std::ifstream f(ruta, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    };
    Salida s;
    const int r = std::system(orden.c_str());
    s.estado = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
    s.salida = leer(salida);
    s.errores = leer(errores);
    return s;
}

}  // namespace brisolt::prueba
