#pragma once
// Field codecs: a field's value read from, and written into, the bytes of
// one record. Text crosses here between the table's code page and UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

#include "tables/archivo_tabla.h"

namespace brisolt::codec {

// Reads. `registro` is the whole record (deletion flag first).
bool Nulo(ArchivoTabla& a, const DescCampo& c, const char* registro);
std::string Texto(ArchivoTabla& a, const DescCampo& c, const char* registro);
bool Numero(const DescCampo& c, const char* registro, double* valor);  // false when empty
int32_t Entero(ArchivoTabla& a, const DescCampo& c, const char* registro);
double Flotante(ArchivoTabla& a, const DescCampo& c, const char* registro);
bool Logico(ArchivoTabla& a, const DescCampo& c, const char* registro);
double FechaHora(ArchivoTabla& a, const DescCampo& c, const char* registro);

// Writes. `tabla` is the component's name for the messages ("" when none).
void PonerTexto(ArchivoTabla& a, const DescCampo& c, char* registro, std::string_view valor);
void PonerEntero(ArchivoTabla& a, const DescCampo& c, char* registro, int32_t valor);
void PonerFlotante(ArchivoTabla& a, const DescCampo& c, char* registro, double valor);
void PonerLogico(ArchivoTabla& a, const DescCampo& c, char* registro, bool valor);
void PonerFechaHora(ArchivoTabla& a, const DescCampo& c, char* registro, double valor);
void Limpiar(const DescCampo& c, char* registro);
// A grid's typed text: numbers are checked before they are taken.
void PonerTextoTecleado(ArchivoTabla& a, const DescCampo& c, char* registro,
                        std::string_view texto);

// The number as the field stores it: right-aligned, exactly d decimals.
// Throws when it does not fit the field's width.
std::string NumeroEnCampo(double valor, const DescCampo& c);

// A date as text: "dd/mm/yyyy", "yyyy-mm-dd" or "yyyymmdd", optionally with "hh:mm[:ss]".
bool TextoAFecha(std::string_view texto, double* dias);

// The value's order-keeping key bytes for an index on a numeric or date field.
std::string ClaveOrdenable(double valor);

// Day counts of T fields and of date keys.
inline constexpr int64_t kJulianoDe18991230 = 2415019;

}  // namespace brisolt::codec
