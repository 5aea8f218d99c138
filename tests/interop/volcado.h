#pragma once
// One text form of a table's records, produced both by python3-dbfread and by
// our engine, so that the two readings compare line by line. Each record is a
// JSON array of strings (null for an empty value): numbers with four decimals,
// dates YYYY-MM-DD, date-times YYYY-MM-DD HH:MM:SS, logicals T/F, memo text
// ("" when there is none). The first line is the array of field names.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tables/tabla.h"

namespace brisolt::interop {

inline const char* kScriptDbfread = R"(
import sys, json, datetime, dbfread
t = dbfread.DBF(sys.argv[1], char_decode_errors='replace')
print(json.dumps([f.name for f in t.fields], ensure_ascii=False, separators=(',', ':')))
for r in t:
    fila = []
    for f in t.fields:
        v = r[f.name]
        if v is None:
            fila.append('' if f.type == 'M' else None)
        elif isinstance(v, bool):
            fila.append('T' if v else 'F')
        elif isinstance(v, datetime.datetime):
            fila.append(v.strftime('%Y-%m-%d %H:%M:%S'))
        elif isinstance(v, datetime.date):
            fila.append(v.isoformat())
        elif isinstance(v, str):
            fila.append(v)
        else:
            fila.append('%.4f' % float(v))
    print(json.dumps(fila, ensure_ascii=False, separators=(',', ':')))
)";

inline std::string Json(const std::string& s) {
    std::string j = "\"";
    for (const char c : s) {
        switch (c) {
            case '"':
                j += "\\\"";
                break;
            case '\\':
                j += "\\\\";
                break;
            case '\n':
                j += "\\n";
                break;
            case '\r':
                j += "\\r";
                break;
            case '\t':
                j += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char b[8];
                    std::snprintf(b, sizeof b, "\\u%04x", c);
                    j += b;
                } else {
                    j += c;
                }
        }
    }
    return j + "\"";
}

inline std::string Fila(const std::vector<std::string>& valores,
                        const std::vector<bool>& nulos = {}) {
    std::string linea = "[";
    for (size_t i = 0; i < valores.size(); ++i) {
        if (i) linea += ",";
        linea += (i < nulos.size() && nulos[i]) ? "null" : Json(valores[i]);
    }
    return linea + "]";
}

// Days since 1899-12-30 (with the time as a fraction) as text.
inline std::string TextoFecha(double dias, bool conHora) {
    using namespace std::chrono;
    const double entero = std::floor(dias);
    const sys_days dia = sys_days(year{1899} / December / 30) + days(static_cast<int>(entero));
    const year_month_day f(dia);
    char b[32];
    std::snprintf(b, sizeof b, "%04d-%02u-%02u", static_cast<int>(f.year()),
                  static_cast<unsigned>(f.month()), static_cast<unsigned>(f.day()));
    std::string t = b;
    if (conHora) {
        const long s = std::lround((dias - entero) * 86400.0);
        std::snprintf(b, sizeof b, " %02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
        t += b;
    }
    return t;
}

inline std::string Cuatro(double v) {
    char b[64];
    std::snprintf(b, sizeof b, "%.4f", v);
    return b;
}

// The engine's reading of the table at `ruta`, in the form above.
inline std::vector<std::string> VolcarConMotor(const std::string& ruta) {
    Tabla t;
    t.SetTableName(ruta);
    t.SetReadOnly(true);
    t.Open();
    std::vector<std::string> nombres;
    std::vector<InfoCampo> campos;
    for (const InfoCampo& c : t.Fields()) {
        if (c.sistema) continue;
        campos.push_back(c);
        nombres.push_back(c.nombre);
    }
    std::vector<std::string> lineas{Fila(nombres)};
    for (t.First(); !t.Eof(); t.Next()) {
        std::vector<std::string> valores;
        std::vector<bool> nulos;
        for (const InfoCampo& c : campos) {
            Campo f = t.FieldByName(c.nombre);
            const bool nulo = c.tipo != 'C' && c.tipo != 'M' && f.IsNull();
            nulos.push_back(nulo);
            if (nulo) {
                valores.emplace_back();
            } else if (c.tipo == 'C' || c.tipo == 'M') {
                valores.push_back(f.AsString());
            } else if (c.tipo == 'L') {
                valores.push_back(f.AsBoolean() ? "T" : "F");
            } else if (c.tipo == 'D' || c.tipo == 'T') {
                valores.push_back(TextoFecha(f.AsDateTime(), c.tipo == 'T'));
            } else {
                valores.push_back(Cuatro(f.AsFloat()));
            }
        }
        lineas.push_back(Fila(valores, nulos));
    }
    return lineas;
}

}  // namespace brisolt::interop
