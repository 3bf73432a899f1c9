#include "direct_io/window.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/konfig.h"
#include "direct_io/protokoll.h"
#include "direct_io/window_instrumente.h"
#include "direct_io/window_streifen.h"
#include "ui/error_display.h"
#include "ui/help.h"
#include "ui/number_field.h"
#include "ui/registry.h"
#include "ui/texts.h"

namespace direct_io {
namespace {

const char* const kHilfeEingang =
    "Analogeingang der MUX-6, dargestellt mit einem\nnachgebildeten Zeigerinstrument sowie "
    "einem\nZahlenwert. Die Eingänge werden gelesen, wenn\nder Knopf 'Eingänge lesen' aktiviert "
    "wurde.\nDie Einheit der Zahlenwerte entspricht der Einheit,\ndie im Fenster 'Konfiguration' "
    "eingestellt wurde.";
const char* const kHilfeMin =
    "Kleinster aufgetretener Wert für diesen Eingang.\nDer Wert kann mit dem Knopf 'min/max "
    "Reset' zurück-\ngesetzt werden.";
const char* const kHilfeMax =
    "Größter aufgetretener Wert für diesen Eingang.\nDer Wert kann mit dem Knopf 'min/max "
    "Reset'\nzurückgesetzt werden.";
const char* const kHilfeBegrenzung =
    "Die Ausgänge werden auf den hier eingestellten Wert begrenzt.\nSo kann vermieden werden, "
    "dass versehentlich ein gefährlich hoher\nWert eingestellt wird.";
const char* const kHilfeDateiSpeichern = "Protokollieren der Ein- und Ausgänge in eine Textdatei.";
const char* const kHilfeDateiLed = "LED grün -> speichern in eine Datei ist aktiv.";
const char* const kHilfeStripchart = "Graphische Darstellung der Eingänge.\nSkala: 0 bis 100%";
const char* const kHilfePlot =
    "Bestimmt, ob dieser Eingang als Kurvendiagramm\ndargestellt werden soll.";
const char* const kHilfeAusgang =
    "Die vier Ausgänge der MUX-6 können mit\nden Drehreglern oder durch Eingabe "
    "eines\nZahlenwertes eingestellt werden.\nDie Einheit der Zahlenwerte entspricht "
    "der\nEinheit, die im Fenster 'Konfiguration'\neingestellt wurde.";
const char* const kHilfeAufNull =
    "Setzt alle vier Ausgänge auf Null. Null bezieht sich hier auf die\nphysikalische Einheit "
    "nach der Umrechnung und entspricht nicht\nunbedingt Null Volt am Ausgang der MUX-6.";
const char* const kHilfeMinMaxReset = "Setzt alle Min- und Max-Werte zurück.";
const char* const kHilfeAbfragen = "Schaltet die laufende Abfrage der\nEingänge ein und aus.";
const char* const kHilfeAbtastzeit =
    "Das Zeitintervall mit dem die Eingänge\nder MUX-6 abgefragt werden, wenn "
    "'Eingänge\nabfragen' aktiv ist.";
const char* const kHilfeZoomX =
    "Wieviel Abtastpunkte sollen im Diagramm pro\nDiagrammbreite dargestellt werden?\nDurch "
    "größere Werte kann ein größerer Zeitraum\ndargestellt werden, kleinere Werte "
    "bewirken,\ndaß das Diagramm in X-Richtung vergrößert wird.";
const char* const kHilfeZoomY =
    "Der Maximalwert des Diagramms in Prozent.\nDer Wert 100 zeigt den gesammten "
    "Eingangs-\nspannungsbereich. Durch kleinere Werte können\nkleine Spannungen vergrößert "
    "dargestellt werden.";

constexpr double kStartAbtastzeit = 1.0;
constexpr double kZoomXObergrenze = 10000.0;
constexpr int kRechteSpalte = 150;

QString P(const char* name) {
    return QString("DIREKTPNL_") + name;
}

QString P(const char* name, int i) {
    return P(name) + QString::number(i + 1);
}

QPushButton* Knopf(const QString& name, const QString& text, const char* hilfe, QWidget* eltern) {
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(name);
    ui::HilfetextSetzen(k, hilfe);
    return k;
}

ui::Zahlfeld* Feld(const QString& name, double unten, double oben, const char* hilfe,
                   QWidget* eltern) {
    auto* f = new ui::Zahlfeld(name, unten, oben, eltern);
    // A value counts when it is entered, not at every key.
    f->setKeyboardTracking(false);
    ui::HilfetextSetzen(f, hilfe);
    return f;
}

// A label beside a field, the label's own line breaks kept.
QHBoxLayout* Zeile(const QString& text, QWidget* feld) {
    auto* z = new QHBoxLayout;
    z->addWidget(new QLabel(text, feld->parentWidget()));
    z->addWidget(feld, 1);
    return z;
}

QIcon Farbmarke(QColor farbe) {
    QPixmap p(14, 4);
    p.fill(farbe);
    return QIcon(p);
}

// The layouts of a hidden window run only when it is shown; the strip
// chart's width is wanted before that.
void LayoutErzwingen(QWidget* w) {
    if (QLayout* l = w->layout()) {
        l->invalidate();
        l->activate();
    }
    for (QWidget* k : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!k->isWindow())
            LayoutErzwingen(k);
    }
}

}  // namespace

Direktpanel::Direktpanel(QWidget* eltern)
    : ui::Childpanel({.fenster = ui::Fenster::Direkt,
                      .praefix = "DIREKTPNL",
                      .titel = "Direkte Ein-/Ausgabe",
                      .menuleiste = "DIREKT",
                      .zurueck = "ZURUECK",
                      .hilfeschalter = true,
                      .fehleranzeige = true},
                     eltern) {
    timer_ = new QTimer(this);
    timer_->setObjectName(P("TIMER"));
    timer_->setInterval(static_cast<int>(kStartAbtastzeit * 1000));
    Aufbauen();
    MenueAufbauen();
    Verbinden();
    Registrieren();
    EintragRegistrieren();
}

void Direktpanel::Aufbauen() {
    auto* lay = new QVBoxLayout(inhalt());
    lay->setContentsMargins(10, 6, 10, 2);
    lay->setSpacing(6);

    auto* oben = new QHBoxLayout;
    for (int i = 0; i < kKanaele; ++i)
        oben->addWidget(Eingangsgruppe(i), 1);
    oben->addWidget(Eingangsknoepfe());
    lay->addLayout(oben);

    auto* mitte = new QHBoxLayout;
    streifen_ = new Streifenschreiber(P("STRIPCHART"), inhalt());
    streifen_->setMinimumHeight(150);
    ui::HilfetextSetzen(streifen_, kHilfeStripchart);
    mitte->addWidget(streifen_, 1);
    mitte->addWidget(Diagrammfelder());
    lay->addLayout(mitte, 1);

    auto* unten = new QHBoxLayout;
    for (int i = 0; i < kKanaele; ++i)
        unten->addWidget(Ausgangsgruppe(i), 1);
    unten->addWidget(Ausgangsknoepfe());
    lay->addLayout(unten);
}

QWidget* Direktpanel::Eingangsgruppe(int i) {
    auto* box = new QGroupBox(QString("Eingang %1").arg(i + 1), inhalt());
    auto* lay = new QVBoxLayout(box);
    lay->setContentsMargins(6, 4, 6, 4);
    lay->setSpacing(3);
    const std::size_t n = Index(i);
    eingaenge_[n] = new Zeigerinstrument(P("EINGANG", i), box);
    ui::HilfetextSetzen(eingaenge_[n], kHilfeEingang);
    lay->addWidget(eingaenge_[n], 1);

    auto* minmax = new QHBoxLayout;
    min_[n] = Feld(P("MIN", i), -1e12, 1e12, kHilfeMin, box);
    max_[n] = Feld(P("MAX", i), -1e12, 1e12, kHilfeMax, box);
    for (ui::Zahlfeld* f : {min_[n], max_[n]}) {
        f->setReadOnly(true);
        f->setFocusPolicy(Qt::NoFocus);
        f->setButtonSymbols(QAbstractSpinBox::NoButtons);
        f->setMinimumWidth(60);
    }
    minmax->addLayout(Zeile("min", min_[n]), 1);
    minmax->addLayout(Zeile("max", max_[n]), 1);
    lay->addLayout(minmax);

    plot_[n] = new QCheckBox("im Diagramm", box);
    plot_[n]->setObjectName(P("PLOT", i));
    plot_[n]->setChecked(true);
    plot_[n]->setIcon(Farbmarke(Streifenschreiber::Farbe(i)));
    ui::HilfetextSetzen(plot_[n], kHilfePlot);
    lay->addWidget(plot_[n]);
    return box;
}

QWidget* Direktpanel::Ausgangsgruppe(int i) {
    auto* box = new QGroupBox(QString("Ausgang %1").arg(i + 1), inhalt());
    auto* lay = new QVBoxLayout(box);
    lay->setContentsMargins(6, 4, 6, 4);
    lay->setSpacing(3);
    const std::size_t n = Index(i);
    ausgaenge_[n] = new Drehknopf(P("AUSGANG", i), box);
    ui::HilfetextSetzen(ausgaenge_[n], kHilfeAusgang);
    lay->addWidget(ausgaenge_[n], 1);
    grenzen_[n] = Feld(P("BEGRENZUNG", i), -1e12, 1e12, kHilfeBegrenzung, box);
    grenzen_[n]->setButtonSymbols(QAbstractSpinBox::NoButtons);
    grenzen_[n]->Setzen(kStandardgrenze);
    lay->addLayout(Zeile("Begrenzung", grenzen_[n]));
    return box;
}

QWidget* Direktpanel::Eingangsknoepfe() {
    auto* spalte = new QWidget(inhalt());
    spalte->setFixedWidth(kRechteSpalte);
    auto* lay = new QVBoxLayout(spalte);
    lay->setContentsMargins(0, 8, 0, 0);
    abfragen_ = Knopf(P("ABFRAGEN"), {}, kHilfeAbfragen, spalte);
    abfragen_->setCheckable(true);
    abfragen_->setMinimumHeight(44);
    AbfrageknopfZeigen(false);
    lay->addWidget(abfragen_);
    abtastzeit_ =
        Feld(P("ABTASTZEIT"), kMindestAbtastzeit, kLaengsteAbtastzeit, kHilfeAbtastzeit, spalte);
    abtastzeit_->setSingleStep(kMindestAbtastzeit);
    abtastzeit_->Setzen(kStartAbtastzeit);
    lay->addLayout(Zeile("Abtast-\nzeit [s]", abtastzeit_));
    lay->addStretch(1);
    minMaxReset_ = Knopf(P("MINMAXRESET"), "min/max Reset", kHilfeMinMaxReset, spalte);
    lay->addWidget(minMaxReset_);
    return spalte;
}

QWidget* Direktpanel::Diagrammfelder() {
    auto* spalte = new QWidget(inhalt());
    spalte->setFixedWidth(kRechteSpalte);
    auto* lay = new QVBoxLayout(spalte);
    lay->setContentsMargins(0, 0, 0, 0);
    zoomY_ = Feld(P("ZOOMY"), kZoomYMin, kZoomYMax, kHilfeZoomY, spalte);
    zoomX_ = Feld(P("ZOOMX"), kZoomXErsatz, kZoomXObergrenze, kHilfeZoomX, spalte);
    for (ui::Zahlfeld* f : {zoomY_, zoomX_})
        StellenSetzen(f, 0);
    zoomX_->setSingleStep(100);
    zoomY_->Setzen(kZoomYMax);
    lay->addLayout(Zeile("Zoom\n(Y-Max)", zoomY_));
    lay->addLayout(Zeile("Zoom\n(X-Max)", zoomX_));
    lay->addStretch(1);
    auto* datei = new QHBoxLayout;
    dateiSpeichern_ =
        Knopf(P("DATEISPEICHERN"), "Speichern\nin Datei", kHilfeDateiSpeichern, spalte);
    dateiSpeichern_->setCheckable(true);
    dateiLed_ = new ui::Led(spalte, QColor(0x00, 0xCC, 0x00));
    dateiLed_->setObjectName(P("DATEISPEICHERNLED"));
    ui::HilfetextSetzen(dateiLed_, kHilfeDateiLed);
    datei->addWidget(dateiSpeichern_, 1);
    datei->addWidget(dateiLed_);
    lay->addLayout(datei);
    return spalte;
}

QWidget* Direktpanel::Ausgangsknoepfe() {
    auto* spalte = new QWidget(inhalt());
    spalte->setFixedWidth(kRechteSpalte);
    auto* lay = new QVBoxLayout(spalte);
    lay->setContentsMargins(0, 8, 0, 0);
    aufNull_ = Knopf(P("AUSGAENGEAUFNULL"), "Ausgänge\nauf Null (ESC)", kHilfeAufNull, spalte);
    aufNull_->setMinimumHeight(56);
    // The label names the key.
    aufNull_->setShortcut(QKeySequence(Qt::Key_Escape));
    lay->addWidget(aufNull_);
    lay->addStretch(1);
    return spalte;
}

void Direktpanel::MenueAufbauen() {
    QMenu* hilfe = menuleiste()->addMenu("Hilfe");
    hilfe->setObjectName(Menuname("HILFE", {}));
    pins_ = hilfe->addAction("MUX-6 Pinbelegung");
    pins_->setObjectName(Menuname("HILFE", "PINS"));
    connect(pins_, &QAction::triggered, this, [this] { Menu_Direkt_Hilfe_Pins(); });
}

void Direktpanel::Verbinden() {
    connect(timer_, &QTimer::timeout, this, [this] { DirektTimer_Callback(); });
    connect(abfragen_, &QPushButton::clicked, this, [this](bool an) { Abfragen_Callback(an); });
    connect(aufNull_, &QPushButton::clicked, this, [this] { AusgaengeAufNull_Callback(); });
    connect(minMaxReset_, &QPushButton::clicked, this, [this] { MinMaxReset_Callback(); });
    connect(abtastzeit_, &QDoubleSpinBox::valueChanged, this, [this] {
        if (abtastzeit_->Bearbeitet())
            Abtastzeit_Callback();
    });
    for (auto [feld, z] : {std::pair{zoomX_, Zoom::X}, std::pair{zoomY_, Zoom::Y}}) {
        connect(feld, &QDoubleSpinBox::valueChanged, this, [this, f = feld, z = z] {
            if (f->Bearbeitet())
                DirektZoom_Callback(z);
        });
    }
    for (int i = 0; i < kKanaele; ++i) {
        ausgaenge_[Index(i)]->geaendert = [this, i] { Ausgang_Callback(i); };
        connect(plot_[Index(i)], &QCheckBox::clicked, this,
                [this, i](bool an) { Traceauswahl_Callback(i, an); });
        ui::Zahlfeld* grenze = grenzen_[Index(i)];
        connect(grenze, &QDoubleSpinBox::valueChanged, grenze, &ui::Zahlfeld::Bearbeitet);
    }
}

void Direktpanel::EintragRegistrieren() {
    QPointer<Direktpanel> selbst(this);
    ui::Fenstereintrag& e = ui::registry().Eintrag(ui::Fenster::Direkt);
    e.iniLesen = [selbst](const settings::IniText& ini) {
        if (selbst)
            selbst->ReadIniDirektpanel(ini);
    };
    e.iniSchreiben = [selbst](settings::IniText& ini) {
        if (selbst)
            selbst->WriteIniDirektpanel(ini);
    };
    e.abbruchWeilNichtGespeichert = [] { return 0; };
    e.neuSkalieren = [selbst] {
        if (selbst)
            selbst->Direktpanel_SkaliereElemente();
    };
}

int Direktpanel::DirektpanelInit() {
    DirektModellInit();
    AbfrageStoppen();
    // Not placed yet: the main window's size, so the strip chart has its width.
    if (!testAttribute(Qt::WA_Resized) && parentWidget())
        resize(parentWidget()->size());
    LayoutErzwingen(this);
    const int punkte = streifen_->Plotbreite() / 2;
    zoomX_->Setzen(punkte);
    streifen_->PunkteProBreiteSetzen(ZoomXPunkte(punkte));
    Direktpanel_SkaliereElemente();
    return 0;
}

int Direktpanel::DirektpanelClear() {
    timer_->stop();
    ProtokollSchliessen();
    return 0;
}

void Direktpanel::Direktpanel_SkaliereElemente() {
    for (int i = 0; i < kKanaele; ++i) {
        EingangSkalieren(i);
        AusgangSkalieren(i);
    }
}

void Direktpanel::EingangSkalieren(int i) {
    const std::size_t n = Index(i);
    const Bereich b = EingangBereich(i);
    const double jetzt = EingangPhysikalisch(i);
    eingaenge_[n]->SkalaSetzen({b.lo, b.hi, b.stellen, ui::Q(config::gKonfig.ineinheit[n])});
    eingaenge_[n]->Setzen(jetzt);
    // The min/max fields show the latest value; the model's minima stay.
    for (ui::Zahlfeld* f : {min_[n], max_[n]}) {
        StellenSetzen(f, b.stellen);
        f->Setzen(jetzt);
    }
}

void Direktpanel::AusgangSkalieren(int i) {
    const std::size_t n = Index(i);
    const Bereich b = AusgangBereich(i);
    ausgaenge_[n]->SkalaSetzen({b.lo, b.hi, b.stellen, ui::Q(config::gKonfig.outeinheit[n])});
    ausgaenge_[n]->Setzen(AusgangPhysikalisch(i));
    StellenSetzen(grenzen_[n], b.stellen);
}

DirektEinstellungen Direktpanel::Einstellungen() const {
    DirektEinstellungen e;
    for (std::size_t n = 0; n < kKanaele; ++n) {
        e.grenze[n] = grenzen_[n]->Wert();
        e.kurve[n] = plot_[n]->isChecked();
    }
    return e;
}

void Direktpanel::ReadIniDirektpanel(const settings::IniText& ini) {
    DirektEinstellungen e = Einstellungen();
    DirektIniLesen(ini, e);
    for (int i = 0; i < kKanaele; ++i) {
        const std::size_t n = Index(i);
        grenzen_[n]->Setzen(e.grenze[n]);
        plot_[n]->setChecked(e.kurve[n]);
        if (!e.kurve[n])
            streifen_->SpurZeigen(i, false);
    }
}

void Direktpanel::WriteIniDirektpanel(settings::IniText& ini) const {
    DirektIniSchreiben(ini, Einstellungen());
}

}  // namespace direct_io
