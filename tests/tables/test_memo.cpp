#include "tables/memo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "sistema_prueba.h"
#include "tables/error.h"

namespace brisolt {
namespace {

namespace fs = std::filesystem;

class MemoTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::string carpeta = prueba::NuevaCarpetaTemporal("memo");
        ASSERT_FALSE(carpeta.empty());
        dir_ = fs::u8path(carpeta);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Escribir(const std::string& nombre, const std::string& bytes) {
        const std::string ruta = (dir_ / nombre).string();
        std::ofstream(ruta, std::ios::binary) << bytes;
        return ruta;
    }
    static std::string Contenido(const std::string& ruta) {
        std::ifstream f(ruta, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

std::string Be32(uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}
std::string Le32(uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}
std::string Firma4() {
    return std::string("\xFF\xFF\x08\x00", 4);
}
std::string Relleno(std::string s, size_t hasta) {
    s.resize(hasta, '\0');
    return s;
}

// An .FPT header with the given block size; memos follow at `primer` block.
std::string CabeceraFpt(uint32_t siguiente, uint16_t bloque) {
    std::string h = Be32(siguiente) + std::string(2, '\0');
    h += static_cast<char>(bloque >> 8);
    h += static_cast<char>(bloque & 0xFF);
    return Relleno(h, 512);
}
std::string BloqueFpt(const std::string& datos, size_t bloque) {
    const std::string b = Be32(1) + Be32(static_cast<uint32_t>(datos.size())) + datos;
    return Relleno(b, (b.size() + bloque - 1) / bloque * bloque);
}

TEST_F(MemoTest, FptCreadoAdmiteAnadirYReleer) {
    const std::string ruta = (dir_ / "nuevo.fpt").string();
    ArchivoMemo::CrearFpt(ruta);
    EXPECT_EQ(Contenido(ruta), CabeceraFpt(8, 64));

    const std::string largo(100, 'x');
    uint32_t b1, b2, b3;
    {
        auto memo = ArchivoMemo::Abrir(ruta, ArchivoMemo::Tipo::Fpt, true);
        b1 = memo->Escribir("Ñandú");
        b2 = memo->Escribir(largo);  // 108 bytes with its header: two blocks
        b3 = memo->Escribir("");
        EXPECT_EQ(memo->Leer(b1), "Ñandú");
    }
    EXPECT_EQ(b1, 8u);
    EXPECT_EQ(b2, 9u);
    EXPECT_EQ(b3, 11u);
    const std::string bytes = Contenido(ruta);
    EXPECT_EQ(bytes.size(), 12u * 64);
    EXPECT_EQ(bytes.substr(0, 4), Be32(12));
    EXPECT_EQ(bytes.substr(8 * 64, 8), Be32(1) + Be32(7));  // "Ñandú" is 7 bytes of UTF-8

    auto memo = ArchivoMemo::Abrir(ruta, ArchivoMemo::Tipo::Fpt, false);
    EXPECT_EQ(memo->Leer(b2), largo);
    EXPECT_EQ(memo->Leer(b3), "");
    EXPECT_EQ(memo->Leer(0), "");
    EXPECT_THROW(memo->Escribir("no"), Error);
}

TEST_F(MemoTest, FptConOtroTamanoDeBloqueYSiguienteDesfasado) {
    // 128-byte blocks, and a header whose "next free" lags behind the data:
    // an append must go after what is there, not over it.
    const std::string ruta = Escribir(
        "t.fpt", CabeceraFpt(4, 128) + BloqueFpt("primero", 128) + BloqueFpt("segundo", 128));
    auto memo = ArchivoMemo::Abrir(ruta, ArchivoMemo::Tipo::Fpt, true);
    EXPECT_EQ(memo->Leer(4), "primero");
    EXPECT_EQ(memo->Leer(5), "segundo");
    EXPECT_EQ(memo->Escribir("tercero"), 6u);
    EXPECT_EQ(memo->Leer(4), "primero");
    EXPECT_EQ(memo->Leer(5), "segundo");
    EXPECT_EQ(memo->Leer(6), "tercero");
}

TEST_F(MemoTest, Dbt3TerminaEnDobleSimpleOFinDeArchivo) {
    const std::string largo(600, 'a');  // spans a block boundary
    std::string dbt = Relleno(Le32(5), 512);
    dbt += Relleno("uno\x1A\x1A", 512);             // block 1
    dbt += Relleno(largo + "\x1A\x1A", 1024);       // blocks 2-3
    dbt += Relleno("dos\x1Atambién\x1A\x1A", 512);  // block 4: the pair wins inside a block
    dbt += Relleno("tres\x1A", 512);                // block 5: a single mark
    dbt += "cuatro";                                // block 6: no mark, end of file
    const std::string ruta = Escribir("t.dbt", dbt);
    auto memo = ArchivoMemo::Abrir(ruta, ArchivoMemo::Tipo::Dbt3, false);
    EXPECT_EQ(memo->Leer(1), "uno");
    EXPECT_EQ(memo->Leer(2), largo);
    EXPECT_EQ(memo->Leer(4), "dos\x1Atambién");
    EXPECT_EQ(memo->Leer(5), "tres");
    EXPECT_EQ(memo->Leer(6), "cuatro");
    EXPECT_THROW(memo->Escribir("x"), Error);
}

TEST_F(MemoTest, Dbt4LeeElTamanoDeBloqueYLaLongitudConCabecera) {
    std::string cab = Relleno(Le32(3), 20);
    cab += '\0';
    cab += '\x04';  // 1024-byte blocks
    std::string dbt = Relleno(cab, 1024);
    dbt += Relleno(Firma4() + Le32(20) + "memo text IV", 1024);  // block 1
    dbt += Relleno("sin firma\x1A\x1A", 1024);                   // block 2
    const std::string ruta = Escribir("t.dbt", dbt);
    auto memo = ArchivoMemo::Abrir(ruta, ArchivoMemo::Tipo::Dbt4, false);
    EXPECT_EQ(memo->Leer(1), "memo text IV");
    EXPECT_EQ(memo->Leer(2), "sin firma");
}

TEST_F(MemoTest, PunterosYLongitudesFueraDelArchivoDanErrorConElNombre) {
    const std::string fpt = CabeceraFpt(5, 64) + Be32(1) + Be32(1000) + "corto";
    const std::string fpt8 = CabeceraFpt(5, 64) + Be32(1);  // block cut inside its header
    std::string cab4 = Relleno(Le32(2), 20) + std::string("\0\x02", 2);
    const std::string dbt4 = Relleno(cab4, 512) + Firma4() + Le32(4000) + "x";
    const std::string dbt4corto = Relleno(cab4, 512) + Firma4() + Le32(3) + "x";
    struct Caso {
        const char* nombre;
        std::string bytes;
        ArchivoMemo::Tipo tipo;
        uint32_t bloque;
    };
    const Caso casos[] = {
        {"largo.fpt", fpt, ArchivoMemo::Tipo::Fpt, 8},
        {"lejos.fpt", fpt, ArchivoMemo::Tipo::Fpt, 9},
        {"enorme.fpt", fpt, ArchivoMemo::Tipo::Fpt, 0xFFFFFFFF},
        {"cab.fpt", fpt8, ArchivoMemo::Tipo::Fpt, 8},
        {"lejos.dbt", Relleno(Le32(2), 1024), ArchivoMemo::Tipo::Dbt3, 2},
        {"largo4.dbt", dbt4, ArchivoMemo::Tipo::Dbt4, 1},
        {"corto4.dbt", dbt4corto, ArchivoMemo::Tipo::Dbt4, 1},
        {"lejos4.dbt", dbt4, ArchivoMemo::Tipo::Dbt4, 7},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const std::string ruta = Escribir(c.nombre, c.bytes);
        auto memo = ArchivoMemo::Abrir(ruta, c.tipo, false);
        try {
            memo->Leer(c.bloque);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(ruta), std::string::npos) << e.what();
        }
    }
}

TEST_F(MemoTest, ArchivoAusenteOCabeceraInservible) {
    const std::string ausente = (dir_ / "no.fpt").string();
    const std::string corto = Escribir("corto.fpt", std::string(100, '\0'));
    const std::string sinBloque = Escribir("cero.fpt", CabeceraFpt(8, 0));
    for (const std::string& ruta : {ausente, corto, sinBloque}) {
        try {
            ArchivoMemo::Abrir(ruta, ArchivoMemo::Tipo::Fpt, false);
            ADD_FAILURE() << ruta << " opened";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(ruta), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace brisolt
