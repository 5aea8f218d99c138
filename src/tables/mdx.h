#pragma once
// dBASE IV production index (.MDX). The engine keeps its indexes in memory as
// sorted (key, record) pairs; this reads which tags a file has and writes a
// complete, valid file from the sorted keys.

#include <cstdint>
#include <string>
#include <vector>

namespace brisolt {

struct TagMdx {
    std::string nombre;     // upper case, at most 10 characters
    std::string expresion;  // "COD" or "F1+F2"
    char tipoClave = 'C';   // 'C', 'N' or 'D'
    int longitudClave = 0;  // C: total width; N: 12; D: 8
    bool unico = false;
    bool descendente = false;
    // Sorted keys (already in the tag's order), each longitudClave bytes, with
    // the record number (1-based). Only used when writing.
    std::vector<std::pair<std::string, uint32_t>> claves;
    // What reading found in the tag's leaves: how many keys, and the highest
    // record number one names. A table that changed behind its index has
    // another count, or keys past its last record.
    uint32_t entradas = 0;
    uint32_t mayorRegistro = 0;
};

// Reads the tag table of an existing .MDX (names, expressions, key types);
// throws Error naming the file when it is not a usable .MDX.
std::vector<TagMdx> LeerTagsMdx(const std::string& ruta);

// Writes the whole .MDX bottom-up (1024-byte blocks). `tablaBase` is the .DBF's
// base name. Writes to a temporary file beside it and renames it into place.
void EscribirMdx(const std::string& ruta, const std::string& tablaBase,
                 const std::vector<TagMdx>& tags);

// 12-byte numeric key (BCD) and 8-byte date key, as the file stores them.
std::string ClaveNumericaMdx(double valor);
std::string ClaveFechaMdx(double diaJuliano);

}  // namespace brisolt
