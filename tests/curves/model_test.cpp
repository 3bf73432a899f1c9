#include "curves/model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "config/model.h"
#include "storage/checksum.h"

namespace curves {
namespace {

class ModellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        config::StandardwerteSetzen();
        ASSERT_EQ(KurvenInit(), 0);
    }
    void TearDown() override { config::StandardwerteSetzen(); }

    static void Setze(int k, std::vector<Gerade> g) {
        gKurven[static_cast<std::size_t>(k)].geraden = std::move(g);
        gKurven[static_cast<std::size_t>(k)].anzahl =
            static_cast<std::int32_t>(gKurven[static_cast<std::size_t>(k)].geraden.size());
    }
};

TEST_F(ModellTest, StartzustandJederKurve) {
    for (const Kurve& k : gKurven) {
        ASSERT_EQ(k.anzahl, 1);
        ASSERT_EQ(k.geraden.size(), 1u);
        EXPECT_EQ(k.geraden[0], (Gerade{0, 1, 4}));
        EXPECT_TRUE(k.kommentar.empty());
    }
    for (int i = 0; i < kKurven; ++i) {
        EXPECT_EQ(gZyklen[i], 0);
        EXPECT_EQ(gRuhezustand[i], 0);
        EXPECT_EQ(gYRaster[i], 0.0);
        EXPECT_EQ(gYZoomMin[i], 0);
        EXPECT_EQ(gYZoomMax[i], 4095);
        EXPECT_EQ(gUndoAnzahl[i], 0);
        EXPECT_EQ(gRedoAnzahl[i], 0);
        EXPECT_EQ(gUndoPosition[i], 0);
        for (const UndoSchritt& s : gUndoRing[i]) {
            EXPECT_EQ(s.anzahl, 1);
            EXPECT_EQ(s.geraden, gKurven[0].geraden);
        }
    }
    EXPECT_EQ(gAktuelleKurve, 0);
    EXPECT_EQ(gAnsichtStart, 0.0);
    EXPECT_EQ(gAnsichtEnde, 10000.0);
    EXPECT_FALSE(gMarkierungAktiv);
    EXPECT_EQ(gZwischenspeicher.anzahl, 0);
    EXPECT_EQ(gKurvenzahl, 4);
    EXPECT_FALSE(gKurvenGeaendert);
    EXPECT_TRUE(gKurvendatei.empty());
}

TEST_F(ModellTest, InitSetztVeraendertenZustandZurueck) {
    Setze(2, {{5, 7, 1}, {9, 1, 1}});
    gKurvenGeaendert = true;
    gKurvendatei = "x.skr";
    gUndoAnzahl[1] = 3;
    gAktuelleKurve = 3;
    ASSERT_EQ(KurvenInit(), 0);
    EXPECT_EQ(gKurven[2].anzahl, 1);
    EXPECT_FALSE(gKurvenGeaendert);
    EXPECT_TRUE(gKurvendatei.empty());
    EXPECT_EQ(gUndoAnzahl[1], 0);
    EXPECT_EQ(gAktuelleKurve, 0);
}

TEST_F(ModellTest, DarstellungAusserhalbGibtLinienUndStufen) {
    DarstellungSetzen(1);
    EXPECT_EQ(gDarstellung, 1);
    DarstellungSetzen(2);
    EXPECT_EQ(gDarstellung, 2);
    DarstellungSetzen(0);
    EXPECT_EQ(gDarstellung, 3);
    DarstellungSetzen(4);
    EXPECT_EQ(gDarstellung, 3);
}

TEST(Zeitbasis, TabelleDerAchtZeitbasen) {
    const char* namen[] = {"1ms", "2ms", "5ms", "10ms", "50ms", "100ms", "500ms", "1s"};
    const int us[] = {1000, 2000, 5000, 10000, 50000, 100000, 500000, 1000000};
    for (int c = 1; c <= 8; ++c) {
        EXPECT_EQ(Zeitbasis_Mikrosekunden(c), us[c - 1]);
        EXPECT_STREQ(Zeitbasis_Name(c), namen[c - 1]);
        EXPECT_EQ(Zeitbasis_AusName(namen[c - 1]), c);
    }
    EXPECT_EQ(Zeitbasis_Mikrosekunden(0), 0);
    EXPECT_EQ(Zeitbasis_Mikrosekunden(9), 0);
    EXPECT_EQ(Zeitbasis_Mikrosekunden(-1), 0);
}

TEST(Zeitbasis, AusNameVergleichtGenau) {
    EXPECT_EQ(Zeitbasis_AusName("10 ms"), 0);
    EXPECT_EQ(Zeitbasis_AusName("10MS"), 0);
    EXPECT_EQ(Zeitbasis_AusName("20ms"), 0);
    EXPECT_EQ(Zeitbasis_AusName("200ms"), 0);
    EXPECT_EQ(Zeitbasis_AusName(""), 0);
    EXPECT_EQ(Zeitbasis_AusName("1s "), 0);
}

TEST_F(ModellTest, NeueKurveDauertEinenZehnMsTick) {
    EXPECT_EQ(Kurve_Dauer(0), 10000.0);
    EXPECT_EQ(Kurve_Startzeit(0), 0.0);
    EXPECT_EQ(Kurve_Startzeit(1), Kurve_Dauer(0));
}

TEST_F(ModellTest, StartzeitenSummierenDieDauern) {
    Setze(0, {{0, 3, 1}, {100, 2, 4}, {200, 1, 8}});
    EXPECT_EQ(Kurve_Startzeit(0), 0.0);
    EXPECT_EQ(Kurve_Startzeit(1), 3 * 1000.0);
    EXPECT_EQ(Kurve_Startzeit(2), 3 * 1000.0 + 2 * 10000.0);
    EXPECT_EQ(Kurve_Startzeit(3), 3 * 1000.0 + 2 * 10000.0 + 1e6);
    EXPECT_EQ(Kurve_Dauer(0), Kurve_Startzeit(3));
}

TEST_F(ModellTest, GeradeBeiZeitGrenzenGehoerenZurBeginnendenGerade) {
    Setze(0, {{0, 3, 1}, {100, 2, 4}, {200, 1, 4}});
    EXPECT_EQ(Kurve_GeradeBeiZeit(0.0), 0);
    EXPECT_EQ(Kurve_GeradeBeiZeit(2999.0), 0);
    EXPECT_EQ(Kurve_GeradeBeiZeit(2999.9), 0);  // floor(t) counts
    EXPECT_EQ(Kurve_GeradeBeiZeit(3000.0), 1);
    EXPECT_EQ(Kurve_GeradeBeiZeit(22999.0), 1);
    EXPECT_EQ(Kurve_GeradeBeiZeit(23000.0), 2);
    EXPECT_EQ(Kurve_GeradeBeiZeit(1e12), 2);  // past the end: the closing segment
    EXPECT_EQ(Kurve_GeradeBeiZeit(-50.0), 0);
    EXPECT_EQ(Kurve_GeradeBeiZeit(std::nan("")), 2);
}

TEST_F(ModellTest, NaechsterPunktMisstInBildpunkten) {
    // Points at 0 µs / 0 and 10000 µs / 4095; visible 0..9999 (W 10000).
    Setze(0, {{0, 1, 4}, {4095, 1, 4}});
    gAnsichtStart = 0;
    gAnsichtEnde = 9999;
    // Halfway in time, near the top: in a wide, flat plot time dominates...
    EXPECT_EQ(Kurve_NaechsterPunkt(4000, 4000, 1000, 10), 0);
    EXPECT_EQ(Kurve_NaechsterPunkt(6000, 0, 1000, 10), 1);
    // ...in a narrow, tall one the value does.
    EXPECT_EQ(Kurve_NaechsterPunkt(4000, 4000, 10, 1000), 1);
    EXPECT_EQ(Kurve_NaechsterPunkt(6000, 0, 10, 1000), 0);
    // Equal distances: the earlier point wins.
    EXPECT_EQ(Kurve_NaechsterPunkt(5000, 2047.5, 100, 100), 0);
}

TEST_F(ModellTest, NaechsterPunktHaengtVomSichtbarenBereichAb) {
    Setze(0, {{0, 1, 4}, {0, 1, 4}, {4095, 1, 4}});
    // Point 1 at 10000/0, point 2 at 20000/4095. t=15000, y=1000.
    gAnsichtStart = 0;
    gAnsichtEnde = 999999;  // wide view: time differences are small in pixels
    EXPECT_EQ(Kurve_NaechsterPunkt(15000, 1000, 500, 500), 1);
    gAnsichtEnde = 9999;  // narrow view: dx 250 px each, dy decides
    EXPECT_EQ(Kurve_NaechsterPunkt(15000, 3500, 500, 500), 2);
}

TEST_F(ModellTest, YRastenOhneRasterRundetUndBegrenzt) {
    EXPECT_EQ(Kurve_YRasten(0, 4095.6, 0.0), 4095.0);
    EXPECT_EQ(Kurve_YRasten(0, -3.0, 0.0), 0.0);
    EXPECT_EQ(Kurve_YRasten(0, 100.5, 0.0), 101.0);
    EXPECT_EQ(Kurve_YRasten(0, 100.49, 0.0), 100.0);
    EXPECT_EQ(Kurve_YRasten(0, std::nan(""), 0.0), 0.0);
}

TEST_F(ModellTest, YRastenMitRasterInAnzeigeeinheiten) {
    // Default scaling: 4095 counts = 10 V; a 1 V grid is 409.5 counts.
    const double schritt = 4095.0 / 10.0;
    EXPECT_EQ(Kurve_YRasten(0, 400, 1.0), std::floor(schritt + 0.5));
    EXPECT_EQ(Kurve_YRasten(0, 100, 1.0), 0.0);
    EXPECT_EQ(Kurve_YRasten(0, 820, 1.0), std::floor(2 * schritt + 0.5));
}

TEST_F(ModellTest, YRasterIstAmAnzeigeNullpunktVerankert) {
    // Output 1: 0..10 V shown as -5..5 bar, display zero at 2047.5 counts.
    config::gKonfig.outskalamin[0] = -5;
    config::gKonfig.outskalamax[0] = 5;
    const double r0 = AnzeigeZuRoh(0, 0);
    ASSERT_NEAR(r0, 2047.5, 1e-9);
    const double schritt = AnzeigeZuRoh(0, 2.0) - r0;  // 819 counts
    const double y = r0 + schritt * 0.9;
    EXPECT_EQ(Kurve_YRasten(0, y, 2.0), std::floor(r0 + schritt + 0.5));
    EXPECT_EQ(Kurve_YRasten(0, r0 + 5, 2.0), std::floor(r0 + 0.5));
}

TEST_F(ModellTest, AnzeigeUmrechnungFolgtDerKonfiguration) {
    config::gKonfig.voutmax = 5;
    config::gKonfig.outmin[1] = 1;
    config::gKonfig.outmax[1] = 5;
    config::gKonfig.outskalamin[1] = 0;
    config::gKonfig.outskalamax[1] = 1000;
    config::gKonfig.outeinheit[1] = "mBar";
    // 4095 counts = 5 V = 1000 mBar; 819 counts = 1 V = 0 mBar.
    EXPECT_NEAR(RohZuAnzeige(1, 4095), 1000.0, 1e-9);
    EXPECT_NEAR(RohZuAnzeige(1, 819), 0.0, 1e-9);
    EXPECT_NEAR(AnzeigeZuRoh(1, 500), 819 + (4095 - 819) / 2.0, 1e-9);
    EXPECT_EQ(Einheit(1), "mBar");
    EXPECT_EQ(Einheit(0), "V");
}

TEST(Zeitteilung, TeilenUndZusammensetzen) {
    const double t = 1000.0 * (1000.0 * (60.0 * (60.0 * 2 + 3) + 4) + 5.25);
    const Zeitteile z = ZeitTeilen(t);
    EXPECT_EQ(z.stunden, 2);
    EXPECT_EQ(z.minuten, 3);
    EXPECT_EQ(z.sekunden, 4);
    EXPECT_DOUBLE_EQ(z.millisekunden, 5.25);
    EXPECT_DOUBLE_EQ(ZeitZusammensetzen(z), t);
    EXPECT_EQ(ZeitZusammensetzen(0, 0, 0, 30), 30000.0);
    EXPECT_EQ(ZeitTeilen(999.0).millisekunden, 0.999);
}

TEST(Abtastung, LinearGerundetEndwertGehoertZurNaechsten) {
    // 0 -> 100 over 4 ticks: 0, 25, 50, 75; 100 is the next segment's first.
    Kurve k;
    k.geraden = {{0, 4, 1}, {100, 1, 1}};
    k.anzahl = 2;
    std::vector<int> w;
    Kurve_GeradeAbtasten(k, 0, w);
    EXPECT_EQ(w, (std::vector<int>{0, 25, 50, 75}));
    w.clear();
    Kurve_GeradeAbtasten(k, 1, w);  // closing: back to y(0)
    EXPECT_EQ(w, (std::vector<int>{100}));
    EXPECT_EQ(Abtastwert(0, 1, 1, 2), 1);  // 0.5 rounds up
    EXPECT_EQ(Abtastwert(0, 3, 1, 3), 1);
    EXPECT_EQ(Abtastwert(5000, 5000, 0, 1), 4095);
    EXPECT_EQ(Abtastwert(-7, -7, 0, 1), 0);
}

TEST(Abtastung, Abtastwoerter) {
    EXPECT_EQ(Abtastwort(4095, 8), 0x7FFF);
    EXPECT_EQ(Abtastwort(0, 1), 0x0000);
    EXPECT_EQ(Abtastwort(0, 4), 0x3000);
    EXPECT_EQ(Abtastwort(0x123, 2), 0x1123);
}

TEST_F(ModellTest, SpeicherbedarfVierNeuerKurven) {
    EXPECT_EQ(Speicherbedarf(), 32 + 4 * 2);
    EXPECT_DOUBLE_EQ(SpeicherbedarfProzent(), 100.0 * 40 / 61440 + 0.05);
    Setze(3, {{0, 100, 1}, {0, 1, 1}});
    EXPECT_EQ(Speicherbedarf(), 32 + 3 * 2 + 2 * 101);
}

TEST_F(ModellTest, AbbildDerNeuenKurve) {
    Speicherabbild a;
    EXPECT_TRUE(a.Sendebereich().empty());
    ASSERT_TRUE(SpeicherabbildBauen(a));
    EXPECT_EQ(a.ende, 0x1022u);
    const auto s = a.Sendebereich();
    ASSERT_EQ(s.size(), 34u);
    const std::vector<std::uint8_t> erwartet = {0x00, 0x63,                    // checksum
                                                0x10, 0x21, 0, 0, 0, 0, 0, 0,  // end addresses
                                                0,    0,    0, 0, 0, 0, 0, 0,  // cycles
                                                0,    0,    0, 0, 0, 0, 0, 0,  // rest values
                                                0x01, 0,    0, 0, 0, 0,        // count, zeros
                                                0x30, 0x00};                   // the one sample
    EXPECT_EQ(std::vector<std::uint8_t>(s.begin(), s.end()), erwartet);
}

TEST_F(ModellTest, AbbildMitZyklenRuhewertenUndPruefsumme) {
    Setze(0, {{0, 2, 1}, {4095, 1, 8}});
    gZyklen = {3, 70000, 0, 1};
    gRuhezustand = {4095, 0, 7, 0};
    Speicherabbild a;
    ASSERT_TRUE(SpeicherabbildBauen(a));
    const auto& b = a.bytes;
    EXPECT_EQ(a.ende, 0x1020u + 6);
    EXPECT_EQ(b[0x1002] << 8 | b[0x1003], 0x1025);
    EXPECT_EQ(b[0x100A] << 8 | b[0x100B], 3);
    EXPECT_EQ(b[0x100C] << 8 | b[0x100D], 70000 & 0xFFFF);
    EXPECT_EQ(b[0x1012] << 8 | b[0x1013], 4095);
    EXPECT_EQ(b[0x1016] << 8 | b[0x1017], 7);
    // Samples: 0, 2048 (half way, rounded up) at "1ms"; 4095 at "1s".
    EXPECT_EQ(b[0x1020] << 8 | b[0x1021], 0x0000);
    EXPECT_EQ(b[0x1022] << 8 | b[0x1023], 2048);
    EXPECT_EQ(b[0x1024] << 8 | b[0x1025], 0x7FFF);
    const std::uint16_t summe =
        storage::Pruefsumme(std::span<const std::uint8_t>(b).subspan(0x1002, a.ende - 0x1002));
    EXPECT_EQ(b[0x1000] << 8 | b[0x1001], summe);
}

TEST_F(ModellTest, AbbildPasstBis30704Ticks) {
    Setze(0, {{0, 30703, 1}, {0, 1, 1}});
    Speicherabbild a;
    ASSERT_TRUE(SpeicherabbildBauen(a));
    EXPECT_EQ(a.ende, 0x10000u);
    EXPECT_EQ(a.bytes[0x1002] << 8 | a.bytes[0x1003], 0xFFFF);
    Setze(0, {{0, 30704, 1}, {0, 1, 1}});
    EXPECT_FALSE(SpeicherabbildBauen(a));
}

}  // namespace
}  // namespace curves
