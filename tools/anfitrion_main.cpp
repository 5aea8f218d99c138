// brisolt-anfitrion exportar|importar [--programa RUTA]: the timetable
// generator stand-in in its role of host. It opens a window of its own, starts
// the transfer program embedded in it (the mode word and the window's handle
// in hexadecimal), waits for it to close, and prints the completion status the
// program left in Zentaro.ini beside itself, as the generator reads it.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <string>

#include "shell/arranque.h"
#include "shell/ini.h"

namespace {

int Uso() {
    std::fprintf(stderr, "uso: brisolt-anfitrion exportar|importar [--programa RUTA]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QString modo, programa = QCoreApplication::applicationDirPath() + "/brisolt";
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--programa" && i + 1 < args.size())
            programa = args[++i];
        else if (modo.isEmpty() && !args[i].startsWith("-"))
            modo = args[i];
        else
            return Uso();
    }
    if (modo.isEmpty()) return Uso();
    programa = QDir(programa).absolutePath();

    QWidget anfitrion;
    anfitrion.setWindowTitle("Generador de horarios (sustituto)");
    anfitrion.resize(640, 300);
    anfitrion.show();
    // The program looks the window up on the X server as it starts: it must be
    // there by then, not still in our unsent requests.
    QElapsedTimer espera;
    espera.start();
    while (!anfitrion.windowHandle()->isExposed() && espera.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const QString ventana = QString::number(static_cast<qulonglong>(anfitrion.winId()), 16);

    QProcess hijo;
    hijo.setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(&hijo, &QProcess::finished, &aplicacion, [&] { aplicacion.quit(); });
    QObject::connect(&hijo, &QProcess::errorOccurred, &aplicacion, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            std::fprintf(stderr, "brisolt-anfitrion: no se puede iniciar %s\n",
                         programa.toLocal8Bit().constData());
            aplicacion.exit(1);
        }
    });
    hijo.start(programa, {modo, ventana});
    if (aplicacion.exec() != 0) return 1;

    QFile ini(QString::fromStdString(brisolt::RutaIni(programa.toStdString())));
    std::optional<std::string> valor;
    if (ini.open(QIODevice::ReadOnly))
        valor =
            brisolt::ValorEnPerfil(ini.readAll().toStdString(), "Transformadores", "Transformado");
    if (!valor) {
        std::printf("Transformado: sin valor en %s\n", ini.fileName().toLocal8Bit().constData());
        return 1;
    }
    std::printf("Transformado=%s\n", valor->c_str());
    std::fflush(stdout);  // the host's answer is out, whatever happens at exit
    return 0;
}
