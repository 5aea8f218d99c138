#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help/chm/archivo_chm.h"
#include "help/chm/sitemap.h"

namespace brisolt::chm {
namespace {

// The tree as one line: "name=local" with children in brackets.
std::string Plano(const std::vector<EntradaMapa>& entradas) {
    std::string s;
    for (const auto& e : entradas) {
        if (!s.empty()) s += ' ';
        s += e.nombre + "=" + e.local;
        if (!e.hijos.empty()) s += "[" + Plano(e.hijos) + "]";
    }
    return s;
}

TEST(Sitemap, SeLeeConIndulgencia) {
    struct Caso {
        const char* html;
        const char* arbol;
    };
    const std::vector<Caso> casos = {
        // Well formed, with a site-properties object that is not an entry.
        {R"(<OBJECT type="text/site properties"><param name="X" value="y"></OBJECT>
            <UL><LI><OBJECT type="text/sitemap"><param name="Name" value="A">
            <param name="Local" value="a.htm"></OBJECT></UL>)",
         "A=a.htm"},
        // Lower case, no </OBJECT>, a child list right after its entry.
        {R"(<ul><li><object type="text/sitemap"><param name="name" value="A"><param name="local" value="a.htm">
            <ul><li><object type="text/sitemap"><param name="Name" value="A1"><param name="Local" value="a1.htm">
            </ul><li><object type="text/sitemap"><param name="Name" value="B"><param name="Local" value="b.htm"></ul>)",
         "A=a.htm[A1=a1.htm] B=b.htm"},
        // Entities, unquoted values, a comment that looks like an entry, see-also names.
        {R"(<UL><!-- <LI><OBJECT type="text/sitemap"><param name="Name" value="X"> -->
            <LI><OBJECT type=text/sitemap><param name=Name value="Introducci&oacute;n &amp; m&#225;s">
            <param name="Name" value="otro"><param name="Local" value=intro.htm></OBJECT></UL>)",
         "Introducción & más=intro.htm"},
        // Windows-1252 text and a folder entry without a topic.
        {"<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Gu\xed"
         "a\"></OBJECT>"
         "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"P\"><param "
         "name=\"Local\" value=\"sub\\p.htm\"></OBJECT></UL></UL>",
         "Guía=[P=sub\\p.htm]"},
        // Broken input yields what can be read, and nothing for garbage.
        {"<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\"", ""},
        {"</UL></UL><UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\">", "A="},
        {"no es html", ""},
    };
    for (const auto& c : casos) EXPECT_EQ(Plano(LeerMapa(c.html)), c.arbol) << c.html;
}

TEST(Sitemap, ReferenciasDeTema) {
    struct Caso {
        const char* referencia;
        const char* ruta;
        const char* ancla;
    };
    const std::vector<Caso> casos = {
        {"intro.htm", "/intro.htm", ""},  {"::/intro.htm#arriba", "/intro.htm", "arriba"},
        {"sub\\p.htm", "/sub/p.htm", ""}, {"C:\\ayuda\\GESCEN.chm::/sub/p.htm", "/sub/p.htm", ""},
        {"./a.htm", "/a.htm", ""},
    };
    for (const auto& c : casos) {
        const auto r = PartirReferencia(c.referencia);
        EXPECT_EQ(r.ruta, c.ruta) << c.referencia;
        EXPECT_EQ(r.ancla, c.ancla) << c.referencia;
    }
}

TEST(Sitemap, TextoWindows1252) {
    EXPECT_EQ(AUtf8("Mat\xe9ticas \x80"), "Matéticas €");
    EXPECT_EQ(AUtf8("ya es UTF-8: ñ"), "ya es UTF-8: ñ");
}

}  // namespace
}  // namespace brisolt::chm
