// brisolt-cli demo end to end: the sample school exported, placed by the
// generator stand-in and imported back; every session the export asked for
// must reach the school's group timetable with the centre's times and the
// teacher's DNI.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>

#include "lectura.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

namespace fs = std::filesystem;

struct Salida {
    int estado = -1;
    std::string texto;
};

Salida Ejecutar(const std::string& argumentos) {
    const std::string orden =
        std::string(BRISOLT_BINARY_DIR) + "/bin/brisolt-cli " + argumentos + " 2>&1";
    Salida s;
    FILE* tubo = ::popen(orden.c_str(), "r");
    if (tubo == nullptr) return s;
    char bufer[4096];
    size_t n;
    while ((n = std::fread(bufer, 1, sizeof bufer, tubo)) > 0) s.texto.append(bufer, n);
    const int estado = ::pclose(tubo);
    s.estado = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    return s;
}

class DemoCli : public ::testing::Test {
  protected:
    void SetUp() override {
        raiz_ = fs::temp_directory_path() /
                ("brisolt-demo-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(raiz_);
    }
    void TearDown() override { fs::remove_all(raiz_); }

    fs::path raiz_;
};

TEST_F(DemoCli, EverySessionReachesTheGroupTimetableWithTimesAndDni) {
    const Salida s = Ejecutar("demo --dir " + raiz_.string());
    ASSERT_EQ(s.estado, 0) << s.texto;
    for (const char* parte : {"Exportar", "Importar", "ASIGT.DBF", "horgrup.dbf",
                              "Semana del profesor", "Semana del grupo", "Tiempos"})
        EXPECT_NE(s.texto.find(parte), std::string::npos) << parte << " missing in\n" << s.texto;
    size_t finales = 0;
    for (size_t p = 0; (p = s.texto.find("Proceso finalizado", p)) != std::string::npos; ++p)
        ++finales;
    EXPECT_EQ(finales, 2u) << s.texto;

    ::setenv("BRISOLT_DRIVE_C", raiz_.c_str(), 1);
    const std::string zona = RutaNativa(kCarpetaIntercambio), gc = RutaNativa(kCarpetaGC);

    // The teachers' DNIs as the import left them in PROFT.DBF: none missing.
    std::map<std::string, int32_t> dniDe;
    {
        Lectura proft(UnirRuta(zona, "PROFT.DBF"));
        for (; !proft->Eof(); proft->Next()) {
            EXPECT_NE(proft.I("DNI"), 0) << proft.S("ABREV");
            dniDe.emplace(proft.S("ABREV"), proft.I("DNI"));
        }
    }

    // Sessions asked for, per group and teacher.
    std::map<std::tuple<std::string, int32_t>, int> pedidas, escritas;
    int total = 0;
    {
        Lectura asigt(UnirRuta(zona, "ASIGT.DBF"));
        for (; !asigt->Eof(); asigt->Next()) {
            const std::string sesiones = asigt.S("SESIONES");
            const int n = static_cast<int>(std::count(sesiones.begin(), sesiones.end(), '1'));
            ASSERT_TRUE(dniDe.count(asigt.S("CPROF"))) << asigt.S("CPROF");
            pedidas[{asigt.S("CGRUP"), dniDe[asigt.S("CPROF")]}] += n;
            total += n;
        }
    }
    ASSERT_GT(total, 0);

    // The selected centre's times, from the school's own template.
    std::string centro;
    {
        Lectura centros(UnirRuta(gc, "centro.dbf"));
        ASSERT_FALSE(centros->Eof());
        centro = centros.S("CODCEN");
    }
    std::map<int, std::pair<std::string, std::string>> horas;
    {
        Lectura lhortipo(UnirRuta(gc, "lhortipo.dbf"));
        for (; !lhortipo->Eof(); lhortipo->Next())
            if (lhortipo.S("CODCEN") == centro)
                horas[lhortipo.I("NUMHORA")] = {lhortipo.S("DESDE").substr(0, 5),
                                                lhortipo.S("HASTA").substr(0, 5)};
    }
    ASSERT_FALSE(horas.empty());

    Lectura horgrup(UnirRuta(gc, "horgrup.dbf"));
    int filas = 0;
    for (; !horgrup->Eof(); horgrup->Next(), ++filas) {
        const int hora = horgrup.I("NUMHORA");
        SCOPED_TRACE(horgrup.S("CODGRUP") + " day " + horgrup.S("DIASEM") + " hour " +
                     std::to_string(hora));
        EXPECT_EQ(horgrup.S("CODCEN"), centro);
        ASSERT_TRUE(horas.count(hora));
        EXPECT_EQ(horgrup.S("HORDIADES"), horas[hora].first);
        EXPECT_EQ(horgrup.S("HORDIAHAS"), horas[hora].second);
        EXPECT_FALSE(horgrup.S("CODASIG").empty());
        ++escritas[{horgrup.S("CODGRUP"), horgrup.I("DNI")}];
    }
    EXPECT_EQ(filas, total);
    EXPECT_EQ(escritas, pedidas);
}

TEST_F(DemoCli, BadOptionsStopBeforeAnythingIsWritten) {
    const struct {
        const char* argumentos;
        const char* mensaje;
    } casos[] = {
        {"--escala 0", "Valor inválido para --escala: '0'"},
        {"--semilla x", "Valor inválido para --semilla: 'x'"},
        {"sobra", "Uso: brisolt-cli demo"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const Salida s = Ejecutar(std::string("demo --dir ") + raiz_.string() + " " + c.argumentos);
        EXPECT_EQ(s.estado, 1);
        EXPECT_NE(s.texto.find(c.mensaje), std::string::npos) << s.texto;
        EXPECT_FALSE(fs::exists(raiz_ / "GC"));
    }
}

}  // namespace
}  // namespace brisolt
