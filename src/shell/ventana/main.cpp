// brisolt: the window.

#include <QApplication>
#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include "help/chm/visor_chm.h"
#include "help/quen_html_help.h"
#include "help/sistema.h"
#include "import/devolver.h"
#include "shell/ventana/cajas.h"
#include "shell/ventana/exportar_datos.h"
#include "tables/error.h"

namespace {

// The help window needs a running QApplication, which does not exist yet
// when the viewer registers at load: the control is made on first use and
// let go of in main while the application still runs.
struct ControlPerezoso {
    std::unique_ptr<brisolt::chm::VisorChm> visor;
};
std::shared_ptr<ControlPerezoso> control = std::make_shared<ControlPerezoso>();

brisolt::ControlHtmlHelp CargarPerezoso() {
    std::weak_ptr<ControlPerezoso> debil = control;
    return {control,
            [debil](brisolt::VentanaId llamante, const char* archivo, unsigned comando,
                    std::uintptr_t datos) -> brisolt::VentanaId {
                auto c = debil.lock();
                if (!c || !QApplication::instance()) return 0;
                if (!c->visor) c->visor = std::make_unique<brisolt::chm::VisorChm>();
                return c->visor->Ejecutar(llamante, archivo, comando, datos);
            }};
}

// Registered at program load, before main runs, and gone at unload.
const brisolt::RegistroQuenHtmlHelp registro(CargarPerezoso);

}  // namespace

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    // The toolkit has put the user's whole locale in force; the C library's
    // number formatting goes back to ".", and the engine reads the user's
    // decimal separator on its own where the user types or reads numbers.
    std::setlocale(LC_NUMERIC, "C");
    brisolt::SistemaAyuda().FijarArchivoAplicacion("GESCEN.chm");
    QApplication::setApplicationName("Brisolt");

    std::vector<std::string> parametros(argv + 1, argv + argc);
    // A write-back of the school's timetables cut short is finished or undone
    // before start-up stages them again.
    try {
        if (const auto aviso = brisolt::TerminarDevolucionInterrumpida())
            brisolt::ventana::CajaInformacion(nullptr, *aviso);
    } catch (const brisolt::Error& e) {
        brisolt::ventana::CajaError(nullptr, e.what());
        return 1;
    }
    int salida = 0;
    {
        brisolt::ventana::TExportarDatos ExportarDatos(parametros);
        // Inside a host window ours is no top-level window, so the application
        // would not notice the last one closing: closing it ends the program.
        QObject::connect(&ExportarDatos, &QDialog::finished, &aplicacion, &QApplication::quit);
        ExportarDatos.show();
        salida = QApplication::exec();
    }
    control->visor.reset();  // its windows must go while the application runs
    return salida;
}
