#include "comandos/staging.h"

#include "tables/carpetas.h"
#include "tables/copia.h"

namespace brisolt {
namespace {

struct ArchivoStaging {
    Tabla Estado::*tabla;  // closed first, so that no open table holds the copy
    const char* nombre;
};

// The order is part of the behaviour: a failure leaves the files before it
// fresh and the files after it as they were.
constexpr ArchivoStaging kArchivos[] = {
    {&Estado::wwTableGrupos, "grupos.dbf"},   {&Estado::wwTableProfesor, "profesor.dbf"},
    {&Estado::wwTableHorGrup, "horgrup.dbf"}, {&Estado::wwTableAsigAlum, "asigalum.dbf"},
    {&Estado::wwTableAsignat, "asignat.dbf"}, {&Estado::wwTableAulas, "aulas.dbf"},
    {&Estado::wwTableAlumnos, "alumnos.dbf"}, {&Estado::wwTableAlumnos, "alumnos.fpt"},
    {&Estado::wwTableCentro, "centro.dbf"},   {&Estado::wwTableLhortipo, "lhortipo.dbf"},
    {&Estado::wwTableOCUPA, "OCUPA.dbf"},
};

}  // namespace

void CopiarTablasGC(Estado& estado) {
    // A folder that cannot be made is not reported here: the first copy into
    // it fails with the file error the person can act on.
    if (!ExisteCarpeta(kCarpetaStaging)) CrearCarpetas(kCarpetaStaging);

    const std::string origen = estado.carpetaGC;
    for (const auto& archivo : kArchivos) {
        (estado.*archivo.tabla).Close();
        ReemplazarArchivo(UnirRuta(kCarpetaStaging, archivo.nombre),
                          UnirRuta(origen, archivo.nombre));
    }
}

}  // namespace brisolt
