#pragma once
// What tests need of the machine, the same on Linux and on Windows: scratch
// folders, environment variables, programs run to their end, and the skip of
// a test that needs what only one system has (always with its reason).
//
// Paths are UTF-8 and use "/" on both systems: a temporary folder comes back
// as "C:/users/x/Temp/brisolt-prueba-..." on Windows, so a test that joins
// names with "/" builds the spelling the program itself shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "archivos_prueba.h"
#include "sistema/sistema.h"

namespace brisolt::prueba {

// A new, empty folder under the system's temporary folder ("" when none
// could be made).
inline std::string NuevaCarpetaTemporal(const std::string& prefijo = "brisolt-prueba-") {
    std::string ruta;
    if (SO().CarpetaTemporal(prefijo, &ruta) != 0) return {};
    std::replace(ruta.begin(), ruta.end(), '\\', '/');
    return ruta;
}

inline void BorrarArbol(const std::string& ruta) {
    std::error_code ec;
    if (!ruta.empty()) std::filesystem::remove_all(std::filesystem::u8path(ruta), ec);
}

// A scratch folder removed with everything in it. Failing to make one throws,
// which fails the test that asked for it.
class CarpetaTemporal {
  public:
    explicit CarpetaTemporal(const std::string& prefijo = "brisolt-prueba-")
        : ruta_(NuevaCarpetaTemporal(prefijo)) {
        if (ruta_.empty()) throw std::runtime_error("no temporary folder could be made");
    }
    ~CarpetaTemporal() { BorrarArbol(ruta_); }
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

    const std::string& Ruta() const { return ruta_; }
    std::string operator/(const std::string& nombre) const { return ruta_ + "/" + nombre; }

  private:
    std::string ruta_;
};

// An empty value counts as unset for every variable the program reads.
inline void FijarEntorno(const std::string& nombre, const std::string& valor) {
    SO().FijarEntorno(nombre, valor);
}
inline void QuitarEntorno(const std::string& nombre) {
    SO().FijarEntorno(nombre, "");
}

// The names in a folder as they are spelt on disk, sorted; where names are
// case-blind this is how a test sees which spelling a file got.
inline std::vector<std::string> Nombres(const std::string& carpeta) {
    std::vector<std::string> nombres;
    SO().Listar(carpeta, &nombres);
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

// The rest of the scope runs in another working folder (as "cd" would for a
// program started from it).
class EnCarpeta {
  public:
    explicit EnCarpeta(const std::string& carpeta) : previa_(SO().CarpetaActual()) {
        if (SO().CambiarCarpeta(carpeta) != 0) ADD_FAILURE() << "cannot enter " << carpeta;
    }
    ~EnCarpeta() { SO().CambiarCarpeta(previa_); }
    EnCarpeta(const EnCarpeta&) = delete;
    EnCarpeta& operator=(const EnCarpeta&) = delete;

  private:
    std::string previa_;
};

// Takes the write permission away from a file, or gives it back. On Windows
// this is the read-only attribute, which also keeps the file from being
// deleted: give it back before the folder goes.
inline void SoloLectura(const std::string& ruta, bool soloLectura) {
    using std::filesystem::perms;
    const perms escritura = perms::owner_write | perms::group_write | perms::others_write;
    std::filesystem::permissions(
        std::filesystem::u8path(ruta), escritura,
        soloLectura ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add);
}

struct Resultado {
    int estado = -1;  // -1: the program could not be started
    std::string salida, errores;
};

// Runs a program to its end and collects what it printed.
inline Resultado EjecutarPrograma(
    const std::vector<std::string>& argumentos,
    const std::vector<std::pair<std::string, std::string>>& entorno = {}) {
    CarpetaTemporal carpeta("brisolt-salida-");
    Resultado r;
    int estado = -1;
    if (SO().Ejecutar(argumentos, carpeta / "salida.txt", carpeta / "errores.txt", entorno,
                      &estado) == 0)
        r.estado = estado;
    r.salida = Leer(carpeta / "salida.txt");
    r.errores = Leer(carpeta / "errores.txt");
    return r;
}

// The path of a program built beside the tests ("brisolt-cli" -> ".../bin/brisolt-cli.exe").
inline std::string ProgramaConstruido(const std::string& nombre) {
    return std::string(BRISOLT_BINARY_DIR) + "/bin/" + nombre + (kEsWindows ? ".exe" : "");
}

// Under CI (CI=true) every tool the tests use is installed by the Makefile.
inline bool EnCI() {
    return SO().Entorno("CI").value_or("") == "true";
}

}  // namespace brisolt::prueba

// Skips the rest of a test when a tool it needs is missing, saying which;
// under CI a missing tool is a failure, so no check goes quietly unrun.
#define SALTAR_SIN_HERRAMIENTA(razon)                                                       \
    do {                                                                                    \
        if (::brisolt::prueba::EnCI() && !::brisolt::kEsWindows) FAIL() << "CI: " << razon; \
        GTEST_SKIP() << razon;                                                              \
    } while (0)

// Skips the rest of a test where the machine lacks what it checks, saying why.
#define SALTAR_EN_WINDOWS(razon)                                         \
    do {                                                                 \
        if (::brisolt::kEsWindows) GTEST_SKIP() << "Windows: " << razon; \
    } while (0)
