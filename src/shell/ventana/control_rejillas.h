#pragma once
// The import's two check dialogs, each a grid with its record navigator over
// one open table object that the import hands in and releases afterwards.

#include <QDialog>
#include <QTableView>
#include <QWidget>
#include <vector>

#include "shell/dialogos.h"
#include "shell/ventana/modelo_tabla.h"

class QToolButton;

namespace brisolt::ventana {

// A data grid: the row goes into edit when the grid gets the focus and is
// written when the focus leaves it; Enter moves on to the next cell. What is
// being typed into a cell counts as typed: leaving the row or the grid writes
// it into the field first, as Enter would, and a text the field refuses keeps
// the cursor on its cell.
class TRejillaDatos : public QTableView {
    Q_OBJECT
  public:
    TRejillaDatos(ModeloTabla& modelo, QWidget* padre);

    ModeloTabla& Modelo() { return modelo_; }
    // The first editable cell of a row.
    QModelIndex PrimeraEditable(int fila) const;

    // Leaving the grid (the dialog closing): the cell being typed goes into
    // its field, then the row is written. False, with the cursor and the
    // focus on the cell, when the field or the write refused it.
    bool Dejar();
    // The navigator's post and cancel, which also take the cell being typed.
    bool Grabar();
    void Cancelar();

  protected:
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint pista) override;
    void currentChanged(const QModelIndex& actual, const QModelIndex& anterior) override;

  private:
    // Writes the text of the editor open on `celda`, if any, into its field
    // and closes the editor without moving on.
    void ConfirmarEditor(const QModelIndex& celda);
    // Puts the cursor back where it was, without leaving the row again.
    void Volver(const QModelIndex& celda);

    ModeloTabla& modelo_;
    bool volviendo_ = false;
};

// First, back 10, prior, next, forward 10, last, edit, post, cancel, refresh.
class TNavegador : public QWidget {
    Q_OBJECT
  public:
    TNavegador(TRejillaDatos& rejilla, QWidget* padre);

    QToolButton* Boton(int i) const { return botones_[static_cast<std::size_t>(i)]; }
    static constexpr int kBotones = dialogos::kBotonesNavegador;

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

    // "Salir" and the close box end here: the grid is left first, and a
    // refused cell keeps the dialog open.
    void reject() override;

  protected:
    // Escape belongs to the cell being typed; it never closes the dialog.
    void keyPressEvent(QKeyEvent* evento) override;

    TControlRejilla(Tabla& tabla, const dialogos::Dialogo& d, QWidget* propietario);

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
