#pragma once
// A table object: a named cursor over one dBASE table file.
//
// Every table object on the same file in this process is a cursor over one
// shared in-memory copy of that file (see archivo_tabla.h); a record posted
// through one cursor is seen by the others at once. Posts are written through
// to disk, except in a table this program has just created or emptied, whose
// records go out in blocks and are all in the file once a table object on it
// closes. Text is UTF-8 on this side and the table's code page on disk.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace brisolt {

class ArchivoTabla;  // the shared open file (archivo_tabla.h)

// Kinds of field a table can be created with.
enum class TipoCampo {
    Cadena,    // C, width = tamano
    Entero,    // N 11,0
    Flotante,  // F 20,4
    Logico,    // L
    Fecha,     // D
    Memo,      // M (FoxPro 2.x tables only)
    Numerico,  // N tamano,decimales (FoxPro 2.x and sample data)
};

struct DefCampo {
    std::string nombre;
    TipoCampo tipo = TipoCampo::Cadena;
    int tamano = 0;     // Cadena, Numerico
    int decimales = 0;  // Numerico
};

struct DefIndice {
    std::string nombre;  // tag name
    std::string campos;  // key expression: one field, or F1+F2
};

// What CreateTable writes.
enum class NivelTabla {
    DBase4,   // version 0x03, production .MDX when there are indexes (the default)
    FoxPro2,  // version 0x03 or 0xF5 with an .FPT when there are memo fields; never an index
};

// A field as stored in the file (for dumps and the grids).
struct InfoCampo {
    std::string nombre;  // upper case as stored
    char tipo = 'C';     // type letter on disk
    int ancho = 0;
    int decimales = 0;
    bool sistema = false;  // hidden system field such as _NullFlags
};

class Tabla;

// A handle on one field of a cursor's current record (FieldByName's result).
// Reads give the current record, or the pending one while editing/inserting.
// A numeric field whose text is not a number ("**", "1A") fails every read
// with the conversion message, the table, the record number and the field.
class Campo {
  public:
    std::string AsString() const;
    int32_t AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;
    double AsDateTime() const;  // days since 1899-12-30; 0 when blank
    bool IsNull() const;        // blank in the file

    void SetAsString(std::string_view valor);
    void SetAsInteger(int32_t valor);
    void SetAsFloat(double valor);
    void SetAsBoolean(bool valor);
    void SetAsDateTime(double valor);
    void Clear();
    // Text typed by the user into a grid cell: a numeric field refuses a text
    // that is not a number with "'%s' no es un valor entero válido para el
    // campo '%s'" (or the floating-point form); other fields take it as AsString.
    void SetText(std::string_view texto);

    const InfoCampo& Info() const;

  private:
    friend class Tabla;
    Campo(Tabla* tabla, int indice) : tabla_(tabla), indice_(indice) {}
    Tabla* tabla_;
    int indice_;
};

class Tabla {
  public:
    // `nombre` is the component name put in front of engine messages
    // ("wwTableAsignat: ..."); empty for the steps' own objects.
    explicit Tabla(std::string nombre = {});
    ~Tabla();  // closes; a pending record is dropped
    Tabla(const Tabla&) = delete;
    Tabla& operator=(const Tabla&) = delete;

    // Settings. DatabaseName is a folder (Windows spelling such as C:\ZTEMP,
    // or native), or empty when TableName is the full path of the .DBF.
    void SetDatabaseName(std::string carpeta);
    void SetTableName(std::string nombre);
    void SetExclusive(bool exclusiva);
    void SetReadOnly(bool soloLectura);
    void SetTableLevel(NivelTabla nivel);
    const std::string& Name() const { return nombre_; }
    const std::string& DatabaseName() const { return carpeta_; }
    const std::string& TableName() const { return nombreTabla_; }
    bool Exclusive() const { return exclusiva_; }
    bool ReadOnly() const { return soloLectura_; }

    // Native path of the .DBF (existing spelling when the file exists).
    std::string RutaArchivo() const;

    // Definitions for CreateTable.
    std::vector<DefCampo>& FieldDefs() { return defCampos_; }
    std::vector<DefIndice>& IndexDefs() { return defIndices_; }

    // Current index by tag name; empty for file order. Settles when open.
    void SetIndexName(std::string indice);
    const std::string& IndexName() const { return indice_; }

    // Filter "Campo= 'valor'", applied from Open on while Filtered.
    void SetFilter(std::string filtro);
    void SetFiltered(bool filtrado);
    const std::string& Filter() const { return filtro_; }
    bool Filtered() const { return filtrado_; }

    void Open();
    void Close();
    bool Active() const;

    void First();
    void Next();
    bool Eof() const;

    void Append();
    void Edit();
    void Post();
    bool Editing() const;  // edit or insert pending
    void Cancel();         // drops the pending record, if any, unwritten

    Campo FieldByName(std::string_view nombre);
    bool HasField(std::string_view nombre) const;
    const std::vector<InfoCampo>& Fields() const;  // of the open table

    bool Locate(std::string_view campo, std::string_view valor);
    bool FindKey(const std::vector<std::string>& valores);

    int64_t RecNo() const;        // physical record number, 1-based; 0 when none
    int64_t RecordCount() const;  // live records visible to this cursor
    void GoTo(int64_t recno);     // for grids: positions on a live record

    void CreateTable();
    void EmptyTable();

  private:
    friend class Campo;
    struct Estado;
    std::string nombre_, carpeta_, nombreTabla_, indice_, filtro_;
    bool exclusiva_ = false, soloLectura_ = false, filtrado_ = false;
    NivelTabla nivel_ = NivelTabla::DBase4;
    std::vector<DefCampo> defCampos_;
    std::vector<DefIndice> defIndices_;
    std::unique_ptr<Estado> estado_;  // cursor state while open
};

// File helpers on table files, with the engine's locking rules.
// Deletes the file unless a table object (here or in another process) holds it;
// returns whether it is gone. Names match without regard to case.
bool BorrarArchivoTabla(const std::string& ruta);
// Before the file is read by other means (a copy): what a table object here
// posted to it and the file does not hold yet is written.
void VolcarTablaAbierta(const std::string& ruta);

}  // namespace brisolt
