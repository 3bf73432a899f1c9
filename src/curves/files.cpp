#include "curves/files.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <new>
#include <optional>

#include "config/files.h"
#include "curves/editing.h"
#include "curves/view.h"
#include "storage/c_numbers.h"
#include "storage/cp1252.h"
#include "storage/fields.h"
#include "storage/file_codes.h"
#include "storage/paths.h"
#include "storage/segment_records.h"
#include "storage/text_lines.h"

namespace curves {
namespace {

// The header, as offset and width of each field; per-curve fields follow each
// other, four of a kind.
constexpr std::size_t kTypFeld = storage::kDateitypFeld;
constexpr std::int32_t kVersion = 1;
constexpr std::size_t kOffKommentare = 40, kKommentarFeld = 1000;
constexpr std::size_t kOffZyklen = 4040;
constexpr std::size_t kOffRuhe = 4056;
constexpr std::size_t kOffKonfig = 4072;  // config::kKonfigBildGroesse bytes
constexpr std::size_t kOffAnzahlen = 4424, kAnzahlFeld = 12;
static_assert(kGeradeBytes == storage::kGeradeBytes);
static_assert(kOffKonfig + config::kKonfigBildGroesse == kOffAnzahlen);
static_assert(kOffAnzahlen + kKurven * kAnzahlFeld == kDateikopfGroesse);

constexpr storage::Dateikopf kKopf{kDateikopfGroesse, kKurvendateiTyp, kVersion,
                                   -304436,           -1020437,        -303438};
constexpr storage::Speichercodes kSpeichernCodes{kFehlerKurvendateiAnlegen,
                                                 kFehlerKurvendateiSchreiben};
constexpr storage::Speichercodes kExportCodes{kFehlerExportAnlegen, kFehlerExportSchreiben};

bool GeradeGueltig(const Gerade& g) {
    return g.y >= 0 && g.y <= kMaxRoh && g.laenge >= 1 && g.laenge <= kMaxLaenge &&
           g.zeitbasis >= 1 && g.zeitbasis <= kZeitbasen;
}

// A header field 0..hoechstens; outside, its start value 0 and false.
bool FeldLesen(const storage::Feldleser& r, std::size_t at, std::int32_t hoechstens,
               std::int32_t& feld) {
    const std::int32_t wert = *r.Int32(at);
    const bool gueltig = wert >= 0 && wert <= hoechstens;
    feld = gueltig ? wert : 0;
    return gueltig;
}

}  // namespace

// ---- questions ---------------------------------------------------------------------

std::string UngespeichertFrage() {
    return "Möchten Sie die Änderungen in " + DateinameOderStandard() + " speichern?";
}

// ---- "Neu" --------------------------------------------------------------------------

int KurvenNeu() {
    try {
        for (int i = 0; i < kKurven; ++i) {
            const auto k = static_cast<std::size_t>(i);
            gKurven[k] = Startkurve();
            gZyklen[k] = 0;
            gRuhezustand[k] = 0;
        }
    } catch (const std::bad_alloc&) {
        return kGroessenFehler;
    }
    Kurvenpanel_Titel("");
    gAnsichtStart = 0.0;
    gAnsichtEnde = kStartAnsichtEnde;
    // The changed flag stays: the curves given up are in no file, so the
    // question at program end still comes when they were never saved.
    return 0;
}

// ---- save ---------------------------------------------------------------------------

std::vector<std::uint8_t> KurvendateiBild() {
    std::vector<std::uint8_t> b;
    std::size_t segmente = 0;
    for (const Kurve& k : gKurven)
        segmente += k.geraden.size();
    b.reserve(kDateikopfGroesse + segmente * kGeradeBytes);

    storage::Feldschreiber w(b);
    w.Text(kKurvendateiTyp, kTypFeld);
    w.Int32(kVersion);
    w.Int32(gKurvenzahl);
    for (const Kurve& k : gKurven)
        w.Text(k.kommentar, kKommentarFeld);
    for (std::int32_t z : gZyklen)
        w.Int32(z);
    for (std::int32_t r : gRuhezustand)
        w.Int32(r);
    config::KonfigBildSchreiben(config::gKonfig, b);
    for (const Kurve& k : gKurven) {
        w.Int32(static_cast<std::int32_t>(k.geraden.size()));
        w.Nullen(kAnzahlFeld - 4);
    }
    for (const Kurve& k : gKurven)
        storage::GeradenSchreiben(w, k.geraden);
    return b;
}

int KurvenSpeichernNach(const std::filesystem::path& pfad) {
    if (const int code = storage::GebautSpeichern(pfad, KurvendateiBild, kSpeichernCodes);
        code != 0)
        return code;
    Kurvenpanel_Titel(storage::PfadAlsText(pfad));
    gKurvenGeaendert = false;
    return 0;
}

// ---- load and append ----------------------------------------------------------------------

namespace {

// What a file gives the window, read whole before anything of it is taken.
struct Kurvenstand {
    std::array<Kurve, kKurven> kurven;
    std::array<std::int32_t, kKurven> zyklen{};
    std::array<std::int32_t, kKurven> ruhe{};
};

// The records of a curve with `anzahl` of them from `pos` on; false (and pos
// at the end of the file) when they cannot be read whole or leave their
// ranges. The count is only believed as far as the file holds records: a
// curve that cannot be read whole consumes the rest of the file.
bool GeradenLesen(const storage::Feldleser& r, std::size_t& pos, std::int32_t anzahl,
                  std::vector<Gerade>& gelesen) {
    if (anzahl < 1)
        return false;
    const auto n = static_cast<std::size_t>(anzahl);
    if (!storage::GeradenLesen(r, pos, n, gelesen)) {
        pos = r.Groesse();
        return false;
    }
    pos += n * kGeradeBytes;
    return std::all_of(gelesen.begin(), gelesen.end(), GeradeGueltig);
}

// Curve i of the file into `kurve` (for appending, a copy of the window's
// curve). A failed allocation throws, before anything of the window changed.
void KurveLesen(const storage::Feldleser& r, std::size_t i, bool anhaengen, std::size_t& pos,
                Kurve& kurve, Ladeergebnis& e) {
    std::vector<Gerade> gelesen;
    const bool lesbar = GeradenLesen(r, pos, *r.Int32(kOffAnzahlen + i * kAnzahlFeld), gelesen);
    e.schaden.kurven[i] = !lesbar;
    if (anhaengen) {
        // A damaged part of the file must not cost the curve it joins.
        if (lesbar)
            kurve.geraden.insert(kurve.geraden.end(), gelesen.begin(), gelesen.end());
    } else {
        kurve.geraden = lesbar ? std::move(gelesen) : Startkurve().geraden;
        // Cut to 999 characters, whatever the file holds.
        kurve.kommentar = *r.Text(kOffKommentare + i * kKommentarFeld, kKommentarFeld - 1);
    }
    kurve.anzahl = static_cast<std::int32_t>(kurve.geraden.size());
}

}  // namespace

Ladeergebnis KurvendateiEinlesen(std::span<const std::uint8_t> datei, bool anhaengen,
                                 const std::string& pfad) {
    Ladeergebnis e;
    const storage::Feldleser r(datei);
    e.code = storage::KopfPruefen(r, kKopf);
    if (e.code != 0)
        return e;
    // Every field of the header lies inside it from here on.
    e.schaden.konfig =
        config::KonfigBildLesen(*r.Teil(kOffKonfig, config::kKonfigBildGroesse), e.konfig);

    // All four curves into a new state first: a failure on the way leaves
    // every curve of the window as it was.
    std::optional<Kurvenstand> neu;
    std::size_t pos = kDateikopfGroesse;
    std::size_t i = 0;
    try {
        neu.emplace();
        for (; i < kKurven; ++i) {
            if (anhaengen)
                neu->kurven[i] = gKurven[i];
            KurveLesen(r, i, anhaengen, pos, neu->kurven[i], e);
            if (!anhaengen) {
                e.schaden.felder |= !FeldLesen(r, kOffZyklen + 4 * i, kMaxZyklen, neu->zyklen[i]);
                e.schaden.felder |= !FeldLesen(r, kOffRuhe + 4 * i, kMaxRoh, neu->ruhe[i]);
            }
        }
    } catch (const std::bad_alloc&) {
        // Only the start curve of a damaged curve has its own code.
        const bool startkurve = !anhaengen && i < kKurven && e.schaden.kurven[i];
        e.code = startkurve ? -600440 : -600439;
        return e;
    }
    gKurven.swap(neu->kurven);
    if (!anhaengen) {
        gZyklen = neu->zyklen;
        gRuhezustand = neu->ruhe;
    }

    e.konfigAbweichend = config::KonfigurationenVergleichen(e.konfig, config::gKonfig) == 0;
    Kurvenpanel_Titel(e.schaden.beschaedigt() ? std::string() : pfad);
    gKurvenzahl = kKurven;
    gKurvenGeaendert = anhaengen;
    ZoomGesamtkurve();
    return e;
}

bool Dateischaden::beschaedigt() const {
    return felder || konfig || std::find(kurven.begin(), kurven.end(), true) != kurven.end();
}

std::string Schadensbeschreibung(const Dateischaden& s) {
    std::vector<std::string> teile;
    std::string kurven;
    for (std::size_t i = 0; i < kKurven; ++i) {
        if (s.kurven[i])
            kurven += (kurven.empty() ? "" : ", ") + std::to_string(i + 1);
    }
    if (!kurven.empty())
        teile.push_back("Die Geraden von Kurve " + kurven +
                        " fehlen oder sind ungültig; sie wurden nicht übernommen.");
    if (s.felder)
        teile.push_back(
            "Zyklenzahl oder Ruhezustand außerhalb des erlaubten Bereichs; sie sind 0.");
    if (s.konfig)
        teile.push_back(config::kKonfigSchaden);
    std::string text;
    for (const std::string& t : teile)
        text += (text.empty() ? "" : "\n") + t;
    return text;
}

namespace {
Ladeergebnis LadenOderAnhaengen(const std::filesystem::path& pfad, bool anhaengen) {
    Kurvenpanel_Titel("");
    return storage::DateiLaden<std::vector<std::uint8_t>>(
        pfad, {kFehlerKurvendateiOeffnen, -304436, -600439}, [&](const auto& bytes) {
            return KurvendateiEinlesen(bytes, anhaengen, storage::PfadAlsText(pfad));
        });
}
}  // namespace

Ladeergebnis KurvenLadenNach(const std::filesystem::path& pfad) {
    return LadenOderAnhaengen(pfad, false);
}

Ladeergebnis KurvenAnhaengenNach(const std::filesystem::path& pfad) {
    return LadenOderAnhaengen(pfad, true);
}

// ---- export ------------------------------------------------------------------------------------

std::string KurvenExportText() {
    std::string text =
        "# Kurven exportiert aus VEK-7M_Kurvengenerator\r\n"
        "# Spalte 1 = Zeit in Sekunden\r\n"
        "# Spalte 2 = Y-Wert in Prozent\r\n"
        "# Spalte 3 = Zeitbasis\r\n"
        "# Spalte 4 = Kuvennummer\r\n"
        "\r\n";
    const Kurve& k = gKurven[0];
    double start = 0.0;
    for (const Gerade& g : k.geraden) {
        text += storage::ZahlFest(start / 1e6, 5);
        text += '\t';
        text += storage::ZahlFest(100.0 * g.y / kMaxRoh, 2);
        text += '\t';
        text += Zeitbasis_Name(g.zeitbasis);
        text += "\t1\r\n";
        start += Gerade_Dauer(g);
    }
    text += "\r\n";
    return text;
}

int KurvenExportierenNach(const std::filesystem::path& pfad) {
    return storage::GebautSpeichern(pfad, KurvenExportText, kExportCodes);
}

// ---- import ------------------------------------------------------------------------------------

namespace {

bool IstLeer(char c) {
    return c == ' ' || c == '\t';
}

// The fields of a data line, read as far as they go: time, value, timebase
// text, curve number.
struct Datenzeile {
    int felder = 0;
    double t = 0;
    double v = 0;
    std::string zeitbasis;
    long long kurve = 0;
};

void Ueberspringen(std::string_view z, std::size_t& p) {
    while (p < z.size() && IstLeer(z[p]))
        ++p;
}

bool ZahlLesen(std::string_view z, std::size_t& p, double& wert) {
    Ueberspringen(z, p);
    std::size_t q = p;
    if (q < z.size() && z[q] == '+')
        ++q;
    const char* anfang = z.data() + q;
    const char* ende = z.data() + z.size();
    if (q < z.size() && z[q] == '+')
        return false;
    const auto r = std::from_chars(anfang, ende, wert, std::chars_format::general);
    if (r.ec != std::errc() || !std::isfinite(wert))
        return false;
    if (r.ptr != ende && !IstLeer(*r.ptr))
        return false;
    p = static_cast<std::size_t>(r.ptr - z.data());
    return true;
}

bool GanzLesen(std::string_view z, std::size_t& p, long long& wert) {
    Ueberspringen(z, p);
    std::size_t q = p;
    if (q < z.size() && z[q] == '+')
        ++q;
    if (q < z.size() && z[q] == '+')
        return false;
    const auto r = std::from_chars(z.data() + q, z.data() + z.size(), wert);
    if (r.ec != std::errc())
        return false;
    p = static_cast<std::size_t>(r.ptr - z.data());
    return true;
}

bool WortLesen(std::string_view z, std::size_t& p, std::string& wort) {
    const std::string_view feld = storage::NaechstesFeld(z, p);
    wort.assign(feld);
    return !feld.empty();
}

Datenzeile Zerlegen(std::string_view z) {
    Datenzeile d;
    std::size_t p = 0;
    if (!ZahlLesen(z, p, d.t))
        return d;
    d.felder = 1;
    if (!ZahlLesen(z, p, d.v))
        return d;
    d.felder = 2;
    if (!WortLesen(z, p, d.zeitbasis))
        return d;
    d.felder = 3;
    if (!GanzLesen(z, p, d.kurve))
        return d;
    d.felder = 4;
    return d;
}

using storage::Importfehler;

}  // namespace

Importergebnis KurvenImportText(std::string_view inhalt) {
    std::vector<Gerade> liste;
    storage::Datenzeilen zeilen(inhalt, kImportZeileMax);
    std::string_view zeile;
    int nummer = 0;
    double tVorher = 0;
    long long kurveVorher = 0;
    while (zeilen.Naechste(zeile, nummer)) {
        const Datenzeile d = Zerlegen(zeile);
        if (d.felder < 4)
            return Importfehler(nummer, -312447, "Falsche oder zu wenig Werte.");
        if (d.kurve != 1)
            return Importfehler(nummer, -312448,
                                "Kurvennummer " + std::to_string(d.kurve) + " ist nicht erlaubt.");
        if (d.kurve != kurveVorher) {
            liste.clear();
            kurveVorher = d.kurve;
        }
        try {
            liste.emplace_back();
        } catch (const std::bad_alloc&) {
            Importergebnis e;
            e.code = -600450;
            return e;
        }
        const int code = Zeitbasis_AusName(d.zeitbasis);
        if (code == 0)
            return Importfehler(
                nummer, -312451,
                "Unbekannte Zeitbasis '" + storage::Cp1252ZuUtf8(d.zeitbasis) + "'.");
        if (d.v < 0 || d.v > 100)
            return Importfehler(nummer, -312452,
                                "Y-Wert " + storage::ZahlFest(d.v, 3) + "% ist nicht erlaubt.");
        Gerade& g = liste.back();
        g.y = static_cast<std::int32_t>(std::trunc(kMaxRoh * d.v / 100.0));
        g.zeitbasis = static_cast<std::int8_t>(code);
        if (liste.size() == 1) {
            if (std::fabs(d.t) > 1e-8)
                return Importfehler(nummer, -312453, "Kurve muß bei Zeit=0 beginnen.");
        } else {
            Gerade& vorher = liste[liste.size() - 2];
            const double delta = d.t - tVorher;
            if (delta <= 1e-8)
                return Importfehler(nummer, -312454, "Zeitangaben nicht fortlaufend.");
            const double q = 1e6 * delta / Zeitbasis_Mikrosekunden(vorher.zeitbasis);
            if (q >= 65535.4)
                return Importfehler(nummer, -312455,
                                    "Kuvenabschnitt zu lang\n(muß kleiner sein als 65536 "
                                    "Zeiteinheiten).");
            const double m = std::floor(q + 5e-8);
            if (std::fabs(q - m) >= 1e-8)
                return Importfehler(nummer, -312456,
                                    "Zeitunterschied von " + storage::ZahlFest(delta, 3) +
                                        " Sekunden läßt sich nicht\ndurch die Zeitbasis " +
                                        Zeitbasis_Name(vorher.zeitbasis) + " ausdrücken.");
            const double n = std::trunc(q + 0.5);
            if (n < 1)
                return Importfehler(nummer, -312457,
                                    "Zeitunterschied zwischen zwei Punkten muß größer Null sein.");
            vorher.laenge = static_cast<std::int32_t>(n);
        }
        tVorher = d.t;
    }
    if (liste.empty()) {
        Importergebnis e;
        e.code = -312458;
        e.meldung = "Keine Kurvendaten gefunden.";
        return e;
    }
    liste.back().laenge = 1;

    Importergebnis e;
    const int vorherige = gAktuelleKurve;
    gAktuelleKurve = 0;
    e.fehlerText = Kurve_UndoSichern();
    try {
        gKurven[0].geraden = std::move(liste);
    } catch (const std::bad_alloc&) {
        e.code = -600459;
    }
    gKurven[0].anzahl = static_cast<std::int32_t>(gKurven[0].geraden.size());
    gAktuelleKurve = vorherige;
    return e;
}

Importergebnis KurvenImportierenNach(const std::filesystem::path& pfad) {
    return storage::TextImportieren(pfad, {kFehlerImportOeffnen, -304446, -304446},
                                    KurvenImportText);
}

}  // namespace curves
