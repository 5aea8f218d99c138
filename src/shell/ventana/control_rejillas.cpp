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
#include <array>

#include "import/control_profesores.h"
#include "shell/ventana/cajas.h"
#include "shell/ventana/fuentes.h"
#include "shell/ventana/panel.h"

namespace brisolt::ventana {
namespace {

const QColor kFilaClara(240, 251, 255);
const QColor kFilaOscura(207, 217, 254);
const QColor kTitulos(254, 228, 169);
const QColor kEscritorio(58, 110, 165);
const QColor kAguamarina(0, 255, 255);
const QColor kResalte(0, 102, 204);
const QColor kAzulMarino(0, 0, 128);
const QColor kFondoAviso(240, 202, 166);
constexpr int kFinBandaEscritorio = 8;  // pixels

bool Dentro(const QWidget* hijo, const QWidget* padre) {
    for (; hijo; hijo = hijo->parentWidget())
        if (hijo == padre) return true;
    return false;
}

QLabel* Etiqueta(QWidget* panel, const char* nombre, const QString& texto, const QRect& sitio) {
    auto* label = new QLabel(texto, panel);
    label->setObjectName(nombre);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(sitio);
    return label;
}

void Pintar(QWidget* w, QPalette::ColorRole rol, const QColor& color) {
    QPalette paleta = w->palette();
    paleta.setColor(rol, color);
    w->setPalette(paleta);
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
    Pintar(this, QPalette::Base, kFilaClara);
    Pintar(this, QPalette::AlternateBase, kFilaOscura);

    QHeaderView* titulos = horizontalHeader();
    titulos->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; font-weight: bold; "
                       "border: 1px solid gray; padding: 1px; }")
            .arg(kTitulos.name()));
    titulos->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Two title lines.
    titulos->setFixedHeight(2 * fontMetrics().height() + 6);
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
    struct Definicion {
        const char* nombre;
        const char* glifo;
        const char* pista;
    };
    static constexpr std::array<Definicion, kBotones> kDefiniciones{{
        {"nbFirst", "|◀", "Move to first record"},
        {"nbPriorPage", "◀◀", "Move backward 10 records"},
        {"nbPrior", "◀", "Move to prior record"},
        {"nbNext", "▶", "Move to next record"},
        {"nbNextPage", "▶▶", "Move forward 10 records"},
        {"nbLast", "▶|", "Move to last record"},
        {"nbEdit", "✎", "Edit current record"},
        {"nbPost", "✔", "Post changes of current record"},
        {"nbCancel", "✖", "Cancel changes made to current record"},
        {"nbRefresh", "↻", "Refresh the contents of the dataset"},
    }};
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(0);
    for (const auto& d : kDefiniciones) {
        auto* boton = new QToolButton(this);
        boton->setObjectName(d.nombre);
        boton->setText(QString::fromUtf8(d.glifo));
        boton->setToolTip(d.pista);
        boton->setFocusPolicy(Qt::NoFocus);  // the grid keeps the focus
        boton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        fila->addWidget(boton);
        botones_.push_back(boton);
    }
    ModeloTabla& m = rejilla_.Modelo();
    auto actual = [this] { return rejilla_.currentIndex().row(); };
    connect(botones_[0], &QToolButton::clicked, this, [this] { IrA(0); });
    connect(botones_[1], &QToolButton::clicked, this, [this, actual] { IrA(actual() - 10); });
    connect(botones_[2], &QToolButton::clicked, this, [this, actual] { IrA(actual() - 1); });
    connect(botones_[3], &QToolButton::clicked, this, [this, actual] { IrA(actual() + 1); });
    connect(botones_[4], &QToolButton::clicked, this, [this, actual] { IrA(actual() + 10); });
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

TControlRejilla::TControlRejilla(Tabla& tabla, std::vector<ColumnaRejilla> columnas,
                                 const Disposicion& d, QWidget* propietario)
    : QDialog(propietario) {
    setObjectName(d.nombre);
    setWindowTitle(d.titulo);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(d.cliente);
    move(24, 25);
    setFont(FuenteVentana());

    // The desktop colour only as a band along the top edge: the titles below
    // it, in the hot-track blue, need the light part behind them.
    auto* panel =
        new TDraw3D({{0, kEscritorio}, {kFinBandaEscritorio, kFilaClara}}, kAguamarina, this);
    panel->setObjectName("Draw3D1");
    panel->setGeometry(QRect(QPoint(0, 0), d.cliente));

    QLabel* label1 = Etiqueta(panel, "Label1", d.textoLabel1, d.label1);
    label1->setWordWrap(true);
    QFont grande = label1->font();
    grande.setBold(true);
    grande.setPixelSize(13);
    label1->setFont(grande);
    Pintar(label1, QPalette::WindowText, kResalte);

    modelo_ = new ModeloTabla(tabla, std::move(columnas), this);
    rejilla_ = new TRejillaDatos(*modelo_, panel);
    rejilla_->setObjectName(d.nombreRejilla);
    rejilla_->setGeometry(d.rejilla);
    navegador_ = new TNavegador(*rejilla_, panel);
    navegador_->setObjectName("wwDBNavigator1");
    navegador_->setGeometry(d.navegador);

    QLabel* label3 = Etiqueta(panel, "Label3", d.textoLabel3, d.label3);
    label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont subrayada = label3->font();
    subrayada.setBold(true);
    subrayada.setUnderline(true);
    label3->setFont(subrayada);
    Pintar(label3, QPalette::WindowText, Qt::red);
    Pintar(label3, QPalette::Window, kFondoAviso);
    label3->setAutoFillBackground(true);

    QLabel* label2 = Etiqueta(panel, "Label2", d.textoLabel2, d.label2);
    label2->setWordWrap(true);
    QFont negrita = label2->font();
    negrita.setBold(true);
    label2->setFont(negrita);
    Pintar(label2, QPalette::WindowText, kAzulMarino);

    auto* salir =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), "Salir", panel);
    salir->setObjectName("BitBtn1");
    salir->setGeometry(d.salir);
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
    : TControlRejilla(
          wwTableProft,
          {{"ABREV", 4, "ABREV", true, {}},
           {"NOMBRE", 40, "NOMBRE", true, {}},
           {"DEPART", 12, "DEPARTAMENTO", true, {}},
           // A teacher without a DNI is the reason the dialog opens: marked.
           {"DNI", 10, "DNI", false, SinDni}},
          Disposicion{
              "ControlProfesores",
              "Control de Profesores",
              QSize(726, 499),
              QRect(9, 20, 202, 32),
              QRect(9, 56, 504, 433),
              QRect(236, 29, 275, 24),
              QRect(521, 66, 190, 13),
              QRect(517, 91, 201, 104),
              QRect(584, 216, 75, 25),
              "CONTROL DEL D.N.I DE LOS PROFESORES",
              "INCIDENCIAS EN EL TRASPASO",
              "Se ha detectado que existe algún Profesor sin D.N.I. Para poder realizar "
              "correctamente la integración del Horario en GESCEN, deberán asignarlo en esta "
              "rejilla. Los Profesores deberán estar creados previamente en GESCEN, con los "
              "mismos D.N.I's.",
              "ProftDBGrid",
          },
          propietario) {}

TControlPlantilla::TControlPlantilla(Tabla& wwTablePlantilla, QWidget* propietario)
    : TControlRejilla(
          wwTablePlantilla,
          {{"HORA", 7, "HORA", true, {}},
           {"HORAINI", 20, "HORA INICIO CLASE", false, {}},
           {"HORAFIN", 19, "HORA FINAL CLASE", false, {}}},
          Disposicion{
              "ControlPlantilla",
              "Control de Plantilla Horaria",
              QSize(726, 463),
              QRect(9, 12, 151, 64),
              QRect(156, 56, 330, 385),
              QRect(180, 29, 275, 24),
              QRect(505, 57, 210, 13),
              QRect(504, 91, 209, 130),
              QRect(576, 312, 75, 25),
              "COMPROBACIÓN DE LA PLANTILLA HORARIA DEL CENTRO",
              "PLANTILLA HORARIA DEL CENTRO",
              "Se ha recogido la siguiente Plantilla Horaria desde GESCEN. Compruébela y "
              "modifique, en caso necesario, las Horas de Inicio y Final de Clase, en la "
              "presente rejilla. Deben ser iguales que la Plantilla Horaria que estén "
              "utilizando en GESCEN. Una vez adaptada la Rejilla Horaria, Pulse sobre el Botón "
              "Salir.",
              "PlantiHorDBGrid",
          },
          propietario) {}

}  // namespace brisolt::ventana
