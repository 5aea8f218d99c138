// brisolt-cli restaurar [--lista | AAAAMMDD-HHMMSS] [--gc DIR]: the automatic
// copies of the school's timetables that every import leaves in
// C:\ZTEMP\COPIAS. Without a name the newest goes back; the timetables there
// now are copied first, so a restore can itself be undone.

#include <iostream>
#include <string>
#include <vector>

#include "cli/comandos.h"
#include "import/copias.h"
#include "import/devolver.h"
#include "tables/carpetas.h"
#include "tables/error.h"

namespace brisolt::cli {
namespace {

constexpr const char* kUso = "restaurar [--lista | AAAAMMDD-HHMMSS] [--gc CARPETA]";

std::string Filas(int64_t n) {
    return n < 0 ? std::string("-") : std::to_string(n);
}

int Restaurar(const std::vector<std::string>& args) {
    Argumentos a = Argumentos::Leer(args, {"--gc"}, {"--lista"});
    if (a.posicionales.size() > 1 || (a.Tiene("--lista") && !a.posicionales.empty()))
        throw Error(std::string("Uso: brisolt-cli ") + kUso);
    const std::vector<Copia> copias = ListarCopias();
    if (a.Tiene("--lista")) {
        if (copias.empty())
            std::cout << "No hay copias en " << RutaVisible(RutaNativa(kCarpetaCopias)) << "\n";
        for (const Copia& c : copias)
            std::cout << c.nombre << "  " << c.fecha
                      << "  horprof.dbf: " << Filas(c.filasProfesores)
                      << " filas  horgrup.dbf: " << Filas(c.filasGrupos) << " filas\n";
        return 0;
    }
    if (copias.empty()) throw Error("No hay copias en " + RutaVisible(RutaNativa(kCarpetaCopias)));
    const std::string nombre = a.posicionales.empty() ? copias.back().nombre : a.posicionales[0];
    const std::string carpetaGC = a.Tiene("--gc") ? a.Valor("--gc") : RutaNativa(kCarpetaGC);
    ReponerCopia(carpetaGC, nombre);
    std::cout << "Se han repuesto los horarios de la copia " << nombre << " en "
              << RutaVisible(carpetaGC) << "\n";
    return 0;
}

}  // namespace

const Orden kOrdenRestaurar{"restaurar", kUso, Restaurar};

}  // namespace brisolt::cli
