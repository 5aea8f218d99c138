#include "shell/ventana/exportar_datos.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <map>
#include <string_view>
#include <utility>

#if BRISOLT_CON_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

#include "export/exportar.h"
#include "help/sistema.h"
#include "import/importar.h"
#include "shell/tecla_intro.h"
#include "shell/ventana/cajas.h"
#include "shell/ventana/control_rejillas.h"
#include "shell/ventana/fuentes.h"
#include "shell/ventana/listas.h"
#include "shell/ventana/panel.h"
#include "shell/ventana_principal.h"
#include "tables/carpetas.h"

namespace brisolt::ventana {
namespace {

using principal::kAlto;
using principal::kAncho;

QColor AColor(const controles::Color& color) {
    return color.definido ? QColor(color.r, color.g, color.b) : QColor();
}

QLabel* Etiqueta(QWidget* panel, const principal::Control& c, const QString& texto) {
    auto* label = new QLabel(texto, panel);
    // Texts such as "GESCEN<->ZENTARO" must never be taken for markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(c.estilo & controles::kAjustar);
    QFont fuente = label->font();
    fuente.setBold(c.estilo & controles::kNegrita);
    label->setFont(fuente);
    if (c.color.definido) {
        QPalette paleta = label->palette();
        paleta.setColor(QPalette::WindowText, AColor(c.color));
        label->setPalette(paleta);
    }
    label->move(c.sitio.x, c.sitio.y);
    label->adjustSize();
    return label;
}

// The rows of a drop-down list. The menu look gives each row just the
// line's height, and the accent of "VALENCIÁ" rises above it: these rows
// leave it room.
class FilasConAcentos : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override {
        QSize tamano = QStyledItemDelegate::sizeHint(opcion, indice);
        tamano.setHeight(std::max(tamano.height(), opcion.fontMetrics.height() + 4));
        return tamano;
    }
};

// Whether the X server knows a window by this number. Embedding into a window
// that does not exist would leave ours nowhere to be seen.
bool ExisteVentanaX11(uint32_t id) {
#if BRISOLT_CON_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return false;
    xcb_connection_t* conexion = x11->connection();
    xcb_generic_error_t* error = nullptr;
    auto* respuesta =
        xcb_get_window_attributes_reply(conexion, xcb_get_window_attributes(conexion, id), &error);
    std::free(respuesta);
    if (error) {
        std::free(error);
        return false;
    }
    return respuesta != nullptr;
#else
    (void)id;
    return false;
#endif
}

}  // namespace

QString TextoProducto() {
    return QString::fromStdString(principal::TextoProducto());
}

TExportarDatos::TExportarDatos(const std::vector<std::string>& parametros, QWidget* padre)
    : QDialog(padre), rutaEjecutable_(RutaEjecutable()) {
    setObjectName(principal::kNombreVentana);
    setWindowTitle(principal::kTitulo);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kAncho, kAlto);
    setFont(FuenteVentana());
    FijarContextoAyuda(this, principal::kContextoVentana);
    CrearControles();

    estado_.carpetaGC = CarpetaTrabajo();
    MostrarCarpetaLista(estado_.carpetaGC);
    Proteger([&] { FormCreate(estado_, *this, parametros); });
}

TExportarDatos::~TExportarDatos() {
    if (espera_) QApplication::restoreOverrideCursor();
    // Our native window is a child of the host's: let go of it before the
    // host's wrapper goes, or the wrapper would take ours along.
    if (anfitriona_)
        if (QWindow* propia = windowHandle()) propia->setParent(nullptr);
}

void TExportarDatos::CrearControles() {
    std::map<std::string_view, TDraw3D*> paneles;
    for (const principal::Panel& p : principal::Paneles()) {
        auto* panel = new TDraw3D({AColor(p.arriba), AColor(p.abajo)}, this);
        panel->setObjectName(p.nombre);
        if (p.contextoAyuda != 0) FijarContextoAyuda(panel, p.contextoAyuda);
        paneles[p.nombre] = panel;
    }
    Draw3D1 = paneles.at("Draw3D1");
    Draw3D2 = paneles.at("Draw3D2");
    Draw3D3 = paneles.at("Draw3D3");
    const controles::Rect abajo = principal::GeometriaPanel("Draw3D1", true, true);
    Draw3D1->setGeometry(abajo.x, abajo.y, abajo.ancho, abajo.alto);

    std::vector<std::pair<int, QWidget*>> tabulacion;
    for (const principal::Control& c : principal::Controles()) {
        TDraw3D* panel = paneles.at(c.panel);
        const QString texto = std::string_view(c.nombre) == "Label7" ? TextoProducto()
                              : c.texto                              ? QString::fromUtf8(c.texto)
                                                                     : QString();
        QWidget* w = nullptr;
        switch (c.tipo) {
            case controles::Tipo::Etiqueta:
                w = Etiqueta(panel, c, texto);
                break;
            case controles::Tipo::Edicion:
                w = new QLineEdit(texto, panel);
                w->installEventFilter(this);
                break;
            case controles::Tipo::ListaCarpetas:
                w = new TListaDirectorios(panel);
                break;
            case controles::Tipo::ListaUnidades:
                w = new TListaUnidades(panel);
                break;
            case controles::Tipo::Combo:
            case controles::Tipo::ComboEditable: {
                auto* combo = new QComboBox(panel);
                const bool editable = c.tipo == controles::Tipo::ComboEditable;
                combo->setEditable(editable);
                if (editable) {
                    combo->setInsertPolicy(QComboBox::NoInsert);
                    for (const char* idioma : principal::kIdiomas)
                        combo->addItem(QString::fromUtf8(idioma));
                    combo->setEditText(texto);
                    // The text is compared exactly: no completion may turn
                    // "castellano" into "CASTELLANO" behind the user's back.
                    combo->setCompleter(nullptr);
                    combo->setFont(FuenteIdioma());
                    combo->setItemDelegate(new FilasConAcentos(combo));
                }
                w = combo;
                break;
            }
            case controles::Tipo::Boton: {
                QIcon icono;
                if (c.icono == principal::Icono::Cerrar)
                    icono = style()->standardIcon(QStyle::SP_DialogCloseButton);
                else if (c.icono == principal::Icono::Visto)
                    icono = style()->standardIcon(QStyle::SP_DialogApplyButton);
                auto* boton = new QPushButton(icono, texto, panel);
                boton->setDefault(c.porDefecto);
                w = boton;
                break;
            }
            case controles::Tipo::Progreso: {
                auto* barra = new QProgressBar(panel);
                barra->setTextVisible(false);
                w = barra;
                break;
            }
            default:
                continue;
        }
        w->setObjectName(c.nombre);
        if (c.tipo != controles::Tipo::Etiqueta)
            w->setGeometry(c.sitio.x, c.sitio.y, c.sitio.ancho, c.sitio.alto);
        else if (c.sitio.ancho > 0)
            w->resize(c.sitio.ancho, c.sitio.alto);
        if ((c.estilo & controles::kNegrita) && c.tipo != controles::Tipo::Etiqueta &&
            c.tipo != controles::Tipo::ComboEditable) {
            QFont fuente = w->font();
            fuente.setBold(true);
            w->setFont(fuente);
        }
        if (c.contextoAyuda != 0) FijarContextoAyuda(w, c.contextoAyuda);
        if (c.tabulacion != 0) tabulacion.emplace_back(c.tabulacion, w);
    }
    EdNuevoDir = findChild<QLineEdit*>("EdNuevoDir");
    ListaDirectorios = findChild<TListaDirectorios*>("ListaDirectorios");
    ListaUnidades = findChild<TListaUnidades*>("ListaUnidades");
    CBCentro = findChild<QComboBox*>("CBCentro");
    ComboBoxValCast = findChild<QComboBox*>("ComboBoxValCast");
    BClose = findChild<QPushButton*>("BClose");
    Button1 = findChild<QPushButton*>("Button1");
    BExportar = findChild<QPushButton*>("BExportar");
    BImportar = findChild<QPushButton*>("BImportar");
    LabelPaso = findChild<QLabel*>("LabelPaso");
    BarraPaso = findChild<QProgressBar*>("BarraPaso");
    OcultarProgreso();
    // Only one button at a time can be the toolkit's default: Enter's choice
    // between the two is made in MostrarPaneles.
    MostrarPaneles(true, true);

    std::sort(tabulacion.begin(), tabulacion.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabulacion.size(); ++i)
        setTabOrder(tabulacion[i - 1].second, tabulacion[i].second);

    connect(BClose, &QPushButton::clicked, this, &QWidget::close);
    connect(Button1, &QPushButton::clicked, this, &TExportarDatos::Button1Click);
    connect(BExportar, &QPushButton::clicked, this, &TExportarDatos::BExportarClick);
    connect(BImportar, &QPushButton::clicked, this, &TExportarDatos::BImportarClick);
    connect(ListaDirectorios, &TListaDirectorios::carpetaPedida, this,
            &TExportarDatos::CambiarCarpeta);
    connect(ListaUnidades, &TListaUnidades::carpetaPedida, this, &TExportarDatos::CambiarCarpeta);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &TExportarDatos::AyudaF1);
}

template <class F>
bool TExportarDatos::Proteger(F&& manejador) {
    try {
        manejador();
        return true;
    } catch (const std::exception& e) {
        CajaError(this, e.what());
        return false;
    }
}

void TExportarDatos::LeerEleccionesUsuario() {
    estado_.CBCentro = CBCentro->currentText().toStdString();
    estado_.ComboBoxValCast = ComboBoxValCast->currentText().toStdString();
}

void TExportarDatos::CambiarCarpeta(const std::string& carpeta) {
    Proteger([&] { FijarCarpetaLista(estado_, *this, carpeta); });
    // On failure the lists go back to the folder that stands.
    ListaUnidades->SeguirCarpeta(estado_.carpetaGC);
}

void TExportarDatos::Ejecutar(void (*comando)(Estado&, Interfaz&)) {
    if (ocupado_) return;
    LeerEleccionesUsuario();
    ocupado_ = true;
    // A failed step stays on show while its error box is open.
    Proteger([&] { comando(estado_, *this); });
    OcultarProgreso();
    ocupado_ = false;
}

void TExportarDatos::BExportarClick() {
    Ejecutar(&::brisolt::BExportarClick);
}

void TExportarDatos::BImportarClick() {
    Ejecutar(&::brisolt::BImportarClick);
}

void TExportarDatos::Button1Click() {
    AyudaContenido(static_cast<VentanaId>(winId()), principal::kArchivoAyuda);
}

void TExportarDatos::AyudaF1() {
    const QWidget* foco = QApplication::focusWidget();
    if (!foco || foco->window() != this) foco = this;
    AyudaContexto(static_cast<VentanaId>(winId()), ContextoAyudaEfectivo(foco));
}

void TExportarDatos::closeEvent(QCloseEvent* evento) {
    if (ocupado_ && !cierreDelComando_) {
        evento->ignore();
        return;
    }
    if (!Proteger([&] { FormClose(estado_, rutaEjecutable_); })) {
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

void TExportarDatos::keyPressEvent(QKeyEvent* evento) {
    // Escape would reject the dialog; the window closes only through Salir,
    // the close box or a command.
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

bool TExportarDatos::eventFilter(QObject* objeto, QEvent* evento) {
    // Nothing reads the folder field: Enter in it must not reach the
    // window's default button either.
    if (objeto == EdNuevoDir && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

// ---- Interfaz

void TExportarDatos::Informar(const std::string& texto) {
    CajaInformacion(this, texto);
}

void TExportarDatos::CursorEspera() {
    if (espera_) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    espera_ = true;
}

void TExportarDatos::CursorNormal() {
    if (espera_) QApplication::restoreOverrideCursor();
    espera_ = false;
}

void TExportarDatos::Paso(const std::string& texto, int numero, int pasos) {
    MostrarProgreso(texto, numero, pasos);
}

void TExportarDatos::Avance(const std::string& texto, int hecho, int total) {
    MostrarProgreso(texto, hecho, total);
}

void TExportarDatos::MostrarProgreso(const std::string& texto, int actual, int total) {
    LabelPaso->setText(QString::fromStdString(texto));
    BarraPaso->setRange(0, std::max(total, 1));
    BarraPaso->setValue(std::clamp(actual, 0, std::max(total, 1)));
    LabelPaso->show();
    BarraPaso->show();
    // The command runs on this thread: let the window repaint, but keep
    // clicks and keys for after it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TExportarDatos::OcultarProgreso() {
    LabelPaso->hide();
    LabelPaso->clear();
    BarraPaso->hide();
    BarraPaso->reset();
}

void TExportarDatos::ControlProfesores(Tabla& wwTableProft) {
    CursorNormal();
    TControlProfesores dialogo(wwTableProft, this);
    dialogo.exec();
}

void TExportarDatos::ControlPlantilla(Tabla& wwTablePlantilla) {
    CursorNormal();
    TControlPlantilla dialogo(wwTablePlantilla, this);
    dialogo.exec();
}

void TExportarDatos::DesactivarBotones() {
    BExportar->setEnabled(false);
    BImportar->setEnabled(false);
}

void TExportarDatos::CerrarVentana() {
    cierreDelComando_ = true;
    close();
    cierreDelComando_ = false;
}

// ---- VentanaArranque

void TExportarDatos::Incrustar(uint32_t anfitriona) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    if (anfitriona != 0 && ExisteVentanaX11(anfitriona)) {
        anfitriona_.reset(QWindow::fromWinId(static_cast<WId>(anfitriona)));
        if (anfitriona_) {
            winId();  // the native window must exist to be given a parent
            windowHandle()->setParent(anfitriona_.get());
        }
    }
    move(2, 2);
}

void TExportarDatos::MostrarPaneles(bool exportar, bool importar) {
    Draw3D2->setVisible(exportar);
    Draw3D3->setVisible(importar);
    if (BExportar && BImportar)
        (BotonPorDefecto(exportar, importar) == BotonIntro::Importar ? BImportar : BExportar)
            ->setDefault(true);
    for (TDraw3D* panel : {Draw3D2, Draw3D3}) {
        const controles::Rect r =
            principal::GeometriaPanel(panel->objectName().toStdString(), exportar, importar);
        panel->setGeometry(r.x, r.y, r.ancho, r.alto);
    }
}

void TExportarDatos::MostrarCarpetaLista(const std::string& carpeta) {
    ListaDirectorios->Mostrar(carpeta);
    ListaUnidades->SeguirCarpeta(carpeta);
}

void TExportarDatos::MostrarEdNuevoDir(const std::string& texto) {
    // In the spelling the person knows from the two Windows programs.
    EdNuevoDir->setText(QString::fromStdString(RutaVisible(texto)));
}

void TExportarDatos::AgregarCentro(const std::string& codigo) {
    CBCentro->addItem(QString::fromStdString(codigo));
    // The list selects nothing until start-up picks the first item.
    if (CBCentro->count() == 1) CBCentro->setCurrentIndex(-1);
}

void TExportarDatos::SeleccionarCentro(int indice) {
    CBCentro->setCurrentIndex(indice);
}

}  // namespace brisolt::ventana
