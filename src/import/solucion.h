#pragma once
// The rewrite of the staged horprof.dbf and horgrup.dbf from C:\ZTEMP\SOLUC.DBF.

#include "comandos/estado.h"
#include "comandos/interfaz.h"
#include "import/plantilla.h"

namespace brisolt {

// Empties both staged timetables and writes one horprof row per solution row
// with a day, and one horgrup row per such row that names a level and a
// course. Uses the teacher and subject table objects the import left open in
// estado, and closes horprof, SOLUC and horgrup at the end. Tells the person
// how many of the solution's sessions are done as it goes.
void EscribirSolucion(Estado& estado, const HorasClase& horas, Interfaz& interfaz);

// The room code a solution's AULA gives: a whole number whose text, without
// the blanks around it, is at most three characters. False when there is none.
bool CodigoAula(const std::string& aula, int32_t* codigo);

// A task code without the one leading character the export puts in front of it.
std::string SinPrimerCaracter(const std::string& texto);

}  // namespace brisolt
