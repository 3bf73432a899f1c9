#pragma once
// The window "Kennlinienregler": the characteristic in a large graph with a
// zoomable, scrollable input axis, an overview of the whole input range, the
// menu bar "KENNLINIE" with its toolbar, the seven graph tools, the grids,
// the output-2 value, the rise time, the slot number and the buttons of the
// board. The frame (ui::Editorpanel) holds what every editor window shares;
// the characteristic and every calculation on it live in the model of this
// folder (model.h, editing.h, view.h, files.h, transfer.h). This class
// supplies the characteristic's drawing, tools, fields and model calls.
//
// Its files: window.cpp (set-up, settings, program end), window_actions.cpp
// (the menu and toolbar table), window_layout.cpp (the controls and their
// help texts), window_drawing.cpp (the view), window_tools.cpp (mouse tools
// and the "Punkt" dialog), window_callbacks.cpp (commands, fields, comment,
// files, transfer).

#include <QString>

#include "characteristic/model.h"
#include "ui/editor_panel.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

namespace ui {
class Zahlfeld;
}

namespace characteristic {

struct Uebertragung;

// The window's frame: its menus, the menu bar and toolbar table in order, its
// file dialogs.
ui::Editoraufbau Kennlinienaufbau();

class Kennlinienpanel : public ui::Editorpanel {
  public:
    explicit Kennlinienpanel(QWidget* eltern);
    ~Kennlinienpanel() override;

    // Initialiser and cleaner, as every child window's (ui/childpanel.h).
    int KennlinienpanelInit();
    int KennlinienpanelClear();

    // ---- the view -------------------------------------------------------
    void Kennlinienpanel_Neuzeichnen() { Neuzeichnen(); }
    void Kennlinienpanel_Scrollbalken() { RollbalkenAktualisieren(); }
    // After the configuration changed: the axes and the output-2 field; it
    // draws nothing.
    void Kennlinienpanel_SkaliereYAchse();
    void Kennlinienpanel_KommentarVorschau() { KommentarvorschauAktualisieren(); }
    void Kennlinienpanel_Titel(const QString& pfad) { TitelSetzen(pfad); }

    // ---- the fields the model takes and gives ----------------------------
    Felder FelderLesen() const;
    void FelderSetzen(const Felder& f);
    int Kurvennummer() const;

    // ---- callbacks ------------------------------------------------------
    void Anstiegszeit_Callback();
    void KennlinieSenden_Callback(bool schreiben);
    void Ausgang4Setzen_Callback();
    void Menu_Kennlinie_Bearbeiten_Command(ui::Befehl b);
    void Menu_Kennlinie_Ansicht_ToggleDarstellung(int darstellung);
    void Menu_Kennlinie_Hilfe_Pins();

    // ---- settings section "kennlinie" and the veto at program end -------
    void ReadIniKennlinienpanel(const settings::IniText& ini);
    void WriteIniKennlinienpanel(settings::IniText& ini) const;
    int AbbruchWeilKennlinieNichtGespeichert() { return AbbruchWeilNichtGespeichert(); }

  protected:
    ui::XBereich Ansicht() const override;
    ui::XBereich Markierung() const override;
    void MarkierungSetzen(ui::Markierschritt s, double x) override;
    void Zeichnen() override;
    ui::YAchsenanzeige YAchse() const override;
    void Gezogen(ui::Werkzeug w, double x, double y, bool erstes) override;
    void Losgelassen(ui::Werkzeug w, double x, double y) override;
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
    void Ausgang2FeldEinrichten();
    void SchieberNachziehen();
    void XAchseAnzeigen();

    void KennlinieZeichnen();
    void UebersichtZeichnen();
    void Koordinaten(double x, double y);
    double XRaster() const;
    double YRaster() const;
    void PunktkoordinatenDialog(double x, double y);
    void UebertragungZeigen(const Uebertragung& u);

    QLineEdit* x_ = nullptr;
    QLineEdit* y_ = nullptr;
    ui::Zahlfeld* xRaster_ = nullptr;
    ui::Zahlfeld* yRaster_ = nullptr;
    QLabel* begrenzungLabel_ = nullptr;
    ui::Zahlfeld* begrenzung_ = nullptr;
    ui::Zahlfeld* anstiegszeit_ = nullptr;
    QSlider* anstiegszeitSchieber_ = nullptr;
    QSpinBox* kurvenNr_ = nullptr;
    QPushButton* schreiben_ = nullptr;
    QPushButton* lesen_ = nullptr;
    QPushButton* ausgang4_ = nullptr;

    int darstellungAusIni_ = 3;
    bool initialisiert_ = false;
};

}  // namespace characteristic
