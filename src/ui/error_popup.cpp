#include "ui/error_popup.h"

#include "errors/errors.h"
#include "ui/dialogs.h"
#include "ui/registry.h"
#include "ui/texts.h"

namespace ui {
namespace {

constexpr int kNichtGezeigt = -6000;

QWidget* Eltern() {
    return registry().Eintrag(Fenster::Haupt).panel;
}

}  // namespace

int ORV_Fehlerpopup(int code) {
    const auto titel = errors::FehlerpopupTitel(code);
    if (!titel)
        return kNichtGezeigt;
    dialogs().Meldung(Eltern(), Q(*titel), Q(errors::ORV_Fehlermeldung(code)));
    return 0;
}

void ORV_Fehlerpopup2(int code, const QString& titel) {
    const auto voll = errors::FehlerpopupTitel(code, S(titel));
    if (!voll)
        return;
    dialogs().Meldung(Eltern(), Q(*voll), Q(errors::ORV_Fehlermeldung(code)));
}

}  // namespace ui
