// The export command over a scripted seam: what the person sees, in order,
// the status, the buttons, the close in embedded mode, and what a failing
// step leaves on disk.

#include "archivos_prueba.h"
#include "export/exportar.h"
#include "guion_prueba.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "comandos/estado.h"
#include "export/escuela_prueba.h"
#include "tables/carpetas.h"
#include "tables/error.h"

namespace brisolt {
namespace {

using namespace prueba;

const char* const kAviso =
    "La duración de este Proceso será más larga, en función de la cantidad de datos que tengamos "
    "en nuestra Gestión de Centros.";

// The scripted seam, with each step recorded where it happened among the
// rest, with the status it saw.
struct Guion : InterfazGuion {
    explicit Guion(const Estado& estado) {
        alPaso = [this, &estado](const std::string& texto, int numero, int pasos) {
            sucesos.push_back("Paso " + texto + " " + std::to_string(numero) + "/" +
                              std::to_string(pasos) + " " +
                              std::to_string(estado.EstadoTransformado));
        };
    }
};

const std::vector<std::string> kPasos = {
    "Paso Exportando asignaturas (1 de 7) 1/7 1",
    "Paso Exportando profesores (2 de 7) 2/7 1",
    "Paso Exportando aulas (3 de 7) 3/7 1",
    "Paso Exportando alumnos (4 de 7) 4/7 1",
    "Paso Exportando horas de asignaturas por curso (5 de 7) 5/7 1",
    "Paso Exportando grupos y cursos (6 de 7) 6/7 1",
    "Paso Exportando asignaciones (7 de 7) 7/7 1"};

const char* const kTablas[] = {"ASIGVALT.DBF", "ASIGNOMT.DBF", "PROFT.DBF",
                               "AULAT.DBF",    "ALUMNOST.DBF", "ASIGCURT.DBF",
                               "GRUPOST.DBF",  "CURSOST.DBF",  "ASIGT.DBF"};

class Exportacion : public ::testing::Test {
  protected:
    void SetUp() override {
        CrearAsignat({{"1ESOMAT", "Matemàtiques", "Matemáticas", "4", "MAT"},
                      {"1ESOVAL", "Valencià", "Valenciano", "3", "VAL"}});
        CrearOcupa({{"GUARD", "Guàrdia", "Guardia"}});
        CrearProfesor({{"GARCIA LOPEZ, JUAN", "MATEMÀTIQUES", "111", ""},
                       {"ROS, ANA", "VALENCIÀ", "222", ""}});
        CrearAulas({{"A1", "Aula 1"}});
        CrearGrupos({{"1ESOA", "M", "Primero A", "111"}});
        CrearAlumnos({{"1001", "PEREZ, LUIS", "1ESO", "1ESOA", "0"}});
        CrearAsigAlum({{"1001", "1ESOMAT"}});
        CrearTabla("C:\\ZTEMP\\VALENCIA", "horgrup.dbf",
                   {{"CODGRUP", TipoCampo::Cadena, 5},
                    {"CODASIG", TipoCampo::Cadena, 8},
                    {"DNI", TipoCampo::Numerico, 9, 0}},
                   {{"1ESOA", "1ESOMAT", "111"}, {"1ESOA", "1ESOVAL", "222"}});
    }

    UnidadPrueba unidad_;
};

TEST_F(Exportacion, CompletaEnCadaModo) {
    for (int modo : {0, 2}) {
        SCOPED_TRACE("ModoLlamada " + std::to_string(modo));
        Estado estado;
        estado.ModoLlamada = modo;
        Guion guion(estado);
        BExportarClick(estado, guion);

        std::vector<std::string> esperados = {std::string("informar:") + kAviso, "espera"};
        esperados.insert(esperados.end(), kPasos.begin(), kPasos.end());
        esperados.insert(esperados.end(), {"normal", "informar:Proceso finalizado", "botones"});
        if (modo == 2) esperados.push_back("cerrar");
        EXPECT_EQ(guion.sucesos, esperados);
        EXPECT_EQ(estado.EstadoTransformado, 1);
        for (const char* tabla : kTablas)
            EXPECT_FALSE(LeerTabla(Intercambio(tabla)).empty()) << tabla;
    }
}

TEST_F(Exportacion, ElCuartoPasoFallaYLosSiguientesNoCorren) {
    std::vector<Filas> primeras;
    {
        Estado estado;
        Guion guion(estado);
        BExportarClick(estado, guion);
        for (const char* tabla : {"ASIGVALT.DBF", "ASIGNOMT.DBF", "PROFT.DBF", "AULAT.DBF"})
            primeras.push_back(LeerTabla(Intercambio(tabla)));
    }
    // Files no export could have written: they must come through untouched.
    const char* const posteriores[] = {"ASIGCURT.DBF", "GRUPOST.DBF", "CURSOST.DBF", "ASIGT.DBF"};
    for (const char* tabla : posteriores) {
        ASSERT_TRUE(BorrarArchivoTabla(Intercambio(tabla)));
        std::ofstream(Intercambio(tabla), std::ios::binary) << "de antes: " << tabla;
    }
    ASSERT_TRUE(BorrarArchivoTabla(RutaNativa("C:\\ZTEMP\\VALENCIA\\alumnos.dbf")));

    Estado estado;
    estado.ModoLlamada = 2;
    Guion guion(estado);
    EXPECT_THROW(BExportarClick(estado, guion), Error);

    std::vector<std::string> esperados = {std::string("informar:") + kAviso, "espera"};
    esperados.insert(esperados.end(), kPasos.begin(), kPasos.begin() + 4);
    esperados.push_back("normal");  // no hour-glass left behind; nothing else
    EXPECT_EQ(guion.sucesos, esperados);
    EXPECT_EQ(estado.EstadoTransformado, 1);

    const char* const anteriores[] = {"ASIGVALT.DBF", "ASIGNOMT.DBF", "PROFT.DBF", "AULAT.DBF"};
    for (size_t i = 0; i < primeras.size(); ++i)
        EXPECT_EQ(LeerTabla(Intercambio(anteriores[i])), primeras[i]) << anteriores[i];
    for (const char* tabla : posteriores)
        EXPECT_EQ(Leer(Intercambio(tabla)), std::string("de antes: ") + tabla);

    // With the table back, the same window can run the export again from the start.
    CrearAlumnos({{"1001", "PEREZ, LUIS", "1ESO", "1ESOA", "0"}});
    Guion otra(estado);
    BExportarClick(estado, otra);
    EXPECT_EQ(otra.sucesos.back(), "cerrar");
    EXPECT_EQ(otra.sucesos[2], kPasos[0]);
    for (const char* tabla : posteriores)
        EXPECT_FALSE(LeerTabla(Intercambio(tabla)).empty()) << tabla;
}

}  // namespace
}  // namespace brisolt
