#pragma once
// A stand-in for the HTML Help control that records every call it receives.

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "help/control_html_help.h"
#include "help/quen_html_help.h"
#include "help/sistema.h"

namespace brisolt::prueba {

struct Llamada {
    VentanaId llamante = 0;
    std::optional<std::string> archivo;  // nullopt: no file was passed
    unsigned comando = 0;
    std::uintptr_t numero = 0;  // the data, for every command but 2
    std::string texto;          // the data, for command 2 (a keyword)

    bool operator==(const Llamada&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Llamada& l) {
    return os << "{ventana " << l.llamante << ", archivo "
              << (l.archivo ? "\"" + *l.archivo + "\"" : std::string("(ninguno)")) << ", comando "
              << l.comando << ", datos "
              << (l.comando == 2 ? "\"" + l.texto + "\"" : std::to_string(l.numero)) << "}";
}

struct Grabadora {
    std::vector<Llamada> llamadas;

    // The loader hands out a library token whose lifetime the tests can watch.
    CargadorHtmlHelp Cargador(std::weak_ptr<void>* bibliotecaVista = nullptr) {
        return [this, bibliotecaVista] {
            auto biblioteca = std::make_shared<int>(0);
            if (bibliotecaVista) *bibliotecaVista = biblioteca;
            EntradaHtmlHelp entrada = [this](VentanaId v, const char* archivo, unsigned comando,
                                             std::uintptr_t datos) -> VentanaId {
                Llamada l{v,
                          archivo ? std::optional<std::string>(archivo) : std::nullopt,
                          comando,
                          0,
                          {}};
                if (comando == kDisplayIndex)
                    l.texto = reinterpret_cast<const char*>(datos);
                else
                    l.numero = datos;
                llamadas.push_back(l);
                return 0;
            };
            return ControlHtmlHelp{biblioteca, entrada};
        };
    }
};

// The program's own compiled-help viewer (registered at load on Windows) out
// of the way for a scope, and put back as the program has it afterwards.
class SinAyudaDelPrograma {
  public:
    SinAyudaDelPrograma() { QuitarAyudaDelPrograma(); }
    ~SinAyudaDelPrograma() {
#ifdef _WIN32
        RegistrarAyudaDelPrograma([] { return CargarControlHtmlHelp(); });
#endif
    }
    SinAyudaDelPrograma(const SinAyudaDelPrograma&) = delete;
    SinAyudaDelPrograma& operator=(const SinAyudaDelPrograma&) = delete;
};

}  // namespace brisolt::prueba
