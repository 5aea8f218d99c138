#include "ayuda_prueba.h"

#include <unistd.h>
#include <QBuffer>
#include <QImage>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "sistema_prueba.h"

namespace brisolt::prueba {
namespace {

namespace fs = std::filesystem;

void Escribir(const fs::path& ruta, const std::string& texto) {
    fs::create_directories(ruta.parent_path());
    std::ofstream(ruta, std::ios::binary) << texto;
}

// [MAP] is written inline: chmcmd reads #include files from the current folder only.
constexpr const char* kProyecto = R"([OPTIONS]
Compiled file=GESCEN.chm
Contents file=toc.hhc
Index file=idx.hhk
Default topic=intro.htm
Title=Ayuda de prueba
Language=0xc0a

[FILES]
intro.htm
exportar.htm
sub/importar.htm
logo.png

[ALIAS]
IDH_INTRO=intro.htm
IDH_EXPORTAR=exportar.htm
IDH_IMPORTAR=sub/importar.htm

[MAP]
#define IDH_INTRO 1
#define IDH_EXPORTAR 0x14
#define IDH_IMPORTAR 48
)";

constexpr const char* kContenido = R"(<HTML><BODY>
<OBJECT type="text/site properties"><param name="ImageType" value="Folder"></OBJECT>
<UL>
<LI><OBJECT type="text/sitemap"><param name="Name" value="Introducci&oacute;n"><param name="Local" value="intro.htm"></OBJECT>
<UL>
<li><object type="text/sitemap"><param name="Name" value="Exportar"><param name="Local" value="exportar.htm#arriba">
</UL>
<LI><OBJECT type="text/sitemap"><param name="Name" value="Importar"><param name="Local" value="sub\importar.htm"></OBJECT>
</UL></BODY></HTML>
)";

constexpr const char* kIndice = R"(<HTML><BODY><UL>
<LI><OBJECT type="text/sitemap"><param name="Name" value="profesores"><param name="Local" value="intro.htm"></OBJECT>
<LI><OBJECT type="text/sitemap"><param name="Name" value="exportar"><param name="Local" value="exportar.htm"></OBJECT>
<LI><OBJECT type="text/sitemap"><param name="Name" value="importar"><param name="Local" value="sub/importar.htm"></OBJECT>
</UL></BODY></HTML>
)";

AyudaPrueba Construir() {
    AyudaPrueba a;
    const std::string carpeta = NuevaCarpetaTemporal("brisolt-ayuda-");
    if (carpeta.empty()) return a;
    a.carpeta = std::filesystem::u8path(carpeta);
    Escribir(a.carpeta / "p.hhp", kProyecto);
    Escribir(a.carpeta / "toc.hhc", kContenido);
    Escribir(a.carpeta / "idx.hhk", kIndice);
    Escribir(a.carpeta / "intro.htm",
             "<html><body><h1>Bienvenida</h1><img src=\"logo.png\"></body></html>");
    Escribir(a.carpeta / "exportar.htm",
             "<html><body><a name=\"arriba\"></a><h1>Exportar datos</h1>"
             "<a href=\"sub/importar.htm\">Importar</a></body></html>");
    Escribir(a.carpeta / "sub/importar.htm",
             "<html><body><h1>Importar la soluci\xf3n</h1><a href=\"../exportar.htm\">e</a>"
             "</body></html>");
    QImage imagen(3, 2, QImage::Format_RGB32);
    imagen.fill(Qt::red);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    imagen.save(&png, "PNG");
    a.logo = png.data().toStdString();
    Escribir(a.carpeta / "logo.png", a.logo);

    const auto orden = "cd '" + a.carpeta.string() + "' && chmcmd p.hhp > chmcmd.log 2>&1";
    if (std::system(orden.c_str()) != 0 || !fs::exists(a.carpeta / "GESCEN.chm")) {
        std::cerr << "chmcmd could not build the help file in " << a.carpeta << '\n';
        return a;
    }
    a.chm = a.carpeta / "GESCEN.chm";
    return a;
}

}  // namespace

const AyudaPrueba& Ayuda() {
    static const struct Guardada {
        AyudaPrueba ayuda = Construir();
        ~Guardada() {
            std::error_code error;
            if (!ayuda.carpeta.empty()) fs::remove_all(ayuda.carpeta, error);
        }
    } guardada;
    return guardada.ayuda;
}

}  // namespace brisolt::prueba
