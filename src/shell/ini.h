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

// Writes the value into the profile file `ruta` and flushes it to the disk
// before returning: on Windows through the system's own profile writer
// (WritePrivateProfileStringW), elsewhere through EscribirPerfilPortable.
// Fails with "Unable to write to %s".
void EscribirPerfil(const std::string& ruta, std::string_view seccion, std::string_view clave,
                    std::string_view valor);

// The same rules by our own hand: reads `ruta` (missing: empty), rewrites it
// in place with PerfilConValor's result and flushes it. Fails as EscribirPerfil.
void EscribirPerfilPortable(const std::string& ruta, std::string_view seccion,
                            std::string_view clave, std::string_view valor);

}  // namespace brisolt
