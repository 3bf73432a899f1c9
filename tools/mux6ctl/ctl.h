#pragma once
// mux6ctl's commands on the program's own model code: the same port rule, the
// same link, the same curve files and the same transfer as the curve window.
// Kept apart from main() so tests run it in-process against a simulated
// board as well as through the executable.

#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "device/serial_port.h"

namespace ctl {

inline constexpr int kErfolg = 0;
inline constexpr int kFehlschlag = 1;    // "Fehler #N: text" or the reason on stderr
inline constexpr int kAufruffehler = 2;  // the command line itself was wrong

struct Umgebung {
    // Makes the port object for a number; --device puts the path in front.
    device::PortFabrik fabrik;
    std::ostream& aus;
    std::ostream& fehler;
    // Progress of a transfer on `fehler` (only when that is a terminal).
    bool fortschritt = false;
    // messen: waits this long before the next sampling cycle, or less when
    // SIGINT or SIGTERM came. Empty: sleeps; tests count instead.
    std::function<void(std::chrono::milliseconds)> warten;
    // What a file named "-" reads from; none: such a file cannot be opened.
    std::istream* ein = nullptr;
};

// The arguments after the program name; the exit status.
int Ausfuehren(const std::vector<std::string>& argumente, Umgebung& umgebung);

// Whether the command draws a picture: main() then makes a QApplication
// (offscreen) instead of the core application the other commands need.
bool GrafikBenoetigt(const std::vector<std::string>& argumente);

}  // namespace ctl
