#pragma once
// The window "Konfiguration". Its controls arrive with the window's own work; this is
// its frame: title, menus, back button, help, error display and connection
// indicator where it has them.

#include "ui/childpanel.h"

namespace config {

class Konfigpanel : public ui::Childpanel {
  public:
    explicit Konfigpanel(QWidget* eltern);

    int InitialisiereKonfigPanel();
    int KonfigpanelClear();
};

}  // namespace config
