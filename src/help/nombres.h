#pragma once
// Small text rules of the help system: file-name extensions, trimming, folders.

#include <string>

namespace brisolt {

// True when the text from the last "." to the end equals `extension` (with its
// dot) without regard to case; a name without "." has none.
bool TieneExtension(const std::string& nombre, const std::string& extension);

// The extension of a file name: from the last "." after the last folder
// separator, dot included; empty when there is none.
std::string Extension(const std::string& nombre);

// Without blanks and control characters at either end.
std::string Recortar(const std::string& texto);

// True when the name carries no folder at all.
bool SinCarpeta(const std::string& nombre);

// The folder of the running program's executable, without a trailing separator.
std::string CarpetaPrograma();

// The separator put between a folder and a name on this platform.
char SeparadorRuta();

}  // namespace brisolt
