// The characteristic window's commands: the "Bearbeiten" and "Ansicht" items,
// the pin assignment, the comment, the model's "Datei" steps, and the
// transfer to and from the board.
#include <QAction>

#include "characteristic/editing.h"
#include "characteristic/files.h"
#include "characteristic/model.h"
#include "characteristic/transfer.h"
#include "characteristic/view.h"
#include "characteristic/window.h"
#include "config/model.h"
#include "connection/connection.h"
#include "ui/dialogs.h"
#include "ui/error_popup.h"
#include "ui/help.h"
#include "ui/number_field.h"
#include "ui/registry.h"
#include "ui/texts.h"

namespace characteristic {
namespace {

const char* const kPinText =
    "Pinbelegung für den Kennlinienreglerbetrieb\n\nPin 1:    UB +15V DC\nPin 2:    UB GND\nPin "
    "3:    Kennlinienausgang\nPin 4:    GND\nPin 5:    einstellbarer Analogausgang 2\nPin 6:    "
    "GND\nPin 7:    frei\nPin 8:    GND\nPin 9:    Ausgang 4: 10 V bzw. "
    "Auswahlspannung-Ausgang\nPin 10:  frei\nPin 11:  GND\nPin 12:  Kennlinieneingang\nPin 13:  "
    "GND\nPin 14:  Kennlinienauswahlspannung-Eingang\nPin 15:  GND\nPin 16:  Start/Stopp-Signal";

}  // namespace

void Kennlinienpanel::Befehlen(const ui::Aktion& a) {
    switch (a.befehl) {
        case ui::Befehl::Darstellung:
            Menu_Kennlinie_Ansicht_ToggleDarstellung(a.wert);
            break;
        case ui::Befehl::Pinbelegung:
            Menu_Kennlinie_Hilfe_Pins();
            break;
        default:
            Menu_Kennlinie_Bearbeiten_Command(a.befehl);
            break;
    }
}

void Kennlinienpanel::Menu_Kennlinie_Bearbeiten_Command(ui::Befehl b) {
    Ergebnis e;
    switch (b) {
        case ui::Befehl::AllesMarkieren:
            AllesMarkieren();
            break;
        case ui::Befehl::Rueckgaengig:
            e = Kennlinie_Rueckgaengig();
            break;
        case ui::Befehl::Wiederherstellen:
            e = Kennlinie_Wiederherstellen();
            break;
        default:
            return;
    }
    Nachher(e);
}

void Kennlinienpanel::Menu_Kennlinie_Ansicht_ToggleDarstellung(int darstellung) {
    aktionen().ZuBefehl(ui::Befehl::Darstellung, darstellung)->setChecked(true);
    DarstellungSetzen(darstellung);
    Neuzeichnen();
}

void Kennlinienpanel::Menu_Kennlinie_Hilfe_Pins() {
    ui::dialogs().Meldung(this, "MUX-6 Pinbelegung", kPinText);
}

// ---- comment -------------------------------------------------------------------------------
QString Kennlinienpanel::KommentarTitel() const {
    return "Kommentar - Kennlinie";
}

QString Kennlinienpanel::Kommentar() const {
    return ui::Q(gKennlinie.kommentar);
}

void Kennlinienpanel::KommentarSetzen(const QString& text) {
    characteristic::KommentarSetzen(ui::S(text));
}

QString Kennlinienpanel::Kommentarvorschau() const {
    return ui::Q(characteristic::Kommentarvorschau());
}

// ---- files ------------------------------------------------------------------------------------
ui::Dateiergebnis Kennlinienpanel::Dateischritt(ui::Befehl b, const std::filesystem::path& pfad) {
    switch (b) {
        case ui::Befehl::Neu: {
            Felder f = FelderLesen();
            const int code = KennlinieNeu(f);
            if (code == 0)
                FelderSetzen(f);
            ZoomGesamtkurve();
            return {.code = code};
        }
        case ui::Befehl::Speichern:
            return {.code = KennlinieSpeichernNach(pfad, FelderLesen())};
        case ui::Befehl::Exportieren:
            return {.code = KennlinieExportierenNach(pfad)};
        case ui::Befehl::Importieren: {
            const Importergebnis r = KennlinieImportierenNach(pfad);
            return {.code = r.code, .meldung = r.meldung, .fehlerText = r.fehlerText};
        }
        case ui::Befehl::Laden: {
            const Ladeergebnis r = KennlinieLadenNach(pfad);
            // The whole range also after a failure: the points may have changed.
            ZoomGesamtkurve();
            ui::Dateiergebnis d{.code = r.code};
            if (r.code != 0)
                return d;
            FelderSetzen(r.felder);
            if (r.schaden.beschaedigt())
                d.schaden = Schadensbeschreibung(r.schaden);
            // Points the board cannot take as they stand are kept, and so is
            // the file name: said once, now, not at every send.
            if (r.grenzen.betroffen())
                ui::dialogs().Meldung(
                    this, "Hinweis",
                    "Die Datei\n" + ui::Q(pfad.string()) + "\n" + ui::Q(Punktehinweis(r.grenzen)));
            if (r.konfigAbweichend) {
                d.konfigFrage = kKonfigFrage;
                d.konfigUebernehmen = [k = r.konfig] { config::KonfigurationSetzen(k); };
            }
            return d;
        }
        default:
            return {};
    }
}

// ---- transfer ---------------------------------------------------------------------------------
void Kennlinienpanel::UebertragungZeigen(const Uebertragung& u) {
    if (u.anzeigeLoeschen)
        ui::ComFehlerSetzen(0);
    if (u.anzeige != 0)
        ui::ComFehlerSetzen(u.anzeige);
    if (u.code != 0)
        ui::ORV_Fehlerpopup(u.code);
}

void Kennlinienpanel::KennlinieSenden_Callback(bool schreiben) {
    const int port = connection::OffenerComPort();
    const char adresse = connection::Geraeteadresse();
    const int slot = Kurvennummer();
    Uebertragung u;
    if (schreiben) {
        // The frame's sequence brings the progress dialog; what to show comes
        // from the result.
        Uebertragen(kSendenText, [&](const std::function<void(int)>& melden) {
            u = KennlinieSenden(port, adresse, slot, FelderLesen(), melden);
            return 0;
        });
        UebertragungZeigen(u);
        return;
    }
    // Reading replaces the points with no undo step: ask first, as "Neu" and
    // "Kennlinie laden" do.
    if (AbbruchWeilKennlinieNichtGespeichert())
        return;
    Uebertragen(kLesenText, [&](const std::function<void(int)>& melden) {
        u = KennlinieLesen(port, adresse, slot, melden);
        return 0;
    });
    UebertragungZeigen(u);
    if (u.begrenzung)
        begrenzung_->Setzen(*u.begrenzung);
    if (u.anstiegszeit) {
        anstiegszeit_->Setzen(*u.anstiegszeit);
        SchieberNachziehen();
    }
    TitelSetzen({});
    ZoomGesamtkurve();
    Aktualisieren();
}

void Kennlinienpanel::Ausgang4Setzen_Callback() {
    UebertragungZeigen(
        Ausgang4Setzen(connection::OffenerComPort(), connection::Geraeteadresse(), Kurvennummer()));
}

}  // namespace characteristic
