#pragma once
// The state the shell and the commands share: the call mode, the completion
// status, the user's choices and the twelve table objects the main window
// owns. The window owns one; the commands borrow it.

#include <memory>
#include <string>
#include <vector>

#include "tables/tabla.h"

namespace brisolt {

struct Estado {
    Estado();

    int ModoLlamada = 0;         // 0 stand-alone, 2 embedded
    int EstadoTransformado = 0;  // completion status, 0 or 1

    std::string carpetaGC;                     // folder of ListaDirectorios (native path)
    std::vector<std::string> centros;          // items of CBCentro
    std::string CBCentro;                      // text of CBCentro (the selected centre)
    std::string ComboBoxValCast = "VALENCIÁ";  // language text

    Tabla wwTableAsignat{"wwTableAsignat"};
    Tabla wwTableCentro{"wwTableCentro"};
    Tabla wwTableProfesor{"wwTableProfesor"};
    Tabla wwTableAsigAlum{"wwTableAsigAlum"};
    Tabla wwTableAulas{"wwTableAulas"};
    Tabla wwTableGrupos{"wwTableGrupos"};
    Tabla wwTableAlumnos{"wwTableAlumnos"};
    Tabla wwTableHorGrup{"wwTableHorGrup"};
    Tabla wwTableHorProf{"wwTableHorProf"};
    Tabla wwTableLhortipo{"wwTableLhortipo"};
    Tabla wwTableOCUPA{"wwTableOCUPA"};
    Tabla wwTableSoluc{"wwTableSoluc"};

    // The import's teacher and subject table objects, which live until the
    // window closes.
    std::unique_ptr<Tabla> tablaProfesores;
    std::unique_ptr<Tabla> tablaAsignaturas;
};

}  // namespace brisolt
