#pragma once
// A complete school-management folder for the demo, the end-to-end tests and
// the benchmarks: the eleven tables the staging copies plus horprof.dbf,
// FoxPro-style, cp1252 text, the same bytes from the same seed.

#include <cstdint>
#include <string>

namespace brisolt {

// Writes the school into `carpetaNativa` (created when missing), replacing
// tables of the same names. `escala` >= 1 multiplies teachers, groups,
// students and rooms.
void ConstruirEscuelaMuestra(const std::string& carpetaNativa, uint32_t semilla, int escala);

}  // namespace brisolt
