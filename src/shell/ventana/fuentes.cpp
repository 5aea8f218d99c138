#include "shell/ventana/fuentes.h"

#include <QStringList>

namespace brisolt::ventana {

QFont FuenteVentana() {
    QFont fuente;
    // The project installs this face; the plain one is the nearest in width.
    fuente.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    fuente.setStyleHint(QFont::SansSerif);
    fuente.setPixelSize(11);
    return fuente;
}

QFont FuenteIdioma() {
    QFont fuente = FuenteVentana();
    fuente.setPixelSize(10);
    fuente.setBold(true);
    return fuente;
}

}  // namespace brisolt::ventana
