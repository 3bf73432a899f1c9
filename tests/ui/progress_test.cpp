// The progress dialog of the transfers: no cancel button, modal, whole percent.
#include "ui/progress.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>

namespace {

TEST(Fortschritt, OhneAbbrechenModalMitTitelUndText) {
    QWidget fenster;
    fenster.show();
    {
        ui::Fortschritt f(&fenster, "Daten senden", "Daten senden");
        QProgressDialog* d = f.dialog();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->windowTitle(), "Daten senden");
        EXPECT_EQ(d->labelText(), "Daten senden");
        EXPECT_TRUE(d->isModal());
        EXPECT_TRUE(d->findChildren<QPushButton*>().isEmpty());
        EXPECT_EQ(f.Wert(), 0);
        f.Rueckmeldung()(37);
        EXPECT_EQ(f.Wert(), 37);
        f.Setzen(140);
        EXPECT_EQ(f.Wert(), 100);
        // Reaching 100 % does not close it: the caller removes it when done.
        EXPECT_TRUE(d->isVisible());
    }
    EXPECT_TRUE(fenster.findChildren<QProgressDialog*>().isEmpty());
}

}  // namespace
