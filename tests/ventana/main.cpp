// The window tests run on the offscreen platform unless told otherwise, with
// one QApplication for the whole program. Run as "--anfitriona", the program
// is instead the host window of the embedding test: it shows a plain window
// on the X display, prints its id in hexadecimal and lives for a minute.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstring>

namespace {

int Anfitriona(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication aplicacion(argc, argv);
    QWidget ventana;
    ventana.setWindowTitle("anfitriona");
    ventana.resize(700, 400);
    ventana.show();
    // Only a window the X server already has can be handed out.
    QElapsedTimer espera;
    espera.start();
    while (!ventana.windowHandle()->isExposed() && espera.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("%llx\n", static_cast<unsigned long long>(ventana.winId()));
    std::fflush(stdout);
    QTimer::singleShot(60000, &aplicacion, &QApplication::quit);
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--anfitriona") == 0) return Anfitriona(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName("Brisolt");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
