// Opens a table from arbitrary bytes, walks it and reads every field, memo
// included, in file order and in the order of every tag its index file names.
// The input is the .DBF, optionally followed by "\n--FPT--\n" and the bytes of
// its memo file, and by "\n--MDX--\n" and the bytes of its production index.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "sistema/sistema.h"
#include "tables/archivo_tabla.h"
#include "tables/error.h"
#include "tables/mdx.h"
#include "tables/tabla.h"

namespace {

std::string Carpeta() {
    static std::string carpeta = [] {
        std::string c;
        if (brisolt::SO().CarpetaTemporal("fuzz_tabla_", &c) != 0) std::abort();
        return c;
    }();
    return carpeta;
}

void Escribir(const std::string& ruta, std::string_view datos) {
    FILE* f = std::fopen(ruta.c_str(), "wb");
    if (f == nullptr) std::abort();
    std::fwrite(datos.data(), 1, datos.size(), f);
    std::fclose(f);
}

// The part of `entrada` after `separador`, cut off `entrada`; empty when absent.
bool Partir(std::string_view& entrada, std::string_view separador, std::string_view* parte) {
    const auto p = entrada.find(separador);
    if (p == std::string_view::npos) return false;
    *parte = entrada.substr(p + separador.size());
    entrada = entrada.substr(0, p);
    return true;
}

void Leer(brisolt::Tabla& tabla) {
    int vueltas = 0;
    for (tabla.First(); !tabla.Eof() && vueltas < 10000; tabla.Next(), ++vueltas) {
        for (const auto& info : tabla.Fields()) {
            if (info.sistema) continue;
            try {
                auto campo = tabla.FieldByName(info.nombre);
                (void)campo.AsString();
                (void)campo.IsNull();
                if (info.tipo == 'N' || info.tipo == 'F' || info.tipo == 'I' || info.tipo == 'Y' ||
                    info.tipo == 'B') {
                    (void)campo.AsFloat();
                }
                if (info.tipo == 'D' || info.tipo == 'T') (void)campo.AsDateTime();
                if (info.tipo == 'L') (void)campo.AsBoolean();
            } catch (const brisolt::Error&) {
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    std::string_view dbf(reinterpret_cast<const char*>(datos), tamano), fpt, mdx;
    const bool conIndice = Partir(dbf, "\n--MDX--\n", &mdx);
    const bool conMemo = Partir(dbf, "\n--FPT--\n", &fpt);
    const std::string base = Carpeta() + "/t";
    Escribir(base + ".dbf", dbf);
    if (conMemo) {
        Escribir(base + ".fpt", fpt);
        Escribir(base + ".dbt", fpt);
    } else {
        std::remove((base + ".fpt").c_str());
        std::remove((base + ".dbt").c_str());
    }
    if (conIndice)
        Escribir(base + ".mdx", mdx);
    else
        std::remove((base + ".mdx").c_str());

    std::vector<std::string> tags;
    if (conIndice) {
        try {
            for (const auto& tag : brisolt::LeerTagsMdx(base + ".mdx")) tags.push_back(tag.nombre);
        } catch (const brisolt::Error&) {
        }
    }
    try {
        brisolt::Tabla tabla;
        tabla.SetTableName(base + ".dbf");
        tabla.SetReadOnly(true);
        tabla.Open();
        Leer(tabla);
        for (const auto& tag : tags) {
            try {
                tabla.SetIndexName(tag);
                Leer(tabla);
            } catch (const brisolt::Error&) {
            }
        }
        tabla.Close();
    } catch (const brisolt::Error&) {
    }
    // The next input is another file under the same name, which may share this
    // one's size and time stamp: the engine must not keep this one's copy.
    try {
        brisolt::ArchivoTabla::Olvidar(base + ".dbf");
    } catch (const brisolt::Error&) {
    }
    return 0;
}
