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

#include "config/model.h"
#include "direct_io/log.h"
#include "direct_io/window_instruments.h"
#include "direct_io/window_strip_chart.h"
#include "ui/error_display.h"
#include "ui/help.h"
#include "ui/number_field.h"
#include "ui/registry.h"
#include "ui/texts.h"

namespace direct_io {
namespace {

constexpr double kStartAbtastzeit = 1.0;
constexpr double kZoomXObergrenze = 10000.0;
constexpr int kRechteSpalte = 150;

QString P(const char* name) {
    return QString("DIREKTPNL_") + name;
}

QString P(const char* name, int i) {
    return P(name) + QString::number(i + 1);
}

QPushButton* Knopf(const QString& name, const QString& text, QWidget* eltern) {
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(name);
    return k;
}

ui::Zahlfeld* Feld(const QString& name, double unten, double oben, QWidget* eltern) {
    auto* f = new ui::Zahlfeld(name, unten, oben, eltern);
    // A value counts when it is entered, not at every key.
    f->setKeyboardTracking(false);
    return f;
}

// A label beside a field, the label's own line breaks kept.
QHBoxLayout* Zeile(const QString& text, QWidget* feld) {
    auto* z = new QHBoxLayout;
    z->addWidget(new QLabel(text, feld->parentWidget()));
    z->addWidget(feld, 1);
    return z;
}

// The frame of one channel's controls.
QVBoxLayout* Gruppe(const QString& titel, QWidget* eltern) {
    auto* lay = new QVBoxLayout(new QGroupBox(titel, eltern));
    lay->setContentsMargins(6, 4, 6, 4);
    lay->setSpacing(3);
    return lay;
}

// A column of the window's buttons and fields at the right.
QVBoxLayout* Spalte(QWidget* eltern, int oben) {
    auto* spalte = new QWidget(eltern);
    spalte->setFixedWidth(kRechteSpalte);
    auto* lay = new QVBoxLayout(spalte);
    lay->setContentsMargins(0, oben, 0, 0);
    return lay;
}

// Hooks that reach the window only while it exists.
template <class Funktion>
auto Solange(QPointer<Direktpanel> fenster, Funktion f) {
    return [fenster, f](auto&... argumente) {
        if (fenster)
            (fenster.data()->*f)(argumente...);
    };
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
    HilfetexteDirekt();
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
    QVBoxLayout* lay = Gruppe(QString("Eingang %1").arg(i + 1), inhalt());
    QWidget* box = lay->parentWidget();
    const std::size_t n = Index(i);
    eingaenge_[n] = new Zeigerinstrument(P("EINGANG", i), box);
    lay->addWidget(eingaenge_[n], 1);

    auto* minmax = new QHBoxLayout;
    min_[n] = Feld(P("MIN", i), -1e12, 1e12, box);
    max_[n] = Feld(P("MAX", i), -1e12, 1e12, box);
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
    lay->addWidget(plot_[n]);
    return box;
}

QWidget* Direktpanel::Ausgangsgruppe(int i) {
    QVBoxLayout* lay = Gruppe(QString("Ausgang %1").arg(i + 1), inhalt());
    QWidget* box = lay->parentWidget();
    const std::size_t n = Index(i);
    ausgaenge_[n] = new Drehknopf(P("AUSGANG", i), box);
    // The scale's ends stay beside the dial however wide the group grows.
    lay->addWidget(ausgaenge_[n], 1, Qt::AlignHCenter);
    grenzen_[n] = Feld(P("BEGRENZUNG", i), -1e12, 1e12, box);
    grenzen_[n]->setButtonSymbols(QAbstractSpinBox::NoButtons);
    grenzen_[n]->Setzen(kStandardgrenze);
    lay->addLayout(Zeile("Begrenzung", grenzen_[n]));
    return box;
}

QWidget* Direktpanel::Eingangsknoepfe() {
    QVBoxLayout* lay = Spalte(inhalt(), 8);
    QWidget* spalte = lay->parentWidget();
    abfragen_ = Knopf(P("ABFRAGEN"), {}, spalte);
    abfragen_->setCheckable(true);
    abfragen_->setMinimumHeight(44);
    AbfrageknopfZeigen(false);
    lay->addWidget(abfragen_);
    abtastzeit_ = Feld(P("ABTASTZEIT"), kMindestAbtastzeit, kLaengsteAbtastzeit, spalte);
    abtastzeit_->setSingleStep(kMindestAbtastzeit);
    abtastzeit_->Setzen(kStartAbtastzeit);
    lay->addLayout(Zeile("Abtast-\nzeit [s]", abtastzeit_));
    lay->addStretch(1);
    minMaxReset_ = Knopf(P("MINMAXRESET"), "min/max Reset", spalte);
    lay->addWidget(minMaxReset_);
    return spalte;
}

QWidget* Direktpanel::Diagrammfelder() {
    QVBoxLayout* lay = Spalte(inhalt(), 0);
    QWidget* spalte = lay->parentWidget();
    zoomY_ = Feld(P("ZOOMY"), kZoomYMin, kZoomYMax, spalte);
    zoomX_ = Feld(P("ZOOMX"), kZoomXErsatz, kZoomXObergrenze, spalte);
    for (ui::Zahlfeld* f : {zoomY_, zoomX_})
        StellenSetzen(f, 0);
    zoomX_->setSingleStep(100);
    zoomY_->Setzen(kZoomYMax);
    lay->addLayout(Zeile("Zoom\n(Y-Max)", zoomY_));
    lay->addLayout(Zeile("Zoom\n(X-Max)", zoomX_));
    lay->addStretch(1);
    auto* datei = new QHBoxLayout;
    dateiSpeichern_ = Knopf(P("DATEISPEICHERN"), "Speichern\nin Datei", spalte);
    dateiSpeichern_->setCheckable(true);
    dateiLed_ = new ui::Led(spalte, QColor(0x00, 0xCC, 0x00));
    dateiLed_->setObjectName(P("DATEISPEICHERNLED"));
    datei->addWidget(dateiSpeichern_, 1);
    datei->addWidget(dateiLed_);
    lay->addLayout(datei);
    return spalte;
}

QWidget* Direktpanel::Ausgangsknoepfe() {
    QVBoxLayout* lay = Spalte(inhalt(), 8);
    QWidget* spalte = lay->parentWidget();
    aufNull_ = Knopf(P("AUSGAENGEAUFNULL"), "Ausgänge\nauf Null (ESC)", spalte);
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
    ui::CallbackVerbinden(pins_, &QAction::triggered, this, [this] { Menu_Direkt_Hilfe_Pins(); });
}

void Direktpanel::Verbinden() {
    connect(timer_, &QTimer::timeout, this, [this] { DirektTimer_Callback(); });
    // The switch has already flipped: help puts it back.
    ui::CallbackVerbinden(
        abfragen_, &QPushButton::clicked, this, [this](bool an) { Abfragen_Callback(an); },
        [this](bool an) { AbfrageknopfZeigen(!an); });
    ui::CallbackVerbinden(aufNull_, &QPushButton::clicked, this,
                          [this] { AusgaengeAufNull_Callback(); });
    ui::CallbackVerbinden(minMaxReset_, &QPushButton::clicked, this,
                          [this] { MinMaxReset_Callback(); });
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
        ui::CallbackVerbinden(
            plot_[Index(i)], &QCheckBox::clicked, this,
            [this, i](bool an) { Traceauswahl_Callback(i, an); },
            [this, i](bool an) { plot_[Index(i)]->setChecked(!an); });
        ui::Zahlfeld* grenze = grenzen_[Index(i)];
        connect(grenze, &QDoubleSpinBox::valueChanged, grenze, &ui::Zahlfeld::Bearbeitet);
    }
}

void Direktpanel::EintragRegistrieren() {
    const QPointer<Direktpanel> selbst(this);
    ui::Fenstereintrag& e = ui::registry().Eintrag(ui::Fenster::Direkt);
    e.iniLesen = Solange(selbst, &Direktpanel::ReadIniDirektpanel);
    e.iniSchreiben = Solange(selbst, &Direktpanel::WriteIniDirektpanel);
    e.abbruchWeilNichtGespeichert = [] { return 0; };
    e.neuSkalieren = Solange(selbst, &Direktpanel::Direktpanel_SkaliereElemente);
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
