#pragma once
// The characteristic-curve controller's records and window-wide state, and
// what every other part of it relies on: point positions, segment lookup,
// sampling into the board's 4096-value table, the rise-time code and the
// board memory block of a slot. Standard C++ only.
//
// X is the input value, Y the output value, both raw counts 0..4095. Point i
// lies at X(i), the sum of the lengths before it; between two points the
// output runs linearly, after the last point it stays at the last value up to
// X 4095.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "editor/mark.h"
#include "editor/points.h"
#include "editor/undo_ring.h"
#include "editor/view.h"

namespace characteristic {

inline constexpr int kMaxRoh = 4095;               // full scale, counts
inline constexpr int kMaxLaenge = 65535;           // input counts per segment
inline constexpr int kMaxPunkte = kMaxRoh + 1;     // points of a sound characteristic
inline constexpr std::size_t kWerte = 4096;        // the board's table, one per input count
inline constexpr int kKommentarMax = 999;          // characters of a comment
inline constexpr double kStartAnstiegszeit = 0.1;  // ms, the shortest the board knows
inline constexpr double kAnsichtLaenge = 4095.0;   // the whole X range 0..4094 (+1)
static_assert(kMaxRoh == editor::kVollerWert);

// One point and the segment that starts there (the curve generator's record).
struct Gerade {
    std::int32_t y = 0;         // output value, raw counts 0..4095
    std::int32_t laenge = 0;    // input counts to the next point
    std::int8_t zeitbasis = 0;  // 0 in every point made here; kept, never interpreted

    friend bool operator==(const Gerade&, const Gerade&) = default;
};

// The characteristic: `anzahl` always equals geraden.size() and is at least 1.
struct Kennlinie {
    std::int32_t anzahl = 1;
    std::string kommentar;  // UTF-8, at most 999 Windows-1252 characters
    std::vector<Gerade> geraden{Gerade{kMaxRoh, 0, 0}};
};

// The start characteristic: full scale for every input, {4095, 0, 0}.
Kennlinie Startkennlinie();

using UndoSchritt = editor::Geradenliste<Gerade>;

// The values of the window's fields that files and the transfer carry; the
// model never holds them between calls.
struct Felder {
    double begrenzung = 0.0;                   // output 2, its display units (KENNLPNL_BEGRENZUNG)
    double anstiegszeit = kStartAnstiegszeit;  // ms (KENNLPNL_ANSTIEGSZEIT)
};
// What "Neu" puts into the fields: output 2 at the input-2 display value of
// 0 counts, 0.1 ms.
Felder StartFelder();

// ---- window-wide state (KennlinienInit puts it into its start state) -------
extern Kennlinie gKennlinie;
extern bool gKennlinieGeaendert;
extern std::string gKennliniendatei;  // empty = none
extern double gKennlAnsichtStart;     // visible X range, input counts, both inclusive
extern double gKennlAnsichtEnde;
extern double gKennlMarkierungStart;  // marked X range
extern double gKennlMarkierungEnde;
extern bool gKennlMarkierungAktiv;
extern bool gKennlMarkierungNeu;     // the next drag with "Markieren" starts a mark
extern bool gKennlVerschiebenNeu;    // the next drag with "Punkt verschieben" picks a point
extern int gKennlVerschiebePunkt;    // the point being moved
extern int gKennlDarstellung;        // 1 "Linien", 2 "Stufen", 3 "Linien + Stufen"
extern std::int32_t gKennlYZoomMin;  // Y range of the graph, output counts
extern std::int32_t gKennlYZoomMax;
extern std::array<UndoSchritt, editor::kUndoSchritte> gKennlUndoRing;
extern int gKennlUndoAnzahl;    // 0..10
extern int gKennlRedoAnzahl;    // 0..10
extern int gKennlUndoPosition;  // next slot to write, 0..9

// Puts every state above into its start state (gKennlDarstellung 3 until the
// settings say otherwise). 0, or -600502 when the store cannot be had.
int KennlinienInit();

// The settings file's display mode; a value outside 1..3 gives 3.
void DarstellungSetzen(int wert);

// The shared editor pieces on the state above.
editor::Ansicht Kennlinienansicht();
editor::Markierung Kennlinienmarkierung();
editor::UndoRing<Gerade> Kennlinienundo();

// ---- positions ---------------------------------------------------------------
// The X length of a point's segment, as the editor pieces take it.
inline double Laenge(const Gerade& g) {
    return static_cast<double>(g.laenge);
}
// X of point i (0..anzahl), input counts.
double Kennlinie_PunktX(const Kennlinie& k, int i);
double Kennlinie_PunktX(int i);
// The point whose segment holds x: a position on a point belongs to the
// segment starting there, positions at or beyond the last point to the last.
int Kennlinie_GeradeBeiX(const Kennlinie& k, double x);
int Kennlinie_GeradeBeiX(double x);

// ---- sampling ----------------------------------------------------------------
inline constexpr int kZuVieleWerte = -1023505;  // "Nicht genug Speicherplatz ..."
// The values the board outputs along point i's segment at its steps
// von..bis-1, limited to 0..L(i) (the last point's runs flat at its value),
// appended to `werte`. A loaded file's lengths may be far beyond any view,
// so the drawing asks for the steps it shows.
void Kennlinie_GeradeAbtasten(const Kennlinie& k, int i, std::vector<int>& werte,
                              std::int64_t von = 0, std::int64_t bis = INT64_MAX);
// The 4096 output values, one per input count: 0, or -1023505 when the
// points need more (`werte` then holds the first 4096).
int Kennlinie_Abtasten(const Kennlinie& k, std::array<int, kWerte>& werte);
int Kennlinie_Abtasten(std::array<int, kWerte>& werte);

// ---- rise time -----------------------------------------------------------------
// The board's 24-bit rise-time code: from 256 on, the step s = code >> 8
// (1..4095) per 0.1 ms of a full-scale swing (409.5 / s ms); below, 1..255
// mean 409.5 * (256 - code) ms. A time that is no positive finite number
// counts as the shortest, 0.1 ms, and never reaches the division; +infinity
// is the longest.
std::int32_t AnstiegszeitZuCode(double ms);
// Codes below 1 count as 1; above 0xFFF00 as 0xFFF00, the low byte ignored.
double CodeZuAnstiegszeit(std::int32_t code);
// What the rise-time field shows after a commit: the nearest time the board
// can realise (1000 ms gives 819).
double AnstiegszeitRealisierbar(double ms);

// ---- the board memory block of a slot -------------------------------------------
inline constexpr int kSpeicherplaetze = 7;
inline constexpr std::size_t kBlockGroesse = 8224;
inline constexpr std::size_t kKurzblockGroesse = 34;
inline constexpr std::size_t kBlockWerte = 32;        // offset of value 0
inline constexpr std::size_t kBlockAusgang2 = 4;      // big-endian, raw counts
inline constexpr std::size_t kBlockAnstiegszeit = 6;  // three bytes, big-endian
inline constexpr std::size_t kBlockForm = 9;          // 0 = 4096 values, else one
inline constexpr std::size_t kBlockPruefsummeAb = 2;
inline constexpr std::uint16_t kKurzblockWert = 0x00CD;

// Slot 1..7 at (n - 1) * 8224: 0x0000, 0x2020, ... 0xC0C0.
int Speicherplatzadresse(int slot);
bool SpeicherplatzGueltig(int slot);

// The output-2 value of the field as the board takes it: converted with
// output 2's scaling, limited to 0..4095, rounded half up.
std::uint16_t Ausgang2Roh(double begrenzung);

// The full block of the characteristic with the fields: 0, or -1023505 (the
// block is then not built).
int KennlinienblockBauen(const Kennlinie& k, const Felder& felder,
                         std::array<std::uint8_t, kBlockGroesse>& block);
int KennlinienblockBauen(const Felder& felder, std::array<std::uint8_t, kBlockGroesse>& block);
// The short block every slot gets while the board's characteristic memory is
// not valid: checksum 0x00CF, form 1, one value 205.
std::array<std::uint8_t, kKurzblockGroesse> Kurzblock();

}  // namespace characteristic
