// Opens a table from arbitrary bytes, walks it and reads every field, memo
// included. The input is the .DBF, optionally followed by "\n--FPT--\n" and the
// bytes of its memo file.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tables/error.h"
#include "tables/tabla.h"

namespace {

std::string Carpeta() {
    static std::string carpeta = [] {
        char plantilla[] = "/tmp/fuzz_tabla_XXXXXX";
        const char* c = mkdtemp(plantilla);
        if (c == nullptr) std::abort();
        return std::string(c);
    }();
    return carpeta;
}

void Escribir(const std::string& ruta, std::string_view datos) {
    FILE* f = std::fopen(ruta.c_str(), "wb");
    if (f == nullptr) std::abort();
    std::fwrite(datos.data(), 1, datos.size(), f);
    std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    std::string_view entrada(reinterpret_cast<const char*>(datos), tamano);
    constexpr std::string_view kSeparador = "\n--FPT--\n";
    std::string_view dbf = entrada, fpt;
    bool conMemo = false;
    if (auto p = entrada.find(kSeparador); p != std::string_view::npos) {
        dbf = entrada.substr(0, p);
        fpt = entrada.substr(p + kSeparador.size());
        conMemo = true;
    }
    const std::string base = Carpeta() + "/t";
    Escribir(base + ".dbf", dbf);
    if (conMemo) {
        Escribir(base + ".fpt", fpt);
        Escribir(base + ".dbt", fpt);
    } else {
        std::remove((base + ".fpt").c_str());
        std::remove((base + ".dbt").c_str());
    }
    try {
        brisolt::Tabla tabla;
        tabla.SetTableName(base + ".dbf");
        tabla.SetReadOnly(true);
        tabla.Open();
        int vueltas = 0;
        for (tabla.First(); !tabla.Eof() && vueltas < 10000; tabla.Next(), ++vueltas) {
            for (const auto& info : tabla.Fields()) {
                if (info.sistema) continue;
                try {
                    auto campo = tabla.FieldByName(info.nombre);
                    (void)campo.AsString();
                    (void)campo.IsNull();
                    if (info.tipo == 'N' || info.tipo == 'F' || info.tipo == 'I' ||
                        info.tipo == 'Y' || info.tipo == 'B') {
                        (void)campo.AsFloat();
                    }
                    if (info.tipo == 'D' || info.tipo == 'T') (void)campo.AsDateTime();
                    if (info.tipo == 'L') (void)campo.AsBoolean();
                } catch (const brisolt::Error&) {
                }
            }
        }
        tabla.Close();
    } catch (const brisolt::Error&) {
    }
    return 0;
}
