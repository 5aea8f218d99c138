// brisolt: the window, on Windows.

#include <windows.h>

#include <string>
#include <vector>

#include "help/sistema.h"
#include "import/devolver.h"
#include "shell/ventana_principal.h"
#include "shell/win32/cajas.h"
#include "shell/win32/exportar_datos.h"
#include "sistema/sistema.h"
#include "tables/error.h"

int main(int argc, char** argv) {
    brisolt::SistemaAyuda().FijarArchivoAplicacion(brisolt::principal::kArchivoAyuda);
    std::vector<std::string> parametros = brisolt::SO().Argumentos(argc, argv);
    if (!parametros.empty()) parametros.erase(parametros.begin());

    // A write-back of the school's timetables cut short is finished or undone
    // before start-up stages them again.
    try {
        if (const auto aviso = brisolt::TerminarDevolucionInterrumpida())
            brisolt::win32::CajaInformacion(nullptr, *aviso);
    } catch (const brisolt::Error& e) {
        brisolt::win32::CajaError(nullptr, e.what());
        return 1;
    }
    brisolt::win32::TExportarDatos ExportarDatos(parametros);
    ExportarDatos.Mostrar();
    return ExportarDatos.Bucle();
}
