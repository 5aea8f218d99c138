#pragma once
// The main window: the school-management folder and centre, the language of
// the subject names, the export and import buttons, help and exit. Its
// handlers are one-liners into the start-up code and the two commands; every
// error that leaves one of them ends in the error box.

#include <QDialog>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "comandos/estado.h"
#include "comandos/interfaz.h"
#include "shell/arranque.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWindow;

namespace brisolt::ventana {

class TDraw3D;
class TListaDirectorios;
class TListaUnidades;

class TExportarDatos : public QDialog, public Interfaz, public VentanaArranque {
    Q_OBJECT
  public:
    // `parametros`: the command line without the program name. The creation
    // handler runs here, before the window is first shown.
    explicit TExportarDatos(const std::vector<std::string>& parametros, QWidget* padre = nullptr);
    ~TExportarDatos() override;

    Estado& EstadoVentana() { return estado_; }
    // Zentaro.ini goes beside this file.
    void FijarRutaEjecutable(std::string ruta) { rutaEjecutable_ = std::move(ruta); }

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

    // Handlers.
    void BExportarClick();
    void BImportarClick();
    void Button1Click();
    void AyudaF1();

  protected:
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void CrearControles();
    void CambiarCarpeta(const std::string& carpeta);
    // Runs a handler; an error that leaves it is shown in the error box.
    // Returns whether the handler ran to its end.
    template <class F>
    bool Proteger(F&& manejador);
    // Runs a command with the user's choices, its errors in the error box.
    void Ejecutar(void (*comando)(Estado&, Interfaz&));
    void LeerEleccionesUsuario();
    // The running command's step over the bar, shown until the command ends.
    void MostrarProgreso(const std::string& texto, int actual, int total);
    void OcultarProgreso();

    Estado estado_;
    std::string rutaEjecutable_;
    bool espera_ = false;  // our override cursor is on the stack
    // A command is running: the window repaints meanwhile, and a close request
    // that arrives then (the close box) must not pull the window from under it.
    bool ocupado_ = false;
    bool cierreDelComando_ = false;  // the command itself closes the window
    std::unique_ptr<QWindow> anfitriona_;

    TDraw3D* Draw3D1 = nullptr;
    TDraw3D* Draw3D2 = nullptr;
    TDraw3D* Draw3D3 = nullptr;
    QLineEdit* EdNuevoDir = nullptr;
    TListaDirectorios* ListaDirectorios = nullptr;
    TListaUnidades* ListaUnidades = nullptr;
    QComboBox* CBCentro = nullptr;
    QComboBox* ComboBoxValCast = nullptr;
    QPushButton* BClose = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* BExportar = nullptr;
    QPushButton* BImportar = nullptr;
    QLabel* LabelPaso = nullptr;
    QProgressBar* BarraPaso = nullptr;
};

// The text of Label7: name, version and maker.
QString TextoProducto();

}  // namespace brisolt::ventana
