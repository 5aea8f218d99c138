#include "import/plantilla.h"

#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt {

namespace {

// The staging folder as this step has always spelt it; names match in any case.
constexpr const char* kCarpetaPlantilla = "C:\\ZTEMP\\Valencia";

}  // namespace

HorasClase LeerLhortipo(Estado& estado) {
    HorasClase horas;
    Tabla& lhortipo = estado.wwTableLhortipo;
    if (!lhortipo.Active()) lhortipo.Open();
    for (lhortipo.First(); !lhortipo.Eof(); lhortipo.Next()) {
        if (lhortipo.FieldByName("CODCEN").AsString() != estado.CBCentro) continue;
        const int n = lhortipo.FieldByName("NUMHORA").AsInteger();
        if (!HorasClase::EnRango(n)) continue;
        // A later row for the same hour wins, but an empty time never clears one.
        std::string desde = lhortipo.FieldByName("DESDE").AsString();
        std::string hasta = lhortipo.FieldByName("HASTA").AsString();
        if (!desde.empty()) horas.inicio[n - 1] = std::move(desde);
        if (!hasta.empty()) horas.fin[n - 1] = std::move(hasta);
    }
    return horas;
}

void EscribirPlantilla(const HorasClase& horas) {
    BorrarArchivoTabla(RutaNativa(UnirRuta(kCarpetaPlantilla, "PLANTILLA.DBF")));
    BorrarArchivo(RutaNativa(UnirRuta(kCarpetaPlantilla, "PLANTILLA.MDX")));

    Tabla plantilla;
    plantilla.SetDatabaseName(kCarpetaPlantilla);
    plantilla.SetTableName("PLANTILLA.DBF");
    plantilla.FieldDefs() = {
        {"HORA", TipoCampo::Entero},
        {"HORAINI", TipoCampo::Cadena, 5},
        {"HORAFIN", TipoCampo::Cadena, 5},
    };
    plantilla.IndexDefs() = {{"HORA", "HORA"}};
    plantilla.CreateTable();
    plantilla.Open();
    for (int hora = 1; hora <= kHorasPlantilla; ++hora) {
        plantilla.Append();
        plantilla.FieldByName("HORA").SetAsInteger(hora);
        plantilla.FieldByName("HORAINI").SetAsString(horas.Inicio(hora));
        plantilla.FieldByName("HORAFIN").SetAsString(horas.Fin(hora));
    }
    plantilla.Post();
    // Closed here, not by the destructor: a write that fails as the records
    // go to the file is reported, never swallowed.
    plantilla.Close();
}

HorasClase LeerPlantilla() {
    HorasClase horas;
    Tabla plantilla;
    plantilla.SetDatabaseName("");
    plantilla.SetTableName(UnirRuta(kCarpetaPlantilla, "Plantilla.DBF"));
    plantilla.Open();
    plantilla.SetIndexName("HORA");
    for (plantilla.First(); !plantilla.Eof(); plantilla.Next()) {
        const int h = plantilla.FieldByName("HORA").AsInteger();
        if (!HorasClase::EnRango(h)) continue;
        horas.inicio[h - 1] = plantilla.FieldByName("HORAINI").AsString();
        horas.fin[h - 1] = plantilla.FieldByName("HORAFIN").AsString();
    }
    return horas;
}

HorasClase PlantillaHoraria(Estado& estado, Interfaz& interfaz, GuardaCursor& cursor) {
    EscribirPlantilla(LeerLhortipo(estado));
    {
        // The dialog's own table object, in file order; releasing it drops a pending edit.
        Tabla wwTablePlantilla("wwTablePlantilla");
        wwTablePlantilla.SetDatabaseName(kCarpetaPlantilla);
        wwTablePlantilla.SetTableName("plantilla");
        wwTablePlantilla.Open();
        interfaz.ControlPlantilla(wwTablePlantilla);
    }
    cursor.OtraVez();
    return LeerPlantilla();
}

}  // namespace brisolt
