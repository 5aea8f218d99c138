// brisolt-cli exportar end to end: a small school in a temporary drive C:,
// the built program run on it, and every exchange table read back.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/programa.h"
#include "tables/carpetas.h"
#include "tables/conversion.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

namespace fs = std::filesystem;
using Fila = std::vector<std::string>;
using Filas = std::vector<Fila>;

const char* const kAviso =
    "La duración de este Proceso será más larga, en función de la cantidad de datos que tengamos "
    "en nuestra Gestión de Centros.";

// The steps as brisolt-cli prints them, one line each; the first `n` of them.
std::string Pasos(int n) {
    static const char* const kPasos[] = {
        "Exportando asignaturas (1 de 7)",
        "Exportando profesores (2 de 7)",
        "Exportando aulas (3 de 7)",
        "Exportando alumnos (4 de 7)",
        "Exportando horas de asignaturas por curso (5 de 7)",
        "Exportando grupos y cursos (6 de 7)",
        "Exportando asignaciones (7 de 7)",
    };
    std::string lineas;
    for (int i = 0; i < n; ++i) lineas += std::string(kPasos[i]) + "\n";
    return lineas;
}

// Cells are text: "" blank, numbers with ".", dates YYYY-MM-DD.
void CrearTabla(const fs::path& ruta, const std::vector<DefCampo>& campos, const Filas& filas) {
    Tabla t;
    t.SetTableName(ruta.string());
    t.SetTableLevel(NivelTabla::FoxPro2);
    t.FieldDefs() = campos;
    t.CreateTable();
    t.Open();
    for (const Fila& fila : filas) {
        t.Append();
        for (size_t i = 0; i < fila.size(); ++i) {
            if (fila[i].empty()) continue;
            Campo campo = t.FieldByName(campos[i].nombre);
            if (campos[i].tipo == TipoCampo::Cadena) {
                campo.SetAsString(fila[i]);
            } else if (campos[i].tipo == TipoCampo::Fecha) {
                int a = 0, m = 0, d = 0;
                ASSERT_EQ(std::sscanf(fila[i].c_str(), "%d-%d-%d", &a, &m, &d), 3);
                campo.SetAsDateTime(FechaADias(a, m, d));
            } else {
                campo.SetAsFloat(std::stod(fila[i]));
            }
        }
        t.Post();
    }
    t.Close();
}

Filas LeerTabla(const std::string& ruta) {
    Tabla t;
    t.SetTableName(ruta);
    t.Open();
    Filas filas;
    for (t.First(); !t.Eof(); t.Next()) {
        Fila fila;
        for (const InfoCampo& info : t.Fields()) {
            if (info.sistema) continue;
            Campo campo = t.FieldByName(info.nombre);
            if (info.tipo == 'C')
                fila.push_back(campo.AsString());
            else if (campo.IsNull())
                fila.push_back("");
            else if (info.tipo == 'L')
                fila.push_back(campo.AsBoolean() ? "T" : "F");
            else
                fila.push_back(FlotanteExacto(campo.AsFloat()));
        }
        filas.push_back(std::move(fila));
    }
    t.Close();
    return filas;
}

// The school's tables as the school-management system keeps them; `grupos`
// rows are CODGRUP, TURNO, LITEGRUP, DNI.
void CrearEscuela(const fs::path& carpeta, const Filas& grupos) {
    fs::create_directories(carpeta);
    CrearTabla(carpeta / "asignat.dbf",
               {{"CODASIG", TipoCampo::Cadena, 8},
                {"VLITEASIG", TipoCampo::Cadena, 30},
                {"CLITEASIG", TipoCampo::Cadena, 30},
                {"HORSEMTE", TipoCampo::Cadena, 5},
                {"LITRESV", TipoCampo::Cadena, 3}},
               {{"2ESOMAT", "Matemàtiques", "Matemáticas", "4", "MAT"},
                {"1ESOVAL", "Valencià", "Valenciano", " 3", "VAL"},
                {"1ESOMAT", "Matemàtiques I", "Matemáticas I", "", "MAT"}});
    CrearTabla(carpeta / "OCUPA.dbf",
               {{"OCUPA", TipoCampo::Cadena, 12},
                {"VLITERAL", TipoCampo::Cadena, 60},
                {"CLITERAL", TipoCampo::Cadena, 60}},
               {{"GUARD", "Guàrdia", "Guardia"}});
    CrearTabla(carpeta / "profesor.dbf",
               {{"DNI", TipoCampo::Numerico, 9},
                {"APENOMPROF", TipoCampo::Cadena, 40},
                {"DEPARTA", TipoCampo::Cadena, 40},
                {"FBAJA", TipoCampo::Fecha}},
               {{"111", "GARCIA LOPEZ, JUAN", "MATEMÀTIQUES", ""},
                {"222", "GARCIA LOPEZ, JULIA", "VALENCIÀ", ""},
                {"333", "ROS, ANA", "VALENCIÀ", "2020-06-30"}});  // has left
    CrearTabla(carpeta / "aulas.dbf",
               {{"CODAULA", TipoCampo::Cadena, 12}, {"LITAULA", TipoCampo::Cadena, 40}},
               {{"A1", "Aula 1"}});
    CrearTabla(carpeta / "grupos.dbf",
               {{"CODGRUP", TipoCampo::Cadena, 5},
                {"TURNO", TipoCampo::Cadena, 1},
                {"LITEGRUP", TipoCampo::Cadena, 30},
                {"DNI", TipoCampo::Cadena, 9}},
               grupos);
    CrearTabla(carpeta / "alumnos.dbf",
               {{"APENOM", TipoCampo::Cadena, 45},
                {"CODIGO", TipoCampo::Cadena, 10},
                {"CODCUR", TipoCampo::Cadena, 4},
                {"CODGRUP", TipoCampo::Cadena, 5},
                {"REPITE", TipoCampo::Numerico, 1}},
               {{"PEREZ, LUIS", "1001", "1ESO", "1ESOA", "1"}});
    CrearTabla(carpeta / "asigalum.dbf",
               {{"CODIGO", TipoCampo::Cadena, 10}, {"CODASIG", TipoCampo::Cadena, 8}},
               {{"1001", "1ESOMAT"}, {"1001", "9XXX"}, {"1001", "1ESOVAL"}});
    CrearTabla(carpeta / "horgrup.dbf",
               {{"CODGRUP", TipoCampo::Cadena, 5},
                {"CODASIG", TipoCampo::Cadena, 8},
                {"DNI", TipoCampo::Numerico, 9}},
               {{"1ESOA", "1ESOMAT", "111"},
                {"1ESOA", "1ESOMAT", "111"},
                {"1ESOA", "1ESOVAL", "222"},
                {"2ESOB", "2ESOMAT", "0"},
                {"3ZZZ", "1ESOMAT", "111"}});
}

std::string N(double valor) {
    return FlotanteExacto(valor);
}

std::string Leer(const std::string& ruta) {
    std::ifstream f(fs::u8path(ruta), std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

prueba::Resultado Ejecutar(const std::string& unidad, std::vector<std::string> argumentos) {
    argumentos.insert(argumentos.begin(), "exportar");
    return prueba::EjecutarCli(argumentos, {{"BRISOLT_DRIVE_C", unidad}});
}

class ExportarCli : public ::testing::Test {
  protected:
    void SetUp() override {
        raiz_ = prueba::NuevaCarpetaTemporal("brisolt-cli-");
        ASSERT_FALSE(raiz_.empty());
        unidad_ = fs::u8path(raiz_);
        prueba::FijarEntorno("BRISOLT_DRIVE_C", raiz_);
        FijarSeparadorDecimal('.');
    }
    void TearDown() override {
        prueba::QuitarEntorno("BRISOLT_DRIVE_C");
        prueba::BorrarArbol(raiz_);
    }

    static std::string Tabla_(const char* nombre) {
        return RutaNativa(std::string("C:\\ZTEMP\\") + nombre);
    }

    std::string raiz_;  // drive C: as text, "/" between names
    fs::path unidad_;
};

TEST_F(ExportarCli, EscuelaCompletaDesdeLaCarpetaPorDefecto) {
    CrearEscuela(unidad_ / "GC", {{"1ESOA", "M", "Primero A", "222"},
                                  {"1ESOA", "M", "Duplicado", "x1"},
                                  {"2ESOB", "T", "Segundo B", ""}});
    const prueba::Resultado s = Ejecutar(raiz_, {});
    ASSERT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(s.salida, std::string(kAviso) + "\n" + Pasos(7) + "Proceso finalizado\n");
    EXPECT_EQ(s.errores, "");

    EXPECT_EQ(LeerTabla(Tabla_("ASIGVALT.DBF")),
              (Filas{{"MAT", "MAT", "Matemàtiques", "2ESOMAT", N(4), "ESO", "2"},
                     {"VAL", "VAL", "Valencià", "1ESOVAL", N(3), "ESO", "1"},
                     {"MAT", "MAT", "Matemàtiques I", "1ESOMAT", N(1), "ESO", "1"}}));
    EXPECT_EQ(LeerTabla(Tabla_("ASIGNOMT.DBF")), (Filas{{"MAT", "MAT", "Matemàtiques", "F"},
                                                        {"VAL", "VAL", "Valencià", "F"},
                                                        {"*GUARD", "*GUARD", "Guàrdia", "T"}}));
    EXPECT_EQ(LeerTabla(Tabla_("PROFT.DBF")),
              (Filas{{"GLJ", "GARCIA LOPEZ, JUAN", "MATEMÀTIQUES", N(111)},
                     {"GLJ2", "GARCIA LOPEZ, JULIA", "VALENCIÀ", N(222)}}));
    EXPECT_EQ(LeerTabla(Tabla_("AULAT.DBF")), (Filas{{"A1", "Aula 1", "1", N(0)}}));

    Fila alumno = {"1001", "PEREZ, LUIS", "M", "ESO", "1", "A", "", "T", "MAT", "", "VAL", ""};
    alumno.resize(8 + 100);
    EXPECT_EQ(LeerTabla(Tabla_("ALUMNOST.DBF")), (Filas{alumno}));

    EXPECT_EQ(
        LeerTabla(Tabla_("ASIGCURT.DBF")),
        (Filas{{"ESO", "1", "MAT", N(1)}, {"ESO", "1", "VAL", N(3)}, {"ESO", "2", "MAT", N(4)}}));
    EXPECT_EQ(LeerTabla(Tabla_("GRUPOST.DBF")),
              (Filas{{"1ESOA", "M", "ESO", "1", "A", "M ESO 1 A (Primero A)", "GLJ2"},
                     {"2ESOB", "T", "ESO", "2", "B", "T ESO 2 B (Segundo B)", ""}}));
    EXPECT_EQ(LeerTabla(Tabla_("CURSOST.DBF")),
              (Filas{{"ME1", "M", "ESO", "1"}, {"TE2", "T", "ESO", "2"}}));
    EXPECT_EQ(LeerTabla(Tabla_("ASIGT.DBF")),
              (Filas{{"MAT", "GLJ", "1ESOA", "", "", "ESO", "1", "A", N(1), "1", "", "*12"},
                     {"VAL", "GLJ2", "1ESOA", "", "", "ESO", "1", "A", N(3), "111", "", "*12"},
                     {"MAT", "", "2ESOB", "", "", "ESO", "2", "B", N(4), "1111", "", "*12"}}));
}

TEST_F(ExportarCli, UnErrorVaAlErrorEstandarConPuntoFinal) {
    CrearEscuela(unidad_ / "GC", {{"1ESOA", "M", "Primero A", "222"}});
    ASSERT_EQ(Ejecutar(raiz_, {}).estado, 0);
    const std::string asigt = Leer(Tabla_("ASIGT.DBF"));

    // Another folder, Castilian names, and a tutor DNI that is not a number.
    CrearEscuela(unidad_ / "otra", {{"1ESOA", "M", "Primero A", "12a"}});
    const prueba::Resultado s =
        Ejecutar(raiz_, {"--gc", raiz_ + "/otra", "--idioma", "CASTELLANO"});
    EXPECT_EQ(s.estado, 1);
    // It stops in the groups' step, the sixth.
    EXPECT_EQ(s.salida, std::string(kAviso) + "\n" + Pasos(6));
    EXPECT_EQ(s.errores, "'12a' no es un valor entero válido.\n");

    const Filas asigval = LeerTabla(Tabla_("ASIGVALT.DBF"));
    ASSERT_EQ(asigval.size(), 3u);
    EXPECT_EQ(asigval[0][2], "Matemáticas");
    EXPECT_EQ(Leer(Tabla_("ASIGT.DBF")), asigt);  // the step after the failing one never ran
}

}  // namespace
}  // namespace brisolt
