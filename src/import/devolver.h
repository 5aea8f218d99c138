#pragma once
// The copy of the rebuilt timetables back into the school-management folder.
//
// The school's horgrup.dbf and horprof.dbf go back together or not at all:
// both new files are written complete beside the originals and flushed to
// disk, and only then renamed over them. Any failure before the renames leaves
// both originals as they were and removes what was written. Only the two .dbf
// files travel; their index and memo files stay as the school left them.

#include <functional>
#include <string>

namespace brisolt {

// The points where the copy back can fail, for tests to break it at each.
enum class PuntoDevolucion {
    CrearTemporal,  // creating the new file beside the original
    Escribir,       // after part of the new file was written
    Sincronizar,    // flushing the new file to disk
    Enlazar,        // the second name kept for the first original until both are in place
    Renombrar,      // putting the new file in place of the original
};

// Returns the errno to fail with at that point for that file (0: go on).
using FalloDevolucion = std::function<int(PuntoDevolucion punto, const std::string& archivo)>;
// Installs the fault hook (an empty function removes it). For tests.
void FijarFalloDevolucion(FalloDevolucion fallo);

// Copies C:\ZTEMP\VALENCIA\horgrup.dbf and horprof.dbf over the files of
// that name in `carpetaGC`, keeping their spelling on disk. Failures raise
// Error with the I/O error table's text.
void DevolverHorarios(const std::string& carpetaGC);

}  // namespace brisolt
