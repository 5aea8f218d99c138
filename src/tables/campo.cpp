#include "tables/campo.h"

#include <bit>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "tables/conversion.h"
#include "tables/error.h"

namespace brisolt::codec {

namespace {

std::string_view Bytes(const DescCampo& c, const char* r) {
    return std::string_view(r + c.desplazamiento, static_cast<size_t>(c.info.ancho));
}
char* Destino(const DescCampo& c, char* r) {
    return r + c.desplazamiento;
}

std::string_view SinRelleno(std::string_view s) {
    size_t fin = s.size();
    while (fin > 0 && (s[fin - 1] == ' ' || s[fin - 1] == '\0')) --fin;
    return s.substr(0, fin);
}

std::string_view Recortar(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\0')) ++i;
    return SinRelleno(s.substr(i));
}

template <class T>
T LeerLE(const char* p) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, p, sizeof(T));
    uint64_t v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) v |= static_cast<uint64_t>(b[i]) << (8 * i);
    if constexpr (std::is_same_v<T, double>)
        return std::bit_cast<double>(v);
    else
        return static_cast<T>(v);
}

template <class T>
void EscribirLE(char* p, T valor) {
    uint64_t v;
    if constexpr (std::is_same_v<T, double>)
        v = std::bit_cast<uint64_t>(valor);
    else
        v = static_cast<uint64_t>(valor);
    for (size_t i = 0; i < sizeof(T); ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

enum class Clase { Texto, Numero, Fecha, Logico, Memo, Entero4, Doble, Moneda, FechaHora, Oculto };

Clase ClaseDe(const DescCampo& c) {
    if (c.memo) return Clase::Memo;
    switch (c.info.tipo) {
        case 'N':
        case 'F':
            return Clase::Numero;
        case 'D':
            return Clase::Fecha;
        case 'L':
            return Clase::Logico;
        case 'I':
        case '+':
            return c.info.ancho == 4 ? Clase::Entero4 : Clase::Texto;
        case 'B':
        case 'O':
            return c.info.ancho == 8 ? Clase::Doble : Clase::Texto;
        case 'Y':
            return c.info.ancho == 8 ? Clase::Moneda : Clase::Texto;
        case 'T':
        case '@':
            return c.info.ancho == 8 ? Clase::FechaHora : Clase::Texto;
        case '0':
            return Clase::Oculto;
        default:
            return Clase::Texto;
    }
}

// An ASCII number as N and F fields hold it: blanks (or NULs) around, an
// optional sign, digits with a point (or a comma, as some writers put), an
// optional exponent. All blanks is empty; anything else, the '*' of a number
// that overflowed its field included, is not a number.
Lectura NumeroAscii(std::string_view s, double* v) {
    s = Recortar(s);
    if (s.empty()) return Lectura::Vacio;
    std::string t;
    size_t i = 0;
    if (s[0] == '+' || s[0] == '-') {
        if (s[0] == '-') t += '-';
        i = 1;
    }
    // from_chars would also take "inf" and "nan".
    if (i >= s.size() || !((s[i] >= '0' && s[i] <= '9') || s[i] == '.' || s[i] == ','))
        return Lectura::NoNumero;
    for (; i < s.size(); ++i) t += s[i] == ',' ? '.' : s[i];
    double x = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), x);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(x))
        return Lectura::NoNumero;
    if (v != nullptr) *v = x;
    return Lectura::Numero;
}

bool FechaValida(int a, int m, int d) {
    namespace ch = std::chrono;
    return a >= 1 && a <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= 31 &&
           ch::year_month_day{ch::year{a} / ch::month{static_cast<unsigned>(m)} /
                              ch::day{static_cast<unsigned>(d)}}
               .ok();
}

bool FechaAscii(std::string_view s, double* dias) {
    if (s.size() != 8) return false;
    int v[8];
    for (int i = 0; i < 8; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v[i] = s[i] - '0';
    }
    const int a = v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3];
    const int m = v[4] * 10 + v[5], d = v[6] * 10 + v[7];
    if (!FechaValida(a, m, d)) return false;
    *dias = FechaADias(a, m, d);
    return true;
}

std::string DosCifras(int v) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

std::string FechaTexto(double dias, bool conHora) {
    int a, m, d;
    DiasAFecha(dias, &a, &m, &d);
    char b[32];
    std::snprintf(b, sizeof b, "%02d/%02d/%04d", d, m, a);
    std::string s = b;
    if (conHora) {
        const double fraccion = dias - std::floor(dias);
        long ms = std::lround(fraccion * 86400000.0);
        if (ms >= 86400000) ms = 86399999;
        const long seg = ms / 1000;
        s += " " + DosCifras(static_cast<int>(seg / 3600)) + ":" +
             DosCifras(static_cast<int>(seg / 60 % 60)) + ":" +
             DosCifras(static_cast<int>(seg % 60));
    }
    return s;
}

// "dd/mm/yyyy", "yyyy-mm-dd" or "yyyymmdd", optionally followed by "hh:mm[:ss]".
bool LeerFechaTexto(std::string_view t, double* dias) {
    t = Recortar(t);
    std::string_view fecha = t, hora;
    if (const auto esp = t.find(' '); esp != std::string_view::npos) {
        fecha = t.substr(0, esp);
        hora = Recortar(t.substr(esp + 1));
    }
    int n[3] = {0, 0, 0};
    int a = 0, m = 0, d = 0;
    auto numeros = [&](char sep) {
        int k = 0;
        size_t i = 0;
        while (k < 3) {
            size_t j = i;
            while (j < fecha.size() && fecha[j] >= '0' && fecha[j] <= '9') ++j;
            if (j == i || j - i > 4) return false;
            std::from_chars(fecha.data() + i, fecha.data() + j, n[k]);
            ++k;
            if (k < 3) {
                if (j >= fecha.size() || fecha[j] != sep) return false;
                i = j + 1;
            } else if (j != fecha.size()) {
                return false;
            }
        }
        return true;
    };
    if (fecha.find('/') != std::string_view::npos) {
        if (!numeros('/')) return false;
        d = n[0], m = n[1], a = n[2];
    } else if (fecha.find('-') != std::string_view::npos) {
        if (!numeros('-')) return false;
        a = n[0], m = n[1], d = n[2];
    } else {
        double v;
        if (!FechaAscii(fecha, &v)) return false;
        DiasAFecha(v, &a, &m, &d);
    }
    if (!FechaValida(a, m, d)) return false;
    double v = FechaADias(a, m, d);
    if (!hora.empty()) {
        int h = 0, mi = 0, s = 0;
        char extra = 0;
        const std::string hs(hora);
        const int leidos = std::sscanf(hs.c_str(), "%d:%d:%d%c", &h, &mi, &s, &extra);
        if (leidos < 2 || leidos > 3 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59)
            return false;
        v += (h * 3600 + mi * 60 + s) / 86400.0;
    }
    *dias = v;
    return true;
}

uint32_t BloqueMemo(const DescCampo& c, const char* r) {
    if (c.info.ancho == 4) return LeerLE<uint32_t>(r + c.desplazamiento);
    const std::string_view s = Recortar(Bytes(c, r));
    uint32_t v = 0;
    if (s.empty()) return 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return 0;
    return v;
}

void PonerBloqueMemo(const DescCampo& c, char* r, uint32_t bloque) {
    if (c.info.ancho == 4) {
        EscribirLE<uint32_t>(Destino(c, r), bloque);
        return;
    }
    std::memset(Destino(c, r), ' ', static_cast<size_t>(c.info.ancho));
    if (bloque == 0) return;
    const std::string s = std::to_string(bloque);
    if (s.size() > static_cast<size_t>(c.info.ancho))
        throw Error("El memo del campo '" + c.info.nombre + "' no cabe en el campo");
    std::memcpy(Destino(c, r) + c.info.ancho - static_cast<int>(s.size()), s.data(), s.size());
}

bool FechaHoraBinaria(const DescCampo& c, const char* r, double* dias) {
    const uint32_t jdn = LeerLE<uint32_t>(r + c.desplazamiento);
    const uint32_t ms = LeerLE<uint32_t>(r + c.desplazamiento + 4);
    if (jdn == 0 && ms == 0) return false;
    *dias = static_cast<double>(static_cast<int64_t>(jdn) - kJulianoDe18991230) + ms / 86400000.0;
    return true;
}

void PonerFechaHoraBinaria(const DescCampo& c, char* r, double dias) {
    const double dia = std::floor(dias);
    long ms = std::lround((dias - dia) * 86400000.0);
    if (ms >= 86400000) ms = 86399999;
    EscribirLE<uint32_t>(Destino(c, r),
                         static_cast<uint32_t>(static_cast<int64_t>(dia) + kJulianoDe18991230));
    EscribirLE<uint32_t>(Destino(c, r) + 4, static_cast<uint32_t>(ms));
}

[[noreturn]] void NoCabe(double valor, const DescCampo& c) {
    throw Error("El valor " + FlotanteATexto(valor) + " no cabe en el campo '" + c.info.nombre +
                "'");
}

int32_t Redondear32(double v, const DescCampo& c) {
    const double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) NoCabe(v, c);
    return static_cast<int32_t>(r);
}

bool TextoVerdadero(std::string_view t, bool* valor) {
    t = Recortar(t);
    if (t.empty()) return false;
    switch (t[0]) {
        case 'T':
        case 't':
        case 'Y':
        case 'y':
        case 'S':
        case 's':
            *valor = true;
            return true;
        case 'F':
        case 'f':
        case 'N':
        case 'n':
            *valor = false;
            return true;
        default:
            return false;
    }
}

}  // namespace

bool TextoAFecha(std::string_view texto, double* dias) {
    return LeerFechaTexto(texto, dias);
}

std::string NumeroEnCampo(double valor, const DescCampo& c) {
    if (!std::isfinite(valor))
        throw Error("El valor " + FlotanteATexto(valor) + " no es válido para el campo '" +
                    c.info.nombre + "'");
    const int dec = std::clamp(c.info.decimales, 0, 18);
    // Always "." in the file, whatever locale the process runs under (the
    // window's toolkit puts the user's in force, which printf would follow).
    // A finite double has at most 309 integer digits; with 18 decimals, a sign
    // and the point the text always fits.
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::fixed, dec);
    if (r.ec != std::errc()) NoCabe(valor, c);
    std::string s(buf, r.ptr);
    if (s[0] == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
    if (s.size() > static_cast<size_t>(c.info.ancho)) NoCabe(valor, c);
    return std::string(static_cast<size_t>(c.info.ancho) - s.size(), ' ') + s;
}

std::string ClaveOrdenable(double valor) {
    if (valor == 0) valor = 0;  // -0 and 0 are one key
    uint64_t b = std::bit_cast<uint64_t>(valor);
    b = (b & 0x8000000000000000ULL) ? ~b : (b | 0x8000000000000000ULL);
    std::string s(8, '\0');
    for (int i = 0; i < 8; ++i)
        s[static_cast<size_t>(i)] = static_cast<char>((b >> (56 - 8 * i)) & 0xFF);
    return s;
}

Lectura LeerNumero(const DescCampo& c, const char* r, double* v) {
    const auto leido = [](bool hay) { return hay ? Lectura::Numero : Lectura::Vacio; };
    switch (ClaseDe(c)) {
        case Clase::Numero:
            return NumeroAscii(Bytes(c, r), v);
        case Clase::Entero4:
            *v = LeerLE<int32_t>(r + c.desplazamiento);
            return Lectura::Numero;
        case Clase::Doble:
            *v = LeerLE<double>(r + c.desplazamiento);
            return Lectura::Numero;
        case Clase::Moneda:
            *v = static_cast<double>(LeerLE<int64_t>(r + c.desplazamiento)) / 10000.0;
            return Lectura::Numero;
        case Clase::Fecha:
            return leido(FechaAscii(Bytes(c, r), v));
        case Clase::FechaHora:
            return leido(FechaHoraBinaria(c, r, v));
        default:
            return Lectura::Vacio;
    }
}

bool Entera(const DescCampo& c) {
    return ClaseDe(c) == Clase::Entero4 || (c.info.tipo == 'N' && c.info.decimales == 0);
}

void NoEsNumero(const ArchivoTabla& a, const DescCampo& c, const char* r, uint32_t recno,
                bool entero) {
    std::string texto = a.Pagina().AUtf8(Recortar(Bytes(c, r)));
    for (char& ch : texto)
        if (static_cast<unsigned char>(ch) < 0x20) ch = '?';
    const char* plantilla =
        entero ? "'%s' no es un valor entero válido" : "'%s' no es un valor punto flotante válido";
    throw Error(Formato(plantilla, texto) + " (tabla '" + a.Ruta() + "', registro " +
                std::to_string(recno) + ", campo '" + c.info.nombre + "')");
}

namespace {

// The field's value for a read that takes it as a number: false when blank.
bool NumeroLeido(const ArchivoTabla& a, const DescCampo& c, const char* r, uint32_t recno,
                 bool entero, double* v) {
    switch (LeerNumero(c, r, v)) {
        case Lectura::Numero:
            return true;
        case Lectura::Vacio:
            return false;
        case Lectura::NoNumero:
            break;
    }
    NoEsNumero(a, c, r, recno, entero);
}

}  // namespace

bool Nulo(ArchivoTabla&, const DescCampo& c, const char* r) {
    double v;
    switch (ClaseDe(c)) {
        case Clase::Texto:
            return SinRelleno(Bytes(c, r)).empty();
        case Clase::Numero:
        case Clase::Fecha:
        case Clase::FechaHora:
            return LeerNumero(c, r, &v) == Lectura::Vacio;
        case Clase::Logico: {
            bool b;
            return !TextoVerdadero(Bytes(c, r), &b);
        }
        case Clase::Memo:
            return BloqueMemo(c, r) == 0;
        default:
            return false;
    }
}

std::string Texto(ArchivoTabla& a, const DescCampo& c, const char* r, uint32_t recno) {
    double v = 0;
    switch (ClaseDe(c)) {
        case Clase::Texto:
            return a.Pagina().AUtf8(SinRelleno(Bytes(c, r)));
        case Clase::Numero:
        case Clase::Doble:
        case Clase::Moneda:
            return NumeroLeido(a, c, r, recno, Entera(c), &v) ? FlotanteATexto(v) : std::string();
        case Clase::Entero4:
            return std::to_string(LeerLE<int32_t>(r + c.desplazamiento));
        case Clase::Fecha:
            return LeerNumero(c, r, &v) == Lectura::Numero ? FechaTexto(v, false) : std::string();
        case Clase::FechaHora:
            return LeerNumero(c, r, &v) == Lectura::Numero ? FechaTexto(v, true) : std::string();
        case Clase::Logico: {
            bool b;
            if (!TextoVerdadero(Bytes(c, r), &b)) return {};
            return b ? "True" : "False";
        }
        case Clase::Memo: {
            const uint32_t bloque = BloqueMemo(c, r);
            if (bloque == 0) return {};
            std::string datos = a.LeerMemo(bloque);
            return c.info.tipo == 'M' ? a.Pagina().AUtf8(datos) : datos;
        }
        case Clase::Oculto:
            return {};
    }
    return {};
}

int32_t Entero(ArchivoTabla& a, const DescCampo& c, const char* r, uint32_t recno) {
    double v = 0;
    switch (ClaseDe(c)) {
        case Clase::Texto:
        case Clase::Memo:
            return TextoAEntero(Texto(a, c, r, recno));
        case Clase::Logico:
            return Logico(a, c, r, recno) ? 1 : 0;
        case Clase::Fecha:
        case Clase::FechaHora:
            return LeerNumero(c, r, &v) == Lectura::Numero ? static_cast<int32_t>(std::floor(v))
                                                           : 0;
        case Clase::Oculto:
            return 0;
        default:
            if (!NumeroLeido(a, c, r, recno, true, &v)) return 0;
            {
                const double redondo = std::nearbyint(v);
                if (!(redondo >= -2147483648.0 && redondo <= 2147483647.0))
                    throw Error(Formato("'%s' no es un valor entero válido", FlotanteATexto(v)));
                return static_cast<int32_t>(redondo);
            }
    }
}

double Flotante(ArchivoTabla& a, const DescCampo& c, const char* r, uint32_t recno) {
    double v = 0;
    switch (ClaseDe(c)) {
        case Clase::Texto:
        case Clase::Memo:
            return TextoAFlotante(Texto(a, c, r, recno));
        case Clase::Logico:
            return Logico(a, c, r, recno) ? 1 : 0;
        case Clase::Oculto:
            return 0;
        default:
            return NumeroLeido(a, c, r, recno, false, &v) ? v : 0;
    }
}

bool Logico(ArchivoTabla& a, const DescCampo& c, const char* r, uint32_t recno) {
    bool b = false;
    double v = 0;
    switch (ClaseDe(c)) {
        case Clase::Logico:
            return TextoVerdadero(Bytes(c, r), &b) && b;
        case Clase::Texto:
        case Clase::Memo:
            return TextoVerdadero(Texto(a, c, r, recno), &b) && b;
        case Clase::Oculto:
            return false;
        default:
            return NumeroLeido(a, c, r, recno, Entera(c), &v) && v != 0;
    }
}

double FechaHora(ArchivoTabla& a, const DescCampo& c, const char* r, uint32_t recno) {
    double v = 0;
    switch (ClaseDe(c)) {
        case Clase::Texto:
        case Clase::Memo: {
            const std::string t = Texto(a, c, r, recno);
            if (t.empty()) return 0;
            if (!LeerFechaTexto(t, &v)) throw Error(Formato("'%s' no es una fecha válida", t));
            return v;
        }
        case Clase::Logico:
        case Clase::Oculto:
            return 0;
        default:
            return NumeroLeido(a, c, r, recno, Entera(c), &v) ? v : 0;
    }
}

void Limpiar(const DescCampo& c, char* r) {
    std::memset(Destino(c, r), c.binario ? '\0' : ' ', static_cast<size_t>(c.info.ancho));
}

void PonerTexto(ArchivoTabla& a, const DescCampo& c, char* r, std::string_view valor) {
    switch (ClaseDe(c)) {
        case Clase::Texto: {
            const std::string b = a.Pagina().DesdeUtf8(valor, static_cast<size_t>(c.info.ancho));
            Limpiar(c, r);
            std::memcpy(Destino(c, r), b.data(),
                        std::min(b.size(), static_cast<size_t>(c.info.ancho)));
            return;
        }
        case Clase::Numero:
        case Clase::Doble:
        case Clase::Moneda:
            if (Recortar(valor).empty()) return Limpiar(c, r);
            return PonerFlotante(a, c, r, TextoAFlotante(valor));
        case Clase::Entero4:
            if (Recortar(valor).empty()) return Limpiar(c, r);
            return PonerEntero(a, c, r, TextoAEntero(valor));
        case Clase::Fecha:
        case Clase::FechaHora: {
            if (Recortar(valor).empty()) return Limpiar(c, r);
            double v;
            if (!LeerFechaTexto(valor, &v))
                throw Error(Formato("'%s' no es una fecha válida", std::string(valor)));
            return PonerFechaHora(a, c, r, v);
        }
        case Clase::Logico: {
            if (Recortar(valor).empty()) return Limpiar(c, r);
            bool b;
            if (!TextoVerdadero(valor, &b))
                throw Error(Formato("'%s' no es un valor lógico válido", std::string(valor)));
            return PonerLogico(a, c, r, b);
        }
        case Clase::Memo: {
            if (valor.empty()) return PonerBloqueMemo(c, r, 0);
            const std::string datos =
                c.info.tipo == 'M' ? a.Pagina().DesdeUtf8(valor) : std::string(valor);
            return PonerBloqueMemo(c, r, a.EscribirMemo(datos));
        }
        case Clase::Oculto:
            return;
    }
}

void PonerEntero(ArchivoTabla& a, const DescCampo& c, char* r, int32_t valor) {
    switch (ClaseDe(c)) {
        case Clase::Texto:
        case Clase::Memo:
            return PonerTexto(a, c, r, std::to_string(valor));
        case Clase::Entero4:
            return EscribirLE<int32_t>(Destino(c, r), valor);
        default:
            return PonerFlotante(a, c, r, valor);
    }
}

void PonerFlotante(ArchivoTabla& a, const DescCampo& c, char* r, double valor) {
    switch (ClaseDe(c)) {
        case Clase::Texto:
        case Clase::Memo:
            return PonerTexto(a, c, r, FlotanteATexto(valor));
        case Clase::Numero: {
            const std::string s = NumeroEnCampo(valor, c);
            std::memcpy(Destino(c, r), s.data(), s.size());
            return;
        }
        case Clase::Entero4:
            return EscribirLE<int32_t>(Destino(c, r), Redondear32(valor, c));
        case Clase::Doble:
            return EscribirLE<double>(Destino(c, r), valor);
        case Clase::Moneda: {
            const double escalado = std::nearbyint(valor * 10000.0);
            if (!(std::fabs(escalado) < 9.2e18)) NoCabe(valor, c);
            return EscribirLE<int64_t>(Destino(c, r), static_cast<int64_t>(escalado));
        }
        case Clase::Fecha:
        case Clase::FechaHora:
            return PonerFechaHora(a, c, r, valor);
        case Clase::Logico:
            return PonerLogico(a, c, r, valor != 0);
        case Clase::Oculto:
            return;
    }
}

void PonerLogico(ArchivoTabla& a, const DescCampo& c, char* r, bool valor) {
    switch (ClaseDe(c)) {
        case Clase::Logico:
            *Destino(c, r) = valor ? 'T' : 'F';
            return;
        case Clase::Texto:
        case Clase::Memo:
            return PonerTexto(a, c, r, valor ? "T" : "F");
        case Clase::Fecha:
        case Clase::FechaHora:
            throw Error("No se puede asignar un valor lógico al campo '" + c.info.nombre + "'");
        case Clase::Oculto:
            return;
        default:
            return PonerFlotante(a, c, r, valor ? 1 : 0);
    }
}

void PonerFechaHora(ArchivoTabla& a, const DescCampo& c, char* r, double valor) {
    switch (ClaseDe(c)) {
        case Clase::Fecha: {
            if (!std::isfinite(valor)) NoCabe(valor, c);
            int an, m, d;
            DiasAFecha(valor, &an, &m, &d);
            if (!FechaValida(an, m, d)) NoCabe(valor, c);
            char b[16];
            std::snprintf(b, sizeof b, "%04d%02d%02d", an, m, d);
            std::memcpy(Destino(c, r), b, 8);
            return;
        }
        case Clase::FechaHora:
            if (!std::isfinite(valor)) NoCabe(valor, c);
            return PonerFechaHoraBinaria(c, r, valor);
        case Clase::Texto:
        case Clase::Memo:
            return PonerTexto(a, c, r, FechaTexto(valor, valor != std::floor(valor)));
        case Clase::Logico:
            throw Error("No se puede asignar una fecha al campo '" + c.info.nombre + "'");
        case Clase::Oculto:
            return;
        default:
            return PonerFlotante(a, c, r, valor);
    }
}

void PonerTextoTecleado(ArchivoTabla& a, const DescCampo& c, char* r, std::string_view texto) {
    const Clase k = ClaseDe(c);
    const bool numerica =
        k == Clase::Numero || k == Clase::Entero4 || k == Clase::Doble || k == Clase::Moneda;
    if (!numerica) return PonerTexto(a, c, r, texto);
    if (Recortar(texto).empty()) return Limpiar(c, r);
    const bool entera = k == Clase::Entero4 || (k == Clase::Numero && c.info.decimales == 0);
    const std::string t(texto);
    if (entera) {
        int32_t v;
        if (!EsEntero(t, &v))
            throw Error("'" + t + "' no es un valor entero válido para el campo '" + c.info.nombre +
                        "'");
        return PonerEntero(a, c, r, v);
    }
    double v;
    if (!EsFlotante(t, &v))
        throw Error("'" + t + "' no es un valor punto flotante válido para el campo '" +
                    c.info.nombre + "'");
    PonerFlotante(a, c, r, v);
}

}  // namespace brisolt::codec
