// GRUPOST.DBF (one row per shift, level, course and group letter, with its
// tutor) and CURSOST.DBF (one row per shift, level and course).

#include <set>
#include <string>
#include <vector>

#include "export/intercambio.h"
#include "export/pasos.h"
#include "export/texto.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

// The duplicate checks compare with the values as stored (cut to the field and
// without trailing blanks), so a value wider than its field never matches.
// Instead of walking the table for every group, each check keeps the stored
// values of the rows it let through.
class Vistos {
  public:
    explicit Vistos(Tabla& tabla, std::vector<const char*> campos)
        : tabla_(tabla), campos_(std::move(campos)) {}

    bool Hay(const std::vector<std::string>& valores) const { return filas_.count(valores) > 0; }

    // After the Post of a row: remember it as the file holds it.
    void Anotar() {
        std::vector<std::string> guardados;
        for (const char* campo : campos_) guardados.push_back(tabla_.FieldByName(campo).AsString());
        filas_.insert(std::move(guardados));
    }

  private:
    Tabla& tabla_;
    std::vector<const char*> campos_;
    std::set<std::vector<std::string>> filas_;
};

// A blank DNI means the group has no tutor yet; only a DNI that is there but is
// not a whole number is a fault in the school's data worth stopping for.
std::string Tutor(Tabla& proft, const std::string& dni) {
    if (Recortar(dni).empty()) return {};
    if (!proft.Locate("DNI", dni)) return {};
    return proft.FieldByName("ABREV").AsString();
}

}  // namespace

void ExportarGrupos(Estado& estado) {
    Tabla grupost;
    intercambio::Crear(grupost, intercambio::Grupost());
    Tabla cursost;
    intercambio::Crear(cursost, intercambio::Cursost());

    Tabla proft;
    proft.SetDatabaseName("");
    proft.SetTableName("C:\\ZTEMP\\PROFT.DBF");
    proft.Open();

    Vistos gruposVistos(grupost, {"TURNO", "NIVEL", "CURSO", "GRUPO"});
    Vistos cursosVistos(cursost, {"TURNO", "NIVEL", "CURSO"});

    Tabla& grupos = estado.wwTableGrupos;
    grupos.Open();
    for (grupos.First(); !grupos.Eof(); grupos.Next()) {
        const std::string turno = grupos.FieldByName("Turno").AsString();
        const std::string codgrup = grupos.FieldByName("Codgrup").AsString();
        const PartesCodigo partes = PartirCodigo(codgrup);
        if (partes.nivel.empty() || partes.curso.empty()) continue;

        if (!gruposVistos.Hay({turno, partes.nivel, partes.curso, partes.letra})) {
            const std::string tutor = Tutor(proft, grupos.FieldByName("DNI").AsString());
            const std::string descrip = turno + " " + partes.nivel + " " + partes.curso + " " +
                                        partes.letra + " (" +
                                        grupos.FieldByName("LITEGRUP").AsString() + ")";
            grupost.Append();
            grupost.FieldByName("ABREV").SetAsString(codgrup);
            grupost.FieldByName("TURNO").SetAsString(turno);
            grupost.FieldByName("NIVEL").SetAsString(partes.nivel);
            grupost.FieldByName("CURSO").SetAsString(partes.curso);
            grupost.FieldByName("GRUPO").SetAsString(partes.letra);
            grupost.FieldByName("DESCRIP").SetAsString(descrip);
            grupost.FieldByName("TUTOR").SetAsString(tutor);
            grupost.Post();
            gruposVistos.Anotar();
        }

        if (!cursosVistos.Hay({turno, partes.nivel, partes.curso})) {
            cursost.Append();
            cursost.FieldByName("ABREV").SetAsString(turno + Subcadena(partes.nivel, 1, 1) +
                                                     Subcadena(partes.curso, 1, 1));
            cursost.FieldByName("TURNO").SetAsString(turno);
            cursost.FieldByName("NIVEL").SetAsString(partes.nivel);
            cursost.FieldByName("CURSO").SetAsString(partes.curso);
            cursost.Post();
            cursosVistos.Anotar();
        }
    }

    grupos.Close();
    grupost.Close();
    cursost.Close();
    proft.Close();
}

}  // namespace brisolt
