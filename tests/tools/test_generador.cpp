#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "carpeta_temporal.h"
#include "comprobar_semana.h"
#include "generador.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

using pruebas::CarpetaTemporal;
using Fila = std::map<std::string, std::string>;

DefCampo C(const char* n, int ancho) {
    return {n, TipoCampo::Cadena, ancho, 0};
}

// A dBASE table as an export leaves it, rows given as text per field.
void Crear(const std::string& dir, const char* nombre, std::vector<DefCampo> campos,
           const std::vector<Fila>& filas) {
    Tabla t;
    t.SetDatabaseName(dir);
    t.SetTableName(nombre);
    t.FieldDefs() = std::move(campos);
    t.CreateTable();
    t.Open();
    for (const auto& f : filas) {
        t.Append();
        for (const auto& [campo, valor] : f) {
            if (t.FieldByName(campo).Info().tipo == 'L')
                t.FieldByName(campo).SetAsBoolean(valor == "T");
            else
                t.FieldByName(campo).SetAsString(valor);
        }
        t.Post();
    }
}

Fila Asig(const char* asig, const char* prof, const char* grupo, const char* sesiones) {
    std::string g = grupo;
    return {{"CASIG", asig},           {"CPROF", prof},           {"CGRUP", g},
            {"NIVEL", g.substr(1, 3)}, {"CURSO", g.substr(0, 1)}, {"GRUPO", g.substr(g.size() - 1)},
            {"SESIONES", sesiones},    {"CTAREA", "*12"}};
}

// Three groups, three teachers and one without classes, two rooms (so a group
// sometimes finds its room taken). Group 1ESOA has 33 sessions and RA 24, so
// the week is tight but possible.
void Intercambio(const std::string& dir) {
    const std::string veinte(20, '1');
    Crear(dir, "ASIGT.DBF",
          {C("CASIG", 10),
           C("CPROF", 10),
           C("CGRUP", 10),
           C("CAULA", 10),
           C("TURNO", 1),
           C("NIVEL", 5),
           C("CURSO", 3),
           C("GRUPO", 2),
           {"HORAS", TipoCampo::Flotante},
           C("SESIONES", 20),
           C("NCONEX", 4),
           C("CTAREA", 10)},
          {Asig("MAT", "GLJ", "1ESOA", "1111"), Asig("MAT", "GLJ", "1ESOB", "1111"),
           Asig("VAL", "PPM", "1ESOA", "111"), Asig("VAL", "PPM", "1ESOB", "111"),
           Asig("EFI", "RA", "1ESOA", "11"), Asig("EFI", "RA", "1ESOB", "11"),
           Asig("ING", "", "1ESOA", "111"), Asig("TUT", "GLJ", "1ESOA", "1"),
           Asig("GEH", "RA", "1ESOA", veinte.c_str()), Asig("", "PPM", "1ESOB", ""),
           Asig("FRA", "PPM", "1ESOC", "11")});
    Crear(dir, "AULAT.DBF", {C("ABREV", 10), C("NOMBRE", 80)},
          {{{"ABREV", "101"}, {"NOMBRE", "Aula 101"}}, {{"ABREV", "102"}, {"NOMBRE", "Aula 102"}}});
    Crear(dir, "GRUPOST.DBF", {C("ABREV", 10), C("TURNO", 1)},
          {{{"ABREV", "1ESOA"}, {"TURNO", "M"}},
           {{"ABREV", "1ESOB"}, {"TURNO", "M"}},
           {{"ABREV", "1ESOC"}, {"TURNO", "M"}}});
    Crear(dir, "PROFT.DBF", {C("ABREV", 10), C("NOMBRE", 80), {"DNI", TipoCampo::Entero}},
          {{{"ABREV", "GLJ"}, {"DNI", "11111111"}},
           {{"ABREV", "PPM"}, {"DNI", "22222222"}},
           {{"ABREV", "RA"}, {"DNI", "33333333"}},
           {{"ABREV", "XYZ"}, {"DNI", "44444444"}}});
    Crear(dir, "ASIGNOMT.DBF",
          {C("COD", 10), C("CODLARGO", 10), C("NOMBRE", 80), {"ESTAREA", TipoCampo::Logico}},
          {{{"COD", "MAT"}, {"ESTAREA", "F"}},
           {{"COD", "*12"}, {"ESTAREA", "T"}},
           {{"COD", "*GUA"}, {"ESTAREA", "T"}},
           {{"COD", "*RDP"}, {"ESTAREA", "T"}}});
}

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
    Intercambio(dir.Ruta());
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
