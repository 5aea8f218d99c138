#include "import/importar.h"

#include <memory>

#include "import/control_profesores.h"
#include "import/devolver.h"
#include "import/guarda_cursor.h"
#include "import/plantilla.h"
#include "import/solucion.h"
#include "tables/carpetas.h"
#include "tables/copia.h"
#include "tables/tabla.h"

namespace brisolt {

namespace {

// The steps the person is told of, from the copy of the school's timetables
// to their return.
constexpr int kPasos = 5;

void TraerCopia(Tabla& tabla, const std::string& carpetaGC, const char* archivo) {
    tabla.Close();
    ReemplazarArchivo(RutaNativa(UnirRuta(kCarpetaStaging, archivo)),
                      RutaNativa(UnirRuta(carpetaGC, archivo)));
}

void AbrirAsignaturas(Estado& estado) {
    auto asignaturas = std::make_unique<Tabla>();
    asignaturas->SetDatabaseName("");
    asignaturas->SetTableName("C:\\ZTEMP\\ASIGVALT.DBF");
    asignaturas->SetIndexName("CODVALEN");
    asignaturas->Open();
    estado.tablaAsignaturas = std::move(asignaturas);
}

}  // namespace

void BImportarClick(Estado& estado, Interfaz& interfaz) {
    interfaz.Informar(
        "La duración de este Proceso será más larga, en función de la cantidad de datos que "
        "tengamos en nuestro Horario.");
    GuardaCursor cursor(interfaz);

    if (!ExisteCarpeta(kCarpetaStaging)) CrearCarpetas(kCarpetaStaging);
    const std::string carpetaGC = estado.carpetaGC;

    if (!ExisteArchivo("C:\\ZTEMP\\SOLUC.DBF")) {
        interfaz.Informar("No se encuentra archivo SOLUC.DBF en C:\\ZTEMP");
        cursor.Normal();
        if (estado.ModoLlamada == 2) {
            estado.EstadoTransformado = 0;
            interfaz.CerrarVentana();
        }
        return;
    }

    interfaz.Paso(TextoPaso("Copiando los horarios de GC", 1, kPasos), 1, kPasos);
    TraerCopia(estado.wwTableHorGrup, carpetaGC, "horgrup.dbf");
    TraerCopia(estado.wwTableHorProf, carpetaGC, "horprof.dbf");

    interfaz.Paso(TextoPaso("Comprobando los D.N.I. de los profesores", 2, kPasos), 2, kPasos);
    if (!ControlarProfesores(estado, interfaz, cursor)) return;

    AbrirAsignaturas(estado);

    interfaz.Paso(TextoPaso("Comprobando la plantilla horaria", 3, kPasos), 3, kPasos);
    const HorasClase horas = PlantillaHoraria(estado, interfaz, cursor);

    interfaz.Paso(TextoPaso("Importando el horario", 4, kPasos), 4, kPasos);
    EscribirSolucion(estado, horas, interfaz);

    interfaz.Paso(TextoPaso("Guardando los horarios en GC", 5, kPasos), 5, kPasos);
    DevolverHorarios(carpetaGC);

    cursor.Normal();
    estado.EstadoTransformado = 1;
    interfaz.Informar("Proceso finalizado");
    interfaz.DesactivarBotones();
    if (estado.ModoLlamada == 2) interfaz.CerrarVentana();
}

}  // namespace brisolt
