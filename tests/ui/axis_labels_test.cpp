// The numbers at the axes' ticks: plain, grouped when large, as exact as the step.
#include "ui/axis_labels.h"

#include <gtest/gtest.h>

namespace {

const QString kS(QChar(0x2009));  // the thin space between groups

TEST(Zahlbeschriftung, SchlichteZahlenBeiJederGroesse) {
    struct Fall {
        double wert, schritt;
        QString text;
    };
    const Fall faelle[] = {
        {0, 1000, "0"},
        {4095, 1000, "4095"},
        {10000, 2000, "10" + kS + "000"},
        {2e6, 5e5, "2" + kS + "000" + kS + "000"},
        {-25000, 5000, "-25" + kS + "000"},
        {3.07e10, 1e9, "30" + kS + "700" + kS + "000" + kS + "000"},
        {2.5, 2.5, "2.5"},
        {5, 2.5, "5"},  // no trailing zero beside 2.5 and 7.5
        {0.25, 0.25, "0.25"},
        {0.30000000000000004, 0.1, "0.3"},
        {1e-13, 0.1, "0"},
        {-1e-13, 0.1, "0"},  // never "-0"
        {12345.5, 0.5, "12" + kS + "345.5"},
    };
    for (const Fall& f : faelle) {
        const QString t = ui::Zahlbeschriftung(f.wert, f.schritt);
        EXPECT_EQ(t, f.text) << f.wert << " step " << f.schritt << ": " << t.toStdString();
        EXPECT_FALSE(t.contains('e') || t.contains(QChar(0xB7)) || t.contains(','));
    }
}

}  // namespace
