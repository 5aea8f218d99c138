#pragma once
// Whole files as bytes, for tests that check what a command left on disk.
// Text paths are UTF-8, as everywhere in the program.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace brisolt::prueba {

// The file's bytes; empty when it cannot be read.
inline std::string Leer(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}
inline std::string Leer(const std::string& ruta) {
    return Leer(std::filesystem::u8path(ruta));
}
inline std::string Leer(const char* ruta) {
    return Leer(std::filesystem::u8path(ruta));
}

inline void Escribir(const std::filesystem::path& ruta, const std::string& datos) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(datos.data(), static_cast<std::streamsize>(datos.size()));
}
inline void Escribir(const std::string& ruta, const std::string& datos) {
    Escribir(std::filesystem::u8path(ruta), datos);
}
inline void Escribir(const char* ruta, const std::string& datos) {
    Escribir(std::filesystem::u8path(ruta), datos);
}

// Overwrites bytes of record `recno` of a .DBF file in place, `desde` counted
// from the record's deletion flag: for contents no writer of ours would put.
inline void ParchearRegistro(const std::string& ruta, size_t recno, size_t desde,
                             const std::string& bytes) {
    std::string b = Leer(ruta);
    const auto u16 = [&](size_t o) {
        return static_cast<size_t>(static_cast<unsigned char>(b[o]) |
                                   (static_cast<unsigned char>(b[o + 1]) << 8));
    };
    b.replace(u16(8) + (recno - 1) * u16(10) + desde, bytes.size(), bytes);
    Escribir(ruta, b);
}

}  // namespace brisolt::prueba
