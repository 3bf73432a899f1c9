#pragma once
// A Dialogs implementation for tests: records everything the program asks and
// answers from a script.

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "ui/dialogs.h"

namespace testsupport {

struct Gefragt {
    QString art;  // "Meldung", "Frage", "Datei", "Hilfe", "Eingabe", "Kommentar"
    QString titel;
    QString text;  // for "Eingabe" the dialog's name
    QStringList knoepfe;
    QPoint ort;
    std::map<QString, double> werte;  // "Eingabe": what each field showed, by objectName
    ui::Dialogs::Tasten tasten{};     // "Frage": the buttons Enter and Escape take
};

class ScriptedDialogs : public ui::Dialogs {
  public:
    void Meldung(QWidget*, const QString& titel, const QString& text) override;
    using ui::Dialogs::Frage;
    int Frage(QWidget*, const QString& titel, const QString& text, const QStringList& knoepfe,
              Tasten tasten) override;
    std::optional<QString> DateiWaehlen(QWidget*, const ui::Dateiauswahl& auswahl) override;
    void Hilfebox(QWidget*, const QString& text, QPoint oben_links) override;
    std::vector<double> Eingeben(QWidget*, const ui::Eingabe& eingabe) override;
    QString Kommentieren(QWidget*, const QString& titel, const QString& text) override;

    std::vector<Gefragt> protokoll;
    std::deque<int> antworten;                   // for Frage; 0 when empty
    std::deque<std::optional<QString>> dateien;  // for DateiWaehlen; nullopt when empty
    // For Eingeben: the fields the operator changes, by objectName; the
    // others keep what they showed. Nothing changed when empty.
    std::deque<std::map<QString, double>> eingaben;
    // For Kommentieren: the text after OK; nullopt (or none left) keeps the text.
    std::deque<std::optional<QString>> kommentare;
    // Called while each dialog is open, after it was recorded.
    std::function<void(const Gefragt&)> waehrendDesDialogs;

    std::vector<Gefragt> Alle(const QString& art) const;

  private:
    void Aufzeichnen(Gefragt g);
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
