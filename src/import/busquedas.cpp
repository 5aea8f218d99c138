#include "import/busquedas.h"

#include "tables/tabla.h"

namespace brisolt {

DniPorAbrev::DniPorAbrev(Tabla& profesores) {
    for (profesores.First(); !profesores.Eof(); profesores.Next()) {
        // emplace keeps the first row of a repeated abbreviation, as the walk would.
        dni_.emplace(profesores.FieldByName("ABREV").AsString(),
                     profesores.FieldByName("DNI").AsInteger());
    }
}

int32_t DniPorAbrev::Dni(const std::string& abrev) const {
    auto it = dni_.find(abrev);
    return it == dni_.end() ? 0 : it->second;
}

AsignaturaPorCodigo::AsignaturaPorCodigo(Tabla& asignaturas) {
    for (asignaturas.First(); !asignaturas.Eof(); asignaturas.Next()) {
        codValen_.emplace(std::make_tuple(asignaturas.FieldByName("NIVEL").AsString(),
                                          asignaturas.FieldByName("CURSO").AsString(),
                                          asignaturas.FieldByName("COD").AsString()),
                          asignaturas.FieldByName("CODVALEN").AsString());
    }
}

std::string AsignaturaPorCodigo::CodValen(const std::string& nivel, const std::string& curso,
                                          const std::string& cod) const {
    auto it = codValen_.find(std::make_tuple(nivel, curso, cod));
    return it == codValen_.end() ? std::string() : it->second;
}

}  // namespace brisolt
