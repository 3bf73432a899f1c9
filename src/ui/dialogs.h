#pragma once
// The one seam for everything modal that asks the operator. The program uses
// the Qt implementation; tests install a scripted one.

#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

namespace ui {

struct Dateiauswahl {
    enum class Art { Laden, Speichern };
    Art art = Art::Laden;
    QString titel;
    QString vorgabe;  // default file name or folder
    QString filter;   // e.g. "*.skr"
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // A message box with one OK button.
    virtual void Meldung(QWidget* eltern, const QString& titel, const QString& text) = 0;

    // The three-button question: 1, 2 or 3 for the button chosen, 0 when the
    // box was closed without a choice. Unused buttons are empty texts.
    virtual int Frage(QWidget* eltern, const QString& titel, const QString& text,
                      const QStringList& knoepfe) = 0;

    // The file dialog; nullopt when cancelled.
    virtual std::optional<QString> DateiWaehlen(QWidget* eltern, const Dateiauswahl& auswahl) = 0;

    // The direct-help box at `oben_links` (coordinates of `hauptfenster`); returns
    // after the operator's next click.
    virtual void Hilfebox(QWidget* hauptfenster, const QString& text, QPoint oben_links) = 0;
};

Dialogs& dialogs();
// Installs the implementation; the previous one is discarded.
void DialogeSetzen(std::unique_ptr<Dialogs> neu);

}  // namespace ui
