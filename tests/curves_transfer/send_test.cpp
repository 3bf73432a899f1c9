// Sending: the image of curve 1 as it reaches the board, the memory-full
// rule, the blocks with their progress, the first failing block, the length
// question, and what sending leaves alone.

#include <gtest/gtest.h>

#include "curves/transfer.h"
#include "support/temp_dir.h"
#include "transfer_fixture.h"

namespace curves::test {
namespace {

using mux6sim::Stoerung;

// The new curve (one "10ms" tick at 0), laid out by hand from the board's
// memory layout: checksum, end address 0x1021, cycles and rest values 0, one
// curve, five zeros, the word 0x3000.
Bytes NeueKurveAbbild() {
    Bytes b(34, 0);
    b[0] = 0x00;
    b[1] = 0x63;
    b[2] = 0x10;
    b[3] = 0x21;
    b[0x1A] = 1;
    b[0x20] = 0x30;
    b[0x21] = 0x00;
    return b;
}

TEST_F(UebertragungTest, NeueKurveGehtInEinemBlock) {
    const Sendeergebnis e = KurvenSenden(kPort, '1', Mitzaehlen());
    EXPECT_EQ(e.code, 0);
    EXPECT_FALSE(e.speicherVoll);
    const auto bloecke = Bloecke();
    ASSERT_EQ(bloecke.size(), 1u);
    EXPECT_EQ(bloecke[0].start, 0x1000);
    EXPECT_EQ(bloecke[0].laenge, 34);
    EXPECT_EQ(bloecke[0].daten, NeueKurveAbbild());
    EXPECT_EQ(Boardspeicher(34), NeueKurveAbbild());
    EXPECT_EQ(fortschritt, (std::vector<int>{0, 100}));
}

TEST_F(UebertragungTest, AbbildDerNeuenKurveImPuffer) {
    Speicherabbild a;
    ASSERT_TRUE(SpeicherabbildBauen(a));
    EXPECT_EQ(a.ende, 0x1022u);
    const auto s = a.Sendebereich();
    EXPECT_EQ(Bytes(s.begin(), s.end()), NeueKurveAbbild());
}

TEST_F(UebertragungTest, ZyklenUndRuhewerteAllerVierKurvenImKopf) {
    gZyklen = {1, 0x1234, 3, 70000};  // only the low 16 bits fit
    gRuhezustand = {4095, 1, 2, 3};
    ASSERT_EQ(KurvenSenden(kPort, '1').code, 0);
    const Bytes b = Boardspeicher(34);
    EXPECT_EQ(Bytes(b.begin() + 0x0A, b.begin() + 0x12),
              (Bytes{0x00, 0x01, 0x12, 0x34, 0x00, 0x03, 0x11, 0x70}));
    EXPECT_EQ(Bytes(b.begin() + 0x12, b.begin() + 0x1A),
              (Bytes{0x0F, 0xFF, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03}));
    // Curves 2..4 are never in the image: their end addresses stay 0.
    EXPECT_EQ(Bytes(b.begin() + 4, b.begin() + 0x0A), Bytes(6, 0));
}

TEST_F(UebertragungTest, DreissigtausendSiebenhundertVierTicksPassenGenau) {
    Setze({Gerade{0, 30704, 1}});
    const Sendeergebnis e = KurvenSenden(kPort, '1', Mitzaehlen());
    ASSERT_EQ(e.code, 0);
    ASSERT_FALSE(e.speicherVoll);
    const auto bloecke = Bloecke();
    ASSERT_EQ(bloecke.size(), 960u);  // 61440 bytes in 64-byte blocks
    EXPECT_EQ(bloecke.back().start + bloecke.back().laenge - 1, 0xFFFF);
    // The end address field names the last sample byte.
    EXPECT_EQ(Board().speicher[0x1002], 0xFF);
    EXPECT_EQ(Board().speicher[0x1003], 0xFF);
    EXPECT_EQ(fortschritt.size(), 961u);
    EXPECT_EQ(fortschritt.back(), 100);
}

TEST_F(UebertragungTest, EinTickZuVielWirdAbgewiesenUndNichtsGesendet) {
    Setze({Gerade{0, 30000, 1}, Gerade{5, 705, 2}});
    const Sendeergebnis e = KurvenSenden(kPort, '1', Mitzaehlen());
    EXPECT_TRUE(e.speicherVoll);
    EXPECT_EQ(e.code, 0);
    EXPECT_TRUE(rahmen->empty());
    EXPECT_TRUE(fortschritt.empty());
    EXPECT_EQ(Boardspeicher(34), Bytes(34, 0));
    EXPECT_EQ(std::string(kSpeicherVollText),
              "Benötigter Platz für die Kurven überschreitet\nden verfügbaren Speicherplatz im "
              "VEK-7M.");
}

TEST_F(UebertragungTest, SpeicherVollGehtVorFehlendemPort) {
    Setze({Gerade{0, 30705, 1}});
    EXPECT_TRUE(KurvenSenden(-1, '1').speicherVoll);
}

TEST_F(UebertragungTest, BloeckeAufsteigendMitIhremFortschritt) {
    // 84 ticks: 32 + 168 = 200 bytes, three full blocks and one of 8.
    Setze({Gerade{0, 40, 4}, Gerade{4095, 44, 8}});
    ASSERT_EQ(KurvenSenden(kPort, '1', Mitzaehlen()).code, 0);
    const auto bloecke = Bloecke();
    ASSERT_EQ(bloecke.size(), 4u);
    const int starts[] = {0x1000, 0x1040, 0x1080, 0x10C0};
    const int laengen[] = {64, 64, 64, 8};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(bloecke[i].start, starts[i]) << i;
        EXPECT_EQ(bloecke[i].laenge, laengen[i]) << i;
    }
    // (total - remaining) * 100 / total after each block: 64, 128, 192, 200 of 200.
    EXPECT_EQ(fortschritt, (std::vector<int>{0, 32, 64, 96, 100}));
    Speicherabbild a;
    ASSERT_TRUE(SpeicherabbildBauen(a));
    const auto s = a.Sendebereich();
    EXPECT_EQ(Boardspeicher(200), Bytes(s.begin(), s.end()));
}

TEST_F(UebertragungTest, ErsterFehlerhafterBlockBeendetDieUebertragung) {
    Setze({Gerade{0, 40, 4}, Gerade{4095, 44, 8}});
    leitung->StoerungSetzen(Plan(Stoerung::Nak, {2}));
    const Sendeergebnis e = KurvenSenden(kPort, '1', Mitzaehlen());
    EXPECT_EQ(e.code, -402127);  // NAK to a memory write
    EXPECT_EQ(rahmen->size(), 2u);
    EXPECT_EQ(fortschritt, (std::vector<int>{0, 32}));
    // Only the first block reached the board.
    Speicherabbild a;
    ASSERT_TRUE(SpeicherabbildBauen(a));
    Bytes erwartet(a.bytes.begin() + 0x1000, a.bytes.begin() + 0x1040);
    erwartet.resize(200, 0);
    EXPECT_EQ(Boardspeicher(200), erwartet);
}

TEST_F(UebertragungTest, StilleUndCanGebenIhrenCode) {
    leitung->StoerungSetzen(Plan(Stoerung::Stille, {1}));
    EXPECT_EQ(KurvenSenden(kPort, '1').code, -403129);
    leitung->StoerungSetzen(Plan(Stoerung::Can, {2}));
    EXPECT_EQ(KurvenSenden(kPort, '1').code, -405128);
    EXPECT_EQ(rahmen->size(), 2u);
}

TEST_F(UebertragungTest, OhnePortNichtsAufDerLeitung) {
    EXPECT_EQ(KurvenSenden(-1, '1', Mitzaehlen()).code, -122430);
    EXPECT_EQ(KurvenSenden(0, '1').code, -122430);
    EXPECT_EQ(KurvenSenden(9, '1').code, -122430);
    EXPECT_TRUE(rahmen->empty());
    EXPECT_TRUE(fortschritt.empty());
}

TEST_F(UebertragungTest, EinNichtGeoeffneterPortGibtDenCodeDerVerbindung) {
    device::PortTabelleLeeren();
    // The exchange's first step, emptying the queues, fails first.
    EXPECT_EQ(KurvenSenden(kPort, '1').code, -124148);
    EXPECT_TRUE(rahmen->empty());
}

TEST_F(UebertragungTest, AnAlleGeraeteOhneAntwort) {
    mux6sim::Platine zweite;
    zweite.adresse = '2';
    leitung->Platinen().push_back(zweite);
    ASSERT_EQ(KurvenSenden(kPort, '&').code, 0);
    for (const auto& p : leitung->Platinen()) {
        EXPECT_EQ(p.speicher[0x1001], 0x63) << p.adresse;
    }
}

TEST_F(UebertragungTest, FalscheAdresseGibtDenCodeDerSchreibfunktion) {
    EXPECT_EQ(KurvenSenden(kPort, 'x').code, -400118);
    EXPECT_TRUE(rahmen->empty());
}

TEST_F(UebertragungTest, SendenLaesstKurvenMerkerUndDateinamenInRuhe) {
    Setze({Gerade{10, 3, 1}, Gerade{20, 4, 2}});
    Setze({Gerade{30, 5, 3}, Gerade{40, 6, 4}}, 1);
    gKurven[0].kommentar = "Prüfstand";
    gKurvenGeaendert = true;
    gKurvendatei = "/tmp/a.skr";
    gZyklen[0] = 7;
    gRuhezustand[0] = 9;
    const auto kurvenVorher = gKurven;
    const auto zyklenVorher = gZyklen;
    const auto ruheVorher = gRuhezustand;
    ASSERT_EQ(KurvenSenden(kPort, '1').code, 0);
    for (std::size_t i = 0; i < kKurven; ++i) {
        EXPECT_EQ(gKurven[i].geraden, kurvenVorher[i].geraden) << i;
        EXPECT_EQ(gKurven[i].kommentar, kurvenVorher[i].kommentar) << i;
        EXPECT_EQ(gKurven[i].anzahl, kurvenVorher[i].anzahl) << i;
    }
    EXPECT_EQ(gZyklen, zyklenVorher);
    EXPECT_EQ(gRuhezustand, ruheVorher);
    EXPECT_TRUE(gKurvenGeaendert);
    EXPECT_EQ(gKurvendatei, "/tmp/a.skr");
    // Also after a refused send and a failed one.
    gKurvenGeaendert = false;
    EXPECT_EQ(KurvenSenden(-1, '1').code, -122430);
    EXPECT_FALSE(gKurvenGeaendert);
    EXPECT_EQ(gKurvendatei, "/tmp/a.skr");
}

// ---- the length question ----------------------------------------------------------

TEST_F(UebertragungTest, GleichLangeKurvenFragenNicht) {
    Setze({Gerade{0, 2, 4}, Gerade{1, 3, 4}});      // 50 ms
    Setze({Gerade{0, 49, 1}, Gerade{1, 1, 1}}, 1);  // 50 ms
    Setze({Gerade{0, 20, 2}, Gerade{9, 1, 4}}, 2);  // 50 ms
    EXPECT_FALSE(KurvenlaengenPruefen().frage);
}

TEST_F(UebertragungTest, KurvenMitEinemSegmentZaehlenNicht) {
    Setze({Gerade{0, 2, 4}, Gerade{1, 3, 4}});
    Setze({Gerade{0, 7, 8}}, 1);  // one segment: not considered
    const Laengenpruefung p = KurvenlaengenPruefen();
    EXPECT_FALSE(p.frage);
    EXPECT_TRUE(p.text.empty());
}

TEST_F(UebertragungTest, UngleicheLaengeGibtDieWarnung) {
    Setze({Gerade{0, 1, 4}, Gerade{1, 1, 4}});     // 0.02 s
    Setze({Gerade{0, 1, 1}, Gerade{1, 2, 3}}, 1);  // 0.011 s
    const Laengenpruefung p = KurvenlaengenPruefen();
    ASSERT_TRUE(p.frage);
    EXPECT_EQ(p.text,
              "Kurven sind nicht gleich lang, und laufen daher nicht synchron.\n\n"
              "Kurve 1: 0.02000 sek\n"
              "Kurve 2: 0.01100 sek\n");
    EXPECT_STREQ(kLaengenFrageTitel, "Warnung");
    EXPECT_STREQ(kLaengenKnopfSenden, "Kurven senden");
    EXPECT_STREQ(kLaengenKnopfZurueck, "zurück");
}

TEST_F(UebertragungTest, WarnungNenntNurDieBetrachtetenKurven) {
    // Curve 1 has one segment; the first considered curve is curve 2.
    Setze({Gerade{0, 1, 8}, Gerade{1, 1, 8}}, 1);  // 2 s
    Setze({Gerade{0, 3, 7}, Gerade{1, 1, 8}}, 3);  // 2.5 s
    const Laengenpruefung p = KurvenlaengenPruefen();
    ASSERT_TRUE(p.frage);
    EXPECT_EQ(p.text,
              "Kurven sind nicht gleich lang, und laufen daher nicht synchron.\n\n"
              "Kurve 2: 2.00000 sek\n"
              "Kurve 4: 2.50000 sek\n");
}

TEST_F(UebertragungTest, WarnungInDeutscherUmgebungMitPunkt) {
    testsupport::LocaleScope de("de_DE.UTF-8");
    Setze({Gerade{0, 1, 4}, Gerade{1, 1, 4}});
    Setze({Gerade{0, 1, 1}, Gerade{1, 2, 3}}, 1);
    EXPECT_NE(KurvenlaengenPruefen().text.find("Kurve 2: 0.01100 sek\n"), std::string::npos);
}

TEST_F(UebertragungTest, ZurueckSendetNichts) {
    Setze({Gerade{0, 1, 4}, Gerade{1, 1, 4}});
    Setze({Gerade{0, 1, 1}, Gerade{1, 2, 3}}, 1);
    ASSERT_TRUE(KurvenlaengenPruefen().frage);
    EXPECT_FALSE(AntwortSendet(kAntwortZurueck));
    EXPECT_EQ(KurvenSendenNachFrage(kAntwortZurueck, kPort, '1', Mitzaehlen()).code, 0);
    EXPECT_EQ(KurvenSendenNachFrage(0, kPort, '1').code, 0);  // box closed
    EXPECT_TRUE(rahmen->empty());
    EXPECT_TRUE(fortschritt.empty());
}

TEST_F(UebertragungTest, KurvenSendenSendet) {
    Setze({Gerade{0, 1, 4}, Gerade{1, 1, 4}});
    Setze({Gerade{0, 1, 1}, Gerade{1, 2, 3}}, 1);
    EXPECT_TRUE(AntwortSendet(kAntwortSenden));
    EXPECT_EQ(KurvenSendenNachFrage(kAntwortSenden, kPort, '1').code, 0);
    ASSERT_EQ(rahmen->size(), 1u);
    EXPECT_EQ(Bloecke()[0].laenge, 32 + 2 * 2);
}

}  // namespace
}  // namespace curves::test
