#include "help/chm/archivo_chm.h"

#include <chm_lib.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace brisolt::chm {
namespace {

std::uint32_t U32(const std::string& b, std::size_t p) {
    if (p + 4 > b.size()) return 0;
    const auto* u = reinterpret_cast<const unsigned char*>(b.data() + p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<std::uint32_t>(u[3]) << 24);
}

std::uint16_t U16(const std::string& b, std::size_t p) {
    const auto* u = reinterpret_cast<const unsigned char*>(b.data() + p);
    return static_cast<std::uint16_t>(u[0] | (u[1] << 8));
}

std::string TextoC(const std::string& b, std::size_t desde, std::size_t hasta) {
    hasta = std::min(hasta, b.size());
    if (desde >= hasta) return {};
    const auto fin = b.find('\0', desde);
    return b.substr(desde, std::min(fin, hasta) - desde);
}

bool TerminaEn(const std::string& nombre, const char* cola) {
    const std::size_t n = std::strlen(cola);
    if (nombre.size() < n) return false;
    return std::equal(
        nombre.end() - static_cast<std::ptrdiff_t>(n), nombre.end(), cola,
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

int Enumerar(chmFile*, chmUnitInfo* ui, void* contexto) {
    auto* lista = static_cast<std::vector<std::string>*>(contexto);
    lista->emplace_back(ui->path);
    return CHM_ENUMERATOR_CONTINUE;
}

}  // namespace

Referencia PartirReferencia(const std::string& referencia) {
    std::string r = referencia;
    std::replace(r.begin(), r.end(), '\\', '/');
    Referencia partes;
    if (const auto almohadilla = r.find('#'); almohadilla != std::string::npos) {
        partes.ancla = r.substr(almohadilla + 1);
        r.erase(almohadilla);
    }
    // "file.chm::/topic" and "::/topic" name a topic of this same file.
    if (const auto dos = r.find("::"); dos != std::string::npos) r.erase(0, dos + 2);
    while (r.size() >= 2 && r[0] == '.' && r[1] == '/') r.erase(0, 2);
    if (r.empty() || r[0] != '/') r.insert(r.begin(), '/');
    partes.ruta = r;
    return partes;
}

std::unique_ptr<ArchivoChm> ArchivoChm::Abrir(const std::string& ruta) {
    chmFile* archivo = chm_open(ruta.c_str());
    if (!archivo) return nullptr;
    std::unique_ptr<ArchivoChm> chm(new ArchivoChm(archivo));
    chm->LeerSistema();
    return chm;
}

ArchivoChm::ArchivoChm(chmFile* archivo) : archivo_(archivo) {}

ArchivoChm::~ArchivoChm() {
    chm_close(archivo_);
}

std::optional<std::string> ArchivoChm::Leer(const std::string& ruta) const {
    chmUnitInfo ui{};
    if (ruta.empty() || ruta.size() > CHM_MAX_PATHLEN) return std::nullopt;
    if (chm_resolve_object(archivo_, ruta.c_str(), &ui) != CHM_RESOLVE_SUCCESS) return std::nullopt;
    std::string datos(static_cast<std::size_t>(ui.length), '\0');
    if (ui.length == 0) return datos;
    const auto leidos =
        chm_retrieve_object(archivo_, &ui, reinterpret_cast<unsigned char*>(datos.data()), 0,
                            static_cast<LONGINT64>(ui.length));
    if (leidos <= 0) return std::nullopt;
    datos.resize(static_cast<std::size_t>(leidos));
    return datos;
}

bool ArchivoChm::Existe(const std::string& ruta) const {
    chmUnitInfo ui{};
    return !ruta.empty() && ruta.size() <= CHM_MAX_PATHLEN &&
           chm_resolve_object(archivo_, ruta.c_str(), &ui) == CHM_RESOLVE_SUCCESS &&
           !ruta.ends_with('/');
}

std::string ArchivoChm::Resolver(const std::string& referencia) const {
    auto ruta = PartirReferencia(referencia).ruta;
    // Compilers have been seen to store the source file's absolute build path
    // ("/home/x/ayuda/sub/a.htm" for "sub/a.htm"): drop leading folders one by
    // one down to the last component.
    for (;;) {
        if (Existe(ruta)) return ruta;
        const auto barra = ruta.find('/', 1);
        if (barra == std::string::npos) return {};
        ruta.erase(0, barra);
    }
}

std::vector<std::string> ArchivoChm::Archivos() const {
    std::vector<std::string> lista;
    chm_enumerate(archivo_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, Enumerar, &lista);
    return lista;
}

void ArchivoChm::LeerSistema() {
    if (auto sistema = Leer("/#SYSTEM")) {
        const auto& b = *sistema;
        for (std::size_t p = 4; p + 4 <= b.size();) {
            const auto codigo = U16(b, p);
            const auto largo = U16(b, p + 2);
            const std::size_t datos = p + 4;
            switch (codigo) {
                case 0:
                    contenido_ = TextoC(b, datos, datos + largo);
                    break;
                case 1:
                    indice_ = TextoC(b, datos, datos + largo);
                    break;
                case 2:
                    temaInicial_ = TextoC(b, datos, datos + largo);
                    break;
                case 3:
                    titulo_ = TextoC(b, datos, datos + largo);
                    break;
                default:
                    break;
            }
            p = datos + largo;
        }
    }
    if (!contenido_.empty()) contenido_ = Resolver(contenido_);
    if (!indice_.empty()) indice_ = Resolver(indice_);
    if (contenido_.empty() || indice_.empty()) {
        for (const auto& nombre : Archivos()) {
            if (contenido_.empty() && TerminaEn(nombre, ".hhc")) contenido_ = nombre;
            if (indice_.empty() && TerminaEn(nombre, ".hhk")) indice_ = nombre;
        }
    }
}

std::optional<std::string> ArchivoChm::TemaDeContexto(std::uint32_t contexto) const {
    const auto ivb = Leer("/#IVB");
    const auto cadenas = Leer("/#STRINGS");
    if (!ivb || !cadenas) return std::nullopt;
    const std::size_t fin = std::min<std::size_t>(ivb->size(), 4 + std::size_t{U32(*ivb, 0)});
    for (std::size_t p = 4; p + 8 <= fin; p += 8) {
        if (U32(*ivb, p) != contexto) continue;
        const std::size_t desplazamiento = U32(*ivb, p + 4);
        if (desplazamiento >= cadenas->size()) return std::nullopt;
        return TextoC(*cadenas, desplazamiento, cadenas->size());
    }
    return std::nullopt;
}

}  // namespace brisolt::chm
