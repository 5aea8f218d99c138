// Rooms: AULAT.DBF from the staged rooms table.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "comandos/estado.h"
#include "export/escuela_prueba.h"
#include "export/pasos.h"
#include "guion_prueba.h"
#include "tables/carpetas.h"
#include "tables/error.h"

namespace brisolt {
namespace {

using prueba::Filas;
using prueba::Intercambio;
using prueba::LeerTabla;
using prueba::Num;

class Aulas : public ::testing::Test {
  protected:
    std::string Exportar() {
        return prueba::MensajeDeError([&] { ExportarAulas(*estado_); });
    }

    prueba::UnidadPrueba unidad_;
    std::unique_ptr<Estado> estado_ = std::make_unique<Estado>();
};

TEST_F(Aulas, UnaPorAulaSinRestosAnteriores) {
    prueba::CrearTabla("C:\\ZTEMP", "AULAT.DBF", {{"VIEJO", TipoCampo::Cadena, 3}}, {{"old"}},
                       NivelTabla::DBase4);
    std::FILE* mdx = std::fopen(Intercambio("AULAT.MDX").c_str(), "wb");
    ASSERT_NE(mdx, nullptr);
    std::fclose(mdx);

    prueba::CrearAulas({
        {"A01", "Aula de música"},
        {"LABORATORI1", "Laboratori de química"},  // 11 characters: cut to 10
        {"", ""},
        {"GIM", "Gimnàs"},
    });
    ASSERT_EQ(Exportar(), "");
    EXPECT_EQ(LeerTabla(Intercambio("AULAT.DBF")),
              (Filas{
                  {"A01", "Aula de música", "1", Num(0)},
                  {"LABORATORI", "Laboratori de química", "1", Num(0)},
                  {"", "", "1", Num(0)},
                  {"GIM", "Gimnàs", "1", Num(0)},
              }));
    EXPECT_EQ(
        prueba::Estructura(Intercambio("AULAT.DBF")),
        (std::vector<std::string>{"C:ABREV:10", "C:NOMBRE:80", "C:EDIFICIO:1", "N:MAXALUM:11"}));
    EXPECT_FALSE(ExisteArchivo(Intercambio("AULAT.MDX")));
    EXPECT_FALSE(estado_->wwTableAulas.Active());

    prueba::CrearAulas({});
    ASSERT_EQ(Exportar(), "");
    EXPECT_EQ(LeerTabla(Intercambio("AULAT.DBF")), Filas{});
}

TEST_F(Aulas, Fallos) {
    EXPECT_THROW(ExportarAulas(*estado_), Error);  // no aulas.dbf
    EXPECT_TRUE(ExisteArchivo(Intercambio("AULAT.DBF")));

    estado_ = std::make_unique<Estado>();
    prueba::CrearTabla("C:\\ZTEMP\\VALENCIA", "aulas.dbf", {{"CODAULA", TipoCampo::Cadena, 10}},
                       {{"A01"}});
    EXPECT_EQ(Exportar(), "wwTableAulas: No se encuentra el campo 'Litaula'");
    estado_ = std::make_unique<Estado>();
    EXPECT_EQ(LeerTabla(Intercambio("AULAT.DBF")), Filas{});
}

}  // namespace
}  // namespace brisolt
