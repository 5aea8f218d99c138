// AULAT.DBF: one row per room of the school, in the rooms table's order.

#include "export/intercambio.h"
#include "export/pasos.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt {

void ExportarAulas(Estado& estado) {
    Tabla aulat;
    intercambio::Crear(aulat, intercambio::Aulat());

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
