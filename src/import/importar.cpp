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

    interfaz.Paso("horgrup.dbf, horprof.dbf");
    TraerCopia(estado.wwTableHorGrup, carpetaGC, "horgrup.dbf");
    TraerCopia(estado.wwTableHorProf, carpetaGC, "horprof.dbf");

    interfaz.Paso("PROFT.DBF");
    if (!ControlarProfesores(estado, interfaz, cursor)) return;

    AbrirAsignaturas(estado);

    interfaz.Paso("PLANTILLA.DBF");
    const HorasClase horas = PlantillaHoraria(estado, interfaz, cursor);

    interfaz.Paso("SOLUC.DBF");
    EscribirSolucion(estado, horas);

    interfaz.Paso(carpetaGC);
    DevolverHorarios(carpetaGC);

    cursor.Normal();
    estado.EstadoTransformado = 1;
    interfaz.Informar("Proceso finalizado");
    interfaz.DesactivarBotones();
    if (estado.ModoLlamada == 2) interfaz.CerrarVentana();
}

}  // namespace brisolt
