#pragma once
// The Qt implementation of the modal seam.

#include "ui/dialogs.h"

namespace ui {

class QtDialogs : public Dialogs {
  public:
    void Meldung(QWidget* eltern, const QString& titel, const QString& text) override;
    using Dialogs::Frage;
    int Frage(QWidget* eltern, const QString& titel, const QString& text,
              const QStringList& knoepfe, Tasten tasten) override;
    std::optional<QString> DateiWaehlen(QWidget* eltern, const Dateiauswahl& auswahl) override;
    std::vector<double> Eingeben(QWidget* eltern, const Eingabe& eingabe) override;
    QString Kommentieren(QWidget* eltern, const QString& titel, const QString& text) override;
    void Hilfebox(QWidget* hauptfenster, const QString& text, QPoint oben_links) override;
};

// The help box as a widget, so its size can be known before it is placed.
QWidget* HilfeboxErstellen(QWidget* hauptfenster, const QString& text);

}  // namespace ui
