#include "editor/picking.h"

#include <algorithm>
#include <cmath>

namespace editor {
namespace {
bool MitRaster(double anker, double schritt) {
    return std::isfinite(anker) && std::isfinite(schritt) && schritt != 0.0;
}
}  // namespace

double PixelAbstand(double dx, double dy, const Massstab& m) {
    const double px = std::fabs(std::trunc(dx)) / m.breite * m.breitePixel;
    const double py = std::fabs(std::trunc(dy)) / m.hoehe * m.hoehePixel;
    return std::sqrt(px * px + py * py);
}

double GanzBegrenzt(double v, double voll) {
    if (std::isnan(v))
        v = 0.0;
    return std::floor(std::clamp(v, 0.0, voll) + 0.5);
}

double Rasten(double v, double anker, double schritt, double voll) {
    if (MitRaster(anker, schritt))
        v = std::floor((v - anker) / schritt + 0.5) * schritt + anker;
    return GanzBegrenzt(v, voll);
}

double RastenAuf(double v, double schritt, double voll) {
    if (MitRaster(0.0, schritt))
        v = std::floor((std::floor(v / schritt) + 1.0) * schritt + 0.5);
    return GanzBegrenzt(v, voll);
}

double RastenAb(double v, double schritt, double voll) {
    if (MitRaster(0.0, schritt))
        v = std::floor(std::floor((v - 1.0) / schritt) * schritt + 0.5);
    return GanzBegrenzt(v, voll);
}

}  // namespace editor
