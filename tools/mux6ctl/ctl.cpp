#include "ctl.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include "characteristic.h"
#include "command_table.h"
#include "config/model.h"
#include "curves/files.h"
#include "curves/model.h"
#include "curves/transfer.h"
#include "device/commands.h"
#include "device/link.h"
#include "direct_io.h"
#include "errors/errors.h"
#include "fast.h"
#include "json.h"
#include "picture.h"
#include "run.h"
#include "storage/file_codes.h"

namespace ctl {

namespace {

namespace fs = std::filesystem;

bool EndetMit(const std::string& pfad, std::string_view endung) {
    std::string e = fs::path(pfad).extension().string();
    std::transform(e.begin(), e.end(), e.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return e == endung;
}

// A fresh curve state and configuration, as after the program's start.
int Frisch() {
    config::StandardwerteSetzen();
    return curves::KurvenInit();
}

// The curves of a file ("-": standard input) into a fresh state; a damaged
// file only with --force. An exit status.
int Kurvendatei(Lauf& l, const Aufruf& a, const std::string& pfad) {
    if (const int code = Frisch(); code != 0) {
        return l.Fehler(code);
    }
    // The file's configuration plays no part here: the curves are raw counts.
    curves::Ladeergebnis e;
    std::vector<std::uint8_t> bytes;
    if (!Lauf::Strom(pfad)) {
        e = curves::KurvenLadenNach(pfad);
    } else if (l.Einlesen(bytes)) {
        e = curves::KurvendateiEinlesen(bytes, false, {});
    } else {
        e.code = curves::kFehlerKurvendateiOeffnen;
    }
    if (e.code != 0) {
        return l.Fehler(e.code);
    }
    if (e.schaden.beschaedigt()) {
        return l.Beschaedigt(a, pfad, curves::Schadensbeschreibung(e.schaden));
    }
    return kErfolg;
}

// Curve 1 as text into a file or, for "-", onto standard output.
int TextSchreiben(Lauf& l, const std::string& ziel) {
    if (!Lauf::Strom(ziel)) {
        return curves::KurvenExportierenNach(ziel);
    }
    return l.Ausgeben(curves::KurvenExportText()) ? 0 : curves::kFehlerExportSchreiben;
}

// The whole curve file into a file or onto standard output.
int KurvenSchreiben(Lauf& l, const std::string& ziel) {
    if (!Lauf::Strom(ziel)) {
        return curves::KurvenSpeichernNach(ziel);
    }
    return l.Ausgeben(curves::KurvendateiBild()) ? 0 : curves::kFehlerKurvendateiSchreiben;
}

int Id(Lauf& l, const Aufruf& a) {
    int code = l.Oeffnen(a);
    std::string id;
    if (code == 0) {
        code = device::ORVKAP1_IDLesen(a.port, a.adresse, id);
    }
    if (code != 0) {
        return l.Fehler(code);
    }
    if (a.json)
        JsonAusgeben(l, {{"adresse", std::string(1, a.adresse)}, {"kennung", id}});
    else
        l.aus() << id << '\n';
    return kErfolg;
}

int Suchen(Lauf& l, const Aufruf& a) {
    const int code = l.Oeffnen(a);
    if (code != 0) {
        return l.Fehler(code);
    }
    // A silent address is no error: it is what the scan is for.
    nlohmann::json adressen = nlohmann::json::array();
    for (char adresse = '1'; adresse <= '8'; ++adresse) {
        std::string id;
        const bool da = device::ORVKAP1_IDLesen(a.port, adresse, id) == 0;
        adressen.push_back({{"adresse", std::string(1, adresse)},
                            {"kennung", da ? nlohmann::json(id) : nlohmann::json(nullptr)}});
        if (!a.json)
            l.aus() << (da ? id : "-") << '\n';
    }
    if (a.json)
        JsonAusgeben(l, {{"adressen", adressen}});
    return kErfolg;
}

int StartStopp(Lauf& l, const Aufruf& a, const char* funktion) {
    int code = l.Oeffnen(a);
    if (code == 0) {
        code = device::ORVKAP1_DeviceFunction(a.port, a.adresse, funktion);
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Senden(Lauf& l, const Aufruf& a, const std::string& datei) {
    if (const int status = Kurvendatei(l, a, datei); status != kErfolg) {
        return status;
    }
    const curves::Laengenpruefung pruefung = curves::KurvenlaengenPruefen();
    if (pruefung.frage) {
        l.Text(pruefung.text);
        if (!a.erzwingen) {
            return l.Text("Nichts gesendet; --force sendet trotzdem.");
        }
    }
    curves::Speicherabbild abbild;
    if (!curves::SpeicherabbildBauen(abbild)) {
        return l.Text(curves::kSpeicherVollText);
    }
    int code = l.Oeffnen(a);
    if (code == 0) {
        code =
            curves::SpeicherabbildSenden(a.port, a.adresse, abbild, l.Anzeige(curves::kSendenText));
        l.AnzeigeBeenden();
    }
    if (code == 0 && a.pruefen)
        return Vergleichen(l, a, static_cast<int>(curves::kSpeicherStart), abbild.Sendebereich());
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Rueckholen(Lauf& l, const Aufruf& a, const std::string& ziel) {
    const bool skr = EndetMit(ziel, ".skr");
    int code = Frisch();
    if (code == 0) {
        code = l.Oeffnen(a);
    }
    if (code == 0) {
        code = curves::KurvenLesen(a.port, a.adresse, l.Anzeige(curves::kLesenText));
        l.AnzeigeBeenden();
    }
    if (code == 0) {
        if (a.json && Lauf::Strom(ziel))
            JsonAusgeben(l, Kurvenpunkte());
        else
            code = skr ? KurvenSchreiben(l, ziel) : TextSchreiben(l, ziel);
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Exportieren(Lauf& l, const Aufruf& a, const std::string& datei, const std::string& ziel) {
    if (const int status = Kurvendatei(l, a, datei); status != kErfolg) {
        return status;
    }
    const int code = TextSchreiben(l, ziel);
    return code == 0 ? kErfolg : l.Fehler(code);
}

curves::Importergebnis TextLesen(Lauf& l, const std::string& text) {
    if (!Lauf::Strom(text)) {
        return curves::KurvenImportierenNach(text);
    }
    std::vector<std::uint8_t> bytes;
    if (!l.Einlesen(bytes)) {
        return {curves::kFehlerImportOeffnen, {}, {}};
    }
    return curves::KurvenImportText(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int Importieren(Lauf& l, const std::string& text, const std::string& ziel) {
    int code = Frisch();
    if (code == 0) {
        const curves::Importergebnis e = TextLesen(l, text);
        if (!e.meldung.empty()) {
            l.Text(e.meldung);
        }
        if (!e.fehlerText.empty()) {
            l.Text(e.fehlerText);
        }
        code = e.code;
    }
    if (code == 0) {
        code = KurvenSchreiben(l, ziel);
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Abbild(Lauf& l, const Aufruf& a, const std::string& datei, const std::string& ziel) {
    if (const int status = Kurvendatei(l, a, datei); status != kErfolg) {
        return status;
    }
    curves::Speicherabbild abbild;
    if (!curves::SpeicherabbildBauen(abbild)) {
        return l.Text(curves::kSpeicherVollText);
    }
    const auto bytes = abbild.Sendebereich();
    if (Lauf::Strom(ziel)) {
        return l.Ausgeben(bytes) ? kErfolg : l.Fehler(curves::kFehlerKurvendateiSchreiben);
    }
    // The image is the curve file's bytes in the board's order: its codes.
    const int code = storage::DateiSpeichern(
        ziel, bytes, {curves::kFehlerKurvendateiAnlegen, curves::kFehlerKurvendateiSchreiben});
    return code == 0 ? kErfolg : l.Fehler(code);
}

}  // namespace

std::optional<int> GeraetAusfuehren(Lauf& l, const Aufruf& a) {
    const std::string& w = a.woerter.at(0);
    if (w == "id")
        return Id(l, a);
    if (w == "suchen")
        return a.alleRaten ? SuchenAlleRaten(l, a) : Suchen(l, a);
    return StartStopp(l, a, w == "start" ? "start" : "stopp");
}

std::optional<int> KurveAusfuehren(Lauf& l, const Aufruf& a) {
    const std::vector<std::string>& w = a.woerter;
    const std::string& was = w.at(1);
    if (was == "senden")
        return Senden(l, a, w[2]);
    if (was == "lesen") {
        if (!EndetMit(w[2], ".skr") && !EndetMit(w[2], ".txt") && !Lauf::Strom(w[2]))
            return l.Aufruffehler("kurve lesen saves *.skr, *.txt or - (text)");
        return Rueckholen(l, a, w[2]);
    }
    if (was == "exportieren")
        return Exportieren(l, a, w[2], w[3]);
    if (was == "importieren")
        return Importieren(l, w[2], w[3]);
    if (was == "abbild")
        return Abbild(l, a, w[2], w[3]);
    if (was == "zeichnen")
        return KurvenbildSchreiben(l, a, w[3], [&] { return Kurvendatei(l, a, w[2]); });
    return std::nullopt;
}

bool GrafikBenoetigt(const std::vector<std::string>& argumente) {
    Aufruf a;
    const Zerlegung z = Zerlegen(argumente, a);
    return z.art == Zerlegung::Art::Befehl && z.befehl->grafik;
}

int Ausfuehren(const std::vector<std::string>& argumente, Umgebung& umgebung) {
    errors::ORV_Fehlersprache(1);
    Lauf l(umgebung);
    if (argumente.size() == 1 && argumente[0] == "--bash-vervollstaendigung") {
        umgebung.aus << BashVervollstaendigung();
        return l.Abschluss(kErfolg);
    }
    Aufruf a;
    const Zerlegung z = Zerlegen(argumente, a);
    if (z.art == Zerlegung::Art::Aufruffehler)
        return l.Aufruffehler(z.text);
    if (const std::string fehler = RatenoptionenPruefen(a); !fehler.empty())
        return l.Aufruffehler(fehler);
    if (z.art == Zerlegung::Art::Hilfe) {
        umgebung.aus << z.text;
        return l.Abschluss(kErfolg);
    }
    l.JsonSetzen(a.json);
    const std::optional<int> status = z.befehl->ausfuehren(l, a);
    if (!status)
        return l.Aufruffehler("wrong arguments for '" + a.woerter[0] +
                              (a.woerter.size() > 1 ? " " + a.woerter[1] : "") + "'");
    return l.Abschluss(*status);
}

}  // namespace ctl
