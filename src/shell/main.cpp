// The MUX-6 control program.
#include <QApplication>

#include "device/qt_serial_port.h"
#include "device/serial_port.h"
#include "shell/end_signals.h"
#include "shell/program.h"

int main(int argc, char* argv[]) {
    shell::EndsignaleAbfangen();
    QApplication app(argc, argv);
    shell::AnwendungEinrichten();
    shell::EndsignaleVerbinden([] { shell::ProgrammendeOhneFragen(); });
    device::PortFabrikSetzen(device::QtSerialPortFabrik());
    return shell::Programmablauf([] { return QApplication::exec(); });
}
