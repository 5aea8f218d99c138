// Reads the tag table of a production index and checks the file before anyone
// trusts it: a truncated, foreign or corrupt .MDX is refused by name rather
// than walked into.

#include <iterator>
#include <string>
#include <vector>

#include "sistema/sistema.h"
#include "tables/error.h"
#include "tables/mdx.h"
#include "tables/mdx_bytes.h"

namespace brisolt {

namespace {

using mdx::kPagina;
using mdx::LeerU16;
using mdx::LeerU32;

constexpr int kMaxTags = 46;
constexpr int kProfundidadMaxima = 32;

class Lector {
  public:
    Lector(const std::string& ruta, std::string imagen) : ruta_(ruta), b_(std::move(imagen)) {}

    std::vector<TagMdx> Tags() {
        if (b_.size() < 4 * kPagina || b_.size() % kPagina != 0)
            Fallo("tamaño de archivo incorrecto");
        paginas_ = LeerU32(b_, 32);
        if (static_cast<uint64_t>(paginas_) * kPagina > b_.size()) Fallo("archivo truncado");
        p_ = LeerU16(b_, 20);
        tamBloque_ = LeerU16(b_, 22);
        if (p_ < 1 || tamBloque_ != kPagina * p_) Fallo("tamaño de bloque incorrecto");
        if (b_[24] != 1 || LeerU16(b_, 26) != 32) Fallo("no es un índice de producción");
        const int n = LeerU16(b_, 28);
        if (n < 1 || n > kMaxTags) Fallo("número de etiquetas incorrecto");

        std::vector<TagMdx> tags;
        for (int i = 0; i < n; ++i) tags.push_back(LeerTag(544 + 32 * i));
        return tags;
    }

  private:
    [[noreturn]] void Fallo(const std::string& motivo) const {
        throw Error("El índice '" + ruta_ + "' está dañado o no es un índice .MDX (" + motivo +
                    ")");
    }

    bool PaginaDeBloque(uint32_t pagina) const {
        return pagina >= 4 && pagina % p_ == 0 && static_cast<uint64_t>(pagina) + p_ <= paginas_;
    }

    TagMdx LeerTag(size_t e) {
        TagMdx tag;
        for (size_t i = 0; i < 11 && b_[e + 4 + i] != '\0'; ++i) tag.nombre += b_[e + 4 + i];
        if (tag.nombre.empty()) Fallo("etiqueta sin nombre");
        const uint32_t cabecera = LeerU32(b_, e);
        if (!PaginaDeBloque(cabecera)) Fallo("etiqueta " + tag.nombre + " fuera del archivo");
        const size_t h = static_cast<size_t>(cabecera) * kPagina;
        tag.tipoClave = b_[h + 9];
        if ((tag.tipoClave != 'C' && tag.tipoClave != 'N' && tag.tipoClave != 'D') ||
            b_[e + 20] != tag.tipoClave)
            Fallo("tipo de clave de " + tag.nombre + " incorrecto");
        const int k = LeerU16(b_, h + 12);
        const int l = LeerU16(b_, h + 18);
        const int m = LeerU16(b_, h + 14);
        if (k < 1 || l != mdx::LongitudItem(k) ||
            m != mdx::ClavesPorNodo(static_cast<int>(tamBloque_), k) || m < 1 ||
            (tag.tipoClave == 'N' && k != 12) || (tag.tipoClave == 'D' && k != 8))
            Fallo("longitud de clave de " + tag.nombre + " incorrecta");
        tag.longitudClave = k;
        const auto formato = static_cast<unsigned char>(b_[h + 8]);
        tag.descendente = (formato & 0x08) != 0;
        tag.unico = (formato & 0x40) != 0 || b_[h + 23] != 0;
        for (size_t i = 24; i < 245 && b_[h + i] != '\0'; ++i) tag.expresion += b_[h + i];
        if (tag.expresion.empty()) Fallo("etiqueta " + tag.nombre + " sin expresión");

        Recorrido r{tag, m, l, 0, {}};
        Recorrer(r, LeerU32(b_, h), 0);
        return tag;
    }

    struct Recorrido {
        TagMdx& tag;  // counts its entries
        int m;
        int l;
        size_t nodos;
        std::string anterior;  // last key seen, for the order check
    };

    // Walks the tree in key order, checking every node's count, its child
    // pointers and that keys never go backwards.
    void Recorrer(Recorrido& r, uint32_t pagina, int profundidad) {
        const std::string& nombre = r.tag.nombre;
        if (profundidad > kProfundidadMaxima || ++r.nodos > paginas_ / p_)
            Fallo("árbol de " + nombre + " con ciclos");
        if (!PaginaDeBloque(pagina)) Fallo("nodo de " + nombre + " fuera del archivo");
        const size_t base = static_cast<size_t>(pagina) * kPagina;
        const uint32_t n = LeerU32(b_, base);
        if (n > static_cast<uint32_t>(r.m)) Fallo("nodo de " + nombre + " con demasiadas claves");
        const uint32_t derecho = LeerU32(b_, base + 8 + n * r.l);
        const int k = r.tag.longitudClave;
        for (uint32_t i = 0; i < n; ++i) {
            const size_t item = base + 8 + i * r.l;
            const uint32_t puntero = LeerU32(b_, item);
            if (derecho != 0) {
                Recorrer(r, puntero, profundidad + 1);
            } else {
                if (puntero == 0) Fallo("registro 0 en " + nombre);
                ++r.tag.entradas;
                if (puntero > r.tag.mayorRegistro) r.tag.mayorRegistro = puntero;
                const char* clave = b_.data() + item + 4;
                if (!r.anterior.empty()) {
                    const int orden =
                        mdx::CompararClaves(r.tag.tipoClave, r.anterior.data(), clave, k);
                    if (r.tag.descendente ? orden < 0 : orden > 0)
                        Fallo("claves de " + nombre + " desordenadas");
                }
                r.anterior.assign(clave, k);
            }
        }
        if (derecho != 0) Recorrer(r, derecho, profundidad + 1);
    }

    const std::string& ruta_;
    std::string b_;
    uint32_t paginas_ = 0;
    uint32_t p_ = 1;
    uint32_t tamBloque_ = kPagina;
};

}  // namespace

std::vector<TagMdx> LeerTagsMdx(const std::string& ruta) {
    std::string imagen;
    if (SO().Tipo(ruta) != TipoEntrada::Archivo)
        throw Error("No se puede abrir el índice '" + ruta + "'");
    if (LeerArchivo(ruta, &imagen) != 0) throw Error("No se puede leer el índice '" + ruta + "'");
    return Lector(ruta, std::move(imagen)).Tags();
}

}  // namespace brisolt
