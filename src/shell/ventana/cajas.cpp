#include "shell/ventana/cajas.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "tables/error.h"

namespace brisolt::ventana {
namespace {

void Mostrar(QWidget* padre, QMessageBox::Icon icono, const std::string& texto) {
    // A hidden parent (the window while it is still being created) would keep
    // the box from showing; the box then stands on its own.
    if (padre && !padre->isVisible()) padre = nullptr;
    QMessageBox caja(icono, QCoreApplication::applicationName(), QString::fromStdString(texto),
                     QMessageBox::NoButton, padre);
    caja.setObjectName(icono == QMessageBox::Critical ? "CajaError" : "CajaInformacion");
    QPushButton* aceptar = caja.addButton("Aceptar", QMessageBox::AcceptRole);
    caja.setDefaultButton(aceptar);
    caja.setEscapeButton(aceptar);
    caja.exec();
}

}  // namespace

void CajaError(QWidget* padre, const std::string& mensaje) {
    Mostrar(padre, QMessageBox::Critical, TextoCajaError(mensaje));
}

void CajaInformacion(QWidget* padre, const std::string& texto) {
    Mostrar(padre, QMessageBox::NoIcon, texto);
}

}  // namespace brisolt::ventana
