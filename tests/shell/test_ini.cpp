#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mount.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "shell/ini.h"
#include "sistema/sistema.h"
#include "sistema_prueba.h"
#include "tables/error.h"

namespace fs = std::filesystem;

namespace brisolt {
namespace {

// A profile file before and after Transformado=1 is written under
// [Transformadores].
struct CasoPerfil {
    const char* que;
    std::string antes, despues;
};
const CasoPerfil kCasos[] = {
    {"empty file", "", "[Transformadores]\r\nTransformado=1\r\n"},
    {"value replaced, every other line kept",
     "; generador\r\n[General]\r\nRuta=C:\\ZENTARO\r\n\r\n[Transformadores]\r\n"
     "Otro=x\r\nTransformado=0\r\n\r\n[Final]\r\nTransformado=7\r\n",
     "; generador\r\n[General]\r\nRuta=C:\\ZENTARO\r\n\r\n[Transformadores]\r\n"
     "Otro=x\r\nTransformado=1\r\n\r\n[Final]\r\nTransformado=7\r\n"},
    {"names in other case, blanks around them", "  [ transformadores ]\r\n TRANSFORMADO = 0\r\n",
     "  [ transformadores ]\r\n TRANSFORMADO =1\r\n"},
    {"key only in another section", "[Otra]\r\nTransformado=0\r\n",
     "[Otra]\r\nTransformado=0\r\n[Transformadores]\r\nTransformado=1\r\n"},
    {"key added after the section's last line, before the blank one",
     "[Transformadores]\r\nA=1\r\n;nota\r\n\r\n[B]\r\nC=2\r\n",
     "[Transformadores]\r\nA=1\r\n;nota\r\nTransformado=1\r\n\r\n[B]\r\nC=2\r\n"},
    {"commented-out key is not the key", "[Transformadores]\r\n;Transformado=0\r\n",
     "[Transformadores]\r\n;Transformado=0\r\nTransformado=1\r\n"},
    {"section header alone at the end", "[Transformadores]",
     "[Transformadores]\r\nTransformado=1\r\n"},
    {"unterminated last line", "[X]\r\nY=2",
     "[X]\r\nY=2\r\n[Transformadores]\r\nTransformado=1\r\n"},
    {"LF file gets LF lines", "[X]\nY=2\n", "[X]\nY=2\n[Transformadores]\nTransformado=1\n"},
    {"first of two equal sections",
     "[Transformadores]\nTransformado=0\n[Transformadores]\nTransformado=0\n",
     "[Transformadores]\nTransformado=1\n[Transformadores]\nTransformado=0\n"},
    {"byte-order mark kept", "\xEF\xBB\xBF[Transformadores]\r\nTransformado=0\r\n",
     "\xEF\xBB\xBF[Transformadores]\r\nTransformado=1\r\n"},
    {"unterminated key line keeps no line end", "[Transformadores]\r\nTransformado=0",
     "[Transformadores]\r\nTransformado=1"},
};

TEST(PerfilConValor, ReglasDelArchivoDePerfil) {
    for (const auto& c : kCasos) {
        SCOPED_TRACE(c.que);
        EXPECT_EQ(PerfilConValor(c.antes, "Transformadores", "Transformado", "1"), c.despues);
        // What the generator reads back is the value written.
        EXPECT_EQ(ValorEnPerfil(c.despues, "transformadores", "TRANSFORMADO"), "1");
    }
    EXPECT_EQ(ValorEnPerfil("[Otra]\r\nTransformado=0\r\n", "Transformadores", "Transformado"),
              std::nullopt);
    EXPECT_EQ(ValorEnPerfil("[Transformadores]\r\n;Transformado=0\r\n", "Transformadores",
                            "Transformado"),
              std::nullopt);
}

class ArchivoPerfil : public ::testing::Test {
  protected:
    void SetUp() override {
        raiz_ = prueba::NuevaCarpetaTemporal("brisolt-ini-");
        ASSERT_FALSE(raiz_.empty());
        carpeta_ = fs::u8path(raiz_);
    }
    void TearDown() override { prueba::BorrarArbol(raiz_); }
    std::string Leer(const fs::path& ruta) {
        std::ifstream f(ruta, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    std::string raiz_;  // the folder as text, "/" between names
    fs::path carpeta_;
};

TEST_F(ArchivoPerfil, CreaYReescribeElArchivo) {
    const std::string ruta = (carpeta_ / "Zentaro.ini").string();
    EscribirPerfil(ruta, "Transformadores", "Transformado", "0");
    EXPECT_EQ(Leer(ruta), "[Transformadores]\r\nTransformado=0\r\n");

    // A longer file that becomes shorter must not keep a tail of the old one.
    std::ofstream(ruta, std::ios::binary) << "[Transformadores]\r\nTransformado=1000000\r\n";
    EscribirPerfil(ruta, "Transformadores", "Transformado", "1");
    EXPECT_EQ(Leer(ruta), "[Transformadores]\r\nTransformado=1\r\n");
}

TEST_F(ArchivoPerfil, NoSePuedeEscribir) {
    const std::string contenido = "[Transformadores]\r\nTransformado=0\r\n";
    fs::create_directories(carpeta_ / "carpeta.ini");
    std::vector<std::string> rutas = {raiz_ + "/falta/Zentaro.ini", raiz_ + "/carpeta.ini"};
    // A read-only file (on Windows, its read-only attribute), where this user
    // cannot write over one: root on Linux can, and so can Wine run by root.
    const std::string soloLectura = raiz_ + "/Zentaro.ini";
    std::ofstream(fs::u8path(soloLectura), std::ios::binary) << contenido;
    prueba::SoloLectura(soloLectura, true);
    {
        Archivo intento;
        if (intento.Abrir(soloLectura, Acceso::LecturaEscritura, Creacion::Existente,
                          Comparticion::Libre) != 0)
            rutas.push_back(soloLectura);
    }
#ifndef _WIN32
    // A read-only medium, where mounting one is allowed.
    const fs::path medio = carpeta_ / "medio";
    fs::create_directories(medio);
    const bool montado = ::mount("tmpfs", medio.c_str(), "tmpfs", 0, "size=16k") == 0;
    if (montado) {
        std::ofstream(medio / "Zentaro.ini") << contenido;
        if (::mount(nullptr, medio.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0)
            rutas.push_back((medio / "Zentaro.ini").string());
    }
#endif
    // The program's writer (on Windows the system's) and our own, everywhere.
    for (auto escribir : {EscribirPerfil, EscribirPerfilPortable}) {
        for (const auto& ruta : rutas) {
            SCOPED_TRACE(ruta);
            try {
                escribir(ruta, "Transformadores", "Transformado", "1");
                ADD_FAILURE() << "no error";
            } catch (const Error& e) {
                EXPECT_EQ(std::string(e.what()), "Unable to write to " + ruta);
            }
        }
    }
    EXPECT_EQ(Leer(fs::u8path(soloLectura)), contenido);
    prueba::SoloLectura(soloLectura, false);
#ifndef _WIN32
    if (montado) {
        EXPECT_EQ(Leer(medio / "Zentaro.ini"), contenido);
        ::umount2(medio.c_str(), MNT_DETACH);
    }
#endif
}

// A profile file line by line as a reader sees it: no blank lines, no blanks
// around section names, keys and values, no line ends.
std::vector<std::string> Significativo(std::string contenido) {
    if (contenido.starts_with("\xEF\xBB\xBF")) contenido.erase(0, 3);
    auto recortar = [](std::string t) {
        const auto i = t.find_first_not_of(" \t\r");
        if (i == std::string::npos) return std::string();
        return t.substr(i, t.find_last_not_of(" \t\r") - i + 1);
    };
    std::vector<std::string> lineas;
    std::istringstream entrada(contenido);
    for (std::string l; std::getline(entrada, l);) {
        l = recortar(l);
        if (l.empty()) continue;
        if (l.front() == '[' && l.find(']') != std::string::npos)
            l = "[" + recortar(l.substr(1, l.find(']') - 1)) + "]";
        else if (l.front() != ';' && l.find('=') != std::string::npos)
            l = recortar(l.substr(0, l.find('='))) + "=" + recortar(l.substr(l.find('=') + 1));
        lineas.push_back(l);
    }
    return lineas;
}

// On Windows the program writes through the system's own profile writer; our
// writer, which Linux uses, must give the same file. Wine's writer rewrites
// the whole file from what it read: it leaves out blank lines and the blanks
// around names and values, and ends every line with CRLF. Where the cases
// touch that, the two files must agree line by line as a reader sees them;
// elsewhere byte for byte.
TEST_F(ArchivoPerfil, ElEscritorPropioHaceLoQueElDelSistema) {
    if (!kEsWindows) GTEST_SKIP() << "the system's profile writer is Windows's own";
    const std::set<std::string> soloLineas = {
        "value replaced, every other line kept",
        "names in other case, blanks around them",
        "key added after the section's last line, before the blank one",
        "LF file gets LF lines",
        "first of two equal sections",
        "unterminated key line keeps no line end",
    };
    for (const auto& c : kCasos) {
        SCOPED_TRACE(c.que);
        const std::string propio = raiz_ + "/propio.ini", sistema = raiz_ + "/sistema.ini";
        for (const auto& ruta : {propio, sistema})
            std::ofstream(fs::u8path(ruta), std::ios::binary | std::ios::trunc) << c.antes;
        EscribirPerfilPortable(propio, "Transformadores", "Transformado", "1");
        ASSERT_EQ(SO().EscribirPerfilSistema(sistema, "Transformadores", "Transformado", "1"), 0);
        const std::string delSistema = Leer(fs::u8path(sistema)),
                          nuestro = Leer(fs::u8path(propio));
        EXPECT_EQ(Significativo(delSistema), Significativo(nuestro));
        if (!soloLineas.contains(c.que)) {
            EXPECT_EQ(delSistema, nuestro);
        }
    }
    // And a file that is not there yet, through the program's writer.
    EscribirPerfil(raiz_ + "/nuevo.ini", "Transformadores", "Transformado", "0");
    EXPECT_EQ(Leer(fs::u8path(raiz_ + "/nuevo.ini")), "[Transformadores]\r\nTransformado=0\r\n");
}

}  // namespace
}  // namespace brisolt
