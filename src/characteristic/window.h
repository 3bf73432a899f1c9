#pragma once
// The window "Kennlinienregler". Its controls arrive with the window's own work; this is
// its frame: title, menus, back button, help, error display and connection
// indicator where it has them.

#include "ui/childpanel.h"

namespace characteristic {

class Kennlinienpanel : public ui::Childpanel {
  public:
    explicit Kennlinienpanel(QWidget* eltern);

    int KennlinienpanelInit(int modus);
    int KennlinienpanelClear();
};

}  // namespace characteristic
