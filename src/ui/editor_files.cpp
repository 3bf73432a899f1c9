// The editor frame's "Datei" flow and transfer sequence: the questions, the
// file dialogs and the boxes around the model's steps.
#include <memory>

#include "ui/dialogs.h"
#include "ui/editor_panel.h"
#include "ui/error_popup.h"
#include "ui/file_types.h"
#include "ui/file_warning.h"
#include "ui/help.h"
#include "ui/progress.h"
#include "ui/registry.h"
#include "ui/texts.h"
#include "ui/veto.h"

namespace ui {
namespace {

const char* const kKonfigFrageTitel = "Konfiguration laden?";
const char* const kImportfehlerTitel = "Importfehler";
const char* const kOhneDateiname =
    "Der Dateiname wird nicht übernommen; \"Speichern\" fragt nach einem neuen.";

void Fehlerbox(int code) {
    if (code != 0)
        ORV_Fehlerpopup(code);
}

}  // namespace

int Editorpanel::AbbruchWeilNichtGespeichert() {
    return ui::AbbruchWeilNichtGespeichert(*modell_.geaendert, Q(modell_.dateiname()),
                                           [this] { return Speichern(false); });
}

std::optional<QString> Editorpanel::DateiWaehlen(Befehl b) {
    for (const Dateidialog& d : dateidialoge_) {
        if (d.befehl != b)
            continue;
        const bool laden = b == Befehl::Laden || b == Befehl::Anhaengen || b == Befehl::Importieren;
        // Every dialog opens on its pattern, "Speichern unter" as well.
        const Dateiauswahl auswahl{
            .art = laden ? Dateiauswahl::Art::Laden : Dateiauswahl::Art::Speichern,
            .titel = d.titel,
            .vorgabe = d.filter,
            .filter = d.filter,
            .endungErzwingen = EndungErzwungen(d.filter)};
        std::optional<QString> pfad = dialogs().DateiWaehlen(this, auswahl);
        if (pfad && !laden && auswahl.endungErzwingen)
            pfad = MitEndung(*pfad, d.filter);
        return pfad;
    }
    return std::nullopt;
}

int Editorpanel::Speichern(bool als) {
    QString pfad = Q(*modell_.datei);
    if (als || pfad.isEmpty()) {
        const auto gewaehlt = DateiWaehlen(Befehl::Speichern);
        if (!gewaehlt)
            return 0;
        pfad = *gewaehlt;
    }
    const int r = Dateischritt(Befehl::Speichern, Pfad(pfad)).code;
    if (r == 0)
        TitelSetzen(pfad);
    return r;
}

std::optional<int> Editorpanel::Wiederherstellungskopie(const std::filesystem::path& pfad) {
    if (!*modell_.geaendert)
        return std::nullopt;
    return Dateischritt(Befehl::Speichern, pfad).code;
}

void Editorpanel::NachDemLaden(const Dateiergebnis& r, const QString& pfad) {
    Fehlerbox(r.code);
    if (!r.schaden.empty())
        DateischadenMelden(this, pfad, r.schaden, kOhneDateiname);
    if (r.konfigUebernehmen &&
        dialogs().Frage(this, kKonfigFrageTitel, Q(r.konfigFrage), {"laden", "nicht laden", {}},
                        {.enter = 1, .escape = 2}) == 1) {
        r.konfigUebernehmen();
        // Taking over the record rescales nothing by itself.
        NeuSkalieren();
    }
    if (r.code == 0) {
        TitelSetzen(r.schaden.empty() ? pfad : QString());
        Zoomen(Befehl::ZoomGesamt);
    }
}

void Editorpanel::Menu_Datei(Befehl b) {
    switch (b) {
        case Befehl::Neu:
            if (AbbruchWeilNichtGespeichert())
                return;
            Fehlerbox(Dateischritt(b, {}).code);
            TitelSetzen({});
            break;
        case Befehl::Laden:
        case Befehl::Anhaengen: {
            if (b == Befehl::Laden && AbbruchWeilNichtGespeichert())
                return;
            const auto pfad = DateiWaehlen(b);
            if (!pfad)
                return;
            // No file is shown until the load or append has succeeded: the
            // model has already let go of the old one.
            TitelSetzen({});
            NachDemLaden(Dateischritt(b, Pfad(*pfad)), *pfad);
            break;
        }
        case Befehl::Speichern:
        case Befehl::SpeichernUnter:
            Fehlerbox(Speichern(b == Befehl::SpeichernUnter));
            break;
        case Befehl::Exportieren:
        case Befehl::Importieren: {
            const auto pfad = DateiWaehlen(b);
            if (!pfad)
                return;
            const Dateiergebnis r = Dateischritt(b, Pfad(*pfad));
            if (!r.meldung.empty())
                dialogs().Meldung(this, kImportfehlerTitel, Q(r.meldung));
            if (!r.fehlerText.empty())
                dialogs().Meldung(this, "Fehler", Q(r.fehlerText));
            Fehlerbox(r.code);
            break;
        }
        default:
            return;
    }
    KommentarvorschauAktualisieren();
    Aktualisieren();
}

int Editorpanel::Uebertragen(const QString& text,
                             const std::function<int(const std::function<void(int)>&)>& schritt) {
    // The dialog goes up with the transfer's first report, which comes only
    // once the transfer really begins; the error display is cleared then.
    std::unique_ptr<Fortschritt> fortschritt;
    const int code = schritt([&](int prozent) {
        if (!fortschritt) {
            ComFehlerSetzen(0);
            fortschritt = std::make_unique<Fortschritt>(this, text, text);
        }
        fortschritt->Setzen(prozent);
    });
    fortschritt.reset();
    if (code != 0) {
        ComFehlerSetzen(code);
        ORV_Fehlerpopup(code);
    }
    return code;
}

}  // namespace ui
