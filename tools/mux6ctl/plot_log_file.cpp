#include "plot_log_file.h"

#include <charconv>

#include "storage/c_numbers.h"
#include "storage/cp1252.h"
#include "storage/text_lines.h"

namespace ctl {

namespace {

constexpr std::string_view kGestartet = "Datenerfassung gestartet";
constexpr std::string_view kNichtBekannt = "-----";
constexpr std::size_t kSpalten = 2 + 2 * kLogKanaele;  // date, time, inputs, outputs
constexpr long long kTag = 86400;

std::vector<std::string_view> Felder(std::string_view zeile) {
    std::vector<std::string_view> f;
    for (std::size_t tab; (tab = zeile.find('\t')) != std::string_view::npos;) {
        f.push_back(zeile.substr(0, tab));
        zeile.remove_prefix(tab + 1);
    }
    f.push_back(zeile);
    return f;
}

bool Zahl(std::string_view text, double& wert) {
    return !text.empty() && text.front() != ' ' &&
           storage::KommazahlLesen(text, wert) == storage::ZahlErgebnis::Ganz;
}

// Exactly `stellen` digits, inside lo..hi.
bool Ziffern(std::string_view text, std::size_t stellen, int lo, int hi, int& wert) {
    if (text.size() != stellen)
        return false;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), wert);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() && wert >= lo && wert <= hi;
}

// Days since 1 March of year 0 of the proleptic Gregorian calendar: only
// differences count.
long long Tage(int jahr, int monat, int tag) {
    const int j = monat <= 2 ? jahr - 1 : jahr;
    const int era = j / 400;
    const int jdE = j - era * 400;
    const int m = monat > 2 ? monat - 3 : monat + 9;
    const int tdJ = (153 * m + 2) / 5 + tag - 1;
    const int tdE = jdE * 365 + jdE / 4 - jdE / 100 + tdJ;
    return static_cast<long long>(era) * 146097 + tdE;
}

// "24.01.2012" and "14:05:09"; false when either is not one.
bool Zeitpunkt(std::string_view datum, std::string_view zeit, long long& sekunde) {
    int t = 0, mo = 0, j = 0, h = 0, mi = 0, s = 0;
    if (datum.size() != 10 || datum[2] != '.' || datum[5] != '.' || zeit.size() != 8 ||
        zeit[2] != ':' || zeit[5] != ':')
        return false;
    if (!Ziffern(datum.substr(0, 2), 2, 1, 31, t) || !Ziffern(datum.substr(3, 2), 2, 1, 12, mo) ||
        !Ziffern(datum.substr(6, 4), 4, 0, 9999, j) || !Ziffern(zeit.substr(0, 2), 2, 0, 23, h) ||
        !Ziffern(zeit.substr(3, 2), 2, 0, 59, mi) || !Ziffern(zeit.substr(6, 2), 2, 0, 60, s))
        return false;
    sekunde = Tage(j, mo, t) * kTag + h * 3600 + mi * 60 + s;
    return true;
}

// "Eingang1: 0.000..10.000 V" for channel `k` (1..4).
bool Bereichszeile(std::string_view zeile, std::string_view art, int k, Messkanal& kanal) {
    const std::string kopf = std::string(art) + std::to_string(k) + ": ";
    if (!zeile.starts_with(kopf))
        return false;
    zeile.remove_prefix(kopf.size());
    const auto punkte = zeile.find("..");
    const auto blank = zeile.find(' ', punkte == std::string_view::npos ? 0 : punkte);
    if (punkte == std::string_view::npos || blank == std::string_view::npos)
        return false;
    kanal.einheit = std::string(zeile.substr(blank + 1));
    return Zahl(zeile.substr(0, punkte), kanal.lo) &&
           Zahl(zeile.substr(punkte + 2, blank - punkte - 2), kanal.hi);
}

bool Spaltenkopf(std::string_view zeile) {
    const std::vector<std::string_view> f = Felder(zeile);
    if (f.size() != kSpalten || f[0] != "Datum" || f[1] != "Uhrzeit")
        return false;
    for (int k = 0; k < kLogKanaele; ++k) {
        if (!f[static_cast<std::size_t>(2 + k)].starts_with("Eing" + std::to_string(k + 1) + "[") ||
            !f[static_cast<std::size_t>(6 + k)].starts_with("Ausg" + std::to_string(k + 1) + "["))
            return false;
    }
    return true;
}

bool Datenzeile(std::string_view zeile, Messzeile& z) {
    const std::vector<std::string_view> f = Felder(zeile);
    if (f.size() != kSpalten || !Zeitpunkt(f[0], f[1], z.sekunde))
        return false;
    for (std::size_t i = 2; i < kSpalten; ++i) {
        double wert = 0.0;
        if (f[i] == kNichtBekannt)
            continue;
        if (!Zahl(f[i], wert))
            return false;
        if (i < 2 + kLogKanaele)
            z.eingaenge[i - 2] = wert;
    }
    return true;
}

struct Leser {
    std::string_view rest;
    long nummer = 0;
    std::string_view zeile;

    // The number counts on past the end, so a missing line is named too.
    bool Weiter() {
        ++nummer;
        return storage::NaechsteZeile(rest, zeile);
    }
    std::string Fehler(const std::string& erwartet) const {
        return "Zeile " + std::to_string(nummer) + ": " + erwartet + " erwartet";
    }
};

// The eight range lines and the column header after "Datenerfassung
// gestartet"; empty, or what is wrong.
std::string Kopf(Leser& l, Messblock& b) {
    for (int k = 1; k <= kLogKanaele; ++k) {
        if (!l.Weiter() ||
            !Bereichszeile(l.zeile, "Eingang", k, b.eingaenge[static_cast<std::size_t>(k - 1)]))
            return l.Fehler("\"Eingang" + std::to_string(k) + ": lo..hi Einheit\"");
    }
    Messkanal ausgang;
    for (int k = 1; k <= kLogKanaele; ++k) {
        if (!l.Weiter() || !Bereichszeile(l.zeile, "Ausgang", k, ausgang))
            return l.Fehler("\"Ausgang" + std::to_string(k) + ": lo..hi Einheit\"");
    }
    if (!l.Weiter() || !Spaltenkopf(l.zeile))
        return l.Fehler("der Spaltenkopf \"Datum, Uhrzeit, Eing1..4, Ausg1..4\"");
    return {};
}

}  // namespace

Messprotokoll MessprotokollLesen(std::string_view cp1252) {
    const std::string text = storage::Cp1252ZuUtf8(cp1252);
    Messprotokoll p;
    Leser l;
    l.rest = storage::OhneBom(text);
    bool daten = false;
    while (l.Weiter()) {
        Messzeile z;
        if (l.zeile == kGestartet) {
            p.bloecke.emplace_back();
            if (std::string f = Kopf(l, p.bloecke.back()); !f.empty()) {
                p.fehler = std::move(f);
                return p;
            }
            daten = true;
        } else if (daten && Datenzeile(l.zeile, z)) {
            Messblock& b = p.bloecke.back();
            if (b.zeilen.empty())
                b.beginn =
                    std::string(l.zeile.substr(0, 10)) + " " + std::string(l.zeile.substr(11, 8));
            b.zeilen.push_back(z);
        } else {
            daten = false;  // the block's closing texts; the next block starts afresh
        }
    }
    if (p.bloecke.empty())
        p.fehler = "keine Zeile \"Datenerfassung gestartet\"";
    return p;
}

std::vector<double> Zeitpunkte(const Messblock& b) {
    std::vector<double> t(b.zeilen.size());
    if (b.zeilen.empty())
        return t;
    const long long beginn = b.zeilen.front().sekunde;
    for (std::size_t i = 0; i < b.zeilen.size();) {
        std::size_t j = i;
        while (j < b.zeilen.size() && b.zeilen[j].sekunde == b.zeilen[i].sekunde)
            ++j;
        const double n = static_cast<double>(j - i);
        for (std::size_t k = i; k < j; ++k)
            t[k] =
                static_cast<double>(b.zeilen[i].sekunde - beginn) + static_cast<double>(k - i) / n;
        i = j;
    }
    return t;
}

}  // namespace ctl
