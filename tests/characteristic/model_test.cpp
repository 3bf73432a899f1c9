// The characteristic's calculations: sampling, the rise-time code both ways,
// the slot block in full and short form, and positions.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "characteristic_fixture.h"

namespace characteristic::test {
namespace {

using Block = std::array<std::uint8_t, kBlockGroesse>;

int Wort(const Block& b, std::size_t at) {
    return b[at] << 8 | b[at + 1];
}

TEST_F(KennlinieTest, StartkennlinieGibtDenBekanntenBlock) {
    Block b{};
    ASSERT_EQ(KennlinienblockBauen(Felder{0.0, 0.1}, b), 0);
    EXPECT_EQ(Wort(b, 0), 0xE10F);
    EXPECT_EQ((std::vector<int>{b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9]}),
              (std::vector<int>{0, 0, 0, 0, 0x0F, 0xFF, 0x00, 0}));
    for (std::size_t i = 10; i < kBlockWerte; ++i)
        EXPECT_EQ(b[i], 0) << i;
    for (std::size_t k = 0; k < kWerte; ++k)
        ASSERT_EQ(Wort(b, kBlockWerte + 2 * k), 0x0FFF) << k;
}

TEST_F(KennlinieTest, Abtasten) {
    struct Fall {
        std::vector<Gerade> punkte;
        int code;
        std::vector<std::pair<std::size_t, int>> werte;  // index, value
    };
    const Fall faelle[] = {
        // The ramp: value k at input k, the last entry the last point's value.
        {{{0, 4095, 0}, {4095, 1, 0}},
         0,
         {{0, 0}, {1, 1}, {2047, 2047}, {4094, 4094}, {4095, 4095}}},
        // Half up: 10 * 1 / 4 = 2.5 gives 3; after the last point its value.
        {{{0, 4, 0}, {10, 0, 0}}, 0, {{1, 3}, {3, 8}, {4, 10}, {4095, 10}}},
        {{{5000, 2, 0}, {-7, 3, 0}}, 0, {{0, 4095}, {1, 2497}, {2, 0}, {4095, 0}}},
        {{{0, 4095, 0}, {9, 2, 0}}, kZuVieleWerte, {}},
        {{{0, 65535, 0}}, kZuVieleWerte, {}},
    };
    for (const Fall& f : faelle) {
        Setze(f.punkte);
        std::array<int, kWerte> w{};
        ASSERT_EQ(Kennlinie_Abtasten(w), f.code);
        for (auto [i, v] : f.werte)
            EXPECT_EQ(w[i], v) << i;
    }
}

TEST(Anstiegszeit, CodeUndZurueck) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, std::int32_t> hin[] = {
        {100, 0x000400},  {1000, 0x0000FE}, {410, 0x0000FF}, {409.5, 0x000100}, {0.1, 0x0FFF00},
        {0.01, 0x0FFF00}, {0, 0x0FFF00},    {-5, 0x0FFF00},  {nan, 0x0FFF00},   {inf, 1}};
    for (auto [t, c] : hin)
        EXPECT_EQ(AnstiegszeitZuCode(t), c) << t;
    const std::pair<std::int32_t, double> zurueck[] = {
        {0x000400, 102.375}, {0xFE, 819},      {0, 104422.5},      {1, 104422.5},
        {-3, 104422.5},      {0x1000000, 0.1}, {0x0004FF, 102.375}};
    for (auto [c, t] : zurueck)
        EXPECT_DOUBLE_EQ(CodeZuAnstiegszeit(c), t) << c;
    EXPECT_DOUBLE_EQ(AnstiegszeitRealisierbar(1000), 819);
}

TEST_F(KennlinieTest, KurzblockUndSpeicherplaetze) {
    const auto k = Kurzblock();
    for (std::size_t i = 0; i < k.size(); ++i) {
        const int soll = i == 1 ? 0xCF : i == 9 ? 1 : i == 33 ? 0xCD : 0;
        EXPECT_EQ(k[i], soll) << i;
    }
    const int adressen[] = {0x0000, 0x2020, 0x4040, 0x6060, 0x8080, 0xA0A0, 0xC0C0};
    for (int n = 1; n <= kSpeicherplaetze; ++n)
        EXPECT_EQ(Speicherplatzadresse(n), adressen[n - 1]);
    EXPECT_FALSE(SpeicherplatzGueltig(0));
    EXPECT_FALSE(SpeicherplatzGueltig(8));
}

TEST_F(KennlinieTest, Ausgang2WirdAufDenZaehlbereichBegrenzt) {
    EXPECT_EQ(Ausgang2Roh(5.0), 2048);  // 2047.5 rounds up
    EXPECT_EQ(Ausgang2Roh(12.0), 4095);
    EXPECT_EQ(Ausgang2Roh(-1.0), 0);
    // A falling scaling: 10 V shows 0, 0 V shows 100.
    config::gKonfig.outskalamin[1] = 100;
    config::gKonfig.outskalamax[1] = 0;
    EXPECT_EQ(Ausgang2Roh(200.0), 0);
    EXPECT_EQ(Ausgang2Roh(-50.0), 4095);
    EXPECT_EQ(Ausgang2Roh(75.0), 1024);
}

TEST_F(KennlinieTest, PunkteUndGeraden) {
    Setze({{10, 100, 0}, {20, 50, 0}, {30, 1, 0}});
    EXPECT_EQ(Kennlinie_PunktX(2), 150);
    const std::pair<double, int> bei[] = {{0, 0},   {99.9, 0}, {100, 1},
                                          {149, 1}, {150, 2},  {5000, 2}};
    for (auto [x, i] : bei)
        EXPECT_EQ(Kennlinie_GeradeBeiX(x), i) << x;
    EXPECT_EQ(Startkennlinie().geraden, (std::vector<Gerade>{{4095, 0, 0}}));
}

}  // namespace
}  // namespace characteristic::test
