#include "help/sistema.h"

#include <memory>

namespace brisolt {
namespace {

struct Sistema {
    Sistema() : winHelp(std::make_shared<VisorWinHelp>()) {
        winHelp->FijarGestor(gestor.RegisterViewer(winHelp));
    }
    // Declared first so the viewer outlives the manager's shut-down of it.
    std::shared_ptr<VisorWinHelp> winHelp;
    GestorAyuda gestor;
};

Sistema& Unico() {
    static Sistema sistema;
    return sistema;
}

}  // namespace

GestorAyuda& SistemaAyuda() {
    return Unico().gestor;
}
VisorWinHelp& WinHelpViewer() {
    return *Unico().winHelp;
}

}  // namespace brisolt
