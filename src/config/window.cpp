#include "config/window.h"

#include <QAction>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <span>

#include "config/files.h"
#include "config/ini.h"
#include "storage/c_numbers.h"
#include "storage/cp1252.h"
#include "ui/actions.h"
#include "ui/dialogs.h"
#include "ui/error_popup.h"
#include "ui/file_types.h"
#include "ui/file_warning.h"
#include "ui/help.h"
#include "ui/registry.h"
#include "ui/texts.h"

namespace config {
namespace {

const char* const kHilfeAusgangsbereich =
    "Die MUX-6 Box ist mit 0-10V, 0-5V oder 0-4V Ausgängen\nerhältlich (unterschiedliche "
    "Hardware). Welche Box benutzt\nwird, muss hier eingestellt werden.";
const char* const kHilfeAusgang =
    "Die Spannungen der Ausgänge der MUX-6 können innerhalb von \nMUX6-Steuerung in andere "
    "physikalische Größen umgerechnet \nwerden. Das ist nützlich, wenn mit der MUX-6 ein anderes "
    "Gerät \ngesteuert wird.\nBeispiel:\nWenn an Ausgang 1 ein 0-60 Volt Netzgerät angeschlossen "
    "ist, das \neine Steuerspannung von 0-5 Volt erwartet, so muß für Ausgang 1 \nfolgendes "
    "eingestellt werden:\n'Ausgang 1 von 0.0 bis 5.0 V wird umgerechnet in 0.000 bis 60.000 V'";
const char* const kHilfeEinheitOut = "Die Bezeichnung der Einheit für die Ausgangsgröße.";
const char* const kHilfeEingangsbereich =
    "Die MUX-6 Box ist mit 0-10V, 0-5V oder 0-4V Eingängen\nerhältlich (unterschiedliche "
    "Hardware). Welche Box benutzt\nwird, muss hier eingestellt werden.";
const char* const kHilfeEingang =
    "Die Spannungen der Eingänge der MUX-6 können innerhalb von \nMUX6-Steuerung in andere "
    "physikalische Größen umgerechnet \nwerden. Das ist nützlich, wenn mit der MUX-6 z.B. ein "
    "Sensor \nabgefragt wird.\nBeispiel:\nWenn an Eingang 1 ein 0-1000 mBar Drucksensor "
    "angeschlossen ist, \nder eine Ausgangsspannung von 1-6 Volt liefert, so muß für Eingang 1 "
    "\nfolgendes eingestellt werden:\n'Eingang 1 von 1.0 bis 6.0 V wird umgerechnet in 0.000 bis "
    "1000.000 mBar'";
const char* const kHilfeEinheitIn = "Die Bezeichnung der Einheit für die Eingangsgröße.";
const char* const kHilfeStandardwerte =
    "Setzt alle Eingabefelder auf die Standardwerte\n( 0 bis 10V ) zurück.";

const char* const kFrageTitel = "Werte zurücksetzen";
const char* const kFrageText = "Wollen Sie alle Werte löschen und\nauf Standardwerte zurücksetzen?";

constexpr const char* kDateifilter = "*.sko";

// The output voltage fields keep to the board's 0..10 V; the other fields
// have no range of their own, which a spin box cannot express, so they get a
// wide one (and widen further for a value beyond it).
constexpr double kOhneGrenze = 1e12;

struct Ringeintrag {
    const char* text;
    double volt;
};
constexpr Ringeintrag kRing[] = {{"0 - 4.095 V", 4.095}, {"0 - 5 V", 5.0}, {"0 - 10 V", 10.0}};
constexpr int kRingEintraege = 3;

QPointer<Konfigpanel>& AnzeigendesPanel() {
    static QPointer<Konfigpanel> p;
    return p;
}

// Only characters a Windows-1252 file can hold, no controls, at most 8.
class EinheitValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& text, int&) const override {
        if (text.size() > static_cast<qsizetype>(kEinheitZeichen))
            return Invalid;
        for (QChar c : text) {
            const char16_t u = c.unicode();
            if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
                return Invalid;
        }
        return storage::IstCp1252Darstellbar(ui::S(text)) ? Acceptable : Invalid;
    }
};

QLabel* Text(const QString& text, QWidget* eltern) {
    auto* l = new QLabel(text, eltern);
    l->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    return l;
}

// The "Datei" items stand before the frame's "Beenden", and carry no help text.
const ui::Aktion kAktionen[] = {
    {.menue = "DATEI",
     .name = "LADEN",
     .text = "Konfigurationsdatei laden",
     .befehl = ui::Befehl::Laden},
    {.menue = "DATEI",
     .name = "SPEICHERN",
     .text = "Konfigurationsdatei speichern",
     .befehl = ui::Befehl::Speichern},
    {.art = ui::Art::Trenner, .menue = "DATEI", .trenner = ui::Ort::Menue},
};

}  // namespace

// ---- Fields ---------------------------------------------------------------------

Einheitfeld::Einheitfeld(const QString& name, QWidget* eltern) : QLineEdit(eltern) {
    setObjectName(name);
    setMaxLength(static_cast<int>(kEinheitZeichen));
    setValidator(new EinheitValidator(this));
    setMaximumWidth(fontMetrics().horizontalAdvance("MMMMMMMM") + 12);
    setMinimumWidth(fontMetrics().horizontalAdvance("mBarmBar") + 12);
}

void Einheitfeld::Setzen(const std::string& utf8) {
    const QSignalBlocker still(this);
    exakt_ = utf8;
    setText(ui::Q(utf8));
}

void Einheitfeld::Uebernehmen() {
    exakt_ = ui::S(text());
}

void Einheitfeld::Bearbeitet() {
    ui::gHilfeAktiv ? Zuruecksetzen() : Uebernehmen();
}

Bereichsring::Bereichsring(const QString& name, QWidget* eltern) : QComboBox(eltern) {
    setObjectName(name);
    for (const Ringeintrag& e : kRing)
        addItem(e.text, e.volt);
    Setzen(10.0);
}

void Bereichsring::Setzen(double volt) {
    const QSignalBlocker still(this);
    exakt_ = volt;
    while (count() > kRingEintraege)
        removeItem(count() - 1);
    int index = -1;
    for (int i = 0; i < kRingEintraege; ++i) {
        if (itemData(i).toDouble() == volt)
            index = i;
    }
    if (index < 0) {
        addItem(QString("0 - %1 V").arg(ui::Q(storage::ZahlG16(volt))), volt);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

void Bereichsring::Uebernehmen() {
    exakt_ = currentData().toDouble();
}

void Bereichsring::Bearbeitet() {
    ui::gHilfeAktiv ? Zuruecksetzen() : Uebernehmen();
}

// ---- The window -------------------------------------------------------------------

Konfigpanel::Konfigpanel(QWidget* eltern)
    : ui::Childpanel({.fenster = ui::Fenster::Konfig,
                      .praefix = "KONFIGPNL",
                      .titel = "Konfiguration",
                      .menuleiste = "KONFIG",
                      .zurueck = "HAUPTFENSTER",
                      .hilfeschalter = true,
                      .fehleranzeige = false},
                     eltern) {
    Aufbauen();
    Registrieren();

    QPointer<Konfigpanel> selbst(this);
    ui::Fenstereintrag& e = ui::registry().Eintrag(ui::Fenster::Konfig);
    e.iniLesen = [selbst](const settings::IniText& ini) {
        StandardwerteSetzen();
        KonfigIniLesen(ini, gKonfig);
        if (selbst)
            selbst->KonfigurationAnzeigen();
    };
    e.iniSchreiben = [selbst](settings::IniText& ini) {
        if (selbst)
            selbst->KonfigurationLesen();
        KonfigIniSchreiben(ini, gKonfig);
    };

    AnzeigendesPanel() = this;
    KonfigAnzeigeSetzen([selbst] {
        if (selbst)
            selbst->KonfigurationAnzeigen();
    });
    KonfigurationAnzeigen();
}

Konfigpanel::~Konfigpanel() {
    // A later window of this kind may have taken the hook over.
    if (AnzeigendesPanel() == this)
        KonfigAnzeigeSetzen({});
}

void Konfigpanel::Aufbauen() {
    aktionen_ = std::make_unique<ui::Aktionen>(
        *this, std::span<const ui::Menue>{}, kAktionen, [this](const ui::Aktion& a, QAction*) {
            Menu_Konfig_Datei(a.befehl == ui::Befehl::Laden ? Dateieintrag::Laden
                                                            : Dateieintrag::Speichern);
        });
    laden_ = aktionen_->ZuBefehl(ui::Befehl::Laden);
    speichern_ = aktionen_->ZuBefehl(ui::Befehl::Speichern);

    // The frame's own items and back button carry no help text here either.
    for (QMenu* m : {dateiMenue(), fensterMenue()}) {
        for (QAction* a : m->actions())
            ui::HilfetextSetzen(a, QString());
    }
    ui::HilfetextSetzen(zurueckKnopf(), QString());

    auto* lay = new QVBoxLayout(inhalt());
    lay->setContentsMargins(14, 12, 14, 6);
    lay->setSpacing(12);
    lay->addWidget(Gruppe("Skalierung der Ausgänge", true));
    lay->addWidget(Gruppe("Skalierung der Eingänge", false));

    auto* fuss = new QHBoxLayout;
    standardwerte_ = new QPushButton("Standardwerte", inhalt());
    standardwerte_->setObjectName("KONFIGPNL_STANDARDWERTE");
    ui::HilfetextSetzen(standardwerte_, kHilfeStandardwerte);
    connect(standardwerte_, &QPushButton::clicked, this,
            [this] { Konfigbuttons_Callback(Knopf::Standardwerte); });
    fuss->addWidget(standardwerte_);
    fuss->addStretch(1);
    lay->addLayout(fuss);
    lay->addStretch(1);
}

QWidget* Konfigpanel::Gruppe(const QString& titel, bool ausgaenge) {
    auto* box = new QGroupBox(titel, inhalt());
    auto* g = new QGridLayout(box);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);

    const QString art = ausgaenge ? "OUT" : "IN";
    Bereichsring* ring = new Bereichsring(
        ausgaenge ? "KONFIGPNL_AUSGANGSBEREICH" : "KONFIGPNL_EINGANGSBEREICH", box);
    ui::HilfetextSetzen(ring, ausgaenge ? kHilfeAusgangsbereich : kHilfeEingangsbereich);
    Verbinden(ring);
    (ausgaenge ? ausgangsbereich_ : eingangsbereich_) = ring;
    auto* ringZeile = new QHBoxLayout;
    ringZeile->addWidget(
        Text(ausgaenge ? "Spannungsbereich der Ausgänge:" : "Spannungsbereich der Eingänge:", box));
    ringZeile->addWidget(ring);
    ringZeile->addStretch(1);
    g->addLayout(ringZeile, 0, 0, 1, 10);

    const char* hilfe = ausgaenge ? kHilfeAusgang : kHilfeEingang;
    // Only the output voltages are bounded, by what the board can put out.
    const double unten = ausgaenge ? 0.0 : -kOhneGrenze;
    const double oben = ausgaenge ? kHoechsteVollspannung : kOhneGrenze;
    for (int i = 0; i < kKanaele; ++i) {
        const QString n = QString::number(i + 1);
        Kanalzeile& z = (ausgaenge ? ausgaenge_ : eingaenge_)[static_cast<std::size_t>(i)];
        z.min = new ui::Zahlfeld("KONFIGPNL_SPANNUNG_" + art + "MIN" + n, unten, oben, box);
        z.max = new ui::Zahlfeld("KONFIGPNL_SPANNUNG_" + art + "MAX" + n, unten, oben, box);
        z.skalamin =
            new ui::Zahlfeld("KONFIGPNL_SKALA" + art + "MIN" + n, -kOhneGrenze, kOhneGrenze, box);
        z.skalamax =
            new ui::Zahlfeld("KONFIGPNL_SKALA" + art + "MAX" + n, -kOhneGrenze, kOhneGrenze, box);
        z.einheit = new Einheitfeld("KONFIGPNL_EINHEIT" + art + n, box);
        for (ui::Zahlfeld* f : {z.min, z.max, z.skalamin, z.skalamax}) {
            ui::HilfetextSetzen(f, hilfe);
            Verbinden(f);
        }
        ui::HilfetextSetzen(z.einheit, ausgaenge ? kHilfeEinheitOut : kHilfeEinheitIn);
        Verbinden(z.einheit);

        const int r = i + 1;
        g->addWidget(
            Text(QString(ausgaenge ? "MUX-6 Ausgang %1 von" : "MUX-6 Eingang %1 von").arg(i + 1),
                 box),
            r, 0);
        g->addWidget(z.min, r, 1);
        g->addWidget(Text("bis", box), r, 2);
        g->addWidget(z.max, r, 3);
        g->addWidget(Text("V wird umgerechnet in", box), r, 4);
        g->addWidget(z.skalamin, r, 5);
        g->addWidget(Text("bis", box), r, 6);
        g->addWidget(z.skalamax, r, 7);
        g->addWidget(z.einheit, r, 8);
    }
    // Both groups give the sentence's first words the same width, so their
    // fields stand in the same columns.
    const QFontMetrics fm(box->font());
    g->setColumnMinimumWidth(0, std::max(fm.horizontalAdvance("MUX-6 Ausgang 4 von"),
                                         fm.horizontalAdvance("MUX-6 Eingang 4 von")) +
                                    4);
    for (int c : {1, 3, 5, 7})
        g->setColumnStretch(c, 1);
    g->setColumnStretch(9, 0);
    return box;
}

void Konfigpanel::Verbinden(ui::Zahlfeld* f) {
    connect(f, &QDoubleSpinBox::valueChanged, this, [f] { Konfigcontrols_Callback(f); });
}

void Konfigpanel::Verbinden(Einheitfeld* f) {
    connect(f, &QLineEdit::textEdited, this, [f] { Konfigcontrols_Callback(f); });
}

void Konfigpanel::Verbinden(Bereichsring* r) {
    connect(r, &QComboBox::activated, this, [r] { Konfigcontrols_Callback(r); });
}

int Konfigpanel::InitialisiereKonfigPanel() {
    for (const auto* zeilen : {&ausgaenge_, &eingaenge_}) {
        for (const Kanalzeile& z : *zeilen)
            z.einheit->setMaxLength(static_cast<int>(kEinheitZeichen));
    }
    ausgangsbereich_->Setzen(4.095);
    Kanalzeile& a1 = ausgaenge_[0];
    a1.min->Setzen(0.0);
    a1.max->Setzen(4.095);
    a1.skalamin->Setzen(0.0);
    a1.skalamax->Setzen(4.095);
    a1.einheit->Setzen("A");
    return 0;
}

int Konfigpanel::KonfigpanelClear() {
    return 0;
}

void Konfigpanel::KonfigurationLesen() {
    Konfig k;
    k.voutmax = ausgangsbereich_->Wert();
    k.vinmax = eingangsbereich_->Wert();
    for (std::size_t i = 0; i < kKanaele; ++i) {
        const Kanalzeile& a = ausgaenge_[i];
        k.outmin[i] = a.min->Wert();
        k.outmax[i] = a.max->Wert();
        k.outskalamin[i] = a.skalamin->Wert();
        k.outskalamax[i] = a.skalamax->Wert();
        k.outeinheit[i] = a.einheit->Wert();
        const Kanalzeile& e = eingaenge_[i];
        k.inmin[i] = e.min->Wert();
        k.inmax[i] = e.max->Wert();
        k.inskalamin[i] = e.skalamin->Wert();
        k.inskalamax[i] = e.skalamax->Wert();
        k.ineinheit[i] = e.einheit->Wert();
    }
    KonfigBereinigen(k);
    gKonfig = std::move(k);
}

void Konfigpanel::KonfigurationAnzeigen() {
    const Konfig& k = gKonfig;
    ausgangsbereich_->Setzen(k.voutmax);
    eingangsbereich_->Setzen(k.vinmax);
    for (std::size_t i = 0; i < kKanaele; ++i) {
        const Kanalzeile& a = ausgaenge_[i];
        a.min->Setzen(k.outmin[i]);
        a.max->Setzen(k.outmax[i]);
        a.skalamin->Setzen(k.outskalamin[i]);
        a.skalamax->Setzen(k.outskalamax[i]);
        a.einheit->Setzen(k.outeinheit[i]);
        const Kanalzeile& e = eingaenge_[i];
        e.min->Setzen(k.inmin[i]);
        e.max->Setzen(k.inmax[i]);
        e.skalamin->Setzen(k.inskalamin[i]);
        e.skalamax->Setzen(k.inskalamax[i]);
        e.einheit->Setzen(k.ineinheit[i]);
    }
}

int Konfigpanel::KonfigurationSpeichern() {
    ui::Dateiauswahl auswahl;
    auswahl.art = ui::Dateiauswahl::Art::Speichern;
    auswahl.titel = "Konfiguration speichern";
    auswahl.vorgabe = kDateifilter;
    auswahl.filter = kDateifilter;
    auswahl.endungErzwingen = true;
    const std::optional<QString> gewaehlt = ui::dialogs().DateiWaehlen(this, auswahl);
    if (!gewaehlt || gewaehlt->isEmpty())
        return 0;
    const QString pfad = ui::MitEndung(*gewaehlt, kDateifilter);
    KonfigurationLesen();
    return KonfigurationSpeichernNach(ui::Pfad(pfad), gKonfig);
}

int Konfigpanel::KonfigurationLaden() {
    ui::Dateiauswahl auswahl;
    auswahl.art = ui::Dateiauswahl::Art::Laden;
    auswahl.titel = "Konfiguration laden";
    auswahl.vorgabe = kDateifilter;
    auswahl.filter = kDateifilter;
    const std::optional<QString> gewaehlt = ui::dialogs().DateiWaehlen(this, auswahl);
    if (!gewaehlt || gewaehlt->isEmpty())
        return 0;
    Konfig k;
    bool beschaedigt = false;
    if (const int r = KonfigurationLadenVon(ui::Pfad(*gewaehlt), k, &beschaedigt); r != 0)
        return r;
    if (beschaedigt)
        ui::DateischadenMelden(this, *gewaehlt, kKonfigSchaden);
    gKonfig = std::move(k);
    KonfigurationAnzeigen();
    return 0;
}

void Konfigpanel::Konfigbuttons_Callback(Knopf k) {
    if (ui::gHilfeAktiv) {
        if (k == Knopf::Standardwerte)
            ui::Hilfetext(kHilfeStandardwerte);
        return;
    }
    switch (k) {
        case Knopf::Standardwerte:
            // Only "Ja" goes on; "Nein", Escape or closing the box change nothing.
            if (ui::dialogs().Frage(this, kFrageTitel, kFrageText, {"Ja", "Nein"},
                                    {.enter = 1, .escape = 2}) == 1) {
                StandardwerteSetzen();
                KonfigurationAnzeigen();
            }
            break;
        case Knopf::Hauptfenster:
            LesenUndNeuSkalieren();
            ui::ZeigeChildpanel(ui::Fenster::Haupt);
            break;
    }
}

void Konfigpanel::Menu_Konfig_Datei(Dateieintrag e) {
    if (ui::gHilfeAktiv)
        return;
    const int r = e == Dateieintrag::Laden ? KonfigurationLaden() : KonfigurationSpeichern();
    if (r != 0)
        ui::ORV_Fehlerpopup(r);
}

// The back button reads the window before it leaves.
void Konfigpanel::ZurueckVerlassen() {
    Konfigbuttons_Callback(Knopf::Hauptfenster);
}

void Konfigpanel::FensterVerlassen(ui::Fenster ziel) {
    ui::ZeigeChildpanel(ziel);
    LesenUndNeuSkalieren();
}

void Konfigpanel::LesenUndNeuSkalieren() {
    KonfigurationLesen();
    ui::NeuSkalieren();
}

}  // namespace config
