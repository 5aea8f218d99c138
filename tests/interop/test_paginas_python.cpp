// Our code page tables against Python's codecs, byte by byte, for every page
// a driver id can name.

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "herramientas.h"
#include "sistema_prueba.h"
#include "tables/codepage.h"

namespace brisolt {
namespace {

using interop::CarpetaTemporal;

const char* kScript = R"(
import sys
for nombre in sys.argv[1:]:
    puntos = []
    for b in range(256):
        try:
            puntos.append('%X' % ord(bytes([b]).decode(nombre)))
        except UnicodeDecodeError:
            puntos.append('FFFD')
    print(nombre, ' '.join(puntos))
)";

std::string PuntosPropios(const CodePage& pagina) {
    std::string linea = pagina.Nombre();
    for (int b = 0; b < 256; ++b) {
        const std::string u = pagina.AUtf8(std::string(1, static_cast<char>(b)));
        // Decode the one UTF-8 character back to its code point.
        const auto c = [&](size_t i) { return static_cast<unsigned char>(u[i]); };
        uint32_t cp = c(0);
        if (u.size() == 2) cp = (c(0) & 0x1F) << 6 | (c(1) & 0x3F);
        if (u.size() == 3) cp = (c(0) & 0x0F) << 12 | (c(1) & 0x3F) << 6 | (c(2) & 0x3F);
        std::ostringstream h;
        h << ' ' << std::uppercase << std::hex << cp;
        linea += h.str();
    }
    return linea;
}

TEST(PaginasPython, CadaByteComoLoDecodificaPython) {
    if (!interop::HayPrograma("/usr/bin/python3"))
        SALTAR_SIN_HERRAMIENTA("/usr/bin/python3 is missing");
    std::map<std::string, std::string> propias;
    for (int id = 0; id < 256; ++id) {
        const CodePage& p = CodePage::DesdeDriver(static_cast<uint8_t>(id));
        const std::string nombre = p.Nombre();
        if (nombre == "utf-8" || nombre.rfind("cp9", 0) == 0) continue;  // pass-through pages
        propias[nombre] = PuntosPropios(p);
    }
    EXPECT_EQ(propias.size(), 22u);
    std::string nombres;
    for (const auto& [n, _] : propias) nombres += n + " ";
    CarpetaTemporal dir;
    const auto salida = interop::Python(dir.Ruta(), kScript, nombres);
    ASSERT_EQ(salida.estado, 0) << salida.texto;
    std::istringstream lineas(salida.texto);
    std::string linea;
    size_t vistas = 0;
    while (std::getline(lineas, linea)) {
        const std::string nombre = linea.substr(0, linea.find(' '));
        ASSERT_TRUE(propias.count(nombre)) << linea;
        EXPECT_EQ(propias[nombre], linea);
        ++vistas;
    }
    EXPECT_EQ(vistas, propias.size());
}

}  // namespace
}  // namespace brisolt
