// What one call of the system layer costs here: each operation the table
// engine makes on a table file, repeated, in microseconds per call. Under Wine
// most of them are a round trip to the Wine server, which is what makes a
// table open or a write dear there. Not a test.
//
//   bench_sistema [repeticiones]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "sistema/sistema.h"

namespace {

using brisolt::Acceso;
using brisolt::Archivo;
using brisolt::Comparticion;
using brisolt::Creacion;
using brisolt::IdentidadArchivo;
using brisolt::SO;
using Reloj = std::chrono::steady_clock;

void Medir(const char* que, long veces, const std::function<void(long)>& llamada) {
    const auto inicio = Reloj::now();
    for (long i = 0; i < veces; ++i) llamada(i);
    const double s = std::chrono::duration<double>(Reloj::now() - inicio).count();
    std::printf("%-44s %9.2f µs/llamada\n", que, s * 1e6 / static_cast<double>(veces));
}

}  // namespace

int main(int argc, char** argv) {
    const long veces = argc > 1 ? std::atol(argv[1]) : 2000;
    std::string carpeta;
    if (SO().CarpetaTemporal("brisolt-bench-so-", &carpeta) != 0) return 1;
    const std::string ruta = carpeta + "/TABLA.DBF";
    const std::string otra = carpeta + "/TABLA.MDX";
    if (brisolt::EscribirArchivo(ruta, std::string(4096, ' '), false) != 0) return 1;
    if (brisolt::EscribirArchivo(otra, std::string(4096, ' '), false) != 0) return 1;
    for (int i = 0; i < 20; ++i)
        brisolt::EscribirArchivo(carpeta + "/t" + std::to_string(i) + ".dbf", "x", false);

    Archivo a;
    if (a.Abrir(ruta, Acceso::LecturaEscritura, Creacion::Existente, Comparticion::Compartida))
        return 1;
    const auto m = a.Manejador();
    char bloque[64] = {};
    std::string c;
    IdentidadArchivo id;
    std::vector<std::string> nombres;
    std::size_t n = 0;

    Medir("Abrir + Cerrar (lectura y escritura, compartida)", veces, [&](long) {
        Archivo b;
        b.Abrir(ruta, Acceso::LecturaEscritura, Creacion::Existente, Comparticion::Compartida);
    });
    Medir("Canonica", veces, [&](long) { SO().Canonica(ruta, &c); });
    Medir("Tipo", veces, [&](long) { SO().Tipo(otra); });
    Medir("ExisteEntrada", veces, [&](long) { SO().ExisteEntrada(otra); });
    Medir("Identidad (del manejador)", veces, [&](long) { SO().Identidad(m, &id); });
    Medir("IdentidadDe (de la ruta)", veces, [&](long) { SO().IdentidadDe(otra, &id); });
    Medir("Version (del manejador)", veces, [&](long) { SO().Version(m, &id); });
    Medir("VersionDe (de la ruta)", veces, [&](long) { SO().VersionDe(otra, &id); });
    Medir("Tamano", veces, [&](long) {
        uint64_t t = 0;
        SO().Tamano(m, &t);
    });
    Medir("EscribirEn 64 bytes", veces,
          [&](long i) { SO().EscribirEn(m, bloque, sizeof bloque, (i % 60) * 64, &n); });
    Medir("LeerEn 64 bytes", veces,
          [&](long i) { SO().LeerEn(m, bloque, sizeof bloque, (i % 60) * 64, &n); });
    Medir("HoraLocal", veces, [&](long) { SO().HoraLocal(); });
    Medir("Entorno", veces, [&](long) { SO().Entorno("BRISOLT_DRIVE_C"); });
    Medir("Listar (22 entradas)", veces / 10 + 1, [&](long) { SO().Listar(carpeta, &nombres); });
    a.Cerrar();

    SO().Listar(carpeta, &nombres);
    for (const auto& nombre : nombres) SO().Borrar(carpeta + "/" + nombre);
    SO().BorrarCarpeta(carpeta);
    return 0;
}
