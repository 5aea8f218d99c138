#pragma once
// The automatic copies of the school's timetables: before the import (or a
// restore) replaces horprof.dbf and horgrup.dbf, both files, with their index
// and memo files when present, are copied into C:\ZTEMP\COPIAS\AAAAMMDD-HHMMSS.
// The newest 20 are kept.

#include <cstdint>
#include <string>
#include <vector>

namespace brisolt {

inline constexpr const char* kCarpetaCopias = "C:\\ZTEMP\\COPIAS";
inline constexpr int kCopiasGuardadas = 20;

// The files of the school's that the import rewrites.
inline constexpr const char* kHorarios[] = {"horgrup.dbf", "horprof.dbf"};

struct Copia {
    std::string nombre;   // AAAAMMDD-HHMMSS (a second one in the same second ends in -2, -3...)
    std::string carpeta;  // native
    std::string fecha;    // DD/MM/AAAA HH:MM:SS
    // Record count of each timetable in the copy; -1 when it had none.
    int64_t filasProfesores = -1, filasGrupos = -1;
};

// Copies the files named (native paths, each under its own name) into a new,
// flushed copy folder, then drops the oldest copies beyond the newest 20.
// A copy named `conservar` stays whatever its age (the one being put back).
// Returns the copy. Failures raise Error naming the file.
Copia CopiarHorarios(const std::vector<std::string>& archivos, const std::string& conservar = {});

// Copies `origen` whole into the new file `destino` and flushes it. `modelo`,
// when given, lends the new file its permissions and is the file a failure on
// the destination is told of (the school's file a temporary one stands for).
void CopiarCompleto(const std::string& origen, const std::string& destino,
                    const std::string& modelo = {});

// The copies, oldest first.
std::vector<Copia> ListarCopias();

}  // namespace brisolt
