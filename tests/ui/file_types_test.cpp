// The file-type lists of the dialogs and the extension a save is given.
#include "ui/file_types.h"

#include <gtest/gtest.h>

TEST(Dateitypen, ListeUndEndung) {
    EXPECT_EQ(ui::Dateitypliste("*.skr"), "Kurvendateien (*.skr)");
    EXPECT_EQ(ui::Dateitypliste("*.txt"), "Textdateien (*.txt)");
    EXPECT_EQ(ui::Dateitypliste("*.xyz"), "*.xyz");
    EXPECT_TRUE(ui::EndungErzwungen("*.ske"));
    EXPECT_FALSE(ui::EndungErzwungen("*.txt"));  // a text export keeps any name
    EXPECT_EQ(ui::MitEndung("/d/abc", "*.skr"), "/d/abc.skr");
    EXPECT_EQ(ui::MitEndung("/d/abc.SKR", "*.skr"), "/d/abc.SKR");
    EXPECT_EQ(ui::MitEndung("/d/abc.dat", "*.skr"), "/d/abc.dat.skr");
    EXPECT_EQ(ui::MitEndung("/d/v1.2/abc", "*.sko"), "/d/v1.2/abc.sko");
    EXPECT_EQ(ui::MitEndung("/d/abc", "*"), "/d/abc");
}
