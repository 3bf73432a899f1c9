#pragma once
// The window "Kurvengenerator": the edited curve in a large graph with a
// scrollable, zoomable time axis, an overview of the whole curve, the menu bar
// "KURVEN" with its toolbar, the graph tools, the view settings and the
// buttons of the board. The frame (ui::Editorpanel) holds what every editor
// window shares; the curve itself and every calculation on it live in the
// model of this folder (model.h, editing.h, view.h). This class supplies the
// curve's drawing, tools, fields and model calls.
//
// Its files: window.cpp (set-up, settings, program end), window_actions.cpp
// (the menu and toolbar table), window_layout.cpp (the controls),
// window_drawing.cpp (the view), window_tools.cpp (mouse tools and their
// dialogs), window_callbacks.cpp (commands, comment, files, transfer).

#include <QPoint>
#include <QString>
#include <functional>
#include <map>

#include "curves/window_plot.h"
#include "ui/editor_panel.h"

class QColor;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace ui {
class Zahlfeld;
}

namespace curves {

// The window's frame: its menus, the menu bar and toolbar table in order, its
// file dialogs.
ui::Editoraufbau Kurvenaufbau();

class Kurvenpanel : public ui::Editorpanel {
  public:
    explicit Kurvenpanel(QWidget* eltern);
    ~Kurvenpanel() override;

    // Initialiser and cleaner, as every child window's (ui/childpanel.h).
    int KurvenpanelInit();
    int KurvenpanelClear();

    // ---- the view -------------------------------------------------------
    void Kurvenpanel_Neuzeichnen() { Neuzeichnen(); }
    void Kurvenpanel_SkaliereYAchse();
    void Kurvenpanel_Titel(const QString& pfad) { TitelSetzen(pfad); }

    // ---- callbacks ------------------------------------------------------
    void ZyklenUndRuhezustand_Callback();
    void KurveSenden_Callback(bool schreiben);
    void Menu_Kurven_Bearbeiten_Command(ui::Befehl b);
    void Menu_Kurven_Bearbeiten_Toggle2(int kurve);
    void Menu_Kurven_Bearbeiten_Toggle3(int kurve);
    void Menu_Kurven_Ansicht_ToggleDarstellung(int darstellung);
    void Menu_Kurven_Hilfe_Pins();

    // ---- settings section "kurven" and the veto at program end ----------
    void ReadIniKurvenpanel(const settings::IniText& ini);
    void WriteIniKurvenpanel(settings::IniText& ini) const;
    int AbbruchWeilKurvenNichtGespeichert() { return AbbruchWeilNichtGespeichert(); }
    // "Kurven speichern" (als = false) and "... unter": 0 also when the file
    // dialog was cancelled, else the error code.
    int KurvenSpeichern(bool als) { return Speichern(als); }

    int Zeitbasis() const;  // the toolbar list, 1..8

    // The timebase pop-up at a global position with the current code checked;
    // the chosen code 1..8, or 0 when dismissed (tests put in their choice).
    std::function<int(QPoint, int)> zeitbasisMenue;

  protected:
    ui::XBereich Ansicht() const override;
    ui::XBereich Markierung() const override;
    void MarkierungSetzen(ui::Markierschritt s, double t) override;
    void Zeichnen() override;
    ui::YAchsenanzeige YAchse() const override;
    void Gezogen(ui::Werkzeug w, double t, double y, bool erstes) override;
    void Losgelassen(ui::Werkzeug w, double t, double y) override;
    void Befehlen(const ui::Aktion& a) override;
    QString KommentarTitel() const override;
    QString Kommentar() const override;
    void KommentarSetzen(const QString& text) override;
    QString Kommentarvorschau() const override;
    ui::Dateiergebnis Dateischritt(ui::Befehl b, const std::filesystem::path& pfad) override;

  private:
    void InhaltAnlegen();
    void HilfetexteSetzen();
    void Registrieren();

    void Koordinaten(double t, double y);
    // Empty coordinate and timebase displays: nothing measured on this curve yet.
    void KoordinatenLeeren();
    void ZeitbasislabelsZeichnen();
    void SpeicherbedarfAnzeigen();
    double Raster() const;
    void ZeitbasisPopup(double t);
    void GeradenlaengeDialog(double t);
    void PunktkoordinatenDialog(double t, double y);
    void Verschieben(double t, double y, bool erstes);

    QComboBox* zeitbasisRing_ = nullptr;
    QSpinBox* zyklen_ = nullptr;
    QWidget* zyklenBlock_ = nullptr;
    ui::Zahlfeld* ruhezustand_ = nullptr;
    QWidget* ruhezustandBlock_ = nullptr;
    QLabel* ruhezustandLabel_ = nullptr;
    std::map<QString, QLineEdit*> koordinaten_;
    QLineEdit* zeitbasisAnzeige_ = nullptr;
    ui::Zahlfeld* yRaster_ = nullptr;
    QLineEdit* speicherbedarf_ = nullptr;
    QPushButton* schreiben_ = nullptr;
    QPushButton* lesen_ = nullptr;

    Zeichenpuffer puffer_;
    int verschobenerPunkt_ = -1;
    int darstellungAusIni_ = 3;
    bool initialisiert_ = false;
};

}  // namespace curves
