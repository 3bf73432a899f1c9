#include "characteristic/window.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QSpinBox>
#include <algorithm>

#include "characteristic/model.h"
#include "config/model.h"
#include "ui/graph.h"
#include "ui/number_field.h"
#include "ui/registry.h"
#include "ui/texts.h"

namespace characteristic {

Kennlinienpanel::Kennlinienpanel(QWidget* eltern) : ui::Editorpanel(Kennlinienaufbau(), eltern) {
    InhaltAnlegen();
    HilfetexteSetzen();
    Registrieren();
}

Kennlinienpanel::~Kennlinienpanel() = default;

void Kennlinienpanel::Registrieren() {
    Childpanel::Registrieren();
    ui::Fenstereintrag& e = ui::registry().Eintrag(ui::Fenster::Kennlinie);
    QPointer<Kennlinienpanel> ich(this);
    e.iniLesen = [ich](const settings::IniText& ini) {
        if (ich)
            ich->ReadIniKennlinienpanel(ini);
    };
    e.iniSchreiben = [ich](settings::IniText& ini) {
        if (ich)
            ich->WriteIniKennlinienpanel(ini);
    };
    e.abbruchWeilNichtGespeichert = [ich] {
        return ich ? ich->AbbruchWeilKennlinieNichtGespeichert() : 0;
    };
    e.neuSkalieren = [ich] {
        if (ich && ich->initialisiert_)
            ich->Kennlinienpanel_SkaliereYAchse();
    };
}

int Kennlinienpanel::KennlinienpanelInit() {
    // The settings are read before the windows are set up; the start state
    // must not undo their display mode.
    const int darstellung = darstellungAusIni_;
    if (const int r = KennlinienInit(); r != 0)
        return r;
    DarstellungSetzen(darstellung);
    aktionen().ZuBefehl(ui::Befehl::Darstellung, gKennlDarstellung)->setChecked(true);
    aktionen().ZuWerkzeug(ui::Werkzeug::Zeichnen)->setChecked(true);
    FelderSetzen(StartFelder());
    xRaster_->Setzen(0);
    yRaster_->Setzen(0);
    kurvenNr_->setValue(1);
    KommentarvorschauAktualisieren();
    TitelSetzen({});
    initialisiert_ = true;
    Kennlinienpanel_SkaliereYAchse();
    Aktualisieren();
    return 0;
}

int Kennlinienpanel::KennlinienpanelClear() {
    graph()->AllePlotsLoeschen();
    graphKlein()->AllePlotsLoeschen();
    gKennlinie = Startkennlinie();
    initialisiert_ = false;
    return 0;
}

void Kennlinienpanel::Kennlinienpanel_SkaliereYAchse() {
    YAchseAnzeigen();
    XAchseAnzeigen();
    Ausgang2FeldEinrichten();
    // The axes' labels follow at once; the characteristic itself is unchanged.
    graph()->Neuzeichnen();
}

void Kennlinienpanel::Ausgang2FeldEinrichten() {
    const config::Konfig& k = config::gKonfig;
    begrenzungLabel_->setText("Analogausgang2 [" + ui::Q(k.outeinheit[1]) + "]");
    begrenzung_->GrenzenSetzen(std::min(k.outskalamin[1], k.outskalamax[1]),
                               std::max(k.outskalamin[1], k.outskalamax[1]));
}

// ---- the fields ------------------------------------------------------------------
Felder Kennlinienpanel::FelderLesen() const {
    return {.begrenzung = begrenzung_->Wert(), .anstiegszeit = anstiegszeit_->Wert()};
}

void Kennlinienpanel::FelderSetzen(const Felder& f) {
    begrenzung_->Setzen(f.begrenzung);
    anstiegszeit_->Setzen(f.anstiegszeit);
    SchieberNachziehen();
}

int Kennlinienpanel::Kurvennummer() const {
    return kurvenNr_->value();
}

double Kennlinienpanel::XRaster() const {
    return xRaster_->Wert();
}

double Kennlinienpanel::YRaster() const {
    return yRaster_->Wert();
}

// ---- settings ------------------------------------------------------------------------
void Kennlinienpanel::ReadIniKennlinienpanel(const settings::IniText& ini) {
    int d = 3;
    if (settings::Ini_GetInt(ini, "kennlinie", "darstellung", d) != 1 || d < 1 || d > 3)
        d = 3;
    darstellungAusIni_ = d;
    if (initialisiert_)
        Menu_Kennlinie_Ansicht_ToggleDarstellung(d);
}

void Kennlinienpanel::WriteIniKennlinienpanel(settings::IniText& ini) const {
    settings::Ini_PutInt(ini, "kennlinie", "darstellung",
                         initialisiert_ ? gKennlDarstellung : darstellungAusIni_);
}

}  // namespace characteristic
