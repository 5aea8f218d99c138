#include "export/abreviaturas.h"

#include <cstddef>
#include <map>
#include <set>

#include "export/texto.h"

namespace brisolt {
namespace {

// What the field gives back after storing `valor`: cut to its width, read
// without trailing blanks.
std::string ComoSeGuarda(const std::string& valor, int ancho) {
    std::string guardado = Subcadena(valor, 1, ancho);
    while (!guardado.empty() && guardado.back() == ' ') guardado.pop_back();
    return guardado;
}

}  // namespace

std::vector<std::string> AbreviaturasUnicas(std::vector<std::string> abreviaturas, int ancho) {
    std::vector<std::string>& valor = abreviaturas;
    // Records holding each value, in stored order. A record only ever leaves
    // its set when its value changes, so every set stays exact.
    std::map<std::string, std::set<std::size_t>> registros;
    for (std::size_t i = 0; i < valor.size(); ++i) registros[valor[i]].insert(i);

    for (std::size_t r = 0; r < valor.size(); ++r) {
        const std::string x = valor[r];
        std::set<std::size_t>& iguales = registros[x];
        if (iguales.size() < 2) continue;
        // The walk over s never touches r, and a record whose new value equals
        // x (a value already at the field's width) still takes a number.
        const std::vector<std::size_t> otros(iguales.begin(), iguales.end());
        int contador = 2;
        for (const std::size_t s : otros) {
            if (s == r) continue;
            std::string nuevo = ComoSeGuarda(x + std::to_string(contador), ancho);
            ++contador;
            if (nuevo == x) continue;
            iguales.erase(s);
            registros[nuevo].insert(s);
            valor[s] = std::move(nuevo);
        }
    }
    return abreviaturas;
}

}  // namespace brisolt
