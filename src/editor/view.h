#pragma once
// The visible X range of an editor's graph over a whole of a given length
// (the curve's duration in µs, the characteristic's 4095 input counts): zoom,
// the scroll bar in percent, the frame in the overview; and the Y zoom
// limits and axis scale. The range's start and end are the window's state;
// Ansicht is a view on them. Both ends are inclusive: the visible width is
// end - start + 1, and the graph shows start .. end + 1.

#include <cstdint>
#include <limits>

#include "editor/mark.h"

namespace editor {

// The scroll bar: thumb size and position in percent.
struct Rollbalken {
    int groesse = 100;  // 1..100
    int position = 0;   // 0..100
};

class Ansicht {
  public:
    Ansicht(double& start, double& ende) : start_(start), ende_(ende) {}

    double Breite() const { return ende_ - start_ + 1.0; }
    // "Zoom +": two thirds of the width (at least 1), around the middle.
    void ZoomPlus();
    // "Zoom -": one and a half times the width, a sixth of it further left,
    // not below 0 and its end not beyond `grenze`.
    void ZoomMinus(double grenze = std::numeric_limits<double>::infinity());
    // The mouse wheel: the widths of "Zoom +" and "Zoom -", placed so that the
    // time t under the mouse keeps its place in the view (its share of the
    // width left of it stays, to the whole unit the range is kept in).
    void ZoomPlusAn(double t);
    void ZoomMinusAn(double t, double grenze = std::numeric_limits<double>::infinity());
    // Shows start .. ende (both inclusive).
    void Zeigen(double start, double ende);
    // "Zoom Gesammtkurve": 0 .. laenge - 1.
    void Ganz(double laenge);
    Rollbalken RollbalkenBerechnen(double laenge) const;
    // The end of a scroll gesture at `position` percent; the width stays.
    void RollbalkenGesetzt(int position, double laenge);
    // The red frame in the overview.
    Rahmen AlsRahmen() const { return Rahmen{start_, 0, ende_ + 1.0, kVollerWert}; }

  private:
    // The share of the visible width left of t, 0..1; the middle for a t
    // that is no number.
    double AnteilLinks(double t) const;

    double& start_;
    double& ende_;
};

// "Zoom Markierung": only with a mark (false without one); zooms to it when
// its end lies after its start, and removes it in either case.
bool ZoomMarkierung(Ansicht ansicht, Markierung markierung);

// The commit of "Y-Zoom min"/"max", both already converted to raw counts:
// truncated and limited to 0..voll; stored when min < max. False when the
// fields go back to the stored limits.
bool YZoomSetzen(double minRoh, double maxRoh, std::int32_t& zoomMin, std::int32_t& zoomMax,
                 double voll = kVollerWert);

// An axis that shows raw counts 0..voll in display units through gain and
// offset, from the display values of 0 and of voll.
struct Achsenskala {
    double faktor = 1;
    double versatz = 0;
};
Achsenskala SkalaAus(double anzeigeBeiNull, double anzeigeBeiVoll, double voll = kVollerWert);

}  // namespace editor
