// brisolt-cli importar on a small school, after brisolt-cli exportar: the
// school's horprof.dbf and horgrup.dbf as the school-management system will
// read them, and the ways the command stops.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "archivos_prueba.h"
#include "cli/programa.h"
#include "export/intercambio.h"
#include "tables/conversion.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

using Filas = std::vector<std::vector<std::string>>;

void CrearTabla(const std::string& ruta, const std::vector<DefCampo>& campos, const Filas& filas,
                NivelTabla nivel = NivelTabla::FoxPro2) {
    Tabla tabla;
    tabla.SetTableName(ruta);
    tabla.SetTableLevel(nivel);
    tabla.FieldDefs() = campos;
    tabla.CreateTable();
    tabla.Open();
    for (const auto& fila : filas) {
        tabla.Append();
        for (size_t i = 0; i < fila.size(); ++i) {
            if (fila[i].empty()) continue;
            if (campos[i].tipo == TipoCampo::Numerico)
                tabla.FieldByName(campos[i].nombre).SetAsInteger(TextoAEntero(fila[i]));
            else
                tabla.FieldByName(campos[i].nombre).SetAsString(fila[i]);
        }
        tabla.Post();
    }
}

Filas LeerFilas(const std::string& ruta, const std::vector<std::string>& campos) {
    Tabla tabla;
    tabla.SetTableName(ruta);
    tabla.SetReadOnly(true);
    tabla.Open();
    Filas filas;
    for (tabla.First(); !tabla.Eof(); tabla.Next()) {
        std::vector<std::string> fila;
        for (const auto& c : campos) fila.push_back(tabla.FieldByName(c).AsString());
        filas.push_back(fila);
    }
    return filas;
}

// Version byte and field descriptors: what the school's program checks first.
std::string Estructura(const std::string& ruta) {
    const std::string bytes = prueba::Leer(ruta);
    if (bytes.size() < 32) return {};
    const size_t cabecera =
        static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
    return bytes.substr(0, 1) + bytes.substr(8, 4) + bytes.substr(32, cabecera - 32);
}

const std::vector<DefCampo> kHorProf = {
    {"DNI", TipoCampo::Numerico, 10},    {"DIASEM", TipoCampo::Numerico, 1},
    {"NUMHORA", TipoCampo::Numerico, 2}, {"HORAD", TipoCampo::Cadena, 5},
    {"HORAH", TipoCampo::Cadena, 5},     {"OCUPA", TipoCampo::Cadena, 6},
    {"CODCEN", TipoCampo::Numerico, 8},  {"OBSERV", TipoCampo::Cadena, 20},
};
const std::vector<DefCampo> kHorGrup = {
    {"CODGRUP", TipoCampo::Cadena, 5},   {"CODASIG", TipoCampo::Cadena, 8},
    {"DNI", TipoCampo::Numerico, 10},    {"DIASEM", TipoCampo::Numerico, 1},
    {"NUMHORA", TipoCampo::Numerico, 2}, {"CODAULA", TipoCampo::Numerico, 3},
    {"HORDIADES", TipoCampo::Cadena, 5}, {"HORDIAHAS", TipoCampo::Cadena, 5},
    {"CODCEN", TipoCampo::Numerico, 8},  {"TIPO", TipoCampo::Cadena, 1},
};

using prueba::Resultado;

class ImportarCli : public ::testing::Test {
  protected:
    void SetUp() override {
        raiz_ = prueba::NuevaCarpetaTemporal("brisolt-importar-cli-");
        ASSERT_FALSE(raiz_.empty());
        prueba::FijarEntorno("BRISOLT_DRIVE_C", raiz_);
        escuela_ = raiz_ + "/escuela";
        std::filesystem::create_directories(std::filesystem::u8path(escuela_));
        CrearEscuela();
        ASSERT_EQ(Ejecutar({"exportar", "--gc", escuela_}).estado, 0);
        std::vector<DefCampo> campos = intercambio::Soluc().campos;
        campos[0].tamano = 1;  // DIA, one digit wide
        CrearTabla(raiz_ + "/ZTEMP/SOLUC.DBF", campos,
                   {
                       {"1", "1", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOA", "12"},
                       {"0", "2", "*MAT", "GLJ", "ESO", "4", "MAT", "4ESOA", "12"},
                       {"2", "3", "*GUARD", "RA", "", "", "", "", ""},
                       {"3", "3", "*ING", "RA", "ESO", "4", "ING", "4ESOA", "A1"},
                   },
                   NivelTabla::DBase4);
        estructuraProf_ = Estructura(escuela_ + "/horprof.dbf");
        estructuraGrup_ = Estructura(escuela_ + "/HORGRUP.DBF");
    }
    void TearDown() override {
        prueba::QuitarEntorno("BRISOLT_DRIVE_C");
        prueba::BorrarArbol(raiz_);
    }

    void CrearEscuela() {
        const std::string e = escuela_ + "/";
        CrearTabla(e + "centro.dbf",
                   {{"CODCEN", TipoCampo::Numerico, 8}, {"LITCEN", TipoCampo::Cadena, 45}},
                   {{"46000001", "IES Uno"}, {"46000002", "IES Dos"}});
        CrearTabla(e + "profesor.dbf",
                   {{"APENOMPROF", TipoCampo::Cadena, 40},
                    {"DEPARTA", TipoCampo::Cadena, 20},
                    {"DNI", TipoCampo::Numerico, 10},
                    {"FBAJA", TipoCampo::Fecha}},
                   {{"GARCIA LOPEZ, JUAN", "MAT", "11111111", ""}, {"ROS, ANA", "ING", "", ""}});
        CrearTabla(e + "asignat.dbf",
                   {{"CODASIG", TipoCampo::Cadena, 8},
                    {"VLITEASIG", TipoCampo::Cadena, 30},
                    {"CLITEASIG", TipoCampo::Cadena, 30},
                    {"HORSEMTE", TipoCampo::Cadena, 5},
                    {"LITRESV", TipoCampo::Cadena, 3}},
                   {{"4ESOMAT", "Matemàtiques", "Matemáticas", "4", "MAT"},
                    {"4ESOING", "Anglés", "Inglés", "3", "ING"}});
        CrearTabla(e + "OCUPA.dbf",
                   {{"OCUPA", TipoCampo::Cadena, 6},
                    {"VLITERAL", TipoCampo::Cadena, 30},
                    {"CLITERAL", TipoCampo::Cadena, 30}},
                   {{"GUARD", "Guàrdia", "Guardia"}});
        CrearTabla(e + "aulas.dbf",
                   {{"CODAULA", TipoCampo::Cadena, 3}, {"LITAULA", TipoCampo::Cadena, 30}},
                   {{"12", "Aula 12"}});
        CrearTabla(e + "grupos.dbf",
                   {{"CODGRUP", TipoCampo::Cadena, 5},
                    {"TURNO", TipoCampo::Cadena, 1},
                    {"LITEGRUP", TipoCampo::Cadena, 30},
                    {"DNI", TipoCampo::Cadena, 10}},
                   {{"4ESOA", "M", "4º ESO A", "11111111"}});
        CrearTabla(e + "alumnos.dbf",
                   {{"APENOM", TipoCampo::Cadena, 45},
                    {"CODIGO", TipoCampo::Cadena, 10},
                    {"CODCUR", TipoCampo::Cadena, 4},
                    {"CODGRUP", TipoCampo::Cadena, 5},
                    {"REPITE", TipoCampo::Numerico, 1}},
                   {});
        CrearTabla(e + "asigalum.dbf",
                   {{"CODIGO", TipoCampo::Cadena, 10}, {"CODASIG", TipoCampo::Cadena, 8}}, {});
        CrearTabla(e + "lhortipo.dbf",
                   {{"CODCEN", TipoCampo::Numerico, 8},
                    {"NUMHORA", TipoCampo::Numerico, 2},
                    {"DESDE", TipoCampo::Cadena, 5},
                    {"HASTA", TipoCampo::Cadena, 5}},
                   {{"46000001", "1", "08:00", "08:55"},
                    {"46000001", "3", "10:00", "10:55"},
                    {"46000002", "1", "07:00", "07:55"}});
        // The timetables in the school's own spelling, with an old row each and
        // an index file that must stay as it is.
        CrearTabla(e + "horprof.dbf", kHorProf,
                   {{"999", "5", "7", "15:00", "15:55", "OLD", "46000001", ""}});
        CrearTabla(e + "HORGRUP.DBF", kHorGrup,
                   {{"4ESOA", "OLD", "999", "5", "7", "9", "15:00", "15:55", "46000001", "X"}});
        std::ofstream(std::filesystem::u8path(e + "HORGRUP.CDX"), std::ios::binary)
            << "indice de la escuela";
    }

    static Resultado Ejecutar(const std::vector<std::string>& argumentos) {
        return prueba::EjecutarCli(argumentos);
    }
    // The import that goes through: RA gets its DNI, hours 3 and 1 other times.
    Resultado Importar() const {
        return Ejecutar({"importar", "--gc", escuela_, "--dni", "RA=22222222", "--hora",
                         "3=09:50-10:45", "--hora", "1=-08:50"});
    }

    std::string raiz_, escuela_, estructuraProf_, estructuraGrup_;
};

TEST_F(ImportarCli, ReescribeLosHorariosDeLaEscuela) {
    const Resultado s = Importar();
    ASSERT_EQ(s.estado, 0) << s.salida << s.errores;
    // The warning, one line per step, the end; the count of sessions is left to the window.
    EXPECT_EQ(s.salida,
              "La duración de este Proceso será más larga, en función de la cantidad de datos que "
              "tengamos en nuestro Horario.\n"
              "Copiando los horarios de GC (1 de 5)\n"
              "Comprobando los D.N.I. de los profesores (2 de 5)\n"
              "Comprobando la plantilla horaria (3 de 5)\n"
              "Importando el horario (4 de 5)\n"
              "Guardando los horarios en GC (5 de 5)\n"
              "Proceso finalizado\n");

    EXPECT_EQ(LeerFilas(escuela_ + "/horprof.dbf", {"DNI", "DIASEM", "NUMHORA", "HORAD", "HORAH",
                                                    "OCUPA", "CODCEN", "OBSERV"}),
              (Filas{
                  {"11111111", "1", "1", "", "08:50", "MAT", "46000001", ""},
                  {"22222222", "2", "3", "09:50", "10:45", "GUARD", "46000001", ""},
                  {"22222222", "3", "3", "09:50", "10:45", "ING", "46000001", ""},
              }));
    EXPECT_EQ(LeerFilas(escuela_ + "/HORGRUP.DBF",
                        {"CODGRUP", "CODASIG", "DNI", "DIASEM", "NUMHORA", "CODAULA", "HORDIADES",
                         "HORDIAHAS", "CODCEN", "TIPO"}),
              (Filas{
                  {"4ESOA", "4ESOMAT", "11111111", "1", "1", "12", "", "08:50", "46000001", ""},
                  {"4ESOA", "4ESOING", "22222222", "3", "3", "", "09:50", "10:45", "46000001", ""},
              }));
    EXPECT_EQ(Estructura(escuela_ + "/horprof.dbf"), estructuraProf_);
    EXPECT_EQ(Estructura(escuela_ + "/HORGRUP.DBF"), estructuraGrup_);
    // The school's spelling kept, and no second one beside it.
    const auto nombres = prueba::Nombres(escuela_);
    EXPECT_NE(std::find(nombres.begin(), nombres.end(), "HORGRUP.DBF"), nombres.end());
    EXPECT_EQ(std::find(nombres.begin(), nombres.end(), "horgrup.dbf"), nombres.end());
    EXPECT_EQ(prueba::Leer(escuela_ + "/HORGRUP.CDX"), "indice de la escuela");
}

// Another reader sees the same rows, so the header's count and the record
// layout are what the school's program will find.
TEST_F(ImportarCli, OtroLectorVeLasMismasFilas) {
    SALTAR_EN_WINDOWS("python3-dbfread is a Linux tool");
    const Resultado s = Importar();
    ASSERT_EQ(s.estado, 0) << s.salida << s.errores;
    const Resultado dbfread = prueba::EjecutarPrograma(
        {"/usr/bin/python3", "-c",
         "import dbfread,sys; t=dbfread.DBF(sys.argv[1]); "
         "print(len(t), [(r['DNI'], r['DIASEM'], r['NUMHORA'], r['OCUPA']) for r in t])",
         escuela_ + "/horprof.dbf"});
    ASSERT_EQ(dbfread.estado, 0) << dbfread.errores;
    EXPECT_EQ(dbfread.salida,
              "3 [(11111111, 1, 1, 'MAT'), (22222222, 2, 3, 'GUARD'), (22222222, 3, 3, 'ING')]\n");
}

TEST_F(ImportarCli, SeDetieneSinTocarLaEscuela) {
    const std::string prof = prueba::Leer(escuela_ + "/horprof.dbf");
    const std::string grup = prueba::Leer(escuela_ + "/HORGRUP.DBF");
    struct Caso {
        std::vector<std::string> argumentos;
        std::string enSalida, enErrores;
    };
    const std::vector<Caso> casos = {
        // RA has no DNI and none is given.
        {{}, "¡Atención! Sigue habiendo algún Profesor sin D.N.I.\n\r", ""},
        // What the DNI field refuses, as the error box shows it (no full stop
        // after a quote).
        {{"--dni", "RA=12A"}, "", "'12A' no es un valor entero válido para el campo 'DNI'\n"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(testing::PrintToString(caso.argumentos));
        std::vector<std::string> argumentos = {"importar", "--gc", escuela_};
        argumentos.insert(argumentos.end(), caso.argumentos.begin(), caso.argumentos.end());
        const Resultado s = Ejecutar(argumentos);
        EXPECT_EQ(s.estado, 1);
        EXPECT_NE(s.salida.find(caso.enSalida), std::string::npos) << s.salida;
        EXPECT_NE(s.errores.find(caso.enErrores), std::string::npos) << s.errores;
        EXPECT_EQ(s.salida.find("Proceso finalizado"), std::string::npos);
        EXPECT_EQ(prueba::Leer(escuela_ + "/horprof.dbf"), prof);
        EXPECT_EQ(prueba::Leer(escuela_ + "/HORGRUP.DBF"), grup);
    }
    std::filesystem::remove(std::filesystem::u8path(raiz_ + "/ZTEMP/SOLUC.DBF"));
    const Resultado s = Ejecutar({"importar", "--gc", escuela_, "--dni", "RA=22222222"});
    EXPECT_EQ(s.estado, 1);
    EXPECT_NE(s.salida.find("No se encuentra archivo SOLUC.DBF en C:\\ZTEMP\n"), std::string::npos)
        << s.salida;
}

}  // namespace
}  // namespace brisolt
