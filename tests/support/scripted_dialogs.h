#pragma once
// A Dialogs implementation for tests: records everything the program asks and
// answers from a script.

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "ui/dialogs.h"

namespace testsupport {

struct Gefragt {
    QString art;  // "Meldung", "Frage", "Datei", "Hilfe"
    QString titel;
    QString text;
    QStringList knoepfe;
    QPoint ort;
};

class ScriptedDialogs : public ui::Dialogs {
  public:
    void Meldung(QWidget*, const QString& titel, const QString& text) override;
    int Frage(QWidget*, const QString& titel, const QString& text,
              const QStringList& knoepfe) override;
    std::optional<QString> DateiWaehlen(QWidget*, const ui::Dateiauswahl& auswahl) override;
    void Hilfebox(QWidget*, const QString& text, QPoint oben_links) override;

    std::vector<Gefragt> protokoll;
    std::deque<int> antworten;                   // for Frage; 0 when empty
    std::deque<std::optional<QString>> dateien;  // for DateiWaehlen; nullopt when empty

    std::vector<Gefragt> Alle(const QString& art) const;
};

// Installs a fresh ScriptedDialogs for the scope and returns it.
class DialogScope {
  public:
    DialogScope();
    ~DialogScope();
    ScriptedDialogs& operator*() { return *d_; }
    ScriptedDialogs* operator->() { return d_; }

  private:
    ScriptedDialogs* d_;
};

}  // namespace testsupport
