#include "editor/picking.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "punkt.h"

namespace editor {
namespace {

using test::Laenge;
using test::Punkt;

TEST(Picken, NaechsterPunktInPixeln) {
    // Points at X 0, 100, 200 with values 0, 4095, 0; 1000 units visible.
    const std::vector<Punkt> p{{0, 100}, {4095, 100}, {0, 1}};
    struct Fall {
        double x, y;
        double breitePixel, hoehePixel;
        int punkt;
    };
    const Fall faelle[] = {
        {100, 0, 1000, 100, 0},     // 100 px to points 0, 1 and 2: the earlier wins
        {100, 0, 1000, 50, 1},      // a flatter plot brings point 1 nearer
        {100, 0, 2000, 100, 1},     // so does a wider one
        {160, 2000, 1000, 100, 2},  // 60 px right of point 1, 40 px left of point 2
    };
    for (const Fall& f : faelle) {
        const Massstab m{1000, f.breitePixel, f.hoehePixel};
        EXPECT_EQ(NaechsterPunkt(p, f.x, f.y, m, Laenge), f.punkt) << f.x << ", " << f.y;
    }
    // Each distance is truncated to whole units before scaling: 30 and 40 px.
    EXPECT_DOUBLE_EQ(PixelAbstand(-30.7, 40.9, Massstab{1000, 1000, 4095}), 50);
}

TEST(Raster, RastenAufDemAnkerUndBegrenzt) {
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    struct Fall {
        double v, anker, schritt;
        double ergebnis;
    };
    const Fall faelle[] = {
        {1234.4, 0, 0, 1234},  {4095.6, 0, 0, 4095},       {-3, 0, 0, 0},
        {nan, 0, 0, 0},        {1000, 2047.5, 409.5, 819},  // anchored at display zero
        {1300, 0, 500, 1500},  {1300, 0, inf, 1300},       {1300, nan, 500, 1300},
        {4600, 0, 1000, 4095},  // the grid point 5000 lies beyond full scale
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(Rasten(f.v, f.anker, f.schritt), f.ergebnis) << f.v << " / " << f.schritt;
}

TEST(Raster, AufUndAb) {
    struct Fall {
        double v, schritt;
        double auf, ab;
    };
    const Fall faelle[] = {
        {100, 30, 120, 90}, {120, 30, 150, 90},     {121, 30, 150, 120},
        {100, 0, 100, 100}, {4090, 30, 4095, 4080},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(RastenAuf(f.v, f.schritt), f.auf) << f.v << " / " << f.schritt;
        EXPECT_EQ(RastenAb(f.v, f.schritt), f.ab) << f.v << " / " << f.schritt;
    }
}

}  // namespace
}  // namespace editor
