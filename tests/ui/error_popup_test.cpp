// The error box and the error display trio.
#include "ui/error_popup.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include "errors/errors.h"
#include "support/scripted_dialogs.h"
#include "ui/error_display.h"

namespace {

TEST(Fehlerpopup, TitelUndText) {
    testsupport::DialogScope dialoge;
    EXPECT_EQ(ui::ORV_Fehlerpopup(-802201), 0);
    ASSERT_EQ(dialoge->protokoll.size(), 1u);
    EXPECT_EQ(dialoge->protokoll[0].titel, "Fehler #802201");
    EXPECT_EQ(dialoge->protokoll[0].text, "INI-Datei nicht gefunden");
}

TEST(Fehlerpopup, GruppeMinusSechsZeigtNichts) {
    testsupport::DialogScope dialoge;
    EXPECT_EQ(ui::ORV_Fehlerpopup(-6001), -6000);
    ui::ORV_Fehlerpopup2(-6999, "Übertragung");
    EXPECT_TRUE(dialoge->protokoll.empty());
}

TEST(Fehlerpopup, EigenerTitelUndEnglisch) {
    testsupport::DialogScope dialoge;
    ui::ORV_Fehlerpopup2(-403012, "Übertragung");
    errors::ORV_Fehlersprache(2);
    ui::ORV_Fehlerpopup(-403012);
    errors::ORV_Fehlersprache(1);
    ASSERT_EQ(dialoge->protokoll.size(), 2u);
    EXPECT_EQ(dialoge->protokoll[0].titel, "Übertragung #403012");
    EXPECT_EQ(dialoge->protokoll[1].titel, "Error #403012");
    EXPECT_EQ(dialoge->protokoll[1].text, "No answer from device");
}

TEST(Fehleranzeige, SetzenUndLoeschen) {
    ui::Fehleranzeige anzeige("XPNL", nullptr);
    anzeige.Setzen(-500);
    EXPECT_TRUE(anzeige.led()->isOn());
    EXPECT_EQ(anzeige.text()->text(), "Es ist kein Fehler aufgetreten");
    EXPECT_EQ(anzeige.nummer()->text(), "500");
    anzeige.Setzen(-403012);
    EXPECT_EQ(anzeige.text()->text(), "Keine Antwort vom Gerät");
    EXPECT_EQ(anzeige.nummer()->text(), "403012");
    anzeige.Setzen(0);
    EXPECT_FALSE(anzeige.led()->isOn());
    EXPECT_EQ(anzeige.text()->text(), "");
    EXPECT_EQ(anzeige.nummer()->text(), "0");
    EXPECT_EQ(anzeige.led()->objectName(), "XPNL_FEHLERLED");
    EXPECT_EQ(anzeige.text()->objectName(), "XPNL_FEHLERSTRING");
    EXPECT_EQ(anzeige.nummer()->objectName(), "XPNL_FEHLERNR");
}

}  // namespace
