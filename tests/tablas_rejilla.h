#pragma once
// The two small tables the import's check dialogs are shown over, for the Qt
// and the Win32 dialogs' tests and the screenshot program alike: the teachers
// (PROFT.DBF) and the hour template (PLANTILLA.DBF), and the table objects
// open on them as the import hands them in.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "tables/tabla.h"

namespace brisolt::prueba {

struct ProfesorPrueba {
    const char* abrev;
    const char* nombre;
    const char* depart;
    int32_t dni;  // 0: blank
};

inline void EscribirProft(const std::string& carpeta, std::initializer_list<ProfesorPrueba> filas) {
    Tabla t;
    t.SetTableName(carpeta + "/PROFT.DBF");
    t.FieldDefs() = {{"ABREV", TipoCampo::Cadena, 4},
                     {"NOMBRE", TipoCampo::Cadena, 40},
                     {"DEPART", TipoCampo::Cadena, 12},
                     {"DNI", TipoCampo::Entero}};
    t.CreateTable();
    t.Open();
    for (const ProfesorPrueba& p : filas) {
        t.Append();
        t.FieldByName("ABREV").SetAsString(p.abrev);
        t.FieldByName("NOMBRE").SetAsString(p.nombre);
        t.FieldByName("DEPART").SetAsString(p.depart);
        if (p.dni) t.FieldByName("DNI").SetAsInteger(p.dni);
        t.Post();
    }
}

// Hours 1 to 20, the first `conHoras` of them from 8:00-8:55 on; with a HORA
// tag when `indice`.
inline void EscribirPlantilla(const std::string& carpeta, int conHoras, bool indice) {
    Tabla t;
    t.SetTableName(carpeta + "/PLANTILLA.DBF");
    t.FieldDefs() = {{"HORA", TipoCampo::Entero},
                     {"HORAINI", TipoCampo::Cadena, 5},
                     {"HORAFIN", TipoCampo::Cadena, 5}};
    if (indice) t.IndexDefs() = {{"HORA", "HORA"}};
    t.CreateTable();
    t.Open();
    for (int h = 1; h <= 20; ++h) {
        t.Append();
        t.FieldByName("HORA").SetAsInteger(h);
        if (h <= conHoras) {
            t.FieldByName("HORAINI").SetAsString(std::to_string(7 + h) + ":00");
            t.FieldByName("HORAFIN").SetAsString(std::to_string(7 + h) + ":55");
        }
    }
    t.Post();
}

inline std::unique_ptr<Tabla> AbrirProft(const std::string& carpeta) {
    auto t = std::make_unique<Tabla>("wwTableProft");
    t->SetDatabaseName(carpeta);
    t->SetTableName("proft.dbf");
    t->Open();
    return t;
}

inline std::unique_ptr<Tabla> AbrirPlantilla(const std::string& carpeta) {
    auto t = std::make_unique<Tabla>("wwTablePlantilla");
    t->SetDatabaseName(carpeta);
    t->SetTableName("plantilla");
    t->Open();
    return t;
}

}  // namespace brisolt::prueba
