#pragma once
// Every operation that changes the segments of the edited curve
// (gKurven[gAktuelleKurve]), the mark-based commands and the ten-step undo
// ring per curve. Each operation returns what happened and never shows
// anything: the window shows `meldung` in a box titled "Fehler", passes
// `code` to the shared error pop-up, and redraws when `geaendert()`.

#include <string>

#include "curves/model.h"
#include "editor/mark.h"
#include "editor/result.h"

namespace curves {

// What an operation did (the editors' shared result).
using Ausgang = editor::Ausgang;
using Ergebnis = editor::Ergebnis;

inline constexpr const char* kSpeicherFehlerText = editor::kSpeicherFehlerText;
// No memory to grow or shrink a curve's segments (also "Neu").
inline constexpr int kGroessenFehler = -600403;

// ---- undo ------------------------------------------------------------------
// Saves the edited curve's segments as one undo step and sets
// gKurvenGeaendert; clears the redo steps. Called by every operation below
// after its checks and before its first change. An empty string, or
// kSpeicherFehlerText when the state could not be kept (the step is then not
// counted).
std::string Kurve_UndoSichern();
Ergebnis Kurve_Rueckgaengig();
Ergebnis Kurve_Wiederherstellen();
// The enabled state of "Rückgängig" / "Wiederherstellen" for curve k.
bool RueckgaengigMoeglich(int k);
bool WiederherstellenMoeglich(int k);
inline bool RueckgaengigMoeglich() {
    return RueckgaengigMoeglich(gAktuelleKurve);
}
inline bool WiederherstellenMoeglich() {
    return WiederherstellenMoeglich(gAktuelleKurve);
}

// ---- graph tools -------------------------------------------------------------
// A position in graph coordinates: time µs, value raw counts.
struct Punkt {
    double t = 0;
    double y = 0;
};

// "Punkt zeichnen": release at (t, y) with timebase `zeitbasis` from the
// toolbar list; `raster` is the window's "Y-Raster" value.
Ergebnis PunktZeichnen(double t, double y, int zeitbasis, double raster);
// Where the release at (t, y) would put the new point; the preview draws a
// line from the last drawn point (`von`) to `nach` and a marker at `nach`.
struct Vorschau {
    Punkt von;
    Punkt nach;
};
Vorschau PunktZeichnenVorschau(double t, double y, int zeitbasis, double raster);

// "Punkt verschieben": on the first drag event the window picks the point with
// Kurve_NaechsterPunkt and keeps it until release.
struct Verschiebeziel {
    int punkt = 0;       // the point moved
    int vorher = 0;      // prev = max(punkt - 1, 0)
    int nachher = 0;     // next = min(punkt + 1, N - 1)
    Punkt ziel;          // the snapped target (x, y')
    Punkt vorherPunkt;   // point prev
    Punkt nachherPunkt;  // point next
    // The preview draws vorherPunkt -> ziel, ziel -> nachherPunkt (only when
    // mitNachher) and a marker at ziel.
    bool mitNachher = false;
};
Verschiebeziel PunktVerschiebenZiel(int punkt, double t, double y, double raster);
// The release of the move at (t, y).
Ergebnis PunktVerschieben(int punkt, double t, double y, double raster);

// "Punktkoordinaten ändern": what the dialog "Punkt %d" shows for point i...
struct Punktkoordinaten {
    int punkt = 0;
    Zeitteile zeit;     // T(i) split
    double wert = 0;    // RohZuAnzeige of y(i)
    std::string titel;  // "Punkt <i + 1>"
};
Punktkoordinaten PunktkoordinatenHolen(int punkt);
// ...and the step after its OK: the joined time in µs and the entered value
// in display units.
Ergebnis PunktkoordinatenAendern(int punkt, double zeit, double wertAnzeige);

// "Punkt auflösen" of the point the window picked with Kurve_NaechsterPunkt.
Ergebnis PunktLoeschen(int punkt);

// "Gerade teilen", release at t.
Ergebnis GeradeTeilen(double t);

// "Zeitbasis ändern": the window opens its pop-up menu at the press with the
// timebase of segment Kurve_GeradeBeiZeit(t) checked; this is the step after a
// choice z (1..8).
Ergebnis ZeitbasisAendern(double t, int zeitbasis);

// "Geradenlänge ändern": Kurve_GeradeBeiZeit(t) gives the segment; for the
// closing segment nothing happens (GeradenlaengeHolen gives -1). The dialog
// "Gerade %d" shows the duration split...
struct Geradenlaenge {
    int gerade = -1;  // -1: the closing segment, nothing to do
    Zeitteile dauer;
    std::string titel;  // "Gerade <b + 1>"
};
Geradenlaenge GeradenlaengeHolen(double t);
// ...and this is the step after its OK with the new duration in µs.
Ergebnis GeradenlaengeAendern(int gerade, double dauer);

// ---- mark --------------------------------------------------------------------
void MarkierungBeginnen(double t);  // first drag event of a gesture
void MarkierungZiehen(double t);    // further drag events
void MarkierungBeenden(double t);   // release
void MarkierungEntfernen();         // another tool, or "Zoom Markierung"
void AllesMarkieren();
// The segments lying wholly inside the mark; leer() when none.
using Bereich = editor::Bereich;
Bereich MarkierteGeraden();

// ---- clipboard commands -------------------------------------------------------
Ergebnis Kopieren();  // leaves the curve as it is; Erledigt when copied
Ergebnis Loeschen();
Ergebnis Ausschneiden();
Ergebnis Einfuegen();  // only with an active mark

}  // namespace curves
