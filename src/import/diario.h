#pragma once
// The journal of a write-back (C:\ZTEMP\VALENCIA\DEVOLVER.DIARIO): what a
// command that finds it needs to finish or undo the write-back. It is always
// replaced whole (written beside, flushed, renamed over), so a journal that
// exists was written complete.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sistema/sistema.h"

namespace brisolt {

struct Diario {
    enum class Fase { Preparando, Renombrando };
    struct Archivo {
        std::string original;  // the school's file (native; a link's target)
        std::string nuevo;     // the new file beside it until renamed over it
        std::string copia;     // the copy of the original ("" when there was none)
        bool existia = false;
        IdentidadArchivo antes;    // of the original when the journal was written
        IdentidadArchivo despues;  // of the new file, which it keeps once renamed
    };

    Fase fase = Fase::Preparando;
    std::string fecha;    // DD/MM/AAAA HH:MM:SS
    std::string carpeta;  // the school folder
    std::vector<Archivo> archivos;
};

std::string RutaDiario();  // native
// Writes the journal whole and flushed; 0 or the error.
CodigoES GuardarDiario(const Diario& d);
// The journal, when there is one; Error when it cannot be read.
std::optional<Diario> LeerDiario();
CodigoES BorrarDiario();

}  // namespace brisolt
