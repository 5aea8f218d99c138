#pragma once
// The one door to the operating system. Every file, folder, process and clock
// call of the program goes through the `Sistema` in force: the POSIX one on
// Linux, the Windows one there, or a test's, which can make any call fail.
// Paths are UTF-8 everywhere in the program; the Windows side turns them into
// UTF-16 at the call. Failures come back as the I/O error table's codes, the
// Windows error codes (2 file not found, 5 access denied, 32 sharing
// violation, 112 disk full...): 0 is success.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brisolt {

using CodigoES = int;

namespace codigo_es {
inline constexpr CodigoES kNoEncontrado = 2;
inline constexpr CodigoES kRutaNoEncontrada = 3;
inline constexpr CodigoES kAccesoDenegado = 5;
inline constexpr CodigoES kViolacionCompartir = 32;
inline constexpr CodigoES kViolacionBloqueo = 33;
inline constexpr CodigoES kNoSoportado = 50;
inline constexpr CodigoES kYaExiste = 80;
inline constexpr CodigoES kDiscoLleno = 112;
inline constexpr CodigoES kErrorGeneral = 31;
}  // namespace codigo_es

// The calling convention of the Windows API's own functions (WINAPI): what a
// function found in a loaded library is called with. Only 32-bit Windows has
// one apart from the compiler's default.
#if defined(_WIN32) && defined(__i386__)
#define BRISOLT_WINAPI __attribute__((stdcall))
#else
#define BRISOLT_WINAPI
#endif

// True on the Windows build: drive letters are real and names are case-blind.
#ifdef _WIN32
inline constexpr bool kEsWindows = true;
#else
inline constexpr bool kEsWindows = false;
#endif

enum class Acceso { Lectura, LecturaEscritura };
enum class Creacion {
    Existente,  // the file must exist
    Crear,      // opened when it exists, created empty when not
    Nuevo,      // created; fails when it exists
};
// What other programs may do while we hold the file: `Libre` asks nothing;
// `Compartida` lets others read and write beside us but not hold it alone;
// `Exclusiva` keeps everybody else out. A refusal is a sharing violation (32).
enum class Comparticion { Libre, Compartida, Exclusiva };

enum class TipoEntrada { Ninguna, Archivo, Carpeta, Otra };

// What tells one version of a file from another: the file itself (volume and
// index) and its size and last write.
struct IdentidadArchivo {
    uint64_t volumen = 0, indice = 0, tamano = 0;
    int64_t segundos = 0, nanos = 0;
    bool operator==(const IdentidadArchivo&) const = default;
};

// Any function found in a loaded library: cast it to its real type to call it.
using FuncionBiblioteca = void (*)();

class Sistema {
  public:
    using Manejador = std::intptr_t;
    static constexpr Manejador kNinguno = -1;
    using ManejadorBiblioteca = void*;

    virtual ~Sistema() = default;

    // Files. Reads and writes at an offset may take fewer bytes than asked.
    virtual CodigoES Abrir(const std::string& ruta, Acceso acceso, Creacion creacion,
                           Comparticion comparticion, Manejador* m) = 0;
    virtual CodigoES Cerrar(Manejador m) = 0;
    virtual CodigoES LeerEn(Manejador m, void* datos, std::size_t n, uint64_t pos,
                            std::size_t* leidos) = 0;
    virtual CodigoES EscribirEn(Manejador m, const void* datos, std::size_t n, uint64_t pos,
                                std::size_t* escritos) = 0;
    virtual CodigoES Sincronizar(Manejador m) = 0;  // to the disk
    virtual CodigoES Tamano(Manejador m, uint64_t* tamano) = 0;
    virtual CodigoES Truncar(Manejador m, uint64_t tamano) = 0;
    virtual CodigoES Identidad(Manejador m, IdentidadArchivo* id) = 0;
    // Which version of the file this is: its size and last write, and its
    // index where the system gives that cheaply; the volume may stay 0. Far
    // cheaper than Identidad where the volume is dear to ask for (under Wine
    // a volume query costs milliseconds). Compare only with Version's answers.
    virtual CodigoES Version(Manejador m, IdentidadArchivo* id) = 0;
    // The new file takes the permissions, and where we may the owner and
    // group, of `modelo` (a no-op where the system has none to copy).
    virtual CodigoES CopiarPermisos(const std::string& modelo, Manejador m) = 0;

    // Names. A replacing rename reaches the disk before it returns.
    virtual CodigoES IdentidadDe(const std::string& ruta, IdentidadArchivo* id) = 0;
    // Version by name; 2 or 3 when the file is missing. The index may stay 0
    // here too. Compare only with VersionDe's answers.
    virtual CodigoES VersionDe(const std::string& ruta, IdentidadArchivo* id) = 0;
    virtual TipoEntrada Tipo(const std::string& ruta) = 0;    // follows links
    virtual bool ExisteEntrada(const std::string& ruta) = 0;  // a link counts as itself
    // The file says nobody may write it (no write permission for anyone, or
    // the read-only attribute), whoever we are.
    virtual bool SoloLectura(const std::string& ruta) = 0;
    // Another program has the file open right now. On Windows its share mode
    // tells; elsewhere the files each process holds, as the system lists them.
    virtual bool AbiertoPorOtro(const std::string& ruta) = 0;
    virtual CodigoES Borrar(const std::string& ruta) = 0;
    virtual CodigoES Renombrar(const std::string& de, const std::string& a) = 0;
    virtual CodigoES Enlazar(const std::string& existente, const std::string& nuevo) = 0;
    // The absolute spelling that every name of the file shares (links
    // resolved; on Windows also case-folded); 2 or 3 when it is missing.
    virtual CodigoES Canonica(const std::string& ruta, std::string* canonica) = 0;

    // Folders.
    virtual CodigoES CrearCarpeta(const std::string& ruta) = 0;   // one level
    virtual CodigoES BorrarCarpeta(const std::string& ruta) = 0;  // an empty one
    virtual CodigoES Listar(const std::string& carpeta, std::vector<std::string>* nombres) = 0;
    virtual CodigoES SincronizarCarpeta(const std::string& carpeta) = 0;
    virtual CodigoES CambiarCarpeta(const std::string& carpeta) = 0;
    virtual std::string CarpetaActual() = 0;
    // A new, empty folder of our own under the system's temporary folder.
    virtual CodigoES CarpetaTemporal(const std::string& prefijo, std::string* ruta) = 0;
    // The roots of the system's drives as it spells them ("C:\", "D:\" and so on);
    // none where there are no drive letters.
    virtual std::vector<std::string> Unidades() = 0;

    // The process.
    virtual std::string RutaPrograma() = 0;
    virtual std::optional<std::string> Entorno(const std::string& nombre) = 0;
    virtual void FijarEntorno(const std::string& nombre, const std::string& valor) = 0;
    virtual std::tm HoraLocal() = 0;
    virtual int IdProceso() = 0;

    // The program's arguments in UTF-8 (on Windows `argv` is in the ANSI code
    // page and loses what it cannot spell), and a console that shows UTF-8.
    virtual std::vector<std::string> Argumentos(int argc, char** argv) = 0;
    virtual void ConsolaUtf8() = 0;

    // Libraries loaded at run time, by name as the system finds them (on
    // Windows the program's folder, then the system's); a function of one by
    // its exported name, null when it has none.
    virtual CodigoES CargarBiblioteca(const std::string& nombre, ManejadorBiblioteca* b) = 0;
    virtual FuncionBiblioteca FuncionDe(ManejadorBiblioteca b, const std::string& nombre) = 0;
    virtual void LiberarBiblioteca(ManejadorBiblioteca b) = 0;

    // The system's own profile-file (INI) writer: on Windows
    // WritePrivateProfileStringW, then the profile cache flushed to the file.
    // kNoSoportado where the system has none.
    virtual CodigoES EscribirPerfilSistema(const std::string& ruta, const std::string& seccion,
                                           const std::string& clave, const std::string& valor) = 0;

    // Runs a program to its end: `argumentos[0]` is its path; its standard
    // output and error go to the files named (empty: discarded), `entorno`
    // adds to or replaces our own variables. `estado` is its exit status.
    virtual CodigoES Ejecutar(const std::vector<std::string>& argumentos, const std::string& salida,
                              const std::string& errores,
                              const std::vector<std::pair<std::string, std::string>>& entorno,
                              int* estado) = 0;
};

// The system in force. FijarSistema installs another (nullptr: the real one)
// and returns the one it replaces; for tests.
Sistema& SO();
Sistema* FijarSistema(Sistema* sistema);
Sistema& SistemaReal();

// An open file that closes itself. Close explicitly where a failing close
// matters; the destructor's close reports nothing.
class Archivo {
  public:
    Archivo() = default;
    explicit Archivo(Sistema::Manejador m) : m_(m) {}
    ~Archivo();
    Archivo(Archivo&& otro) noexcept : m_(otro.m_) { otro.m_ = Sistema::kNinguno; }
    Archivo& operator=(Archivo&& otro) noexcept;
    Archivo(const Archivo&) = delete;
    Archivo& operator=(const Archivo&) = delete;

    CodigoES Abrir(const std::string& ruta, Acceso acceso, Creacion creacion,
                   Comparticion comparticion);
    bool Abierto() const { return m_ != Sistema::kNinguno; }
    Sistema::Manejador Manejador() const { return m_; }
    CodigoES Cerrar();

    // Whole reads and writes: a read short of `n` before the end, or a write
    // that takes nothing, is an error (a write taking nothing is a full disk).
    CodigoES LeerTodo(void* datos, std::size_t n, uint64_t pos, std::size_t* leidos);
    CodigoES EscribirTodo(const void* datos, std::size_t n, uint64_t pos);
    CodigoES Tamano(uint64_t* tamano) const;

  private:
    Sistema::Manejador m_ = Sistema::kNinguno;
};

// A library loaded at run time that unloads itself.
class Biblioteca {
  public:
    Biblioteca() = default;
    ~Biblioteca();
    Biblioteca(Biblioteca&& otra) noexcept : b_(otra.b_) { otra.b_ = nullptr; }
    Biblioteca& operator=(Biblioteca&& otra) noexcept;
    Biblioteca(const Biblioteca&) = delete;
    Biblioteca& operator=(const Biblioteca&) = delete;

    CodigoES Cargar(const std::string& nombre);
    bool Cargada() const { return b_ != nullptr; }
    // Null when the library is not loaded or exports no such function.
    FuncionBiblioteca Funcion(const std::string& nombre) const;
    void Liberar();

  private:
    Sistema::ManejadorBiblioteca b_ = nullptr;
};

// The whole content of a file; and a file written whole (created or emptied
// first), flushed when asked.
CodigoES LeerArchivo(const std::string& ruta, std::string* contenido);
CodigoES EscribirArchivo(const std::string& ruta, const std::string& contenido, bool sincronizar);

#ifndef _WIN32
// The I/O error table's code for a POSIX errno value.
CodigoES CodigoDeErrno(int errnoValor);
#endif

}  // namespace brisolt
