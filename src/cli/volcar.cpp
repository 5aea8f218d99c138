// brisolt-cli volcar FILE [--indice TAG] [--campos]: a table as CSV.

#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>

#include "cli/comandos.h"
#include "tables/conversion.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt::cli {
namespace {

std::string Csv(const std::string& valor) {
    if (valor.find_first_of(",\"\r\n") == std::string::npos) return valor;
    std::string r = "\"";
    for (char c : valor) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

std::string Fecha(double dias, bool conHora) {
    int a = 0, m = 0, d = 0;
    DiasAFecha(dias, &a, &m, &d);
    char texto[64];
    if (!conHora) {
        std::snprintf(texto, sizeof texto, "%04d-%02d-%02d", a, m, d);
        return texto;
    }
    double fraccion = dias - std::floor(dias);
    long segundos = std::lround(fraccion * 86400.0);
    if (segundos >= 86400) segundos = 86399;
    std::snprintf(texto, sizeof texto, "%04d-%02d-%02d %02ld:%02ld:%02ld", a, m, d, segundos / 3600,
                  segundos / 60 % 60, segundos % 60);
    return texto;
}

std::string Valor(Campo campo) {
    const InfoCampo& info = campo.Info();
    switch (info.tipo) {
        case 'N':
        case 'F':
        case 'I':
        case 'Y':
            return campo.IsNull() ? std::string() : FlotanteExacto(campo.AsFloat());
        case 'B':
            // A double in Visual FoxPro tables; a binary memo elsewhere.
            if (info.ancho == 8)
                return campo.IsNull() ? std::string() : FlotanteExacto(campo.AsFloat());
            return campo.AsString();
        case 'L':
            return campo.IsNull() ? std::string() : (campo.AsBoolean() ? "T" : "F");
        case 'D':
            return campo.IsNull() ? std::string() : Fecha(campo.AsDateTime(), false);
        case 'T':
            return campo.IsNull() ? std::string() : Fecha(campo.AsDateTime(), true);
        default:
            return campo.AsString();
    }
}

int Volcar(const std::vector<std::string>& args) {
    Argumentos a = Argumentos::Leer(args, {"--indice"}, {"--campos"});
    if (a.posicionales.size() != 1)
        throw Error("Uso: brisolt-cli volcar ARCHIVO [--indice TAG] [--campos]");
    Tabla tabla;
    tabla.SetTableName(a.posicionales[0]);
    tabla.SetReadOnly(true);
    tabla.Open();
    std::string salida;
    if (a.Tiene("--campos")) {
        for (const auto& info : tabla.Fields()) {
            if (info.sistema) continue;
            salida += info.nombre + "," + std::string(1, info.tipo) + "," +
                      std::to_string(info.ancho) + "," + std::to_string(info.decimales) + "\r\n";
        }
        std::cout << salida;
        return 0;
    }
    if (a.Tiene("--indice")) tabla.SetIndexName(a.Valor("--indice"));
    std::vector<int> visibles;
    std::string linea;
    const auto& campos = tabla.Fields();
    for (size_t i = 0; i < campos.size(); ++i) {
        if (campos[i].sistema) continue;
        if (!linea.empty()) linea += ',';
        linea += Csv(campos[i].nombre);
        visibles.push_back(static_cast<int>(i));
    }
    salida += linea + "\r\n";
    for (tabla.First(); !tabla.Eof(); tabla.Next()) {
        linea.clear();
        for (size_t k = 0; k < visibles.size(); ++k) {
            if (k) linea += ',';
            linea += Csv(Valor(tabla.FieldByName(campos[visibles[k]].nombre)));
        }
        salida += linea + "\r\n";
        if (salida.size() > (1u << 20)) {
            std::cout << salida;
            salida.clear();
        }
    }
    std::cout << salida;
    return 0;
}

}  // namespace

const Orden kOrdenVolcar{"volcar", "volcar ARCHIVO [--indice TAG] [--campos]", Volcar};

}  // namespace brisolt::cli
