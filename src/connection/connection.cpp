#include "connection/connection.h"

#include "device/commands.h"
#include "device/link.h"

namespace connection {
namespace {

// The codes of this module's checks for an open port.
constexpr int kIdOhnePort = -122232;
constexpr int kSucheOhnePort = -122233;
constexpr int kStartOhnePort = -122234;
constexpr int kStoppOhnePort = -122235;
constexpr int kModusOhnePort = -122236;
constexpr int kFehlerbitsOhnePort = -122237;
constexpr unsigned kModusEingangVier = 0x01;

int sgOffenerPort = kKeinPort;
int sgLetzterPort = kKeinPort;
char sgAdresse = '1';

}  // namespace

int OffenerComPort() {
    return sgOffenerPort;
}
int LetzterComPort() {
    return sgLetzterPort;
}
void LetzterComPortSetzen(int port) {
    sgLetzterPort = port;
}
char Geraeteadresse() {
    return sgAdresse;
}
void GeraeteadresseSetzen(char adresse) {
    sgAdresse = adresse;
}

int ComPortOeffnen(int port) {
    if (port == sgOffenerPort)
        return 0;
    ComPortSchliessen();
    if (port != kKeinPort) {
        if (int r = device::ORVKAP1_Open(port, kBaudrate); r != 0) {
            sgOffenerPort = kKeinPort;
            return r;
        }
        device::ORVKAP1_Timeout(port, kTimeoutSekunden);
        sgLetzterPort = port;
    }
    sgOffenerPort = port;
    return 0;
}

int ComPortSchliessen() {
    if (sgOffenerPort != kKeinPort) {
        device::ORVKAP1_Close(sgOffenerPort);
        sgOffenerPort = kKeinPort;
    }
    return 0;
}

int IDLesenAusfuehren(std::string& kennung) {
    kennung.clear();
    if (sgOffenerPort == kKeinPort)
        return kIdOhnePort;
    std::string text;
    const int r = device::ORVKAP1_IDLesen(sgOffenerPort, sgAdresse, text);
    if (r == 0)
        kennung = text;
    return r;
}

int GeraeteSuchen(Suchergebnis& ergebnis, const std::function<void(char)>& vorAdresse,
                  const std::function<void(char, Suchled)>& nachAdresse) {
    if (sgOffenerPort == kKeinPort)
        return kSucheOhnePort;
    ergebnis = Suchergebnis{};
    for (char a = '1'; a <= '8'; ++a) {
        if (vorAdresse)
            vorAdresse(a);
        std::string text;
        Suchled& led = ergebnis.leds[static_cast<std::size_t>(a - '1')];
        if (device::ORVKAP1_IDLesen(sgOffenerPort, a, text) != 0) {
            led = Suchled::Aus;
        } else if (text.starts_with(kKennungsanfang)) {
            led = Suchled::Gruen;
            sgAdresse = a;
            ergebnis.kennung = text;
        } else {
            led = Suchled::Rot;
        }
        if (nachAdresse)
            nachAdresse(a, led);
    }
    return 0;
}

int StartSenden() {
    if (sgOffenerPort == kKeinPort)
        return kStartOhnePort;
    return device::ORVKAP1_DeviceFunction(sgOffenerPort, sgAdresse, "start");
}

int StoppSenden() {
    if (sgOffenerPort == kKeinPort)
        return kStoppOhnePort;
    return device::ORVKAP1_DeviceFunction(sgOffenerPort, sgAdresse, "stopp");
}

int EingangVierSetzen(bool startStopp) {
    if (sgOffenerPort == kKeinPort)
        return kModusOhnePort;
    return device::ORVKAP1_ModusSchreiben(sgOffenerPort, sgAdresse, startStopp ? 1 : 0,
                                          kModusEingangVier);
}

int FehlerbitsLesen(int& bits) {
    if (sgOffenerPort == kKeinPort)
        return kFehlerbitsOhnePort;
    return device::ORVKAP1_StatusLesen(sgOffenerPort, sgAdresse, 2, bits);
}

void ZustandZuruecksetzen() {
    ComPortSchliessen();
    sgLetzterPort = kKeinPort;
    sgAdresse = '1';
}

}  // namespace connection
