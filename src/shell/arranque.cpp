#include "shell/arranque.h"

#include "comandos/staging.h"
#include "shell/ini.h"
#include "sistema/sistema.h"
#include "tables/carpetas.h"
#include "tables/conversion.h"
#include "tables/copia.h"
#include "tables/error.h"

namespace brisolt {
namespace {

// The same folder under two spellings or through a link.
bool MismaCarpeta(const std::string& a, const std::string& b) {
    IdentidadArchivo ia, ib;
    if (SO().IdentidadDe(a, &ia) == 0 && SO().IdentidadDe(b, &ib) == 0)
        return ia.volumen == ib.volumen && ia.indice == ib.indice;
    return a == b;
}

void LlenarCentros(Estado& estado, VentanaArranque& ventana) {
    Tabla& centro = estado.wwTableCentro;
    centro.Open();
    centro.First();
    while (!centro.Eof()) {
        const std::string codigo = centro.FieldByName("CODCEN").AsString();
        estado.centros.push_back(codigo);
        ventana.AgregarCentro(codigo);
        centro.Next();
    }
    if (!estado.centros.empty()) {
        estado.CBCentro = estado.centros.front();
        ventana.SeleccionarCentro(0);
    }
    centro.Close();
}

}  // namespace

bool LlamadaIncrustada(const std::vector<std::string>& parametros) {
    return parametros.size() == 2;
}

std::string MinusculasAZ(std::string texto) {
    for (char& c : texto)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return texto;
}

uint32_t VentanaAnfitriona(const std::string& parametro) {
    return static_cast<uint32_t>(TextoAEntero("$" + parametro));
}

void FormCreate(Estado& estado, VentanaArranque& ventana,
                const std::vector<std::string>& parametros) {
    if (estado.carpetaGC.empty()) estado.carpetaGC = CarpetaTrabajo();
    estado.EstadoTransformado = 0;

    if (LlamadaIncrustada(parametros)) {
        const uint32_t anfitriona = VentanaAnfitriona(parametros[1]);
        ventana.Incrustar(anfitriona);
        estado.ModoLlamada = static_cast<int>(parametros.size());
        const std::string modo = MinusculasAZ(parametros[0]);
        if (modo == "importar") ventana.MostrarPaneles(false, true);
        if (modo == "exportar") ventana.MostrarPaneles(true, false);
    }

    CopiarTablasGC(estado);
    FijarCarpetaLista(estado, ventana, kCarpetaGC);
    ventana.MostrarEdNuevoDir(estado.carpetaGC);
    LlenarCentros(estado, ventana);
}

void FijarCarpetaLista(Estado& estado, VentanaArranque& ventana, const std::string& carpeta) {
    const std::string nativa = RutaNativa(carpeta);
    if (MismaCarpeta(nativa, estado.carpetaGC)) return;
    if (CodigoES e = SO().CambiarCarpeta(nativa)) throw Error(MensajeErrorES(e));
    estado.carpetaGC = nativa;
    ventana.MostrarCarpetaLista(nativa);
    ListaDirectoriosChange(estado, ventana);
}

void ListaDirectoriosChange(Estado& estado, VentanaArranque& ventana) {
    ventana.MostrarEdNuevoDir(estado.carpetaGC);
    CopiarTablasGC(estado);
}

std::string PrimerCentro(Estado& estado) {
    // Start-up's own filling of the centre list, with nothing on screen.
    class SinVentana : public VentanaArranque {
        void Incrustar(uint32_t) override {}
        void MostrarPaneles(bool, bool) override {}
        void MostrarCarpetaLista(const std::string&) override {}
        void MostrarEdNuevoDir(const std::string&) override {}
        void AgregarCentro(const std::string&) override {}
        void SeleccionarCentro(int) override {}
    } sinVentana;
    LlenarCentros(estado, sinVentana);
    return estado.centros.empty() ? std::string() : estado.centros.front();
}

std::string RutaIni(const std::string& rutaEjecutable) {
    const auto barra = rutaEjecutable.find_last_of(kEsWindows ? "/\\" : "/");
    const std::string carpeta =
        barra == std::string::npos ? std::string() : rutaEjecutable.substr(0, barra + 1);
    return RutaNativa(carpeta + "Zentaro.ini");
}

std::string RutaEjecutable() {
    return SO().RutaPrograma();
}

std::string CarpetaTrabajo() {
    return SO().CarpetaActual();
}

void FormClose(const Estado& estado, const std::string& rutaEjecutable) {
    if (estado.ModoLlamada != 2) return;
    EscribirPerfil(RutaIni(rutaEjecutable), "Transformadores", "Transformado",
                   std::to_string(estado.EstadoTransformado));
}

}  // namespace brisolt
