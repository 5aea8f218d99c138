#pragma once
// The command seam for brisolt-cli: information messages and the steps of a
// command go to standard output, one line each, and need no answer; the
// dialogs are answered by the hooks the subcommand sets.

#include <functional>
#include <string>

#include "comandos/interfaz.h"

namespace brisolt::cli {

class InterfazConsola : public Interfaz {
  public:
    void Informar(const std::string& texto) override;
    void CursorEspera() override {}
    void CursorNormal() override {}
    void Paso(const std::string& texto, int numero, int pasos) override;
    void ControlProfesores(Tabla& wwTableProft) override;
    void ControlPlantilla(Tabla& wwTablePlantilla) override;
    void DesactivarBotones() override { botonesDesactivados = true; }
    void CerrarVentana() override { ventanaCerrada = true; }

    std::function<void(Tabla&)> alControlProfesores;
    std::function<void(Tabla&)> alControlPlantilla;
    std::string ultimoMensaje;
    bool botonesDesactivados = false;
    bool ventanaCerrada = false;
};

}  // namespace brisolt::cli
