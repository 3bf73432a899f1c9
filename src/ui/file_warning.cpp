#include "ui/file_warning.h"

#include "ui/dialogs.h"
#include "ui/texts.h"

namespace ui {

void DateischadenMelden(QWidget* eltern, const QString& pfad, const std::string& schaden,
                        const QString& zusatz) {
    QString text = "Die Datei\n" + pfad + "\nist beschädigt.\n\n" + Q(schaden);
    if (!zusatz.isEmpty())
        text += "\n\n" + zusatz;
    dialogs().Meldung(eltern, "Warnung", text);
}

}  // namespace ui
