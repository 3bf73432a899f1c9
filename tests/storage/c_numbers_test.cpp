#include "storage/c_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "support/temp_dir.h"

namespace {

using storage::ZahlErgebnis;

TEST(CZahlen, G16WieDieCBibliothek) {
    for (double v :
         {10.0, 4.095, 0.0, -1.5, 1e-7, 123456789012345678.0, 0.1 + 0.2, 10.000000000000002}) {
        char erwartet[64];
        std::snprintf(erwartet, sizeof erwartet, "%.16g", v);
        EXPECT_EQ(storage::ZahlG16(v), erwartet) << v;
    }
}

TEST(CZahlen, DeutscheLocaleAendertNichts) {
    testsupport::LocaleScope de("de_DE.UTF-8");
    ASSERT_TRUE(de.ok()) << "de_DE.UTF-8 is not generated (scripts/bootstrap does it)";
    EXPECT_EQ(storage::ZahlG16(4.095), "4.095");
    EXPECT_EQ(storage::ZahlFest(2.5, 3), "2.500");
    double v = 0;
    EXPECT_EQ(storage::KommazahlLesen("4.095", v), ZahlErgebnis::Ganz);
    EXPECT_DOUBLE_EQ(v, 4.095);
}

TEST(CZahlen, GanzzahlRegeln) {
    int v = 7;
    EXPECT_TRUE(storage::GanzzahlLesen("  -12 ", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(storage::GanzzahlLesen("+49", v));
    EXPECT_EQ(v, 49);
    EXPECT_TRUE(storage::GanzzahlLesen("-2147483648", v));
    EXPECT_EQ(v, std::numeric_limits<int>::min());
    v = 7;
    for (const char* falsch : {"", " ", "+", "- 1", "1 2", "12a", "2147483648", "0x10", "++1"}) {
        EXPECT_FALSE(storage::GanzzahlLesen(falsch, v)) << falsch;
        EXPECT_EQ(v, 7) << falsch;
    }
}

TEST(CZahlen, KommazahlGanzAnfangKeine) {
    double v = 1;
    EXPECT_EQ(storage::KommazahlLesen("5 V", v), ZahlErgebnis::Anfang);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(storage::KommazahlLesen("V5", v), ZahlErgebnis::KeineZahl);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(storage::KommazahlLesen("+2.5e1", v), ZahlErgebnis::Ganz);
    EXPECT_EQ(v, 25);
    EXPECT_EQ(storage::KommazahlLesen("-Inf", v), ZahlErgebnis::Ganz);
    EXPECT_TRUE(std::isinf(v) && v < 0);
    EXPECT_EQ(storage::KommazahlLesen("iNF", v), ZahlErgebnis::Ganz);
    EXPECT_TRUE(std::isinf(v) && v > 0);
    EXPECT_EQ(storage::KommazahlLesen("1e999", v), ZahlErgebnis::Ganz);
    EXPECT_TRUE(std::isinf(v));
    EXPECT_EQ(storage::KommazahlLesen("4,5", v), ZahlErgebnis::Anfang);
    EXPECT_EQ(v, 4);
}

}  // namespace
