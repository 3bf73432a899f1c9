#include "characteristic/files.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>

#include "characteristic/editing.h"
#include "characteristic/view.h"
#include "config/files.h"
#include "storage/byte_order.h"
#include "storage/c_numbers.h"
#include "storage/cp1252.h"
#include "storage/read_file.h"
#include "storage/safe_save.h"
#include "storage/text_lines.h"

namespace characteristic {
namespace {

constexpr std::size_t kTypFeld = 32;
constexpr std::size_t kKommentarFeld = 1000;
constexpr std::size_t kOffVersion = 32;
constexpr std::size_t kOffKommentar = 36;
constexpr std::size_t kOffKonfig = 1040;
constexpr std::size_t kOffAnzahl = 1392;
constexpr std::size_t kOffAusgang2 = 1400;
constexpr std::size_t kOffAnstiegszeit = 1408;

std::int32_t LE32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int32_t>(storage::GetLE32(b, at));
}

void Nullen(std::vector<std::uint8_t>& out, std::size_t n) {
    out.insert(out.end(), n, 0);
}

// A NUL-terminated Windows-1252 field of `feld` bytes, zeros after the text.
void TextFeld(std::vector<std::uint8_t>& out, std::string_view utf8, std::size_t feld) {
    std::string bild = storage::Utf8ZuCp1252Ersetzt(utf8);
    bild.resize(std::min(bild.size(), feld - 1));
    out.insert(out.end(), bild.begin(), bild.end());
    Nullen(out, feld - bild.size());
}

// The bytes of a field up to its NUL (all of it without one).
std::string_view RohText(std::span<const std::uint8_t> b, std::size_t at, std::size_t feld) {
    const auto anfang = b.begin() + static_cast<std::ptrdiff_t>(at);
    const auto ende = std::find(anfang, anfang + static_cast<std::ptrdiff_t>(feld), 0);
    return std::string_view(reinterpret_cast<const char*>(&*anfang),
                            static_cast<std::size_t>(ende - anfang));
}

// The points of the file as far as they are whole; empty when the count is
// below 1 or beyond what the file holds.
std::vector<Gerade> PunkteLesen(std::span<const std::uint8_t> datei, std::int32_t anzahl) {
    std::vector<Gerade> punkte;
    const std::size_t rest = datei.size() - kDateikopfGroesse;
    if (anzahl < 1 || static_cast<std::size_t>(anzahl) * kGeradeBytes > rest)
        return punkte;
    punkte.resize(static_cast<std::size_t>(anzahl));
    std::size_t pos = kDateikopfGroesse;
    for (Gerade& g : punkte) {
        g.y = LE32(datei, pos);
        g.laenge = LE32(datei, pos + 4);
        g.zeitbasis = static_cast<std::int8_t>(datei[pos + 8]);
        pos += kGeradeBytes;
    }
    return punkte;
}

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
    TextFeld(b, kKennliniendateiTyp, kTypFeld);
    storage::PutLE32(b, static_cast<std::uint32_t>(kKennliniendateiVersion));
    TextFeld(b, gKennlinie.kommentar, kKommentarFeld);
    Nullen(b, 4);
    config::KonfigBildSchreiben(config::gKonfig, b);
    storage::PutLE32(b, static_cast<std::uint32_t>(punkte.size()));
    Nullen(b, 4);
    storage::PutLEDouble(b, config::EingangAnzeigeZuRoh(1, felder.begrenzung));
    storage::PutLEDouble(b, felder.anstiegszeit);
    storage::PutLE32(b, 0);
    Nullen(b, 4);
    for (const Gerade& g : punkte) {
        storage::PutLE32(b, static_cast<std::uint32_t>(g.y));
        storage::PutLE32(b, static_cast<std::uint32_t>(g.laenge));
        b.push_back(static_cast<std::uint8_t>(g.zeitbasis));
        Nullen(b, 3);
    }
    return b;
}

namespace {
// Text or bytes through the safe save, with the operation's two codes.
int Sichern(const std::filesystem::path& pfad, std::string_view inhalt, int oeffnen,
            int schreiben) {
    switch (storage::SicherSchreiben(pfad, inhalt)) {
        case storage::Speicherergebnis::Ok:
            return 0;
        case storage::Speicherergebnis::SchreibFehler:
            return schreiben;
        default:
            return oeffnen;
    }
}
}  // namespace

int KennlinieSpeichernNach(const std::filesystem::path& pfad, const Felder& felder) {
    std::vector<std::uint8_t> bild;
    try {
        bild = KennliniendateiBild(felder);
    } catch (const std::bad_alloc&) {
        return kFehlerKennliniendateiSchreiben;
    }
    const std::string_view inhalt(reinterpret_cast<const char*>(bild.data()), bild.size());
    if (const int code =
            Sichern(pfad, inhalt, kFehlerKennliniendateiAnlegen, kFehlerKennliniendateiSchreiben);
        code != 0)
        return code;
    Kennlinienpanel_Titel(pfad.string());
    gKennlinieGeaendert = false;
    return 0;
}

int KennlinienblockSpeichernNach(const std::filesystem::path& pfad, const Felder& felder) {
    std::array<std::uint8_t, kBlockGroesse> block{};
    if (const int code = KennlinienblockBauen(felder, block); code != 0)
        return code;
    const std::string_view inhalt(reinterpret_cast<const char*>(block.data()), block.size());
    return Sichern(pfad, inhalt, kFehlerKennliniendateiAnlegen, kFehlerKennliniendateiSchreiben);
}

// ---- load ----------------------------------------------------------------------------------

std::string Schadensbeschreibung(const Dateischaden& s) {
    std::string text;
    if (s.punkte)
        text =
            "Die Punkte der Datei fehlen oder sind ungültig; geladen ist die Startkennlinie "
            "mit Kommentar, Analogausgang 2 und Anstiegszeit der Datei.";
    if (s.felder)
        text += std::string(text.empty() ? "" : "\n") +
                "Analogausgang 2 oder Anstiegszeit der Datei sind keine gültigen Zahlen; sie "
                "haben ihren Startwert.";
    if (s.konfig)
        text += std::string(text.empty() ? "" : "\n") + config::kKonfigSchaden;
    return text;
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
    std::string text;
    if (g.werteBegrenzt)
        text =
            "Werte außerhalb von 0 bis 4095 werden beim Übertragen zur MUX-6 auf diesen Bereich "
            "begrenzt.";
    if (g.zuLang)
        text += std::string(text.empty() ? "" : "\n") +
                "Die Kennlinie braucht mehr als die 4096 Werte eines Speicherplatzes; sie kann "
                "so nicht zur MUX-6 geschrieben werden.";
    return text;
}

Ladeergebnis KennliniendateiEinlesen(std::span<const std::uint8_t> datei, const std::string& pfad) {
    Ladeergebnis e;
    Kennlinienpanel_Titel("");
    if (datei.size() < kDateikopfGroesse) {
        e.code = -304519;
        return e;
    }
    if (RohText(datei, 0, kTypFeld) != kKennliniendateiTyp) {
        e.code = -1025520;
        return e;
    }
    if (LE32(datei, kOffVersion) != kKennliniendateiVersion) {
        e.code = -303521;
        return e;
    }
    // Everything into a new characteristic first; the window's changes only
    // once nothing can fail any more.
    Kennlinie neu;
    try {
        neu.geraden = PunkteLesen(datei, LE32(datei, kOffAnzahl));
        if (neu.geraden.empty()) {
            e.schaden.punkte = true;
            neu.geraden = Startkennlinie().geraden;
        }
        neu.kommentar = storage::Cp1252ZuUtf8(RohText(datei, kOffKommentar, kKommentarFeld - 1));
    } catch (const std::bad_alloc&) {
        e.code = e.schaden.punkte ? -600523 : -600522;
        return e;
    }
    neu.anzahl = static_cast<std::int32_t>(neu.geraden.size());
    e.grenzen = PunktgrenzenPruefen(neu);

    const double ausgang2 = storage::GetLEDouble(datei, kOffAusgang2);
    const double anstieg = storage::GetLEDouble(datei, kOffAnstiegszeit);
    e.felder = StartFelder();
    if (std::isfinite(ausgang2))
        e.felder.begrenzung = config::EingangRohZuAnzeige(1, ausgang2);
    if (std::isfinite(anstieg) && anstieg > 0.0)
        e.felder.anstiegszeit = anstieg;
    e.schaden.felder = !std::isfinite(ausgang2) || !(std::isfinite(anstieg) && anstieg > 0.0);

    e.schaden.konfig =
        config::KonfigBildLesen(datei.subspan(kOffKonfig, config::kKonfigBildGroesse), e.konfig);
    e.konfigAbweichend = config::KonfigurationenVergleichen(e.konfig, config::gKonfig) == 0;
    std::swap(gKennlinie, neu);
    Kennlinienpanel_Titel(e.schaden.beschaedigt() ? std::string() : pfad);
    gKennlinieGeaendert = false;
    ZoomGesamtkurve();
    return e;
}

Ladeergebnis KennlinieLadenNach(const std::filesystem::path& pfad) {
    Kennlinienpanel_Titel("");
    Ladeergebnis e;
    std::vector<std::uint8_t> bytes;
    storage::Leseergebnis gelesen;
    try {
        gelesen = storage::DateiLesen(pfad, bytes);
    } catch (const std::bad_alloc&) {
        e.code = -600522;
        return e;
    }
    if (gelesen == storage::Leseergebnis::NichtLesbar) {
        e.code = kFehlerKennliniendateiOeffnen;
        return e;
    }
    // A read that broke off is no file cut short: what it would have held is
    // unknown, so nothing is taken.
    if (gelesen == storage::Leseergebnis::Lesefehler) {
        e.code = -304519;
        return e;
    }
    return KennliniendateiEinlesen(bytes, pfad.string());
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
    std::string text;
    try {
        text = KennlinieExportText();
    } catch (const std::bad_alloc&) {
        return kFehlerExportSchreiben;
    }
    return Sichern(pfad, text, kFehlerExportAnlegen, kFehlerExportSchreiben);
}

// ---- import -------------------------------------------------------------------------------

namespace {

bool IstLeer(char c) {
    return c == ' ' || c == '\t';
}

// The next field of blanks and tabs apart; empty at the end of the line.
std::string_view Feld(std::string_view zeile, std::size_t& p) {
    while (p < zeile.size() && IstLeer(zeile[p]))
        ++p;
    const std::size_t anfang = p;
    while (p < zeile.size() && !IstLeer(zeile[p]))
        ++p;
    return zeile.substr(anfang, p - anfang);
}

// The two numbers a data line starts with, X and Y; false when there are not
// two. Anything after them is not looked at.
bool ZweiZahlen(std::string_view zeile, double& x, double& y) {
    std::size_t p = 0;
    for (double* wert : {&x, &y}) {
        const std::string_view f = Feld(zeile, p);
        if (f.empty() || storage::KommazahlLesen(f, *wert) != storage::ZahlErgebnis::Ganz)
            return false;
    }
    return true;
}

bool Ueberspringbar(std::string_view zeile) {
    std::size_t p = 0;
    const std::string_view f = Feld(zeile, p);
    return f.empty() || f.front() == '#';
}

Importergebnis Importfehler(int zeile, int code, const std::string& text) {
    Importergebnis e;
    e.code = code;
    e.meldung = "Fehler in Zeile " + std::to_string(zeile) + ":\n" + text;
    return e;
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
    inhalt = storage::OhneBom(inhalt);
    std::string_view zeile;
    int nummer = 0;
    double xVorher = 0.0;
    while (storage::NaechsteZeile(inhalt, zeile, kImportZeileMax)) {
        ++nummer;
        if (Ueberspringbar(zeile))
            continue;
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
    std::vector<std::uint8_t> bytes;
    storage::Leseergebnis gelesen;
    try {
        gelesen = storage::DateiLesen(pfad, bytes);
    } catch (const std::bad_alloc&) {
        return Importergebnis{-304534, {}, {}};
    }
    if (gelesen == storage::Leseergebnis::NichtLesbar)
        return Importergebnis{kFehlerImportOeffnen, {}, {}};
    if (gelesen == storage::Leseergebnis::Lesefehler)
        return Importergebnis{-304534, {}, {}};
    return KennlinieImportText(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace characteristic
