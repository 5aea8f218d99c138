// Tables our engine creates, read back by independent programs: python3-dbfread
// and ogrinfo for the records, index_dump for the production index.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "herramientas.h"
#include "sistema_prueba.h"
#include "tables/codepage.h"
#include "tables/mdx.h"
#include "tables/tabla.h"
#include "volcado.h"

namespace brisolt {
namespace {

namespace fs = std::filesystem;
using interop::CarpetaTemporal;
using interop::Cuatro;

struct Fecha {
    int a, m, d;
    double Dias() const {
        using namespace std::chrono;
        return (sys_days(year{a} / m / d) - sys_days(year{1899} / December / 30)).count();
    }
    std::string Iso() const { return interop::TextoFecha(Dias(), false); }
};

struct Fila {
    std::string curso, codigo, nombre, obs;
    int edad;
    Fecha alta;
    std::optional<double> nota;    // F 20,4
    std::optional<bool> activo;    // L
    std::optional<double> precio;  // N 9,2
};

// Accents that Windows-1252 and ISO-8859-1 share go in NOMBRE; OBS carries the
// characters only Windows-1252 has (ogrinfo reads driver 0x57 as ISO-8859-1).
const std::vector<Fila> kFilas = {
    {"2", "A003", "Ñandú Pérez", "€ œ Š", 17, {2024, 2, 2}, 7.25, true, 12.5},
    {"1", "A001", "Çàèìòù ü", "„…‰", -3, {1999, 12, 31}, -0.5, false, -99.99},
    {"2", "B010", "mañana", "", 0, {2000, 2, 29}, 1234567.8901, true, 0},
    {"1", "A002", "", "", 17, {2024, 2, 2}, {}, {}, {}},
    {"3", "A001", "código repetido", "", 5, {1980, 1, 1}, 3, false, 123456.78},
};

const std::vector<DefCampo> kCampos = {
    {"CURSO", TipoCampo::Cadena, 1},       {"CODIGO", TipoCampo::Cadena, 6},
    {"NOMBRE", TipoCampo::Cadena, 20},     {"OBS", TipoCampo::Cadena, 12},
    {"EDAD", TipoCampo::Entero},           {"NOTA", TipoCampo::Flotante},
    {"ACTIVO", TipoCampo::Logico},         {"ALTA", TipoCampo::Fecha},
    {"PRECIO", TipoCampo::Numerico, 9, 2},
};

const std::vector<DefIndice> kIndices = {
    {"CODIGO", "CODIGO"}, {"EDAD", "EDAD"}, {"ALTA", "ALTA"}, {"CURCOD", "CURSO+CODIGO"}};

std::string Relleno(std::string s, size_t ancho) {
    s.resize(ancho, ' ');
    return s;
}

void Crear(const std::string& ruta, const std::vector<Fila>& filas, bool conIndices) {
    Tabla t;
    t.SetTableName(ruta);
    t.FieldDefs() = kCampos;
    if (conIndices) t.IndexDefs() = kIndices;
    t.CreateTable();
    t.Open();
    for (const Fila& f : filas) {
        t.Append();
        t.FieldByName("CURSO").SetAsString(f.curso);
        t.FieldByName("CODIGO").SetAsString(f.codigo);
        t.FieldByName("NOMBRE").SetAsString(f.nombre);
        t.FieldByName("OBS").SetAsString(f.obs);
        t.FieldByName("EDAD").SetAsInteger(f.edad);
        t.FieldByName("ALTA").SetAsDateTime(f.alta.Dias());
        if (f.nota) t.FieldByName("NOTA").SetAsFloat(*f.nota);
        if (f.activo) t.FieldByName("ACTIVO").SetAsBoolean(*f.activo);
        if (f.precio) t.FieldByName("PRECIO").SetAsFloat(*f.precio);
        t.Post();
    }
    t.Close();
}

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> v;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) v.push_back(l);
    return v;
}

std::vector<std::string> EsperadoDbfread(const std::vector<Fila>& filas) {
    std::vector<std::string> v{interop::Fila(
        {"CURSO", "CODIGO", "NOMBRE", "OBS", "EDAD", "NOTA", "ACTIVO", "ALTA", "PRECIO"})};
    for (const Fila& f : filas) {
        v.push_back(interop::Fila(
            {f.curso, f.codigo, f.nombre, f.obs, Cuatro(f.edad), Cuatro(f.nota.value_or(0)),
             f.activo.value_or(false) ? "T" : "F", f.alta.Iso(), Cuatro(f.precio.value_or(0))},
            {false, false, false, false, false, !f.nota, !f.activo, false, !f.precio}));
    }
    return v;
}

bool HayDbfread() {
    return interop::HayModuloPython("dbfread");
}

class TablasPropias : public testing::Test {
  protected:
    std::string Ruta(const std::string& nombre) const { return dir_ / nombre; }
    CarpetaTemporal dir_;
};

TEST_F(TablasPropias, DbfreadLeeLosMismosValores) {
    if (!HayDbfread()) SALTAR_SIN_HERRAMIENTA("/usr/bin/python3 with dbfread is needed");
    for (const bool indices : {false, true}) {
        for (const size_t n : {size_t{0}, kFilas.size()}) {
            SCOPED_TRACE(testing::Message() << n << " records, indexes " << indices);
            const std::string ruta =
                Ruta("T" + std::to_string(n) + std::to_string(indices) + ".DBF");
            const std::vector<Fila> filas(kFilas.begin(), kFilas.begin() + n);
            Crear(ruta, filas, indices);
            const auto leida = interop::Python(dir_.Ruta(), interop::kScriptDbfread, ruta);
            ASSERT_EQ(leida.estado, 0) << leida.texto;
            EXPECT_EQ(Lineas(leida.texto), EsperadoDbfread(filas));
            // The header's driver byte says Windows-1252, the index flag says
            // whether an .MDX goes with the table.
            std::ifstream f(ruta, std::ios::binary);
            char cab[32];
            ASSERT_TRUE(f.read(cab, 32));
            EXPECT_EQ(static_cast<uint8_t>(cab[29]), kDriverCp1252);
            EXPECT_EQ(cab[28], indices ? 1 : 0);
            EXPECT_EQ(fs::exists(ruta.substr(0, ruta.size() - 4) + ".MDX"), indices);
        }
    }
}

// ogrinfo prints each record as "OGRFeature(layer):n" and then one line per
// non-empty field: "  NAME (Type) = value".
std::vector<std::map<std::string, std::string>> LeerConOgr(const std::string& ruta) {
    const auto salida = interop::Ejecutar("/usr/bin/ogrinfo -ro -al '" + ruta + "'");
    EXPECT_EQ(salida.estado, 0) << salida.texto;
    std::vector<std::map<std::string, std::string>> registros;
    for (const std::string& l : Lineas(salida.texto)) {
        if (l.rfind("OGRFeature(", 0) == 0) {
            registros.emplace_back();
        } else if (!registros.empty() && l.rfind("  ", 0) == 0) {
            const size_t tipo = l.find(" (");
            const size_t igual = l.find(") = ");
            if (tipo == std::string::npos || igual == std::string::npos) continue;
            const std::string valor = l.substr(igual + 4);
            if (valor != "(null)") registros.back()[l.substr(2, tipo - 2)] = valor;
        }
    }
    return registros;
}

TEST_F(TablasPropias, OgrinfoLeeLosMismosValores) {
    if (!interop::HayPrograma("/usr/bin/ogrinfo"))
        SALTAR_SIN_HERRAMIENTA("ogrinfo (gdal-bin) is missing");
    const std::string vacia = Ruta("VACIA.DBF");
    Crear(vacia, {}, true);
    EXPECT_TRUE(LeerConOgr(vacia).empty());

    const std::string ruta = Ruta("LLENA.DBF");
    Crear(ruta, kFilas, true);
    const auto registros = LeerConOgr(ruta);
    ASSERT_EQ(registros.size(), kFilas.size());
    for (size_t i = 0; i < kFilas.size(); ++i) {
        SCOPED_TRACE(i);
        const Fila& f = kFilas[i];
        auto r = registros[i];
        EXPECT_EQ(r["CODIGO"], f.codigo);
        EXPECT_EQ(r["NOMBRE"], f.nombre);
        EXPECT_EQ(r["EDAD"], std::to_string(f.edad));
        std::string fecha = f.alta.Iso();
        std::replace(fecha.begin(), fecha.end(), '-', '/');
        EXPECT_EQ(r["ALTA"], fecha);
        const auto numero = [&](const char* campo, std::optional<double> v) {
            if (!v) {
                EXPECT_TRUE(r[campo].empty()) << campo << " = " << r[campo];
            } else {
                EXPECT_NEAR(std::stod(r[campo]), *v, 1e-6) << campo;
            }
        };
        numero("NOTA", f.nota);
        numero("PRECIO", f.precio);
        if (f.activo) {
            EXPECT_EQ(r["ACTIVO"], *f.activo ? "T" : "F");
        }
    }
}

// index_dump's walk of one tag: per key, its raw bytes, a blank, the record
// number and a new line.
std::vector<std::pair<std::string, uint32_t>> Recorrer(const std::string& mdx,
                                                       const std::string& tag, size_t largo) {
    const auto salida = interop::Ejecutar("/usr/bin/index_dump '" + mdx + "' " + tag);
    EXPECT_EQ(salida.estado, 0) << salida.texto;
    std::vector<std::pair<std::string, uint32_t>> claves;
    const std::string& s = salida.texto;
    for (size_t i = 0; i < s.size();) {
        const size_t fin = s.find('\n', i + largo);
        if (fin == std::string::npos || s[i + largo] != ' ') {
            ADD_FAILURE() << "index_dump said: " << s.substr(i, 200);
            break;
        }
        claves.push_back(
            {s.substr(i, largo), static_cast<uint32_t>(std::stoul(s.substr(i + largo + 1)))});
        i = fin + 1;
    }
    return claves;
}

// The keys each tag must hold, built here from the rows: character keys blank
// padded and concatenated, numbers in BCD, dates as Julian day numbers.
std::vector<std::pair<std::string, uint32_t>> ClavesEsperadas(const std::string& tag,
                                                              const std::vector<Fila>& filas) {
    std::vector<std::tuple<double, std::string, uint32_t>> orden;
    for (uint32_t r = 1; r <= filas.size(); ++r) {
        const Fila& f = filas[r - 1];
        if (tag == "CODIGO") orden.push_back({0, Relleno(f.codigo, 6), r});
        if (tag == "CURCOD") orden.push_back({0, Relleno(f.curso, 1) + Relleno(f.codigo, 6), r});
        if (tag == "EDAD") orden.push_back({f.edad, ClaveNumericaMdx(f.edad), r});
        if (tag == "ALTA")
            orden.push_back({f.alta.Dias(), ClaveFechaMdx(f.alta.Dias() + 2415019), r});
    }
    std::sort(orden.begin(), orden.end());
    std::vector<std::pair<std::string, uint32_t>> claves;
    for (const auto& [valor, clave, r] : orden) claves.push_back({clave, r});
    return claves;
}

TEST_F(TablasPropias, IndexDumpRecorreLasEtiquetasEnOrden) {
    if (!interop::HayPrograma("/usr/bin/index_dump"))
        SALTAR_SIN_HERRAMIENTA("index_dump (libdbd-xbase-perl) is missing");
    ASSERT_EQ((Fecha{2024, 2, 2}.Dias() + 2415019), 2460343);
    for (const size_t n : {size_t{0}, kFilas.size()}) {
        SCOPED_TRACE(testing::Message() << n << " records");
        const std::string ruta = Ruta("IDX" + std::to_string(n) + ".DBF");
        const std::vector<Fila> filas(kFilas.begin(), kFilas.begin() + n);
        Crear(ruta, filas, true);
        const std::string mdx = Ruta("IDX" + std::to_string(n) + ".MDX");
        ASSERT_TRUE(fs::exists(mdx));
        EXPECT_EQ(interop::Ejecutar("/usr/bin/index_dump '" + mdx + "'").texto,
                  "ALTA\nCODIGO\nCURCOD\nEDAD\n");  // it lists them sorted by name
        const std::pair<const char*, size_t> tags[] = {
            {"CODIGO", 6}, {"EDAD", 12}, {"ALTA", 8}, {"CURCOD", 7}};
        for (const auto& [tag, largo] : tags) {
            SCOPED_TRACE(tag);
            EXPECT_EQ(Recorrer(mdx, tag, largo), ClavesEsperadas(tag, filas));
        }
    }
}

// A FoxPro 2.x table with a memo file, as the sample school has them.
TEST_F(TablasPropias, MemosDeFoxProLeidosPorDbfread) {
    if (!HayDbfread()) SALTAR_SIN_HERRAMIENTA("/usr/bin/python3 with dbfread is needed");
    const std::string ruta = Ruta("NOTAS.DBF");
    const std::vector<std::pair<std::string, std::string>> filas = {
        {"uno", "Observación con acentos: àéíóú ñ €"},
        {"dos", ""},
        {"tres", std::string(300, 'x') + " línea\nsegunda"},
    };
    {
        Tabla t;
        t.SetTableName(ruta);
        t.SetTableLevel(NivelTabla::FoxPro2);
        t.FieldDefs() = {{"CLAVE", TipoCampo::Cadena, 8}, {"TEXTO", TipoCampo::Memo}};
        t.CreateTable();
        t.Open();
        for (const auto& [clave, texto] : filas) {
            t.Append();
            t.FieldByName("CLAVE").SetAsString(clave);
            t.FieldByName("TEXTO").SetAsString(texto);
            t.Post();
        }
    }
    const auto leida = interop::Python(dir_.Ruta(), interop::kScriptDbfread, ruta);
    ASSERT_EQ(leida.estado, 0) << leida.texto;
    std::vector<std::string> esperado{interop::Fila({"CLAVE", "TEXTO"})};
    for (const auto& [clave, texto] : filas) esperado.push_back(interop::Fila({clave, texto}));
    EXPECT_EQ(Lineas(leida.texto), esperado);
}

// A table filled in blocks, read by dbfread while the fill goes on and after
// it: a valid table of the records written so far (never more than were
// posted, each as posted), then every record with the right count.
TEST_F(TablasPropias, DbfreadLeeUnaTablaLlenadaEnBloques) {
    if (!HayDbfread()) GTEST_SKIP() << "/usr/bin/python3 with dbfread is needed";
    const std::string ruta = Ruta("ASIGT.DBF");
    constexpr int kRegistros = 3000, kALaMitad = 2000;
    auto esperado = [](int n) {
        std::vector<std::string> v{interop::Fila({"CODIGO", "NUM"})};
        for (int i = 0; i < n; ++i)
            v.push_back(interop::Fila({"C" + std::to_string(i), Cuatro(i)}));
        return v;
    };
    Tabla t;
    t.SetTableName(ruta);
    t.FieldDefs() = {{"CODIGO", TipoCampo::Cadena, 8}, {"NUM", TipoCampo::Entero}};
    t.IndexDefs() = {{"CODIGO", "CODIGO"}};
    t.CreateTable();
    t.Open();
    for (int i = 0; i < kRegistros; ++i) {
        t.Append();
        t.FieldByName("CODIGO").SetAsString("C" + std::to_string(i));
        t.FieldByName("NUM").SetAsInteger(i);
        t.Post();
        if (i + 1 != kALaMitad) continue;
        const auto leida = interop::Python(dir_.Ruta(), interop::kScriptDbfread, ruta);
        ASSERT_EQ(leida.estado, 0) << leida.texto;
        const std::vector<std::string> lineas = Lineas(leida.texto);
        ASSERT_GE(lineas.size(), 1u);
        EXPECT_LE(lineas.size(), static_cast<size_t>(kALaMitad) + 1);
        EXPECT_EQ(lineas, esperado(static_cast<int>(lineas.size()) - 1));
    }
    t.Close();
    const auto leida = interop::Python(dir_.Ruta(), interop::kScriptDbfread, ruta);
    ASSERT_EQ(leida.estado, 0) << leida.texto;
    EXPECT_EQ(Lineas(leida.texto), esperado(kRegistros));
}

}  // namespace
}  // namespace brisolt
