#include "export/intercambio.h"

#include "tables/carpetas.h"

namespace brisolt::intercambio {
namespace {

using T = TipoCampo;

std::string SinExtension(const std::string& archivo) {
    const auto punto = archivo.rfind('.');
    return punto == std::string::npos ? archivo : archivo.substr(0, punto);
}

}  // namespace

const Definicion& Asigvalt() {
    static const Definicion d{"ASIGVALT.DBF",
                              {{"COD", T::Cadena, 10},
                               {"CODLARGO", T::Cadena, 10},
                               {"NOMBRE", T::Cadena, 80},
                               {"CODVALEN", T::Cadena, 10},
                               {"NHORAS", T::Flotante, 0},
                               {"NIVEL", T::Cadena, 5},
                               {"CURSO", T::Cadena, 3}},
                              {{"COD", "COD"}, {"CODVALEN", "CODVALEN"}},
                              true};
    return d;
}

const Definicion& Asignomt() {
    static const Definicion d{"ASIGNOMT.DBF",
                              {{"COD", T::Cadena, 10},
                               {"CODLARGO", T::Cadena, 10},
                               {"NOMBRE", T::Cadena, 80},
                               {"ESTAREA", T::Logico, 0}},
                              {}};
    return d;
}

const Definicion& Proft() {
    static const Definicion d{"PROFT.DBF",
                              {{"ABREV", T::Cadena, kAnchoAbrevProfesor},
                               {"NOMBRE", T::Cadena, 80},
                               {"DEPART", T::Cadena, 40},
                               {"DNI", T::Entero, 0}},
                              {}};
    return d;
}

const Definicion& Aulat() {
    static const Definicion d{"AULAT.DBF",
                              {{"ABREV", T::Cadena, 10},
                               {"NOMBRE", T::Cadena, 80},
                               {"EDIFICIO", T::Cadena, 1},
                               {"MAXALUM", T::Entero, 0}},
                              {}};
    return d;
}

std::string CampoAsig(int n) {
    return "ASIG" + std::to_string(n);
}

std::string CampoDiv(int n) {
    return "DIV" + std::to_string(n);
}

const Definicion& Alumnost() {
    static const Definicion d = [] {
        Definicion a{"ALUMNOST.DBF",
                     {{"EXPED", T::Cadena, 20},
                      {"NOMBRE", T::Cadena, 50},
                      {"TURNO", T::Cadena, 1},
                      {"NIVEL", T::Cadena, 5},
                      {"CURSO", T::Cadena, 3},
                      {"GRUPO", T::Cadena, 2},
                      {"OPCION", T::Cadena, 1},
                      {"REPITE", T::Logico, 0}},
                     {}};
        for (int n = 1; n <= kParesAsignatura; ++n) {
            a.campos.push_back({CampoAsig(n), T::Cadena, 4});
            a.campos.push_back({CampoDiv(n), T::Cadena, 1});
        }
        return a;
    }();
    return d;
}

const Definicion& Asigcurt() {
    static const Definicion d{"ASIGCURT.DBF",
                              {{"NIVEL", T::Cadena, 5},
                               {"CURSO", T::Cadena, 3},
                               {"ASIG", T::Cadena, 10},
                               {"HORAS", T::Flotante, 0}},
                              {}};
    return d;
}

const Definicion& Grupost() {
    static const Definicion d{"GRUPOST.DBF",
                              {{"ABREV", T::Cadena, 10},
                               {"TURNO", T::Cadena, 1},
                               {"NIVEL", T::Cadena, 5},
                               {"CURSO", T::Cadena, 3},
                               {"GRUPO", T::Cadena, 2},
                               {"DESCRIP", T::Cadena, 80},
                               {"TUTOR", T::Cadena, 10}},
                              {}};
    return d;
}

const Definicion& Cursost() {
    static const Definicion d{"CURSOST.DBF",
                              {{"ABREV", T::Cadena, 3},
                               {"TURNO", T::Cadena, 1},
                               {"NIVEL", T::Cadena, 5},
                               {"CURSO", T::Cadena, 3}},
                              {}};
    return d;
}

const Definicion& Asigt() {
    static const Definicion d{"ASIGT.DBF",
                              {{"CASIG", T::Cadena, 10},
                               {"CPROF", T::Cadena, 10},
                               {"CGRUP", T::Cadena, 10},
                               {"CAULA", T::Cadena, 10},
                               {"TURNO", T::Cadena, 1},
                               {"NIVEL", T::Cadena, 5},
                               {"CURSO", T::Cadena, 3},
                               {"GRUPO", T::Cadena, 2},
                               {"HORAS", T::Flotante, 0},
                               {"SESIONES", T::Cadena, kAnchoSesiones},
                               {"NCONEX", T::Cadena, 4},
                               {"CTAREA", T::Cadena, 10}},
                              {}};
    return d;
}

const Definicion& Soluc() {
    static const Definicion d{"SOLUC.DBF",
                              {{"DIA", T::Numerico, 2, 0},
                               {"HORA", T::Numerico, 2, 0},
                               {"TAREA", T::Cadena, 10},
                               {"PROF", T::Cadena, 10},
                               {"NIVEL", T::Cadena, 5},
                               {"CURSO", T::Cadena, 3},
                               {"ASIG", T::Cadena, 10},
                               {"CODGRUPO", T::Cadena, 10},
                               {"AULA", T::Cadena, 10}},
                              {}};
    return d;
}

void BorrarAnterior(const Definicion& definicion) {
    BorrarArchivoTabla(RutaNativa(UnirRuta(kCarpetaIntercambio, definicion.archivo)));
    BorrarArchivoTabla(
        RutaNativa(UnirRuta(kCarpetaIntercambio, SinExtension(definicion.archivo) + ".MDX")));
}

void Crear(Tabla& tabla, const Definicion& definicion, bool abrir) {
    if (!definicion.reemplazaAlCrear) BorrarAnterior(definicion);
    tabla.SetDatabaseName(kCarpetaIntercambio);
    tabla.SetTableName(definicion.archivo);
    tabla.FieldDefs() = definicion.campos;
    tabla.IndexDefs() = definicion.indices;
    tabla.CreateTable();
    if (abrir) tabla.Open();
}

}  // namespace brisolt::intercambio
