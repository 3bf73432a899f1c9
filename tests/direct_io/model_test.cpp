// Decimals, the window's small rules, an output that was not sent, and the
// "direkt" settings section. (Limits and physical zero: tests/mux6ctl.)

#include <cfloat>
#include <cmath>

#include "direct_io/ini.h"
#include "direct_io/outputs.h"
#include "direct_io_fixture.h"

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

TEST_F(Ausgaenge, OhnePortOderAbgelehntBleibtDasGesendete) {
    ASSERT_EQ(AusgangSetzen(kPort, kAdresse, 1, 4.0, 10).code, 0);
    const Ausgabe a = AusgangSetzen(-1, kAdresse, 1, 12.0, 6.0);
    EXPECT_EQ(a.code, kFehlerAusgangOhnePort);
    EXPECT_EQ(a.wert, 6.0);  // the knob is held below its limit all the same
    EXPECT_EQ(AusgangAufNull(-1, kAdresse, 1).code, kFehlerAusgangOhnePort);
    leitung->StoerungSetzen(Plan(mux6sim::Stoerung::Nak));
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
    DirektIniSchreiben(*ini, e);
    EXPECT_EQ(settings::Ini_ToText(*ini),
              "[direkt]\r\ngrenze1 = 40\r\ngrenze2 = 10\r\ngrenze3 = -2.5\r\ngrenze4 = 10\r\n"
              "kurve1 = 0\r\nkurve2 = 1\r\nkurve3 = 0\r\nkurve4 = 1\r\n\r\n");
}

}  // namespace
}  // namespace direct_io::test
