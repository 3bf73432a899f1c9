// The characteristic window's view: the characteristic in the large graph
// (drawn by window_plot.h, which mux6ctl's pictures share), the overview, the
// axes in display units, and the view state the frame asks for.
#include <QLineEdit>

#include "characteristic/editing.h"
#include "characteristic/model.h"
#include "characteristic/view.h"
#include "characteristic/window.h"
#include "characteristic/window_plot.h"
#include "config/model.h"
#include "ui/dialogs.h"
#include "ui/graph.h"
#include "ui/texts.h"

namespace characteristic {
namespace {

const QColor kBlau(0x00, 0x00, 0xFF);

}  // namespace

void Kennlinienpanel::Zeichnen() {
    YAchseAnzeigen();
    XAchseAnzeigen();
    KennlinieZeichnen();
    UebersichtZeichnen();
}

void Kennlinienpanel::XAchseAnzeigen() {
    XAchseSetzen(*graph());
}

void Kennlinienpanel::KennlinieZeichnen() {
    if (!characteristic::KennlinieZeichnen(*graph(), gKennlAnsichtStart, gKennlAnsichtEnde,
                                           gKennlDarstellung))
        ui::dialogs().Meldung(this, "Fehler", ui::Q(editor::kSpeicherFehlerText));
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
    y << gKennlinie.geraden.back().y;
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
