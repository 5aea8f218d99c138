#pragma once
// What the folder list and the drive list of the main window show, without a
// toolkit: both front ends draw these rows their own way.

#include <string>
#include <vector>

namespace brisolt {

// One row of the folder list.
struct EntradaCarpeta {
    std::string nombre;    // what the row says: "C:\", "GC", "otra"
    std::string ruta;      // the native folder it opens
    int nivel = 0;         // indentation steps
    bool abierta = false;  // the folder or one of its parents (an open folder icon)
};

// The folder's parents from the drive or root down, the folder itself, then
// its subfolders sorted without regard to case. On drive C: (and on any
// drive letter on Windows) the list starts at the drive, spelt "C:\" as the
// Windows programs spell it; elsewhere at "/". A folder that cannot be read
// lists no subfolders.
std::vector<EntradaCarpeta> EntradasCarpeta(const std::string& carpeta);

// One row of the drive list.
struct Unidad {
    std::string nombre;  // what the list shows
    std::string raiz;    // native folder
};

// The system's drive letters ("c:", "d:"...), each with its root; drive C:
// leads to the program's drive C: (which tests may move). Empty where the
// system has no drive letters.
std::vector<Unidad> UnidadesLetra();
// The drive of `carpeta` among `unidades` (by its letter), -1 when none.
int UnidadLetraDe(const std::vector<Unidad>& unidades, const std::string& carpeta);

}  // namespace brisolt
