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
#include "curves/window_plot.h"
#include "ui/dialogs.h"
#include "ui/graph.h"
#include "ui/number_field.h"
#include "ui/texts.h"

namespace curves {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const QColor kGelb(0xFF, 0xFF, 0x00);
const QColor kSpeicherRot(0xFF, 0x00, 0x00);
const QColor kSpeicherGrau(0xC0, 0xC0, 0xC0);

}  // namespace

void Kurvenpanel::Zeichnen() {
    bool ok = true;
    // Only curve 1 ever stands behind another edited curve.
    if (gAktuelleKurve != 0 && aktionen().ZuBefehl(ui::Befehl::Schalter, 1)->isChecked()) {
        ok = KurveZeichnen(*graph(), 0, gAnsichtStart, gAnsichtEnde + 1, kHintergrund, false,
                           gDarstellung == 1 ? 1 : 2, puffer_);
    }
    Kurvenpanel_SkaliereYAchse();
    ok = KurveZeichnen(*graph(), gAktuelleKurve, gAnsichtStart, gAnsichtEnde + 1, kBearbeitet, true,
                       gDarstellung, puffer_) &&
         ok;
    if (!ok)
        ui::dialogs().Meldung(this, "Fehler", kSpeicherFehlerText);
    UebersichtZeichnen(*graphKlein(), gAktuelleKurve, puffer_);

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
    ui::Graph* g = graph();
    g->TextZeichnen({0, 0}, Zeitbasis_Name(kurve.geraden.front().zeitbasis), kGelb);
    // A label on the pixel column of the one before would only cover it; a
    // read-back curve may change its timebase at thousands of places.
    long letzteSpalte = std::lround(g->GraphZuPixel({0, 0}).x());
    std::vector<QPointF>& linien = puffer_.linien;
    linien.clear();
    double t = 0;
    for (std::size_t i = 0; i < kurve.geraden.size(); ++i) {
        if (i > 0 && kurve.geraden[i].zeitbasis != kurve.geraden[i - 1].zeitbasis) {
            linien.insert(linien.end(), {{t, 0}, {t, double(kMaxRoh)}, {kNaN, kNaN}});
            const long spalte = std::lround(g->GraphZuPixel({t, 0}).x());
            if (t >= gAnsichtStart && t <= gAnsichtEnde + 1 && spalte != letzteSpalte) {
                g->TextZeichnen({t, 0}, Zeitbasis_Name(kurve.geraden[i].zeitbasis), kGelb);
                letzteSpalte = spalte;
            }
        }
        t += Gerade_Dauer(kurve.geraden[i]);
    }
    if (!linien.empty())
        g->KurvenzugZeichnen(linien, kGelb);
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

}  // namespace curves
