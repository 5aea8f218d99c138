// The import command end to end on a small school: what it shows, what it
// writes into horprof.dbf and horgrup.dbf, and what it leaves when it stops.

#include "import/importar.h"

#include <algorithm>

#include "archivos_prueba.h"
#include "import/entorno.h"
#include "tables/carpetas.h"
#include "tables/error.h"

namespace brisolt::prueba {
namespace {

const std::string kAviso =
    "informar:La duración de este Proceso será más larga, en función de la cantidad de datos que "
    "tengamos en nuestro Horario.";

const std::vector<std::string> kCamposHorProf = {"DNI",   "DIASEM", "NUMHORA", "HORAD",
                                                 "HORAH", "OCUPA",  "CODCEN",  "OBSERV"};
const std::vector<std::string> kCamposHorGrup = {"CODGRUP", "CODASIG", "DNI",       "DIASEM",
                                                 "NUMHORA", "CODAULA", "HORDIADES", "HORDIAHAS",
                                                 "CODCEN",  "TIPO"};

class Importar : public EntornoImportacion {
  protected:
    void SetUp() override {
        EntornoImportacion::SetUp();
        CrearProft({
            {"GLJ", "GARCIA LOPEZ, JUAN", "MAT", "11111111"},
            {"RA", "ROS, ANA", "ING", "22222222"},
            {"GLJ", "otra fila con la misma", "X", "99"},  // the first row answers
        });
        CrearAsigvalt({
            // Stored against CODVALEN order: the lookup follows the index.
            {"MAT", "MAT", "Matemáticas", "4ESOMAT2", "3", "ESO", "4"},
            {"MAT", "MAT", "Matemáticas", "4ESOMAT1", "3", "ESO", "4"},
            {"ING", "ING", "Inglés", "1BACING", "3", "BAC", "1"},
        });
        CrearLhortipo({
            {"46000001", "1", "08:00", "08:55"},
            {"46000001", "2", "08:55", "09:50"},
            {"46000001", "20", "20:00", "20:55"},
        });
        CrearHorariosGc();
    }
};

TEST_F(Importar, FilasDeLaSolucion) {
    CrearSoluc({
        {"1", "1", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOA", "12"},
        {"0", "2", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOA", "12"},  // no day: nothing
        {"2", "0", "*GUARD", "RA", "", "4", "MAT", "4ESOA", "7"},     // blank NIVEL
        {"3", "21", "", "NADIE", "BAC", "1", "ING", "1BA", "1234"},
        {"4", "20", "X", "RA", "BAC", "1", "FIS", "1BA", "A1"},
        {"5", "2", "*T", "RA", "ESO", " ", "MAT", "4ESOA", "3"},  // blank CURSO
        {"5", "1", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOB", " 7 "},
        {"5", "3", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOB", "  123"},
    });

    BImportarClick(*estado_, interfaz_);

    EXPECT_EQ(LeerFilas(Gc("horprof.dbf"), kCamposHorProf),
              (Filas{
                  {"11111111", "1", "1", "08:00", "08:55", "MAT", "46000001", ""},
                  {"22222222", "2", "0", "", "", "GUARD", "46000001", ""},
                  {"0", "3", "21", "", "", "", "46000001", ""},
                  {"22222222", "4", "20", "20:00", "20:55", "", "46000001", ""},
                  {"22222222", "5", "2", "08:55", "09:50", "T", "46000001", ""},
                  {"11111111", "5", "1", "08:00", "08:55", "MAT", "46000001", ""},
                  {"11111111", "5", "3", "", "", "MAT", "46000001", ""},
              }));
    EXPECT_EQ(
        LeerFilas(Gc("horgrup.dbf"), kCamposHorGrup),
        (Filas{
            {"4ESOA", "4ESOMAT1", "11111111", "1", "1", "12", "08:00", "08:55", "46000001", ""},
            {"1BA", "1BACING", "0", "3", "21", "", "", "", "46000001", ""},
            {"1BA", "", "22222222", "4", "20", "", "20:00", "20:55", "46000001", ""},
            {"4ESOB", "4ESOMAT1", "11111111", "5", "1", "7", "08:00", "08:55", "46000001", ""},
            {"4ESOB", "4ESOMAT1", "11111111", "5", "3", "123", "", "", "46000001", ""},
        }));
    EXPECT_EQ(estado_->EstadoTransformado, 1);
}

TEST_F(Importar, LoQueVeLaPersona) {
    struct Caso {
        int modo;
        std::vector<std::string> finales;
    };
    for (const Caso& caso : {Caso{0, {"informar:Proceso finalizado", "botones"}},
                             Caso{2, {"informar:Proceso finalizado", "botones", "cerrar"}}}) {
        CrearSoluc({{"1", "1", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOA", "12"}});
        estado_->ModoLlamada = caso.modo;
        estado_->EstadoTransformado = 0;
        interfaz_.sucesos.clear();

        BImportarClick(*estado_, interfaz_);

        std::vector<std::string> esperado = {kAviso, "espera", "plantilla", "espera", "normal"};
        esperado.insert(esperado.end(), caso.finales.begin(), caso.finales.end());
        EXPECT_EQ(interfaz_.sucesos, esperado) << "modo " << caso.modo;
        EXPECT_EQ(estado_->EstadoTransformado, 1);
        EXPECT_TRUE(estado_->tablaProfesores && estado_->tablaProfesores->Active());
        EXPECT_TRUE(estado_->tablaAsignaturas && estado_->tablaAsignaturas->Active());
    }
}

// Each step in words with its number, and within the solution's step the
// sessions done: rising, ending on the total, and not one call per session.
TEST_F(Importar, LosPasosYLasSesionesHechas) {
    Filas solucion;
    for (int i = 0; i < 1380; ++i)
        solucion.push_back({std::to_string(1 + i % 5), std::to_string(1 + i % 7), "*MAT", "GLJ",
                            "ESO", "4", "MAT", "4ESOA", "12"});
    CrearSoluc(solucion);

    BImportarClick(*estado_, interfaz_);

    using P = InterfazGuion::Progreso;
    std::vector<P> pasos, sesiones;
    for (const P& p : interfaz_.progreso)
        (p.texto.rfind("Importando el horario:", 0) == 0 ? sesiones : pasos).push_back(p);
    EXPECT_EQ(pasos, (std::vector<P>{
                         {"Copiando los horarios de GC (1 de 5)", 1, 5},
                         {"Comprobando los D.N.I. de los profesores (2 de 5)", 2, 5},
                         {"Comprobando la plantilla horaria (3 de 5)", 3, 5},
                         {"Importando el horario (4 de 5)", 4, 5},
                         {"Guardando los horarios en GC (5 de 5)", 5, 5},
                     }));
    ASSERT_FALSE(sesiones.empty());
    EXPECT_LE(sesiones.size(), 101u);
    EXPECT_GT(sesiones.size(), 50u);
    for (std::size_t i = 0; i < sesiones.size(); ++i) {
        const P& s = sesiones[i];
        EXPECT_EQ(s.total, 1380);
        EXPECT_EQ(s.texto,
                  "Importando el horario: " + std::to_string(s.actual) + " de 1380 sesiones");
        if (i > 0) {
            EXPECT_GT(s.actual, sesiones[i - 1].actual);
        }
    }
    EXPECT_EQ(sesiones.front().actual, 0);
    EXPECT_EQ(sesiones.back().actual, 1380);
    // The sessions are counted inside their own step.
    const auto cuarto = std::find(interfaz_.progreso.begin(), interfaz_.progreso.end(), pasos[3]);
    const auto quinto = std::find(interfaz_.progreso.begin(), interfaz_.progreso.end(), pasos[4]);
    EXPECT_EQ(quinto - cuarto, static_cast<std::ptrdiff_t>(sesiones.size()) + 1);
}

TEST_F(Importar, SinSolucion) {
    const std::string grupos = Leer(Gc("horgrup.dbf"));
    const std::string profesores = Leer(Gc("horprof.dbf"));
    struct Caso {
        int modo;
        int estadoFinal;
        bool cierra;
    };
    for (const Caso& caso : {Caso{0, 1, false}, Caso{2, 0, true}}) {
        estado_->ModoLlamada = caso.modo;
        estado_->EstadoTransformado = 1;
        interfaz_.sucesos.clear();

        BImportarClick(*estado_, interfaz_);

        std::vector<std::string> esperado = {
            kAviso, "espera", "informar:No se encuentra archivo SOLUC.DBF en C:\\ZTEMP", "normal"};
        if (caso.cierra) esperado.push_back("cerrar");
        EXPECT_EQ(interfaz_.sucesos, esperado) << "modo " << caso.modo;
        EXPECT_EQ(estado_->EstadoTransformado, caso.estadoFinal);
    }
    EXPECT_EQ(Leer(Gc("horgrup.dbf")), grupos);
    EXPECT_EQ(Leer(Gc("horprof.dbf")), profesores);
    EXPECT_FALSE(ExisteArchivo(Staging("horgrup.dbf")));
}

TEST_F(Importar, DniQueSigueFaltando) {
    CrearProft({{"GLJ", "GARCIA LOPEZ, JUAN", "MAT", "0"}});
    CrearSoluc({{"1", "1", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOA", "12"}});
    const std::string profesores = Leer(Gc("horprof.dbf"));

    BImportarClick(*estado_, interfaz_);

    EXPECT_EQ(interfaz_.Veces("profesores"), 1);
    EXPECT_EQ(interfaz_.Veces("plantilla"), 0);
    EXPECT_EQ(interfaz_.Veces("cerrar"), 1);
    EXPECT_EQ(interfaz_.Veces("botones"), 0);
    EXPECT_EQ(interfaz_.sucesos.back(), "normal");
    EXPECT_EQ(estado_->EstadoTransformado, 0);
    EXPECT_EQ(Leer(Gc("horprof.dbf")), profesores);
}

TEST_F(Importar, UnErrorDevuelveElCursorYNoTocaLaEscuela) {
    CrearSoluc({{"1", "1", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOA", "12"}});
    std::remove(Staging("lhortipo.dbf").c_str());
    const std::string grupos = Leer(Gc("horgrup.dbf"));
    const std::string profesores = Leer(Gc("horprof.dbf"));

    EXPECT_THROW(BImportarClick(*estado_, interfaz_), Error);

    EXPECT_EQ(interfaz_.sucesos.back(), "normal");
    EXPECT_EQ(interfaz_.Veces("botones"), 0);
    EXPECT_EQ(estado_->EstadoTransformado, 0);
    EXPECT_EQ(Leer(Gc("horgrup.dbf")), grupos);
    EXPECT_EQ(Leer(Gc("horprof.dbf")), profesores);

    // After a stop the command can run again from the start.
    CrearLhortipo({{"46000001", "1", "08:00", "08:55"}});
    interfaz_.sucesos.clear();
    BImportarClick(*estado_, interfaz_);
    EXPECT_EQ(interfaz_.Veces("botones"), 1);
    EXPECT_EQ(LeerFilas(Gc("horprof.dbf"), {"DNI", "HORAD"}), (Filas{{"11111111", "08:00"}}));
}

// A damaged solution stops the import before anything of the school's is
// touched: a DIA that is not a number is not read as 0 (which drops its row),
// and a table cut short is not read as far as it goes.
TEST_F(Importar, UnaSolucionDanadaDetieneLaImportacionSinTocarLaEscuela) {
    const std::string grupos = Leer(Gc("horgrup.dbf"));
    const std::string profesores = Leer(Gc("horprof.dbf"));
    const std::string soluc = estado_->wwTableSoluc.RutaArchivo();
    struct Caso {
        const char* que;
        std::function<void()> danar;
        std::string mensaje;
    };
    const Caso casos[] = {
        {"DIA 1A", [&] { ParchearRegistro(soluc, 2, 1, "1A"); },
         "'1A' no es un valor entero válido (tabla '" + soluc + "', registro 2, campo 'DIA')"},
        {"cut short",
         [&] {
             const std::string b = Leer(soluc);
             Escribir(soluc, b.substr(0, b.size() - 70));
         },
         "wwTableSoluc: La tabla '" + soluc +
             "' está dañada: la cabecera anuncia 3 registros y el archivo solo contiene 1"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        CrearSoluc({{"1", "1", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOA", "12"},
                    {"2", "1", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOA", "12"},
                    {"3", "1", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOA", "12"}},
                   2);
        c.danar();
        interfaz_.sucesos.clear();
        try {
            BImportarClick(*estado_, interfaz_);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), c.mensaje);
        }
        EXPECT_EQ(interfaz_.Veces("informar:Proceso finalizado"), 0);
        EXPECT_EQ(estado_->EstadoTransformado, 0);
        EXPECT_EQ(Leer(Gc("horgrup.dbf")), grupos);
        EXPECT_EQ(Leer(Gc("horprof.dbf")), profesores);
        estado_->wwTableSoluc.Close();
    }
}

}  // namespace
}  // namespace brisolt::prueba
