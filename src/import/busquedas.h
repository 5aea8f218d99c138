#pragma once
// The two lookups of the solution walk. Each is read once from its table into
// a map holding exactly the answer a walk from the first row would give (the
// first match), so a timetable of any size costs one pass over each table.

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

namespace brisolt {

class Tabla;

// ABREV -> DNI of the first row in file order with that ABREV; 0 when none.
class DniPorAbrev {
  public:
    explicit DniPorAbrev(Tabla& profesores);
    int32_t Dni(const std::string& abrev) const;

  private:
    std::map<std::string, int32_t> dni_;
};

// (NIVEL, CURSO, COD) -> CODVALEN of the first row in the table object's
// current order (its CODVALEN index); empty when none.
class AsignaturaPorCodigo {
  public:
    explicit AsignaturaPorCodigo(Tabla& asignaturas);
    std::string CodValen(const std::string& nivel, const std::string& curso,
                         const std::string& cod) const;

  private:
    std::map<std::tuple<std::string, std::string, std::string>, std::string> codValen_;
};

}  // namespace brisolt
