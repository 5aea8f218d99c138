#pragma once
// The seam between a command and the person in front of it. The Qt window,
// brisolt-cli and the tests each implement it; a command never knows which.

#include <string>

namespace brisolt {

class Tabla;

class Interfaz {
  public:
    virtual ~Interfaz() = default;

    // Information box (title "Brisolt", one "Aceptar"); returns once acknowledged.
    virtual void Informar(const std::string& texto) = 0;

    virtual void CursorEspera() = 0;  // the hour-glass
    virtual void CursorNormal() = 0;

    // Which step is running, for a progress line; repaint meanwhile.
    virtual void Paso(const std::string& nombre) { (void)nombre; }

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

}  // namespace brisolt
