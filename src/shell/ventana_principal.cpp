#include "shell/ventana_principal.h"

#include <array>

#ifndef BRISOLT_VERSION
#define BRISOLT_VERSION "0"
#endif

namespace brisolt::principal {
namespace {

using controles::Color;
using controles::kAjustar;
using controles::kNegrita;
using controles::kNormal;
using controles::Rgb;
using controles::Tipo;

constexpr int kAltoCarpeta = 150;
constexpr int kAnchoImportar = 300;

constexpr Color kPropio{};

const std::array<Panel, 3> kPaneles = {{
    {"Draw3D1", Rgb(240, 251, 255), Rgb(150, 190, 235), 1},
    {"Draw3D2", Rgb(255, 255, 255), Rgb(200, 225, 250), 1},
    {"Draw3D3", Rgb(255, 255, 255), Rgb(250, 225, 200), 0},
}};

const std::array<Control, 20> kControles = {{
    // Folder panel.
    {"Label1",
     Tipo::Etiqueta,
     "Draw3D1",
     {14, 3, 0, 0},
     "Carpeta en la que se encuentran los datos de GC",
     kAzul,
     kNormal,
     0,
     0},
    {"EdNuevoDir", Tipo::Edicion, "Draw3D1", {14, 18, 220, 22}, nullptr, kPropio, kNegrita, 1, 1},
    {"ListaDirectorios",
     Tipo::ListaCarpetas,
     "Draw3D1",
     {14, 41, 220, 83},
     nullptr,
     kPropio,
     kNegrita,
     1,
     2},
    {"ListaUnidades",
     Tipo::ListaUnidades,
     "Draw3D1",
     {13, 125, 222, 20},
     nullptr,
     kPropio,
     kNegrita,
     1,
     3},
    {"Label2",
     Tipo::Etiqueta,
     "Draw3D1",
     {303, 3, 0, 0},
     "Código del centro",
     kAzul,
     kNormal,
     0,
     0},
    {"CBCentro", Tipo::Combo, "Draw3D1", {304, 17, 145, 21}, nullptr, kPropio, kNormal, 1, 4},
    {"BClose",
     Tipo::Boton,
     "Draw3D1",
     {304, 51, 89, 25},
     "&Salir",
     kPropio,
     kNormal,
     1,
     5,
     Icono::Cerrar},
    {"Button1", Tipo::Boton, "Draw3D1", {310, 81, 75, 21}, "F1 AYUDA", kPropio, kNormal, 1, 6},
    {"Label7", Tipo::Etiqueta, "Draw3D1", {301, 130, 293, 14}, nullptr, kRojo, kNegrita, 0, 0},
    // Beside the buttons, in the panel's free corner, and only while a
    // command runs: the step in words over a bar.
    {"LabelPaso",
     Tipo::Etiqueta,
     "Draw3D1",
     {400, 46, 192, 30},
     nullptr,
     kPropio,
     kNegrita | kAjustar,
     0,
     0,
     Icono::Ninguno,
     false,
     true},
    {"BarraPaso",
     Tipo::Progreso,
     "Draw3D1",
     {400, 78, 192, 14},
     nullptr,
     kPropio,
     kNormal,
     0,
     0,
     Icono::Ninguno,
     false,
     true},
    // Export panel.
    {"Label8",
     Tipo::Etiqueta,
     "Draw3D2",
     {23, 3, 257, 34},
     "UTILIDAD TRANSFERENCIA DE DATOS                GESCEN<->ZENTARO",
     kAzul,
     kNegrita | kAjustar,
     0,
     0},
    {"Label3",
     Tipo::Etiqueta,
     "Draw3D2",
     {2, 34, 296, 36},
     "Exportar datos desde GC hacia Zentaro (Generador de horarios y organizador de grupos)",
     kPropio,
     kNegrita | kAjustar,
     0,
     0},
    {"Label9",
     Tipo::Etiqueta,
     "Draw3D2",
     {6, 71, 0, 0},
     "Recoger Textos Asignaturas en:",
     kRojo,
     kNegrita,
     0,
     0},
    {"ComboBoxValCast",
     Tipo::ComboEditable,
     "Draw3D2",
     {193, 66, 93, 21},
     kIdiomaInicial,
     kPropio,
     kNegrita,
     1,
     8},
    {"BExportar",
     Tipo::Boton,
     "Draw3D2",
     {71, 90, 89, 25},
     "Aceptar",
     kPropio,
     kNormal,
     1,
     7,
     Icono::Visto,
     true},
    // Import panel.
    {"Label4",
     Tipo::Etiqueta,
     "Draw3D3",
     {6, 0, 281, 25},
     "Importar datos desde Zentaro (hacia GC)",
     kPropio,
     kNegrita | kAjustar,
     0,
     0},
    {"Label5",
     Tipo::Etiqueta,
     "Draw3D3",
     {9, 17, 275, 48},
     "ATENCIÓN. Debería efectuar una copia de seguridad de los datos de GC, antes de lanzar este "
     "proceso.",
     kRojo,
     kNegrita | kAjustar,
     0,
     0},
    {"BImportar",
     Tipo::Boton,
     "Draw3D3",
     {92, 57, 89, 25},
     "Aceptar",
     kPropio,
     kNormal,
     1,
     9,
     Icono::Visto,
     true},
    {"Label6",
     Tipo::Etiqueta,
     "Draw3D3",
     {9, 86, 281, 65},
     "ATENCIÓN. Es necesario reorganizar los archivos de GC después de efectuar este proceso.",
     kRojo,
     kNegrita | kAjustar,
     1,
     0},
}};

}  // namespace

std::span<const Panel> Paneles() {
    return kPaneles;
}

std::span<const Control> Controles() {
    return kControles;
}

const Control* BuscarControl(std::string_view nombre) {
    for (const Control& c : kControles)
        if (nombre == c.nombre) return &c;
    return nullptr;
}

const Panel* BuscarPanel(std::string_view nombre) {
    for (const Panel& p : kPaneles)
        if (nombre == p.nombre) return &p;
    return nullptr;
}

controles::Rect GeometriaPanel(std::string_view panel, bool exportar, bool importar) {
    const int altoArriba = kAlto - kAltoCarpeta;
    if (panel == kPaneles[0].nombre) return {0, altoArriba, kAncho, kAltoCarpeta};
    if (exportar && importar) {
        if (panel == kPaneles[1].nombre) return {0, 0, kAncho - kAnchoImportar, altoArriba};
        return {kAncho - kAnchoImportar, 0, kAnchoImportar, altoArriba};
    }
    return {0, 0, kAncho, altoArriba};
}

std::string TextoProducto() {
    return std::string("Brisolt ") + BRISOLT_VERSION + ". Hecho por el equipo de Brisolt.";
}

}  // namespace brisolt::principal
