// The export command over the seam: it frames the seven steps and does no
// table work itself.

#include "export/exportar.h"

#include <iterator>

#include "export/pasos.h"

namespace brisolt {
namespace {

// An error leaves the command through its caller's error box; the hour-glass
// must not outlive it, whatever else the failed run leaves behind.
class RelojDeArena {
  public:
    explicit RelojDeArena(Interfaz& interfaz) : interfaz_(interfaz) { interfaz_.CursorEspera(); }
    ~RelojDeArena() {
        if (activo_) interfaz_.CursorNormal();
    }
    RelojDeArena(const RelojDeArena&) = delete;
    RelojDeArena& operator=(const RelojDeArena&) = delete;

    void Terminar() {
        activo_ = false;
        interfaz_.CursorNormal();
    }

  private:
    Interfaz& interfaz_;
    bool activo_ = true;
};

struct PasoExportacion {
    const char* accion;  // what the person reads while the step runs
    void (*funcion)(Estado&);
};

// The order of the data each step reads from the ones before it.
constexpr PasoExportacion kPasos[] = {
    {"Exportando asignaturas", ExportarAsignaturas},
    {"Exportando profesores", ExportarProfesores},
    {"Exportando aulas", ExportarAulas},
    {"Exportando alumnos", ExportarAlumnos},
    {"Exportando horas de asignaturas por curso", ExportarAsigCursos},
    {"Exportando grupos y cursos", ExportarGrupos},
    {"Exportando asignaciones", ExportarAsignaciones},
};
constexpr int kNumPasos = static_cast<int>(std::size(kPasos));

}  // namespace

void BExportarClick(Estado& estado, Interfaz& interfaz) {
    interfaz.Informar(
        "La duración de este Proceso será más larga, en función de la cantidad de datos que "
        "tengamos en nuestra Gestión de Centros.");
    {
        RelojDeArena reloj(interfaz);
        estado.EstadoTransformado = 1;
        for (int i = 0; i < kNumPasos; ++i) {
            interfaz.Paso(TextoPaso(kPasos[i].accion, i + 1, kNumPasos), i + 1, kNumPasos);
            kPasos[i].funcion(estado);
        }
        reloj.Terminar();
    }
    interfaz.Informar("Proceso finalizado");
    interfaz.DesactivarBotones();
    if (estado.ModoLlamada == 2) interfaz.CerrarVentana();
}

}  // namespace brisolt
