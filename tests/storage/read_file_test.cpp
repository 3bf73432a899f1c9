#include "storage/read_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

using storage::Leseergebnis;
using Bytes = std::vector<std::uint8_t>;

// More than one piece of the reader, with every byte value.
std::string Inhalt() {
    std::string s;
    for (int i = 0; i < 200000; ++i)
        s.push_back(static_cast<char>(i * 7));
    return s;
}

TEST(DateiLesen, GanzeDateiAlsBytesUndAlsText) {
    testsupport::TempDir dir;
    const std::string inhalt = Inhalt();
    testsupport::Schreiben(dir / "a", inhalt);
    Bytes bytes;
    ASSERT_EQ(storage::DateiLesen(dir / "a", bytes), Leseergebnis::Ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), inhalt);
    std::string text;
    ASSERT_EQ(storage::DateiLesen(dir / "a", text), Leseergebnis::Ok);
    EXPECT_EQ(text, inhalt);
}

TEST(DateiLesen, HoechstensSovielWieVerlangt) {
    testsupport::TempDir dir;
    const std::string inhalt = Inhalt();
    testsupport::Schreiben(dir / "a", inhalt);
    struct Fall {
        std::size_t grenze;
        std::size_t erwartet;
    };
    for (const Fall f :
         {Fall{0, 0}, Fall{392, 392}, Fall{65536, 65536}, Fall{65537, 65537},
          Fall{inhalt.size(), inhalt.size()}, Fall{inhalt.size() + 1, inhalt.size()}}) {
        Bytes bytes = {1, 2, 3};
        ASSERT_EQ(storage::DateiLesen(dir / "a", bytes, f.grenze), Leseergebnis::Ok) << f.grenze;
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), inhalt.substr(0, f.erwartet))
            << f.grenze;
    }
}

TEST(DateiLesen, LeereDatei) {
    testsupport::TempDir dir;
    testsupport::Schreiben(dir / "leer", "");
    Bytes bytes = {1};
    EXPECT_EQ(storage::DateiLesen(dir / "leer", bytes), Leseergebnis::Ok);
    EXPECT_TRUE(bytes.empty());
}

TEST(DateiLesen, FehlendeDateiUndOrdnerLassenDenPufferStehen) {
    testsupport::TempDir dir;
    for (const auto& pfad : {dir / "fehlt", dir.path()}) {
        Bytes bytes = {1, 2};
        EXPECT_EQ(storage::DateiLesen(pfad, bytes), Leseergebnis::NichtLesbar) << pfad;
        EXPECT_EQ(bytes, (Bytes{1, 2}));
        std::string text = "alt";
        EXPECT_EQ(storage::DateiLesen(pfad, text), Leseergebnis::NichtLesbar) << pfad;
        EXPECT_EQ(text, "alt");
    }
}

}  // namespace
