#include "shell/ventana/modelo_tabla.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <exception>

#include "import/rejilla.h"
#include "tables/tabla.h"

namespace brisolt::ventana {
namespace {

// A cell still to fill: dark red text, readable on both row colours, on a
// pale red that shows even when the cell is empty.
const QColor kRojoPendiente(192, 0, 0);
const QColor kFondoPendiente(255, 205, 205);

}  // namespace

ModeloTabla::ModeloTabla(Tabla& tabla, std::vector<ColumnaRejilla> columnas, QObject* padre)
    : QAbstractTableModel(padre), tabla_(tabla), columnas_(std::move(columnas)) {
    Leer();
}

template <class F>
bool ModeloTabla::Intentar(F&& operacion) {
    try {
        operacion();
        rechazado_ = false;
        emit estadoCambiado();
        return true;
    } catch (const std::exception& e) {
        rechazado_ = true;
        // The box must not open while the view is still closing its editor.
        emit rechazado(QString::fromStdString(e.what()));
        emit estadoCambiado();
        return false;
    }
}

void ModeloTabla::Leer() {
    registros_.clear();
    valores_.clear();
    pendientes_.clear();
    if (!tabla_.Active()) return;
    for (tabla_.First(); !tabla_.Eof(); tabla_.Next()) {
        registros_.push_back(tabla_.RecNo());
        valores_.emplace_back(columnas_.size());
        pendientes_.emplace_back(columnas_.size());
        LeerRegistro(static_cast<int>(registros_.size()) - 1);
    }
    tabla_.First();
}

void ModeloTabla::LeerRegistro(int fila) {
    auto& valores = valores_[static_cast<std::size_t>(fila)];
    auto& pendientes = pendientes_[static_cast<std::size_t>(fila)];
    for (std::size_t c = 0; c < columnas_.size(); ++c) {
        valores[c] = QString::fromStdString(tabla_.FieldByName(columnas_[c].campo).AsString());
        pendientes[c] = columnas_[c].pendiente && columnas_[c].pendiente(tabla_);
    }
}

void ModeloTabla::LeerFila(int fila) {
    LeerRegistro(fila);
    emit dataChanged(index(fila, 0), index(fila, columnCount() - 1));
}

int ModeloTabla::PrimeraPendiente() const {
    for (std::size_t f = 0; f < pendientes_.size(); ++f)
        for (const char marcada : pendientes_[f])
            if (marcada) return static_cast<int>(f);
    return -1;
}

int ModeloTabla::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(registros_.size());
}

int ModeloTabla::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(columnas_.size());
}

QVariant ModeloTabla::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid()) return {};
    const auto& columna = columnas_[static_cast<std::size_t>(indice.column())];
    switch (rol) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return valores_[static_cast<std::size_t>(indice.row())]
                           [static_cast<std::size_t>(indice.column())];
        case Qt::ForegroundRole:
            if (Pendiente(indice)) return QBrush(kRojoPendiente);
            // Fixed columns are disabled only to keep the cursor out, not to look grey.
            return columna.fija ? QVariant(QBrush(Qt::black)) : QVariant();
        case Qt::BackgroundRole:
            return Pendiente(indice) ? QVariant(QBrush(kFondoPendiente)) : QVariant();
        case Qt::FontRole:
            if (Pendiente(indice)) {
                QFont negrita;
                negrita.setBold(true);
                return negrita;
            }
            return {};
        default:
            return {};
    }
}

bool ModeloTabla::Pendiente(const QModelIndex& indice) const {
    return pendientes_[static_cast<std::size_t>(indice.row())]
                      [static_cast<std::size_t>(indice.column())] != 0;
}

Qt::ItemFlags ModeloTabla::flags(const QModelIndex& indice) const {
    if (!indice.isValid()) return Qt::NoItemFlags;
    if (columnas_[static_cast<std::size_t>(indice.column())].fija) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant ModeloTabla::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole || seccion < 0 ||
        seccion >= columnCount())
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    return columnas_[static_cast<std::size_t>(seccion)].titulo;
}

bool ModeloTabla::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    if (!indice.isValid() || rol != Qt::EditRole || !(flags(indice) & Qt::ItemIsEditable))
        return false;
    const int fila = indice.row();
    const auto& columna = columnas_[static_cast<std::size_t>(indice.column())];
    const std::string texto = valor.toString().toStdString();
    // An unchanged cell leaves the record as it was.
    if (FilaActual() == fila &&
        valores_[static_cast<std::size_t>(fila)][static_cast<std::size_t>(indice.column())] ==
            valor.toString()) {
        escrituraRechazada_ = false;
        return true;
    }
    if (FilaActual() != fila && !Posicionar(fila)) {
        escrituraRechazada_ = true;
        return false;
    }
    const bool escrito = Intentar([&] {
        EntrarRejilla(tabla_);
        tabla_.FieldByName(columna.campo).SetText(texto);
        LeerFila(fila);
    });
    escrituraRechazada_ = !escrito;
    return escrito;
}

int ModeloTabla::FilaActual() const {
    const int64_t recno = tabla_.Active() ? tabla_.RecNo() : 0;
    for (std::size_t i = 0; i < registros_.size(); ++i)
        if (registros_[i] == recno) return static_cast<int>(i);
    return -1;
}

bool ModeloTabla::Posicionar(int fila) {
    if (fila < 0 || fila >= rowCount() || FilaActual() == fila) return true;
    const int anterior = FilaActual();
    return Intentar([&] {
        // Moving the cursor writes the row being edited, as leaving it does.
        SalirRejilla(tabla_);
        if (anterior >= 0) LeerFila(anterior);
        tabla_.GoTo(registros_[static_cast<std::size_t>(fila)]);
    });
}

bool ModeloTabla::Entrar() {
    return Intentar([&] { EntrarRejilla(tabla_); });
}

bool ModeloTabla::Salir() {
    const int fila = FilaActual();
    return Intentar([&] {
        SalirRejilla(tabla_);
        if (fila >= 0) LeerFila(fila);
    });
}

bool ModeloTabla::Editar() {
    return Intentar([&] { tabla_.Edit(); });
}

bool ModeloTabla::Grabar() {
    return Salir();
}

bool ModeloTabla::Cancelar() {
    if (!tabla_.Editing()) return true;
    const int fila = FilaActual();
    return Intentar([&] {
        tabla_.Cancel();
        if (fila >= 0) LeerFila(fila);
    });
}

bool ModeloTabla::Refrescar() {
    if (tabla_.Editing()) return false;
    const int fila = FilaActual();
    beginResetModel();
    const bool ok = Intentar([&] { Leer(); });
    endResetModel();
    if (ok && fila >= 0 && fila < rowCount()) Posicionar(fila);
    return ok;
}

bool ModeloTabla::Editando() const {
    return tabla_.Active() && tabla_.Editing();
}

}  // namespace brisolt::ventana
