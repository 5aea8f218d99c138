#pragma once
// The rules a placed week must keep, shared by the placement and the
// generator tests.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace brisolt::pruebas {

// One session as placed: who, with whom, when.
struct Hueco {
    std::string profesor, grupo;
    int dia = 0, hora = 0;
};

// No teacher and no group twice in one slot; days and hours in range.
inline void SinChoques(const std::vector<Hueco>& huecos, int dias, int horas) {
    std::set<std::tuple<std::string, int, int>> profesores, grupos;
    for (const auto& h : huecos) {
        EXPECT_GE(h.dia, 1);
        EXPECT_LE(h.dia, dias);
        EXPECT_GE(h.hora, 1);
        EXPECT_LE(h.hora, horas);
        if (!h.profesor.empty()) {
            EXPECT_TRUE(profesores.insert({h.profesor, h.dia, h.hora}).second)
                << h.profesor << " twice on day " << h.dia << " hour " << h.hora;
        }
        if (!h.grupo.empty()) {
            EXPECT_TRUE(grupos.insert({h.grupo, h.dia, h.hora}).second)
                << h.grupo << " twice on day " << h.dia << " hour " << h.hora;
        }
    }
}

}  // namespace brisolt::pruebas
