// Qt's own texts come out German after the program's set-up, whatever the
// system language: CTest runs this under LANG=C and LANG=de_DE.UTF-8.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QKeySequence>
#include <QLocale>
#include <QPushButton>

#include "shell/program.h"

namespace {

TEST(QtTexte, DeutschInJederSystemsprache) {
    ASSERT_EQ(QLocale::system().language() == QLocale::German, qgetenv("LANG").startsWith("de"));
    shell::AnwendungEinrichten();
    EXPECT_EQ(QKeySequence(QKeySequence::Cut).toString(QKeySequence::NativeText), "Strg+X");
    EXPECT_EQ(QKeySequence(QKeySequence::Delete).toString(QKeySequence::NativeText), "Entf");
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), "Abbrechen");
}

}  // namespace
