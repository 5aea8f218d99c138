#include "apoyo.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextLayout>
#include <climits>
#include <cstdio>
#include <filesystem>

#include "escuela_muestra.h"
#include "sistema_prueba.h"
#include "tables/carpetas.h"

namespace brisolt::prueba {
namespace fs = std::filesystem;

UnidadVentana::UnidadVentana(bool escuela) {
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd)) cwd_ = cwd;
    raiz_ = NuevaCarpetaTemporal("ventana");
    if (const char* v = std::getenv("BRISOLT_DRIVE_C")) {
        anterior_ = v;
        habiaAnterior_ = true;
    }
    ::setenv("BRISOLT_DRIVE_C", raiz_.c_str(), 1);
    fs::create_directories(raiz_ + "/ZTEMP/VALENCIA");
    if (escuela) ConstruirEscuelaMuestra(raiz_ + "/GC", 7, 1);
}

UnidadVentana::~UnidadVentana() {
    if (!cwd_.empty() && ::chdir(cwd_.c_str()) != 0) ADD_FAILURE() << "chdir " << cwd_;
    if (habiaAnterior_)
        ::setenv("BRISOLT_DRIVE_C", anterior_.c_str(), 1);
    else
        ::unsetenv("BRISOLT_DRIVE_C");
    std::error_code ec;
    if (!raiz_.empty()) fs::remove_all(raiz_, ec);
}

Contestador::Contestador() {
    connect(&reloj_, &QTimer::timeout, this, &Contestador::Mirar);
    reloj_.start(10);
}

void Contestador::Mirar() {
    if (enPaso_) return;
    QWidget* activa = QApplication::activeModalWidget();
    if (!activa || !activa->isVisible()) return;
    if (auto* caja = qobject_cast<QMessageBox*>(activa)) {
        Caja vista{caja->windowTitle(), caja->text(), caja->icon(), {}};
        for (QAbstractButton* b : caja->buttons()) vista.botones << b->text();
        cajas.push_back(vista);
        if (!caja->buttons().isEmpty()) caja->buttons().first()->click();
        return;
    }
    auto* dialogo = qobject_cast<QDialog*>(activa);
    if (!dialogo) return;
    if (dialogo != ultimoDialogo_) {
        dialogos.push_back(dialogo->objectName());
        ultimoDialogo_ = dialogo;
    }
    if (!pasos.empty()) {
        auto paso = std::move(pasos.front());
        pasos.pop_front();
        enPaso_ = true;
        paso(*dialogo);
        enPaso_ = false;
        return;
    }
    if (auto* salir = dialogo->findChild<QPushButton*>("BitBtn1"))
        QTest::mouseClick(salir, Qt::LeftButton);
    else
        dialogo->reject();
}

void ComprobarTextosEnteros(QWidget& ventana) {
    // Where the lines of a label's text lie in its panel, wrapped as the
    // label wraps them.
    auto lineas = [](const QLabel* label) {
        QTextLayout disposicion(label->text(), label->font());
        QTextOption opcion;
        opcion.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
        disposicion.setTextOption(opcion);
        std::vector<QRect> rectangulos;
        qreal y = 0;
        disposicion.beginLayout();
        for (QTextLine linea = disposicion.createLine(); linea.isValid();
             linea = disposicion.createLine()) {
            linea.setLineWidth(label->width());
            linea.setPosition(QPointF(0, y));
            y += linea.height();
            rectangulos.push_back(linea.naturalTextRect().toAlignedRect().translated(label->pos()));
        }
        disposicion.endLayout();
        return rectangulos;
    };
    const QString acentos = QString::fromUtf8("ÁÉÍÓÚÀÈÒ");
    for (QLabel* label : ventana.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&ventana) || label->text().isEmpty()) continue;
        SCOPED_TRACE(label->objectName().toStdString());
        const QRect visible = label->geometry() & label->parentWidget()->rect();
        for (const QRect& linea : lineas(label)) {
            EXPECT_TRUE(visible.contains(linea))
                << "line " << linea.x() << "," << linea.y() << " " << linea.width() << "x"
                << linea.height() << " outside " << visible.x() << "," << visible.y() << " "
                << visible.width() << "x" << visible.height();
            for (QWidget* otro :
                 label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (otro == label || !otro->isVisibleTo(&ventana)) continue;
                std::vector<QRect> ocupado = {otro->geometry()};
                if (const auto* otraEtiqueta = qobject_cast<QLabel*>(otro))
                    ocupado = lineas(otraEtiqueta);
                for (const QRect& r : ocupado)
                    EXPECT_FALSE(r.intersects(linea)) << otro->objectName().toStdString();
            }
        }
        const QFontMetrics medida(label->font());
        EXPECT_LE(-medida.tightBoundingRect(acentos).top(), medida.ascent());
    }
}

void Teclear(const QString& texto) {
    for (const QChar c : texto) {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr) << "nothing has the focus";
        QTest::keyClick(foco, c.toLatin1());
    }
}

void PulsarTecla(int tecla) {
    QWidget* foco = QApplication::focusWidget();
    ASSERT_NE(foco, nullptr) << "nothing has the focus";
    QTest::keyClick(foco, static_cast<Qt::Key>(tecla));
    // A cell editor commits what Enter confirmed only once the event loop runs.
    QCoreApplication::processEvents();
}

std::string CarpetaArtefactos() {
    const std::string carpeta = std::string(BRISOLT_BINARY_DIR) + "/artefactos/ventana";
    fs::create_directories(carpeta);
    return carpeta;
}

}  // namespace brisolt::prueba
