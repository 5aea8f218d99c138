// Subject catalogue: ASIGVALT.DBF and ASIGNOMT.DBF from a small staged school.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "comandos/estado.h"
#include "export/escuela_prueba.h"
#include "export/pasos.h"
#include "guion_prueba.h"
#include "sistema_prueba.h"
#include "tables/carpetas.h"
#include "tables/conversion.h"
#include "tables/error.h"

namespace brisolt {
namespace {

using prueba::Filas;
using prueba::Intercambio;
using prueba::LeerTabla;
using prueba::Num;

class Asignaturas : public ::testing::Test {
  protected:
    void SetUp() override { FijarSeparadorDecimal('.'); }
    void TearDown() override { FijarSeparadorDecimal('\0'); }

    // Message of the error the step stops with, or "" when it ends normally.
    std::string Exportar() {
        return prueba::MensajeDeError([&] { ExportarAsignaturas(*estado_); });
    }

    prueba::UnidadPrueba unidad_;
    std::unique_ptr<Estado> estado_ = std::make_unique<Estado>();
};

// CODASIG, VLITEASIG, CLITEASIG, HORSEMTE, LITRESV
const Filas kAsignat = {
    {"4ESOMAT", "Matemàtiques", "Matemáticas", "4", "MAT"},
    {"1BATFIS", "Física i Química", "Física y Química", " 3", "FIS"},
    {"3ESOMAT", "Matemàtiques aplicades", "Matemáticas aplicadas", "  3", "MAT"},
    {"1E", "Educació física", "Educación física", "120", "EF"},
    {"", "Sense codi", "Sin código", "", ""},
    {"2ESOMAT", "Reforç", "Refuerzo", "0", "MAT"},
};
// OCUPA, VLITERAL, CLITERAL
const Filas kOcupa = {
    {"GUARD", "Guàrdia", "Guardia"},
    {"REUNIODEP1X", std::string(85, 'v'), std::string(85, 'c')},
    {"BIB", "Biblioteca", "Biblioteca"},
};

TEST_F(Asignaturas, TablasCompletasEnCadaIdioma) {
    struct Caso {
        const char* combo;
        bool castellano;
    } casos[] = {
        {"VALENCIÁ", false},    {"CASTELLANO", true}, {"castellano", false},
        {"CASTELLANO ", false}, {"FRANÇAIS", false},
    };
    prueba::CrearAsignat(kAsignat);
    prueba::CrearOcupa(kOcupa);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.combo);
        estado_->ComboBoxValCast = c.combo;
        ASSERT_EQ(Exportar(), "");
        const int n = c.castellano ? 2 : 1;
        auto nombre = [&](std::size_t i) { return kAsignat[i][n]; };
        EXPECT_EQ(LeerTabla(Intercambio("ASIGVALT.DBF")),
                  (Filas{
                      {"MAT", "MAT", nombre(0), "4ESOMAT", Num(4), "ESO", "4"},
                      {"FIS", "FIS", nombre(1), "1BATFIS", Num(3), "BAT", "1"},
                      {"MAT", "MAT", nombre(2), "3ESOMAT", Num(1), "ESO", "3"},
                      {"EF", "EF", nombre(3), "1E", Num(12), "E", "1"},
                      {"", "", nombre(4), "", Num(1), "", ""},
                      {"MAT", "MAT", nombre(5), "2ESOMAT", Num(1), "ESO", "2"},
                  }));
        // Subjects in COD order, each short code once with the name of its
        // first record in that order; then every task in stored order.
        EXPECT_EQ(LeerTabla(Intercambio("ASIGNOMT.DBF")),
                  (Filas{
                      {"", "", nombre(4), "F"},
                      {"EF", "EF", nombre(3), "F"},
                      {"FIS", "FIS", nombre(1), "F"},
                      {"MAT", "MAT", nombre(0), "F"},
                      {"*GUARD", "*GUARD", kOcupa[0][n], "T"},
                      {"*REUNIODEP", "*REUNIODEP", kOcupa[1][n].substr(0, 80), "T"},
                      {"*BIB", "*BIB", "Biblioteca", "T"},
                  }));
    }
    EXPECT_EQ(prueba::Estructura(Intercambio("ASIGVALT.DBF")),
              (std::vector<std::string>{"C:COD:10", "C:CODLARGO:10", "C:NOMBRE:80", "C:CODVALEN:10",
                                        "F:NHORAS:20", "C:NIVEL:5", "C:CURSO:3"}));
    EXPECT_EQ(
        prueba::Estructura(Intercambio("ASIGNOMT.DBF")),
        (std::vector<std::string>{"C:COD:10", "C:CODLARGO:10", "C:NOMBRE:80", "L:ESTAREA:1"}));
    EXPECT_TRUE(ExisteArchivo(Intercambio("ASIGVALT.MDX")));
    EXPECT_FALSE(ExisteArchivo(Intercambio("ASIGNOMT.MDX")));
    EXPECT_FALSE(estado_->wwTableAsignat.Active());
    EXPECT_FALSE(estado_->wwTableOCUPA.Active());
}

TEST_F(Asignaturas, HorasConCadaSeparador) {
    struct Caso {
        char separador;
        const char* horsemte;
        double horas;
    } casos[] = {
        {'.', "3", 3},   {'.', "12", 12}, {'.', "120", 12},  {'.', " 3", 3},   {'.', "  3", 1},
        {'.', "", 1},    {'.', "   ", 1}, {'.', "0", 1},     {'.', "-1", 1},   {'.', ".5", 0.5},
        {'.', "2.5", 2}, {',', "2,5", 2}, {',', "10,5", 10}, {',', ",5", 0.5}, {',', "7", 7},
    };
    for (const char separador : {'.', ','}) {
        SCOPED_TRACE(separador);
        FijarSeparadorDecimal(separador);
        Filas asignat, esperado;
        for (const Caso& c : casos) {
            if (c.separador != separador) continue;
            asignat.push_back({"1ESOX", "V", "C", c.horsemte, "X"});
            esperado.push_back({Num(c.horas)});
        }
        prueba::CrearAsignat(asignat);
        prueba::CrearOcupa({});
        ASSERT_EQ(Exportar(), "");
        Filas horas;
        for (const auto& fila : LeerTabla(Intercambio("ASIGVALT.DBF"))) horas.push_back({fila[4]});
        EXPECT_EQ(horas, esperado);
    }
}

TEST_F(Asignaturas, HorasNoConvertiblesDetienenElPaso) {
    struct Caso {
        char separador;
        const char* horsemte;
        const char* mensaje;
    } casos[] = {
        {'.', "2,5", "'2,' no es un valor punto flotante válido"},
        {',', "2.5", "'2.' no es un valor punto flotante válido"},
        {'.', "x", "'x' no es un valor punto flotante válido"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.horsemte);
        FijarSeparadorDecimal(c.separador);
        prueba::CrearAsignat({{"1ESOA", "A", "A", "1", "A"},
                              {"1ESOB", "B", "B", c.horsemte, "B"},
                              {"1ESOC", "C", "C", "1", "C"}});
        prueba::CrearOcupa({{"GUARD", "G", "G"}});
        EXPECT_EQ(Exportar(), c.mensaje);
        // The tables stay as the failure left them, whatever the step held open.
        estado_ = std::make_unique<Estado>();
        EXPECT_EQ(LeerTabla(Intercambio("ASIGVALT.DBF")),
                  (Filas{{"A", "A", "A", "1ESOA", Num(1), "ESO", "1"}}));
        EXPECT_EQ(LeerTabla(Intercambio("ASIGNOMT.DBF")), Filas{});
    }
}

TEST_F(Asignaturas, TablasVaciasYCodigosLimite) {
    // No subjects: only the tasks. No tasks: only the subjects. A run of codes
    // equal to the starting sentinel at the front of the order gives no name.
    prueba::CrearAsignat({});
    prueba::CrearOcupa({{"GUARD", "G", "G"}});
    ASSERT_EQ(Exportar(), "");
    EXPECT_EQ(LeerTabla(Intercambio("ASIGVALT.DBF")), Filas{});
    EXPECT_EQ(LeerTabla(Intercambio("ASIGNOMT.DBF")), (Filas{{"*GUARD", "*GUARD", "G", "T"}}));

    prueba::CrearAsignat({{"1ESOA", "Àrab", "Árabe", "2", "@#$"},
                          {"1ESOB", "B", "B", "2", "MAT"},
                          {"1ESOC", "C", "C", "2", "@#$"}});
    prueba::CrearOcupa({});
    ASSERT_EQ(Exportar(), "");
    EXPECT_EQ(LeerTabla(Intercambio("ASIGVALT.DBF")).size(), 3u);
    EXPECT_EQ(LeerTabla(Intercambio("ASIGNOMT.DBF")), (Filas{{"MAT", "MAT", "B", "F"}}));
}

TEST_F(Asignaturas, ReconstruyeSinRestosDeLaExportacionAnterior) {
    prueba::CrearTabla("C:\\ZTEMP", "ASIGNOMT.DBF", {{"VIEJO", TipoCampo::Cadena, 3}},
                       {{"old"}, {"old"}}, NivelTabla::DBase4);
    std::FILE* mdx = std::fopen(Intercambio("ASIGNOMT.MDX").c_str(), "wb");
    ASSERT_NE(mdx, nullptr);
    std::fclose(mdx);
    prueba::CrearTabla("C:\\ZTEMP", "ASIGVALT.DBF", {{"VIEJO", TipoCampo::Cadena, 3}}, {{"old"}},
                       NivelTabla::DBase4, {{"VIEJO", "VIEJO"}});
    prueba::CrearAsignat({{"1ESOA", "A", "A", "2", "A"}});
    prueba::CrearOcupa({});
    ASSERT_EQ(Exportar(), "");
    EXPECT_EQ(LeerTabla(Intercambio("ASIGVALT.DBF")),
              (Filas{{"A", "A", "A", "1ESOA", Num(2), "ESO", "1"}}));
    EXPECT_EQ(LeerTabla(Intercambio("ASIGNOMT.DBF")), (Filas{{"A", "A", "A", "F"}}));
    EXPECT_FALSE(ExisteArchivo(Intercambio("ASIGNOMT.MDX")));
}

TEST_F(Asignaturas, CamposQueFaltanLlevanElNombreDelObjeto) {
    // A subject table without LITRESV stops at the first subject; a task table
    // without VLITERAL stops after every subject name has been written.
    prueba::CrearTabla("C:\\ZTEMP\\VALENCIA", "asignat.dbf", {{"CODASIG", TipoCampo::Cadena, 8}},
                       {{"1ESOA"}});
    prueba::CrearOcupa({});
    EXPECT_EQ(Exportar(), "wwTableAsignat: No se encuentra el campo 'Litresv'");

    estado_ = std::make_unique<Estado>();
    prueba::CrearAsignat({{"1ESOA", "A", "A", "2", "A"}, {"1ESOB", "B", "B", "2", "B"}});
    prueba::CrearTabla("C:\\ZTEMP\\VALENCIA", "OCUPA.dbf", {{"OCUPA", TipoCampo::Cadena, 5}},
                       {{"GUARD"}});
    EXPECT_EQ(Exportar(), "wwTableOCUPA: No se encuentra el campo 'VLITERAL'");
    estado_ = std::make_unique<Estado>();
    EXPECT_EQ(LeerTabla(Intercambio("ASIGVALT.DBF")).size(), 2u);
    EXPECT_EQ(LeerTabla(Intercambio("ASIGNOMT.DBF")),
              (Filas{{"A", "A", "A", "F"}, {"B", "B", "B", "F"}}));
}

TEST_F(Asignaturas, TablaDeStagingAusente) {
    prueba::CrearOcupa({});
    EXPECT_THROW(ExportarAsignaturas(*estado_), Error);
    estado_ = std::make_unique<Estado>();
    prueba::CrearAsignat({{"1ESOA", "A", "A", "2", "A"}});
    BorrarArchivo(RutaNativa("C:\\ZTEMP\\VALENCIA\\OCUPA.dbf"));
    EXPECT_THROW(ExportarAsignaturas(*estado_), Error);
}

// What an outside program prints for `orden`.
std::string Salida(const std::string& orden) {
    struct Cerrar {
        void operator()(std::FILE* f) const { pclose(f); }
    };
    std::unique_ptr<std::FILE, Cerrar> p(popen(orden.c_str(), "r"));
    std::string salida;
    char buf[4096];
    for (std::size_t n; p && (n = std::fread(buf, 1, sizeof buf, p.get())) > 0;)
        salida.append(buf, n);
    return salida;
}

TEST_F(Asignaturas, OtrosLectoresVenLosDosIndicesEnOrden) {
    SALTAR_EN_WINDOWS("python3-dbfread and index_dump are Linux tools");
    const bool hayDbfread = std::filesystem::exists("/usr/bin/python3") &&
                            Salida("/usr/bin/python3 -c 'import dbfread' 2>&1").empty();
    const bool hayIndexDump = std::filesystem::exists("/usr/bin/index_dump");
    if (!hayDbfread || !hayIndexDump)
        SALTAR_SIN_HERRAMIENTA("python3-dbfread or index_dump missing");

    prueba::CrearAsignat({
        {"4ESOMAT", "Matemàtiques", "M", "4", "MAT"},
        {"1BATFIS", "Física", "F", "3", "FIS"},
        {"2ESOMAT", "Matemàtiques 2", "M", "3", "MAT"},
        {"1E", "Educació", "E", "2", "EF"},
    });
    prueba::CrearOcupa({});
    ASSERT_EQ(Exportar(), "");
    const std::string dbf = Intercambio("ASIGVALT.DBF");
    const std::string mdx = Intercambio("ASIGVALT.MDX");

    // dbfread: the production-index mark, the code page and the records.
    EXPECT_EQ(Salida("/usr/bin/python3 -c 'import dbfread, sys\n"
                     "t = dbfread.DBF(sys.argv[1])\n"
                     "print(t.header.mdx_flag)\n"
                     "for r in t: print(r[\"COD\"], r[\"CODVALEN\"], r[\"NOMBRE\"], sep=\"|\")' '" +
                     dbf + "' 2>&1"),
              "1\nMAT|4ESOMAT|Matemàtiques\nFIS|1BATFIS|Física\nMAT|2ESOMAT|Matemàtiques 2\n"
              "EF|1E|Educació\n");

    // The tag table lists COD first, then CODVALEN.
    std::ifstream f(mdx, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    ASSERT_GE(bytes.size(), 2048u);
    EXPECT_EQ(bytes[28], 2);  // tags in use
    EXPECT_EQ(std::string(bytes.c_str() + 544 + 4), "COD");
    EXPECT_EQ(std::string(bytes.c_str() + 576 + 4), "CODVALEN");

    // index_dump walks each tag: key padded to 10, a blank, the record number.
    EXPECT_EQ(Salida("/usr/bin/index_dump '" + mdx + "' COD 2>&1"),
              "EF         4\nFIS        2\nMAT        1\nMAT        3\n");
    EXPECT_EQ(Salida("/usr/bin/index_dump '" + mdx + "' CODVALEN 2>&1"),
              "1BATFIS    2\n1E         4\n2ESOMAT    3\n4ESOMAT    1\n");
}

}  // namespace
}  // namespace brisolt
