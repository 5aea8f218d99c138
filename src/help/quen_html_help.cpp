#include "help/quen_html_help.h"

#include <utility>

#include "help/nombres.h"
#include "help/sistema.h"

namespace brisolt {

TQuenHtmlHelpViewer::TQuenHtmlHelpViewer(const CargadorHtmlHelp& cargar,
                                         std::string carpetaPrograma)
    : carpetaPrograma_(std::move(carpetaPrograma)) {
    if (cargar) {
        auto control = cargar();
        biblioteca_ = std::move(control.biblioteca);
        entrada_ = std::move(control.entrada);
    }
    instancia_ = this;
}

TQuenHtmlHelpViewer::~TQuenHtmlHelpViewer() {
    if (instancia_ == this) instancia_ = nullptr;
    // The entry point first: it may point into the library.
    entrada_ = nullptr;
    biblioteca_.reset();
}

std::string TQuenHtmlHelpViewer::ArchivoActual() const {
    if (!gestor_) return {};
    auto archivo = gestor_->GetHelpFile();
    if (archivo.empty()) archivo = gestor_->GetApplicationHelpFile();
    if (!archivo.empty() && SinCarpeta(archivo))
        archivo = carpetaPrograma_ + SeparadorRuta() + archivo;
    return archivo;
}

void TQuenHtmlHelpViewer::Llamar(unsigned comando, const std::string& archivo,
                                 std::uintptr_t datos) const {
    if (!entrada_) return;
    if (comando == kCloseAll) {
        entrada_(0, nullptr, comando, datos);
        return;
    }
    entrada_(gestor_ ? gestor_->GetHandle() : 0, archivo.c_str(), comando, datos);
}

int TQuenHtmlHelpViewer::UnderstandsKeyword(const std::string&) {
    return TieneExtension(ArchivoActual(), ".chm") ? 1 : 0;
}

ListaCadenas TQuenHtmlHelpViewer::GetHelpStrings(const std::string& helpString) {
    return {nombre_ + ": " + helpString};
}

void TQuenHtmlHelpViewer::ShowTableOfContents() {
    const auto archivo = ArchivoActual();
    if (TieneExtension(archivo, ".chm")) Llamar(kDisplayToc, archivo, 0);
}

void TQuenHtmlHelpViewer::ShowHelp(const std::string& helpString) {
    const auto archivo = ArchivoActual();
    if (!TieneExtension(archivo, ".chm")) return;
    const auto dos = helpString.find(':');
    const auto clave = Recortar(dos == std::string::npos ? helpString : helpString.substr(dos + 1));
    Llamar(kDisplayIndex, archivo, reinterpret_cast<std::uintptr_t>(clave.c_str()));
}

void TQuenHtmlHelpViewer::SoftShutDown() {
    Llamar(kCloseAll, {}, 0);
}

void TQuenHtmlHelpViewer::ShutDown() {
    SoftShutDown();
    gestor_ = nullptr;
}

bool TQuenHtmlHelpViewer::UnderstandsTopic(const std::string&) {
    return TieneExtension(ArchivoActual(), ".chm");
}

void TQuenHtmlHelpViewer::DisplayTopic(const std::string& topic) {
    const auto archivo = ArchivoActual();
    if (!TieneExtension(archivo, ".chm")) return;
    std::string tema = topic;
    std::string ext = Extension(topic);
    for (auto& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (ext != ".htm" && ext != ".html") tema += extension_;
    Llamar(kDisplayTopic, archivo + "::/" + tema, 0);
}

bool TQuenHtmlHelpViewer::UnderstandsContext(ContextoAyuda, const std::string& helpFile) {
    return TieneExtension(helpFile, ".chm");
}

void TQuenHtmlHelpViewer::DisplayHelpByContext(ContextoAyuda context, const std::string&) {
    // The current help file, not the name given: they agree in every request the
    // program makes, and the current one carries the program's folder.
    const auto archivo = ArchivoActual();
    if (TieneExtension(archivo, ".chm"))
        Llamar(kHelpContext, archivo, static_cast<std::uint32_t>(context));
}

int TQuenHtmlHelpViewer::SelectKeyword(const ListaCadenas& keywords) {
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        const auto& entrada = keywords[i];
        if (entrada.substr(0, entrada.find(':')) == nombre_) return static_cast<int>(i);
    }
    return 0;
}

int TQuenHtmlHelpViewer::TableOfContents(const ListaCadenas& contents) {
    for (std::size_t i = 0; i < contents.size(); ++i)
        if (contents[i] == nombre_) return static_cast<int>(i);
    return -1;
}

void TQuenHtmlHelpViewer::DarDeBaja() {
    if (!gestor_) return;
    gestor_->Release(id_);
    gestor_ = nullptr;
}

RegistroQuenHtmlHelp::RegistroQuenHtmlHelp(const CargadorHtmlHelp& cargar)
    : RegistroQuenHtmlHelp(SistemaAyuda(), WinHelpViewer(), cargar, CarpetaPrograma()) {}

RegistroQuenHtmlHelp::RegistroQuenHtmlHelp(IHelpSystem& sistema, VisorWinHelp& winHelp,
                                           const CargadorHtmlHelp& cargar,
                                           std::string carpetaPrograma)
    : visor_(std::make_shared<TQuenHtmlHelpViewer>(cargar, std::move(carpetaPrograma))) {
    visor_->FijarGestor(sistema.RegisterViewer(visor_));
    sistema.AssignHelpSelector(visor_);
    winHelp.InstalarTester(std::make_shared<TQuenWinHelpTester>());
}

RegistroQuenHtmlHelp::~RegistroQuenHtmlHelp() {
    visor_->DarDeBaja();
    // The selector is held weakly, so this was the last owner: the viewer goes now.
    visor_.reset();
}

}  // namespace brisolt
