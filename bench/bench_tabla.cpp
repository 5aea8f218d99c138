// Table engine throughput: builds a 100,000-record table with an index, walks
// it in file order and in index order, runs 1,000 Locates and FindKeys, and
// closes and opens the table 1,000 times, as a step does once per student.
// Prints records per second; not a test.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sistema/sistema.h"
#include "tables/tabla.h"

using brisolt::SO;
using brisolt::Tabla;
using brisolt::TipoCampo;
using Reloj = std::chrono::steady_clock;

namespace {

double Segundos(Reloj::time_point desde) {
    return std::chrono::duration<double>(Reloj::now() - desde).count();
}

void Informe(const char* que, long registros, double segundos) {
    std::printf("%-28s %9ld registros %8.3f s %12.0f registros/s\n", que, registros, segundos,
                segundos > 0 ? registros / segundos : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    long n = argc > 1 ? std::atol(argv[1]) : 100000;
    std::string carpeta;
    if (SO().CarpetaTemporal("bench_tabla_", &carpeta) != 0) return 1;
    std::string ruta = carpeta + "/BENCH.DBF";

    Tabla t;
    t.SetTableName(ruta);
    t.FieldDefs() = {{"CODIGO", TipoCampo::Cadena, 10},
                     {"NOMBRE", TipoCampo::Cadena, 40},
                     {"NUMERO", TipoCampo::Entero},
                     {"HORAS", TipoCampo::Flotante}};
    t.IndexDefs() = {{"CODIGO", "CODIGO"}};
    auto inicio = Reloj::now();
    t.CreateTable();
    t.Open();
    for (long i = 0; i < n; ++i) {
        t.Append();
        // Codes in an order unlike the file order, so the index walk has work to do.
        long clave = (i * 7919) % n;
        t.FieldByName("CODIGO").SetAsString("C" + std::to_string(clave));
        t.FieldByName("NOMBRE").SetAsString("Alumna número " + std::to_string(i));
        t.FieldByName("NUMERO").SetAsInteger(static_cast<int32_t>(i));
        t.FieldByName("HORAS").SetAsFloat(i * 0.25);
        t.Post();
    }
    t.Close();
    Informe("alta (Append + Post)", n, Segundos(inicio));

    t.Open();
    inicio = Reloj::now();
    long vistos = 0, suma = 0;
    for (t.First(); !t.Eof(); t.Next()) {
        suma += t.FieldByName("NUMERO").AsInteger();
        ++vistos;
    }
    Informe("recorrido en orden de archivo", vistos, Segundos(inicio));

    t.SetIndexName("CODIGO");
    inicio = Reloj::now();
    vistos = 0;
    for (t.First(); !t.Eof(); t.Next()) {
        suma += static_cast<long>(t.FieldByName("CODIGO").AsString().size());
        ++vistos;
    }
    Informe("recorrido por índice", vistos, Segundos(inicio));

    inicio = Reloj::now();
    long hallados = 0;
    for (long i = 0; i < 1000; ++i) {
        if (t.Locate("NUMERO", std::to_string((i * 104729) % n))) ++hallados;
    }
    Informe("1.000 Locate", 1000, Segundos(inicio));

    inicio = Reloj::now();
    for (long i = 0; i < 1000; ++i) {
        if (t.FindKey({"C" + std::to_string((i * 15485863LL) % n)})) ++hallados;
    }
    Informe("1.000 FindKey", 1000, Segundos(inicio));
    t.Close();

    inicio = Reloj::now();
    for (long i = 0; i < 1000; ++i) {
        t.Close();
        t.Open();
    }
    Informe("1.000 Close + Open", 1000, Segundos(inicio));
    t.Close();

    std::printf("(comprobación: %ld %ld)\n", suma, hallados);
    for (const char* resto : {"/BENCH.DBF", "/BENCH.MDX"}) SO().Borrar(carpeta + resto);
    return SO().BorrarCarpeta(carpeta) == 0 ? 0 : 1;
}
