// ASIGCURT.DBF: one row per subject record, in full-code order, with its level,
// course, short code and weekly hours.

#include "export/intercambio.h"
#include "export/pasos.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt {

void ExportarAsigCursos(Estado&) {
    Tabla asigcur;
    // Created before the catalogue is opened, so a missing catalogue leaves an
    // empty table behind.
    intercambio::Crear(asigcur, intercambio::Asigcurt(), false);

    Tabla asigval;
    asigval.SetDatabaseName("");
    asigval.SetTableName("C:\\ZTEMP\\ASIGVALT.DBF");
    asigval.SetIndexName("CODVALEN");
    asigval.Open();
    asigcur.Open();

    for (asigval.First(); !asigval.Eof(); asigval.Next()) {
        asigcur.Append();
        asigcur.FieldByName("NIVEL").SetAsString(asigval.FieldByName("NIVEL").AsString());
        asigcur.FieldByName("CURSO").SetAsString(asigval.FieldByName("CURSO").AsString());
        asigcur.FieldByName("ASIG").SetAsString(asigval.FieldByName("COD").AsString());
        asigcur.FieldByName("HORAS").SetAsFloat(asigval.FieldByName("NHORAS").AsFloat());
        asigcur.Post();
    }

    asigcur.Close();
    asigval.Close();
}

}  // namespace brisolt
