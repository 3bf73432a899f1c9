#include "config/model.h"

#include <cmath>
#include <limits>
#include <utility>

#include "storage/cp1252.h"
#include "storage/fields.h"

namespace config {

Konfig gKonfig;

namespace {

std::function<void()>& Anzeigehook() {
    static std::function<void()> hook;
    return hook;
}

// The image holds the outputs' half, then the inputs' half, laid out alike:
// the full-scale voltage, the four channels' minima, maxima, scale minima and
// scale maxima, then their units.
using Kanalwerte = std::array<double, kKanaele>;
struct Haelfte {
    double Konfig::*vmax;
    Kanalwerte Konfig::*werte[4];  // min, max, skalamin, skalamax
    std::array<std::string, kKanaele> Konfig::*einheit;
};
constexpr Haelfte kHaelften[] = {
    {&Konfig::voutmax,
     {&Konfig::outmin, &Konfig::outmax, &Konfig::outskalamin, &Konfig::outskalamax},
     &Konfig::outeinheit},
    {&Konfig::vinmax,
     {&Konfig::inmin, &Konfig::inmax, &Konfig::inskalamin, &Konfig::inskalamax},
     &Konfig::ineinheit},
};
constexpr std::size_t kHaelfteGroesse = 176;
constexpr std::size_t kOffWerte = 8;  // then 32 bytes a row of channel values
constexpr std::size_t kOffEinheit = 136;
constexpr std::size_t kEinheitFeld = kEinheitZeichen + 1;  // char[9]
constexpr std::size_t kPolster = 4;
static_assert(kOffEinheit == kOffWerte + 4 * 8 * kKanaele);
static_assert(kOffEinheit + kKanaele * kEinheitFeld + kPolster == kHaelfteGroesse);
static_assert(std::size(kHaelften) * kHaelfteGroesse == kKonfigBildGroesse);

void DoublesSchreiben(storage::Feldschreiber& w, const Kanalwerte& a) {
    for (double d : a)
        w.Double(d);
}

// Each text in Windows-1252, at most 8 bytes, NUL-filled to its 9-byte field.
void EinheitenSchreiben(storage::Feldschreiber& w,
                        const std::array<std::string, kKanaele>& einheiten) {
    for (const std::string& e : einheiten)
        w.Text(e, kEinheitFeld);
    w.Nullen(kPolster);
}

// The caller checked the image's size: every field lies inside it.
void DoublesLesen(const storage::Feldleser& r, std::size_t at, Kanalwerte& a) {
    for (std::size_t n = 0; n < a.size(); ++n)
        a[n] = r.Double(at + 8 * n).value_or(0.0);
}

void EinheitenLesen(const storage::Feldleser& r, std::size_t at,
                    std::array<std::string, kKanaele>& einheiten) {
    // A field without its NUL is read as its first 8 bytes.
    for (std::size_t n = 0; n < einheiten.size(); ++n)
        einheiten[n] = r.Text(at + kEinheitFeld * n, kEinheitZeichen).value_or("");
}

bool Endlich(double d) {
    return std::isfinite(d);
}

// NaN gives 0, infinities the largest double of their sign.
double Saettigen(double d) {
    if (std::isnan(d))
        return 0.0;
    constexpr double kMax = std::numeric_limits<double>::max();
    if (d > kMax)
        return kMax;
    if (d < -kMax)
        return -kMax;
    return d;
}

bool VollspannungGueltig(double v) {
    return Endlich(v) && v > 0.0 && v <= kHoechsteVollspannung;
}

template <typename T>
bool Ersetzen(T& feld, T wert) {
    if (feld == wert)
        return false;
    feld = std::move(wert);
    return true;
}

bool FeldBereinigen(double& feld, double vorgabe) {
    if (Endlich(feld))
        return false;
    feld = vorgabe;
    return true;
}

struct Skala {
    double vmax;  // full-scale voltage (4095 counts), finite and positive
    double e;     // physical units per volt
    double b;     // physical value at 0 V
};

Skala SkalaVon(double vmax, double min, double max, double smin, double smax) {
    const double v = (Endlich(vmax) && vmax > 0.0) ? vmax : kHoechsteVollspannung;
    if (!KanalSkalierbar(v, min, max, smin, smax))
        return {v, 1.0, 0.0};
    const double e = (smax - smin) / (max - min);
    return {v, e, smin - min * e};
}

Skala Ausgang(const Konfig& k, int i) {
    if (i < 0 || i >= kKanaele)
        return SkalaVon(k.voutmax, 0.0, 1.0, 0.0, 1.0);
    const auto n = static_cast<std::size_t>(i);
    return SkalaVon(k.voutmax, k.outmin[n], k.outmax[n], k.outskalamin[n], k.outskalamax[n]);
}

Skala Eingang(const Konfig& k, int i) {
    if (i < 0 || i >= kKanaele)
        return SkalaVon(k.vinmax, 0.0, 1.0, 0.0, 1.0);
    const auto n = static_cast<std::size_t>(i);
    return SkalaVon(k.vinmax, k.inmin[n], k.inmax[n], k.inskalamin[n], k.inskalamax[n]);
}

double Hin(const Skala& s, double roh) {
    const double v = roh * s.vmax / kVollausschlag;
    return Saettigen(s.e * v + s.b);
}

double Zurueck(const Skala& s, double anzeige) {
    const double v = (anzeige - s.b) / s.e;
    return Saettigen(v * kVollausschlag / s.vmax);
}

}  // namespace

void StandardwerteSetzen() {
    gKonfig = Konfig{};
}

void KonfigBildSchreiben(const Konfig& k, std::vector<std::uint8_t>& out) {
    out.reserve(out.size() + kKonfigBildGroesse);
    storage::Feldschreiber w(out);
    for (const Haelfte& h : kHaelften) {
        w.Double(k.*h.vmax);
        for (Kanalwerte Konfig::*werte : h.werte)
            DoublesSchreiben(w, k.*werte);
        EinheitenSchreiben(w, k.*h.einheit);
    }
}

bool KonfigBildLesen(std::span<const std::uint8_t> bild, Konfig& k) {
    // The caller checks the size; a short image must still not read past its end.
    if (bild.size() < kKonfigBildGroesse)
        return false;
    const storage::Feldleser r(bild);
    std::size_t at = 0;
    for (const Haelfte& h : kHaelften) {
        k.*h.vmax = r.Double(at).value_or(0.0);
        std::size_t zeile = at + kOffWerte;
        for (Kanalwerte Konfig::*werte : h.werte) {
            DoublesLesen(r, zeile, k.*werte);
            zeile += 8 * kKanaele;
        }
        EinheitenLesen(r, at + kOffEinheit, k.*h.einheit);
        at += kHaelfteGroesse;
    }
    return KonfigBereinigen(k);
}

std::string EinheitBereinigen(const std::string& utf8) {
    const std::string roh = storage::Utf8ZuCp1252Ersetzt(utf8);
    std::string sauber;
    for (char c : roh) {
        const auto b = static_cast<std::uint8_t>(c);
        // C0 controls, DEL, and the five bytes Windows-1252 leaves undefined
        // (they come back as C1 controls) would break a settings line or a label.
        if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            continue;
        sauber.push_back(c);
        if (sauber.size() == kEinheitZeichen)
            break;
    }
    return storage::Cp1252ZuUtf8(sauber);
}

bool KonfigBereinigen(Konfig& k) {
    bool geaendert = false;
    const Konfig vorgabe;
    for (const Haelfte& h : kHaelften) {
        if (!VollspannungGueltig(k.*h.vmax))
            geaendert |= Ersetzen(k.*h.vmax, vorgabe.*h.vmax);
        for (std::size_t i = 0; i < kKanaele; ++i) {
            for (Kanalwerte Konfig::*werte : h.werte)
                geaendert |= FeldBereinigen((k.*werte)[i], (vorgabe.*werte)[i]);
            auto& einheit = (k.*h.einheit)[i];
            geaendert |= Ersetzen(einheit, EinheitBereinigen(einheit));
        }
    }
    return geaendert;
}

bool KanalSkalierbar(double vmax, double min, double max, double smin, double smax) {
    if (!Endlich(vmax) || !Endlich(min) || !Endlich(max) || !Endlich(smin) || !Endlich(smax))
        return false;
    if (vmax <= 0.0 || min == max)
        return false;
    const double e = (smax - smin) / (max - min);
    if (!Endlich(e) || e == 0.0)
        return false;
    const double b = smin - min * e;
    if (!Endlich(b))
        return false;
    // Both ends of the channel (0 and 4095 counts) must give finite values,
    // and the inverse must bring them back without overflowing.
    const double oben = e * vmax + b;
    if (!Endlich(oben))
        return false;
    return Endlich((oben - b) / e) && Endlich((b - b) / e);
}

bool AusgangSkalierbar(const Konfig& k, int i) {
    if (i < 0 || i >= kKanaele)
        return false;
    const auto n = static_cast<std::size_t>(i);
    return KanalSkalierbar(k.voutmax, k.outmin[n], k.outmax[n], k.outskalamin[n], k.outskalamax[n]);
}

bool EingangSkalierbar(const Konfig& k, int i) {
    if (i < 0 || i >= kKanaele)
        return false;
    const auto n = static_cast<std::size_t>(i);
    return KanalSkalierbar(k.vinmax, k.inmin[n], k.inmax[n], k.inskalamin[n], k.inskalamax[n]);
}

double RohZuAnzeige(const Konfig& k, int i, double roh) {
    return Hin(Ausgang(k, i), roh);
}

double AnzeigeZuRoh(const Konfig& k, int i, double anzeige) {
    return Zurueck(Ausgang(k, i), anzeige);
}

double EingangRohZuAnzeige(const Konfig& k, int i, double roh) {
    return Hin(Eingang(k, i), roh);
}

double EingangAnzeigeZuRoh(const Konfig& k, int i, double anzeige) {
    return Zurueck(Eingang(k, i), anzeige);
}

double RohZuAnzeige(int i, double roh) {
    return RohZuAnzeige(gKonfig, i, roh);
}

double AnzeigeZuRoh(int i, double anzeige) {
    return AnzeigeZuRoh(gKonfig, i, anzeige);
}

double EingangRohZuAnzeige(int i, double roh) {
    return EingangRohZuAnzeige(gKonfig, i, roh);
}

double EingangAnzeigeZuRoh(int i, double anzeige) {
    return EingangAnzeigeZuRoh(gKonfig, i, anzeige);
}

double RohBegrenzen(double roh) {
    if (std::isnan(roh) || roh < 0.0)
        return 0.0;
    if (roh > kVollausschlag)
        return kVollausschlag;
    return roh;
}

int KonfigurationenVergleichen(const Konfig& a, const Konfig& b) {
    for (std::size_t i = 0; i < kKanaele; ++i) {
        if (a.outmin[i] != b.outmin[i] || a.outmax[i] != b.outmax[i] ||
            a.outskalamin[i] != b.outskalamin[i] || a.outskalamax[i] != b.outskalamax[i] ||
            a.outeinheit[i] != b.outeinheit[i])
            return 0;
        if (a.inmin[i] != b.inmin[i] || a.inmax[i] != b.inmax[i] ||
            a.inskalamin[i] != b.inskalamin[i] || a.inskalamax[i] != b.inskalamax[i] ||
            a.ineinheit[i] != b.ineinheit[i])
            return 0;
    }
    if (a.voutmax != b.voutmax)
        return 0;
    if (a.vinmax != b.vinmax)
        return 0;
    return 1;
}

void KonfigurationSetzen(const Konfig& k) {
    Konfig neu = k;
    KonfigBereinigen(neu);
    gKonfig = std::move(neu);
    KonfigAnzeigen();
}

void KonfigAnzeigeSetzen(std::function<void()> anzeigen) {
    Anzeigehook() = std::move(anzeigen);
}

void KonfigAnzeigen() {
    if (Anzeigehook())
        Anzeigehook()();
}

}  // namespace config
