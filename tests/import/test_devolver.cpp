// The copy back into the school folder: both files old or both new, whatever
// system call fails and whenever the program stops, with a copy of the old
// ones kept; files the school protects are left alone.

#include "archivos_prueba.h"
#include "import/devolver.h"

#include <filesystem>
#include <fstream>
#include <set>

#include "import/copias.h"
#include "import/diario.h"
#include "import/entorno.h"
#include "sistema/fallos.h"
#include "tables/carpetas.h"
#include "tables/error.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace brisolt::prueba {
namespace {

void Escribir(const std::string& ruta, const std::string& bytes) {
    std::ofstream(ruta, std::ios::binary) << bytes;
}

const std::string kGruposNuevos(150000, 'g');  // more than one block of the copy
const std::string kProfesoresNuevos(90000, 'p');

class Devolver : public EntornoImportacion {
  protected:
    void SetUp() override {
        EntornoImportacion::SetUp();
        Preparar();
        antes_ = ArchivosDe(Gc(""));
    }
    // The staged files and the school's, in its own spelling, with a file
    // that must not travel.
    void Preparar() {
        std::filesystem::remove_all(Ztemp("COPIAS"));
        Escribir(Staging("horgrup.dbf"), kGruposNuevos);
        Escribir(Staging("horprof.dbf"), kProfesoresNuevos);
        Escribir(Gc("HORGRUP.DBF"), "grupos de antes");
        Escribir(Gc("Horprof.dbf"), "profesores de antes");
        Escribir(Gc("HORGRUP.CDX"), "indice");
    }
    // The two tables are of one age, nothing is left beside them, and no
    // journal waits.
    void ComprobarCoherente(bool* nuevos) {
        const std::string g = Leer(Gc("HORGRUP.DBF")), p = Leer(Gc("Horprof.dbf"));
        const bool viejos = g == "grupos de antes" && p == "profesores de antes";
        *nuevos = g == kGruposNuevos && p == kProfesoresNuevos;
        EXPECT_TRUE(viejos || *nuevos) << "horgrup " << g.size() << " bytes, horprof " << p.size();
        EXPECT_EQ(Leer(Gc("HORGRUP.CDX")), "indice");
        EXPECT_EQ(ArchivosDe(Gc("")), antes_);
    }
    std::vector<std::string> antes_;
};

TEST_F(Devolver, AmbosArchivosEnSuSitioConSuNombreYUnaCopiaDeLosAnteriores) {
    DevolverHorarios(estado_->carpetaGC);
    EXPECT_EQ(Leer(Gc("HORGRUP.DBF")), kGruposNuevos);
    EXPECT_EQ(Leer(Gc("Horprof.dbf")), kProfesoresNuevos);
    EXPECT_EQ(Leer(Gc("HORGRUP.CDX")), "indice");
    EXPECT_EQ(ArchivosDe(Gc("")), antes_);
    EXPECT_FALSE(LeerDiario().has_value());

    const std::vector<Copia> copias = ListarCopias();
    ASSERT_EQ(copias.size(), 1u);
    EXPECT_EQ(Leer(copias[0].carpeta + "/HORGRUP.DBF"), "grupos de antes");
    EXPECT_EQ(Leer(copias[0].carpeta + "/Horprof.dbf"), "profesores de antes");
    EXPECT_EQ(Leer(copias[0].carpeta + "/HORGRUP.CDX"), "indice");
}

// Every system call of the write-back fails in turn, once or from then on;
// then the next command's start finishes or undoes what was left.
TEST_F(Devolver, CadaLlamadaQueFallaDejaAmbosViejosOAmbosNuevos) {
    size_t llamadas = 0;
    {
        SistemaConFallos contar;
        DevolverHorarios(estado_->carpetaGC);
        llamadas = contar.Llamadas().size();
    }
    ASSERT_GT(llamadas, 20u);
    int fallidas = 0, terminadas = 0, recuperadas = 0;
    for (const bool desdeEntonces : {false, true}) {
        for (size_t n = 1; n <= llamadas; ++n) {
            SCOPED_TRACE((desdeEntonces ? "desde la llamada " : "la llamada ") + std::to_string(n));
            Preparar();
            bool fallo = false;
            {
                SistemaConFallos sistema;
                SistemaConFallos::Fallo f;
                f.enesima = n;
                f.codigo = codigo_es::kDiscoLleno;
                f.desdeEntonces = desdeEntonces;
                sistema.Programar(f);
                try {
                    DevolverHorarios(estado_->carpetaGC);
                } catch (const Error& e) {
                    fallo = true;
                    EXPECT_NE(std::string(e.what()).find("Error de E/S 112"), std::string::npos)
                        << e.what();
                }
            }
            fallo ? ++fallidas : ++terminadas;
            bool nuevos = false;
            if (!LeerDiario()) {
                ComprobarCoherente(&nuevos);
                if (!fallo) {
                    EXPECT_TRUE(nuevos) << "un éxito sin los horarios nuevos";
                }
            }
            // What the next command does first.
            if (TerminarDevolucionInterrumpida()) ++recuperadas;
            ComprobarCoherente(&nuevos);
            EXPECT_FALSE(LeerDiario().has_value());
        }
    }
    std::cout << "[          ] " << 2 * llamadas << " fallos inyectados: " << fallidas
              << " órdenes fallidas, " << terminadas << " terminadas, " << recuperadas
              << " recuperadas al empezar la siguiente\n";
}

TEST_F(Devolver, SinCopiaPreparadaNadaCambia) {
    std::remove(Staging("horprof.dbf").c_str());
    try {
        DevolverHorarios(estado_->carpetaGC);
        FAIL() << "sin horprof.dbf preparado no hay nada que devolver";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "No se encuentra el archivo: C:\\ZTEMP\\VALENCIA\\horprof.dbf");
    }
    EXPECT_EQ(Leer(Gc("HORGRUP.DBF")), "grupos de antes");
    EXPECT_EQ(Leer(Gc("Horprof.dbf")), "profesores de antes");
    EXPECT_EQ(ArchivosDe(Gc("")), antes_);
}

// A journal as a stop at each phase leaves it, and what the next start makes of it.
TEST_F(Devolver, UnaParadaEnCadaFaseSeTerminaOSeDeshace) {
    struct Caso {
        const char* nombre;
        int renombrados;  // of the two, before the stop
        const char* aviso;
        bool nuevos;
    } casos[] = {
        {"AntesDeRenombrar", 0, "Se completó la importación interrumpida del ", true},
        {"EntreLosRenombres", 1, "Se deshizo la importación interrumpida del ", false},
        {"TrasLosRenombres", 2, "Se completó la importación interrumpida del ", true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Preparar();
        // The program stops at a rename of the school's files, or when it
        // deletes the journal after both.
        {
            SistemaConFallos sistema;
            SistemaConFallos::Fallo f;
            f.operacion = c.renombrados < 2 ? Operacion::Renombrar : Operacion::Borrar;
            f.ruta = c.renombrados == 0   ? "/HORGRUP.DBF"
                     : c.renombrados == 1 ? "/Horprof.dbf"
                                          : "DEVOLVER.DIARIO";
            f.parar = true;
            sistema.Programar(f);
            EXPECT_THROW(DevolverHorarios(estado_->carpetaGC), Error);
        }
        ASSERT_TRUE(LeerDiario().has_value());
        const auto aviso = TerminarDevolucionInterrumpida();
        ASSERT_TRUE(aviso.has_value());
        EXPECT_EQ(aviso->rfind(c.aviso, 0), 0u) << *aviso;
        bool nuevos = false;
        ComprobarCoherente(&nuevos);
        EXPECT_EQ(nuevos, c.nuevos);
        EXPECT_FALSE(TerminarDevolucionInterrumpida().has_value());
    }
}

TEST_F(Devolver, LasCopiasSeReponenYSeGuardanLasVeinteUltimas) {
    DevolverHorarios(estado_->carpetaGC);
    // Later imports: the copies fill up and the oldest go.
    for (int i = 0; i < kCopiasGuardadas + 2; ++i) DevolverHorarios(estado_->carpetaGC);
    std::vector<Copia> copias = ListarCopias();
    ASSERT_EQ(copias.size(), static_cast<size_t>(kCopiasGuardadas));
    std::set<std::string> nombres;
    for (const Copia& c : copias) nombres.insert(c.nombre);
    EXPECT_EQ(nombres.size(), copias.size());

    // The first copy (the school's own timetables) is gone; restore one
    // with the new ones, then make the oldest in the list hold the old ones.
    Escribir(copias.front().carpeta + "/HORGRUP.DBF", "grupos de antes");
    Escribir(copias.front().carpeta + "/Horprof.dbf", "profesores de antes");
    ReponerCopia(estado_->carpetaGC, copias.front().nombre);
    EXPECT_EQ(Leer(Gc("HORGRUP.DBF")), "grupos de antes");
    EXPECT_EQ(Leer(Gc("Horprof.dbf")), "profesores de antes");
    EXPECT_EQ(ArchivosDe(Gc("")), antes_);
    // What was there before the restore is the newest copy now.
    copias = ListarCopias();
    EXPECT_EQ(Leer(copias.back().carpeta + "/Horprof.dbf"), kProfesoresNuevos);
    EXPECT_THROW(ReponerCopia(estado_->carpetaGC, "19990101-000000"), Error);
}

#ifndef _WIN32
// Files the school protects stop the write-back before anything is written.
TEST_F(Devolver, UnArchivoDeSoloLecturaNoSeReemplaza) {
    ASSERT_EQ(::chmod(Gc("Horprof.dbf").c_str(), 0444), 0);
    try {
        DevolverHorarios(estado_->carpetaGC);
        FAIL() << "se reemplazó un archivo de solo lectura";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Acceso al archivo denegado: C:\\GC\\Horprof.dbf");
    }
    EXPECT_EQ(Leer(Gc("HORGRUP.DBF")), "grupos de antes");
    EXPECT_EQ(Leer(Gc("Horprof.dbf")), "profesores de antes");
    EXPECT_EQ(ArchivosDe(Gc("")), antes_);
    EXPECT_TRUE(ListarCopias().empty());
}

TEST_F(Devolver, UnArchivoAbiertoPorOtroProgramaNoSeReemplaza) {
    int listo[2];
    ASSERT_EQ(::pipe(listo), 0);
    const pid_t hijo = ::fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        // Holds the file open without any lock, as a program under Wine may.
        const int fd = ::open(Gc("HORGRUP.DBF").c_str(), O_RDWR);
        (void)!::write(listo[1], "x", 1);
        ::pause();
        ::_exit(fd >= 0 ? 0 : 1);
    }
    char c;
    ASSERT_EQ(::read(listo[0], &c, 1), 1);
    try {
        DevolverHorarios(estado_->carpetaGC);
        ADD_FAILURE() << "se reemplazó un archivo abierto por otro programa";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Error de E/S 32: C:\\GC\\HORGRUP.DBF");
    }
    ::kill(hijo, SIGKILL);
    ::waitpid(hijo, nullptr, 0);
    ::close(listo[0]);
    ::close(listo[1]);
    EXPECT_EQ(Leer(Gc("HORGRUP.DBF")), "grupos de antes");
    EXPECT_EQ(Leer(Gc("Horprof.dbf")), "profesores de antes");
    EXPECT_EQ(ArchivosDe(Gc("")), antes_);
}

TEST_F(Devolver, UnEnlaceSeSigueYElNuevoConservaPermisos) {
    // horprof.dbf is a link into another folder; horgrup.dbf has its own mode.
    const std::string otra = Gc("") + "../DATOS";
    ASSERT_EQ(::mkdir(otra.c_str(), 0777), 0);
    Escribir(otra + "/prof_real.dbf", "profesores de antes");
    ASSERT_EQ(::unlink(Gc("Horprof.dbf").c_str()), 0);
    ASSERT_EQ(::symlink("../DATOS/prof_real.dbf", Gc("Horprof.dbf").c_str()), 0);
    ASSERT_EQ(::chmod(Gc("HORGRUP.DBF").c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(Gc("HORGRUP.DBF").c_str(), 4321, 4321), 0);
    }

    DevolverHorarios(estado_->carpetaGC);

    struct stat st;
    ASSERT_EQ(::lstat(Gc("Horprof.dbf").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(Leer(otra + "/prof_real.dbf"), kProfesoresNuevos);
    ASSERT_EQ(::stat(Gc("HORGRUP.DBF").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4321u);
    }
    EXPECT_EQ(Leer(Gc("HORGRUP.DBF")), kGruposNuevos);
    std::vector<std::string> en_otra = ArchivosDe(otra);
    EXPECT_EQ(en_otra, std::vector<std::string>{"prof_real.dbf"});
}
#endif

}  // namespace
}  // namespace brisolt::prueba
