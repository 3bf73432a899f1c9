#pragma once
// The characteristic to and from the board's seven slots, and output 4 as the
// slot selection voltage. Standard C++ on the board link. The functions take
// the port and the address (the window passes connection::OffenerComPort()
// and connection::Geraeteadresse()) and a progress callback; the window shows
// the progress dialog ("Daten senden" / "Daten lesen", no cancel button), the
// error display and the error pop-up as the result says.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "characteristic/model.h"
#include "device/memory_transfer.h"

namespace characteristic {

using Fortschritt = device::Fortschritt;

inline constexpr int kSpeichertyp = 4;  // the board's memory the slots live in

inline constexpr int kInitOhnePort = -122507;
inline constexpr int kGueltigOhnePort = -122509;
inline constexpr int kSchreibenOhnePort = -122510;
inline constexpr int kLesenOhnePort = -122524;
inline constexpr int kAusgang4OhnePort = -122544;
inline constexpr int kSendenPlatzUngueltig = -1024506;  // "Kurvennummer ungültig."
inline constexpr int kLesenPlatzUngueltig = -1024511;
inline constexpr int kAusgang4PlatzUngueltig = -1024545;
inline constexpr int kKeineKennlinien = -1026512;  // "Im MUX-6 sind keine Kennlinien gespeichert."
inline constexpr int kSpeicherUngueltig = -1026525;
inline constexpr int kPruefsummeFalsch = -897513;     // "Checksummenfehler im EEPROM Speicher."
inline constexpr int kAusgang2Fehlerhaft = -1019514;  // "Speicherinhalt fehlerhaft."
inline constexpr int kKeinSpeicherPunkte = -600527;

inline constexpr const char* kSendenText = "Daten senden";
inline constexpr const char* kLesenText = "Daten lesen";

// The board's characteristic memory is valid when its mode byte has bit 0x02
// set and bit 0x04 clear. 0 and `gueltig`, -122509 without a port, or the
// mode query's code.
int KennlinienspeicherGueltig(int port, char adresse, bool& gueltig);

// The short block into all seven slots, each followed by the mode-bit update:
// the memory is valid from the first slot on. -122507 without a port, or the
// first write's code.
int SpeicherplaetzeInitialisieren(int port, char adresse);

// `daten` from board address `start`, in pieces of at most 64 bytes that never
// cross a 64-byte page; then mode bit 0x04 cleared and 0x02 set. -122510
// without a port, or the first failing command's code (the pieces before it
// stay written).
int KennlinienblockSchreiben(int port, char adresse, std::span<const std::uint8_t> daten, int start,
                             const Fortschritt& fortschritt = {});

// `ziel.size()` bytes from `start` in pieces of at most 64 bytes, once the
// mode byte says the memory is valid. -122524 without a port, the mode
// query's code, -1026525 memory not valid, or the first failing read's code.
int KennlinienblockLesen(int port, char adresse, int start, std::span<std::uint8_t> ziel,
                         const Fortschritt& fortschritt = {});

// A slot's bytes as read, any bytes at all: -897513 when the checksum (over
// 2..33 for the short form, 2..8223 for the full one) differs from bytes 0..1
// or the bytes are too few to sum; else one point (short form) or 4096 points
// of length 1, values limited to 4095. -600527 when the points cannot be had.
struct Blockinhalt {
    int code = 0;
    std::uint16_t ausgang2 = 0;     // raw counts; above 4095 the block is damaged
    std::int32_t anstiegscode = 0;  // 24 bits
    std::vector<Gerade> punkte;
};
Blockinhalt KennlinienblockDecodieren(std::span<const std::uint8_t> block);

// What a button's operation did, for the window to show.
struct Uebertragung {
    int code = 0;                  // for the error pop-up (ORV_Fehlerpopup); 0 none
    bool anzeigeLoeschen = false;  // ComFehlerSetzen(0) before the exchange
    int anzeige = 0;               // then ComFehlerSetzen(anzeige) when not 0
    // After a read: the new values of KENNLPNL_BEGRENZUNG and
    // KENNLPNL_ANSTIEGSZEIT, where the read gave one.
    std::optional<double> begrenzung;
    std::optional<double> anstiegszeit;
};

// "zur MUX-6 schreiben": the full block of gKennlinie with the fields into
// slot 1..7, after initialising all slots when the board's memory is not
// valid. -1023505 (too many values) and -1024506 (slot) come as `code` and
// send nothing; the exchange's codes come as `anzeige`. The characteristic
// and the fields stay.
Uebertragung KennlinieSenden(int port, char adresse, int slot, const Felder& felder,
                             const Fortschritt& fortschritt = {});

// "von MUX-6 lesen": slot 1..7 into gKennlinie (no undo step; the comment
// and gKennlinieGeaendert stay). -1024511 (slot) and the mode query's codes
// come as `code`; -1026512, the read's codes, -897513 and -1019514 (the
// output-2 value is kept) as `anzeige`. In every case the file name is gone
// and the whole X range is visible afterwards.
Uebertragung KennlinieLesen(int port, char adresse, int slot, const Fortschritt& fortschritt = {});

// "über Ausg.4 anwählen": slot N's selection voltage, N volts, on output 4.
// Failures come as `anzeige` (-122544 without a port, -1024545 for a slot
// outside 1..7, the command's code); success leaves the display as it was.
Uebertragung Ausgang4Setzen(int port, char adresse, int slot);

}  // namespace characteristic
