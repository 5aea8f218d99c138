#pragma once
// A profile (INI) file writer with the rules the timetable generator expects
// of the file it reads back: the file, section and key are created when
// missing, an existing value is replaced, and every other byte of the file
// stays as it was. Section and key names match without regard to case.

#include <optional>
#include <string>
#include <string_view>

namespace brisolt {

// `contenido` with `clave`=`valor` under [`seccion`]. New lines take the
// file's own line end (CRLF for a file that has none yet).
std::string PerfilConValor(std::string_view contenido, std::string_view seccion,
                           std::string_view clave, std::string_view valor);

// The value of `clave` under [`seccion`], blanks around it removed, as the
// generator reads it back; nothing when the section or the key is missing.
std::optional<std::string> ValorEnPerfil(std::string_view contenido, std::string_view seccion,
                                         std::string_view clave);

// Reads `ruta` (missing: empty), writes it back with the value and flushes it
// to the disk before returning. Fails with "Unable to write to %s".
void EscribirPerfil(const std::string& ruta, std::string_view seccion, std::string_view clave,
                    std::string_view valor);

}  // namespace brisolt
