#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "carpeta_temporal.h"
#include "escuela_muestra.h"
#include "intercambio_prueba.h"

namespace brisolt {
namespace {

using pruebas::CarpetaTemporal;

const std::string kBin = std::string(BRISOLT_BINARY_DIR) + "/bin/";

struct Salida {
    int estado = -1;
    std::string texto;  // standard output and error
};

Salida Ejecutar(const std::string& orden) {
    Salida s;
    FILE* p = popen((orden + " 2>&1").c_str(), "r");
    if (!p) return s;
    char buf[512];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) s.texto.append(buf, n);
    int r = pclose(p);
    s.estado = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
    return s;
}

std::string Bytes(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

TEST(Programas, EscuelaWritesTheSchoolOfItsSeedAndScale) {
    CarpetaTemporal dir;
    Salida s = Ejecutar(kBin + "brisolt-escuela '" + (dir / "gc") + "' --escala 2 --semilla 5");
    ASSERT_EQ(s.estado, 0) << s.texto;
    ConstruirEscuelaMuestra(dir / "lib", 5, 2);
    for (const char* t : {"profesor.dbf", "alumnos.dbf", "alumnos.fpt", "horgrup.dbf"})
        EXPECT_TRUE(Bytes(dir / ("gc/" + std::string(t))) == Bytes(dir / ("lib/" + std::string(t))))
            << t;
}

TEST(Programas, BadArgumentsGiveTheUsage) {
    CarpetaTemporal dir;
    for (std::string args : {"", "--escala 2", "D --escala 0", "D --escala x", "D --semilla",
                             "D --semilla -3", "D E", "D --otro 1"}) {
        Salida s = Ejecutar("cd '" + dir.Ruta() + "' && " + kBin + "brisolt-escuela " + args);
        EXPECT_EQ(s.estado, 2) << args;
        EXPECT_NE(s.texto.find("uso: brisolt-escuela"), std::string::npos) << args;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "D"));
    Salida s = Ejecutar(kBin + "brisolt-generador a b");
    EXPECT_EQ(s.estado, 2);
}

// Without a folder the generator works on the exchange folder of drive C:.
TEST(Programas, GeneradorDefaultsToTheExchangeFolder) {
    CarpetaTemporal unidad;
    std::filesystem::create_directories(unidad / "ztemp");
    const std::string entorno = "BRISOLT_DRIVE_C='" + unidad.Ruta() + "' ";

    Salida falta = Ejecutar(entorno + kBin + "brisolt-generador");
    EXPECT_EQ(falta.estado, 1) << falta.texto;
    EXPECT_NE(falta.texto.find("brisolt-generador: "), std::string::npos) << falta.texto;

    pruebas::Intercambio(unidad / "ztemp");
    Salida s = Ejecutar(entorno + kBin + "brisolt-generador");
    ASSERT_EQ(s.estado, 0) << s.texto;
    EXPECT_TRUE(std::filesystem::exists(unidad / "ztemp/SOLUC.DBF"));
}

}  // namespace
}  // namespace brisolt
