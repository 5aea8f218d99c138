#pragma once
// Our stand-in for the HTML Help control on Linux: the same entry point, the
// same five commands, shown in help windows of our own (one per help file).

#include <QPointer>
#include <cstdint>
#include <vector>

#include "help/chm/ventana_ayuda.h"
#include "help/quen_html_help.h"

namespace brisolt::chm {

class VisorChm {
  public:
    VisorChm() = default;
    // Closes its windows: destroy it while the QApplication still exists.
    ~VisorChm();
    VisorChm(const VisorChm&) = delete;
    VisorChm& operator=(const VisorChm&) = delete;

    // The HtmlHelp call. Returns the help window's id, or 0.
    VentanaId Ejecutar(VentanaId llamante, const char* archivo, unsigned comando,
                       std::uintptr_t datos);

    // The help windows still open.
    std::vector<VentanaAyuda*> Ventanas() const;

  private:
    VentanaAyuda* VentanaPara(const QString& ruta, VentanaId llamante);
    void CerrarTodas();

    std::vector<QPointer<VentanaAyuda>> ventanas_;
};

// Loads the stand-in: empty when no QApplication runs, since no window could
// be shown then. Hand it to RegistroQuenHtmlHelp after creating the QApplication.
ControlHtmlHelp CargarControlChm();

}  // namespace brisolt::chm
