#include "ui/dialogs.h"

#include "ui/qt_dialogs.h"

namespace ui {
namespace {

std::unique_ptr<Dialogs>& Aktuell() {
    static std::unique_ptr<Dialogs> d = std::make_unique<QtDialogs>();
    return d;
}

}  // namespace

Dialogs& dialogs() {
    return *Aktuell();
}

void DialogeSetzen(std::unique_ptr<Dialogs> neu) {
    Aktuell() = neu ? std::move(neu) : std::make_unique<QtDialogs>();
}

}  // namespace ui
