#include "tables/carpetas.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "sistema/sistema.h"

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
    return SO().ExisteEntrada(ruta);
}

// The entry of `carpeta` that matches `nombre` without regard to case, or
// empty. The exact spelling wins; among other spellings the smallest, so the
// answer does not depend on the directory's order.
std::string BuscarEntrada(const std::string& carpeta, const std::string& nombre,
                          CodigoES* error = nullptr) {
    std::vector<std::string> nombres;
    const CodigoES e = SO().Listar(carpeta.empty() ? "." : carpeta, &nombres);
    if (error != nullptr) *error = e;
    if (e != 0) return {};
    const std::string buscado = Plegar(nombre);
    std::string mejor;
    for (const std::string& n : nombres) {
        if (Plegar(n) != buscado) continue;
        if (n == nombre) {
            mejor = n;
            break;
        }
        if (mejor.empty() || n < mejor) mejor = n;
    }
    return mejor;
}

std::string SinBarraFinal(std::string ruta) {
    while (ruta.size() > 1 && ruta.back() == '/') ruta.pop_back();
    return ruta;
}

// The path with its links resolved, or as it is when it cannot be.
std::string Resuelta(const std::string& ruta) {
    std::string r;
    return SO().Canonica(ruta, &r) == 0 ? r : ruta;
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

// Where BRISOLT_DRIVE_C moves drive C: to a folder that is itself on drive
// C: (a test's temporary folder), a path already inside that folder is native
// and must not be moved a second time. `ruta` uses "/" only.
bool DentroDeUnidadC(const std::string& ruta) {
    const auto c = SO().Entorno("BRISOLT_DRIVE_C");
    if (!c || c->empty()) return false;
    std::string unidad = *c;
    std::replace(unidad.begin(), unidad.end(), '\\', '/');
    while (!unidad.empty() && unidad.back() == '/') unidad.pop_back();
    if (unidad.empty() || ruta.size() < unidad.size()) return false;
    if (ruta.size() > unidad.size() && ruta[unidad.size()] != '/') return false;
    return Plegar(ruta.substr(0, unidad.size())) == Plegar(unidad);
}

// Native paths whose every component was found spelt as given. While such a
// path exists, each folder on its way exists spelt the same, and the spelling
// given wins over any other: the answer stands without looking again. Keyed
// by drive C:'s folder and the path asked for; only absolute paths.
std::unordered_map<std::string, std::string>& Exactas() {
    static std::unordered_map<std::string, std::string> exactas;
    return exactas;
}
constexpr size_t kExactas = 4096;

}  // namespace

std::string UnidadC() {
    // On Windows drive C: is itself; BRISOLT_DRIVE_C still moves it, for tests.
    const auto c = SO().Entorno("BRISOLT_DRIVE_C");
    if (c && !c->empty()) return *c;
    if (kEsWindows) return "C:";
    const auto w = SO().Entorno("WINEPREFIX");
    if (w && !w->empty()) return *w + "/drive_c";
    return SO().Entorno("HOME").value_or("") + "/.wine/drive_c";
}

std::string RutaNativa(std::string_view ruta) {
    if (kEsWindows) {
        // Names are case-blind on Windows already: only the separators and
        // the drive mapping matter.
        std::string r(ruta);
        std::replace(r.begin(), r.end(), '\\', '/');
        if (EsRutaWindows(r) && !DentroDeUnidadC(r)) {
            r = UnidadC() + r.substr(2);
            std::replace(r.begin(), r.end(), '\\', '/');
        }
        return r;
    }
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
    std::string clave;
    if (!base.empty()) {
        clave = base + '\n' + std::string(ruta);
        const auto it = Exactas().find(clave);
        if (it != Exactas().end()) {
            if (Existe(it->second)) return it->second;
            Exactas().erase(it);
        }
    }
    std::string salida = base;
    bool buscar = true;  // once a component is missing, nothing below it exists
    bool exacta = !partes.empty();
    for (const auto& p : partes) {
        std::string nombre = p;
        exacta = exacta && buscar && p != "." && p != "..";
        if (buscar && p != "." && p != "..") {
            const std::string candidata =
                salida.empty() ? p : (salida.back() == '/' ? salida + p : salida + "/" + p);
            if (!Existe(candidata)) {
                exacta = false;
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
    if (exacta && !clave.empty()) {
        if (Exactas().size() >= kExactas) Exactas().clear();
        Exactas()[clave] = salida;
    }
    return salida;
}

CodigoES BuscarEnCarpeta(const std::string& carpeta, const std::string& nombre,
                         std::string* hallado) {
    CodigoES e = 0;
    *hallado =
        SO().ExisteEntrada(carpeta + "/" + nombre) ? nombre : BuscarEntrada(carpeta, nombre, &e);
    return e;
}

std::string RutaVisible(std::string_view nativa) {
    if (!kEsWindows) return RutaWindows(nativa);
    std::string r(nativa);
    std::replace(r.begin(), r.end(), '\\', '/');
    // A drive C: moved elsewhere (tests do) still shows as C:.
    std::string unidad = UnidadC();
    std::replace(unidad.begin(), unidad.end(), '\\', '/');
    while (unidad.size() > 2 && unidad.back() == '/') unidad.pop_back();
    if (r.size() > unidad.size() && r[unidad.size()] == '/' &&
        Plegar(r.substr(0, unidad.size())) == Plegar(unidad))
        r = "C:" + r.substr(unidad.size());
    std::replace(r.begin(), r.end(), '/', '\\');
    return r;
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
    return SO().Tipo(RutaNativa(ruta)) == TipoEntrada::Archivo;
}

bool ExisteCarpeta(std::string_view ruta) {
    return SO().Tipo(RutaNativa(ruta)) == TipoEntrada::Carpeta;
}

bool CrearCarpetas(std::string_view ruta, CodigoES* error) {
    CodigoES sinError = 0;
    if (error == nullptr) error = &sinError;
    *error = codigo_es::kRutaNoEncontrada;
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
            // A drive ("C:") or a share's server is there or not; it is never made.
            const bool raiz = kEsWindows && (parcial.back() == ':' || parcial.rfind("//", 0) == 0);
            if (!raiz && SO().Tipo(parcial) != TipoEntrada::Carpeta) {
                const CodigoES e = SO().CrearCarpeta(parcial);
                if (SO().Tipo(parcial) != TipoEntrada::Carpeta) {
                    if (e != 0) *error = e;
                    return false;
                }
            }
            parcial += '/';
        }
        i = fin + 1;
    }
    *error = 0;
    return true;
}

bool BorrarArchivo(std::string_view ruta) {
    const std::string nativa = RutaNativa(ruta);
    if (!SO().ExisteEntrada(nativa)) return true;
    return SO().Borrar(nativa) == 0;
}

}  // namespace brisolt
