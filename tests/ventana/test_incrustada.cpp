// The program itself under a real X server: embedded in a host window by its
// handle, closed with Alt+S, and after an export; Zentaro.ini beside a copy
// of the program tells what the host would read. Then stand-alone, driven
// with keys and clicks as a head of studies drives it through an import.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "apoyo.h"
#include "comandos/estado.h"
#include "comandos/staging.h"
#include "export/exportar.h"
#include "generador.h"
#include "sistema_prueba.h"
#include "tables/carpetas.h"
#include "tables/tabla.h"

extern char** environ;

namespace brisolt::prueba {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A child process, killed if still running when the object goes.
class Proceso {
  public:
    Proceso(const std::vector<std::string>& orden, const std::vector<std::string>& entorno,
            const std::string& salida = "/dev/null") {
        std::vector<char*> args, env;
        for (const auto& a : orden) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        std::vector<std::string> todo = entorno;
        for (char** e = environ; *e; ++e) todo.emplace_back(*e);
        for (auto& e : todo) env.push_back(e.data());
        env.push_back(nullptr);
        posix_spawn_file_actions_t acciones;
        posix_spawn_file_actions_init(&acciones);
        posix_spawn_file_actions_addopen(&acciones, 1, salida.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&acciones, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, args[0], &acciones, nullptr, args.data(), env.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&acciones);
    }
    ~Proceso() {
        if (pid_ > 0 && !terminado_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Proceso(const Proceso&) = delete;
    Proceso& operator=(const Proceso&) = delete;

    bool Vivo() const { return pid_ > 0; }
    // Whether it ended within the time.
    bool Esperar(std::chrono::milliseconds plazo) {
        const auto fin = std::chrono::steady_clock::now() + plazo;
        while (std::chrono::steady_clock::now() < fin) {
            int estado = 0;
            if (::waitpid(pid_, &estado, WNOHANG) == pid_) {
                terminado_ = true;
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

  private:
    pid_t pid_ = -1;
    bool terminado_ = false;
};

std::string Salida(const std::string& orden) {
    std::string texto;
    if (FILE* p = ::popen((orden + " 2>/dev/null").c_str(), "r")) {
        char buf[512];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) texto.append(buf, n);
        ::pclose(p);
    }
    return texto;
}

std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

template <class F>
bool Hasta(F&& condicion, std::chrono::milliseconds plazo = 10s) {
    const auto fin = std::chrono::steady_clock::now() + plazo;
    while (std::chrono::steady_clock::now() < fin) {
        if (condicion()) return true;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

class Incrustada : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists("/usr/bin/Xvfb") || !fs::exists("/usr/bin/xdotool") ||
            !fs::exists("/usr/bin/xwininfo"))
            SALTAR_SIN_HERRAMIENTA("Xvfb, xdotool or xwininfo missing");
        // Xvfb picks a free display itself and prints its number: tests that
        // run side by side never share a screen.
        const std::string numero = unidad / "pantalla.txt";
        xvfb_ = std::make_unique<Proceso>(
            std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0",
                                     "1024x768x24", "-nolisten", "tcp"},
            std::vector<std::string>{}, numero);
        ASSERT_TRUE(Hasta([&] { return Leer(numero).find('\n') != std::string::npos; }))
            << "Xvfb did not start";
        pantalla_ = ":" + Leer(numero).substr(0, Leer(numero).find('\n'));
        ::setenv("DISPLAY", pantalla_.c_str(), 1);
        fs::create_directories(unidad / "programa");
        programa_ = unidad / "programa/brisolt";
        fs::copy_file(std::string(BRISOLT_BINARY_DIR) + "/bin/brisolt", programa_);
    }
    void TearDown() override { ::unsetenv("DISPLAY"); }

    // The host window's id, in hexadecimal as the command line takes it.
    std::string Anfitriona(std::unique_ptr<Proceso>& proceso) {
        const std::string salida = unidad / "anfitriona.txt";
        proceso = std::make_unique<Proceso>(
            std::vector<std::string>{fs::read_symlink("/proc/self/exe").string(), "--anfitriona"},
            std::vector<std::string>{"DISPLAY=" + pantalla_}, salida);
        std::string id;
        Hasta([&] {
            id = Leer(salida);
            return id.find('\n') != std::string::npos;
        });
        return id.substr(0, id.find('\n'));
    }

    std::unique_ptr<Proceso> Brisolt(const std::string& modo, const std::string& anfitriona) {
        return std::make_unique<Proceso>(
            std::vector<std::string>{programa_, modo, anfitriona},
            std::vector<std::string>{"DISPLAY=" + pantalla_, "QT_QPA_PLATFORM=xcb",
                                     "BRISOLT_DRIVE_C=" + unidad.Raiz()});
    }

    // Our window: the one titled as the main window.
    std::string Ventana() {
        std::string id;
        Hasta([&] {
            id = Salida("xdotool search --name '^Exportar e importar datos'");
            return !id.empty();
        });
        return id.substr(0, id.find('\n'));
    }

    // Salir's key, as a person presses it: our window needs the keyboard first.
    static void CerrarConAltS(const std::string& ventana) {
        Salida("xdotool windowfocus --sync " + ventana);
        Salida("xdotool key --clearmodifiers alt+s");
    }

    UnidadVentana unidad;
    std::string pantalla_, programa_;
    std::unique_ptr<Proceso> xvfb_;
};

TEST_F(Incrustada, LivesInTheHostAtTwoTwoWithoutFrameAndClosesWithAltS) {
    std::unique_ptr<Proceso> anfitriona;
    const std::string host = Anfitriona(anfitriona);
    ASSERT_FALSE(host.empty());
    auto brisolt = Brisolt("exportar", host);
    const std::string ventana = Ventana();
    ASSERT_FALSE(ventana.empty());

    const std::string hijos = Salida("xwininfo -children -id 0x" + host);
    const std::string propia = Salida("xwininfo -id " + ventana);
    const unsigned long idVentana = std::stoul(ventana);
    char hex[32];
    std::snprintf(hex, sizeof hex, "0x%lx", idVentana);
    EXPECT_NE(hijos.find(hex), std::string::npos) << hijos;
    EXPECT_NE(propia.find("Relative upper-left X:  2"), std::string::npos) << propia;
    EXPECT_NE(propia.find("Relative upper-left Y:  2"), std::string::npos) << propia;
    EXPECT_NE(propia.find("Width: 599"), std::string::npos) << propia;
    EXPECT_NE(propia.find("Height: 267"), std::string::npos) << propia;

    CerrarConAltS(ventana);
    ASSERT_TRUE(brisolt->Esperar(10s)) << "the window did not close";
    EXPECT_NE(Leer(unidad / "programa/Zentaro.ini").find("Transformado=0"), std::string::npos);
}

TEST_F(Incrustada, AnExportClosesTheWindowAndReportsOne) {
    std::unique_ptr<Proceso> anfitriona;
    const std::string host = Anfitriona(anfitriona);
    ASSERT_FALSE(host.empty());
    auto brisolt = Brisolt("exportar", host);
    const std::string ventana = Ventana();
    ASSERT_FALSE(ventana.empty());

    // BExportar sits at 71, 90 in the export panel, which fills the top.
    Salida("xdotool mousemove --window " + ventana + " 115 102 click 1");
    // Acknowledge each box as it comes, until the program ends by itself.
    const bool terminado = Hasta(
        [&] {
            const std::string caja = Salida("xdotool search --onlyvisible --name '^Brisolt$'");
            if (!caja.empty()) {
                const std::string id = caja.substr(0, caja.find('\n'));
                Salida("xdotool windowfocus --sync " + id + " key Return");
            }
            return brisolt->Esperar(200ms);
        },
        60s);
    ASSERT_TRUE(terminado) << "the export did not end the program";
    EXPECT_NE(Leer(unidad / "programa/Zentaro.ini").find("Transformado=1"), std::string::npos);
    EXPECT_TRUE(fs::exists(unidad / "ZTEMP/ASIGT.DBF"));
}

// The generator stand-in as host: it starts the program beside itself inside
// its window and prints what the program left in Zentaro.ini.
TEST_F(Incrustada, TheGeneratorStandInHostsItAndPrintsTheStatus) {
    const std::string anfitrion = unidad / "programa/brisolt-anfitrion";
    fs::copy_file(std::string(BRISOLT_BINARY_DIR) + "/bin/brisolt-anfitrion", anfitrion);
    const std::string salida = unidad / "anfitrion.txt";
    Proceso host(
        {anfitrion, "exportar"},
        {"DISPLAY=" + pantalla_, "QT_QPA_PLATFORM=xcb", "BRISOLT_DRIVE_C=" + unidad.Raiz()},
        salida);
    const std::string ventana = Ventana();
    ASSERT_FALSE(ventana.empty());
    const std::string arbol = Salida("xwininfo -tree -id " + ventana);
    EXPECT_NE(arbol.find("\"Generador de horarios (sustituto)\""), std::string::npos) << arbol;

    CerrarConAltS(ventana);
    ASSERT_TRUE(host.Esperar(10s)) << "the host did not end with the program";
    EXPECT_EQ(Leer(salida), "Transformado=0\n");
}

// Stand-alone, as a person sits before it: keys and clicks through xdotool,
// and pictures of the screen for whoever looks at the artefacts.
class ComoUnaPersona : public Incrustada {
  protected:
    // The window named so (anchored), once it shows.
    std::string Esperar(const std::string& nombre, std::chrono::milliseconds plazo = 20s) {
        std::string id;
        Hasta(
            [&] {
                id = Salida("xdotool search --onlyvisible --name '^" + nombre + "$'");
                return !id.empty();
            },
            plazo);
        return id.substr(0, id.find('\n'));
    }
    // A message box (titled "Brisolt") acknowledged with Enter; its absence
    // within the time is false.
    bool Aceptar(std::chrono::milliseconds plazo = 20s) {
        const std::string caja = Esperar("Brisolt", plazo);
        if (caja.empty()) return false;
        Salida("xdotool windowfocus --sync " + caja + " key Return");
        return Hasta(
            [&] { return Salida("xdotool search --onlyvisible --name '^Brisolt$'").empty(); });
    }
    void Teclas(const std::string& ventana, const std::string& teclas) {
        Salida("xdotool windowfocus --sync " + ventana + " key --delay 60 " + teclas);
    }
    void Escribir(const std::string& ventana, const std::string& texto) {
        Salida("xdotool windowfocus --sync " + ventana + " type --delay 40 '" + texto + "'");
    }
    void Pulsar(const std::string& ventana, int x, int y) {
        Salida("xdotool mousemove --window " + ventana + " " + std::to_string(x) + " " +
               std::to_string(y) + " click 1");
    }
    // The whole screen, when ImageMagick is there to take it.
    void Foto(const std::string& nombre) {
        if (!fs::exists("/usr/bin/import")) return;
        Salida("import -window root '" + CarpetaArtefactos() + "/" + nombre + "'");
    }
};

// The school's data exported and a solution placed, as the generator would.
void PrepararSolucion(const std::string& raiz) {
    class Callada : public Interfaz {
        void Informar(const std::string&) override {}
        void CursorEspera() override {}
        void CursorNormal() override {}
        void ControlProfesores(Tabla&) override {}
        void ControlPlantilla(Tabla&) override {}
        void DesactivarBotones() override {}
        void CerrarVentana() override {}
    } callada;
    Estado estado;
    estado.carpetaGC = RutaNativa(kCarpetaGC);
    estado.ComboBoxValCast = "VALENCIÁ";
    CopiarTablasGC(estado);
    BExportarClick(estado, callada);
    GenerarSolucion(raiz + "/ZTEMP");
}

TEST_F(ComoUnaPersona, EnterAtStartDoesNothingAndWhatIsTypedLastIsImported) {
    PrepararSolucion(unidad.Raiz());
    const std::string horprof = RutaNativa("C:\\GC\\horprof.dbf");
    const std::string antes = Leer(horprof);
    // The teachers without a DNI, in the grid's order, and who teaches.
    std::vector<int> sinDni;
    std::vector<std::string> abreviaturas;
    {
        Tabla proft;
        proft.SetTableName(unidad / "ZTEMP/PROFT.DBF");
        proft.Open();
        for (proft.First(); !proft.Eof(); proft.Next()) {
            if (proft.FieldByName("DNI").AsInteger() == 0) {
                sinDni.push_back(static_cast<int>(abreviaturas.size()));
            }
            abreviaturas.push_back(proft.FieldByName("ABREV").AsString());
        }
    }
    ASSERT_FALSE(sinDni.empty());

    auto brisolt = std::make_unique<Proceso>(
        std::vector<std::string>{programa_},
        std::vector<std::string>{"DISPLAY=" + pantalla_, "QT_QPA_PLATFORM=xcb",
                                 "BRISOLT_DRIVE_C=" + unidad.Raiz()});
    const std::string ventana = Ventana();
    ASSERT_FALSE(ventana.empty());
    Foto("pantalla_ventana.png");

    // Right after opening: Enter, Enter, Escape. Nothing starts, nothing closes.
    Teclas(ventana, "Return Return Escape");
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(Salida("xdotool search --onlyvisible --name '^Brisolt$'"), "");
    EXPECT_FALSE(brisolt->Esperar(0ms)) << "the window closed";
    EXPECT_EQ(Leer(horprof), antes);

    // The import's "Aceptar": the import panel is the right half, the button at 92, 57 in it.
    Pulsar(ventana, 299 + 92 + 44, 57 + 12);
    ASSERT_TRUE(Aceptar()) << "no warning before the import";

    // The DNIs: each typed where the grid stands, Enter, Down to the next
    // one; the last typed and left in its cell, then "Salir" clicked.
    const std::string profesores = Esperar("Control de Profesores");
    ASSERT_FALSE(profesores.empty());
    Foto("pantalla_control_profesores.png");
    for (std::size_t i = 0; i < sinDni.size(); ++i) {
        if (i > 0) {
            std::string teclas = "Return";
            for (int f = sinDni[i - 1] + 1; f < sinDni[i]; ++f) teclas += " Down";
            Teclas(profesores, teclas);
        }
        Escribir(profesores, std::to_string(90000001 + i));
    }
    Pulsar(profesores, 584 + 37, 216 + 12);

    // The template: a new start for hour 1, typed and left in its cell, "Salir".
    const std::string plantilla = Esperar("Control de Plantilla Horaria");
    ASSERT_FALSE(plantilla.empty()) << "the DNI check did not let the import go on";
    Escribir(plantilla, "07:45");
    Foto("pantalla_control_plantilla.png");
    Pulsar(plantilla, 576 + 37, 312 + 12);

    ASSERT_TRUE(Aceptar(60s)) << "no end of the import";
    Foto("pantalla_tras_importar.png");
    CerrarConAltS(ventana);
    ASSERT_TRUE(brisolt->Esperar(10s)) << "the window did not close";

    // The last DNI, typed and never confirmed with Enter, is the teacher's.
    const int ultimo = sinDni.back();
    const int32_t dniUltimo = 90000001 + static_cast<int32_t>(sinDni.size()) - 1;
    Tabla proft;
    proft.SetTableName(unidad / "ZTEMP/PROFT.DBF");
    proft.Open();
    proft.First();
    for (int f = 0; f < ultimo; ++f) proft.Next();
    EXPECT_EQ(proft.FieldByName("DNI").AsInteger(), dniUltimo);
    proft.Close();

    std::set<int32_t> dnis;
    int primeras = 0;
    Tabla horario;
    horario.SetTableName(horprof);
    horario.Open();
    for (horario.First(); !horario.Eof(); horario.Next()) {
        dnis.insert(horario.FieldByName("DNI").AsInteger());
        if (horario.FieldByName("NUMHORA").AsInteger() != 1) continue;
        ++primeras;
        EXPECT_EQ(horario.FieldByName("HORAD").AsString(), "07:45");
    }
    EXPECT_GT(primeras, 0);
    // Every DNI typed, the last one too, is in horprof.dbf wherever its teacher has a session.
    std::set<std::string> conSesiones;
    Tabla soluc;
    soluc.SetTableName(unidad / "ZTEMP/SOLUC.DBF");
    soluc.Open();
    for (soluc.First(); !soluc.Eof(); soluc.Next())
        if (soluc.FieldByName("DIA").AsInteger() != 0)
            conSesiones.insert(soluc.FieldByName("PROF").AsString());
    int comprobados = 0;
    for (std::size_t i = 0; i < sinDni.size(); ++i) {
        const std::string& abrev = abreviaturas[static_cast<std::size_t>(sinDni[i])];
        if (!conSesiones.count(abrev)) continue;
        ++comprobados;
        EXPECT_EQ(dnis.count(90000001 + static_cast<int32_t>(i)), 1u) << abrev;
    }
    EXPECT_GT(comprobados, 0);
}

}  // namespace
}  // namespace brisolt::prueba
