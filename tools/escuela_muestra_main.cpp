// brisolt-escuela DIR [--semilla N] [--escala N]: writes the sample school.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "escuela_muestra.h"
#include "tables/error.h"

namespace {

int Uso() {
    std::fprintf(stderr, "uso: brisolt-escuela DIR [--semilla N] [--escala N]\n");
    return 2;
}

bool Numero(const char* texto, unsigned long maximo, unsigned long* valor) {
    char* fin = nullptr;
    errno = 0;
    unsigned long v = std::strtoul(texto, &fin, 10);
    if (errno || fin == texto || *fin || v > maximo || texto[0] == '-') return false;
    *valor = v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string carpeta;
    unsigned long semilla = 1, escala = 1;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--semilla") && i + 1 < argc) {
            if (!Numero(argv[++i], 0xFFFFFFFFul, &semilla)) return Uso();
        } else if (!std::strcmp(argv[i], "--escala") && i + 1 < argc) {
            if (!Numero(argv[++i], 1000, &escala) || escala < 1) return Uso();
        } else if (argv[i][0] != '-' && carpeta.empty()) {
            carpeta = argv[i];
        } else {
            return Uso();
        }
    }
    if (carpeta.empty()) return Uso();
    try {
        brisolt::ConstruirEscuelaMuestra(carpeta, static_cast<uint32_t>(semilla),
                                         static_cast<int>(escala));
    } catch (const brisolt::Error& e) {
        std::fprintf(stderr, "brisolt-escuela: %s\n", e.what());
        return 1;
    }
    return 0;
}
