// brisolt-cli demo end to end: the sample school exported, placed by the
// generator stand-in and imported back; every session the export asked for
// must reach the school's group timetable with the centre's times and the
// teacher's DNI.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "cli/programa.h"
#include "lectura.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

namespace fs = std::filesystem;

class DemoCli : public ::testing::Test {
  protected:
    void SetUp() override {
        raiz_ = prueba::NuevaCarpetaTemporal("brisolt-demo-");
        ASSERT_FALSE(raiz_.empty());
    }
    void TearDown() override {
        prueba::QuitarEntorno("BRISOLT_DRIVE_C");
        prueba::BorrarArbol(raiz_);
    }

    std::string raiz_;
};

TEST_F(DemoCli, EverySessionReachesTheGroupTimetableWithTimesAndDni) {
    const prueba::Resultado s = prueba::EjecutarCli({"demo", "--dir", raiz_ + "/C"});
    ASSERT_EQ(s.estado, 0) << s.errores;
    EXPECT_EQ(s.errores, "");
    for (const char* parte : {"Exportar", "Importar", "ASIGT.DBF", "horgrup.dbf",
                              "Semana del profesor", "Semana del grupo", "Tiempos"})
        EXPECT_NE(s.salida.find(parte), std::string::npos) << parte << " missing in\n" << s.salida;
    size_t finales = 0;
    for (size_t p = 0; (p = s.salida.find("Proceso finalizado", p)) != std::string::npos; ++p)
        ++finales;
    EXPECT_EQ(finales, 2u) << s.salida;

    prueba::FijarEntorno("BRISOLT_DRIVE_C", raiz_ + "/C");
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
        std::vector<std::string> argumentos;
        const char* mensaje;
    } casos[] = {
        {{"--escala", "0"}, "Valor inválido para --escala: '0'"},
        {{"--semilla", "x"}, "Valor inválido para --semilla: 'x'"},
        {{"sobra"}, "Uso: brisolt-cli demo"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::PrintToString(c.argumentos));
        std::vector<std::string> argumentos = {"demo", "--dir", raiz_ + "/C"};
        argumentos.insert(argumentos.end(), c.argumentos.begin(), c.argumentos.end());
        const prueba::Resultado s = prueba::EjecutarCli(argumentos);
        EXPECT_EQ(s.estado, 1);
        EXPECT_NE(s.errores.find(c.mensaje), std::string::npos) << s.errores;
        EXPECT_FALSE(fs::exists(fs::u8path(raiz_ + "/C/GC")));
    }
}

}  // namespace
}  // namespace brisolt
