// The MUX-6 control program.
#include <QApplication>

#include "device/qt_serial_port.h"
#include "device/serial_port.h"
#include "shell/program.h"
#include "ui/help.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("VEK-7M Kurvengenerator");
    ui::DirekthilfeFilterInstallieren();
    device::PortFabrikSetzen(device::QtSerialPortFabrik());
    return shell::Programmablauf([] { return QApplication::exec(); });
}
