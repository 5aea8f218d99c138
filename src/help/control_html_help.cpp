#include "help/control_html_help.h"

#include <memory>

namespace brisolt {

ControlHtmlHelp CargarControlHtmlHelp(const std::string& biblioteca, const std::string& funcion) {
    auto cargada = std::make_shared<Biblioteca>();
    if (cargada->Cargar(biblioteca) != 0) return {};
    const auto entrada = reinterpret_cast<FuncionHtmlHelpA>(cargada->Funcion(funcion));
    if (entrada == nullptr) return {};
    return {cargada,
            [entrada](VentanaId llamante, const char* archivo, unsigned comando,
                      std::uintptr_t datos) { return entrada(llamante, archivo, comando, datos); }};
}

}  // namespace brisolt
