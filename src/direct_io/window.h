#pragma once
// The window "Direkte Ein-/Ausgabe": the four outputs set by hand with knobs
// below their limits, and, while "Eingänge abfragen" is on, the four inputs
// read on a timer into gauges, min/max fields and the strip chart, logged to a
// file when "Speichern in Datei" was on at the start. Everything it shows is
// in the configuration's physical units; the model (sampling.h, outputs.h,
// log.h) does the work, the window shows what it reports.

#include <QTimer>
#include <array>

#include "direct_io/ini.h"
#include "direct_io/model.h"
#include "direct_io/outputs.h"
#include "settings/settings.h"
#include "ui/childpanel.h"

class QAction;
class QCheckBox;
class QPushButton;

namespace ui {
class Led;
class Zahlfeld;
}  // namespace ui

namespace direct_io {

// The longest sampling interval, in seconds (QTimer counts milliseconds in an int).
inline constexpr double kLaengsteAbtastzeit = 86400.0;

class Drehknopf;
class Streifenschreiber;
class Zeigerinstrument;
struct Zyklus;

class Direktpanel : public ui::Childpanel {
  public:
    explicit Direktpanel(QWidget* eltern);

    // Initialiser and cleaner, as every child window's (ui/childpanel.h): at
    // program end sampling stops and a log still open is closed.
    int DirektpanelInit();
    int DirektpanelClear();
    int AbbruchWeilDirektpanelNichtGespeichert() const { return 0; }

    // Every control from gKonfig: ranges, decimals, units, latest values.
    void Direktpanel_SkaliereElemente();
    void ReadIniDirektpanel(const settings::IniText& ini);
    void WriteIniDirektpanel(settings::IniText& ini) const;

    // Callbacks. None runs while direct help is on: the controls are connected
    // through ui::CallbackVerbinden, the number fields answer through their
    // Bearbeitet(), the knobs through their dial's connection.
    void DirektTimer_Callback();
    void Abfragen_Callback(bool an);
    void Ausgang_Callback(int i);
    void AusgaengeAufNull_Callback();
    void MinMaxReset_Callback();
    void Abtastzeit_Callback();
    void Traceauswahl_Callback(int i, bool an);
    enum class Zoom { X, Y };
    void DirektZoom_Callback(Zoom z);
    void Menu_Direkt_Hilfe_Pins();

    // Sampling on (after the outputs were sent) and off.
    void AbfrageStarten();
    void AbfrageStoppen();
    bool Abfrage() const { return timer_->isActive(); }

    // The controls, for tests.
    Zeigerinstrument* eingang(int i) const { return eingaenge_.at(Index(i)); }
    ui::Zahlfeld* minimum(int i) const { return min_.at(Index(i)); }
    ui::Zahlfeld* maximum(int i) const { return max_.at(Index(i)); }
    QCheckBox* plot(int i) const { return plot_.at(Index(i)); }
    Drehknopf* ausgang(int i) const { return ausgaenge_.at(Index(i)); }
    ui::Zahlfeld* begrenzung(int i) const { return grenzen_.at(Index(i)); }
    Streifenschreiber* stripchart() const { return streifen_; }
    QTimer* timer() const { return timer_; }
    QAction* pinsEintrag() const { return pins_; }

  protected:
    // "Zurück" and the "Fenster" menu stop the sampling first.
    void FensterVerlassen(ui::Fenster ziel) override;

  private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    void Aufbauen();
    QWidget* Eingangsgruppe(int i);
    QWidget* Ausgangsgruppe(int i);
    QWidget* Eingangsknoepfe();
    QWidget* Diagrammfelder();
    QWidget* Ausgangsknoepfe();
    void MenueAufbauen();
    // Every control's help text (HilfetexteDirekt_Callback's table).
    void HilfetexteDirekt();
    void Verbinden();
    void EintragRegistrieren();
    DirektEinstellungen Einstellungen() const;
    void AusgabeZeigen(int i, const Ausgabe& a);

    void EingangSkalieren(int i);
    void AusgangSkalieren(int i);
    void Zeigen(const Zyklus& z);
    void Eingang4Zeigen();
    // The four knobs sent in turn; the first failure's code, else 0.
    int AusgaengeSetzen();
    void AbfrageknopfZeigen(bool an);

    std::array<Zeigerinstrument*, kKanaele> eingaenge_{};
    std::array<ui::Zahlfeld*, kKanaele> min_{};
    std::array<ui::Zahlfeld*, kKanaele> max_{};
    std::array<QCheckBox*, kKanaele> plot_{};
    std::array<Drehknopf*, kKanaele> ausgaenge_{};
    std::array<ui::Zahlfeld*, kKanaele> grenzen_{};
    Streifenschreiber* streifen_ = nullptr;
    QPushButton* aufNull_ = nullptr;
    QPushButton* minMaxReset_ = nullptr;
    QPushButton* abfragen_ = nullptr;
    ui::Zahlfeld* abtastzeit_ = nullptr;
    ui::Zahlfeld* zoomY_ = nullptr;
    ui::Zahlfeld* zoomX_ = nullptr;
    QPushButton* dateiSpeichern_ = nullptr;
    ui::Led* dateiLed_ = nullptr;
    QTimer* timer_ = nullptr;
    QAction* pins_ = nullptr;
};

}  // namespace direct_io
