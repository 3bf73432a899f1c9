#include "characteristic/window.h"

namespace characteristic {

Kennlinienpanel::Kennlinienpanel(QWidget* eltern)
    : ui::Childpanel({.fenster = ui::Fenster::Kennlinie,
                      .praefix = "KENNLPNL",
                      .titel = "Kennlinienregler",
                      .menuleiste = "KENNLINIE",
                      .zurueck = "ZURUECK",
                      .hilfeschalter = false,
                      .fehleranzeige = true},
                     eltern) {
    HilfeMenueAnlegen("DIREKTHILFE");
    Registrieren();
}

int Kennlinienpanel::KennlinienpanelInit(int) {
    return 0;
}

int Kennlinienpanel::KennlinienpanelClear() {
    return 0;
}

}  // namespace characteristic
