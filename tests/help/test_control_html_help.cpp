// The HTML Help control as the program loads it: the library and its entry
// point found through the system layer, and what the help system's requests
// turn into at that entry point.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "help/control_html_help.h"
#include "help/grabadora.h"
#include "help/nombres.h"
#include "help/quen_html_help.h"
#include "help/sistema.h"
#include "sistema/fallos.h"

namespace brisolt {
namespace {

using prueba::Llamada;

// What the made-up control received, in order.
std::vector<Llamada> recibidas;

// Called exactly as the program calls HtmlHelpA: with its convention.
VentanaId BRISOLT_WINAPI HtmlHelpGrabadora(VentanaId llamante, const char* archivo,
                                           unsigned comando, std::uintptr_t datos) {
    recibidas.push_back({llamante, archivo ? std::optional<std::string>(archivo) : std::nullopt,
                         comando, comando == kDisplayIndex ? 0 : datos,
                         comando == kDisplayIndex ? reinterpret_cast<const char*>(datos) : ""});
    return 0;
}

FuncionBiblioteca Grabadora() {
    return reinterpret_cast<FuncionBiblioteca>(&HtmlHelpGrabadora);
}

std::size_t Veces(const SistemaConFallos& so, Operacion op, const std::string& nombre) {
    const auto& ll = so.Llamadas();
    return static_cast<std::size_t>(std::count_if(ll.begin(), ll.end(), [&](const auto& l) {
        return l.operacion == op && l.ruta == nombre;
    }));
}

// First in the program, so that what is registered here is what the program
// registered at load, whether the tests run one per process or all in one.
TEST(ControlHtmlHelp, ElProgramaCargaElControlRealAlArrancar) {
    if (!kEsWindows)
        GTEST_SKIP() << "the HTML Help control is a Windows library; on Linux the "
                        "window registers its own viewer";
    auto* visor = TQuenHtmlHelpViewer::Instancia();
    ASSERT_NE(visor, nullptr);
    EXPECT_EQ(visor->Id(), 2);  // right after the WinHelp viewer, before any main code
    EXPECT_TRUE(visor->TieneEntrada());
    EXPECT_EQ(SistemaAyuda().Visores(), 2u);

    Biblioteca hhctrl;
    ASSERT_EQ(hhctrl.Cargar("HHCtrl.ocx"), 0);
    EXPECT_NE(hhctrl.Funcion("HtmlHelpA"), nullptr);
    EXPECT_EQ(hhctrl.Funcion("NoEsUnaFuncion"), nullptr);
    Biblioteca ninguna;
    EXPECT_NE(ninguna.Cargar("NoHay-brisolt.ocx"), 0);
    EXPECT_FALSE(ninguna.Cargada());

    // One real call through the entry point: closing all help windows, of
    // which there are none.
    visor->SoftShutDown();
}

// The program's viewer made anew over a made-up "HHCtrl.ocx" whose
// "HtmlHelpA" records: F1 and the help button of the window, as it sends them,
// reach the control with the program folder's GESCEN.chm.
TEST(ControlHtmlHelp, F1YElBotonDeAyudaLleganAlControl) {
    recibidas.clear();
    prueba::SinAyudaDelPrograma apartada;
    SistemaConFallos so;
    so.FingirBiblioteca("HHCtrl.ocx", {{"HtmlHelpA", Grabadora()}});
    RegistrarAyudaDelPrograma([] { return CargarControlHtmlHelp(); });
    ASSERT_NE(TQuenHtmlHelpViewer::Instancia(), nullptr);
    EXPECT_TRUE(TQuenHtmlHelpViewer::Instancia()->TieneEntrada());
    EXPECT_EQ(Veces(so, Operacion::CargarBiblioteca, "HHCtrl.ocx"), 1u);

    SistemaAyuda().FijarArchivoAplicacion("GESCEN.chm");
    EXPECT_TRUE(SistemaAyuda().HelpCommand(0xA01F2, GestorAyuda::kHelpContext, 1));
    EXPECT_TRUE(SistemaAyuda().HelpCommand(0xA01F2, GestorAyuda::kHelpContents, 0));
    const std::string gescen = CarpetaPrograma() + SeparadorRuta() + "GESCEN.chm";
    EXPECT_EQ(recibidas,
              (std::vector<Llamada>{{0xA01F2, gescen, 15, 1, {}}, {0xA01F2, gescen, 1, 0, {}}}));

    // Letting the viewer go unloads the library, once.
    QuitarAyudaDelPrograma();
    EXPECT_EQ(TQuenHtmlHelpViewer::Instancia(), nullptr);
    EXPECT_EQ(Veces(so, Operacion::LiberarBiblioteca, "HHCtrl.ocx"), 1u);
}

// A missing library or function: the viewer is there, takes the request, and
// nothing reaches any control; a library without the function is let go at once.
TEST(ControlHtmlHelp, SinBibliotecaOSinFuncionNadaOcurre) {
    struct Caso {
        const char* que;
        std::string biblioteca, funcion;
    } casos[] = {
        {"no library", "NoHay.ocx", "HtmlHelpA"},
        {"no function", "HHCtrl.ocx", "HtmlHelpW"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        recibidas.clear();
        prueba::SinAyudaDelPrograma apartada;
        SistemaConFallos so;
        so.FingirBiblioteca("HHCtrl.ocx", {{"HtmlHelpA", Grabadora()}});
        SistemaConFallos::Fallo noEsta;
        noEsta.operacion = Operacion::CargarBiblioteca;
        noEsta.ruta = "NoHay.ocx";
        noEsta.codigo = codigo_es::kNoEncontrado;
        so.Programar(noEsta);
        RegistrarAyudaDelPrograma([&] { return CargarControlHtmlHelp(c.biblioteca, c.funcion); });
        EXPECT_FALSE(TQuenHtmlHelpViewer::Instancia()->TieneEntrada());
        SistemaAyuda().FijarArchivoAplicacion("GESCEN.chm");
        EXPECT_TRUE(SistemaAyuda().HelpCommand(0x9, GestorAyuda::kHelpContext, 1));
        EXPECT_TRUE(SistemaAyuda().HelpCommand(0x9, GestorAyuda::kHelpContents, 0));
        EXPECT_TRUE(recibidas.empty());
        EXPECT_EQ(Veces(so, Operacion::LiberarBiblioteca, "HHCtrl.ocx"),
                  c.biblioteca == "HHCtrl.ocx" ? 1u : 0u);
        QuitarAyudaDelPrograma();
    }
}

}  // namespace
}  // namespace brisolt
