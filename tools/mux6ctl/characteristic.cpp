#include "characteristic.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "characteristic/files.h"
#include "characteristic/model.h"
#include "characteristic/transfer.h"
#include "config/files.h"
#include "config/ini.h"
#include "config/model.h"
#include "json.h"
#include "picture.h"
#include "settings/settings_file.h"
#include "storage/c_numbers.h"

namespace ctl {

namespace {

namespace kl = characteristic;

// What the command line says beyond the words, checked once.
struct Angaben {
    std::optional<int> slot;
    std::optional<double> ausgang2;
    std::optional<double> anstieg;
};

// A usage error's text, or empty.
std::string AngabenLesen(const Aufruf& a, Angaben& g) {
    int slot = 0;
    if (!a.slot.empty()) {
        if (!storage::GanzzahlLesen(a.slot, slot))
            return "--platz needs a slot number 1..7";
        g.slot = slot;
    }
    double wert = 0.0;
    if (!a.ausgang2.empty()) {
        if (storage::KommazahlLesen(a.ausgang2, wert) != storage::ZahlErgebnis::Ganz ||
            !std::isfinite(wert))
            return "--ausgang2 needs a value in output 2's unit";
        g.ausgang2 = wert;
    }
    if (!a.anstieg.empty()) {
        if (storage::KommazahlLesen(a.anstieg, wert) != storage::ZahlErgebnis::Ganz ||
            !std::isfinite(wert) || wert <= 0.0)
            return "--anstieg needs milliseconds above 0";
        g.anstieg = wert;
    }
    return {};
}

// The configuration as the program has it after start-up (the settings
// file's section konfig here, its defaults without one), then --konfig; and
// the characteristic in its start state.
int Vorbereiten(Lauf& l, const Aufruf& a) {
    config::StandardwerteSetzen();
    const settings::IniLeser leser[] = {
        [](const settings::IniText& ini) { config::KonfigIniLesen(ini, config::gKonfig); }};
    settings::ReadIni(leser);
    int code = l.KonfigLaden(a);
    if (code == 0)
        code = kl::KennlinienInit();
    return code;
}

// What the loaded characteristic is for: sampled for the board, or not.
enum class Zweck { Abtasten, Umschreiben };

// A characteristic file and its fields, with --ausgang2 and --anstieg over them.
// A damaged file is taken only with --force; the points of a sound one as
// they stand, with a note where sampling limits them.
int Laden(Lauf& l, const Aufruf& a, const Angaben& g, const std::string& datei, kl::Felder& f,
          Zweck zweck = Zweck::Abtasten) {
    int code = Vorbereiten(l, a);
    kl::Ladeergebnis e;
    std::vector<std::uint8_t> bytes;
    if (code == 0 && !Lauf::Strom(datei)) {
        e = kl::KennlinieLadenNach(datei);
        code = e.code;
    } else if (code == 0) {
        if (l.Einlesen(bytes))
            e = kl::KennliniendateiEinlesen(bytes, {});
        else
            e.code = kl::kFehlerKennliniendateiOeffnen;
        code = e.code;
    }
    if (code != 0)
        return l.Fehler(code);
    if (e.schaden.beschaedigt()) {
        if (const int status = l.Beschaedigt(a, datei, kl::Schadensbeschreibung(e.schaden));
            status != kErfolg)
            return status;
    }
    // Too many values is the send's or the block's own failure, with its code.
    if (zweck == Zweck::Abtasten && e.grenzen.werteBegrenzt)
        l.Text(datei + ": " + kl::Punktehinweis({.werteBegrenzt = true}));
    f = e.felder;
    f.begrenzung = g.ausgang2.value_or(f.begrenzung);
    f.anstiegszeit = g.anstieg.value_or(f.anstiegszeit);
    return kErfolg;
}

// The window's pop-up code first, then its error display's.
int Melden(Lauf& l, const kl::Uebertragung& u) {
    if (u.code != 0)
        l.Fehler(u.code);
    if (u.anzeige != 0)
        l.Fehler(u.anzeige);
    return u.code != 0 || u.anzeige != 0 ? kFehlschlag : kErfolg;
}

bool EndetMit(const std::string& pfad, std::string_view endung) {
    std::string e = std::filesystem::path(pfad).extension().string();
    std::transform(e.begin(), e.end(), e.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return e == endung;
}

// The characteristic as text into a file or, for "-", onto standard output.
int TextSchreiben(Lauf& l, const std::string& ziel) {
    if (!Lauf::Strom(ziel))
        return kl::KennlinieExportierenNach(ziel);
    return l.Ausgeben(kl::KennlinieExportText()) ? 0 : kl::kFehlerExportSchreiben;
}

int Senden(Lauf& l, const Aufruf& a, const Angaben& g, const std::string& datei) {
    kl::Felder f;
    if (const int status = Laden(l, a, g, datei, f); status != kErfolg)
        return status;
    if (const int code = l.Oeffnen(a); code != 0)
        return l.Fehler(code);
    const kl::Uebertragung u =
        kl::KennlinieSenden(a.port, a.adresse, *g.slot, f, l.Anzeige(kl::kSendenText));
    l.AnzeigeBeenden();
    const int status = Melden(l, u);
    if (status != kErfolg || !a.pruefen)
        return status;
    std::array<std::uint8_t, kl::kBlockGroesse> block{};
    if (const int code = kl::KennlinienblockBauen(f, block); code != 0)
        return l.Fehler(code);
    return Vergleichen(l, a, kl::Speicherplatzadresse(*g.slot), block);
}

int Lesen(Lauf& l, const Aufruf& a, const Angaben& g, const std::string& ziel) {
    int code = Vorbereiten(l, a);
    if (code == 0)
        code = l.Oeffnen(a);
    if (code != 0)
        return l.Fehler(code);
    const kl::Uebertragung u =
        kl::KennlinieLesen(a.port, a.adresse, *g.slot, l.Anzeige(kl::kLesenText));
    l.AnzeigeBeenden();
    if (Melden(l, u) != kErfolg)
        return kFehlschlag;
    kl::Felder f = kl::StartFelder();
    f.begrenzung = u.begrenzung.value_or(f.begrenzung);
    f.anstiegszeit = u.anstiegszeit.value_or(f.anstiegszeit);
    if (a.json && Lauf::Strom(ziel))
        JsonAusgeben(l, Kennlinienpunkte(f.begrenzung, f.anstiegszeit));
    else
        code =
            EndetMit(ziel, ".ske") ? kl::KennlinieSpeichernNach(ziel, f) : TextSchreiben(l, ziel);
    return code == 0 ? kErfolg : l.Fehler(code);
}

// A characteristic file loaded, then written again by `schreiben` with its fields.
template <class Schreiben>
int Umwandeln(Lauf& l, const Aufruf& a, const Angaben& g, const std::string& datei, Zweck zweck,
              Schreiben schreiben) {
    kl::Felder f;
    if (const int status = Laden(l, a, g, datei, f, zweck); status != kErfolg)
        return status;
    const int code = schreiben(f);
    return code == 0 ? kErfolg : l.Fehler(code);
}

// The slot block onto standard output.
int BlockAusgeben(Lauf& l, const kl::Felder& f) {
    std::array<std::uint8_t, kl::kBlockGroesse> block{};
    if (const int code = kl::KennlinienblockBauen(f, block); code != 0)
        return code;
    return l.Ausgeben(block) ? 0 : kl::kFehlerKennliniendateiSchreiben;
}

int Importieren(Lauf& l, const Aufruf& a, const std::string& text, const std::string& ziel) {
    int code = Vorbereiten(l, a);
    std::vector<std::uint8_t> bytes;
    if (code == 0) {
        const kl::Importergebnis e =
            !Lauf::Strom(text)  ? kl::KennlinieImportierenNach(text)
            : l.Einlesen(bytes) ? kl::KennlinieImportText(std::string_view(
                                      reinterpret_cast<const char*>(bytes.data()), bytes.size()))
                                : kl::Importergebnis{kl::kFehlerImportOeffnen, {}, {}};
        if (!e.meldung.empty())
            l.Text(e.meldung);
        if (!e.fehlerText.empty())
            l.Text(e.fehlerText);
        code = e.code;
    }
    if (code == 0 && !Lauf::Strom(ziel))
        code = kl::KennlinieSpeichernNach(ziel, kl::StartFelder());
    else if (code == 0 && !l.Ausgeben(kl::KennliniendateiBild(kl::StartFelder())))
        code = kl::kFehlerKennliniendateiSchreiben;
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Waehlen(Lauf& l, const Aufruf& a, const Angaben& g) {
    if (const int code = l.Oeffnen(a); code != 0)
        return l.Fehler(code);
    return Melden(l, kl::Ausgang4Setzen(a.port, a.adresse, *g.slot));
}

}  // namespace

std::optional<int> KennlinieAusfuehren(Lauf& l, const Aufruf& a) {
    const std::vector<std::string>& w = a.woerter;
    if (w[0] != "kennlinie" || w.size() < 2)
        return std::nullopt;
    Angaben g;
    if (const std::string fehler = AngabenLesen(a, g); !fehler.empty())
        return l.Aufruffehler(fehler);
    const std::string& was = w[1];
    const bool mitPlatz = was == "senden" || was == "lesen" || was == "waehlen";
    if (mitPlatz && !g.slot)
        return l.Aufruffehler("kennlinie " + was + " needs --platz N");
    if (was == "senden" && w.size() == 3)
        return Senden(l, a, g, w[2]);
    if (was == "lesen" && w.size() == 3) {
        if (!EndetMit(w[2], ".ske") && !EndetMit(w[2], ".txt") && !Lauf::Strom(w[2]))
            return l.Aufruffehler("kennlinie lesen saves *.ske, *.txt or - (text)");
        return Lesen(l, a, g, w[2]);
    }
    if (was == "exportieren" && w.size() == 4)
        return Umwandeln(l, a, Angaben{}, w[2], Zweck::Umschreiben,
                         [&](const kl::Felder&) { return TextSchreiben(l, w[3]); });
    if (was == "importieren" && w.size() == 4)
        return Importieren(l, a, w[2], w[3]);
    if (was == "block" && w.size() == 4)
        return Umwandeln(l, a, g, w[2], Zweck::Abtasten, [&](const kl::Felder& f) {
            return Lauf::Strom(w[3]) ? BlockAusgeben(l, f)
                                     : kl::KennlinienblockSpeichernNach(w[3], f);
        });
    if (was == "zeichnen" && w.size() == 4)
        return KennlinienbildSchreiben(l, a, w[3], [&] {
            kl::Felder f;
            return Laden(l, a, Angaben{}, w[2], f, Zweck::Umschreiben);
        });
    if (was == "waehlen" && w.size() == 2)
        return Waehlen(l, a, g);
    return std::nullopt;
}

}  // namespace ctl
