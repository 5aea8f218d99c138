// brisolt-cli exportar [--gc DIR] [--idioma TEXT]: the export button without a
// window, after staging the school's tables from DIR as a change of folder does.

#include <string>
#include <vector>

#include "cli/comandos.h"
#include "cli/consola.h"
#include "comandos/estado.h"
#include "comandos/staging.h"
#include "export/exportar.h"
#include "tables/carpetas.h"
#include "tables/error.h"

namespace brisolt::cli {
namespace {

constexpr const char* kUso = "exportar [--gc CARPETA] [--idioma TEXTO]";

int Exportar(const std::vector<std::string>& args) {
    Argumentos a = Argumentos::Leer(args, {"--gc", "--idioma"}, {});
    if (!a.posicionales.empty()) throw Error(std::string("Uso: brisolt-cli ") + kUso);

    Estado estado;
    estado.carpetaGC = a.Tiene("--gc") ? a.Valor("--gc") : RutaNativa(kCarpetaGC);
    estado.ComboBoxValCast = a.Valor("--idioma", "VALENCIÁ");
    CopiarTablasGC(estado);

    InterfazConsola interfaz;
    BExportarClick(estado, interfaz);
    return 0;
}

}  // namespace

const Orden kOrdenExportar{"exportar", kUso, Exportar};

}  // namespace brisolt::cli
