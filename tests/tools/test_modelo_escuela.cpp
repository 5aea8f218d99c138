#include <gtest/gtest.h>

#include <map>
#include <set>

#include "catalogo_escuela.h"
#include "modelo_escuela.h"
#include "tables/error.h"

namespace brisolt::muestra {
namespace {

// Characters, not bytes: the tables hold cp1252, one byte per character.
size_t Caracteres(const std::string& utf8) {
    size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

TEST(ModeloEscuela, SizesAtScaleOneAndTheyGrowWithTheScale) {
    Escuela uno = DibujarEscuela(1, 1);
    EXPECT_EQ(uno.grupos.size(), 40u);
    EXPECT_EQ(uno.alumnos.size(), 1000u);
    EXPECT_GE(uno.profesores.size(), 90u);
    EXPECT_LE(uno.profesores.size(), 115u);
    EXPECT_GE(uno.materias.size(), 250u);
    EXPECT_GE(uno.aulas.size(), uno.grupos.size());

    Escuela tres = DibujarEscuela(1, 3);
    EXPECT_EQ(tres.grupos.size(), 120u);
    EXPECT_EQ(tres.alumnos.size(), 3000u);
    EXPECT_GE(tres.aulas.size(), tres.grupos.size());
    EXPECT_GT(tres.profesores.size(), uno.profesores.size() * 27 / 10);
    EXPECT_EQ(tres.materias.size(), uno.materias.size());
}

TEST(ModeloEscuela, ScaleOutOfRangeIsRefused) {
    EXPECT_THROW(DibujarEscuela(1, 0), Error);
    EXPECT_THROW(DibujarEscuela(1, 17), Error);  // more first-year groups than letters
    EXPECT_NO_THROW(DibujarEscuela(1, 16));
}

// What the export and the import rely on: the group code splits into the
// course and level of the subjects it takes, and a short code names one
// subject within a course.
TEST(ModeloEscuela, CodesSplitTheWayTheExportReadsThem) {
    for (int escala : {1, 16}) {
        Escuela e = DibujarEscuela(5, escala);
        std::set<std::string> codigos;
        for (const auto& g : e.grupos) {
            SCOPED_TRACE(g.codigo);
            EXPECT_EQ(Caracteres(g.codigo), 5u);
            EXPECT_TRUE(codigos.insert(g.codigo).second);
            for (const auto& c : g.clases)
                EXPECT_EQ(e.materias[c.materia].codasig.substr(0, 4), g.codigo.substr(0, 4));
        }
    }
    Escuela e = DibujarEscuela(5, 1);
    std::set<std::pair<int, std::string>> cortos;
    for (const auto& m : e.materias) {
        SCOPED_TRACE(m.codasig);
        EXPECT_LE(m.codasig.size(), 8u);
        EXPECT_EQ(m.litresv.size(), 3u);
        EXPECT_TRUE(cortos.insert({m.curso, m.litresv}).second);
        EXPECT_LE(Caracteres(m.val), 30u);
        EXPECT_LE(Caracteres(m.cas), 30u);
        EXPECT_GE(m.horas, 1);
    }
}

TEST(ModeloEscuela, TeachersTutorsAndLoads) {
    Escuela e = DibujarEscuela(9, 2);
    std::map<int, int> carga;
    std::set<int> tutores;
    for (const auto& g : e.grupos) {
        ASSERT_GE(g.tutor, 0);
        EXPECT_TRUE(tutores.insert(g.tutor).second) << g.codigo;
        EXPECT_NE(e.profesores[g.tutor].dni, 0) << g.codigo;
        bool daTutoria = false;
        int horas = 0;
        for (const auto& c : g.clases) {
            carga[c.profesor] += e.materias[c.materia].horas;
            horas += e.materias[c.materia].horas;
            daTutoria =
                daTutoria || (e.materias[c.materia].litresv == "TUT" && c.profesor == g.tutor);
        }
        EXPECT_TRUE(daTutoria) << g.codigo;
        EXPECT_LE(horas, 32) << g.codigo;
    }
    int sinDni = 0, cargaSinDni = 0, bajas = 0;
    std::set<int32_t> dnis;
    for (size_t p = 0; p < e.profesores.size(); ++p) {
        const auto& x = e.profesores[p];
        EXPECT_LE(carga[static_cast<int>(p)], 20) << x.nombre;
        if (x.dni == 0) {
            ++sinDni;
            cargaSinDni += carga[static_cast<int>(p)];
        } else {
            EXPECT_TRUE(dnis.insert(x.dni).second) << x.dni;
        }
        if (x.bajaAnio) {
            ++bajas;
            EXPECT_EQ(carga[static_cast<int>(p)], 0) << x.nombre;
            EXPECT_NE(x.dni, 0);  // so the export leaves them out
        }
    }
    EXPECT_EQ(sinDni, 3);
    // The export merges every DNI 0 into one teacher: that one must fit a week.
    EXPECT_GT(cargaSinDni, 0);
    EXPECT_LE(cargaSinDni, 20);
    EXPECT_GE(bajas, 1);
    EXPECT_TRUE(e.profesores.back().bajaAnio);
}

TEST(ModeloEscuela, StudentsTakeTheirGroupsSubjects) {
    Escuela e = DibujarEscuela(3, 1);
    std::set<std::string> codigos;
    int repiten = 0, conObs = 0;
    for (const auto& a : e.alumnos) {
        EXPECT_TRUE(codigos.insert(a.codigo).second) << a.codigo;
        EXPECT_LE(a.codigo.size(), 10u);
        EXPECT_LE(Caracteres(a.apenom), 45u);
        const Grupo& g = e.grupos[a.grupo];
        std::set<int> suyas(a.materias.begin(), a.materias.end());
        for (const auto& c : g.clases) EXPECT_TRUE(suyas.count(c.materia)) << a.codigo;
        EXPECT_LT(a.materias.size(), 50u);  // the students' table holds 50
        repiten += a.repite == 1;
        conObs += !a.obs.empty();
    }
    EXPECT_GT(repiten, 0);
    EXPECT_GT(conObs, 0);
}

TEST(ModeloEscuela, SameSeedSameSchoolOtherSeedOtherTeachers) {
    Escuela a = DibujarEscuela(42, 1), b = DibujarEscuela(42, 1), c = DibujarEscuela(43, 1);
    ASSERT_EQ(a.profesores.size(), b.profesores.size());
    for (size_t i = 0; i < a.profesores.size(); ++i) {
        EXPECT_EQ(a.profesores[i].nombre, b.profesores[i].nombre);
        EXPECT_EQ(a.profesores[i].dni, b.profesores[i].dni);
    }
    int iguales = 0;
    for (size_t i = 0; i < std::min(a.profesores.size(), c.profesores.size()); ++i)
        iguales += a.profesores[i].nombre == c.profesores[i].nombre;
    EXPECT_LT(iguales, 10);
}

}  // namespace
}  // namespace brisolt::muestra
