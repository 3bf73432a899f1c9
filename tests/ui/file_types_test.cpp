// The file-type lists of the dialogs and the extension a save is given.
#include "ui/file_types.h"

#include <gtest/gtest.h>

namespace {

TEST(Dateitypen, ListeBeschreibtDieDateienUndBehaeltDasMuster) {
    struct Fall {
        const char* muster;
        const char* liste;
    };
    const Fall faelle[] = {
        {"*.skr", "Kurvendateien (*.skr)"},
        {"*.ske", "Kennliniendateien (*.ske)"},
        {"*.sko", "Konfigurationsdateien (*.sko)"},
        {"*.txt", "Textdateien (*.txt)"},
        {"*.xyz", "*.xyz"},  // unknown: the pattern alone
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(ui::Dateitypliste(f.muster), QString::fromUtf8(f.liste)) << f.muster;
}

TEST(Dateitypen, NurDieEigenenDateienErzwingenIhreEndung) {
    EXPECT_TRUE(ui::EndungErzwungen("*.skr"));
    EXPECT_TRUE(ui::EndungErzwungen("*.ske"));
    EXPECT_TRUE(ui::EndungErzwungen("*.sko"));
    EXPECT_FALSE(ui::EndungErzwungen("*.txt"));
    EXPECT_FALSE(ui::EndungErzwungen("*"));
}

TEST(Dateitypen, MitEndung) {
    struct Fall {
        const char* pfad;
        const char* muster;
        const char* ergebnis;
    };
    const Fall faelle[] = {
        {"/d/abc", "*.skr", "/d/abc.skr"},
        {"/d/abc.skr", "*.skr", "/d/abc.skr"},
        {"/d/abc.SKR", "*.skr", "/d/abc.SKR"},      // any case counts
        {"/d/abc.dat", "*.skr", "/d/abc.dat.skr"},  // another extension is part of the name
        {"/d/abc.", "*.skr", "/d/abc.skr"},
        {"/d/v1.2/abc", "*.sko", "/d/v1.2/abc.sko"},
        {"/d/abc", "*", "/d/abc"},  // no single extension to give
        {"", "*.skr", ""},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(ui::MitEndung(f.pfad, f.muster), f.ergebnis) << f.pfad << " " << f.muster;
}

}  // namespace
