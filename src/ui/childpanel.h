#pragma once
// The frame every child window shares: title strip, menu bar with "Datei"
// ("Beenden") and "Fenster", the window's own content, and a foot row with the
// error display, the connection indicator, the "?" toggle and the back button.
// Child windows sit at a fixed place inside the main window, one at a time.

#include <QWidget>
#include <map>

#include "ui/registry.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace ui {

class Fehleranzeige;
class Verbindungsanzeige;

struct Childpanelaufbau {
    Fenster fenster;
    QString praefix;            // objectName prefix of the controls, e.g. "COMPNL"
    QString titel;              // e.g. "COM-Schnittstellen Einstellung"
    QString menuleiste;         // objectName prefix of the menu items, e.g. "COM"
    QString zurueck;            // name of the back button: "ZURUECK" or "HAUPTFENSTER"
    bool hilfeschalter = true;  // a "?" toggle <PNL>_DIREKTHILFE in the foot row
    bool fehleranzeige = true;
};

class Childpanel : public QWidget {
  public:
    Childpanel(const Childpanelaufbau& aufbau, QWidget* eltern);

    Fenster fenster() const { return aufbau_.fenster; }
    const QString& praefix() const { return aufbau_.praefix; }

    QMenuBar* menuleiste() const { return menuleiste_; }
    QMenu* dateiMenue() const { return dateiMenue_; }
    QMenu* fensterMenue() const { return fensterMenue_; }
    QAction* fensterEintrag(Fenster f) const;
    // Removes the "Fenster" item of `f` (this build offers fewer windows).
    void FensterEintragEntfernen(Fenster f);

    // The area for the window's own controls.
    QWidget* inhalt() const { return inhalt_; }
    Fehleranzeige* fehleranzeige() const { return fehleranzeige_; }
    Verbindungsanzeige* verbindungsanzeige() const { return verbindungsanzeige_; }
    QToolButton* hilfeschalter() const { return hilfeschalter_; }
    QPushButton* zurueckKnopf() const { return zurueck_; }

    // A "Hilfe" menu whose checkable "Direkthilfe" item (<BAR>_HILFE_<name>)
    // flips direct help and shows its state (Menu_<Window>_Hilfe_ToggleHelp).
    QAction* HilfeMenueAnlegen(const QString& direkthilfeName);
    QMenu* hilfeMenue() const { return hilfeMenue_; }

    // Puts the window's error display and indicator into the registry.
    void Registrieren();

    // The "Fenster" menu: nothing while direct help is on; otherwise leave to
    // the chosen window. Windows with a leaving step of their own override
    // FensterVerlassen.
    void Menu_Fenster(Fenster ziel);
    // "Datei" - "Beenden": program end, unless direct help is on.
    void Menu_Datei_Beenden();
    // The back button.
    void Zurueck_Callback();
    // The "?" toggle: its value becomes the direct-help state.
    void Direkthilfe_Callback(bool an);

    // objectName of a menu item: <BAR>_<MENU>_<ITEM>.
    QString Menuname(const QString& menue, const QString& eintrag) const;

  protected:
    virtual void FensterVerlassen(Fenster ziel);
    // The back button's way out; a window that reads itself before it leaves
    // (rather than after, as for the "Fenster" menu) overrides it.
    virtual void ZurueckVerlassen();

  private:
    Childpanelaufbau aufbau_;
    QMenuBar* menuleiste_ = nullptr;
    QMenu* dateiMenue_ = nullptr;
    QMenu* fensterMenue_ = nullptr;
    QMenu* hilfeMenue_ = nullptr;
    std::map<Fenster, QAction*> fensterEintraege_;
    QWidget* inhalt_ = nullptr;
    Fehleranzeige* fehleranzeige_ = nullptr;
    Verbindungsanzeige* verbindungsanzeige_ = nullptr;
    QToolButton* hilfeschalter_ = nullptr;
    QPushButton* zurueck_ = nullptr;
};

// Help texts of the controls every window carries.
inline constexpr const char* kHilfeFehleranzeige =
    "Zeigt an, ob bei der Datenübertragung zum VEK-7M ein\nFehler aufgetreten ist. Die "
    "Fehleranzeige besteht aus\nFehler-LED, Fehlertext, und Fehlernummer.";
inline constexpr const char* kHilfeVerbindungsanzeige =
    "Öffnet bzw. trennt die serielle Verbindung zum VEK-7M.\nCOM-Port Nummer und Geräteadresse "
    "müssen im\nFenster 'COM-Einstellung' eingestellt werden.";
inline constexpr const char* kHilfeStart = "Sendet den Start-Befehl zum VEK-7M.";
inline constexpr const char* kHilfeStopp = "Sendet den Stopp-Befehl zum VEK-7M.";

// Labels and item names of the "Fenster" menu.
struct Fenstermenueeintrag {
    Fenster ziel;
    const char* name;
    const char* text;
};
inline constexpr Fenstermenueeintrag kFenstermenue[] = {
    {Fenster::Haupt, "HAUPT", "Hauptfenster"},
    {Fenster::Com, "COM", "COM-Einstellung"},
    {Fenster::Konfig, "KONFIG", "Konfiguration"},
    {Fenster::Direkt, "DIREKT", "Direkte Ein-/Ausgabe"},
    {Fenster::Kurven, "KURVEN", "Kurvengenerator"},
    {Fenster::Kennlinie, "KENNLINIE", "Kennlinienregler"},
};

}  // namespace ui
