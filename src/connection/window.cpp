#include "connection/window.h"

#include <QToolButton>

namespace connection {

Companel::Companel(QWidget* eltern)
    : ui::Childpanel({.fenster = ui::Fenster::Com,
                      .praefix = "COMPNL",
                      .titel = "COM-Schnittstellen Einstellung",
                      .menuleiste = "COM",
                      .zurueck = "ZURUECK",
                      .hilfeschalter = true,
                      .fehleranzeige = true},
                     eltern) {
    Registrieren();
}

int Companel::CompanelInit() {
    // This build offers direct help in the connection window only through
    // the other windows; its own toggle stays hidden.
    hilfeschalter()->hide();
    for (ui::Fenster f : {ui::Fenster::Konfig, ui::Fenster::Direkt, ui::Fenster::Kennlinie})
        FensterEintragEntfernen(f);
    return 0;
}

int Companel::CompanelClear() {
    return 0;
}

}  // namespace connection
