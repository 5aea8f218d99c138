#include "help/sistema.h"

#include <memory>

#include "help/control_html_help.h"
#include "help/nombres.h"

namespace brisolt {
namespace {

struct Sistema {
    Sistema() : winHelp(std::make_shared<VisorWinHelp>()) {
        winHelp->FijarGestor(gestor.RegisterViewer(winHelp));
    }
    // Declared first so the viewer outlives the manager's shut-down of it.
    std::shared_ptr<VisorWinHelp> winHelp;
    GestorAyuda gestor;
    // Declared last: it goes first, while the manager it registered with is there.
    std::unique_ptr<RegistroQuenHtmlHelp> programa;
};

Sistema& Unico() {
    static Sistema sistema;
    return sistema;
}

#ifdef _WIN32
// At program load, before the program's main code runs.
[[maybe_unused]] const bool registrada =
    (RegistrarAyudaDelPrograma([] { return CargarControlHtmlHelp(); }), true);
#endif

}  // namespace

GestorAyuda& SistemaAyuda() {
    return Unico().gestor;
}
VisorWinHelp& WinHelpViewer() {
    return *Unico().winHelp;
}

void RegistrarAyudaDelPrograma(const CargadorHtmlHelp& cargar) {
    auto& s = Unico();
    s.programa.reset();
    s.programa =
        std::make_unique<RegistroQuenHtmlHelp>(s.gestor, *s.winHelp, cargar, CarpetaPrograma());
}

void QuitarAyudaDelPrograma() {
    Unico().programa.reset();
}

void AyudaContenido(VentanaId id, const std::string& archivo) {
    GestorAyuda& ayuda = SistemaAyuda();
    ayuda.FijarArchivoAplicacion(archivo);
    ayuda.FijarVentana(id);
    ayuda.HelpCommand(id, GestorAyuda::kHelpContents, 0);
}

void AyudaContexto(VentanaId id, int contexto) {
    GestorAyuda& ayuda = SistemaAyuda();
    ayuda.FijarVentana(id);
    ayuda.HelpCommand(id, GestorAyuda::kHelpContext, static_cast<std::uintptr_t>(contexto));
}

}  // namespace brisolt
