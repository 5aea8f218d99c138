// The two commands driven through the window's buttons, with every box and
// both check dialogs answered by the test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "apoyo.h"
#include "generador.h"
#include "shell/ventana/control_rejillas.h"
#include "shell/ventana/exportar_datos.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

namespace brisolt::prueba {
namespace {

namespace fs = std::filesystem;
using ventana::TExportarDatos;

const QString kAviso =
    "La duración de este Proceso será más larga, en función de la cantidad de datos que tengamos "
    "en nuestra Gestión de Centros.";

// Records the steps as they are announced, and what the window showed then.
class VentanaGrabada : public TExportarDatos {
  public:
    using TExportarDatos::TExportarDatos;
    void Paso(const std::string& nombre) override {
        TExportarDatos::Paso(nombre);
        pasos.push_back(nombre);
        textos.push_back(findChild<QLabel*>("LabelPaso")->text());
        cursores.push_back(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                          : Qt::ArrowCursor);
    }
    std::vector<std::string> pasos;
    QStringList textos;
    std::vector<Qt::CursorShape> cursores;
};

QStringList Textos(const Contestador& c) {
    QStringList t;
    for (const Caja& caja : c.cajas) t << caja.texto;
    return t;
}

std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

int64_t Registros(const std::string& ruta) {
    Tabla t;
    t.SetTableName(ruta);
    t.Open();
    return t.RecordCount();
}

const char* const kIntercambio[] = {"ASIGVALT.DBF", "ASIGNOMT.DBF", "PROFT.DBF",
                                    "AULAT.DBF",    "ALUMNOST.DBF", "ASIGCURT.DBF",
                                    "GRUPOST.DBF",  "CURSOST.DBF",  "ASIGT.DBF"};

class Comandos : public ::testing::Test {
  protected:
    void TearDown() override {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    }
    QPushButton* Boton(QWidget& v, const char* nombre) { return v.findChild<QPushButton*>(nombre); }
    UnidadVentana unidad;
    Contestador contestador;
};

TEST_F(Comandos, ExportStandAloneBuildsTheTablesAndDisablesTheButtons) {
    VentanaGrabada ventana(std::vector<std::string>{});
    ventana.show();
    QTest::mouseClick(Boton(ventana, "BExportar"), Qt::LeftButton);

    EXPECT_EQ(Textos(contestador), QStringList({kAviso, "Proceso finalizado"}));
    for (const Caja& c : contestador.cajas) {
        EXPECT_EQ(c.titulo, "Brisolt");
        EXPECT_EQ(c.botones, QStringList({"Aceptar"}));
    }
    for (const char* tabla : kIntercambio)
        EXPECT_TRUE(fs::exists(unidad / ("ZTEMP/" + std::string(tabla)))) << tabla;
    EXPECT_GT(Registros(unidad / "ZTEMP/PROFT.DBF"), 0);
    ASSERT_EQ(ventana.pasos.size(), 7u);
    for (std::size_t i = 0; i < ventana.pasos.size(); ++i) {
        EXPECT_TRUE(
            ventana.textos[static_cast<int>(i)].contains(QString::fromStdString(ventana.pasos[i])));
        EXPECT_EQ(ventana.cursores[i], Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(Boton(ventana, "BExportar")->isEnabled());
    EXPECT_FALSE(Boton(ventana, "BImportar")->isEnabled());
    EXPECT_TRUE(Boton(ventana, "BClose")->isEnabled());
    EXPECT_TRUE(ventana.isVisible());
    EXPECT_EQ(ventana.EstadoVentana().EstadoTransformado, 1);
}

// The close box while the steps run (the window repaints meanwhile, so the
// request arrives): the command goes on to its end and the window stays.
TEST_F(Comandos, ACloseRequestDuringTheExportIsRefused) {
    class CerradaDuranteUnPaso : public TExportarDatos {
      public:
        using TExportarDatos::TExportarDatos;
        void Paso(const std::string& nombre) override {
            TExportarDatos::Paso(nombre);
            if (pasos++ == 2) cerrada = close();
        }
        int pasos = 0;
        bool cerrada = true;
    } ventana(std::vector<std::string>{});
    ventana.show();
    QTest::mouseClick(Boton(ventana, "BExportar"), Qt::LeftButton);
    EXPECT_FALSE(ventana.cerrada);
    EXPECT_EQ(ventana.pasos, 7);
    EXPECT_EQ(Textos(contestador), QStringList({kAviso, "Proceso finalizado"}));
    EXPECT_TRUE(ventana.isVisible());
    EXPECT_TRUE(ventana.close());  // once the command is over, it closes as ever
}

TEST_F(Comandos, ExportEmbeddedClosesTheWindowAndReportsOne) {
    fs::create_directories(unidad / "programa");
    TExportarDatos ventana({"exportar", "0"});
    ventana.FijarRutaEjecutable(unidad / "programa/brisolt");
    ventana.show();
    QTest::mouseClick(Boton(ventana, "BExportar"), Qt::LeftButton);
    EXPECT_FALSE(ventana.isVisible());
    EXPECT_EQ(Leer(unidad / "programa/Zentaro.ini"), "[Transformadores]\r\nTransformado=1\r\n");
}

TEST_F(Comandos, AFailingStepShowsTheErrorAndLeavesTheButtonsAndHourGlass) {
    TExportarDatos ventana({});
    ventana.show();
    fs::remove(unidad / "ZTEMP/VALENCIA/alumnos.dbf");
    QTest::mouseClick(Boton(ventana, "BExportar"), Qt::LeftButton);

    ASSERT_EQ(contestador.cajas.size(), 2u);
    const Caja& error = contestador.cajas[1];
    EXPECT_EQ(error.icono, QMessageBox::Critical);
    EXPECT_EQ(error.titulo, "Brisolt");
    // A message ending in a quote, which sorts before ".", gets no full stop.
    EXPECT_EQ(error.texto.toStdString(), "wwTableAlumnos: No se encuentra la tabla '" +
                                             (unidad / "ZTEMP/VALENCIA/alumnos.dbf") + "'");
    EXPECT_TRUE(fs::exists(unidad / "ZTEMP/AULAT.DBF"));
    EXPECT_FALSE(fs::exists(unidad / "ZTEMP/ASIGT.DBF"));
    EXPECT_TRUE(Boton(ventana, "BExportar")->isEnabled());
    EXPECT_TRUE(Boton(ventana, "BImportar")->isEnabled());
    // The command gives the hour-glass back itself; the stack stays balanced.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ventana.EstadoVentana().EstadoTransformado, 1);
}

// The whole round trip: export, the generator's solution, then the import
// with a DNI typed wrong, then right, and the hour template confirmed.
TEST_F(Comandos, ImportAsksForTheMissingDnisAndTheTemplateAndRewritesTheTimetables) {
    TExportarDatos ventana({});
    ventana.show();
    QTest::mouseClick(Boton(ventana, "BExportar"), Qt::LeftButton);
    ASSERT_EQ(contestador.cajas.size(), 2u);
    GenerarSolucion(unidad / "ZTEMP");
    contestador.cajas.clear();
    // The buttons stay off after a success; a new run of the window starts afresh.
    TExportarDatos segunda({});
    segunda.show();

    int filasSinDni = 0;
    bool editandoTrasError = false;
    auto rejilla = [](QDialog& d) { return d.findChild<ventana::TRejillaDatos*>(); };
    // Into the first empty DNI, a text that is no number; then every DNI, and
    // the navigator's post. (Keys into the grid are covered by the dialog tests.)
    contestador.pasos.push_back([&](QDialog& d) {
        ASSERT_EQ(d.objectName(), "ControlProfesores");
        ventana::ModeloTabla& m = rejilla(d)->Modelo();
        for (int f = 0; f < m.rowCount(); ++f)
            if (m.index(f, 3).data().toString().toInt() == 0) ++filasSinDni;
        for (int f = 0; f < m.rowCount(); ++f)
            if (m.index(f, 3).data().toString().toInt() == 0) {
                m.setData(m.index(f, 3), "12A", Qt::EditRole);
                return;
            }
    });
    contestador.pasos.push_back([&](QDialog& d) {
        ventana::TRejillaDatos* r = rejilla(d);
        ventana::ModeloTabla& m = r->Modelo();
        editandoTrasError = m.Editando();
        int dni = 90000001;
        for (int f = 0; f < m.rowCount(); ++f)
            if (m.index(f, 3).data().toString().toInt() == 0) {
                r->setCurrentIndex(m.index(f, 3));
                m.setData(m.index(f, 3), QString::number(dni++), Qt::EditRole);
            }
        d.findChild<ventana::TNavegador*>()->Boton(7)->click();
        QTest::mouseClick(d.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    QTest::mouseClick(Boton(segunda, "BImportar"), Qt::LeftButton);

    EXPECT_GT(filasSinDni, 0);
    EXPECT_TRUE(editandoTrasError);
    EXPECT_EQ(contestador.dialogos, QStringList({"ControlProfesores", "ControlPlantilla"}));
    const QStringList textos = Textos(contestador);
    ASSERT_EQ(textos.size(), 3) << textos.join(" | ").toStdString();
    EXPECT_EQ(textos[1], "'12A' no es un valor entero válido para el campo 'DNI'");
    EXPECT_EQ(contestador.cajas[1].icono, QMessageBox::Critical);
    EXPECT_EQ(textos[2], "Proceso finalizado");

    Tabla proft;
    proft.SetTableName(unidad / "ZTEMP/PROFT.DBF");
    proft.Open();
    for (proft.First(); !proft.Eof(); proft.Next())
        EXPECT_NE(proft.FieldByName("DNI").AsInteger(), 0) << proft.FieldByName("ABREV").AsString();
    proft.Close();
    EXPECT_GT(Registros(RutaNativa("C:\\GC\\horprof.dbf")), 0);
    EXPECT_FALSE(Boton(segunda, "BImportar")->isEnabled());
    EXPECT_EQ(segunda.EstadoVentana().EstadoTransformado, 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace brisolt::prueba
