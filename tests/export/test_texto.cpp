#include "export/texto.h"

#include <gtest/gtest.h>

namespace brisolt {
namespace {

TEST(LetrasTrasSeparador, CasosDelSeparador) {
    struct Caso {
        const char* texto;
        const char* separador;
        const char* esperado;
    } casos[] = {
        {"GARCIA LOPEZ, JUAN", " ", "LJ"},
        {"PEREZ PEREZ, MARIA JOSE", " ", "PMJ"},
        {"ANA", " ", ""},
        {"", " ", ""},
        {"ROS ", " ", ""},    // a trailing separator adds nothing
        {"A  B", " ", " B"},  // two in a row append the second one
        {"A B", "  ", ""},    // a two-character separator never matches
        {"A B", "", ""},
        {"ROS, ÁNGEL", " ", "Á"},  // an accented letter is one character
        {"XÁYÁZ", "Á", "YZ"},      // and works as a separator too
        {"A,B,", ",", "B"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(LetrasTrasSeparador(c.texto, c.separador), c.esperado)
            << "'" << c.texto << "' / '" << c.separador << "'";
    }
}

TEST(Subcadena, CuentaCaracteresDesdeUno) {
    EXPECT_EQ(Subcadena("4ESOMAT", 2, 3), "ESO");
    EXPECT_EQ(Subcadena("4ESOMAT", 1, 1), "4");
    EXPECT_EQ(Subcadena("1E", 2, 3), "E");
    EXPECT_EQ(Subcadena("1E", 3, 3), "");
    EXPECT_EQ(Subcadena("", 1, 2), "");
    EXPECT_EQ(Subcadena(" 3", 1, 2), " 3");
    EXPECT_EQ(Subcadena("120", 1, 2), "12");
    EXPECT_EQ(Subcadena("ÀÉÍÓ", 2, 2), "ÉÍ");
    EXPECT_EQ(Subcadena("ABC", 0, 2), "AB");
    EXPECT_EQ(Subcadena("ABC", 2, 0), "");
}

TEST(Recortar, QuitaBlancosYControlesDeAmbosLados) {
    EXPECT_EQ(Recortar("  \t\x01GARCIA LOPEZ \r\n"), "GARCIA LOPEZ");
    EXPECT_EQ(Recortar(" \x1f "), "");
    EXPECT_EQ(Recortar("!"), "!");  // code 33 stays
    EXPECT_EQ(Recortar("ÉS "), "ÉS");
}

TEST(PartirCodigo, CursoNivelYLetra) {
    struct Caso {
        const char* codigo;
        const char* curso;
        const char* nivel;
        const char* letra;
    } casos[] = {
        {"1ESOA", "1", "ESO", "A"}, {"1ESO", "1", "ESO", "O"}, {"1E", "1", "E", "E"},
        {"1", "1", "", "1"},        {"", "", "", ""},          {"2BÀTX", "2", "BÀT", "X"},
        {"1ESOÑ", "1", "ESO", "Ñ"},
    };
    for (const auto& c : casos) {
        const PartesCodigo p = PartirCodigo(c.codigo);
        EXPECT_EQ(p.curso, c.curso) << c.codigo;
        EXPECT_EQ(p.nivel, c.nivel) << c.codigo;
        EXPECT_EQ(p.letra, c.letra) << c.codigo;
    }
}

}  // namespace
}  // namespace brisolt
