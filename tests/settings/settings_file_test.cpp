// ReadIni / WriteIni: the codes, the order of the sections, safe writing.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using namespace settings;
using testsupport::Lesen;
using testsupport::Schreiben;

TEST(ReadIni, FehlendeDateiMeldet802201UndLiestNichts) {
    testsupport::TempDir dir;
    bool gelesen = false;
    std::vector<IniLeser> leser{[&](const IniText&) { gelesen = true; }};
    EXPECT_EQ(ReadIni(leser, dir / kIniDatei), -802201);
    EXPECT_FALSE(gelesen);
}

TEST(ReadIni, UnlesbareDateiMeldet801202) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir / kIniDatei);
    bool gelesen = false;
    std::vector<IniLeser> leser{[&](const IniText&) { gelesen = true; }};
    EXPECT_EQ(ReadIni(leser, dir / kIniDatei), -801202);
    EXPECT_FALSE(gelesen);
}

TEST(ReadIni, LeserInIhrerReihenfolge) {
    testsupport::TempDir dir;
    Schreiben(dir / kIniDatei, "[com]\nport = 3\n");
    std::vector<int> folge;
    std::vector<IniLeser> leser;
    for (int i = 0; i < 5; ++i) {
        leser.push_back([&folge, i](const IniText& ini) {
            int port = 0;
            EXPECT_EQ(Ini_GetInt(ini, "com", "port", port), 1);
            EXPECT_EQ(port, 3);
            folge.push_back(i);
        });
    }
    EXPECT_EQ(ReadIni(leser, dir / kIniDatei), 0);
    EXPECT_EQ(folge, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(WriteIni, BautDieDateiNeuAufOhneFremdes) {
    testsupport::TempDir dir;
    Schreiben(dir / kIniDatei, "; Kommentar\n[fremd]\nx = 1\n[COM]\nPORT = 2\n");
    std::vector<IniSchreiber> schreiber{
        [](IniText& ini) { Ini_PutInt(ini, "kurven", "darstellung", 3); },
        [](IniText& ini) { Ini_PutInt(ini, "com", "port", -1); }};
    ASSERT_EQ(WriteIni(schreiber, dir / kIniDatei), 0);
    EXPECT_EQ(Lesen(dir / kIniDatei),
              "[com]\r\nport = -1\r\n\r\n[kurven]\r\ndarstellung = 3\r\n\r\n");
}

TEST(WriteIni, FehlschlagLaesstDieAlteDateiStehen) {
    testsupport::TempDir dir;
    const std::string alt = "[com]\r\nport = 2\r\n\r\n";
    Schreiben(dir / kIniDatei, alt);
    for (int n = 0; n < 1000; ++n)
        Schreiben(dir / ("ini$$" + std::to_string(n) + ".TMP"), "");
    std::vector<IniSchreiber> schreiber{[](IniText& ini) { Ini_PutInt(ini, "com", "port", 5); }};
    EXPECT_EQ(WriteIni(schreiber, dir / kIniDatei), -800203);
    EXPECT_EQ(Lesen(dir / kIniDatei), alt);
}

TEST(WriteIni, NichtSchreibbaresZiel) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir / kIniDatei);
    std::vector<IniSchreiber> schreiber{[](IniText& ini) { Ini_PutInt(ini, "com", "port", 5); }};
    EXPECT_EQ(WriteIni(schreiber, dir / kIniDatei), -800203);
    EXPECT_TRUE(std::filesystem::is_directory(dir / kIniDatei));
}

TEST(WriteIni, DeutscheLocaleSchreibtDieselbeDatei) {
    testsupport::TempDir dir;
    std::vector<IniSchreiber> schreiber{[](IniText& ini) {
        Ini_PutDouble(ini, "konfig", "voutmax", 4.095);
        Ini_PutDouble(ini, "konfig", "outmin0", -0.5);
        Ini_PutDouble(ini, "konfig", "outskalamax0", 1e-9);
        Ini_PutInt(ini, "com", "adresse", 49);
    }};
    {
        testsupport::LocaleScope c("C");
        ASSERT_EQ(WriteIni(schreiber, dir / "c.ini"), 0);
    }
    {
        testsupport::LocaleScope de("de_DE.UTF-8");
        ASSERT_TRUE(de.ok()) << "de_DE.UTF-8 is not generated (scripts/bootstrap does it)";
        ASSERT_EQ(WriteIni(schreiber, dir / "de.ini"), 0);
        auto ini = Ini_New(true);
        ASSERT_EQ(Ini_ReadFromFile(*ini, dir / "c.ini"), 0);
        double v = 0;
        EXPECT_EQ(Ini_GetDouble(*ini, "konfig", "voutmax", v), 1);
        EXPECT_EQ(v, 4.095);
    }
    EXPECT_EQ(Lesen(dir / "de.ini"), Lesen(dir / "c.ini"));
    EXPECT_NE(Lesen(dir / "c.ini").find("voutmax = 4.095\r\n"), std::string::npos);
}

}  // namespace
