// brisolt-cli importar [--gc DIR] [--centro CODE] [--dni ABREV=NUMBER]...
// [--hora N=INICIO-FIN]...: the import button without a window. The two check
// dialogs are answered from the options, as a person would type into them.

#include <iostream>
#include <string>
#include <vector>

#include "cli/comandos.h"
#include "cli/consola.h"
#include "comandos/estado.h"
#include "comandos/staging.h"
#include "import/importar.h"
#include "import/rejilla.h"
#include "shell/arranque.h"
#include "tables/carpetas.h"
#include "tables/conversion.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt::cli {
namespace {

constexpr const char* kUso =
    "importar [--gc CARPETA] [--centro CODIGO] [--dni ABREV=NUMERO]... [--hora N=INICIO-FIN]...";

std::pair<std::string, std::string> Partir(const std::string& texto, char separador,
                                           const std::string& opcion) {
    auto pos = texto.find(separador);
    if (pos == std::string::npos)
        throw Error("Valor inválido para " + opcion + ": '" + texto + "'");
    return {texto.substr(0, pos), texto.substr(pos + 1)};
}

// Types each DNI into the first row with that abbreviation still at 0.
void RellenarDnis(Tabla& proft, const std::vector<std::string>& dnis) {
    for (const std::string& opcion : dnis) {
        auto [abrev, numero] = Partir(opcion, '=', "--dni");
        bool hecho = false;
        for (proft.First(); !proft.Eof() && !hecho; proft.Next()) {
            if (proft.FieldByName("ABREV").AsString() != abrev ||
                proft.FieldByName("DNI").AsInteger() != 0)
                continue;
            EntrarRejilla(proft);
            proft.FieldByName("DNI").SetText(numero);
            SalirRejilla(proft);
            hecho = true;
        }
        if (!hecho) std::cerr << "Ningún profesor " << abrev << " sin D.N.I.\n";
    }
}

// Types the start and end time of each hour given; an empty side clears it.
void CorregirHoras(Tabla& plantilla, const std::vector<std::string>& horas) {
    for (const std::string& opcion : horas) {
        auto [numero, tramo] = Partir(opcion, '=', "--hora");
        auto [inicio, fin] = Partir(tramo, '-', "--hora");
        const int32_t hora = TextoAEntero(numero);
        bool hecho = false;
        for (plantilla.First(); !plantilla.Eof() && !hecho; plantilla.Next()) {
            if (plantilla.FieldByName("HORA").AsInteger() != hora) continue;
            EntrarRejilla(plantilla);
            plantilla.FieldByName("HORAINI").SetText(inicio);
            plantilla.FieldByName("HORAFIN").SetText(fin);
            SalirRejilla(plantilla);
            hecho = true;
        }
        if (!hecho) std::cerr << "La plantilla no tiene la hora " << numero << '\n';
    }
}

int Importar(const std::vector<std::string>& args) {
    Argumentos a = Argumentos::Leer(args, {"--gc", "--centro", "--dni", "--hora"}, {});
    if (!a.posicionales.empty()) throw Error(std::string("Uso: brisolt-cli ") + kUso);

    Estado estado;
    estado.carpetaGC = a.Tiene("--gc") ? a.Valor("--gc") : RutaNativa(kCarpetaGC);
    CopiarTablasGC(estado);
    estado.CBCentro = a.Tiene("--centro") ? a.Valor("--centro") : PrimerCentro(estado);

    InterfazConsola interfaz;
    const std::vector<std::string> dnis = a.Valores("--dni");
    const std::vector<std::string> horas = a.Valores("--hora");
    interfaz.alControlProfesores = [&](Tabla& proft) { RellenarDnis(proft, dnis); };
    interfaz.alControlPlantilla = [&](Tabla& plantilla) { CorregirHoras(plantilla, horas); };

    BImportarClick(estado, interfaz);
    return interfaz.ultimoMensaje == "Proceso finalizado" ? 0 : 1;
}

}  // namespace

const Orden kOrdenImportar{"importar", kUso, Importar};

}  // namespace brisolt::cli
