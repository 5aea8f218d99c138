#include "tables/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace brisolt {
namespace {

struct Muestra {
    uint8_t driver;
    const char* nombre;
    unsigned char byte;
    const char* utf8;
};

// One telling character per page, chosen where neighbouring pages differ, so
// that a driver pointing at the wrong table shows up.
const Muestra kMuestras[] = {
    {0x01, "cp437", 0xA4, "ñ"},      {0x18, "cp437", 0x9B, "¢"},
    {0x1B, "cp437", 0xE1, "ß"},      {0x02, "cp850", 0x9B, "ø"},
    {0x14, "cp850", 0xA5, "Ñ"},      {0x03, "cp1252", 0x80, "€"},
    {0x57, "cp1252", 0xF1, "ñ"},     {0x59, "cp1252", 0xE0, "à"},
    {0x00, "cp1252", 0xC7, "Ç"},     {0x42, "cp1252", 0x9C, "œ"},
    {0x04, "mac_roman", 0x96, "ñ"},  {0x08, "cp865", 0x9B, "ø"},
    {0x1C, "cp863", 0x84, "Â"},      {0x1F, "cp852", 0xA5, "ą"},
    {0x24, "cp860", 0x84, "ã"},      {0x26, "cp866", 0x80, "А"},
    {0x50, "cp874", 0xA1, "ก"},      {0x64, "cp852", 0xD8, "ě"},
    {0x65, "cp866", 0xF0, "Ё"},      {0x66, "cp865", 0x9D, "Ø"},
    {0x67, "cp861", 0x8B, "Ð"},      {0x6A, "cp737", 0x80, "Α"},
    {0x6B, "cp857", 0x98, "İ"},      {0x7D, "cp1255", 0xE0, "א"},
    {0x7E, "cp1256", 0xC7, "ا"},     {0x96, "mac_cyrillic", 0x80, "А"},
    {0x97, "mac_latin2", 0x84, "Ą"}, {0x98, "mac_greek", 0xA1, "Γ"},
    {0xC8, "cp1250", 0x8A, "Š"},     {0xC9, "cp1251", 0xC0, "А"},
    {0xCA, "cp1254", 0xDD, "İ"},     {0xCB, "cp1253", 0xE1, "α"},
};

TEST(CodePage, DriverSeleccionaLaPaginaYSuTabla) {
    for (const Muestra& m : kMuestras) {
        SCOPED_TRACE(testing::Message() << "driver 0x" << std::hex << int(m.driver));
        const CodePage& pagina = CodePage::DesdeDriver(m.driver);
        EXPECT_STREQ(pagina.Nombre(), m.nombre);
        const std::string byte(1, static_cast<char>(m.byte));
        EXPECT_EQ(pagina.AUtf8("a" + byte + "Z"), std::string("a") + m.utf8 + "Z");
        EXPECT_EQ(pagina.DesdeUtf8(std::string("a") + m.utf8 + "Z"), "a" + byte + "Z");
    }
    EXPECT_STREQ(CodePage::Cp1252().Nombre(), "cp1252");
    EXPECT_STREQ(CodePage::DesdeDriver(0xF0).Nombre(), "utf-8");
    EXPECT_STREQ(CodePage::DesdeDriver(0x13).Nombre(), "cp932");
    EXPECT_STREQ(CodePage::DesdeDriver(0x79).Nombre(), "cp949");
}

// Every defined byte of every single-byte page comes back as itself: catches
// a table with a duplicated code point or a reverse lookup that stops early.
TEST(CodePage, CadaByteDefinidoVaYVuelve) {
    for (const Muestra& m : kMuestras) {
        const CodePage& pagina = CodePage::DesdeDriver(m.driver);
        SCOPED_TRACE(pagina.Nombre());
        int indefinidos = 0;
        for (int b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            const std::string texto = pagina.AUtf8(byte);
            if (texto == "\xEF\xBF\xBD") {
                ++indefinidos;
                EXPECT_EQ(pagina.DesdeUtf8(texto), "?");
                continue;
            }
            EXPECT_EQ(pagina.DesdeUtf8(texto), byte) << "byte " << b;
        }
        EXPECT_LT(indefinidos, 40);
    }
    // The five holes of Windows-1252.
    const CodePage& cp1252 = CodePage::Cp1252();
    EXPECT_EQ(cp1252.AUtf8("\x81\x8D\x8F\x90\x9D"),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(CodePage, LoQueLaPaginaNoTieneSeVuelveInterrogacion) {
    const CodePage& cp437 = CodePage::DesdeDriver(0x01);
    EXPECT_EQ(cp437.DesdeUtf8("5 €"), "5 ?");
    EXPECT_EQ(CodePage::Cp1252().DesdeUtf8("日本ñ"), "??\xF1");
    EXPECT_EQ(CodePage::Cp1252().DesdeUtf8("😀"), "?");
    // Bytes that are not UTF-8 at all: one '?' each, the rest kept.
    EXPECT_EQ(CodePage::Cp1252().DesdeUtf8("a\xFF\xC3z"), "a??z");
    EXPECT_EQ(CodePage::Cp1252().DesdeUtf8("\xC0\x80"), "??");  // overlong NUL
}

TEST(CodePage, ElCorteNuncaPartaUnCaracter) {
    struct Caso {
        uint8_t driver;
        const char* texto;
        size_t maximo;
        const char* esperado;
    };
    const Caso casos[] = {
        {0x57, "Ñandú", 3,
         "\xD1"
         "an"},
        {0x57, "Ñandú", 5,
         "\xD1"
         "and\xFA"},
        {0x57, "Ñandú", 0, ""},
        {0x02, "ñoño", 2, "\xA4o"},
        {0xF0, "ñañ", 3, "ña"},
        {0xF0, "ñañ", 4, "ña"},
        {0xF0, "ñañ", 5, "ñañ"},
        {0xF0, "€", 2, ""},
        {0xF0, "a😀", 4, "a"},
        {0xF0, "a😀", 5, "a😀"},
        {0x13, "日本", 5, "日"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.texto << " / " << c.maximo);
        EXPECT_EQ(CodePage::DesdeDriver(c.driver).DesdeUtf8(c.texto, c.maximo), c.esperado);
    }
}

TEST(CodePage, LasPaginasDePasoDejanSoloUtf8BienFormado) {
    const CodePage& utf8 = CodePage::DesdeDriver(0xF0);
    EXPECT_EQ(utf8.AUtf8("año €"), "año €");
    EXPECT_EQ(utf8.AUtf8("a\xF1o"), "a\xEF\xBF\xBDo");  // a cp1252 byte in a UTF-8 table
    EXPECT_EQ(utf8.AUtf8("\xE2\x82"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // cut sequence
    const CodePage& cp936 = CodePage::DesdeDriver(0x4D);
    EXPECT_EQ(cp936.AUtf8("abc"), "abc");
    EXPECT_EQ(cp936.DesdeUtf8("中文"), "中文");
}

}  // namespace
}  // namespace brisolt
