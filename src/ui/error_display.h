#pragma once
// The error display of a window: LED, text and number of the last exchange's
// outcome (<PNL>_FEHLERLED, <PNL>_FEHLERSTRING, <PNL>_FEHLERNR).

#include <QColor>
#include <QWidget>

class QLineEdit;

namespace ui {

// A round lamp; on shows its colour, off a dark shade of it.
class Led : public QWidget {
  public:
    explicit Led(QWidget* eltern = nullptr, QColor farbe = Qt::red);
    void setOn(bool an);
    bool isOn() const { return an_; }
    void setFarbe(QColor farbe);
    QColor farbe() const { return farbe_; }
    QSize sizeHint() const override { return {18, 18}; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QColor farbe_;
    bool an_ = false;
};

class Fehleranzeige : public QWidget {
  public:
    Fehleranzeige(const QString& praefix, QWidget* eltern);
    // Non-zero: LED on, the code's text, the number without sign; 0 clears.
    void Setzen(int code);

    Led* led() const { return led_; }
    QLineEdit* text() const { return text_; }
    QLineEdit* nummer() const { return nummer_; }

  private:
    Led* led_;
    QLineEdit* text_;
    QLineEdit* nummer_;
};

}  // namespace ui
