#pragma once
// The view state the curve window keeps in the model: visible range (zoom and
// scrolling), Y zoom, cycles and rest value, comment, title. Pure
// calculations on the state of model.h; the window draws.

#include <string>

#include "curves/model.h"
#include "editor/view.h"

namespace curves {

// Visible width W = gAnsichtEnde - gAnsichtStart + 1.
double AnsichtBreite();
void ZoomPlus();
void ZoomMinus();
// The mouse wheel: the same widths around the time t (µs) under the mouse,
// which keeps its place in the view.
void ZoomPlusAn(double t);
void ZoomMinusAn(double t);
// Only with a mark: zooms to it when its end lies after its start; the mark
// is removed in either case. False without a mark.
bool ZoomMarkierung();
// 0 .. Kurve_Dauer - 1 of the edited curve (also after load, append and
// read-back).
void ZoomGesamtkurve();

// The scroll bar in percent: thumb size 1..100, position 0..100.
using Rollbalken = editor::Rollbalken;
Rollbalken RollbalkenBerechnen();
// The end of a scroll gesture at position 0..100; the width stays.
void RollbalkenGesetzt(int position);

// The Y axis of the edited curve k: gain and offset from raw counts to display
// units, the unit text, and the raw range gYZoomMin..gYZoomMax.
struct YAchse {
    double faktor = 1;
    double versatz = 0;
    std::string einheit;
    int min = 0;
    int max = kMaxRoh;
};
YAchse YAchseBerechnen(int k);
// The commit of "Y-Zoom min"/"max" in display units: true when stored, false
// when the controls go back to the stored limits.
bool YZoomSetzen(double minAnzeige, double maxAnzeige);

// The commit of "Anzahl Zyklen" / "Ruhezustand" (display units) for the edited
// curve; sets gKurvenGeaendert. Returns the rest value as the control shows it
// again (limited, display units).
double ZyklenUndRuhezustandSetzen(std::int32_t zyklen, double ruhezustandAnzeige);

// The comment dialog's OK with its lines already joined by "\n". Texts that
// Windows-1252 cannot hold become '?', the comment is cut to 999 characters.
// True when the comment changed (gKurvenGeaendert is then set).
bool KommentarSetzen(const std::string& text);
// The first 30 characters for "KOMMENTARVORSCHAU".
std::string Kommentarvorschau();
// "Kommentar - Kurve <k + 1>".
std::string KommentarTitel();

// "Kurve bearbeiten": the "Y-Raster" value shown so far is kept for the curve
// left, and k (0..3) becomes the edited curve. The window then shows
// gYRaster[k], the Y zoom and the comment preview, redraws, and enables
// "Rückgängig"/"Wiederherstellen" from RueckgaengigMoeglich() and
// WiederherstellenMoeglich().
void KurveWaehlen(int k, double rasterBisher);

// The memory display turns red above 100 %.
inline bool SpeicherUeberschritten() {
    return SpeicherbedarfProzent() > 100.0;
}

// Sets gKurvendatei; the window title "Kurvengenerator - <file name>" or
// "Kurvengenerator" for an empty path.
std::string Kurvenpanel_Titel(const std::string& pfad);
// The file-name part of gKurvendatei, "Kurvengenerator" when there is none.
std::string DateinameOderStandard();

}  // namespace curves
