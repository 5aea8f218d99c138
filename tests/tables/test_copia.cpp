#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "archivos_prueba.h"
#include "sistema/fallos.h"
#include "sistema_prueba.h"
#include "tables/carpetas.h"
#include "tables/copia.h"
#include "tables/error.h"
#include "tables/tabla.h"
#include "test_tabla_comun.h"

namespace fs = std::filesystem;

namespace brisolt {
namespace {

using prueba::Escribir;
using prueba::Leer;
using prueba::MensajeDeError;
using prueba::Nombres;

std::string Bytes(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + 7) % 251);
    return s;
}

// Every test gets its own drive C: and leaves the write call as it found it.
class Copia : public ::testing::Test {
  protected:
    void SetUp() override {
        raiz_ = prueba::NuevaCarpetaTemporal("brisolt-copia-");
        ASSERT_FALSE(raiz_.empty());
        unidad_ = fs::u8path(raiz_);
        prueba::FijarEntorno("BRISOLT_DRIVE_C", raiz_);
    }
    void TearDown() override {
        prueba::QuitarEntorno("BRISOLT_DRIVE_C");
        prueba::BorrarArbol(raiz_);
    }
    std::string raiz_;  // the same folder as text, "/" between names
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
    EXPECT_EQ(Nombres(raiz_ + "/ZTEMP"), std::vector<std::string>{"centro.dbf"});
}

#ifndef _WIN32
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
#else
TEST_F(Copia, OrigenDeSoloLectura) {
    GTEST_SKIP() << "Windows: needs a tmpfs mounted read-only; ArchivosDeSoloLectura covers "
                    "the read-only attribute there";
}

TEST_F(Copia, DiscoLlenoEnUnTmpfs) {
    GTEST_SKIP() << "Windows: needs a small tmpfs to fill; FallosDeEscrituraSonErrores injects "
                    "the full disk instead";
}
#endif

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

// Someone who keeps a file to itself while the object lives; Tomada() says
// whether the hold took.
class Retencion {
  public:
    virtual ~Retencion() = default;
    virtual bool Tomada() const = 0;
};
using Retener = std::function<std::unique_ptr<Retencion>(const std::string&)>;

// Copies over, and from, a file someone else holds alone are refused as a
// sharing violation and leave that file whole; once let go, the copy goes.
void ComprobarRetenido(const fs::path& unidad, const Retener& retener) {
    Escribir(unidad / "origen.dbf", "nuevo");
    Escribir(unidad / "destino.dbf", "del otro");
    const std::string origen = (unidad / "origen.dbf").string();
    const std::string destino = (unidad / "destino.dbf").string();
    {
        const auto otro = retener(destino);
        ASSERT_TRUE(otro->Tomada());
        for (auto copiar : {&CopiarArchivo, &ReemplazarArchivo}) {
            try {
                copiar(destino, origen);
                ADD_FAILURE() << "copied over a file held exclusively";
            } catch (const Error& e) {
                EXPECT_STREQ(e.what(), "Error de E/S 32");
            }
        }
    }
    // Read once the hold is gone: on Windows nobody may read the file meanwhile.
    EXPECT_EQ(Leer(destino), "del otro");
    {
        const auto otro = retener(origen);
        ASSERT_TRUE(otro->Tomada());
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

#ifndef _WIN32
// Another process that holds `ruta` as our engine holds an exclusive table,
// until the object goes away.
class OtroProceso : public Retencion {
  public:
    explicit OtroProceso(const std::string& ruta) {
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
    ~OtroProceso() override {
        if (hijo_ <= 0) return;
        ::close(fin_);
        ::waitpid(hijo_, nullptr, 0);
    }
    bool Tomada() const override { return bloqueado_; }

  private:
    pid_t hijo_ = -1;
    int fin_ = -1;
    bool bloqueado_ = false;
};

TEST_F(Copia, ArchivoRetenidoPorOtroProceso) {
    ComprobarRetenido(unidad_,
                      [](const std::string& ruta) { return std::make_unique<OtroProceso>(ruta); });
}
#else
TEST_F(Copia, ArchivoRetenidoPorOtroProceso) {
    GTEST_SKIP() << "Windows: the other process is a fork() taking a flock(); "
                    "ArchivoAbiertoSinCompartir covers the hold there";
}
#endif

// A handle opened without sharing, as a program that keeps a file to itself
// opens it. On Windows one of this very process keeps the copy out (share
// modes bind within one process); on Linux two opens of a file lock apart.
class SinCompartir : public Retencion {
  public:
    explicit SinCompartir(const std::string& ruta)
        : tomada_(archivo_.Abrir(ruta, Acceso::LecturaEscritura, Creacion::Existente,
                                 Comparticion::Exclusiva) == 0) {}
    bool Tomada() const override { return tomada_; }

  private:
    Archivo archivo_;
    bool tomada_;
};

TEST_F(Copia, ArchivoAbiertoSinCompartir) {
    ComprobarRetenido(unidad_,
                      [](const std::string& ruta) { return std::make_unique<SinCompartir>(ruta); });
}

// A read-only source copies; a read-only destination is refused and stays as
// it was. On Windows that is the read-only attribute, which also keeps the
// file from being deleted, so a replace is refused too; a POSIX folder lets
// the name go whatever the file's mode.
TEST_F(Copia, ArchivosDeSoloLectura) {
    const std::string origen = raiz_ + "/origen.dbf", destino = raiz_ + "/destino.dbf";
    Escribir(origen, Bytes(3000));
    Escribir(destino, "protegido");
    prueba::SoloLectura(origen, true);
    prueba::SoloLectura(destino, true);
    struct Devolver {  // the write permission, so the folder can go
        std::string a, b;
        ~Devolver() {
            std::error_code ec;
            for (const auto& r : {a, b})
                if (fs::exists(fs::u8path(r), ec)) prueba::SoloLectura(r, false);
        }
    } devolver{origen, destino};
    {
        // Root writes over any mode on Linux, and so does Wine run by root.
        Archivo intento;
        if (intento.Abrir(destino, Acceso::LecturaEscritura, Creacion::Existente,
                          Comparticion::Libre) == 0)
            GTEST_SKIP() << "this user writes over read-only files (root)";
    }

    CopiarArchivo(raiz_ + "/copia.dbf", origen);
    EXPECT_EQ(Leer(raiz_ + "/copia.dbf"), Bytes(3000));

    try {
        CopiarArchivo(destino, origen);
        ADD_FAILURE() << "copied over a read-only file";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Acceso al archivo denegado");
    }
    EXPECT_EQ(Leer(destino), "protegido");

    if (kEsWindows) {
        EXPECT_EQ(MensajeDeError([&] { ReemplazarArchivo(destino, origen); }),
                  "Acceso al archivo denegado");
        EXPECT_EQ(Leer(destino), "protegido");
    } else {
        ReemplazarArchivo(destino, origen);
        EXPECT_EQ(Leer(destino), Bytes(3000));
    }
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

// Names match whatever their case: on Linux RutaNativa finds each name's
// spelling on disk, on Windows the system matches them and a name keeps the
// spelling it was given. Either way it is the file on disk that opens.
TEST_F(Copia, NombresEnOtroCaso) {
    fs::create_directories(unidad_ / "ZTEMP" / "Valencia");
    const std::string enDisco = raiz_ + "/ZTEMP/Valencia/Centro.DBF";
    prueba::Crear(enDisco, {prueba::Cadena("COD", 4)});
    prueba::Llenar(enDisco, {{"A1"}});
    struct Caso {
        std::string ruta;
        bool existe;
        std::string linux, windows;  // RutaNativa's answer on each
    } casos[] = {
        {"C:\\ztemp\\VALENCIA\\centro.dbf", true, enDisco, raiz_ + "/ztemp/VALENCIA/centro.dbf"},
        {"c:/ZTEMP/valencia/CENTRO.DBF", true, enDisco, raiz_ + "/ZTEMP/valencia/CENTRO.DBF"},
        {raiz_ + "/ztemp/VALENCIA/cEnTrO.dBf", true, enDisco, raiz_ + "/ztemp/VALENCIA/cEnTrO.dBf"},
        {"C:\\ztemp\\valencia\\OTRO.dbf", false, raiz_ + "/ZTEMP/Valencia/OTRO.dbf",
         raiz_ + "/ztemp/valencia/OTRO.dbf"},
    };
    std::string canonica;
    ASSERT_EQ(SO().Canonica(enDisco, &canonica), 0);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ruta);
        EXPECT_EQ(ExisteArchivo(c.ruta), c.existe);
        const std::string nativa = RutaNativa(c.ruta);
        EXPECT_EQ(nativa, kEsWindows ? c.windows : c.linux);
        if (!c.existe) continue;
        std::string suya;
        EXPECT_EQ(SO().Canonica(nativa, &suya), 0);
        EXPECT_EQ(suya, canonica);
        Tabla t;
        t.SetTableName(c.ruta);
        t.Open();
        EXPECT_EQ(t.FieldByName("COD").AsString(), "A1");
    }
}

TEST(TablaErroresES, MensajesDeCodigos) {
    struct Caso {
        int codigo;
        const char* mensaje;
    } casos[] = {
        {2, "No se encuentra el archivo"},
        {3, "Nombre de archivo inválido"},
        {4, "Demasiados archivos abiertos"},
        {5, "Acceso al archivo denegado"},
        {32, "Error de E/S 32"},
        {112, "Error de E/S 112"},
        {100, "Se intenta leer después del fin del archivo"},
        {101, "Disco lleno"},
        {106, "Valor numérico de entrada inválido"},
    };
    for (const auto& c : casos) EXPECT_EQ(MensajeErrorES(c.codigo), c.mensaje) << c.codigo;
}

#ifndef _WIN32
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
}
#else
TEST(TablaErroresES, MensajesDeErrno) {
    GTEST_SKIP() << "Windows: no errno to map, the system gives the table's codes itself "
                    "(MensajesDeCodigos)";
}
#endif

}  // namespace
}  // namespace brisolt
