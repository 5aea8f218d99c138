#include "comandos/estado.h"

#include "tables/carpetas.h"

namespace brisolt {
namespace {

void Configurar(Tabla& tabla, const char* carpeta, const char* nombre, bool exclusiva,
                bool soloLectura = false) {
    tabla.SetDatabaseName(carpeta);
    tabla.SetTableName(nombre);
    tabla.SetExclusive(exclusiva);
    tabla.SetReadOnly(soloLectura);
}

}  // namespace

Estado::Estado() {
    Configurar(wwTableAsignat, kCarpetaStaging, "asignat.dbf", true);
    Configurar(wwTableCentro, kCarpetaStaging, "centro", true);
    Configurar(wwTableProfesor, kCarpetaStaging, "profesor", true);
    Configurar(wwTableAsigAlum, kCarpetaStaging, "asigalum", true);
    Configurar(wwTableAulas, kCarpetaStaging, "aulas", true);
    Configurar(wwTableGrupos, kCarpetaStaging, "grupos", true);
    Configurar(wwTableAlumnos, kCarpetaStaging, "alumnos", true);
    Configurar(wwTableHorGrup, kCarpetaStaging, "horgrup", true);
    Configurar(wwTableHorProf, kCarpetaStaging, "horprof", true);
    Configurar(wwTableLhortipo, kCarpetaStaging, "lhortipo", false);
    Configurar(wwTableOCUPA, kCarpetaStaging, "OCUPA", true, true);
    Configurar(wwTableSoluc, kCarpetaIntercambio, "SOLUC", true);
}

}  // namespace brisolt
