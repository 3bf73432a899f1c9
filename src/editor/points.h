#pragma once
// A chain of points as both editors keep it: point i starts a segment that
// reaches point i + 1 after `laenge(point i)` X units (µs on the curve
// generator's time axis, input counts on the characteristic's X axis). The
// caller passes that length as a function of one point.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace editor {

// A list of points as the records keep it: `anzahl` follows geraden.size().
// One undo slot, or the clipboard.
template <class T>
struct Geradenliste {
    std::int32_t anzahl = 0;
    std::vector<T> geraden;

    friend bool operator==(const Geradenliste&, const Geradenliste&) = default;
};

// X of point n (0..size; size gives the end of the last segment): the sum of
// the lengths before it. Whole units summed in a double stay exact far beyond
// any curve.
template <class T, class Laenge>
double PunktX(const std::vector<T>& punkte, int n, Laenge laenge) {
    const int bis = std::clamp(n, 0, static_cast<int>(punkte.size()));
    double x = 0.0;
    for (int i = 0; i < bis; ++i)
        x += laenge(punkte[static_cast<std::size_t>(i)]);
    return x;
}

// The segment that holds x: the first whose end E satisfies floor(x) + 1 <= E,
// so a position on a point belongs to the segment starting there; positions
// at or after the end give the last point.
template <class T, class Laenge>
int GeradeBeiX(const std::vector<T>& punkte, double x, Laenge laenge) {
    const double grenze = std::floor(x) + 1.0;
    double ende = 0.0;
    const int n = static_cast<int>(punkte.size());
    for (int i = 0; i < n; ++i) {
        ende += laenge(punkte[static_cast<std::size_t>(i)]);
        if (grenze <= ende)
            return i;
    }
    return n - 1;
}

}  // namespace editor
