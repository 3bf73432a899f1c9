#include "storage/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Zeilen(std::string_view text, std::size_t hoechstens = 100) {
    std::vector<std::string> zeilen;
    std::string_view rest = storage::OhneBom(text);
    std::string_view zeile;
    while (storage::NaechsteZeile(rest, zeile, hoechstens))
        zeilen.emplace_back(zeile);
    return zeilen;
}

struct Fall {
    const char* name;
    std::string_view text;
    std::vector<std::string> zeilen;
};

class TextZeilen : public testing::TestWithParam<Fall> {};

TEST_P(TextZeilen, Zerlegt) {
    EXPECT_EQ(Zeilen(GetParam().text), GetParam().zeilen);
}

const std::vector<std::string> kDrei = {"a 1", "", "b 2"};

INSTANTIATE_TEST_SUITE_P(
    Zeilenenden, TextZeilen,
    testing::Values(Fall{"Lf", "a 1\n\nb 2\n", kDrei}, Fall{"CrLf", "a 1\r\n\r\nb 2\r\n", kDrei},
                    Fall{"NurCr", "a 1\r\rb 2\r", kDrei}, Fall{"OhneEnde", "a 1\n\nb 2", kDrei},
                    Fall{"Gemischt", "a 1\r\n\rb 2\n", kDrei},
                    Fall{"Bom",
                         "\xEF\xBB\xBF"
                         "a 1\r\n\r\nb 2",
                         kDrei},
                    Fall{"BomNurAmAnfang", "a\n\xEF\xBB\xBF", {"a", "\xEF\xBB\xBF"}},
                    Fall{"Leer", "", {}}),
    [](const testing::TestParamInfo<Fall>& i) { return std::string(i.param.name); });

TEST(TextZeilen, ZuLangeZeilenWerdenGekuerztUndZaehlenEinmal) {
    EXPECT_EQ(Zeilen("abcdef\r\nxy\r\n", 3), (std::vector<std::string>{"abc", "xy"}));
}

}  // namespace
