#pragma once
// A grid's model over one open table object: one row per record in the
// cursor's order, the chosen fields as columns. The cursor follows the grid's
// current row; typed text goes to the field as the user typed it, so the
// field's own conversion decides what it accepts.

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace brisolt {
class Tabla;
}

namespace brisolt::ventana {

struct ColumnaRejilla {
    std::string campo;
    int ancho = 10;  // in characters
    QString titulo;
    bool fija = false;  // shown, never edited or given the cursor
    // With the cursor on a record: whether this cell still waits for the
    // person to fill it (a teacher's DNI still 0). Such cells are marked.
    std::function<bool(Tabla&)> pendiente;
};

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

    const std::vector<ColumnaRejilla>& Columnas() const { return columnas_; }
    // The first row with a marked cell, -1 when none.
    int PrimeraPendiente() const;
    Tabla& TablaDatos() { return tabla_; }

    // The cursor onto a row; a pending row is written first.
    bool Posicionar(int fila);
    int FilaActual() const;  // the cursor's row, -1 when none
    // The grid gaining and losing the focus.
    bool Entrar();
    bool Salir();
    // The navigator's edit, post, cancel and refresh.
    bool Editar();
    bool Grabar();
    bool Cancelar();
    bool Refrescar();
    bool Editando() const;
    // Whether the last operation was refused.
    bool Rechazado() const { return rechazado_; }
    // Whether the last text typed into a cell was refused by its field, not
    // asked since: whoever deals with the refusal takes it, once.
    bool TomarEscrituraRechazada() { return std::exchange(escrituraRechazada_, false); }

  signals:
    // The engine refused an operation; its message, for the error box.
    void rechazado(const QString& mensaje);
    void estadoCambiado();

  private:
    void Leer();
    // The shown values and marks of a row from the cursor's record; LeerFila
    // tells the views.
    void LeerRegistro(int fila);
    void LeerFila(int fila);
    bool Pendiente(const QModelIndex& indice) const;
    template <class F>
    bool Intentar(F&& operacion);

    Tabla& tabla_;
    bool rechazado_ = false;
    bool escrituraRechazada_ = false;
    std::vector<ColumnaRejilla> columnas_;
    std::vector<int64_t> registros_;             // record number per row
    std::vector<std::vector<QString>> valores_;  // what the grid shows
    std::vector<std::vector<char>> pendientes_;  // the marked cells
};

}  // namespace brisolt::ventana
