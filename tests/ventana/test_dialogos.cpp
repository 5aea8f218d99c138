// The two check dialogs over small tables: layout, the grid's columns and
// keys, the navigator, the DNI the field refuses, and the row written when
// the grid loses the focus.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QBrush>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "apoyo.h"
#include "shell/ventana/control_rejillas.h"
#include "tablas_rejilla.h"
#include "tables/tabla.h"

namespace brisolt::prueba {
namespace {

using ventana::TControlPlantilla;
using ventana::TControlProfesores;

using Profesor = ProfesorPrueba;

std::unique_ptr<Tabla> Proft(const std::string& carpeta, std::initializer_list<Profesor> filas) {
    EscribirProft(carpeta, filas);
    return AbrirProft(carpeta);
}

std::unique_ptr<Tabla> Plantilla(const std::string& carpeta) {
    EscribirPlantilla(carpeta, 6, true);
    return AbrirPlantilla(carpeta);
}

struct Pieza {
    const char* nombre;
    QRect sitio;
    const char* texto;
};

void ComprobarPiezas(QDialog& d, std::initializer_list<Pieza> piezas) {
    for (const Pieza& p : piezas) {
        QWidget* w = d.findChild<QWidget*>(p.nombre);
        ASSERT_NE(w, nullptr) << p.nombre;
        EXPECT_EQ(w->parentWidget()->objectName(), "Draw3D1") << p.nombre;
        EXPECT_EQ(w->geometry(), p.sitio) << p.nombre;
        QString texto;
        if (auto* l = qobject_cast<QLabel*>(w)) texto = l->text();
        if (auto* b = qobject_cast<QPushButton*>(w)) texto = b->text();
        EXPECT_EQ(texto, QString::fromUtf8(p.texto ? p.texto : "")) << p.nombre;
    }
}

QStringList Pistas(ventana::TControlRejilla& d) {
    QStringList pistas;
    for (int i = 0; i < ventana::TNavegador::kBotones; ++i)
        pistas << d.Navegador()->Boton(i)->toolTip();
    return pistas;
}

const QStringList kPistas = {"Move to first record",
                             "Move backward 10 records",
                             "Move to prior record",
                             "Move to next record",
                             "Move forward 10 records",
                             "Move to last record",
                             "Edit current record",
                             "Post changes of current record",
                             "Cancel changes made to current record",
                             "Refresh the contents of the dataset"};

QStringList Titulos(ventana::TRejillaDatos& r) {
    QStringList t;
    for (int c = 0; c < r.model()->columnCount(); ++c)
        t << r.model()->headerData(c, Qt::Horizontal).toString();
    return t;
}

class Dialogos : public ::testing::Test {
  protected:
    UnidadVentana unidad{false};
    Contestador contestador;
};

TEST_F(Dialogos, ControlProfesoresLaysOutItsGridNavigatorAndNotes) {
    auto tabla = Proft(unidad.Raiz(), {{"ANA", "ROS, ANA", "VALENCIÀ", 111},
                                       {"JOS", "PÉREZ, JOSÉ", "MATEMÀTIQUES", 0},
                                       {"LUZ", "GIL, LUZ", "HISTÒRIA", 0}});
    TControlProfesores d(*tabla, nullptr);
    d.show();
    EXPECT_EQ(d.windowTitle(), "Control de Profesores");
    EXPECT_EQ(d.size(), QSize(726, 499));
    EXPECT_EQ(d.pos(), QPoint(24, 25));
    ComprobarPiezas(d, {{"Label1", {9, 20, 202, 32}, "CONTROL DEL D.N.I DE LOS PROFESORES"},
                        {"ProftDBGrid", {9, 56, 504, 433}, nullptr},
                        {"wwDBNavigator1", {236, 29, 275, 24}, nullptr},
                        {"Label3", {521, 66, 190, 13}, "INCIDENCIAS EN EL TRASPASO"},
                        {"Label2",
                         {517, 91, 201, 104},
                         "Se ha detectado que existe algún Profesor sin D.N.I. Para poder realizar "
                         "correctamente la integración del Horario en GESCEN, deberán asignarlo en "
                         "esta rejilla. Los Profesores deberán estar creados previamente en "
                         "GESCEN, con los mismos D.N.I's."},
                        {"BitBtn1", {584, 216, 75, 25}, "Salir"}});
    EXPECT_EQ(Pistas(d), kPistas);
    ventana::TRejillaDatos& r = *d.Rejilla();
    EXPECT_EQ(Titulos(r), QStringList({"ABREV", "NOMBRE", "DEPARTAMENTO", "DNI"}));
    EXPECT_EQ(r.model()->index(1, 1).data().toString(), "PÉREZ, JOSÉ");
    EXPECT_EQ(r.model()->index(1, 2).data().toString(), "MATEMÀTIQUES");
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(bool(r.model()->flags(r.model()->index(0, c)) & Qt::ItemIsEditable), c == 3) << c;
    // The cursor starts on the first teacher without a DNI.
    EXPECT_EQ(r.currentIndex(), r.model()->index(1, 3));
    ComprobarTextosEnteros(d);
    d.grab().save(QString::fromStdString(CarpetaArtefactos() + "/control_profesores.png"));
}

TEST_F(Dialogos, ADniThatIsNoNumberIsRefusedAndTheRowStaysInEdit) {
    auto tabla = Proft(unidad.Raiz(),
                       {{"ANA", "ROS, ANA", "VALENCIÀ", 0}, {"JOS", "PÉREZ, JOSÉ", "MATES", 0}});
    TControlProfesores d(*tabla, nullptr);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    ventana::TRejillaDatos& r = *d.Rejilla();
    r.setFocus();
    EXPECT_TRUE(r.Modelo().Editando());  // entering the grid edits the row

    Teclear("12A");
    PulsarTecla(Qt::Key_Return);
    QTRY_COMPARE(int(contestador.cajas.size()), 1);
    EXPECT_EQ(contestador.cajas[0].texto, "'12A' no es un valor entero válido para el campo 'DNI'");
    EXPECT_EQ(contestador.cajas[0].icono, QMessageBox::Critical);
    EXPECT_TRUE(r.Modelo().Editando());
    EXPECT_TRUE(tabla->Editing());

    EXPECT_EQ(r.currentIndex(), r.model()->index(0, 3));

    // Enter wrote the cell and moved on to the next row's DNI, past the fixed columns.
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    r.setFocus();
    r.setCurrentIndex(r.model()->index(0, 3));
    Teclear("123");
    PulsarTecla(Qt::Key_Return);
    EXPECT_EQ(r.currentIndex(), r.model()->index(1, 3));
    Teclear("456");
    PulsarTecla(Qt::Key_Return);
    EXPECT_EQ(r.currentIndex(), r.model()->index(1, 3));  // the last cell keeps the cursor

    QTest::mouseClick(d.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(tabla->Editing());
    tabla->First();
    EXPECT_EQ(tabla->FieldByName("DNI").AsInteger(), 123);
    tabla->Next();
    EXPECT_EQ(tabla->FieldByName("DNI").AsInteger(), 456);
    EXPECT_EQ(tabla->RecordCount(), 2);
    EXPECT_EQ(contestador.cajas.size(), 1u);
}

TEST_F(Dialogos, TheNavigatorMovesPostsAndCancels) {
    auto tabla = Plantilla(unidad.Raiz());
    TControlPlantilla d(*tabla, nullptr);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    ventana::TRejillaDatos& r = *d.Rejilla();
    ventana::TNavegador& n = *d.Navegador();
    r.setFocus();
    auto pulsar = [&](int i) { QTest::mouseClick(n.Boton(i), Qt::LeftButton); };
    struct Paso {
        int boton, fila;
    };
    for (const Paso& p :
         {Paso{5, 19}, Paso{1, 9}, Paso{2, 8}, Paso{4, 18}, Paso{3, 19}, Paso{0, 0}, Paso{3, 1}}) {
        pulsar(p.boton);
        EXPECT_EQ(r.currentIndex().row(), p.fila) << p.boton;
        EXPECT_EQ(tabla->RecNo(), p.fila + 1) << p.boton;
    }
    // Cancel drops a typed time; post writes one.
    Teclear("9:99");
    PulsarTecla(Qt::Key_Escape);
    r.setCurrentIndex(r.model()->index(1, 1));
    Teclear("9:99");
    PulsarTecla(Qt::Key_Return);
    EXPECT_TRUE(n.Boton(8)->isEnabled());
    pulsar(8);
    EXPECT_EQ(r.model()->index(1, 1).data().toString(), "9:00");
    EXPECT_FALSE(tabla->Editing());
    pulsar(6);
    EXPECT_TRUE(tabla->Editing());
    r.setCurrentIndex(r.model()->index(1, 2));
    Teclear("9:50");
    PulsarTecla(Qt::Key_Return);
    pulsar(7);
    EXPECT_FALSE(tabla->Editing());
    EXPECT_EQ(r.model()->index(1, 2).data().toString(), "9:50");
    pulsar(9);
    EXPECT_EQ(r.model()->rowCount(), 20);
    EXPECT_EQ(r.model()->index(1, 2).data().toString(), "9:50");
    EXPECT_TRUE(contestador.cajas.empty());
}

TEST_F(Dialogos, ControlPlantillaShowsTwentyHoursWithTheHourFixed) {
    auto tabla = Plantilla(unidad.Raiz());
    TControlPlantilla d(*tabla, nullptr);
    d.show();
    EXPECT_EQ(d.windowTitle(), "Control de Plantilla Horaria");
    EXPECT_EQ(d.size(), QSize(726, 463));
    ComprobarPiezas(
        d, {{"Label1", {9, 12, 151, 64}, "COMPROBACIÓN DE LA PLANTILLA HORARIA DEL CENTRO"},
            {"PlantiHorDBGrid", {156, 56, 330, 385}, nullptr},
            {"wwDBNavigator1", {180, 29, 275, 24}, nullptr},
            {"Label3", {505, 57, 210, 13}, "PLANTILLA HORARIA DEL CENTRO"},
            {"Label2",
             {504, 91, 209, 130},
             "Se ha recogido la siguiente Plantilla Horaria desde GESCEN. Compruébela y "
             "modifique, en caso necesario, las Horas de Inicio y Final de Clase, en la "
             "presente rejilla. Deben ser iguales que la Plantilla Horaria que estén "
             "utilizando en GESCEN. Una vez adaptada la Rejilla Horaria, Pulse sobre "
             "el Botón Salir."},
            {"BitBtn1", {576, 312, 75, 25}, "Salir"}});
    EXPECT_EQ(Pistas(d), kPistas);
    ventana::TRejillaDatos& r = *d.Rejilla();
    EXPECT_EQ(Titulos(r), QStringList({"HORA", "HORA INICIO CLASE", "HORA FINAL CLASE"}));
    ASSERT_EQ(r.model()->rowCount(), 20);
    EXPECT_EQ(r.model()->index(19, 0).data().toString(), "20");
    EXPECT_EQ(r.model()->index(0, 1).data().toString(), "8:00");
    EXPECT_FALSE(r.model()->flags(r.model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(r.model()->insertRow(20));
    EXPECT_FALSE(r.model()->removeRow(0));
    // The grid's colours: rows alternate, titles bold on their own colour.
    EXPECT_TRUE(r.alternatingRowColors());
    EXPECT_EQ(r.palette().color(QPalette::Base), QColor(240, 251, 255));
    EXPECT_EQ(r.palette().color(QPalette::AlternateBase), QColor(207, 217, 254));
    EXPECT_TRUE(r.horizontalHeader()->styleSheet().contains("#fee4a9"));
    ComprobarTextosEnteros(d);
    d.grab().save(QString::fromStdString(CarpetaArtefactos() + "/control_plantilla.png"));
}

// A DNI on disk, as another cursor on the file sees it: only what was posted.
int32_t DniEscrito(const std::string& carpeta, int registro) {
    Tabla t;
    t.SetTableName(carpeta + "/PROFT.DBF");
    t.Open();
    t.GoTo(registro);
    return t.FieldByName("DNI").AsInteger();
}

bool Marcada(ventana::TRejillaDatos& r, int fila) {
    return r.model()->index(fila, 3).data(Qt::ForegroundRole).value<QBrush>().color() ==
           QColor(192, 0, 0);
}

TEST_F(Dialogos, TeachersWithoutADniAreMarkedUntilOneIsPosted) {
    auto tabla = Proft(unidad.Raiz(), {{"ANA", "ROS, ANA", "VAL", 111},
                                       {"JOS", "PÉREZ, JOSÉ", "MAT", 0},
                                       {"LUZ", "GIL, LUZ", "HIS", 222},
                                       {"PAU", "SOLER, PAU", "FIS", 0}});
    TControlProfesores d(*tabla, nullptr);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    ventana::TRejillaDatos& r = *d.Rejilla();
    EXPECT_EQ(r.currentIndex(), r.model()->index(1, 3));
    for (int fila = 0; fila < 4; ++fila)
        EXPECT_EQ(Marcada(r, fila), fila == 1 || fila == 3) << fila;
    EXPECT_FALSE(r.model()->index(1, 1).data(Qt::ForegroundRole).value<QBrush>().color() ==
                 QColor(192, 0, 0));  // only the DNI cell

    r.setFocus();
    Teclear("555");
    PulsarTecla(Qt::Key_Return);  // to the next row, which posts this one
    EXPECT_EQ(DniEscrito(unidad.Raiz(), 2), 555);
    EXPECT_FALSE(Marcada(r, 1));
    EXPECT_TRUE(Marcada(r, 3));
    // Typed back to 0, it is missing again.
    r.setCurrentIndex(r.model()->index(1, 3));
    Teclear("0");
    PulsarTecla(Qt::Key_Return);
    EXPECT_TRUE(Marcada(r, 1));
}

TEST_F(Dialogos, AmongManyTeachersTheFirstWithoutADniIsInView) {
    auto tabla = Proft(unidad.Raiz(), {});
    {
        Tabla t;
        t.SetTableName(unidad / "PROFT.DBF");
        t.Open();
        for (int i = 0; i < 120; ++i) {
            t.Append();
            t.FieldByName("ABREV").SetAsString("P" + std::to_string(i));
            if (i != 87) t.FieldByName("DNI").SetAsInteger(1000 + i);
            t.Post();
        }
    }
    tabla->Close();
    tabla->Open();
    TControlProfesores d(*tabla, nullptr);
    d.show();
    ventana::TRejillaDatos& r = *d.Rejilla();
    EXPECT_EQ(r.currentIndex(), r.model()->index(87, 3));
    EXPECT_EQ(tabla->RecNo(), 88);
    EXPECT_TRUE(r.viewport()->rect().contains(r.visualRect(r.currentIndex())));
}

// What is typed into the open editor counts: "Salir", the close box and a
// move to another row write it and post the row; a text the field refuses
// keeps the dialog open on its cell, once.
TEST_F(Dialogos, TheCellBeingTypedIsWrittenBeforeTheGridIsLeft) {
    enum Salida { kBotonSalir, kCierre, kOtraFila };
    struct Caso {
        Salida salida;
        const char* tecleado;
        bool aceptado;
    };
    for (const Caso& caso : {Caso{kBotonSalir, "123", true}, Caso{kCierre, "123", true},
                             Caso{kOtraFila, "123", true}, Caso{kBotonSalir, "12AB", false},
                             Caso{kCierre, "12AB", false}, Caso{kOtraFila, "12AB", false}}) {
        SCOPED_TRACE(std::to_string(caso.salida) + " " + caso.tecleado);
        contestador.cajas.clear();
        auto tabla =
            Proft(unidad.Raiz(), {{"ANA", "ROS, ANA", "VAL", 0}, {"JOS", "PÉREZ, JOSÉ", "MAT", 0}});
        TControlProfesores d(*tabla, nullptr);
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        ventana::TRejillaDatos& r = *d.Rejilla();
        r.setFocus();
        Teclear(caso.tecleado);
        ASSERT_NE(r.indexWidget(r.currentIndex()), nullptr);  // the editor is still open

        auto* salir = d.findChild<QPushButton*>("BitBtn1");
        switch (caso.salida) {
            case kBotonSalir:
                QTest::mouseClick(salir, Qt::LeftButton);
                break;
            case kCierre:
                d.close();
                break;
            case kOtraFila:
                d.Navegador()->Boton(3)->click();
                break;
        }
        if (caso.aceptado) {
            EXPECT_EQ(DniEscrito(unidad.Raiz(), 1), 123);
            EXPECT_EQ(d.isVisible(), caso.salida == kOtraFila);
            EXPECT_EQ(r.currentIndex().row(), caso.salida == kOtraFila ? 1 : 0);
            EXPECT_TRUE(contestador.cajas.empty());
            continue;
        }
        QTRY_COMPARE(int(contestador.cajas.size()), 1);
        EXPECT_EQ(contestador.cajas[0].texto,
                  "'12AB' no es un valor entero válido para el campo 'DNI'");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(r.currentIndex(), r.model()->index(0, 3));
        EXPECT_EQ(DniEscrito(unidad.Raiz(), 1), 0);
        // Having seen the box, the person may leave: nothing more is refused.
        QTest::mouseClick(salir, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(contestador.cajas.size(), 1u);
    }
}

// Escape drops the cell being typed and never closes a dialog.
TEST_F(Dialogos, EscapeCancelsTheCellAndLeavesBothDialogsOpen) {
    auto proft = Proft(unidad.Raiz(), {{"ANA", "ROS, ANA", "VAL", 0}});
    auto plantilla = Plantilla(unidad.Raiz());
    TControlProfesores profesores(*proft, nullptr);
    TControlPlantilla horas(*plantilla, nullptr);
    for (ventana::TControlRejilla* d :
         std::initializer_list<ventana::TControlRejilla*>{&profesores, &horas}) {
        SCOPED_TRACE(d->objectName().toStdString());
        d->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        ventana::TRejillaDatos& r = *d->Rejilla();
        r.setFocus();
        const QString antes = r.currentIndex().data().toString();
        Teclear("9");
        PulsarTecla(Qt::Key_Escape);
        EXPECT_EQ(r.indexWidget(r.currentIndex()), nullptr);
        EXPECT_EQ(r.currentIndex().data().toString(), antes);
        PulsarTecla(Qt::Key_Escape);
        QTest::keyClick(d, Qt::Key_Escape);
        EXPECT_TRUE(d->isVisible());
        d->close();
        EXPECT_FALSE(d->isVisible());
    }
    EXPECT_TRUE(contestador.cajas.empty());
}

}  // namespace
}  // namespace brisolt::prueba
