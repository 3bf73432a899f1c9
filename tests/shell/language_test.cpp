// Qt's own texts come out German after the program's set-up, whatever the
// system language: CTest runs these tests under LANG=C and LANG=de_DE.UTF-8.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include "shell/program.h"

namespace {

class QtTexte : public ::testing::Test {
  protected:
    void SetUp() override { shell::AnwendungEinrichten(); }
};

// The run really has the system language its name says, so the two runs differ.
TEST_F(QtTexte, LaufenInDerAngegebenenSystemsprache) {
    const QByteArray sprache = qgetenv("MUX6_SYSTEMSPRACHE");
    ASSERT_FALSE(sprache.isEmpty());
    const bool deutsch = sprache.startsWith("de");
    EXPECT_EQ(QLocale::system().language() == QLocale::German, deutsch);
}

TEST_F(QtTexte, TastenkuerzelHeissenDeutsch) {
    EXPECT_EQ(QKeySequence(QKeySequence::Cut).toString(QKeySequence::NativeText), "Strg+X");
    EXPECT_EQ(QKeySequence(QKeySequence::Delete).toString(QKeySequence::NativeText), "Entf");
}

TEST_F(QtTexte, StandardknoepfeHeissenDeutsch) {
    QDialogButtonBox box(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), "Abbrechen");
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text().remove('&'), "Speichern");
}

TEST_F(QtTexte, DateidialogSprichtDeutsch) {
    QFileDialog d(nullptr, "Kurve speichern");
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(QFileDialog::AcceptSave);
    const auto* name = d.findChild<QLabel*>("fileNameLabel");
    const auto* typ = d.findChild<QLabel*>("fileTypeLabel");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(typ, nullptr);
    EXPECT_EQ(name->text().remove('&'), "Dateiname:");
    EXPECT_EQ(typ->text().remove('&'), "Dateien des Typs:");
}

}  // namespace
