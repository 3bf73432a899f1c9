#pragma once
// The mark of an editor (a range on the X axis drawn as a frame over the full
// value range) and the clipboard commands on the points it covers. The mark's
// start, end and flag are the window's state; Markierung is a view on them.

#include <cstddef>
#include <new>
#include <vector>

#include "editor/points.h"

namespace editor {

inline constexpr double kVollerWert = 4095.0;  // full scale of a board value, counts

// A frame in graph coordinates, for the mark and the visible range.
struct Rahmen {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = kVollerWert;
};

class Markierung {
  public:
    Markierung(double& start, double& ende, bool& aktiv)
        : start_(start), ende_(ende), aktiv_(aktiv) {}

    // The first drag event of a gesture: a mark of zero width at x, rounded.
    void Beginnen(double x);
    // Further drag events move the end (a gesture without a start begins).
    void Ziehen(double x);
    // The release: the ends are put in order, start <= end.
    void Beenden(double x);
    // Another tool, a delete, or "Zoom Markierung": no mark, and no range
    // left behind.
    void Entfernen();
    // "Alles Markieren", and the zero-width mark a paste leaves.
    void Setzen(double start, double ende);

    bool Aktiv() const { return aktiv_; }
    double Start() const { return start_; }
    double Ende() const { return ende_; }
    // The frame drawn in both graphs while the mark exists.
    Rahmen AlsRahmen() const { return Rahmen{start_, 0, ende_, kVollerWert}; }

  private:
    double& start_;
    double& ende_;
    bool& aktiv_;
};

// Points von..bis; leer() when none.
struct Bereich {
    int von = 0;
    int bis = -1;
    bool leer() const { return bis < von; }
};

// The segments lying wholly inside start..ende: from the segment at start
// (the next one when start is not on its point) to the one before the
// segment at ende.
template <class T, class Laenge>
Bereich MarkierteGeraden(const std::vector<T>& punkte, double start, double ende, Laenge laenge) {
    Bereich r;
    r.von = GeradeBeiX(punkte, start, laenge);
    if (PunktX(punkte, r.von, laenge) != start)
        r.von += 1;
    r.bis = GeradeBeiX(punkte, ende, laenge) - 1;
    return r;
}

// ---- clipboard ---------------------------------------------------------------

// Replaces the clipboard by copies of the points in r. False when the copy
// could not get memory; the clipboard then keeps what it held.
template <class T>
bool Kopieren(const std::vector<T>& punkte, Bereich r, Geradenliste<T>& ablage) {
    if (r.leer())
        return true;
    try {
        std::vector<T> kopie(punkte.begin() + r.von, punkte.begin() + r.bis + 1);
        ablage.geraden.swap(kopie);
    } catch (const std::bad_alloc&) {
        return false;
    }
    ablage.anzahl = static_cast<std::int32_t>(ablage.geraden.size());
    return true;
}

// Removes the points in r; the later points move down.
template <class T>
void BereichEntfernen(std::vector<T>& punkte, Bereich r) {
    if (!r.leer())
        punkte.erase(punkte.begin() + r.von, punkte.begin() + r.bis + 1);
}

// Inserts the clipboard before point `ort` (< punkte.size()). The inserted piece starts at the
// value of the point it displaces, and the clipboard keeps that value. False
// (points unchanged) when the insertion could not get memory.
template <class T>
bool Einfuegen(std::vector<T>& punkte, int ort, Geradenliste<T>& ablage) {
    if (ablage.geraden.empty())
        return true;
    ablage.geraden.front().y = punkte[static_cast<std::size_t>(ort)].y;
    try {
        punkte.insert(punkte.begin() + ort, ablage.geraden.begin(), ablage.geraden.end());
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace editor
