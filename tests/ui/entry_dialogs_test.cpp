// The Qt entry dialogs: fields give back exactly what they showed unless
// edited, only OK ends them, the comment keeps to its length.
#include "ui/entry_dialogs.h"

#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

const double kExakt = 10.0 / 4095 * 1234;  // a value in volts from raw counts

ui::Eingabe Punkt() {
    return {.name = "KPUNKTPNL",
            .titel = "Punkt 2",
            .felder = {{.name = "XMILISEKUNDEN", .text = "msek", .wert = 30, .stellen = 4},
                       {.name = "Y", .text = "Y", .wert = kExakt, .stellen = 4, .unten = -10}}};
}

TEST(Eingabedialog, UnbearbeiteteFelderKommenExaktZurueck) {
    ui::Eingabedialog d(nullptr, Punkt());
    EXPECT_EQ(d.objectName(), "KPUNKTPNL");
    EXPECT_EQ(d.windowTitle(), "Punkt 2");
    auto* ms = d.findChild<QDoubleSpinBox*>("KPUNKTPNL_XMILISEKUNDEN");
    ASSERT_NE(ms, nullptr);
    ASSERT_NE(d.findChild<QPushButton*>("KPUNKTPNL_OK"), nullptr);
    ms->setValue(25);
    EXPECT_EQ(d.Werte(), std::vector<double>({25, kExakt}));
}

TEST(Eingabedialog, NurOkBeendetIhn) {
    ui::Eingabedialog d(nullptr, Punkt());
    d.show();
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.isVisible());
    QTest::mouseClick(d.findChild<QPushButton*>("KPUNKTPNL_OK"), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(Kommentardialog, HoechstensNeunhundertneunundneunzigZeichen) {
    ui::Kommentardialog d(nullptr, "Kommentar - Kurve 1", QString(1200, 'a'));
    EXPECT_EQ(d.Text().size(), ui::kKommentarZeichen);
    auto* box = d.findChild<QPlainTextEdit*>("KOMM1PNL_TEXTBOX");
    ASSERT_NE(box, nullptr);
    box->setPlainText("x\ny" + QString(2000, 'b'));
    EXPECT_EQ(d.Text().size(), ui::kKommentarZeichen);
    EXPECT_TRUE(d.Text().startsWith("x\ny"));
}

}  // namespace
