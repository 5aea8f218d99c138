#pragma once
// brisolt-cli subcommands. Each lives in its own file; main.cpp lists them.

#include <string>
#include <vector>

namespace brisolt::cli {

using FuncionComando = int (*)(const std::vector<std::string>& argumentos);

struct Orden {
    const char* nombre;
    const char* uso;  // the line the usage text shows
    FuncionComando funcion;
};

extern const Orden kOrdenDemo;
extern const Orden kOrdenExportar;
extern const Orden kOrdenImportar;
extern const Orden kOrdenRestaurar;
extern const Orden kOrdenVolcar;

// Value of "--opcion VALOR" pairs and flags, for the subcommands' own parsing.
struct Argumentos {
    std::vector<std::string> posicionales;
    std::vector<std::pair<std::string, std::string>> opciones;  // in order, repeats kept
    // Parses `args`; `conValor` lists the options that take a value.
    // Throws brisolt::Error with a Spanish message on an unknown option.
    static Argumentos Leer(const std::vector<std::string>& args,
                           const std::vector<std::string>& conValor,
                           const std::vector<std::string>& sinValor);
    bool Tiene(const std::string& opcion) const;
    std::string Valor(const std::string& opcion, const std::string& porDefecto = {}) const;
    std::vector<std::string> Valores(const std::string& opcion) const;
};

}  // namespace brisolt::cli
