#pragma once
// The connection indicator every window carries (<PNL>_PICTURERING): a plug
// drawn for "connected on COMn" or "not connected". A click on it asks the
// connection window to connect again or to disconnect.

#include <QAbstractButton>

namespace ui {

class Verbindungsanzeige : public QAbstractButton {
  public:
    Verbindungsanzeige(const QString& praefix, QWidget* eltern);

    // The open port 1..8, or -1 for "not connected".
    void Setzen(int port);
    int Wert() const { return port_; }

    QSize sizeHint() const override { return {175, 34}; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    int port_ = -1;
};

}  // namespace ui
