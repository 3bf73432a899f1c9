#include "direct_io/model.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "config/model.h"
#include "direct_io/log.h"

namespace direct_io {

std::array<double, kKanaele> gEingangProzent{};
std::array<double, kKanaele> gAusgangProzent{};
std::array<bool, kKanaele> gAusgangGesendet{};
std::array<double, kKanaele> gEingangMin{};
std::array<double, kKanaele> gEingangMax{};
bool gMinMaxReset = true;
bool gEingang4Aktiv = false;

namespace {

// Counts of a percentage of the full range.
double RohAusProzent(double prozent) {
    return config::kVollausschlag * prozent / 100.0;
}

// The physical values of counts 0 and 4095 by a channel's scaling.
template <class Umrechnung>
Bereich BereichVon(Umrechnung physikalisch) {
    Bereich b;
    b.lo = physikalisch(0.0);
    b.hi = physikalisch(config::kVollausschlag);
    b.stellen = Nachkommastellen(b.lo, b.hi, config::kVollausschlag);
    return b;
}

}  // namespace

void DirektModellInit() {
    gEingangProzent.fill(0.0);
    gAusgangProzent.fill(0.0);
    gAusgangGesendet.fill(false);
    gEingangMin.fill(0.0);
    gEingangMax.fill(0.0);
    gMinMaxReset = true;
    gEingang4Aktiv = false;
    ProtokollSchliessen();
}

int Nachkommastellen(double lo, double hi, double aufloesung) {
    const double spanne = hi - lo;
    if (!(spanne > 0.0) || !(aufloesung > 0.0)) {
        return 0;
    }
    // Limited before the cast: an infinite span would give -inf decimals.
    const double d = std::max(0.0, std::ceil(-std::log10(spanne / aufloesung)));
    return static_cast<int>(d + 0.5);
}

Bereich EingangBereich(int i) {
    return BereichVon([i](double roh) { return config::EingangRohZuAnzeige(i, roh); });
}

Bereich AusgangBereich(int i) {
    return BereichVon([i](double roh) { return config::RohZuAnzeige(i, roh); });
}

double EingangPhysikalisch(int i, double volt) {
    return config::EingangRohZuAnzeige(i, volt * config::kVollausschlag / config::gKonfig.vinmax);
}

double EingangPhysikalisch(int i) {
    if (i < 0 || i >= kKanaele) {
        return 0.0;
    }
    return config::EingangRohZuAnzeige(i,
                                       RohAusProzent(gEingangProzent[static_cast<std::size_t>(i)]));
}

double AusgangPhysikalisch(int i) {
    if (i < 0 || i >= kKanaele) {
        return 0.0;
    }
    return config::RohZuAnzeige(i, RohAusProzent(gAusgangProzent[static_cast<std::size_t>(i)]));
}

void MinMaxZuruecksetzen() {
    gMinMaxReset = true;
}

double Abtastintervall(double sekunden) {
    // Written so that NaN takes the floor as well.
    return sekunden >= kMindestAbtastzeit ? sekunden : kMindestAbtastzeit;
}

int ZoomXPunkte(int punkte) {
    return punkte <= 0 ? kZoomXErsatz : punkte;
}

double ZoomYGrenze(double prozent) {
    if (std::isnan(prozent)) {
        return kZoomYMax;
    }
    return std::clamp(prozent, kZoomYMin, kZoomYMax);
}

}  // namespace direct_io
