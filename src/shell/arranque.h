#pragma once
// Start-up and close of the main window without the window: the command line,
// the creation handler's sequence, the folder list's change of folder and the
// completion status written on close. The Qt window implements VentanaArranque
// and calls these from its handlers; an Error that leaves one of them is shown
// by the caller in the error box, and the handler stops where it was.

#include <cstdint>
#include <string>
#include <vector>

#include "comandos/estado.h"

namespace brisolt {

// What start-up asks of the main window.
class VentanaArranque {
  public:
    virtual ~VentanaArranque() = default;

    // Makes the host window (0: none) the parent, removes the frame and places
    // the window at left 2, top 2.
    virtual void Incrustar(uint32_t anfitriona) = 0;
    // Which upper panels show; a panel shown alone fills the area above the
    // folder panel.
    virtual void MostrarPaneles(bool exportar, bool importar) = 0;
    // ListaDirectorios now shows `carpeta`: re-read its tree.
    virtual void MostrarCarpetaLista(const std::string& carpeta) = 0;
    virtual void MostrarEdNuevoDir(const std::string& texto) = 0;
    virtual void AgregarCentro(const std::string& codigo) = 0;  // CBCentro's items
    virtual void SeleccionarCentro(int indice) = 0;
};

// The command line, program name left out.
bool LlamadaIncrustada(const std::vector<std::string>& parametros);  // exactly two
// Letters A to Z lowered, every other byte left alone.
std::string MinusculasAZ(std::string texto);
// "$" + parameter, converted as a whole number; a 32-bit pattern.
// Fails with "'%s' no es un valor entero válido".
uint32_t VentanaAnfitriona(const std::string& parametro);

// The creation handler. estado.carpetaGC is the folder the list shows; empty
// stands for the working folder, which the list shows at start.
void FormCreate(Estado& estado, VentanaArranque& ventana,
                const std::vector<std::string>& parametros);

// The folder list moving to `carpeta` (a Windows or native path): when it is
// another folder, it becomes the working folder and ListaDirectoriosChange
// runs. Fails with the I/O error table's text when it cannot be entered.
void FijarCarpetaLista(Estado& estado, VentanaArranque& ventana, const std::string& carpeta);

// Shows the list's folder in EdNuevoDir and stages the tables from it.
void ListaDirectoriosChange(Estado& estado, VentanaArranque& ventana);

// The centre the window selects at start without a window: the first code
// of the staged centre table, empty when it has none. Fills estado.centros.
std::string PrimerCentro(Estado& estado);

// Zentaro.ini beside the executable (an existing file in any case is used).
std::string RutaIni(const std::string& rutaEjecutable);
std::string RutaEjecutable();
std::string CarpetaTrabajo();

// The close handler: in embedded mode, EstadoTransformado under
// [Transformadores] Transformado=, flushed. Fails with "Unable to write to %s";
// the window then stays open.
void FormClose(const Estado& estado, const std::string& rutaEjecutable);

}  // namespace brisolt
