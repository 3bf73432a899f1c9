// The settings library's reading and writing rules.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/temp_dir.h"

namespace {

using namespace settings;
using namespace std::string_literals;

std::unique_ptr<IniText> Aus(const std::string& text) {
    auto ini = Ini_New(true);
    Ini_ReadFromText(*ini, text);
    return ini;
}

TEST(IniLesen, NamenOhneGrossKleinUndOhneLeerraum) {
    auto ini = Aus("[KONFIG]\r\n  VoutMax =  5 \r\n");
    double v = 0;
    EXPECT_EQ(Ini_GetDouble(*ini, "konfig", "voutmax", v), 1);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(Ini_GetDouble(*ini, " Konfig ", " VOUTMAX ", v), 1);
}

TEST(IniLesen, ZeilenendenCrLfLfCrUndNul) {
    auto ini = Aus("[a]\n\rx = 1\ry = 2\0z = 3\r\n\r\nw = 4"s);
    int v = 0;
    for (const char* k : {"x", "y", "z", "w"})
        EXPECT_EQ(Ini_GetInt(*ini, "a", k, v), 1) << k;
}

TEST(IniLesen, KommentareSectionsUndLeereWerte) {
    auto ini =
        Aus("x = 1\n"     // before any section: ignored
            "; [b]\n"     // a comment
            "[a] ; no\n"  // text after ']' : ignored
            "[ ]\n"       // empty name: ignored
            "[a]\n"
            "k = v ; mehr\n"  // ';' later in the line belongs to the value
            "leer =\n"        // empty value: ignored
            "= 5\n"           // empty name: ignored
            "ohne\n");
    EXPECT_EQ(ini->sections.size(), 1u);
    std::string t;
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(*ini, "a", "k", t, 100), 1);
    EXPECT_EQ(t, "v ; mehr");
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(*ini, "a", "leer", t, 100), 0);
    EXPECT_EQ(t, "");
    int v = 0;
    EXPECT_EQ(Ini_GetInt(*ini, "a", "x", v), 0);
}

TEST(IniLesen, SectionNameBisZumLetztenKlammerZu) {
    auto ini = Aus("[a]b] \nk = 1\n");
    int v = 0;
    EXPECT_EQ(Ini_GetInt(*ini, "a]b", "k", v), 1);
}

TEST(IniLesen, AnfuehrungszeichenUndUnvollstaendigeAnfuehrung) {
    auto ini = Aus("[a]\nq = \"V\"\nleer = \"\"\nhalb = \"abc\nein = \"\nhand = mA\n");
    std::string t = "x";
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(*ini, "a", "q", t, 9), 1);
    EXPECT_EQ(t, "V");
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(*ini, "a", "leer", t, 9), 1);
    EXPECT_EQ(t, "");
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(*ini, "a", "halb", t, 9), 1);
    EXPECT_EQ(t, "\"abc");
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(*ini, "a", "ein", t, 9), 1);
    EXPECT_EQ(t, "\"");
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(*ini, "a", "hand", t, 9), 1);
    EXPECT_EQ(t, "mA");
}

TEST(IniLesen, PufferNimmtHoechstensGroesseMinusEins) {
    auto ini = Aus("[a]\nu = \"123456789\"\n");
    std::string t;
    Ini_GetRawStringIntoBuffer(*ini, "a", "u", t, 9);
    EXPECT_EQ(t, "12345678");
}

TEST(IniLesen, ZeileVon300ZeichenWirdAuf255Gekuerzt) {
    const std::string wert(300 - 4, 'x');
    auto ini = Aus("[a]\nk = " + wert + "\nn = 1\n");
    std::string t;
    Ini_GetRawStringIntoBuffer(*ini, "a", "k", t, 1000);
    EXPECT_EQ(t.size(), 255u - 4u);
    int v = 0;
    EXPECT_EQ(Ini_GetInt(*ini, "a", "n", v), 1);  // the rest of the long line is no new line
}

TEST(IniLesen, DoppelteSchluesselUndSectionsVereinen) {
    auto ini = Aus("[a]\nk = 1\n[b]\nz = 0\n[A]\nK = 2\nj = 3\n");
    int v = 0;
    EXPECT_EQ(Ini_GetInt(*ini, "a", "k", v), 1);
    EXPECT_EQ(v, 2);
    EXPECT_EQ(Ini_GetInt(*ini, "a", "j", v), 1);
    EXPECT_EQ(ini->sections.size(), 2u);
}

TEST(IniLesen, FortsetzungszeilenWerdenVerbunden) {
    auto ini = Aus("[a]\nt Line0001 = \"abc\"\nt Line0002 = \"def\"\nt Line0004 = \"x\"\n");
    std::string t;
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(*ini, "a", "t", t, 100), 1);
    EXPECT_EQ(t, "abcdef");
}

TEST(IniLesen, BinaermuellUndLeereSections) {
    std::string muell;
    for (int i = 0; i < 5000; ++i)
        muell.push_back(static_cast<char>((i * 37) % 256));
    auto ini = Aus(muell + "\n[leer]\n[a]\nk = 1\n");
    int v = 0;
    EXPECT_EQ(Ini_GetInt(*ini, "a", "k", v), 1);
    EXPECT_EQ(Ini_ToText(*Aus("[leer]\n")), "[leer]\r\n\r\n");
}

TEST(IniWerte, GanzzahlUngueltigLaesstZielStehen) {
    auto ini = Aus("[a]\nx = 12a\ny =  -7 \nz = 99999999999\n");
    int v = 5;
    EXPECT_LT(Ini_GetInt(*ini, "a", "x", v), 0);
    EXPECT_EQ(v, 5);
    EXPECT_LT(Ini_GetInt(*ini, "a", "z", v), 0);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(Ini_GetInt(*ini, "a", "fehlt", v), 0);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(Ini_GetInt(*ini, "a", "y", v), 1);
    EXPECT_EQ(v, -7);
}

TEST(IniWerte, KommazahlUngueltigNimmtDenAnfang) {
    auto ini = Aus("[konfig]\nvoutmax = 5 V\nvinmax = V5\ninf = -INF\nleer =\n");
    double v = 10;
    EXPECT_LT(Ini_GetDouble(*ini, "konfig", "voutmax", v), 0);
    EXPECT_EQ(v, 5);
    EXPECT_LT(Ini_GetDouble(*ini, "konfig", "vinmax", v), 0);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(Ini_GetDouble(*ini, "konfig", "inf", v), 1);
    EXPECT_TRUE(std::isinf(v) && v < 0);
    v = 10;
    EXPECT_EQ(Ini_GetDouble(*ini, "konfig", "leer", v), 0);
    EXPECT_EQ(v, 10);
}

TEST(IniSchreiben, FormatSortiertMitCrLf) {
    auto ini = Ini_New(true);
    Ini_PutDouble(*ini, "konfig", "voutmax", 4.095);
    Ini_PutDouble(*ini, "konfig", "vinmax", 10);
    Ini_PutRawString(*ini, "konfig", "Outeinheit0", "A");
    Ini_PutRawString(*ini, "konfig", "ineinheit0", "");
    Ini_PutInt(*ini, "com", "port", -1);
    Ini_PutInt(*ini, "com", "adresse", 49);
    EXPECT_EQ(Ini_ToText(*ini),
              "[com]\r\nadresse = 49\r\nport = -1\r\n\r\n"
              "[konfig]\r\nineinheit0 = \"\"\r\nOuteinheit0 = \"A\"\r\nvinmax = 10\r\n"
              "voutmax = 4.095\r\n\r\n");
}

TEST(IniSchreiben, GleicherNameErsetzt) {
    auto ini = Ini_New(true);
    Ini_PutInt(*ini, "a", "k", 1);
    Ini_PutInt(*ini, "A", "K", 2);
    EXPECT_EQ(Ini_ToText(*ini), "[a]\r\nK = 2\r\n\r\n");  // the section keeps its first name
}

TEST(IniSchreiben, LangeWerteInZeilenZu80) {
    auto ini = Ini_New(true);
    const std::string lang(170, 'q');
    Ini_PutRawString(*ini, "a", "t", lang);
    const std::string text = Ini_ToText(*ini);
    EXPECT_NE(text.find("t Line0001 = \"" + std::string(80, 'q') + "\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("t Line0003 = \"" + std::string(10, 'q') + "\"\r\n"), std::string::npos);
    auto zurueck = Aus(text);
    std::string t;
    Ini_GetRawStringIntoBuffer(*zurueck, "a", "t", t, 1000);
    EXPECT_EQ(t, lang);
}

TEST(IniSchreiben, GeteilterWertBleibtBeimWiederSchreibenEinmal) {
    auto ini = Ini_New(true);
    Ini_PutRawString(*ini, "a", "t", std::string(170, 'q'));
    const std::string text = Ini_ToText(*ini);
    auto zurueck = Aus(text);
    EXPECT_EQ(zurueck->sections.at(0).items.size(), 1u);
    EXPECT_EQ(Ini_ToText(*zurueck), text);
}

TEST(IniLesen, NurDieVerbundenenTeileVerschwinden) {
    auto ini = Aus("[a]\nt Line0001 = \"ab\"\nt Line0002 = \"c\"\nt Line0004 = \"x\"\nk = 1\n");
    EXPECT_EQ(Ini_ToText(*ini), "[a]\r\nk = 1\r\nt = \"abc\"\r\nt Line0004 = \"x\"\r\n\r\n");
}

TEST(IniSchreiben, RundreiseVonAchtZeichenUndLeeremText) {
    auto ini = Ini_New(true);
    Ini_PutRawString(*ini, "k", "u", "ABCDEFGH");
    Ini_PutRawString(*ini, "k", "e", "");
    auto zurueck = Aus(Ini_ToText(*ini));
    std::string t;
    Ini_GetRawStringIntoBuffer(*zurueck, "k", "u", t, 9);
    EXPECT_EQ(t, "ABCDEFGH");
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(*zurueck, "k", "e", t, 9), 1);
    EXPECT_EQ(t, "");
}

TEST(IniDatei, FehlendeDateiUndOrdner) {
    testsupport::TempDir dir;
    auto ini = Ini_New(true);
    EXPECT_EQ(Ini_ReadFromFile(*ini, dir / "fehlt.ini"), kIniNichtGefunden);
    std::filesystem::create_directory(dir / "ordner.ini");
    EXPECT_EQ(Ini_ReadFromFile(*ini, dir / "ordner.ini"), kIniLesefehler);
}

TEST(IniDatei, SchreibtUeberDenNaechstenFreienTemporaernamen) {
    testsupport::TempDir dir;
    testsupport::Schreiben(dir / "ini$$0.TMP", "belegt");
    auto ini = Ini_New(true);
    Ini_PutInt(*ini, "a", "k", 1);
    ASSERT_EQ(Ini_WriteToFile(*ini, dir / "x.ini"), kIniOk);
    EXPECT_EQ(testsupport::Lesen(dir / "x.ini"), "[a]\r\nk = 1\r\n\r\n");
    EXPECT_EQ(testsupport::Lesen(dir / "ini$$0.TMP"), "belegt");
    EXPECT_FALSE(std::filesystem::exists(dir / "ini$$1.TMP"));
}

}  // namespace
