#include "import/rejilla.h"

#include "tables/tabla.h"

namespace brisolt {

void EntrarRejilla(Tabla& tabla) {
    if (!tabla.Editing()) tabla.Edit();
}

void SalirRejilla(Tabla& tabla) {
    if (tabla.Editing()) tabla.Post();
}

}  // namespace brisolt
