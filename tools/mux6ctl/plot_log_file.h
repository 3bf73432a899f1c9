#pragma once
// A measurement log read back for messen zeichnen: every block with its input
// ranges and units and its data lines, from the bytes as the log writes them
// (Windows-1252, CR LF, tab-separated, "-----" for a value not known).
// Standard C++ only.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ctl {

inline constexpr int kLogKanaele = 4;

struct Messkanal {
    double lo = 0.0;  // the physical values of counts 0 and 4095
    double hi = 0.0;
    std::string einheit;  // UTF-8
};

struct Messzeile {
    long long sekunde = 0;  // the line's date and time in seconds of a day count
    std::array<std::optional<double>, kLogKanaele> eingaenge;
};

struct Messblock {
    std::array<Messkanal, kLogKanaele> eingaenge;
    std::vector<Messzeile> zeilen;
    std::string beginn;  // date and time of the first data line as written
};

struct Messprotokoll {
    std::vector<Messblock> bloecke;
    // Why the text is not a measurement log; empty when it is one.
    std::string fehler;
};

// The blocks of a log. Lines outside a block (the texts that end one) are
// passed over; a block head that is not as the log writes it, or a text
// without any block, makes the whole text no measurement log.
Messprotokoll MessprotokollLesen(std::string_view cp1252);

// Each line's time in seconds from the block's first line. The log writes
// whole seconds; the lines that share one second are spread evenly over it,
// as they were sampled at a steady interval.
std::vector<double> Zeitpunkte(const Messblock& b);

}  // namespace ctl
