// The two commands driven through the window's buttons, with every box and
// both check dialogs answered by the test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

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

// Records the steps as they are announced, and what the window showed then:
// the text over the bar, the bar, the cursor, and whether the bar had been
// painted since the step before (the window repaints while the command runs).
class VentanaGrabada : public TExportarDatos {
  public:
    explicit VentanaGrabada(const std::vector<std::string>& parametros)
        : TExportarDatos(parametros) {
        findChild<QProgressBar*>("BarraPaso")->installEventFilter(this);
    }
    void Paso(const std::string& texto, int numero, int pasos) override {
        pintadas_ = 0;
        TExportarDatos::Paso(texto, numero, pasos);
        ComprobarTextosEnteros(*this);  // the step's words too
        auto* barra = findChild<QProgressBar*>("BarraPaso");
        vistos.push_back({texto, findChild<QLabel*>("LabelPaso")->text().toStdString(),
                          barra->value(), barra->maximum(), barra->isVisible(), pintadas_ > 0,
                          QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                         : Qt::ArrowCursor});
    }
    void Avance(const std::string& texto, int hecho, int total) override {
        TExportarDatos::Avance(texto, hecho, total);
        avances.push_back(findChild<QLabel*>("LabelPaso")->text().toStdString());
        if (!captura.empty() && 2 * hecho >= total) {
            grab().save(QString::fromStdString(captura));
            captura.clear();
        }
    }
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Paint) ++pintadas_;
        return TExportarDatos::eventFilter(objeto, evento);
    }
    struct Visto {
        std::string paso, texto;
        int valor, maximo;
        bool visible, pintada;
        Qt::CursorShape cursor;
    };
    std::vector<Visto> vistos;
    std::vector<std::string> avances;  // the text over the bar, each time
    std::string captura;               // a picture of the window half-way, here

  private:
    int pintadas_ = 0;
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
    ASSERT_EQ(ventana.vistos.size(), 7u);
    EXPECT_EQ(ventana.vistos[3].paso, "Exportando alumnos (4 de 7)");
    for (std::size_t i = 0; i < ventana.vistos.size(); ++i) {
        const VentanaGrabada::Visto& v = ventana.vistos[i];
        SCOPED_TRACE(v.paso);
        EXPECT_EQ(v.texto, v.paso);
        EXPECT_EQ(v.valor, static_cast<int>(i) + 1);
        EXPECT_EQ(v.maximo, 7);
        EXPECT_TRUE(v.visible);
        EXPECT_TRUE(v.pintada);
        EXPECT_EQ(v.cursor, Qt::WaitCursor);
    }
    // At rest the window shows neither.
    EXPECT_FALSE(ventana.findChild<QProgressBar*>("BarraPaso")->isVisible());
    EXPECT_FALSE(ventana.findChild<QLabel*>("LabelPaso")->isVisible());
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
        void Paso(const std::string& texto, int numero, int total) override {
            TExportarDatos::Paso(texto, numero, total);
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

std::set<std::string> ProfesoresConSesiones(const std::string& soluc) {
    Tabla t;
    t.SetTableName(soluc);
    t.Open();
    std::set<std::string> abrevs;
    for (t.First(); !t.Eof(); t.Next())
        if (t.FieldByName("DIA").AsInteger() != 0) abrevs.insert(t.FieldByName("PROF").AsString());
    return abrevs;
}

// As a person leaves the two dialogs: the last DNI typed and "Salir" pressed
// with the editor still open, a time typed and the dialog closed by its close
// box. Both reach the school's timetables, and the window tells the sessions
// done meanwhile.
TEST_F(Comandos, WhatIsTypedLastInEachDialogReachesTheSchoolsTimetables) {
    {
        TExportarDatos exportacion({});
        exportacion.show();
        QTest::mouseClick(Boton(exportacion, "BExportar"), Qt::LeftButton);
        ASSERT_EQ(contestador.cajas.size(), 2u);
    }
    GenerarSolucion(unidad / "ZTEMP");
    const std::set<std::string> conSesiones = ProfesoresConSesiones(unidad / "ZTEMP/SOLUC.DBF");
    contestador.cajas.clear();
    VentanaGrabada ventana(std::vector<std::string>{});
    ventana.captura = CarpetaArtefactos() + "/ventana_importando.png";
    ventana.show();

    int primeraSinDni = -1, filaInicial = -1;
    std::string tecleadoUltimo;
    contestador.pasos.push_back([&](QDialog& d) {
        ASSERT_EQ(d.objectName(), "ControlProfesores");
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        auto* r = d.findChild<ventana::TRejillaDatos*>();
        ventana::ModeloTabla& m = r->Modelo();
        filaInicial = r->currentIndex().row();
        int ultima = -1, dni = 90000001;
        for (int f = 0; f < m.rowCount(); ++f) {
            if (m.index(f, 3).data().toInt() != 0) continue;
            if (primeraSinDni < 0) primeraSinDni = f;
            const std::string abrev = m.index(f, 0).data().toString().toStdString();
            if (ultima < 0 && conSesiones.count(abrev)) {
                ultima = f;  // typed last, by hand
                tecleadoUltimo = abrev;
                continue;
            }
            m.setData(m.index(f, 3), QString::number(dni++), Qt::EditRole);
        }
        ASSERT_GE(ultima, 0) << "no teacher without a DNI teaches";
        r->setCurrentIndex(m.index(ultima, 3));
        r->setFocus();
        Teclear("77777777");
        ASSERT_NE(r->indexWidget(r->currentIndex()), nullptr);
        QTest::mouseClick(d.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    contestador.pasos.push_back([&](QDialog& d) {
        ASSERT_EQ(d.objectName(), "ControlPlantilla");
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        auto* r = d.findChild<ventana::TRejillaDatos*>();
        r->setCurrentIndex(r->model()->index(0, 1));
        r->setFocus();
        Teclear("07:45");
        ASSERT_NE(r->indexWidget(r->currentIndex()), nullptr);
        d.close();
    });
    QTest::mouseClick(Boton(ventana, "BImportar"), Qt::LeftButton);

    EXPECT_EQ(contestador.dialogos, QStringList({"ControlProfesores", "ControlPlantilla"}));
    EXPECT_EQ(filaInicial, primeraSinDni);
    ASSERT_EQ(Textos(contestador).back(), "Proceso finalizado")
        << Textos(contestador).join(" | ").toStdString();

    int filasDelTecleado = 0, primerasHoras = 0;
    Tabla horprof;
    horprof.SetTableName(RutaNativa("C:\\GC\\horprof.dbf"));
    horprof.Open();
    for (horprof.First(); !horprof.Eof(); horprof.Next()) {
        if (horprof.FieldByName("DNI").AsInteger() == 77777777) ++filasDelTecleado;
        if (horprof.FieldByName("NUMHORA").AsInteger() != 1) continue;
        ++primerasHoras;
        EXPECT_EQ(horprof.FieldByName("HORAD").AsString(), "07:45");
    }
    EXPECT_GT(filasDelTecleado, 0) << tecleadoUltimo;
    EXPECT_GT(primerasHoras, 0);

    // The sessions counted while they were written, up to all of them.
    ASSERT_FALSE(ventana.avances.empty());
    const int64_t sesiones = Registros(unidad / "ZTEMP/SOLUC.DBF");
    EXPECT_EQ(ventana.avances.back(), "Importando el horario: " + std::to_string(sesiones) +
                                          " de " + std::to_string(sesiones) + " sesiones");
    EXPECT_TRUE(ventana.captura.empty()) << "no picture half-way";
}

}  // namespace
}  // namespace brisolt::prueba
