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
#include "tables/carpetas.h"

#ifndef BRISOLT_VERSION
#define BRISOLT_VERSION "0"
#endif

namespace brisolt::ventana {
namespace {

constexpr int kAncho = 599;
constexpr int kAlto = 267;
constexpr int kAltoCarpeta = 150;
constexpr int kAnchoImportar = 300;
constexpr const char* kArchivoAyuda = "GESCEN.chm";

const QColor kRojo(255, 0, 0);
const QColor kAzul(0, 0, 255);

enum Estilo : unsigned {
    kNormal = 0,
    kNegrita = 1,
    kAjustar = 2,
};

QLabel* Etiqueta(QWidget* panel, const char* nombre, const QString& texto, int x, int y,
                 unsigned estilo, const QColor& color = QColor()) {
    auto* label = new QLabel(texto, panel);
    label->setObjectName(nombre);
    // Texts such as "GESCEN<->ZENTARO" must never be taken for markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont fuente = label->font();
    fuente.setBold(estilo & kNegrita);
    label->setFont(fuente);
    label->setWordWrap(estilo & kAjustar);
    if (color.isValid()) {
        QPalette paleta = label->palette();
        paleta.setColor(QPalette::WindowText, color);
        label->setPalette(paleta);
    }
    label->move(x, y);
    label->adjustSize();
    return label;
}

void Colocar(QLabel* label, int ancho, int alto) {
    label->resize(ancho, alto);
}

void Negrita(QWidget* control) {
    QFont fuente = control->font();
    fuente.setBold(true);
    control->setFont(fuente);
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
    return QStringLiteral("Brisolt %1. Hecho por el equipo de Brisolt.")
        .arg(QStringLiteral(BRISOLT_VERSION));
}

TExportarDatos::TExportarDatos(const std::vector<std::string>& parametros, QWidget* padre)
    : QDialog(padre), rutaEjecutable_(RutaEjecutable()) {
    setObjectName("ExportarDatos");
    setWindowTitle("Exportar e importar datos ");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kAncho, kAlto);
    setFont(FuenteVentana());
    FijarContextoAyuda(this, 1);
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
    Draw3D1 = new TDraw3D({QColor(240, 251, 255), QColor(150, 190, 235)}, this);
    Draw3D1->setObjectName("Draw3D1");
    Draw3D1->setGeometry(0, kAlto - kAltoCarpeta, kAncho, kAltoCarpeta);
    Draw3D2 = new TDraw3D({QColor(255, 255, 255), QColor(200, 225, 250)}, this);
    Draw3D2->setObjectName("Draw3D2");
    Draw3D3 = new TDraw3D({QColor(255, 255, 255), QColor(250, 225, 200)}, this);
    Draw3D3->setObjectName("Draw3D3");
    MostrarPaneles(true, true);
    FijarContextoAyuda(Draw3D1, 1);
    FijarContextoAyuda(Draw3D2, 1);

    // Folder panel.
    Etiqueta(Draw3D1, "Label1", "Carpeta en la que se encuentran los datos de GC", 14, 3, kNormal,
             kAzul);
    EdNuevoDir = new QLineEdit(Draw3D1);
    EdNuevoDir->setObjectName("EdNuevoDir");
    EdNuevoDir->setGeometry(14, 18, 220, 22);
    Negrita(EdNuevoDir);
    EdNuevoDir->installEventFilter(this);
    ListaDirectorios = new TListaDirectorios(Draw3D1);
    ListaDirectorios->setObjectName("ListaDirectorios");
    ListaDirectorios->setGeometry(14, 41, 220, 83);
    Negrita(ListaDirectorios);
    ListaUnidades = new TListaUnidades(Draw3D1);
    ListaUnidades->setObjectName("ListaUnidades");
    ListaUnidades->setGeometry(13, 125, 222, 20);
    Negrita(ListaUnidades);
    Etiqueta(Draw3D1, "Label2", "Código del centro", 303, 3, kNormal, kAzul);
    CBCentro = new QComboBox(Draw3D1);
    CBCentro->setObjectName("CBCentro");
    CBCentro->setEditable(false);
    CBCentro->setGeometry(304, 17, 145, 21);
    BClose =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), "&Salir", Draw3D1);
    BClose->setObjectName("BClose");
    BClose->setGeometry(304, 51, 89, 25);
    Button1 = new QPushButton("F1 AYUDA", Draw3D1);
    Button1->setObjectName("Button1");
    Button1->setGeometry(310, 81, 75, 21);
    QLabel* label7 = Etiqueta(Draw3D1, "Label7", TextoProducto(), 301, 130, kNegrita, kRojo);
    Colocar(label7, 293, 14);
    // Beside the buttons, in the panel's free corner, and only while a command
    // runs: the step in words over a bar.
    LabelPaso = Etiqueta(Draw3D1, "LabelPaso", QString(), 400, 46, kNegrita | kAjustar);
    Colocar(LabelPaso, 192, 30);
    BarraPaso = new QProgressBar(Draw3D1);
    BarraPaso->setObjectName("BarraPaso");
    BarraPaso->setGeometry(400, 78, 192, 14);
    BarraPaso->setTextVisible(false);
    OcultarProgreso();

    // Export panel.
    Colocar(Etiqueta(Draw3D2, "Label8",
                     "UTILIDAD TRANSFERENCIA DE DATOS                GESCEN<->ZENTARO", 23, 3,
                     kNegrita | kAjustar, kAzul),
            257, 34);
    Colocar(Etiqueta(Draw3D2, "Label3",
                     "Exportar datos desde GC hacia Zentaro (Generador de horarios y "
                     "organizador de grupos)",
                     2, 34, kNegrita | kAjustar),
            296, 36);
    Etiqueta(Draw3D2, "Label9", "Recoger Textos Asignaturas en:", 6, 71, kNegrita, kRojo);
    ComboBoxValCast = new QComboBox(Draw3D2);
    ComboBoxValCast->setObjectName("ComboBoxValCast");
    ComboBoxValCast->setEditable(true);
    ComboBoxValCast->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxValCast->addItems({"VALENCIÁ", "CASTELLANO"});
    ComboBoxValCast->setEditText("VALENCIÁ");
    // The text is compared exactly: no completion may turn "castellano" into
    // "CASTELLANO" behind the user's back.
    ComboBoxValCast->setCompleter(nullptr);
    ComboBoxValCast->setGeometry(193, 66, 93, 21);
    ComboBoxValCast->setFont(FuenteIdioma());
    ComboBoxValCast->setItemDelegate(new FilasConAcentos(ComboBoxValCast));
    const QIcon tick = style()->standardIcon(QStyle::SP_DialogApplyButton);
    BExportar = new QPushButton(tick, "Aceptar", Draw3D2);
    BExportar->setObjectName("BExportar");
    BExportar->setGeometry(71, 90, 89, 25);
    BExportar->setDefault(true);

    // Import panel.
    Colocar(Etiqueta(Draw3D3, "Label4", "Importar datos desde Zentaro (hacia GC)", 6, 0,
                     kNegrita | kAjustar),
            281, 25);
    Colocar(Etiqueta(Draw3D3, "Label5",
                     "ATENCIÓN. Debería efectuar una copia de seguridad de los datos de GC, "
                     "antes de lanzar este proceso.",
                     9, 17, kNegrita | kAjustar, kRojo),
            275, 48);
    BImportar = new QPushButton(tick, "Aceptar", Draw3D3);
    BImportar->setObjectName("BImportar");
    BImportar->setGeometry(92, 57, 89, 25);
    BImportar->setDefault(true);
    // Only one button at a time can be the toolkit's default: Enter's choice
    // between the two is made in MostrarPaneles.
    MostrarPaneles(true, true);
    QLabel* label6 = Etiqueta(Draw3D3, "Label6",
                              "ATENCIÓN. Es necesario reorganizar los archivos de GC después de "
                              "efectuar este proceso.",
                              9, 86, kNegrita | kAjustar, kRojo);
    Colocar(label6, 281, 65);
    FijarContextoAyuda(label6, 1);

    for (QWidget* control :
         std::initializer_list<QWidget*>{EdNuevoDir, ListaDirectorios, ListaUnidades, CBCentro,
                                         BClose, Button1, BExportar, ComboBoxValCast, BImportar})
        FijarContextoAyuda(control, 1);
    QWidget* anterior = nullptr;
    for (QWidget* control :
         std::initializer_list<QWidget*>{EdNuevoDir, ListaDirectorios, ListaUnidades, CBCentro,
                                         BClose, Button1, BExportar, ComboBoxValCast, BImportar}) {
        if (anterior) setTabOrder(anterior, control);
        anterior = control;
    }

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
    GestorAyuda& ayuda = SistemaAyuda();
    ayuda.FijarArchivoAplicacion(kArchivoAyuda);
    const auto id = static_cast<VentanaId>(winId());
    ayuda.FijarVentana(id);
    ayuda.HelpCommand(id, GestorAyuda::kHelpContents, 0);
}

void TExportarDatos::AyudaF1() {
    const QWidget* foco = QApplication::focusWidget();
    if (!foco || foco->window() != this) foco = this;
    GestorAyuda& ayuda = SistemaAyuda();
    const auto id = static_cast<VentanaId>(winId());
    ayuda.FijarVentana(id);
    ayuda.HelpCommand(id, GestorAyuda::kHelpContext,
                      static_cast<std::uintptr_t>(ContextoAyudaEfectivo(foco)));
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
    const int alto = kAlto - kAltoCarpeta;
    Draw3D2->setVisible(exportar);
    Draw3D3->setVisible(importar);
    if (BExportar && BImportar)
        (BotonPorDefecto(exportar, importar) == BotonIntro::Importar ? BImportar : BExportar)
            ->setDefault(true);
    if (exportar && importar) {
        Draw3D2->setGeometry(0, 0, kAncho - kAnchoImportar, alto);
        Draw3D3->setGeometry(kAncho - kAnchoImportar, 0, kAnchoImportar, alto);
    } else {
        Draw3D2->setGeometry(0, 0, kAncho, alto);
        Draw3D3->setGeometry(0, 0, kAncho, alto);
    }
}

void TExportarDatos::MostrarCarpetaLista(const std::string& carpeta) {
    ListaDirectorios->Mostrar(carpeta);
    ListaUnidades->SeguirCarpeta(carpeta);
}

void TExportarDatos::MostrarEdNuevoDir(const std::string& texto) {
    // In the spelling the person knows from the two Windows programs.
    EdNuevoDir->setText(QString::fromStdString(RutaWindows(texto)));
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
