#pragma once
// The one open copy of a .DBF file in this process. Every table object on
// the file is a cursor over this object: records live here, in one buffer.
// Other programs are kept out by the system's sharing rules on the file
// itself; inside the process opens never conflict.
//
// Every Post is written through to the file (the record, then the header's
// count), except in the tables this process creates or empties and then
// fills: there the new records go to the file in large blocks, each followed
// by the end mark and then by the header's count, and whatever is left is
// written when any table object on the file closes, before the file is
// opened again in a stronger mode, and before the file is copied. The file
// on disk is a valid table all along: its header never counts a record that
// is not there.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "sistema/sistema.h"
#include "tables/codepage.h"
#include "tables/mdx.h"
#include "tables/memo.h"
#include "tables/tabla.h"

namespace brisolt {

// A field of the open file: what users see plus where its bytes lie.
struct DescCampo {
    InfoCampo info;
    int desplazamiento = 0;  // from the start of the record (the flag is byte 0)
    bool memo = false;       // the value lives in the memo file
    bool binario = false;    // stored as machine bytes (VFP I, B, Y, T, M of 4, 0)
};

// One tag of the production index, kept as sorted (key, record) pairs.
// Keys compare as bytes; numeric and date keys are stored in an order-keeping
// encoding and turned into the file's own form only when the .MDX is written.
struct IndiceTabla {
    using Entrada = std::pair<std::string, uint32_t>;
    struct Orden {
        bool descendente = false;
        bool operator()(const Entrada& a, const Entrada& b) const {
            if (a.first != b.first) return descendente ? b.first < a.first : a.first < b.first;
            return a.second < b.second;
        }
    };

    TagMdx tag;                  // name, expression, key type; no keys
    std::vector<int> campos;     // fields of the expression
    std::string problema;        // why this tag cannot be used, when it cannot
    bool claveNoNumero = false;  // problema is a key's conversion message, raised as it is
    std::set<Entrada, Orden> entradas;

    explicit IndiceTabla(bool descendente) : entradas(Orden{descendente}) {}
};

class ArchivoTabla {
  public:
    struct Modo {
        bool exclusiva = false;
        bool soloLectura = false;
    };

    // `ruta` is native. Every open takes one use; Liberar gives it back and
    // the last one closes the file and releases its lock.
    static std::shared_ptr<ArchivoTabla> Abrir(const std::string& ruta, Modo modo);
    void Liberar();

    // Deletes a table file unless a table object here or a process elsewhere
    // holds it.
    static bool Borrar(const std::string& ruta);
    // Before a table file is replaced: fails when it is open here, and drops
    // any copy kept from an earlier open.
    static void Olvidar(const std::string& ruta);
    // The table was just created, or emptied, by this program, which now
    // fills it: from its next open its new records go to the file in blocks.
    static void LlenarEnBloques(const std::string& ruta);
    // Writes what a table object here holds of the file and the file does
    // not have yet; nothing when no table object here has the file open.
    static void VolcarAbierta(const std::string& ruta);

    ArchivoTabla(const ArchivoTabla&) = delete;
    ArchivoTabla& operator=(const ArchivoTabla&) = delete;
    ~ArchivoTabla();

    const std::string& Ruta() const { return ruta_; }
    uint8_t Version() const { return version_; }
    bool EsVfp() const { return version_ >= 0x30 && version_ <= 0x32; }
    const CodePage& Pagina() const { return *pagina_; }
    const std::vector<DescCampo>& Campos() const { return campos_; }
    const std::vector<InfoCampo>& Infos() const { return infos_; }
    int BuscarCampo(std::string_view nombre) const;  // -1 when missing
    size_t LongitudRegistro() const { return longitud_; }
    uint32_t Registros() const { return registros_; }
    uint32_t Vivos() const { return registros_ - borrados_; }
    // The record's bytes, or nullptr outside 1..Registros().
    const char* Registro(uint32_t recno) const;
    bool Borrado(uint32_t recno) const;
    bool Escribible() const { return escribible_; }
    const std::string& RegistroEnBlanco() const { return blanco_; }

    // Writes record `recno` (Registros() + 1 appends): the record, then the
    // header's count and date, keeping the end-of-file marker after the last.
    void Escribir(uint32_t recno, const char* datos);
    // Deletes every record: the file keeps its header and 0x1A.
    void Vaciar();
    // Writes the records the file does not have yet, then the header.
    void Volcar();

    // The tag named (any case), nullptr when the table has none by that name;
    // throws when the tag exists but cannot be used.
    const IndiceTabla* Indice(std::string_view nombre);
    // The key of record `recno` in a tag's order-keeping form. Fails with the
    // conversion message when a live record's numeric key field is not a number.
    std::string Clave(const IndiceTabla& indice, const char* registro, uint32_t recno) const;

    std::string LeerMemo(uint32_t bloque);
    uint32_t EscribirMemo(const std::string& datos);

    // Records whose field value has `clave`, in file order, deleted ones
    // left out. The key is the field's text, or for a numeric lookup the
    // number's exact spelling. Built on first use; kept up to date on append,
    // dropped on any other write. A live record whose numeric field is not a
    // number fails the lookup with the conversion message.
    const std::vector<uint32_t>& Coincidencias(int campo, bool numerica, const std::string& clave);
    static std::string ClaveMapa(const ArchivoTabla& a, int campo, bool numerica,
                                 const char* registro, uint32_t recno, bool* valida);

  private:
    using Firma = IdentidadArchivo;

    explicit ArchivoTabla(std::string ruta) : ruta_(std::move(ruta)) {}
    // The key of a table opened before by this very path, when the path
    // still names that file; empty when it must be looked up. `comprobar`
    // gets the identity the file opened by the path must have, when only
    // the open can tell.
    static std::string ClaveConocida(const std::string& ruta, std::optional<Firma>* comprobar);
    static void Quitar(const std::string& clave);  // from the process's tables
    void Cargar();                                 // reads the whole file
    void TomarUso(Modo modo);                      // opens or strengthens the file and its sharing
    void Cerrar();                                 // the last use went away
    void CargarIndices();
    void EscribirIndices();
    // The .MDX disagreed with the records at load: rewritten from them.
    void RehacerMdxDesfasado();
    void AnotarEnIndices(uint32_t recno, const char* anterior, const char* nuevo);
    // The header's date and the count of the records in the file.
    void EscribirCabecera();
    // The records after enDisco_, with the end mark after them.
    void EscribirBloque();
    bool Pendiente() const { return enDisco_ < registros_ || cabeceraPendiente_; }
    Firma FirmaActual() const;
    static Firma FirmaDe(const std::string& ruta);  // all zero when missing
    // The .MDX was looked for at load and is now another file, or gone, or new.
    bool MdxCambiado() const;
    [[noreturn]] void Fallo(const std::string& detalle) const;

    std::string ruta_;
    std::string clave_;  // the canonical path, this object's key in the process
    Archivo archivo_;
    bool fdEscritura_ = false;
    bool bloqueoExclusivo_ = false;
    bool escribible_ = false;
    int usos_ = 0;
    bool cargado_ = false;
    Firma firma_;
    uint64_t cerradoEn_ = 0;  // order of closing, for dropping old copies

    uint8_t version_ = 0;
    std::string cabecera_;  // the header bytes up to the first record
    size_t longitudCabecera_ = 0, longitud_ = 0;
    uint32_t registros_ = 0, borrados_ = 0;
    // Filled in blocks (see above). Records 1..enDisco_ are in the file as
    // they are here; the header there counts enDisco_ unless
    // cabeceraPendiente_ says it lags behind (in count or date).
    bool enBloques_ = false;
    uint32_t enDisco_ = 0;
    bool cabeceraPendiente_ = false;
    bool escrita_ = false;  // written through this open: its version changed
    const CodePage* pagina_ = nullptr;
    std::vector<DescCampo> campos_;
    std::vector<InfoCampo> infos_;
    // Field by name, asked many times per record.
    std::unordered_map<std::string, int> porNombre_;
    std::string datos_;  // every record, back to back
    std::string blanco_;

    std::vector<std::unique_ptr<IndiceTabla>> indices_;
    std::string rutaMdx_;
    std::string candidataMdx_;  // where the .MDX was looked for, when the header asks for one
    Firma firmaMdx_;            // of that file as loaded (or as we last wrote it)
    std::string problemaMdx_;   // why the .MDX could not be read
    bool indicesCambiados_ = false;
    // Some tag of the .MDX had another number of keys than the records ask
    // for (or keys past the last record): the tags in memory are built from
    // the records anyway, and the file is rewritten by the first writer.
    bool mdxDesfasado_ = false;

    std::unique_ptr<ArchivoMemo> memo_;
    bool memoEscritura_ = false;

    std::unordered_map<int, std::unordered_map<std::string, std::vector<uint32_t>>> mapas_;
};

}  // namespace brisolt
