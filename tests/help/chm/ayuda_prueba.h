#pragma once
// A small compiled help file, built once per run from a project written here
// and compiled with chmcmd.

#include <filesystem>
#include <string>

namespace brisolt::prueba {

struct AyudaPrueba {
    std::filesystem::path carpeta;  // holds the project and the compiled file
    std::filesystem::path chm;      // carpeta / "GESCEN.chm"
    std::string logo;               // the bytes of the page's image
};

// Empty `chm` when it could not be built; the reason goes to stderr.
const AyudaPrueba& Ayuda();

}  // namespace brisolt::prueba
