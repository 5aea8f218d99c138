#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "help/control_html_help.h"
#include "help/gestor.h"
#include "help/grabadora.h"
#include "help/nombres.h"
#include "help/quen_html_help.h"
#include "help/sistema.h"
#include "help/winhelp.h"

namespace brisolt {
namespace {

using prueba::Grabadora;
using prueba::Llamada;

constexpr VentanaId kVentana = 0x1234;
// The program's folder, and the separator the viewer puts between it and a
// help file named without one: the system's own.
#ifdef _WIN32
const std::string kCarpeta = "C:\\Archivos de programa\\Brisolt";
const std::string kSeparador = "\\";
#else
const std::string kCarpeta = "/opt/brisolt";
const std::string kSeparador = "/";
#endif

// A help system as the program has it: WinHelp first, then our viewer.
struct Sistema {
    explicit Sistema(std::weak_ptr<void>* biblioteca = nullptr)
        : winHelp(std::make_shared<VisorWinHelp>(
              [this](VentanaId, const std::string& archivo, unsigned comando, std::uintptr_t) {
                  winHelpLlamadas.push_back(archivo + " #" + std::to_string(comando));
              })) {
        winHelp->FijarGestor(gestor.RegisterViewer(winHelp));
        registro = std::make_unique<RegistroQuenHtmlHelp>(gestor, *winHelp,
                                                          html.Cargador(biblioteca), kCarpeta);
        gestor.FijarArchivoAplicacion("GESCEN.chm");
        gestor.FijarVentana(kVentana);
    }
    TQuenHtmlHelpViewer& Visor() { return registro->Visor(); }

    Grabadora html;
    std::vector<std::string> winHelpLlamadas;
    std::shared_ptr<VisorWinHelp> winHelp;
    GestorAyuda gestor;
    std::unique_ptr<RegistroQuenHtmlHelp> registro;
};

Llamada Numero(std::string archivo, unsigned comando, std::uintptr_t datos = 0) {
    return {kVentana, archivo, comando, datos, {}};
}
Llamada Clave(std::string archivo, std::string clave) {
    return {kVentana, archivo, kDisplayIndex, 0, clave};
}

struct CasoVisor {
    const char* nombre;
    std::string archivoAyuda;  // the application's help file
    std::function<void(TQuenHtmlHelpViewer&)> accion;
    std::vector<Llamada> esperadas;
};

class OperacionesDelVisor : public testing::TestWithParam<CasoVisor> {};

TEST_P(OperacionesDelVisor, EnviaAlControlLoEsperado) {
    const auto& caso = GetParam();
    Sistema s;
    s.gestor.FijarArchivoAplicacion(caso.archivoAyuda);
    caso.accion(s.Visor());
    EXPECT_EQ(s.html.llamadas, caso.esperadas);
}

const std::string kGescen = kCarpeta + kSeparador + "GESCEN.chm";

INSTANTIATE_TEST_SUITE_P(
    Casos, OperacionesDelVisor,
    testing::Values(
        CasoVisor{"TemaSinExtension",
                  "GESCEN.chm",
                  [](auto& v) { v.DisplayTopic("intro"); },
                  {Numero(kGescen + "::/intro.htm", kDisplayTopic)}},
        CasoVisor{"TemaHtmlEnMayusculas",
                  "GESCEN.chm",
                  [](auto& v) { v.DisplayTopic("intro.HTML"); },
                  {Numero(kGescen + "::/intro.HTML", kDisplayTopic)}},
        CasoVisor{"TemaConOtraExtension",
                  "GESCEN.chm",
                  [](auto& v) { v.DisplayTopic("notas.txt"); },
                  {Numero(kGescen + "::/notas.txt.htm", kDisplayTopic)}},
        CasoVisor{"PuntoEnLaCarpetaDelTema",
                  "GESCEN.chm",
                  [](auto& v) { v.DisplayTopic("v1.2/intro"); },
                  {Numero(kGescen + "::/v1.2/intro.htm", kDisplayTopic)}},
        CasoVisor{"ClaveRecortada",
                  "GESCEN.chm",
                  [](auto& v) { v.ShowHelp("QuenHtmlHelp: exportar "); },
                  {Clave(kGescen, "exportar")}},
        CasoVisor{"ClaveHastaElPrimerDosPuntos",
                  "GESCEN.chm",
                  [](auto& v) { v.ShowHelp("QuenHtmlHelp:\t hora: 10\r\n"); },
                  {Clave(kGescen, "hora: 10")}},
        CasoVisor{"ClaveSinPrefijo",
                  "GESCEN.chm",
                  [](auto& v) { v.ShowHelp("  alumnos "); },
                  {Clave(kGescen, "alumnos")}},
        CasoVisor{"ChmEnMayusculas",
                  "AYUDA.CHM",
                  [](auto& v) { v.ShowTableOfContents(); },
                  {Numero(kCarpeta + kSeparador + "AYUDA.CHM", kDisplayToc)}},
        CasoVisor{"ArchivoConCarpetaSeRespeta",
                  "/srv/doc/gescen.chm",
                  [](auto& v) { v.ShowTableOfContents(); },
                  {Numero("/srv/doc/gescen.chm", kDisplayToc)}},
        CasoVisor{"NombreSinPuntoNoEsChm", "GESCEN", [](auto& v) { v.ShowTableOfContents(); }, {}},
        CasoVisor{"ChmQueNoEsLaUltimaExtension",
                  "GESCEN.chm.bak",
                  [](auto& v) {
                      v.ShowTableOfContents();
                      v.DisplayTopic("intro");
                      v.ShowHelp("QuenHtmlHelp: x");
                      v.DisplayHelpByContext(1, "GESCEN.chm");
                  },
                  {}},
        CasoVisor{"ContextoDelArchivoActualNoDelDado",
                  "GESCEN.chm",
                  [](auto& v) { v.DisplayHelpByContext(20, "OTRA.chm"); },
                  {Numero(kGescen, kHelpContext, 20)}},
        CasoVisor{"CierreSinVentanaNiArchivo",
                  "GESCEN.chm",
                  [](auto& v) { v.SoftShutDown(); },
                  {Llamada{0, std::nullopt, kCloseAll, 0, {}}}}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(Visor, RespuestasSinLlamarAlControl) {
    Sistema s;
    auto& v = s.Visor();
    EXPECT_EQ(v.GetViewerName(), "QuenHtmlHelp");
    EXPECT_EQ(v.GetHelpStrings("exportar"), ListaCadenas{"QuenHtmlHelp: exportar"});
    EXPECT_EQ(v.UnderstandsKeyword("x"), 1);
    EXPECT_TRUE(v.UnderstandsTopic("intro"));
    EXPECT_TRUE(v.UnderstandsContext(1, "X.CHM"));
    EXPECT_FALSE(v.UnderstandsContext(1, "X"));
    EXPECT_FALSE(v.UnderstandsContext(1, "X.chm.txt"));
    s.gestor.FijarArchivoAplicacion("GESCEN.hlp");
    EXPECT_EQ(v.UnderstandsKeyword("x"), 0);
    EXPECT_FALSE(v.UnderstandsTopic("intro"));
    EXPECT_TRUE(s.html.llamadas.empty());
}

TEST(Visor, SelectorDePalabraYDeIndice) {
    Sistema s;
    auto& v = s.Visor();
    struct Caso {
        ListaCadenas lista;
        int palabra;
    };
    const std::vector<Caso> casos = {
        {{"QuenHtmlHelp: exportar"}, 0},
        {{"WinHelp: exportar", ": exportar"}, 0},  // none names the viewer
        {{": exportar", "QuenHtmlHelp: exportar"}, 1},
        {{"QuenHtmlHelpX: a", "QuenHtmlHelp"}, 1},  // the whole entry when it has no ":"
        {{}, 0},
    };
    for (const auto& c : casos) EXPECT_EQ(v.SelectKeyword(c.lista), c.palabra);
    EXPECT_EQ(v.TableOfContents({"Aaa", "QuenHtmlHelp", "WinHelp"}), 1);
    EXPECT_EQ(v.TableOfContents({"WinHelp"}), -1);
}

TEST(Tester, ElVisorWinHelpNoPuedeNada) {
    TQuenWinHelpTester t;
    EXPECT_FALSE(t.CanShowALink("a", "GESCEN.hlp"));
    EXPECT_FALSE(t.CanShowTopic("intro", "GESCEN.hlp"));
    EXPECT_FALSE(t.CanShowContext(1, "GESCEN.hlp"));
    EXPECT_EQ(t.GetHelpStrings("exportar"), ListaCadenas{": exportar"});
    EXPECT_EQ(t.GetHelpPath(), "");
    EXPECT_EQ(t.GetDefaultHelpFile("x"), "");
}

// A third viewer whose name sorts first, so only the selector can pick ours.
class VisorAaa : public ICustomHelpViewer {
  public:
    std::string GetViewerName() override { return "Aaa"; }
    int UnderstandsKeyword(const std::string&) override { return 0; }
    ListaCadenas GetHelpStrings(const std::string&) override { return {}; }
    bool CanShowTableOfContents() override { return true; }
    void ShowTableOfContents() override { ++indices; }
    void ShowHelp(const std::string&) override {}
    void NotifyID(std::int32_t) override {}
    void SoftShutDown() override {}
    void ShutDown() override {}
    int indices = 0;
};

TEST(Encaminamiento, ElIndiceLoEligeElSelector) {
    Sistema s;
    auto aaa = std::make_shared<VisorAaa>();
    s.gestor.RegisterViewer(aaa);
    // The help button: the contents command with the window and "GESCEN.chm".
    EXPECT_TRUE(s.gestor.Hook(0x77, "GESCEN.chm", GestorAyuda::kHelpContents, 0));
    EXPECT_EQ(s.html.llamadas, (std::vector<Llamada>{{0x77, kGescen, kDisplayToc, 0, {}}}));
    EXPECT_EQ(aaa->indices, 0);
    EXPECT_TRUE(s.winHelpLlamadas.empty());
}

TEST(Encaminamiento, ElArchivoDeLaUltimaPeticionPrevalece) {
    Sistema s;
    s.gestor.Hook(kVentana, "OTRA.chm", GestorAyuda::kHelpContents, 0);
    s.gestor.Hook(kVentana, "", GestorAyuda::kHelpContents, 0);  // falls back on GESCEN.chm
    EXPECT_EQ(s.html.llamadas,
              (std::vector<Llamada>{Numero(kCarpeta + kSeparador + "OTRA.chm", kDisplayToc),
                                    Numero(kGescen, kDisplayToc)}));
}

TEST(Encaminamiento, ContextoPalabraYTemaPasanDeWinHelpAlVisor) {
    Sistema s;
    EXPECT_TRUE(s.gestor.Hook(0x55, "GESCEN.chm", GestorAyuda::kHelpContext, 1));  // F1
    EXPECT_TRUE(s.gestor.ShowHelp("exportar", "GESCEN.chm"));
    EXPECT_TRUE(s.gestor.ShowTopicHelp("intro", "GESCEN.chm"));
    EXPECT_EQ(s.html.llamadas,
              (std::vector<Llamada>{{0x55, kGescen, kHelpContext, 1, {}},
                                    {0x55, kGescen, kDisplayIndex, 0, "exportar"},
                                    {0x55, kGescen + "::/intro.htm", kDisplayTopic, 0, {}}}));
    EXPECT_TRUE(s.winHelpLlamadas.empty());
}

TEST(Encaminamiento, SinTesterWinHelpTomaLosHlp) {
    Sistema s;
    // With the tester in place nobody takes a WinHelp file...
    EXPECT_FALSE(s.gestor.ShowContextHelp(1, "GESCEN.hlp"));
    EXPECT_TRUE(s.winHelpLlamadas.empty());
    // ...and without it the WinHelp viewer does, which is what the tester prevents.
    s.winHelp->InstalarTester(nullptr);
    EXPECT_TRUE(s.gestor.ShowContextHelp(1, "GESCEN.hlp"));
    EXPECT_EQ(s.winHelpLlamadas, std::vector<std::string>{"GESCEN.hlp #1"});
    EXPECT_TRUE(s.html.llamadas.empty());
}

TEST(Ciclo, CargaYDescarga) {
    std::weak_ptr<void> biblioteca;
    Sistema s(&biblioteca);
    auto* visor = &s.Visor();
    EXPECT_EQ(TQuenHtmlHelpViewer::Instancia(), visor);
    EXPECT_TRUE(visor->TieneEntrada());
    EXPECT_EQ(s.gestor.Visores(), 2u);
    EXPECT_EQ(visor->Id(), 2);  // WinHelp registered first
    EXPECT_NE(dynamic_cast<TQuenWinHelpTester*>(s.winHelp->Tester().get()), nullptr);
    EXPECT_FALSE(biblioteca.expired());

    s.registro.reset();  // program unload
    EXPECT_EQ(TQuenHtmlHelpViewer::Instancia(), nullptr);
    EXPECT_EQ(s.gestor.Visores(), 1u);
    EXPECT_TRUE(biblioteca.expired());
    // The viewer is gone from the routing: the help button now reaches WinHelp only.
    s.gestor.Hook(kVentana, "GESCEN.chm", GestorAyuda::kHelpContents, 0);
    EXPECT_TRUE(s.html.llamadas.empty());
    EXPECT_EQ(s.winHelpLlamadas.size(), 1u);
}

TEST(Ciclo, EnElSistemaDeAyudaDelProceso) {
    Grabadora html;
    // On Windows the program's own viewer is there from load: set aside.
    prueba::SinAyudaDelPrograma apartada;
    const auto antes = SistemaAyuda().Visores();
    {
        RegistroQuenHtmlHelp registro(html.Cargador());
        EXPECT_EQ(SistemaAyuda().Visores(), antes + 1);
        EXPECT_NE(dynamic_cast<TQuenWinHelpTester*>(WinHelpViewer().Tester().get()), nullptr);
        SistemaAyuda().FijarArchivoAplicacion("GESCEN.chm");
        // F1 and the help button as the window sends them.
        EXPECT_TRUE(SistemaAyuda().HelpCommand(0x9, GestorAyuda::kHelpContext, 1));
        EXPECT_TRUE(SistemaAyuda().HelpCommand(0x9, GestorAyuda::kHelpContents, 0));
        // The folder of this test program, wherever it runs from.
        EXPECT_TRUE(std::filesystem::equivalent(CarpetaPrograma(),
                                                std::string(BRISOLT_BINARY_DIR) + "/tests"));
        const auto gescen = CarpetaPrograma() + kSeparador + "GESCEN.chm";
        EXPECT_EQ(html.llamadas, (std::vector<Llamada>{{0x9, gescen, kHelpContext, 1, {}},
                                                       {0x9, gescen, kDisplayToc, 0, {}}}));
    }
    EXPECT_EQ(SistemaAyuda().Visores(), antes);
    EXPECT_EQ(TQuenHtmlHelpViewer::Instancia(), nullptr);
}

TEST(Ciclo, SinControlNadaOcurre) {
    GestorAyuda gestor;
    auto winHelp = std::make_shared<VisorWinHelp>();
    winHelp->FijarGestor(gestor.RegisterViewer(winHelp));
    RegistroQuenHtmlHelp registro(
        gestor, *winHelp, [] { return ControlHtmlHelp{}; }, kCarpeta);
    gestor.FijarArchivoAplicacion("GESCEN.chm");
    EXPECT_FALSE(registro.Visor().TieneEntrada());
    // Taken (the file is compiled help) but shown nowhere, without failing.
    EXPECT_TRUE(gestor.Hook(kVentana, "GESCEN.chm", GestorAyuda::kHelpContext, 1));
    EXPECT_TRUE(gestor.Hook(kVentana, "GESCEN.chm", GestorAyuda::kHelpContents, 0));
}

TEST(Ciclo, ElGestorQueSeVaAntesCierraLasVentanas) {
    Grabadora html;
    std::unique_ptr<RegistroQuenHtmlHelp> registro;
    {
        GestorAyuda gestor;
        auto winHelp = std::make_shared<VisorWinHelp>();
        winHelp->FijarGestor(gestor.RegisterViewer(winHelp));
        registro =
            std::make_unique<RegistroQuenHtmlHelp>(gestor, *winHelp, html.Cargador(), kCarpeta);
    }
    EXPECT_FALSE(registro->Visor().TieneGestor());
    EXPECT_EQ(html.llamadas, (std::vector<Llamada>{{0, std::nullopt, kCloseAll, 0, {}}}));
    registro.reset();  // must not reach the manager that is gone
}

}  // namespace
}  // namespace brisolt
