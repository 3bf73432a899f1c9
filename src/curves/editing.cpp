#include "curves/editing.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace curves {
namespace {

constexpr const char* kGeradeZuLang = "Gerade zu lang!\nWählen Sie eine größere Zeiteinheit.";
using editor::kErsterPunktFest;
using editor::kLetzterPunkt;
using editor::kResultierendZuLang;
using editor::kUnvorhergesehen;
using editor::kYZuGross;
using editor::kYZuKlein;
constexpr const char* kZeitraster =
    "Die angegebene Zeitkoordinate paßt nicht ins Zeitraster \n(Der Punkt muß ins Zeitraster "
    "der vorherigen und der folgenden Gerade passen).";
constexpr const char* kZeitZuKlein =
    "Die angegebene Zeitkoordinate ist zu klein \n(Der Punkt kann nicht auf eine Zeit kleiner "
    "oder gleich der \ndes vorherigen Punktes verschoben werden).";
constexpr const char* kZeitZuGross =
    "Die angegebene Zeitkoordinate ist zu groß \n(Der Punkt kann nicht auf eine Zeit größer oder "
    "gleich der \ndes nächsten Punktes verschoben werden).";
constexpr const char* kVerschiebenZuLang =
    "Das verschieben des Punktes hätte eine zu lange Gerade zur Folge. \nWählen Sie für die "
    "angrenzenden Geraden eine größere Zeitbasis.";
constexpr const char* kLoeschenZeitbasen =
    "Punkt kann nicht gelöscht werden, da die beiden angrenzenden \nGeraden unterschiedliche "
    "Zeitbasen haben. \nWandeln Sie die Zeitbasis von einer der Geraden in die der anderen um.";
constexpr const char* kLoeschenZuLang =
    "Punkt kann nicht gelöscht werden, da die resultierende \nGerade zu lang wäre. \nWandeln Sie "
    "die Geraden in eine größere Zeitbasis um.";
constexpr const char* kTeilenEinTick =
    "Gerade kann nicht geteilt werden, da sie eine Länge \n von nur einer Zeiteinheit hat.";
constexpr const char* kZeitbasisTeilbar =
    "Die Länge der Gerade läßt sich nicht durch die \nneue Zeitbasis teilen.";
constexpr const char* kZeitbasisZuLang =
    "Zeitbasis kann nicht umgewandelt werden. \nDie entstehende Gerade wäre zu lang.";
constexpr const char* kLaengeTeilbar =
    "Die Länge der Geraden muß durch ihre Zeitbasis teilbar sein.";
constexpr const char* kLaengeZuGross =
    "Die neue Länge der Geraden ist zu groß. \nWählen Sie eine größere Zeitbasis.";
constexpr const char* kLaengeZuKlein = "Die neue Länge der Geraden ist zu klein.";

Kurve& K() {
    return gKurven[static_cast<std::size_t>(gAktuelleKurve)];
}

Gerade& G(int i) {
    return K().geraden[static_cast<std::size_t>(i)];
}

int N() {
    return static_cast<int>(K().geraden.size());
}

double Tick(int i) {
    return Zeitbasis_Mikrosekunden(G(i).zeitbasis);
}

double T(int i) {
    return Kurve_Startzeit(K(), i);
}

void AnzahlNachfuehren(Kurve& k) {
    k.anzahl = static_cast<std::int32_t>(k.geraden.size());
}

using editor::Abgelehnt;
using editor::Erledigt;
using editor::Fehlgeschlagen;

// A whole-number double within the int range, for lengths and values that
// the checks before have bounded.
std::int32_t Ganz(double v) {
    return static_cast<std::int32_t>(v);
}

}  // namespace

// ---- undo ----------------------------------------------------------------------

std::string Kurve_UndoSichern() {
    gKurvenGeaendert = true;
    return Kurvenundo(gAktuelleKurve).Sichern(K().geraden) ? std::string{} : kSpeicherFehlerText;
}

Ergebnis Kurve_Rueckgaengig() {
    if (!Kurvenundo(gAktuelleKurve).Rueckgaengig(K().geraden))
        return {};
    AnzahlNachfuehren(K());
    gKurvenGeaendert = true;
    return Erledigt();
}

Ergebnis Kurve_Wiederherstellen() {
    if (!Kurvenundo(gAktuelleKurve).Wiederherstellen(K().geraden))
        return {};
    AnzahlNachfuehren(K());
    gKurvenGeaendert = true;
    return Erledigt();
}

bool RueckgaengigMoeglich(int k) {
    return Kurvenundo(k).RueckgaengigMoeglich();
}

bool WiederherstellenMoeglich(int k) {
    return Kurvenundo(k).WiederherstellenMoeglich();
}

// ---- draw ----------------------------------------------------------------------

namespace {
// The time of the last drawn point: the duration without the closing segment.
double LetzterPunktZeit() {
    return Kurve_Dauer(K()) - Gerade_Dauer(K().geraden.back());
}
}  // namespace

Ergebnis PunktZeichnen(double t, double y, int zeitbasis, double raster) {
    const double tick = Zeitbasis_Mikrosekunden(zeitbasis);
    if (tick == 0 || !std::isfinite(t))
        return {};
    const double e = LetzterPunktZeit();
    const double q = (std::floor(t + 0.5) - e) / tick;
    if (q > kMaxLaenge)
        return Abgelehnt(kGeradeZuLang);
    const double n = std::max(std::trunc(q + 0.5), 1.0);
    const double wert = Kurve_YRasten(gAktuelleKurve, y, raster);

    std::string meldung = Kurve_UndoSichern();
    try {
        K().geraden.push_back(Gerade{});
    } catch (const std::bad_alloc&) {
        return Fehlgeschlagen(kGroessenFehler, meldung);
    }
    AnzahlNachfuehren(K());
    const int neu = N() - 1;
    G(neu) = Gerade{Ganz(wert), 1, static_cast<std::int8_t>(zeitbasis)};
    G(neu - 1).laenge = Ganz(n);
    G(neu - 1).zeitbasis = static_cast<std::int8_t>(zeitbasis);
    return Erledigt(meldung);
}

Vorschau PunktZeichnenVorschau(double t, double y, int zeitbasis, double raster) {
    Vorschau v;
    const double e = LetzterPunktZeit();
    v.von = Punkt{e, static_cast<double>(K().geraden.back().y)};
    const double tick = Zeitbasis_Mikrosekunden(zeitbasis);
    if (tick == 0) {
        v.nach = v.von;
        return v;
    }
    v.nach.t = e + tick * std::max(1.0, std::floor((t - e) / tick + 0.5));
    v.nach.y = Kurve_YRasten(gAktuelleKurve, y, raster);
    return v;
}

// ---- move ------------------------------------------------------------------------

Verschiebeziel PunktVerschiebenZiel(int i, double t, double y, double raster) {
    Verschiebeziel z;
    const int n = N();
    i = std::clamp(i, 0, n - 1);
    z.punkt = i;
    z.vorher = std::max(i - 1, 0);
    z.nachher = std::min(i + 1, n - 1);
    const double b = T(z.vorher);
    const double e = T(z.nachher);
    z.vorherPunkt = Punkt{b, static_cast<double>(G(z.vorher).y)};
    z.nachherPunkt = Punkt{e, static_cast<double>(G(z.nachher).y)};
    z.mitNachher = i != n - 1;

    double x;
    if (Tick(i) > Tick(z.vorher)) {
        const double g = Tick(i);
        x = e - g * std::floor((e - t) / g + 0.5);
        if (x <= b) {
            x = e - g * std::floor((e - b) / g + 0.5);
            if (x <= b)
                x += g;
        }
        if (x >= e && i != z.nachher)
            x = e - g;
    } else {
        const double g = Tick(z.vorher);
        x = b + g * std::floor((t - b) / g + 0.5);
        if (x <= b)
            x = b + g;
        if (x >= e && i != z.nachher) {
            x = b + g * std::floor((e - b) / g + 0.5);
            if (x == e)
                x -= g;
        }
    }
    if (i == 0)
        x = 0;
    if (!std::isfinite(x))
        x = T(i);
    z.ziel = Punkt{x, Kurve_YRasten(gAktuelleKurve, y, raster)};
    return z;
}

Ergebnis PunktVerschieben(int punkt, double t, double y, double raster) {
    if (punkt < 0 || punkt >= N())
        return {};
    const Verschiebeziel z = PunktVerschiebenZiel(punkt, t, y, raster);
    const int i = z.punkt;
    const int prev = z.vorher;
    const int next = z.nachher;
    const double x = z.ziel.t;
    std::string meldung;
    if (i != 0) {
        const double p = (x - T(prev)) / Tick(prev);
        if (p > kMaxLaenge)
            return Abgelehnt(kResultierendZuLang);
        const double np = std::trunc(p + 0.5);
        if (!(np >= 1))
            return Abgelehnt(kUnvorhergesehen);
        double ni;
        if (i == N() - 1) {
            ni = G(i).laenge;
        } else {
            const double r = (T(next) - x) / Tick(i);
            if (r > kMaxLaenge)
                return Abgelehnt(kResultierendZuLang);
            ni = std::trunc(r + 0.5);
            if (!(ni >= 1))
                return Abgelehnt(kUnvorhergesehen);
            if (Tick(i) * ni + Tick(prev) * np != Gerade_Dauer(G(prev)) + Gerade_Dauer(G(i)))
                return Abgelehnt(kUnvorhergesehen);
        }
        meldung = Kurve_UndoSichern();
        G(prev).laenge = Ganz(np);
        G(i).laenge = Ganz(ni);
    } else {
        meldung = Kurve_UndoSichern();
    }
    G(i).y = Ganz(std::trunc(z.ziel.y + 0.5));
    return Erledigt(meldung);
}

// ---- point coordinates ---------------------------------------------------------------

Punktkoordinaten PunktkoordinatenHolen(int punkt) {
    Punktkoordinaten p;
    p.punkt = std::clamp(punkt, 0, N() - 1);
    p.zeit = ZeitTeilen(T(p.punkt));
    p.wert = RohZuAnzeige(gAktuelleKurve, G(p.punkt).y);
    p.titel = "Punkt " + std::to_string(p.punkt + 1);
    return p;
}

Ergebnis PunktkoordinatenAendern(int i, double zeit, double wertAnzeige) {
    if (i < 0 || i >= N())
        return {};
    const double v = std::trunc(AnzeigeZuRoh(gAktuelleKurve, wertAnzeige) + 0.5);
    bool gesichert = false;
    std::string meldung;
    const double ti = T(i);
    if (!std::isfinite(zeit))
        return Abgelehnt(kZeitraster);
    if (zeit != ti) {
        const int prev = std::max(i - 1, 0);
        const int next = std::min(i + 1, N() - 1);
        if (i == 0)
            return Abgelehnt(kErsterPunktFest);
        const double g = std::max(Tick(prev), Tick(i));
        if (std::fmod(std::trunc(std::fabs(zeit - ti)), std::trunc(g)) != 0)
            return Abgelehnt(kZeitraster);
        if (T(prev) >= zeit)
            return Abgelehnt(kZeitZuKlein);
        if (T(next) <= zeit && i != next)
            return Abgelehnt(kZeitZuGross);
        const double d = zeit - ti;
        if (G(i).laenge - d / Tick(i) > kMaxLaenge || d / Tick(prev) + G(prev).laenge > kMaxLaenge)
            return Abgelehnt(kVerschiebenZuLang);
        const double lprev = std::trunc(G(prev).laenge + d / Tick(prev));
        const double li = std::trunc(G(i).laenge - d / Tick(i));
        // Neighbours of unequal timebases truncate; a segment must keep at
        // least one tick.
        if (lprev < 1)
            return Abgelehnt(kZeitZuKlein);
        if (i != next && li < 1)
            return Abgelehnt(kZeitZuGross);
        meldung = Kurve_UndoSichern();
        gesichert = true;
        G(prev).laenge = Ganz(lprev);
        if (i != next)
            G(i).laenge = Ganz(li);
    }
    if (v != G(i).y) {
        if (v < 0 || std::isnan(v))
            return gesichert ? Erledigt(kYZuKlein) : Abgelehnt(kYZuKlein);
        if (v > kMaxRoh)
            return gesichert ? Erledigt(kYZuGross) : Abgelehnt(kYZuGross);
        if (!gesichert)
            meldung = Kurve_UndoSichern();
        gesichert = true;
        G(i).y = Ganz(v);
    }
    return gesichert ? Erledigt(meldung) : Ergebnis{};
}

// ---- delete point -------------------------------------------------------------------

Ergebnis PunktLoeschen(int i) {
    const int n = N();
    if (i < 0 || i >= n)
        return {};
    if (n <= 1)
        return Abgelehnt(kLetzterPunkt);
    const bool mitte = i > 0 && i < n - 1;
    if (mitte) {
        if (G(i - 1).zeitbasis != G(i).zeitbasis)
            return Abgelehnt(kLoeschenZeitbasen);
        if (static_cast<std::int64_t>(G(i - 1).laenge) + G(i).laenge > kMaxLaenge)
            return Abgelehnt(kLoeschenZuLang);
    }
    std::string meldung = Kurve_UndoSichern();
    if (mitte)
        G(i - 1).laenge += G(i).laenge;
    K().geraden.erase(K().geraden.begin() + i);
    AnzahlNachfuehren(K());
    if (i == n - 1)
        K().geraden.back().laenge = 1;
    return Erledigt(meldung);
}

// ---- split ------------------------------------------------------------------------------

Ergebnis GeradeTeilen(double t) {
    const int b = Kurve_GeradeBeiZeit(K(), t);
    if (b == N() - 1)
        return {};
    const std::int32_t l = G(b).laenge;
    if (l == 1)
        return Abgelehnt(kTeilenEinTick);
    double e = std::trunc((t - T(b)) / Tick(b) + 0.5);
    if (!(e >= 1))
        e = 1;
    if (e > l - 1)
        e = l - 1;
    const double y0 = G(b).y;
    const double y1 = G(b + 1).y;
    const double v = std::clamp(std::trunc(y0 + (y1 - y0) * e / l), 0.0, double{kMaxRoh});

    std::string meldung = Kurve_UndoSichern();
    const Gerade neu{Ganz(v), l - Ganz(e), G(b).zeitbasis};
    try {
        K().geraden.insert(K().geraden.begin() + b + 1, neu);
    } catch (const std::bad_alloc&) {
        return Fehlgeschlagen(kGroessenFehler, meldung);
    }
    AnzahlNachfuehren(K());
    G(b).laenge = Ganz(e);
    return Erledigt(meldung);
}

// ---- timebase -------------------------------------------------------------------------

Ergebnis ZeitbasisAendern(double t, int z) {
    const double tickNeu = Zeitbasis_Mikrosekunden(z);
    if (tickNeu == 0)
        return {};
    const int b = Kurve_GeradeBeiZeit(K(), t);
    const int n = N();
    if (b == n - 1) {
        // The closing segment keeps its one tick; only its raster changes.
        if (t <= T(b) + Gerade_Dauer(G(b)) && G(b).zeitbasis != z) {
            G(b).zeitbasis = static_cast<std::int8_t>(z);
            gKurvenGeaendert = true;
            return Erledigt();
        }
        return {};
    }
    if (G(b).zeitbasis == z)
        return {};
    const double d = std::trunc(Gerade_Dauer(G(b)));
    if (std::fmod(d, tickNeu) != 0)
        return Abgelehnt(kZeitbasisTeilbar);
    if (d / tickNeu > kMaxLaenge)
        return Abgelehnt(kZeitbasisZuLang);
    std::string meldung = Kurve_UndoSichern();
    G(b).zeitbasis = static_cast<std::int8_t>(z);
    G(b).laenge = Ganz(std::trunc(d / tickNeu + 0.5));
    if (b == n - 2)
        G(n - 1).zeitbasis = static_cast<std::int8_t>(z);
    return Erledigt(meldung);
}

// ---- segment length --------------------------------------------------------------------

Geradenlaenge GeradenlaengeHolen(double t) {
    Geradenlaenge g;
    const int b = Kurve_GeradeBeiZeit(K(), t);
    if (b == N() - 1)
        return g;
    g.gerade = b;
    g.dauer = ZeitTeilen(Gerade_Dauer(G(b)));
    g.titel = "Gerade " + std::to_string(b + 1);
    return g;
}

Ergebnis GeradenlaengeAendern(int b, double dauer) {
    if (b < 0 || b >= N() - 1)
        return {};
    const double r = dauer / Tick(b);
    if (!std::isfinite(r) || r != std::floor(r))
        return Abgelehnt(kLaengeTeilbar);
    if (r > kMaxLaenge)
        return Abgelehnt(kLaengeZuGross);
    if (r <= 0)
        return Abgelehnt(kLaengeZuKlein);
    const std::int32_t l = Ganz(std::trunc(r + 0.5));
    if (l == G(b).laenge)
        return {};
    // No undo step is taken here, but the change must not be lost unasked.
    G(b).laenge = l;
    gKurvenGeaendert = true;
    return Erledigt();
}

// ---- mark ---------------------------------------------------------------------------------

void MarkierungBeginnen(double t) {
    Kurvenmarkierung().Beginnen(t);
}

void MarkierungZiehen(double t) {
    Kurvenmarkierung().Ziehen(t);
}

void MarkierungBeenden(double t) {
    Kurvenmarkierung().Beenden(t);
}

void MarkierungEntfernen() {
    Kurvenmarkierung().Entfernen();
}

void AllesMarkieren() {
    Kurvenmarkierung().Setzen(0, Kurve_Dauer(K()));
}

Bereich MarkierteGeraden() {
    if (!gMarkierungAktiv)
        return {};
    return editor::MarkierteGeraden(K().geraden, gMarkierungStart, gMarkierungEnde, Gerade_Dauer);
}

// ---- clipboard -------------------------------------------------------------------------------

namespace {
void BereichEntfernen(const Bereich& r) {
    editor::BereichEntfernen(K().geraden, r);
    AnzahlNachfuehren(K());
}
}  // namespace

Ergebnis Kopieren() {
    const Bereich r = MarkierteGeraden();
    if (r.leer())
        return {};
    if (!editor::Kopieren(K().geraden, r, gZwischenspeicher))
        return Fehlgeschlagen(-600460);
    return Erledigt();
}

Ergebnis Loeschen() {
    const Bereich r = MarkierteGeraden();
    if (r.leer())
        return {};
    std::string meldung = Kurve_UndoSichern();
    BereichEntfernen(r);
    MarkierungEntfernen();
    return Erledigt(meldung);
}

Ergebnis Ausschneiden() {
    const Bereich r = MarkierteGeraden();
    if (r.leer())
        return {};
    const Ergebnis kopiert = Kopieren();
    Ergebnis geloescht = Loeschen();
    // The delete happened all the same; the window redraws and shows the code.
    geloescht.code = kopiert.code;
    return geloescht;
}

Ergebnis Einfuegen() {
    if (!gMarkierungAktiv)
        return {};
    const Bereich r = MarkierteGeraden();
    if (r.leer() && gZwischenspeicher.geraden.empty())
        return {};
    const int a = Kurve_GeradeBeiZeit(K(), gMarkierungStart);
    std::string meldung = Kurve_UndoSichern();
    if (!r.leer())
        BereichEntfernen(r);
    const int n = N();
    const int ort = a + 1 < n ? a + 1 : a;
    if (!editor::Einfuegen(K().geraden, ort, gZwischenspeicher)) {
        // The marked segments are gone already: a change, with its code.
        Ergebnis e = r.leer() ? Fehlgeschlagen(-600461, meldung) : Erledigt(meldung);
        e.code = -600461;
        return e;
    }
    AnzahlNachfuehren(K());
    const double nach = T(ort + static_cast<int>(gZwischenspeicher.geraden.size())) + 0.05;
    Kurvenmarkierung().Setzen(nach, nach);
    return Erledigt(meldung);
}

}  // namespace curves
