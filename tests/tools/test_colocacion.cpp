#include <gtest/gtest.h>

#include <map>
#include <set>

#include "colocacion.h"
#include "comprobar_semana.h"
#include "modelo_escuela.h"
#include "tables/error.h"

namespace brisolt {
namespace {

using pruebas::Hueco;

constexpr int kDias = 5, kHoras = 7;

// Every session placed exactly once and the week free of clashes.
void ComprobarColocacion(const std::vector<Encargo>& encargos,
                         const std::vector<SesionColocada>& r) {
    std::map<int, int> porEncargo;
    std::vector<Hueco> huecos;
    for (const auto& s : r) {
        ASSERT_GE(s.encargo, 0);
        ASSERT_LT(s.encargo, static_cast<int>(encargos.size()));
        ++porEncargo[s.encargo];
        huecos.push_back({encargos[s.encargo].profesor, encargos[s.encargo].grupo, s.dia, s.hora});
    }
    for (size_t e = 0; e < encargos.size(); ++e)
        EXPECT_EQ(porEncargo[static_cast<int>(e)], encargos[e].sesiones) << "assignment " << e;
    pruebas::SinChoques(huecos, kDias, kHoras);
}

struct Caso {
    const char* nombre;
    std::vector<Encargo> encargos;
};

std::vector<Caso> Casos() {
    std::vector<Caso> casos;
    casos.push_back(
        {"one teacher in two groups", {{"P1", "G1", 4}, {"P1", "G2", 4}, {"P2", "G1", 3}}});
    // A group's whole week: 35 sessions from five teachers.
    Caso lleno{"full week of a group", {}};
    for (int p = 0; p < 5; ++p) lleno.encargos.push_back({"P" + std::to_string(p), "G1", 7});
    casos.push_back(lleno);
    // A teacher's whole week over seven groups, each group also busy with others.
    Caso profesor{"full week of a teacher", {}};
    for (int g = 0; g < 7; ++g) {
        profesor.encargos.push_back({"P1", "G" + std::to_string(g), 5});
        profesor.encargos.push_back({"Q" + std::to_string(g % 3), "G" + std::to_string(g), 9});
    }
    casos.push_back(profesor);
    // Four teachers each teaching four groups eight times: 32 of 35 slots on
    // every side, which greedy placement alone tends to get stuck on.
    Caso apretado{"four by four, 32 sessions each", {}};
    for (int p = 0; p < 4; ++p)
        for (int g = 0; g < 4; ++g)
            apretado.encargos.push_back({"P" + std::to_string(p), "G" + std::to_string(g), 8});
    casos.push_back(apretado);
    // Sessions without a teacher bind only their group; zero sessions place nothing.
    casos.push_back(
        {"without teacher", {{"", "G1", 20}, {"", "G1", 10}, {"P1", "G1", 5}, {"P1", "G2", 0}}});
    return casos;
}

TEST(Colocacion, PlacesEverySessionWithoutClashes) {
    for (const auto& c : Casos()) {
        SCOPED_TRACE(c.nombre);
        ComprobarColocacion(c.encargos, ColocarSesiones(c.encargos, kDias, kHoras));
    }
}

TEST(Colocacion, SpreadsAnAssignmentOverDifferentDays) {
    std::vector<Encargo> encargos = {{"P1", "G1", 4}, {"P2", "G1", 5}, {"P1", "G2", 3}};
    auto r = ColocarSesiones(encargos, kDias, kHoras);
    std::map<int, std::set<int>> dias;
    std::map<int, int> sesiones;
    for (const auto& s : r) dias[s.encargo].insert(s.dia), ++sesiones[s.encargo];
    for (const auto& [e, d] : dias) EXPECT_EQ(static_cast<int>(d.size()), sesiones[e]) << e;
}

TEST(Colocacion, OverfullWeekIsAnErrorNamingTheTeacherAndGroup) {
    const std::pair<std::vector<Encargo>, const char*> casos[] = {
        {{{"P1", "G1", 20}, {"P1", "G2", 16}}, "P1"},  // the teacher needs 36 slots
        {{{"P1", "G1", 30}, {"P2", "G1", 6}}, "G1"}};  // the group needs 36
    for (const auto& [encargos, culpable] : casos) {
        try {
            ColocarSesiones(encargos, kDias, kHoras);
            ADD_FAILURE() << "no error for " << culpable;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(culpable), std::string::npos) << e.what();
        }
    }
}

// The sample school as the export sees it: one assignment per group, subject
// and teacher, teachers known by DNI (the export gives every DNI 0 the code
// of the first such teacher).
std::vector<Encargo> EncargosDeLaMuestra(const muestra::Escuela& e) {
    std::map<std::tuple<std::string, std::string, int32_t>, int> indice;
    std::vector<Encargo> r;
    for (const auto& g : e.grupos)
        for (const auto& c : g.clases) {
            int32_t dni = e.profesores[c.profesor].dni;
            auto clave = std::make_tuple(g.codigo, e.materias[c.materia].codasig, dni);
            if (indice.count(clave)) continue;
            indice[clave] = static_cast<int>(r.size());
            r.push_back({std::to_string(dni), g.codigo, e.materias[c.materia].horas});
        }
    return r;
}

TEST(Colocacion, PlacesTheSampleSchool) {
    for (auto [semilla, escala] : {std::pair{1u, 1}, {2u, 1}, {77u, 2}}) {
        SCOPED_TRACE("seed " + std::to_string(semilla) + " scale " + std::to_string(escala));
        auto encargos = EncargosDeLaMuestra(muestra::DibujarEscuela(semilla, escala));
        ComprobarColocacion(encargos, ColocarSesiones(encargos, kDias, kHoras));
    }
}

}  // namespace
}  // namespace brisolt
