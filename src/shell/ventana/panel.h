#pragma once
// The gradient-filled panels the windows lay their controls on, and the help
// context every control may carry.

#include <QColor>
#include <QWidget>
#include <vector>

namespace brisolt::ventana {

class TDraw3D : public QWidget {
    Q_OBJECT
  public:
    // Colours from top to bottom, spread evenly.
    TDraw3D(std::vector<QColor> colores, QWidget* padre);
    // Colours at given heights in pixels from the top; the last colour
    // reaches the bottom.
    struct Parada {
        int y;
        QColor color;
    };
    TDraw3D(std::vector<Parada> paradas, QColor abajo, QWidget* padre);

  protected:
    void paintEvent(QPaintEvent* evento) override;

  private:
    std::vector<Parada> paradas_;
    std::vector<QColor> colores_;
};

// Help contexts travel as a property so that any widget, ours or Qt's, can
// carry one; 0 (or none) defers to the container.
void FijarContextoAyuda(QWidget* control, int contexto);
int ContextoAyudaPropio(const QWidget* control);
// The first non-zero context from `control` up through its containers.
int ContextoAyudaEfectivo(const QWidget* control);

}  // namespace brisolt::ventana
