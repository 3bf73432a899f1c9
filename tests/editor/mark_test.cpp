#include "editor/mark.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "punkt.h"

namespace editor {
namespace {

using test::Laenge;
using test::Punkt;

struct Markzustand {
    double start = 0;
    double ende = -1;
    bool aktiv = false;
    Markierung M() { return Markierung(start, ende, aktiv); }
};

TEST(Markierung, GesteRundetUndOrdnetDieEnden) {
    struct Fall {
        double beginn, zug, loslassen;
        double start, ende;
    };
    const Fall faelle[] = {
        {10.4, 20.6, 30.2, 10, 30},  // to the right
        {10.4, 20.6, 5.2, 5, 10},    // released left of the start: the start becomes the end
        {10.5, 10.5, 10.5, 11, 11},  // a click: zero width
    };
    for (const Fall& f : faelle) {
        Markzustand z;
        z.M().Beginnen(f.beginn);
        z.M().Ziehen(f.zug);
        EXPECT_EQ(z.ende, std::floor(f.zug + 0.5));
        z.M().Beenden(f.loslassen);
        EXPECT_TRUE(z.aktiv);
        EXPECT_EQ(z.start, f.start) << f.loslassen;
        EXPECT_EQ(z.ende, f.ende) << f.loslassen;
    }
}

TEST(Markierung, ZiehenOhneBeginnBeginntUndEntfernenLaesstNichtsZurueck) {
    Markzustand z;
    z.M().Ziehen(7);
    EXPECT_TRUE(z.aktiv);
    EXPECT_EQ(z.start, 7);
    EXPECT_EQ(z.ende, 7);
    z.M().Entfernen();
    EXPECT_FALSE(z.aktiv);
    EXPECT_EQ(z.start, 0);
    EXPECT_EQ(z.ende, 0);
}

// Points at X 0, 10, 20, 30 (the last one closes the chain).
const std::vector<Punkt> kVier{{0, 10}, {1, 10}, {2, 10}, {3, 1}};

TEST(Markierung, MarkierteGeradenNurWennGanzDrin) {
    struct Fall {
        double start, ende;
        int von, bis;
    };
    const Fall faelle[] = {
        {0, 30, 0, 2}, {5, 30, 1, 2}, {0, 25, 0, 1}, {10, 20, 1, 1}, {5, 15, 1, 0},
    };
    for (const Fall& f : faelle) {
        const Bereich r = MarkierteGeraden(kVier, f.start, f.ende, Laenge);
        EXPECT_EQ(r.von, f.von) << f.start << ".." << f.ende;
        EXPECT_EQ(r.bis, f.bis) << f.start << ".." << f.ende;
        EXPECT_EQ(r.leer(), f.bis < f.von);
    }
}

TEST(Zwischenspeicher, KopierenEntfernenEinfuegen) {
    std::vector<Punkt> punkte = kVier;
    Geradenliste<Punkt> ablage;
    ASSERT_TRUE(Kopieren(punkte, Bereich{1, 2}, ablage));
    EXPECT_EQ(ablage.anzahl, 2);
    EXPECT_EQ(ablage.geraden, (std::vector<Punkt>{{1, 10}, {2, 10}}));
    BereichEntfernen(punkte, Bereich{1, 2});
    EXPECT_EQ(punkte, (std::vector<Punkt>{{0, 10}, {3, 1}}));
    // The piece starts at the value of the point it displaces.
    ASSERT_TRUE(Einfuegen(punkte, 1, ablage));
    EXPECT_EQ(punkte, (std::vector<Punkt>{{0, 10}, {3, 10}, {2, 10}, {3, 1}}));
    EXPECT_EQ(ablage.geraden.front().y, 3);
}

TEST(Zwischenspeicher, KopieOhneSpeicherLaesstDieAblage) {
    Geradenliste<Punkt> ablage{1, {Punkt(9, 9)}};
    Punkt::kopieScheitert = true;
    const bool kopiert = Kopieren(kVier, Bereich{0, 1}, ablage);
    Punkt::kopieScheitert = false;
    EXPECT_FALSE(kopiert);
    EXPECT_EQ(ablage, (Geradenliste<Punkt>{1, {Punkt(9, 9)}}));
}

}  // namespace
}  // namespace editor
