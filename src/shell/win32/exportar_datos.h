#pragma once
// The main window on Windows, through the Windows API itself: the controls of
// the shared description on their gradient panels, the folder and drive
// lists, the boxes, the cursor and the progress of a running command. Its
// handlers are one-liners into the start-up code and the two commands; every
// error that leaves one of them ends in the error box.

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "comandos/estado.h"
#include "comandos/interfaz.h"
#include "shell/arranque.h"
#include "shell/lista_carpetas.h"
#include "shell/ventana_principal.h"
#include "shell/win32/recursos.h"

namespace brisolt::win32 {

class TExportarDatos : public Interfaz, public VentanaArranque {
  public:
    // `parametros`: the command line without the program name. The window is
    // created hidden and the creation handler runs here, before it is shown.
    explicit TExportarDatos(const std::vector<std::string>& parametros);
    ~TExportarDatos() override;
    TExportarDatos(const TExportarDatos&) = delete;
    TExportarDatos& operator=(const TExportarDatos&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Abierta() const { return hwnd_ != nullptr; }
    // A panel or control of the description by its name; null when there is none.
    HWND Control(std::string_view nombre) const;
    // The name of a panel or control, "" for any other window.
    std::string NombreDe(HWND control) const;

    Estado& EstadoVentana() { return estado_; }
    // Zentaro.ini goes beside this file.
    void FijarRutaEjecutable(std::string ruta) { rutaEjecutable_ = std::move(ruta); }

    void Mostrar();
    // The window's own reading of a message before it is dispatched: Enter,
    // Escape and F1 as the window decides them, then the dialog keys (Tab,
    // Alt+letter). True when the message has been dealt with.
    bool PreTraducir(MSG& mensaje);
    // The message loop, until the window is gone.
    int Bucle();

    bool EnEspera() const { return espera_; }
    // The first non-zero help context from `control` up through its containers.
    int ContextoAyudaEfectivo(HWND control) const;
    // The folder each row of the folder list opens, and each drive's root.
    const std::vector<EntradaCarpeta>& Carpetas() const { return carpetas_; }
    const std::vector<Unidad>& Unidades() const { return unidades_; }

    // Handlers.
    void BExportarClick();
    void BImportarClick();
    void Button1Click();
    void AyudaF1();

    // Interfaz
    void Informar(const std::string& texto) override;
    void CursorEspera() override;
    void CursorNormal() override;
    void Paso(const std::string& texto, int numero, int pasos) override;
    void Avance(const std::string& texto, int hecho, int total) override;
    void ControlProfesores(Tabla& wwTableProft) override;
    void ControlPlantilla(Tabla& wwTablePlantilla) override;
    void DesactivarBotones() override;
    void CerrarVentana() override;

    // VentanaArranque
    void Incrustar(uint32_t anfitriona) override;
    void MostrarPaneles(bool exportar, bool importar) override;
    void MostrarCarpetaLista(const std::string& carpeta) override;
    void MostrarEdNuevoDir(const std::string& texto) override;
    void AgregarCentro(const std::string& codigo) override;
    void SeleccionarCentro(int indice) override;

  private:
    struct Hijo {
        std::string nombre;
        HWND hwnd;
        const principal::Control* control;  // null for a panel
        const principal::Panel* panel;      // null for a control
    };

    static LRESULT CALLBACK ProcedimientoVentana(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ProcedimientoPanel(HWND, UINT, WPARAM, LPARAM);
    LRESULT Mensaje(UINT mensaje, WPARAM w, LPARAM l);
    // Messages of the panels' controls, which the panels pass on here.
    bool MensajeDeControl(UINT mensaje, WPARAM w, LPARAM l, LRESULT* resultado);

    void CrearControles();
    HWND CrearControl(const principal::Control& c, HWND panel, int id);
    const Hijo* Buscar(HWND hwnd) const;
    const Hijo* Buscar(std::string_view nombre) const;
    HWND BotonPorDefecto() const;
    bool Intro(HWND foco);
    void Comando(const Hijo& hijo, int notificacion);
    void DibujarFila(const DRAWITEMSTRUCT& d);

    void CambiarCarpeta(const std::string& carpeta);
    void AbrirCarpetaElegida();
    void UnidadElegida();
    void SeguirCarpetaUnidades(const std::string& carpeta);

    // Runs a handler; an error that leaves it is shown in the error box.
    // Returns whether the handler ran to its end.
    template <class F>
    bool Proteger(F&& manejador);
    // Runs a command with the user's choices, its errors in the error box.
    void Ejecutar(void (*comando)(Estado&, Interfaz&));
    void LeerEleccionesUsuario();
    void MostrarProgreso(const std::string& texto, int actual, int total);
    void OcultarProgreso();
    void Repintar();

    Estado estado_;
    std::string rutaEjecutable_;
    HWND hwnd_ = nullptr;
    std::vector<Hijo> hijos_;
    std::vector<EntradaCarpeta> carpetas_;
    std::vector<Unidad> unidades_;
    std::vector<std::string> actuales_;  // the folder last shown on each drive
    std::vector<Icono> iconosUnidad_;
    bool panelExportar_ = true, panelImportar_ = true;
    bool espera_ = false;
    // A command is running: the window repaints meanwhile, and a close request
    // that arrives then must not pull the window from under it.
    bool ocupado_ = false;
    bool cierreDelComando_ = false;  // the command itself closes the window
    HWND foco_ = nullptr;            // the control with the focus when we were left
    int campoUnidades_ = 14;         // the height of the drive list's own field

    Fuente fuente_, negrita_, fuenteIdioma_;
    Icono visto_, cerrar_, carpetaAbierta_, carpetaCerrada_;
};

}  // namespace brisolt::win32
