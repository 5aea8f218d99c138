#include "import/devolver.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "tables/carpetas.h"
#include "tables/copia.h"
#include "tables/error.h"

namespace brisolt {

namespace {

FalloDevolucion& Fallo() {
    static FalloDevolucion fallo;
    return fallo;
}

// errno of a system call, or the one a test injects at that point.
int Inyectado(PuntoDevolucion punto, const std::string& archivo) {
    return Fallo() ? Fallo()(punto, archivo) : 0;
}

[[noreturn]] void FalloES(int error) {
    throw Error(MensajeErrorES(CodigoWindows(error)));
}

std::string Carpeta(const std::string& ruta) {
    auto barra = ruta.find_last_of('/');
    return barra == std::string::npos ? std::string(".") : ruta.substr(0, barra);
}

class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void Tomar(int fd) { fd_ = fd; }
    // Closes and reports the result, so a failed close is not lost.
    int Cerrar() {
        int r = ::close(fd_);
        fd_ = -1;
        return r;
    }

  private:
    int fd_;
};

// One file on its way back: the staged source, the school's original, and the
// new copy beside the original until it is renamed over it.
struct Viaje {
    std::string nombre;
    std::string origen;
    std::string destino;
    std::string temporal;  // empty until created

    ~Viaje() {
        if (!temporal.empty()) ::unlink(temporal.c_str());
    }
};

// Creates the new file beside the original, under a name of its own.
int CrearTemporal(Viaje& v, Descriptor* fd) {
    if (int e = Inyectado(PuntoDevolucion::CrearTemporal, v.nombre)) return e;
    const std::string carpeta = Carpeta(v.destino);
    const std::string base = carpeta + "/." + v.destino.substr(carpeta.size() + 1) + ".nuevo" +
                             std::to_string(::getpid());
    for (int intento = 0;; ++intento) {
        std::string ruta = base + (intento ? "." + std::to_string(intento) : std::string());
        int d = ::open(ruta.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (d >= 0) {
            v.temporal = ruta;
            fd->Tomar(d);
            return 0;
        }
        if (errno != EEXIST || intento > 100) return errno;
    }
}

// Writes the complete new copy of `v` and flushes it; returns 0 or an errno.
int Escribir(Viaje& v) {
    Descriptor origen(::open(v.origen.c_str(), O_RDONLY | O_CLOEXEC));
    if (origen.get() < 0) return errno;
    Descriptor nuevo;
    if (int e = CrearTemporal(v, &nuevo)) return e;

    // The school's program must be able to open the file as it could the original.
    struct stat original {};
    if (::stat(v.destino.c_str(), &original) == 0) ::fchmod(nuevo.get(), original.st_mode & 07777);

    std::vector<char> bloque(64 * 1024);
    bool primero = true;
    for (;;) {
        ssize_t leidos = ::read(origen.get(), bloque.data(), bloque.size());
        if (leidos < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (leidos == 0) break;
        for (ssize_t hecho = 0; hecho < leidos;) {
            ssize_t n = ::write(nuevo.get(), bloque.data() + hecho, leidos - hecho);
            if (n < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            hecho += n;
        }
        if (primero) {
            primero = false;
            if (int e = Inyectado(PuntoDevolucion::Escribir, v.nombre)) return e;
        }
    }
    if (primero)
        if (int e = Inyectado(PuntoDevolucion::Escribir, v.nombre)) return e;
    if (int e = Inyectado(PuntoDevolucion::Sincronizar, v.nombre)) return e;
    if (::fsync(nuevo.get()) != 0) return errno;
    if (nuevo.Cerrar() != 0) return errno;
    return 0;
}

int Renombrar(const Viaje& v) {
    if (int e = Inyectado(PuntoDevolucion::Renombrar, v.nombre)) return e;
    return ::rename(v.temporal.c_str(), v.destino.c_str()) == 0 ? 0 : errno;
}

// Keeps the school's original of `r` under a second name until both new files
// are in place, so that it can be put back. A hard link costs nothing; where
// the folder has none (a network share, a FAT stick) or the name is taken by
// what a crashed run left, a complete copy, flushed like the new files, does
// the same job. Returns 0 or an errno; nothing of the school's is touched.
int Respaldar(Viaje& r) {
    if (!ExisteArchivo(r.origen)) return 0;
    if (Inyectado(PuntoDevolucion::Enlazar, r.nombre) == 0) {
        const std::string carpeta = Carpeta(r.origen);
        const std::string ruta = carpeta + "/." + r.origen.substr(carpeta.size() + 1) +
                                 ".anterior" + std::to_string(::getpid());
        if (::link(r.origen.c_str(), ruta.c_str()) == 0) {
            r.temporal = ruta;
            return 0;
        }
    }
    return Escribir(r);
}

void SincronizarCarpeta(const std::string& carpeta) {
    Descriptor d(::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (d.get() >= 0) ::fsync(d.get());
}

}  // namespace

void FijarFalloDevolucion(FalloDevolucion fallo) {
    Fallo() = std::move(fallo);
}

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
        if (int e = Escribir(v)) FalloES(e);

    // The two renames cannot be one step. Should the second fail, the first
    // original is put back, so the two files stay of one age.
    Viaje& grupos = viajes[0];
    Viaje& profesores = viajes[1];
    Viaje respaldo;  // removed on the way out unless it was put back
    respaldo.nombre = grupos.nombre;
    respaldo.origen = grupos.destino;
    respaldo.destino = grupos.destino;
    if (int e = Respaldar(respaldo)) FalloES(e);

    if (int e = Renombrar(grupos)) FalloES(e);
    grupos.temporal.clear();
    if (int e = Renombrar(profesores)) {
        if (!respaldo.temporal.empty() &&
            ::rename(respaldo.temporal.c_str(), grupos.destino.c_str()) == 0)
            respaldo.temporal.clear();
        FalloES(e);
    }
    profesores.temporal.clear();
    SincronizarCarpeta(Carpeta(grupos.destino));
    if (Carpeta(profesores.destino) != Carpeta(grupos.destino))
        SincronizarCarpeta(Carpeta(profesores.destino));
}

}  // namespace brisolt
