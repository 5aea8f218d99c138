#pragma once
// Placing the sessions of the teaching assignments on the week: no teacher and
// no group in two places at once. Greedy, with a one-step repair (move one
// session that is in the way) and a few reordered retries; enough for the
// stand-in generator, not a timetabling engine.

#include <string>
#include <vector>

namespace brisolt {

struct Encargo {
    std::string profesor;  // empty: no teacher to keep free
    std::string grupo;     // empty: no group to keep free
    int sesiones = 0;
};

struct SesionColocada {
    int encargo = 0;  // index into the encargos given
    int dia = 1;      // 1..dias
    int hora = 1;     // 1..horas
};

// Every session of every encargo, each once; sessions of one encargo go on
// different days while the week allows. Throws Error naming the teacher and
// the group when no placement was found.
std::vector<SesionColocada> ColocarSesiones(const std::vector<Encargo>& encargos, int dias,
                                            int horas);

}  // namespace brisolt
