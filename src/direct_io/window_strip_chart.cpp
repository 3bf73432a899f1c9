#include "direct_io/window_strip_chart.h"

#include <algorithm>
#include <cstddef>

namespace direct_io {
namespace {

// As many points as "Zoom (X-Max)" can ask to see; older ones are dropped.
constexpr std::size_t kHoechstePunkte = 10001;
constexpr QColor kFarben[kKanaele] = {{220, 0, 0}, {0, 150, 0}, {0, 70, 230}, {200, 140, 0}};

}  // namespace

Streifenschreiber::Streifenschreiber(const QString& name, QWidget* eltern) : ui::Graph(eltern) {
    setObjectName(name);
    YNameSetzen("Prozent");
    YGrenzeSetzen(kZoomYMax);
    for (std::size_t i = 0; i < kKanaele; ++i)
        handles_[i] = PolylinieZeichnen({}, {}, kFarben[i]);
    Aktualisieren();
}

QColor Streifenschreiber::Farbe(int i) {
    return kFarben[std::clamp(i, 0, kKanaele - 1)];
}

void Streifenschreiber::Anhaengen(const std::array<double, kKanaele>& punkt) {
    for (std::size_t i = 0; i < kKanaele; ++i) {
        spuren_[i].push_back(punkt[i]);
        if (spuren_[i].size() > kHoechstePunkte)
            spuren_[i].pop_front();
    }
    ++gesamt_;
    Aktualisieren();
}

void Streifenschreiber::PunkteProBreiteSetzen(int punkte) {
    punkte_ = std::max(1, punkte);
    Aktualisieren();
}

void Streifenschreiber::SpurZeigen(int i, bool sichtbar) {
    if (i < 0 || i >= kKanaele)
        return;
    PlotZeigen(handles_[static_cast<std::size_t>(i)], sichtbar);
    Neuzeichnen();
}

bool Streifenschreiber::SpurSichtbar(int i) const {
    return i >= 0 && i < kKanaele && PlotSichtbar(handles_[static_cast<std::size_t>(i)]);
}

void Streifenschreiber::YGrenzeSetzen(double oben) {
    YBereichSetzen(0.0, oben);
    Neuzeichnen();
}

int Streifenschreiber::Plotbreite() {
    // Hidden, the plot has had no resize event: its viewport is taken from
    // the geometry the layout gave it.
    GeometrieUebernehmen();
    Neuzeichnen();
    return Plotflaeche().width();
}

std::vector<double> Streifenschreiber::Spur(int i) const {
    if (i < 0 || i >= kKanaele)
        return {};
    const auto& s = spuren_[static_cast<std::size_t>(i)];
    return {s.begin(), s.end()};
}

void Streifenschreiber::Aktualisieren() {
    // Point k of the run stands at x = k; the width spans `punkte_` steps and
    // moves on with the newest point once it is full.
    const long long start = std::max<long long>(0, gesamt_ - 1 - punkte_);
    XBereichSetzen(static_cast<double>(start), static_cast<double>(start + punkte_));
    for (std::size_t i = 0; i < kKanaele; ++i) {
        const auto& s = spuren_[i];
        const auto n = static_cast<long long>(
            std::min<std::size_t>(s.size(), static_cast<std::size_t>(gesamt_ - start)));
        QVector<double> x, y;
        x.reserve(static_cast<qsizetype>(n));
        y.reserve(static_cast<qsizetype>(n));
        for (long long k = 0; k < n; ++k) {
            x.push_back(static_cast<double>(gesamt_ - n + k));
            y.push_back(s[s.size() - static_cast<std::size_t>(n - k)]);
        }
        PolylinieSetzen(handles_[i], x, y);
    }
    Neuzeichnen();
}

}  // namespace direct_io
