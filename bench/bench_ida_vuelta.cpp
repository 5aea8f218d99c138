// The export and the import on the sample school at growing scales (by
// default 1, 4 and 16): the time of each command and the time per record it
// wrote, so that growth with the data shows; and, beside the export, the time
// a plain copy of every file it read and wrote takes on the same disk. Not a
// test.
//
//   bench_ida_vuelta [--conservar CARPETA] [escala ...]
//
// With --conservar, drive C: of each scale is left in CARPETA/escala-N (the
// school in GC, the exchange tables in ZTEMP) and the export's input files are
// listed on lines "entrada ESCALA RUTA", for readers to time against.

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ida_vuelta.h"
#include "sistema/sistema.h"
#include "tables/carpetas.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace {

namespace fs = std::filesystem;
using brisolt::SO;

long long Registros(const std::string& carpeta, const std::vector<const char*>& tablas) {
    long long n = 0;
    for (const char* nombre : tablas) {
        brisolt::Tabla t;
        t.SetTableName(brisolt::UnirRuta(carpeta, nombre));
        t.SetReadOnly(true);
        t.Open();
        n += t.RecordCount();
    }
    return n;
}

void Linea(const char* comando, int escala, double segundos, long long registros) {
    std::printf("%-9s escala %3d %9.3f s %9lld registros %9.2f µs/registro\n", comando, escala,
                segundos, registros, registros > 0 ? segundos * 1e6 / registros : 0.0);
}

std::vector<std::string> Archivos(const std::string& carpeta) {
    std::vector<std::string> nombres, archivos;
    SO().Listar(carpeta, &nombres);
    for (const auto& n : nombres)
        if (SO().Tipo(carpeta + "/" + n) == brisolt::TipoEntrada::Archivo) archivos.push_back(n);
    return archivos;
}

bool MismoNombre(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// What the export read (the school's files it staged: those with a copy in
// the staging folder) and what it wrote (the staged copies and the exchange
// tables), as native paths.
struct ArchivosExportacion {
    std::vector<std::string> entradas, salidas;
};

ArchivosExportacion ArchivosDeLaExportacion() {
    ArchivosExportacion r;
    const std::string gc = brisolt::RutaNativa(brisolt::kCarpetaGC);
    const std::string zona = brisolt::RutaNativa(brisolt::kCarpetaIntercambio);
    const std::string staging = brisolt::RutaNativa(brisolt::kCarpetaStaging);
    const auto copias = Archivos(staging);
    for (const auto& n : Archivos(gc))
        for (const auto& c : copias)
            if (MismoNombre(n, c)) r.entradas.push_back(gc + "/" + n);
    for (const auto& n : copias) r.salidas.push_back(staging + "/" + n);
    for (const auto& n : Archivos(zona)) r.salidas.push_back(zona + "/" + n);
    return r;
}

// Reads each file whole and writes it whole into a scratch folder, as a
// plain copy program would: the floor the export's disk work stands on.
double Copiar(const std::vector<std::string>& archivos, long long* bytes) {
    std::string destino;
    if (SO().CarpetaTemporal("brisolt-bench-copia-", &destino) != 0) return 0;
    *bytes = 0;
    const auto inicio = std::chrono::steady_clock::now();
    int i = 0;
    for (const auto& a : archivos) {
        std::string contenido;
        if (brisolt::LeerArchivo(a, &contenido) != 0 ||
            brisolt::EscribirArchivo(destino + "/" + std::to_string(i++), contenido, false) != 0)
            throw brisolt::Error("No se puede copiar " + a);
        *bytes += static_cast<long long>(contenido.size());
    }
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    std::error_code ec;
    fs::remove_all(destino, ec);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> escalas;
    std::string conservar;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--conservar") == 0 && i + 1 < argc)
            conservar = argv[++i];
        else
            escalas.push_back(std::atoi(argv[i]));
    }
    if (escalas.empty()) escalas = {1, 4, 16};

    for (int escala : escalas) {
        std::string unidad;
        if (conservar.empty()) {
            if (SO().CarpetaTemporal("brisolt-bench-", &unidad) != 0) return 1;
        } else {
            unidad = conservar + "/escala-" + std::to_string(escala);
            std::error_code ec;
            fs::remove_all(unidad, ec);
            if (!brisolt::CrearCarpetas(unidad)) return 1;
        }
        SO().FijarEntorno("BRISOLT_DRIVE_C", unidad);
        try {
            // Right after the export, before the generator stand-in writes
            // its solution: the export's files are the only ones there.
            ArchivosExportacion archivos;
            double copia = 0;
            long long bytes = 0;
            const auto alComando = [&](const std::string& comando) {
                if (comando.rfind("Generador", 0) != 0) return;
                archivos = ArchivosDeLaExportacion();
                std::vector<std::string> todos = archivos.entradas;
                todos.insert(todos.end(), archivos.salidas.begin(), archivos.salidas.end());
                copia = Copiar(todos, &bytes);
            };
            const brisolt::IdaVuelta r = brisolt::RecorrerIdaVuelta(1, escala, alComando, {});
            if (!r.completa) {
                std::fprintf(stderr, "escala %d: la ida y vuelta no terminó\n", escala);
                return 1;
            }
            const std::string zona = brisolt::RutaNativa(brisolt::kCarpetaIntercambio);
            const std::string gc = brisolt::RutaNativa(brisolt::kCarpetaGC);
            Linea("Exportar", escala, r.exportar,
                  Registros(zona, {"ASIGVALT.DBF", "ASIGNOMT.DBF", "PROFT.DBF", "AULAT.DBF",
                                   "ALUMNOST.DBF", "ASIGCURT.DBF", "GRUPOST.DBF", "CURSOST.DBF",
                                   "ASIGT.DBF"}));
            Linea("Importar", escala, r.importar, Registros(gc, {"horprof.dbf", "horgrup.dbf"}));
            std::printf("Copia     escala %3d %9.3f s %9zu archivos  %9lld bytes\n", escala, copia,
                        archivos.entradas.size() + archivos.salidas.size(), bytes);
            if (!conservar.empty())
                for (const auto& e : archivos.entradas)
                    std::printf("entrada %d %s\n", escala, e.c_str());
        } catch (const brisolt::Error& e) {
            std::fprintf(stderr, "escala %d: %s\n", escala, e.what());
            return 1;
        }
        std::fflush(stdout);
        if (conservar.empty()) {
            std::error_code ec;
            fs::remove_all(unidad, ec);
        }
    }
    return 0;
}
