#include "help/chm/ventana_ayuda.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "help/chm/sitemap.h"

namespace brisolt::chm {
namespace {

constexpr const char* kEsquema = "chm";
constexpr int kRolLocal = Qt::UserRole;

QString Utf8(const std::string& s) {
    return QString::fromStdString(AUtf8(s));
}

QUrl UrlDe(const Referencia& r) {
    QUrl url;
    url.setScheme(kEsquema);
    url.setPath(QString::fromStdString(r.ruta));
    if (!r.ancla.empty()) url.setFragment(QString::fromStdString(r.ancla));
    return url;
}

QString Escapar(const QString& texto) {
    return texto.toHtmlEscaped();
}

QString PaginaMensaje(const QString& texto) {
    return QStringLiteral("<html><body><h3>Ayuda</h3><p>%1</p></body></html>").arg(Escapar(texto));
}

void AnadirRamas(QTreeWidgetItem* padre, QTreeWidget* arbol,
                 const std::vector<EntradaMapa>& entradas) {
    for (const auto& e : entradas) {
        auto* item = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(arbol);
        item->setText(0, QString::fromStdString(e.nombre));
        item->setData(0, kRolLocal, QString::fromStdString(e.local));
        AnadirRamas(item, arbol, e.hijos);
    }
}

void Aplanar(const std::vector<EntradaMapa>& entradas, std::vector<const EntradaMapa*>& todas) {
    for (const auto& e : entradas) {
        todas.push_back(&e);
        Aplanar(e.hijos, todas);
    }
}

const EntradaMapa* PrimeraConTema(const std::vector<EntradaMapa>& entradas) {
    for (const auto& e : entradas) {
        if (!e.local.empty()) return &e;
        if (const auto* h = PrimeraConTema(e.hijos)) return h;
    }
    return nullptr;
}

}  // namespace

NavegadorChm::NavegadorChm(const ArchivoChm* chm, QWidget* padre) : QTextBrowser(padre), chm_(chm) {
    setOpenExternalLinks(true);
}

QVariant NavegadorChm::loadResource(int tipo, const QUrl& nombre) {
    if (nombre.scheme() != QLatin1String(kEsquema)) return QTextBrowser::loadResource(tipo, nombre);
    const auto pedido = nombre.path().toStdString();
    const auto ruta = chm_ ? chm_->Resolver(pedido) : std::string();
    const auto datos = ruta.empty() ? std::nullopt : chm_->Leer(ruta);
    if (!datos) {
        if (tipo != QTextDocument::HtmlResource) return {};
        return PaginaMensaje(
            QStringLiteral("El tema «%1» no está en el archivo de ayuda.").arg(nombre.path()));
    }
    if (tipo == QTextDocument::ImageResource) return QByteArray::fromStdString(*datos);
    return Utf8(*datos);
}

VentanaAyuda::VentanaAyuda(const QString& ruta, std::unique_ptr<ArchivoChm> chm, QWidget* padre)
    : QWidget(padre, Qt::Window), ruta_(ruta), chm_(std::move(chm)) {
    setAttribute(Qt::WA_DeleteOnClose);
    const auto titulo = chm_ ? Utf8(chm_->Titulo()) : QString();
    setWindowTitle(titulo.isEmpty() ? QStringLiteral("Ayuda") : titulo);
    resize(820, 560);

    pestanas_ = new QTabWidget;
    contenido_ = new QTreeWidget;
    contenido_->setHeaderHidden(true);
    pestanas_->addTab(contenido_, QStringLiteral("Contenido"));

    auto* panelIndice = new QWidget;
    auto* columna = new QVBoxLayout(panelIndice);
    palabra_ = new QLineEdit;
    palabra_->setPlaceholderText(QStringLiteral("Escriba la palabra que busca"));
    indice_ = new QListWidget;
    columna->addWidget(palabra_);
    columna->addWidget(indice_);
    pestanas_->addTab(panelIndice, QStringLiteral("Índice"));

    pagina_ = new NavegadorChm(chm_.get(), nullptr);

    auto* division = new QSplitter;
    division->addWidget(pestanas_);
    division->addWidget(pagina_);
    division->setStretchFactor(1, 3);
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->addWidget(division);

    connect(contenido_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const auto local = item->data(0, kRolLocal).toString();
        if (!local.isEmpty()) MostrarTema(local);
    });
    connect(contenido_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const auto local = item->data(0, kRolLocal).toString();
        if (!local.isEmpty()) MostrarTema(local);
    });
    connect(pagina_, &QTextBrowser::sourceChanged, this, [this] { enMensaje_ = false; });
    connect(palabra_, &QLineEdit::textEdited, this, [this](const QString& p) { SituarIndice(p); });
    connect(palabra_, &QLineEdit::returnPressed, this, [this] {
        if (auto* item = indice_->currentItem()) MostrarTema(item->data(kRolLocal).toString());
    });
    connect(indice_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { MostrarTema(item->data(kRolLocal).toString()); });

    LlenarContenido();
    LlenarIndice();
    if (!chm_) {
        MostrarMensaje(
            QFileInfo::exists(ruta_)
                ? QStringLiteral("El archivo «%1» no es un archivo de ayuda compilada "
                                 "o está dañado.")
                      .arg(ruta_)
                : QStringLiteral("No se encuentra el archivo de ayuda «%1».").arg(ruta_));
    }
}

VentanaAyuda::~VentanaAyuda() = default;

void VentanaAyuda::LlenarContenido() {
    if (!chm_ || chm_->Contenido().empty()) return;
    const auto hhc = chm_->Leer(chm_->Contenido());
    if (!hhc) return;
    AnadirRamas(nullptr, contenido_, LeerMapa(*hhc));
    contenido_->expandToDepth(0);
}

void VentanaAyuda::LlenarIndice() {
    if (!chm_ || chm_->Indice().empty()) return;
    const auto hhk = chm_->Leer(chm_->Indice());
    if (!hhk) return;
    const auto mapa = LeerMapa(*hhk);
    std::vector<const EntradaMapa*> todas;
    Aplanar(mapa, todas);
    std::vector<std::pair<QString, QString>> filas;
    for (const auto* e : todas)
        if (!e->nombre.empty())
            filas.emplace_back(QString::fromStdString(e->nombre), QString::fromStdString(e->local));
    // Sorted as the person reads them, so the nearest entry is well defined.
    std::stable_sort(filas.begin(), filas.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto& [nombre, local] : filas) {
        auto* item = new QListWidgetItem(nombre, indice_);
        item->setData(kRolLocal, local);
    }
}

void VentanaAyuda::SituarIndice(const QString& palabra) {
    if (indice_->count() == 0) return;
    const auto buscada = palabra.trimmed();
    int fila = indice_->count() - 1;
    for (int i = 0; i < indice_->count(); ++i) {
        if (indice_->item(i)->text().compare(buscada, Qt::CaseInsensitive) >= 0) {
            fila = i;
            break;
        }
    }
    indice_->setCurrentRow(fila);
    indice_->scrollToItem(indice_->item(fila));
}

QString VentanaAyuda::TemaActual() const {
    const auto fuente = pagina_->source();
    return !enMensaje_ && fuente.scheme() == QLatin1String(kEsquema) ? fuente.path() : QString();
}

QString VentanaAyuda::TextoPagina() const {
    return pagina_->toPlainText();
}

void VentanaAyuda::MostrarMensaje(const QString& texto) {
    pagina_->setHtml(PaginaMensaje(texto));
    enMensaje_ = true;
}

void VentanaAyuda::MostrarTema(const QString& referencia) {
    if (!chm_) return;  // the window already says the file is missing
    const auto pedida = referencia.toStdString();
    const auto ruta = chm_->Resolver(pedida);
    if (ruta.empty()) {
        MostrarMensaje(
            QStringLiteral("El tema «%1» no está en el archivo de ayuda.").arg(referencia));
        return;
    }
    auto partes = PartirReferencia(pedida);
    partes.ruta = ruta;
    pagina_->setSource(UrlDe(partes));
    // The browser skips loading a page it believes it shows already.
    if (enMensaje_) pagina_->reload();
    enMensaje_ = false;
    MarcarEnContenido(QString::fromStdString(ruta));
}

void VentanaAyuda::MarcarEnContenido(const QString& ruta) {
    for (QTreeWidgetItemIterator it(contenido_); *it; ++it) {
        const auto local = (*it)->data(0, kRolLocal).toString().toStdString();
        if (!local.empty() && chm_->Resolver(local) == ruta.toStdString()) {
            contenido_->setCurrentItem(*it);
            return;
        }
    }
}

void VentanaAyuda::MostrarInicio() {
    if (!chm_) return;
    if (!chm_->TemaInicial().empty()) {
        MostrarTema(QString::fromStdString(chm_->TemaInicial()));
        return;
    }
    if (const auto hhc = chm_->Contenido().empty() ? std::nullopt : chm_->Leer(chm_->Contenido())) {
        const auto mapa = LeerMapa(*hhc);
        if (const auto* primera = PrimeraConTema(mapa)) {
            MostrarTema(QString::fromStdString(primera->local));
            return;
        }
    }
    MostrarMensaje(QStringLiteral("El archivo de ayuda no tiene página inicial."));
}

void VentanaAyuda::MostrarContenido() {
    pestanas_->setCurrentWidget(contenido_);
    MostrarInicio();
}

void VentanaAyuda::MostrarIndice(const QString& palabra) {
    pestanas_->setCurrentIndex(1);
    palabra_->setText(palabra);
    SituarIndice(palabra);
    if (auto* item = indice_->currentItem())
        MostrarTema(item->data(kRolLocal).toString());
    else
        MostrarInicio();
}

void VentanaAyuda::MostrarContexto(std::uint32_t contexto) {
    if (!chm_) return;
    // A number the file does not map opens the start page: the file has no
    // other mapping to offer.
    const auto tema = chm_->TemaDeContexto(contexto);
    const auto ruta = tema ? chm_->Resolver(*tema) : std::string();
    if (ruta.empty()) {
        MostrarInicio();
        return;
    }
    MostrarTema(QString::fromStdString(ruta));
}

}  // namespace brisolt::chm
