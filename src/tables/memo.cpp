// Memo files. Every pointer and every stored length is checked against the
// file's size before anything is read: a memo file from another program may
// be shorter than its table believes.

#include "tables/memo.h"

#include <algorithm>
#include <memory>
#include <string>

#include "sistema/sistema.h"
#include "tables/error.h"

namespace brisolt {

namespace {

constexpr uint32_t kCabeceraFpt = 512;
constexpr uint32_t kBloqueFptNuevo = 64;
constexpr uint32_t kBloqueDbt = 512;
constexpr uint32_t kTipoTexto = 1;

uint32_t Be32(const unsigned char* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}
uint32_t Le32(const unsigned char* p) {
    return uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
}
void PonerBe32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (24 - 8 * i));
}

class Memo : public ArchivoMemo {
  public:
    Memo(std::string ruta, Tipo tipo, bool escritura) : ruta_(std::move(ruta)), tipo_(tipo) {
        if (archivo_.Abrir(ruta_, escritura ? Acceso::LecturaEscritura : Acceso::Lectura,
                           Creacion::Existente, Comparticion::Libre) != 0)
            throw Error("No se puede abrir el archivo de memo '" + ruta_ + "'");
        escritura_ = escritura;
        if (archivo_.Tamano(&tam_) != 0) Fallo();
        if (tam_ < 512) Fallo();
        unsigned char cab[32];
        LeerEn(0, cab, sizeof cab);
        switch (tipo_) {
            case Tipo::Fpt:
                bloque_ = uint32_t{cab[6]} << 8 | cab[7];
                break;
            case Tipo::Dbt3:
                bloque_ = kBloqueDbt;
                break;
            case Tipo::Dbt4:
                bloque_ = uint32_t{cab[20]} | uint32_t{cab[21]} << 8;
                if (bloque_ == 0) bloque_ = kBloqueDbt;
                break;
        }
        if (bloque_ == 0) Fallo();
    }

    std::string Leer(uint32_t bloque) override {
        if (bloque == 0) return {};
        const uint64_t inicio = uint64_t{bloque} * bloque_;
        if (inicio >= tam_) FueraDelArchivo(bloque);
        if (tipo_ == Tipo::Dbt3) return HastaFinDeMemo(inicio);

        unsigned char cab[8];
        if (inicio + 8 > tam_) FueraDelArchivo(bloque);
        LeerEn(inicio, cab, 8);
        uint64_t largo;
        if (tipo_ == Tipo::Fpt) {
            largo = Be32(cab + 4);
        } else {
            // A dBASE IV memo without its signature was left by a dBASE III
            // program writing into a IV file: read it the III way.
            if (!(cab[0] == 0xFF && cab[1] == 0xFF && cab[2] == 0x08 && cab[3] == 0x00))
                return HastaFinDeMemo(inicio);
            largo = Le32(cab + 4);
            if (largo < 8) FueraDelArchivo(bloque);
            largo -= 8;
        }
        if (inicio + 8 + largo > tam_) FueraDelArchivo(bloque);
        std::string datos(largo, '\0');
        LeerEn(inicio + 8, datos.data(), largo);
        return datos;
    }

    uint32_t Escribir(const std::string& datos) override {
        if (tipo_ != Tipo::Fpt || !escritura_)
            throw Error("El archivo de memo '" + ruta_ + "' no admite escritura");
        unsigned char cab[4];
        LeerEn(0, cab, 4);
        // Never below the end of the file: a stale "next free" must not make
        // us overwrite someone else's memo.
        uint64_t bloque = Be32(cab);
        const uint64_t finEnBloques = (tam_ + bloque_ - 1) / bloque_;
        const uint64_t primero = (kCabeceraFpt + bloque_ - 1) / bloque_;
        bloque = std::max({bloque, finEnBloques, primero});
        const uint64_t ocupado = 8 + datos.size();
        const uint64_t bloques = (ocupado + bloque_ - 1) / bloque_;
        if (bloque + bloques > UINT32_MAX || datos.size() > UINT32_MAX)
            throw Error("El archivo de memo '" + ruta_ + "' está lleno");

        std::string escrito(bloques * bloque_, '\0');
        unsigned char tipoLargo[8];
        PonerBe32(tipoLargo, kTipoTexto);
        PonerBe32(tipoLargo + 4, static_cast<uint32_t>(datos.size()));
        escrito.replace(0, 8, reinterpret_cast<const char*>(tipoLargo), 8);
        escrito.replace(8, datos.size(), datos);
        EscribirEn(bloque * bloque_, escrito.data(), escrito.size());
        PonerBe32(cab, static_cast<uint32_t>(bloque + bloques));
        EscribirEn(0, cab, 4);
        tam_ = std::max(tam_, (bloque + bloques) * bloque_);
        return static_cast<uint32_t>(bloque);
    }

  private:
    [[noreturn]] void Fallo() const {
        throw Error("El archivo de memo '" + ruta_ + "' está dañado");
    }
    [[noreturn]] void FalloEscritura() const {
        throw Error("No se puede escribir en el archivo de memo '" + ruta_ + "'");
    }
    [[noreturn]] void FueraDelArchivo(uint32_t bloque) const {
        throw Error("El memo del bloque " + std::to_string(bloque) + " está fuera del archivo '" +
                    ruta_ + "'");
    }

    void LeerEn(uint64_t pos, void* destino, size_t n) {
        size_t leidos = 0;
        if (archivo_.LeerTodo(destino, n, pos, &leidos) != 0 || leidos != n) Fallo();
    }

    void EscribirEn(uint64_t pos, const void* origen, size_t n) {
        if (archivo_.EscribirTodo(origen, n, pos) != 0) FalloEscritura();
    }

    // dBASE III text runs to 0x1A 0x1A. Some writers end it with a single
    // 0x1A: that one counts when no pair follows before the next block, where
    // the next memo would begin. A memo at the end of the file may have no end
    // mark at all. Read a block at a time so that a short memo in a large
    // file costs one block.
    std::string HastaFinDeMemo(uint64_t inicio) {
        std::string texto;
        size_t simple = std::string::npos;
        for (uint64_t pos = inicio; pos < tam_;) {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(bloque_, tam_ - pos));
            const size_t previo = texto.size();
            texto.resize(previo + n);
            LeerEn(pos, texto.data() + previo, n);
            pos += n;
            const size_t desde = previo > 0 ? previo - 1 : 0;
            const size_t doble = texto.find("\x1A\x1A", desde);
            if (doble != std::string::npos && (simple == std::string::npos || doble <= simple)) {
                texto.resize(doble);
                return texto;
            }
            if (simple != std::string::npos) break;
            simple = texto.find('\x1A', desde);
        }
        if (simple != std::string::npos) texto.resize(simple);
        return texto;
    }

    std::string ruta_;
    Tipo tipo_;
    bool escritura_ = false;
    Archivo archivo_;
    uint64_t tam_ = 0;
    uint32_t bloque_ = 0;
};

}  // namespace

std::unique_ptr<ArchivoMemo> ArchivoMemo::Abrir(const std::string& ruta, Tipo tipo,
                                                bool escritura) {
    return std::make_unique<Memo>(ruta, tipo, escritura);
}

void ArchivoMemo::CrearFpt(const std::string& ruta) {
    std::string cabecera(kCabeceraFpt, '\0');
    const uint32_t siguiente = kCabeceraFpt / kBloqueFptNuevo;
    cabecera[3] = static_cast<char>(siguiente);
    cabecera[6] = static_cast<char>(kBloqueFptNuevo >> 8);
    cabecera[7] = static_cast<char>(kBloqueFptNuevo & 0xFF);
    if (EscribirArchivo(ruta, cabecera, false) != 0)
        throw Error("No se puede crear el archivo de memo '" + ruta + "'");
}

}  // namespace brisolt
