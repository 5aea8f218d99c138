#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTabWidget>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ayuda_prueba.h"
#include "help/chm/visor_chm.h"
#include "help/gestor.h"
#include "help/quen_html_help.h"
#include "help/winhelp.h"

extern bool gSinAplicacionSinEntrada;

namespace brisolt::chm {
namespace {

using prueba::Ayuda;

class VisorChmTest : public testing::Test {
  protected:
    void SetUp() override {
        if (Ayuda().chm.empty()) GTEST_FAIL() << "no compiled help file to test with";
        chm_ = Ayuda().chm.string();
    }
    VentanaAyuda* Pedir(const std::string& archivo, unsigned comando, std::uintptr_t datos = 0) {
        visor_.Ejecutar(0, archivo.c_str(), comando, datos);
        const auto ventanas = visor_.Ventanas();
        return ventanas.empty() ? nullptr : ventanas.back();
    }
    std::string chm_;
    VisorChm visor_;
};

TEST_F(VisorChmTest, IndiceDeContenidoConLaPaginaInicial) {
    auto* v = Pedir(chm_, kDisplayToc);
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->windowTitle().toStdString(), "Ayuda de prueba");
    EXPECT_EQ(v->Pestanas()->currentWidget(), v->Contenido());
    auto* arbol = v->Contenido();
    ASSERT_EQ(arbol->topLevelItemCount(), 2);
    EXPECT_EQ(arbol->topLevelItem(0)->text(0).toStdString(), "Introducción");
    ASSERT_EQ(arbol->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(arbol->topLevelItem(0)->child(0)->text(0).toStdString(), "Exportar");
    EXPECT_EQ(arbol->topLevelItem(1)->text(0).toStdString(), "Importar");
    EXPECT_EQ(v->TemaActual().toStdString(), "/intro.htm");
    EXPECT_TRUE(v->TextoPagina().contains("Bienvenida"));
    // Images and links come from inside the file.
    const auto logo =
        v->Pagina()->loadResource(QTextDocument::ImageResource, QUrl("chm:/LOGO.PNG"));
    EXPECT_EQ(logo.toByteArray().toStdString(), Ayuda().logo);
    // Choosing an entry of the tree shows its topic (a backslash path in the .hhc).
    emit arbol->itemClicked(arbol->topLevelItem(1), 0);
    EXPECT_EQ(v->TemaActual().toStdString(), "/sub/importar.htm");
    EXPECT_TRUE(v->TextoPagina().contains("Importar la solución"));
    v->Pagina()->setSource(v->Pagina()->source().resolved(QUrl("../exportar.htm")));
    EXPECT_EQ(v->TemaActual().toStdString(), "/exportar.htm");
}

TEST_F(VisorChmTest, TemasPorSuNombre) {
    struct Caso {
        std::string tema;
        const char* texto;  // expected in the page
        bool encontrado;
    };
    const std::vector<Caso> casos = {
        {"/sub/importar.htm", "Importar la solución", true},
        {"/EXPORTAR.HTM#arriba", "Exportar datos", true},
        {"exportar.htm", "Exportar datos", true},
        {"/nada.htm", "El tema «/nada.htm» no está en el archivo de ayuda.", false},
        {"exportar.htm", "Exportar datos", true},  // the page behind the message again
    };
    for (const auto& c : casos) {
        auto* v = Pedir(chm_ + "::" + c.tema, kDisplayTopic);
        ASSERT_NE(v, nullptr);
        EXPECT_TRUE(v->TextoPagina().contains(QString::fromUtf8(c.texto)))
            << c.tema << ": " << v->TextoPagina().toStdString();
        EXPECT_EQ(v->TemaActual().isEmpty(), !c.encontrado) << c.tema;
    }
    EXPECT_EQ(visor_.Ventanas().size(), 1u);  // one window per help file
}

TEST_F(VisorChmTest, NumerosDeContexto) {
    struct Caso {
        std::uintptr_t contexto;
        const char* tema;
    };
    // chmcmd stores the sources' absolute paths; 99 is not mapped: the start page.
    const std::vector<Caso> casos = {
        {1, "/intro.htm"}, {0x14, "/exportar.htm"}, {48, "/sub/importar.htm"}, {99, "/intro.htm"}};
    for (const auto& c : casos) {
        auto* v = Pedir(chm_, kHelpContext, c.contexto);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->TemaActual().toStdString(), c.tema) << c.contexto;
    }
}

TEST_F(VisorChmTest, IndiceEnLaPalabraOLaMasCercana) {
    struct Caso {
        const char* palabra;
        const char* entrada;
        const char* tema;
    };
    const std::vector<Caso> casos = {
        {"importar", "importar", "/sub/importar.htm"},
        {"EXP", "exportar", "/exportar.htm"},
        {"f", "importar", "/sub/importar.htm"},  // the next one in order
        {"zzz", "profesores", "/intro.htm"},     // past the end: the last one
    };
    for (const auto& c : casos) {
        auto* v = Pedir(chm_, kDisplayIndex, reinterpret_cast<std::uintptr_t>(c.palabra));
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->Pestanas()->currentIndex(), 1);
        EXPECT_EQ(v->Palabra()->text().toStdString(), c.palabra);
        ASSERT_NE(v->Indice()->currentItem(), nullptr);
        EXPECT_EQ(v->Indice()->currentItem()->text().toStdString(), c.entrada) << c.palabra;
        EXPECT_EQ(v->TemaActual().toStdString(), c.tema) << c.palabra;
    }
    EXPECT_EQ(Pedir(chm_, kDisplayIndex, 0)->Indice()->currentRow(), 0);  // no keyword at all
}

TEST_F(VisorChmTest, ArchivoQueFaltaOQueNoEsAyuda) {
    const auto falta = (Ayuda().carpeta / "no" / "GESCEN.chm").string();
    const auto falso = (Ayuda().carpeta / "falso.chm").string();
    std::ofstream(falso) << "no soy un chm";
    struct Caso {
        std::string archivo;
        QString mensaje;
    };
    const std::vector<Caso> casos = {
        {falta, QString("No se encuentra el archivo de ayuda «%1».").arg(falta.c_str())},
        {falso, QString("El archivo «%1» no es un archivo de ayuda compilada o está dañado.")
                    .arg(falso.c_str())},
    };
    for (const auto& c : casos) {
        for (unsigned comando : {kDisplayToc, kDisplayTopic, kDisplayIndex, kHelpContext}) {
            const std::string archivo =
                comando == kDisplayTopic ? c.archivo + "::/intro.htm" : c.archivo;
            auto* v = Pedir(archivo, comando,
                            comando == kDisplayIndex ? reinterpret_cast<std::uintptr_t>("x") : 1);
            ASSERT_NE(v, nullptr);
            EXPECT_TRUE(v->TextoPagina().contains(c.mensaje)) << v->TextoPagina().toStdString();
            EXPECT_EQ(v->Contenido()->topLevelItemCount(), 0);
        }
    }
}

TEST_F(VisorChmTest, CerrarTodasYOrdenesSinArchivo) {
    QPointer<VentanaAyuda> a = Pedir(chm_, kDisplayToc);
    QPointer<VentanaAyuda> b = Pedir((Ayuda().carpeta / "otra.chm").string(), kDisplayToc);
    EXPECT_EQ(visor_.Ventanas().size(), 2u);
    EXPECT_EQ(visor_.Ejecutar(0, nullptr, kDisplayToc, 0), 0u);
    EXPECT_EQ(visor_.Ejecutar(0, chm_.c_str(), 20, 0), 0u);  // unknown commands do nothing
    EXPECT_EQ(visor_.Ventanas().size(), 2u);
    EXPECT_EQ(visor_.Ejecutar(0, nullptr, kCloseAll, 0), 0u);
    EXPECT_TRUE(visor_.Ventanas().empty());
    EXPECT_TRUE(a.isNull());
    EXPECT_TRUE(b.isNull());
}

TEST(CargaDelControl, VaciaSinAplicacion) {
    EXPECT_TRUE(gSinAplicacionSinEntrada);
}

// The whole path: the help system routes the help button and F1 to the viewer,
// whose entry point opens the window; unloading the program closes it.
TEST(CargaDelControl, DesdeElSistemaDeAyuda) {
    ASSERT_FALSE(Ayuda().chm.empty());
    GestorAyuda gestor;
    auto winHelp = std::make_shared<VisorWinHelp>();
    winHelp->FijarGestor(gestor.RegisterViewer(winHelp));
    gestor.FijarArchivoAplicacion("GESCEN.chm");
    auto registro = std::make_unique<RegistroQuenHtmlHelp>(gestor, *winHelp, CargarControlChm,
                                                           Ayuda().carpeta.string());
    ASSERT_TRUE(registro->Visor().TieneEntrada());

    ASSERT_TRUE(gestor.Hook(0, "GESCEN.chm", GestorAyuda::kHelpContents, 0));
    QPointer<VentanaAyuda> ventana;
    for (auto* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<VentanaAyuda*>(w); v && v->isVisible()) ventana = v;
    ASSERT_FALSE(ventana.isNull());
    EXPECT_EQ(ventana->Ruta().toStdString(), Ayuda().chm.string());
    EXPECT_EQ(ventana->TemaActual().toStdString(), "/intro.htm");

    ASSERT_TRUE(gestor.Hook(0, "GESCEN.chm", GestorAyuda::kHelpContext, 0x14));
    EXPECT_EQ(ventana->TemaActual().toStdString(), "/exportar.htm");

    registro.reset();
    EXPECT_TRUE(ventana.isNull());
}

}  // namespace
}  // namespace brisolt::chm
