#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "comprobar_semana.h"
#include "generador.h"
#include "intercambio_prueba.h"
#include "sistema_prueba.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

using prueba::CarpetaTemporal;
struct Solucion {
    int dia, hora;
    std::string tarea, prof, nivel, curso, asig, grupo, aula;
};

std::vector<Solucion> Leer(const std::string& dir) {
    Tabla t;
    t.SetDatabaseName(dir);
    t.SetTableName("SOLUC.DBF");
    t.Open();
    std::vector<Solucion> r;
    for (t.First(); !t.Eof(); t.Next()) {
        auto s = [&](const char* c) { return t.FieldByName(c).AsString(); };
        r.push_back({t.FieldByName("DIA").AsInteger(), t.FieldByName("HORA").AsInteger(),
                     s("TAREA"), s("PROF"), s("NIVEL"), s("CURSO"), s("ASIG"), s("CODGRUPO"),
                     s("AULA")});
    }
    return r;
}

TEST(Generador, PlacesEverySessionWithoutClashesAndAddsTasks) {
    CarpetaTemporal dir;
    pruebas::Intercambio(dir.Ruta());
    GenerarSolucion(dir.Ruta());
    auto filas = Leer(dir.Ruta());

    std::map<std::tuple<std::string, std::string, std::string>, int> sesiones;
    std::vector<pruebas::Hueco> huecos;
    std::set<std::tuple<std::string, int, int>> aulas;
    std::map<std::string, int> tareas;
    for (const auto& f : filas) {
        huecos.push_back({f.prof, f.grupo, f.dia, f.hora});
        if (!f.grupo.empty()) {
            ++sesiones[{f.asig, f.prof, f.grupo}];
            EXPECT_EQ(f.tarea, "*12");
            EXPECT_EQ(f.nivel, "ESO");
            EXPECT_EQ(f.curso, "1");
            EXPECT_TRUE(f.aula == "101" || f.aula == "102" || f.aula.empty()) << f.aula;
            if (!f.aula.empty()) {
                EXPECT_TRUE(aulas.insert({f.aula, f.dia, f.hora}).second) << f.aula;
            }
        } else {
            EXPECT_TRUE(f.tarea == "*GUA" || f.tarea == "*RDP") << f.tarea;
            EXPECT_EQ(f.nivel + f.curso + f.asig + f.aula, "");
            ++tareas[f.prof];
        }
    }
    pruebas::SinChoques(huecos, kDiasSolucion, kHorasSolucion);
    using K = std::tuple<std::string, std::string, std::string>;
    EXPECT_EQ(sesiones, (std::map<K, int>{{K{"MAT", "GLJ", "1ESOA"}, 4},
                                          {K{"MAT", "GLJ", "1ESOB"}, 4},
                                          {K{"VAL", "PPM", "1ESOA"}, 3},
                                          {K{"VAL", "PPM", "1ESOB"}, 3},
                                          {K{"EFI", "RA", "1ESOA"}, 2},
                                          {K{"EFI", "RA", "1ESOB"}, 2},
                                          {K{"ING", "", "1ESOA"}, 3},
                                          {K{"TUT", "GLJ", "1ESOA"}, 1},
                                          {K{"GEH", "RA", "1ESOA"}, 20},
                                          {K{"FRA", "PPM", "1ESOC"}, 2}}));
    // A class goes without a room only when both rooms are taken at that hour.
    for (const auto& f : filas)
        if (!f.grupo.empty() && f.aula.empty()) {
            EXPECT_TRUE(aulas.count({"101", f.dia, f.hora}) && aulas.count({"102", f.dia, f.hora}))
                << f.grupo << " day " << f.dia << " hour " << f.hora;
        }
    for (const char* p : {"GLJ", "PPM", "RA", "XYZ"}) EXPECT_GE(tareas[p], 1) << p;
}

TEST(Generador, MissingAssignmentsTableIsAnError) {
    CarpetaTemporal dir;
    EXPECT_THROW(GenerarSolucion(dir.Ruta()), Error);
}

}  // namespace
}  // namespace brisolt
