#include "import/solucion.h"

#include <optional>

#include "import/busquedas.h"
#include "tables/conversion.h"
#include "tables/tabla.h"

namespace brisolt {

namespace {

// Blanks and control characters removed from both ends.
std::string Recortado(const std::string& texto) {
    size_t inicio = 0, fin = texto.size();
    while (inicio < fin && static_cast<unsigned char>(texto[inicio]) <= ' ') ++inicio;
    while (fin > inicio && static_cast<unsigned char>(texto[fin - 1]) <= ' ') --fin;
    return texto.substr(inicio, fin - inicio);
}

void EscribirHoras(Tabla& tabla, const char* campoInicio, const char* campoFin, int hora,
                   const HorasClase& horas) {
    if (!HorasClase::EnRango(hora)) return;
    tabla.FieldByName(campoInicio).SetAsString(horas.Inicio(hora));
    tabla.FieldByName(campoFin).SetAsString(horas.Fin(hora));
}

// "Importando el horario: 530 de 1380 sesiones", once per hundredth of the
// sessions: enough for the bar to move, few enough not to slow the walk.
class AvanceSesiones {
  public:
    AvanceSesiones(Interfaz& interfaz, int total) : interfaz_(interfaz), total_(total) {}
    void Hechas(int hechas) {
        const int centesimas = total_ > 0 ? static_cast<int>(int64_t{hechas} * 100 / total_) : 100;
        if (centesimas == ultima_) return;
        ultima_ = centesimas;
        interfaz_.Avance("Importando el horario: " + std::to_string(hechas) + " de " +
                             std::to_string(total_) + " sesiones",
                         hechas, total_);
    }

  private:
    Interfaz& interfaz_;
    const int total_;
    int ultima_ = -1;
};

}  // namespace

bool CodigoAula(const std::string& aula, int32_t* codigo) {
    int32_t valor = 0;
    if (!EsEntero(aula, &valor) || Recortado(aula).size() >= 4) return false;
    *codigo = valor;
    return true;
}

std::string SinPrimerCaracter(const std::string& texto) {
    if (texto.empty()) return texto;
    // One character, which in UTF-8 may take more than one byte.
    size_t largo = 1;
    while (largo < texto.size() && (static_cast<unsigned char>(texto[largo]) & 0xC0) == 0x80)
        ++largo;
    return texto.substr(largo);
}

void EscribirSolucion(Estado& estado, const HorasClase& horas, Interfaz& interfaz) {
    Tabla& horprof = estado.wwTableHorProf;
    Tabla& horgrup = estado.wwTableHorGrup;
    Tabla& soluc = estado.wwTableSoluc;

    horprof.EmptyTable();
    horgrup.EmptyTable();
    horprof.Open();
    horgrup.Open();

    // Built on first use, so a solution without days reads neither table.
    std::optional<DniPorAbrev> dnis;
    std::optional<AsignaturaPorCodigo> asignaturas;

    soluc.Open();
    const int sesiones = static_cast<int>(soluc.RecordCount());
    AvanceSesiones avance(interfaz, sesiones);
    int hechas = 0;
    for (soluc.First(); !soluc.Eof(); soluc.Next()) {
        avance.Hechas(hechas++);
        const int32_t dia = soluc.FieldByName("DIA").AsInteger();
        if (dia == 0) continue;
        const int32_t hora = soluc.FieldByName("HORA").AsInteger();

        horprof.Append();
        horprof.FieldByName("DIASEM").SetAsInteger(dia);
        horprof.FieldByName("NUMHORA").SetAsInteger(hora);
        EscribirHoras(horprof, "HORAD", "HORAH", hora, horas);
        horprof.FieldByName("OCUPA").SetAsString(
            SinPrimerCaracter(soluc.FieldByName("TAREA").AsString()));
        horprof.FieldByName("CODCEN").SetAsString(estado.CBCentro);

        if (!dnis) dnis.emplace(*estado.tablaProfesores);
        const int32_t dni = dnis->Dni(soluc.FieldByName("PROF").AsString());
        horprof.FieldByName("DNI").SetAsInteger(dni);
        horprof.Post();

        const std::string nivel = soluc.FieldByName("NIVEL").AsString();
        const std::string curso = soluc.FieldByName("CURSO").AsString();
        if (Recortado(nivel).empty() || Recortado(curso).empty()) continue;

        horgrup.Append();
        horgrup.FieldByName("DIASEM").SetAsInteger(dia);
        horgrup.FieldByName("NUMHORA").SetAsInteger(hora);
        EscribirHoras(horgrup, "HORDIADES", "HORDIAHAS", hora, horas);
        horgrup.FieldByName("CODCEN").SetAsString(estado.CBCentro);
        horgrup.FieldByName("DNI").SetAsInteger(dni);
        if (!asignaturas) asignaturas.emplace(*estado.tablaAsignaturas);
        const std::string codigo =
            asignaturas->CodValen(nivel, curso, soluc.FieldByName("ASIG").AsString());
        horgrup.FieldByName("CODGRUP").SetAsString(soluc.FieldByName("CODGRUPO").AsString());
        horgrup.FieldByName("CODASIG").SetAsString(codigo);
        int32_t aula = 0;
        if (CodigoAula(soluc.FieldByName("AULA").AsString(), &aula))
            horgrup.FieldByName("CODAULA").SetAsInteger(aula);
        horgrup.Post();
    }

    avance.Hechas(sesiones);

    horprof.Close();
    soluc.Close();
    horgrup.Close();
}

}  // namespace brisolt
