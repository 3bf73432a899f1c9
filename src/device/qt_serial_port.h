#pragma once
// The serial port on QSerialPort, used synchronously (no event loop). The
// program installs it as the port factory at start-up:
//     device::PortFabrikSetzen(device::QtSerialPortFabrik());

#include "device/serial_port.h"

#include <memory>

namespace device {

std::unique_ptr<SerialPort> QtSerialPortErzeugen();
PortFabrik QtSerialPortFabrik();

}  // namespace device
