// The "konfig" section of the settings file.
#include "config/ini.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "support/temp_dir.h"

namespace {

using namespace config;

settings::IniText Aus(const std::string& text) {
    settings::IniText ini;
    settings::Ini_ReadFromText(ini, text);
    return ini;
}

std::string Klein(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

TEST(KonfigIniLesen, ZuerstStandardwerteDannDieSchluessel) {
    Konfig k;
    k.outmin[2] = 3.0;
    k.ineinheit[0] = "alt";
    KonfigIniLesen(Aus("[konfig]\r\nvoutmax = 5\r\noutmax1 = 4.5\r\nineinheit2 = \"mBar\"\r\n"), k);
    EXPECT_EQ(k.voutmax, 5.0);
    EXPECT_EQ(k.vinmax, 10.0);
    EXPECT_EQ(k.outmax[1], 4.5);
    EXPECT_EQ(k.outmin[2], 0.0) << "the defaults come first";
    EXPECT_EQ(k.outmax[0], 10.0);
    EXPECT_EQ(k.ineinheit[2], "mBar");
    // A missing unit key gives an empty unit.
    EXPECT_EQ(k.ineinheit[0], "");
    EXPECT_EQ(k.outeinheit[3], "");
}

TEST(KonfigIniLesen, OhneSektionBleibenDieZahlenStandard) {
    Konfig k;
    k.voutmax = 4.095;
    KonfigIniLesen(Aus("[com]\nport = 1\n"), k);
    EXPECT_EQ(k.voutmax, 10.0);
    EXPECT_EQ(k.inskalamax[3], 10.0);
}

TEST(KonfigIniLesen, ZahlenNachDenRegelnDerBibliothek) {
    Konfig k;
    KonfigIniLesen(Aus("[KONFIG]\nVOUTMAX = 5 V\nvinmax = V5\noutmin0 =\ninmin1 = 2.5e-1\n"), k);
    EXPECT_EQ(k.voutmax, 5.0) << "the leading part of '5 V'";
    EXPECT_EQ(k.vinmax, 10.0) << "'V5' reads as 0, which is no full-scale voltage";
    EXPECT_EQ(k.outmin[0], 0.0);
    EXPECT_EQ(k.inmin[1], 0.25);
}

TEST(KonfigIniLesen, UnendlichWirdZumStandardwert) {
    Konfig k;
    KonfigIniLesen(Aus("[konfig]\nvoutmax = Inf\noutskalamax0 = -inf\ninmax3 = +INF\n"), k);
    EXPECT_EQ(k.voutmax, 10.0);
    EXPECT_EQ(k.outskalamax[0], 10.0);
    EXPECT_EQ(k.inmax[3], 10.0);
}

TEST(KonfigIniLesen, EinheitenAusWindows1252AufAchtZeichen) {
    Konfig k;
    KonfigIniLesen(Aus("[konfig]\nouteinheit0 = \"\xB5"
                       "A\"\nouteinheit1 = \"123456789\"\n"
                       "outeinheit2 = ohne\nouteinheit3 = \"\"\n"),
                   k);
    EXPECT_EQ(k.outeinheit[0], "µA");
    EXPECT_EQ(k.outeinheit[1], "12345678");
    EXPECT_EQ(k.outeinheit[2], "ohne") << "a unit written by hand without quotes";
    EXPECT_EQ(k.outeinheit[3], "");
}

TEST(KonfigIniSchreiben, GenauDieSchluesselInIhrerOrdnung) {
    settings::IniText ini;
    KonfigIniSchreiben(ini, Konfig{});
    std::vector<std::string> erwartet = {"voutmax", "vinmax"};
    for (const char* f : {"ineinheit", "inmax", "inmin", "inskalamax", "inskalamin", "outeinheit",
                          "outmax", "outmin", "outskalamax", "outskalamin"}) {
        for (int i = 0; i < 4; ++i)
            erwartet.push_back(f + std::to_string(i));
    }
    std::sort(erwartet.begin(), erwartet.end(),
              [](const std::string& a, const std::string& b) { return Klein(a) < Klein(b); });
    ASSERT_EQ(ini.sections.size(), 1u);
    EXPECT_EQ(ini.sections[0].name, "konfig");
    // The order is the written one: the item lines after "[konfig]".
    const std::string text = settings::Ini_ToText(ini);
    std::vector<std::string> namen;
    std::size_t pos = text.find("[konfig]\r\n");
    ASSERT_EQ(pos, 0u);
    pos += 10;
    while (pos < text.size()) {
        const std::size_t ende = text.find("\r\n", pos);
        ASSERT_NE(ende, std::string::npos);
        const std::string zeile = text.substr(pos, ende - pos);
        pos = ende + 2;
        if (zeile.empty())
            break;
        namen.push_back(zeile.substr(0, zeile.find(" = ")));
    }
    EXPECT_EQ(pos, text.size()) << "one empty line ends the section";
    EXPECT_EQ(namen, erwartet);
    EXPECT_NE(text.find("ineinheit0 = \"V\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("vinmax = 10\r\nvoutmax = 10\r\n"), std::string::npos);
    EXPECT_NE(text.find("outmin3 = 0\r\n"), std::string::npos);
}

TEST(KonfigIniSchreiben, EinheitenInWindows1252UndKeinUnendlich) {
    Konfig k;
    k.outeinheit[0] = "µA";
    k.outeinheit[1] = "12345678";
    k.ineinheit[0] = "";
    k.voutmax = 4.095;
    k.outskalamax[0] = std::numeric_limits<double>::infinity();
    settings::IniText ini;
    KonfigIniSchreiben(ini, k);
    const std::string text = settings::Ini_ToText(ini);
    EXPECT_NE(text.find("outeinheit0 = \"\xB5"
                        "A\"\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("outeinheit1 = \"12345678\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("ineinheit0 = \"\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("voutmax = 4.095\r\n"), std::string::npos);
    EXPECT_EQ(Klein(text).find("inf"), std::string::npos);
    EXPECT_EQ(Klein(text).find("nan"), std::string::npos);
}

TEST(KonfigIni, DeutschesGebietsschemaSchreibtUndLiestPunkte) {
    testsupport::LocaleScope deutsch("de_DE.UTF-8");
    ASSERT_TRUE(deutsch.ok()) << "the bootstrap generates de_DE.UTF-8";
    Konfig k;
    k.voutmax = 4.095;
    k.inmin[2] = -1.5;
    settings::IniText ini;
    KonfigIniSchreiben(ini, k);
    const std::string text = settings::Ini_ToText(ini);
    EXPECT_NE(text.find("voutmax = 4.095\r\n"), std::string::npos);
    EXPECT_NE(text.find("inmin2 = -1.5\r\n"), std::string::npos);
    Konfig zurueck;
    KonfigIniLesen(Aus(text), zurueck);
    EXPECT_EQ(zurueck.voutmax, 4.095);
    EXPECT_EQ(zurueck.inmin[2], -1.5);
}

TEST(KonfigIni, RundreiseUeberDenText) {
    Konfig k;
    k.voutmax = 5.0;
    k.vinmax = 4.095;
    for (std::size_t i = 0; i < kKanaele; ++i) {
        k.outmin[i] = 0.1 + static_cast<double>(i);
        k.outmax[i] = 1.0 / 3.0 + 5.0;
        k.outskalamin[i] = -1e-7 * static_cast<double>(i);
        k.outskalamax[i] = 123456.789;
        k.inmin[i] = 2.0 / 7.0;
        k.inmax[i] = 9.75;
        k.inskalamin[i] = -0.0;
        k.inskalamax[i] = 1e300;
    }
    k.outeinheit = {"12345678", "µ", "°C", ""};
    k.ineinheit = {"%", "ÄÖÜ", "m/s²", "\"x\""};
    settings::IniText ini;
    KonfigIniSchreiben(ini, k);
    Konfig zurueck;
    KonfigIniLesen(Aus(settings::Ini_ToText(ini)), zurueck);
    for (std::size_t i = 0; i < kKanaele; ++i) {
        EXPECT_EQ(zurueck.outeinheit[i], k.outeinheit[i]);
        EXPECT_EQ(zurueck.ineinheit[i], k.ineinheit[i]);
    }
    // %.16g keeps 16 significant digits; doubles that need 17 may move by an ulp.
    for (std::size_t i = 0; i < kKanaele; ++i) {
        EXPECT_NEAR(zurueck.outmax[i], k.outmax[i], 1e-14);
        EXPECT_EQ(zurueck.outskalamax[i], k.outskalamax[i]);
        EXPECT_EQ(zurueck.inmax[i], k.inmax[i]);
    }
    EXPECT_EQ(zurueck.voutmax, 5.0);
    EXPECT_EQ(zurueck.vinmax, 4.095);
}

}  // namespace
