#pragma once
// The tables the export leaves in C:\ZTEMP for the timetable generator, and
// the solution table the generator writes back, each defined once: file name,
// fields in order, index tags. The export steps create them from here; the
// generator stand-in and the tests build their tables from the same lists.

#include <string>
#include <vector>

#include "tables/tabla.h"

namespace brisolt::intercambio {

struct Definicion {
    std::string archivo;  // file name in C:\ZTEMP, e.g. "PROFT.DBF"
    std::vector<DefCampo> campos;
    std::vector<DefIndice> indices;
    // Creating the table replaces an existing one together with its index
    // file, so nothing is deleted beforehand.
    bool reemplazaAlCrear = false;
};

inline constexpr int kAnchoAbrevProfesor = 10;
inline constexpr int kAnchoSesiones = 20;
inline constexpr int kParesAsignatura = 50;  // ASIG1/DIV1 to ASIG50/DIV50 in ALUMNOST.DBF

const Definicion& Asigvalt();
const Definicion& Asignomt();
const Definicion& Proft();
const Definicion& Aulat();
const Definicion& Alumnost();
const Definicion& Asigcurt();
const Definicion& Grupost();
const Definicion& Cursost();
const Definicion& Asigt();
// SOLUC.DBF as the generator stand-in writes it; the import reads only the
// fields it names, whatever their widths.
const Definicion& Soluc();

// Name of the field ASIG<n> or DIV<n> of ALUMNOST.DBF.
std::string CampoAsig(int n);
std::string CampoDiv(int n);

// The old .DBF and .MDX of a definition deleted when present; a deletion that
// fails is not reported.
void BorrarAnterior(const Definicion& definicion);

// A fresh exchange table: the old .DBF and .MDX deleted when present (a
// deletion that fails is not reported: creating then fails with the engine's
// message), the table created in C:\ZTEMP with the definition's fields and
// tags, and opened when `abrir`.
void Crear(Tabla& tabla, const Definicion& definicion, bool abrir = true);

}  // namespace brisolt::intercambio
