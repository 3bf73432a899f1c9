#pragma once
// The horizontal scroll bar of the graphs: the window sets the thumb size and
// position in percent (0..100); when the operator has finished moving it
// (thumb released, arrow or track clicked, a key), `bewegt` reports it and the
// window reads the position. Setting it never reports.

#include <QScrollBar>

namespace ui {

class Rollbalken : public QScrollBar {
    Q_OBJECT

  public:
    explicit Rollbalken(QWidget* eltern = nullptr);

    // Thumb size 1..100 percent of the track, position 0..100 percent of the
    // travel; values outside are limited.
    void Setzen(int groesse, int position);
    int Groesse() const { return groesse_; }
    int Position() const;

  signals:
    void bewegt();

  private:
    static constexpr int kAufloesung = 1000;  // steps of the travel
    int groesse_ = 100;
};

}  // namespace ui
