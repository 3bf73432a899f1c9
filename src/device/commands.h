#pragma once
// The board's command set: one function per command, port and address first,
// one complete exchange per call, 0 or a negative code back. The address is
// '1'..'9' or 'a'..'f' for one board, '&' for all boards where a command
// writes (no board answers '&', so those calls return once the frame is out).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace device {

// "IDR": the identity text (no blank, at most 26 characters).
int ORVKAP1_IDLesen(int port, char adresse, std::string& identitaet);

// "start" -> "DF1", "stopp" -> "DF2" (compared exactly).
int ORVKAP1_DeviceFunction(int port, char adresse, std::string_view funktion);

// Channel "e1".."e4": the input's value in volts.
int ORVKAP1_EingangLesen(int port, char adresse, std::string_view kanal, double& wert);

// Channel "a1".."a4", 0.0 <= wert <= 10.0 volts, sent with three decimals.
// A voltage outside that range is refused with the code of its output, output 1 first.
inline constexpr int kAusgangBereichFehler[4] = {-500056, -500057, -500058, -500059};
int ORVKAP1_AusgangSchreiben(int port, char adresse, std::string_view kanal, double wert);

// `laenge` bytes of memory `typ` (only 4) from `start`; `daten` gets them on
// success and is left alone on failure. Lengths 1..0xFFFF.
int ORVKAP1_SpeicherLesen(int port, char adresse, int typ, int start, int laenge,
                          std::vector<std::uint8_t>& daten);

// The first `laenge` bytes of `daten` (0..64; `daten` must hold them) to
// memory `typ` (only 4) from `start`.
int ORVKAP1_SpeicherSchreiben(int port, char adresse, int typ, int start, int laenge,
                              std::span<const std::uint8_t> daten);

// `art` 1: the status byte ("S1R"), 2: the fault byte ("S2R").
int ORVKAP1_StatusLesen(int port, char adresse, int art, int& wert);

int ORVKAP1_ModusLesen(int port, char adresse, int& modus);

// Sets (`setzen` non-zero, "M1S") or clears ("M1C") the bits of the low byte
// of `maske` in the mode byte.
int ORVKAP1_ModusSchreiben(int port, char adresse, int setzen, unsigned maske);

// Address 0..9 as a number; 9 reaches every board and nobody answers.
int ORVVEK1_BaudrateSchreiben(int port, int adresse, int baud);

// Both addresses 0..8 as numbers.
int ORVVEK1_AdresseSchreiben(int port, int adresse, int neueAdresse);

// The board has no parameters to exchange; both return 0.
int ORVMUX6_ParameterLesen();
int ORVMUX6_ParameterSchreiben();

// Status byte bits (answer to kind 1).
inline constexpr int kStatusKurvengeneratorAktiv = 0x01;
inline constexpr int kStatusKennlinieAktiv = 0x02;
// Mode byte bits.
inline constexpr int kModusEingang4StartStopp = 0x01;
inline constexpr int kModusKennlinienGespeichert = 0x02;
inline constexpr int kModusKurvenGespeichert = 0x04;

// The lines of the fault byte's bits 0..4, each with its line break, as the
// connection window lists them.
inline constexpr const char* kFehlerbitTexte[5] = {
    "Speicherfehler\n", "Checksummenfehler\n", "Eeprom nicht bereit\n", "Daten nicht sinnvoll\n",
    "Kurvenauswahlfehler\n"};

}  // namespace device
