#pragma once
// Small text rules the export steps share. Positions count from 1, as the
// school's programs count them.

#include <string>
#include <string_view>

namespace brisolt {

// Characters that follow each occurrence of a one-character separator.
std::string LetrasTrasSeparador(std::string_view texto, std::string_view separador);

// Copy(s, inicio, cuantos): 1-based, clipped to the text.
std::string Subcadena(std::string_view texto, int inicio, int cuantos);

// Blanks and control characters (below code 33) removed from both ends.
std::string Recortar(std::string_view texto);

// Group or subject code split: course = character 1, level = characters 2 to 4
// (fewer when shorter), letter = the last character.
struct PartesCodigo {
    std::string curso, nivel, letra;
};
PartesCodigo PartirCodigo(std::string_view codigo);

}  // namespace brisolt
