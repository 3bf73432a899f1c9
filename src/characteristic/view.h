#pragma once
// The view state the characteristic window keeps in the model: the visible X
// range over the whole 0..4095 (zoom and scrolling), the Y zoom, the axes in
// display units, the comment and the title. Pure calculations on the state
// of model.h; the window draws.

#include <string>

#include "characteristic/model.h"
#include "editor/view.h"

namespace characteristic {

// The zoom commands of the "Bearbeiten" menu: "Zoom +", "Zoom -" (the end
// held at X 4095), "Zoom Markierung" (false when there is no mark; an empty
// mark is only removed) and "Zoom Gesammtkurve" (0..4094, also the step after
// "Neu", loading and reading).
void ZoomPlus();
void ZoomMinus();
bool ZoomMarkierung();
void ZoomGesamtkurve();
// The mouse wheel's "Zoom +" and "Zoom -" keeping X value x in place.
void ZoomPlusAn(double x);
void ZoomMinusAn(double x);

// The scroll bar's thumb and position in percent, and the end of a scroll
// gesture at 0..100 (the visible width stays).
using Rollbalken = editor::Rollbalken;
Rollbalken RollbalkenBerechnen();
void RollbalkenGesetzt(int position);

// The commit of "Y-Zoom min"/"max" in output-1 display units: true when
// stored, false when the fields go back to the stored limits.
bool YZoomSetzen(double minAnzeige, double maxAnzeige);

// Axis labels through gain and offset: X in input-2 display units
// (config's ineinheit[1]), Y in output-1 display units (outeinheit[0]).
editor::Achsenskala XAchse();
editor::Achsenskala YAchse();

// The comment editor's OK with its lines joined by "\n": characters
// Windows-1252 cannot hold become '?', cut to 999 characters. True when the
// comment changed (gKennlinieGeaendert is then set).
bool KommentarSetzen(const std::string& text);
// The first 30 characters for "KOMMENTARVORSCHAU".
std::string Kommentarvorschau();

// Sets gKennliniendatei; the window title "Kennlinienregler - <file name>",
// or "Kennlinienregler" for an empty path.
std::string Kennlinienpanel_Titel(const std::string& pfad);
// The file-name part of gKennliniendatei, "Kennlinienregler" when there is none.
std::string DateinameOderStandard();

}  // namespace characteristic
