#pragma once
// A table opened read-only on its first record, for the tools and the
// end-to-end checks that read what the commands wrote.

#include <cstdint>
#include <string>

#include "tables/tabla.h"

namespace brisolt {

class Lectura {
  public:
    // `ruta` is the full path of the .DBF (Windows spelling or native).
    explicit Lectura(const std::string& ruta) : Lectura(std::string(), ruta) {}
    Lectura(const std::string& carpeta, const std::string& nombre) {
        t_.SetDatabaseName(carpeta);
        t_.SetTableName(nombre);
        t_.SetReadOnly(true);
        t_.Open();
        t_.First();
    }
    Tabla* operator->() { return &t_; }
    std::string S(const char* campo) { return t_.FieldByName(campo).AsString(); }
    int32_t I(const char* campo) { return t_.FieldByName(campo).AsInteger(); }

  private:
    Tabla t_;
};

}  // namespace brisolt
