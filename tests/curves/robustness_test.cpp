// Any bytes go into the curve file loader and the text import without a
// crash or hang; what they leave behind is always a sound curve store.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "curve_fixture.h"
#include "curves/files.h"

namespace curves {
namespace {

using test::KurvenTest;

void PruefeKurven() {
    for (const Kurve& k : gKurven) {
        ASSERT_GE(k.anzahl, 1);
        ASSERT_EQ(static_cast<std::size_t>(k.anzahl), k.geraden.size());
        for (const Gerade& g : k.geraden) {
            ASSERT_GE(g.y, 0);
            ASSERT_LE(g.y, 4095);
            ASSERT_GE(g.laenge, 1);
            ASSERT_LE(g.laenge, 65535);
            ASSERT_GE(g.zeitbasis, 1);
            ASSERT_LE(g.zeitbasis, 8);
        }
        ASSERT_LE(k.kommentar.size(), 3u * 999u);
    }
    for (std::int32_t r : gRuhezustand) {
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 4095);
    }
}

std::vector<std::uint8_t> Zufall(std::mt19937& gen, std::size_t n) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> b(n);
    for (auto& x : b)
        x = static_cast<std::uint8_t>(byte(gen));
    return b;
}

// A valid header with the given counts, then random bytes.
std::vector<std::uint8_t> KopfMitZufall(std::mt19937& gen, std::size_t rest) {
    std::vector<std::uint8_t> b = KurvendateiBild();
    b.resize(kDateikopfGroesse);
    std::uniform_int_distribution<int> anzahl(-3, 40);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto a = static_cast<std::uint32_t>(anzahl(gen));
        for (std::size_t j = 0; j < 4; ++j)
            b[4424 + 12 * i + j] = static_cast<std::uint8_t>(a >> (8 * j));
    }
    const auto z = Zufall(gen, rest);
    b.insert(b.end(), z.begin(), z.end());
    return b;
}

using ZufallTest = KurvenTest;

TEST_F(ZufallTest, KurvendateiLaderNimmtJedeBytefolge) {
    const std::set<int> erlaubt = {0, -304436, -1020437, -303438, -600439, -600440};
    std::mt19937 gen(4711);
    for (std::size_t n : {0, 1, 31, 32, 100, 4471, 4472, 4473, 4484, 4520, 5000, 9000}) {
        for (int runde = 0; runde < 20; ++runde) {
            const auto b = Zufall(gen, n);
            const Ladeergebnis e = KurvendateiEinlesen(b, runde % 2 == 1, "z.skr");
            EXPECT_TRUE(erlaubt.count(e.code)) << e.code;
            PruefeKurven();
        }
    }
    for (int runde = 0; runde < 300; ++runde) {
        std::uniform_int_distribution<int> laenge(0, 600);
        const auto b = KopfMitZufall(gen, static_cast<std::size_t>(laenge(gen)));
        const Ladeergebnis e = KurvendateiEinlesen(b, runde % 3 == 0, "z.skr");
        EXPECT_EQ(e.code, 0);
        PruefeKurven();
        // Appending grows curves; start afresh now and then.
        if (runde % 10 == 0) {
            ASSERT_EQ(KurvenInit(), 0);
        }
    }
}

TEST_F(ZufallTest, TextimportNimmtJedeBytefolge) {
    std::set<int> erlaubt = {0, -304446, -600450, -600459};
    for (int c = -312458; c <= -312447; ++c)
        erlaubt.insert(c);
    std::mt19937 gen(815);
    // Bytes drawn mostly from what the format is made of, so that many lines
    // get past the first checks.
    const std::string zeichen = "0123456789.\t\t\t  \n\r\n#-+e1ms10ms5ms2ms1sx,\xB5";
    std::uniform_int_distribution<std::size_t> wahl(0, zeichen.size() - 1);
    for (std::size_t n : {0, 1, 2, 10, 50, 95, 96, 97, 200, 1000, 5000}) {
        for (int runde = 0; runde < 30; ++runde) {
            std::string text;
            if (runde % 2 == 0) {
                const auto b = Zufall(gen, n);
                text.assign(b.begin(), b.end());
            } else {
                for (std::size_t i = 0; i < n; ++i)
                    text += zeichen[wahl(gen)];
            }
            const Importergebnis e = KurvenImportText(text);
            EXPECT_TRUE(erlaubt.count(e.code)) << e.code;
            EXPECT_EQ(e.code != 0 && e.code > -600000, !e.meldung.empty());
            PruefeKurven();
        }
    }
}

// Malformed inputs at the edges of the scan and of the header, the kind the
// fuzz targets feed; kept as regular cases.
TEST_F(ZufallTest, MissgebildeteEingaben) {
    // Huge numbers and exponents in the time column.
    EXPECT_EQ(KurvenImportText("0\t0\t1s\t1\n1e308\t0\t1s\t1\n").code, -312455);
    EXPECT_EQ(KurvenImportText("0\t0\t1s\t1\n-1e308\t0\t1s\t1\n").code, -312454);
    EXPECT_EQ(KurvenImportText("1e-9\t0\t1s\t1\n").code, 0);
    // A curve number beyond every integer type.
    EXPECT_EQ(KurvenImportText("0\t0\t1s\t99999999999999999999999\n").code, -312447);
    EXPECT_EQ(KurvenImportText("0\t0\t1s\t-9223372036854775808\n").code, -312448);
    // Only CRs: as many empty lines, so no data.
    EXPECT_EQ(KurvenImportText(std::string(500, '\r')).code, -312458);
    // Signs without digits, doubled signs.
    EXPECT_EQ(KurvenImportText("+\t0\t1s\t1\n").code, -312447);
    EXPECT_EQ(KurvenImportText("++0\t0\t1s\t1\n").code, -312447);
    EXPECT_EQ(KurvenImportText("+0\t+0\t1s\t+1\n").code, 0);
    PruefeKurven();
    // A header whose counts add up past 2^32 records.
    std::vector<std::uint8_t> b = KurvendateiBild();
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = 0; j < 4; ++j)
            b[4424 + 12 * i + j] = j == 3 ? 0x7F : 0xFF;
    EXPECT_EQ(KurvendateiEinlesen(b, false, "z.skr").code, 0);
    EXPECT_EQ(KurvendateiEinlesen(b, true, "z.skr").code, 0);
    PruefeKurven();
}

}  // namespace
}  // namespace curves
