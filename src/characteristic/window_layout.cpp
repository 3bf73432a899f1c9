// The characteristic window's own controls, placed in the editor frame's
// right column and bottom row, and their help texts.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "characteristic/model.h"
#include "characteristic/window.h"
#include "ui/graph.h"
#include "ui/help.h"
#include "ui/number_field.h"

namespace characteristic {
namespace {

constexpr double kZahlgrenze = 1e9;
constexpr int kSchieberSchritte = 1000;

const char* const kHilfeGraph =
    "Graphische Darstellung der Kennlinie, die die MUX-6 ausgeben soll.\nRote Linien      = "
    "intern gespeicherte Geraden. \nBlaue Linien    = digitalisierte Geraden wie sie "
    "tatsächlich ausgegeben werden.\nHellrote Linie   = ggf. Ergänzungsstück bis zum "
    "Bereichsende\nHellblaue Linie = digitalisiertes Ergänzungsstück";
const char* const kHilfeGraphKlein =
    "Ansicht der Kennlinie in volle Länge.\nRoter Rahmen = Ausschnitt der in der großen\n        "
    "                   Grafik dargestellt wird.";
const char* const kHilfeKoordinaten = "Anzeige der Punktkoordinaten.";
const char* const kHilfeRaster =
    "Raster zum Zeichnen der Punkte.\nDie Einheit der Rasterpunkte ist die Einheit, die\nim "
    "Fenster 'Konfiguration' für den Eingang 1 (X-Richtung)\nbzw für den Ausgang 1 (Y-Richtung) "
    "eingestellt wurde.";
const char* const kHilfeBegrenzung =
    "Dem Ausgang 2 kann ein fester Wert zugewiesen werden,\nder während der Kennlinienregelung "
    "ausgegeben wird\n(z.B. zur Strombegrenzung). Der Wert muß in der Einheit\nangegeben werden, "
    "die im Fenster 'Konfiguration' für\nden Ausgang 2 eingestellt wurde.";
const char* const kHilfeAnstiegszeit =
    "Der Kennlinienausgang wird so verzögert, daß er\ndie hier eingestellte Zeit benötigt, um von "
    "0 auf\n100% anzusteigen (oder abzufallen).\nDiese Einstellung dient zur Unterdrückung "
    "von\nSchwingungen.";
const char* const kHilfeKurvenNr =
    "Die Nummer des Speicherplatzes der bei den Vorgängen\n'zu MUX-6 schreiben' und 'von MUX-6 "
    "lesen' beschrieben\nbzw. gelesen werden soll.";
const char* const kHilfeSchreiben =
    "Überträgt die Kennlinie zur MUX-6\nin den Speicherplatz der im Feld\n'Kurve Nr.' angegeben "
    "ist.";
const char* const kHilfeLesen =
    "Ließt eine Kennlinie, aus dem im Feld 'Kurve Nr.'\nangegebenen Speicherplatz, aus der MUX-6 "
    "aus.";
const char* const kHilfeAusgang4 =
    "Setzt Ausgang 4 der MUX-6 auf die Auswahlspannung,\nfür die in 'Kurve Nr.' eingestellte "
    "Kennlinie.\nDamit wird diese Kennlinie ausgewählt, falls an\nder MUX-6 Ausgang 4 mit dem "
    "Kennlinienauswahl-\nEingang (Eingang 3) verbunden wurde.";

QLabel* Beschriftung(const QString& text, QWidget* eltern) {
    auto* l = new QLabel(text, eltern);
    l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return l;
}

ui::Zahlfeld* Feld(const QString& name, double unten, double oben, int stellen, QWidget* eltern) {
    auto* f = new ui::Zahlfeld(name, unten, oben, eltern);
    f->setDecimals(stellen);
    // A value counts when it is entered, not at every key.
    f->setKeyboardTracking(false);
    return f;
}

QLineEdit* Anzeige(const QString& name, QWidget* eltern) {
    auto* f = new QLineEdit(eltern);
    f->setObjectName(name);
    f->setReadOnly(true);
    f->setFocusPolicy(Qt::NoFocus);
    f->setAlignment(Qt::AlignRight);
    return f;
}

// The rise-time slide runs over the board's times on a logarithmic scale:
// from 0.1 ms to the longest time the board knows, some 100 s.
double SchieberZuMs(int stellung) {
    const double laengste = CodeZuAnstiegszeit(1);
    return kStartAnstiegszeit *
           std::pow(laengste / kStartAnstiegszeit, double(stellung) / kSchieberSchritte);
}

int MsZuSchieber(double ms) {
    const double laengste = CodeZuAnstiegszeit(1);
    if (!(ms > kStartAnstiegszeit))
        return 0;
    const double s = std::log(ms / kStartAnstiegszeit) / std::log(laengste / kStartAnstiegszeit);
    return static_cast<int>(std::lround(std::clamp(s, 0.0, 1.0) * kSchieberSchritte));
}

}  // namespace

void Kennlinienpanel::InhaltAnlegen() {
    QWidget* w = inhalt();
    graph()->XNameSetzen("");
    QVBoxLayout* rechts = rechteSpalte();
    rechts->addSpacing(6);

    begrenzungLabel_ = Beschriftung("Analogausgang2 [V]", w);
    begrenzungLabel_->setObjectName("KENNLPNL_BEGRENZUNG_LABEL");
    begrenzung_ = Feld("KENNLPNL_BEGRENZUNG", 0, 10, 3, w);
    rechts->addWidget(begrenzungLabel_);
    rechts->addWidget(begrenzung_);
    rechts->addSpacing(6);

    anstiegszeit_ = Feld("KENNLPNL_ANSTIEGSZEIT", kStartAnstiegszeit, CodeZuAnstiegszeit(1), 3, w);
    anstiegszeitSchieber_ = new QSlider(Qt::Horizontal, w);
    anstiegszeitSchieber_->setObjectName("KENNLPNL_ANSTIEGSZEIT_SCHIEBER");
    anstiegszeitSchieber_->setRange(0, kSchieberSchritte);
    // The time counts when the slide is let go.
    anstiegszeitSchieber_->setTracking(false);
    rechts->addWidget(Beschriftung("Anstiegszeit-\nbegrenzung\nvon 0 auf 100%\n[ms]", w));
    rechts->addWidget(anstiegszeit_);
    rechts->addWidget(anstiegszeitSchieber_);
    rechts->addSpacing(6);

    kurvenNr_ = new QSpinBox(w);
    kurvenNr_->setObjectName("KENNLPNL_KURVENNR");
    kurvenNr_->setRange(1, kSpeicherplaetze);
    kurvenNr_->setAlignment(Qt::AlignRight);
    rechts->addWidget(Beschriftung("Kurve Nr.", w));
    rechts->addWidget(kurvenNr_);
    rechts->addStretch(1);

    auto knopf = [&](const char* name, const char* text) {
        auto* k = new QPushButton(text, w);
        k->setObjectName(name);
        rechts->addWidget(k);
        return k;
    };
    schreiben_ = knopf("KENNLPNL_SCHREIBEN", "zur MUX-6 schreiben");
    lesen_ = knopf("KENNLPNL_LESEN", "von MUX-6 lesen");
    ausgang4_ = knopf("KENNLPNL_AUSGANG4SETZEN", "über Ausg.4 anwählen");

    // Bottom row: coordinates and grids.
    auto* koord = new QGroupBox(w);
    koord->setObjectName("KENNLPNL_KOORDINATEN");
    auto* kl = new QGridLayout(koord);
    kl->setContentsMargins(6, 4, 6, 4);
    kl->setVerticalSpacing(1);
    x_ = Anzeige("KENNLPNL_X", koord);
    y_ = Anzeige("KENNLPNL_Y", koord);
    xRaster_ = Feld("KENNLPNL_XRASTER", 0, kZahlgrenze, 4, koord);
    yRaster_ = Feld("KENNLPNL_YRASTER", 0, kZahlgrenze, 4, koord);
    kl->addWidget(Beschriftung("X", koord), 0, 0);
    kl->addWidget(x_, 1, 0);
    kl->addWidget(Beschriftung("Y", koord), 0, 1);
    kl->addWidget(y_, 1, 1);
    kl->addWidget(Beschriftung("X-Raster", koord), 2, 0);
    kl->addWidget(xRaster_, 3, 0);
    kl->addWidget(Beschriftung("Y-Raster", koord), 2, 1);
    kl->addWidget(yRaster_, 3, 1);
    for (QWidget* f : {static_cast<QWidget*>(x_), static_cast<QWidget*>(y_),
                       static_cast<QWidget*>(xRaster_), static_cast<QWidget*>(yRaster_)})
        f->setFixedWidth(96);
    untereZeile()->addWidget(koord);

    for (ui::Zahlfeld* f : {xRaster_, yRaster_, begrenzung_})
        connect(f, &QDoubleSpinBox::valueChanged, f, &ui::Zahlfeld::Bearbeitet);
    connect(anstiegszeit_, &QDoubleSpinBox::valueChanged, this, [this] {
        if (anstiegszeit_->Bearbeitet())
            Anstiegszeit_Callback();
    });
    // A wheel moves the slider past the direct-help filter: help puts it back.
    ui::CallbackVerbinden(
        anstiegszeitSchieber_, &QSlider::valueChanged, this,
        [this](int stellung) {
            anstiegszeit_->Setzen(SchieberZuMs(stellung));
            Anstiegszeit_Callback();
        },
        [this] { SchieberNachziehen(); });
    ui::CallbackVerbinden(schreiben_, &QPushButton::clicked, this,
                          [this] { KennlinieSenden_Callback(true); });
    ui::CallbackVerbinden(lesen_, &QPushButton::clicked, this,
                          [this] { KennlinieSenden_Callback(false); });
    ui::CallbackVerbinden(ausgang4_, &QPushButton::clicked, this,
                          [this] { Ausgang4Setzen_Callback(); });
}

void Kennlinienpanel::Anstiegszeit_Callback() {
    // The field always shows a time the board can realise.
    anstiegszeit_->Setzen(AnstiegszeitRealisierbar(anstiegszeit_->Wert()));
    SchieberNachziehen();
}

void Kennlinienpanel::SchieberNachziehen() {
    const QSignalBlocker still(anstiegszeitSchieber_);
    anstiegszeitSchieber_->setValue(MsZuSchieber(anstiegszeit_->Wert()));
}

void Kennlinienpanel::HilfetexteSetzen() {
    ui::HilfetextSetzen(graph(), kHilfeGraph);
    ui::HilfetextSetzen(graphKlein(), kHilfeGraphKlein);
    ui::HilfetextSetzen(kommentarKnopf(), "Öffnet das Kommentarfeld.");
    ui::HilfetextSetzen(x_, kHilfeKoordinaten);
    ui::HilfetextSetzen(y_, kHilfeKoordinaten);
    ui::HilfetextSetzen(xRaster_, kHilfeRaster);
    ui::HilfetextSetzen(yRaster_, kHilfeRaster);
    ui::HilfetextSetzen(begrenzung_, kHilfeBegrenzung);
    ui::HilfetextSetzen(anstiegszeit_, kHilfeAnstiegszeit);
    ui::HilfetextSetzen(anstiegszeitSchieber_, kHilfeAnstiegszeit);
    ui::HilfetextSetzen(kurvenNr_, kHilfeKurvenNr);
    ui::HilfetextSetzen(schreiben_, kHilfeSchreiben);
    ui::HilfetextSetzen(lesen_, kHilfeLesen);
    ui::HilfetextSetzen(ausgang4_, kHilfeAusgang4);
}

}  // namespace characteristic
