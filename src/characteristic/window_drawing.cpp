// The characteristic window's view: the characteristic in the large graph
// (stored segments, their digitised form, the flat part up to the end of the
// input range), the overview, the axes in display units, and the view state
// the frame asks for.
#include <QLineEdit>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>

#include "characteristic/editing.h"
#include "characteristic/model.h"
#include "characteristic/view.h"
#include "characteristic/window.h"
#include "config/model.h"
#include "ui/dialogs.h"
#include "ui/graph.h"
#include "ui/texts.h"

namespace characteristic {
namespace {

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

void Kennlinienpanel::Zeichnen() {
    YAchseAnzeigen();
    XAchseAnzeigen();
    KennlinieZeichnen();
    UebersichtZeichnen();
}

void Kennlinienpanel::XAchseAnzeigen() {
    const editor::Achsenskala a = XAchse();
    graph()->XAnzeigeSetzen(a.faktor, a.versatz);
    graph()->XNameSetzen(ui::Q(config::gKonfig.ineinheit[1]));
}

void Kennlinienpanel::KennlinieZeichnen() {
    const int letzter = gKennlinie.anzahl - 1;
    const bool linien = gKennlDarstellung == 1 || gKennlDarstellung == 3;
    const bool stufen = gKennlDarstellung == 2 || gKennlDarstellung == 3;
    // The last point's segment is the flat part up to the end of the input
    // range, whatever its stored length: it is what the board outputs there.
    // Positions are summed as the walk goes, once for the whole drawing.
    auto ende = [&](int i, double start) {
        return i == letzter ? std::max(start, kAnsichtLaenge)
                            : start + Laenge(gKennlinie.geraden[static_cast<std::size_t>(i)]);
    };
    // The steps of a segment starting at x that lie in view, one either side.
    const auto sichtbarVon = static_cast<std::int64_t>(std::floor(gKennlAnsichtStart)) - 1;
    const auto sichtbarBis = static_cast<std::int64_t>(std::ceil(gKennlAnsichtEnde)) + 2;

    int von = 0;
    double x = 0;
    while (von < letzter && ende(von, x) < gKennlAnsichtStart)
        x = ende(von++, x);
    int bis = von;
    for (double e = x; bis < letzter && !(ende(bis, e) > gKennlAnsichtEnde + 1);)
        e = ende(bis++, e);

    QVector<double> px, py, lx, ly, sx, sy;
    std::vector<int> werte;
    // A segment whose values cannot be had is left out, with its box.
    auto abgetastet = [&](auto schritt) {
        try {
            schritt();
        } catch (const std::bad_alloc&) {
            ui::dialogs().Meldung(this, "Fehler", ui::Q(editor::kSpeicherFehlerText));
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
                graph()->PolylinieZeichnen({x, e}, {Y(i), Y(i)}, kHellrot);
            const double flachVon = std::max(x, static_cast<double>(sichtbarVon));
            if (stufen && e > flachVon) {
                abgetastet([&] {
                    QVector<double> fx, fy;
                    werte.assign(static_cast<std::size_t>(e - flachVon),
                                 gKennlinie.geraden.back().y);
                    StufenAnhaengen(fx, fy, flachVon, werte, e, Y(i));
                    graph()->PolylinieZeichnen(fx, fy, kHellblau, ui::Graph::Linienart::Stufen);
                });
            }
        }
        x = e;
    }
    if (!lx.isEmpty())
        graph()->PolylinieZeichnen(lx, ly, kRot);
    if (!sx.isEmpty())
        graph()->PolylinieZeichnen(sx, sy, kBlau, ui::Graph::Linienart::Stufen);
    graph()->PolylinieZeichnen(px, py, kRot, ui::Graph::Linienart::Keine, true);
}

void Kennlinienpanel::UebersichtZeichnen() {
    graphKlein()->XBereichSetzen(0, kAnsichtLaenge);
    QVector<double> x, y;
    double punktX = 0;
    for (const Gerade& g : gKennlinie.geraden) {
        x << punktX;
        y << g.y;
        punktX += Laenge(g);
    }
    x << kAnsichtLaenge;
    y << Y(gKennlinie.anzahl - 1);
    graphKlein()->PolylinieZeichnen(x, y, kBlau);
}

// ---- the view state the frame asks for -----------------------------------------------
ui::XBereich Kennlinienpanel::Ansicht() const {
    return {.start = gKennlAnsichtStart, .ende = gKennlAnsichtEnde};
}

ui::XBereich Kennlinienpanel::Markierung() const {
    return {.aktiv = gKennlMarkierungAktiv,
            .start = gKennlMarkierungStart,
            .ende = gKennlMarkierungEnde};
}

void Kennlinienpanel::MarkierungSetzen(ui::Markierschritt s, double x) {
    switch (s) {
        case ui::Markierschritt::Beginnen:
        case ui::Markierschritt::Ziehen:
            MarkierungZiehen(x);
            break;
        case ui::Markierschritt::Beenden:
            MarkierungBeenden(x);
            break;
        case ui::Markierschritt::Entfernen:
            MarkierungEntfernen();
            break;
    }
}

ui::YAchsenanzeige Kennlinienpanel::YAchse() const {
    const editor::Achsenskala a = characteristic::YAchse();
    return {.faktor = a.faktor,
            .versatz = a.versatz,
            .einheit = ui::Q(config::gKonfig.outeinheit[0]),
            .min = double(gKennlYZoomMin),
            .max = double(gKennlYZoomMax),
            .minAnzeige = config::RohZuAnzeige(0, gKennlYZoomMin),
            .maxAnzeige = config::RohZuAnzeige(0, gKennlYZoomMax)};
}

}  // namespace characteristic
