#include "tables/error.h"

namespace brisolt {

std::string Formato(const std::string& plantilla, const std::string& valor) {
    const auto pos = plantilla.find("%s");
    if (pos == std::string::npos) return plantilla;
    std::string salida = plantilla;
    salida.replace(pos, 2, valor);
    return salida;
}

std::string TextoCajaError(const std::string& mensaje) {
    if (!mensaje.empty() && static_cast<unsigned char>(mensaje.back()) > '.') return mensaje + ".";
    return mensaje;
}

}  // namespace brisolt
