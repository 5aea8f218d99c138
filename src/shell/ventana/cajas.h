#pragma once
// The two kinds of message box the program shows. Both are modal and return
// once the user has answered; their caption is the application's title.

#include <string>

class QWidget;

namespace brisolt::ventana {

// Stop icon, one button; the message gets a full stop when it ends in a
// character that sorts after ".".
void CajaError(QWidget* padre, const std::string& mensaje);

// The information messages of the commands: one "Aceptar".
void CajaInformacion(QWidget* padre, const std::string& texto);

}  // namespace brisolt::ventana
