// Tables written by python3-dbf (dBASE III, FoxPro 2.x, Visual FoxPro, with
// memos and Windows-1252 accents) as our engine reads them, against what
// python3-dbfread reads from the same files.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "herramientas.h"
#include "sistema_prueba.h"
#include "tables/error.h"
#include "volcado.h"

namespace brisolt {
namespace {

using interop::CarpetaTemporal;

const char* kEscritor = R"(
import sys, datetime, dbf
ruta, tipo = sys.argv[1], sys.argv[2]
campos = 'nombre C(24); cantidad N(12,2); alta D; activo L; notas M'
if tipo == 'vfp':
    campos += '; entero I; doble B; dinero Y; momento T'
t = dbf.Table(ruta, campos, dbf_type=tipo, codepage='cp1252')
t.open(dbf.READ_WRITE)
filas = [
    dict(nombre='Ñandú àèìòù ç €', cantidad=-12.5, alta=datetime.date(2024, 2, 2),
         activo=True, notas='Memo con acentos: camión\nsegunda línea «€»'),
    dict(nombre='borrado', cantidad=1, notas='no debe verse'),
    dict(nombre='largo', cantidad=1234567.89, alta=datetime.date(1999, 12, 31),
         activo=False, notas='ñ' * 700 + ' fin'),
    dict(),
]
extras = [
    dict(entero=-7, doble=3.25, dinero=12.5, momento=datetime.datetime(2024, 1, 31, 13, 14, 15)),
    dict(),
    dict(entero=2000000001, doble=-0.125, dinero=-3, momento=datetime.datetime(2000, 2, 29)),
    dict(),
]
for fila, extra in zip(filas, extras):
    if tipo == 'vfp':
        fila.update(extra)
    t.append(fila)
dbf.delete(t[1])
t.close()
)";

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> v;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) v.push_back(l);
    return v;
}

class TablasPython : public testing::TestWithParam<const char*> {};

TEST_P(TablasPython, ElMotorLeeLoQueLeeDbfread) {
    if (!interop::HayModuloPython("dbf") || !interop::HayModuloPython("dbfread"))
        SALTAR_SIN_HERRAMIENTA("/usr/bin/python3 with the dbf and dbfread modules is needed");
    CarpetaTemporal dir;
    const std::string ruta = dir / (std::string("py_") + GetParam() + ".dbf");
    const auto escrita = interop::Python(dir.Ruta(), kEscritor, ruta + " " + GetParam());
    ASSERT_EQ(escrita.estado, 0) << escrita.texto;
    const auto leida = interop::Python(dir.Ruta(), interop::kScriptDbfread, ruta);
    ASSERT_EQ(leida.estado, 0) << leida.texto;
    const std::vector<std::string> esperado = Lineas(leida.texto);
    ASSERT_EQ(esperado.size(), 4u) << leida.texto;  // names + three live records

    std::vector<std::string> motor;
    try {
        motor = interop::VolcarConMotor(ruta);
    } catch (const Error& e) {
        FAIL() << e.what();
    }
    EXPECT_EQ(motor, esperado);
}

INSTANTIATE_TEST_SUITE_P(Formatos, TablasPython, testing::Values("db3", "fp", "vfp"));

}  // namespace
}  // namespace brisolt
