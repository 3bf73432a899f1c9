#include "curves/window_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>

#include "curves/model.h"
#include "curves/view.h"
#include "ui/graph.h"
#include "ui/texts.h"

namespace curves {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The room above and below the full range, so a value on the limit stays visible.
constexpr double kYRand = 0.015;

const QColor kRot(0xFF, 0x00, 0x00);
const QColor kBlau(0x00, 0x00, 0xFF);
const QColor kDunkelcyan(0x00, 0x80, 0x80);

// A NaN ends a piece unless the next one starts where the last one ended.
void Anschliessen(std::vector<QPointF>& zug, double x) {
    if (!zug.empty() && zug.back().x() != x)
        zug.emplace_back(kNaN, kNaN);
}

// A step's end and the next segment's first step are often the same point;
// it would add nothing but work.
void Anhaengen(std::vector<QPointF>& zug, double x, double y) {
    if (zug.empty() || zug.back().x() != x || zug.back().y() != y)
        zug.emplace_back(x, y);
}

void Zeichnen(ui::Graph& g, const std::vector<QPointF>& zug, QColor farbe,
              ui::Graph::Linienart art = ui::Graph::Linienart::Linie, bool punkte = false) {
    if (!zug.empty())
        g.KurvenzugZeichnen(zug, farbe, art, punkte);
}

// The steps of one segment for the ticks in von..bis (and one either side):
// a long segment zoomed in must not be sampled whole.
void Stufen(std::vector<QPointF>& zug, const Gerade& gerade, double t0, double t1, double y0,
            double y1, double von, double bis) {
    const double h = Zeitbasis_Mikrosekunden(gerade.zeitbasis);
    const std::int64_t laenge = gerade.laenge;
    const std::int64_t k0 = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(std::floor((von - t0) / h)) - 1, 0, laenge);
    const std::int64_t k1 = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(std::ceil((bis - t0) / h)) + 1, 0, laenge);
    Anschliessen(zug, t0 + h * static_cast<double>(k0));
    for (std::int64_t j = k0; j < k1; ++j)
        Anhaengen(zug, t0 + h * static_cast<double>(j), Abtastwert(y0, y1, j, laenge));
    // The vertical line at the end, to the next point's value.
    if (k1 == laenge)
        Anhaengen(zug, t1, y1);
}

}  // namespace

const Kurvenfarben kBearbeitet{.linie = kRot,
                               .linieSchluss = QColor(255, 150, 150),
                               .stufe = kBlau,
                               .stufeSchluss = QColor(150, 150, 255)};
const Kurvenfarben kHintergrund{.linie = kDunkelcyan,
                                .linieSchluss = kDunkelcyan,
                                .stufe = kDunkelcyan,
                                .stufeSchluss = kDunkelcyan};

bool KurveZeichnen(ui::Graph& g, int k, double von, double bis, const Kurvenfarben& farben,
                   bool punkte, int darstellung, Zeichenpuffer& puffer) {
    const Kurve& kurve = gKurven[static_cast<std::size_t>(k)];
    const std::size_t n = kurve.geraden.size();
    auto wert = [&](std::size_t i) { return double(kurve.geraden[i % n].y); };
    puffer.punkte.clear();
    puffer.linien.clear();
    puffer.stufen.clear();
    puffer.schluss.clear();
    const bool linien = darstellung == 1 || darstellung == 3;
    bool stufen = darstellung == 2 || darstellung == 3;
    bool ok = true;

    // Start times summed once from the front, in the model's order.
    double t0 = 0;
    for (std::size_t i = 0; i < n && t0 <= bis; ++i) {
        const Gerade& gerade = kurve.geraden[i];
        const double t1 = t0 + Gerade_Dauer(gerade);
        if (t1 < von) {
            t0 = t1;
            continue;
        }
        const bool schluss = i == n - 1;
        if (punkte)
            puffer.punkte.emplace_back(t0, wert(i));
        if (linien && schluss) {
            const QPointF zug[] = {{t0, wert(i)}, {t1, wert(0)}};
            g.KurvenzugZeichnen(zug, farben.linieSchluss);
        } else if (linien) {
            Anschliessen(puffer.linien, t0);
            if (puffer.linien.empty() || puffer.linien.back().x() != t0)
                puffer.linien.emplace_back(t0, wert(i));
            puffer.linien.emplace_back(t1, wert(i + 1));
        }
        if (stufen) {
            try {
                Stufen(schluss ? puffer.schluss : puffer.stufen, gerade, t0, t1, wert(i),
                       wert(i + 1), von, bis);
            } catch (const std::bad_alloc&) {
                puffer.stufen.clear();
                puffer.schluss.clear();
                stufen = false;
                ok = false;
            }
            if (schluss)
                Zeichnen(g, puffer.schluss, farben.stufeSchluss, ui::Graph::Linienart::Stufen);
        }
        t0 = t1;
    }
    Zeichnen(g, puffer.linien, farben.linie);
    Zeichnen(g, puffer.stufen, farben.stufe, ui::Graph::Linienart::Stufen);
    Zeichnen(g, puffer.punkte, kRot, ui::Graph::Linienart::Keine, true);
    return ok;
}

void UebersichtZeichnen(ui::Graph& g, int k, Zeichenpuffer& puffer) {
    const Kurve& kurve = gKurven[static_cast<std::size_t>(k)];
    puffer.linien.clear();
    double t = 0;
    for (const Gerade& gerade : kurve.geraden) {
        puffer.linien.emplace_back(t, gerade.y);
        t += Gerade_Dauer(gerade);
    }
    puffer.linien.emplace_back(t, kurve.geraden.front().y);
    g.XBereichSetzen(0, t);
    Zeichnen(g, puffer.linien, kBlau);
}

bool KurvenbildZeichnen(ui::Graph& g, int k, int darstellung) {
    g.AllePlotsLoeschen();
    const double dauer = Kurve_Dauer(k);
    g.XBereichSetzen(0, dauer);
    g.XNameSetzen(QString::fromUtf8(kZeitachse));
    const YAchse a = YAchseBerechnen(k);
    g.YAnzeigeSetzen(a.faktor, a.versatz);
    g.YNameSetzen(ui::Q(a.einheit));
    const double rand = (a.max - a.min) * kYRand;
    g.YBereichSetzen(a.min - rand, a.max + rand);
    Zeichenpuffer puffer;
    return KurveZeichnen(g, k, 0, dauer, kBearbeitet, true, darstellung, puffer);
}

}  // namespace curves
