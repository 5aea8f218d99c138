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

}  // namespace brisolt
