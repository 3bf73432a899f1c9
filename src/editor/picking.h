#pragma once
// Picking the point nearest to the mouse, fair in both directions whatever
// the zoom, and snapping a position to the X and Y grids.

#include <cstddef>
#include <limits>
#include <vector>

#include "editor/mark.h"
#include "editor/points.h"

namespace editor {

// Graph units to screen pixels of the plot area.
struct Massstab {
    double breite = 1;       // the visible X width (Ansicht::Breite())
    double breitePixel = 1;  // the plot area's size as the platform reports it
    double hoehePixel = 1;
    double hoehe = kVollerWert;  // the full value range, whatever the Y zoom
};

// The distance in pixels of two positions dx, dy apart in graph units, each
// truncated to whole units first.
double PixelAbstand(double dx, double dy, const Massstab& m);

// The index of the point nearest to (x, y) in pixels; on equal distances the
// earlier point wins. Each point has a member `y`; `laenge` gives the X length
// of its segment.
template <class T, class Laenge>
int NaechsterPunkt(const std::vector<T>& punkte, double x, double y, const Massstab& m,
                   Laenge laenge) {
    int beste = 0;
    double besterAbstand = std::numeric_limits<double>::infinity();
    double px = 0.0;
    for (std::size_t i = 0; i < punkte.size(); ++i) {
        const double abstand = PixelAbstand(x - px, y - punkte[i].y, m);
        if (abstand < besterAbstand) {
            besterAbstand = abstand;
            beste = static_cast<int>(i);
        }
        px += laenge(punkte[i]);
    }
    return beste;
}

// ---- grids ---------------------------------------------------------------------
// A grid step of 0 means no grid; so does a step that is not a finite number
// (a scaling without slope), and the position is then only limited and
// rounded. Every result is limited to 0..voll and rounded half up to a whole
// count (what is not a number gives 0).

double GanzBegrenzt(double v, double voll = kVollerWert);
// The grid point nearest to v on a grid through `anker`.
double Rasten(double v, double anker, double schritt, double voll = kVollerWert);
// The grid point above v, and the one below v (grid through 0).
double RastenAuf(double v, double schritt, double voll = kVollerWert);
double RastenAb(double v, double schritt, double voll = kVollerWert);

}  // namespace editor
