#pragma once
// The one error type of the program. Its message is the text the user reads,
// verbatim: engine texts, file-copy texts and conversion texts alike.

#include <stdexcept>
#include <string>

namespace brisolt {

class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& mensaje) : std::runtime_error(mensaje) {}
};

// "%s" in `plantilla` replaced by `valor` (first occurrence only).
std::string Formato(const std::string& plantilla, const std::string& valor);

// The error box's text, in the window and on the console alike: the message
// with a full stop added when it ends in a character that sorts after ".".
std::string TextoCajaError(const std::string& mensaje);

}  // namespace brisolt
