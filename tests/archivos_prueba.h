#pragma once
// Whole files as bytes, for tests that check what a command left on disk.

#include <fstream>
#include <iterator>
#include <string>

namespace brisolt::prueba {

// The file's bytes; empty when it cannot be read.
inline std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void Escribir(const std::string& ruta, const std::string& datos) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(datos.data(), static_cast<std::streamsize>(datos.size()));
}

}  // namespace brisolt::prueba
