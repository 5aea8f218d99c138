// A table the program creates and fills: its records reach the file in large
// blocks, and the file is a valid table at every moment, whoever reads it and
// whatever fails. Another table object on the file sees every record posted.
// A table the program did not create keeps one write per Post.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sistema/fallos.h"
#include "sistema/sistema.h"
#include "tables/error.h"
#include "tables/tabla.h"
#include "test_tabla_comun.h"

namespace brisolt {
namespace {

using namespace prueba;

const std::vector<DefCampo> kCampos = {Cadena("COD", 6), Entero("NUM"), Cadena("TXT", 40)};
constexpr size_t kLargo = 1 + 6 + 11 + 40;
// Enough records for more than two blocks of the engine's size.
constexpr int kRegistros = 3000;

std::string Codigo(int i) {
    return "C" + std::to_string(i);
}

void Anadir(Tabla& t, int i) {
    t.Append();
    t.FieldByName("COD").SetAsString(Codigo(i));
    t.FieldByName("NUM").SetAsInteger(i);
    t.FieldByName("TXT").SetAsString("registro número " + std::to_string(i));
    t.Post();
}

size_t U16(const std::string& b, size_t o) {
    return static_cast<unsigned char>(b[o]) |
           (static_cast<size_t>(static_cast<unsigned char>(b[o + 1])) << 8);
}

uint32_t U32(const std::string& b, size_t o) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(b[o + i])) << (8 * i);
    return v;
}

// What another program finds in the file: the header's count, which must
// never take in a record that is not there, and each counted record as it was
// posted (the first `posted` codes, in order). Returns the count.
uint32_t ComprobarValida(const std::string& ruta, const std::vector<std::string>& posted) {
    const std::string b = Leer(ruta);
    EXPECT_GE(b.size(), 32u);
    if (b.size() < 32) return 0;
    const uint32_t cuenta = U32(b, 4);
    const size_t cabecera = U16(b, 8);
    EXPECT_EQ(U16(b, 10), kLargo);
    EXPECT_LE(cuenta, posted.size()) << "the header counts records never posted";
    EXPECT_GE(b.size(), cabecera + cuenta * kLargo)
        << "the header counts " << cuenta << " records and the file does not hold them";
    if (b.size() < cabecera + cuenta * kLargo) return cuenta;
    for (uint32_t i = 0; i < cuenta && i < posted.size(); ++i) {
        std::string cod = b.substr(cabecera + i * kLargo + 1, 6);
        cod.erase(cod.find_last_not_of(' ') + 1);
        if (cod != posted[i]) {
            ADD_FAILURE() << "record " << i + 1 << " holds '" << cod << "', posted '" << posted[i]
                          << "'";
            break;
        }
    }
    return cuenta;
}

// The Escribir calls made on the file while `llenar` runs.
size_t Escrituras(const std::string& nombre, const std::function<void()>& llenar) {
    SistemaConFallos contar;
    llenar();
    size_t n = 0;
    for (const auto& l : contar.Llamadas())
        if (l.operacion == Operacion::Escribir && l.ruta.find(nombre) != std::string::npos) ++n;
    return n;
}

TEST(TablaEnBloques, OtherTableObjectsSeeEveryPostAndTheFileStaysValid) {
    Carpeta dir;
    const std::string ruta = dir / "ALUMNOST.DBF";
    Crear(ruta, kCampos);
    std::vector<std::string> posted;
    Tabla t;
    t.SetTableName(ruta);
    t.Open();
    Tabla tercera;  // opened mid-fill, kept open to the end
    tercera.SetTableName(ruta);
    tercera.SetReadOnly(true);
    for (int i = 0; i < kRegistros; ++i) {
        Anadir(t, i);
        posted.push_back(Codigo(i));
        if (i + 1 != kRegistros / 2) continue;

        // Mid-fill: a block went out, the last records did not yet; what
        // is in the file is a valid table of the first ones.
        const uint32_t enDisco = ComprobarValida(ruta, posted);
        EXPECT_GT(enDisco, 0u);
        EXPECT_LT(enDisco, posted.size());

        Tabla otra;
        otra.SetTableName(ruta);
        otra.SetReadOnly(true);
        otra.Open();
        EXPECT_EQ(otra.RecordCount(), static_cast<int64_t>(posted.size()));
        ASSERT_TRUE(otra.Locate("COD", posted.back()));
        EXPECT_EQ(otra.RecNo(), static_cast<int64_t>(posted.size()));
        // A table object that closes leaves every record posted so far in the file.
        otra.Close();
        EXPECT_EQ(ComprobarValida(ruta, posted), posted.size());
        tercera.Open();
    }
    EXPECT_EQ(tercera.RecordCount(), kRegistros);
    ASSERT_TRUE(tercera.Locate("NUM", std::to_string(kRegistros - 1)));
    EXPECT_EQ(tercera.FieldByName("COD").AsString(), Codigo(kRegistros - 1));
    tercera.Close();
    t.Close();

    const std::string b = Leer(ruta);
    EXPECT_EQ(ComprobarValida(ruta, posted), static_cast<uint32_t>(kRegistros));
    EXPECT_EQ(b.size(), U16(b, 8) + kRegistros * kLargo + 1);
    EXPECT_EQ(b.back(), '\x1A');
    // Read again from the file: the same records.
    Tabla leida;
    leida.SetTableName(ruta);
    leida.SetReadOnly(true);
    leida.Open();
    EXPECT_EQ(leida.RecordCount(), kRegistros);
}

// Two writes per block, not per record; a table that the program did not
// create (the school's own) still has each Post in the file at once.
TEST(TablaEnBloques, FewWritesForACreatedTableEveryPostThroughForOthers) {
    Carpeta dir;
    const std::string creada = dir / "ASIGT.DBF";
    Crear(creada, kCampos);
    const size_t escrituras = Escrituras("ASIGT.DBF", [&] {
        Tabla t;
        t.SetTableName(creada);
        t.Open();
        for (int i = 0; i < kRegistros; ++i) Anadir(t, i);
    });
    EXPECT_GT(escrituras, 0u);
    EXPECT_LE(escrituras, 10u) << "for " << kRegistros << " records";

    const std::string ajena = dir / "horprof.dbf";
    Escribir(ajena, DbfCrudo(0x03, {{"COD", 'C', 6}, {"NUM", 'N', 11}, {"TXT", 'C', 40}}, {}));
    std::vector<std::string> posted;
    Tabla t;
    t.SetTableName(ajena);
    t.Open();
    for (int i = 0; i < 5; ++i) {
        Anadir(t, i);
        posted.push_back(Codigo(i));
        EXPECT_EQ(ComprobarValida(ajena, posted), posted.size());
    }
    t.Edit();
    t.FieldByName("COD").SetAsString("Z");
    t.Post();
    posted.back() = "Z";
    EXPECT_EQ(ComprobarValida(ajena, posted), posted.size());
}

// Every write of a fill fails in turn, in four ways: that one write, every
// write from then on (a full disk), a block cut short and then a failure, and
// the program stopping there as if killed. Each time the fill ends with the
// engine's message, and the file holds a valid table, which the engine reads
// back as it is on disk.
TEST(TablaEnBloques, AFailedWriteLeavesAValidTableAndAClearError) {
    Carpeta dir;
    const std::string nombre = "GRUPOST.DBF";
    size_t escrituras = 0;
    {
        const std::string ruta = dir / nombre;
        Crear(ruta, kCampos);
        escrituras = Escrituras(nombre, [&] {
            Tabla t;
            t.SetTableName(ruta);
            t.Open();
            for (int i = 0; i < kRegistros; ++i) Anadir(t, i);
        });
    }
    ASSERT_GE(escrituras, 4u);

    enum class Modo { Una, DesdeEntonces, Cortada, Parada };
    int caso = 0;
    for (const Modo modo : {Modo::Una, Modo::DesdeEntonces, Modo::Cortada, Modo::Parada}) {
        // A block cut short needs a write after it to fail.
        const size_t ultima = modo == Modo::Cortada ? escrituras - 1 : escrituras;
        for (size_t n = 1; n <= ultima; ++n) {
            SCOPED_TRACE(testing::Message()
                         << "mode " << static_cast<int>(modo) << ", write " << n);
            const std::string ruta = dir / ("G" + std::to_string(++caso) + ".DBF");
            Crear(ruta, kCampos);
            std::vector<std::string> posted;
            std::string error;
            {
                SistemaConFallos sistema;
                SistemaConFallos::Fallo f;
                f.operacion = Operacion::Escribir;
                f.ruta = ruta;
                f.enesima = n;
                f.codigo = codigo_es::kDiscoLleno;
                f.desdeEntonces = modo == Modo::DesdeEntonces;
                f.parar = modo == Modo::Parada;
                if (modo == Modo::Cortada) {
                    SistemaConFallos::Fallo corta = f;
                    corta.bytes = 1000;
                    sistema.Programar(corta);
                    f.enesima = n + 1;
                }
                sistema.Programar(f);
                Tabla t;
                t.SetTableName(ruta);
                t.Open();
                for (int i = 0; i < kRegistros && error.empty(); ++i) {
                    error = MensajeDeError([&] { Anadir(t, i); });
                    if (error == "") {
                        error.clear();
                        posted.push_back(Codigo(i));
                    }
                }
                if (error.empty()) error = MensajeDeError([&] { t.Close(); });
            }
            EXPECT_EQ(error.rfind("No se puede escribir en la tabla '" + ruta + "': ", 0), 0u)
                << error;

            const uint32_t cuenta = ComprobarValida(ruta, posted);
            Tabla leida;
            leida.SetTableName(ruta);
            leida.SetReadOnly(true);
            ASSERT_EQ(MensajeDeError([&] { leida.Open(); }), "");
            EXPECT_EQ(leida.RecordCount(), static_cast<int64_t>(cuenta));
        }
    }
}

}  // namespace
}  // namespace brisolt
