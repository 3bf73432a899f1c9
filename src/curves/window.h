#pragma once
// The window "Kurvengenerator". Its controls arrive with the window's own work; this is
// its frame: title, menus, back button, help, error display and connection
// indicator where it has them.

#include "ui/childpanel.h"

namespace curves {

class Kurvenpanel : public ui::Childpanel {
  public:
    explicit Kurvenpanel(QWidget* eltern);

    int KurvenpanelInit();
    int KurvenpanelClear();
};

}  // namespace curves
