#pragma once
// Field codecs: a field's value read from, and written into, the bytes of
// one record. Text crosses here between the table's code page and UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

#include "tables/archivo_tabla.h"

namespace brisolt::codec {

// How a field's stored number reads. Only an N or F field can hold text that
// is not a number ("**" overflow, "1A", a date typed into it); a date field
// whose text is not a date reads empty.
enum class Lectura { Vacio, Numero, NoNumero };
Lectura LeerNumero(const DescCampo& c, const char* registro, double* valor);

// A numeric field that holds text that is not a number: the conversion
// message, with where it was read ("'1A' no es un valor entero válido (tabla
// '…/SOLUC.DBF', registro 3, campo 'DIA')"). `entero` chooses the integer text.
[[noreturn]] void NoEsNumero(const ArchivoTabla& a, const DescCampo& c, const char* registro,
                             uint32_t recno, bool entero);
// Fields whose numbers are whole: their conversion message is the integer one.
bool Entera(const DescCampo& c);

// Reads. `registro` is the whole record (deletion flag first) and `recno` its
// number, for the messages. Every read that takes a numeric field's value
// fails with NoEsNumero's message when the field holds text that is not a
// number; a blank numeric field reads empty, or 0.
bool Nulo(ArchivoTabla& a, const DescCampo& c, const char* registro);  // blank in the file
std::string Texto(ArchivoTabla& a, const DescCampo& c, const char* registro, uint32_t recno);
int32_t Entero(ArchivoTabla& a, const DescCampo& c, const char* registro, uint32_t recno);
double Flotante(ArchivoTabla& a, const DescCampo& c, const char* registro, uint32_t recno);
bool Logico(ArchivoTabla& a, const DescCampo& c, const char* registro, uint32_t recno);
double FechaHora(ArchivoTabla& a, const DescCampo& c, const char* registro, uint32_t recno);

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
