// Writes a complete production index from the engine's sorted keys, bottom-up:
// per tag a header block, the leaves, then each interior level up to the root.
// Nothing is updated in place, so a file is either the old one or a whole new one.

#include "tables/mdx.h"

#include <algorithm>
#include <string>
#include <vector>

#include "sistema/sistema.h"
#include "tables/error.h"
#include "tables/mdx_bytes.h"

namespace brisolt {

namespace {

using mdx::kPagina;
using mdx::PonerU16;
using mdx::PonerU32;

constexpr uint32_t kPaginasPorBloque = 2;
constexpr uint32_t kTamBloque = kPagina * kPaginasPorBloque;
constexpr uint32_t kPrimeraPagina = 4;  // pages 0-3: file header and tag table
constexpr size_t kMaxTags = 46;
constexpr size_t kMaxExpresion = 220;
constexpr int kMaxLongitudClave = 100;

struct Nodo {
    uint32_t pagina;
    std::string ultimaClave;
};

std::string Mayusculas(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

class Escritor {
  public:
    Escritor(const std::string& ruta, const std::vector<TagMdx>& tags) : ruta_(ruta), tags_(tags) {}

    std::string Imagen(const std::string& tablaBase) {
        Validar();
        imagen_.assign(kPrimeraPagina * kPagina, '\0');
        siguiente_ = kPrimeraPagina;
        std::vector<uint32_t> cabeceras;
        for (const TagMdx& tag : tags_) cabeceras.push_back(EscribirTag(tag));
        EscribirCabecera(tablaBase);
        EscribirTablaDeTags(cabeceras);
        return std::move(imagen_);
    }

  private:
    [[noreturn]] void Fallo(const std::string& motivo) const {
        throw Error("No se puede escribir el índice '" + ruta_ + "': " + motivo);
    }

    void Validar() const {
        if (tags_.empty()) Fallo("no tiene ninguna etiqueta");
        if (tags_.size() > kMaxTags) Fallo("tiene demasiadas etiquetas");
        for (size_t i = 0; i < tags_.size(); ++i) {
            const TagMdx& t = tags_[i];
            const std::string nombre = Mayusculas(t.nombre);
            if (nombre.empty() || nombre.size() > 10)
                Fallo("el nombre de etiqueta '" + t.nombre + "' no es válido");
            for (size_t j = 0; j < i; ++j) {
                if (Mayusculas(tags_[j].nombre) == nombre)
                    Fallo("la etiqueta '" + nombre + "' está repetida");
            }
            if (t.expresion.empty() || t.expresion.size() > kMaxExpresion)
                Fallo("la expresión de la etiqueta '" + nombre + "' no es válida");
            const bool longitudValida = (t.tipoClave == 'C' && t.longitudClave >= 1 &&
                                         t.longitudClave <= kMaxLongitudClave) ||
                                        (t.tipoClave == 'N' && t.longitudClave == 12) ||
                                        (t.tipoClave == 'D' && t.longitudClave == 8);
            if (!longitudValida) Fallo("la clave de la etiqueta '" + nombre + "' no es válida");
            for (const auto& [clave, registro] : t.claves) {
                if (clave.size() != static_cast<size_t>(t.longitudClave) || registro == 0)
                    Fallo("una clave de la etiqueta '" + nombre +
                          "' no tiene la longitud de la etiqueta");
            }
        }
    }

    uint32_t Reservar() {
        const uint32_t pagina = siguiente_;
        siguiente_ += kPaginasPorBloque;
        imagen_.resize(siguiente_ * kPagina, '\0');
        return pagina;
    }

    size_t Offset(uint32_t pagina) const { return static_cast<size_t>(pagina) * kPagina; }

    // Returns the page of the tag's header block.
    uint32_t EscribirTag(const TagMdx& tag) {
        const uint32_t cabecera = Reservar();
        const int k = tag.longitudClave;
        const int l = mdx::LongitudItem(k);
        const size_t m = mdx::ClavesPorNodo(kTamBloque, k);
        uint32_t nodos = 0;

        std::vector<Nodo> nivel;
        const size_t n = tag.claves.size();
        for (size_t inicio = 0; inicio < n || nivel.empty(); inicio += m) {
            const size_t fin = std::min(n, inicio + m);
            const uint32_t pagina = Reservar();
            ++nodos;
            const size_t base = Offset(pagina);
            PonerU32(imagen_, base, static_cast<uint32_t>(fin - inicio));
            for (size_t i = inicio; i < fin; ++i) {
                const size_t item = base + 8 + (i - inicio) * l;
                PonerU32(imagen_, item, tag.claves[i].second);
                imagen_.replace(item + 4, k, tag.claves[i].first);
            }
            nivel.push_back({pagina, fin > inicio ? tag.claves[fin - 1].first : std::string()});
            if (n == 0) break;
        }
        const uint32_t primeraHoja = nivel.front().pagina;
        const uint32_t ultimaHoja = nivel.back().pagina;

        while (nivel.size() > 1) {
            const size_t padres = (nivel.size() + m) / (m + 1);  // ceil(count / (m + 1))
            std::vector<Nodo> arriba;
            size_t hijo = 0;
            for (size_t p = 0; p < padres; ++p) {
                // Children shared out evenly, the first parents taking one more.
                const size_t c = nivel.size() / padres + (p < nivel.size() % padres ? 1 : 0);
                const uint32_t pagina = Reservar();
                ++nodos;
                const size_t base = Offset(pagina);
                PonerU32(imagen_, base, static_cast<uint32_t>(c - 1));
                for (size_t i = 0; i + 1 < c; ++i) {
                    const size_t item = base + 8 + i * l;
                    PonerU32(imagen_, item, nivel[hijo + i].pagina);
                    imagen_.replace(item + 4, k, nivel[hijo + i].ultimaClave);
                }
                PonerU32(imagen_, base + 8 + (c - 1) * l, nivel[hijo + c - 1].pagina);
                arriba.push_back({pagina, nivel[hijo + c - 1].ultimaClave});
                hijo += c;
            }
            nivel = std::move(arriba);
        }

        const size_t h = Offset(cabecera);
        PonerU32(imagen_, h + 0, nivel.front().pagina);
        PonerU32(imagen_, h + 4, nodos * kPaginasPorBloque);
        imagen_[h + 8] =
            static_cast<char>(0x10 | (tag.descendente ? 0x08 : 0) | (tag.unico ? 0x40 : 0));
        imagen_[h + 9] = tag.tipoClave;
        imagen_[h + 11] = 0x1B;
        PonerU16(imagen_, h + 12, static_cast<uint16_t>(k));
        PonerU16(imagen_, h + 14, static_cast<uint16_t>(m));
        PonerU16(imagen_, h + 16, tag.tipoClave == 'D' ? 1 : 0);
        PonerU16(imagen_, h + 18, static_cast<uint16_t>(l));
        imagen_[h + 20] = 1;
        imagen_[h + 23] = tag.unico ? 1 : 0;
        imagen_.replace(h + 24, tag.expresion.size(), tag.expresion);
        imagen_[h + 246] = n > 0 ? 1 : 0;
        PonerU32(imagen_, h + 248, primeraHoja);
        PonerU32(imagen_, h + 252, ultimaHoja);
        mdx::PonerFechaHoy(imagen_, h + 257);
        imagen_[h + 480] = tag.expresion.find('+') == std::string::npos ? 1 : 0;
        return cabecera;
    }

    void EscribirCabecera(const std::string& tablaBase) {
        imagen_[0] = 2;
        mdx::PonerFechaHoy(imagen_, 1);
        const std::string base = Mayusculas(tablaBase).substr(0, 16);
        imagen_.replace(4, base.size(), base);
        PonerU16(imagen_, 20, kPaginasPorBloque);
        PonerU16(imagen_, 22, kTamBloque);
        imagen_[24] = 1;
        imagen_[25] = 48;
        PonerU16(imagen_, 26, 32);
        PonerU16(imagen_, 28, static_cast<uint16_t>(tags_.size()));
        imagen_[30] = static_cast<char>(tags_.size() + 1);
        imagen_[31] = 0x1B;
        PonerU32(imagen_, 32, siguiente_);
        mdx::PonerFechaHoy(imagen_, 44);
    }

    // Tag entries plus the name tree: each tag hangs below the first free slot
    // found by walking down from tag 1, left when its name sorts lower.
    void EscribirTablaDeTags(const std::vector<uint32_t>& cabeceras) {
        imagen_[529] = 1;
        std::vector<std::string> nombres;
        for (const TagMdx& t : tags_) nombres.push_back(Mayusculas(t.nombre));
        const auto entrada = [](size_t i) { return 544 + 32 * (i - 1); };  // 1-based
        for (size_t i = 1; i <= tags_.size(); ++i) {
            const size_t e = entrada(i);
            PonerU32(imagen_, e, cabeceras[i - 1]);
            imagen_.replace(e + 4, nombres[i - 1].size(), nombres[i - 1]);
            imagen_[e + 15] = 0x10;
            imagen_[e + 19] = 0x02;
            imagen_[e + 20] = tags_[i - 1].tipoClave;
            if (i == 1) continue;
            size_t actual = 1;
            for (;;) {
                const size_t lado = nombres[i - 1] < nombres[actual - 1] ? 16 : 17;
                const auto hijo = static_cast<unsigned char>(imagen_[entrada(actual) + lado]);
                if (hijo == 0) {
                    imagen_[entrada(actual) + lado] = static_cast<char>(i);
                    imagen_[e + 18] = static_cast<char>(actual);
                    break;
                }
                actual = hijo;
            }
        }
    }

    const std::string& ruta_;
    const std::vector<TagMdx>& tags_;
    std::string imagen_;
    uint32_t siguiente_ = kPrimeraPagina;
};

// Removes the temporary file unless it was renamed into place.
class Temporal {
  public:
    explicit Temporal(std::string ruta) : ruta_(std::move(ruta)) {}
    ~Temporal() {
        if (!ruta_.empty()) SO().Borrar(ruta_);
    }
    Temporal(const Temporal&) = delete;
    Temporal& operator=(const Temporal&) = delete;
    const std::string& Ruta() const { return ruta_; }
    void Conservar() { ruta_.clear(); }

  private:
    std::string ruta_;
};

}  // namespace

void EscribirMdx(const std::string& ruta, const std::string& tablaBase,
                 const std::vector<TagMdx>& tags) {
    const std::string imagen = Escritor(ruta, tags).Imagen(tablaBase);
    Temporal temporal(ruta + ".tmp" + std::to_string(SO().IdProceso()));
    if (EscribirArchivo(temporal.Ruta(), imagen, false) != 0)
        throw Error("No se puede escribir el índice '" + ruta + "'");
    if (SO().Renombrar(temporal.Ruta(), ruta) != 0)
        throw Error("No se puede reemplazar el índice '" + ruta + "'");
    temporal.Conservar();
}

}  // namespace brisolt
