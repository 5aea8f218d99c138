// brisolt-generador [DIR]: writes SOLUC.DBF from the exchange tables in DIR,
// by default the exchange folder on drive C:.

#include <cstdio>
#include <string>

#include "generador.h"
#include "tables/carpetas.h"
#include "tables/error.h"

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "uso: brisolt-generador [DIR]\n");
        return 2;
    }
    try {
        std::string carpeta =
            argc == 2 ? std::string(argv[1]) : brisolt::RutaNativa(brisolt::kCarpetaIntercambio);
        brisolt::GenerarSolucion(carpeta);
    } catch (const brisolt::Error& e) {
        std::fprintf(stderr, "brisolt-generador: %s\n", e.what());
        return 1;
    }
    return 0;
}
