#pragma once
// The one serial connection of the program: which port is open, the last port
// that opened, and the board address every exchange of every window uses.
// Standard C++ only; the connection window drives it, other windows read it.

#include <array>
#include <functional>
#include <string>

namespace connection {

inline constexpr int kKeinPort = -1;
inline constexpr int kBaudrate = 9600;
inline constexpr double kTimeoutSekunden = 0.5;
inline constexpr char kAlleGeraete = '&';
// A board whose identity begins so is one of ours.
inline constexpr const char* kKennungsanfang = "ORV-VEK7M";

// The open port 1..8, or -1.
int OffenerComPort();
// The last port that was opened successfully, or -1.
int LetzterComPort();
void LetzterComPortSetzen(int port);
// '1'..'8', or '&' for all boards.
char Geraeteadresse();
void GeraeteadresseSetzen(char adresse);

// Opens `port` (or only closes for -1). The port already open: nothing
// happens. Another port is always closed first, even when the new one fails.
int ComPortOeffnen(int port);
int ComPortSchliessen();

// The identity of the board at the address; -122232 without an open port.
int IDLesenAusfuehren(std::string& kennung);

enum class Suchled { Aus, Gruen, Rot };
struct Suchergebnis {
    std::array<Suchled, 8> leds{};
    // The identity of the last board of ours that answered, empty if none.
    std::string kennung;
};
// Asks addresses '1'..'8' in turn; `vorAdresse` runs before each exchange
// (the window paints its progress text), `nachAdresse` with its result (the
// window lights that LED at once). The address becomes the highest
// one at which a board of ours answered. -122233 without an open port;
// failures at single addresses are no error.
int GeraeteSuchen(Suchergebnis& ergebnis, const std::function<void(char)>& vorAdresse,
                  const std::function<void(char, Suchled)>& nachAdresse = {});

int StartSenden();
int StoppSenden();
// Mode bit 0: input 4 as the start/stop signal (true) or an analogue input.
int EingangVierSetzen(bool startStopp);
// The fault byte; -122237 without an open port.
int FehlerbitsLesen(int& bits);

// The fault byte's meanings, bit 0 first.
inline constexpr std::array<const char*, 5> kFehlerbits = {
    "Speicherfehler", "Checksummenfehler", "Eeprom nicht bereit", "Daten nicht sinnvoll",
    "Kurvenauswahlfehler"};

// Back to the start state (closes the port): tests and program end.
void ZustandZuruecksetzen();

}  // namespace connection
