#include "ui/veto.h"

#include "ui/dialogs.h"
#include "ui/error_popup.h"
#include "ui/registry.h"

namespace ui {

int AbbruchWeilNichtGespeichert(bool geaendert, const QString& name,
                                const std::function<int()>& speichern) {
    if (!geaendert)
        return 0;
    // Enter and Escape cancel: a key pressed by habit neither saves nor drops the changes.
    const int antwort =
        dialogs().Frage(registry().Eintrag(Fenster::Haupt).panel, "Warnung",
                        QString("Möchten Sie die Änderungen in %1 speichern?").arg(name),
                        {"Ja", "Nein", "Abbrechen"}, {.enter = 3, .escape = 3});
    if (antwort == 2)
        return 0;
    if (antwort != 1)
        return 1;
    const int r = speichern ? speichern() : 0;
    if (r == 0)
        return 0;
    ORV_Fehlerpopup(r);
    return 1;
}

}  // namespace ui
