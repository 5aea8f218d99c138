#include "apoyo.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <climits>
#include <cstdio>
#include <filesystem>

#include "escuela_muestra.h"
#include "tables/carpetas.h"

namespace brisolt::prueba {
namespace fs = std::filesystem;

UnidadVentana::UnidadVentana(bool escuela) {
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd)) cwd_ = cwd;
    std::string plantilla = (fs::temp_directory_path() / "ventanaXXXXXX").string();
    if (::mkdtemp(plantilla.data())) raiz_ = plantilla;
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
