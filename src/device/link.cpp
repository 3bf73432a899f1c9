#include "device/link.h"

#include "device/serial_port.h"

#include <cmath>

namespace device {

bool BaudrateErlaubt(int baud) {
    return baud == 4800 || baud == 9600 || baud == 19200 || baud == 38400;
}

int ORVKAP1_Open(int port, int baud) {
    if (!BaudrateErlaubt(baud)) {
        return -125001;
    }
    if (!PortnummerGueltig(port)) {
        return -100002;
    }
    // Opening a number that is open means starting over on it.
    if (auto alt = PortAustragen(port)) {
        alt->close();
    }
    const PortFabrik& fabrik = PortFabrikHolen();
    if (!fabrik) {
        return -100003;
    }
    std::unique_ptr<SerialPort> neu = fabrik(port);
    if (!neu) {
        return -100003;
    }
    Leitungseinstellung einstellung;
    einstellung.baud = baud;
    if (neu->open(PortGeraetename(port), einstellung) != 0) {
        return -100003;
    }
    neu->setTimeout(kAckTimeout);
    PortEintragen(port, std::move(neu));
    return 0;
}

int ORVKAP1_Close(int port) {
    std::unique_ptr<SerialPort> offen = PortAustragen(port);
    if (!offen) {
        return -103004;
    }
    return offen->close() == 0 ? 0 : -103004;
}

int ORVKAP1_Timeout(int port, double sekunden) {
    SerialPort* p = OffenerPort(port);
    if (!p || !std::isfinite(sekunden) || sekunden < 0 || sekunden > 1e6) {
        return -111005;
    }
    const auto ms = std::chrono::milliseconds(std::llround(sekunden * 1000.0));
    return p->setTimeout(ms) == 0 ? 0 : -111005;
}

int FlushInOut(int port) {
    SerialPort* p = OffenerPort(port);
    if (!p || p->flushInput() != 0) {
        return -124148;
    }
    if (p->flushOutput() != 0) {
        return -123149;
    }
    return 0;
}

int Austauschen(int port, const Befehl& befehl, ByteSpan rahmen, bool antwortErwartet,
                std::vector<std::uint8_t>* zeile, std::size_t zeilenMax) {
    const Befehlsorte& o = befehl.orte;
    // Bytes that a late board left from an earlier exchange go first.
    const int flush = FlushInOut(port);
    if (flush != 0) {
        return o.flush != 0 ? o.flush : flush;
    }
    SerialPort* p = OffenerPort(port);
    const int geschrieben = p->write(rahmen);
    if (geschrieben < 0) {
        return o.schreibfehler;
    }
    if (static_cast<std::size_t>(geschrieben) < rahmen.size()) {
        return o.kurzGeschrieben;
    }
    // Until the frame has left the line driver: the next exchange's flush would
    // otherwise cut off its tail, which matters most for '&', where nothing
    // answers. A port that cannot drain has not sent the frame.
    if (p->drain() != 0) {
        return o.schreibfehler;
    }
    if (!antwortErwartet) {
        return 0;
    }
    const int erstes = p->readByte();
    if (erstes == kAck) {
        // accepted
    } else if (erstes == kNak) {
        return o.nak;
    } else if (erstes == kCan) {
        return o.can;
    } else if (erstes < 0) {
        return o.keineAntwort;
    } else {
        return o.anderesByte;
    }
    if (!zeile) {
        return 0;
    }
    zeile->clear();
    zeile->reserve(zeilenMax);
    while (zeile->size() < zeilenMax) {
        const int b = p->readByte();
        if (b < 0) {
            return o.zeileLesefehler;
        }
        zeile->push_back(static_cast<std::uint8_t>(b));
        if (b == kCr) {
            break;
        }
    }
    return 0;
}

}  // namespace device
