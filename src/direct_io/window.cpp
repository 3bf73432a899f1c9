#include "direct_io/window.h"

namespace direct_io {

Direktpanel::Direktpanel(QWidget* eltern)
    : ui::Childpanel({.fenster = ui::Fenster::Direkt,
                      .praefix = "DIREKTPNL",
                      .titel = "Direkte Ein-/Ausgabe",
                      .menuleiste = "DIREKT",
                      .zurueck = "ZURUECK",
                      .hilfeschalter = true,
                      .fehleranzeige = true},
                     eltern) {
    Registrieren();
    // Nothing of this window can be lost yet: its veto lets the program end.
    ui::registry().Eintrag(ui::Fenster::Direkt).abbruchWeilNichtGespeichert = [] { return 0; };
}

int Direktpanel::DirektpanelInit() {
    return 0;
}

int Direktpanel::DirektpanelClear() {
    return 0;
}

}  // namespace direct_io
