#pragma once
// The seven export steps, in the order the export command runs them. Each
// reads the staged school-management tables through the shared state's table
// objects and writes its exchange tables in C:\ZTEMP.

#include "comandos/estado.h"

namespace brisolt {

void ExportarAsignaturas(Estado& estado);   // ASIGVALT.DBF, ASIGNOMT.DBF
void ExportarProfesores(Estado& estado);    // PROFT.DBF
void ExportarAulas(Estado& estado);         // AULAT.DBF
void ExportarAlumnos(Estado& estado);       // ALUMNOST.DBF
void ExportarAsigCursos(Estado& estado);    // ASIGCURT.DBF
void ExportarGrupos(Estado& estado);        // GRUPOST.DBF, CURSOST.DBF
void ExportarAsignaciones(Estado& estado);  // ASIGT.DBF

}  // namespace brisolt
