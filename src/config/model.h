#pragma once
// The configuration record: which board variant is in use (full-scale voltage
// of the outputs and of the inputs) and how each channel's voltage is shown to
// the operator (a straight line from a voltage range onto a physical range with
// a unit text). It lives on the PC only; nothing of it is sent to the board.
//
// Standard C++ only: every window reads gKonfig, and curve and characteristic
// files embed the record's 352-byte image.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace config {

inline constexpr int kKanaele = 4;
// Unit texts hold at most 8 Windows-1252 characters (a char[9] in the image).
inline constexpr std::size_t kEinheitZeichen = 8;
// Counts of the board's 12-bit converters; 4095 is the full-scale voltage.
inline constexpr double kVollausschlag = 4095.0;
// The highest full-scale voltage of any board variant.
inline constexpr double kHoechsteVollspannung = 10.0;

// Field names as in the image. Index 0 is output 1 or input 1. A
// default-constructed record holds the "Standardwerte": 0 to 10 V shown as
// 0 to 10 "V" on every channel, both full-scale voltages 10 V.
struct Konfig {
    double voutmax = 10.0;
    std::array<double, kKanaele> outmin{0.0, 0.0, 0.0, 0.0};
    std::array<double, kKanaele> outmax{10.0, 10.0, 10.0, 10.0};
    std::array<double, kKanaele> outskalamin{0.0, 0.0, 0.0, 0.0};
    std::array<double, kKanaele> outskalamax{10.0, 10.0, 10.0, 10.0};
    std::array<std::string, kKanaele> outeinheit{"V", "V", "V", "V"};  // UTF-8
    double vinmax = 10.0;
    std::array<double, kKanaele> inmin{0.0, 0.0, 0.0, 0.0};
    std::array<double, kKanaele> inmax{10.0, 10.0, 10.0, 10.0};
    std::array<double, kKanaele> inskalamin{0.0, 0.0, 0.0, 0.0};
    std::array<double, kKanaele> inskalamax{10.0, 10.0, 10.0, 10.0};
    std::array<std::string, kKanaele> ineinheit{"V", "V", "V", "V"};  // UTF-8
};

// The one record of the program, read by every window that shows or accepts
// channel values.
extern Konfig gKonfig;

// gKonfig = the defaults; the window is not touched.
void StandardwerteSetzen();

// ---- The record's image in files (little-endian, field by field) ----------

inline constexpr std::size_t kKonfigBildGroesse = 352;

// Appends 352 bytes. Unit texts are converted to Windows-1252 and cut to 8
// characters; the padding and the bytes after a text's NUL are zeros.
void KonfigBildSchreiben(const Konfig& k, std::vector<std::uint8_t>& out);

// Reads the first 352 bytes (the caller checks the size; a shorter image leaves
// k as it was). Unit texts are read
// up to their NUL, at most 8 bytes, from Windows-1252. The record read is made
// sound by KonfigBereinigen, so no NaN or infinity from a file gets further;
// true when that changed a field (the file was damaged).
bool KonfigBildLesen(std::span<const std::uint8_t> bild, Konfig& k);

// ---- Soundness ---------------------------------------------------------------
//
// Every way into gKonfig (settings file, configuration file, the image in
// curve and characteristic files, KonfigurationSetzen, the window) passes the
// record through KonfigBereinigen:
//  - a full-scale voltage that is not a finite number in (0, 10] becomes 10;
//  - a channel field (voltage or physical value) that is not finite becomes
//    its default (lower 0, upper 10);
//  - unit texts lose control characters, characters Windows-1252 cannot hold
//    become '?', and they are cut to 8 characters.
// A channel that is finite but cannot be inverted (equal voltages, equal
// physical values, or a slope that under- or overflows) stays in the record as
// the operator set it; the conversions show it unscaled, in volts (see below).

// True when the record was changed.
bool KonfigBereinigen(Konfig& k);

// The unit text as the record may hold it (the third rule above).
std::string EinheitBereinigen(const std::string& utf8);

// True when the channel's straight line can be used both ways: all values
// finite, vmax > 0, min != max, and slope and offset finite and non-zero slope.
bool KanalSkalierbar(double vmax, double min, double max, double smin, double smax);
bool AusgangSkalierbar(const Konfig& k, int i);
bool EingangSkalierbar(const Konfig& k, int i);

// ---- Conversions ---------------------------------------------------------------
//
// counts -> volts -> physical value and back, for output i (voutmax, outmin,
// outmax, outskalamin, outskalamax) or input i (the same with vinmax and in...):
//   v = counts * vmax / 4095;  e = (smax - smin) / (max - min);
//   p = e * v + (smin - min * e);  and the exact inverse.
// Nothing is rounded; the line extends beyond min..max. A channel that is not
// KanalSkalierbar converts as the default channel does (p = v, volts); a
// full-scale voltage that is not a finite positive number counts as 10 V. The
// result is always finite: NaN in gives 0, and an overflow saturates at the
// largest double. An index outside 0..3 is treated as a default channel.

double RohZuAnzeige(const Konfig& k, int i, double roh);
double AnzeigeZuRoh(const Konfig& k, int i, double anzeige);
double EingangRohZuAnzeige(const Konfig& k, int i, double roh);
double EingangAnzeigeZuRoh(const Konfig& k, int i, double anzeige);

// The same on gKonfig.
double RohZuAnzeige(int i, double roh);
double AnzeigeZuRoh(int i, double anzeige);
double EingangRohZuAnzeige(int i, double roh);
double EingangAnzeigeZuRoh(int i, double anzeige);

// Counts limited to what the board accepts, 0..4095 (NaN gives 0); callers
// round as their operation says.
double RohBegrenzen(double roh);

// ---- Comparison and taking over --------------------------------------------------

// 1 when a and b are the same, 0 when not. Per channel i = 0..3: outmin,
// outmax, outskalamin, outskalamax, outeinheit, inmin, inmax, inskalamin,
// inskalamax, ineinheit; then voutmax, then vinmax. Doubles exactly, texts
// case-sensitively; the first difference decides.
int KonfigurationenVergleichen(const Konfig& a, const Konfig& b);

// gKonfig = k (made sound), then the configuration window shows it through the
// hook below. Nothing goes to the board and no other window is rescaled.
void KonfigurationSetzen(const Konfig& k);

// The configuration window puts its KonfigurationAnzeigen here (and an empty
// function when it goes), so the model can show the record without Qt.
void KonfigAnzeigeSetzen(std::function<void()> anzeigen);
void KonfigAnzeigen();

}  // namespace config
