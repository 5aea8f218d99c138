#include "import/devolver.h"

#include <vector>

#include "sistema/sistema.h"
#include "tables/carpetas.h"
#include "tables/copia.h"
#include "tables/error.h"

namespace brisolt {

namespace {

[[noreturn]] void FalloES(CodigoES error) {
    throw Error(MensajeErrorES(error));
}

std::string Carpeta(const std::string& ruta) {
    auto barra = ruta.find_last_of('/');
    return barra == std::string::npos ? std::string(".") : ruta.substr(0, barra);
}

std::string Nombre(const std::string& ruta) {
    auto barra = ruta.find_last_of('/');
    return barra == std::string::npos ? ruta : ruta.substr(barra + 1);
}

// One file on its way back: the staged source, the school's original, and the
// new copy beside the original until it is renamed over it.
struct Viaje {
    std::string nombre;
    std::string origen;
    std::string destino;
    std::string temporal;  // empty until created

    ~Viaje() {
        if (!temporal.empty()) SO().Borrar(temporal);
    }
};

// Creates the new file beside the original, under a name of its own.
CodigoES CrearTemporal(Viaje& v, Archivo* nuevo) {
    const std::string base =
        Carpeta(v.destino) + "/." + Nombre(v.destino) + ".nuevo" + std::to_string(SO().IdProceso());
    for (int intento = 0;; ++intento) {
        std::string ruta = base + (intento ? "." + std::to_string(intento) : std::string());
        const CodigoES e =
            nuevo->Abrir(ruta, Acceso::LecturaEscritura, Creacion::Nuevo, Comparticion::Exclusiva);
        if (e == 0) {
            v.temporal = ruta;
            return 0;
        }
        if (e != codigo_es::kYaExiste || intento > 100) return e;
    }
}

// Writes the complete new copy of `v` and flushes it; returns 0 or the error.
CodigoES Escribir(Viaje& v) {
    Archivo origen;
    if (CodigoES e =
            origen.Abrir(v.origen, Acceso::Lectura, Creacion::Existente, Comparticion::Compartida))
        return e;
    Archivo nuevo;
    if (CodigoES e = CrearTemporal(v, &nuevo)) return e;

    // The school's program must be able to open the file as it could the original.
    if (SO().Tipo(v.destino) == TipoEntrada::Archivo)
        SO().CopiarPermisos(v.destino, nuevo.Manejador());

    std::vector<char> bloque(64 * 1024);
    for (uint64_t pos = 0;;) {
        std::size_t leidos = 0;
        if (CodigoES e = origen.LeerTodo(bloque.data(), bloque.size(), pos, &leidos)) return e;
        if (leidos == 0) break;
        if (CodigoES e = nuevo.EscribirTodo(bloque.data(), leidos, pos)) return e;
        pos += leidos;
    }
    if (CodigoES e = SO().Sincronizar(nuevo.Manejador())) return e;
    if (CodigoES e = nuevo.Cerrar()) return e;
    return origen.Cerrar();
}

CodigoES Renombrar(const Viaje& v) {
    return SO().Renombrar(v.temporal, v.destino);
}

// Keeps the school's original of `r` under a second name until both new files
// are in place, so that it can be put back. A hard link costs nothing; where
// the folder has none (a network share, a FAT stick) or the name is taken by
// what a crashed run left, a complete copy, flushed like the new files, does
// the same job. Returns 0 or the error; nothing of the school's is touched.
CodigoES Respaldar(Viaje& r) {
    if (!ExisteArchivo(r.origen)) return 0;
    const std::string ruta = Carpeta(r.origen) + "/." + Nombre(r.origen) + ".anterior" +
                             std::to_string(SO().IdProceso());
    if (SO().Enlazar(r.origen, ruta) == 0) {
        r.temporal = ruta;
        return 0;
    }
    return Escribir(r);
}

}  // namespace

void DevolverHorarios(const std::string& carpetaGC) {
    Viaje viajes[2];
    const char* nombres[2] = {"horgrup.dbf", "horprof.dbf"};
    for (int i = 0; i < 2; ++i) {
        viajes[i].nombre = nombres[i];
        viajes[i].origen = RutaNativa(UnirRuta(kCarpetaStaging, nombres[i]));
        viajes[i].destino = RutaNativa(UnirRuta(carpetaGC, nombres[i]));
    }
    // Until both copies are complete on disk nothing of the school's is touched;
    // a failure here leaves the originals and removes the copies (~Viaje).
    for (Viaje& v : viajes)
        if (CodigoES e = Escribir(v)) FalloES(e);

    // The two renames cannot be one step. Should the second fail, the first
    // original is put back, so the two files stay of one age.
    Viaje& grupos = viajes[0];
    Viaje& profesores = viajes[1];
    Viaje respaldo;  // removed on the way out unless it was put back
    respaldo.nombre = grupos.nombre;
    respaldo.origen = grupos.destino;
    respaldo.destino = grupos.destino;
    if (CodigoES e = Respaldar(respaldo)) FalloES(e);

    if (CodigoES e = Renombrar(grupos)) FalloES(e);
    grupos.temporal.clear();
    if (CodigoES e = Renombrar(profesores)) {
        if (!respaldo.temporal.empty() && SO().Renombrar(respaldo.temporal, grupos.destino) == 0)
            respaldo.temporal.clear();
        FalloES(e);
    }
    profesores.temporal.clear();
    SO().SincronizarCarpeta(Carpeta(grupos.destino));
    if (Carpeta(profesores.destino) != Carpeta(grupos.destino))
        SO().SincronizarCarpeta(Carpeta(profesores.destino));
}

}  // namespace brisolt
