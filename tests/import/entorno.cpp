#include "import/entorno.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "export/intercambio.h"
#include "import/devolver.h"
#include "sistema_prueba.h"
#include "tables/conversion.h"

namespace brisolt::prueba {

void CrearTabla(const std::string& ruta, const std::vector<DefCampo>& campos, const Filas& filas,
                NivelTabla nivel, const std::vector<DefIndice>& indices) {
    Tabla tabla;
    tabla.SetDatabaseName("");
    tabla.SetTableName(ruta);
    tabla.SetTableLevel(nivel);
    tabla.FieldDefs() = campos;
    tabla.IndexDefs() = indices;
    tabla.CreateTable();
    tabla.Open();
    for (const auto& fila : filas) {
        tabla.Append();
        for (size_t i = 0; i < campos.size() && i < fila.size(); ++i) {
            if (fila[i].empty()) continue;
            Campo campo = tabla.FieldByName(campos[i].nombre);
            switch (campos[i].tipo) {
                case TipoCampo::Entero:
                case TipoCampo::Numerico:
                    campo.SetAsInteger(TextoAEntero(fila[i]));
                    break;
                case TipoCampo::Flotante:
                    campo.SetAsFloat(TextoAFlotante(fila[i]));
                    break;
                default:
                    campo.SetAsString(fila[i]);
            }
        }
        tabla.Post();
    }
}

Filas LeerFilas(const std::string& ruta, const std::vector<std::string>& campos,
                const std::string& indice) {
    Tabla tabla;
    tabla.SetDatabaseName("");
    tabla.SetTableName(ruta);
    tabla.SetReadOnly(true);
    tabla.Open();
    if (!indice.empty()) tabla.SetIndexName(indice);
    Filas filas;
    for (tabla.First(); !tabla.Eof(); tabla.Next()) {
        std::vector<std::string> fila;
        for (const auto& c : campos) fila.push_back(tabla.FieldByName(c).AsString());
        filas.push_back(std::move(fila));
    }
    return filas;
}

std::vector<std::string> ArchivosDe(const std::string& carpeta) {
    std::vector<std::string> nombres;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::u8path(carpeta)))
        nombres.push_back(e.path().filename().string());
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

std::vector<DefCampo> CamposHorProf() {
    return {
        {"DNI", TipoCampo::Numerico, 10},    {"DIASEM", TipoCampo::Numerico, 1},
        {"NUMHORA", TipoCampo::Numerico, 2}, {"HORAD", TipoCampo::Cadena, 5},
        {"HORAH", TipoCampo::Cadena, 5},     {"OCUPA", TipoCampo::Cadena, 6},
        {"CODCEN", TipoCampo::Numerico, 8},  {"OBSERV", TipoCampo::Cadena, 20},
    };
}

std::vector<DefCampo> CamposHorGrup() {
    return {
        {"CODGRUP", TipoCampo::Cadena, 5},   {"CODASIG", TipoCampo::Cadena, 8},
        {"DNI", TipoCampo::Numerico, 10},    {"DIASEM", TipoCampo::Numerico, 1},
        {"NUMHORA", TipoCampo::Numerico, 2}, {"CODAULA", TipoCampo::Numerico, 3},
        {"HORDIADES", TipoCampo::Cadena, 5}, {"HORDIAHAS", TipoCampo::Cadena, 5},
        {"CODCEN", TipoCampo::Numerico, 8},  {"TIPO", TipoCampo::Cadena, 1},
    };
}

std::vector<DefCampo> CamposSoluc(int anchoDia) {
    std::vector<DefCampo> campos = intercambio::Soluc().campos;
    for (DefCampo& c : campos)
        if (c.nombre == "DIA") c.tamano = anchoDia;
    return campos;
}

void EntornoImportacion::SetUp() {
    raiz_ = NuevaCarpetaTemporal("brisolt-importar-");
    ASSERT_FALSE(raiz_.empty());
    FijarEntorno("BRISOLT_DRIVE_C", raiz_);
    std::filesystem::create_directories(std::filesystem::u8path(raiz_ + "/ZTEMP/VALENCIA"));
    std::filesystem::create_directories(std::filesystem::u8path(raiz_ + "/GC"));
    estado_ = std::make_unique<Estado>();
    estado_->carpetaGC = raiz_ + "/GC";
    estado_->CBCentro = "46000001";
}

void EntornoImportacion::TearDown() {
    estado_.reset();
    QuitarEntorno("BRISOLT_DRIVE_C");
    BorrarArbol(raiz_);
}

void EntornoImportacion::CrearProft(const Filas& filas) {
    CrearTabla(Ztemp("PROFT.DBF"), intercambio::Proft().campos, filas);
}

void EntornoImportacion::CrearAsigvalt(const Filas& filas) {
    CrearTabla(Ztemp("ASIGVALT.DBF"), intercambio::Asigvalt().campos, filas, NivelTabla::DBase4,
               intercambio::Asigvalt().indices);
}

void EntornoImportacion::CrearSoluc(const Filas& filas, int anchoDia) {
    CrearTabla(Ztemp("SOLUC.DBF"), CamposSoluc(anchoDia), filas);
}

void EntornoImportacion::CrearLhortipo(const Filas& filas) {
    CrearTabla(Staging("lhortipo.dbf"),
               {{"CODCEN", TipoCampo::Numerico, 8},
                {"NUMHORA", TipoCampo::Numerico, 2},
                {"DESDE", TipoCampo::Cadena, 8},
                {"HASTA", TipoCampo::Cadena, 8}},
               filas, NivelTabla::FoxPro2);
}

void EntornoImportacion::CrearHorariosGc() {
    CrearTabla(Gc("horprof.dbf"), CamposHorProf(),
               {{"999", "5", "7", "15:00", "15:55", "OLD", "46000001", "antigua"}},
               NivelTabla::FoxPro2);
    CrearTabla(Gc("horgrup.dbf"), CamposHorGrup(),
               {{"1ESOA", "OLD", "999", "5", "7", "9", "15:00", "15:55", "46000001", "X"}},
               NivelTabla::FoxPro2);
}

}  // namespace brisolt::prueba
