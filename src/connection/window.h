#pragma once
// The window "COM-Schnittstellen Einstellung". Its controls arrive with the window's own work; this
// is its frame: title, menus, back button, help, error display and connection indicator where it
// has them.

#include "ui/childpanel.h"

namespace connection {

class Companel : public ui::Childpanel {
  public:
    explicit Companel(QWidget* eltern);

    int CompanelInit();
    int CompanelClear();
};

}  // namespace connection
