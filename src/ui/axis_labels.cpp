#include "ui/axis_labels.h"

#include <cmath>

namespace ui {
namespace {

// Numbers from this size on are grouped; four digits ("4095") read well alone.
constexpr double kGruppierenAb = 10000;
constexpr int kHoechstensStellen = 9;
const QChar kSchmalesLeerzeichen(0x2009);

// The decimals that show every multiple of `schritt` exactly: 0 for 500,
// 1 for 2.5, 2 for 0.25.
int Nachkommastellen(double schritt) {
    if (!(schritt > 0) || !std::isfinite(schritt))
        return 0;
    for (int stellen = 0; stellen < kHoechstensStellen; ++stellen) {
        const double skaliert = schritt * std::pow(10.0, stellen);
        if (std::fabs(skaliert - std::round(skaliert)) < 1e-6 * skaliert)
            return stellen;
    }
    return kHoechstensStellen;
}

QString Gruppiert(const QString& ziffern) {
    QString r;
    const qsizetype n = ziffern.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            r += kSchmalesLeerzeichen;
        r += ziffern[i];
    }
    return r;
}

}  // namespace

QString Zahlbeschriftung(double wert, double schritt) {
    if (!std::isfinite(wert))
        return {};
    const int stellen = Nachkommastellen(schritt);
    const double faktor = std::pow(10.0, stellen);
    double gerundet = std::round(wert * faktor) / faktor;
    if (gerundet == 0)
        gerundet = 0;  // no "-0"
    QString text = QString::number(std::fabs(gerundet), 'f', stellen);
    // "5" beside "2.5" and "7.5", as one writes them.
    if (stellen > 0) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    if (std::fabs(gerundet) >= kGruppierenAb) {
        const qsizetype punkt = text.indexOf('.');
        const QString ganz = punkt < 0 ? text : text.left(punkt);
        text = Gruppiert(ganz) + (punkt < 0 ? QString() : text.mid(punkt));
    }
    return gerundet < 0 ? '-' + text : text;
}

}  // namespace ui
