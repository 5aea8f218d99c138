#pragma once
// What the window tests share: a drive C: of their own, the modal boxes and
// dialogs answered as a person would, and the artefacts folder.

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace brisolt::prueba {

// BRISOLT_DRIVE_C points at a fresh folder while the object lives; the
// working folder (which the window changes) and the variable come back after.
class UnidadVentana {
  public:
    // With `escuela`, C:\GC holds the sample school.
    explicit UnidadVentana(bool escuela = true);
    ~UnidadVentana();
    UnidadVentana(const UnidadVentana&) = delete;
    UnidadVentana& operator=(const UnidadVentana&) = delete;

    const std::string& Raiz() const { return raiz_; }
    std::string operator/(const std::string& nombre) const { return raiz_ + "/" + nombre; }

  private:
    std::string raiz_, cwd_, anterior_;
    bool habiaAnterior_ = false;
};

struct Caja {
    QString titulo, texto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    QStringList botones;
};

// Watches for modal windows: message boxes are recorded and acknowledged;
// a check dialog gets the next of `pasos` (one per look, so a box a step
// raises is answered before the next step), or is closed with its Salir
// button when none is left.
class Contestador : public QObject {
  public:
    Contestador();

    std::vector<Caja> cajas;
    QStringList dialogos;  // object names, once per dialog shown
    std::deque<std::function<void(QDialog&)>> pasos;

  private:
    void Mirar();
    QTimer reloj_;
    QWidget* ultimoDialogo_ = nullptr;
    bool enPaso_ = false;  // a step may itself wait for events
};

// Every label of `ventana` reads whole where it stands: its text, wrapped as
// the label wraps it, fits the part of the label its panel shows and runs
// into no other control, and its font keeps the accents of capitals inside
// the line.
void ComprobarTextosEnteros(QWidget& ventana);

// Types into whatever has the focus, key by key, as the keyboard would.
void Teclear(const QString& texto);
void PulsarTecla(int tecla);

// build folder/artefactos/ventana, created on demand.
std::string CarpetaArtefactos();

}  // namespace brisolt::prueba
