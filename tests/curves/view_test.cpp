#include "curves/view.h"

#include <gtest/gtest.h>

#include "curve_fixture.h"
#include "curves/editing.h"

namespace curves {
namespace {

using test::KurvenTest;

using AnsichtTest = KurvenTest;

TEST_F(AnsichtTest, ZoomPlusAufDerStartansicht) {
    EXPECT_EQ(AnsichtBreite(), 10001);
    ZoomPlus();
    EXPECT_EQ(gAnsichtStart, 1666);
    EXPECT_EQ(gAnsichtEnde, 8333);
}

TEST_F(AnsichtTest, ZoomPlusBleibtBeiEinerMikrosekunde) {
    gAnsichtStart = 500;
    gAnsichtEnde = 500;
    ZoomPlus();
    EXPECT_EQ(AnsichtBreite(), 1);
    EXPECT_EQ(gAnsichtStart, 500);
}

TEST_F(AnsichtTest, ZoomMinusAufDerStartansicht) {
    ZoomMinus();
    EXPECT_EQ(gAnsichtStart, 0);
    EXPECT_EQ(gAnsichtEnde, 15000);
}

TEST_F(AnsichtTest, ZoomMinusAusDerMitte) {
    gAnsichtStart = 60000;
    gAnsichtEnde = 65999;  // W 6000 -> 9000, start moves 1500 left
    ZoomMinus();
    EXPECT_EQ(gAnsichtStart, 58500);
    EXPECT_EQ(gAnsichtEnde, 58500 + 9000 - 1);
}

TEST_F(AnsichtTest, ZoomMarkierungUndGesamtkurve) {
    EXPECT_FALSE(ZoomMarkierung());
    MarkierungBeginnen(2000);
    MarkierungBeenden(7000);
    EXPECT_TRUE(ZoomMarkierung());
    EXPECT_EQ(gAnsichtStart, 2000);
    EXPECT_EQ(gAnsichtEnde, 6999);
    EXPECT_FALSE(gMarkierungAktiv);
    // A zero-width mark only goes away.
    MarkierungBeginnen(3000);
    MarkierungBeenden(3000);
    EXPECT_TRUE(ZoomMarkierung());
    EXPECT_EQ(gAnsichtStart, 2000);
    EXPECT_FALSE(gMarkierungAktiv);
    Setze({{0, 5, 4}, {0, 1, 4}});
    ZoomGesamtkurve();
    EXPECT_EQ(gAnsichtStart, 0);
    EXPECT_EQ(gAnsichtEnde, 59999);
}

TEST_F(AnsichtTest, Rollbalken) {
    Setze({{0, 9, 4}, {0, 1, 4}});  // 100000 µs
    gAnsichtStart = 0;
    gAnsichtEnde = 99999;
    Rollbalken r = RollbalkenBerechnen();
    EXPECT_EQ(r.groesse, 100);
    EXPECT_EQ(r.position, 0);
    gAnsichtStart = 45000;
    gAnsichtEnde = 54999;  // W 10000 of 100000
    r = RollbalkenBerechnen();
    EXPECT_EQ(r.groesse, 10);
    EXPECT_EQ(r.position, 50);  // 100 * 45000 / 90000
    RollbalkenGesetzt(100);
    EXPECT_EQ(gAnsichtStart, 90000);
    EXPECT_EQ(gAnsichtEnde, 99999);
    RollbalkenGesetzt(0);
    EXPECT_EQ(gAnsichtStart, 0);
    EXPECT_EQ(AnsichtBreite(), 10000);
    // Wider than the curve: nothing to scroll.
    gAnsichtEnde = 1e6;
    EXPECT_EQ(RollbalkenBerechnen().position, 0);
    EXPECT_EQ(RollbalkenBerechnen().groesse, 100);
}

TEST_F(AnsichtTest, YAchseUndYZoom) {
    config::gKonfig.outskalamin[0] = -5;
    config::gKonfig.outskalamax[0] = 5;
    config::gKonfig.outeinheit[0] = "bar";
    const YAchse a = YAchseBerechnen(0);
    EXPECT_DOUBLE_EQ(a.versatz, -5);
    EXPECT_DOUBLE_EQ(a.faktor, 10.0 / 4095);
    EXPECT_EQ(a.einheit, "bar");
    EXPECT_EQ(a.min, 0);
    EXPECT_EQ(a.max, 4095);
    ASSERT_TRUE(YZoomSetzen(0, 2.5));
    EXPECT_EQ(gYZoomMin[0], 2047);  // 2047.5 truncated
    EXPECT_EQ(gYZoomMax[0], 3071);  // 3071.25 truncated
    // Beyond the board's range: limited.
    ASSERT_TRUE(YZoomSetzen(-100, 100));
    EXPECT_EQ(gYZoomMin[0], 0);
    EXPECT_EQ(gYZoomMax[0], 4095);
}

TEST_F(AnsichtTest, YZoomMinNichtUnterMaxWirdVerworfen) {
    gYZoomMin[0] = 10;
    gYZoomMax[0] = 20;
    EXPECT_FALSE(YZoomSetzen(5, 5));
    EXPECT_FALSE(YZoomSetzen(6, 5));
    EXPECT_EQ(gYZoomMin[0], 10);
    EXPECT_EQ(gYZoomMax[0], 20);
}

TEST_F(AnsichtTest, ZyklenUndRuhezustand) {
    gAktuelleKurve = 1;
    EXPECT_DOUBLE_EQ(ZyklenUndRuhezustandSetzen(12, 5.0), RohZuAnzeige(1, 2047));
    EXPECT_EQ(gZyklen[1], 12);
    EXPECT_EQ(gRuhezustand[1], 2047);
    EXPECT_TRUE(gKurvenGeaendert);
    EXPECT_DOUBLE_EQ(ZyklenUndRuhezustandSetzen(0, 20.0), 10.0);
    EXPECT_EQ(gRuhezustand[1], 4095);
    EXPECT_DOUBLE_EQ(ZyklenUndRuhezustandSetzen(0, -1.0), 0.0);
    EXPECT_EQ(gRuhezustand[1], 0);
}

TEST_F(AnsichtTest, KommentarZweiZeilenUndVorschau) {
    EXPECT_EQ(KommentarTitel(), "Kommentar - Kurve 1");
    EXPECT_TRUE(KommentarSetzen("a\nb"));
    EXPECT_EQ(gKurven[0].kommentar, "a\nb");
    EXPECT_TRUE(gKurvenGeaendert);
    gKurvenGeaendert = false;
    EXPECT_FALSE(KommentarSetzen("a\nb"));
    EXPECT_FALSE(gKurvenGeaendert);
    const std::string lang = "äbcdefghij\nklmnopqrstuvwxyz0123456789";
    KommentarSetzen(lang);
    EXPECT_EQ(Kommentarvorschau(), "äbcdefghij\nklmnopqrstuvwxyz012");
    EXPECT_EQ(gKurven[0].kommentar, lang);
}

TEST_F(AnsichtTest, KommentarHoechstens999ZeichenInWindows1252) {
    KommentarSetzen(std::string(2000, 'x'));
    EXPECT_EQ(gKurven[0].kommentar.size(), 999u);
    KommentarSetzen("Preis 5 € \xE2\x98\x83");  // the snowman has no place in Windows-1252
    EXPECT_EQ(gKurven[0].kommentar, "Preis 5 € ?");
}

TEST_F(AnsichtTest, Titel) {
    EXPECT_EQ(Kurvenpanel_Titel(""), "Kurvengenerator");
    EXPECT_TRUE(gKurvendatei.empty());
    EXPECT_EQ(Kurvenpanel_Titel("/tmp/ordner/probe.skr"), "Kurvengenerator - probe.skr");
    EXPECT_EQ(gKurvendatei, "/tmp/ordner/probe.skr");
}

TEST_F(AnsichtTest, KurveWaehlenBehaeltRasterUndGeschichte) {
    PunktZeichnen(10000, 5, 4, 0);
    KurveWaehlen(2, 0.25);
    EXPECT_EQ(gAktuelleKurve, 2);
    EXPECT_EQ(gYRaster[0], 0.25);
    EXPECT_FALSE(RueckgaengigMoeglich());
    KurveWaehlen(0, 0.5);
    EXPECT_EQ(gYRaster[2], 0.5);
    EXPECT_TRUE(RueckgaengigMoeglich());
    KurveWaehlen(7, 1);
    EXPECT_EQ(gAktuelleKurve, 0);
}

TEST_F(AnsichtTest, SpeicheranzeigeWirdRotUeber100Prozent) {
    EXPECT_FALSE(SpeicherUeberschritten());
    // 30704 ticks of curve 1 and three one-tick curves: 61446 bytes.
    Setze({{0, 30703, 1}, {0, 1, 1}});
    EXPECT_EQ(Speicherbedarf(), 32 + 2 * 30704 + 3 * 2);
    EXPECT_TRUE(SpeicherUeberschritten());
}

}  // namespace
}  // namespace curves
