#pragma once
// The window "Direkte Ein-/Ausgabe". Its controls arrive with the window's own work; this is
// its frame: title, menus, back button, help, error display and connection
// indicator where it has them.

#include "ui/childpanel.h"

namespace direct_io {

class Direktpanel : public ui::Childpanel {
  public:
    explicit Direktpanel(QWidget* eltern);

    int DirektpanelInit();
    int DirektpanelClear();
};

}  // namespace direct_io
