#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "escuela_muestra.h"
#include "intercambio_prueba.h"
#include "sistema_prueba.h"

namespace brisolt {
namespace {

using prueba::CarpetaTemporal;
using prueba::ProgramaConstruido;

struct Salida {
    int estado = -1;
    std::string texto;  // standard output and error
};

Salida Ejecutar(const std::string& programa, const std::vector<std::string>& argumentos,
                const std::vector<std::pair<std::string, std::string>>& entorno = {}) {
    std::vector<std::string> orden = {ProgramaConstruido(programa)};
    orden.insert(orden.end(), argumentos.begin(), argumentos.end());
    const prueba::Resultado r = prueba::EjecutarPrograma(orden, entorno);
    return {r.estado, r.salida + r.errores};
}

std::string Bytes(const std::string& ruta) {
    std::ifstream f(std::filesystem::u8path(ruta), std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

TEST(Programas, EscuelaWritesTheSchoolOfItsSeedAndScale) {
    CarpetaTemporal dir;
    Salida s = Ejecutar("brisolt-escuela", {dir / "gc", "--escala", "2", "--semilla", "5"});
    ASSERT_EQ(s.estado, 0) << s.texto;
    ConstruirEscuelaMuestra(dir / "lib", 5, 2);
    for (const char* t : {"profesor.dbf", "alumnos.dbf", "alumnos.fpt", "horgrup.dbf"})
        EXPECT_TRUE(Bytes(dir / ("gc/" + std::string(t))) == Bytes(dir / ("lib/" + std::string(t))))
            << t;
}

TEST(Programas, BadArgumentsGiveTheUsage) {
    CarpetaTemporal dir;
    const std::vector<std::vector<std::string>> casos = {
        {},
        {"--escala", "2"},
        {"D", "--escala", "0"},
        {"D", "--escala", "x"},
        {"D", "--semilla"},
        {"D", "--semilla", "-3"},
        {"D", "E"},
        {"D", "--otro", "1"},
    };
    {
        // Started from the scratch folder, where a school "D" would land.
        prueba::EnCarpeta en(dir.Ruta());
        for (const auto& args : casos) {
            SCOPED_TRACE(testing::PrintToString(args));
            Salida s = Ejecutar("brisolt-escuela", args);
            EXPECT_EQ(s.estado, 2);
            EXPECT_NE(s.texto.find("uso: brisolt-escuela"), std::string::npos);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(dir / "D")));
    Salida s = Ejecutar("brisolt-generador", {"a", "b"});
    EXPECT_EQ(s.estado, 2);
}

// Without a folder the generator works on the exchange folder of drive C:.
TEST(Programas, GeneradorDefaultsToTheExchangeFolder) {
    CarpetaTemporal unidad;
    std::filesystem::create_directories(std::filesystem::u8path(unidad / "ztemp"));
    const std::vector<std::pair<std::string, std::string>> entorno = {
        {"BRISOLT_DRIVE_C", unidad.Ruta()}};

    Salida falta = Ejecutar("brisolt-generador", {}, entorno);
    EXPECT_EQ(falta.estado, 1) << falta.texto;
    EXPECT_NE(falta.texto.find("brisolt-generador: "), std::string::npos) << falta.texto;

    pruebas::Intercambio(unidad / "ztemp");
    Salida s = Ejecutar("brisolt-generador", {}, entorno);
    ASSERT_EQ(s.estado, 0) << s.texto;
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(unidad / "ztemp/SOLUC.DBF")));
}

}  // namespace
}  // namespace brisolt
