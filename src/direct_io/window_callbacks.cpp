// What the window's controls and its timer do: sampling on and off, one
// sampling cycle shown, the outputs sent, the fields of the strip chart and
// the timer, and leaving the window.
#include <QCheckBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "connection/connection.h"
#include "direct_io/log.h"
#include "direct_io/sampling.h"
#include "direct_io/window.h"
#include "direct_io/window_instruments.h"
#include "direct_io/window_strip_chart.h"
#include "ui/dialogs.h"
#include "ui/error_display.h"
#include "ui/error_popup.h"
#include "ui/file_types.h"
#include "ui/help.h"
#include "ui/number_field.h"
#include "ui/registry.h"
#include "ui/texts.h"

namespace direct_io {
namespace {

int Port() {
    return connection::OffenerComPort();
}

char Adresse() {
    return connection::Geraeteadresse();
}

// The log's file dialog. The file is appended to, so an existing one is no
// reason to ask; a name without ".txt" gets it.
Dateiwahl Protokolldatei(QWidget* eltern) {
    ui::Dateiauswahl a{.art = ui::Dateiauswahl::Art::Speichern,
                       .titel = kDateidialogTitel,
                       .vorgabe = kDateidialogMuster,
                       .filter = kDateidialogMuster};
    a.ueberschreibenFragen = false;
    a.endungErzwingen = true;
    const std::optional<QString> gewaehlt = ui::dialogs().DateiWaehlen(eltern, a);
    if (!gewaehlt || gewaehlt->isEmpty())
        return {Dateiwahl::Ergebnis::Abgebrochen, {}};
    return {Dateiwahl::Ergebnis::Gewaehlt, ui::Pfad(ui::MitEndung(*gewaehlt, kDateidialogMuster))};
}

// A whole number from a field that may hold anything a record gave it.
int Ganzzahl(double wert) {
    return std::isfinite(wert) ? static_cast<int>(std::clamp(std::round(wert), -1e9, 1e9)) : 0;
}

}  // namespace

// ---- Sampling -----------------------------------------------------------------------------

void Direktpanel::DirektTimer_Callback() {
    const Zyklus z = AbtastZyklus(Port(), Adresse());
    Zeigen(z);
    if (z.code == 0)
        return;
    AbfrageStoppen();
    if (z.lesefehler)
        ui::ComFehlerSetzen(z.code);
    else
        ui::ORV_Fehlerpopup(z.code);
}

void Direktpanel::Zeigen(const Zyklus& z) {
    for (int i = 0; i < kKanaele; ++i) {
        const std::size_t n = Index(i);
        if (z.gelesen[n])
            eingaenge_[n]->Setzen(EingangPhysikalisch(i));
        if (z.neuesMin[n])
            min_[n]->Setzen(EingangPhysikalisch(i, gEingangMin[n]));
        if (z.neuesMax[n])
            max_[n]->Setzen(EingangPhysikalisch(i, gEingangMax[n]));
    }
    if (z.streifenpunkt)
        streifen_->Anhaengen(z.punkt);
    dateiLed_->setOn(ProtokollOffen());
}

void Direktpanel::Abfragen_Callback(bool an) {
    if (AusgaengeSetzen() == 0) {
        if (an) {
            AbfrageStarten();
            return;
        }
        ProtokollText(kTextBeendet);
    }
    AbfrageStoppen();
}

void Direktpanel::AbfrageStarten() {
    const Start s = direct_io::AbfrageStarten(Port(), Adresse(), dateiSpeichern_->isChecked(),
                                              [this] { return Protokolldatei(this); });
    dateiLed_->setOn(ProtokollOffen());
    if (s.protokollCode != 0)
        ui::ORV_Fehlerpopup(s.protokollCode);
    if (s.code != 0) {
        // Nothing samples: the switch goes back off, and a log opened for this
        // run ends its block with the reason.
        ui::ComFehlerSetzen(s.code);
        ProtokollAbbrechen(s.code);
        AbfrageStoppen();
        return;
    }
    Eingang4Zeigen();
    ui::ComFehlerSetzen(0);
    timer_->start();
    AbfrageknopfZeigen(true);
    dateiSpeichern_->setEnabled(false);
}

void Direktpanel::AbfrageStoppen() {
    direct_io::AbfrageStoppen();
    timer_->stop();
    AbfrageknopfZeigen(false);
    dateiSpeichern_->setEnabled(true);
    dateiLed_->setOn(ProtokollOffen());
}

void Direktpanel::AbfrageknopfZeigen(bool an) {
    const QSignalBlocker still(abfragen_);
    abfragen_->setChecked(an);
    abfragen_->setText(an ? "Abfragen beenden" : "Eingänge abfragen");
}

void Direktpanel::Eingang4Zeigen() {
    const std::size_t n = kKanaele - 1;
    for (QWidget* w : std::initializer_list<QWidget*>{plot_[n], min_[n], max_[n], eingaenge_[n]})
        w->setEnabled(gEingang4Aktiv);
    // Trace 4 keeps its visibility and draws 0 while input 4 is not sampled.
    if (!gEingang4Aktiv)
        plot_[n]->setChecked(false);
}

// ---- Outputs -------------------------------------------------------------------------------

void Direktpanel::AusgabeZeigen(int i, const Ausgabe& a) {
    // Without a port nothing was sent: the knob stays where it is.
    if (a.code != kFehlerAusgangOhnePort)
        ausgaenge_[Index(i)]->Setzen(a.wert);
    if (a.code != 0)
        ui::ComFehlerSetzen(a.code);
}

int Direktpanel::AusgaengeSetzen() {
    for (int i = 0; i < kKanaele; ++i) {
        const std::size_t n = Index(i);
        const Ausgabe a =
            AusgangSetzen(Port(), Adresse(), i, ausgaenge_[n]->Wert(), grenzen_[n]->Wert());
        AusgabeZeigen(i, a);
        if (a.code != 0)
            return a.code;
    }
    return 0;
}

void Direktpanel::Ausgang_Callback(int i) {
    Drehknopf* knopf = ausgaenge_.at(Index(i));
    ui::ComFehlerSetzen(0);
    AusgabeZeigen(i,
                  AusgangSetzen(Port(), Adresse(), i, knopf->Wert(), grenzen_[Index(i)]->Wert()));
    knopf->setFocus();
}

void Direktpanel::AusgaengeAufNull_Callback() {
    ui::ComFehlerSetzen(0);
    // One output failing does not keep the others from zero.
    for (int i = 0; i < kKanaele; ++i)
        AusgabeZeigen(i, AusgangAufNull(Port(), Adresse(), i));
}

// ---- Fields ------------------------------------------------------------------------------

void Direktpanel::MinMaxReset_Callback() {
    MinMaxZuruecksetzen();
}

void Direktpanel::Abtastzeit_Callback() {
    // The field keeps what was entered; the timer never runs faster than the floor.
    const double sekunden = std::min(Abtastintervall(abtastzeit_->Wert()), kLaengsteAbtastzeit);
    timer_->setInterval(std::chrono::milliseconds(std::lround(sekunden * 1000.0)));
    abtastzeit_->setFocus();
}

void Direktpanel::Traceauswahl_Callback(int i, bool an) {
    streifen_->SpurZeigen(i, an);
}

void Direktpanel::DirektZoom_Callback(Zoom z) {
    if (z == Zoom::X) {
        streifen_->PunkteProBreiteSetzen(ZoomXPunkte(Ganzzahl(zoomX_->Wert())));
        zoomX_->setFocus();
    } else {
        streifen_->YGrenzeSetzen(ZoomYGrenze(zoomY_->Wert()));
        zoomY_->setFocus();
    }
}

void Direktpanel::FensterVerlassen(ui::Fenster ziel) {
    AbfrageStoppen();
    ui::ZeigeChildpanel(ziel);
}

}  // namespace direct_io
