#pragma once
// A throw-away drive C: with the exchange, staging and school folders, a
// scripted seam, and small helpers to write and read tables with the engine.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "comandos/estado.h"
#include "comandos/interfaz.h"
#include "guion_prueba.h"
#include "tables/tabla.h"

namespace brisolt::prueba {

using Filas = std::vector<std::vector<std::string>>;

// Creates a table at a native path; each row gives every field as text
// (numbers in decimal; an empty text leaves the field empty).
void CrearTabla(const std::string& ruta, const std::vector<DefCampo>& campos, const Filas& filas,
                NivelTabla nivel = NivelTabla::DBase4, const std::vector<DefIndice>& indices = {});
// The named fields of every row, as AsString reads them, in file or index order.
Filas LeerFilas(const std::string& ruta, const std::vector<std::string>& campos,
                const std::string& indice = {});
std::vector<std::string> ArchivosDe(const std::string& carpeta);

// School tables as the school-management system keeps them (FoxPro style),
// with a field the import never writes, to show it stays empty.
std::vector<DefCampo> CamposHorProf();
std::vector<DefCampo> CamposHorGrup();
// SOLUC.DBF's fields as the generator writes them, DIA `anchoDia` wide.
std::vector<DefCampo> CamposSoluc(int anchoDia);

class EntornoImportacion : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string Ztemp(const std::string& nombre) const { return raiz_ + "/ZTEMP/" + nombre; }
    std::string Staging(const std::string& nombre) const {
        return raiz_ + "/ZTEMP/VALENCIA/" + nombre;
    }
    std::string Gc(const std::string& nombre) const { return raiz_ + "/GC/" + nombre; }

    // PROFT.DBF rows: ABREV, NOMBRE, DEPART, DNI.
    void CrearProft(const Filas& filas);
    // ASIGVALT.DBF rows: COD, CODLARGO, NOMBRE, CODVALEN, NHORAS, NIVEL, CURSO.
    void CrearAsigvalt(const Filas& filas);
    // SOLUC.DBF rows: DIA, HORA, TAREA, PROF, NIVEL, CURSO, ASIG, CODGRUPO, AULA.
    void CrearSoluc(const Filas& filas, int anchoDia = 1);
    // lhortipo.dbf rows (staging folder): CODCEN, NUMHORA, DESDE, HASTA.
    void CrearLhortipo(const Filas& filas);
    // horprof.dbf and horgrup.dbf in the school folder, each with one old row.
    void CrearHorariosGc();

    std::string raiz_;
    std::unique_ptr<Estado> estado_;
    InterfazGuion interfaz_;
};

}  // namespace brisolt::prueba
