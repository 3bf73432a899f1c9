#include "characteristic/editing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

#include "config/model.h"
#include "editor/picking.h"

namespace characteristic {
namespace {

constexpr const char* kGeradeZuLang = "Gerade zu lang!";
constexpr const char* kXUeberMaximum =
    "Die angegebene X-Koordinate ist größer als der Maximalwert.";
constexpr const char* kXZuKlein =
    "Die angegebene X-Koordinate ist zu klein \n(Der Punkt kann nicht auf einen X-Wert kleiner "
    "oder gleich dem \ndes vorherigen Punktes verschoben werden).";
constexpr const char* kXZuGross =
    "Die angegebene X-Koordinate ist zu groß \n(Der Punkt kann nicht auf einen X-Wert größer "
    "oder gleich dem \ndes nächsten Punktes verschoben werden).";
constexpr const char* kVerschiebenZuLang =
    "Das verschieben des Punktes hätte eine zu lange Gerade zur Folge.";
constexpr const char* kTeilenEineEinheit =
    "Gerade kann nicht geteilt werden, da sie eine Länge \n von nur einer internen "
    "Rastereinheit hat.";

using editor::Abgelehnt;
using editor::Erledigt;
using editor::Fehlgeschlagen;
using editor::kErsterPunktFest;
using editor::kLetzterPunkt;
using editor::kResultierendZuLang;
using editor::kUnvorhergesehen;
using editor::kYZuGross;
using editor::kYZuKlein;

std::vector<Gerade>& P() {
    return gKennlinie.geraden;
}

Gerade& G(int i) {
    return gKennlinie.geraden[static_cast<std::size_t>(i)];
}

int N() {
    return static_cast<int>(gKennlinie.geraden.size());
}

double X(int i) {
    return Kennlinie_PunktX(i);
}

void AnzahlNachfuehren() {
    gKennlinie.anzahl = static_cast<std::int32_t>(gKennlinie.geraden.size());
}

// A whole-number double the checks before have bounded.
std::int32_t Ganz(double v) {
    return static_cast<std::int32_t>(v);
}

// The X grid's step in input counts; 0 (no grid) for a field of 0.
double XSchritt(double xRaster) {
    return xRaster == 0.0 ? 0.0 : config::EingangAnzeigeZuRoh(1, xRaster);
}

}  // namespace

// ---- undo ------------------------------------------------------------------------

std::string Kennlinie_UndoSichern() {
    gKennlinieGeaendert = true;
    return Kennlinienundo().Sichern(P()) ? std::string{} : editor::kSpeicherFehlerText;
}

Ergebnis Kennlinie_Rueckgaengig() {
    if (!Kennlinienundo().Rueckgaengig(P()))
        return {};
    AnzahlNachfuehren();
    return Erledigt();
}

Ergebnis Kennlinie_Wiederherstellen() {
    if (!Kennlinienundo().Wiederherstellen(P()))
        return {};
    AnzahlNachfuehren();
    return Erledigt();
}

bool RueckgaengigMoeglich() {
    return Kennlinienundo().RueckgaengigMoeglich();
}

bool WiederherstellenMoeglich() {
    return Kennlinienundo().WiederherstellenMoeglich();
}

// ---- picking and grids -------------------------------------------------------------

int Kennlinie_NaechsterPunkt(double x, double y, double breitePixel, double hoehePixel) {
    const editor::Massstab m{Kennlinienansicht().Breite(), breitePixel, hoehePixel};
    return editor::NaechsterPunkt(P(), x, y, m, Laenge);
}

double Kennlinie_XRasten(double x, double xRaster) {
    return editor::Rasten(x, 0.0, XSchritt(xRaster));
}

double Kennlinie_XRastenAuf(double x, double xRaster) {
    return editor::RastenAuf(x, XSchritt(xRaster));
}

double Kennlinie_XRastenAb(double x, double xRaster) {
    return editor::RastenAb(x, XSchritt(xRaster));
}

double Kennlinie_YRasten(double y, double yRaster) {
    if (yRaster == 0.0)
        return editor::GanzBegrenzt(y);
    const double r0 = config::AnzeigeZuRoh(0, 0.0);
    return editor::Rasten(y, r0, config::AnzeigeZuRoh(0, yRaster) - r0);
}

// ---- draw --------------------------------------------------------------------------

namespace {
// Where a release at x appends: the snapped position and the new segment's
// length n from the last point at e.
struct Anhang {
    double x = 0;
    double n = 0;
};

Anhang Anhaengen(double x, double xRaster, double e) {
    Anhang a;
    a.x = Kennlinie_XRasten(x, xRaster);
    a.n = std::trunc(std::floor(a.x + 0.5) - e + 0.5);
    if (a.n <= 0) {
        a.x = Kennlinie_XRastenAuf(e, xRaster);
        a.n = std::trunc(std::floor(a.x + 0.5) - e + 0.5);
        if (a.n <= 0) {
            a.n = 1;
            a.x = e + 1;
        }
    }
    return a;
}
}  // namespace

Ergebnis PunktZeichnen(double x, double y, double xRaster, double yRaster) {
    const double e = X(N() - 1);
    const Anhang a = Anhaengen(x, xRaster, e);
    if (e + a.n > kMaxRoh)
        return {};
    if (a.n > kMaxLaenge)
        return Abgelehnt(kGeradeZuLang);
    const double wert = Kennlinie_YRasten(y, yRaster);

    std::string meldung = Kennlinie_UndoSichern();
    try {
        P().push_back(Gerade{});
    } catch (const std::bad_alloc&) {
        return Fehlgeschlagen(kGroessenFehler, meldung);
    }
    AnzahlNachfuehren();
    const int neu = N() - 1;
    G(neu) = Gerade{Ganz(std::trunc(wert + 0.5)), 1, 0};
    G(neu - 1).laenge = Ganz(a.n);
    G(neu - 1).zeitbasis = 0;
    return Erledigt(meldung);
}

Zeichenvorschau PunktZeichnenVorschau(double x, double y, double xRaster, double yRaster) {
    Zeichenvorschau v;
    const double e = X(N() - 1);
    const Anhang a = Anhaengen(x, xRaster, e);
    if (e >= kMaxRoh || e + a.n > kMaxRoh)
        return v;
    v.zeigen = true;
    v.von = Punkt{e, static_cast<double>(P().back().y)};
    v.nach = Punkt{a.x, Kennlinie_YRasten(y, yRaster)};
    return v;
}

// ---- move ----------------------------------------------------------------------------

Verschiebeziel PunktVerschiebenZiel(int i, double x, double y, double xRaster, double yRaster) {
    Verschiebeziel z;
    const int n = N();
    i = std::clamp(i, 0, n - 1);
    const bool letzter = i == n - 1;
    z.punkt = i;
    z.vorher = std::max(i - 1, 0);
    z.nachher = std::min(i + 1, n - 1);
    const double b = X(z.vorher);
    const double e = X(z.nachher);
    z.vorherPunkt = Punkt{b, static_cast<double>(G(z.vorher).y)};
    z.nachherPunkt = Punkt{e, static_cast<double>(G(z.nachher).y)};
    z.mitVorher = i != 0;
    z.mitNachher = !letzter;

    double ziel = Kennlinie_XRasten(x, xRaster);
    if (ziel <= b)
        ziel = Kennlinie_XRastenAuf(b, xRaster);
    if (letzter)
        ziel = std::min(ziel, double{kMaxRoh});
    else if (ziel >= e)
        ziel = Kennlinie_XRastenAb(e, xRaster);
    bool gueltig = true;
    if (xRaster != 0.0) {
        gueltig = !((!letzter && ziel >= e) || ziel <= b);
    } else {
        if (!letzter && ziel >= e)
            ziel = e - 1;
        if (ziel <= b)
            ziel = b + 1;
    }
    if (i == 0) {
        ziel = 0;
        gueltig = true;
    }
    if (!gueltig)
        ziel = X(i);
    z.ziel = Punkt{ziel, Kennlinie_YRasten(y, yRaster)};
    return z;
}

Ergebnis PunktVerschieben(int punkt, double x, double y, double xRaster, double yRaster) {
    if (punkt < 0 || punkt >= N())
        return {};
    const Verschiebeziel z = PunktVerschiebenZiel(punkt, x, y, xRaster, yRaster);
    const int i = z.punkt;
    std::string meldung;
    if (i != 0) {
        const double p = z.ziel.x - X(z.vorher);
        if (p > kMaxLaenge)
            return Abgelehnt(kResultierendZuLang);
        const double np = std::trunc(p + 0.5);
        if (!(np >= 1))
            return Abgelehnt(kUnvorhergesehen);
        double ni = G(i).laenge;
        if (i != N() - 1) {
            const double r = X(z.nachher) - z.ziel.x;
            if (r > kMaxLaenge)
                return Abgelehnt(kResultierendZuLang);
            ni = std::trunc(r + 0.5);
            if (!(ni >= 1) || np + ni != static_cast<double>(G(z.vorher).laenge) + G(i).laenge)
                return Abgelehnt(kUnvorhergesehen);
        }
        meldung = Kennlinie_UndoSichern();
        G(z.vorher).laenge = Ganz(np);
        G(i).laenge = Ganz(ni);
    } else {
        meldung = Kennlinie_UndoSichern();
    }
    G(i).y = Ganz(std::trunc(z.ziel.y + 0.5));
    return Erledigt(meldung);
}

Verschiebeziel VerschiebenZiehen(double x, double y, double xRaster, double yRaster,
                                 double breitePixel, double hoehePixel) {
    if (gKennlVerschiebenNeu) {
        gKennlVerschiebePunkt = Kennlinie_NaechsterPunkt(x, y, breitePixel, hoehePixel);
        gKennlVerschiebenNeu = false;
    }
    return PunktVerschiebenZiel(gKennlVerschiebePunkt, x, y, xRaster, yRaster);
}

Ergebnis VerschiebenLoslassen(double x, double y, double xRaster, double yRaster,
                              double breitePixel, double hoehePixel) {
    if (gKennlVerschiebenNeu)
        gKennlVerschiebePunkt = Kennlinie_NaechsterPunkt(x, y, breitePixel, hoehePixel);
    gKennlVerschiebenNeu = true;
    return PunktVerschieben(gKennlVerschiebePunkt, x, y, xRaster, yRaster);
}

// ---- point coordinates --------------------------------------------------------------

Punktkoordinaten PunktkoordinatenHolen(int punkt) {
    Punktkoordinaten p;
    p.punkt = std::clamp(punkt, 0, N() - 1);
    p.x = config::EingangRohZuAnzeige(1, X(p.punkt));
    p.y = config::RohZuAnzeige(0, G(p.punkt).y);
    p.titel = "Punkt " + std::to_string(p.punkt + 1);
    return p;
}

Ergebnis PunktkoordinatenAendern(int i, double xAnzeige, double yAnzeige) {
    if (i < 0 || i >= N())
        return {};
    const double u = std::trunc(config::EingangAnzeigeZuRoh(1, xAnzeige) + 0.5);
    const double v = std::trunc(config::AnzeigeZuRoh(0, yAnzeige) + 0.5);
    const int prev = std::max(i - 1, 0);
    const int next = std::min(i + 1, N() - 1);
    const double d = u - X(i);
    const bool xNeu = d != 0;
    if (xNeu) {
        if (i == 0)
            return Abgelehnt(kErsterPunktFest);
        if (u > kMaxRoh)
            return Abgelehnt(kXUeberMaximum);
        if (X(prev) >= u)
            return Abgelehnt(kXZuKlein);
        if (X(next) <= u && i != next)
            return Abgelehnt(kXZuGross);
        if (G(i).laenge - d > kMaxLaenge || G(prev).laenge + d > kMaxLaenge)
            return Abgelehnt(kVerschiebenZuLang);
    }
    const bool yNeu = v != G(i).y;
    if (yNeu) {
        if (v < 0)
            return Abgelehnt(kYZuKlein);
        if (v > kMaxRoh)
            return Abgelehnt(kYZuGross);
    }
    if (!xNeu && !yNeu)
        return {};
    std::string meldung = Kennlinie_UndoSichern();
    if (xNeu) {
        G(prev).laenge = Ganz(std::trunc(G(prev).laenge + d));
        if (i != next)
            G(i).laenge = Ganz(std::trunc(G(i).laenge - d));
    }
    if (yNeu)
        G(i).y = Ganz(v);
    return Erledigt(meldung);
}

// ---- delete ----------------------------------------------------------------------------

Ergebnis PunktLoeschen(int i) {
    const int n = N();
    if (i < 0 || i >= n)
        return {};
    if (n <= 1)
        return Abgelehnt(kLetzterPunkt);
    const bool verbinden = i > 0 && i < n - 1;
    // Lengths of a loaded file may be anything: a merge that no count can
    // hold is refused rather than wrapped round.
    const std::int64_t summe = verbinden ? std::int64_t{G(i - 1).laenge} + G(i).laenge : 0;
    if (summe > INT32_MAX || summe < INT32_MIN)
        return Abgelehnt(kResultierendZuLang);
    std::string meldung = Kennlinie_UndoSichern();
    if (verbinden)
        G(i - 1).laenge += G(i).laenge;
    P().erase(P().begin() + i);
    AnzahlNachfuehren();
    if (i == n - 1)
        P().back().laenge = 1;
    return Erledigt(meldung);
}

// ---- split -------------------------------------------------------------------------------

Ergebnis GeradeTeilen(double x) {
    const int b = Kennlinie_GeradeBeiX(x);
    if (b == N() - 1)
        return {};
    const std::int32_t l = G(b).laenge;
    if (l <= 1)
        return Abgelehnt(kTeilenEineEinheit);
    double e = std::trunc(x - X(b) + 0.5);
    if (!(e >= 1))
        e = 1;
    e = std::min(e, static_cast<double>(l) - 1.0);
    const double y0 = G(b).y;
    const double y1 = G(b + 1).y;
    const double v = std::clamp(std::trunc(y0 + (y1 - y0) * e / l), 0.0, double{kMaxRoh});

    std::string meldung = Kennlinie_UndoSichern();
    const Gerade neu{Ganz(v), l - Ganz(e), G(b).zeitbasis};
    try {
        P().insert(P().begin() + b + 1, neu);
    } catch (const std::bad_alloc&) {
        return Fehlgeschlagen(kGroessenFehler, meldung);
    }
    AnzahlNachfuehren();
    G(b).laenge = Ganz(e);
    return Erledigt(meldung);
}

// ---- mark ---------------------------------------------------------------------------------

void MarkierungZiehen(double x) {
    if (gKennlMarkierungNeu) {
        Kennlinienmarkierung().Beginnen(x);
        gKennlMarkierungNeu = false;
    } else {
        Kennlinienmarkierung().Ziehen(x);
    }
}

void MarkierungBeenden(double x) {
    Kennlinienmarkierung().Beenden(x);
    gKennlMarkierungNeu = true;
}

void MarkierungEntfernen() {
    Kennlinienmarkierung().Entfernen();
}

void AllesMarkieren() {
    Kennlinienmarkierung().Setzen(0.0, kMaxRoh);
}

}  // namespace characteristic
