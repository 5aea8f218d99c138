#pragma once
// The seam to the person, scripted: records what a command showed and asked,
// in order, and answers the two check dialogs with what the test says.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "comandos/interfaz.h"

namespace brisolt::prueba {

// `sucesos`: "informar:<text>", "espera", "normal", "profesores",
// "plantilla", "botones", "cerrar". The steps and their progress go to
// `progreso`, kept apart from the rest; a test that wants a step where it
// happened among the rest records it from `alPaso`.
class InterfazGuion : public Interfaz {
  public:
    void Informar(const std::string& texto) override { sucesos.push_back("informar:" + texto); }
    void CursorEspera() override { sucesos.push_back("espera"); }
    void CursorNormal() override { sucesos.push_back("normal"); }
    void ControlProfesores(Tabla& t) override {
        sucesos.push_back("profesores");
        if (alProfesores) alProfesores(t);
    }
    void ControlPlantilla(Tabla& t) override {
        sucesos.push_back("plantilla");
        if (alPlantilla) alPlantilla(t);
    }
    void Paso(const std::string& texto, int numero, int pasos) override {
        progreso.push_back({texto, numero, pasos});
        if (alPaso) alPaso(texto, numero, pasos);
    }
    void Avance(const std::string& texto, int hecho, int total) override {
        progreso.push_back({texto, hecho, total});
    }
    void DesactivarBotones() override { sucesos.push_back("botones"); }
    void CerrarVentana() override { sucesos.push_back("cerrar"); }

    int Veces(const std::string& suceso) const {
        return static_cast<int>(std::count(sucesos.begin(), sucesos.end(), suceso));
    }

    std::vector<std::string> sucesos;
    struct Progreso {
        std::string texto;
        int actual, total;
        bool operator==(const Progreso&) const = default;
    };
    std::vector<Progreso> progreso;
    std::function<void(Tabla&)> alProfesores, alPlantilla;
    std::function<void(const std::string&, int, int)> alPaso;
};

// The message of the error `accion` stops with, "" when it ends normally.
template <class F>
std::string MensajeDeError(F&& accion) {
    try {
        accion();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

}  // namespace brisolt::prueba
