// ALUMNOST.DBF: one row per student with a group, with the group's shift and
// up to 50 of the student's subjects as catalogue codes.

#include <cstdint>
#include <string>
#include <unordered_map>

#include "export/intercambio.h"
#include "export/pasos.h"
#include "export/texto.h"
#include "tables/carpetas.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

// The shift of the first groups record, in stored order, with the student's
// group code or whose first four characters are the student's course code.
// The walk over the groups for every student is served from two maps of
// first positions, built on the first question; fields are read exactly when
// the walk would read them, so a missing one fails at the same point.
class Turnos {
  public:
    explicit Turnos(Tabla& grupos) : grupos_(grupos) {}

    std::string Turno(Tabla& alumnos, const std::string& codgrup) {
        if (!hechos_) Construir();
        const auto porCodigo = primeroPorCodigo_.find(codgrup);
        // The walk reads the student's course code at every record before the
        // first one with the group's code.
        const bool leeCurso = visitados_ != 0 &&
                              (porCodigo == primeroPorCodigo_.end() || porCodigo->second.orden > 0);
        Posicion hallada;
        if (porCodigo != primeroPorCodigo_.end()) hallada = porCodigo->second;
        if (leeCurso) {
            const auto porCurso = primeroPorCurso_.find(alumnos.FieldByName("Codcur").AsString());
            if (porCurso != primeroPorCurso_.end() && porCurso->second.orden < hallada.orden)
                hallada = porCurso->second;
        }
        if (hallada.recno == 0) return {};
        grupos_.GoTo(hallada.recno);
        return grupos_.FieldByName("Turno").AsString();
    }

  private:
    struct Posicion {
        size_t orden = SIZE_MAX;  // place in the walk
        int64_t recno = 0;
    };

    void Construir() {
        hechos_ = true;
        size_t orden = 0;
        for (grupos_.First(); !grupos_.Eof(); grupos_.Next(), ++orden) {
            const std::string grupo = grupos_.FieldByName("Codgrup").AsString();
            const Posicion p{orden, grupos_.RecNo()};
            primeroPorCodigo_.try_emplace(grupo, p);
            primeroPorCurso_.try_emplace(Subcadena(grupo, 1, 4), p);
        }
        visitados_ = orden;
    }

    Tabla& grupos_;
    bool hechos_ = false;
    size_t visitados_ = 0;  // how many records the walk visits
    std::unordered_map<std::string, Posicion> primeroPorCodigo_, primeroPorCurso_;
};

// The student-subject table keys on a ten-character student code.
std::string FiltroCodigo(const std::string& exped) {
    std::string valor = exped;
    int caracteres = 0;
    for (const char c : valor) caracteres += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (caracteres < 10) valor.append(10 - caracteres, ' ');
    std::string citado = "'";
    for (const char c : valor) {
        citado += c;
        if (c == '\'') citado += '\'';
    }
    return "Codigo= " + citado + "'";
}

}  // namespace

void ExportarAlumnos(Estado& estado) {
    Tabla alumnost;
    intercambio::Crear(alumnost, intercambio::Alumnost(), false);

    Tabla asigvalt;
    asigvalt.SetDatabaseName("");
    asigvalt.SetTableName(UnirRuta(kCarpetaIntercambio, "ASIGVALT.DBF"));
    asigvalt.SetIndexName("CODVALEN");
    asigvalt.Open();

    Tabla& grupos = estado.wwTableGrupos;
    Tabla& alumnos = estado.wwTableAlumnos;
    Tabla& asigalum = estado.wwTableAsigAlum;
    grupos.Open();
    Turnos turnos(grupos);
    alumnost.Open();
    alumnos.Open();
    asigalum.Open();

    for (alumnos.First(); !alumnos.Eof(); alumnos.Next()) {
        const std::string codgrup = alumnos.FieldByName("Codgrup").AsString();
        const PartesCodigo partes = PartirCodigo(codgrup);
        if (partes.nivel.empty() || partes.curso.empty()) continue;
        const std::string turno = turnos.Turno(alumnos, codgrup);

        alumnost.Append();
        alumnost.FieldByName("EXPED").SetAsString(alumnos.FieldByName("Codigo").AsString());
        alumnost.FieldByName("NOMBRE").SetAsString(alumnos.FieldByName("Apenom").AsString());
        alumnost.FieldByName("TURNO").SetAsString(turno);
        alumnost.FieldByName("NIVEL").SetAsString(partes.nivel);
        alumnost.FieldByName("CURSO").SetAsString(partes.curso);
        alumnost.FieldByName("GRUPO").SetAsString(partes.letra);
        alumnost.FieldByName("OPCION").SetAsString("");
        alumnost.FieldByName("REPITE").SetAsBoolean(alumnos.FieldByName("Repite").AsInteger() == 1);

        // The code as stored (cut to EXPED's width) selects the subjects.
        asigalum.Close();
        asigalum.SetFiltered(false);
        asigalum.SetFilter(FiltroCodigo(alumnost.FieldByName("EXPED").AsString()));
        asigalum.SetFiltered(true);
        asigalum.Open();
        asigalum.First();

        // Subjects missing from the catalogue leave no gap; a 51st one asks for
        // a field the table does not have, and that stops the export.
        int contador = 1;
        for (; !asigalum.Eof(); asigalum.Next()) {
            if (!asigvalt.FindKey({asigalum.FieldByName("Codasig").AsString()})) continue;
            alumnost.FieldByName(intercambio::CampoAsig(contador))
                .SetAsString(asigvalt.FieldByName("COD").AsString());
            alumnost.FieldByName(intercambio::CampoDiv(contador)).SetAsString("");
            ++contador;
        }
        alumnost.Post();
    }

    alumnos.Close();
    asigalum.Close();
    grupos.Close();
    alumnost.Close();
    asigvalt.Close();
}

}  // namespace brisolt
