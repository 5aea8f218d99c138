#pragma once
// The seam between a command and the person in front of it. The Qt window,
// brisolt-cli and the tests each implement it; a command never knows which.

#include <string>
#include <string_view>

namespace brisolt {

class Tabla;

class Interfaz {
  public:
    virtual ~Interfaz() = default;

    // Information box (title "Brisolt", one "Aceptar"); returns once acknowledged.
    virtual void Informar(const std::string& texto) = 0;

    virtual void CursorEspera() = 0;  // the hour-glass
    virtual void CursorNormal() = 0;

    // The command has reached step `numero` of `pasos`; `texto` names it in
    // the person's words, number included ("Exportando alumnos (4 de 7)").
    // The window shows it over a progress bar and repaints; brisolt-cli
    // prints it as a line.
    virtual void Paso(const std::string& texto, int numero, int pasos) {
        (void)texto, (void)numero, (void)pasos;
    }
    // How far a long step has got ("Importando el horario: 530 de 1380
    // sesiones"): the same bar, counting within the step. Called often, so
    // a line-per-call front end leaves it out.
    virtual void Avance(const std::string& texto, int hecho, int total) {
        (void)texto, (void)hecho, (void)total;
    }

    // The two modal check dialogs of the import, each over its own open table
    // object (wwTableProft on C:\ZTEMP\proft.dbf, wwTablePlantilla on the
    // staging folder's plantilla). They return when the dialog has closed; the
    // caller then releases the table object.
    virtual void ControlProfesores(Tabla& wwTableProft) = 0;
    virtual void ControlPlantilla(Tabla& wwTablePlantilla) = 0;

    // Disables BExportar and BImportar.
    virtual void DesactivarBotones() = 0;
    // Closes the main window (which writes the completion status in embedded mode).
    virtual void CerrarVentana() = 0;
};

// "Exportando alumnos" at step 4 of 7: "Exportando alumnos (4 de 7)".
inline std::string TextoPaso(std::string_view accion, int numero, int pasos) {
    return std::string(accion) + " (" + std::to_string(numero) + " de " + std::to_string(pasos) +
           ")";
}

}  // namespace brisolt
