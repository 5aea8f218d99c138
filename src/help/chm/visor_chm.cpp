#include "help/chm/visor_chm.h"

#include <QApplication>
#include <QFileInfo>
#include <memory>

namespace brisolt::chm {

VisorChm::~VisorChm() {
    CerrarTodas();
}

std::vector<VentanaAyuda*> VisorChm::Ventanas() const {
    std::vector<VentanaAyuda*> abiertas;
    for (const auto& v : ventanas_)
        if (v) abiertas.push_back(v.data());
    return abiertas;
}

void VisorChm::CerrarTodas() {
    auto ventanas = std::move(ventanas_);
    ventanas_.clear();
    for (auto& v : ventanas) delete v.data();  // null when already gone
}

VentanaAyuda* VisorChm::VentanaPara(const QString& ruta, VentanaId llamante) {
    const auto clave = QFileInfo(ruta).absoluteFilePath();
    std::erase_if(ventanas_, [](const auto& v) { return v.isNull(); });
    for (const auto& v : ventanas_)
        if (QFileInfo(v->Ruta()).absoluteFilePath() == clave) return v.data();
    // Owned by the caller's window when we know it, so it closes along with it.
    QWidget* padre = llamante ? QWidget::find(static_cast<WId>(llamante)) : nullptr;
    if (padre) padre = padre->window();
    auto* ventana = new VentanaAyuda(ruta, ArchivoChm::Abrir(ruta.toStdString()), padre);
    ventanas_.emplace_back(ventana);
    return ventana;
}

VentanaId VisorChm::Ejecutar(VentanaId llamante, const char* archivo, unsigned comando,
                             std::uintptr_t datos) {
    if (comando == kCloseAll) {
        CerrarTodas();
        return 0;
    }
    if (comando != kDisplayTopic && comando != kDisplayToc && comando != kDisplayIndex &&
        comando != kHelpContext)
        return 0;
    if (!archivo || !*archivo) return 0;

    // "file::/topic" for a topic; the other commands name the file alone.
    auto texto = QString::fromUtf8(archivo);
    QString tema;
    if (const auto dos = texto.indexOf(QLatin1String("::")); dos >= 0) {
        tema = texto.mid(dos + 2);
        texto.truncate(dos);
    }
    auto* ventana = VentanaPara(texto, llamante);
    switch (comando) {
        case kDisplayTopic:
            if (tema.isEmpty())
                ventana->MostrarContenido();
            else
                ventana->MostrarTema(tema);
            break;
        case kDisplayToc:
            ventana->MostrarContenido();
            break;
        case kDisplayIndex:
            ventana->MostrarIndice(datos ? QString::fromUtf8(reinterpret_cast<const char*>(datos))
                                         : QString());
            break;
        case kHelpContext:
            ventana->MostrarContexto(static_cast<std::uint32_t>(datos));
            break;
    }
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
    return static_cast<VentanaId>(ventana->winId());
}

ControlHtmlHelp CargarControlChm() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return {};
    auto visor = std::make_shared<VisorChm>();
    auto* p = visor.get();
    return ControlHtmlHelp{visor, [p](VentanaId llamante, const char* archivo, unsigned comando,
                                      std::uintptr_t datos) {
                               return p->Ejecutar(llamante, archivo, comando, datos);
                           }};
}

}  // namespace brisolt::chm
