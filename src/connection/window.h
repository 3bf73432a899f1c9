#pragma once
// The connection window "COM-Schnittstellen Einstellung": port and address,
// identity and scan, and the callbacks every window's connection indicator
// and the start and stop buttons of the other windows use.

#include <array>

#include "settings/settings.h"
#include "ui/childpanel.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class Led;
}

namespace connection {

class Companel : public ui::Childpanel {
  public:
    explicit Companel(QWidget* eltern);

    // Initialiser and cleaner, as every child window's (ui/childpanel.h): the
    // cleaner closes the serial port and returns what closing it returned.
    int CompanelInit();
    int CompanelClear();

    void ReadIniCompanel(const settings::IniText& ini);
    void WriteIniCompanel(settings::IniText& ini) const;

    // Callbacks. Connected through ui::CallbackVerbinden (or, for the
    // indicator and the other windows' start and stop buttons, through
    // theirs), which keeps them from running while direct help is on.
    void PortSelect_Callback();
    void ComPicture_Callback();
    void IDLesen_Callback();
    void Scann_Callback();
    void Start_Callback();
    void Stopp_Callback();
    void StartStoppEingang_Callback(bool startStopp);
    void Fehlerabfrage_Callback();
    void Fehlerhilfe_Callback();

    // The port field's value: 1..8, or -1 for "not open".
    int PortFeld() const;
    void PortFeldSetzen(int port);
    // The address field's value: '1'..'8' or '&'.
    char AdressFeld() const;
    void AdressFeldSetzen(char adresse);

  private:
    void AdresseUebernehmen();
    void ZeigeText(const QString& text);

    QComboBox* port_;
    QComboBox* adresse_;
    QPushButton* scann_;
    std::array<ui::Led*, 8> leds_{};
    QPushButton* idLesen_;
    QLineEdit* idString_;
    QLabel* text_;
    QPushButton* eingangAus_;
    QPushButton* eingangEin_;
    QPushButton* start_;
    QPushButton* stopp_;
    QPushButton* fehlerabfrage_;
    std::array<ui::Led*, 5> fehlerLeds_{};
    QPushButton* fehlerhilfe_;
};

}  // namespace connection
