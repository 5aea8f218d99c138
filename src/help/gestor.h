#pragma once
// The help manager: a registry of viewers with IDs, and the routing of each
// request to them. It knows nothing about any help format itself.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "help/interfaces.h"

namespace brisolt {

class GestorAyuda : public IHelpSystem, public IHelpManager {
  public:
    GestorAyuda() = default;
    // Every viewer still registered is shut down, so none keeps a dangling manager.
    ~GestorAyuda() override;
    GestorAyuda(const GestorAyuda&) = delete;
    GestorAyuda& operator=(const GestorAyuda&) = delete;

    // IHelpSystem
    bool ShowHelp(const std::string& keyword, const std::string& helpFile) override;
    bool ShowContextHelp(ContextoAyuda context, const std::string& helpFile) override;
    bool ShowTableOfContents() override;
    bool ShowTopicHelp(const std::string& topic, const std::string& helpFile) override;
    void AssignHelpSelector(std::weak_ptr<IHelpSelector> selector) override;
    bool Hook(VentanaId ventana, const std::string& helpFile, unsigned comando,
              std::uintptr_t datos) override;
    IHelpManager* RegisterViewer(std::shared_ptr<ICustomHelpViewer> viewer) override;

    // IHelpManager
    VentanaId GetHandle() const override { return ventana_; }
    std::string GetHelpFile() const override { return archivo_; }
    std::string GetApplicationHelpFile() const override { return archivoAplicacion_; }
    void Release(std::int32_t viewerId) override;

    // The application object's help file ("Application.HelpFile").
    void FijarArchivoAplicacion(const std::string& archivo) { archivoAplicacion_ = archivo; }
    // The application object's HelpCommand: Hook with the application's help file.
    // The help button sends kHelpContents, F1 kHelpContext with the control's context.
    bool HelpCommand(VentanaId ventana, unsigned comando, std::uintptr_t datos) {
        return Hook(ventana, archivoAplicacion_, comando, datos);
    }
    // The window on whose behalf the next requests are made.
    void FijarVentana(VentanaId ventana) { ventana_ = ventana; }

    std::size_t Visores() const { return visores_.size(); }

    // Old-style help command numbers that Hook understands.
    static constexpr unsigned kHelpContext = 1;
    static constexpr unsigned kHelpContents = 3;

  private:
    struct Registrado {
        std::int32_t id;
        std::shared_ptr<ICustomHelpViewer> visor;
    };

    std::vector<Registrado> visores_;  // in registration order
    std::weak_ptr<IHelpSelector> selector_;
    std::int32_t siguienteId_ = 0;
    VentanaId ventana_ = 0;
    std::string archivo_;
    std::string archivoAplicacion_;
};

}  // namespace brisolt
