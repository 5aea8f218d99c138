#include "shell/ventana/panel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QVariant>
#include <utility>

namespace brisolt::ventana {
namespace {
constexpr const char* kPropiedadContexto = "contextoAyuda";
}

TDraw3D::TDraw3D(std::vector<QColor> colores, QWidget* padre)
    : QWidget(padre), colores_(std::move(colores)) {}

void TDraw3D::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    QLinearGradient degradado(0, 0, 0, height());
    const auto n = colores_.size();
    for (std::size_t i = 0; i < n; ++i)
        degradado.setColorAt(n == 1 ? 0.0 : static_cast<double>(i) / static_cast<double>(n - 1),
                             colores_[i]);
    pintor.fillRect(rect(), degradado);
}

void FijarContextoAyuda(QWidget* control, int contexto) {
    control->setProperty(kPropiedadContexto, contexto);
}

int ContextoAyudaPropio(const QWidget* control) {
    return control->property(kPropiedadContexto).toInt();
}

int ContextoAyudaEfectivo(const QWidget* control) {
    for (; control; control = control->parentWidget())
        if (const int c = ContextoAyudaPropio(control); c != 0) return c;
    return 0;
}

}  // namespace brisolt::ventana
