// The number field keeps a record's exact value until the operator edits it.
#include "ui/number_field.h"

#include <gtest/gtest.h>

#include "ui/help.h"

namespace {

struct Anzeige {
    double wert;
    int stellen;
    const char* text;
};

class ZahlfeldAnzeige : public ::testing::TestWithParam<Anzeige> {};

TEST_P(ZahlfeldAnzeige, ZeigtSoVieleStellenWieNoetigMindestensDrei) {
    ui::Zahlfeld f("F", -100, 100, nullptr);
    f.setDecimals(GetParam().stellen);
    f.Setzen(GetParam().wert);
    EXPECT_EQ(f.text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Werte, ZahlfeldAnzeige,
                         ::testing::Values(Anzeige{4.095, 9, "4.095"}, Anzeige{0, 9, "0.000"},
                                           Anzeige{2.5, 4, "2.500"},
                                           Anzeige{2.442002442, 4, "2.442"},
                                           Anzeige{1.23456789, 9, "1.23456789"},
                                           Anzeige{3, 0, "3"}));

TEST(Zahlfeld, ZeigenAendertDenWertNicht) {
    ui::Zahlfeld f("F", -1e9, 1e9, nullptr);
    f.setDecimals(4);
    const double exakt = 10.0 / 4095 * 1000;  // 2.442002442...
    f.Setzen(exakt);
    EXPECT_NE(f.value(), exakt);
    EXPECT_EQ(f.Wert(), exakt);
    // Another field's edit, or nothing at all, leaves it exact; its own edit
    // counts as shown.
    f.setValue(3);
    EXPECT_EQ(f.Wert(), exakt);
    EXPECT_TRUE(f.Bearbeitet());
    EXPECT_EQ(f.Wert(), 3);
}

TEST(Zahlfeld, ImHilfemodusZaehltKeineAenderung) {
    ui::Zahlfeld f("F", 0, 10, nullptr);
    f.Setzen(4.095);
    ui::gHilfeAktiv = 1;
    f.setValue(7);
    EXPECT_FALSE(f.Bearbeitet());
    ui::gHilfeAktiv = 0;
    EXPECT_EQ(f.Wert(), 4.095);
    EXPECT_EQ(f.value(), 4.095);
}

TEST(Zahlfeld, WertAusserhalbErweitertDenBereich) {
    ui::Zahlfeld f("F", 0, 10, nullptr);
    f.Setzen(12.5);
    EXPECT_EQ(f.value(), 12.5);
    EXPECT_EQ(f.Wert(), 12.5);
    f.Setzen(-3);
    EXPECT_EQ(f.minimum(), -3);
    EXPECT_EQ(f.maximum(), 10);
}

}  // namespace
