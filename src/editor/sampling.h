#pragma once
// What the board outputs along a straight piece: both editors sample their
// segments with this one rule (the curve's ticks, the characteristic's input
// counts), for the "Stufen" display and the board's memory alike.

#include <cstdint>

namespace editor {

// Step k (0..laenge-1) of a piece from y0 to y1 of `laenge` steps:
// y0 + (y1 - y0) * k / laenge, limited to 0..4095 (what is not a number gives
// 0) and rounded half up. The end value y1 is never reached: it is the first
// step of the next piece.
int Abtastwert(double y0, double y1, std::int64_t k, std::int64_t laenge);

}  // namespace editor
