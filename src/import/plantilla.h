#pragma once
// The hour template: the clock times of hours 1 to 20 for the selected
// centre, taken from the staged lhortipo.dbf, confirmed by the person through
// PLANTILLA.DBF in the staging folder, and read back from it.

#include <array>
#include <string>

#include "comandos/estado.h"
#include "comandos/interfaz.h"
#include "import/guarda_cursor.h"

namespace brisolt {

inline constexpr int kHorasPlantilla = 20;

// The hour slot table; an empty text means the hour has no time.
struct HorasClase {
    std::array<std::string, kHorasPlantilla> inicio, fin;  // [hora - 1]

    static bool EnRango(int hora) { return hora >= 1 && hora <= kHorasPlantilla; }
    const std::string& Inicio(int hora) const { return inicio[hora - 1]; }
    const std::string& Fin(int hora) const { return fin[hora - 1]; }
};

// The rows of estado.wwTableLhortipo for estado.CBCentro (left open).
HorasClase LeerLhortipo(Estado& estado);

// Rebuilds PLANTILLA.DBF (and its HORA index) with exactly 20 rows.
void EscribirPlantilla(const HorasClase& horas);

// The times of PLANTILLA.DBF, in the order of its HORA index.
HorasClase LeerPlantilla();

// The whole step: lhortipo, PLANTILLA.DBF, the dialog, and the times read back.
HorasClase PlantillaHoraria(Estado& estado, Interfaz& interfaz, GuardaCursor& cursor);

}  // namespace brisolt
