#pragma once
// The main window "VEK-7M Kurvengenerator": buttons to the child windows, Info
// and Ende, the connection indicator, a decoration. Child windows are shown
// inside it, one at a time, at a fixed place.

#include <QWidget>
#include <array>
#include <functional>

class QPushButton;
class QToolButton;

namespace ui {
class Verbindungsanzeige;
}

namespace shell {

class Mainpanel : public QWidget {
  public:
    explicit Mainpanel(QWidget* eltern = nullptr);

    // Buttons in their control order 2..8: COM, KONFIG, DIREKT, KURVEN,
    // KENNLINIE, INFO, ENDE.
    const std::array<QPushButton*, 7>& knoepfe() const { return knoepfe_; }
    QPushButton* knopf(const char* name) const;
    ui::Verbindungsanzeige* verbindungsanzeige() const { return verbindungsanzeige_; }
    QToolButton* hilfeschalter() const { return hilfeschalter_; }

    // The window's events (close box, size change).
    std::function<void()> beiSchliessen;
    std::function<void()> beiGroessenaenderung;

    // Where a child window sits: top 17, left 1, filling the rest.
    QRect ChildBereich() const;

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    std::array<QPushButton*, 7> knoepfe_{};
    ui::Verbindungsanzeige* verbindungsanzeige_ = nullptr;
    QToolButton* hilfeschalter_ = nullptr;
};

}  // namespace shell
