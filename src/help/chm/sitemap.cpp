#include "help/chm/sitemap.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string_view>

namespace brisolt::chm {
namespace {

void PonerUtf8(std::string& s, std::uint32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool EsUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80         ? 0
                              : (c >> 5) == 6  ? 1
                              : (c >> 4) == 14 ? 2
                              : (c >> 3) == 30 ? 3
                                               : 4;
        if (n == 4) return false;
        for (std::size_t k = 1; k <= n; ++k)
            if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n + 1;
    }
    return true;
}

// Windows-1252 differs from Latin-1 only in 0x80-0x9F.
constexpr std::uint16_t kCp1252[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

const std::map<std::string_view, std::uint32_t>& Nombradas() {
    static const std::map<std::string_view, std::uint32_t> tabla = {
        {"amp", '&'},     {"lt", '<'},      {"gt", '>'},      {"quot", '"'},    {"apos", '\''},
        {"nbsp", 0xA0},   {"iexcl", 0xA1},  {"copy", 0xA9},   {"ordf", 0xAA},   {"laquo", 0xAB},
        {"reg", 0xAE},    {"middot", 0xB7}, {"ordm", 0xBA},   {"raquo", 0xBB},  {"iquest", 0xBF},
        {"Agrave", 0xC0}, {"Aacute", 0xC1}, {"Ccedil", 0xC7}, {"Egrave", 0xC8}, {"Eacute", 0xC9},
        {"Iacute", 0xCD}, {"Iuml", 0xCF},   {"Ntilde", 0xD1}, {"Ograve", 0xD2}, {"Oacute", 0xD3},
        {"Uacute", 0xDA}, {"Uuml", 0xDC},   {"agrave", 0xE0}, {"aacute", 0xE1}, {"ccedil", 0xE7},
        {"egrave", 0xE8}, {"eacute", 0xE9}, {"iacute", 0xED}, {"iuml", 0xEF},   {"ntilde", 0xF1},
        {"ograve", 0xF2}, {"oacute", 0xF3}, {"uacute", 0xFA}, {"uuml", 0xFC},   {"euro", 0x20AC},
    };
    return tabla;
}

std::string Minusculas(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// One tag: its name in lower case (with a leading "/" when closing) and attributes.
struct Etiqueta {
    std::string nombre;
    std::map<std::string, std::string> atributos;  // names in lower case, values decoded
};

Etiqueta LeerEtiqueta(std::string_view t) {
    Etiqueta e;
    std::size_t i = 0;
    auto saltarBlancos = [&] {
        while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
    };
    saltarBlancos();
    const auto inicioNombre = i;
    while (i < t.size() && !std::isspace(static_cast<unsigned char>(t[i])) && t[i] != '/') ++i;
    if (i == inicioNombre && i < t.size() && t[i] == '/') {
        ++i;
        while (i < t.size() && !std::isspace(static_cast<unsigned char>(t[i]))) ++i;
    }
    e.nombre = Minusculas(std::string(t.substr(inicioNombre, i - inicioNombre)));
    while (i < t.size()) {
        saltarBlancos();
        const auto inicio = i;
        while (i < t.size() && t[i] != '=' && !std::isspace(static_cast<unsigned char>(t[i])) &&
               t[i] != '/')
            ++i;
        if (i == inicio) {
            ++i;
            continue;
        }
        auto nombre = Minusculas(std::string(t.substr(inicio, i - inicio)));
        saltarBlancos();
        std::string valor;
        if (i < t.size() && t[i] == '=') {
            ++i;
            saltarBlancos();
            if (i < t.size() && (t[i] == '"' || t[i] == '\'')) {
                const char comilla = t[i++];
                const auto fin = t.find(comilla, i);
                valor = std::string(t.substr(i, fin == std::string_view::npos ? t.npos : fin - i));
                i = fin == std::string_view::npos ? t.size() : fin + 1;
            } else {
                const auto desde = i;
                while (i < t.size() && !std::isspace(static_cast<unsigned char>(t[i]))) ++i;
                valor = std::string(t.substr(desde, i - desde));
            }
        }
        e.atributos[nombre] = DecodificarEntidades(valor);
    }
    return e;
}

}  // namespace

std::string AUtf8(const std::string& texto) {
    if (EsUtf8(texto)) return texto;
    std::string s;
    s.reserve(texto.size() + texto.size() / 8);
    for (const char ch : texto) {
        const auto c = static_cast<unsigned char>(ch);
        PonerUtf8(s, c >= 0x80 && c < 0xA0 ? kCp1252[c - 0x80] : c);
    }
    return s;
}

std::string DecodificarEntidades(const std::string& texto) {
    std::string s;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const auto fin = texto[i] == '&' ? texto.find(';', i) : std::string::npos;
        if (fin == std::string::npos || fin - i > 12) {
            s += texto[i];
            continue;
        }
        const auto cuerpo = texto.substr(i + 1, fin - i - 1);
        std::uint32_t codigo = 0;
        bool valido = false;
        if (cuerpo.size() > 1 && cuerpo[0] == '#') {
            const bool hex = cuerpo[1] == 'x' || cuerpo[1] == 'X';
            const auto digitos = cuerpo.substr(hex ? 2 : 1);
            char* resto = nullptr;
            const auto n = std::strtoul(digitos.c_str(), &resto, hex ? 16 : 10);
            valido = !digitos.empty() && *resto == '\0' && n > 0 && n < 0x110000;
            codigo = static_cast<std::uint32_t>(n);
        } else if (const auto it = Nombradas().find(cuerpo); it != Nombradas().end()) {
            valido = true;
            codigo = it->second;
        }
        if (!valido) {
            s += texto[i];
            continue;
        }
        PonerUtf8(s, codigo);
        i = fin;
    }
    return s;
}

std::vector<EntradaMapa> LeerMapa(const std::string& bruto) {
    const auto html = AUtf8(bruto);
    std::vector<EntradaMapa> raiz;
    // The open lists, innermost last. Pointers into parents stay valid because a
    // parent list only grows again once its child list is closed.
    std::vector<std::vector<EntradaMapa>*> listas{&raiz};
    bool recienAnadida = false;  // the innermost list's last element is the latest entry
    bool enObjeto = false, objetoMapa = false;
    EntradaMapa actual;

    // "</OBJECT>" is often missing: an entry also ends where the next list tag begins.
    auto terminar = [&] {
        if (enObjeto && objetoMapa && (!actual.nombre.empty() || !actual.local.empty())) {
            listas.back()->push_back(std::move(actual));
            recienAnadida = true;
        }
        actual = {};
        enObjeto = false;
    };

    for (std::size_t i = html.find('<'); i != std::string::npos; i = html.find('<', i)) {
        if (html.compare(i, 4, "<!--") == 0) {
            const auto fin = html.find("-->", i);
            i = fin == std::string::npos ? fin : fin + 3;
            continue;
        }
        const auto fin = html.find('>', i);
        if (fin == std::string::npos) break;
        const auto e = LeerEtiqueta(std::string_view(html).substr(i + 1, fin - i - 1));
        i = fin + 1;

        if (e.nombre == "ul") {
            terminar();
            // A list right after an entry holds that entry's children; any other
            // list is taken as part of the one around it.
            auto* actualLista = listas.back();
            listas.push_back(recienAnadida ? &actualLista->back().hijos : actualLista);
            recienAnadida = false;
        } else if (e.nombre == "/ul") {
            terminar();
            if (listas.size() > 1) listas.pop_back();
            recienAnadida = false;
        } else if (e.nombre == "li" || e.nombre == "/object") {
            terminar();
        } else if (e.nombre == "object") {
            terminar();
            enObjeto = true;
            const auto tipo = e.atributos.find("type");
            objetoMapa = tipo != e.atributos.end() && Minusculas(tipo->second) == "text/sitemap";
        } else if (e.nombre == "param" && enObjeto && objetoMapa) {
            const auto nombre = e.atributos.find("name");
            const auto valor = e.atributos.find("value");
            if (nombre == e.atributos.end() || valor == e.atributos.end()) continue;
            const auto clave = Minusculas(nombre->second);
            // The first of each: later "Name"s of an index entry are see-also titles.
            if (clave == "name" && actual.nombre.empty()) actual.nombre = valor->second;
            if (clave == "local" && actual.local.empty()) actual.local = valor->second;
        }
    }
    terminar();
    return raiz;
}

}  // namespace brisolt::chm
