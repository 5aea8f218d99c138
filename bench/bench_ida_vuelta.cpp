// The export and the import on the sample school at growing scales (by
// default 1, 4 and 16): the time of each command and the time per record it
// wrote, so that growth with the data shows. Not a test.
//
//   bench_ida_vuelta [escala ...]

#include <cstdlib>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ida_vuelta.h"
#include "sistema/sistema.h"
#include "tables/carpetas.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace {

namespace fs = std::filesystem;

long long Registros(const std::string& carpeta, const std::vector<const char*>& tablas) {
    long long n = 0;
    for (const char* nombre : tablas) {
        brisolt::Tabla t;
        t.SetTableName(brisolt::UnirRuta(carpeta, nombre));
        t.SetReadOnly(true);
        t.Open();
        n += t.RecordCount();
    }
    return n;
}

void Linea(const char* comando, int escala, double segundos, long long registros) {
    std::printf("%-9s escala %3d %9.3f s %9lld registros %9.2f µs/registro\n", comando, escala,
                segundos, registros, registros > 0 ? segundos * 1e6 / registros : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> escalas;
    for (int i = 1; i < argc; ++i) escalas.push_back(std::atoi(argv[i]));
    if (escalas.empty()) escalas = {1, 4, 16};

    for (int escala : escalas) {
        std::string unidad;
        if (brisolt::SO().CarpetaTemporal("brisolt-bench-", &unidad) != 0) return 1;
        brisolt::SO().FijarEntorno("BRISOLT_DRIVE_C", unidad);
        try {
            const brisolt::IdaVuelta r = brisolt::RecorrerIdaVuelta(1, escala, {}, {});
            if (!r.completa) {
                std::fprintf(stderr, "escala %d: la ida y vuelta no terminó\n", escala);
                return 1;
            }
            const std::string zona = brisolt::RutaNativa(brisolt::kCarpetaIntercambio);
            const std::string gc = brisolt::RutaNativa(brisolt::kCarpetaGC);
            Linea("Exportar", escala, r.exportar,
                  Registros(zona, {"ASIGVALT.DBF", "ASIGNOMT.DBF", "PROFT.DBF", "AULAT.DBF",
                                   "ALUMNOST.DBF", "ASIGCURT.DBF", "GRUPOST.DBF", "CURSOST.DBF",
                                   "ASIGT.DBF"}));
            Linea("Importar", escala, r.importar, Registros(gc, {"horprof.dbf", "horgrup.dbf"}));
        } catch (const brisolt::Error& e) {
            std::fprintf(stderr, "escala %d: %s\n", escala, e.what());
            return 1;
        }
        fs::remove_all(unidad);
    }
    return 0;
}
