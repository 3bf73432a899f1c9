#pragma once
// The two controls of the window that Qt has no match for: a gauge with its
// numeric display (an input) and a knob with numeric entry (an output). Both
// show a physical value on the channel's scale: its ends (the physical values
// of counts 0 and 4095, which may fall), its decimals and its unit as label.
// The numbers are ui::Zahlfeld, so showing a value never changes it.

#include <QString>
#include <QWidget>
#include <functional>

class QDial;
class QLabel;

namespace ui {
class Zahlfeld;
}

namespace direct_io {

struct Skala {
    double lo = 0.0;
    double hi = 10.0;
    int stellen = 3;
    QString einheit;
};

// Gives a number field the channel's decimals and a step of one of them.
void StellenSetzen(ui::Zahlfeld* feld, int stellen);

class Zeigerinstrument : public QWidget {
  public:
    Zeigerinstrument(const QString& name, QWidget* eltern);

    void SkalaSetzen(const Skala& s);
    const Skala& skala() const { return skala_; }
    void Setzen(double wert);
    double Wert() const;
    ui::Zahlfeld* anzeige() const { return anzeige_; }

    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

  private:
    QRectF Zifferblatt() const;

    Skala skala_;
    ui::Zahlfeld* anzeige_;
    QLabel* einheit_;
};

class Drehknopf : public QWidget {
  public:
    Drehknopf(const QString& name, QWidget* eltern);

    void SkalaSetzen(const Skala& s);
    const Skala& skala() const { return skala_; }
    // Shows the value on the dial and in the field; emits nothing.
    void Setzen(double wert);
    double Wert() const;
    // Shows the value held again (a change that must not count).
    void Zuruecksetzen();

    // The operator turned the knob or entered a number (not while direct
    // help is on: then the knob shows its value again).
    std::function<void()> geaendert;

    QDial* dial() const { return dial_; }
    ui::Zahlfeld* feld() const { return feld_; }

  private:
    void Gedreht(int stellung);
    void Eingegeben();
    void StellungZeigen(double wert);

    Skala skala_;
    QDial* dial_;
    ui::Zahlfeld* feld_;
    QLabel* einheit_;
    QLabel* lo_;
    QLabel* hi_;
};

}  // namespace direct_io
