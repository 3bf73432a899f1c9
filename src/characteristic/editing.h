#pragma once
// Every operation that changes the points of gKennlinie, the mark, and the
// ten-step undo ring. Each operation returns what happened and never shows
// anything: the window shows `meldung` in a box titled "Fehler", passes `code`
// to the shared error pop-up, and redraws when `geaendert()`.
//
// Positions arrive in graph coordinates: x in input counts, y in output
// counts. `xRaster` and `yRaster` are the window's "X-Raster" (display units
// of input 2) and "Y-Raster" (display units of output 1) fields; 0 = no grid.

#include <string>

#include "characteristic/model.h"
#include "editor/result.h"

namespace characteristic {

using Ausgang = editor::Ausgang;
using Ergebnis = editor::Ergebnis;

inline constexpr int kGroessenFehler = -600503;

// ---- undo --------------------------------------------------------------------
// Saves the points as one undo step, sets gKennlinieGeaendert and clears the
// redo steps; every operation below calls it after its checks and before its
// first change. Empty, or editor::kSpeicherFehlerText when the step could not
// be kept (it is then not counted; the operation goes on).
std::string Kennlinie_UndoSichern();
// Undo and redo exchange only the points: the comment, the fields and
// gKennlinieGeaendert stay. NichtsZuTun when there is no step.
Ergebnis Kennlinie_Rueckgaengig();
Ergebnis Kennlinie_Wiederherstellen();
// The enabled states of "Rückgängig" and "Wiederherstellen".
bool RueckgaengigMoeglich();
bool WiederherstellenMoeglich();

// ---- picking and grids --------------------------------------------------------
// The point nearest to (x, y) in pixels of the plot area (its size passed in)
// over the visible X range and the full 4095 counts of Y, whatever the zoom.
int Kennlinie_NaechsterPunkt(double x, double y, double breitePixel, double hoehePixel);
// The X grid through 0 with the step of `xRaster` converted as an absolute
// input-2 value; each limits to 0..4095 and rounds to a whole count.
double Kennlinie_XRasten(double x, double xRaster);
double Kennlinie_XRastenAuf(double x, double xRaster);  // the grid point above x
double Kennlinie_XRastenAb(double x, double xRaster);   // the grid point below x
// The Y grid anchored at the raw value of display zero; limited and rounded.
double Kennlinie_YRasten(double y, double yRaster);

// ---- graph tools ----------------------------------------------------------------
struct Punkt {
    double x = 0;
    double y = 0;
};

// "Punkt zeichnen", release at (x, y): a point appended after the last one.
// A click left of it appends at the next grid position (or one count) after
// it; beyond X 4095 nothing happens, silently.
Ergebnis PunktZeichnen(double x, double y, double xRaster, double yRaster);
// While dragging with "Punkt zeichnen": a red line from `von` (the last
// point) to `nach` and a marker at `nach`, which the coordinate displays show
// as well. No preview when `zeigen` is false.
struct Zeichenvorschau {
    bool zeigen = false;
    Punkt von;
    Punkt nach;
};
Zeichenvorschau PunktZeichnenVorschau(double x, double y, double xRaster, double yRaster);

// "Punkt verschieben": the target of point `punkt` for a drag or the release
// at (x, y).
struct Verschiebeziel {
    int punkt = 0;
    int vorher = 0;   // max(punkt - 1, 0)
    int nachher = 0;  // min(punkt + 1, N - 1)
    Punkt ziel;       // the snapped target; the coordinate displays show it
    Punkt vorherPunkt;
    Punkt nachherPunkt;
    // The preview draws vorherPunkt -> ziel (with mitVorher), ziel ->
    // nachherPunkt (with mitNachher) and a marker at ziel.
    bool mitVorher = false;
    bool mitNachher = false;
};
Verschiebeziel PunktVerschiebenZiel(int punkt, double x, double y, double xRaster, double yRaster);
Ergebnis PunktVerschieben(int punkt, double x, double y, double xRaster, double yRaster);
// The gesture as the window runs it: the first drag after a release picks the
// point nearest to the mouse (gKennlVerschiebePunkt), each drag gives the
// preview's target; the release moves the point and lets the next drag pick
// again. A release without a drag picks there.
Verschiebeziel VerschiebenZiehen(double x, double y, double xRaster, double yRaster,
                                 double breitePixel, double hoehePixel);
Ergebnis VerschiebenLoslassen(double x, double y, double xRaster, double yRaster,
                              double breitePixel, double hoehePixel);

// "Punktkoordinaten ändern": what the dialog "Punkt %d" shows for point i
// (input-2 and output-1 display units)...
struct Punktkoordinaten {
    int punkt = 0;
    double x = 0;
    double y = 0;
    std::string titel;  // "Punkt <i + 1>"
};
Punktkoordinaten PunktkoordinatenHolen(int punkt);
// ...and the step after its OK with the fields' values. The dialog places a
// point at any count between its neighbours, ignoring the grids.
Ergebnis PunktkoordinatenAendern(int punkt, double xAnzeige, double yAnzeige);

// "Punkt auflösen" of the point the window picked with Kennlinie_NaechsterPunkt.
Ergebnis PunktLoeschen(int punkt);

// "Gerade teilen", release at x: a point on the segment, its shape kept.
Ergebnis GeradeTeilen(double x);

// ---- mark ----------------------------------------------------------------------------
// A drag with "Markieren": the first of a gesture starts the mark, the
// others move its end.
void MarkierungZiehen(double x);
// The release: the ends in order; the next drag starts a new mark.
void MarkierungBeenden(double x);
// Another tool chosen: no mark.
void MarkierungEntfernen();
// "Alles Markieren": 0..4095.
void AllesMarkieren();

}  // namespace characteristic
