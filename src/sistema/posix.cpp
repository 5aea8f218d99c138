// The system layer on POSIX. Sharing between programs is flock() on the file
// itself: shared holders read and write side by side, an exclusive holder
// keeps the rest out. Locks of this process do not conflict with each other
// only because the engine opens each file once.
#ifndef _WIN32

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "sistema/sistema.h"

extern char** environ;

namespace brisolt {

CodigoES CodigoDeErrno(int errnoValor) {
    switch (errnoValor) {
        case 0:
            return 0;
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

namespace {

CodigoES Ultimo() {
    return CodigoDeErrno(errno);
}

IdentidadArchivo DeStat(const struct stat& st) {
    IdentidadArchivo id;
    id.volumen = static_cast<uint64_t>(st.st_dev);
    id.indice = static_cast<uint64_t>(st.st_ino);
    id.tamano = static_cast<uint64_t>(st.st_size);
    id.segundos = st.st_mtim.tv_sec;
    id.nanos = st.st_mtim.tv_nsec;
    return id;
}

int Fd(Sistema::Manejador m) {
    return static_cast<int>(m);
}

class Posix final : public Sistema {
  public:
    CodigoES Abrir(const std::string& ruta, Acceso acceso, Creacion creacion,
                   Comparticion comparticion, Manejador* m) override {
        *m = kNinguno;
        int flags = (acceso == Acceso::Lectura ? O_RDONLY : O_RDWR) | O_CLOEXEC;
        if (creacion == Creacion::Crear) flags |= O_CREAT;
        if (creacion == Creacion::Nuevo) flags |= O_CREAT | O_EXCL;
        int fd;
        do {
            fd = ::open(ruta.c_str(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) return Ultimo();
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            return codigo_es::kAccesoDenegado;
        }
        if (comparticion != Comparticion::Libre) {
            const int op = comparticion == Comparticion::Exclusiva ? LOCK_EX : LOCK_SH;
            int r;
            do {
                r = ::flock(fd, op | LOCK_NB);
            } while (r != 0 && errno == EINTR);
            if (r != 0) {
                const CodigoES e = Ultimo();
                ::close(fd);
                return e;
            }
        }
        *m = fd;
        return 0;
    }

    CodigoES Cerrar(Manejador m) override {
        // A close interrupted by a signal has released the descriptor on Linux.
        return ::close(Fd(m)) == 0 || errno == EINTR ? 0 : Ultimo();
    }

    CodigoES LeerEn(Manejador m, void* datos, std::size_t n, uint64_t pos,
                    std::size_t* leidos) override {
        for (;;) {
            const ssize_t r = ::pread(Fd(m), datos, n, static_cast<off_t>(pos));
            if (r >= 0) {
                *leidos = static_cast<std::size_t>(r);
                return 0;
            }
            if (errno != EINTR) return Ultimo();
        }
    }

    CodigoES EscribirEn(Manejador m, const void* datos, std::size_t n, uint64_t pos,
                        std::size_t* escritos) override {
        for (;;) {
            const ssize_t w = ::pwrite(Fd(m), datos, n, static_cast<off_t>(pos));
            if (w >= 0) {
                *escritos = static_cast<std::size_t>(w);
                return 0;
            }
            if (errno != EINTR) return Ultimo();
        }
    }

    CodigoES Sincronizar(Manejador m) override { return ::fsync(Fd(m)) == 0 ? 0 : Ultimo(); }

    CodigoES Tamano(Manejador m, uint64_t* tamano) override {
        struct stat st;
        if (::fstat(Fd(m), &st) != 0) return Ultimo();
        *tamano = static_cast<uint64_t>(st.st_size);
        return 0;
    }

    CodigoES Truncar(Manejador m, uint64_t tamano) override {
        return ::ftruncate(Fd(m), static_cast<off_t>(tamano)) == 0 ? 0 : Ultimo();
    }

    CodigoES Identidad(Manejador m, IdentidadArchivo* id) override {
        struct stat st;
        if (::fstat(Fd(m), &st) != 0) return Ultimo();
        *id = DeStat(st);
        return 0;
    }

    CodigoES Version(Manejador m, IdentidadArchivo* id) override { return Identidad(m, id); }

    CodigoES CopiarPermisos(const std::string& modelo, Manejador m) override {
        struct stat st;
        if (::stat(modelo.c_str(), &st) != 0) return Ultimo();
        // Only root may give a file away; anyone may keep their own group.
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(Fd(m), st.st_uid, st.st_gid) != 0 && errno != EPERM)
            return Ultimo();
        return ::fchmod(Fd(m), st.st_mode & 07777) == 0 ? 0 : Ultimo();
    }

    CodigoES IdentidadDe(const std::string& ruta, IdentidadArchivo* id) override {
        struct stat st;
        if (::stat(ruta.c_str(), &st) != 0) return Ultimo();
        *id = DeStat(st);
        return 0;
    }

    CodigoES VersionDe(const std::string& ruta, IdentidadArchivo* id) override {
        return IdentidadDe(ruta, id);
    }

    TipoEntrada Tipo(const std::string& ruta) override {
        struct stat st;
        if (::stat(ruta.c_str(), &st) != 0) return TipoEntrada::Ninguna;
        if (S_ISREG(st.st_mode)) return TipoEntrada::Archivo;
        if (S_ISDIR(st.st_mode)) return TipoEntrada::Carpeta;
        return TipoEntrada::Otra;
    }

    bool ExisteEntrada(const std::string& ruta) override {
        struct stat st;
        return ::lstat(ruta.c_str(), &st) == 0;
    }

    bool SoloLectura(const std::string& ruta) override {
        struct stat st;
        return ::stat(ruta.c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
    }

    bool AbiertoPorOtro(const std::string& ruta) override {
        struct stat buscado;
        if (::stat(ruta.c_str(), &buscado) != 0) return false;
        const std::string propio = std::to_string(::getpid());
        DIR* procesos = ::opendir("/proc");
        if (procesos == nullptr) return false;
        bool abierto = false;
        while (const dirent* p = ::readdir(procesos)) {
            const std::string pid = p->d_name;
            if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos ||
                pid == propio)
                continue;
            const std::string carpeta = "/proc/" + pid + "/fd";
            DIR* fds = ::opendir(carpeta.c_str());
            if (fds == nullptr) continue;  // another user's, or gone
            while (const dirent* f = ::readdir(fds)) {
                struct stat st;
                if (f->d_name[0] == '.') continue;
                if (::stat((carpeta + "/" + f->d_name).c_str(), &st) == 0 &&
                    st.st_dev == buscado.st_dev && st.st_ino == buscado.st_ino) {
                    abierto = true;
                    break;
                }
            }
            ::closedir(fds);
            if (abierto) break;
        }
        ::closedir(procesos);
        return abierto;
    }

    CodigoES Borrar(const std::string& ruta) override {
        return ::unlink(ruta.c_str()) == 0 ? 0 : Ultimo();
    }

    CodigoES Renombrar(const std::string& de, const std::string& a) override {
        return ::rename(de.c_str(), a.c_str()) == 0 ? 0 : Ultimo();
    }

    CodigoES Enlazar(const std::string& existente, const std::string& nuevo) override {
        return ::link(existente.c_str(), nuevo.c_str()) == 0 ? 0 : Ultimo();
    }

    CodigoES Canonica(const std::string& ruta, std::string* canonica) override {
        char buf[PATH_MAX];
        if (::realpath(ruta.c_str(), buf) == nullptr) return Ultimo();
        *canonica = buf;
        return 0;
    }

    CodigoES CrearCarpeta(const std::string& ruta) override {
        return ::mkdir(ruta.c_str(), 0777) == 0 ? 0 : Ultimo();
    }

    CodigoES BorrarCarpeta(const std::string& ruta) override {
        return ::rmdir(ruta.c_str()) == 0 ? 0 : Ultimo();
    }

    CodigoES Listar(const std::string& carpeta, std::vector<std::string>* nombres) override {
        DIR* d = ::opendir(carpeta.empty() ? "." : carpeta.c_str());
        if (d == nullptr) return Ultimo();
        nombres->clear();
        while (const dirent* e = ::readdir(d)) {
            const std::string n = e->d_name;
            if (n != "." && n != "..") nombres->push_back(n);
        }
        ::closedir(d);
        return 0;
    }

    CodigoES SincronizarCarpeta(const std::string& carpeta) override {
        const int fd = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return Ultimo();
        // Some file systems cannot flush a folder; their names are as safe as they get.
        const CodigoES e = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP ? 0 : Ultimo();
        ::close(fd);
        return e;
    }

    CodigoES CambiarCarpeta(const std::string& carpeta) override {
        return ::chdir(carpeta.c_str()) == 0 ? 0 : Ultimo();
    }

    std::string CarpetaActual() override {
        char ruta[PATH_MAX];
        return ::getcwd(ruta, sizeof ruta) ? std::string(ruta) : std::string();
    }

    std::vector<std::string> Unidades() override { return {}; }

    CodigoES CarpetaTemporal(const std::string& prefijo, std::string* ruta) override {
        const char* tmp = std::getenv("TMPDIR");
        std::string plantilla =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/" + prefijo + "XXXXXX";
        if (::mkdtemp(plantilla.data()) == nullptr) return Ultimo();
        *ruta = plantilla;
        return 0;
    }

    std::string RutaPrograma() override {
        char ruta[PATH_MAX];
        const ssize_t n = ::readlink("/proc/self/exe", ruta, sizeof ruta - 1);
        return n > 0 ? std::string(ruta, static_cast<std::size_t>(n)) : std::string();
    }

    std::optional<std::string> Entorno(const std::string& nombre) override {
        const char* v = std::getenv(nombre.c_str());
        if (v == nullptr) return std::nullopt;
        return std::string(v);
    }

    void FijarEntorno(const std::string& nombre, const std::string& valor) override {
        ::setenv(nombre.c_str(), valor.c_str(), 1);
    }

    std::tm HoraLocal() override {
        const std::time_t ahora = std::time(nullptr);
        std::tm t{};
        ::localtime_r(&ahora, &t);
        return t;
    }

    int IdProceso() override { return static_cast<int>(::getpid()); }

    std::vector<std::string> Argumentos(int argc, char** argv) override {
        return std::vector<std::string>(argv, argv + argc);
    }

    void ConsolaUtf8() override {}

    CodigoES CargarBiblioteca(const std::string& nombre, ManejadorBiblioteca* b) override {
        *b = ::dlopen(nombre.c_str(), RTLD_NOW | RTLD_LOCAL);
        // dlopen sets no errno: a library that cannot be loaded is one not found.
        return *b ? 0 : codigo_es::kNoEncontrado;
    }

    FuncionBiblioteca FuncionDe(ManejadorBiblioteca b, const std::string& nombre) override {
        return reinterpret_cast<FuncionBiblioteca>(::dlsym(b, nombre.c_str()));
    }

    void LiberarBiblioteca(ManejadorBiblioteca b) override { ::dlclose(b); }

    // The profile files of this system are written by the program's own writer.
    CodigoES EscribirPerfilSistema(const std::string&, const std::string&, const std::string&,
                                   const std::string&) override {
        return codigo_es::kNoSoportado;
    }

    CodigoES Ejecutar(const std::vector<std::string>& argumentos, const std::string& salida,
                      const std::string& errores,
                      const std::vector<std::pair<std::string, std::string>>& entorno,
                      int* estado) override {
        if (argumentos.empty()) return codigo_es::kRutaNoEncontrada;
        std::vector<std::string> variables;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string v = *e;
            bool cambiada = false;
            for (const auto& [nombre, valor] : entorno)
                cambiada = cambiada || v.rfind(nombre + "=", 0) == 0;
            if (!cambiada) variables.push_back(v);
        }
        for (const auto& [nombre, valor] : entorno) variables.push_back(nombre + "=" + valor);
        std::vector<char*> argv, envp;
        for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        for (auto& v : variables) envp.push_back(v.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t acciones;
        ::posix_spawn_file_actions_init(&acciones);
        const int banderas = O_WRONLY | O_CREAT | O_TRUNC;
        ::posix_spawn_file_actions_addopen(&acciones, 0, "/dev/null", O_RDONLY, 0);
        ::posix_spawn_file_actions_addopen(
            &acciones, 1, salida.empty() ? "/dev/null" : salida.c_str(), banderas, 0666);
        ::posix_spawn_file_actions_addopen(
            &acciones, 2, errores.empty() ? "/dev/null" : errores.c_str(), banderas, 0666);
        pid_t pid = 0;
        const int r = ::posix_spawn(&pid, argv[0], &acciones, nullptr, argv.data(), envp.data());
        ::posix_spawn_file_actions_destroy(&acciones);
        if (r != 0) return CodigoDeErrno(r);
        int st = 0;
        while (::waitpid(pid, &st, 0) < 0)
            if (errno != EINTR) return Ultimo();
        *estado = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + (WIFSIGNALED(st) ? WTERMSIG(st) : 0);
        return 0;
    }
};

}  // namespace

Sistema& SistemaReal() {
    static Posix posix;
    return posix;
}

}  // namespace brisolt

#endif
