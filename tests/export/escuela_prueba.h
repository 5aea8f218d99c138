#pragma once
// A small school for the export tests: a temporary drive C: and tables built
// the way the school-management system writes them (FoxPro 2, cp1252 text),
// straight into the staging folder.
//
// Cells are text in one notation whatever the field type, so fixtures and
// expectations read as tables: "" is a blank field, numbers use "." ("2.5"),
// dates are "YYYY-MM-DD", logicals "T" or "F".

#include <string>
#include <string_view>
#include <vector>

#include "tables/tabla.h"

namespace brisolt::prueba {

using Fila = std::vector<std::string>;
using Filas = std::vector<Fila>;

// BRISOLT_DRIVE_C points at a fresh folder holding ZTEMP\VALENCIA while the
// object lives; the folder is removed and the variable restored afterwards.
class UnidadPrueba {
  public:
    UnidadPrueba();
    ~UnidadPrueba();
    UnidadPrueba(const UnidadPrueba&) = delete;
    UnidadPrueba& operator=(const UnidadPrueba&) = delete;

    const std::string& Raiz() const { return raiz_; }

  private:
    std::string raiz_;
    std::string anterior_;
    bool habiaAnterior_ = false;
};

// Creates the table `nombre` in `carpeta` (Windows spelling or native) with
// `campos` and one record per row, cells in field order.
void CrearTabla(std::string_view carpeta, std::string_view nombre,
                const std::vector<DefCampo>& campos, const Filas& filas,
                NivelTabla nivel = NivelTabla::FoxPro2, const std::vector<DefIndice>& indices = {});

// Every record in stored order, every field (system fields aside) as a cell.
Filas LeerTabla(std::string_view ruta);
// Fields as stored: name, type letter and width ("C:COD:10").
std::vector<std::string> Estructura(std::string_view ruta);
std::string Num(double valor);  // a float cell as LeerTabla writes it

// Staging tables with the fields the export reads, among a few it does not
// read, which must not disturb it. Row layouts:
//   asignat:  CODASIG, VLITEASIG, CLITEASIG, HORSEMTE, LITRESV
//   OCUPA:    OCUPA, VLITERAL, CLITERAL
//   profesor: APENOMPROF, DEPARTA, DNI, FBAJA
//   aulas:    CODAULA, LITAULA
//   grupos:   CODGRUP, TURNO, LITEGRUP, DNI
//   alumnos:  CODIGO, APENOM, CODCUR, CODGRUP, REPITE
//   asigalum: CODIGO, CODASIG
void CrearAsignat(const Filas& filas);
void CrearOcupa(const Filas& filas);
void CrearProfesor(const Filas& filas);
void CrearAulas(const Filas& filas);
void CrearGrupos(const Filas& filas);
void CrearAlumnos(const Filas& filas);
void CrearAsigAlum(const Filas& filas);

// Native path of a file in the exchange folder.
std::string Intercambio(std::string_view archivo);

}  // namespace brisolt::prueba
