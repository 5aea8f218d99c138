#pragma once
// The block-wise file copy, the replace operation built on it, and the I/O
// error table its failures are reported with.

#include <cstddef>
#include <string>

namespace brisolt {

// Copies `origen` to `destino` (destination first) in 2048-byte blocks. A
// destination without a file name takes the source's. A missing source does
// nothing. Failures raise Error with the I/O error table's text.
void CopiarArchivo(const std::string& destino, const std::string& origen);

// Deletes the destination when it exists (a failed deletion is not reported),
// then CopiarArchivo.
void ReemplazarArchivo(const std::string& destino, const std::string& origen);

// The I/O error table: Windows error code -> message ("Error de E/S %d" for
// codes without a text of their own).
std::string MensajeErrorES(int codigo);

}  // namespace brisolt
