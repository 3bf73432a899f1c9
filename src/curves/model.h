#pragma once
// The curve generator's records and window-wide state, and the calculations
// every other part of the curve generator relies on: timebases, durations,
// segment lookup, point picking, grid snapping, sampling, the board memory
// image and the memory need. Standard C++ only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/mark.h"
#include "editor/sampling.h"
#include "editor/undo_ring.h"
#include "editor/view.h"

namespace curves {

inline constexpr int kKurven = 4;          // the board plays four curves
inline constexpr int kUndoSchritte = 10;   // per curve
inline constexpr int kMaxLaenge = 65535;   // ticks per segment
inline constexpr int kMaxRoh = 4095;       // full scale of an output, counts
inline constexpr int kKommentarMax = 999;  // characters of a comment
inline constexpr int kStartZeitbasis = 4;  // "10ms"
inline constexpr double kStartAnsichtEnde = 10000.0;
static_assert(kUndoSchritte == editor::kUndoSchritte && kMaxRoh == editor::kVollerWert);

// One segment: starts at value y and runs linearly to the next segment's y
// (the last one back to the first) over laenge ticks of its timebase.
struct Gerade {
    std::int32_t y = 0;                       // raw counts 0..4095
    std::int32_t laenge = 1;                  // ticks, 1..65535
    std::int8_t zeitbasis = kStartZeitbasis;  // code 1..8

    friend bool operator==(const Gerade&, const Gerade&) = default;
};

// A closed polyline. `anzahl` always equals geraden.size() and is at least 1;
// the last segment is the closing segment back to point 0.
struct Kurve {
    std::int32_t anzahl = 1;
    std::string kommentar;  // UTF-8, at most 999 Windows-1252 characters
    std::vector<Gerade> geraden{Gerade{}};
};

// One saved curve state of the undo ring.
using UndoSchritt = editor::Geradenliste<Gerade>;

// Segments copied by "Kopieren"/"Ausschneiden"; shared by all four curves.
using Zwischenspeicher = editor::Geradenliste<Gerade>;

// ---- window-wide state (KurvenInit puts it into its start state) ----------
extern std::array<Kurve, kKurven> gKurven;
extern int gAktuelleKurve;
extern std::array<std::int32_t, kKurven> gZyklen;       // 0 = endlessly
extern std::array<std::int32_t, kKurven> gRuhezustand;  // raw counts
extern std::array<double, kKurven> gYRaster;            // display units, 0 = none
extern std::array<std::int32_t, kKurven> gYZoomMin;
extern std::array<std::int32_t, kKurven> gYZoomMax;
extern std::array<std::array<UndoSchritt, kUndoSchritte>, kKurven> gUndoRing;
extern std::array<int, kKurven> gUndoAnzahl;    // 0..10
extern std::array<int, kKurven> gRedoAnzahl;    // 0..10
extern std::array<int, kKurven> gUndoPosition;  // next slot to write, 0..9
extern double gAnsichtStart;                    // visible range, µs; width = end - start + 1
extern double gAnsichtEnde;
extern double gMarkierungStart;  // marked range, µs
extern double gMarkierungEnde;
extern bool gMarkierungAktiv;
extern Zwischenspeicher gZwischenspeicher;
extern int gDarstellung;  // 1 "Linien", 2 "Stufen", 3 "Linien + Stufen"
extern int gKurvenzahl;   // curves checked before sending, always 4
extern bool gKurvenGeaendert;
extern std::string gKurvendatei;  // empty = none

// Puts every state above into its start state (gDarstellung 3 until the
// settings say otherwise). 0, or -600402 when the store cannot be had.
int KurvenInit();

// The settings file's display mode; a value outside 1..3 gives 3.
void DarstellungSetzen(int wert);

// The start curve: one segment {0, 1, "10ms"}, empty comment.
Kurve Startkurve();

// The shared editor pieces on the state above: the visible range, the mark,
// and the undo ring of curve k.
editor::Ansicht Kurvenansicht();
editor::Markierung Kurvenmarkierung();
editor::UndoRing<Gerade> Kurvenundo(int k);

// ---- timebases --------------------------------------------------------------
inline constexpr int kZeitbasen = 8;
// Tick length in µs of code 1..8, 0 for any other code.
int Zeitbasis_Mikrosekunden(int code);
// "1ms" .. "1s"; "" for a code outside 1..8.
const char* Zeitbasis_Name(int code);
// Exact, case-sensitive; 0 when no text matches.
int Zeitbasis_AusName(std::string_view text);

// ---- durations and lookup (on a given curve, and on the edited one) --------
double Gerade_Dauer(const Gerade& g);  // µs
double Kurve_Dauer(const Kurve& k);
double Kurve_Dauer(int i);  // curve index
// Start time of segment n (0..anzahl); n = anzahl gives the duration.
double Kurve_Startzeit(const Kurve& k, int n);
double Kurve_Startzeit(int n);
// The segment that holds time t: the first with floor(t) + 1 <= its end;
// times after the end give the closing segment.
int Kurve_GeradeBeiZeit(const Kurve& k, double t);
int Kurve_GeradeBeiZeit(double t);

// The point nearest to the graph position (t µs, y counts), measured in screen
// pixels of the plot area (its size passed in) over the visible range
// gAnsichtStart..gAnsichtEnde. On equal distances the earlier point wins.
int Kurve_NaechsterPunkt(const Kurve& k, double t, double y, double breitePixel, double hoehePixel);
int Kurve_NaechsterPunkt(double t, double y, double breitePixel, double hoehePixel);

// Snaps a raw value to the Y grid `raster` (display units of output i; 0 = no
// grid), anchored at display zero; clamps to 0..4095 and rounds to a whole
// count. The window passes the current value of its "Y-Raster" entry.
double Kurve_YRasten(int i, double y, double raster);

// ---- display conversion of output i (the configuration's output rule) ------
double RohZuAnzeige(int i, double roh);
double AnzeigeZuRoh(int i, double anzeige);
// The unit text of output i (UTF-8).
std::string Einheit(int i);

// ---- time split for the coordinate displays and the entry dialogs ----------
struct Zeitteile {
    double stunden = 0;
    double minuten = 0;
    double sekunden = 0;
    double millisekunden = 0;  // with fraction
};
Zeitteile ZeitTeilen(double mikrosekunden);
double ZeitZusammensetzen(double stunden, double minuten, double sekunden, double millisekunden);
inline double ZeitZusammensetzen(const Zeitteile& z) {
    return ZeitZusammensetzen(z.stunden, z.minuten, z.sekunden, z.millisekunden);
}

// ---- sampling --------------------------------------------------------------
// Tick k (0..L-1) of a segment from y0 to y1 of length L: linear, clamped to
// 0..4095, rounded half up. The end value belongs to the next segment. The
// characteristic samples its input counts by the same rule.
using editor::Abtastwert;
// The L samples of segment i of the curve (appended to `werte`); used by the
// "Stufen" display and the memory image alike.
void Kurve_GeradeAbtasten(const Kurve& k, int i, std::vector<int>& werte);
// One sample word of the memory image: bit 15 = 0, bits 14..12 = code - 1,
// bits 11..0 = value.
std::uint16_t Abtastwort(int wert, int zeitbasis);

// ---- memory need and board memory image ------------------------------------
inline constexpr std::size_t kSpeicherStart = 0x1000;
inline constexpr std::size_t kKopfGroesse = 32;
inline constexpr std::size_t kDatenStart = kSpeicherStart + kKopfGroesse;  // 0x1020
inline constexpr std::size_t kSpeicherGroesse = 0x10000;
inline constexpr std::size_t kSpeicherVerfuegbar = kSpeicherGroesse - kSpeicherStart;  // 61440
// The image's header by board address, 16-bit fields big-endian: the
// checksum over kPruefsummeAb .. the last sample byte; per curve its last
// byte, its cycles and its rest value; the number of curves in one byte.
inline constexpr std::size_t kKopfPruefsumme = 0x1000;
inline constexpr std::size_t kKopfEndadressen = 0x1002;
inline constexpr std::size_t kKopfZyklen = 0x100A;
inline constexpr std::size_t kKopfRuhezustand = 0x1012;
inline constexpr std::size_t kKopfKurvenzahl = 0x101A;
inline constexpr std::size_t kPruefsummeAb = kKopfEndadressen;

// 32 + 2 bytes per tick of every one of the four curves.
std::int64_t Speicherbedarf();
// As the window shows it: 100 * need / 61440 + 0.05.
double SpeicherbedarfProzent();

// The image of curve 1 (with cycles and rest values of all four) in a 64 KiB
// buffer indexed by board address.
struct Speicherabbild {
    std::vector<std::uint8_t> bytes;  // 65536, zero where nothing is written
    std::size_t ende = 0;             // one past the last sample byte
    // The bytes that go to the board: 0x1000 .. ende - 1.
    // Empty until an image was built.
    std::span<const std::uint8_t> Sendebereich() const {
        if (ende <= kSpeicherStart || ende > bytes.size())
            return {};
        return std::span<const std::uint8_t>(bytes).subspan(kSpeicherStart, ende - kSpeicherStart);
    }
};
inline constexpr const char* kSpeicherVollText =
    "Benötigter Platz für die Kurven überschreitet\nden verfügbaren Speicherplatz im VEK-7M.";
// False (image untouched beyond what it held) when curve 1 does not fit below
// 0x10000: the caller shows kSpeicherVollText and sends nothing.
bool SpeicherabbildBauen(Speicherabbild& abbild);

}  // namespace curves
