#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "catalogo_escuela.h"
#include "escuela_muestra.h"
#include "modelo_escuela.h"
#include "sistema_prueba.h"
#include "tables/conversion.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

namespace fs = std::filesystem;
using prueba::CarpetaTemporal;

std::string Bytes(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

std::set<std::string> Archivos(const std::string& carpeta) {
    std::set<std::string> r;
    for (const auto& e : fs::directory_iterator(carpeta)) r.insert(e.path().filename().string());
    return r;
}

int64_t Registros(const std::string& carpeta, const char* tabla) {
    Tabla t;
    t.SetDatabaseName(carpeta);
    t.SetTableName(tabla);
    t.Open();
    return t.RecordCount();
}

// One school for the tests that only read it.
class EscuelaMuestra : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new CarpetaTemporal;
        ConstruirEscuelaMuestra(dir_->Ruta(), kSemilla, 1);
    }
    static void TearDownTestSuite() { delete dir_; }
    static constexpr uint32_t kSemilla = 2024;
    static CarpetaTemporal* dir_;
};
CarpetaTemporal* EscuelaMuestra::dir_ = nullptr;

TEST_F(EscuelaMuestra, WritesTheStagedTablesHorprofAndTheMemoFile) {
    EXPECT_EQ(Archivos(dir_->Ruta()),
              (std::set<std::string>{"grupos.dbf", "profesor.dbf", "horgrup.dbf", "asigalum.dbf",
                                     "asignat.dbf", "aulas.dbf", "alumnos.dbf", "alumnos.fpt",
                                     "centro.dbf", "lhortipo.dbf", "OCUPA.dbf", "horprof.dbf"}));
    // FoxPro 2.x with a memo file for the students, plain tables elsewhere,
    // and the Windows ANSI code page on every one.
    std::string alumnos = Bytes(*dir_ / "alumnos.dbf");
    ASSERT_GT(alumnos.size(), 32u);
    EXPECT_EQ(static_cast<unsigned char>(alumnos[0]), 0xF5);
    EXPECT_EQ(static_cast<unsigned char>(Bytes(*dir_ / "profesor.dbf")[0]), 0x03);
    for (const char* t : {"alumnos.dbf", "profesor.dbf", "asignat.dbf"})
        EXPECT_EQ(static_cast<unsigned char>(Bytes(*dir_ / t)[29]), 0x03) << t;
}

TEST_F(EscuelaMuestra, RecordCountsMatchTheSchoolDrawn) {
    muestra::Escuela e = muestra::DibujarEscuela(kSemilla, 1);
    size_t asigalum = 0, horgrup = 0, guardias = 0;
    for (const auto& a : e.alumnos) asigalum += a.materias.size();
    for (const auto& g : e.grupos)
        for (const auto& c : g.clases) horgrup += e.materias[c.materia].horas;
    for (const auto& p : e.profesores) guardias += !p.bajaAnio && p.dni != 0;
    const std::pair<const char*, size_t> esperados[] = {
        {"asignat", e.materias.size()},
        {"profesor", e.profesores.size()},
        {"grupos", 40},
        {"alumnos", 1000},
        {"asigalum", asigalum},
        {"aulas", e.aulas.size()},
        {"horgrup", horgrup},
        {"horprof", horgrup + guardias},
        {"centro", 2},
        {"lhortipo", 14},
        {"OCUPA", muestra::Tareas().size()},
    };
    for (const auto& [tabla, n] : esperados)
        EXPECT_EQ(Registros(dir_->Ruta(), tabla), static_cast<int64_t>(n)) << tabla;
}

// Accented text goes out as cp1252 and comes back as the same UTF-8, memos
// included.
TEST_F(EscuelaMuestra, TextRoundTripsInWindowsAnsi) {
    EXPECT_NE(Bytes(*dir_ / "asignat.dbf").find("Educaci\xF3 F\xEDsica"), std::string::npos);
    Tabla asignat;
    asignat.SetDatabaseName(dir_->Ruta());
    asignat.SetTableName("asignat");
    asignat.Open();
    ASSERT_TRUE(asignat.Locate("CODASIG", "1ESOEFI"));
    EXPECT_EQ(asignat.FieldByName("VLITEASIG").AsString(), "Educació Física");
    EXPECT_EQ(asignat.FieldByName("CLITEASIG").AsString(), "Educación Física");
    EXPECT_EQ(asignat.FieldByName("LITRESV").AsString(), "EFI");
    EXPECT_EQ(asignat.FieldByName("HORSEMTE").AsString(), "2");

    muestra::Escuela e = muestra::DibujarEscuela(kSemilla, 1);
    Tabla alumnos;
    alumnos.SetDatabaseName(dir_->Ruta());
    alumnos.SetTableName("alumnos");
    alumnos.Open();
    int conMemo = 0;
    for (const auto& a : e.alumnos) {
        if (a.obs.empty() && a.comentario.empty()) continue;
        ASSERT_TRUE(alumnos.Locate("CODIGO", a.codigo)) << a.codigo;
        EXPECT_EQ(alumnos.FieldByName("APENOM").AsString(), a.apenom);
        EXPECT_EQ(alumnos.FieldByName("OBS").AsString(), a.obs);
        EXPECT_EQ(alumnos.FieldByName("COMENTARIO").AsString(), a.comentario);
        ++conMemo;
    }
    EXPECT_GT(conMemo, 50);
}

// The values the export and the import compare across tables.
TEST_F(EscuelaMuestra, ValuesTheCommandsMatchAcrossTables) {
    muestra::Escuela e = muestra::DibujarEscuela(kSemilla, 1);
    // The centre list is filled from centro.dbf as text and matched against
    // lhortipo.dbf's CODCEN.
    std::set<std::string> centros;
    {
        Tabla centro;
        centro.SetDatabaseName(dir_->Ruta());
        centro.SetTableName("centro");
        centro.Open();
        for (centro.First(); !centro.Eof(); centro.Next())
            centros.insert(centro.FieldByName("CODCEN").AsString());
    }
    std::map<std::string, int> horasPorCentro;
    {
        Tabla lhortipo;
        lhortipo.SetDatabaseName(dir_->Ruta());
        lhortipo.SetTableName("lhortipo");
        lhortipo.Open();
        for (lhortipo.First(); !lhortipo.Eof(); lhortipo.Next()) {
            ++horasPorCentro[lhortipo.FieldByName("CODCEN").AsString()];
            EXPECT_EQ(lhortipo.FieldByName("DESDE").AsString().size(), 5u);
        }
    }
    ASSERT_EQ(centros.size(), 2u);
    for (const auto& c : centros) EXPECT_EQ(horasPorCentro[c], 7) << c;

    // The tutor's DNI is read from grupos.dbf as text and must be a whole
    // number naming a teacher.
    std::set<int32_t> dnis;
    for (const auto& p : e.profesores) dnis.insert(p.dni);
    Tabla grupos;
    grupos.SetDatabaseName(dir_->Ruta());
    grupos.SetTableName("grupos");
    grupos.Open();
    for (grupos.First(); !grupos.Eof(); grupos.Next()) {
        int32_t dni = 0;
        std::string texto = grupos.FieldByName("DNI").AsString();
        ASSERT_TRUE(EsEntero(texto, &dni)) << texto;
        EXPECT_NE(dni, 0);
        EXPECT_TRUE(dnis.count(dni)) << dni;
    }

    // Leavers carry their date, blank DNIs read as 0.
    Tabla profesor;
    profesor.SetDatabaseName(dir_->Ruta());
    profesor.SetTableName("profesor");
    profesor.Open();
    size_t i = 0, enBlanco = 0;
    for (profesor.First(); !profesor.Eof(); profesor.Next(), ++i) {
        const auto& p = e.profesores.at(i);
        EXPECT_EQ(profesor.FieldByName("APENOMPROF").AsString(), p.nombre);
        EXPECT_EQ(profesor.FieldByName("DNI").AsInteger(), p.dni);
        enBlanco += profesor.FieldByName("DNI").IsNull();
        double baja = p.bajaAnio ? FechaADias(p.bajaAnio, p.bajaMes, p.bajaDia) : 0;
        EXPECT_EQ(profesor.FieldByName("FBAJA").AsDateTime(), baja) << p.nombre;
    }
    EXPECT_EQ(i, e.profesores.size());
    EXPECT_EQ(enBlanco, 2u);
}

TEST(EscuelaMuestraSemilla, SameSeedSameBytesOtherSeedOtherTeachers) {
    CarpetaTemporal a, b, c;
    ConstruirEscuelaMuestra(a.Ruta(), 7, 1);
    ConstruirEscuelaMuestra(b.Ruta(), 7, 1);
    ConstruirEscuelaMuestra(c.Ruta(), 8, 1);
    ASSERT_EQ(Archivos(a.Ruta()), Archivos(b.Ruta()));
    for (const auto& f : Archivos(a.Ruta())) EXPECT_TRUE(Bytes(a / f) == Bytes(b / f)) << f;
    EXPECT_FALSE(Bytes(a / "profesor.dbf") == Bytes(c / "profesor.dbf"));
    EXPECT_FALSE(Bytes(a / "alumnos.dbf") == Bytes(c / "alumnos.dbf"));
}

TEST(EscuelaMuestraSemilla, ScaleMultipliesTheSchool) {
    CarpetaTemporal dir;
    ConstruirEscuelaMuestra(dir.Ruta(), 7, 2);
    EXPECT_EQ(Registros(dir.Ruta(), "grupos"), 80);
    EXPECT_EQ(Registros(dir.Ruta(), "alumnos"), 2000);
    EXPECT_EQ(Registros(dir.Ruta(), "profesor"),
              static_cast<int64_t>(muestra::DibujarEscuela(7, 2).profesores.size()));
}

}  // namespace
}  // namespace brisolt
