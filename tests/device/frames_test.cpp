// Frame builders and reply decoders from byte vectors, without a port.

#include "device/frames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using device::Bytes;

Bytes B(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

std::string S(const Bytes& b) {
    return std::string(b.begin(), b.end());
}

// A well-formed memory reply for `daten`, written the way the board writes it.
std::string SpeicherAntwort(char adresse, int start, const Bytes& daten, bool klein = false) {
    const char* hex = klein ? "0123456789abcdef" : "0123456789ABCDEF";
    auto h2 = [&](unsigned v) { return std::string{hex[(v >> 4) & 15], hex[v & 15]}; };
    auto h4 = [&](unsigned v) { return h2(v >> 8) + h2(v & 0xFF); };
    unsigned summe = 1;
    std::string s = std::string("#") + adresse + "BDR4" + h4(start) + h4(daten.size());
    for (auto d : daten) {
        s += h2(d);
        summe += d;
    }
    return s + h4(summe & 0xFFFF) + "\r";
}

TEST(Hexziffern, BeideSchreibweisenUndNichtZiffern) {
    EXPECT_EQ(device::Hexchar2Int('F'), 15);
    EXPECT_EQ(device::Hexchar2Int('f'), 15);
    EXPECT_EQ(device::Hexchar2Int('0'), 0);
    EXPECT_EQ(device::Hexchar2Int('9'), 9);
    EXPECT_EQ(device::Hexchar2Int('a'), 10);
    EXPECT_EQ(device::Hexchar2Int('A'), 10);
    EXPECT_EQ(device::Hexchar2Int('g'), -1);
    EXPECT_EQ(device::Hexchar2Int('G'), -1);
    EXPECT_EQ(device::Hexchar2Int('/'), -1);
    EXPECT_EQ(device::Hexchar2Int(':'), -1);
    EXPECT_EQ(device::Hexchar2Int('@'), -1);
    EXPECT_EQ(device::Hexchar2Int('`'), -1);
    EXPECT_EQ(device::Hexchar2Int('\0'), -1);
    EXPECT_EQ(device::Hexchar2Int(static_cast<char>(0xC6)), -1);
}

TEST(Adressen, EinzelnUndAlle) {
    for (char c : std::string("123456789abcdef")) {
        EXPECT_TRUE(device::AdresseEinzeln(c)) << c;
        EXPECT_TRUE(device::AdresseEinzelnOderAlle(c)) << c;
    }
    for (char c : std::string("0gA F#&\r")) {
        EXPECT_FALSE(device::AdresseEinzeln(c)) << c;
    }
    EXPECT_TRUE(device::AdresseEinzelnOderAlle('&'));
    EXPECT_FALSE(device::AdresseEinzelnOderAlle('0'));
}

TEST(Rahmen, StartAdresseTextCr) {
    EXPECT_EQ(S(device::Rahmen('1', "IDR")), "#1IDR\r");
    EXPECT_EQ(S(device::Rahmen('&', "DF1")), "#&DF1\r");
}

TEST(Rahmen, SpeicherLesenWieImBeispiel) {
    EXPECT_EQ(S(device::SpeicherLesenRahmen('1', 4, 0x0040, 0x40)), "#1BDR400400040\r");
    EXPECT_EQ(S(device::SpeicherLesenRahmen('a', 4, 0xABCD, 0xFFFF)), "#aBDR4ABCDFFFF\r");
}

TEST(Rahmen, SpeicherSchreibenMitPruefsumme) {
    EXPECT_EQ(S(device::SpeicherSchreibenRahmen('1', 4, 0x1000, B("\x01\x02\x03"))),
              "#1BDW410000003010203"
              "0007\r");
    // Empty block: header and checksum 0001.
    EXPECT_EQ(S(device::SpeicherSchreibenRahmen('2', 4, 0, Bytes{})),
              "#2BDW400000000"
              "0001\r");
    // The address stays lower case, the hex digits after it are upper case.
    const std::string a = S(device::SpeicherSchreibenRahmen('a', 4, 0xBEEF, B("\xab\xcd")));
    EXPECT_EQ(a,
              "#aBDW4BEEF0002ABCD"
              "0179\r");
}

TEST(Rahmen, SpeicherSchreibenVolleLaenge) {
    Bytes daten(64);
    unsigned summe = 1;
    for (std::size_t i = 0; i < daten.size(); ++i) {
        daten[i] = static_cast<std::uint8_t>(0xC0 + i);
        summe += daten[i];
    }
    const Bytes r = device::SpeicherSchreibenRahmen('3', 4, 0xFFC0, daten);
    ASSERT_EQ(r.size(), 2u * 64 + 19);
    EXPECT_EQ(S(Bytes(r.begin(), r.begin() + 14)), "#3BDW4FFC00040");
    EXPECT_EQ(S(Bytes(r.begin() + 14, r.begin() + 18)), "C0C1");
    char pruef[5];
    std::snprintf(pruef, sizeof pruef, "%04X", summe & 0xFFFF);
    EXPECT_EQ(S(Bytes(r.end() - 5, r.end() - 1)), pruef);
    EXPECT_EQ(r.back(), 0x0D);
}

// Identity.

TEST(IdAntwort, TextBisCr) {
    std::string id = "vorher";
    EXPECT_EQ(device::IdAntwortDecodieren(B("#1ORV-VEK7M_V2.1\r"), '1', id), 0);
    EXPECT_EQ(id, "ORV-VEK7M_V2.1");
}

TEST(IdAntwort, LaengsterText) {
    const std::string text(26, 'X');
    std::string id;
    EXPECT_EQ(device::IdAntwortDecodieren(B("#5" + text + "\r"), '5', id), 0);
    EXPECT_EQ(id, text);
}

TEST(IdAntwort, FehlformenLassenTextUnveraendert) {
    const char* faelle[] = {
        "#1ORV VEK7M\r",  // a blank in the text
        "#1ORV\tX\r",     // other white space likewise
        "*1ORV\r",        // not '#'
        "#2ORV\r",        // another board's address
        "#1\r",           // no text
        "#1ORV",          // no CR (line cut at its maximum)
        "#1ORV\rX",       // CR not last
        "#1",             //
        "",               //
    };
    for (const char* f : faelle) {
        std::string id = "vorher";
        EXPECT_EQ(device::IdAntwortDecodieren(B(f), '1', id), -404015) << f;
        EXPECT_EQ(id, "vorher") << f;
    }
    std::string id = "vorher";
    EXPECT_EQ(device::IdAntwortDecodieren(Bytes{'#', '1', 'O', 0, 'R', 0x0D}, '1', id), -404015);
}

// Inputs.

TEST(EingangAntwort, ZahlImCGebietsschema) {
    double w = -1;
    EXPECT_EQ(device::EingangAntwortDecodieren(B("#1V3R4.095\r"), '1', 3, w), 0);
    EXPECT_DOUBLE_EQ(w, 4.095);
    EXPECT_EQ(device::EingangAntwortDecodieren(B("#bV1R10\r"), 'b', 1, w), 0);
    EXPECT_DOUBLE_EQ(w, 10.0);
    EXPECT_EQ(device::EingangAntwortDecodieren(B("#1V4R-0.5\r"), '1', 4, w), 0);
    EXPECT_DOUBLE_EQ(w, -0.5);
}

TEST(EingangAntwort, Fehlformen) {
    const char* faelle[] = {
        "#1V3R\r",       // no number
        "#1V3R4,095\r",  // decimal comma
        "#1V3R4.0x\r",   // trailing text
        "#1V2R4.0\r",    // another channel's echo
        "#2V3R4.0\r",    // another address
        "#1W3R4.0\r",    // wrong letter
        "#1V3W4.0\r",    //
        "!1V3R4.0\r",    //
        "#1V3R4.0",      // no CR
        "#1V3Rnan\r",    // not a finite number
        "#1V3Rinf\r",    //
        "#1V3R 4.0\r",   //
        "",
    };
    for (const char* f : faelle) {
        double w = 7.0;
        EXPECT_EQ(device::EingangAntwortDecodieren(B(f), '1', 3, w), -404054) << f;
        EXPECT_EQ(w, 7.0) << f;
    }
}

// Status and mode.

TEST(StatusAntwort, BeideArten) {
    int w = -1;
    EXPECT_EQ(device::StatusAntwortDecodieren(B("#1S1R$03\r"), '1', 1, w), 0);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(device::StatusAntwortDecodieren(B("#1S2R$1f\r"), '1', 2, w), 0);
    EXPECT_EQ(w, 0x1F);
    EXPECT_EQ(device::StatusAntwortDecodieren(B("#1S2R$FF\r"), '1', 2, w), 0);
    EXPECT_EQ(w, 0xFF);
}

TEST(StatusAntwort, FalscheZifferNachArt) {
    int w = -1;
    EXPECT_EQ(device::StatusAntwortDecodieren(B("#1S2R$03\r"), '1', 1, w), -404146);
    EXPECT_EQ(device::StatusAntwortDecodieren(B("#1S1R$03\r"), '1', 2, w), -404147);
    EXPECT_EQ(device::StatusAntwortDecodieren(B("#1S9R$03\r"), '1', 2, w), -404147);
    EXPECT_EQ(w, -1);
}

TEST(StatusAntwort, Fehlformen) {
    const char* faelle[] = {"#1S1R$0G\r",  "#1S1R$G0\r", "#1S1R03\r",  "#1S1R$3\r",
                            "#1S1R$003\r", "#2S1R$03\r", "#1M1R$03\r", "#1S1X$03\r",
                            "#1S1R$03",    "$1S1R$03\r", "",           "#1S1R#03\r"};
    for (const char* f : faelle) {
        int w = -1;
        EXPECT_EQ(device::StatusAntwortDecodieren(B(f), '1', 1, w), -404145) << f;
        EXPECT_EQ(w, -1) << f;
    }
}

TEST(ModusAntwort, WertUndFehlformen) {
    int m = -1;
    EXPECT_EQ(device::ModusAntwortDecodieren(B("#7M1R$05\r"), '7', m), 0);
    EXPECT_EQ(m, 5);
    const char* faelle[] = {"#7M2R$05\r", "#7S1R$05\r", "#7M1R$0\r", "#7M1R$0Z\r",
                            "#1M1R$05\r", "#7M1R05\r",  "#7M1R$05",  "#7M1R$05X\r"};
    for (const char* f : faelle) {
        int w = -1;
        EXPECT_EQ(device::ModusAntwortDecodieren(B(f), '7', w), -404159) << f;
        EXPECT_EQ(w, -1) << f;
    }
}

// Memory.

TEST(SpeicherAntwort, DatenUndPruefsumme) {
    const Bytes daten = B("\x01\x02\x03\xff");
    Bytes ziel;
    EXPECT_EQ(device::SpeicherAntwortDecodieren(B(SpeicherAntwort('1', 0x40, daten)), '1', 4, 0x40,
                                                4, ziel),
              0);
    EXPECT_EQ(ziel, daten);
}

TEST(SpeicherAntwort, KleinbuchstabenWerdenAngenommen) {
    const Bytes daten = B("\xab\xcd\xef");
    Bytes ziel;
    EXPECT_EQ(device::SpeicherAntwortDecodieren(B(SpeicherAntwort('1', 0xabc, daten, true)), '1', 4,
                                                0xabc, 3, ziel),
              0);
    EXPECT_EQ(ziel, daten);
}

class SpeicherFehler : public ::testing::Test {
  protected:
    // A good reply for 2 bytes at 0x1234, then one change.
    int Mit(std::size_t pos, char c) {
        std::string z = SpeicherAntwort('1', 0x1234, B("\x10\x20"));
        z[pos] = c;
        return Decodiere(z);
    }
    int Decodiere(const std::string& z) {
        ziel = B("unberuehrt");
        return device::SpeicherAntwortDecodieren(B(z), '1', 4, 0x1234, 2, ziel);
    }
    Bytes ziel;
};

TEST_F(SpeicherFehler, JedeStelleIhrCode) {
    // "#1BDR4" "1234" "0002" "1020" "0031" CR: 23 bytes.
    EXPECT_EQ(Decodiere(SpeicherAntwort('1', 0x1234, B("\x10\x20"))), 0);
    EXPECT_EQ(Mit(22, 'X'), -404105);  // last byte not CR
    EXPECT_EQ(Mit(0, '*'), -404107);
    EXPECT_EQ(Mit(1, '2'), -404107);
    EXPECT_EQ(Mit(2, 'b'), -404107);
    EXPECT_EQ(Mit(3, 'X'), -404107);
    EXPECT_EQ(Mit(4, 'W'), -404107);
    EXPECT_EQ(Mit(5, '3'), -404107);   // another memory type
    EXPECT_EQ(Mit(5, 'x'), -404107);   // not a digit
    EXPECT_EQ(Mit(9, '5'), -404107);   // another start
    EXPECT_EQ(Mit(6, 'G'), -404107);   // bad hex in the start
    EXPECT_EQ(Mit(13, '3'), -404107);  // another length
    EXPECT_EQ(Mit(14, 'G'), -404108);  // first digit of the first byte
    EXPECT_EQ(Mit(15, 'G'), -404109);  // second digit
    EXPECT_EQ(Mit(16, 'x'), -404108);  // first digit of the second byte
    EXPECT_EQ(Mit(17, ' '), -404109);
    EXPECT_EQ(Mit(18, 'g'), -404110);  // checksum digits 1..4
    EXPECT_EQ(Mit(19, 'g'), -404111);
    EXPECT_EQ(Mit(20, 'g'), -404112);
    EXPECT_EQ(Mit(21, 'g'), -404113);
    EXPECT_EQ(Mit(21, '2'), -406114);  // digits fine, value wrong
    EXPECT_EQ(ziel, B("unberuehrt"));
}

TEST_F(SpeicherFehler, Laengen) {
    const std::string gut = SpeicherAntwort('1', 0x1234, B("\x10\x20"));
    EXPECT_EQ(Decodiere(""), -404105);
    EXPECT_EQ(Decodiere("\r"), -404106);
    EXPECT_EQ(Decodiere(gut.substr(0, 20) + "\r"), -404106);   // short
    EXPECT_EQ(Decodiere(gut.substr(0, 22) + "0\r"), -404106);  // one too many
    EXPECT_EQ(Decodiere(gut.substr(0, 22)), -404105);          // cut before CR
}

TEST(SpeicherAntwort, PruefsummeLaeuftUeber) {
    // 300 bytes of 0xFF: 1 + 76500 = 76501 -> 0x2AD5.
    const Bytes daten(300, 0xFF);
    const std::string z = SpeicherAntwort('1', 0, daten);
    EXPECT_NE(z.find("2AD5\r"), std::string::npos);
    Bytes ziel;
    EXPECT_EQ(device::SpeicherAntwortDecodieren(B(z), '1', 4, 0, 300, ziel), 0);
    EXPECT_EQ(ziel, daten);
}

}  // namespace
