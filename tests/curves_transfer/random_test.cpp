// The read-back decoder on bytes nobody checked: random headers and random
// contents, half of them with a checksum that matches, so every path of the
// decode is reached. Whatever comes in, the result is one of the decoder's
// codes and a decoded curve is one the program can hold.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "curves/transfer.h"

namespace curves {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PruefsummeEintragen(Bytes& b) {
    const std::size_t ende = (static_cast<std::size_t>(b[2]) << 8 | b[3]) + 1 - 0x1000;
    unsigned s = 1;
    for (std::size_t i = 2; i < std::min(ende, b.size()); ++i) {
        s += b[i];
    }
    b[0] = static_cast<std::uint8_t>(s >> 8);
    b[1] = static_cast<std::uint8_t>(s);
}

TEST(ZufallsBytes, DecoderBleibtInSeinenGrenzen) {
    const std::set<int> codes = {0, -1019472, -897407, -1019408, -1019409, -1019417, -1019418};
    std::mt19937 zufall(20261208);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> laenge(0, 400);
    std::uniform_int_distribution<int> kurve(0, 3);
    std::set<int> gesehen;
    for (int runde = 0; runde < 20000; ++runde) {
        Bytes b(static_cast<std::size_t>(laenge(zufall)));
        for (auto& x : b) {
            x = static_cast<std::uint8_t>(byte(zufall));
        }
        if (b.size() >= 32 && runde % 2 == 0) {
            // An end address inside the bytes, mostly with clear bit 15.
            const unsigned ende = 0x1020 + static_cast<unsigned>(zufall() % (b.size() - 31)) - 1;
            b[2] = static_cast<std::uint8_t>(std::max(ende, 0x1020u) >> 8);
            b[3] = static_cast<std::uint8_t>(std::max(ende, 0x1020u));
            if (runde % 4 == 0) {
                for (std::size_t i = 32; i < b.size(); i += 2) {
                    b[i] &= 0x7F;
                }
            }
            PruefsummeEintragen(b);
        }
        const int k = runde % 3 == 0 ? kurve(zufall) : 0;
        const Rueckgelesen r = SpeicherabbildDecodieren(b, k);
        ASSERT_EQ(codes.count(r.code), 1u) << r.code;
        gesehen.insert(r.code);
        if (r.code != 0) {
            EXPECT_TRUE(r.geraden.empty());
            continue;
        }
        ASSERT_FALSE(r.geraden.empty());
        for (const Gerade& g : r.geraden) {
            ASSERT_GE(g.y, 0);
            ASSERT_LE(g.y, 4095);
            ASSERT_EQ(g.laenge, 1);
            ASSERT_GE(g.zeitbasis, 1);
            ASSERT_LE(g.zeitbasis, 8);
        }
        if (k == 0) {
            const std::size_t ende = static_cast<std::size_t>(b[2]) << 8 | b[3];
            EXPECT_EQ(r.geraden.size() * 2, ende + 1 - 0x1020);
        }
    }
    // The mix reached every outcome.
    EXPECT_EQ(gesehen, codes);
}

TEST(ZufallsBytes, KurvenindexAusserhalbWirdAbgewiesen) {
    Bytes b(64, 0);
    b[2] = 0x10;
    b[3] = 0x21;
    PruefsummeEintragen(b);
    EXPECT_EQ(SpeicherabbildDecodieren(b, 0).code, 0);
    EXPECT_NE(SpeicherabbildDecodieren(b, -1).code, 0);
    EXPECT_NE(SpeicherabbildDecodieren(b, 4).code, 0);
}

TEST(ZufallsBytes, LeereUndKurzeEingaben) {
    for (std::size_t n = 0; n < 34; ++n) {
        const Bytes b(n, 0xFF);
        const Rueckgelesen r = SpeicherabbildDecodieren(b);
        EXPECT_NE(r.code, 0) << n;
        EXPECT_TRUE(r.geraden.empty());
    }
}

}  // namespace
}  // namespace curves
