#include "tables/mdx.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "sistema_prueba.h"
#include "tables/error.h"
#include "tables/tabla.h"
#include "test_tabla_comun.h"

namespace brisolt {
namespace {

namespace fs = std::filesystem;
using Claves = std::vector<std::pair<std::string, uint32_t>>;

std::string Hex(const std::string& s) {
    std::string h;
    char b[4];
    for (unsigned char c : s) {
        std::snprintf(b, sizeof b, "%02X ", c);
        h += b;
    }
    return h;
}

std::string Bytes(std::initializer_list<int> v, size_t largo) {
    std::string s;
    for (int b : v) s += static_cast<char>(b);
    s.resize(largo, '\0');
    return s;
}

TEST(ClavesMdx, NumerosEnBcdYFechasComoDoble) {
    EXPECT_EQ(Hex(ClaveNumericaMdx(-463)), Hex(Bytes({0x37, 0x8D, 0x46, 0x30}, 12)));
    EXPECT_EQ(Hex(ClaveNumericaMdx(463)), Hex(Bytes({0x37, 0x0D, 0x46, 0x30}, 12)));
    EXPECT_EQ(Hex(ClaveNumericaMdx(0)), Hex(Bytes({0x34, 0x01}, 12)));
    EXPECT_EQ(Hex(ClaveNumericaMdx(12.5)), Hex(Bytes({0x36, 0x0D, 0x12, 0x50}, 12)));
    EXPECT_EQ(Hex(ClaveNumericaMdx(1000)), Hex(Bytes({0x38, 0x05, 0x10}, 12)));
    EXPECT_EQ(Hex(ClaveFechaMdx(2460343.0)),
              Hex(Bytes({0x00, 0x00, 0x00, 0x80, 0x5B, 0xC5, 0x42, 0x41}, 8)));
}

class MdxTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::string carpeta = prueba::NuevaCarpetaTemporal("mdx");
        ASSERT_FALSE(carpeta.empty());
        dir_ = fs::u8path(carpeta);
        ruta_ = (dir_ / "PRUEBA.MDX").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Contenido() const {
        std::ifstream f(ruta_, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    void Guardar(const std::string& bytes) const {
        std::ofstream(ruta_, std::ios::binary | std::ios::trunc) << bytes;
    }

    fs::path dir_;
    std::string ruta_;
};

// The independent reader's walk of one tag: its output is, per key, the raw
// key bytes, a blank, the record number and a new line.
bool HayIndexDump() {
    return !kEsWindows && fs::exists("/usr/bin/index_dump");
}

Claves ListarConIndexDump(const std::string& ruta, const std::string& tag, size_t longitud) {
    struct Cerrar {
        void operator()(FILE* f) const { pclose(f); }
    };
    const std::string orden = "/usr/bin/index_dump '" + ruta + "' " + tag + " 2>&1";
    std::unique_ptr<FILE, Cerrar> p(popen(orden.c_str(), "r"));
    std::string salida;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p.get())) > 0;) salida.append(buf, n);
    Claves claves;
    for (size_t i = 0; i < salida.size();) {
        const size_t fin = salida.find('\n', i + longitud);
        if (fin == std::string::npos || salida[i + longitud] != ' ') {
            ADD_FAILURE() << "index_dump said: " << salida.substr(i, 200);
            break;
        }
        claves.push_back({salida.substr(i, longitud),
                          static_cast<uint32_t>(std::stoul(salida.substr(i + longitud + 1)))});
        i = fin + 1;
    }
    return claves;
}

// A character tag over codes with duplicates (so equal keys straddle leaves)
// and a numeric tag over signed values, for `n` records.
std::vector<TagMdx> TagsDePrueba(int n, int anchoCodigo = 6) {
    TagMdx codigo{"CODIGO", "CODIGO", 'C', anchoCodigo, false, false, {}};
    TagMdx valor{"VALOR", "VALOR", 'N', 12, false, false, {}};
    std::vector<std::pair<double, uint32_t>> valores;
    for (int i = 1; i <= n; ++i) {
        std::string c = "N" + std::to_string(100 + (i * 37) % 61);
        c.resize(anchoCodigo, ' ');
        codigo.claves.push_back({c, static_cast<uint32_t>(i)});
        valores.push_back({(i * 13) % 97 - 48.25, static_cast<uint32_t>(i)});
    }
    std::sort(codigo.claves.begin(), codigo.claves.end());
    std::sort(valores.begin(), valores.end());
    for (const auto& [v, r] : valores) valor.claves.push_back({ClaveNumericaMdx(v), r});
    return {codigo, valor};
}

TEST_F(MdxTest, ElLectorIndependienteRecorreLasClavesEnOrden) {
    SALTAR_EN_WINDOWS("index_dump (libdbd-xbase-perl) is a Linux tool");
    if (!HayIndexDump()) SALTAR_SIN_HERRAMIENTA("index_dump (libdbd-xbase-perl) is not installed");
    // 200 keys of 100 bytes make a three-level tree (9 keys per node).
    const std::pair<int, int> casos[] = {{0, 6}, {5, 6}, {200, 6}, {200, 100}};
    for (const auto& [n, ancho] : casos) {
        SCOPED_TRACE(testing::Message() << n << " records, key width " << ancho);
        const auto tags = TagsDePrueba(n, ancho);
        EscribirMdx(ruta_, "PRUEBA", tags);
        EXPECT_EQ(ListarConIndexDump(ruta_, "CODIGO", ancho), tags[0].claves);
        EXPECT_EQ(ListarConIndexDump(ruta_, "VALOR", 12), tags[1].claves);
        EXPECT_EQ(LeerTagsMdx(ruta_).size(), 2u);
    }
}

TEST_F(MdxTest, FechasYVariasHojas) {
    SALTAR_EN_WINDOWS("index_dump (libdbd-xbase-perl) is a Linux tool");
    if (!HayIndexDump()) SALTAR_SIN_HERRAMIENTA("index_dump (libdbd-xbase-perl) is not installed");
    TagMdx fecha{"FECHA", "FECHA", 'D', 8, false, false, {}};
    for (uint32_t r = 1; r <= 300; ++r)
        fecha.claves.push_back({ClaveFechaMdx(2460000.0 + r / 3), r});
    EscribirMdx(ruta_, "PRUEBA", {fecha});
    EXPECT_EQ(ListarConIndexDump(ruta_, "FECHA", 8), fecha.claves);
}

TEST_F(MdxTest, TablaVaciaConDosEtiquetas) {
    EscribirMdx(ruta_, "prueba", TagsDePrueba(0));
    const std::string b = Contenido();
    ASSERT_EQ(b.size(), 6144u);
    EXPECT_EQ(b.substr(4, 16), Bytes({'P', 'R', 'U', 'E', 'B', 'A'}, 16));
    EXPECT_EQ(b[32], 12);  // page count
    // Tag 1: header at page 4, its empty root leaf at page 6, all zero.
    EXPECT_EQ(b[544], 4);
    EXPECT_EQ(b[2048], 6);
    EXPECT_EQ(b[2048 + 246], 0);
    EXPECT_EQ(b[2048 + 248], 6);
    EXPECT_EQ(b[2048 + 252], 6);
    EXPECT_EQ(b.substr(3072, 1024), std::string(1024, '\0'));
    if (HayIndexDump()) {
        EXPECT_TRUE(ListarConIndexDump(ruta_, "VALOR", 12).empty());
    }
}

TEST_F(MdxTest, ArbolDeNombresDeEtiquetas) {
    std::vector<TagMdx> tags;
    for (const char* n : {"BYNAME", "ACODE", "qtyn", "BORND"})
        tags.push_back({n, "F1+F2", 'C', 4, false, false, {{"abcd", 1}}});
    tags[2].unico = true;
    tags[3].descendente = true;
    EscribirMdx(ruta_, "T", tags);
    const std::string b = Contenido();
    const auto arbol = [&](int tag) {
        const size_t e = 544 + 32 * (tag - 1);
        return std::vector<int>{b[e + 16], b[e + 17], b[e + 18]};  // left, right, parent
    };
    EXPECT_EQ(b[529], 1);
    EXPECT_EQ(arbol(1), (std::vector<int>{2, 3, 0}));
    EXPECT_EQ(arbol(2), (std::vector<int>{0, 4, 1}));
    EXPECT_EQ(arbol(3), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(arbol(4), (std::vector<int>{0, 0, 2}));

    const auto leidos = LeerTagsMdx(ruta_);
    ASSERT_EQ(leidos.size(), 4u);
    EXPECT_EQ(leidos[2].nombre, "QTYN");
    EXPECT_EQ(leidos[2].expresion, "F1+F2");
    EXPECT_EQ(leidos[2].longitudClave, 4);
    EXPECT_TRUE(leidos[2].unico);
    EXPECT_FALSE(leidos[2].descendente);
    EXPECT_TRUE(leidos[3].descendente);
    EXPECT_FALSE(leidos[3].unico);
}

TEST_F(MdxTest, ReemplazaSinDejarTemporales) {
    Guardar("viejo");
    EscribirMdx(ruta_, "PRUEBA", TagsDePrueba(5));
    EXPECT_EQ(Contenido().size() % 512, 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    // Nothing is written when the tags cannot be written.
    auto malos = TagsDePrueba(5);
    malos[0].claves[2].first = "corta";
    EXPECT_THROW(EscribirMdx(ruta_, "PRUEBA", malos), Error);
    EXPECT_THROW(EscribirMdx(ruta_, "PRUEBA", {}), Error);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    EXPECT_EQ(LeerTagsMdx(ruta_).size(), 2u);
}

// Offsets into the 200-record file of TagsDePrueba: tag 1's header is at
// page 4 and its first leaf at page 6 (84 keys of 6 bytes, 12-byte items).
TEST_F(MdxTest, ArchivosDanadosSeRechazanNombrandoElArchivo) {
    EscribirMdx(ruta_, "PRUEBA", TagsDePrueba(200));
    const std::string bueno = Contenido();
    ASSERT_NO_THROW(LeerTagsMdx(ruta_));
    const size_t hoja = 6 * 512;
    const size_t raiz = bueno[2048] * 512;  // u32 root page, small
    struct Caso {
        const char* que;
        std::string bytes;
    };
    const auto con = [&](size_t off, std::string nuevos) {
        std::string b = bueno;
        b.replace(off, nuevos.size(), nuevos);
        return b;
    };
    std::string intercambiadas = bueno;  // two leaf entries swapped
    std::swap_ranges(intercambiadas.begin() + hoja + 8, intercambiadas.begin() + hoja + 20,
                     intercambiadas.begin() + hoja + 8 + 12 * 40);
    const Caso casos[] = {
        {"truncado", bueno.substr(0, bueno.size() - 512)},
        {"no multiplo de 512", bueno + "x"},
        {"vacio", ""},
        {"bloque", con(22, std::string("\x00\x08", 2))},
        {"sin etiquetas", con(28, std::string(2, '\0'))},
        {"tipo de clave", con(2048 + 9, "N")},
        {"longitud de clave", con(2048 + 12, "\x0D")},
        {"cabecera fuera", con(544, "\xF0\x01")},
        {"claves desordenadas", intercambiadas},
        {"demasiadas claves", con(hoja, "\x60")},
        {"hijo fuera", con(raiz + 8, "\xF0\x7F")},
        {"hijo impar", con(raiz + 8, "\x07")},
        {"ciclo", con(raiz + 8, std::string(1, bueno[2048]))},
        {"registro cero", con(hoja + 8, std::string(4, '\0'))},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        Guardar(c.bytes);
        try {
            LeerTagsMdx(ruta_);
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(ruta_), std::string::npos) << e.what();
        }
    }
    fs::remove(ruta_);
    EXPECT_THROW(LeerTagsMdx(ruta_), Error);
}

TEST_F(MdxTest, ElLectorCuentaLasClavesDeCadaEtiqueta) {
    // 200 keys fill three leaves of the character tag.
    EscribirMdx(ruta_, "PRUEBA", TagsDePrueba(200));
    for (const auto& tag : LeerTagsMdx(ruta_)) {
        SCOPED_TRACE(tag.nombre);
        EXPECT_EQ(tag.entradas, 200u);
        EXPECT_EQ(tag.mayorRegistro, 200u);
    }
    EscribirMdx(ruta_, "PRUEBA", TagsDePrueba(0));
    EXPECT_EQ(LeerTagsMdx(ruta_)[0].entradas, 0u);
}

// A .MDX whose tag has another number of keys than the table's records ask
// for was left behind by a change to the table: the order comes from the
// records, and the first writer rewrites the file from them.
TEST(MdxDesfasado, SeOrdenaPorLosRegistrosYLoReescribeElPrimeroQueEscribe) {
    prueba::Carpeta dir;
    const std::string base = dir / "ASIGVALT";
    prueba::Crear(base + ".DBF", {prueba::Cadena("COD", 4), prueba::Entero("NUM")},
                  {{"COD", "COD"}, {"NUM", "NUM"}});
    prueba::Llenar(base + ".DBF", {{"C", "3"}, {"A", "1"}});
    const std::string dbf2 = prueba::Leer(base + ".DBF"), mdx2 = prueba::Leer(base + ".MDX");
    prueba::Llenar(base + ".DBF", {{"E", "5"}, {"B", "2"}, {"D", "4"}});
    const std::string dbf5 = prueba::Leer(base + ".DBF"), mdx5 = prueba::Leer(base + ".MDX");

    struct Caso {
        const char* que;
        const std::string& dbf;
        const std::string& mdx;
        std::vector<std::string> orden;  // by COD, which is also NUM's order
        bool lectorAntes;                // a reader holds the table while the writer comes
    };
    const std::vector<std::string> cinco = {"A", "B", "C", "D", "E"};
    const Caso casos[] = {
        {"fewer keys than records", dbf5, mdx2, cinco, false},
        {"keys past the last record", dbf2, mdx5, {"A", "C"}, false},
        {"a writer after a reader", dbf5, mdx2, cinco, true},
    };
    int n = 0;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        const std::string ruta = dir / ("T" + std::to_string(++n));
        prueba::Escribir(ruta + ".DBF", c.dbf);
        prueba::Escribir(ruta + ".MDX", c.mdx);
        auto lector = std::make_unique<Tabla>();
        lector->SetTableName(ruta + ".DBF");
        lector->SetReadOnly(true);
        lector->SetIndexName("COD");
        lector->Open();
        EXPECT_EQ(prueba::Recorrer(*lector, "COD"), c.orden);
        lector->SetIndexName("NUM");
        EXPECT_EQ(prueba::Recorrer(*lector, "COD"), c.orden);
        if (!c.lectorAntes) lector.reset();
        EXPECT_EQ(prueba::Leer(ruta + ".MDX"), c.mdx);  // a reader writes nothing

        {
            Tabla escritor;
            escritor.SetTableName(ruta + ".DBF");
            escritor.SetIndexName("NUM");
            escritor.Open();
            EXPECT_EQ(prueba::Recorrer(escritor, "COD"), c.orden);
        }
        lector.reset();
        for (const auto& tag : LeerTagsMdx(ruta + ".MDX")) {
            EXPECT_EQ(tag.entradas, c.orden.size()) << tag.nombre;
            EXPECT_EQ(tag.mayorRegistro, c.orden.size()) << tag.nombre;
        }
        if (HayIndexDump() && c.orden.size() == 5) {
            const auto claves = ListarConIndexDump(ruta + ".MDX", "COD", 4);
            ASSERT_EQ(claves.size(), 5u);
            EXPECT_EQ(claves[0], (std::pair<std::string, uint32_t>{"A   ", 2}));
            EXPECT_EQ(claves[4], (std::pair<std::string, uint32_t>{"E   ", 3}));
        }
    }
}

ino_t Inodo(const std::string& ruta) {
    struct stat st {};
    return ::stat(ruta.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(MdxDesfasado, UnaEtiquetaUnicaTieneUnaClavePorValorYLoQueNoSeRehaceLoDice) {
    prueba::Carpeta dir;
    const std::string dbf = dir / "PROFT.DBF", mdx = dir / "PROFT.MDX";
    prueba::Crear(dbf, {prueba::Cadena("COD", 4), prueba::Entero("NUM")}, {{"COD", "COD"}});
    prueba::Llenar(dbf, {{"A", "1"}, {"B", "2"}, {"A", "3"}});
    const auto abrirYCerrar = [&] {
        Tabla t;
        t.SetTableName(dbf);
        t.Open();
    };

    // A unique tag holds the first record of each code: right as it is, and
    // a writer leaves the file alone.
    TagMdx unico{"COD", "COD", 'C', 4, true, false, {{"A   ", 1}, {"B   ", 2}}};
    EscribirMdx(mdx, "PROFT", {unico});
    const ino_t antes = Inodo(mdx);
    abrirYCerrar();
    EXPECT_EQ(Inodo(mdx), antes);
    // With a key for every record it is stale, and rewritten with one per code.
    unico.claves = {{"A   ", 1}, {"A   ", 3}, {"B   ", 2}};
    EscribirMdx(mdx, "PROFT", {unico});
    abrirYCerrar();
    EXPECT_EQ(LeerTagsMdx(mdx)[0].entradas, 2u);

    // A tag the engine cannot build from the records cannot be rebuilt: it
    // says it is stale, and the file stays.
    TagMdx mezcla{"MEZCLA", "COD+NUM", 'C', 15, false, false, {{std::string(15, 'A'), 1}}};
    EscribirMdx(mdx, "PROFT", {mezcla});
    const std::string bytes = prueba::Leer(mdx);
    Tabla t;
    t.SetTableName(dbf);
    t.Open();
    EXPECT_EQ(prueba::MensajeDeError([&] { t.SetIndexName("MEZCLA"); }),
              "No se puede usar el índice 'MEZCLA' de la tabla '" + dbf +
                  "': el índice está desfasado (la etiqueta tiene 1 clave y la tabla 3 "
                  "registros) y no se puede rehacer: la expresión 'COD+NUM' no se admite");
    t.Close();
    EXPECT_EQ(prueba::Leer(mdx), bytes);
}

}  // namespace
}  // namespace brisolt
