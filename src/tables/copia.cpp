#include "tables/copia.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "tables/carpetas.h"
#include "tables/error.h"
#include "tables/tabla.h"

namespace brisolt {
namespace {

constexpr std::size_t kBloque = 2048;

// What the school's runtime reports when a destination takes fewer bytes than
// it was offered without the system naming an error.
constexpr int kCodigoDiscoLleno = 101;

FuncionEscritura escritura = &::write;

[[noreturn]] void FallarCodigo(int codigo) {
    throw Error(MensajeErrorES(codigo));
}
[[noreturn]] void FallarErrno(int errnoValor) {
    FallarCodigo(CodigoWindows(errnoValor));
}

std::size_t InicioNombre(std::string_view ruta) {
    const auto pos = ruta.find_last_of("\\/:");
    return pos == std::string_view::npos ? 0 : pos + 1;
}

std::string_view ParteNombre(std::string_view ruta) {
    return ruta.substr(InicioNombre(ruta));
}

std::string CarpetaDe(const std::string& rutaNativa) {
    const auto pos = rutaNativa.find_last_of('/');
    if (pos == std::string::npos) return ".";
    return pos == 0 ? "/" : rutaNativa.substr(0, pos);
}

// A file that cannot be created because a folder on its way is missing is an
// invalid name to the school's runtime, not a missing file.
[[noreturn]] void FallarApertura(int errnoValor, const std::string& rutaNativa) {
    if (errnoValor == ENOENT && !ExisteCarpeta(CarpetaDe(rutaNativa))) FallarCodigo(3);
    FallarErrno(errnoValor);
}

// Another program's exclusive hold forbids what we ask, as a sharing violation
// does; shared holders read and write beside us.
void CompartirCon(int fd) {
    while (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        FallarErrno(errno);
    }
}

// Closes on the way out of an error; the normal path closes explicitly so that
// a failing close is reported.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return fd_; }
    void Cerrar() {
        const int fd = fd_;
        fd_ = -1;
        // A close interrupted by a signal has released the descriptor on Linux.
        if (::close(fd) != 0 && errno != EINTR) FallarErrno(errno);
    }

  private:
    int fd_;
};

int Abrir(const std::string& rutaNativa, int modo) {
    for (;;) {
        const int fd = ::open(rutaNativa.c_str(), modo | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EINTR) FallarApertura(errno, rutaNativa);
    }
}

std::size_t Leer(int fd, char* bufer) {
    for (;;) {
        const ssize_t n = ::read(fd, bufer, kBloque);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) FallarErrno(errno);
    }
}

std::size_t Escribir(int fd, const char* bufer, std::size_t n) {
    for (;;) {
        const ssize_t m = escritura(fd, bufer, n);
        if (m >= 0) return static_cast<std::size_t>(m);
        if (errno != EINTR) FallarErrno(errno);
    }
}

}  // namespace

void CopiarArchivo(const std::string& destino, const std::string& origen) {
    std::string rutaDestino = destino;
    if (ParteNombre(rutaDestino).empty()) rutaDestino += ParteNombre(origen);

    if (!ExisteArchivo(origen)) return;

    const std::string nativaOrigen = RutaNativa(origen);
    // Read only: a read-only file or medium in the school folder stages fine.
    Descriptor fuente(Abrir(nativaOrigen, O_RDONLY));
    CompartirCon(fuente.fd());

    // Truncated only once we know nobody holds it exclusively, so a refused
    // copy leaves the other program's file whole.
    const std::string nativaDestino = RutaNativa(rutaDestino);
    Descriptor copia(Abrir(nativaDestino, O_RDWR | O_CREAT));
    CompartirCon(copia.fd());
    if (::ftruncate(copia.fd(), 0) != 0) FallarErrno(errno);

    char bufer[kBloque];
    for (;;) {
        const std::size_t n = Leer(fuente.fd(), bufer);
        if (n == 0) break;
        if (Escribir(copia.fd(), bufer, n) != n) FallarCodigo(kCodigoDiscoLleno);
    }

    copia.Cerrar();
    fuente.Cerrar();
}

void ReemplazarArchivo(const std::string& destino, const std::string& origen) {
    // The engine's deletion leaves a file that a table object holds, as the
    // system refuses to delete a file open without shared deletion; the copy
    // then reports the conflict when it creates the destination.
    if (ExisteArchivo(destino)) BorrarArchivoTabla(RutaNativa(destino));
    CopiarArchivo(destino, origen);
}

std::string MensajeErrorES(int codigo) {
    switch (codigo) {
        case 2:
            return "No se encuentra el archivo";
        case 3:
            return "Nombre de archivo inválido";
        case 4:
            return "Demasiados archivos abiertos";
        case 5:
            return "Acceso al archivo denegado";
        case 100:
            return "Se intenta leer después del fin del archivo";
        case 101:
            return "Disco lleno";
        case 106:
            return "Valor numérico de entrada inválido";
        default:
            return "Error de E/S " + std::to_string(codigo);
    }
}

int CodigoWindows(int errnoValor) {
    switch (errnoValor) {
        case ENOENT:
            return 2;  // ERROR_FILE_NOT_FOUND
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
        case ELOOP:
        case EILSEQ:
            return 3;  // the runtime's invalid file name
        case EMFILE:
        case ENFILE:
            return 4;  // ERROR_TOO_MANY_OPEN_FILES
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return 5;  // ERROR_ACCESS_DENIED
        case EBADF:
            return 6;  // ERROR_INVALID_HANDLE
        case ENOMEM:
            return 8;  // ERROR_NOT_ENOUGH_MEMORY
        case ENODEV:
            return 15;  // ERROR_INVALID_DRIVE
        case EXDEV:
            return 17;  // ERROR_NOT_SAME_DEVICE
        case ENXIO:
        case ENOMEDIUM:
            return 21;  // ERROR_NOT_READY
        case EIO:
            return 31;  // ERROR_GEN_FAILURE
        case EWOULDBLOCK:
        case EBUSY:
        case ETXTBSY:
            return 32;  // ERROR_SHARING_VIOLATION
        case EDEADLK:
            return 33;  // ERROR_LOCK_VIOLATION
        case ENOLCK:
            return 36;  // ERROR_SHARING_BUFFER_EXCEEDED
        case ENOTSUP:
        case ENOSYS:
            return 50;  // ERROR_NOT_SUPPORTED
        case EEXIST:
            return 80;  // ERROR_FILE_EXISTS
        case EPIPE:
            return 109;  // ERROR_BROKEN_PIPE
        case ENOSPC:
        case EDQUOT:
            return 112;  // ERROR_DISK_FULL
        case ENOTEMPTY:
            return 145;  // ERROR_DIR_NOT_EMPTY
        case EFBIG:
            return 223;  // ERROR_FILE_TOO_LARGE
        default:
            return 31;  // ERROR_GEN_FAILURE
    }
}

FuncionEscritura FijarEscrituraCopia(FuncionEscritura funcion) {
    const FuncionEscritura anterior = escritura;
    escritura = funcion ? funcion : &::write;
    return anterior;
}

}  // namespace brisolt
