#include "config/window.h"

namespace config {

Konfigpanel::Konfigpanel(QWidget* eltern)
    : ui::Childpanel({.fenster = ui::Fenster::Konfig,
                      .praefix = "KONFIGPNL",
                      .titel = "Konfiguration",
                      .menuleiste = "KONFIG",
                      .zurueck = "HAUPTFENSTER",
                      .hilfeschalter = true,
                      .fehleranzeige = false},
                     eltern) {
    Registrieren();
}

int Konfigpanel::InitialisiereKonfigPanel() {
    return 0;
}

int Konfigpanel::KonfigpanelClear() {
    return 0;
}

}  // namespace config
