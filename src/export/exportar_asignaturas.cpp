// ASIGVALT.DBF (one row per subject, with its COD and CODVALEN indexes) and
// ASIGNOMT.DBF (one row per distinct short code, then one per non-teaching task).

#include <memory>
#include <string>

#include "export/intercambio.h"
#include "export/pasos.h"
#include "export/texto.h"
#include "tables/carpetas.h"
#include "tables/conversion.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

// The language is read anew for every record: only the exact text selects
// the Castilian names, whatever else the user may have typed into the box.
bool EnCastellano(const Estado& estado) {
    return estado.ComboBoxValCast == "CASTELLANO";
}

// Only the first two characters of HORSEMTE count; nothing usable means one hour.
double Horas(const std::string& horsemte) {
    const std::string dos = Subcadena(horsemte, 1, 2);
    if (Recortar(dos).empty()) return 1.0;
    const double horas = TextoAFlotante(dos);
    return horas > 0 ? horas : 1.0;
}

// A code that no short code can equal before the first one is seen.
constexpr const char* kSinCodigo = "@#$";

}  // namespace

void ExportarAsignaturas(Estado& estado) {
    intercambio::BorrarAnterior(intercambio::Asignomt());
    auto asigvalt = std::make_unique<Tabla>();
    intercambio::Crear(*asigvalt, intercambio::Asigvalt(), false);
    Tabla asignomt;
    intercambio::Crear(asignomt, intercambio::Asignomt(), false);

    asignomt.Open();
    asigvalt->Open();
    Tabla& asignat = estado.wwTableAsignat;
    asignat.Open();

    for (asignat.First(); !asignat.Eof(); asignat.Next()) {
        asigvalt->Append();
        asigvalt->FieldByName("COD").SetAsString(asignat.FieldByName("Litresv").AsString());
        asigvalt->FieldByName("CODLARGO").SetAsString(asignat.FieldByName("Litresv").AsString());
        asigvalt->FieldByName("NOMBRE").SetAsString(
            asignat.FieldByName(EnCastellano(estado) ? "Cliteasig" : "Vliteasig").AsString());
        asigvalt->FieldByName("CODVALEN").SetAsString(asignat.FieldByName("Codasig").AsString());
        asigvalt->FieldByName("NHORAS").SetAsFloat(
            Horas(asignat.FieldByName("Horsemte").AsString()));
        const PartesCodigo partes = PartirCodigo(asignat.FieldByName("Codasig").AsString());
        asigvalt->FieldByName("NIVEL").SetAsString(partes.nivel);
        asigvalt->FieldByName("CURSO").SetAsString(partes.curso);
        asigvalt->Post();
    }
    asignat.Close();

    // Distinct short codes come from one ordered walk: each run of equal codes
    // in COD order gives one name, the run's first.
    asigvalt->Close();
    asigvalt->Open();
    asigvalt->SetIndexName("COD");
    std::string anterior = kSinCodigo;
    for (asigvalt->First(); !asigvalt->Eof(); asigvalt->Next()) {
        const std::string cod = asigvalt->FieldByName("COD").AsString();
        if (cod == anterior) continue;
        anterior = cod;
        asignomt.Append();
        asignomt.FieldByName("COD").SetAsString(cod);
        asignomt.FieldByName("CODLARGO").SetAsString(asigvalt->FieldByName("CODLARGO").AsString());
        asignomt.FieldByName("NOMBRE").SetAsString(asigvalt->FieldByName("NOMBRE").AsString());
        asignomt.FieldByName("ESTAREA").SetAsBoolean(false);
        asignomt.Post();
    }
    asigvalt->Close();
    asigvalt.reset();

    Tabla& ocupa = estado.wwTableOCUPA;
    ocupa.Open();
    for (ocupa.First(); !ocupa.Eof(); ocupa.Next()) {
        asignomt.Append();
        asignomt.FieldByName("COD").SetAsString("*" + ocupa.FieldByName("OCUPA").AsString());
        asignomt.FieldByName("CODLARGO").SetAsString("*" + ocupa.FieldByName("OCUPA").AsString());
        asignomt.FieldByName("NOMBRE").SetAsString(
            ocupa.FieldByName(EnCastellano(estado) ? "CLITERAL" : "VLITERAL").AsString());
        asignomt.FieldByName("ESTAREA").SetAsBoolean(true);
        asignomt.Post();
    }
    ocupa.Close();
    asignomt.Close();
}

}  // namespace brisolt
