#include "shell/ini.h"

#include <vector>

#include "sistema/sistema.h"
#include "tables/error.h"

namespace brisolt {
namespace {

struct Linea {
    std::string_view texto;  // without its line end
    std::string_view fin;    // "\r\n", "\n" or "" for an unterminated last line
};

std::vector<Linea> Lineas(std::string_view contenido) {
    std::vector<Linea> lineas;
    while (!contenido.empty()) {
        const auto nl = contenido.find('\n');
        if (nl == std::string_view::npos) {
            lineas.push_back({contenido, {}});
            break;
        }
        const bool cr = nl > 0 && contenido[nl - 1] == '\r';
        lineas.push_back({contenido.substr(0, cr ? nl - 1 : nl),
                          contenido.substr(cr ? nl - 1 : nl, cr ? 2 : 1)});
        contenido.remove_prefix(nl + 1);
    }
    return lineas;
}

std::string_view Recortar(std::string_view s) {
    const auto inicio = s.find_first_not_of(" \t");
    if (inicio == std::string_view::npos) return {};
    const auto fin = s.find_last_not_of(" \t");
    return s.substr(inicio, fin - inicio + 1);
}

bool IgualesSinCaso(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto baja = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (baja(a[i]) != baja(b[i])) return false;
    }
    return true;
}

// "[name]" with blanks allowed around; false for any other line.
bool EsSeccion(std::string_view texto, std::string_view* nombre) {
    texto = Recortar(texto);
    if (texto.empty() || texto.front() != '[') return false;
    const auto cierre = texto.find(']');
    if (cierre == std::string_view::npos) return false;
    *nombre = Recortar(texto.substr(1, cierre - 1));
    return true;
}

// A comment such as ";Transformado=1" has the key ";Transformado" and so never matches.
bool EsClave(std::string_view texto, std::string_view clave, std::size_t* igual) {
    const auto pos = texto.find('=');
    if (pos == std::string_view::npos) return false;
    *igual = pos;
    return IgualesSinCaso(Recortar(texto.substr(0, pos)), clave);
}

bool EnBlanco(std::string_view texto) {
    return Recortar(texto).empty();
}

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Takes a UTF-8 byte-order mark off the front; whether there was one.
bool QuitarBom(std::string_view& contenido) {
    if (contenido.substr(0, kBom.size()) != kBom) return false;
    contenido.remove_prefix(kBom.size());
    return true;
}

std::string_view FinDeLinea(const std::vector<Linea>& lineas) {
    for (const auto& l : lineas)
        if (!l.fin.empty()) return l.fin;
    return "\r\n";
}

}  // namespace

std::string PerfilConValor(std::string_view contenido, std::string_view seccion,
                           std::string_view clave, std::string_view valor) {
    const std::string_view bom = QuitarBom(contenido) ? kBom : std::string_view();
    auto lineas = Lineas(contenido);
    const std::string_view fin = FinDeLinea(lineas);
    const std::string nuevaClave = std::string(clave) + "=" + std::string(valor);

    // Where the section is, where its last non-blank line is, and the key's line.
    std::size_t cabecera = lineas.size(), ultima = lineas.size(), lineaClave = lineas.size(),
                igual = 0;
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        std::string_view nombre;
        if (EsSeccion(lineas[i].texto, &nombre)) {
            if (cabecera < lineas.size()) break;  // the next section ends ours
            if (IgualesSinCaso(nombre, seccion)) cabecera = ultima = i;
            continue;
        }
        if (cabecera == lineas.size()) continue;
        if (EsClave(lineas[i].texto, clave, &igual)) {
            lineaClave = i;
            break;
        }
        if (!EnBlanco(lineas[i].texto)) ultima = i;
    }

    std::string salida(bom);
    auto anadir = [&](std::string_view texto, std::string_view finLinea) {
        salida += texto;
        salida += finLinea;
    };
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        const Linea& l = lineas[i];
        if (i == lineaClave) {
            anadir(l.texto.substr(0, igual + 1), {});
            anadir(valor, l.fin);
            continue;
        }
        const bool insertarTras = lineaClave == lineas.size() && i == ultima;
        anadir(l.texto, insertarTras && l.fin.empty() ? fin : l.fin);
        if (insertarTras) anadir(nuevaClave, fin);
    }
    if (cabecera == lineas.size()) {
        if (!lineas.empty() && lineas.back().fin.empty()) salida += fin;
        anadir("[" + std::string(seccion) + "]", fin);
        anadir(nuevaClave, fin);
    }
    return salida;
}

std::optional<std::string> ValorEnPerfil(std::string_view contenido, std::string_view seccion,
                                         std::string_view clave) {
    QuitarBom(contenido);
    bool dentro = false;
    for (const Linea& l : Lineas(contenido)) {
        std::string_view nombre;
        if (EsSeccion(l.texto, &nombre)) {
            dentro = IgualesSinCaso(nombre, seccion);
            continue;
        }
        std::size_t igual = 0;
        if (dentro && EsClave(l.texto, clave, &igual))
            return std::string(Recortar(l.texto.substr(igual + 1)));
    }
    return std::nullopt;
}

namespace {

// A new file's name lives in its folder: flush that too.
void SincronizarCarpeta(const std::string& ruta) {
    const auto barra = ruta.find_last_of(kEsWindows ? "/\\" : "/");
    SO().SincronizarCarpeta(barra == std::string::npos ? "." : ruta.substr(0, barra + 1));
}

bool Escribir(const std::string& ruta, std::string_view seccion, std::string_view clave,
              std::string_view valor) {
    // Rewritten in place, not replaced: the file keeps its owner and mode, and
    // a read-only file stays unwritable as the generator's own rules have it.
    const bool existia = SO().ExisteEntrada(ruta);
    Archivo archivo;
    if (archivo.Abrir(ruta, Acceso::LecturaEscritura, Creacion::Crear, Comparticion::Libre) != 0)
        return false;
    uint64_t tamano = 0;
    if (archivo.Tamano(&tamano) != 0) return false;
    std::string contenido(static_cast<std::size_t>(tamano), '\0');
    std::size_t leidos = 0;
    if (archivo.LeerTodo(contenido.data(), contenido.size(), 0, &leidos) != 0) return false;
    contenido.resize(leidos);
    const std::string nuevo = PerfilConValor(contenido, seccion, clave, valor);
    if (archivo.EscribirTodo(nuevo.data(), nuevo.size(), 0) != 0) return false;
    if (SO().Truncar(archivo.Manejador(), nuevo.size()) != 0) return false;
    if (SO().Sincronizar(archivo.Manejador()) != 0) return false;
    if (archivo.Cerrar() != 0) return false;
    if (!existia) SincronizarCarpeta(ruta);
    return true;
}

}  // namespace

void EscribirPerfilPortable(const std::string& ruta, std::string_view seccion,
                            std::string_view clave, std::string_view valor) {
    if (!Escribir(ruta, seccion, clave, valor)) throw Error(Formato("Unable to write to %s", ruta));
}

void EscribirPerfil(const std::string& ruta, std::string_view seccion, std::string_view clave,
                    std::string_view valor) {
    if (!kEsWindows) return EscribirPerfilPortable(ruta, seccion, clave, valor);
    if (SO().EscribirPerfilSistema(ruta, std::string(seccion), std::string(clave),
                                   std::string(valor)) != 0)
        throw Error(Formato("Unable to write to %s", ruta));
}

}  // namespace brisolt
