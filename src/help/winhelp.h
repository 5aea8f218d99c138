#pragma once
// The toolkit's own WinHelp viewer. It is always registered (first) and would
// take ".hlp" requests; once a tester is installed it acts only when the
// tester agrees, which is how the compiled-help viewer keeps it out of the way.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "help/interfaces.h"

namespace brisolt {

// The platform's WinHelp call: window, help file, command, data. None on Linux.
using EntradaWinHelp = std::function<void(VentanaId ventana, const std::string& archivo,
                                          unsigned comando, std::uintptr_t datos)>;

class VisorWinHelp : public IExtendedHelpViewer {
  public:
    explicit VisorWinHelp(EntradaWinHelp entrada = {}) : entrada_(std::move(entrada)) {}

    void InstalarTester(std::shared_ptr<IWinHelpTester> tester) { tester_ = std::move(tester); }
    const std::shared_ptr<IWinHelpTester>& Tester() const { return tester_; }

    std::string GetViewerName() override { return "WinHelp"; }
    int UnderstandsKeyword(const std::string& helpString) override;
    ListaCadenas GetHelpStrings(const std::string& helpString) override;
    bool CanShowTableOfContents() override { return true; }
    void ShowTableOfContents() override;
    void ShowHelp(const std::string& helpString) override;
    void NotifyID(std::int32_t viewerId) override { id_ = viewerId; }
    void SoftShutDown() override;
    void ShutDown() override;

    bool UnderstandsTopic(const std::string& topic) override;
    void DisplayTopic(const std::string& topic) override;
    bool UnderstandsContext(ContextoAyuda context, const std::string& helpFile) override;
    void DisplayHelpByContext(ContextoAyuda context, const std::string& helpFile) override;

    std::int32_t Id() const { return id_; }
    void FijarGestor(IHelpManager* gestor) { gestor_ = gestor; }

    // WinHelp's own command numbers.
    static constexpr unsigned kContext = 1, kQuit = 2, kContents = 3, kKey = 0x101,
                              kCommand = 0x102;

  private:
    std::string Archivo() const;
    void Llamar(unsigned comando, std::uintptr_t datos, const std::string& archivo) const;

    EntradaWinHelp entrada_;
    std::shared_ptr<IWinHelpTester> tester_;
    IHelpManager* gestor_ = nullptr;
    std::int32_t id_ = 0;
};

}  // namespace brisolt
