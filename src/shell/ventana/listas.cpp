#include "shell/ventana/listas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/lista_carpetas.h"
#include "tables/carpetas.h"

namespace brisolt::ventana {
namespace fs = std::filesystem;

namespace {

constexpr int kRolRuta = Qt::UserRole;

std::string Canonica(const std::string& ruta) {
    std::error_code ec;
    auto c = fs::weakly_canonical(ruta, ec);
    return ec ? ruta : c.string();
}

bool EsCarpeta(const std::string& ruta) {
    std::error_code ec;
    return fs::is_directory(ruta, ec);
}

// "/a/b" lies on the drive rooted at "/a" (and at "/").
bool Dentro(const std::string& carpeta, const std::string& raiz) {
    if (raiz == "/") return !carpeta.empty() && carpeta[0] == '/';
    return carpeta == raiz ||
           (carpeta.size() > raiz.size() && carpeta.compare(0, raiz.size(), raiz) == 0 &&
            carpeta[raiz.size()] == '/');
}

// /proc/mounts escapes blanks and the like as \ooo.
std::string DesescaparMontaje(const std::string& texto) {
    std::string salida;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '\\' && i + 3 < texto.size()) {
            const std::string oct = texto.substr(i + 1, 3);
            if (oct.size() == 3 &&
                std::all_of(oct.begin(), oct.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                salida += static_cast<char>(std::stoi(oct, nullptr, 8));
                i += 3;
                continue;
            }
        }
        salida += texto[i];
    }
    return salida;
}

std::vector<std::string> Montajes() {
    std::vector<std::string> puntos;
    std::ifstream montajes("/proc/mounts");
    std::string linea;
    while (std::getline(montajes, linea)) {
        std::istringstream campos(linea);
        std::string dispositivo, punto;
        if (!(campos >> dispositivo >> punto)) continue;
        // Volumes only: pseudo file systems have no device node.
        if (dispositivo.rfind("/dev/", 0) != 0) continue;
        punto = DesescaparMontaje(punto);
        if (punto == "/" || !EsCarpeta(punto)) continue;
        puntos.push_back(punto);
    }
    std::sort(puntos.begin(), puntos.end());
    return puntos;
}

}  // namespace

TListaDirectorios::TListaDirectorios(QWidget* padre) : QListWidget(padre) {
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (item) emit carpetaPedida(RutaDe(item));
    });
}

void TListaDirectorios::keyPressEvent(QKeyEvent* evento) {
    QListWidget::keyPressEvent(evento);
    // Enter has opened the folder; it must not go on to the window's
    // default button as well.
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) evento->accept();
}

std::string TListaDirectorios::RutaDe(const QListWidgetItem* item) {
    return item->data(kRolRuta).toString().toStdString();
}

void TListaDirectorios::Mostrar(const std::string& carpeta) {
    carpeta_ = carpeta;
    clear();
    const QIcon abierta = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon cerrada = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const EntradaCarpeta& e : EntradasCarpeta(carpeta)) {
        auto* item =
            new QListWidgetItem(e.abierta ? abierta : cerrada,
                                QString(e.nivel * 2, ' ') + QString::fromStdString(e.nombre), this);
        item->setData(kRolRuta, QString::fromStdString(e.ruta));
        if (e.abierta) setCurrentItem(item);
    }
}

std::vector<Unidad> Unidades() {
    std::vector<Unidad> unidades;
    auto agregar = [&](std::string nombre, const std::string& ruta) {
        if (!EsCarpeta(ruta)) return;
        const std::string raiz = Canonica(ruta);
        for (const auto& u : unidades)
            if (u.raiz == raiz) return;
        unidades.push_back({std::move(nombre), raiz});
    };

    const std::string c = UnidadC();
    agregar("c: [" + c + "]", c);

    // The other drives of the same Wine prefix, as its dosdevices links name them.
    const fs::path prefijo = fs::path(c).parent_path();
    std::vector<std::string> letras;
    std::error_code ec;
    for (fs::directory_iterator it(prefijo / "dosdevices", ec), fin; !ec && it != fin;
         it.increment(ec)) {
        const std::string nombre = it->path().filename().string();
        if (nombre.size() == 2 && nombre[1] == ':' &&
            std::isalpha(static_cast<unsigned char>(nombre[0])))
            letras.push_back(nombre);
    }
    std::sort(letras.begin(), letras.end());
    for (const auto& letra : letras) {
        if (letra == "c:" || letra == "C:") continue;
        const std::string ruta = (prefijo / "dosdevices" / letra).string();
        agregar(letra + " [" + Canonica(ruta) + "]", ruta);
    }

    for (const auto& punto : Montajes()) agregar(punto, punto);
    agregar("/", "/");
    return unidades;
}

TListaUnidades::TListaUnidades(QWidget* padre) : QComboBox(padre), unidades_(Unidades()) {
    const QIcon icono = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const auto& u : unidades_) {
        addItem(icono, QString::fromStdString(u.nombre), QString::fromStdString(u.raiz));
        actuales_.push_back(u.raiz);
    }
    connect(this, &QComboBox::activated, this, [this](int indice) {
        if (indice >= 0 && indice < static_cast<int>(actuales_.size()))
            emit carpetaPedida(actuales_[static_cast<std::size_t>(indice)]);
    });
}

int TListaUnidades::UnidadDe(const std::string& carpeta) const {
    const std::string canonica = Canonica(carpeta);
    int mejor = -1;
    std::size_t largo = 0;
    for (std::size_t i = 0; i < unidades_.size(); ++i) {
        const auto& raiz = unidades_[i].raiz;
        if (Dentro(canonica, raiz) && (mejor < 0 || raiz.size() > largo)) {
            mejor = static_cast<int>(i);
            largo = raiz.size();
        }
    }
    return mejor;
}

void TListaUnidades::SeguirCarpeta(const std::string& carpeta) {
    const int indice = UnidadDe(carpeta);
    if (indice < 0) return;
    actuales_[static_cast<std::size_t>(indice)] = carpeta;
    const QSignalBlocker bloqueo(this);
    setCurrentIndex(indice);
}

}  // namespace brisolt::ventana
