#pragma once
// Board memory written and read in pieces: one memory command carries at most
// 64 bytes, so the curve image and the characteristic slots go as a row of
// commands, with progress for the window's dialog. The caller checks the port
// number first (its own code for "no port open") and owns the buffer.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace device {

// Whole percent done: 0 before the first piece (a window puts up its progress
// dialog then), and after each piece (total - remaining) * 100 / total.
using Fortschritt = std::function<void(int prozent)>;

inline constexpr std::size_t kStueckMax = 64;      // bytes per memory command
inline constexpr std::size_t kSeitengroesse = 64;  // the board's memory pages

enum class Seitengrenzen {
    Ueberschreiten,  // pieces of 64 bytes from the start, wherever they fall
    Einhalten        // no piece crosses a page: a start inside a page first fills it
};

// The length of the piece that starts at board address `adresse` with `rest`
// bytes still to go (1..64; 0 when nothing is left).
std::size_t Stueckgroesse(std::size_t adresse, std::size_t rest, Seitengrenzen seiten);

// `daten` to memory `typ` from `start`, piece by piece in ascending order. The
// first failing piece ends it with its code; the pieces before it stay written.
int SpeicherBlockweiseSchreiben(int port, char adresse, int typ, int start,
                                std::span<const std::uint8_t> daten,
                                const Fortschritt& fortschritt = {},
                                Seitengrenzen seiten = Seitengrenzen::Ueberschreiten);

// `ziel.size()` bytes of memory `typ` from `start` into `ziel`, piece by
// piece. The first failing piece ends it with its code; `ziel` then holds the
// pieces read before it.
int SpeicherBlockweiseLesen(int port, char adresse, int typ, int start,
                            std::span<std::uint8_t> ziel, const Fortschritt& fortschritt = {},
                            Seitengrenzen seiten = Seitengrenzen::Ueberschreiten);

}  // namespace device
