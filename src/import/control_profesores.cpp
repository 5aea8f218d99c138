#include "import/control_profesores.h"

#include <memory>

#include "tables/tabla.h"

namespace brisolt {

const char* const kMensajeSinDni =
    "¡Atención! Sigue habiendo algún Profesor sin D.N.I.\n\r"
    "Este proceso se dentendrá y deberá volver a ejecutar\n\r"
    "la Importación, para poder corregir la incidencia";

bool SinDni(Tabla& profesores) {
    return profesores.FieldByName("DNI").AsInteger() == 0;
}

namespace {

std::unique_ptr<Tabla> AbrirProfesores() {
    auto tabla = std::make_unique<Tabla>();
    tabla->SetDatabaseName("");
    tabla->SetTableName("C:\\ZTEMP\\PROFT.DBF");
    tabla->Open();
    return tabla;
}

bool FaltaAlgunDni(Tabla& profesores) {
    for (profesores.First(); !profesores.Eof(); profesores.Next())
        if (SinDni(profesores)) return true;
    return false;
}

void MostrarDialogo(Interfaz& interfaz) {
    // The dialog's own table object; releasing it drops an edit still pending.
    Tabla wwTableProft("wwTableProft");
    wwTableProft.SetDatabaseName("C:\\ZTEMP");
    wwTableProft.SetTableName("proft.dbf");
    wwTableProft.Open();
    interfaz.ControlProfesores(wwTableProft);
}

}  // namespace

bool ControlarProfesores(Estado& estado, Interfaz& interfaz, GuardaCursor& cursor) {
    for (int vuelta = 1;; ++vuelta) {
        std::unique_ptr<Tabla> profesores = AbrirProfesores();
        if (!FaltaAlgunDni(*profesores)) {
            estado.tablaProfesores = std::move(profesores);
            return true;
        }
        if (vuelta == 2) {
            interfaz.Informar(kMensajeSinDni);
            estado.tablaProfesores = std::move(profesores);
            interfaz.CerrarVentana();
            return false;
        }
        profesores.reset();
        MostrarDialogo(interfaz);
        cursor.OtraVez();
    }
}

}  // namespace brisolt
