#pragma once
// The copy of the rebuilt timetables back into the school-management folder.
//
// The school's horgrup.dbf and horprof.dbf go back together or not at all:
// both new files are written complete beside the originals and flushed to
// disk, and only then renamed over them. Any failure before the renames leaves
// both originals as they were and removes what was written. Only the two .dbf
// files travel; their index and memo files stay as the school left them.

#include <string>

namespace brisolt {

// Copies C:\ZTEMP\VALENCIA\horgrup.dbf and horprof.dbf over the files of
// that name in `carpetaGC`, keeping their spelling on disk. Failures raise
// Error with the I/O error table's text.
void DevolverHorarios(const std::string& carpetaGC);

}  // namespace brisolt
