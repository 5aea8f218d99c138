// brisolt-cli volcar: a table the engine wrote, dumped as CSV in file order,
// in the order of a tag, and as its field list; errors on standard error.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/programa.h"
#include "tables/conversion.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

class VolcarCli : public ::testing::Test {
  protected:
    void SetUp() override {
        raiz_ = prueba::NuevaCarpetaTemporal("brisolt-volcar-");
        ASSERT_FALSE(raiz_.empty());
        tabla_ = raiz_ + "/ASIGVALT.DBF";
        Tabla t;
        t.SetTableName(tabla_);
        t.FieldDefs() = {{"COD", TipoCampo::Cadena, 10}, {"NOMBRE", TipoCampo::Cadena, 30},
                         {"DNI", TipoCampo::Entero},     {"NHORAS", TipoCampo::Flotante},
                         {"ESTAREA", TipoCampo::Logico}, {"ALTA", TipoCampo::Fecha}};
        t.IndexDefs() = {{"COD", "COD"}};
        t.CreateTable();
        t.Open();
        t.Append();
        t.FieldByName("COD").SetAsString("MAT");
        t.FieldByName("NOMBRE").SetAsString("Matemàtiques, \"A\"");
        t.FieldByName("DNI").SetAsInteger(12345678);
        t.FieldByName("NHORAS").SetAsFloat(2.5);
        t.FieldByName("ESTAREA").SetAsBoolean(false);
        t.FieldByName("ALTA").SetAsDateTime(FechaADias(2026, 12, 10));
        t.Post();
        t.Append();
        t.FieldByName("COD").SetAsString("*GUA");
        t.FieldByName("NOMBRE").SetAsString("Guàrdia");
        t.Post();
        t.Close();
    }
    void TearDown() override { prueba::BorrarArbol(raiz_); }

    prueba::Resultado Volcar(std::vector<std::string> argumentos) {
        argumentos.insert(argumentos.begin(), "volcar");
        return prueba::EjecutarCli(argumentos);
    }

    std::string raiz_, tabla_;
};

TEST_F(VolcarCli, RecordsInFileOrderOrByATagAndTheFieldList) {
    const std::string cabecera = "COD,NOMBRE,DNI,NHORAS,ESTAREA,ALTA\r\n";
    const std::string mat = "MAT,\"Matemàtiques, \"\"A\"\"\",12345678,2.5,F,2026-12-10\r\n";
    const std::string gua = "*GUA,Guàrdia,,,,\r\n";
    const struct {
        std::vector<std::string> argumentos;
        std::string salida;
    } casos[] = {
        {{tabla_}, cabecera + mat + gua},
        {{tabla_, "--indice", "COD"}, cabecera + gua + mat},  // "*" sorts before letters
        {{tabla_, "--campos"},
         "COD,C,10,0\r\nNOMBRE,C,30,0\r\nDNI,N,11,0\r\nNHORAS,F,20,4\r\nESTAREA,L,1,0\r\n"
         "ALTA,D,8,0\r\n"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::PrintToString(c.argumentos));
        const prueba::Resultado s = Volcar(c.argumentos);
        EXPECT_EQ(s.estado, 0) << s.errores;
        EXPECT_EQ(s.salida, c.salida);
        EXPECT_EQ(s.errores, "");
    }
}

TEST_F(VolcarCli, AnErrorGoesToStandardErrorWithStatusOne) {
    const struct {
        std::vector<std::string> argumentos;
        std::string error;
    } casos[] = {
        {{raiz_ + "/falta.dbf"}, "No se encuentra la tabla '" + raiz_ + "/falta.dbf'\n"},
        // As the error box shows them: a full stop after a letter or a bracket.
        {{tabla_, "--opcion"}, "Opción desconocida: --opcion.\n"},
        {{}, "Uso: brisolt-cli volcar ARCHIVO [--indice TAG] [--campos].\n"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::PrintToString(c.argumentos));
        const prueba::Resultado s = Volcar(c.argumentos);
        EXPECT_EQ(s.estado, 1);
        EXPECT_EQ(s.salida, "");
        EXPECT_EQ(s.errores, c.error);
    }
    const prueba::Resultado s = Volcar({tabla_, "--indice", "NOEXISTE"});
    EXPECT_EQ(s.estado, 1);
    EXPECT_NE(s.errores.find("NOEXISTE"), std::string::npos) << s.errores;
}

}  // namespace
}  // namespace brisolt
