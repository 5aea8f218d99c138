#pragma once
// The compiled-help (".chm") viewer of the help system, and the tester that
// keeps the WinHelp viewer from answering for it. The HTML Help control is
// reached through one entry point with its signature; on Linux our own window
// stands in for it, and tests put a recording one in its place.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "help/interfaces.h"

namespace brisolt {

class GestorAyuda;
class VisorWinHelp;

// HtmlHelp(caller window, file, command, data) -> the help window, or 0.
// `archivo` is null when there is no file (command 18).
using EntradaHtmlHelp = std::function<VentanaId(VentanaId llamante, const char* archivo,
                                                unsigned comando, std::uintptr_t datos)>;

// What loading the HTML Help control yields: the entry point, and the library
// that must stay loaded while the entry point is in use. Both empty when the
// control could not be loaded.
struct ControlHtmlHelp {
    std::shared_ptr<void> biblioteca;
    EntradaHtmlHelp entrada;
};
using CargadorHtmlHelp = std::function<ControlHtmlHelp()>;

// The HTML Help commands this viewer sends.
enum ComandoHtmlHelp : unsigned {
    kDisplayTopic = 0,
    kDisplayToc = 1,
    kDisplayIndex = 2,
    kHelpContext = 15,
    kCloseAll = 18,
};

class TQuenHtmlHelpViewer : public IExtendedHelpViewer, public IHelpSelector {
  public:
    // `carpetaPrograma` is put in front of a help file named without a folder.
    TQuenHtmlHelpViewer(const CargadorHtmlHelp& cargar, std::string carpetaPrograma);
    // Clears the process-wide pointer and the entry point, then unloads the control.
    ~TQuenHtmlHelpViewer() override;
    TQuenHtmlHelpViewer(const TQuenHtmlHelpViewer&) = delete;
    TQuenHtmlHelpViewer& operator=(const TQuenHtmlHelpViewer&) = delete;

    // The one viewer of the process; null before load and after unload.
    static TQuenHtmlHelpViewer* Instancia() { return instancia_; }

    // ICustomHelpViewer
    std::string GetViewerName() override { return nombre_; }
    int UnderstandsKeyword(const std::string& helpString) override;
    ListaCadenas GetHelpStrings(const std::string& helpString) override;
    bool CanShowTableOfContents() override { return true; }
    void ShowTableOfContents() override;
    void ShowHelp(const std::string& helpString) override;
    void NotifyID(std::int32_t viewerId) override { id_ = viewerId; }
    void SoftShutDown() override;
    void ShutDown() override;

    // IExtendedHelpViewer
    bool UnderstandsTopic(const std::string& topic) override;
    void DisplayTopic(const std::string& topic) override;
    bool UnderstandsContext(ContextoAyuda context, const std::string& helpFile) override;
    void DisplayHelpByContext(ContextoAyuda context, const std::string& helpFile) override;

    // IHelpSelector
    int SelectKeyword(const ListaCadenas& keywords) override;
    int TableOfContents(const ListaCadenas& contents) override;

    // The help file requests are shown from (see the help manager's two files).
    std::string ArchivoActual() const;

    std::int32_t Id() const { return id_; }
    bool TieneEntrada() const { return static_cast<bool>(entrada_); }
    bool TieneGestor() const { return gestor_ != nullptr; }
    // Received at registration.
    void FijarGestor(IHelpManager* gestor) { gestor_ = gestor; }
    // Program unload: the manager forgets this viewer's ID and the viewer its manager.
    void DarDeBaja();

  private:
    void Llamar(unsigned comando, const std::string& archivo, std::uintptr_t datos) const;

    static inline TQuenHtmlHelpViewer* instancia_ = nullptr;

    std::int32_t id_ = 0;
    std::string nombre_ = "QuenHtmlHelp";
    EntradaHtmlHelp entrada_;
    std::shared_ptr<void> biblioteca_;
    IHelpManager* gestor_ = nullptr;
    std::string extension_ = ".htm";
    std::string carpetaPrograma_;
};

// Answers the WinHelp viewer's questions so that it declines every request.
class TQuenWinHelpTester : public IWinHelpTester {
  public:
    bool CanShowALink(const std::string&, const std::string&) override { return false; }
    bool CanShowTopic(const std::string&, const std::string&) override { return false; }
    bool CanShowContext(ContextoAyuda, const std::string&) override { return false; }
    ListaCadenas GetHelpStrings(const std::string& aLink) override { return {": " + aLink}; }
    std::string GetHelpPath() override { return {}; }
    std::string GetDefaultHelpFile(const std::string&) override { return {}; }
};

// The viewer's registration for the life of the program: created before the
// application's main code runs, destroyed when the program unloads.
class RegistroQuenHtmlHelp {
  public:
    // On the process-wide help system and its WinHelp viewer.
    explicit RegistroQuenHtmlHelp(const CargadorHtmlHelp& cargar = {});
    RegistroQuenHtmlHelp(IHelpSystem& sistema, VisorWinHelp& winHelp,
                         const CargadorHtmlHelp& cargar, std::string carpetaPrograma);
    ~RegistroQuenHtmlHelp();
    RegistroQuenHtmlHelp(const RegistroQuenHtmlHelp&) = delete;
    RegistroQuenHtmlHelp& operator=(const RegistroQuenHtmlHelp&) = delete;

    TQuenHtmlHelpViewer& Visor() { return *visor_; }

  private:
    std::shared_ptr<TQuenHtmlHelpViewer> visor_;
};

}  // namespace brisolt
