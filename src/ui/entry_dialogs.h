#pragma once
// The Qt entry dialogs behind ui::Dialogs: number fields with OK, and the
// comment box with OK. Neither ends any other way (Escape, the close button),
// as the operator's entry must come back.

#include <QDialog>
#include <vector>

#include "ui/dialogs.h"

class QPlainTextEdit;
class QPushButton;

namespace ui {

class Zahlfeld;

class Eingabedialog : public QDialog {
  public:
    Eingabedialog(QWidget* eltern, const Eingabe& eingabe);
    std::vector<double> Werte() const;

  protected:
    void reject() override {}

  private:
    std::vector<Zahlfeld*> felder_;
};

class Kommentardialog : public QDialog {
  public:
    Kommentardialog(QWidget* eltern, const QString& titel, const QString& text);
    QString Text() const;

  protected:
    void reject() override {}

  private:
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace ui
