// Students: ALUMNOST.DBF with the group split, the shift lookup, the subject
// filter and the 50 subject pairs.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "archivos_prueba.h"
#include "comandos/estado.h"
#include "export/escuela_prueba.h"
#include "export/pasos.h"
#include "guion_prueba.h"
#include "tables/carpetas.h"
#include "tables/error.h"

namespace brisolt {
namespace {

using prueba::Fila;
using prueba::Filas;
using prueba::Intercambio;
using prueba::LeerTabla;

// The catalogue as the subject step leaves it, with a COD wider than ASIGn.
void CrearCatalogo(const Filas& codYCodvalen) {
    prueba::CrearTabla("C:\\ZTEMP", "ASIGVALT.DBF",
                       {{"COD", TipoCampo::Cadena, 10}, {"CODVALEN", TipoCampo::Cadena, 10}},
                       codYCodvalen, NivelTabla::DBase4,
                       {{"COD", "COD"}, {"CODVALEN", "CODVALEN"}});
}

// An ALUMNOST.DBF record: the eight leading fields, then ASIGn/DIVn pairs.
Fila Alumno(Fila inicio, const std::vector<std::string>& asignaturas) {
    for (int n = 0; n < 50; ++n) {
        inicio.push_back(n < static_cast<int>(asignaturas.size()) ? asignaturas[n] : "");
        inicio.push_back("");
    }
    return inicio;
}

class Alumnos : public ::testing::Test {
  protected:
    std::string Exportar() {
        return prueba::MensajeDeError([&] { ExportarAlumnos(*estado_); });
    }

    prueba::UnidadPrueba unidad_;
    std::unique_ptr<Estado> estado_ = std::make_unique<Estado>();
};

// A students' table cut short stops the step with the damage named: never
// half the students in ALUMNOST.DBF.
TEST_F(Alumnos, UnaTablaDeAlumnosCortadaDetieneElPasoSinMediaTabla) {
    CrearCatalogo({{"MAT", "1ESOMAT"}});
    prueba::CrearGrupos({{"1ESOA", "M", "1r ESO A", ""}});
    prueba::CrearAlumnos({{"1", "U", "1ESO", "1ESOA", ""},
                          {"2", "D", "1ESO", "1ESOA", ""},
                          {"3", "T", "1ESO", "1ESOA", ""},
                          {"4", "Q", "1ESO", "1ESOA", ""}});
    const std::string ruta = estado_->wwTableAlumnos.RutaArchivo();
    const std::string bytes = prueba::Leer(ruta);
    const size_t cabecera =
        static_cast<unsigned char>(bytes[8]) | (static_cast<unsigned char>(bytes[9]) << 8);
    prueba::Escribir(ruta, bytes.substr(0, cabecera + (bytes.size() - cabecera) / 2));

    EXPECT_EQ(Exportar(), "wwTableAlumnos: La tabla '" + ruta +
                              "' está dañada: la cabecera anuncia 4 registros y el archivo "
                              "solo contiene 2");
    EXPECT_TRUE(LeerTabla(Intercambio("ALUMNOST.DBF")).empty());
}

TEST_F(Alumnos, TablaCompleta) {
    // An old table with an index, which must not survive.
    prueba::CrearTabla("C:\\ZTEMP", "ALUMNOST.DBF", {{"VIEJO", TipoCampo::Cadena, 3}}, {{"old"}},
                       NivelTabla::DBase4, {{"VIEJO", "VIEJO"}});
    ASSERT_TRUE(ExisteArchivo(Intercambio("ALUMNOST.MDX")));

    CrearCatalogo(
        {{"MAT", "4ESOMAT"}, {"FIS", "1BATFIS"}, {"LONGCOD", "1ESOLNG"}, {"ING", "1ESOING"}});
    // CODGRUP, TURNO, LITEGRUP, DNI
    prueba::CrearGrupos({
        {"1ESOA", "M", "1r ESO A", ""},
        {"2BATX", "V", "2n BAT X", ""},  // its first four characters are a course code
        {"2BATB", "T", "2n BAT B", ""},
        {"", "N", "sense codi", ""},  // the empty prefix is the empty course code
    });
    // CODIGO, APENOM, CODCUR, CODGRUP, REPITE
    prueba::CrearAlumnos({
        {"1234", "GARCÍA PÉREZ, MARÍA", "1ESO", "1ESOA", "1"},
        {"90", "SENSE GRUP", "1ESO", "", "1"},
        {"91", "UN CARÀCTER", "1ESO", "1", "1"},
        {"O'NEIL", "O'NEIL, ÀNGEL", "2BAT", "2BATB", "2"},
        {"1234567890", "CODI LLARG", "", "1E", ""},
        {"12", "ONZE", "4ESO", "4ESO", "0"},
        {"5", "SENSE TORN NI ASSIGNATURES", "3ESO", "3ESOC", ""},
    });
    // CODIGO, CODASIG
    prueba::CrearAsigAlum({
        {"1234", "4ESOMAT"},
        {"1234567890", "1ESOING"},
        {"1234", "XXX"},  // not in the catalogue: no gap
        {"O'NEIL", "1ESOLNG"},
        {"12", "1BATFIS"},
        {"1234", "1BATFIS"},
        {"123", "4ESOMAT"},
    });
    ASSERT_EQ(Exportar(), "");
    EXPECT_EQ(
        LeerTabla(Intercambio("ALUMNOST.DBF")),
        (Filas{
            Alumno({"1234", "GARCÍA PÉREZ, MARÍA", "M", "ESO", "1", "A", "", "T"}, {"MAT", "FIS"}),
            Alumno({"O'NEIL", "O'NEIL, ÀNGEL", "V", "BAT", "2", "B", "", "F"}, {"LONG"}),
            Alumno({"1234567890", "CODI LLARG", "N", "E", "1", "E", "", "F"}, {"ING"}),
            Alumno({"12", "ONZE", "", "ESO", "4", "O", "", "F"}, {"FIS"}),
            Alumno({"5", "SENSE TORN NI ASSIGNATURES", "", "ESO", "3", "C", "", "F"}, {}),
        }));
    const auto estructura = prueba::Estructura(Intercambio("ALUMNOST.DBF"));
    ASSERT_EQ(estructura.size(), 108u);
    EXPECT_EQ(std::vector<std::string>(estructura.begin(), estructura.begin() + 11),
              (std::vector<std::string>{"C:EXPED:20", "C:NOMBRE:50", "C:TURNO:1", "C:NIVEL:5",
                                        "C:CURSO:3", "C:GRUPO:2", "C:OPCION:1", "L:REPITE:1",
                                        "C:ASIG1:4", "C:DIV1:1", "C:ASIG2:4"}));
    EXPECT_EQ(estructura[106], "C:ASIG50:4");
    EXPECT_EQ(estructura[107], "C:DIV50:1");
    EXPECT_FALSE(ExisteArchivo(Intercambio("ALUMNOST.MDX")));
    EXPECT_FALSE(estado_->wwTableAlumnos.Active());
    EXPECT_FALSE(estado_->wwTableGrupos.Active());
    EXPECT_FALSE(estado_->wwTableAsigAlum.Active());
    // The last student's filter stays on the table object.
    EXPECT_EQ(estado_->wwTableAsigAlum.Filter(), "Codigo= '5         '");
    EXPECT_TRUE(estado_->wwTableAsigAlum.Filtered());
}

TEST_F(Alumnos, TextoDelFiltro) {
    struct Caso {
        const char* codigo;
        const char* filtro;
    } casos[] = {
        {"1234", "Codigo= '1234      '"},       {"O'NEIL", "Codigo= 'O''NEIL    '"},
        {"1234567890", "Codigo= '1234567890'"}, {"1234567890ABC", "Codigo= '1234567890ABC'"},
        {"", "Codigo= '          '"},
    };
    CrearCatalogo({});
    prueba::CrearGrupos({});
    prueba::CrearAsigAlum({});
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.codigo);
        prueba::CrearTabla("C:\\ZTEMP\\VALENCIA", "alumnos.dbf",
                           {{"CODIGO", TipoCampo::Cadena, 15},
                            {"APENOM", TipoCampo::Cadena, 45},
                            {"CODCUR", TipoCampo::Cadena, 4},
                            {"CODGRUP", TipoCampo::Cadena, 5},
                            {"REPITE", TipoCampo::Numerico, 1, 0}},
                           {{c.codigo, "X", "1ESO", "1ESOA", ""}});
        ASSERT_EQ(Exportar(), "");
        EXPECT_EQ(estado_->wwTableAsigAlum.Filter(), c.filtro);
    }
}

TEST_F(Alumnos, CincuentaAsignaturasYLaQuincuagesimaPrimera) {
    Filas catalogo, asigalum;
    std::vector<std::string> cincuenta;
    for (int n = 1; n <= 51; ++n) {
        char cod[8], codvalen[8];
        std::snprintf(cod, sizeof cod, "C%02d", n);
        std::snprintf(codvalen, sizeof codvalen, "S%02d", n);
        catalogo.push_back({cod, codvalen});
        if (n <= 50) {
            cincuenta.push_back(cod);
            asigalum.push_back({"50", codvalen});
        }
        asigalum.push_back({"51", codvalen});
    }
    CrearCatalogo(catalogo);
    prueba::CrearGrupos({});
    prueba::CrearAsigAlum(asigalum);
    prueba::CrearAlumnos({{"50", "CINQUANTA", "1ESO", "1ESOA", ""},
                          {"51", "CINQUANTA-U", "1ESO", "1ESOB", ""},
                          {"52", "DESPRÉS", "1ESO", "1ESOC", ""}});
    EXPECT_EQ(Exportar(), "No se encuentra el campo 'ASIG51'");
    estado_ = std::make_unique<Estado>();
    EXPECT_EQ(LeerTabla(Intercambio("ALUMNOST.DBF")),
              (Filas{Alumno({"50", "CINQUANTA", "", "ESO", "1", "A", "", "F"}, cincuenta)}));
}

// The shift is the first groups record, in stored order, matching either the
// student's group code or the course code; whichever comes first wins.
TEST_F(Alumnos, TurnoDelPrimerGrupoQueCoincide) {
    CrearCatalogo({});
    prueba::CrearGrupos({
        {"1ESOB", "M", "", ""},
        {"1ESOA", "T", "", ""},
        {"1ESOA", "V", "", ""},  // a second record with the same code is never reached
        {"2BATA", "N", "", ""},
    });
    prueba::CrearAlumnos({
        {"1", "CURS ABANS QUE CODI", "1ESO", "1ESOA", ""},
        {"2", "NOMES CODI", "9XXX", "1ESOA", ""},
        {"3", "CODI DESPRES DEL CURS", "1ESO", "2BATA", ""},
        {"4", "CAP", "3ESO", "3ESOC", ""},
        {"5", "CODI AL FINAL", "", "2BATA", ""},
    });
    prueba::CrearAsigAlum({});
    ASSERT_EQ(Exportar(), "");
    std::vector<std::string> turnos;
    for (const Fila& fila : LeerTabla(Intercambio("ALUMNOST.DBF"))) turnos.push_back(fila[2]);
    EXPECT_EQ(turnos, (std::vector<std::string>{"M", "T", "M", "", "N"}));
}

TEST_F(Alumnos, Fallos) {
    prueba::CrearGrupos({});
    prueba::CrearAsigAlum({});
    prueba::CrearAlumnos({{"1", "A", "1ESO", "1ESOA", ""}});
    EXPECT_THROW(ExportarAlumnos(*estado_), Error);  // no ASIGVALT.DBF

    estado_ = std::make_unique<Estado>();
    CrearCatalogo({});
    prueba::CrearTabla("C:\\ZTEMP\\VALENCIA", "alumnos.dbf", {{"CODIGO", TipoCampo::Cadena, 10}},
                       {{"1"}});
    EXPECT_EQ(Exportar(), "wwTableAlumnos: No se encuentra el campo 'Codgrup'");

    estado_ = std::make_unique<Estado>();
    BorrarArchivo(RutaNativa("C:\\ZTEMP\\VALENCIA\\grupos.dbf"));
    EXPECT_THROW(ExportarAlumnos(*estado_), Error);
}

}  // namespace
}  // namespace brisolt
