#pragma once
// The progress dialog of a transfer: title and label, a bar in whole percent,
// no cancel button, modal. The exchange blocks between blocks, so every update
// lets the windows repaint (without taking the operator's input).

#include <QString>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace ui {

class Fortschritt {
  public:
    Fortschritt(QWidget* eltern, const QString& titel, const QString& text);
    ~Fortschritt();
    Fortschritt(const Fortschritt&) = delete;
    Fortschritt& operator=(const Fortschritt&) = delete;

    // 0..100; values outside are limited.
    void Setzen(int prozent);
    int Wert() const;
    // For the transfers' progress callback.
    std::function<void(int)> Rueckmeldung();
    QProgressDialog* dialog() const { return dialog_.get(); }

  private:
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace ui
