#pragma once
// Text <-> number conversions with the rules of the runtime the school's
// programs were written for. Every part of the program converts through here,
// so the decimal separator comes from one place.

#include <cstdint>
#include <string>
#include <string_view>

namespace brisolt {

// The user's decimal separator: LC_NUMERIC's, read once, unless a test fixed one.
char SeparadorDecimal();
// Fixes the separator (tests run both); '\0' goes back to the locale's.
void FijarSeparadorDecimal(char separador);

// Whole number: leading blanks, optional sign, decimal digits, or hexadecimal
// digits after "$" or "0x"; nothing after them. Hexadecimal takes up to eight
// significant digits as a 32-bit pattern; decimal must fit 32 bits.
// Fails with "'%s' no es un valor entero válido".
int32_t TextoAEntero(std::string_view texto);
bool EsEntero(std::string_view texto, int32_t* valor = nullptr);

// Floating point: blanks around, optional sign, digits, the decimal separator,
// optional exponent. Fails with "'%s' no es un valor punto flotante válido".
double TextoAFlotante(std::string_view texto);
bool EsFlotante(std::string_view texto, double* valor = nullptr);

// General format, up to 15 significant digits, with the user's separator;
// whole numbers without a separator.
std::string FlotanteATexto(double valor);

// Shortest text that reads back to the same double, with "." (for dumps).
std::string FlotanteExacto(double valor);

// Date-times are day counts from 1899-12-30 with the time as the fraction.
double FechaADias(int anio, int mes, int dia);
void DiasAFecha(double dias, int* anio, int* mes, int* dia);

}  // namespace brisolt
