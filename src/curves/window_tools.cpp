// The graph tools of the curve window: what a press, a drag and a release do
// with each tool, the coordinates display, and the tools' dialogs ("Punkt",
// "Gerade", the timebase pop-up).
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QSize>

#include "curves/editing.h"
#include "curves/model.h"
#include "curves/window.h"
#include "ui/dialogs.h"
#include "ui/graph.h"
#include "ui/texts.h"

namespace curves {
namespace {

const QColor kRot(0xFF, 0x00, 0x00);
const QColor kGelb(0xFF, 0xFF, 0x00);

constexpr int kZeitbasisMenueLinks = 40;  // pixels left of the mouse
constexpr double kWertgrenze = 1e9;

QString Zahl(double v, int stellen) {
    QString s = QString::number(v, 'f', stellen);
    if (s.contains('.')) {
        while (s.endsWith('0'))
            s.chop(1);
        if (s.endsWith('.'))
            s.chop(1);
    }
    return s == "-0" ? "0" : s;
}

// The fields "std", "min", "sek", "msek" of the entry dialogs.
std::vector<ui::Eingabefeld> Zeitfelder(const Zeitteile& z) {
    return {{.name = "XSTUNDEN", .text = "std", .wert = z.stunden},
            {.name = "XMINUTEN", .text = "min", .wert = z.minuten},
            {.name = "XSEKUNDEN", .text = "sek", .wert = z.sekunden},
            {.name = "XMILISEKUNDEN", .text = "msek", .wert = z.millisekunden, .stellen = 4}};
}

double Zeit(const std::vector<double>& werte) {
    return ZeitZusammensetzen(werte.at(0), werte.at(1), werte.at(2), werte.at(3));
}

const Gerade& GeradeDerKurve(int i) {
    const Kurve& k = gKurven[static_cast<std::size_t>(gAktuelleKurve)];
    return k.geraden[static_cast<std::size_t>(i) % k.geraden.size()];
}

}  // namespace

void Kurvenpanel::Koordinaten(double t, double y) {
    const Zeitteile z = ZeitTeilen(t);
    koordinaten_["XSTUNDEN"]->setText(Zahl(z.stunden, 0));
    koordinaten_["XMINUTEN"]->setText(Zahl(z.minuten, 0));
    koordinaten_["XSEKUNDEN"]->setText(Zahl(z.sekunden, 0));
    koordinaten_["XMILISEKUNDEN"]->setText(Zahl(z.millisekunden, 3));
    koordinaten_["Y"]->setText(Zahl(RohZuAnzeige(gAktuelleKurve, y), 3));
}

void Kurvenpanel::KoordinatenLeeren() {
    for (auto& [name, feld] : koordinaten_)
        feld->clear();
    zeitbasisAnzeige_->clear();
}

void Kurvenpanel::Gezogen(ui::Werkzeug w, double t, double y, bool erstes) {
    switch (w) {
        case ui::Werkzeug::Anzeigen:
            zeitbasisAnzeige_->setText(
                Zeitbasis_Name(GeradeDerKurve(Kurve_GeradeBeiZeit(t)).zeitbasis));
            Koordinaten(t, y);
            break;
        case ui::Werkzeug::Zeichnen: {
            const Vorschau v = PunktZeichnenVorschau(t, y, Zeitbasis(), Raster());
            VorschauZeigen({v.von.t, v.nach.t}, {v.von.y, v.nach.y}, {v.nach.t, v.nach.y});
            Koordinaten(v.nach.t, v.nach.y);
            break;
        }
        case ui::Werkzeug::Verschieben:
            Verschieben(t, y, erstes);
            break;
        case ui::Werkzeug::ZeitbasisAendern:
            if (erstes)
                ZeitbasisPopup(t);
            break;
        default:
            break;
    }
}

void Kurvenpanel::Verschieben(double t, double y, bool erstes) {
    if (erstes) {
        const QSize f = graph()->Plotflaeche();
        verschobenerPunkt_ = Kurve_NaechsterPunkt(t, y, f.width(), f.height());
    }
    if (verschobenerPunkt_ < 0)
        return;
    const Verschiebeziel z = PunktVerschiebenZiel(verschobenerPunkt_, t, y, Raster());
    QVector<double> x{z.vorherPunkt.t, z.ziel.t}, yy{z.vorherPunkt.y, z.ziel.y};
    if (z.mitNachher) {
        x << z.nachherPunkt.t;
        yy << z.nachherPunkt.y;
    }
    VorschauZeigen(x, yy, {z.ziel.t, z.ziel.y});
    Koordinaten(z.ziel.t, z.ziel.y);
}

void Kurvenpanel::ZeitbasisPopup(double t) {
    const int aktuell = GeradeDerKurve(Kurve_GeradeBeiZeit(t)).zeitbasis;
    const int z = zeitbasisMenue(QCursor::pos() - QPoint(kZeitbasisMenueLinks, 0), aktuell);
    // The pop-up takes the mouse, and with it the release of this press: the
    // gesture ends here, so the next press opens the pop-up again.
    GesteBeenden();
    if (z != 0)
        Nachher(ZeitbasisAendern(t, z));
}

void Kurvenpanel::Losgelassen(ui::Werkzeug w, double t, double y) {
    const QSize f = graph()->Plotflaeche();
    switch (w) {
        case ui::Werkzeug::LaengeAendern:
            GeradenlaengeDialog(t);
            break;
        case ui::Werkzeug::GeradeTeilen:
            Nachher(GeradeTeilen(t));
            break;
        case ui::Werkzeug::PunktLoeschen:
            Nachher(PunktLoeschen(Kurve_NaechsterPunkt(t, y, f.width(), f.height())));
            break;
        case ui::Werkzeug::Zeichnen:
            VorschauVerbergen();
            Nachher(PunktZeichnen(t, y, Zeitbasis(), Raster()));
            break;
        case ui::Werkzeug::Verschieben: {
            Ergebnis e;
            if (verschobenerPunkt_ >= 0)
                e = PunktVerschieben(verschobenerPunkt_, t, y, Raster());
            verschobenerPunkt_ = -1;
            Nachher(e);
            break;
        }
        case ui::Werkzeug::Punktkoordinaten:
            PunktkoordinatenDialog(t, y);
            break;
        default:
            break;
    }
}

void Kurvenpanel::GeradenlaengeDialog(double t) {
    const Geradenlaenge g = GeradenlaengeHolen(t);
    if (g.gerade < 0)
        return;
    // The segment stands out in yellow while its dialog is open.
    graph()->EbeneLoeschen(ui::Graph::Ebene::Vorschau);
    graph()->LinieZeichnen({Kurve_Startzeit(g.gerade), double(GeradeDerKurve(g.gerade).y)},
                           {Kurve_Startzeit(g.gerade + 1), double(GeradeDerKurve(g.gerade + 1).y)},
                           kGelb, ui::Graph::Ebene::Vorschau);
    graph()->VorschauNeuzeichnen();
    const std::vector<double> werte = ui::dialogs().Eingeben(this, {.name = "KGERADEPNL",
                                                                    .titel = ui::Q(g.titel),
                                                                    .felder = Zeitfelder(g.dauer),
                                                                    .ort = DialogortAnDerMaus()});
    Nachher(GeradenlaengeAendern(g.gerade, Zeit(werte)));
}

void Kurvenpanel::PunktkoordinatenDialog(double t, double y) {
    const QSize f = graph()->Plotflaeche();
    const int i = Kurve_NaechsterPunkt(t, y, f.width(), f.height());
    const Punktkoordinaten p = PunktkoordinatenHolen(i);
    PunktHervorheben({Kurve_Startzeit(i), double(GeradeDerKurve(i).y)}, kRot);
    std::vector<ui::Eingabefeld> felder = Zeitfelder(p.zeit);
    felder.push_back(
        {.name = "Y", .text = "Y", .wert = p.wert, .stellen = 4, .unten = -kWertgrenze});
    const std::vector<double> werte = ui::dialogs().Eingeben(this, {.name = "KPUNKTPNL",
                                                                    .titel = ui::Q(p.titel),
                                                                    .felder = felder,
                                                                    .ort = DialogortAnDerMaus()});
    Nachher(PunktkoordinatenAendern(i, Zeit(werte), werte.at(4)));
}

}  // namespace curves
