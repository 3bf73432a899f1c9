#pragma once
// The decoration of the main and Info windows: the board drawn as a box with
// its connector and its four output curves.

#include <QWidget>

namespace shell {

class Geraetebild : public QWidget {
  public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {420, 320}; }
    QSize minimumSizeHint() const override { return {200, 150}; }

  protected:
    void paintEvent(QPaintEvent*) override;
};

}  // namespace shell
