#pragma once
// The one seam for everything modal that asks the operator. The program uses
// the Qt implementation; tests install a scripted one.

#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace ui {

struct Dateiauswahl {
    enum class Art { Laden, Speichern };
    Art art = Art::Laden;
    QString titel;
    // Default file name or folder; a pattern ("*.skr") names no file, the
    // dialog then opens in the current folder with the name left empty.
    QString vorgabe;
    QString filter;  // the pattern, e.g. "*.skr"
    // Saving: a name typed without the pattern's extension gets it.
    bool endungErzwingen = false;
    // Saving: ask before an existing file is chosen (not for a file appended to).
    bool ueberschreibenFragen = true;
};

// An entry dialog of number fields that ends only with its OK button ("Punkt"
// KPUNKTPNL, "Gerade" KGERADEPNL, ...). Its controls are <name>_<feld> and
// <name>_OK.
struct Eingabefeld {
    QString name = {};  // e.g. "XSTUNDEN"
    QString text = {};  // the label above it, e.g. "std"
    double wert = 0;    // shown exactly, given back exactly unless edited
    int stellen = 0;    // decimals the operator can enter
    double unten = 0;   // the smallest value the operator can enter
};
struct Eingabe {
    QString name = {};
    QString titel = {};
    std::vector<Eingabefeld> felder = {};
    std::optional<QPoint> ort = {};  // top-left corner on the screen; else centred
};

// The comment dialog KOMM1PNL: a text box of at most this many characters
// (KOMM1PNL_TEXTBOX) and OK (KOMM1PNL_OK).
inline constexpr int kKommentarZeichen = 999;

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A message box with one OK button.
    virtual void Meldung(QWidget* eltern, const QString& titel, const QString& text) = 0;

    // The three-button question: 1, 2 or 3 for the button chosen, 0 when the
    // box was closed without a choice. Unused buttons are empty texts.
    // `tasten` names the buttons Enter and Escape take (0: Escape takes none).
    struct Tasten {
        int enter = 1;
        int escape = 0;
    };
    virtual int Frage(QWidget* eltern, const QString& titel, const QString& text,
                      const QStringList& knoepfe, Tasten tasten) = 0;
    int Frage(QWidget* eltern, const QString& titel, const QString& text,
              const QStringList& knoepfe) {
        return Frage(eltern, titel, text, knoepfe, Tasten{});
    }

    // The file dialog; nullopt when cancelled.
    virtual std::optional<QString> DateiWaehlen(QWidget* eltern, const Dateiauswahl& auswahl) = 0;

    // The entry dialog: the fields' values in their order after OK.
    virtual std::vector<double> Eingeben(QWidget* eltern, const Eingabe& eingabe) = 0;

    // The comment dialog showing `text`: the text after OK, its lines joined
    // with "\n" (none after the last).
    virtual QString Kommentieren(QWidget* eltern, const QString& titel, const QString& text) = 0;

    // The direct-help box at `oben_links` (coordinates of `hauptfenster`); returns
    // after the operator's next click.
    virtual void Hilfebox(QWidget* hauptfenster, const QString& text, QPoint oben_links) = 0;
};

Dialogs& dialogs();
// Installs the implementation; the previous one is discarded.
void DialogeSetzen(std::unique_ptr<Dialogs> neu);

}  // namespace ui
