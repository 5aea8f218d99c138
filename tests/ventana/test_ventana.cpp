// The main window on the offscreen platform: its controls, tab order, call
// modes, help, folder and drive lists and the completion status on close.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "apoyo.h"
#include "help/grabadora.h"
#include "help/sistema.h"
#include "shell/ventana/exportar_datos.h"
#include "shell/ventana/listas.h"
#include "shell/ventana/panel.h"
#include "tables/carpetas.h"

namespace brisolt::prueba {
namespace {

namespace fs = std::filesystem;
using ventana::TExportarDatos;

enum Color { kSinColor, kRojo, kAzul };

struct Control {
    const char* nombre;
    const char* panel;
    const char* clase;
    QRect sitio;  // width 0: a label that sizes itself; only its place is given
    const char* texto;
    bool negrita;
    Color color;
};

const Control kControles[] = {
    {"Label1",
     "Draw3D1",
     "QLabel",
     {14, 3, 0, 0},
     "Carpeta en la que se encuentran los datos de GC",
     false,
     kAzul},
    {"EdNuevoDir", "Draw3D1", "QLineEdit", {14, 18, 220, 22}, nullptr, true, kSinColor},
    {"ListaDirectorios",
     "Draw3D1",
     "brisolt::ventana::TListaDirectorios",
     {14, 41, 220, 83},
     nullptr,
     true,
     kSinColor},
    {"ListaUnidades",
     "Draw3D1",
     "brisolt::ventana::TListaUnidades",
     {13, 125, 222, 20},
     nullptr,
     true,
     kSinColor},
    {"Label2", "Draw3D1", "QLabel", {303, 3, 0, 0}, "Código del centro", false, kAzul},
    {"CBCentro", "Draw3D1", "QComboBox", {304, 17, 145, 21}, nullptr, false, kSinColor},
    {"BClose", "Draw3D1", "QPushButton", {304, 51, 89, 25}, "&Salir", false, kSinColor},
    {"Button1", "Draw3D1", "QPushButton", {310, 81, 75, 21}, "F1 AYUDA", false, kSinColor},
    {"Label7", "Draw3D1", "QLabel", {301, 130, 293, 14}, nullptr, true, kRojo},
    {"Label8",
     "Draw3D2",
     "QLabel",
     {23, 3, 257, 34},
     "UTILIDAD TRANSFERENCIA DE DATOS                GESCEN<->ZENTARO",
     true,
     kAzul},
    {"Label3",
     "Draw3D2",
     "QLabel",
     {2, 34, 296, 36},
     "Exportar datos desde GC hacia Zentaro (Generador de horarios y organizador de grupos)",
     true,
     kSinColor},
    {"Label9", "Draw3D2", "QLabel", {6, 71, 0, 0}, "Recoger Textos Asignaturas en:", true, kRojo},
    {"ComboBoxValCast", "Draw3D2", "QComboBox", {193, 66, 93, 21}, "VALENCIÁ", true, kSinColor},
    {"BExportar", "Draw3D2", "QPushButton", {71, 90, 89, 25}, "Aceptar", false, kSinColor},
    {"Label4",
     "Draw3D3",
     "QLabel",
     {6, 0, 281, 25},
     "Importar datos desde Zentaro (hacia GC)",
     true,
     kSinColor},
    {"Label5",
     "Draw3D3",
     "QLabel",
     {9, 17, 275, 48},
     "ATENCIÓN. Debería efectuar una copia de seguridad de los datos de GC, antes de lanzar "
     "este proceso.",
     true,
     kRojo},
    {"BImportar", "Draw3D3", "QPushButton", {92, 57, 89, 25}, "Aceptar", false, kSinColor},
    {"Label6",
     "Draw3D3",
     "QLabel",
     {9, 86, 281, 65},
     "ATENCIÓN. Es necesario reorganizar los archivos de GC después de efectuar este proceso.",
     true,
     kRojo},
};

QString Texto(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    return {};
}

template <class T = QWidget>
T* Hijo(QWidget& ventana, const char* nombre) {
    auto* w = ventana.findChild<T*>(nombre);
    EXPECT_NE(w, nullptr) << nombre;
    return w;
}

std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

class Ventana : public ::testing::Test {
  protected:
    UnidadVentana unidad;
    Contestador contestador;
};

TEST_F(Ventana, EveryControlHasItsKindPlaceTextAndLook) {
    TExportarDatos ventana({});
    ventana.show();
    EXPECT_EQ(ventana.windowTitle(), "Exportar e importar datos ");
    EXPECT_EQ(ventana.size(), QSize(599, 267));
    EXPECT_EQ(ventana.minimumSize(), ventana.maximumSize());
    for (const Control& c : kControles) {
        SCOPED_TRACE(c.nombre);
        QWidget* w = Hijo(ventana, c.nombre);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget()->objectName(), c.panel);
        EXPECT_TRUE(w->inherits(c.clase)) << w->metaObject()->className();
        if (c.sitio.width() == 0)
            EXPECT_EQ(w->pos(), c.sitio.topLeft());
        else
            EXPECT_EQ(w->geometry(), c.sitio);
        if (c.texto) {
            EXPECT_EQ(Texto(w), QString::fromUtf8(c.texto));
        }
        EXPECT_EQ(w->font().bold(), c.negrita);
        const QColor color = w->palette().color(QPalette::WindowText);
        if (c.color != kSinColor) {
            EXPECT_EQ(color, c.color == kRojo ? QColor(255, 0, 0) : QColor(0, 0, 255));
        }
        EXPECT_TRUE(w->isEnabled());
    }
    const QString producto = Hijo<QLabel>(ventana, "Label7")->text();
    EXPECT_TRUE(producto.startsWith("Brisolt " BRISOLT_VERSION_PRUEBA)) << producto.toStdString();
    EXPECT_TRUE(producto.contains("Hecho por el equipo de Brisolt.")) << producto.toStdString();

    auto* idioma = Hijo<QComboBox>(ventana, "ComboBoxValCast");
    EXPECT_TRUE(idioma->isEditable());
    ASSERT_EQ(idioma->count(), 2);
    EXPECT_EQ(idioma->itemText(0), "VALENCIÁ");
    EXPECT_EQ(idioma->itemText(1), "CASTELLANO");
    EXPECT_FALSE(Hijo<QComboBox>(ventana, "CBCentro")->isEditable());
    for (const char* ok : {"BExportar", "BImportar"})
        EXPECT_FALSE(Hijo<QPushButton>(ventana, ok)->icon().isNull()) << ok;

    EXPECT_TRUE(contestador.cajas.empty());
}

// The columns a text's ink spans in a line edit, unclipped or not.
int AnchoTinta(QLineEdit& campo) {
    const QImage imagen = campo.grab().toImage();
    int primera = -1, ultima = -1;
    for (int x = 0; x < imagen.width(); ++x)
        for (int y = 0; y < imagen.height(); ++y)
            if (qGray(imagen.pixel(x, y)) < 160) {
                if (primera < 0) primera = x;
                ultima = x;
                break;
            }
    return primera < 0 ? 0 : ultima - primera + 1;
}

TEST_F(Ventana, EveryTextReadsWholeAtItsPlace) {
    for (const std::vector<std::string>& modo :
         {std::vector<std::string>{}, {"exportar", "0"}, {"importar", "0"}}) {
        SCOPED_TRACE(modo.empty() ? "(none)" : modo[0]);
        TExportarDatos ventana(modo);
        ventana.show();
        ComprobarTextosEnteros(ventana);
    }

    TExportarDatos ventana({});
    ventana.show();
    auto* idioma = Hijo<QComboBox>(ventana, "ComboBoxValCast");
    QLineEdit* campo = idioma->lineEdit();
    // "CASTELLANO" whole in the language box: as much ink as in a field wide
    // enough for anything, so nothing is scrolled away or hidden by the arrow.
    QLineEdit patron;
    patron.setFont(campo->font());
    patron.setFrame(false);
    patron.resize(400, campo->height());
    for (const QString& texto : {QString("CASTELLANO"), QString::fromUtf8("VALENCIÁ")}) {
        SCOPED_TRACE(texto.toStdString());
        idioma->setEditText(texto);
        patron.setText(texto);
        EXPECT_EQ(AnchoTinta(*campo), AnchoTinta(patron));
        idioma->grab().save(QString::fromStdString(CarpetaArtefactos() + "/idioma_" +
                                                   texto.left(3).toStdString() + ".png"));
    }
    idioma->setEditText(QString::fromUtf8("VALENCIÁ"));
    ventana.grab().save(QString::fromStdString(CarpetaArtefactos() + "/ventana.png"));

    // The list rows leave the accents their room.
    idioma->showPopup();
    QAbstractItemView* lista = idioma->view();
    ASSERT_TRUE(lista->isVisible());
    const QFontMetrics medida(lista->font());
    for (int fila = 0; fila < idioma->count(); ++fila) {
        const QRect celda = lista->visualRect(idioma->model()->index(fila, 0));
        EXPECT_GE(celda.height(),
                  -medida.tightBoundingRect(QString::fromUtf8("Á")).top() + medida.descent() + 2)
            << fila;
    }
    lista->window()->grab().save(
        QString::fromStdString(CarpetaArtefactos() + "/ventana_lista_idioma.png"));
    idioma->hidePopup();
    EXPECT_TRUE(contestador.cajas.empty());
}

TEST_F(Ventana, TabGoesThroughFolderExportAndImportPanelsInOrder) {
    TExportarDatos ventana({});
    ventana.show();
    QWidget* inicio = Hijo(ventana, "EdNuevoDir");
    QStringList orden;
    QWidget* w = inicio;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && !w->objectName().isEmpty() &&
            w->window() == &ventana)
            orden << w->objectName();
        w = w->nextInFocusChain();
    } while (w != inicio);
    EXPECT_EQ(orden,
              QStringList({"EdNuevoDir", "ListaDirectorios", "ListaUnidades", "CBCentro", "BClose",
                           "Button1", "BExportar", "ComboBoxValCast", "BImportar"}));
}

struct Modo {
    std::vector<std::string> parametros;
    bool incrustada, exportar, importar;
};

TEST_F(Ventana, TheModeWordDecidesWhichPanelsShow) {
    const Modo kModos[] = {
        {{}, false, true, true},
        {{"exportar"}, false, true, true},
        {{"exportar", "0", "x"}, false, true, true},
        {{"exportar", "0"}, true, true, false},
        {{"IMPORTAR", "00000000"}, true, false, true},
        {{"otra", "0"}, true, true, true},
    };
    for (const Modo& m : kModos) {
        SCOPED_TRACE(m.parametros.empty() ? "(none)" : m.parametros[0]);
        TExportarDatos ventana(m.parametros);
        ventana.show();
        EXPECT_EQ(ventana.EstadoVentana().ModoLlamada, m.incrustada ? 2 : 0);
        EXPECT_EQ(bool(ventana.windowFlags() & Qt::FramelessWindowHint), m.incrustada);
        if (m.incrustada) {
            EXPECT_EQ(ventana.pos(), QPoint(2, 2));
        }
        auto* exportar = Hijo(ventana, "Draw3D2");
        auto* importar = Hijo(ventana, "Draw3D3");
        EXPECT_EQ(Hijo(ventana, "Draw3D1")->geometry(), QRect(0, 117, 599, 150));
        EXPECT_EQ(exportar->isVisible(), m.exportar);
        EXPECT_EQ(importar->isVisible(), m.importar);
        if (m.exportar && m.importar) {
            EXPECT_EQ(exportar->geometry(), QRect(0, 0, 299, 117));
            EXPECT_EQ(importar->geometry(), QRect(299, 0, 300, 117));
        } else {
            EXPECT_EQ((m.exportar ? exportar : importar)->geometry(), QRect(0, 0, 599, 117));
        }
    }
    EXPECT_TRUE(contestador.cajas.empty());
}

TEST_F(Ventana, StartUpStagesFromTheSchoolFolderAndListsTheCentres) {
    TExportarDatos ventana({});
    const std::string gc = RutaNativa("C:\\GC");
    // Shown as the person knows it from the two Windows programs.
    EXPECT_EQ(Hijo<QLineEdit>(ventana, "EdNuevoDir")->text(), "C:\\GC");
    EXPECT_EQ(Hijo<ventana::TListaDirectorios>(ventana, "ListaDirectorios")->Carpeta(), gc);
    auto* centros = Hijo<QComboBox>(ventana, "CBCentro");
    ASSERT_GT(centros->count(), 0);
    EXPECT_EQ(centros->currentIndex(), 0);
    EXPECT_TRUE(fs::exists(unidad / "ZTEMP/VALENCIA/centro.dbf"));
    EXPECT_TRUE(contestador.cajas.empty());
}

// Errors end in the error box: title, stop icon, one button, the full stop.
TEST_F(Ventana, AHandleThatIsNoNumberLeavesTheWindowStandAlone) {
    TExportarDatos ventana({"exportar", "0x1F"});
    ASSERT_EQ(contestador.cajas.size(), 1u);
    const Caja& caja = contestador.cajas[0];
    EXPECT_EQ(caja.titulo, "Brisolt");
    EXPECT_EQ(caja.icono, QMessageBox::Critical);
    EXPECT_EQ(caja.botones.size(), 1);
    EXPECT_EQ(caja.texto, "'$0x1F' no es un valor entero válido.");
    EXPECT_EQ(ventana.EstadoVentana().ModoLlamada, 0);
    EXPECT_FALSE(ventana.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(Hijo<QLineEdit>(ventana, "EdNuevoDir")->text().isEmpty());
    EXPECT_EQ(Hijo<QComboBox>(ventana, "CBCentro")->count(), 0);
}

TEST_F(Ventana, WithoutTheSchoolFolderStartUpStopsWithTheFileError) {
    fs::remove_all(unidad / "GC");
    TExportarDatos ventana({});
    ASSERT_EQ(contestador.cajas.size(), 1u);
    EXPECT_EQ(contestador.cajas[0].texto, "No se encuentra el archivo.");
    EXPECT_EQ(Hijo<QComboBox>(ventana, "CBCentro")->count(), 0);
}

TEST_F(Ventana, TheFolderListMovesTheSchoolFolderAndReportsWhatCannotBeEntered) {
    fs::create_directories(unidad / "GC/otra");
    fs::create_directories(unidad / "GC/perdida");
    TExportarDatos ventana({});
    ventana.show();
    auto* lista = Hijo<ventana::TListaDirectorios>(ventana, "ListaDirectorios");
    auto item = [&](const std::string& ruta) -> QListWidgetItem* {
        for (int i = 0; i < lista->count(); ++i)
            if (ventana::TListaDirectorios::RutaDe(lista->item(i)) == ruta) return lista->item(i);
        ADD_FAILURE() << "no item " << ruta;
        return nullptr;
    };
    const std::string gc = RutaNativa("C:\\GC");
    // The parents from the drive down come first, spelt as on drive C:; the
    // subfolders after the folder.
    auto texto = [&](int i) { return lista->item(i)->text().trimmed(); };
    EXPECT_EQ(ventana::TListaDirectorios::RutaDe(lista->item(0)), unidad.Raiz());
    EXPECT_EQ(texto(0), "C:\\");
    EXPECT_EQ(ventana::TListaDirectorios::RutaDe(lista->item(1)), gc);
    EXPECT_EQ(texto(1), "GC");
    EXPECT_EQ(texto(2), "otra");

    QListWidgetItem* otra = item(gc + "/otra");
    ASSERT_NE(otra, nullptr);
    emit lista->itemActivated(otra);
    EXPECT_EQ(lista->Carpeta(), gc + "/otra");
    EXPECT_EQ(fs::current_path().string(), gc + "/otra");
    EXPECT_EQ(Hijo<QLineEdit>(ventana, "EdNuevoDir")->text(), "C:\\GC\\otra");
    EXPECT_EQ(ventana.EstadoVentana().carpetaGC, gc + "/otra");
    // Staging from a folder without tables leaves none.
    EXPECT_FALSE(fs::exists(unidad / "ZTEMP/VALENCIA/centro.dbf"));
    EXPECT_TRUE(contestador.cajas.empty());

    // A folder gone since the list was read.
    emit lista->itemActivated(item(gc));
    fs::remove_all(gc + "/perdida");
    emit lista->itemActivated(item(gc + "/perdida"));
    ASSERT_EQ(contestador.cajas.size(), 1u);
    EXPECT_EQ(contestador.cajas[0].texto, "No se encuentra el archivo.");
    EXPECT_EQ(lista->Carpeta(), gc);
    // The centre list was filled once, at start-up.
    EXPECT_GT(Hijo<QComboBox>(ventana, "CBCentro")->count(), 0);
}

TEST_F(Ventana, TheDriveListLeadsToEachDrivesLastFolder) {
    fs::create_directories(unidad / "dosdevices");
    fs::create_directories(unidad / "disco_d");
    fs::create_symlink(unidad / "disco_d", unidad / "dosdevices/d:");
    const std::string c = unidad / "drive_c";
    fs::create_directories(c + "/ZTEMP/VALENCIA");
    fs::rename(unidad / "GC", c + "/GC");
    ::setenv("BRISOLT_DRIVE_C", c.c_str(), 1);

    const auto unidades = ventana::Unidades();
    ASSERT_GE(unidades.size(), 3u);
    EXPECT_EQ(unidades[0].raiz, fs::canonical(c).string());
    EXPECT_EQ(unidades[0].nombre, "c: [" + c + "]");
    EXPECT_EQ(unidades[1].raiz, fs::canonical(unidad / "disco_d").string());
    EXPECT_EQ(unidades.back().raiz, "/");

    TExportarDatos ventana({});
    ventana.show();
    auto* lista = Hijo<ventana::TListaDirectorios>(ventana, "ListaDirectorios");
    auto* disco = Hijo<ventana::TListaUnidades>(ventana, "ListaUnidades");
    EXPECT_EQ(disco->currentIndex(), 0);
    emit disco->activated(1);
    EXPECT_EQ(lista->Carpeta(), unidades[1].raiz);
    EXPECT_EQ(disco->currentIndex(), 1);
    // Off drive C: the folder keeps its own spelling, from the root.
    EXPECT_EQ(Hijo<QLineEdit>(ventana, "EdNuevoDir")->text().toStdString(), unidades[1].raiz);
    EXPECT_EQ(ventana::TListaDirectorios::RutaDe(lista->item(0)), "/");
    emit disco->activated(0);
    EXPECT_EQ(lista->Carpeta(), RutaNativa("C:\\GC"));
    EXPECT_TRUE(contestador.cajas.empty());
}

// Enter presses the export's "Aceptar" from anywhere in the window; the
// import's only from its own button, or when its panel is the only one. The
// folder field and the folder list keep Enter to themselves, and Escape
// closes nothing.
TEST_F(Ventana, EnterStartsTheExportAndTheImportOnlyFromItsOwnButton) {
    const QString avisoExportar =
        "La duración de este Proceso será más larga, en función de la cantidad de datos que "
        "tengamos en nuestra Gestión de Centros.";
    const QString avisoImportar =
        "La duración de este Proceso será más larga, en función de la cantidad de datos que "
        "tengamos en nuestro Horario.";
    fs::create_directories(unidad / "GC/otra");
    fs::create_directories(unidad / "programa");
    const std::string gc = RutaNativa("C:\\GC");
    TExportarDatos ventana({});
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    auto intro = [&](const char* nombre) {
        // A message box of the command before may have taken the activation.
        ventana.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
        Hijo(ventana, nombre)->setFocus();
        PulsarTecla(Qt::Key_Return);
    };
    auto primera = [&] {
        return contestador.cajas.empty() ? QString() : contestador.cajas[0].texto;
    };

    // At start the folder field has the focus: Enter, Enter, Escape do nothing.
    EXPECT_EQ(QApplication::focusWidget(), Hijo(ventana, "EdNuevoDir"));
    PulsarTecla(Qt::Key_Return);
    PulsarTecla(Qt::Key_Return);
    PulsarTecla(Qt::Key_Escape);
    EXPECT_TRUE(ventana.isVisible());
    EXPECT_TRUE(contestador.cajas.empty());

    // The folder list opens the folder under its cursor, and only that.
    auto* lista = Hijo<ventana::TListaDirectorios>(ventana, "ListaDirectorios");
    auto ir = [&](const std::string& ruta) {
        for (int i = 0; i < lista->count(); ++i)
            if (ventana::TListaDirectorios::RutaDe(lista->item(i)) == ruta) lista->setCurrentRow(i);
        intro("ListaDirectorios");
        EXPECT_EQ(lista->Carpeta(), ruta);
    };
    ir(gc + "/otra");
    ir(gc);
    EXPECT_TRUE(contestador.cajas.empty());

    // The import's own button starts it (it stops at once: no solution yet).
    intro("BImportar");
    EXPECT_EQ(primera(), avisoImportar);
    contestador.cajas.clear();

    // Elsewhere, the language box included, Enter is the export.
    intro("ComboBoxValCast");
    ASSERT_EQ(primera(), avisoExportar);
    EXPECT_EQ(contestador.cajas.back().texto, "Proceso finalizado");
    contestador.cajas.clear();

    // With the import panel alone, Enter is the import's from anywhere.
    TExportarDatos incrustada({"importar", "0"});
    incrustada.FijarRutaEjecutable(unidad / "programa/brisolt");
    incrustada.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&incrustada));
    Hijo(incrustada, "CBCentro")->setFocus();
    PulsarTecla(Qt::Key_Return);
    EXPECT_EQ(primera(), avisoImportar);
}

TEST_F(Ventana, HelpButtonShowsTheContentsAndF1TheFocusedControlsContext) {
    Grabadora grabadora;
    const RegistroQuenHtmlHelp registro(SistemaAyuda(), WinHelpViewer(), grabadora.Cargador(),
                                        "/programa");
    TExportarDatos ventana({});
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    const auto id = static_cast<VentanaId>(ventana.winId());

    QTest::mouseClick(Hijo<QPushButton>(ventana, "Button1"), Qt::LeftButton);
    Hijo(ventana, "CBCentro")->setFocus();
    QTest::keyClick(&ventana, Qt::Key_F1);
    const std::vector<Llamada> esperadas = {
        {id, "/programa/GESCEN.chm", kDisplayToc, 0, {}},
        {id, "/programa/GESCEN.chm", kHelpContext, 1, {}},
    };
    EXPECT_EQ(grabadora.llamadas, esperadas);

    // Controls without a context of their own defer to their containers.
    struct Caso {
        const char* nombre;
        int propio, efectivo;
    };
    for (const Caso& c : {Caso{"Label4", 0, 1}, Caso{"Draw3D3", 0, 1}, Caso{"Label6", 1, 1},
                          Caso{"Label1", 0, 1}, Caso{"Draw3D2", 1, 1}, Caso{"BImportar", 1, 1}}) {
        QWidget* w = Hijo(ventana, c.nombre);
        EXPECT_EQ(ventana::ContextoAyudaPropio(w), c.propio) << c.nombre;
        EXPECT_EQ(ventana::ContextoAyudaEfectivo(w), c.efectivo) << c.nombre;
    }
}

TEST_F(Ventana, ClosingWritesTheStatusOnlyWhenEmbedded) {
    const std::string programa = unidad / "programa/brisolt";
    fs::create_directories(unidad / "programa");
    {
        TExportarDatos ventana({});
        ventana.FijarRutaEjecutable(programa);
        ventana.show();
        QTest::mouseClick(Hijo<QPushButton>(ventana, "BClose"), Qt::LeftButton);
        EXPECT_FALSE(ventana.isVisible());
    }
    EXPECT_FALSE(fs::exists(unidad / "programa/Zentaro.ini"));
    {
        TExportarDatos ventana({"exportar", "0"});
        ventana.FijarRutaEjecutable(programa);
        ventana.show();
        ventana.close();
        EXPECT_FALSE(ventana.isVisible());
    }
    EXPECT_EQ(Leer(unidad / "programa/Zentaro.ini"), "[Transformadores]\r\nTransformado=0\r\n");
    EXPECT_TRUE(contestador.cajas.empty());

    // An INI that cannot be written keeps the window open.
    fs::remove(unidad / "programa/Zentaro.ini");
    fs::create_directories(unidad / "programa/Zentaro.ini");
    TExportarDatos ventana({"importar", "0"});
    ventana.FijarRutaEjecutable(programa);
    ventana.show();
    ventana.close();
    EXPECT_TRUE(ventana.isVisible());
    ASSERT_EQ(contestador.cajas.size(), 1u);
    EXPECT_EQ(contestador.cajas[0].texto.toStdString(),
              "Unable to write to " + (unidad / "programa/Zentaro.ini") + ".");
    EXPECT_EQ(contestador.cajas[0].icono, QMessageBox::Critical);
}

}  // namespace
}  // namespace brisolt::prueba
