#include "shell/ventana/control_rejillas.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "shell/ventana/cajas.h"
#include "shell/ventana/fuentes.h"
#include "shell/ventana/panel.h"

namespace brisolt::ventana {
namespace {

QColor ColorQt(controles::Color c) {
    return QColor(c.r, c.g, c.b);
}

bool Dentro(const QWidget* hijo, const QWidget* padre) {
    for (; hijo; hijo = hijo->parentWidget())
        if (hijo == padre) return true;
    return false;
}

void Pintar(QWidget* w, QPalette::ColorRole rol, const QColor& color) {
    QPalette paleta = w->palette();
    paleta.setColor(rol, color);
    w->setPalette(paleta);
}

QLabel* Etiqueta(QWidget* panel, const dialogos::Etiqueta& e) {
    auto* label = new QLabel(QString::fromUtf8(e.texto), panel);
    label->setObjectName(e.nombre);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(
        (e.alineacion == dialogos::Alineacion::Centro ? Qt::AlignHCenter : Qt::AlignLeft) |
        Qt::AlignTop);
    label->setGeometry(e.sitio.x, e.sitio.y, e.sitio.ancho, e.sitio.alto);
    label->setWordWrap(e.estilo & controles::kAjustar);
    QFont fuente = label->font();
    fuente.setBold(e.estilo & controles::kNegrita);
    fuente.setUnderline(e.subrayada);
    if (e.pixeles > 0) fuente.setPixelSize(e.pixeles);
    label->setFont(fuente);
    Pintar(label, QPalette::WindowText, ColorQt(e.color));
    if (e.fondo.definido) {
        Pintar(label, QPalette::Window, ColorQt(e.fondo));
        label->setAutoFillBackground(true);
    }
    return label;
}

QRect Sitio(const controles::Rect& r) {
    return QRect(r.x, r.y, r.ancho, r.alto);
}

}  // namespace

// ---- Grid

TRejillaDatos::TRejillaDatos(ModeloTabla& modelo, QWidget* padre)
    : QTableView(padre), modelo_(modelo) {
    setModel(&modelo_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    setAlternatingRowColors(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    Pintar(this, QPalette::Base, ColorQt(dialogos::kFilaClara));
    Pintar(this, QPalette::AlternateBase, ColorQt(dialogos::kFilaOscura));

    QHeaderView* titulos = horizontalHeader();
    titulos->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; font-weight: bold; "
                       "border: 1px solid gray; padding: 1px; }")
            .arg(ColorQt(dialogos::kFondoTitulos).name()));
    titulos->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titulos->setFixedHeight(dialogos::kLineasTitulo * fontMetrics().height() + 6);
    titulos->setSectionsClickable(false);
    // A column is as wide as its characters, and never narrower than its
    // bold title, so "ABREV" and "DEPARTAMENTO" read whole.
    const int caracter = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    QFont negrita = titulos->font();
    negrita.setBold(true);
    const QFontMetrics titulo(negrita);
    for (int c = 0; c < modelo_.columnCount(); ++c) {
        const QString texto = modelo_.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const int ancho = modelo_.Columnas()[static_cast<std::size_t>(c)].ancho * caracter + 10;
        setColumnWidth(c, std::max(ancho, titulo.horizontalAdvance(texto) + 12));
    }

    // The first row still waiting for the person, or the first of all.
    if (modelo_.rowCount() > 0)
        setCurrentIndex(PrimeraEditable(std::max(0, modelo_.PrimeraPendiente())));
}

QModelIndex TRejillaDatos::PrimeraEditable(int fila) const {
    for (int c = 0; c < modelo_.columnCount(); ++c) {
        const QModelIndex i = modelo_.index(fila, c);
        if (modelo_.flags(i) & Qt::ItemIsEditable) return i;
    }
    return modelo_.index(fila, 0);
}

void TRejillaDatos::focusInEvent(QFocusEvent* evento) {
    QTableView::focusInEvent(evento);
    modelo_.Entrar();
}

void TRejillaDatos::focusOutEvent(QFocusEvent* evento) {
    QTableView::focusOutEvent(evento);
    // The cell editor is part of the grid, and another window taking the
    // activation (a message box) is no move inside this one.
    if (evento->reason() == Qt::ActiveWindowFocusReason || evento->reason() == Qt::PopupFocusReason)
        return;
    if (Dentro(QApplication::focusWidget(), this)) return;
    modelo_.Salir();
}

void TRejillaDatos::showEvent(QShowEvent* evento) {
    QTableView::showEvent(evento);
    scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
}

void TRejillaDatos::keyPressEvent(QKeyEvent* evento) {
    // An open editor takes Escape itself and drops what was typed; without
    // one there is nothing to cancel, and the key goes no further.
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    if ((evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) &&
        state() != QAbstractItemView::EditingState) {
        const QModelIndex siguiente = moveCursor(QAbstractItemView::MoveNext, Qt::NoModifier);
        if (siguiente.isValid()) setCurrentIndex(siguiente);
        evento->accept();
        return;
    }
    QTableView::keyPressEvent(evento);
}

void TRejillaDatos::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint pista) {
    // Enter in a cell: write it and go on to the next cell, not edit it again;
    // a refused text keeps the cursor on its cell and the row in edit.
    if (pista == QAbstractItemDelegate::SubmitModelCache) {
        const bool rechazado = modelo_.TomarEscrituraRechazada();
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (rechazado) return;
        const QModelIndex siguiente = moveCursor(QAbstractItemView::MoveNext, Qt::NoModifier);
        if (siguiente.isValid()) setCurrentIndex(siguiente);
        return;
    }
    QTableView::closeEditor(editor, pista);
}

void TRejillaDatos::currentChanged(const QModelIndex& actual, const QModelIndex& anterior) {
    if (volviendo_) {
        QTableView::currentChanged(actual, anterior);
        return;
    }
    const bool otraFila = actual.isValid() && actual.row() != anterior.row();
    if (otraFila && anterior.isValid()) {
        // The cell being typed goes into its field before the row is left;
        // a refused text keeps the cursor on it, as after Enter.
        ConfirmarEditor(anterior);
        if (modelo_.TomarEscrituraRechazada()) {
            Volver(anterior);
            return;
        }
    }
    QTableView::currentChanged(actual, anterior);
    if (otraFila && !modelo_.Posicionar(actual.row()) && anterior.isValid()) Volver(anterior);
}

void TRejillaDatos::Volver(const QModelIndex& celda) {
    volviendo_ = true;
    setCurrentIndex(celda);
    volviendo_ = false;
}

void TRejillaDatos::ConfirmarEditor(const QModelIndex& celda) {
    QWidget* editor = celda.isValid() ? indexWidget(celda) : nullptr;
    if (!editor) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool TRejillaDatos::Dejar() {
    const QModelIndex celda = currentIndex();
    ConfirmarEditor(celda);
    if (!modelo_.TomarEscrituraRechazada() && modelo_.Salir()) return true;
    if (celda.isValid()) setCurrentIndex(celda);
    setFocus();
    return false;
}

bool TRejillaDatos::Grabar() {
    ConfirmarEditor(currentIndex());
    if (modelo_.TomarEscrituraRechazada()) return false;
    return modelo_.Grabar();
}

void TRejillaDatos::Cancelar() {
    if (QWidget* editor = currentIndex().isValid() ? indexWidget(currentIndex()) : nullptr)
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    modelo_.Cancelar();
}

// ---- Navigator

TNavegador::TNavegador(TRejillaDatos& rejilla, QWidget* padre) : QWidget(padre), rejilla_(rejilla) {
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(0);
    for (const dialogos::BotonNavegador& d : dialogos::kNavegador) {
        auto* boton = new QToolButton(this);
        boton->setObjectName(d.nombre);
        boton->setText(QString::fromUtf8(d.glifo));
        boton->setToolTip(QString::fromUtf8(d.pista));
        boton->setFocusPolicy(Qt::NoFocus);  // the grid keeps the focus
        boton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        fila->addWidget(boton);
        botones_.push_back(boton);
    }
    ModeloTabla& m = rejilla_.Modelo();
    auto actual = [this] { return rejilla_.currentIndex().row(); };
    connect(botones_[0], &QToolButton::clicked, this, [this] { IrA(0); });
    connect(botones_[1], &QToolButton::clicked, this,
            [this, actual] { IrA(actual() - dialogos::kFilasPagina); });
    connect(botones_[2], &QToolButton::clicked, this, [this, actual] { IrA(actual() - 1); });
    connect(botones_[3], &QToolButton::clicked, this, [this, actual] { IrA(actual() + 1); });
    connect(botones_[4], &QToolButton::clicked, this,
            [this, actual] { IrA(actual() + dialogos::kFilasPagina); });
    connect(botones_[5], &QToolButton::clicked, this,
            [this] { IrA(rejilla_.Modelo().rowCount() - 1); });
    connect(botones_[6], &QToolButton::clicked, &m, &ModeloTabla::Editar);
    connect(botones_[7], &QToolButton::clicked, this, [this] { rejilla_.Grabar(); });
    connect(botones_[8], &QToolButton::clicked, this, [this] { rejilla_.Cancelar(); });
    connect(botones_[9], &QToolButton::clicked, &m, &ModeloTabla::Refrescar);
    connect(&m, &ModeloTabla::estadoCambiado, this, &TNavegador::Actualizar);
    connect(&m, &QAbstractItemModel::modelReset, this, &TNavegador::Actualizar);
    connect(rejilla_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TNavegador::Actualizar);
    Actualizar();
}

void TNavegador::IrA(int fila) {
    const int filas = rejilla_.Modelo().rowCount();
    if (filas == 0) return;
    fila = std::clamp(fila, 0, filas - 1);
    const int columna = rejilla_.currentIndex().isValid() ? rejilla_.currentIndex().column()
                                                          : rejilla_.PrimeraEditable(fila).column();
    rejilla_.setCurrentIndex(rejilla_.Modelo().index(fila, columna));
}

void TNavegador::Actualizar() {
    const ModeloTabla& m = rejilla_.Modelo();
    const int fila = rejilla_.currentIndex().row();
    const int filas = m.rowCount();
    const bool editando = m.Editando();
    const bool alPrincipio = filas == 0 || fila <= 0;
    const bool alFinal = filas == 0 || fila >= filas - 1;
    for (int i : {0, 1, 2}) botones_[static_cast<std::size_t>(i)]->setEnabled(!alPrincipio);
    for (int i : {3, 4, 5}) botones_[static_cast<std::size_t>(i)]->setEnabled(!alFinal);
    botones_[6]->setEnabled(!editando && filas > 0);
    botones_[7]->setEnabled(editando);
    botones_[8]->setEnabled(editando);
    botones_[9]->setEnabled(!editando);
}

// ---- Dialogs

TControlRejilla::TControlRejilla(Tabla& tabla, const dialogos::Dialogo& d, QWidget* propietario)
    : QDialog(propietario) {
    setObjectName(d.nombre);
    setWindowTitle(QString::fromUtf8(d.titulo));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(d.ancho, d.alto);
    move(d.x, d.y);
    setFont(FuenteVentana());

    auto* panel = new TDraw3D({{0, ColorQt(dialogos::kEscritorio)},
                               {dialogos::kFinBandaEscritorio, ColorQt(dialogos::kPanelClaro)}},
                              ColorQt(dialogos::kAguamarina), this);
    panel->setObjectName(d.panel);
    panel->setGeometry(0, 0, d.ancho, d.alto);

    for (const dialogos::Etiqueta& e : d.etiquetas) Etiqueta(panel, e);

    modelo_ = new ModeloTabla(tabla, d.columnas, this);
    rejilla_ = new TRejillaDatos(*modelo_, panel);
    rejilla_->setObjectName(d.nombreRejilla);
    rejilla_->setGeometry(Sitio(d.rejilla));
    navegador_ = new TNavegador(*rejilla_, panel);
    navegador_->setObjectName(d.nombreNavegador);
    navegador_->setGeometry(Sitio(d.navegador));

    auto* salir = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                  QString::fromUtf8(d.textoSalir), panel);
    salir->setObjectName(d.nombreSalir);
    salir->setGeometry(Sitio(d.salir));
    QFont negrita = salir->font();
    negrita.setBold(d.estiloSalir & controles::kNegrita);
    salir->setFont(negrita);
    salir->setAutoDefault(false);
    connect(salir, &QPushButton::clicked, this, &QDialog::close);

    connect(
        modelo_, &ModeloTabla::rechazado, this,
        [this](const QString& mensaje) {
            // The box is the answer to a refused cell: the refusal must not
            // hold back the next "Salir" as well.
            modelo_->TomarEscrituraRechazada();
            CajaError(this, mensaje.toStdString());
        },
        Qt::QueuedConnection);
    rejilla_->setFocus();
}

void TControlRejilla::reject() {
    if (!rejilla_->Dejar()) return;
    QDialog::reject();
}

void TControlRejilla::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

TControlProfesores::TControlProfesores(Tabla& wwTableProft, QWidget* propietario)
    : TControlRejilla(wwTableProft, dialogos::ControlProfesores(), propietario) {}

TControlPlantilla::TControlPlantilla(Tabla& wwTablePlantilla, QWidget* propietario)
    : TControlRejilla(wwTablePlantilla, dialogos::ControlPlantilla(), propietario) {}

}  // namespace brisolt::ventana
