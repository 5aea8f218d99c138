#include "import/copias.h"

#include <algorithm>
#include <cstdio>

#include "sistema/sistema.h"
#include "tables/carpetas.h"
#include "tables/copia.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt {

namespace {

[[noreturn]] void Fallo(CodigoES e, const std::string& nativa) {
    throw Error(MensajeErrorES(e) + ": " + RutaVisible(nativa));
}

std::string Dos(int n) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", n % 100);
    return b;
}

bool EsNombreDeCopia(const std::string& n) {
    if (n.size() < 15 || n[8] != '-') return false;
    for (std::size_t i = 0; i < 15; ++i)
        if (i != 8 && (n[i] < '0' || n[i] > '9')) return false;
    if (n.size() == 15) return true;
    if (n[15] != '-' || n.size() > 19) return false;
    for (std::size_t i = 16; i < n.size(); ++i)
        if (n[i] < '0' || n[i] > '9') return false;
    return true;
}

std::string Fecha(const std::string& n) {
    return n.substr(6, 2) + "/" + n.substr(4, 2) + "/" + n.substr(0, 4) + " " + n.substr(9, 2) +
           ":" + n.substr(11, 2) + ":" + n.substr(13, 2);
}

// The record count in a table's header; -1 when there is no such table.
int64_t Filas(const std::string& ruta) {
    Archivo a;
    if (a.Abrir(ruta, Acceso::Lectura, Creacion::Existente, Comparticion::Libre) != 0) return -1;
    unsigned char cabecera[8];
    std::size_t leidos = 0;
    if (a.LeerTodo(cabecera, sizeof cabecera, 0, &leidos) != 0 || leidos < 8) return -1;
    return int64_t{cabecera[4]} | int64_t{cabecera[5]} << 8 | int64_t{cabecera[6]} << 16 |
           int64_t{cabecera[7]} << 24;
}

void BorrarCarpeta(const std::string& carpeta) {
    std::vector<std::string> nombres;
    if (SO().Listar(carpeta, &nombres) == 0)
        for (const auto& n : nombres) SO().Borrar(carpeta + "/" + n);
    // What cannot go stays; an old copy left over harms nothing.
    (void)SO().BorrarCarpeta(carpeta);
}

// The copy folders' names, oldest first.
std::vector<std::string> NombresDeCopias(const std::string& raiz) {
    std::vector<std::string> nombres, copias;
    if (SO().Listar(raiz, &nombres) != 0) return copias;
    for (const auto& n : nombres)
        if (EsNombreDeCopia(n) && SO().Tipo(raiz + "/" + n) == TipoEntrada::Carpeta)
            copias.push_back(n);
    // In order of time: a second copy in the same second ends in -2, -3...
    auto orden = [](const std::string& n) {
        return std::make_pair(n.substr(0, 15), n.size() > 16 ? std::stoi(n.substr(16)) : 1);
    };
    std::sort(copias.begin(), copias.end(),
              [&](const std::string& a, const std::string& b) { return orden(a) < orden(b); });
    return copias;
}

}  // namespace

void CopiarCompleto(const std::string& origen, const std::string& destino,
                    const std::string& modelo) {
    const std::string& nombrado = modelo.empty() ? destino : modelo;
    VolcarTablaAbierta(origen);
    Archivo de, a;
    // Free reading: the write-back holds the originals while it copies them.
    if (CodigoES e = de.Abrir(origen, Acceso::Lectura, Creacion::Existente, Comparticion::Libre))
        Fallo(e, origen);
    if (CodigoES e =
            a.Abrir(destino, Acceso::LecturaEscritura, Creacion::Nuevo, Comparticion::Exclusiva))
        Fallo(e, nombrado);
    // The school's program must be able to open the file as it could the original.
    if (!modelo.empty() && SO().Tipo(modelo) == TipoEntrada::Archivo)
        if (CodigoES e = SO().CopiarPermisos(modelo, a.Manejador())) Fallo(e, modelo);
    std::string bloque(64 * 1024, '\0');
    for (uint64_t pos = 0;;) {
        std::size_t n = 0;
        if (CodigoES e = de.LeerTodo(bloque.data(), bloque.size(), pos, &n)) Fallo(e, origen);
        if (n == 0) break;
        if (CodigoES e = a.EscribirTodo(bloque.data(), n, pos)) Fallo(e, nombrado);
        pos += n;
    }
    if (CodigoES e = SO().Sincronizar(a.Manejador())) Fallo(e, nombrado);
    if (CodigoES e = a.Cerrar()) Fallo(e, nombrado);
    if (CodigoES e = de.Cerrar()) Fallo(e, origen);
}

std::vector<Copia> ListarCopias() {
    const std::string raiz = RutaNativa(kCarpetaCopias);
    std::vector<Copia> copias;
    for (const auto& n : NombresDeCopias(raiz)) {
        Copia c;
        c.nombre = n;
        c.carpeta = raiz + "/" + n;
        c.fecha = Fecha(n);
        c.filasProfesores = Filas(RutaNativa(c.carpeta + "/horprof.dbf"));
        c.filasGrupos = Filas(RutaNativa(c.carpeta + "/horgrup.dbf"));
        copias.push_back(c);
    }
    return copias;
}

Copia CopiarHorarios(const std::vector<std::string>& archivos, const std::string& conservar) {
    CodigoES error = 0;
    if (!CrearCarpetas(kCarpetaCopias, &error)) Fallo(error, RutaNativa(kCarpetaCopias));
    const std::string raiz = RutaNativa(kCarpetaCopias);
    const std::tm t = SO().HoraLocal();
    const std::string base = std::to_string(t.tm_year + 1900) + Dos(t.tm_mon + 1) + Dos(t.tm_mday) +
                             "-" + Dos(t.tm_hour) + Dos(t.tm_min) + Dos(t.tm_sec);
    Copia c;
    for (int n = 1;; ++n) {
        c.nombre = n == 1 ? base : base + "-" + std::to_string(n);
        c.carpeta = raiz + "/" + c.nombre;
        const CodigoES e = SO().CrearCarpeta(c.carpeta);
        if (e == 0) break;
        if (SO().Tipo(c.carpeta) == TipoEntrada::Ninguna || n > 100) Fallo(e, c.carpeta);
    }
    c.fecha = Fecha(c.nombre);
    try {
        for (const std::string& origen : archivos)
            CopiarCompleto(origen, c.carpeta + "/" + origen.substr(origen.find_last_of('/') + 1));
        SO().SincronizarCarpeta(c.carpeta);
        SO().SincronizarCarpeta(raiz);
    } catch (...) {
        BorrarCarpeta(c.carpeta);
        throw;
    }
    c.filasProfesores = Filas(RutaNativa(c.carpeta + "/horprof.dbf"));
    c.filasGrupos = Filas(RutaNativa(c.carpeta + "/horgrup.dbf"));

    std::vector<std::string> todas = NombresDeCopias(raiz);
    std::erase(todas, conservar);
    for (std::size_t i = 0; i + kCopiasGuardadas < todas.size(); ++i)
        BorrarCarpeta(raiz + "/" + todas[i]);
    return c;
}

}  // namespace brisolt
