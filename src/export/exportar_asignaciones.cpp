// ASIGT.DBF: one row per distinct subject, teacher and group of the groups'
// timetable, with the subject's hours and its session pattern.
//
// A timetable has many rows per assignment, so walking the catalogue, the
// teachers and the rows built so far for each of them grows with their
// product. The lookups are served from maps instead, built once on first use
// from the same tables, each keeping the answer a walk from the first row
// would give: the first match in stored order, compared on the values as the
// engine returns them.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "export/pasos.h"
#include "export/texto.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

constexpr int kAnchoSesiones = 20;

struct Asignatura {
    std::string cod;
    double horas = 1.0;
    int sesiones = 1;
};

// Nearest whole number, a value exactly halfway going to the even neighbour;
// only the range SESIONES can show matters, so the result is clamped to it.
int SesionesDeHoras(double horas) {
    if (!(horas > 0)) return 0;  // also NaN
    if (horas >= kAnchoSesiones + 1) return kAnchoSesiones;
    double entero = std::floor(horas);
    const double resto = horas - entero;
    if (resto > 0.5 || (resto == 0.5 && std::fmod(entero, 2.0) != 0)) entero += 1;
    return std::min(static_cast<int>(entero), kAnchoSesiones);
}

class Catalogo {
  public:
    explicit Catalogo(Tabla& asigval) : asigval_(asigval) {}

    std::optional<Asignatura> Buscar(const std::string& codvalen) {
        if (!mapa_) Construir();
        auto it = mapa_->find(codvalen);
        if (it == mapa_->end()) return std::nullopt;
        return it->second;
    }

  private:
    void Construir() {
        mapa_.emplace();
        for (asigval_.First(); !asigval_.Eof(); asigval_.Next()) {
            const std::string clave = asigval_.FieldByName("CODVALEN").AsString();
            if (mapa_->count(clave)) continue;
            const double horas = asigval_.FieldByName("NHORAS").AsFloat();
            mapa_->emplace(clave, Asignatura{asigval_.FieldByName("COD").AsString(), horas,
                                             SesionesDeHoras(horas)});
        }
    }

    Tabla& asigval_;
    std::optional<std::unordered_map<std::string, Asignatura>> mapa_;
};

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

class Grupos {
  public:
    explicit Grupos(Tabla& grupost) : grupost_(grupost) {}

    bool Existe(const std::string& abrev) {
        if (!abrevs_) {
            abrevs_.emplace();
            for (grupost_.First(); !grupost_.Eof(); grupost_.Next())
                abrevs_->insert(grupost_.FieldByName("ABREV").AsString());
        }
        return abrevs_->count(abrev) != 0;
    }

  private:
    Tabla& grupost_;
    std::optional<std::unordered_set<std::string>> abrevs_;
};

void AbrirIntercambio(Tabla& tabla, const char* archivo) {
    tabla.SetDatabaseName(kCarpetaIntercambio);
    tabla.SetTableName(archivo);
    tabla.Open();
}

}  // namespace

void ExportarAsignaciones(Estado& estado) {
    BorrarArchivoTabla(RutaNativa("C:\\ZTEMP\\ASIGT.DBF"));
    BorrarArchivoTabla(RutaNativa("C:\\ZTEMP\\ASIGT.MDX"));
    Tabla asigt;
    asigt.SetDatabaseName(kCarpetaIntercambio);
    asigt.SetTableName("ASIGT.DBF");
    asigt.FieldDefs() = {
        {"CASIG", TipoCampo::Cadena, 10}, {"CPROF", TipoCampo::Cadena, 10},
        {"CGRUP", TipoCampo::Cadena, 10}, {"CAULA", TipoCampo::Cadena, 10},
        {"TURNO", TipoCampo::Cadena, 1},  {"NIVEL", TipoCampo::Cadena, 5},
        {"CURSO", TipoCampo::Cadena, 3},  {"GRUPO", TipoCampo::Cadena, 2},
        {"HORAS", TipoCampo::Flotante},   {"SESIONES", TipoCampo::Cadena, kAnchoSesiones},
        {"NCONEX", TipoCampo::Cadena, 4}, {"CTAREA", TipoCampo::Cadena, 10},
    };
    asigt.CreateTable();
    asigt.Open();

    Tabla asigval, proft, grupost;
    AbrirIntercambio(asigval, "ASIGVALT.DBF");
    AbrirIntercambio(proft, "PROFT.DBF");
    grupost.SetDatabaseName("");
    grupost.SetTableName("C:\\ZTEMP\\GRUPOST.DBF");
    grupost.Open();

    Catalogo catalogo(asigval);
    Profesores profesores(proft);
    Grupos grupos(grupost);
    // Keys of the rows written, as read back from the table: a value cut to its
    // field then never equals the uncut working value, as in a walk over ASIGT.
    std::set<std::tuple<std::string, std::string, std::string>> escritas;

    Tabla& horgrup = estado.wwTableHorGrup;
    horgrup.Open();
    for (horgrup.First(); !horgrup.Eof(); horgrup.Next()) {
        const std::string codgrup = horgrup.FieldByName("Codgrup").AsString();
        if (!grupos.Existe(codgrup)) continue;

        const PartesCodigo partes = PartirCodigo(codgrup);
        const std::string cgrup = Recortar(codgrup);
        const std::string codasig = Recortar(horgrup.FieldByName("Codasig").AsString());

        Asignatura asignatura;
        if (auto encontrada = catalogo.Buscar(codasig)) asignatura = *encontrada;

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
