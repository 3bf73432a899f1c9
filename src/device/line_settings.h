#pragma once
// Setting a port's line (baud rate, data bits, parity, stop bits, no flow
// control) and judging the port's answers. A port that refuses a setting
// would run the line with whatever it had before while the program calls it
// open, so a refusal is a failed open; only a pseudo-terminal (a simulator or
// a test bench behind one) may refuse, as it has no line to set.

#include "device/serial_port.h"

namespace device {

// The five settings one call each, as a backend takes them; false: refused.
class Leitungssteller {
  public:
    virtual ~Leitungssteller() = default;
    virtual bool Baud(int baud) = 0;
    virtual bool Datenbits(int bits) = 0;
    virtual bool Paritaet(device::Paritaet p) = 0;
    virtual bool Stoppbits(int bits) = 0;
    virtual bool OhneFlusssteuerung() = 0;
};

// Every setting is tried, in the order above. 0, or SerialPort::kFehler when
// one was refused on a device that is not a pseudo-terminal.
int LeitungEinstellen(Leitungssteller& s, const Leitungseinstellung& e, bool pseudoterminal);

// Whether the open file descriptor is the terminal side of a pseudo-terminal
// (always false where the system has none).
bool IstPseudoterminal(int fd);

}  // namespace device
