#include "ida_vuelta.h"

#include <chrono>

#include "comandos/estado.h"
#include "comandos/interfaz.h"
#include "comandos/staging.h"
#include "escuela_muestra.h"
#include "export/exportar.h"
#include "generador.h"
#include "import/importar.h"
#include "import/rejilla.h"
#include "shell/arranque.h"
#include "tables/carpetas.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

class Cronometro {
  public:
    double Segundos() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio_).count();
    }

  private:
    std::chrono::steady_clock::time_point inicio_ = std::chrono::steady_clock::now();
};

// The person in front of the window: acknowledges every box, types a DNI
// into each row of the identity dialog that has none, and accepts the hour
// template as the school keeps it.
class Persona : public Interfaz {
  public:
    explicit Persona(const std::function<void(const std::string&)>& alMensaje)
        : alMensaje_(alMensaje) {}

    void Informar(const std::string& texto) override {
        ultimoMensaje = texto;
        if (alMensaje_) alMensaje_(texto);
    }
    void CursorEspera() override {}
    void CursorNormal() override {}
    void ControlProfesores(Tabla& proft) override {
        for (proft.First(); !proft.Eof(); proft.Next()) {
            if (proft.FieldByName("DNI").AsInteger() != 0) continue;
            EntrarRejilla(proft);
            proft.FieldByName("DNI").SetText(std::to_string(kPrimerDniTecleado + tecleados));
            SalirRejilla(proft);
            ++tecleados;
        }
    }
    void ControlPlantilla(Tabla&) override {}
    void DesactivarBotones() override {}
    void CerrarVentana() override {}

    std::string ultimoMensaje;
    int tecleados = 0;

  private:
    const std::function<void(const std::string&)>& alMensaje_;
};

}  // namespace

IdaVuelta RecorrerIdaVuelta(uint32_t semilla, int escala,
                            const std::function<void(const std::string&)>& alComando,
                            const std::function<void(const std::string&)>& alMensaje) {
    IdaVuelta r;
    const std::string gc = RutaNativa(kCarpetaGC);
    if (!CrearCarpetas(gc)) throw Error("No se puede crear la carpeta " + gc);

    Cronometro reloj;
    ConstruirEscuelaMuestra(gc, semilla, escala);
    r.escuela = reloj.Segundos();

    // The export, as the button after picking C:\GC.
    if (alComando) alComando("Exportar");
    reloj = Cronometro();
    {
        Estado estado;
        estado.carpetaGC = gc;
        CopiarTablasGC(estado);
        Persona persona(alMensaje);
        BExportarClick(estado, persona);
        r.exportar = reloj.Segundos();
        if (persona.ultimoMensaje != "Proceso finalizado") return r;
    }

    if (alComando) alComando("Generador de horarios (sustituto): C:\\ZTEMP\\SOLUC.DBF");
    reloj = Cronometro();
    GenerarSolucion(RutaNativa(kCarpetaIntercambio));
    r.generador = reloj.Segundos();

    // The import, in a new run of the program as the generator starts it.
    if (alComando) alComando("Importar");
    reloj = Cronometro();
    Estado estado;
    estado.carpetaGC = gc;
    CopiarTablasGC(estado);
    estado.CBCentro = r.centro = PrimerCentro(estado);
    Persona persona(alMensaje);
    BImportarClick(estado, persona);
    r.importar = reloj.Segundos();
    r.dnisTecleados = persona.tecleados;
    r.completa = persona.ultimoMensaje == "Proceso finalizado";
    return r;
}

}  // namespace brisolt
