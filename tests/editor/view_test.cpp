#include "editor/view.h"

#include <gtest/gtest.h>

#include <limits>

namespace editor {
namespace {

constexpr double kOffen = std::numeric_limits<double>::infinity();

TEST(Ansicht, ZoomAufEinerGegebenenLaenge) {
    enum Befehl { Plus, Minus };
    struct Fall {
        Befehl befehl;
        double grenze;  // the end zoom out may reach
        double start, ende;
        double neuStart, neuEnde;
    };
    const Fall faelle[] = {
        {Minus, kOffen, 60000, 65999, 58500, 67499},  // a curve has no fixed end
        {Plus, 4095, 0, 4094, 682, 3411},             // the characteristic's whole range
        {Minus, 4095, 682, 3411, 0, 4094},            // back, limited to its end
        {Plus, kOffen, 500, 500, 500, 500},           // one unit stays one unit
        {Minus, kOffen, 0, 0, 0, 1},                  // and grows again
    };
    for (const Fall& f : faelle) {
        double start = f.start, ende = f.ende;
        Ansicht a(start, ende);
        if (f.befehl == Plus)
            a.ZoomPlus();
        else
            a.ZoomMinus(f.grenze);
        EXPECT_EQ(start, f.neuStart) << f.start << ".." << f.ende;
        EXPECT_EQ(ende, f.neuEnde) << f.start << ".." << f.ende;
    }
}

TEST(Ansicht, GanzUndZoomMarkierung) {
    double start = 100, ende = 200;
    double mStart = 0, mEnde = 0;
    bool aktiv = false;
    Ansicht a(start, ende);
    Markierung m(mStart, mEnde, aktiv);
    a.Ganz(4095);
    EXPECT_EQ(ende, 4094);
    EXPECT_FALSE(ZoomMarkierung(a, m));
    // A mark of zero width only goes away.
    m.Setzen(100, 100);
    EXPECT_TRUE(ZoomMarkierung(a, m));
    EXPECT_FALSE(aktiv);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(ende, 4094);
    m.Setzen(2000, 7000);
    EXPECT_TRUE(ZoomMarkierung(a, m));
    EXPECT_EQ(start, 2000);
    EXPECT_EQ(ende, 6999);
    EXPECT_FALSE(aktiv);
}

TEST(Ansicht, RollbalkenInProzent) {
    struct Fall {
        double laenge, start, ende;
        int groesse, position;
    };
    const Fall faelle[] = {
        {100000, 0, 99999, 100, 0}, {100000, 45000, 54999, 10, 50},
        {4095, 0, 4094, 100, 0},    {4095, 682, 3411, 67, 49},  // 68200 / 1365
        {100000, 0, 1e6, 100, 0},                               // wider than the whole
        {1e9, 0, 9, 1, 0},                                      // the thumb keeps at least 1 %
    };
    for (const Fall& f : faelle) {
        double start = f.start, ende = f.ende;
        const Rollbalken r = Ansicht(start, ende).RollbalkenBerechnen(f.laenge);
        EXPECT_EQ(r.groesse, f.groesse) << f.start << ".." << f.ende;
        EXPECT_EQ(r.position, f.position) << f.start << ".." << f.ende;
    }
}

TEST(Ansicht, RollbalkenGesetztBehaeltDieBreite) {
    struct Fall {
        int position;
        double start;
    };
    const Fall faelle[] = {{100, 1365}, {0, 0}, {50, 683}, {-5, 0}, {250, 1365}};
    for (const Fall& f : faelle) {
        double start = 682, ende = 3411;
        Ansicht(start, ende).RollbalkenGesetzt(f.position, 4095);
        EXPECT_EQ(start, f.start) << f.position;
        EXPECT_EQ(ende - start + 1, 2730) << f.position;
    }
}

TEST(Ansicht, MausradZoomtUmDieZeitUnterDerMaus) {
    enum Befehl { Plus, Minus };
    struct Fall {
        Befehl befehl;
        double grenze;
        double start, ende;
        double t;  // under the mouse
        double neuStart, neuEnde;
    };
    const Fall faelle[] = {
        // In the middle as "Zoom +" and "Zoom -"; at an edge the edge stays.
        {Plus, kOffen, 0, 10000, 5000.5, 1666, 8333},
        {Minus, kOffen, 0, 10000, 5000.5, 0, 15000},
        {Plus, kOffen, 0, 10000, 10001, 3333, 10000},
        {Plus, kOffen, 0, 9999, 2500, 833, 7499},
        {Minus, kOffen, 4000, 11999, 10000, 1000, 12999},
        // Never below 0, nor past the end given; outside the view its edge counts.
        {Minus, kOffen, 100, 4099, 4100, 0, 5999},
        {Minus, 4095, 682, 3411, 3412, 0, 4094},
        {Plus, kOffen, 0, 10000, -50, 0, 6666},
        {Plus, kOffen, 0, 10000, std::numeric_limits<double>::quiet_NaN(), 1666, 8333},
    };
    for (const Fall& f : faelle) {
        double start = f.start, ende = f.ende;
        Ansicht a(start, ende);
        if (f.befehl == Plus)
            a.ZoomPlusAn(f.t);
        else
            a.ZoomMinusAn(f.t, f.grenze);
        EXPECT_EQ(start, f.neuStart) << f.start << ".." << f.ende << " at " << f.t;
        EXPECT_EQ(ende, f.neuEnde) << f.start << ".." << f.ende << " at " << f.t;
    }
}

}  // namespace
}  // namespace editor
