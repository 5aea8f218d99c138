// Key encodings of the production index: 12-byte BCD numbers and dates as the
// little-endian double of their Julian day number.

#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <string>

#include "sistema/sistema.h"
#include "tables/mdx.h"
#include "tables/mdx_bytes.h"

namespace brisolt {

namespace {

constexpr int kDigitosBcd = 20;

// Decodes a BCD key into sign, exponent and digits, enough to order it.
double ValorBcd(const char* k) {
    const int exponente = static_cast<unsigned char>(k[0]) - 52;
    const auto marca = static_cast<unsigned char>(k[1]);
    const int digitos = (marca >> 2) & 0x1F;
    double v = 0;
    for (int i = 0; i < digitos && i < kDigitosBcd; ++i) {
        const auto par = static_cast<unsigned char>(k[2 + i / 2]);
        v = v * 10 + ((i % 2 == 0) ? par >> 4 : par & 0x0F);
    }
    v *= std::pow(10.0, exponente - digitos);
    return (marca & 0x80) ? -v : v;
}

double ValorFecha(const char* k) {
    double v;
    std::memcpy(&v, k, sizeof v);
    return v;
}

}  // namespace

std::string ClaveNumericaMdx(double valor) {
    std::string clave(12, '\0');
    if (!std::isfinite(valor)) valor = 0;
    const bool negativo = valor < 0;
    char texto[400];
    const auto r =
        std::to_chars(texto, texto + sizeof texto, std::fabs(valor), std::chars_format::fixed);
    const std::string_view s(texto, r.ptr - texto);
    const size_t punto = s.find('.');
    std::string enteros(s.substr(0, punto));
    std::string decimales(punto == std::string_view::npos ? "" : s.substr(punto + 1));
    // The exponent counts the digits before the point once leading zeros are
    // gone; a value below one has a zero or negative exponent.
    std::string digitos = enteros + decimales;
    int exponente = static_cast<int>(enteros.size());
    const size_t primero = digitos.find_first_not_of('0');
    if (primero == std::string::npos) {
        clave[0] = 52;
        clave[1] = 0x01;
        return clave;
    }
    digitos.erase(0, primero);
    exponente -= static_cast<int>(primero);
    digitos.erase(digitos.find_last_not_of('0') + 1);
    if (digitos.size() > kDigitosBcd) digitos.resize(kDigitosBcd);
    clave[0] = static_cast<char>(52 + exponente);
    clave[1] = static_cast<char>(0x01 | (digitos.size() << 2) | (negativo ? 0x80 : 0));
    for (size_t i = 0; i < digitos.size(); ++i) {
        const int d = digitos[i] - '0';
        clave[2 + i / 2] = static_cast<char>(clave[2 + i / 2] | (i % 2 == 0 ? d << 4 : d));
    }
    return clave;
}

std::string ClaveFechaMdx(double diaJuliano) {
    std::string clave(8, '\0');
    static_assert(sizeof(double) == 8);
    std::memcpy(clave.data(), &diaJuliano, 8);  // the platforms we build for are little-endian
    return clave;
}

namespace mdx {

void PonerFechaHoy(std::string& b, size_t off) {
    const std::tm t = SO().HoraLocal();
    b[off] = static_cast<char>(t.tm_year);
    b[off + 1] = static_cast<char>(t.tm_mon + 1);
    b[off + 2] = static_cast<char>(t.tm_mday);
}

int CompararClaves(char tipo, const char* a, const char* b, int longitud) {
    if (tipo == 'C') return std::memcmp(a, b, longitud);
    const double x = tipo == 'N' ? ValorBcd(a) : ValorFecha(a);
    const double y = tipo == 'N' ? ValorBcd(b) : ValorFecha(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace mdx
}  // namespace brisolt
