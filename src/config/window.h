#pragma once
// The window "Konfiguration": the scaling of the four outputs and the four
// inputs, each a row that reads as a sentence, the two full-scale rings, the
// defaults button, and the "Datei" menu for configuration files. The window
// and gKonfig are two copies, brought together only when the window is read
// (leaving it, saving a file, writing the settings) or shown (loading a file,
// reading the settings, the defaults, KonfigurationSetzen).
//
// Showing a value never changes it: each field keeps the exact value beside
// its control and replaces it only when the operator edits the control.

#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <memory>
#include <string>

#include "config/model.h"
#include "ui/childpanel.h"
#include "ui/number_field.h"

class QAction;
class QPushButton;

namespace ui {
class Aktionen;
}

namespace config {

// A unit text: at most 8 characters, each one Windows-1252 can hold.
class Einheitfeld : public QLineEdit {
  public:
    Einheitfeld(const QString& name, QWidget* eltern);

    void Setzen(const std::string& utf8);
    const std::string& Wert() const { return exakt_; }
    void Uebernehmen();
    void Zuruecksetzen() { Setzen(exakt_); }
    // The change signal's step: taken over, or put back while direct help is on.
    void Bearbeitet();

  private:
    std::string exakt_;
};

// A full-scale ring: "0 - 4.095 V", "0 - 5 V", "0 - 10 V". A value none of
// them shows (7 V from a file) gets an item of its own, so reading the window
// gives it back unchanged.
class Bereichsring : public QComboBox {
  public:
    Bereichsring(const QString& name, QWidget* eltern);

    void Setzen(double volt);
    double Wert() const { return exakt_; }
    void Uebernehmen();
    void Zuruecksetzen() { Setzen(exakt_); }
    void Bearbeitet();

  private:
    double exakt_ = 10.0;
};

class Konfigpanel : public ui::Childpanel {
  public:
    explicit Konfigpanel(QWidget* eltern);
    ~Konfigpanel() override;

    // The start-up preparation: unit fields limited to 8 characters, output
    // range 4.095 V, output 1 from 0 to 4.095 V shown as 0 to 4.095 "A".
    // gKonfig takes these over the next time the window is read.
    int InitialisiereKonfigPanel();
    int KonfigpanelClear();

    // Every control into gKonfig / every control from gKonfig.
    void KonfigurationLesen();
    void KonfigurationAnzeigen();

    // The "Datei" items: 0 on success or cancel, else the code (not shown here).
    int KonfigurationSpeichern();
    int KonfigurationLaden();

    // Callbacks. Each first tests ui::gHilfeAktiv.
    // A channel control or ring changed (the operator's edit): nothing happens
    // but that the edit becomes the value the window is read with; while
    // direct help is on, the control shows its value again.
    template <typename Feld>
    static void Konfigcontrols_Callback(Feld* control) {
        control->Bearbeitet();
    }
    enum class Knopf { Standardwerte, Hauptfenster };
    void Konfigbuttons_Callback(Knopf k);
    enum class Dateieintrag { Laden, Speichern };
    void Menu_Konfig_Datei(Dateieintrag e);

    // The controls, for the frame's callbacks and for tests.
    Bereichsring* ausgangsbereich() const { return ausgangsbereich_; }
    Bereichsring* eingangsbereich() const { return eingangsbereich_; }
    QPushButton* standardwerteKnopf() const { return standardwerte_; }
    QAction* ladenEintrag() const { return laden_; }
    QAction* speichernEintrag() const { return speichern_; }

  protected:
    // The "Fenster" menu: first the chosen window, then read and rescale.
    void FensterVerlassen(ui::Fenster ziel) override;
    void ZurueckVerlassen() override;

  private:
    struct Kanalzeile {
        ui::Zahlfeld* min = nullptr;
        ui::Zahlfeld* max = nullptr;
        ui::Zahlfeld* skalamin = nullptr;
        ui::Zahlfeld* skalamax = nullptr;
        Einheitfeld* einheit = nullptr;
    };

    void Aufbauen();
    QWidget* Gruppe(const QString& titel, bool ausgaenge);
    void Verbinden(ui::Zahlfeld* f);
    void Verbinden(Einheitfeld* f);
    void Verbinden(Bereichsring* r);
    void LesenUndNeuSkalieren();

    Bereichsring* ausgangsbereich_ = nullptr;
    Bereichsring* eingangsbereich_ = nullptr;
    std::array<Kanalzeile, kKanaele> ausgaenge_{};
    std::array<Kanalzeile, kKanaele> eingaenge_{};
    QPushButton* standardwerte_ = nullptr;
    std::unique_ptr<ui::Aktionen> aktionen_;
    QAction* laden_ = nullptr;
    QAction* speichern_ = nullptr;
};

}  // namespace config
