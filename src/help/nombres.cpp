#include "help/nombres.h"

#include "sistema/sistema.h"

#include <algorithm>
#include <cctype>

namespace brisolt {
namespace {

char Minuscula(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool EsSeparador(char c) {
    return c == '/' || c == '\\';
}

}  // namespace

bool TieneExtension(const std::string& nombre, const std::string& extension) {
    const auto punto = nombre.rfind('.');
    if (punto == std::string::npos) return false;
    const std::string_view cola(nombre.data() + punto, nombre.size() - punto);
    return std::ranges::equal(cola, extension,
                              [](char a, char b) { return Minuscula(a) == Minuscula(b); });
}

std::string Extension(const std::string& nombre) {
    // A drive letter's ":" ends the folder part too ("C:intro").
    const auto punto = nombre.find_last_of(".\\/:");
    if (punto == std::string::npos || nombre[punto] != '.') return {};
    return nombre.substr(punto);
}

std::string Recortar(const std::string& texto) {
    auto esBlanco = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    const auto inicio = std::find_if_not(texto.begin(), texto.end(), esBlanco);
    const auto fin = std::find_if_not(texto.rbegin(), texto.rend(), esBlanco).base();
    return inicio < fin ? std::string(inicio, fin) : std::string();
}

bool SinCarpeta(const std::string& nombre) {
    return std::none_of(nombre.begin(), nombre.end(), EsSeparador) &&
           !(nombre.size() >= 2 && nombre[1] == ':');
}

std::string CarpetaPrograma() {
    const std::string ejecutable = SO().RutaPrograma();
    const auto barra = ejecutable.find_last_of(kEsWindows ? "/\\" : "/");
    if (ejecutable.empty() || barra == std::string::npos) return SO().CarpetaActual();
    return ejecutable.substr(0, barra);
}

char SeparadorRuta() {
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

}  // namespace brisolt
