// Channel ranges and decimals, the window's small rules, setting outputs under
// their limits and to physical zero, and the "direkt" settings section.

#include <cfloat>
#include <cmath>

#include "direct_io/ausgaenge.h"
#include "direct_io/einstellungen.h"
#include "direkt_fixture.h"

namespace direct_io::test {
namespace {

TEST(Nachkommastellen, EineZaehlstufeBleibtSichtbar) {
    struct Fall {
        double lo, hi;
        int stellen;
    };
    for (const Fall& f : {Fall{0, 10, 3}, Fall{0, 120, 2}, Fall{0, 10000, 0}, Fall{0, 1, 4},
                          Fall{20, 80, 2}, Fall{-5, 5, 3}, Fall{5, 5, 0}, Fall{10, 0, 0},
                          Fall{-DBL_MAX, DBL_MAX, 0}, Fall{0, 1e-300, 304}}) {
        EXPECT_EQ(Nachkommastellen(f.lo, f.hi, 4095), f.stellen) << f.lo << ".." << f.hi;
    }
}

TEST(Regeln, AbtastzeitUndZoom) {
    for (const auto& [ein, aus] :
         {std::pair{0.1, 0.2}, {0.2, 0.2}, {1.5, 1.5}, {-3.0, 0.2}, {std::nan(""), 0.2}}) {
        EXPECT_EQ(Abtastintervall(ein), aus) << ein;
    }
    for (const auto& [ein, aus] : {std::pair{5.0, 10.0}, {150.0, 100.0}, {42.0, 42.0}}) {
        EXPECT_EQ(ZoomYGrenze(ein), aus) << ein;
    }
    for (const auto& [ein, aus] : {std::pair{0, 10}, {-5, 10}, {300, 300}}) {
        EXPECT_EQ(ZoomXPunkte(ein), aus) << ein;
    }
}

using Ausgaenge = DirektTest;

TEST_F(Ausgaenge, GrenzeUndKnopfbereich) {
    // 0..5 V shown as 0..60 on a 10 V board: the physical range is 0..120.
    Ausgangsskala(0, 0, 5, 0, 60);
    const Bereich b = AusgangBereich(0);
    EXPECT_EQ(b.hi, 120.0);
    EXPECT_EQ(b.stellen, 2);
    struct Fall {
        double wert, grenze, knopf, volt;
    };
    for (const Fall& f : {Fall{50, 40, 40, 3.333}, Fall{30, 40, 30, 2.5}, Fall{500, 1e9, 120, 10},
                          Fall{-7, 40, 0, 0}, Fall{50, -1, 0, 0}}) {
        const Ausgabe a = AusgangSetzen(kPort, kAdresse, 0, f.wert, f.grenze);
        EXPECT_EQ(a.code, 0);
        EXPECT_EQ(a.wert, f.knopf) << f.wert;
        EXPECT_EQ(Board().ausgaenge[0], f.volt) << f.wert;
        EXPECT_NEAR(AusgangPhysikalisch(0), f.knopf, 1e-9);
    }
    EXPECT_TRUE(AusgangImBereich(0, 120.0));
    EXPECT_FALSE(AusgangImBereich(0, 120.01));
    EXPECT_FALSE(AusgangImBereich(0, -0.01));
}

TEST_F(Ausgaenge, AufPhysikalischNull) {
    Ausgangsskala(1, 1, 6, 0, 1000);   // 0 sits at 1 V
    Ausgangsskala(2, 0, 10, 20, 80);   // 0 lies below the range: its lower end
    Ausgangsskala(3, 0, 10, 10, -10);  // falling, 0 in the middle
    Board().ausgaenge = {9, 9, 9, 9};
    const double knopf[] = {0, 0, 20, 0};
    const double volt[] = {0, 1, 0, 5};
    for (int i = 0; i < kKanaele; ++i) {
        const Ausgabe a = AusgangAufNull(kPort, kAdresse, i);
        EXPECT_EQ(a.code, 0);
        EXPECT_EQ(a.wert, knopf[i]) << i;
        EXPECT_EQ(Board().ausgaenge[static_cast<std::size_t>(i)], volt[i]) << i;
    }
}

TEST_F(Ausgaenge, OhnePortOderAbgelehntBleibtDasGesendete) {
    ASSERT_EQ(AusgangSetzen(kPort, kAdresse, 1, 4.0, 10).code, 0);
    const Ausgabe a = AusgangSetzen(-1, kAdresse, 1, 12.0, 6.0);
    EXPECT_EQ(a.code, kFehlerAusgangOhnePort);
    EXPECT_EQ(a.wert, 6.0);  // the knob is held below its limit all the same
    EXPECT_EQ(AusgangAufNull(-1, kAdresse, 1).code, kFehlerAusgangOhnePort);
    leitung->StoerungSetzen(Plan(device::sim::Stoerung::Nak));
    EXPECT_EQ(AusgangSetzen(kPort, kAdresse, 1, 7.0, 10).code, -402065);
    EXPECT_EQ(Board().ausgaenge[1], 4.0);
    EXPECT_DOUBLE_EQ(AusgangPhysikalisch(1), 4.0);
}

TEST(Einstellungen, GrenzenUndKurvenschalter) {
    auto ini = settings::Ini_New(true);
    settings::Ini_ReadFromText(*ini,
                               "[direkt]\r\ngrenze1 = 40\r\ngrenze2 = 7x\r\ngrenze3 = -2.5\r\n"
                               "kurve1 = 0\r\nkurve2 = 5\r\nkurve3 = ja\r\n");
    DirektEinstellungen e;
    e.kurve[2] = false;
    DirektIniLesen(*ini, e);
    EXPECT_EQ(e.grenze, (std::array<double, 4>{40, kStandardgrenze, -2.5, kStandardgrenze}));
    EXPECT_EQ(e.kurve, (std::array<bool, 4>{false, true, false, true}));
    auto neu = settings::Ini_New(true);
    DirektIniSchreiben(*neu, e);
    DirektEinstellungen zurueck;
    DirektIniLesen(*neu, zurueck);
    EXPECT_EQ(zurueck.grenze, e.grenze);
    EXPECT_EQ(zurueck.kurve, e.kurve);
}

}  // namespace
}  // namespace direct_io::test
