#pragma once
// The program's folders. Inside the program the fixed folders keep their
// Windows spelling; RutaNativa maps them, in this one place, onto this system:
// drive C: is $BRISOLT_DRIVE_C, else $WINEPREFIX/drive_c, else ~/.wine/drive_c.
// Every component is matched without regard to case: an existing entry in any
// case is used, a missing one keeps the spelling given.

#include <string>
#include <string_view>

#include "sistema/sistema.h"

namespace brisolt {

inline constexpr const char* kCarpetaIntercambio = "C:\\ZTEMP";
inline constexpr const char* kCarpetaStaging = "C:\\ZTEMP\\VALENCIA";
inline constexpr const char* kCarpetaGC = "C:\\GC";

// Native folder of drive C:.
std::string UnidadC();

// A Windows path on drive C: ("C:\ZTEMP\x.dbf", "c:/ztemp") or a native path,
// turned into a native path with each existing component in its spelling on disk.
std::string RutaNativa(std::string_view ruta);

// The entry of the native folder `carpeta` named `nombre` in any case ("" when
// there is none); unlike RutaNativa, a folder that cannot be read is an error.
CodigoES BuscarEnCarpeta(const std::string& carpeta, const std::string& nombre,
                         std::string* hallado);

// A native path as the user knows it from the other two programs: inside
// drive C: in the drive's spelling ("C:\GC\horprof.dbf"), elsewhere as it is.
std::string RutaVisible(std::string_view nativa);

// The other way, for showing a folder to the person: a native path inside
// drive C: in the drive's spelling ("C:\GC"), as the two Windows programs
// show it; a path outside the drive comes back as it is.
std::string RutaWindows(std::string_view nativa);

// Folder + name, with the separator the folder uses (Windows or native).
std::string UnirRuta(std::string_view carpeta, std::string_view nombre);

bool ExisteArchivo(std::string_view ruta);  // a regular file (any spelling)
bool ExisteCarpeta(std::string_view ruta);
// Creates the folder and every missing parent; false when it could not.
// `error`, when given, gets the system's code of the failure.
bool CrearCarpetas(std::string_view ruta, CodigoES* error = nullptr);
// Deletes a file when it exists; false when it exists and could not be deleted.
bool BorrarArchivo(std::string_view ruta);

}  // namespace brisolt
