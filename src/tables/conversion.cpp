#include "tables/conversion.h"

#include <charconv>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "tables/error.h"

namespace brisolt {

namespace {

char separadorFijado = '\0';

char SeparadorDelEntorno() {
    // Read the user's LC_NUMERIC without leaving it in force: the rest of the
    // program (and the C library's printf) keeps formatting with ".".
    static const char separador = [] {
        const char* previo = std::setlocale(LC_NUMERIC, nullptr);
        const std::string guardado = previo != nullptr ? previo : "C";
        char s = '.';
        if (std::setlocale(LC_NUMERIC, "") != nullptr) {
            const std::lconv* lc = std::localeconv();
            if (lc != nullptr && lc->decimal_point != nullptr && lc->decimal_point[0] != '\0' &&
                lc->decimal_point[1] == '\0')
                s = lc->decimal_point[0];
        }
        std::setlocale(LC_NUMERIC, guardado.c_str());
        return s;
    }();
    return separador;
}

bool EsDigitoHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int ValorHex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

bool LeerEntero(std::string_view t, int32_t* valor) {
    size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negativo = t[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < t.size() && t[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= t.size()) return false;
    if (hex) {
        uint32_t v = 0;
        int significativas = 0;
        for (; i < t.size(); ++i) {
            if (!EsDigitoHex(t[i])) return false;
            const int d = ValorHex(t[i]);
            if (significativas > 0 || d != 0) ++significativas;
            if (significativas > 8) return false;
            v = (v << 4) | static_cast<uint32_t>(d);
        }
        int32_t patron = static_cast<int32_t>(v);
        if (negativo) patron = static_cast<int32_t>(0u - v);
        if (valor != nullptr) *valor = patron;
        return true;
    }
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        v = v * 10 + (t[i] - '0');
        if (v > 2147483648LL) return false;
    }
    if (negativo) v = -v;
    if (v > 2147483647LL) return false;
    if (valor != nullptr) *valor = static_cast<int32_t>(v);
    return true;
}

bool LeerFlotante(std::string_view t, char separador, double* valor) {
    size_t i = 0, fin = t.size();
    while (i < fin && t[i] == ' ') ++i;
    while (fin > i && t[fin - 1] == ' ') --fin;
    std::string c;  // the same number in the C library's spelling
    if (i < fin && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-') c += '-';
        ++i;
    }
    size_t digitos = 0;
    while (i < fin && t[i] >= '0' && t[i] <= '9') {
        c += t[i++];
        ++digitos;
    }
    if (i < fin && t[i] == separador) {
        c += '.';
        ++i;
        while (i < fin && t[i] >= '0' && t[i] <= '9') {
            c += t[i++];
            ++digitos;
        }
    }
    if (digitos == 0) return false;
    if (i < fin && (t[i] == 'e' || t[i] == 'E')) {
        c += 'e';
        ++i;
        if (i < fin && (t[i] == '+' || t[i] == '-')) c += t[i++];
        size_t exp = 0;
        while (i < fin && t[i] >= '0' && t[i] <= '9') {
            c += t[i++];
            ++exp;
        }
        if (exp == 0) return false;
    }
    if (i != fin) return false;
    double v = 0;
    const auto r = std::from_chars(c.data(), c.data() + c.size(), v);
    if (r.ptr != c.data() + c.size()) {
        if (r.ec != std::errc::result_out_of_range) return false;
        return false;
    }
    if (valor != nullptr) *valor = v;
    return true;
}

// Day 0 of a date field's count.
constexpr std::chrono::sys_days kDiaCero{std::chrono::year{1899} / 12 / 30};

}  // namespace

char SeparadorDecimal() {
    return separadorFijado != '\0' ? separadorFijado : SeparadorDelEntorno();
}

void FijarSeparadorDecimal(char separador) {
    separadorFijado = separador;
}

int32_t TextoAEntero(std::string_view texto) {
    int32_t v = 0;
    if (!LeerEntero(texto, &v))
        throw Error(Formato("'%s' no es un valor entero válido", std::string(texto)));
    return v;
}

bool EsEntero(std::string_view texto, int32_t* valor) {
    return LeerEntero(texto, valor);
}

double TextoAFlotante(std::string_view texto) {
    double v = 0;
    if (!LeerFlotante(texto, SeparadorDecimal(), &v))
        throw Error(Formato("'%s' no es un valor punto flotante válido", std::string(texto)));
    return v;
}

bool EsFlotante(std::string_view texto, double* valor) {
    return LeerFlotante(texto, SeparadorDecimal(), valor);
}

std::string FlotanteATexto(double valor) {
    if (std::isnan(valor)) return "NAN";
    if (std::isinf(valor)) return valor > 0 ? "INF" : "-INF";
    if (valor == 0) return "0";
    // 15 significant digits, then the fixed or scientific layout of the
    // general format.
    // Locale-free, so the only separator in the result is the one put below.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::scientific, 14);
    std::string s(buf, r.ptr);
    const auto e = s.find('e');
    const int exponente = std::stoi(s.substr(e + 1));
    std::string mantisa = s.substr(0, e);
    const bool negativo = mantisa[0] == '-';
    if (negativo) mantisa.erase(0, 1);
    std::string digitos;
    for (char c : mantisa)
        if (c != '.') digitos += c;
    while (digitos.size() > 1 && digitos.back() == '0') digitos.pop_back();
    const char sep = SeparadorDecimal();
    std::string salida = negativo ? "-" : "";
    if (exponente < 15 && std::fabs(valor) >= 0.00001) {
        if (exponente < 0) {
            salida += '0';
            salida += sep;
            salida.append(static_cast<size_t>(-exponente - 1), '0');
            salida += digitos;
        } else {
            const size_t enteros = static_cast<size_t>(exponente) + 1;
            if (digitos.size() <= enteros) {
                salida += digitos;
                salida.append(enteros - digitos.size(), '0');
            } else {
                salida += digitos.substr(0, enteros);
                salida += sep;
                salida += digitos.substr(enteros);
            }
        }
        return salida;
    }
    salida += digitos[0];
    if (digitos.size() > 1) {
        salida += sep;
        salida += digitos.substr(1);
    }
    salida += 'E';
    if (exponente < 0) salida += '-';
    salida += std::to_string(std::abs(exponente));
    return salida;
}

std::string FlotanteExacto(double valor) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor);
    return std::string(buf, r.ptr);
}

double FechaADias(int anio, int mes, int dia) {
    namespace ch = std::chrono;
    const ch::sys_days fecha{ch::year{anio} / ch::month{static_cast<unsigned>(mes)} /
                             ch::day{static_cast<unsigned>(dia)}};
    return static_cast<double>((fecha - kDiaCero).count());
}

void DiasAFecha(double dias, int* anio, int* mes, int* dia) {
    namespace ch = std::chrono;
    const ch::year_month_day fecha{kDiaCero + ch::days{static_cast<int64_t>(std::floor(dias))}};
    if (anio != nullptr) *anio = static_cast<int>(fecha.year());
    if (mes != nullptr) *mes = static_cast<int>(static_cast<unsigned>(fecha.month()));
    if (dia != nullptr) *dia = static_cast<int>(static_cast<unsigned>(fecha.day()));
}

}  // namespace brisolt
