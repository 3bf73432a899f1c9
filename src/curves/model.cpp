#include "curves/model.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "config/model.h"
#include "editor/picking.h"
#include "storage/byte_order.h"
#include "storage/checksum.h"

namespace curves {

std::array<Kurve, kKurven> gKurven;
int gAktuelleKurve = 0;
std::array<std::int32_t, kKurven> gZyklen{};
std::array<std::int32_t, kKurven> gRuhezustand{};
std::array<double, kKurven> gYRaster{};
std::array<std::int32_t, kKurven> gYZoomMin{};
std::array<std::int32_t, kKurven> gYZoomMax{kMaxRoh, kMaxRoh, kMaxRoh, kMaxRoh};
std::array<std::array<UndoSchritt, kUndoSchritte>, kKurven> gUndoRing;
std::array<int, kKurven> gUndoAnzahl{};
std::array<int, kKurven> gRedoAnzahl{};
std::array<int, kKurven> gUndoPosition{};
double gAnsichtStart = 0.0;
double gAnsichtEnde = kStartAnsichtEnde;
double gMarkierungStart = 0.0;
double gMarkierungEnde = 0.0;
bool gMarkierungAktiv = false;
Zwischenspeicher gZwischenspeicher;
int gDarstellung = 3;
int gKurvenzahl = kKurven;
bool gKurvenGeaendert = false;
std::string gKurvendatei;

Kurve Startkurve() {
    return Kurve{};
}

int KurvenInit() {
    try {
        for (int i = 0; i < kKurven; ++i) {
            gKurven[i] = Startkurve();
            gZyklen[i] = 0;
            gRuhezustand[i] = 0;
            gYRaster[i] = 0.0;
            gYZoomMin[i] = 0;
            gYZoomMax[i] = kMaxRoh;
            for (UndoSchritt& s : gUndoRing[i])
                s = UndoSchritt{1, Startkurve().geraden};
            gUndoAnzahl[i] = 0;
            gRedoAnzahl[i] = 0;
            gUndoPosition[i] = 0;
        }
        gAktuelleKurve = 0;
        gAnsichtStart = 0.0;
        gAnsichtEnde = kStartAnsichtEnde;
        gMarkierungStart = 0.0;
        gMarkierungEnde = 0.0;
        gMarkierungAktiv = false;
        gZwischenspeicher = Zwischenspeicher{};
        gDarstellung = 3;
        gKurvenzahl = kKurven;
        gKurvenGeaendert = false;
        gKurvendatei.clear();
    } catch (const std::bad_alloc&) {
        return -600402;
    }
    return 0;
}

editor::Ansicht Kurvenansicht() {
    return editor::Ansicht(gAnsichtStart, gAnsichtEnde);
}

editor::Markierung Kurvenmarkierung() {
    return editor::Markierung(gMarkierungStart, gMarkierungEnde, gMarkierungAktiv);
}

editor::UndoRing<Gerade> Kurvenundo(int k) {
    const auto i = static_cast<std::size_t>(k);
    return editor::UndoRing<Gerade>(gUndoRing[i], gUndoAnzahl[i], gRedoAnzahl[i], gUndoPosition[i]);
}

void DarstellungSetzen(int wert) {
    gDarstellung = (wert >= 1 && wert <= 3) ? wert : 3;
}

// ---- timebases --------------------------------------------------------------

namespace {
constexpr std::array<int, kZeitbasen> kTickLaengen = {1000,  2000,   5000,   10000,
                                                      50000, 100000, 500000, 1000000};
constexpr std::array<const char*, kZeitbasen> kZeitbasisNamen = {"1ms",  "2ms",   "5ms",   "10ms",
                                                                 "50ms", "100ms", "500ms", "1s"};

double Tick(const Gerade& g) {
    return Zeitbasis_Mikrosekunden(g.zeitbasis);
}
}  // namespace

int Zeitbasis_Mikrosekunden(int code) {
    if (code < 1 || code > kZeitbasen)
        return 0;
    return kTickLaengen[static_cast<std::size_t>(code - 1)];
}

const char* Zeitbasis_Name(int code) {
    if (code < 1 || code > kZeitbasen)
        return "";
    return kZeitbasisNamen[static_cast<std::size_t>(code - 1)];
}

int Zeitbasis_AusName(std::string_view text) {
    for (int i = 0; i < kZeitbasen; ++i)
        if (text == kZeitbasisNamen[static_cast<std::size_t>(i)])
            return i + 1;
    return 0;
}

// ---- durations and lookup ----------------------------------------------------

double Gerade_Dauer(const Gerade& g) {
    return static_cast<double>(g.laenge) * Tick(g);
}

double Kurve_Dauer(const Kurve& k) {
    return Kurve_Startzeit(k, k.anzahl);
}

double Kurve_Dauer(int i) {
    return Kurve_Dauer(gKurven[static_cast<std::size_t>(i)]);
}

double Kurve_Startzeit(const Kurve& k, int n) {
    return editor::PunktX(k.geraden, n, Gerade_Dauer);
}

double Kurve_Startzeit(int n) {
    return Kurve_Startzeit(gKurven[static_cast<std::size_t>(gAktuelleKurve)], n);
}

int Kurve_GeradeBeiZeit(const Kurve& k, double t) {
    return editor::GeradeBeiX(k.geraden, t, Gerade_Dauer);
}

int Kurve_GeradeBeiZeit(double t) {
    return Kurve_GeradeBeiZeit(gKurven[static_cast<std::size_t>(gAktuelleKurve)], t);
}

int Kurve_NaechsterPunkt(const Kurve& k, double t, double y, double breitePixel,
                         double hoehePixel) {
    const editor::Massstab m{Kurvenansicht().Breite(), breitePixel, hoehePixel};
    return editor::NaechsterPunkt(k.geraden, t, y, m, Gerade_Dauer);
}

int Kurve_NaechsterPunkt(double t, double y, double breitePixel, double hoehePixel) {
    return Kurve_NaechsterPunkt(gKurven[static_cast<std::size_t>(gAktuelleKurve)], t, y,
                                breitePixel, hoehePixel);
}

double Kurve_YRasten(int i, double y, double raster) {
    if (raster == 0.0)
        return editor::GanzBegrenzt(y);
    // The grid is anchored at the raw value of display zero.
    const double r0 = AnzeigeZuRoh(i, 0.0);
    return editor::Rasten(y, r0, AnzeigeZuRoh(i, raster) - r0);
}

// ---- display conversion ----------------------------------------------------------

double RohZuAnzeige(int i, double roh) {
    return config::RohZuAnzeige(i, roh);
}

double AnzeigeZuRoh(int i, double anzeige) {
    return config::AnzeigeZuRoh(i, anzeige);
}

std::string Einheit(int i) {
    if (i < 0 || i >= config::kKanaele)
        return "V";
    return config::gKonfig.outeinheit[static_cast<std::size_t>(i)];
}

// ---- time split ----------------------------------------------------------------

Zeitteile ZeitTeilen(double t) {
    Zeitteile z;
    z.stunden = std::trunc(t / 3.6e9);
    t -= z.stunden * 3.6e9;
    z.minuten = std::trunc(t / 6e7);
    t -= z.minuten * 6e7;
    z.sekunden = std::trunc(t / 1e6);
    t -= z.sekunden * 1e6;
    z.millisekunden = t / 1000.0;
    return z;
}

double ZeitZusammensetzen(double stunden, double minuten, double sekunden, double millisekunden) {
    return 1000.0 * (1000.0 * (60.0 * (60.0 * stunden + minuten) + sekunden) + millisekunden);
}

// ---- sampling ----------------------------------------------------------------------

void Kurve_GeradeAbtasten(const Kurve& k, int i, std::vector<int>& werte) {
    const std::size_t n = k.geraden.size();
    const Gerade& g = k.geraden[static_cast<std::size_t>(i)];
    const Gerade& folgende = k.geraden[(static_cast<std::size_t>(i) + 1) % n];
    for (std::int64_t t = 0; t < g.laenge; ++t)
        werte.push_back(Abtastwert(g.y, folgende.y, t, g.laenge));
}

std::uint16_t Abtastwort(int wert, int zeitbasis) {
    const unsigned code = static_cast<unsigned>(std::clamp(zeitbasis, 1, kZeitbasen) - 1);
    const unsigned v = static_cast<unsigned>(std::clamp(wert, 0, kMaxRoh));
    return static_cast<std::uint16_t>((code << 12) | v);
}

// ---- memory need and image ------------------------------------------------------------

std::int64_t Speicherbedarf() {
    std::int64_t bedarf = static_cast<std::int64_t>(kKopfGroesse);
    for (const Kurve& k : gKurven)
        for (const Gerade& g : k.geraden)
            bedarf += 2 * static_cast<std::int64_t>(g.laenge);
    return bedarf;
}

double SpeicherbedarfProzent() {
    return 100.0 * static_cast<double>(Speicherbedarf()) / kSpeicherVerfuegbar + 0.05;
}

bool SpeicherabbildBauen(Speicherabbild& abbild) {
    const Kurve& k = gKurven[0];
    // The fit is known before a byte is written: 2 bytes per tick.
    std::int64_t ticks = 0;
    for (const Gerade& g : k.geraden)
        ticks += g.laenge;
    if (static_cast<std::int64_t>(kDatenStart) + 2 * ticks >
        static_cast<std::int64_t>(kSpeicherGroesse))
        return false;

    abbild.bytes.assign(kSpeicherGroesse, 0);
    const std::span<std::uint8_t> b(abbild.bytes);
    std::size_t p = kDatenStart;
    const std::size_t n = k.geraden.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Gerade& g = k.geraden[i];
        const int y1 = k.geraden[(i + 1) % n].y;
        for (std::int64_t t = 0; t < g.laenge; ++t) {
            storage::SetBE16(b, p, Abtastwort(Abtastwert(g.y, y1, t, g.laenge), g.zeitbasis));
            p += 2;
        }
    }
    storage::SetBE16(b, kKopfEndadressen, static_cast<std::uint16_t>(p - 1));
    for (std::size_t i = 0; i < kKurven; ++i) {
        storage::SetBE16(b, kKopfZyklen + 2 * i, static_cast<std::uint16_t>(gZyklen[i]));
        storage::SetBE16(b, kKopfRuhezustand + 2 * i, static_cast<std::uint16_t>(gRuhezustand[i]));
    }
    b[kKopfKurvenzahl] = 1;
    storage::SetBE16(b, kKopfPruefsumme,
                     storage::Pruefsumme(b.subspan(kPruefsummeAb, p - kPruefsummeAb)));
    abbild.ende = p;
    return true;
}

}  // namespace curves
