#pragma once
// The hour-glass for the length of a command. Whatever way the command ends,
// a stop on an error included, the person gets the normal cursor back.

#include "comandos/interfaz.h"

namespace brisolt {

class GuardaCursor {
  public:
    explicit GuardaCursor(Interfaz& interfaz) : interfaz_(interfaz) { interfaz_.CursorEspera(); }
    ~GuardaCursor() { Normal(); }
    GuardaCursor(const GuardaCursor&) = delete;
    GuardaCursor& operator=(const GuardaCursor&) = delete;

    // After a modal dialog, which shows the arrow while it is open.
    void OtraVez() {
        interfaz_.CursorEspera();
        activo_ = true;
    }
    void Normal() {
        if (!activo_) return;
        activo_ = false;
        interfaz_.CursorNormal();
    }

  private:
    Interfaz& interfaz_;
    bool activo_ = true;
};

}  // namespace brisolt
