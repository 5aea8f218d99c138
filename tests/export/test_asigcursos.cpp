// Subject hours per course: one row per catalogue record, in full-code order,
// copied field by field.

#include <gtest/gtest.h>

#include <fstream>

#include "comandos/estado.h"
#include "export/escuela_prueba.h"
#include "export/pasos.h"
#include "tables/carpetas.h"
#include "tables/error.h"

namespace brisolt {
namespace {

using namespace prueba;

class AsigCursos : public ::testing::Test {
  protected:
    // COD, CODVALEN, NHORAS, NIVEL, CURSO, with the catalogue's two tags.
    static void Catalogo(const Filas& filas) {
        Tabla t;
        t.SetDatabaseName("C:\\ZTEMP");
        t.SetTableName("ASIGVALT.DBF");
        t.FieldDefs() = {{"COD", TipoCampo::Cadena, 10},
                         {"CODVALEN", TipoCampo::Cadena, 10},
                         {"NHORAS", TipoCampo::Flotante},
                         {"NIVEL", TipoCampo::Cadena, 5},
                         {"CURSO", TipoCampo::Cadena, 3}};
        t.IndexDefs() = {{"COD", "COD"}, {"CODVALEN", "CODVALEN"}};
        t.CreateTable();
        t.Open();
        for (const auto& f : filas) {
            t.Append();
            t.FieldByName("COD").SetAsString(f[0]);
            t.FieldByName("CODVALEN").SetAsString(f[1]);
            t.FieldByName("NHORAS").SetAsFloat(std::stod(f[2]));
            t.FieldByName("NIVEL").SetAsString(f[3]);
            t.FieldByName("CURSO").SetAsString(f[4]);
            t.Post();
        }
        t.Close();
    }

    static void Exportar() {
        Estado estado;
        ExportarAsigCursos(estado);
    }

    UnidadPrueba unidad_;
};

TEST_F(AsigCursos, SigueElCodigoCompletoYCopiaCadaCampo) {
    // An earlier export's table, index file included, does not survive.
    CrearTabla("C:\\ZTEMP", "ASIGCURT.DBF", {{"VIEJO", TipoCampo::Cadena, 4}}, {{"X"}});
    std::ofstream(RutaNativa("C:\\ZTEMP") + "/ASIGCURT.MDX") << "viejo";
    Catalogo({
        {"MAT", "2ESOMAT", "3", "ESO", "2"},
        {"LEN", "1ESOLEN", "0.5", "ESO", "1"},
        {"MTA", "1ESOMAT", "4.25", "ESO", "1"},
        {"MTB", "1ESOMAT", "2", "ESO", "1"},  // equal full codes keep their stored order
        {"FIS", "1BACFIS", "12", "BAC", "1"},
    });
    Exportar();

    EXPECT_EQ(LeerTabla(Intercambio("ASIGCURT.DBF")), (Filas{
                                                          {"BAC", "1", "FIS", Num(12)},
                                                          {"ESO", "1", "LEN", Num(0.5)},
                                                          {"ESO", "1", "MTA", Num(4.25)},
                                                          {"ESO", "1", "MTB", Num(2)},
                                                          {"ESO", "2", "MAT", Num(3)},
                                                      }));
    const auto estructura = Estructura(Intercambio("ASIGCURT.DBF"));
    ASSERT_EQ(estructura.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(estructura.begin(), estructura.begin() + 3),
              (std::vector<std::string>{"C:NIVEL:5", "C:CURSO:3", "C:ASIG:10"}));
    EXPECT_EQ(estructura[3].rfind("F:HORAS:", 0), 0u) << estructura[3];
    EXPECT_FALSE(ExisteArchivo(Intercambio("ASIGCURT.MDX")));
}

TEST_F(AsigCursos, CatalogoVacioDaTablaVacia) {
    Catalogo({});
    Exportar();
    EXPECT_TRUE(LeerTabla(Intercambio("ASIGCURT.DBF")).empty());
}

TEST_F(AsigCursos, SinCatalogoFallaYDejaLaTablaVacia) {
    EXPECT_THROW(Exportar(), Error);
    EXPECT_TRUE(LeerTabla(Intercambio("ASIGCURT.DBF")).empty());
}

}  // namespace
}  // namespace brisolt
