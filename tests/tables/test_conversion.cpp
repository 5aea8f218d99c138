// Text <-> number conversions, case by case: whole numbers in both notations,
// floating point with either decimal separator, the general number format,
// and day counts for dates.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "guion_prueba.h"
#include "tables/conversion.h"

namespace brisolt {
namespace {

using prueba::MensajeDeError;

// Puts back the locale's separator whatever a case fixed.
struct Separador {
    explicit Separador(char s) { FijarSeparadorDecimal(s); }
    ~Separador() { FijarSeparadorDecimal('\0'); }
};

TEST(Conversion, WholeNumbers) {
    const struct {
        const char* texto;
        int32_t valor;
    } validos[] = {
        {"0", 0},
        {"  42", 42},
        {"-17", -17},
        {"+8", 8},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$FF", 255},
        {"$ff", 255},
        {"0x10", 16},
        {"$000A01F2", 0x000A01F2},
        {"$FFFFFFFF", -1},  // eight digits: the 32-bit pattern
        {"$0000000000000001", 1},
    };
    for (const auto& c : validos) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(TextoAEntero(c.texto), c.valor);
        int32_t v = 0;
        EXPECT_TRUE(EsEntero(c.texto, &v));
        EXPECT_EQ(v, c.valor);
    }
    for (const char* texto : {"", " ", "12a", "1 2", "12 ", "2147483648", "-2147483649", "$",
                              "$1FFFFFFFF", "$G", "$$FF", "$0x10", "2.5", "--1"}) {
        SCOPED_TRACE(texto);
        EXPECT_FALSE(EsEntero(texto));
        EXPECT_EQ(MensajeDeError([&] { TextoAEntero(texto); }),
                  std::string("'") + texto + "' no es un valor entero válido");
    }
}

TEST(Conversion, FloatingPointWithEitherSeparator) {
    const struct {
        char separador;
        const char* texto;
        double valor;
    } validos[] = {
        {'.', "2.5", 2.5}, {'.', " -0.25 ", -0.25}, {'.', "1e3", 1000.0}, {'.', "3", 3.0},
        {',', "2,5", 2.5}, {',', "1,5E-1", 0.15},   {',', "+4", 4.0},
    };
    for (const auto& c : validos) {
        SCOPED_TRACE(c.texto);
        Separador s(c.separador);
        EXPECT_DOUBLE_EQ(TextoAFlotante(c.texto), c.valor);
    }
    const struct {
        char separador;
        const char* texto;
    } invalidos[] = {{'.', ""},      {'.', "2,5"}, {',', "2.5"},
                     {'.', "1.2.3"}, {'.', "e5"},  {'.', "x"}};
    for (const auto& c : invalidos) {
        SCOPED_TRACE(c.texto);
        Separador s(c.separador);
        EXPECT_FALSE(EsFlotante(c.texto));
        EXPECT_EQ(MensajeDeError([&] { TextoAFlotante(c.texto); }),
                  std::string("'") + c.texto + "' no es un valor punto flotante válido");
    }
}

TEST(Conversion, GeneralFormatAndExactText) {
    const struct {
        double valor;
        const char* punto;
        const char* coma;
    } casos[] = {
        {3, "3", "3"},
        {-12, "-12", "-12"},
        {2.5, "2.5", "2,5"},
        {0.1, "0.1", "0,1"},
        {46000001, "46000001", "46000001"},
        {1.0 / 3, "0.333333333333333", "0,333333333333333"},  // 15 significant digits
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.punto);
        {
            Separador s('.');
            EXPECT_EQ(FlotanteATexto(c.valor), c.punto);
        }
        {
            Separador s(',');
            EXPECT_EQ(FlotanteATexto(c.valor), c.coma);
            // The exact text never takes the user's separator and reads back the same.
            const std::string exacto = FlotanteExacto(c.valor);
            EXPECT_EQ(exacto.find(','), std::string::npos);
            EXPECT_EQ(std::stod(exacto), c.valor);
        }
    }
}

TEST(Conversion, DayCountsFromTheEndOf1899) {
    const struct {
        int anio, mes, dia;
        double dias;
    } casos[] = {
        {1899, 12, 30, 0}, {1899, 12, 31, 1},    {1900, 1, 1, 2},
        {1900, 3, 1, 61},  {2000, 2, 29, 36585}, {2026, 12, 10, 46366},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.anio) + "-" + std::to_string(c.mes) + "-" +
                     std::to_string(c.dia));
        EXPECT_EQ(FechaADias(c.anio, c.mes, c.dia), c.dias);
        int a = 0, m = 0, d = 0;
        DiasAFecha(c.dias + 0.75, &a, &m, &d);  // the time of day does not move the date
        EXPECT_EQ(a, c.anio);
        EXPECT_EQ(m, c.mes);
        EXPECT_EQ(d, c.dia);
    }
}

}  // namespace
}  // namespace brisolt
