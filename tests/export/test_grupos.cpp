// Groups and courses: the duplicate rules, the tutor lookup, DESCRIP and the
// course ABREV.

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

class Grupos : public ::testing::Test {
  protected:
    void SetUp() override {
        CrearTabla("C:\\ZTEMP", "PROFT.DBF",
                   {{"ABREV", TipoCampo::Cadena, 10}, {"DNI", TipoCampo::Entero}},
                   {{"GLJ", "111"}, {"PPM", "222"}, {"OTR", "111"}, {"SD", "0"}},
                   NivelTabla::DBase4);
    }

    void Exportar() {
        Estado estado;
        ExportarGrupos(estado);
    }

    // CrearGrupos with a group code wide enough for 1ESOXA.
    static void Grupos_(const Filas& filas) {
        CrearTabla("C:\\ZTEMP\\VALENCIA", "grupos.dbf",
                   {{"CODGRUP", TipoCampo::Cadena, 6},
                    {"TURNO", TipoCampo::Cadena, 1},
                    {"LITEGRUP", TipoCampo::Cadena, 30},
                    {"DNI", TipoCampo::Cadena, 9}},
                   filas);
    }

    UnidadPrueba unidad_;
};

TEST_F(Grupos, UnaFilaPorGrupoYCursoConSuTutor) {
    // CODGRUP, TURNO, LITEGRUP, DNI. The DNIs that are not whole numbers sit on
    // rows that must never reach the tutor lookup: duplicates and short codes.
    Grupos_({
        {"1ESOXA", "M", "Primero X", "111"},  // the first of two teachers with DNI 111
        {"1ESOYA", "M", "Primero Y", "bad"},  // same shift, level, course and letter
        {"1ESOA", "M", "Primero A", "nope"},
        {"1", "M", "corto", "bad"},  // too short: neither table gets a row
        {"", "M", "", "bad"},
        {"1ESOA", "T", "tarde", ""},    // same code in another shift; blank DNI: no tutor
        {"1BACB", "M", "Bach", "999"},  // no such teacher
        {"1BTOC", "M", "", "222"},      // course ABREV MB1 again
        {"2ESOB", "", "Segundo", "0"},  // DNI 0 finds the teacher stored with 0
    });
    Exportar();

    EXPECT_EQ(LeerTabla(Intercambio("GRUPOST.DBF")),
              (Filas{
                  {"1ESOXA", "M", "ESO", "1", "A", "M ESO 1 A (Primero X)", "GLJ"},
                  {"1ESOA", "T", "ESO", "1", "A", "T ESO 1 A (tarde)", ""},
                  {"1BACB", "M", "BAC", "1", "B", "M BAC 1 B (Bach)", ""},
                  {"1BTOC", "M", "BTO", "1", "C", "M BTO 1 C ()", "PPM"},
                  {"2ESOB", "", "ESO", "2", "B", " ESO 2 B (Segundo)", "SD"},
              }));
    EXPECT_EQ(LeerTabla(Intercambio("CURSOST.DBF")), (Filas{
                                                         {"ME1", "M", "ESO", "1"},
                                                         {"TE1", "T", "ESO", "1"},
                                                         {"MB1", "M", "BAC", "1"},
                                                         {"MB1", "M", "BTO", "1"},
                                                         {"E2", "", "ESO", "2"},
                                                     }));
}

TEST_F(Grupos, TablasNuevasConSusCampos) {
    // An earlier export's tables do not survive, index file included.
    CrearTabla("C:\\ZTEMP", "GRUPOST.DBF", {{"VIEJO", TipoCampo::Cadena, 4}}, {{"X"}});
    CrearTabla("C:\\ZTEMP", "CURSOST.DBF", {{"VIEJO", TipoCampo::Cadena, 4}}, {{"X"}});
    for (const char* mdx : {"GRUPOST.MDX", "CURSOST.MDX"})
        std::ofstream(RutaNativa("C:\\ZTEMP") + "/" + mdx) << "viejo";
    CrearGrupos({});
    Exportar();

    EXPECT_EQ(Estructura(Intercambio("GRUPOST.DBF")),
              (std::vector<std::string>{"C:ABREV:10", "C:TURNO:1", "C:NIVEL:5", "C:CURSO:3",
                                        "C:GRUPO:2", "C:DESCRIP:80", "C:TUTOR:10"}));
    EXPECT_EQ(Estructura(Intercambio("CURSOST.DBF")),
              (std::vector<std::string>{"C:ABREV:3", "C:TURNO:1", "C:NIVEL:5", "C:CURSO:3"}));
    EXPECT_TRUE(LeerTabla(Intercambio("GRUPOST.DBF")).empty());
    EXPECT_TRUE(LeerTabla(Intercambio("CURSOST.DBF")).empty());
    EXPECT_FALSE(ExisteArchivo(Intercambio("GRUPOST.MDX")));
    EXPECT_FALSE(ExisteArchivo(Intercambio("CURSOST.MDX")));
}

TEST_F(Grupos, UnDniQueNoEsEnteroDetieneLaExportacion) {
    CrearGrupos({
        {"1ESOA", "M", "Primero A", "111"},
        {"2ESOA", "M", "Segundo A", "12a"},
        {"3ESOA", "M", "Tercero A", "111"},
    });
    try {
        Exportar();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'12a' no es un valor entero válido");
    }
    EXPECT_EQ(LeerTabla(Intercambio("GRUPOST.DBF")),
              (Filas{{"1ESOA", "M", "ESO", "1", "A", "M ESO 1 A (Primero A)", "GLJ"}}));
    EXPECT_EQ(LeerTabla(Intercambio("CURSOST.DBF")), (Filas{{"ME1", "M", "ESO", "1"}}));
}

TEST_F(Grupos, CampoQueFaltaEnGrupos) {
    CrearTabla("C:\\ZTEMP\\VALENCIA", "grupos.dbf",
               {{"TURNO", TipoCampo::Cadena, 1},
                {"CODGRUP", TipoCampo::Cadena, 5},
                {"DNI", TipoCampo::Cadena, 10}},
               {{"M", "1ESOA", "111"}});
    try {
        Exportar();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "wwTableGrupos: No se encuentra el campo 'LITEGRUP'");
    }
}

}  // namespace
}  // namespace brisolt
