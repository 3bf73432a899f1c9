#pragma once
// The window "Kurvengenerator": the edited curve in a large graph with a
// scrollable, zoomable time axis, an overview of the whole curve, the menu bar
// "KURVEN" with its toolbar, the graph tools, the view settings and the
// buttons of the board. The curve itself and every calculation on it live in
// the model of this folder (model.h, editing.h, view.h); this class shows
// them, asks the operator and dispatches the mouse.

#include <QDialog>
#include <QPoint>
#include <QString>
#include <functional>
#include <map>
#include <optional>

#include "config/konfig.h"
#include "curves/editing.h"
#include "ui/childpanel.h"

class QAction;
class QActionGroup;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace ui {
class Graph;
class Rollbalken;
class Toolbar;
}  // namespace ui

namespace curves {

// A number field that shows a record's value without changing it: the exact
// value is kept beside the field and given back until the operator edits it.
class Zahlfeld;

// The entry dialogs "Punkt" (KPUNKTPNL) and "Gerade" (KGERADEPNL): time split
// into hours, minutes, seconds and milliseconds, for "Punkt" also the value.
// They end only with their OK button.
class Zeitdialog : public QDialog {
  public:
    Zeitdialog(QWidget* eltern, const QString& name, bool mitWert);
    void Setzen(const QString& titel, const Zeitteile& zeit, double wert = 0);
    Zeitteile Zeit() const;
    double Wert() const;
    QDoubleSpinBox* feld(const QString& name) const;
    QPushButton* ok() const { return ok_; }

  protected:
    void reject() override {}  // only OK ends it

  private:
    QString name_;
    std::map<QString, QDoubleSpinBox*> felder_;
    QPushButton* ok_ = nullptr;
};

// The comment dialog KOMM1PNL: a text box of at most 999 characters and OK.
class Kommentardialog : public QDialog {
  public:
    explicit Kommentardialog(QWidget* eltern);
    QPlainTextEdit* textbox() const { return text_; }
    QPushButton* ok() const { return ok_; }

  protected:
    void reject() override {}

  private:
    QPlainTextEdit* text_ = nullptr;
    QPushButton* ok_ = nullptr;
};

class Kurvenpanel : public ui::Childpanel {
  public:
    explicit Kurvenpanel(QWidget* eltern);
    ~Kurvenpanel() override;

    int KurvenpanelInit();
    int KurvenpanelClear();

    // ---- the view -------------------------------------------------------
    void Kurvenpanel_Neuzeichnen();
    void Kurvenpanel_SkaliereYAchse();
    void Kurvenpanel_Titel(const QString& pfad);
    void RollbalkenAktualisieren();

    // ---- callbacks ------------------------------------------------------
    void Graph_Gezogen(double t, double y);      // press and drag (value changed)
    void Graph_Losgelassen(double t, double y);  // release (commit)
    void Scrollbar_Callback();
    void YZoomKurven_Callback();
    void ZyklenUndRuhezustand_Callback();
    void Kommentar_Callback();
    void KurveSenden_Callback(bool schreiben);
    void Start_Callback();
    void Stopp_Callback();
    void Zeitbasisauswahl_Callback();
    void Menu_Kurven_Datei(const QString& eintrag);
    void Menu_Kurven_Bearbeiten_Command(const QString& eintrag);
    void Menu_Kurven_Bearbeiten_Toggle(QAction* werkzeug);
    void Menu_Kurven_Bearbeiten_Toggle2(int kurve);
    void Menu_Kurven_Bearbeiten_Toggle3(int kurve);
    void Menu_Kurven_Ansicht_ToggleDarstellung(int darstellung);
    void Menu_Kurven_Hilfe_Pins();

    // ---- settings section "kurven" and the veto at program end ----------
    void ReadIniKurvenpanel(const settings::IniText& ini);
    void WriteIniKurvenpanel(settings::IniText& ini) const;
    int AbbruchWeilKurvenNichtGespeichert();
    // "Kurven speichern" (als = false) and "... unter": 0 also when the file
    // dialog was cancelled, else the error code.
    int KurvenSpeichern(bool als);

    // ---- for the tests and the shell ----------------------------------
    QAction* Eintrag(const QString& name) const;  // by objectName, e.g. "KURVEN_DATEI_NEU"
    ui::Toolbar* toolbar() const { return toolbar_; }
    ui::Graph* graph() const { return graph_; }
    ui::Graph* graphKlein() const { return graphKlein_; }
    // The constant name of the active tool ("MARKIEREN" .. "LAENGEAENDERN").
    QString Werkzeug() const;
    int Zeitbasis() const;  // the toolbar list, 1..8

    // How the modal dialogs are run (the program: exec; tests fill them in).
    std::function<void(QDialog&)> dialogAusfuehren;
    // The timebase pop-up at a global position with the current code checked;
    // the chosen code 1..8, or 0 when dismissed.
    std::function<int(QPoint, int)> zeitbasisMenue;

  private:
    QAction* Aktion(QMenu* menue, const QString& menuName, const QString& name, const QString& text,
                    const QString& hilfe);
    void MenuesAnlegen();
    void ToolbarAnlegen();
    void InhaltAnlegen();
    void HilfetexteSetzen();
    void Registrieren();

    void Zeigen(const Ergebnis& e);
    void UndoZustand();
    void Koordinaten(double t, double y);
    void MarkierungZeichnen();
    void VorschauAnlegen();
    void VorschauVerbergen();
    void ZeitbasislabelsZeichnen();
    void SpeicherbedarfAnzeigen();
    void KurveZeichnen(int k, QColor linie, QColor linieSchluss, QColor stufe, QColor stufeSchluss,
                       bool punkte, int darstellung);
    double Raster() const;
    void NachDemLaden(int code, bool konfigAbweichend, const config::Konfig& konfig,
                      const QString& pfad);
    QPoint Mausposition() const;
    bool Hilfe(QAction* a);

    ui::Graph* graph_ = nullptr;
    ui::Graph* graphKlein_ = nullptr;
    ui::Rollbalken* rollbalken_ = nullptr;
    ui::Toolbar* toolbar_ = nullptr;
    QComboBox* zeitbasisRing_ = nullptr;
    QLabel* kommentarVorschau_ = nullptr;
    QPushButton* kommentarKnopf_ = nullptr;
    QSpinBox* zyklen_ = nullptr;
    QWidget* zyklenBlock_ = nullptr;
    Zahlfeld* ruhezustand_ = nullptr;
    QWidget* ruhezustandBlock_ = nullptr;
    QLabel* ruhezustandLabel_ = nullptr;
    std::map<QString, QLineEdit*> koordinaten_;
    QComboBox* zeitbasisAnzeige_ = nullptr;
    Zahlfeld* yRaster_ = nullptr;
    Zahlfeld* yZoomMax_ = nullptr;
    Zahlfeld* yZoomMin_ = nullptr;
    QLineEdit* speicherbedarf_ = nullptr;
    QPushButton* schreiben_ = nullptr;
    QPushButton* lesen_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stopp_ = nullptr;

    Zeitdialog* punktDialog_ = nullptr;
    Zeitdialog* geradeDialog_ = nullptr;
    Kommentardialog* kommentarDialog_ = nullptr;

    std::map<QString, QAction*> eintraege_;
    QActionGroup* werkzeuge_ = nullptr;
    QActionGroup* kurvenwahl_ = nullptr;
    QActionGroup* darstellungen_ = nullptr;
    QMenu* bearbeitenMenue_ = nullptr;
    QMenu* kurveMenue_ = nullptr;
    QMenu* hintergrundMenue_ = nullptr;
    QAction* pinsEintrag_ = nullptr;

    // Plots on the preview layers, made with every full redraw and then only
    // changed, so a drag redraws the preview layer alone.
    int vorschauLinie_ = 0;
    int vorschauPunkt_ = 0;
    int markierung_ = 0;
    int markierungKlein_ = 0;

    bool gesteBegonnen_ = false;  // a press was seen since the last release
    int verschobenerPunkt_ = -1;
    int darstellungAusIni_ = 3;
    bool initialisiert_ = false;
};

}  // namespace curves
