#pragma once
// A grid's Qt model over one open table object: the rows, values, marks and
// the cursor's moves are the shared grid's (shell/rejilla_tabla.h); this
// model only hands them to the views and tells them what changed.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "shell/rejilla_tabla.h"

namespace brisolt::ventana {

class ModeloTabla : public QAbstractTableModel {
    Q_OBJECT
  public:
    ModeloTabla(Tabla& tabla, std::vector<ColumnaRejilla> columnas, QObject* padre = nullptr);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol) override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

    const std::vector<ColumnaRejilla>& Columnas() const { return rejilla_.Columnas(); }
    // The first row with a marked cell, -1 when none.
    int PrimeraPendiente() const { return rejilla_.PrimeraPendiente(); }
    Tabla& TablaDatos() { return rejilla_.TablaDatos(); }

    // The cursor onto a row; a pending row is written first.
    bool Posicionar(int fila) { return rejilla_.Posicionar(fila); }
    int FilaActual() const { return rejilla_.FilaActual(); }
    // The grid gaining and losing the focus.
    bool Entrar() { return rejilla_.Entrar(); }
    bool Salir() { return rejilla_.Salir(); }
    // The navigator's edit, post, cancel and refresh.
    bool Editar() { return rejilla_.Editar(); }
    bool Grabar() { return rejilla_.Grabar(); }
    bool Cancelar() { return rejilla_.Cancelar(); }
    bool Refrescar() { return rejilla_.Refrescar(); }
    bool Editando() const { return rejilla_.Editando(); }
    // Whether the last operation was refused.
    bool Rechazado() const { return rejilla_.Rechazado(); }
    // Whether the last text typed into a cell was refused by its field, not
    // asked since: whoever deals with the refusal takes it, once.
    bool TomarEscrituraRechazada() { return rejilla_.TomarEscrituraRechazada(); }

  signals:
    // The engine refused an operation; its message, for the error box.
    void rechazado(const QString& mensaje);
    void estadoCambiado();

  private:
    RejillaTabla rejilla_;
};

}  // namespace brisolt::ventana
