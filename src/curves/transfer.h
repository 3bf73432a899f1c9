#pragma once
// The curves to and from the board: the length check before sending, the
// memory image written in blocks of 64 bytes, and the read-back with its
// header checks and decoding. Standard C++ on the board link. The window asks
// the question, shows the progress dialog, the memory-full box and the error
// display; the functions here take the port and the address (the window
// passes connection::OffenerComPort() and connection::Geraeteadresse()) and a
// progress callback.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "curves/model.h"
#include "device/memory_transfer.h"

namespace curves {

// Called with 0 before the first block (the window may put up its dialog
// then) and after each block with (total - remaining) * 100 / total.
using Fortschritt = device::Fortschritt;

inline constexpr int kSpeichertyp = 4;  // the board's curve memory

inline constexpr int kSendenOhnePort = -122430;
inline constexpr int kLesenOhnePort = -122431;
inline constexpr int kKeineKurve = -1019472;
inline constexpr int kPruefsummeFalsch = -897407;
inline constexpr int kBereichUngueltig = -1019408;
inline constexpr int kBereichZuGross = -1019409;
inline constexpr int kUngeradeLaenge = -1019417;
inline constexpr int kWortUngueltig = -1019418;
inline constexpr int kKeinSpeicherAbbild = -600416;
inline constexpr int kKeinSpeicherGeraden = -600419;

// Titles and texts of the progress dialog.
inline constexpr const char* kSendenText = "Daten senden";
inline constexpr const char* kLesenText = "Daten lesen";

// ---- the length check before sending ----------------------------------------------
inline constexpr const char* kLaengenFrageTitel = "Warnung";
inline constexpr const char* kLaengenFrageAnfang =
    "Kurven sind nicht gleich lang, und laufen daher nicht synchron.\n\n";
// The question's buttons in this order; the dialog seam numbers them 1, 2.
inline constexpr const char* kLaengenKnopfSenden = "Kurven senden";
inline constexpr const char* kLaengenKnopfZurueck = "zurück";
inline constexpr int kAntwortSenden = 1;
inline constexpr int kAntwortZurueck = 2;

struct Laengenpruefung {
    bool frage = false;  // ask kLaengenFrageTitel with `text` before sending
    std::string text;    // kLaengenFrageAnfang and "Kurve %d: %.5f sek\n" per curve
};
// Of the first gKurvenzahl curves, those with more than one segment must all
// last as long as the first of them (whole µs); otherwise the question.
Laengenpruefung KurvenlaengenPruefen();
// Only "Kurven senden" goes on; "zurück" or a closed box sends nothing.
inline bool AntwortSendet(int antwort) {
    return antwort == kAntwortSenden;
}

// ---- sending --------------------------------------------------------------------------
// The image's bytes 0x1000 .. ende - 1 to the same board addresses, in
// ascending blocks of at most 64 bytes. The first failing block ends the
// transfer with its code; -122430 for a port outside 1..8 (no port open).
// Nothing is read back or verified.
int SpeicherabbildSenden(int port, char adresse, const Speicherabbild& abbild,
                         const Fortschritt& fortschritt = {});

struct Sendeergebnis {
    int code = 0;
    // Curve 1 does not fit: show kSpeicherVollText titled "Fehler"; nothing
    // was sent and the error display stays as it was.
    bool speicherVoll = false;
};
// The button "zum VEK-7M schreiben" after the length check: builds the image
// of curve 1 and sends it. The curves, gKurvenGeaendert and gKurvendatei stay.
// Unless speicherVoll the window clears its error display and then shows a
// non-zero code there and in the error box.
Sendeergebnis KurvenSenden(int port, char adresse, const Fortschritt& fortschritt = {});
// The step after the length question: sends for kAntwortSenden, else nothing.
Sendeergebnis KurvenSendenNachFrage(int antwort, int port, char adresse,
                                    const Fortschritt& fortschritt = {});

// ---- reading back -------------------------------------------------------------------
// The 32 header bytes at 0x1000, big-endian.
struct Speicherkopf {
    std::uint16_t pruefsumme = 0;
    std::array<std::uint16_t, kKurven> endadresse{};
    std::array<std::uint16_t, kKurven> zyklen{};
    std::array<std::uint16_t, kKurven> ruhezustand{};
    std::uint8_t kurvenzahl = 0;  // what the board says; not used
};
// `kopf` must hold at least kKopfGroesse bytes.
Speicherkopf KopfDecodieren(std::span<const std::uint8_t> kopf);

// The address range of a curve: start >= 0x1020 and ende >= start, else
// -1019408; ende + 1 within 0x10000 and within the bytes held (speicherEnde,
// one past the last board address read), else -1019409.
int KurvenbereichPruefen(std::int64_t start, std::int64_t ende,
                         std::int64_t speicherEnde = static_cast<std::int64_t>(kSpeicherGroesse));

struct Rueckgelesen {
    int code = 0;
    Speicherkopf kopf;
    std::vector<Gerade> geraden;  // one segment of length 1 per sample word
};
// Decodes curve `kurve` (0..3; the program reads 0) from the bytes of board
// memory starting at 0x1000, any bytes at all: -1019409 when they are shorter
// than the header or the curve's range, -1019472 when curve 1's end lies below
// 0x1020, -897407 for a checksum over 0x1002 .. curve 1's end that differs
// from the header's, the range checks above, then every word big-endian to
// {y = word & 0x0FFF, laenge 1, zeitbasis = ((word & 0x7000) >> 12) + 1}: a
// word with bit 15 set gives -1019418, a byte left over -1019417.
// -600419 when the segments cannot be had.
Rueckgelesen SpeicherabbildDecodieren(std::span<const std::uint8_t> bild, int kurve = 0);

// The button "vom VEK-7M lesen": reads the header (no progress), then
// 0x1000 .. curve 1's end in blocks of at most 64 bytes (with progress), and
// decodes curve 1. On success its segments are replaced, gZyklen[0] and
// gRuhezustand[0] take the header's values; on failure the curves stay.
// Either way, as after every read, the file name is cleared (the window's
// title becomes "Kurvengenerator") and the view spans the edited curve; no
// undo step is taken and gKurvenGeaendert stays as it was. -122431 for a port
// outside 1..8; the memory read's codes; the decoder's codes; -600416 no
// memory for the image.
int KurvenLesen(int port, char adresse, const Fortschritt& fortschritt = {});

}  // namespace curves
