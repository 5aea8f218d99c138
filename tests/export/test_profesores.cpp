// Teachers: the skip test, the abbreviations, the unique-abbreviation pass
// (checked against the literal walk of the table against itself) and the
// failures.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "comandos/estado.h"
#include "export/abreviaturas.h"
#include "export/escuela_prueba.h"
#include "export/pasos.h"
#include "export/texto.h"
#include "guion_prueba.h"
#include "tables/carpetas.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

using prueba::Filas;
using prueba::Intercambio;
using prueba::LeerTabla;
using prueba::Num;

// The rule word for word, over values held in memory.
std::vector<std::string> PaseLiteral(std::vector<std::string> v, int ancho) {
    for (std::size_t r = 0; r < v.size(); ++r) {
        int contador = 2;
        for (std::size_t s = 0; s < v.size(); ++s) {
            if (s == r || v[r] != v[s]) continue;
            std::string nuevo = Subcadena(v[s] + std::to_string(contador), 1, ancho);
            while (!nuevo.empty() && nuevo.back() == ' ') nuevo.pop_back();
            v[s] = nuevo;
            ++contador;
        }
    }
    return v;
}

// The same rule done by two cursors on one table file, as the engine runs it.
std::vector<std::string> PaseLiteralEnTabla(const std::vector<std::string>& iniciales) {
    Filas filas;
    for (const auto& v : iniciales) filas.push_back({v});
    prueba::CrearTabla("C:\\ZTEMP", "LITERAL.DBF", {{"ABREV", TipoCampo::Cadena, 10}}, filas,
                       NivelTabla::DBase4);
    Tabla externa, interna;
    externa.SetDatabaseName("C:\\ZTEMP");
    externa.SetTableName("LITERAL.DBF");
    interna.SetTableName(Intercambio("LITERAL.DBF"));
    interna.Open();
    externa.Open();
    for (externa.First(); !externa.Eof(); externa.Next()) {
        int contador = 2;
        for (interna.First(); !interna.Eof(); interna.Next()) {
            if (interna.RecNo() == externa.RecNo()) continue;
            if (externa.FieldByName("ABREV").AsString() != interna.FieldByName("ABREV").AsString())
                continue;
            interna.Edit();
            interna.FieldByName("ABREV").SetAsString(interna.FieldByName("ABREV").AsString() +
                                                     std::to_string(contador));
            ++contador;
        }
    }
    interna.Close();
    externa.Close();
    std::vector<std::string> finales;
    for (const auto& fila : LeerTabla(Intercambio("LITERAL.DBF"))) finales.push_back(fila[0]);
    return finales;
}

TEST(AbreviaturasUnicas, IgualAlPaseLiteralEnCasosRebuscados) {
    const std::vector<std::vector<std::string>> casos = {
        {"GLJ", "GLJ", "GLJ"},
        {"GLJ", "PPM", "GLJ", "RA", "GLJ"},
        {"A", "A", "A2"},       // a made value meets an existing one
        {"A2", "A", "A", "A"},  // ... that comes earlier
        {"A1", "A1", "A", "A", "A", "A", "A", "A", "A", "A", "A", "A", "A", "A"},  // A1+2 = A+12
        {"", "", "", "2"},
        {"1", "", "", "12", "1", "1"},
        {"ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI"},     // the digits hit the width
        {"ABCDEFGHIJ", "ABCDEFGHIJ", "ABCDEFGHIJ"},  // nothing fits: values stay equal
        {"ÀÉÍ", "ÀÉÍ", "ÀÉÍ2", "ÀÉÍ"},
    };
    for (const auto& caso : casos) {
        const auto esperado = PaseLiteral(caso, 10);
        EXPECT_EQ(AbreviaturasUnicas(caso, 10), esperado);
    }
}

TEST(AbreviaturasUnicas, IgualAlPaseLiteralEnValoresAlAzar) {
    const std::vector<std::string> piezas = {"A", "A1", "A2", "A12", "A21", "1", "", "B", "A22"};
    std::mt19937 azar(20240611);
    for (int vuelta = 0; vuelta < 3000; ++vuelta) {
        const int ancho = 3 + static_cast<int>(azar() % 4);
        std::vector<std::string> valores(azar() % 30);
        for (auto& v : valores) v = piezas[azar() % piezas.size()];
        ASSERT_EQ(AbreviaturasUnicas(valores, ancho), PaseLiteral(valores, ancho))
            << "vuelta " << vuelta << " ancho " << ancho;
    }
}

TEST(AbreviaturasUnicas, ElModeloEnMemoriaEsElDeLaTabla) {
    // The in-memory rule must see what the table stores: cut to 10 characters
    // in the table's code page and read back without trailing blanks.
    prueba::UnidadPrueba unidad;
    const std::vector<std::vector<std::string>> casos = {
        {"A", "A", "A2", "A", "A22"},
        {"ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI", "ABCDEFGHI1"},
        {"ÀBCDÉFGHÍ", "ÀBCDÉFGHÍ", "ÀBCDÉFGHÍ"},
        {"AB", "AB", "AB", "AB", "AB", "AB", "AB", "AB", "AB", "AB", "AB", "AB", "AB10"},
        {"", "", "2", "G L", "G L"},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(AbreviaturasUnicas(caso, 10), PaseLiteralEnTabla(caso));
}

class Profesores : public ::testing::Test {
  protected:
    std::string Exportar() {
        return prueba::MensajeDeError([&] { ExportarProfesores(*estado_); });
    }

    prueba::UnidadPrueba unidad_;
    std::unique_ptr<Estado> estado_ = std::make_unique<Estado>();
};

TEST_F(Profesores, TablaCompleta) {
    // APENOMPROF, DEPARTA, DNI, FBAJA
    prueba::CrearProfesor({
        {"GARCIA LOPEZ, JUAN", "MATEMÀTIQUES", "11111111", ""},
        {"PEREZ PEREZ, MARIA JOSE", "LLENGUA", "22222222", ""},
        {"GONZÁLEZ LUQUE, JOSÉ", "FÍSICA", "", ""},
        {"ROS, ANA", "ANGLÉS", "33333333", "2020-06-30"},  // left and identified: out
        {"ROS, ANA", "ANGLÉS", "0", "2020-06-30"},
        {"   ", "SENSE NOM", "44444444", "2020-06-30"},
        {"", "BUIT", "", ""},
        {"GARCIA LEON, JUANA", "DIBUIX", "55555555", ""},
        {" GARCIA", "", "6", ""},
        {"GARCIA  LOPEZ", "", "7", ""},
        {"ANA", "", "8", ""},
        {"ÚLTIMA, ÚRSULA", "", "9", "2021-01-01"},  // the last one is skipped
    });
    ASSERT_EQ(Exportar(), "");
    EXPECT_EQ(LeerTabla(Intercambio("PROFT.DBF")),
              (Filas{
                  {"GLJ", "GARCIA LOPEZ, JUAN", "MATEMÀTIQUES", Num(11111111)},
                  {"PPM", "PEREZ PEREZ, MARIA JOSE", "LLENGUA", Num(22222222)},
                  {"GLJ2", "GONZÁLEZ LUQUE, JOSÉ", "FÍSICA", Num(0)},
                  {"RA", "ROS, ANA", "ANGLÉS", Num(0)},
                  {"", "", "SENSE NOM", Num(44444444)},
                  {"2", "", "BUIT", Num(0)},
                  {"GLJ3", "GARCIA LEON, JUANA", "DIBUIX", Num(55555555)},
                  {" G", " GARCIA", "", Num(6)},
                  {"G L", "GARCIA  LOPEZ", "", Num(7)},
                  {"A", "ANA", "", Num(8)},
              }));
    EXPECT_EQ(prueba::Estructura(Intercambio("PROFT.DBF")),
              (std::vector<std::string>{"C:ABREV:10", "C:NOMBRE:80", "C:DEPART:40", "N:DNI:11"}));
    EXPECT_FALSE(ExisteArchivo(Intercambio("PROFT.MDX")));
    EXPECT_FALSE(estado_->wwTableProfesor.Active());
}

TEST_F(Profesores, AbreviaturasQueAcabanEnCifra) {
    // A, A, A2: the second becomes A2 and meets the third, which then becomes A22.
    prueba::CrearProfesor({{"ALBA", "", "1", ""}, {"ANA", "", "2", ""}, {"ALBA 2", "", "3", ""}});
    ASSERT_EQ(Exportar(), "");
    Filas abrev;
    for (const auto& fila : LeerTabla(Intercambio("PROFT.DBF"))) abrev.push_back({fila[0]});
    EXPECT_EQ(abrev, (Filas{{"A"}, {"A2"}, {"A22"}}));
}

TEST_F(Profesores, SinProfesoresQuedaVaciaYSigue) {
    const Filas casos[] = {
        {},
        {{"ROS, ANA", "", "1", "2020-01-01"}, {"GIL, EVA", "", "2", "2019-09-01"}},
    };
    for (const Filas& profesores : casos) {
        prueba::CrearProfesor(profesores);
        EXPECT_EQ(Exportar(), "");
        EXPECT_EQ(LeerTabla(Intercambio("PROFT.DBF")), Filas{});
        EXPECT_FALSE(estado_->wwTableProfesor.Active());
    }
}

TEST_F(Profesores, Fallos) {
    EXPECT_THROW(ExportarProfesores(*estado_), Error);  // no profesor.dbf

    estado_ = std::make_unique<Estado>();
    prueba::CrearTabla("C:\\ZTEMP\\VALENCIA", "profesor.dbf",
                       {{"APENOMPROF", TipoCampo::Cadena, 40},
                        {"FBAJA", TipoCampo::Fecha},
                        {"DNI", TipoCampo::Numerico, 9, 0}},
                       {{"GARCIA LOPEZ, JUAN", "", "1"}});
    EXPECT_EQ(Exportar(), "wwTableProfesor: No se encuentra el campo 'Departa'");
    estado_ = std::make_unique<Estado>();
    EXPECT_EQ(LeerTabla(Intercambio("PROFT.DBF")), Filas{});
}

}  // namespace
}  // namespace brisolt
