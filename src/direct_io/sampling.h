#pragma once
// Sampling the four inputs: starting (the log, then the mode byte that tells
// whether input 4 is an input), one cycle per timer tick, stopping. The window
// shows what a cycle reports; mux6ctl prints it. The port (-1 for none) and the
// address are the caller's.

#include <array>
#include <string>

#include "direct_io/log.h"
#include "direct_io/model.h"

namespace direct_io {

inline constexpr int kFehlerEingangOhnePort = -122301;
inline constexpr int kFehlerModusOhnePort = -122315;

struct Zyklus {
    // 0 when the cycle went through. Otherwise sampling must stop: a failed
    // reading (`lesefehler`, for the error display; the log got its error
    // lines) or a failed log line (for the error box); the log is closed.
    int code = 0;
    bool lesefehler = false;
    // Input i was read: its gauge shows EingangPhysikalisch(i).
    std::array<bool, kKanaele> gelesen{};
    // The reading changed the smallest / largest value: MIN / MAX show
    // EingangPhysikalisch(i, gEingangMin[i] / gEingangMax[i]).
    std::array<bool, kKanaele> neuesMin{};
    std::array<bool, kKanaele> neuesMax{};
    // One point per trace for the strip chart, in percent of the input range,
    // once input 4 was dealt with (trace 4 is 0 while input 4 is not sampled).
    bool streifenpunkt = false;
    std::array<double, kKanaele> punkt{};
    // The data line as logged, without its line end; empty without a log.
    std::string zeile;
};

// Reads the mode byte: aktiv = bit 0 clear (input 4 is an analogue input).
// -122315 without a port.
int Eingang4Abfragen(int port, char adresse, bool& aktiv);

// Reads input i (0..3) into the state and `z`. Input 4 while it is not sampled
// is not asked for: its value becomes 0 and the strip chart gets its point.
// -122301 without a port, or the driver's code.
int EingangAbfragen(int port, char adresse, int i, Zyklus& z);

// One tick of the sampling timer: the four inputs in turn, then the log line.
// A failed reading ends the cycle and the block with its error lines.
Zyklus AbtastZyklus(int port, char adresse);

struct Start {
    // The log could not be opened (for the error box); sampling goes on without it.
    int protokollCode = 0;
    // The mode byte could not be read (for the error display); sampling does
    // not start, and a log opened before stays open.
    int code = 0;
};
// Opens the log as ProtokollOeffnen does, then reads the mode byte and sets
// gEingang4Aktiv from it.
Start AbfrageStarten(int port, char adresse, bool speichern, const DateiWaehlen& waehlen);

// Sampling stops: the log is closed. The operator's own stop writes
// kTextBeendet with ProtokollText first.
void AbfrageStoppen();

}  // namespace direct_io
