#include "export/texto.h"

#include <cstddef>
#include <vector>

namespace brisolt {

namespace {

// Our text is UTF-8 while the school's tables count one byte per character in
// their code page, so positions count code points. A stray byte that does not
// start a valid sequence counts as one character of its own.
std::size_t LargoCaracter(std::string_view s, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t largo = 1;
    if (c >= 0xC2 && c <= 0xDF) {
        largo = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        largo = 3;
    } else if (c >= 0xF0 && c <= 0xF4) {
        largo = 4;
    }
    if (i + largo > s.size()) return 1;
    for (std::size_t k = 1; k < largo; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
    }
    return largo;
}

std::vector<std::string_view> Caracteres(std::string_view s) {
    std::vector<std::string_view> caracteres;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t largo = LargoCaracter(s, i);
        caracteres.push_back(s.substr(i, largo));
        i += largo;
    }
    return caracteres;
}

}  // namespace

std::string LetrasTrasSeparador(std::string_view texto, std::string_view separador) {
    std::string resultado;
    if (separador.empty() || LargoCaracter(separador, 0) != separador.size()) return resultado;
    const auto caracteres = Caracteres(texto);
    for (std::size_t i = 0; i + 1 < caracteres.size(); ++i) {
        if (caracteres[i] == separador) resultado += caracteres[i + 1];
    }
    return resultado;
}

std::string Subcadena(std::string_view texto, int inicio, int cuantos) {
    if (inicio < 1) inicio = 1;
    if (cuantos <= 0) return {};
    std::string resultado;
    int posicion = 1;
    for (std::size_t i = 0; i < texto.size() && cuantos > 0; ++posicion) {
        const std::size_t largo = LargoCaracter(texto, i);
        if (posicion >= inicio) {
            resultado.append(texto.substr(i, largo));
            --cuantos;
        }
        i += largo;
    }
    return resultado;
}

std::string Recortar(std::string_view texto) {
    std::size_t inicio = 0, fin = texto.size();
    while (inicio < fin && static_cast<unsigned char>(texto[inicio]) < 33) ++inicio;
    while (fin > inicio && static_cast<unsigned char>(texto[fin - 1]) < 33) --fin;
    return std::string(texto.substr(inicio, fin - inicio));
}

PartesCodigo PartirCodigo(std::string_view codigo) {
    PartesCodigo partes;
    const auto caracteres = Caracteres(codigo);
    partes.curso = Subcadena(codigo, 1, 1);
    partes.nivel = Subcadena(codigo, 2, 3);
    if (!caracteres.empty()) partes.letra = std::string(caracteres.back());
    return partes;
}

}  // namespace brisolt
