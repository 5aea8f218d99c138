#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "archivos_prueba.h"
#include "shell/arranque.h"
#include "sistema_prueba.h"
#include "tables/error.h"

namespace fs = std::filesystem;

namespace brisolt {
namespace {

using prueba::Escribir;
using prueba::Leer;
using prueba::Nombres;

// Records what start-up did to the window.
struct VentanaFalsa : VentanaArranque {
    void Incrustar(uint32_t anfitriona) override { incrustada.push_back(anfitriona); }
    void MostrarPaneles(bool exportar, bool importar) override {
        paneles.emplace_back(exportar, importar);
    }
    void MostrarCarpetaLista(const std::string& c) override { carpetasLista.push_back(c); }
    void MostrarEdNuevoDir(const std::string& t) override { edNuevoDir.push_back(t); }
    void AgregarCentro(const std::string& c) override { centros.push_back(c); }
    void SeleccionarCentro(int i) override { seleccion.push_back(i); }

    std::vector<uint32_t> incrustada;
    std::vector<std::pair<bool, bool>> paneles;
    std::vector<std::string> carpetasLista, edNuevoDir, centros;
    std::vector<int> seleccion;
};

TEST(LineaDeComandos, VentanaAnfitriona) {
    struct Valido {
        const char* parametro;
        uint32_t valor;
    } validos[] = {
        {"1A2B", 0x1A2B}, {"ffffffff", 0xFFFFFFFFu}, {"00000000FFFFFFFF", 0xFFFFFFFFu},
        {"0", 0},         {"80000000", 0x80000000u}, {"aBcDeF01", 0xABCDEF01u},
    };
    for (const auto& v : validos) {
        SCOPED_TRACE(v.parametro);
        EXPECT_EQ(VentanaAnfitriona(v.parametro), v.valor);
    }
    for (const char* invalido :
         {"0x1A", "$1A", " 1A", "1A ", "", "123456789", "-1", "+1", "1G", "1 A"}) {
        SCOPED_TRACE(invalido);
        try {
            VentanaAnfitriona(invalido);
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'$" + std::string(invalido) + "' no es un valor entero válido");
        }
    }
}

TEST(LineaDeComandos, MinusculasSoloDeLaAALaZ) {
    EXPECT_EQ(MinusculasAZ("IMPORTAR"), "importar");
    EXPECT_EQ(MinusculasAZ("ExPoRtAr-09"), "exportar-09");
    EXPECT_EQ(MinusculasAZ("ÉXPORTAR"), "Éxportar");  // a non-ASCII capital stays
}

// A drive C: with C:\GC holding a centre table, and the process starting in
// another folder of its own.
class Arranque : public ::testing::Test {
  protected:
    void SetUp() override {
        raiz_ = prueba::NuevaCarpetaTemporal("brisolt-arranque-");
        ASSERT_FALSE(raiz_.empty());
        unidad_ = fs::u8path(raiz_);
        prueba::FijarEntorno("BRISOLT_DRIVE_C", raiz_);
        inicio_ = unidad_ / "inicio";
        gc_ = unidad_ / "GC";
        fs::create_directories(inicio_);
        fs::create_directories(gc_);
        cwdPrevio_ = fs::current_path();
        fs::current_path(inicio_);
    }
    void TearDown() override {
        fs::current_path(cwdPrevio_);
        prueba::QuitarEntorno("BRISOLT_DRIVE_C");
        prueba::BorrarArbol(raiz_);
    }
    static void CrearCentro(const fs::path& carpeta,
                            const std::vector<std::optional<double>>& codigos,
                            const char* campo = "CODCEN") {
        Tabla t;
        t.SetDatabaseName(carpeta.string());
        t.SetTableName("centro");
        t.FieldDefs() = {{campo, TipoCampo::Flotante}, {"LITCEN", TipoCampo::Cadena, 45}};
        t.CreateTable();
        t.Open();
        for (const auto& c : codigos) {
            t.Append();
            t.FieldByName("LITCEN").SetAsString("IES");
            if (c) t.FieldByName(campo).SetAsFloat(*c);
            t.Post();
        }
        t.Close();
    }
    fs::path Staging() const { return unidad_ / "ZTEMP" / "VALENCIA"; }

    std::string raiz_;  // drive C: as text, "/" between names
    fs::path unidad_, inicio_, gc_, cwdPrevio_;
};

TEST_F(Arranque, ModosDeLlamada) {
    CrearCentro(gc_, {46001});
    using P = std::pair<bool, bool>;
    struct Caso {
        std::vector<std::string> parametros;
        int modo;
        std::vector<uint32_t> incrustada;
        std::vector<P> paneles;
    } casos[] = {
        {{}, 0, {}, {}},
        {{"importar"}, 0, {}, {}},
        {{"importar", "1A", "x"}, 0, {}, {}},
        {{"importar", "no es hex", "x"}, 0, {}, {}},  // ignored when not two
        {{"IMPORTAR", "1A"}, 2, {0x1A}, {P{false, true}}},
        {{"Exportar", "0"}, 2, {0}, {P{true, false}}},
        {{"otro", "00FF"}, 2, {0xFF}, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.parametros.empty() ? "(none)" : c.parametros[0]);
        fs::current_path(inicio_);
        Estado estado;
        estado.EstadoTransformado = 1;
        VentanaFalsa ventana;
        FormCreate(estado, ventana, c.parametros);
        EXPECT_EQ(estado.ModoLlamada, c.modo);
        EXPECT_EQ(estado.EstadoTransformado, 0);
        EXPECT_EQ(ventana.incrustada, c.incrustada);
        EXPECT_EQ(ventana.paneles, c.paneles);
        EXPECT_EQ(ventana.centros, std::vector<std::string>{"46001"});
    }
}

TEST_F(Arranque, SecuenciaCompleta) {
    CrearCentro(gc_, {46002, 46001, std::nullopt, 46002});
    std::ofstream(inicio_ / "grupos.dbf") << "del inicio";
    Estado estado;
    VentanaFalsa ventana;
    FormCreate(estado, ventana, {});

    // Staged from the working folder first, then again from C:\GC, which has no grupos.dbf.
    EXPECT_FALSE(fs::exists(Staging() / "grupos.dbf"));
    EXPECT_TRUE(fs::exists(Staging() / "centro.dbf"));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), gc_));
    EXPECT_TRUE(fs::equivalent(estado.carpetaGC, gc_));
    ASSERT_EQ(ventana.carpetasLista.size(), 1u);
    // Once from the change handler, once from the creation handler.
    EXPECT_EQ(ventana.edNuevoDir, std::vector<std::string>(2, estado.carpetaGC));
    const std::vector<std::string> centros = {"46002", "46001", "", "46002"};
    EXPECT_EQ(ventana.centros, centros);
    EXPECT_EQ(estado.centros, centros);
    EXPECT_EQ(ventana.seleccion, std::vector<int>{0});
    EXPECT_EQ(estado.CBCentro, "46002");
    EXPECT_FALSE(estado.wwTableCentro.Active());
}

TEST_F(Arranque, YaEnCGC) {
    CrearCentro(gc_, {46001});
    fs::current_path(gc_);
    Estado estado;
    VentanaFalsa ventana;
    FormCreate(estado, ventana, {});
    EXPECT_TRUE(ventana.carpetasLista.empty());  // no change of folder, no second staging
    EXPECT_EQ(ventana.edNuevoDir.size(), 1u);
    EXPECT_TRUE(fs::exists(Staging() / "centro.dbf"));
    EXPECT_EQ(ventana.centros, std::vector<std::string>{"46001"});
}

TEST_F(Arranque, HandleInvalidoDejaLaVentanaSola) {
    CrearCentro(gc_, {46001});
    Estado estado;
    VentanaFalsa ventana;
    try {
        FormCreate(estado, ventana, {"exportar", "0x1A"});
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'$0x1A' no es un valor entero válido");
    }
    EXPECT_EQ(estado.ModoLlamada, 0);
    EXPECT_TRUE(ventana.incrustada.empty());
    EXPECT_TRUE(ventana.paneles.empty());
    EXPECT_FALSE(fs::exists(unidad_ / "ZTEMP"));
    EXPECT_TRUE(fs::equivalent(estado.carpetaGC, inicio_));
    EXPECT_TRUE(ventana.edNuevoDir.empty());
    EXPECT_TRUE(ventana.centros.empty());
}

TEST_F(Arranque, SinCarpetaGC) {
    fs::remove_all(gc_);
    std::ofstream(inicio_ / "grupos.dbf") << "del inicio";
    Estado estado;
    VentanaFalsa ventana;
    try {
        FormCreate(estado, ventana, {"importar", "1A"});
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "No se encuentra el archivo");
    }
    EXPECT_EQ(estado.ModoLlamada, 2);  // the embedding stands
    EXPECT_EQ(Leer(Staging() / "grupos.dbf"), "del inicio");
    EXPECT_TRUE(fs::equivalent(estado.carpetaGC, inicio_));
    EXPECT_TRUE(fs::equivalent(fs::current_path(), inicio_));
    EXPECT_TRUE(ventana.edNuevoDir.empty());
    EXPECT_TRUE(ventana.centros.empty());
}

TEST_F(Arranque, TablaDeCentros) {
    struct Caso {
        const char* que;
        bool crear;
        const char* campo;
        std::vector<std::optional<double>> codigos;
        std::optional<std::string> error;
    } casos[] = {
        {"empty table", true, "CODCEN", {}, std::nullopt},
        {"missing table", false, "CODCEN", {}, ""},
        {"without CODCEN",
         true,
         "CODIGO",
         {46001},
         std::string("wwTableCentro: No se encuentra el campo 'CODCEN'")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        fs::remove(gc_ / "centro.dbf");
        fs::remove(gc_ / "centro.mdx");
        if (c.crear) CrearCentro(gc_, c.codigos, c.campo);
        fs::current_path(inicio_);
        Estado estado;
        VentanaFalsa ventana;
        if (!c.error) {
            FormCreate(estado, ventana, {});
        } else {
            try {
                FormCreate(estado, ventana, {});
                ADD_FAILURE() << "no error";
            } catch (const Error& e) {
                if (!c.error->empty()) {
                    EXPECT_EQ(e.what(), *c.error);
                }
            }
        }
        EXPECT_TRUE(ventana.centros.empty());
        EXPECT_TRUE(ventana.seleccion.empty());
        EXPECT_EQ(estado.CBCentro, "");
    }
}

TEST_F(Arranque, FormCloseEscribeElEstadoEnModoIncrustado) {
    const fs::path bin = unidad_ / "bin";
    fs::create_directories(bin);
    const std::string exe = (bin / "brisolt").string();
    struct Caso {
        int modo, estado;
        std::optional<std::string> ini;
    } casos[] = {
        {0, 1, std::nullopt},
        {2, 0, "[Transformadores]\r\nTransformado=0\r\n"},
        {2, 1, "[Transformadores]\r\nTransformado=1\r\n"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.modo * 10 + c.estado);
        fs::remove(bin / "Zentaro.ini");
        Estado estado;
        estado.ModoLlamada = c.modo;
        estado.EstadoTransformado = c.estado;
        FormClose(estado, exe);
        if (c.ini)
            EXPECT_EQ(Leer(bin / "Zentaro.ini"), *c.ini);
        else
            EXPECT_FALSE(fs::exists(bin / "Zentaro.ini"));
    }

    // The generator's own file, in its own spelling, keeps everything else.
    fs::remove(bin / "Zentaro.ini");
    std::ofstream(bin / "ZENTARO.INI", std::ios::binary)
        << "[Zentaro]\r\nIdioma=VAL\r\n[Transformadores]\r\nTransformado=0\r\n";
    Estado estado;
    estado.ModoLlamada = 2;
    estado.EstadoTransformado = 1;
    FormClose(estado, exe);
    EXPECT_EQ(Leer(bin / "ZENTARO.INI"),
              "[Zentaro]\r\nIdioma=VAL\r\n[Transformadores]\r\nTransformado=1\r\n");
    EXPECT_EQ(Nombres(raiz_ + "/bin"), std::vector<std::string>{"ZENTARO.INI"});

    const std::string sinCarpeta = raiz_ + "/no-existe/brisolt";
    try {
        FormClose(estado, sinCarpeta);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + raiz_ + "/no-existe/Zentaro.ini");
    }
}

}  // namespace
}  // namespace brisolt
