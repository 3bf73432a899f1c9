#pragma once
// The number field of every window that shows a value of a record (a
// configuration field, a limit, a zoom value, a dialog's coordinate).
// QDoubleSpinBox rounds to its decimals and clamps to its range, so a value
// read from a file would come back changed when the window is read again.
// Here the exact value stays beside the control: Wert() gives it back until
// the operator's edit is taken over.

#include <QDoubleSpinBox>

namespace ui {

class Zahlfeld : public QDoubleSpinBox {
  public:
    // `unten`..`oben`: the range the operator can enter; a value set from a
    // record beyond it widens it, so the field shows what the record holds.
    Zahlfeld(const QString& name, double unten, double oben, QWidget* eltern);

    // Shows the value; emits nothing.
    void Setzen(double wert);
    double Wert() const { return exakt_; }
    // The operator's edit: the exact value becomes what the control shows.
    void Uebernehmen() { exakt_ = value(); }
    // Shows the exact value again (a change that must not count).
    void Zuruecksetzen() { Setzen(exakt_); }
    // New limits for the operator's entries (a field whose range comes from
    // the configuration); the value stays as it is.
    void GrenzenSetzen(double unten, double oben);
    // The change signal's step: taken over, or while direct help is on put
    // back. True when the edit counts.
    bool Bearbeitet();

    QString textFromValue(double wert) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  private:
    double unten_;
    double oben_;
    double exakt_ = 0.0;
};

}  // namespace ui
