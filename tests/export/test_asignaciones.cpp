// Teaching assignments: the group filter, the subject and teacher lookups,
// the duplicate rule and the session pattern.

#include <gtest/gtest.h>

#include "comandos/estado.h"
#include "export/escuela_prueba.h"
#include "export/pasos.h"
#include "tables/carpetas.h"
#include "tables/error.h"

namespace brisolt {
namespace {

using namespace prueba;

const std::vector<DefCampo> kProft = {{"ABREV", TipoCampo::Cadena, 10}, {"DNI", TipoCampo::Entero}};

class Asignaciones : public ::testing::Test {
  protected:
    void SetUp() override {
        // Stored order decides: the first match wins, whatever an index would say.
        CrearTabla("C:\\ZTEMP", "ASIGVALT.DBF",
                   {{"COD", TipoCampo::Cadena, 10},
                    {"CODVALEN", TipoCampo::Cadena, 10},
                    {"NHORAS", TipoCampo::Flotante}},
                   {{"MTB", "1ESOMAT", "3"},
                    {"MTA", "1ESOMAT", "5"},
                    {"FIS", "2BACFIS", "2.5"},
                    {"QUI", "2BACQUI", "3.5"},
                    {"TEC", "2BACTEC", "0.5"},
                    {"EF", "2BACEF", "25"}},
                   NivelTabla::DBase4);
        CrearTabla("C:\\ZTEMP", "PROFT.DBF", kProft,
                   {{"GLJ", "111"}, {"PPM", "222"}, {"OTR", "111"}, {"SD", ""}},
                   NivelTabla::DBase4);
        CrearTabla("C:\\ZTEMP", "GRUPOST.DBF",
                   {{"ABREV", TipoCampo::Cadena, 10}, {"TURNO", TipoCampo::Cadena, 1}},
                   {{"1ESOA", "M"}, {"2BACB", "M"}, {" 3ESOC", "T"}}, NivelTabla::DBase4);
    }

    // CODGRUP, CODASIG, DNI.
    static void Horario(const Filas& filas) {
        CrearTabla("C:\\ZTEMP\\VALENCIA", "horgrup.dbf",
                   {{"CODGRUP", TipoCampo::Cadena, 6},
                    {"CODASIG", TipoCampo::Cadena, 10},
                    {"DNI", TipoCampo::Numerico, 9, 0},
                    {"DIASEM", TipoCampo::Numerico, 1, 0}},
                   filas);
    }

    static void Exportar() {
        Estado estado;
        ExportarAsignaciones(estado);
    }

    UnidadPrueba unidad_;
};

TEST_F(Asignaciones, UnaFilaPorAsignaturaProfesorYGrupo) {
    Horario({
        {"1ESOA", "1ESOMAT", "111"},     // first catalogue row, first teacher with 111
        {"1ESOA", "1ESOMAT", "111"},     // another slot of the same: nothing
        {"1ESOA", " 1ESOMAT  ", "222"},  // blanks around the code; a second teacher
        {"9ZZZ", "1ESOMAT", "111"},      // not an exported group
        {"1", "1ESOMAT", "111"},
        {"1ESOA", "1ESOMAT", "111"},
        {"1ESOA", "NOHAY", "0"},      // not in the catalogue; DNI 0 is the blank teacher's
        {"1ESOA", "OTRA", ""},        // not in it either; blank DNI: the same row again
        {"2BACB", "2BACFIS", "333"},  // no such teacher
        {"2BACB", "2BACQUI", "111"},
        {"2BACB", "2BACTEC", "111"},
        {"2BACB", "2BACEF", "111"},
        {" 3ESOC", "2BACTEC", "222"},  // split as read, trimmed for CGRUP
    });
    Exportar();

    const std::string veinte(20, '1');
    // CASIG, CPROF, CGRUP, CAULA, TURNO, NIVEL, CURSO, GRUPO, HORAS, SESIONES, NCONEX, CTAREA
    EXPECT_EQ(LeerTabla(Intercambio("ASIGT.DBF")),
              (Filas{
                  {"MTB", "GLJ", "1ESOA", "", "", "ESO", "1", "A", Num(3), "111", "", "*12"},
                  {"MTB", "PPM", "1ESOA", "", "", "ESO", "1", "A", Num(3), "111", "", "*12"},
                  {"", "SD", "1ESOA", "", "", "ESO", "1", "A", Num(1), "1", "", "*12"},
                  {"FIS", "", "2BACB", "", "", "BAC", "2", "B", Num(2.5), "11", "", "*12"},
                  {"QUI", "GLJ", "2BACB", "", "", "BAC", "2", "B", Num(3.5), "1111", "", "*12"},
                  {"TEC", "GLJ", "2BACB", "", "", "BAC", "2", "B", Num(0.5), "", "", "*12"},
                  {"EF", "GLJ", "2BACB", "", "", "BAC", "2", "B", Num(25), veinte, "", "*12"},
                  {"TEC", "PPM", "3ESOC", "", "", "3ES", "", "C", Num(0.5), "", "", "*12"},
              }));
}

TEST_F(Asignaciones, SinProfesorDeDniCeroQuedaVacio) {
    CrearTabla("C:\\ZTEMP", "PROFT.DBF", kProft, {{"GLJ", "111"}}, NivelTabla::DBase4);
    Horario({{"1ESOA", "1ESOMAT", ""}, {"1ESOA", "2BACFIS", "0"}});
    Exportar();
    const Filas filas = LeerTabla(Intercambio("ASIGT.DBF"));
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ((Fila{filas[0][0], filas[0][1], filas[1][0], filas[1][1]}),
              (Fila{"MTB", "", "FIS", ""}));
}

TEST_F(Asignaciones, TablaNuevaConSusCampos) {
    CrearTabla("C:\\ZTEMP", "ASIGT.DBF", {{"VIEJO", TipoCampo::Cadena, 4}}, {{"X"}});
    Horario({});
    Exportar();
    auto estructura = Estructura(Intercambio("ASIGT.DBF"));
    ASSERT_EQ(estructura.size(), 12u);
    EXPECT_EQ(estructura[8].rfind("F:HORAS:", 0), 0u) << estructura[8];
    estructura.erase(estructura.begin() + 8);
    EXPECT_EQ(estructura,
              (std::vector<std::string>{"C:CASIG:10", "C:CPROF:10", "C:CGRUP:10", "C:CAULA:10",
                                        "C:TURNO:1", "C:NIVEL:5", "C:CURSO:3", "C:GRUPO:2",
                                        "C:SESIONES:20", "C:NCONEX:4", "C:CTAREA:10"}));
    EXPECT_TRUE(LeerTabla(Intercambio("ASIGT.DBF")).empty());
    EXPECT_FALSE(ExisteArchivo(Intercambio("ASIGT.MDX")));
}

TEST_F(Asignaciones, CampoQueFaltaEnElHorario) {
    CrearTabla("C:\\ZTEMP\\VALENCIA", "horgrup.dbf",
               {{"CODGRUP", TipoCampo::Cadena, 6}, {"CODASIG", TipoCampo::Cadena, 10}},
               {{"9ZZZ", "X"}, {"1ESOA", "1ESOMAT"}});
    try {
        Exportar();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "wwTableHorGrup: No se encuentra el campo 'Dni'");
    }
}

}  // namespace
}  // namespace brisolt
