// The board model on its own, byte for byte: what a board answers, what it
// changes, and how it misbehaves when told to.

#include "board_model.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using mux6sim::Bytes;
using mux6sim::Leitung;
using mux6sim::Platine;
using mux6sim::Stoerplan;
using mux6sim::Stoerung;

std::string Senden(Leitung& l, const std::string& text) {
    const Bytes ein(text.begin(), text.end());
    const Bytes aus = l.Empfangen(ein);
    return std::string(aus.begin(), aus.end());
}

const std::string ACK = "\x06";
const std::string NAK = "\x15";
const std::string CAN = "\x18";

std::string Hex2(unsigned v) {
    char b[3];
    std::snprintf(b, sizeof b, "%02X", v & 0xFF);
    return b;
}

std::string Hex4(unsigned v) {
    char b[5];
    std::snprintf(b, sizeof b, "%04X", v & 0xFFFF);
    return b;
}

// A memory write frame built by hand: header, data, 1 + sum.
std::string Schreibrahmen(char a, unsigned start, const Bytes& d, int pruefKorrektur = 0) {
    std::string s = std::string("#") + a + "BDW4" + Hex4(start) + Hex4(d.size());
    unsigned summe = 1;
    for (auto b : d) {
        s += Hex2(b);
        summe += b;
    }
    return s + Hex4(summe + pruefKorrektur) + "\r";
}

Leitung Drei() {
    std::vector<Platine> p(3);
    p[0].adresse = '2';
    p[1].adresse = '5';
    p[2].adresse = '3';
    p[2].identitaet = "OTHER-DEVICE_1.0";
    return Leitung(std::move(p));
}

TEST(Platine, StandardIdentitaet) {
    Leitung l;
    const std::string a = Senden(l, "#1IDR\r");
    ASSERT_GE(a.size(), 3u);
    EXPECT_EQ(a.substr(0, 3), ACK + "#1");
    EXPECT_EQ(a.back(), '\r');
    const std::string id = a.substr(3, a.size() - 4);
    EXPECT_EQ(id.rfind("ORV-VEK7M", 0), 0u);
    EXPECT_EQ(id.find(' '), std::string::npos);
    EXPECT_LE(a.size() - 1, 29u);
}

TEST(Platine, NurDieAngesprocheneAntwortet) {
    Leitung l = Drei();
    EXPECT_EQ(Senden(l, "#1IDR\r"), "");
    EXPECT_EQ(Senden(l, "#3IDR\r"), ACK + "#3OTHER-DEVICE_1.0\r");
    EXPECT_EQ(Senden(l, "#5IDR\r").substr(0, 12), ACK + "#5ORV-VEK7M");
}

TEST(Platine, RauschenVorDemRahmenUndSiebenBit) {
    Leitung l;
    // Bytes before '#' are ignored; a '#' starts over; bit 7 is the parity.
    std::string mit = "xx\r#1I";
    mit += static_cast<char>('D' | 0x80);
    mit += "R\r";
    EXPECT_EQ(Senden(l, "zz#9" + mit).substr(0, 3), ACK + "#1");
}

TEST(Platine, RahmenInStueckenUndMehrereHintereinander) {
    Leitung l;
    EXPECT_EQ(Senden(l, "#1M"), "");
    EXPECT_EQ(Senden(l, "1R\r#1S1R\r"), ACK + "#1M1R$04\r" + ACK + "#1S1R$00\r");
    EXPECT_EQ(l.Rahmenzahl(), 2);
}

TEST(Platine, AusgaengeWerdenZurueckgelesen) {
    Leitung l;
    EXPECT_EQ(Senden(l, "#1V2W7.500\r"), ACK);
    EXPECT_EQ(Senden(l, "#1V2R\r"), ACK + "#1V2R7.500\r");
    EXPECT_EQ(Senden(l, "#1V1R\r"), ACK + "#1V1R0.000\r");
    EXPECT_EQ(Senden(l, "#1V4W10.000\r"), ACK);
    EXPECT_EQ(Senden(l, "#1V4R\r"), ACK + "#1V4R10.000\r");
    // Out of range or not a number: refused, nothing changes.
    EXPECT_EQ(Senden(l, "#1V4W10.001\r"), NAK);
    EXPECT_EQ(Senden(l, "#1V4Wabc\r"), NAK);
    EXPECT_EQ(Senden(l, "#1V5W1.000\r"), NAK);
    EXPECT_EQ(Senden(l, "#1V4R\r"), ACK + "#1V4R10.000\r");
}

TEST(Platine, SpeicherSchreibenUndLesen) {
    Leitung l;
    const Bytes d = {0x01, 0x02, 0x03, 0xFF};
    EXPECT_EQ(Senden(l, Schreibrahmen('1', 0xFFFC, d)), ACK);
    const std::string a = Senden(l, "#1BDR4FFFC0004\r");
    EXPECT_EQ(a, ACK + "#1BDR4FFFC0004010203FF" + Hex4(1 + 1 + 2 + 3 + 255) + "\r");
    EXPECT_EQ(a.size() - 1, 2u * 4 + 19);
    EXPECT_EQ(l.Platinen()[0].speicher[0xFFFF], 0xFF);
}

TEST(Platine, FalschePruefsummeGibtNakUndAendertNichts) {
    Leitung l;
    EXPECT_EQ(Senden(l, Schreibrahmen('1', 0x100, {9, 9}, 1)), NAK);
    EXPECT_EQ(l.Platinen()[0].speicher[0x100], 0);
    // Also refused: past the end of memory, wrong type, a length that does
    // not match the data, bad hex.
    EXPECT_EQ(Senden(l, Schreibrahmen('1', 0xFFFF, {1, 2})), NAK);
    EXPECT_EQ(Senden(l,
                     "#1BDW30000000"
                     "10101\r")
                  .substr(0, 1),
              NAK);
    EXPECT_EQ(Senden(l,
                     "#1BDW400000002"
                     "01"
                     "0002\r"),
              NAK);
    EXPECT_EQ(Senden(l,
                     "#1BDW400000001"
                     "G1"
                     "0002\r"),
              NAK);
    EXPECT_EQ(Senden(l, "#1BDR4FFFF0002\r"), NAK);
    EXPECT_EQ(Senden(l, "#1BDR400000000\r"), NAK);
}

TEST(Platine, LeererBlockWirdAngenommen) {
    Leitung l;
    EXPECT_EQ(Senden(l,
                     "#1BDW400000000"
                     "0001\r"),
              ACK);
}

TEST(Platine, AnAlleOhneAntwort) {
    Leitung l = Drei();
    EXPECT_EQ(Senden(l, "#&DF1\r"), "");
    EXPECT_EQ(Senden(l, "#&V3W2.000\r"), "");
    EXPECT_EQ(Senden(l, Schreibrahmen('&', 0x2000, {0xAB})), "");
    EXPECT_EQ(Senden(l, "#&M1S01\r"), "");
    // Reading to all boards is not answered either.
    EXPECT_EQ(Senden(l, "#&IDR\r"), "");
    for (const Platine& p : l.Platinen()) {
        EXPECT_TRUE(p.gestartet);
        EXPECT_EQ(p.status & 0x01, 0x01);
        EXPECT_EQ(p.ausgaenge[2], 2.0);
        EXPECT_EQ(p.speicher[0x2000], 0xAB);
        EXPECT_EQ(p.modus, 0x05);
    }
}

TEST(Platine, StartUndStoppImStatus) {
    Leitung l;
    EXPECT_EQ(Senden(l, "#1DF1\r"), ACK);
    EXPECT_EQ(Senden(l, "#1S1R\r"), ACK + "#1S1R$01\r");
    // Empty memory holds no curve: nothing to play, nothing to wake up for.
    l.Fortschreiten(std::chrono::microseconds(0));
    EXPECT_FALSE(l.BisZurNaechstenAenderung().has_value());
    EXPECT_EQ(Senden(l, "#1DF2\r"), ACK);
    EXPECT_EQ(Senden(l, "#1S1R\r"), ACK + "#1S1R$00\r");
    l.Platinen()[0].fehler = 0x1A;
    EXPECT_EQ(Senden(l, "#1S2R\r"), ACK + "#1S2R$1A\r");
}

TEST(Platine, ModusBits) {
    Leitung l;
    EXPECT_EQ(Senden(l, "#1M1C04\r"), ACK);
    EXPECT_EQ(Senden(l, "#1M1S03\r"), ACK);
    EXPECT_EQ(Senden(l, "#1M1R\r"), ACK + "#1M1R$03\r");
    EXPECT_EQ(Senden(l, "#1M1Sxx\r"), NAK);
    EXPECT_EQ(Senden(l, "#1M1X01\r"), NAK);
}

TEST(Platine, BaudrateUndAdresse) {
    Leitung l = Drei();
    EXPECT_EQ(Senden(l, "#2BRW19200\r"), ACK);
    EXPECT_EQ(l.Finden('2')->baud, 19200);
    EXPECT_EQ(Senden(l, "#2BRW1200\r"), NAK);
    EXPECT_EQ(Senden(l, "#9BRW4800\r"), "");
    for (const Platine& p : l.Platinen()) {
        EXPECT_EQ(p.baud, 4800);
    }
    EXPECT_EQ(Senden(l, "#2DAW7\r"), ACK);
    EXPECT_EQ(l.Finden('2'), nullptr);
    ASSERT_NE(l.Finden('7'), nullptr);
    EXPECT_EQ(Senden(l, "#7IDR\r").substr(0, 3), ACK + "#7");
}

TEST(Platine, AntwortetNurBeiIhrerRate) {
    Leitung l = Drei();
    l.Finden('5')->baud = 19200;
    l.LeitungsrateSetzen(9600);
    EXPECT_EQ(Senden(l, "#5IDR\r"), "");
    EXPECT_EQ(Senden(l, "#2BRW38400\r"), ACK);
    EXPECT_EQ(Senden(l, "#2IDR\r"), "");
    EXPECT_EQ(Senden(l, "#3IDR\r").substr(0, 3), ACK + "#3");
    // '&' reaches only the boards at the line's rate.
    Senden(l, "#&DF1\r");
    EXPECT_FALSE(l.Finden('5')->gestartet);
    EXPECT_TRUE(l.Finden('3')->gestartet);
    l.LeitungsrateSetzen(19200);
    EXPECT_EQ(Senden(l, "#5IDR\r").substr(0, 3), ACK + "#5");
    l.LeitungsrateSetzen(38400);
    EXPECT_EQ(Senden(l, "#2IDR\r").substr(0, 3), ACK + "#2");
}

TEST(Platine, UnbekannterBefehlNak) {
    Leitung l;
    EXPECT_EQ(Senden(l, "#1XYZ\r"), NAK);
    EXPECT_EQ(Senden(l, "#1\r"), NAK);
}

TEST(Platine, UeberlangerMuellWirdVerworfen) {
    Leitung l;
    EXPECT_EQ(Senden(l, "#1" + std::string(5000, 'Z') + "\r"), "");
    EXPECT_EQ(Senden(l, "#1IDR\r").substr(0, 3), ACK + "#1");
}

TEST(Platine, KurveWirdAbgespielt) {
    Leitung l;
    Platine& p = l.Platinen()[0];
    // Curve 1 of two samples at 1 ms: 4095, then 0 (end address 0x1023).
    p.speicher[0x1002] = 0x10;
    p.speicher[0x1003] = 0x23;
    p.speicher[0x1020] = 0x0F;
    p.speicher[0x1021] = 0xFF;
    p.speicher[0x1022] = 0x00;
    p.speicher[0x1023] = 0x00;
    Senden(l, "#1DF1\r");
    EXPECT_EQ(l.BisZurNaechstenAenderung(), std::chrono::microseconds(0));
    l.Fortschreiten(std::chrono::microseconds(500));
    EXPECT_DOUBLE_EQ(p.ausgaenge[0], 10.0);
    l.Fortschreiten(std::chrono::microseconds(1000));
    EXPECT_DOUBLE_EQ(p.ausgaenge[0], 0.0);
    l.Fortschreiten(std::chrono::microseconds(1000));
    EXPECT_DOUBLE_EQ(p.ausgaenge[0], 10.0);
    EXPECT_EQ(Senden(l, "#1V1R\r"), ACK + "#1V1R10.000\r");
    // 2.5 ms in: the next sample is due in 0.5 ms.
    l.Fortschreiten(std::chrono::microseconds(0));
    const auto bis = l.BisZurNaechstenAenderung();
    ASSERT_TRUE(bis.has_value());
    EXPECT_EQ(*bis, std::chrono::microseconds(500));
    // Stopped, the output stays where it is.
    Senden(l, "#1DF2\r");
    l.Fortschreiten(std::chrono::microseconds(1000));
    EXPECT_DOUBLE_EQ(p.ausgaenge[0], 10.0);
    EXPECT_FALSE(l.BisZurNaechstenAenderung().has_value());
}

// Faults.

TEST(Stoerungen, NamenHinUndZurueck) {
    for (const char* n :
         {"nak", "can", "silence", "wrong-byte", "short-line", "long-line", "bad-checksum"}) {
        const auto s = mux6sim::StoerungAusName(n);
        ASSERT_TRUE(s.has_value()) << n;
        EXPECT_STREQ(mux6sim::StoerungName(*s), n);
    }
    EXPECT_FALSE(mux6sim::StoerungAusName("NAK").has_value());
    EXPECT_FALSE(mux6sim::StoerungAusName("").has_value());
}

class BeiRahmenZwei : public ::testing::TestWithParam<Stoerung> {
  protected:
    // Frames 1 and 3 are answered as usual, frame 2 is disturbed.
    std::string Zweiter(const std::string& rahmen) {
        Leitung l;
        Stoerplan plan;
        plan.art = GetParam();
        plan.beiRahmen = {2};
        l.StoerungSetzen(plan);
        erster = Senden(l, rahmen);
        const std::string z = Senden(l, rahmen);
        dritter = Senden(l, rahmen);
        return z;
    }
    std::string erster;
    std::string dritter;
};

TEST_P(BeiRahmenZwei, NurDerGenannteRahmen) {
    const std::string normal = ACK + "#1M1R$04\r";
    const std::string z = Zweiter("#1M1R\r");
    EXPECT_EQ(erster, normal);
    EXPECT_EQ(dritter, normal);
    switch (GetParam()) {
        case Stoerung::Nak:
            EXPECT_EQ(z, NAK);
            break;
        case Stoerung::Can:
            EXPECT_EQ(z, CAN);
            break;
        case Stoerung::Stille:
            EXPECT_EQ(z, "");
            break;
        case Stoerung::FalschesByte:
            EXPECT_EQ(z, "X");
            break;
        case Stoerung::KurzeZeile:
            EXPECT_EQ(z.substr(0, 1), ACK);
            EXPECT_LT(z.size(), normal.size());
            EXPECT_EQ(z.find('\r'), std::string::npos);
            break;
        case Stoerung::LangeZeile:
            EXPECT_GT(z.size(), 1u + 14u);
            EXPECT_EQ(z.back(), '\r');
            break;
        case Stoerung::FalschePruefsumme:
            EXPECT_EQ(z, normal);  // no checksum in this line
            break;
        case Stoerung::Keine:
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Alle, BeiRahmenZwei,
                         ::testing::Values(Stoerung::Nak, Stoerung::Can, Stoerung::Stille,
                                           Stoerung::FalschesByte, Stoerung::KurzeZeile,
                                           Stoerung::LangeZeile, Stoerung::FalschePruefsumme),
                         [](const auto& fall) {
                             std::string n = mux6sim::StoerungName(fall.param);
                             std::erase(n, '-');
                             return n;
                         });

TEST(Stoerungen, PruefsummeDerSpeicherantwort) {
    Leitung l;
    Stoerplan plan;
    plan.art = Stoerung::FalschePruefsumme;
    l.StoerungSetzen(plan);
    EXPECT_EQ(Senden(l, "#1BDR400000002\r"), ACK +
                                                 "#1BDR400000002"
                                                 "0000"
                                                 "0002\r");
}

TEST(Stoerungen, GestoerterRahmenAendertNichts) {
    Leitung l;
    Stoerplan plan;
    plan.art = Stoerung::Nak;
    l.StoerungSetzen(plan);
    EXPECT_EQ(Senden(l, "#1V1W5.000\r"), NAK);
    EXPECT_EQ(l.Platinen()[0].ausgaenge[0], 0.0);
    EXPECT_EQ(l.Gestoert(), 1);
}

TEST(Stoerungen, ZufallMitSeedWiederholbar) {
    auto Muster = [](std::uint32_t seed) {
        Leitung l;
        Stoerplan plan;
        plan.art = Stoerung::Nak;
        plan.anteil = 0.5;
        plan.seed = seed;
        l.StoerungSetzen(plan);
        std::string m;
        for (int i = 0; i < 200; ++i) {
            m += Senden(l, "#1DF2\r") == NAK ? 'n' : 'a';
        }
        return m;
    };
    const std::string a = Muster(7);
    EXPECT_EQ(a, Muster(7));
    EXPECT_NE(a, Muster(8));
    const auto n = std::count(a.begin(), a.end(), 'n');
    EXPECT_GT(n, 50);
    EXPECT_LT(n, 150);
}

}  // namespace
