// The help window needs a QApplication; the offscreen platform lets it run
// without a display. Whether loading fails without one is measured first.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "help/chm/visor_chm.h"

bool gSinAplicacionSinEntrada = false;

int main(int argc, char** argv) {
    gSinAplicacionSinEntrada = !brisolt::chm::CargarControlChm().entrada;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication aplicacion(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
