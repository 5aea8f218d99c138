#pragma once
// Small fixtures for the engine's tests: a scratch folder, tables created
// through the engine and hand-made .DBF bytes for the cases a writer of ours
// would never produce.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "archivos_prueba.h"
#include "guion_prueba.h"
#include "sistema_prueba.h"
#include "tables/tabla.h"

namespace brisolt::prueba {

class Carpeta : public CarpetaTemporal {
  public:
    Carpeta() : CarpetaTemporal("brisolt-tabla-") {}
};

inline void Crear(const std::string& ruta, const std::vector<DefCampo>& campos,
                  const std::vector<DefIndice>& indices = {},
                  NivelTabla nivel = NivelTabla::DBase4) {
    Tabla t;
    t.SetTableName(ruta);
    t.FieldDefs() = campos;
    t.IndexDefs() = indices;
    t.SetTableLevel(nivel);
    t.CreateTable();
}

// Appends one record per row; each row gives the fields' texts in order.
inline void Llenar(const std::string& ruta, const std::vector<std::vector<std::string>>& filas) {
    Tabla t;
    t.SetTableName(ruta);
    t.Open();
    for (const auto& fila : filas) {
        t.Append();
        for (size_t i = 0; i < fila.size(); ++i)
            t.FieldByName(t.Fields()[i].nombre).SetAsString(fila[i]);
        t.Post();
    }
}

// The values of one field along a walk from First to Eof.
inline std::vector<std::string> Recorrer(Tabla& t, const std::string& campo) {
    std::vector<std::string> v;
    for (t.First(); !t.Eof(); t.Next()) v.push_back(t.FieldByName(campo).AsString());
    return v;
}

// A hand-made .DBF: header, descriptors, terminator, records.
struct CampoCrudo {
    std::string nombre;
    char tipo;
    int ancho;
    int decimales = 0;
    uint8_t banderas = 0;
};

inline std::string DbfCrudo(uint8_t version, const std::vector<CampoCrudo>& campos,
                            const std::vector<std::string>& registros, uint8_t driver = 0x57,
                            size_t extraCabecera = 0) {
    const size_t largo = 32 + 32 * campos.size() + 1 + extraCabecera;
    size_t reg = 1;
    for (const auto& c : campos) reg += static_cast<size_t>(c.ancho);
    std::string h(largo, '\0');
    h[0] = static_cast<char>(version);
    h[1] = 126;
    h[2] = 1;
    h[3] = 1;
    const uint32_t n = static_cast<uint32_t>(registros.size());
    for (int i = 0; i < 4; ++i) h[4 + i] = static_cast<char>((n >> (8 * i)) & 0xFF);
    h[8] = static_cast<char>(largo & 0xFF);
    h[9] = static_cast<char>(largo >> 8);
    h[10] = static_cast<char>(reg & 0xFF);
    h[11] = static_cast<char>(reg >> 8);
    h[29] = static_cast<char>(driver);
    for (size_t i = 0; i < campos.size(); ++i) {
        char* d = h.data() + 32 + 32 * i;
        std::copy(campos[i].nombre.begin(), campos[i].nombre.end(), d);
        d[11] = campos[i].tipo;
        d[16] = static_cast<char>(campos[i].ancho);
        d[17] = static_cast<char>(campos[i].decimales);
        d[18] = static_cast<char>(campos[i].banderas);
    }
    h[32 + 32 * campos.size()] = '\x0D';
    for (const auto& r : registros) h += r;
    return h + '\x1A';
}

inline DefCampo Cadena(const std::string& n, int tamano) {
    return {n, TipoCampo::Cadena, tamano, 0};
}
inline DefCampo Entero(const std::string& n) {
    return {n, TipoCampo::Entero, 0, 0};
}
inline DefCampo Flotante(const std::string& n) {
    return {n, TipoCampo::Flotante, 0, 0};
}
inline DefCampo Logico(const std::string& n) {
    return {n, TipoCampo::Logico, 0, 0};
}
inline DefCampo Fecha(const std::string& n) {
    return {n, TipoCampo::Fecha, 0, 0};
}

}  // namespace brisolt::prueba
