#pragma once
// The program speaks German whatever the system language, Qt's own texts
// included: the file dialog, the standard buttons of message boxes and the
// shortcut names in the menus ("Strg+X", "Entf").

namespace ui {

// Installs Qt's German translations for the running application. False when
// they are not installed (the program then works with Qt's English texts);
// loading again does nothing.
bool QtDeutschLaden();

}  // namespace ui
