// ASIGT.DBF: one row per distinct subject, teacher and group of the groups'
// timetable, with the subject's hours and its session pattern.
//
// A timetable has many rows per assignment, so walking the catalogue, the
// teachers and the rows built so far for each of them would grow with their
// product. The catalogue and the groups are found with Locate, whose
// first-match lookup the engine serves from a map; the teachers and the rows
// written keep maps of their own that give the answer a walk from the first
// row would give: the first match in stored order, compared on the values as
// the engine returns them.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>

#include "export/intercambio.h"
#include "export/pasos.h"
#include "export/texto.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

struct Asignatura {
    std::string cod;
    double horas = 1.0;
    int sesiones = 1;
};

// Nearest whole number, a value exactly halfway going to the even neighbour;
// only the range SESIONES can show matters, so the result is clamped to it.
int SesionesDeHoras(double horas) {
    if (!(horas > 0)) return 0;  // also NaN
    if (horas >= intercambio::kAnchoSesiones + 1) return intercambio::kAnchoSesiones;
    double entero = std::floor(horas);
    const double resto = horas - entero;
    if (resto > 0.5 || (resto == 0.5 && std::fmod(entero, 2.0) != 0)) entero += 1;
    return std::min(static_cast<int>(entero), intercambio::kAnchoSesiones);
}

// The first catalogue row, in stored order, whose CODVALEN is the code.
std::optional<Asignatura> BuscarAsignatura(Tabla& asigval, const std::string& codvalen) {
    if (!asigval.Locate("CODVALEN", codvalen)) return std::nullopt;
    const double horas = asigval.FieldByName("NHORAS").AsFloat();
    return Asignatura{asigval.FieldByName("COD").AsString(), horas, SesionesDeHoras(horas)};
}

// By DNI read as a whole number, a blank one reading 0: a Locate on the field
// would take a blank for no number at all.
class Profesores {
  public:
    explicit Profesores(Tabla& proft) : proft_(proft) {}

    std::string Abrev(int32_t dni) {
        if (!mapa_) {
            mapa_.emplace();
            for (proft_.First(); !proft_.Eof(); proft_.Next())
                mapa_->try_emplace(proft_.FieldByName("DNI").AsInteger(),
                                   proft_.FieldByName("ABREV").AsString());
        }
        auto it = mapa_->find(dni);
        return it == mapa_->end() ? std::string() : it->second;
    }

  private:
    Tabla& proft_;
    std::optional<std::unordered_map<int32_t, std::string>> mapa_;
};

void AbrirIntercambio(Tabla& tabla, const intercambio::Definicion& definicion) {
    tabla.SetDatabaseName(kCarpetaIntercambio);
    tabla.SetTableName(definicion.archivo);
    tabla.Open();
}

}  // namespace

void ExportarAsignaciones(Estado& estado) {
    Tabla asigt;
    intercambio::Crear(asigt, intercambio::Asigt());

    Tabla asigval, proft, grupost;
    AbrirIntercambio(asigval, intercambio::Asigvalt());
    AbrirIntercambio(proft, intercambio::Proft());
    grupost.SetDatabaseName("");
    grupost.SetTableName(UnirRuta(kCarpetaIntercambio, intercambio::Grupost().archivo));
    grupost.Open();

    Profesores profesores(proft);
    // Keys of the rows written, as read back from the table: a value cut to its
    // field then never equals the uncut working value, as in a walk over ASIGT.
    std::set<std::tuple<std::string, std::string, std::string>> escritas;

    Tabla& horgrup = estado.wwTableHorGrup;
    horgrup.Open();
    for (horgrup.First(); !horgrup.Eof(); horgrup.Next()) {
        const std::string codgrup = horgrup.FieldByName("Codgrup").AsString();
        if (!grupost.Locate("ABREV", codgrup)) continue;

        const PartesCodigo partes = PartirCodigo(codgrup);
        const std::string cgrup = Recortar(codgrup);
        const std::string codasig = Recortar(horgrup.FieldByName("Codasig").AsString());

        Asignatura asignatura;
        if (auto encontrada = BuscarAsignatura(asigval, codasig)) asignatura = *encontrada;

        const std::string cprof = profesores.Abrev(horgrup.FieldByName("Dni").AsInteger());

        if (escritas.count({asignatura.cod, cprof, cgrup})) continue;

        asigt.Append();
        asigt.FieldByName("CASIG").SetAsString(asignatura.cod);
        asigt.FieldByName("CPROF").SetAsString(cprof);
        asigt.FieldByName("CAULA").SetAsString("");
        asigt.FieldByName("CGRUP").SetAsString(cgrup);
        asigt.FieldByName("TURNO").SetAsString("");
        asigt.FieldByName("NIVEL").SetAsString(partes.nivel);
        asigt.FieldByName("CURSO").SetAsString(partes.curso);
        asigt.FieldByName("GRUPO").SetAsString(partes.letra);
        asigt.FieldByName("HORAS").SetAsFloat(asignatura.horas);
        asigt.FieldByName("SESIONES")
            .SetAsString(std::string(static_cast<size_t>(std::max(asignatura.sesiones, 0)), '1'));
        asigt.FieldByName("CTAREA").SetAsString("*12");
        asigt.Post();
        escritas.emplace(asigt.FieldByName("CASIG").AsString(),
                         asigt.FieldByName("CPROF").AsString(),
                         asigt.FieldByName("CGRUP").AsString());
    }

    horgrup.Close();
    asigt.Close();
    asigval.Close();
    proft.Close();
    grupost.Close();
}

}  // namespace brisolt
