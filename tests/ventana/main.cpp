// The window tests run on the offscreen platform unless told otherwise, with
// one QApplication for the whole program.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName("Brisolt");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
