#pragma once
// A stand-in for the timetable generator, for the demo and the end-to-end
// tests: it reads the exchange tables an export left and writes the solution
// table the import reads.

#include <string>

namespace brisolt {

// Reads ASIGT.DBF, AULAT.DBF, GRUPOST.DBF, PROFT.DBF and (when present)
// ASIGNOMT.DBF from the folder and writes SOLUC.DBF there: every session of
// ASIGT.DBF on days 1-5, hours 1-7, with no teacher or group twice in one
// slot and a room from AULAT.DBF, plus non-teaching task rows for the
// teachers. Throws Error when a table is missing or the week is too small.
void GenerarSolucion(const std::string& carpetaIntercambioNativa);

inline constexpr int kDiasSolucion = 5;
inline constexpr int kHorasSolucion = 7;

}  // namespace brisolt
