#include "ui/progress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

namespace ui {

namespace {
void Malen() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
}  // namespace

Fortschritt::Fortschritt(QWidget* eltern, const QString& titel, const QString& text)
    : dialog_(std::make_unique<QProgressDialog>(text, QString(), 0, 100, eltern)) {
    dialog_->setObjectName("FORTSCHRITT");
    dialog_->setWindowTitle(titel);
    dialog_->setCancelButton(nullptr);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
    dialog_->show();
    Malen();
}

Fortschritt::~Fortschritt() {
    dialog_->hide();
    Malen();
}

void Fortschritt::Setzen(int prozent) {
    dialog_->setValue(std::clamp(prozent, 0, 100));
    Malen();
}

int Fortschritt::Wert() const {
    return dialog_->value();
}

std::function<void(int)> Fortschritt::Rueckmeldung() {
    return [this](int prozent) { Setzen(prozent); };
}

}  // namespace ui
