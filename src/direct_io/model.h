#pragma once
// The state of the direct input/output window and the rules it shows: the
// latest input and output values, the smallest and largest input since the
// last reset, whether input 4 is sampled, and the scaling of each channel into
// its physical unit. Standard C++ only; the window and mux6ctl share it.

#include <array>

namespace direct_io {

inline constexpr int kKanaele = 4;
// The sampling timer never runs faster than this, in seconds.
inline constexpr double kMindestAbtastzeit = 0.2;
// The strip chart's Y axis ends between these, in percent of the input range.
inline constexpr double kZoomYMin = 10.0;
inline constexpr double kZoomYMax = 100.0;
// Points per strip-chart width when the field holds nothing sensible.
inline constexpr int kZoomXErsatz = 10;

// Latest value of each input in percent of the input range (100 * volts / vinmax).
extern std::array<double, kKanaele> gEingangProzent;
// Latest value sent to each output in percent of the output range (100 * volts / voutmax).
extern std::array<double, kKanaele> gAusgangProzent;
// Output i took a value since the start state: only then does the log know it.
extern std::array<bool, kKanaele> gAusgangGesendet;
// Smallest and largest input voltage since the last reset, volts.
extern std::array<double, kKanaele> gEingangMin;
extern std::array<double, kKanaele> gEingangMax;
// The next reading of any input resets every minimum and maximum first.
extern bool gMinMaxReset;
// Input 4 is sampled (mode bit 0 was clear when sampling last started).
extern bool gEingang4Aktiv;

// The start state: every value 0, a reset pending, input 4 not sampled, no
// log open.
void DirektModellInit();

// The physical ends of a channel (counts 0 and 4095 by its scaling) and the
// decimals that make one count of that range visible.
struct Bereich {
    double lo = 0.0;
    double hi = 0.0;
    int stellen = 0;
};
Bereich EingangBereich(int i);
Bereich AusgangBereich(int i);

// d = max(0, ceil(-log10((hi - lo) / aufloesung))), rounded to a whole number;
// 0 when hi - lo is 0 or negative. A 0..10 range over 4095 counts gives 3.
int Nachkommastellen(double lo, double hi, double aufloesung);

// Physical values of input i: of a voltage, and of its latest reading.
double EingangPhysikalisch(int i, double volt);
double EingangPhysikalisch(int i);
// Physical value of what was last sent to output i (count 0 before anything was).
double AusgangPhysikalisch(int i);

// Sets gMinMaxReset: the reset itself waits for the next reading.
void MinMaxZuruecksetzen();

// The timer interval for a field value: at least kMindestAbtastzeit seconds.
double Abtastintervall(double sekunden);
// Points per strip-chart width for a "Zoom (X-Max)" value (10 when it is 0 or less).
int ZoomXPunkte(int punkte);
// Top of the Y axis for a "Zoom (Y-Max)" value, limited to 10..100 percent.
double ZoomYGrenze(double prozent);

}  // namespace direct_io
