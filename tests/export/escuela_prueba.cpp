#include "export/escuela_prueba.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "sistema_prueba.h"
#include "tables/carpetas.h"
#include "tables/conversion.h"

namespace brisolt::prueba {

UnidadPrueba::UnidadPrueba() : raiz_(NuevaCarpetaTemporal("brisolt-escuela-")) {
    if (raiz_.empty()) throw std::runtime_error("no temporary folder could be made");
    if (const auto valor = SO().Entorno("BRISOLT_DRIVE_C")) {
        habiaAnterior_ = true;
        anterior_ = *valor;
    }
    FijarEntorno("BRISOLT_DRIVE_C", raiz_);
    if (!CrearCarpetas(RutaNativa("C:\\ZTEMP\\VALENCIA")))
        throw std::runtime_error("cannot create the staging folder");
}

UnidadPrueba::~UnidadPrueba() {
    BorrarArbol(raiz_);
    if (habiaAnterior_)
        FijarEntorno("BRISOLT_DRIVE_C", anterior_);
    else
        QuitarEntorno("BRISOLT_DRIVE_C");
}

namespace {

// Cells use "." whatever separator a test has fixed, so they go through the
// C conversion rather than the user's.
double NumeroC(const std::string& texto) {
    std::size_t usados = 0;
    const double valor = std::stod(texto, &usados);
    if (usados != texto.size()) throw std::runtime_error("not a number: " + texto);
    return valor;
}

void Escribir(Campo campo, TipoCampo tipo, const std::string& celda) {
    if (celda.empty()) return;
    switch (tipo) {
        case TipoCampo::Cadena:
        case TipoCampo::Memo:
            campo.SetAsString(celda);
            break;
        case TipoCampo::Entero:
            campo.SetAsInteger(static_cast<int32_t>(NumeroC(celda)));
            break;
        case TipoCampo::Flotante:
        case TipoCampo::Numerico:
            campo.SetAsFloat(NumeroC(celda));
            break;
        case TipoCampo::Logico:
            campo.SetAsBoolean(celda == "T");
            break;
        case TipoCampo::Fecha: {
            int anio = 0, mes = 0, dia = 0;
            if (std::sscanf(celda.c_str(), "%d-%d-%d", &anio, &mes, &dia) != 3)
                throw std::runtime_error("not a date: " + celda);
            campo.SetAsDateTime(FechaADias(anio, mes, dia));
            break;
        }
    }
}

std::string Leer(const Campo& campo) {
    const char tipo = campo.Info().tipo;
    if (tipo == 'C' || tipo == 'M') return campo.AsString();
    if (campo.IsNull()) return {};
    if (tipo == 'L') return campo.AsBoolean() ? "T" : "F";
    if (tipo == 'D') {
        int anio = 0, mes = 0, dia = 0;
        DiasAFecha(campo.AsDateTime(), &anio, &mes, &dia);
        char texto[16];
        std::snprintf(texto, sizeof texto, "%04d-%02d-%02d", anio, mes, dia);
        return texto;
    }
    return FlotanteExacto(campo.AsFloat());
}

void CrearStaging(const char* nombre, const std::vector<DefCampo>& todos,
                  const std::vector<std::string>& columnas, const Filas& filas) {
    // Rows name only the columns the export reads; the others stay blank.
    Filas completas;
    for (const Fila& fila : filas) {
        if (fila.size() != columnas.size()) throw std::runtime_error("row of wrong size");
        Fila completa(todos.size());
        for (std::size_t c = 0; c < columnas.size(); ++c) {
            for (std::size_t t = 0; t < todos.size(); ++t)
                if (todos[t].nombre == columnas[c]) completa[t] = fila[c];
        }
        completas.push_back(std::move(completa));
    }
    CrearTabla("C:\\ZTEMP\\VALENCIA", nombre, todos, completas);
}

}  // namespace

void CrearTabla(std::string_view carpeta, std::string_view nombre,
                const std::vector<DefCampo>& campos, const Filas& filas, NivelTabla nivel,
                const std::vector<DefIndice>& indices) {
    Tabla tabla;
    tabla.SetDatabaseName(std::string(carpeta));
    tabla.SetTableName(std::string(nombre));
    tabla.SetTableLevel(nivel);
    tabla.FieldDefs() = campos;
    tabla.IndexDefs() = indices;
    tabla.CreateTable();
    tabla.Open();
    for (const Fila& fila : filas) {
        if (fila.size() > campos.size()) throw std::runtime_error("row wider than the table");
        tabla.Append();
        for (std::size_t i = 0; i < fila.size(); ++i)
            Escribir(tabla.FieldByName(campos[i].nombre), campos[i].tipo, fila[i]);
        tabla.Post();
    }
    tabla.Close();
}

Filas LeerTabla(std::string_view ruta) {
    Tabla tabla;
    tabla.SetTableName(std::string(ruta));
    tabla.Open();
    Filas filas;
    for (tabla.First(); !tabla.Eof(); tabla.Next()) {
        Fila fila;
        for (const InfoCampo& info : tabla.Fields())
            if (!info.sistema) fila.push_back(Leer(tabla.FieldByName(info.nombre)));
        filas.push_back(std::move(fila));
    }
    tabla.Close();
    return filas;
}

std::vector<std::string> Estructura(std::string_view ruta) {
    Tabla tabla;
    tabla.SetTableName(std::string(ruta));
    tabla.Open();
    std::vector<std::string> campos;
    for (const InfoCampo& info : tabla.Fields()) {
        if (info.sistema) continue;
        campos.push_back(std::string(1, info.tipo) + ":" + info.nombre + ":" +
                         std::to_string(info.ancho));
    }
    tabla.Close();
    return campos;
}

std::string Num(double valor) {
    return FlotanteExacto(valor);
}

std::string Intercambio(std::string_view archivo) {
    return RutaNativa(UnirRuta("C:\\ZTEMP", archivo));
}

void CrearAsignat(const Filas& filas) {
    CrearStaging("asignat.dbf",
                 {{"CODASIG", TipoCampo::Cadena, 8},
                  {"VLITEASIG", TipoCampo::Cadena, 30},
                  {"CLITEASIG", TipoCampo::Cadena, 30},
                  {"RAMAESPEC", TipoCampo::Cadena, 4},
                  {"HORSEMTE", TipoCampo::Cadena, 5},
                  {"HORSEMPR", TipoCampo::Cadena, 5},
                  {"LITRES", TipoCampo::Cadena, 3},
                  {"LITRESV", TipoCampo::Cadena, 3},
                  {"HORANO", TipoCampo::Numerico, 4, 0}},
                 {"CODASIG", "VLITEASIG", "CLITEASIG", "HORSEMTE", "LITRESV"}, filas);
}

void CrearOcupa(const Filas& filas) {
    CrearStaging("OCUPA.dbf",
                 {{"OCUPA", TipoCampo::Cadena, 12},
                  {"VLITERAL", TipoCampo::Cadena, 100},
                  {"CLITERAL", TipoCampo::Cadena, 100}},
                 {"OCUPA", "VLITERAL", "CLITERAL"}, filas);
}

void CrearProfesor(const Filas& filas) {
    CrearStaging("profesor.dbf",
                 {{"DNI", TipoCampo::Numerico, 9, 0},
                  {"APENOMPROF", TipoCampo::Cadena, 40},
                  {"DEPARTA", TipoCampo::Cadena, 50},
                  {"FALTA", TipoCampo::Fecha},
                  {"FBAJA", TipoCampo::Fecha}},
                 {"APENOMPROF", "DEPARTA", "DNI", "FBAJA"}, filas);
}

void CrearAulas(const Filas& filas) {
    CrearStaging("aulas.dbf",
                 {{"CODAULA", TipoCampo::Cadena, 12},
                  {"LITAULA", TipoCampo::Cadena, 90},
                  {"CAPACIDAD", TipoCampo::Numerico, 3, 0}},
                 {"CODAULA", "LITAULA"}, filas);
}

void CrearGrupos(const Filas& filas) {
    CrearStaging("grupos.dbf",
                 {{"CODGRUP", TipoCampo::Cadena, 5},
                  {"LITEGRUP", TipoCampo::Cadena, 30},
                  {"TURNO", TipoCampo::Cadena, 1},
                  {"DNI", TipoCampo::Cadena, 9}},
                 {"CODGRUP", "TURNO", "LITEGRUP", "DNI"}, filas);
}

void CrearAlumnos(const Filas& filas) {
    CrearStaging("alumnos.dbf",
                 {{"APENOM", TipoCampo::Cadena, 45},
                  {"CODIGO", TipoCampo::Cadena, 10},
                  {"CODIGO2", TipoCampo::Cadena, 10},
                  {"FECHANAC", TipoCampo::Fecha},
                  {"CODCUR", TipoCampo::Cadena, 4},
                  {"CODGRUP", TipoCampo::Cadena, 5},
                  {"REPITE", TipoCampo::Numerico, 1, 0},
                  {"OBS", TipoCampo::Memo}},
                 {"CODIGO", "APENOM", "CODCUR", "CODGRUP", "REPITE"}, filas);
}

void CrearAsigAlum(const Filas& filas) {
    CrearStaging("asigalum.dbf",
                 {{"CODIGO", TipoCampo::Cadena, 10},
                  {"CODASIG", TipoCampo::Cadena, 8},
                  {"NOTA", TipoCampo::Numerico, 5, 2}},
                 {"CODIGO", "CODASIG"}, filas);
}

}  // namespace brisolt::prueba
