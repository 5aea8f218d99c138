#pragma once
// Putting new timetables into the school-management folder.
//
// The school's horgrup.dbf and horprof.dbf go back together or not at all,
// whatever happens on the way, a kill or a power cut included:
//  1. files the school protects (read-only, open in another program) stop it
//     before anything is written;
//  2. the originals are copied into C:\ZTEMP\COPIAS\<date>;
//  3. the new files are written complete and flushed beside the originals;
//  4. a journal in the staging folder names all of them, flushed;
//  5. the new files are renamed over the originals; the journal goes.
// Every command first finishes what a journal left behind describes
// (TerminarDevolucionInterrumpida): the renames when both new files are still
// there and the originals unchanged, else the copies put back.

#include <optional>
#include <string>
#include <vector>

namespace brisolt {

// Copies C:\ZTEMP\VALENCIA\horgrup.dbf and horprof.dbf over the files of
// that name in `carpetaGC` (native), keeping their spelling on disk, their
// owner and permissions; a link is followed and its target replaced.
// Failures raise Error with the I/O error table's text and the file.
void DevolverHorarios(const std::string& carpetaGC);

// Puts the copy named `nombre` (AAAAMMDD-HHMMSS, see copias.h) back into
// `carpetaGC`, the same way, after copying what is there now.
void ReponerCopia(const std::string& carpetaGC, const std::string& nombre);

// Finishes or undoes a write-back that was interrupted; the sentence that
// tells the user what was done, or nothing when there was nothing to do.
std::optional<std::string> TerminarDevolucionInterrumpida();

}  // namespace brisolt
