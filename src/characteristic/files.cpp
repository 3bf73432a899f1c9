#include "characteristic/files.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <new>
#include <utility>

#include "characteristic/editing.h"
#include "characteristic/view.h"
#include "config/files.h"
#include "storage/c_numbers.h"
#include "storage/fields.h"
#include "storage/file_codes.h"
#include "storage/paths.h"
#include "storage/segment_records.h"
#include "storage/text_lines.h"

namespace characteristic {
namespace {

// The header, as offset and width of each field; the gaps between are filler.
constexpr std::size_t kTypFeld = storage::kDateitypFeld;
constexpr std::size_t kOffKommentar = 36, kKommentarFeld = 1000;
constexpr std::size_t kOffKonfig = 1040;  // config::kKonfigBildGroesse bytes
constexpr std::size_t kOffAnzahl = 1392;
constexpr std::size_t kOffAusgang2 = 1400;
constexpr std::size_t kOffAnstiegszeit = 1408;
static_assert(kGeradeBytes == storage::kGeradeBytes);
static_assert(kOffKonfig + config::kKonfigBildGroesse == kOffAnzahl);

constexpr storage::Dateikopf kKopf{
    kDateikopfGroesse, kKennliniendateiTyp, kKennliniendateiVersion, -304519, -1025520, -303521};
constexpr storage::Speichercodes kSpeichernCodes{kFehlerKennliniendateiAnlegen,
                                                 kFehlerKennliniendateiSchreiben};
constexpr storage::Speichercodes kExportCodes{kFehlerExportAnlegen, kFehlerExportSchreiben};

}  // namespace

// ---- questions --------------------------------------------------------------------------

std::string UngespeichertFrage() {
    return "Möchten Sie die Änderungen in " + DateinameOderStandard() + " speichern?";
}

// ---- "Neu" ----------------------------------------------------------------------------------

int KennlinieNeu(Felder& felder) {
    try {
        gKennlinie.geraden = Startkennlinie().geraden;
    } catch (const std::bad_alloc&) {
        return kGroessenFehler;
    }
    gKennlinie.anzahl = 1;
    gKennlinie.kommentar.clear();
    felder = StartFelder();
    Kennlinienpanel_Titel("");
    ZoomGesamtkurve();
    return 0;
}

// ---- save ----------------------------------------------------------------------------------

std::vector<std::uint8_t> KennliniendateiBild(const Felder& felder) {
    const std::vector<Gerade>& punkte = gKennlinie.geraden;
    std::vector<std::uint8_t> b;
    b.reserve(kDateikopfGroesse + punkte.size() * kGeradeBytes);
    storage::Feldschreiber w(b);
    w.Text(kKennliniendateiTyp, kTypFeld);
    w.Int32(kKennliniendateiVersion);
    w.Text(gKennlinie.kommentar, kKommentarFeld);
    w.Nullen(4);
    config::KonfigBildSchreiben(config::gKonfig, b);
    w.Int32(static_cast<std::int32_t>(punkte.size()));
    w.Nullen(4);
    w.Double(config::EingangAnzeigeZuRoh(1, felder.begrenzung));
    w.Double(felder.anstiegszeit);
    w.Int32(0);
    w.Nullen(4);
    storage::GeradenSchreiben(w, punkte);
    return b;
}

int KennlinieSpeichernNach(const std::filesystem::path& pfad, const Felder& felder) {
    if (const int code = storage::GebautSpeichern(
            pfad, [&] { return KennliniendateiBild(felder); }, kSpeichernCodes);
        code != 0)
        return code;
    Kennlinienpanel_Titel(storage::PfadAlsText(pfad));
    gKennlinieGeaendert = false;
    return 0;
}

int KennlinienblockSpeichernNach(const std::filesystem::path& pfad, const Felder& felder) {
    std::array<std::uint8_t, kBlockGroesse> block{};
    if (const int code = KennlinienblockBauen(felder, block); code != 0)
        return code;
    return storage::DateiSpeichern(pfad, block, kSpeichernCodes);
}

// ---- load ----------------------------------------------------------------------------------

namespace {
// The texts whose condition holds, one a line.
std::string Zeilen(std::initializer_list<std::pair<bool, const char*>> zeilen) {
    std::string text;
    for (const auto& [gilt, zeile] : zeilen)
        if (gilt) {
            // Appended piece by piece: a temporary sum of the two trips a
            // false overlap warning of the optimiser.
            if (!text.empty())
                text += '\n';
            text += zeile;
        }
    return text;
}
}  // namespace

std::string Schadensbeschreibung(const Dateischaden& s) {
    return Zeilen({{s.punkte,
                    "Die Punkte der Datei fehlen oder sind ungültig; geladen ist die "
                    "Startkennlinie mit Kommentar, Analogausgang 2 und Anstiegszeit der Datei."},
                   {s.felder,
                    "Analogausgang 2 oder Anstiegszeit der Datei sind keine gültigen Zahlen; "
                    "sie haben ihren Startwert."},
                   {s.konfig, config::kKonfigSchaden}});
}

Punktgrenzen PunktgrenzenPruefen(const Kennlinie& k) {
    Punktgrenzen g;
    g.werteBegrenzt = std::any_of(k.geraden.begin(), k.geraden.end(),
                                  [](const Gerade& p) { return p.y < 0 || p.y > kMaxRoh; });
    std::array<int, kWerte> werte{};
    g.zuLang = Kennlinie_Abtasten(k, werte) == kZuVieleWerte;
    return g;
}

std::string Punktehinweis(const Punktgrenzen& g) {
    return Zeilen({{g.werteBegrenzt,
                    "Werte außerhalb von 0 bis 4095 werden beim Übertragen zur MUX-6 auf "
                    "diesen Bereich begrenzt."},
                   {g.zuLang,
                    "Die Kennlinie braucht mehr als die 4096 Werte eines Speicherplatzes; sie "
                    "kann so nicht zur MUX-6 geschrieben werden."}});
}

Ladeergebnis KennliniendateiEinlesen(std::span<const std::uint8_t> datei, const std::string& pfad) {
    Ladeergebnis e;
    Kennlinienpanel_Titel("");
    const storage::Feldleser r(datei);
    e.code = storage::KopfPruefen(r, kKopf);
    if (e.code != 0)
        return e;
    // Every field of the header lies inside it from here on.
    // Everything into a new characteristic first; the window's changes only
    // once nothing can fail any more. A count below 1 or beyond what the file
    // holds is the only damage to the points.
    Kennlinie neu;
    try {
        const std::int32_t anzahl = *r.Int32(kOffAnzahl);
        e.schaden.punkte =
            anzahl < 1 || !storage::GeradenLesen(r, kDateikopfGroesse,
                                                 static_cast<std::size_t>(anzahl), neu.geraden);
        if (e.schaden.punkte)
            neu.geraden = Startkennlinie().geraden;
        // The comment is cut to 999 characters, whatever the file holds.
        neu.kommentar = *r.Text(kOffKommentar, kKommentarFeld - 1);
    } catch (const std::bad_alloc&) {
        e.code = e.schaden.punkte ? -600523 : -600522;
        return e;
    }
    neu.anzahl = static_cast<std::int32_t>(neu.geraden.size());
    e.grenzen = PunktgrenzenPruefen(neu);

    const double ausgang2 = *r.Double(kOffAusgang2);
    const double anstieg = *r.Double(kOffAnstiegszeit);
    e.felder = StartFelder();
    if (std::isfinite(ausgang2))
        e.felder.begrenzung = config::EingangRohZuAnzeige(1, ausgang2);
    if (std::isfinite(anstieg) && anstieg > 0.0)
        e.felder.anstiegszeit = anstieg;
    e.schaden.felder = !std::isfinite(ausgang2) || !(std::isfinite(anstieg) && anstieg > 0.0);

    e.schaden.konfig =
        config::KonfigBildLesen(*r.Teil(kOffKonfig, config::kKonfigBildGroesse), e.konfig);
    e.konfigAbweichend = config::KonfigurationenVergleichen(e.konfig, config::gKonfig) == 0;
    std::swap(gKennlinie, neu);
    Kennlinienpanel_Titel(e.schaden.beschaedigt() ? std::string() : pfad);
    gKennlinieGeaendert = false;
    ZoomGesamtkurve();
    return e;
}

Ladeergebnis KennlinieLadenNach(const std::filesystem::path& pfad) {
    Kennlinienpanel_Titel("");
    return storage::DateiLaden<std::vector<std::uint8_t>>(
        pfad, {kFehlerKennliniendateiOeffnen, -304519, -600522}, [&](const auto& bytes) {
            return KennliniendateiEinlesen(bytes, storage::PfadAlsText(pfad));
        });
}

// ---- export -------------------------------------------------------------------------------

std::string KennlinieExportText() {
    std::string text =
        "# Kennlinie exportiert aus VEK7M-Kurvengenerator\r\n"
        "# Spalte 1 = X-Wert in Prozent\r\n"
        "# Spalte 2 = Y-Wert in Prozent\r\n"
        "\r\n";
    double x = 0.0;
    for (const Gerade& g : gKennlinie.geraden) {
        text += storage::ZahlFest(100.0 * x / kMaxRoh, 2);
        text += '\t';
        text += storage::ZahlFest(100.0 * g.y / kMaxRoh, 2);
        text += "\r\n";
        x += g.laenge;
    }
    text += "\r\n";
    return text;
}

int KennlinieExportierenNach(const std::filesystem::path& pfad) {
    return storage::GebautSpeichern(pfad, KennlinieExportText, kExportCodes);
}

// ---- import -------------------------------------------------------------------------------

namespace {

using storage::Importfehler;

// The two numbers a data line starts with, X and Y; false when there are not
// two. Anything after them is not looked at.
bool ZweiZahlen(std::string_view zeile, double& x, double& y) {
    std::size_t p = 0;
    for (double* wert : {&x, &y}) {
        const std::string_view f = storage::NaechstesFeld(zeile, p);
        if (f.empty() || storage::KommazahlLesen(f, *wert) != storage::ZahlErgebnis::Ganz)
            return false;
    }
    return true;
}

std::string Bereichsfehler(const char* achse, double wert) {
    return std::string(achse) + "-Wert von " + storage::ZahlFest(wert, 3) +
           "% ist nicht erlaubt (0 bis 100%).";
}

bool Prozent(double v) {
    return v >= 0.0 && v <= 100.0;
}

}  // namespace

Importergebnis KennlinieImportText(std::string_view inhalt) {
    std::vector<Gerade> liste;
    storage::Datenzeilen zeilen(inhalt, kImportZeileMax);
    std::string_view zeile;
    int nummer = 0;
    double xVorher = 0.0;
    while (zeilen.Naechste(zeile, nummer)) {
        double x = 0.0;
        double y = 0.0;
        if (!ZweiZahlen(zeile, x, y))
            return Importfehler(nummer, -312535, "Falsche oder zu wenig Werte.");
        try {
            liste.emplace_back();
        } catch (const std::bad_alloc&) {
            return Importergebnis{-600536, {}, {}};
        }
        if (!Prozent(y))
            return Importfehler(nummer, -312537, Bereichsfehler("Y", y));
        liste.back().y = static_cast<std::int32_t>(std::trunc(kMaxRoh * y / 100.0));
        if (!Prozent(x))
            return Importfehler(nummer, -312538, Bereichsfehler("X", x));
        if (liste.size() == 1) {
            if (std::fabs(x) > 0.000001)
                return Importfehler(nummer, -312539, "Kurve muß bei X=0 beginnen.");
        } else {
            const double d = x - xVorher;
            if (d <= 0.000001)
                return Importfehler(nummer, -312540, "X-Achse nicht fortlaufend.");
            const double l = std::trunc(kMaxRoh * d / 100.0);
            if (l < 1)
                return Importfehler(nummer, -312541,
                                    "X-Unterschied zwischen zwei Punkten muß größer Null sein.");
            liste[liste.size() - 2].laenge = static_cast<std::int32_t>(l);
        }
        xVorher = x;
    }
    if (liste.empty())
        return Importergebnis{-312542, "Keine Kurvendaten gefunden.", {}};
    liste.back().laenge = 0;

    Importergebnis e;
    e.fehlerText = Kennlinie_UndoSichern();
    gKennlinie.geraden.swap(liste);
    gKennlinie.anzahl = static_cast<std::int32_t>(gKennlinie.geraden.size());
    return e;
}

Importergebnis KennlinieImportierenNach(const std::filesystem::path& pfad) {
    return storage::TextImportieren(pfad, {kFehlerImportOeffnen, -304534, -304534},
                                    KennlinieImportText);
}

}  // namespace characteristic
