#pragma once
// Setting the four outputs by hand: a physical value, held below its limit and
// inside the knob's range, converted to volts by the output's scaling and sent.
// The port (-1 for none) and the address are the caller's; i is 0..3 for
// output 1..4.

#include "device/commands.h"

namespace direct_io {

inline constexpr int kFehlerAusgangOhnePort = -122303;
// The driver's own codes for a voltage it refuses, output 1 first; mux6ctl
// refuses a value outside the output's range with them before anything is sent.
inline constexpr const auto& kFehlerAusgangBereich = device::kAusgangBereichFehler;

struct Ausgabe {
    int code = 0;       // 0, or the code shown in the error display
    double wert = 0.0;  // the value the knob shows now, physical unit
};

// The value held below `grenze` (there is no lower limit), then inside the
// knob's range (the physical values of counts 0 and 4095).
double AusgangBegrenzen(int i, double wert, double grenze);

// True when `wert` lies inside output i's physical range.
bool AusgangImBereich(int i, double wert);

// The value limited as above and sent; gAusgangProzent follows only what the
// board took. Without a port: -122303, nothing sent, the value still limited.
Ausgabe AusgangSetzen(int port, char adresse, int i, double wert, double grenze);

// Physical zero, moved into the output's range, sent without consulting the
// limit. Zero is 0 V only when the scaling maps 0 V to 0.
Ausgabe AusgangAufNull(int port, char adresse, int i);

}  // namespace direct_io
