#include "storage/cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, UmlauteUndMikroWerdenEinByte) {
    const auto b = storage::Utf8ZuCp1252("µA Ä€");
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(*b, std::string("\xB5"
                              "A \xC4\x80"));
}

TEST(Cp1252, JedesByteUeberlebtDieRundreise) {
    std::string alle;
    for (int i = 1; i < 256; ++i)
        alle.push_back(static_cast<char>(i));
    const auto zurueck = storage::Utf8ZuCp1252(storage::Cp1252ZuUtf8(alle));
    ASSERT_TRUE(zurueck.has_value());
    EXPECT_EQ(*zurueck, alle);
}

TEST(Cp1252, NichtDarstellbaresWirdAbgelehntOderErsetzt) {
    EXPECT_FALSE(storage::Utf8ZuCp1252("Ω").has_value());
    EXPECT_FALSE(storage::IstCp1252Darstellbar("a\xFF"));  // not UTF-8
    EXPECT_EQ(storage::Utf8ZuCp1252Ersetzt("AΩB"), "A?B");
}

TEST(Cp1252, KuerzenZaehltZeichenNichtBytes) {
    EXPECT_EQ(storage::Utf8Kuerzen("µµµµµµµµµ", 8), "µµµµµµµµ");
    EXPECT_EQ(storage::Utf8Kuerzen("abc", 8), "abc");
    EXPECT_EQ(storage::Utf8Kuerzen("aµ", 1), "a");
}

}  // namespace
