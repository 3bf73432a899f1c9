// Reading back: the decode of what the board holds, every header check, the
// blocks with their progress, what the read changes and what it leaves.

#include <gtest/gtest.h>

#include "curves/transfer.h"
#include "curves/view.h"
#include "transfer_fixture.h"

namespace curves::test {
namespace {

using mux6sim::Stoerung;

// The state that a failed read must leave as it was.
struct Vorher {
    std::vector<Gerade> geraden;
    std::int32_t zyklen;
    std::int32_t ruhe;
};

class LesenTest : public UebertragungTest {
  protected:
    void SetUp() override {
        UebertragungTest::SetUp();
        Setze({Gerade{7, 3, 2}, Gerade{8, 4, 3}});
        gZyklen[0] = 11;
        gRuhezustand[0] = 12;
        gKurvendatei = "/tmp/alt.skr";
        vorher = {Geraden(), gZyklen[0], gRuhezustand[0]};
    }
    void ErwarteUnveraendert() {
        EXPECT_EQ(Geraden(), vorher.geraden);
        EXPECT_EQ(gZyklen[0], vorher.zyklen);
        EXPECT_EQ(gRuhezustand[0], vorher.ruhe);
        PruefeAnzahl();
    }
    Vorher vorher;
};

TEST_F(LesenTest, DreiSegmenteKommenAlsVierEinzelneTicksZurueck) {
    Setze({Gerade{0, 2, 1}, Gerade{100, 1, 5}, Gerade{4095, 1, 8}});
    gZyklen[0] = 3;
    gRuhezustand[0] = 2000;
    ASSERT_EQ(KurvenSenden(kPort, '1').code, 0);
    ASSERT_EQ(KurvenInit(), 0);
    ASSERT_EQ(KurvenLesen(kPort, '1', Mitzaehlen()), 0);
    // Ticks 0 and 50 of the ramp 0 -> 100 over two, then 100, then 4095.
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{0, 1, 1}, {50, 1, 1}, {100, 1, 5}, {4095, 1, 8}}));
    EXPECT_EQ(gKurven[0].anzahl, 4);
    EXPECT_EQ(gZyklen[0], 3);
    EXPECT_EQ(gRuhezustand[0], 2000);
}

TEST_F(LesenTest, WoerterWerdenNachDerRegelZerlegt) {
    // 0x7FFF: value 4095 at "1s"; 0x0000: 0 at "1ms"; 0x3ABC: 0xABC at "10ms".
    BoardBeschreiben(Abbild(0x1025, {0x7F, 0xFF, 0x00, 0x00, 0x3A, 0xBC}, 5, 6));
    ASSERT_EQ(KurvenLesen(kPort, '1'), 0);
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{4095, 1, 8}, {0, 1, 1}, {0xABC, 1, 4}}));
    EXPECT_EQ(gZyklen[0], 5);
    EXPECT_EQ(gRuhezustand[0], 6);
}

TEST_F(LesenTest, KopfOhneFortschrittDannBloeckeMitFortschritt) {
    // 200 bytes from 0x1000: the header read, then blocks of 64, 64, 64, 8.
    Bytes daten(168, 0);
    BoardBeschreiben(Abbild(0x10C7, daten));
    ASSERT_EQ(KurvenLesen(kPort, '1', Mitzaehlen()), 0);
    ASSERT_EQ(rahmen->size(), 5u);
    EXPECT_EQ((*rahmen)[0], "#1BDR410000020\r");
    EXPECT_EQ((*rahmen)[1], "#1BDR410000040\r");
    EXPECT_EQ((*rahmen)[2], "#1BDR410400040\r");
    EXPECT_EQ((*rahmen)[3], "#1BDR410800040\r");
    EXPECT_EQ((*rahmen)[4], "#1BDR410C00008\r");
    EXPECT_EQ(fortschritt, (std::vector<int>{0, 32, 64, 96, 100}));
    EXPECT_EQ(Geraden().size(), 84u);
}

TEST_F(LesenTest, VolleKurveVonDreissigtausendSiebenhundertVierTicks) {
    Setze({Gerade{0, 30000, 1}, Gerade{4095, 704, 6}});
    ASSERT_EQ(KurvenSenden(kPort, '1').code, 0);
    ASSERT_EQ(KurvenInit(), 0);
    ASSERT_EQ(KurvenLesen(kPort, '1'), 0);
    EXPECT_EQ(Geraden().size(), 30704u);
    EXPECT_EQ(Geraden().front(), (Gerade{0, 1, 1}));
    EXPECT_EQ(Geraden()[30000], (Gerade{4095, 1, 6}));
}

TEST_F(LesenTest, OhneKurveAufDemBoard) {
    // Zero memory: the end address 0 lies below 0x1020.
    EXPECT_EQ(KurvenLesen(kPort, '1', Mitzaehlen()), -1019472);
    EXPECT_EQ(rahmen->size(), 1u);  // the header only
    EXPECT_TRUE(fortschritt.empty());
    ErwarteUnveraendert();
    BoardBeschreiben(Abbild(0x101F, {}));
    EXPECT_EQ(KurvenLesen(kPort, '1'), -1019472);
    ErwarteUnveraendert();
}

TEST_F(LesenTest, FalschePruefsumme) {
    Bytes a = Abbild(0x1023, {0x10, 0x01, 0x10, 0x02});
    a[1] ^= 0x01;
    BoardBeschreiben(a);
    EXPECT_EQ(KurvenLesen(kPort, '1'), -897407);
    ErwarteUnveraendert();
}

TEST_F(LesenTest, PruefsummeDeckt0x1002BisKurvenende) {
    // A byte after curve 1's end does not count; one inside does.
    Bytes a = Abbild(0x1021, {0x10, 0x01});
    a.push_back(0x55);
    BoardBeschreiben(a);
    EXPECT_EQ(KurvenLesen(kPort, '1'), 0);
    Bytes b = Abbild(0x1021, {0x10, 0x01});
    b[0x1A] = 4;  // the number of curves is covered but not used
    b[1] = static_cast<std::uint8_t>(b[1] - 3);
    BoardBeschreiben(b);
    EXPECT_EQ(KurvenLesen(kPort, '1'), -897407);
}

TEST_F(LesenTest, UngeradeLaenge) {
    BoardBeschreiben(Abbild(0x1022, {0x10, 0x01, 0x10}));
    EXPECT_EQ(KurvenLesen(kPort, '1'), -1019417);
    ErwarteUnveraendert();
}

TEST_F(LesenTest, WortMitBit15) {
    BoardBeschreiben(Abbild(0x1023, {0x10, 0x01, 0x80, 0x00}));
    EXPECT_EQ(KurvenLesen(kPort, '1'), -1019418);
    ErwarteUnveraendert();
}

TEST_F(LesenTest, Bit15VorDemUebrigenByte) {
    // The decode stops at the bad word before it reaches the odd byte.
    const Rueckgelesen r = SpeicherabbildDecodieren(Abbild(0x1022, {0x90, 0x01, 0x10}));
    EXPECT_EQ(r.code, -1019418);
    EXPECT_TRUE(r.geraden.empty());
}

TEST_F(LesenTest, BereichDerZweitenKurveUngueltig) {
    // Curve 2 would start after curve 1's end (0x1023) but ends before it.
    const Bytes a = Abbild(0x1023, {0x10, 0x01, 0x10, 0x02}, 0, 0, 0x1010);
    EXPECT_EQ(SpeicherabbildDecodieren(a, 0).code, 0);
    EXPECT_EQ(SpeicherabbildDecodieren(a, 1).code, -1019408);
}

TEST_F(LesenTest, BereichUeberDieGelesenenBytesHinaus) {
    // The header names 0x1025 as the end, but only 0x1000..0x1023 are there.
    Bytes a = Abbild(0x1025, {0x10, 0x01, 0x10, 0x02, 0x10, 0x03});
    a.resize(a.size() - 2);
    EXPECT_EQ(SpeicherabbildDecodieren(a).code, -1019409);
    EXPECT_EQ(SpeicherabbildDecodieren(Bytes(31, 0)).code, -1019409);
    // Curve 2's end beyond the bytes read.
    const Bytes b = Abbild(0x1021, {0x10, 0x01}, 0, 0, 0x2000);
    EXPECT_EQ(SpeicherabbildDecodieren(b, 1).code, -1019409);
}

TEST_F(LesenTest, BereichspruefungAnIhrenGrenzen) {
    EXPECT_EQ(KurvenbereichPruefen(0x1020, 0x1020), 0);
    EXPECT_EQ(KurvenbereichPruefen(0x1020, 0xFFFF), 0);
    EXPECT_EQ(KurvenbereichPruefen(0x101F, 0x1030), -1019408);
    EXPECT_EQ(KurvenbereichPruefen(0x1030, 0x102F), -1019408);
    EXPECT_EQ(KurvenbereichPruefen(0x1020, 0x10000), -1019409);
    EXPECT_EQ(KurvenbereichPruefen(0x1020, 0x1041, 0x1041), -1019409);
    EXPECT_EQ(KurvenbereichPruefen(0x1020, 0x1040, 0x1041), 0);
}

TEST_F(LesenTest, KopfFelderBigEndian) {
    Bytes k(32, 0);
    for (std::size_t i = 0; i < 32; ++i) {
        k[i] = static_cast<std::uint8_t>(i + 1);
    }
    const Speicherkopf h = KopfDecodieren(k);
    EXPECT_EQ(h.pruefsumme, 0x0102);
    EXPECT_EQ(h.endadresse, (std::array<std::uint16_t, 4>{0x0304, 0x0506, 0x0708, 0x090A}));
    EXPECT_EQ(h.zyklen, (std::array<std::uint16_t, 4>{0x0B0C, 0x0D0E, 0x0F10, 0x1112}));
    EXPECT_EQ(h.ruhezustand, (std::array<std::uint16_t, 4>{0x1314, 0x1516, 0x1718, 0x191A}));
    EXPECT_EQ(h.kurvenzahl, 0x1B);
}

TEST_F(LesenTest, KurvenzahlDesBoardsWirdNichtBenutzt) {
    Bytes a = Abbild(0x1021, {0x20, 0x05});
    a[0x1A] = 0;
    unsigned s = 1;
    for (std::size_t i = 2; i < a.size(); ++i) {
        s += a[i];
    }
    a[0] = static_cast<std::uint8_t>(s >> 8);
    a[1] = static_cast<std::uint8_t>(s);
    BoardBeschreiben(a);
    ASSERT_EQ(KurvenLesen(kPort, '1'), 0);
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{5, 1, 3}}));
}

TEST_F(LesenTest, FehlerDesLesebefehlsKommenDurch) {
    BoardBeschreiben(Abbild(0x10C7, Bytes(168, 1)));
    leitung->StoerungSetzen(Plan(Stoerung::Nak, {1}));
    EXPECT_EQ(KurvenLesen(kPort, '1'), -402099);
    ErwarteUnveraendert();
    // The board counts frames from its start: this read's header is frame 2,
    // its second block frame 4, where the transfer ends.
    rahmen->clear();
    leitung->StoerungSetzen(Plan(Stoerung::FalschePruefsumme, {4}));
    EXPECT_EQ(KurvenLesen(kPort, '1', Mitzaehlen()), -406114);
    EXPECT_EQ(rahmen->size(), 3u);
    EXPECT_EQ(fortschritt, (std::vector<int>{0, 32}));
    ErwarteUnveraendert();
    leitung->StoerungSetzen(Plan(Stoerung::Stille, {6}));  // the first block
    EXPECT_EQ(KurvenLesen(kPort, '1'), -403101);
    ErwarteUnveraendert();
}

TEST_F(LesenTest, OhnePortUndMitAlleAdresse) {
    EXPECT_EQ(KurvenLesen(-1, '1', Mitzaehlen()), -122431);
    EXPECT_EQ(KurvenLesen(0, '1'), -122431);
    EXPECT_EQ(KurvenLesen(kPort, '&'), -400092);
    EXPECT_TRUE(rahmen->empty());
    EXPECT_TRUE(fortschritt.empty());
    ErwarteUnveraendert();
}

TEST_F(LesenTest, NachJedemLesenKeinDateinameUndGanzeKurveSichtbar) {
    gAnsichtStart = 5;
    gAnsichtEnde = 6;
    EXPECT_NE(KurvenLesen(kPort, '1'), 0);
    EXPECT_TRUE(gKurvendatei.empty());
    EXPECT_EQ(gAnsichtStart, 0.0);
    EXPECT_EQ(gAnsichtEnde, Kurve_Dauer(0) - 1);

    gKurvendatei = "/tmp/alt.skr";
    BoardBeschreiben(Abbild(0x1023, {0x10, 0x01, 0x10, 0x02}));
    ASSERT_EQ(KurvenLesen(kPort, '1'), 0);
    EXPECT_TRUE(gKurvendatei.empty());
    EXPECT_EQ(gAnsichtEnde, 2 * 2000.0 - 1);  // two ticks of "2ms"
}

TEST_F(LesenTest, KeinUndoSchrittUndMerkerBleibt) {
    BoardBeschreiben(Abbild(0x1023, {0x10, 0x01, 0x10, 0x02}));
    const int undo = gUndoAnzahl[0];
    gKurvenGeaendert = false;
    ASSERT_EQ(KurvenLesen(kPort, '1'), 0);
    EXPECT_EQ(gUndoAnzahl[0], undo);
    EXPECT_FALSE(gKurvenGeaendert);
    gKurvenGeaendert = true;
    ASSERT_EQ(KurvenLesen(kPort, '1'), 0);
    EXPECT_TRUE(gKurvenGeaendert);
}

TEST_F(LesenTest, AndereKurvenUndKommentarBleiben) {
    Setze({Gerade{1, 2, 3}, Gerade{4, 5, 6}}, 2);
    gKurven[0].kommentar = "bleibt";
    gZyklen[1] = 44;
    gRuhezustand[3] = 55;
    BoardBeschreiben(Abbild(0x1021, {0x10, 0x01}, 1, 2));
    ASSERT_EQ(KurvenLesen(kPort, '1'), 0);
    EXPECT_EQ(Geraden(2), (std::vector<Gerade>{{1, 2, 3}, {4, 5, 6}}));
    EXPECT_EQ(gKurven[0].kommentar, "bleibt");
    EXPECT_EQ(gZyklen[1], 44);
    EXPECT_EQ(gRuhezustand[3], 55);
}

}  // namespace
}  // namespace curves::test
