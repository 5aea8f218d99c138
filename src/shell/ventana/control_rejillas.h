#pragma once
// The import's two check dialogs, each a grid with its record navigator over
// one open table object that the import hands in and releases afterwards.

#include <QDialog>
#include <QTableView>
#include <QWidget>
#include <vector>

#include "shell/ventana/modelo_tabla.h"

class QToolButton;

namespace brisolt::ventana {

// A data grid: the row goes into edit when the grid gets the focus and is
// written when the focus leaves it; Enter moves on to the next cell.
class TRejillaDatos : public QTableView {
    Q_OBJECT
  public:
    TRejillaDatos(ModeloTabla& modelo, QWidget* padre);

    ModeloTabla& Modelo() { return modelo_; }
    // The first editable cell of a row.
    QModelIndex PrimeraEditable(int fila) const;

  protected:
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint pista) override;
    void currentChanged(const QModelIndex& actual, const QModelIndex& anterior) override;

  private:
    ModeloTabla& modelo_;
};

// First, back 10, prior, next, forward 10, last, edit, post, cancel, refresh.
class TNavegador : public QWidget {
    Q_OBJECT
  public:
    TNavegador(TRejillaDatos& rejilla, QWidget* padre);

    QToolButton* Boton(int i) const { return botones_[static_cast<std::size_t>(i)]; }
    static constexpr int kBotones = 10;

  private:
    void IrA(int fila);
    void Actualizar();

    TRejillaDatos& rejilla_;
    std::vector<QToolButton*> botones_;
};

// What the two dialogs share: the panel, the title, the grid, the navigator,
// the two notes and "Salir".
class TControlRejilla : public QDialog {
    Q_OBJECT
  public:
    TRejillaDatos* Rejilla() const { return rejilla_; }
    TNavegador* Navegador() const { return navegador_; }

  protected:
    struct Disposicion {
        const char* nombre;
        QString titulo;
        QSize cliente;
        QRect label1, rejilla, navegador, label3, label2, salir;
        QString textoLabel1, textoLabel3, textoLabel2;
        const char* nombreRejilla;
    };
    TControlRejilla(Tabla& tabla, std::vector<ColumnaRejilla> columnas, const Disposicion& d,
                    QWidget* propietario);

  private:
    ModeloTabla* modelo_ = nullptr;
    TRejillaDatos* rejilla_ = nullptr;
    TNavegador* navegador_ = nullptr;
};

// Lets the user type the DNIs the teachers lack.
class TControlProfesores : public TControlRejilla {
    Q_OBJECT
  public:
    TControlProfesores(Tabla& wwTableProft, QWidget* propietario);
};

// Lets the user check and correct the centre's hour template.
class TControlPlantilla : public TControlRejilla {
    Q_OBJECT
  public:
    TControlPlantilla(Tabla& wwTablePlantilla, QWidget* propietario);
};

}  // namespace brisolt::ventana
