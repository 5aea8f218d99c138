#include "shell/ventana/panel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QVariant>
#include <algorithm>
#include <utility>

namespace brisolt::ventana {
namespace {
constexpr const char* kPropiedadContexto = "contextoAyuda";
}

TDraw3D::TDraw3D(std::vector<QColor> colores, QWidget* padre)
    : QWidget(padre), colores_(std::move(colores)) {}

TDraw3D::TDraw3D(std::vector<Parada> paradas, QColor abajo, QWidget* padre)
    : QWidget(padre), paradas_(std::move(paradas)), colores_{std::move(abajo)} {}

void TDraw3D::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    QLinearGradient degradado(0, 0, 0, height());
    const double alto = std::max(height(), 1);
    for (const Parada& p : paradas_)
        degradado.setColorAt(std::clamp(p.y / alto, 0.0, 1.0), p.color);
    if (paradas_.empty()) {
        const auto n = colores_.size();
        for (std::size_t i = 0; i < n; ++i)
            degradado.setColorAt(n == 1 ? 0.0 : static_cast<double>(i) / static_cast<double>(n - 1),
                                 colores_[i]);
    } else {
        degradado.setColorAt(1.0, colores_.back());
    }
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
