#include "curves/window.h"

namespace curves {

Kurvenpanel::Kurvenpanel(QWidget* eltern)
    : ui::Childpanel({.fenster = ui::Fenster::Kurven,
                      .praefix = "KURVENPNL",
                      .titel = "Kurvengenerator",
                      .menuleiste = "KURVEN",
                      .zurueck = "HAUPTFENSTER",
                      .hilfeschalter = false,
                      .fehleranzeige = true},
                     eltern) {
    HilfeMenueAnlegen("WASISTDAS");
    Registrieren();
}

int Kurvenpanel::KurvenpanelInit() {
    for (ui::Fenster f : {ui::Fenster::Konfig, ui::Fenster::Direkt, ui::Fenster::Kennlinie})
        FensterEintragEntfernen(f);
    return 0;
}

int Kurvenpanel::KurvenpanelClear() {
    return 0;
}

}  // namespace curves
