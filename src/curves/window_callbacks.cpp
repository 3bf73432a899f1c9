// The curve window's commands: the "Bearbeiten" and "Ansicht" items, cycles
// and rest value, the comment, the model's "Datei" steps, and the transfer to
// and from the board.
#include <QAction>
#include <QSpinBox>

#include "config/model.h"
#include "connection/connection.h"
#include "curves/editing.h"
#include "curves/files.h"
#include "curves/model.h"
#include "curves/transfer.h"
#include "curves/view.h"
#include "curves/window.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/number_field.h"
#include "ui/registry.h"
#include "ui/texts.h"

namespace curves {
namespace {

const char* kPinText =
    "Pinbelegung für den Kurvengeneratorbetrieb\n\nPin 1:    UB +15V DC\nPin 2:    UB GND\nPin 3:"
    "    Ausgang Kurve 1\nPin 4:    GND\nPin 5:    Ausgang Kurve 2\nPin 6:    GND\nPin 7:    "
    "Ausgang Kurve 3\nPin 8:    GND\nPin 9:    Ausgang Kurve 4\nPin 10:  frei\nPin 11:  "
    "GND\nPin 12:  frei\nPin 13:  GND\nPin 14:  Verlangsamen/Unterbrechen\nPin 15:  GND\nPin "
    "16:  Start/Stopp-Signal";

}  // namespace

void Kurvenpanel::Befehlen(const ui::Aktion& a) {
    switch (a.befehl) {
        case ui::Befehl::Auswahl:
            Menu_Kurven_Bearbeiten_Toggle2(a.wert - 1);
            break;
        case ui::Befehl::Schalter:
            Menu_Kurven_Bearbeiten_Toggle3(a.wert - 1);
            break;
        case ui::Befehl::Darstellung:
            Menu_Kurven_Ansicht_ToggleDarstellung(a.wert);
            break;
        case ui::Befehl::Pinbelegung:
            Menu_Kurven_Hilfe_Pins();
            break;
        default:
            Menu_Kurven_Bearbeiten_Command(a.befehl);
            break;
    }
}

void Kurvenpanel::Menu_Kurven_Bearbeiten_Command(ui::Befehl b) {
    Ergebnis e;
    switch (b) {
        case ui::Befehl::Ausschneiden:
            e = Ausschneiden();
            break;
        case ui::Befehl::Kopieren:
            e = Kopieren();
            break;
        case ui::Befehl::Einfuegen:
            e = Einfuegen();
            break;
        case ui::Befehl::Loeschen:
            e = Loeschen();
            break;
        case ui::Befehl::AllesMarkieren:
            AllesMarkieren();
            break;
        case ui::Befehl::Rueckgaengig:
            e = Kurve_Rueckgaengig();
            break;
        case ui::Befehl::Wiederherstellen:
            e = Kurve_Wiederherstellen();
            break;
        default:
            return;
    }
    Nachher(e);
}

void Kurvenpanel::Menu_Kurven_Bearbeiten_Toggle2(int kurve) {
    KurveWaehlen(kurve, yRaster_->Wert());
    yRaster_->Setzen(gYRaster[static_cast<std::size_t>(kurve)]);
    KommentarvorschauAktualisieren();
    Neuzeichnen();
    UndoZustand();
}

void Kurvenpanel::Menu_Kurven_Bearbeiten_Toggle3(int) {
    Neuzeichnen();
}

void Kurvenpanel::Menu_Kurven_Ansicht_ToggleDarstellung(int darstellung) {
    aktionen().ZuBefehl(ui::Befehl::Darstellung, darstellung)->setChecked(true);
    gDarstellung = darstellung;
    Neuzeichnen();
}

void Kurvenpanel::Menu_Kurven_Hilfe_Pins() {
    ui::dialogs().Meldung(this, "MUX-6 Pinbelegung", kPinText);
}

void Kurvenpanel::ZyklenUndRuhezustand_Callback() {
    ruhezustand_->Setzen(ZyklenUndRuhezustandSetzen(zyklen_->value(), ruhezustand_->Wert()));
}

// ---- comment -------------------------------------------------------------------------------
QString Kurvenpanel::KommentarTitel() const {
    return ui::Q(curves::KommentarTitel());
}

QString Kurvenpanel::Kommentar() const {
    return ui::Q(gKurven[static_cast<std::size_t>(gAktuelleKurve)].kommentar);
}

void Kurvenpanel::KommentarSetzen(const QString& text) {
    curves::KommentarSetzen(ui::S(text));
}

QString Kurvenpanel::Kommentarvorschau() const {
    return ui::Q(curves::Kommentarvorschau());
}

// ---- files ------------------------------------------------------------------------------------
ui::Dateiergebnis Kurvenpanel::Dateischritt(ui::Befehl b, const std::filesystem::path& pfad) {
    // What the displays showed belongs to the curve that is given up.
    if (b == ui::Befehl::Neu || b == ui::Befehl::Laden || b == ui::Befehl::Anhaengen)
        KoordinatenLeeren();
    switch (b) {
        case ui::Befehl::Neu:
            return {.code = KurvenNeu()};
        case ui::Befehl::Speichern:
            return {.code = KurvenSpeichernNach(pfad)};
        case ui::Befehl::Exportieren:
            return {.code = KurvenExportierenNach(pfad)};
        case ui::Befehl::Importieren: {
            const Importergebnis r = KurvenImportierenNach(pfad);
            return {.code = r.code, .meldung = r.meldung, .fehlerText = r.fehlerText};
        }
        case ui::Befehl::Laden:
        case ui::Befehl::Anhaengen: {
            const Ladeergebnis r =
                b == ui::Befehl::Laden ? KurvenLadenNach(pfad) : KurvenAnhaengenNach(pfad);
            ui::Dateiergebnis d{.code = r.code};
            if (r.schaden.beschaedigt())
                d.schaden = Schadensbeschreibung(r.schaden);
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
void Kurvenpanel::KurveSenden_Callback(bool schreiben) {
    const int port = connection::OffenerComPort();
    const char adresse = connection::Geraeteadresse();
    if (schreiben) {
        const Laengenpruefung pruefung = KurvenlaengenPruefen();
        int antwort = kAntwortSenden;
        if (pruefung.frage) {
            antwort = ui::dialogs().Frage(this, kLaengenFrageTitel, ui::Q(pruefung.text),
                                          {kLaengenKnopfSenden, kLaengenKnopfZurueck, {}});
        }
        if (!AntwortSendet(antwort))
            return;
        bool speicherVoll = false;
        Uebertragen(kSendenText, [&](const std::function<void(int)>& melden) {
            const Sendeergebnis r = KurvenSendenNachFrage(antwort, port, adresse, melden);
            // Nothing was sent: the error display stays as it was.
            speicherVoll = r.speicherVoll;
            return speicherVoll ? 0 : r.code;
        });
        if (speicherVoll)
            ui::dialogs().Meldung(this, "Fehler", kSpeicherVollText);
        return;
    }
    // Reading back replaces the curve with no way back: ask first, as "Neu"
    // and "Kurven laden" do.
    if (AbbruchWeilKurvenNichtGespeichert())
        return;
    ui::ComFehlerSetzen(0);
    const int r = Uebertragen(kLesenText, [&](const std::function<void(int)>& melden) {
        return KurvenLesen(port, adresse, melden);
    });
    if (r == 0) {
        // Read back, the four curve buttons become usable.
        for (int k = 1; k <= kKurven; ++k)
            aktionen().ZuBefehl(ui::Befehl::Auswahl, k)->setEnabled(true);
    }
    TitelSetzen({});
    KoordinatenLeeren();
    ZoomGesamtkurve();
    KommentarvorschauAktualisieren();
    Aktualisieren();
}

}  // namespace curves
