#include "characteristic/window_plot.h"

#include <QColor>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>
#include <vector>

#include "characteristic/model.h"
#include "characteristic/view.h"
#include "config/model.h"
#include "ui/graph.h"
#include "ui/texts.h"

namespace characteristic {

namespace {

// The room above and below the full range, so a value on the limit stays
// visible (as the window's Y axis has it).
constexpr double kYRand = 0.015;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const QColor kRot(0xFF, 0x00, 0x00);
const QColor kHellrot(255, 150, 150);
const QColor kBlau(0x00, 0x00, 0xFF);
const QColor kHellblau(150, 150, 255);

double Y(int i) {
    return gKennlinie.geraden[static_cast<std::size_t>(i)].y;
}

// Appends a piece to a polyline of many pieces: a gap first unless the piece
// starts where the line ends.
void Anschliessen(QVector<double>& x, QVector<double>& y, double x0, double y0) {
    if (!x.isEmpty() && (x.back() != x0 || y.back() != y0)) {
        x << kNaN;
        y << kNaN;
    }
    if (x.isEmpty() || x.back() != x0) {
        x << x0;
        y << y0;
    }
}

// Appends a segment's digitised form: each value the board outputs, held
// from its input count up to the next, and at the end the jump to the next
// point's value. A segment that goes on from the one before continues its
// piece.
void StufenAnhaengen(QVector<double>& sx, QVector<double>& sy, double x1,
                     const std::vector<int>& werte, double x2, double y2) {
    if (werte.empty())
        return;
    if (!sx.isEmpty() && sx.back() == x1) {
        // The closing jump of the piece before is where this one starts.
        sx.resize(sx.size() - 2);
        sy.resize(sy.size() - 2);
    } else if (!sx.isEmpty()) {
        sx << kNaN;
        sy << kNaN;
    }
    for (std::size_t k = 0; k < werte.size(); ++k) {
        sx << x1 + static_cast<double>(k);
        sy << werte[k];
    }
    sx << x2 << x2;
    sy << werte.back() << y2;
}

}  // namespace

bool KennlinieZeichnen(ui::Graph& g, double ansichtStart, double ansichtEnde, int darstellung) {
    const int letzter = gKennlinie.anzahl - 1;
    const bool linien = darstellung == 1 || darstellung == 3;
    const bool stufen = darstellung == 2 || darstellung == 3;
    // The last point's segment is the flat part up to the end of the input
    // range, whatever its stored length: it is what the board outputs there.
    // Positions are summed as the walk goes, once for the whole drawing.
    auto ende = [&](int i, double start) {
        return i == letzter ? std::max(start, kAnsichtLaenge)
                            : start + Laenge(gKennlinie.geraden[static_cast<std::size_t>(i)]);
    };
    // The steps of a segment starting at x that lie in view, one either side.
    const auto sichtbarVon = static_cast<std::int64_t>(std::floor(ansichtStart)) - 1;
    const auto sichtbarBis = static_cast<std::int64_t>(std::ceil(ansichtEnde)) + 2;

    int von = 0;
    double x = 0;
    while (von < letzter && ende(von, x) < ansichtStart)
        x = ende(von++, x);
    int bis = von;
    for (double e = x; bis < letzter && !(ende(bis, e) > ansichtEnde + 1);)
        e = ende(bis++, e);

    QVector<double> px, py, lx, ly, sx, sy;
    std::vector<int> werte;
    // A segment whose values cannot be had is left out.
    bool ok = true;
    auto abgetastet = [&](auto schritt) {
        try {
            schritt();
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    };
    for (int i = von; i <= bis; ++i) {
        const double e = ende(i, x);
        px << x;
        py << Y(i);
        if (i < letzter) {
            if (linien) {
                Anschliessen(lx, ly, x, Y(i));
                lx << e;
                ly << Y(i + 1);
            }
            if (stufen) {
                abgetastet([&] {
                    werte.clear();
                    const auto start = static_cast<std::int64_t>(x);
                    const std::int64_t ab = std::max<std::int64_t>(sichtbarVon - start, 0);
                    const std::int64_t vor = sichtbarBis - start;
                    Kennlinie_GeradeAbtasten(gKennlinie, i, werte, ab, vor);
                    // A segment running on out of view ends there, without its jump.
                    const bool ganz = static_cast<double>(start + vor) >= e;
                    StufenAnhaengen(sx, sy, x + static_cast<double>(ab), werte,
                                    ganz ? e : static_cast<double>(start + vor),
                                    ganz || werte.empty() ? Y(i + 1) : werte.back());
                });
            }
        } else {
            if (linien)
                g.PolylinieZeichnen({x, e}, {Y(i), Y(i)}, kHellrot);
            const double flachVon = std::max(x, static_cast<double>(sichtbarVon));
            if (stufen && e > flachVon) {
                abgetastet([&] {
                    QVector<double> fx, fy;
                    werte.assign(static_cast<std::size_t>(e - flachVon),
                                 gKennlinie.geraden.back().y);
                    StufenAnhaengen(fx, fy, flachVon, werte, e, Y(i));
                    g.PolylinieZeichnen(fx, fy, kHellblau, ui::Graph::Linienart::Stufen);
                });
            }
        }
        x = e;
    }
    if (!lx.isEmpty())
        g.PolylinieZeichnen(lx, ly, kRot);
    if (!sx.isEmpty())
        g.PolylinieZeichnen(sx, sy, kBlau, ui::Graph::Linienart::Stufen);
    g.PolylinieZeichnen(px, py, kRot, ui::Graph::Linienart::Keine, true);
    return ok;
}

void XAchseSetzen(ui::Graph& g) {
    const editor::Achsenskala x = XAchse();
    g.XAnzeigeSetzen(x.faktor, x.versatz);
    g.XNameSetzen(ui::Q(config::gKonfig.ineinheit[1]));
}

bool KennlinienbildZeichnen(ui::Graph& g, int darstellung) {
    g.AllePlotsLoeschen();
    g.XBereichSetzen(0, kAnsichtLaenge);
    XAchseSetzen(g);
    const editor::Achsenskala y = YAchse();
    g.YAnzeigeSetzen(y.faktor, y.versatz);
    g.YNameSetzen(ui::Q(config::gKonfig.outeinheit[0]));
    g.YBereichSetzen(-kMaxRoh * kYRand, kMaxRoh * (1 + kYRand));
    return KennlinieZeichnen(g, 0, kAnsichtLaenge - 1, darstellung);
}

}  // namespace characteristic
