#pragma once
// A small exchange folder as an export leaves it, for the generator tests.

#include <map>
#include <string>
#include <vector>

#include "tables/tabla.h"

namespace brisolt::pruebas {

using Fila = std::map<std::string, std::string>;

// A dBASE table, rows given as text per field ("T"/"F" for logical fields).
void Crear(const std::string& dir, const char* nombre, std::vector<DefCampo> campos,
           const std::vector<Fila>& filas);

// ASIGT.DBF, AULAT.DBF, GRUPOST.DBF, PROFT.DBF and ASIGNOMT.DBF in `dir`.
// Three groups, three teachers and one without classes, two rooms (so a group
// sometimes finds its room taken). Group 1ESOA has 33 sessions and RA 24, so
// the week is tight but possible.
void Intercambio(const std::string& dir);

}  // namespace brisolt::pruebas
