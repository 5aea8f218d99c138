#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archivos_prueba.h"
#include "comandos/estado.h"
#include "comandos/staging.h"
#include "sistema/fallos.h"
#include "sistema_prueba.h"
#include "tables/carpetas.h"
#include "tables/copia.h"
#include "tables/error.h"

namespace fs = std::filesystem;

namespace brisolt {
namespace {

using prueba::Escribir;
using prueba::Leer;
using prueba::Nombres;

// The eleven staged files in their order.
const std::vector<std::string> kStaged = {
    "grupos.dbf",  "profesor.dbf", "horgrup.dbf", "asigalum.dbf", "asignat.dbf", "aulas.dbf",
    "alumnos.dbf", "alumnos.fpt",  "centro.dbf",  "lhortipo.dbf", "OCUPA.dbf",
};

class Staging : public ::testing::Test {
  protected:
    void SetUp() override {
        raiz_ = prueba::NuevaCarpetaTemporal("brisolt-staging-");
        ASSERT_FALSE(raiz_.empty());
        unidad_ = fs::u8path(raiz_);
        prueba::FijarEntorno("BRISOLT_DRIVE_C", raiz_);
        escuela_ = unidad_ / "Escuela";
        fs::create_directories(escuela_);
        estado_.carpetaGC = raiz_ + "/Escuela";
    }
    void TearDown() override {
        prueba::QuitarEntorno("BRISOLT_DRIVE_C");
        prueba::BorrarArbol(raiz_);
    }
    // The entries of `carpeta` whose name matches `nombre` in any case.
    static std::vector<fs::path> Entradas(const fs::path& carpeta, std::string nombre) {
        std::vector<fs::path> encontradas;
        auto baja = [](std::string s) {
            for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return s;
        };
        for (const auto& e : fs::directory_iterator(carpeta))
            if (baja(e.path().filename().string()) == baja(nombre)) encontradas.push_back(e.path());
        return encontradas;
    }
    // centro.dbf in `carpeta` (UTF-8), one school with code `codigo`.
    static void CrearCentro(const std::string& carpeta, double codigo) {
        Tabla t;
        t.SetDatabaseName(carpeta);
        t.SetTableName("centro");
        t.FieldDefs() = {{"CODCEN", TipoCampo::Flotante}};
        t.CreateTable();
        t.Open();
        t.Append();
        t.FieldByName("CODCEN").SetAsFloat(codigo);
        t.Post();
        t.Close();
    }

    std::string raiz_;  // drive C: as text, "/" between names
    fs::path unidad_, escuela_;
    Estado estado_;
};

TEST_F(Staging, CopiaLosOnceArchivosACarpetaNueva) {
    // Names on disk in other cases than the program writes them, OCUPA.dbf
    // missing, and files that must not be staged.
    const std::vector<std::string> enDisco = {
        "GRUPOS.DBF", "profesor.dbf", "HorGrup.dbf", "asigalum.DBF", "asignat.dbf",
        "AULAS.dbf",  "alumnos.dbf",  "ALUMNOS.FPT", "Centro.dbf",   "lhortipo.dbf"};
    for (const auto& nombre : enDisco) Escribir(escuela_ / nombre, "datos de " + nombre);
    for (const char* otro : {"CENTRO.MDX", "horprof.dbf", "ALUMNOS.CDX", "otra.dbf"})
        Escribir(escuela_ / otro, "no");

    CopiarTablasGC(estado_);

    const fs::path staging = unidad_ / "ZTEMP" / "VALENCIA";
    ASSERT_TRUE(fs::is_directory(staging));
    for (std::size_t i = 0; i < enDisco.size(); ++i) {
        SCOPED_TRACE(kStaged[i]);
        const auto copias = Entradas(staging, kStaged[i]);
        ASSERT_EQ(copias.size(), 1u);
        EXPECT_EQ(Leer(copias[0]), "datos de " + enDisco[i]);
    }
    EXPECT_TRUE(Entradas(staging, "OCUPA.dbf").empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(staging), fs::directory_iterator()),
              static_cast<long>(enDisco.size()));
}

TEST_F(Staging, ReemplazaCopiasViejasYBorraLasQueFaltan) {
    // An existing staging folder in another case, with copies from an earlier school.
    const fs::path staging = unidad_ / "ztemp" / "Valencia";
    fs::create_directories(staging);
    Escribir(staging / "GRUPOS.DBF", "viejo");
    Escribir(staging / "ocupa.dbf", "viejo");
    Escribir(staging / "PLANTILLA.DBF", "plantilla");  // not staged: stays
    Escribir(escuela_ / "grupos.dbf", "nuevo");

    CopiarTablasGC(estado_);

    ASSERT_EQ(Entradas(staging, "grupos.dbf").size(), 1u);
    EXPECT_EQ(Leer(Entradas(staging, "grupos.dbf")[0]), "nuevo");
    EXPECT_TRUE(Entradas(staging, "OCUPA.dbf").empty());
    EXPECT_EQ(Leer(staging / "PLANTILLA.DBF"), "plantilla");
    // No second spelling of the folder.
    EXPECT_EQ(Nombres(raiz_), (std::vector<std::string>{"Escuela", "ztemp"}));
}

TEST_F(Staging, FalloEnMedioDejaAntesNuevosYDespuesViejos) {
    const fs::path staging = unidad_ / "ZTEMP" / "VALENCIA";
    fs::create_directories(staging);
    for (const auto& nombre : kStaged) {
        Escribir(staging / nombre, "viejo");
        Escribir(escuela_ / nombre, "nuevo");
    }
    // The copy of one file fails by name, as a full disk would.
    SistemaConFallos sistema;
    SistemaConFallos::Fallo fallo;
    fallo.operacion = Operacion::Escribir;
    fallo.ruta = "VALENCIA/centro.dbf";
    fallo.codigo = 112;
    fallo.desdeEntonces = true;
    sistema.Programar(fallo);

    try {
        CopiarTablasGC(estado_);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Error de E/S 112");
    }

    for (const auto& nombre : kStaged) {
        SCOPED_TRACE(nombre);
        const std::string esperado = nombre == "centro.dbf"     ? ""
                                     : nombre == "lhortipo.dbf" ? "viejo"
                                     : nombre == "OCUPA.dbf"    ? "viejo"
                                                                : "nuevo";
        EXPECT_EQ(Leer(staging / nombre), esperado);
    }
}

TEST_F(Staging, CarpetaDeStagingImposible) {
    Escribir(unidad_ / "ZTEMP", "un archivo donde iría la carpeta");
    Escribir(escuela_ / "grupos.dbf", "x");
    try {
        CopiarTablasGC(estado_);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Nombre de archivo inválido");
    }
}

TEST_F(Staging, CierraLaTablaAntesDeReemplazarSuArchivo) {
    CrearCentro(estado_.carpetaGC, 46001);
    CopiarTablasGC(estado_);
    estado_.wwTableCentro.Open();  // exclusive, as the window's object is
    ASSERT_TRUE(estado_.wwTableCentro.Active());

    CrearCentro(estado_.carpetaGC, 46002);
    CopiarTablasGC(estado_);

    EXPECT_FALSE(estado_.wwTableCentro.Active());
    estado_.wwTableCentro.Open();
    estado_.wwTableCentro.First();
    EXPECT_EQ(estado_.wwTableCentro.FieldByName("CODCEN").AsString(), "46002");
}

// A school folder and a file with accented names: staging, the copy and the
// engine reach them through UTF-8 paths, in any case, on either system.
TEST_F(Staging, CarpetaYArchivoConAcentos) {
    const std::string escuela = raiz_ + "/Gestió Acadèmica/GC";
    fs::create_directories(fs::u8path(escuela));
    CrearCentro(escuela, 46001);
    const std::string staged = raiz_ + "/ZTEMP/VALENCIA/centro.dbf";
    for (const std::string& carpeta : {escuela, std::string("C:\\GESTIÓ ACADÈMICA\\gc")}) {
        SCOPED_TRACE(carpeta);
        std::error_code ec;
        fs::remove(fs::u8path(staged), ec);
        estado_.carpetaGC = carpeta;
        CopiarTablasGC(estado_);
        EXPECT_EQ(Leer(staged), Leer(escuela + "/centro.dbf"));
    }

    CopiarArchivo(escuela + "/Centrò.dbf", escuela + "/centro.dbf");
    EXPECT_EQ(Nombres(escuela), (std::vector<std::string>{"Centrò.dbf", "centro.dbf"}));
    EXPECT_TRUE(fs::exists(fs::u8path(escuela + "/Centrò.dbf")));  // the name the disk got
    EXPECT_TRUE(ExisteArchivo(escuela + "/CENTRÒ.DBF"));
    Tabla t;
    t.SetDatabaseName(escuela);
    t.SetTableName("Centrò.dbf");
    t.Open();
    t.First();
    EXPECT_EQ(t.FieldByName("CODCEN").AsString(), "46001");
}

TEST(EstadoTablas, CarpetasNombresYModos) {
    Estado e;
    struct Caso {
        const Tabla& tabla;
        const char* carpeta;
        const char* nombre;
        bool exclusiva, soloLectura;
    } casos[] = {
        {e.wwTableAsignat, "C:\\ZTEMP\\VALENCIA", "asignat.dbf", true, false},
        {e.wwTableCentro, "C:\\ZTEMP\\VALENCIA", "centro", true, false},
        {e.wwTableProfesor, "C:\\ZTEMP\\VALENCIA", "profesor", true, false},
        {e.wwTableAsigAlum, "C:\\ZTEMP\\VALENCIA", "asigalum", true, false},
        {e.wwTableAulas, "C:\\ZTEMP\\VALENCIA", "aulas", true, false},
        {e.wwTableGrupos, "C:\\ZTEMP\\VALENCIA", "grupos", true, false},
        {e.wwTableAlumnos, "C:\\ZTEMP\\VALENCIA", "alumnos", true, false},
        {e.wwTableHorGrup, "C:\\ZTEMP\\VALENCIA", "horgrup", true, false},
        {e.wwTableHorProf, "C:\\ZTEMP\\VALENCIA", "horprof", true, false},
        {e.wwTableLhortipo, "C:\\ZTEMP\\VALENCIA", "lhortipo", false, false},
        {e.wwTableOCUPA, "C:\\ZTEMP\\VALENCIA", "OCUPA", true, true},
        {e.wwTableSoluc, "C:\\ZTEMP", "SOLUC", true, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tabla.Name());
        EXPECT_EQ(c.tabla.DatabaseName(), c.carpeta);
        EXPECT_EQ(c.tabla.TableName(), c.nombre);
        EXPECT_EQ(c.tabla.Exclusive(), c.exclusiva);
        EXPECT_EQ(c.tabla.ReadOnly(), c.soloLectura);
        EXPECT_FALSE(c.tabla.Active());
    }
}

}  // namespace
}  // namespace brisolt
