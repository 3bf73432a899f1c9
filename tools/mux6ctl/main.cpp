// mux6ctl: the command-line front end for test benches and scripts. It reaches
// the board through the Qt serial backend, as the program does.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define MUX6_ISATTY _isatty
#define MUX6_STDERR 2
#else
#include <unistd.h>
#define MUX6_ISATTY isatty
#define MUX6_STDERR STDERR_FILENO
#endif

#include <QApplication>
#include <QCoreApplication>

#include "ctl.h"
#include "device/qt_serial_port.h"

int main(int argc, char** argv) {
    std::vector<std::string> argumente(argv + 1, argv + argc);
    // QSerialPort's notifiers want an application object, even without its loop;
    // a picture is drawn by widgets, offscreen, so no display is needed.
    std::unique_ptr<QCoreApplication> app;
    if (ctl::GrafikBenoetigt(argumente)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
#ifdef _WIN32
    // Curve files and images pass standard input and output byte for byte.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    ctl::Umgebung u{device::QtSerialPortFabrik(),  std::cout, std::cerr,
                    MUX6_ISATTY(MUX6_STDERR) != 0, {},        &std::cin};
    const int status = ctl::Ausfuehren(argumente, u);
    std::cout.flush();
    return status;
}
