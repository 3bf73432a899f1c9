// The curve window's view: the edited curve (and curve 1 behind it) in the
// large graph, the overview, the timebase labels, the memory display, and the
// view state the frame asks for.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <cmath>
#include <limits>

#include "curves/editing.h"
#include "curves/model.h"
#include "curves/view.h"
#include "curves/window.h"
#include "ui/dialogs.h"
#include "ui/graph.h"
#include "ui/number_field.h"
#include "ui/texts.h"

namespace curves {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const QColor kRot(0xFF, 0x00, 0x00);
const QColor kHellrot(255, 150, 150);
const QColor kBlau(0x00, 0x00, 0xFF);
const QColor kHellblau(150, 150, 255);
const QColor kDunkelcyan(0x00, 0x80, 0x80);
const QColor kGelb(0xFF, 0xFF, 0x00);
const QColor kSpeicherRot(0xFF, 0x00, 0x00);
const QColor kSpeicherGrau(0xC0, 0xC0, 0xC0);

}  // namespace

void Kurvenpanel::KurveZeichnen(int k, QColor linie, QColor linieSchluss, QColor stufe,
                                QColor stufeSchluss, bool punkte, int darstellung) {
    ui::Graph* g = graph();
    const Kurve& kurve = gKurven[static_cast<std::size_t>(k)];
    const int n = static_cast<int>(kurve.geraden.size());
    const double von = gAnsichtStart;
    const double bis = gAnsichtEnde + 1;
    // Start times once, rather than summing from the front for every segment.
    std::vector<double> start(static_cast<std::size_t>(n) + 1, 0.0);
    for (int i = 0; i < n; ++i)
        start[static_cast<std::size_t>(i) + 1] =
            start[static_cast<std::size_t>(i)] +
            Gerade_Dauer(kurve.geraden[static_cast<std::size_t>(i)]);
    auto sichtbar = [&](int i) {
        return start[static_cast<std::size_t>(i) + 1] >= von &&
               start[static_cast<std::size_t>(i)] <= bis;
    };
    auto wert = [&](int i) { return double(kurve.geraden[static_cast<std::size_t>(i % n)].y); };

    QVector<double> px, py;  // point markers
    QVector<double> lx, ly;  // ordinary segments as lines
    QVector<double> sx, sy;  // ordinary segments as steps
    bool stufenZeichnen = darstellung == 2 || darstellung == 3;
    for (int i = 0; i < n; ++i) {
        if (!sichtbar(i))
            continue;
        const double t0 = start[static_cast<std::size_t>(i)];
        const double t1 = start[static_cast<std::size_t>(i) + 1];
        if (punkte) {
            px << t0;
            py << wert(i);
        }
        const bool schluss = i == n - 1;
        if (darstellung == 1 || darstellung == 3) {
            if (schluss) {
                g->PolylinieZeichnen({t0, t1}, {wert(i), wert(0)}, linieSchluss);
            } else {
                if (!lx.isEmpty() && lx.back() != t0) {
                    lx << kNaN;
                    ly << kNaN;
                }
                if (lx.isEmpty() || lx.back() != t0) {
                    lx << t0;
                    ly << wert(i);
                }
                lx << t1;
                ly << wert(i + 1);
            }
        }
        if (stufenZeichnen) {
            const Gerade& gerade = kurve.geraden[static_cast<std::size_t>(i)];
            const double h = Zeitbasis_Mikrosekunden(gerade.zeitbasis);
            // Only the ticks in view (and one either side): a long segment
            // zoomed in must not be sampled whole.
            const std::int64_t laenge = gerade.laenge;
            const std::int64_t k0 = std::clamp<std::int64_t>(
                static_cast<std::int64_t>(std::floor((von - t0) / h)) - 1, 0, laenge);
            const std::int64_t k1 = std::clamp<std::int64_t>(
                static_cast<std::int64_t>(std::ceil((bis - t0) / h)) + 1, 0, laenge);
            QVector<double> x, y;
            QVector<double>& zx = schluss ? x : sx;
            QVector<double>& zy = schluss ? y : sy;
            const double erstesX = t0 + h * static_cast<double>(k0);
            try {
                if (!zx.isEmpty() && zx.back() != erstesX) {
                    zx << kNaN;
                    zy << kNaN;
                }
                for (std::int64_t j = k0; j < k1; ++j) {
                    zx << t0 + h * static_cast<double>(j);
                    zy << Abtastwert(wert(i), wert(i + 1), j, laenge);
                }
                // The vertical line at the end, to the next point's value.
                if (k1 == laenge) {
                    zx << t1;
                    zy << wert(i + 1);
                }
            } catch (const std::bad_alloc&) {
                sx.clear();
                sy.clear();
                stufenZeichnen = false;
                ui::dialogs().Meldung(this, "Fehler", kSpeicherFehlerText);
                continue;
            }
            if (schluss)
                g->PolylinieZeichnen(x, y, stufeSchluss, ui::Graph::Linienart::Stufen);
        }
    }
    if (!lx.isEmpty())
        g->PolylinieZeichnen(lx, ly, linie);
    if (!sx.isEmpty())
        g->PolylinieZeichnen(sx, sy, stufe, ui::Graph::Linienart::Stufen);
    if (!px.isEmpty())
        g->PolylinieZeichnen(px, py, kRot, ui::Graph::Linienart::Keine, true);
}

void Kurvenpanel::Zeichnen() {
    // Only curve 1 ever stands behind another edited curve.
    if (gAktuelleKurve != 0 && aktionen().ZuBefehl(ui::Befehl::Schalter, 1)->isChecked()) {
        KurveZeichnen(0, kDunkelcyan, kDunkelcyan, kDunkelcyan, kDunkelcyan, false,
                      gDarstellung == 1 ? 1 : 2);
    }
    Kurvenpanel_SkaliereYAchse();
    KurveZeichnen(gAktuelleKurve, kRot, kHellrot, kBlau, kHellblau, true, gDarstellung);

    // Overview: the whole curve as blue lines.
    const Kurve& kurve = gKurven[static_cast<std::size_t>(gAktuelleKurve)];
    graphKlein()->XBereichSetzen(0, Kurve_Dauer(kurve));
    QVector<double> x, y;
    double t = 0;
    for (const Gerade& g : kurve.geraden) {
        x << t;
        y << g.y;
        t += Gerade_Dauer(g);
    }
    x << t;
    y << kurve.geraden.front().y;
    graphKlein()->PolylinieZeichnen(x, y, kBlau);

    if (AktivesWerkzeug() == ui::Werkzeug::Anzeigen)
        ZeitbasislabelsZeichnen();
    SpeicherbedarfAnzeigen();
    {
        const QSignalBlocker s1(zyklen_);
        zyklen_->setValue(gZyklen[static_cast<std::size_t>(gAktuelleKurve)]);
    }
    ruhezustand_->Setzen(
        RohZuAnzeige(gAktuelleKurve, gRuhezustand[static_cast<std::size_t>(gAktuelleKurve)]));
}

void Kurvenpanel::Kurvenpanel_SkaliereYAchse() {
    YAchseAnzeigen();
    const int k = gAktuelleKurve;
    ruhezustandLabel_->setText(QString("Ruhezustand [%1]").arg(YAchse().einheit));
    ruhezustand_->Setzen(RohZuAnzeige(k, gRuhezustand[static_cast<std::size_t>(k)]));
}

void Kurvenpanel::ZeitbasislabelsZeichnen() {
    const Kurve& kurve = gKurven[static_cast<std::size_t>(gAktuelleKurve)];
    graph()->TextZeichnen({0, 0}, Zeitbasis_Name(kurve.geraden.front().zeitbasis), kGelb);
    QVector<double> x, y;
    double t = 0;
    for (std::size_t i = 0; i < kurve.geraden.size(); ++i) {
        if (i > 0 && kurve.geraden[i].zeitbasis != kurve.geraden[i - 1].zeitbasis) {
            x << t << t << kNaN;
            y << 0 << kMaxRoh << kNaN;
            if (t >= gAnsichtStart && t <= gAnsichtEnde + 1)
                graph()->TextZeichnen({t, 0}, Zeitbasis_Name(kurve.geraden[i].zeitbasis), kGelb);
        }
        t += Gerade_Dauer(kurve.geraden[i]);
    }
    if (!x.isEmpty())
        graph()->PolylinieZeichnen(x, y, kGelb);
}

void Kurvenpanel::SpeicherbedarfAnzeigen() {
    const double p = SpeicherbedarfProzent();
    speicherbedarf_->setProperty("wert", p);
    // The added 0.05 rounds; one decimal is shown.
    speicherbedarf_->setText(QString::number(std::trunc(p * 10) / 10, 'f', 1));
    QPalette pal = speicherbedarf_->palette();
    pal.setColor(QPalette::Base, SpeicherUeberschritten() ? kSpeicherRot : kSpeicherGrau);
    speicherbedarf_->setPalette(pal);
}

// ---- the view state the frame asks for ---------------------------------------------------
ui::XBereich Kurvenpanel::Ansicht() const {
    return {.start = gAnsichtStart, .ende = gAnsichtEnde};
}

ui::XBereich Kurvenpanel::Markierung() const {
    return {.aktiv = gMarkierungAktiv, .start = gMarkierungStart, .ende = gMarkierungEnde};
}

void Kurvenpanel::MarkierungSetzen(ui::Markierschritt s, double t) {
    switch (s) {
        case ui::Markierschritt::Beginnen:
            MarkierungBeginnen(t);
            break;
        case ui::Markierschritt::Ziehen:
            MarkierungZiehen(t);
            break;
        case ui::Markierschritt::Beenden:
            MarkierungBeenden(t);
            break;
        case ui::Markierschritt::Entfernen:
            MarkierungEntfernen();
            break;
    }
}

ui::YAchsenanzeige Kurvenpanel::YAchse() const {
    const int k = gAktuelleKurve;
    const curves::YAchse a = YAchseBerechnen(k);
    return {.faktor = a.faktor,
            .versatz = a.versatz,
            .einheit = ui::Q(a.einheit),
            .min = double(a.min),
            .max = double(a.max),
            .minAnzeige = RohZuAnzeige(k, a.min),
            .maxAnzeige = RohZuAnzeige(k, a.max)};
}

bool Kurvenpanel::YZoomSetzen(double minAnzeige, double maxAnzeige) {
    return curves::YZoomSetzen(minAnzeige, maxAnzeige);
}

ui::Rollstand Kurvenpanel::RollbalkenBerechnen() const {
    const Rollbalken r = curves::RollbalkenBerechnen();
    return {.groesse = r.groesse, .position = r.position};
}

void Kurvenpanel::Gerollt(int position) {
    RollbalkenGesetzt(position);
}

bool Kurvenpanel::Zoomen(ui::Befehl b) {
    switch (b) {
        case ui::Befehl::ZoomPlus:
            ZoomPlus();
            return true;
        case ui::Befehl::ZoomMinus:
            ZoomMinus();
            return true;
        case ui::Befehl::ZoomMarkierung:
            return ZoomMarkierung();
        case ui::Befehl::ZoomGesamt:
            ZoomGesamtkurve();
            return true;
        default:
            return false;
    }
}

bool Kurvenpanel::ZoomenAn(ui::Befehl b, double t) {
    if (b == ui::Befehl::ZoomPlus)
        ZoomPlusAn(t);
    else if (b == ui::Befehl::ZoomMinus)
        ZoomMinusAn(t);
    else
        return Zoomen(b);
    return true;
}

bool Kurvenpanel::RueckgaengigMoeglich() const {
    return curves::RueckgaengigMoeglich();
}

bool Kurvenpanel::WiederherstellenMoeglich() const {
    return curves::WiederherstellenMoeglich();
}

}  // namespace curves
