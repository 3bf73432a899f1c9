#pragma once
// One table per window from which its menu bar and its toolbar are built, so
// an item is written once: where it sits in the menus, its text, shortcut and
// help text, and whether and how it appears in the toolbar. The toolbar
// follows the table's order; its buttons are the items' own QActions (or
// mirrors, see ui::Toolbar), so the two can never show different states.

#include <QKeySequence>
#include <QString>
#include <functional>
#include <map>
#include <span>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QMenu;

namespace ui {

class Childpanel;
class Toolbar;

// The graph tools of an editor window.
enum class Werkzeug {
    Keins,
    Markieren,
    Zeichnen,
    Verschieben,
    Punktkoordinaten,
    Anzeigen,  // coordinates (and timebase) under the mouse
    PunktLoeschen,
    GeradeTeilen,
    ZeitbasisAendern,
    LaengeAendern,
};

// What an item does. The "Datei" commands are run by the editor frame, the
// rest by the window; the choices carry the item's `wert`.
enum class Befehl {
    Keiner,
    Neu,
    Laden,
    Anhaengen,
    Speichern,
    SpeichernUnter,
    Importieren,
    Exportieren,
    Ausschneiden,
    Kopieren,
    Einfuegen,
    Loeschen,
    AllesMarkieren,
    Rueckgaengig,
    Wiederherstellen,
    ZoomPlus,
    ZoomMinus,
    ZoomMarkierung,
    ZoomGesamt,
    Auswahl,      // one of several (e.g. the curve edited), `wert`
    Schalter,     // on or off (e.g. a curve in the background), `wert`
    Darstellung,  // display mode `wert`
    Pinbelegung,
};

enum class Art {
    Befehl,       // a command item
    Schalter,     // a check item that flips
    Radio,        // a check item of the exclusive group `gruppe`
    Liste,        // a list box in the toolbar only; objectName <window prefix>_<name>
    Direkthilfe,  // the frame's "Direkthilfe" item, first of menu "HILFE"
    Trenner,      // a separator, where `trenner` says
};

enum class Ort { Beide, Menue, Toolbar };

// A shortcut: a standard key or a key combination (Qt's combined value). Kept
// as plain values, so a window's table is ready before the application that
// knows the platform's standard keys.
struct Taste {
    QKeySequence::StandardKey standard = QKeySequence::UnknownKey;
    int kombination = 0;
    QKeySequence Folge() const;
};

struct Aktion {
    Art art = Art::Befehl;
    // The menu path: "DATEI", "HILFE" (the frame's), or one of the window's
    // Menue table ("BEARBEITEN", "BEARBEITEN_KURVE", ...).
    const char* menue = "";
    // objectName <menu bar>_<menue>_<name>, e.g. "KURVEN_DATEI_NEU".
    const char* name = "";
    const char* text = "";
    Befehl befehl = Befehl::Keiner;
    Werkzeug werkzeug = Werkzeug::Keins;  // a tool: a Radio item of its group
    int wert = 0;
    int gruppe = 0;
    Taste taste = {};
    // The toolbar button's tooltip; nullptr: the item has no button.
    const char* tooltip = nullptr;
    const char* bild = nullptr;  // picture file name without ".png"
    const char* hilfe = "";
    // The button is a mirror that keeps only the check mark in step (so it can
    // stay dimmed while the item works).
    bool spiegel = false;
    bool gedimmt = false;  // the button (and for a plain button its item) starts dimmed
    bool an = false;       // a check item that starts checked
    Ort trenner = Ort::Beide;
};

// A menu of the window: top level (`eltern` nullptr, placed before "Fenster")
// or a sub-menu of another.
struct Menue {
    const char* pfad;
    const char* text;
    const char* eltern = nullptr;
};

class Aktionen {
  public:
    using Gewaehlt = std::function<void(const Aktion&, QAction*)>;

    // Builds the menus and the toolbar of `panel` from the tables, in order.
    // Choosing an item (menu, button, shortcut) calls `gewaehlt` with its
    // entry. The tables are the window's static ones: they outlive this.
    Aktionen(Childpanel& panel, Toolbar& toolbar, std::span<const Menue> menues,
             std::span<const Aktion> tabelle, Gewaehlt gewaehlt);
    // A window without a toolbar: its table has menu items only.
    Aktionen(Childpanel& panel, std::span<const Menue> menues, std::span<const Aktion> tabelle,
             Gewaehlt gewaehlt);

    // By objectName, e.g. "KURVEN_DATEI_NEU"; nullptr when not in the table.
    QAction* Eintrag(const QString& name) const;
    QAction* ZuBefehl(Befehl b, int wert = 0) const;
    QAction* ZuWerkzeug(Werkzeug w) const;
    // The checked tool, Keins when none.
    Werkzeug AktivesWerkzeug() const;
    QMenu* Untermenue(const QString& pfad) const;
    QComboBox* Liste(const QString& name) const;
    const Aktion* Zu(const QAction* a) const;

  private:
    Aktionen(Childpanel& panel, Toolbar* toolbar, std::span<const Menue> menues,
             std::span<const Aktion> tabelle, Gewaehlt gewaehlt);
    QMenu* MenueFuer(const QString& pfad);
    void Trennen(const Aktion& a);
    QAction* Anlegen(const Aktion& a);
    void Knopf(const Aktion& a, QAction* eintrag);

    Childpanel& panel_;
    Toolbar* toolbar_;
    std::span<const Menue> menues_;
    Gewaehlt gewaehlt_;
    std::map<QString, QMenu*> untermenues_;
    std::map<QString, QAction*> eintraege_;
    std::map<QString, QComboBox*> listen_;
    std::map<int, QActionGroup*> gruppen_;
    std::vector<std::pair<const Aktion*, QAction*>> aktionen_;
};

}  // namespace ui
