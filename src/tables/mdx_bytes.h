#pragma once
// Little-endian field access inside an in-memory .MDX image. Every caller has
// already checked that the offset lies inside the buffer.

#include <cstdint>
#include <cstring>
#include <string>

namespace brisolt::mdx {

inline constexpr uint32_t kPagina = 512;

inline void PonerU16(std::string& b, size_t off, uint16_t v) {
    b[off] = static_cast<char>(v & 0xFF);
    b[off + 1] = static_cast<char>(v >> 8);
}

inline void PonerU32(std::string& b, size_t off, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[off + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline uint16_t LeerU16(const std::string& b, size_t off) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[off]) |
                                 static_cast<unsigned char>(b[off + 1]) << 8);
}

inline uint32_t LeerU32(const std::string& b, size_t off) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[off + i]);
    return v;
}

// Item length and keys per node for a key of `longitud` bytes.
inline int LongitudItem(int longitud) {
    return (longitud + 4 + 3) / 4 * 4;
}
inline int ClavesPorNodo(int tamBloque, int longitud) {
    return (tamBloque - 12) / LongitudItem(longitud);
}

// Three bytes Y-1900, M, D of today's local date.
void PonerFechaHoy(std::string& b, size_t off);

// Order of two stored keys of type 'C', 'N' or 'D': <0, 0 or >0.
int CompararClaves(char tipo, const char* a, const char* b, int longitud);

}  // namespace brisolt::mdx
