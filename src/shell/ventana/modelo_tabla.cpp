#include "shell/ventana/modelo_tabla.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "shell/dialogos.h"

namespace brisolt::ventana {
namespace {

QColor ColorQt(controles::Color c) {
    return QColor(c.r, c.g, c.b);
}

}  // namespace

ModeloTabla::ModeloTabla(Tabla& tabla, std::vector<ColumnaRejilla> columnas, QObject* padre)
    : QAbstractTableModel(padre), rejilla_(tabla, std::move(columnas)) {
    rejilla_.alCambiarFila = [this](int fila) {
        emit dataChanged(index(fila, 0), index(fila, columnCount() - 1));
    };
    // The box must not open while the view is still closing its editor:
    // whoever shows it listens through a queued connection.
    rejilla_.alRechazar = [this](const std::string& mensaje) {
        emit rechazado(QString::fromStdString(mensaje));
    };
    rejilla_.alCambiarEstado = [this] { emit estadoCambiado(); };
    rejilla_.alEmpezarLectura = [this] { beginResetModel(); };
    rejilla_.alAcabarLectura = [this] { endResetModel(); };
}

int ModeloTabla::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : rejilla_.Filas();
}

int ModeloTabla::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : rejilla_.NumColumnas();
}

QVariant ModeloTabla::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid()) return {};
    const bool pendiente = rejilla_.Pendiente(indice.row(), indice.column());
    switch (rol) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(rejilla_.Valor(indice.row(), indice.column()));
        case Qt::ForegroundRole:
            if (pendiente) return QBrush(ColorQt(dialogos::kTextoPendiente));
            // Fixed columns are disabled only to keep the cursor out, not to look grey.
            return rejilla_.Editable(indice.column()) ? QVariant() : QVariant(QBrush(Qt::black));
        case Qt::BackgroundRole:
            return pendiente ? QVariant(QBrush(ColorQt(dialogos::kFondoPendiente))) : QVariant();
        case Qt::FontRole:
            if (pendiente) {
                QFont negrita;
                negrita.setBold(true);
                return negrita;
            }
            return {};
        default:
            return {};
    }
}

Qt::ItemFlags ModeloTabla::flags(const QModelIndex& indice) const {
    if (!indice.isValid() || !rejilla_.Editable(indice.column())) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant ModeloTabla::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole || seccion < 0 ||
        seccion >= columnCount())
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    return QString::fromStdString(Columnas()[static_cast<std::size_t>(seccion)].titulo);
}

bool ModeloTabla::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    if (!indice.isValid() || rol != Qt::EditRole) return false;
    return rejilla_.Escribir(indice.row(), indice.column(), valor.toString().toStdString());
}

}  // namespace brisolt::ventana
