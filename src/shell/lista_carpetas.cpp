#include "shell/lista_carpetas.h"

#include <algorithm>
#include <cctype>

#include "sistema/sistema.h"
#include "tables/carpetas.h"

namespace brisolt {
namespace {

bool EsLetraUnidad(const std::string& ruta) {
    return ruta.size() >= 2 && ruta[1] == ':' && std::isalpha(static_cast<unsigned char>(ruta[0]));
}

char Minuscula(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string Unir(const std::string& carpeta, const std::string& nombre) {
    if (carpeta.empty()) return nombre;
    const char ultimo = carpeta.back();
    return ultimo == '/' || (kEsWindows && ultimo == '\\') ? carpeta + nombre
                                                           : carpeta + "/" + nombre;
}

// "C:" alone is the working folder of the drive, not its root.
std::string RaizUnidad(std::string raiz) {
    while (raiz.size() > 1 && (raiz.back() == '/' || (kEsWindows && raiz.back() == '\\')))
        raiz.pop_back();
    if (raiz.size() == 2 && raiz[1] == ':') raiz += '/';
    return raiz;
}

std::vector<std::string> Partes(const std::string& texto, char separador) {
    std::vector<std::string> partes;
    std::string parte;
    for (const char c : texto) {
        if (c == separador || (kEsWindows && c == '/')) {
            if (!parte.empty()) partes.push_back(parte);
            parte.clear();
        } else {
            parte += c;
        }
    }
    if (!parte.empty()) partes.push_back(parte);
    return partes;
}

bool MenorSinMayusculas(const std::string& a, const std::string& b) {
    const auto n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = Minuscula(a[i]), y = Minuscula(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

}  // namespace

std::vector<EntradaCarpeta> EntradasCarpeta(const std::string& carpeta) {
    std::vector<EntradaCarpeta> entradas;
    auto padre = [&](std::string nombre, std::string ruta) {
        const int nivel = static_cast<int>(entradas.size());
        entradas.push_back({std::move(nombre), std::move(ruta), nivel, true});
    };

    const std::string visible = RutaVisible(carpeta);
    if (EsLetraUnidad(visible)) {
        const char letra = static_cast<char>(std::toupper(static_cast<unsigned char>(visible[0])));
        std::string acumulada = RaizUnidad(letra == 'C' ? UnidadC() : std::string{letra, ':', '/'});
        padre(std::string{letra, ':', '\\'}, acumulada);
        for (const std::string& parte : Partes(visible.substr(2), '\\')) {
            acumulada = Unir(acumulada, parte);
            padre(parte, acumulada);
        }
    } else {
        std::string acumulada;
        if (!carpeta.empty() && carpeta[0] == '/') {
            acumulada = "/";
            padre("/", acumulada);
        }
        for (const std::string& parte : Partes(carpeta, '/')) {
            acumulada = Unir(acumulada, parte);
            padre(parte, acumulada);
        }
    }

    std::vector<std::string> nombres, hijas;
    if (SO().Listar(carpeta, &nombres) == 0)
        for (const std::string& nombre : nombres)
            if (SO().Tipo(Unir(carpeta, nombre)) == TipoEntrada::Carpeta) hijas.push_back(nombre);
    std::sort(hijas.begin(), hijas.end(), MenorSinMayusculas);
    const int nivel = static_cast<int>(entradas.size());
    for (const std::string& hija : hijas)
        entradas.push_back({hija, Unir(carpeta, hija), nivel, false});
    return entradas;
}

std::vector<Unidad> UnidadesLetra() {
    std::vector<Unidad> unidades;
    for (const std::string& raiz : SO().Unidades()) {
        if (!EsLetraUnidad(raiz)) continue;
        const char letra = Minuscula(raiz[0]);
        std::string nativa = letra == 'c' ? UnidadC() : raiz;
        std::replace(nativa.begin(), nativa.end(), '\\', '/');
        unidades.push_back({std::string{letra, ':'}, RaizUnidad(nativa)});
    }
    return unidades;
}

int UnidadLetraDe(const std::vector<Unidad>& unidades, const std::string& carpeta) {
    const std::string visible = RutaVisible(carpeta);
    if (!EsLetraUnidad(visible)) return -1;
    for (std::size_t i = 0; i < unidades.size(); ++i)
        if (!unidades[i].nombre.empty() && unidades[i].nombre[0] == Minuscula(visible[0]))
            return static_cast<int>(i);
    return -1;
}

}  // namespace brisolt
