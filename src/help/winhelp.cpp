#include "help/winhelp.h"

#include "help/nombres.h"

namespace brisolt {

std::string VisorWinHelp::Archivo() const {
    if (!gestor_) return {};
    auto archivo = gestor_->GetHelpFile();
    return archivo.empty() ? gestor_->GetApplicationHelpFile() : archivo;
}

void VisorWinHelp::Llamar(unsigned comando, std::uintptr_t datos,
                          const std::string& archivo) const {
    if (entrada_) entrada_(gestor_ ? gestor_->GetHandle() : 0, archivo, comando, datos);
}

int VisorWinHelp::UnderstandsKeyword(const std::string& helpString) {
    if (tester_) return static_cast<int>(tester_->GetHelpStrings(helpString).size());
    return TieneExtension(Archivo(), ".hlp") ? 1 : 0;
}

ListaCadenas VisorWinHelp::GetHelpStrings(const std::string& helpString) {
    if (tester_) return tester_->GetHelpStrings(helpString);
    return {GetViewerName() + ": " + helpString};
}

void VisorWinHelp::ShowTableOfContents() {
    Llamar(kContents, 0, Archivo());
}

void VisorWinHelp::ShowHelp(const std::string& helpString) {
    // The keyword is what follows the viewer's "name: " prefix.
    const auto dos = helpString.find(':');
    auto clave = Recortar(dos == std::string::npos ? helpString : helpString.substr(dos + 1));
    Llamar(kKey, reinterpret_cast<std::uintptr_t>(clave.c_str()), Archivo());
}

void VisorWinHelp::SoftShutDown() {
    Llamar(kQuit, 0, {});
}

void VisorWinHelp::ShutDown() {
    SoftShutDown();
    gestor_ = nullptr;
}

bool VisorWinHelp::UnderstandsTopic(const std::string& topic) {
    const auto archivo = Archivo();
    if (tester_) return tester_->CanShowTopic(topic, archivo);
    return TieneExtension(archivo, ".hlp");
}

void VisorWinHelp::DisplayTopic(const std::string& topic) {
    const auto macro = "JumpID(\"\",\"" + topic + "\")";
    Llamar(kCommand, reinterpret_cast<std::uintptr_t>(macro.c_str()), Archivo());
}

bool VisorWinHelp::UnderstandsContext(ContextoAyuda context, const std::string& helpFile) {
    if (tester_) return tester_->CanShowContext(context, helpFile);
    return TieneExtension(helpFile, ".hlp");
}

void VisorWinHelp::DisplayHelpByContext(ContextoAyuda context, const std::string& helpFile) {
    Llamar(kContext, static_cast<std::uint32_t>(context), helpFile.empty() ? Archivo() : helpFile);
}

}  // namespace brisolt
