#pragma once
// The items the editor windows' action tables share: the graph tools' and the
// display modes' radio items, undo and redo, the four zoom commands, direct
// help and the pin assignment. Each window lists them in its own table, in
// its own order, with its own texts where they differ.

#include "ui/actions.h"

namespace ui {

// A graph tool: a radio item of the "Bearbeiten" menu with its button.
Aktion Werkzeugeintrag(Werkzeug w, const char* name, const char* text, const char* tooltip,
                       const char* bild, const char* hilfe, int gruppe);
// A display mode of "Ansicht" - "Kurvendarstellung": 1 "Linien" (LIN), 2
// "Stufen" (ST), 3 "Linien + Stufen" (LINST). Its button is a mirror that
// stays dimmed: the mode is chosen in the menu, the button only shows it.
Aktion Darstellungseintrag(int wert, int gruppe);
Aktion Trennlinie(const char* menue, Ort ort = Ort::Beide, bool gedimmt = false);

Aktion RueckgaengigEintrag();
Aktion WiederherstellenEintrag();
Aktion ZoomPlusEintrag();
Aktion ZoomMinusEintrag();
Aktion ZoomMarkierungEintrag();
// "Zoom Gesammtkurve", whose help text names what the window shows whole.
Aktion ZoomGesamtEintrag(const char* hilfe);

// "Hilfe" - "Direkthilfe" (objectName <bar>_HILFE_<name>) with its button.
Aktion DirekthilfeEintrag(const char* name);
Aktion PinbelegungEintrag();

}  // namespace ui
