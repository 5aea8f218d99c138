// PROFT.DBF: one row per teacher except those who have left and are fully
// identified, with an abbreviation made from the name and then made unique.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "export/abreviaturas.h"
#include "export/intercambio.h"
#include "export/pasos.h"
#include "export/texto.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

// A teacher who has left is kept while the name or the DNI is still missing,
// so that the school can see whom it has to complete.
bool SeOmite(Tabla& profesor) {
    return profesor.FieldByName("FBaja").AsDateTime() != 0 &&
           !Recortar(profesor.FieldByName("Apenomprof").AsString()).empty() &&
           profesor.FieldByName("Dni").AsInteger() != 0;
}

// The first letter and the letter after every blank, at most three of them.
std::string Abreviatura(const std::string& nombre) {
    return Subcadena(Subcadena(nombre, 1, 1) + LetrasTrasSeparador(nombre, " "), 1, 3);
}

void HacerUnicas(Tabla& proft, Tabla& proftUnicas) {
    std::vector<std::string> leidas;
    for (proft.First(); !proft.Eof(); proft.Next()) {
        leidas.push_back(proft.FieldByName("ABREV").AsString());
    }
    const std::vector<std::string> unicas =
        AbreviaturasUnicas(leidas, intercambio::kAnchoAbrevProfesor);
    std::size_t i = 0;
    for (proftUnicas.First(); !proftUnicas.Eof() && i < unicas.size(); proftUnicas.Next(), ++i) {
        if (unicas[i] == leidas[i]) continue;
        proftUnicas.Edit();
        proftUnicas.FieldByName("ABREV").SetAsString(unicas[i]);
        proftUnicas.Post();
    }
}

}  // namespace

void ExportarProfesores(Estado& estado) {
    Tabla proft;
    intercambio::Crear(proft, intercambio::Proft());

    Tabla& profesor = estado.wwTableProfesor;
    profesor.Open();
    bool hayProfesores = false;
    for (profesor.First(); !profesor.Eof(); profesor.Next()) {
        if (SeOmite(profesor)) continue;
        // Each teacher is written by the next Append; the last one by the Post below.
        proft.Append();
        hayProfesores = true;
        const std::string nombre = profesor.FieldByName("Apenomprof").AsString();
        proft.FieldByName("ABREV").SetAsString(Abreviatura(nombre));
        proft.FieldByName("NOMBRE").SetAsString(nombre);
        proft.FieldByName("DEPART").SetAsString(profesor.FieldByName("Departa").AsString());
        proft.FieldByName("DNI").SetAsInteger(profesor.FieldByName("Dni").AsInteger());
    }
    // With no teacher there is nothing to post and nothing to make unique: an
    // empty PROFT.DBF is a valid outcome, not a reason to stop the export.
    if (hayProfesores) proft.Post();
    proft.Close();
    profesor.Close();
    if (!hayProfesores) return;

    Tabla proftUnicas;
    proftUnicas.SetDatabaseName("");
    proftUnicas.SetTableName(UnirRuta(kCarpetaIntercambio, "PROFT.DBF"));
    proftUnicas.Open();
    proft.Open();
    HacerUnicas(proft, proftUnicas);
    proftUnicas.Close();
    proft.Close();
}

}  // namespace brisolt
