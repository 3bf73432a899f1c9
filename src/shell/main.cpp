// The MUX-6 control program.
#include <QApplication>

#include "device/qt_serial_port.h"
#include "device/serial_port.h"
#include "shell/program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    shell::AnwendungEinrichten();
    device::PortFabrikSetzen(device::QtSerialPortFabrik());
    return shell::Programmablauf([] { return QApplication::exec(); });
}
