#include "curves/window.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPointer>

#include "curves/model.h"
#include "curves/view.h"
#include "ui/graph.h"
#include "ui/number_field.h"
#include "ui/registry.h"

namespace curves {

Kurvenpanel::Kurvenpanel(QWidget* eltern) : ui::Editorpanel(Kurvenaufbau(), eltern) {
    zeitbasisMenue = [this](QPoint wo, int aktuell) {
        QMenu m(this);
        m.setObjectName("KURVENPNL_ZEITBASISMENUE");
        m.setTitle("Zeitbasis");
        for (int z = 1; z <= kZeitbasen; ++z) {
            QAction* a = m.addAction(Zeitbasis_Name(z));
            a->setCheckable(true);
            a->setChecked(z == aktuell);
            a->setData(z);
        }
        QAction* gewaehlt = m.exec(wo);
        return gewaehlt ? gewaehlt->data().toInt() : 0;
    };
    InhaltAnlegen();
    HilfetexteSetzen();
    Registrieren();
}

Kurvenpanel::~Kurvenpanel() = default;

void Kurvenpanel::Registrieren() {
    Childpanel::Registrieren();
    ui::Fenstereintrag& e = ui::registry().Eintrag(ui::Fenster::Kurven);
    QPointer<Kurvenpanel> ich(this);
    e.iniLesen = [ich](const settings::IniText& ini) {
        if (ich)
            ich->ReadIniKurvenpanel(ini);
    };
    e.iniSchreiben = [ich](settings::IniText& ini) {
        if (ich)
            ich->WriteIniKurvenpanel(ini);
    };
    e.abbruchWeilNichtGespeichert = [ich] {
        return ich ? ich->AbbruchWeilKurvenNichtGespeichert() : 0;
    };
    e.neuSkalieren = [ich] {
        // The axis and the fields follow at once, not at the next edit.
        if (ich && ich->initialisiert_)
            ich->Kurvenpanel_Neuzeichnen();
    };
}

int Kurvenpanel::KurvenpanelInit() {
    // The settings are read before the windows are set up; the start state of
    // the curves must not undo their display mode.
    const int darstellung = darstellungAusIni_;
    if (const int r = KurvenInit(); r != 0)
        return r;
    DarstellungSetzen(darstellung);
    aktionen().ZuBefehl(ui::Befehl::Darstellung, gDarstellung)->setChecked(true);
    zyklenBlock_->hide();
    ruhezustandBlock_->hide();

    // This build edits curve 1 only and reaches fewer windows.
    QMenu* bearbeiten = aktionen().Untermenue("BEARBEITEN");
    for (const char* u : {"BEARBEITEN_KURVE", "BEARBEITEN_HINTERGRUND"})
        bearbeiten->removeAction(aktionen().Untermenue(u)->menuAction());
    for (ui::Fenster f : {ui::Fenster::Konfig, ui::Fenster::Direkt, ui::Fenster::Kennlinie})
        FensterEintragEntfernen(f);
    hilfeMenue()->removeAction(aktionen().ZuBefehl(ui::Befehl::Pinbelegung));

    aktionen().ZuWerkzeug(ui::Werkzeug::Zeichnen)->setChecked(true);
    zeitbasisRing_->setCurrentIndex(0);
    KommentarvorschauAktualisieren();
    yRaster_->Setzen(gYRaster[0]);
    TitelSetzen({});
    initialisiert_ = true;
    Aktualisieren();
    return 0;
}

int Kurvenpanel::KurvenpanelClear() {
    graph()->AllePlotsLoeschen();
    graphKlein()->AllePlotsLoeschen();
    for (Kurve& k : gKurven)
        k = Startkurve();
    gZwischenspeicher = Zwischenspeicher{};
    initialisiert_ = false;
    return 0;
}

int Kurvenpanel::Zeitbasis() const {
    return zeitbasisRing_->currentData().toInt();
}

double Kurvenpanel::Raster() const {
    return yRaster_->Wert();
}

// ---- settings ------------------------------------------------------------------
void Kurvenpanel::ReadIniKurvenpanel(const settings::IniText& ini) {
    int d = 3;
    if (settings::Ini_GetInt(ini, "kurven", "darstellung", d) != 1 || d < 1 || d > 3)
        d = 3;
    darstellungAusIni_ = d;
    if (initialisiert_) {
        DarstellungSetzen(d);
        Menu_Kurven_Ansicht_ToggleDarstellung(gDarstellung);
    }
    for (int k = 1; k <= kKurven; ++k) {
        int h = 0;
        if (settings::Ini_GetInt(ini, "kurven", "hintergrund" + std::to_string(k), h) == 1)
            aktionen().ZuBefehl(ui::Befehl::Schalter, k)->setChecked(h != 0);
    }
}

void Kurvenpanel::WriteIniKurvenpanel(settings::IniText& ini) const {
    settings::Ini_PutInt(ini, "kurven", "darstellung",
                         initialisiert_ ? gDarstellung : darstellungAusIni_);
}

}  // namespace curves
