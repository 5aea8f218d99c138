#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "archivos_prueba.h"
#include "sistema/fallos.h"
#include "tables/copia.h"
#include "tables/error.h"

namespace fs = std::filesystem;

namespace brisolt {
namespace {

using prueba::Escribir;
using prueba::Leer;

std::string Bytes(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + 7) % 251);
    return s;
}

// Every test gets its own drive C: and leaves the write call as it found it.
class Copia : public ::testing::Test {
  protected:
    void SetUp() override {
        char plantilla[] = "/tmp/brisolt-copia-XXXXXX";
        ASSERT_NE(::mkdtemp(plantilla), nullptr);
        unidad_ = plantilla;
        ::setenv("BRISOLT_DRIVE_C", plantilla, 1);
    }
    void TearDown() override {
        ::unsetenv("BRISOLT_DRIVE_C");
        fs::remove_all(unidad_);
    }
    fs::path unidad_;
};

TEST_F(Copia, CopiaByteAByteEnBloquesDe2048) {
    for (std::size_t tamano : {0u, 1u, 2047u, 2048u, 2049u, 6145u}) {
        SCOPED_TRACE(tamano);
        const std::string datos = Bytes(tamano);
        Escribir(unidad_ / "origen.dbf", datos);
        Escribir(unidad_ / "destino.dbf", std::string(9000, 'x'));  // truncated, not overlaid
        int llamadas = 0;
        std::size_t mayorBloque = 0;
        {
            // Writes are counted so that the block size shows.
            SistemaConFallos sistema;
            CopiarArchivo((unidad_ / "destino.dbf").string(), (unidad_ / "origen.dbf").string());
            for (const auto& l : sistema.Llamadas()) {
                if (l.operacion != Operacion::Escribir) continue;
                ++llamadas;
                mayorBloque = std::max(mayorBloque, l.bytes);
            }
        }
        EXPECT_EQ(Leer(unidad_ / "destino.dbf"), datos);
        EXPECT_EQ(llamadas, static_cast<int>((tamano + 2047) / 2048));
        EXPECT_LE(mayorBloque, 2048u);
    }
}

TEST_F(Copia, DestinoCarpetaTomaElNombreDelOrigen) {
    fs::create_directories(unidad_ / "ZTEMP" / "Valencia");
    fs::create_directories(unidad_ / "gc");
    Escribir(unidad_ / "gc" / "Grupos.DBF", "abc");
    struct Caso {
        std::string destino, origen;
        fs::path esperado;
    } casos[] = {
        {(unidad_ / "ZTEMP").string() + "/", (unidad_ / "gc" / "Grupos.DBF").string(),
         unidad_ / "ZTEMP" / "Grupos.DBF"},
        // Windows spelling, other case than on disk, for both sides.
        {"C:\\ztemp\\VALENCIA\\", "c:\\GC\\grupos.dbf",
         unidad_ / "ZTEMP" / "Valencia" / "grupos.dbf"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.destino);
        CopiarArchivo(c.destino, c.origen);
        EXPECT_EQ(Leer(c.esperado), "abc");
    }
}

TEST_F(Copia, OrigenAusente) {
    Escribir(unidad_ / "destino.dbf", "viejo");
    const std::string origen = (unidad_ / "no-existe.dbf").string();
    CopiarArchivo((unidad_ / "destino.dbf").string(), origen);
    EXPECT_EQ(Leer(unidad_ / "destino.dbf"), "viejo");

    ReemplazarArchivo((unidad_ / "destino.dbf").string(), origen);
    EXPECT_FALSE(fs::exists(unidad_ / "destino.dbf"));
}

TEST_F(Copia, ReemplazarSobreNombreEnOtroCaso) {
    fs::create_directories(unidad_ / "ZTEMP");
    Escribir(unidad_ / "ZTEMP" / "CENTRO.DBF", "viejo");
    Escribir(unidad_ / "centro.dbf", "nuevo");
    ReemplazarArchivo("C:\\ZTEMP\\centro.dbf", (unidad_ / "centro.dbf").string());
    // The old file went, so the new one takes the spelling it was given.
    EXPECT_EQ(Leer(unidad_ / "ZTEMP" / "centro.dbf"), "nuevo");
    EXPECT_EQ(std::distance(fs::directory_iterator(unidad_ / "ZTEMP"), fs::directory_iterator()),
              1);
}

// A small tmpfs of our own; tests that need one skip where mounting is refused.
class Montaje {
  public:
    Montaje(const fs::path& punto, const char* opciones) : punto_(punto) {
        fs::create_directories(punto_);
        montado_ = ::mount("tmpfs", punto_.c_str(), "tmpfs", 0, opciones) == 0;
    }
    ~Montaje() {
        if (montado_) ::umount2(punto_.c_str(), MNT_DETACH);
    }
    bool SoloLectura() {
        return ::mount(nullptr, punto_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    bool montado() const { return montado_; }

  private:
    fs::path punto_;
    bool montado_ = false;
};

TEST_F(Copia, OrigenDeSoloLectura) {
    // As root only a read-only medium refuses writing; otherwise the file's
    // mode is enough.
    Montaje medio(unidad_ / "medio", "size=64k");
    if (::geteuid() == 0 && !medio.montado()) {
        GTEST_SKIP() << "no tmpfs";
    }
    const fs::path origen = unidad_ / "medio" / "centro.dbf";
    Escribir(origen, Bytes(3000));
    ::chmod(origen.c_str(), 0444);
    if (::geteuid() == 0) {
        ASSERT_TRUE(medio.SoloLectura());
    }

    CopiarArchivo((unidad_ / "copia.dbf").string(), origen.string());
    EXPECT_EQ(Leer(unidad_ / "copia.dbf"), Bytes(3000));
}

TEST_F(Copia, DiscoLlenoEnUnTmpfs) {
    Montaje disco(unidad_ / "disco", "size=16k");
    if (!disco.montado()) GTEST_SKIP() << "no tmpfs";
    Escribir(unidad_ / "grande.dbf", Bytes(64 * 1024));
    try {
        CopiarArchivo((unidad_ / "disco").string() + "/", (unidad_ / "grande.dbf").string());
        FAIL() << "a short copy was taken for a whole one";
    } catch (const Error& e) {
        EXPECT_TRUE(std::string(e.what()) == "Error de E/S 112" ||
                    std::string(e.what()) == "Disco lleno")
            << e.what();
    }
}

// Faults the destination's file system may give, injected into the write call
// after the first block went through.
TEST_F(Copia, FallosDeEscrituraSonErrores) {
    struct Caso {
        int codigo;  // 0: the write takes fewer bytes than offered, with no error
        const char* mensaje;
    } casos[] = {
        {0, "Disco lleno"},
        {112, "Error de E/S 112"},
        {31, "Error de E/S 31"},
    };
    Escribir(unidad_ / "origen.dbf", Bytes(5000));
    for (const auto& c : casos) {
        SCOPED_TRACE(c.mensaje);
        SistemaConFallos sistema;
        SistemaConFallos::Fallo fallo;
        fallo.operacion = Operacion::Escribir;
        fallo.enesima = 2;
        fallo.codigo = c.codigo;
        if (c.codigo == 0) fallo.bytes = 1024;
        sistema.Programar(fallo);
        try {
            CopiarArchivo((unidad_ / "destino.dbf").string(), (unidad_ / "origen.dbf").string());
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), c.mensaje);
        }
        // What was written before the fault stays: the copy is partial.
        EXPECT_GE(fs::file_size(unidad_ / "destino.dbf"), 2048u);
        EXPECT_LT(fs::file_size(unidad_ / "destino.dbf"), 5000u);
    }
}

// Another process that holds `ruta` as our engine holds an exclusive table,
// until the object goes away.
class OtroProceso {
  public:
    explicit OtroProceso(const fs::path& ruta) {
        int listo[2], fin[2];
        if (::pipe(listo) != 0 || ::pipe(fin) != 0) return;
        hijo_ = ::fork();
        if (hijo_ == 0) {
            // Only the parent's write end may keep the child waiting.
            ::close(listo[0]);
            ::close(fin[1]);
            const int fd = ::open(ruta.c_str(), O_RDWR);
            char c = (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ? '1' : '0';
            (void)!::write(listo[1], &c, 1);
            (void)!::read(fin[0], &c, 1);
            ::_exit(0);
        }
        ::close(listo[1]);
        ::close(fin[0]);
        fin_ = fin[1];
        char c = '0';
        bloqueado_ = ::read(listo[0], &c, 1) == 1 && c == '1';
        ::close(listo[0]);
    }
    ~OtroProceso() {
        if (hijo_ <= 0) return;
        ::close(fin_);
        ::waitpid(hijo_, nullptr, 0);
    }
    bool bloqueado() const { return bloqueado_; }

  private:
    pid_t hijo_ = -1;
    int fin_ = -1;
    bool bloqueado_ = false;
};

TEST_F(Copia, ArchivoRetenidoPorOtroProceso) {
    Escribir(unidad_ / "origen.dbf", "nuevo");
    Escribir(unidad_ / "destino.dbf", "del otro");
    const std::string origen = (unidad_ / "origen.dbf").string();
    const std::string destino = (unidad_ / "destino.dbf").string();
    {
        OtroProceso otro(unidad_ / "destino.dbf");
        ASSERT_TRUE(otro.bloqueado());
        for (auto copiar : {&CopiarArchivo, &ReemplazarArchivo}) {
            try {
                copiar(destino, origen);
                ADD_FAILURE() << "copied over a file held exclusively";
            } catch (const Error& e) {
                EXPECT_STREQ(e.what(), "Error de E/S 32");
            }
            EXPECT_EQ(Leer(destino), "del otro");
        }
    }
    {
        OtroProceso otro(unidad_ / "origen.dbf");
        ASSERT_TRUE(otro.bloqueado());
        try {
            CopiarArchivo(destino, origen);
            ADD_FAILURE() << "copied a source held exclusively";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Error de E/S 32");
        }
    }
    CopiarArchivo(destino, origen);  // once released
    EXPECT_EQ(Leer(destino), "nuevo");
}

TEST_F(Copia, CarpetaDeDestinoInexistenteEsNombreInvalido) {
    Escribir(unidad_ / "origen.dbf", "x");
    Escribir(unidad_ / "archivo", "no soy carpeta");
    for (const char* destino : {"falta/destino.dbf", "archivo/destino.dbf"}) {
        SCOPED_TRACE(destino);
        try {
            CopiarArchivo((unidad_ / destino).string(), (unidad_ / "origen.dbf").string());
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Nombre de archivo inválido");
        }
    }
}

TEST(TablaErroresES, MensajesDeErrno) {
    struct Caso {
        int errnoValor;
        const char* mensaje;
    } casos[] = {
        {ENOENT, "No se encuentra el archivo"},
        {ENAMETOOLONG, "Nombre de archivo inválido"},
        {ENOTDIR, "Nombre de archivo inválido"},
        {EMFILE, "Demasiados archivos abiertos"},
        {ENFILE, "Demasiados archivos abiertos"},
        {EACCES, "Acceso al archivo denegado"},
        {EPERM, "Acceso al archivo denegado"},
        {EROFS, "Acceso al archivo denegado"},
        {EWOULDBLOCK, "Error de E/S 32"},
        {EBUSY, "Error de E/S 32"},
        {ETXTBSY, "Error de E/S 32"},
        {ENOSPC, "Error de E/S 112"},
    };
    for (const auto& c : casos) EXPECT_EQ(MensajeErrorES(CodigoDeErrno(c.errnoValor)), c.mensaje);
    EXPECT_EQ(MensajeErrorES(100), "Se intenta leer después del fin del archivo");
    EXPECT_EQ(MensajeErrorES(101), "Disco lleno");
    EXPECT_EQ(MensajeErrorES(106), "Valor numérico de entrada inválido");
}

}  // namespace
}  // namespace brisolt
