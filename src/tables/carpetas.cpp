#include "tables/carpetas.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

namespace brisolt {

namespace {

bool EsRutaWindows(std::string_view ruta) {
    return ruta.size() >= 2 && (ruta[0] == 'C' || ruta[0] == 'c') && ruta[1] == ':';
}

// ASCII letters and the Latin-1 letters of UTF-8 (U+00C0..U+00DE against
// U+00E0..U+00FE) fold together, so "VALENCIÁ" finds "valenciá".
std::string Plegar(std::string_view s) {
    std::string r(s);
    for (size_t i = 0; i < r.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(r[i]);
        if (c >= 'A' && c <= 'Z') {
            r[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < r.size()) {
            unsigned char d = static_cast<unsigned char>(r[i + 1]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97) r[i + 1] = static_cast<char>(d + 0x20);
            ++i;
        }
    }
    return r;
}

std::vector<std::string> Componentes(std::string_view ruta, bool windows) {
    std::vector<std::string> partes;
    std::string actual;
    for (char c : ruta) {
        if (c == '/' || (windows && c == '\\')) {
            if (!actual.empty()) partes.push_back(actual);
            actual.clear();
        } else {
            actual += c;
        }
    }
    if (!actual.empty()) partes.push_back(actual);
    return partes;
}

bool Existe(const std::string& ruta) {
    struct stat st;
    return ::lstat(ruta.c_str(), &st) == 0;
}

// The entry of `carpeta` that matches `nombre` without regard to case, or
// empty. The exact spelling wins; among other spellings the smallest, so the
// answer does not depend on the directory's order.
std::string BuscarEntrada(const std::string& carpeta, const std::string& nombre) {
    DIR* d = ::opendir(carpeta.empty() ? "." : carpeta.c_str());
    if (d == nullptr) return {};
    const std::string buscado = Plegar(nombre);
    std::string mejor;
    while (dirent* e = ::readdir(d)) {
        const std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        if (Plegar(n) != buscado) continue;
        if (n == nombre) {
            mejor = n;
            break;
        }
        if (mejor.empty() || n < mejor) mejor = n;
    }
    ::closedir(d);
    return mejor;
}

std::string SinBarraFinal(std::string ruta) {
    while (ruta.size() > 1 && ruta.back() == '/') ruta.pop_back();
    return ruta;
}

// The path with its links resolved, or as it is when it cannot be.
std::string Resuelta(const std::string& ruta) {
    char* resuelta = ::realpath(ruta.c_str(), nullptr);
    if (resuelta == nullptr) return ruta;
    std::string r(resuelta);
    std::free(resuelta);
    return r;
}

// Whether `ruta` is `raiz` or lies below it; `resto` gets what follows.
bool Debajo(const std::string& ruta, const std::string& raiz, std::string* resto) {
    if (ruta == raiz) {
        resto->clear();
        return true;
    }
    const std::string prefijo = raiz == "/" ? raiz : raiz + "/";
    if (ruta.compare(0, prefijo.size(), prefijo) != 0) return false;
    *resto = ruta.substr(prefijo.size());
    return true;
}

}  // namespace

std::string UnidadC() {
    if (const char* c = std::getenv("BRISOLT_DRIVE_C"); c != nullptr && *c != '\0') return c;
    if (const char* w = std::getenv("WINEPREFIX"); w != nullptr && *w != '\0')
        return std::string(w) + "/drive_c";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.wine/drive_c";
}

std::string RutaNativa(std::string_view ruta) {
    const bool windows = EsRutaWindows(ruta);
    std::string base;
    std::vector<std::string> partes;
    if (windows) {
        base = UnidadC();
        while (base.size() > 1 && base.back() == '/') base.pop_back();
        partes = Componentes(ruta.substr(2), true);
    } else {
        if (!ruta.empty() && ruta[0] == '/') base = "/";
        partes = Componentes(ruta, false);
    }
    std::string salida = base;
    bool buscar = true;  // once a component is missing, nothing below it exists
    for (const auto& p : partes) {
        std::string nombre = p;
        if (buscar && p != "." && p != "..") {
            const std::string candidata =
                salida.empty() ? p : (salida.back() == '/' ? salida + p : salida + "/" + p);
            if (!Existe(candidata)) {
                const std::string hallada = BuscarEntrada(salida, p);
                if (hallada.empty())
                    buscar = false;
                else
                    nombre = hallada;
            }
        }
        if (salida.empty())
            salida = nombre;
        else if (salida.back() == '/')
            salida += nombre;
        else
            salida += "/" + nombre;
    }
    if (salida.empty()) salida = windows ? base : std::string(ruta);
    return salida;
}

std::string RutaWindows(std::string_view nativa) {
    const std::string ruta = SinBarraFinal(std::string(nativa));
    if (ruta.empty() || ruta[0] != '/') return std::string(nativa);
    const std::string raiz = SinBarraFinal(UnidadC());
    std::string resto;
    // The drive may be reached through a link, or the path through one.
    if (!Debajo(ruta, raiz, &resto) && !Debajo(Resuelta(ruta), Resuelta(raiz), &resto))
        return std::string(nativa);
    std::string windows = "C:\\";
    for (const char c : resto) windows += c == '/' ? '\\' : c;
    return windows;
}

std::string UnirRuta(std::string_view carpeta, std::string_view nombre) {
    if (carpeta.empty()) return std::string(nombre);
    const bool windows = EsRutaWindows(carpeta) || carpeta.find('\\') != std::string_view::npos;
    const char sep = windows ? '\\' : '/';
    std::string r(carpeta);
    if (r.back() != '/' && r.back() != '\\') r += sep;
    r += nombre;
    return r;
}

bool ExisteArchivo(std::string_view ruta) {
    struct stat st;
    return ::stat(RutaNativa(ruta).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ExisteCarpeta(std::string_view ruta) {
    struct stat st;
    return ::stat(RutaNativa(ruta).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CrearCarpetas(std::string_view ruta) {
    const std::string nativa = RutaNativa(ruta);
    if (nativa.empty()) return false;
    std::string parcial;
    size_t i = 0;
    if (nativa[0] == '/') {
        parcial = "/";
        i = 1;
    }
    while (i <= nativa.size()) {
        size_t fin = nativa.find('/', i);
        if (fin == std::string::npos) fin = nativa.size();
        if (fin > i) {
            parcial += nativa.substr(i, fin - i);
            if (::mkdir(parcial.c_str(), 0777) != 0 && errno != EEXIST) return false;
            struct stat st;
            if (::stat(parcial.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
            parcial += '/';
        }
        i = fin + 1;
    }
    return true;
}

bool BorrarArchivo(std::string_view ruta) {
    const std::string nativa = RutaNativa(ruta);
    struct stat st;
    if (::lstat(nativa.c_str(), &st) != 0) return true;
    return ::unlink(nativa.c_str()) == 0;
}

}  // namespace brisolt
