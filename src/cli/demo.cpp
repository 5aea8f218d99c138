// brisolt-cli demo [--dir DIR] [--semilla N] [--escala N]: the whole round trip
// on the sample school, in a drive C: of its own. It builds the school in
// C:\GC, exports, lets the generator stand-in place the sessions, types the
// missing DNIs as a head of studies would, imports, and reports what each
// command left behind.

#include <cstdio>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/comandos.h"
#include "ida_vuelta.h"
#include "lectura.h"
#include "sistema/sistema.h"
#include "tables/carpetas.h"
#include "tables/conversion.h"
#include "tables/copia.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt::cli {
namespace {

constexpr const char* kUso = "demo [--dir CARPETA] [--semilla N] [--escala N]";

constexpr const char* kTablasIntercambio[] = {
    "ASIGVALT.DBF", "ASIGNOMT.DBF", "PROFT.DBF",   "AULAT.DBF", "ALUMNOST.DBF",
    "ASIGCURT.DBF", "GRUPOST.DBF",  "CURSOST.DBF", "ASIGT.DBF", "SOLUC.DBF"};

constexpr const char* kDias[] = {"Lunes", "Martes", "Miércoles", "Jueves", "Viernes"};
constexpr int kHorasSemana = 7;

std::string Segundos(double s) {
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.3f s", s);
    return texto;
}

uint32_t Entero(const std::string& texto, const char* opcion, uint32_t minimo, uint32_t maximo) {
    int32_t valor = 0;
    if (!EsEntero(texto, &valor) || valor < 0 || static_cast<uint32_t>(valor) < minimo ||
        static_cast<uint32_t>(valor) > maximo)
        throw Error(std::string("Valor inválido para ") + opcion + ": '" + texto + "'");
    return static_cast<uint32_t>(valor);
}

// DIR, made absolute and created; without it a fresh temporary folder.
std::string Unidad(const Argumentos& a) {
    if (a.Tiene("--dir")) {
        std::string dir = a.Valor("--dir");
        const bool absoluta = !dir.empty() && (dir[0] == '/' || dir[0] == '\\' ||
                                               (kEsWindows && dir.size() > 1 && dir[1] == ':'));
        if (!absoluta) dir = UnirRuta(SO().CarpetaActual(), dir);
        if (!CrearCarpetas(dir)) throw Error("No se puede crear la carpeta " + a.Valor("--dir"));
        return RutaNativa(dir);
    }
    std::string carpeta;
    if (CodigoES e = SO().CarpetaTemporal("brisolt-demo-", &carpeta))
        throw Error("No se puede crear una carpeta temporal: " + MensajeErrorES(e));
    return carpeta;
}

// One week: the text of each (day, hour) cell and the times of each hour.
struct Semana {
    std::map<std::pair<int, int>, std::string> celdas;
    std::map<int, std::string> horas;
};

// `texto` padded with blanks to `ancho` characters (UTF-8: accents take two bytes).
std::string Columna(const std::string& texto, size_t ancho) {
    size_t letras = 0;
    for (unsigned char c : texto)
        if ((c & 0xC0) != 0x80) ++letras;
    return texto + std::string(letras < ancho ? ancho - letras : 1, ' ');
}

void ImprimirSemana(const std::string& titulo, const Semana& semana) {
    std::cout << '\n' << titulo << '\n' << "  " << Columna("", 14);
    for (const char* dia : kDias) std::cout << Columna(dia, 11);
    std::cout << '\n';
    for (int hora = 1; hora <= kHorasSemana; ++hora) {
        auto h = semana.horas.find(hora);
        std::cout << "  " << hora << ' ' << Columna(h == semana.horas.end() ? "" : h->second, 12);
        for (int dia = 1; dia <= 5; ++dia) {
            auto c = semana.celdas.find({dia, hora});
            std::cout << Columna(c == semana.celdas.end() ? "·" : c->second, 11);
        }
        std::cout << '\n';
    }
}

std::string Tramo(const std::string& desde, const std::string& hasta) {
    return desde.empty() && hasta.empty() ? std::string() : desde + "-" + hasta;
}

void Informe(const std::string& centro, const std::string& gc) {
    const std::string intercambio = RutaNativa(kCarpetaIntercambio);
    std::cout << "\nTablas de intercambio en C:\\ZTEMP\n";
    for (const char* nombre : kTablasIntercambio) {
        const std::string ruta = UnirRuta(intercambio, nombre);
        if (!ExisteArchivo(ruta)) {
            std::printf("  %-13s falta\n", nombre);
            continue;
        }
        Lectura t(ruta);
        std::printf("  %-13s %6lld registros\n", nombre, static_cast<long long>(t->RecordCount()));
    }

    Lectura horprof(UnirRuta(gc, "horprof.dbf"));
    Lectura horgrup(UnirRuta(gc, "horgrup.dbf"));
    std::cout << "\nHorarios escritos en la Gestión de Centros (C:\\GC), centro " << centro << '\n';
    std::printf("  horprof.dbf   %6lld filas\n", static_cast<long long>(horprof->RecordCount()));
    std::printf("  horgrup.dbf   %6lld filas\n", static_cast<long long>(horgrup->RecordCount()));

    // The first teacher and the first group that have a class.
    std::string grupo;
    int32_t dni = 0;
    for (; !horgrup->Eof() && grupo.empty(); horgrup->Next()) {
        grupo = horgrup.S("CODGRUP");
        dni = horgrup.I("DNI");
    }
    Semana delProfesor, delGrupo;
    for (horprof->First(); !horprof->Eof(); horprof->Next()) {
        if (horprof.I("DNI") != dni) continue;
        const int dia = horprof.I("DIASEM"), hora = horprof.I("NUMHORA");
        delProfesor.celdas[{dia, hora}] = horprof.S("OCUPA");
        delProfesor.horas[hora] = Tramo(horprof.S("HORAD"), horprof.S("HORAH"));
    }
    // A class shows its group in the teacher's week; other tasks their code.
    for (horgrup->First(); !horgrup->Eof(); horgrup->Next()) {
        const int dia = horgrup.I("DIASEM"), hora = horgrup.I("NUMHORA");
        if (horgrup.I("DNI") == dni) delProfesor.celdas[{dia, hora}] = horgrup.S("CODGRUP");
        if (horgrup.S("CODGRUP") != grupo) continue;
        delGrupo.celdas[{dia, hora}] = horgrup.S("CODASIG");
        delGrupo.horas[hora] = Tramo(horgrup.S("HORDIADES"), horgrup.S("HORDIAHAS"));
    }
    std::string nombre;
    {
        Lectura proft(UnirRuta(intercambio, "PROFT.DBF"));
        for (; !proft->Eof() && nombre.empty(); proft->Next())
            if (proft.I("DNI") == dni) nombre = proft.S("NOMBRE");
    }
    ImprimirSemana("Semana del profesor " + nombre + " (D.N.I. " + std::to_string(dni) + ")",
                   delProfesor);
    ImprimirSemana("Semana del grupo " + grupo, delGrupo);
}

int Demo(const std::vector<std::string>& args) {
    Argumentos a = Argumentos::Leer(args, {"--dir", "--semilla", "--escala"}, {});
    if (!a.posicionales.empty()) throw Error(std::string("Uso: brisolt-cli ") + kUso);
    const uint32_t semilla = Entero(a.Valor("--semilla", "1"), "--semilla", 0, 0x7FFFFFFF);
    const uint32_t escala = Entero(a.Valor("--escala", "1"), "--escala", 1, 1000);

    const std::string unidad = Unidad(a);
    SO().FijarEntorno("BRISOLT_DRIVE_C", unidad);
    std::cout << "Brisolt: ida y vuelta con la escuela de muestra\n"
              << "Unidad C: en " << unidad << "\n";

    const IdaVuelta r = RecorrerIdaVuelta(
        semilla, static_cast<int>(escala),
        [](const std::string& comando) { std::cout << '\n'
                                                   << comando << '\n'; },
        [](const std::string& mensaje) { std::cout << "  » " << mensaje << '\n'; });
    if (!r.completa) return 1;
    std::cout << "  D.N.I. tecleados en el control de profesores: " << r.dnisTecleados << '\n';

    Informe(r.centro, RutaNativa(kCarpetaGC));

    std::cout << "\nTiempos\n"
              << "  Escuela de muestra (semilla " << semilla << ", escala " << escala << ")  "
              << Segundos(r.escuela) << '\n'
              << "  Exportar   " << Segundos(r.exportar) << '\n'
              << "  Generador  " << Segundos(r.generador) << '\n'
              << "  Importar   " << Segundos(r.importar) << '\n';
    return 0;
}

}  // namespace

const Orden kOrdenDemo{"demo", kUso, Demo};

}  // namespace brisolt::cli
