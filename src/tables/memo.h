#pragma once
// Memo files: FoxPro .FPT (read and append), dBASE III and IV .DBT (read).
// Opened only when a memo value is asked for.

#include <cstdint>
#include <memory>
#include <string>

namespace brisolt {

class ArchivoMemo {
  public:
    enum class Tipo { Fpt, Dbt3, Dbt4 };

    // Opens an existing memo file; throws Error naming the file when it is
    // missing or its header is unusable.
    static std::unique_ptr<ArchivoMemo> Abrir(const std::string& ruta, Tipo tipo, bool escritura);
    // Creates an empty .FPT (512-byte header, 64-byte blocks).
    static void CrearFpt(const std::string& ruta);

    virtual ~ArchivoMemo() = default;
    // Raw bytes of the memo at `bloque` (0 = none); throws Error on a pointer
    // past the end or a length that runs past the file.
    virtual std::string Leer(uint32_t bloque) = 0;
    // Appends a text memo and returns its block number (FPT only).
    virtual uint32_t Escribir(const std::string& datos) = 0;
};

}  // namespace brisolt
