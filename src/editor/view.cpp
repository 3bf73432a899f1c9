#include "editor/view.h"

#include <algorithm>
#include <cmath>

namespace editor {
namespace {
// A percentage 0..100 of the scroll bar; what is not a number gives `sonst`.
int Prozent(double wert, int sonst) {
    if (std::isnan(wert))
        return sonst;
    return static_cast<int>(std::clamp(wert, 0.0, 100.0));
}
}  // namespace

void Ansicht::ZoomPlus() {
    const double w = Breite();
    const double neu = std::max(w / 1.5, 1.0);
    const double s = start_ + (w - neu) / 2.0;
    start_ = std::floor(s);
    ende_ = std::floor(s + neu) - 1.0;
}

void Ansicht::ZoomMinus(double grenze) {
    const double neu = 1.5 * Breite();
    const double s = std::max(start_ - neu / 6.0, 0.0);
    double e = std::min(s + neu, grenze);
    if (std::floor(s + 1.0) >= std::floor(e))
        e += 1.0;
    start_ = std::floor(s);
    ende_ = std::floor(e) - 1.0;
}

double Ansicht::AnteilLinks(double t) const {
    const double w = Breite();
    if (!std::isfinite(t) || !(w > 0))
        return 0.5;
    // The graph shows start .. end + 1, so the whole width is there for t.
    return std::clamp((t - start_) / w, 0.0, 1.0);
}

void Ansicht::ZoomPlusAn(double t) {
    const double anteil = AnteilLinks(t);
    const double w = Breite();
    const double neu = std::max(w / 1.5, 1.0);
    const double s = start_ + anteil * (w - neu);
    start_ = std::floor(s);
    ende_ = std::floor(s + neu) - 1.0;
}

void Ansicht::ZoomMinusAn(double t, double grenze) {
    const double anteil = AnteilLinks(t);
    const double w = Breite();
    const double neu = 1.5 * w;
    const double s = std::max(start_ - anteil * (neu - w), 0.0);
    double e = std::min(s + neu, grenze);
    if (std::floor(s + 1.0) >= std::floor(e))
        e += 1.0;
    start_ = std::floor(s);
    ende_ = std::floor(e) - 1.0;
}

void Ansicht::Zeigen(double start, double ende) {
    start_ = start;
    ende_ = ende;
}

void Ansicht::Ganz(double laenge) {
    Zeigen(0.0, laenge - 1.0);
}

Rollbalken Ansicht::RollbalkenBerechnen(double laenge) const {
    Rollbalken r;
    const double w = Breite();
    r.groesse = std::max(1, Prozent(std::trunc(w / laenge * 100.0 + 0.5), 100));
    const double rest = std::trunc(laenge - w);
    if (rest > 0)
        r.position = Prozent(std::trunc(100.0 * start_ / rest), 0);
    return r;
}

void Ansicht::RollbalkenGesetzt(int position, double laenge) {
    const double w = Breite();
    const double p = std::clamp(position, 0, 100);
    start_ = std::max(0.0, std::floor(p * (laenge - w) / 100.0 + 0.5));
    ende_ = start_ + w - 1.0;
}

bool ZoomMarkierung(Ansicht ansicht, Markierung markierung) {
    if (!markierung.Aktiv())
        return false;
    // A mark's end is exclusive, a view's inclusive.
    if (markierung.Ende() > markierung.Start())
        ansicht.Zeigen(markierung.Start(), markierung.Ende() - 1.0);
    markierung.Entfernen();
    return true;
}

bool YZoomSetzen(double minRoh, double maxRoh, std::int32_t& zoomMin, std::int32_t& zoomMax,
                 double voll) {
    const double mn = std::max(std::trunc(minRoh), 0.0);
    const double mx = std::min(std::trunc(maxRoh), voll);
    if (!(mn < mx))
        return false;
    zoomMin = static_cast<std::int32_t>(mn);
    zoomMax = static_cast<std::int32_t>(mx);
    return true;
}

Achsenskala SkalaAus(double anzeigeBeiNull, double anzeigeBeiVoll, double voll) {
    return Achsenskala{(anzeigeBeiVoll - anzeigeBeiNull) / voll, anzeigeBeiNull};
}

}  // namespace editor
