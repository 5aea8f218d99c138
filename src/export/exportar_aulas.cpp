// AULAT.DBF: one row per room of the school, in the rooms table's order.

#include "export/pasos.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt {

void ExportarAulas(Estado& estado) {
    BorrarArchivoTabla(RutaNativa(UnirRuta(kCarpetaIntercambio, "AULAT.DBF")));
    BorrarArchivoTabla(RutaNativa(UnirRuta(kCarpetaIntercambio, "AULAT.MDX")));

    Tabla aulat;
    aulat.SetDatabaseName(kCarpetaIntercambio);
    aulat.SetTableName("AULAT.DBF");
    aulat.FieldDefs() = {
        {"ABREV", TipoCampo::Cadena, 10},
        {"NOMBRE", TipoCampo::Cadena, 80},
        {"EDIFICIO", TipoCampo::Cadena, 1},
        {"MAXALUM", TipoCampo::Entero, 0},
    };
    aulat.CreateTable();
    aulat.Open();

    Tabla& aulas = estado.wwTableAulas;
    aulas.Open();
    for (aulas.First(); !aulas.Eof(); aulas.Next()) {
        aulat.Append();
        aulat.FieldByName("ABREV").SetAsString(aulas.FieldByName("Codaula").AsString());
        aulat.FieldByName("NOMBRE").SetAsString(aulas.FieldByName("Litaula").AsString());
        aulat.FieldByName("EDIFICIO").SetAsString("1");
        aulat.FieldByName("MAXALUM").SetAsInteger(0);
        aulat.Post();
    }
    aulas.Close();
    aulat.Close();
}

}  // namespace brisolt
