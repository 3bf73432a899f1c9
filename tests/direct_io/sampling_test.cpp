// Sampling cycles against the simulated board, whose inputs read back its
// outputs: what a cycle reads and logs, input 4 under mode bit 0, min/max and
// their reset, and a failed reading ending the block.

#include "direct_io/outputs.h"
#include "direct_io_fixture.h"
#include "storage/cp1252.h"

namespace direct_io::test {
namespace {

using Abfrage = DirektTest;
using mux6sim::Stoerung;

TEST_F(Abfrage, BlockWieImMessprotokoll) {
    ASSERT_EQ(AusgangSetzen(kPort, kAdresse, 0, 2.5, 10).code, 0);
    Board().ausgaenge = {1.234, 0.0, 9.998, 7.0};
    Board().modus |= 0x01;
    Starten();
    const Zyklus z = AbtastZyklus(kPort, kAdresse);
    EXPECT_EQ(z.code, 0);
    EXPECT_EQ(z.zeile,
              "24.01.2012\t14:05:09\t1.234\t0.000\t9.998\t-----\t2.500\t-----\t-----\t-----");
    EXPECT_EQ(Log(),
              "\r\n\r\nDatenerfassung gestartet\r\n"
              "Eingang1: 0.000..10.000 V\r\nEingang2: 0.000..10.000 V\r\n"
              "Eingang3: 0.000..10.000 V\r\nEingang4: 0.000..10.000 V\r\n"
              "Ausgang1: 0.000..10.000 V\r\nAusgang2: 0.000..10.000 V\r\n"
              "Ausgang3: 0.000..10.000 V\r\nAusgang4: 0.000..10.000 V\r\n"
              "Datum\tUhrzeit\tEing1[V]\tEing2[V]\tEing3[V]\tEing4[V]\t"
              "Ausg1[V]\tAusg2[V]\tAusg3[V]\tAusg4[V]\r\n" +
                  z.zeile + "\r\n");
}

TEST_F(Abfrage, Eingang4NurWennDerModusEsZulaesst) {
    Board().ausgaenge = {1, 2, 3, 5};
    Starten();
    EXPECT_TRUE(gEingang4Aktiv);
    long vorher = leitung->Rahmenzahl();
    Zyklus z = AbtastZyklus(kPort, kAdresse);
    EXPECT_EQ(leitung->Rahmenzahl() - vorher, 4);
    EXPECT_EQ(z.punkt, (std::array<double, 4>{10, 20, 30, 50}));
    AbfrageStoppen();

    Board().modus |= 0x01;
    Starten();
    EXPECT_FALSE(gEingang4Aktiv);
    vorher = leitung->Rahmenzahl();
    z = AbtastZyklus(kPort, kAdresse);
    EXPECT_EQ(leitung->Rahmenzahl() - vorher, 3);  // inputs 1..3 only
    EXPECT_EQ(z.gelesen, (std::array<bool, 4>{true, true, true, false}));
    ASSERT_TRUE(z.streifenpunkt);
    EXPECT_EQ(z.punkt, (std::array<double, 4>{10, 20, 30, 0}));
    EXPECT_NE(z.zeile.find("\t-----\t"), std::string::npos);
    EXPECT_NE(Log().rfind("Eing4[V]"), std::string::npos);  // the head still names its unit
}

TEST_F(Abfrage, MinMaxUndIhrReset) {
    Starten();
    const auto lesen = [&](std::array<double, 4> volt) {
        Board().ausgaenge = volt;
        return AbtastZyklus(kPort, kAdresse);
    };
    Zyklus z = lesen({2, 0, 10, 4});
    EXPECT_EQ(z.neuesMin, (std::array<bool, 4>{true, true, true, true}));
    EXPECT_EQ(z.neuesMax, (std::array<bool, 4>{true, true, true, true}));
    z = lesen({3, 0, 1, 4});
    EXPECT_EQ(z.neuesMax, (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(z.neuesMin, (std::array<bool, 4>{false, false, true, false}));
    EXPECT_EQ(gEingangMin, (std::array<double, 4>{2, 0, 1, 4}));
    EXPECT_EQ(gEingangMax, (std::array<double, 4>{3, 0, 10, 4}));

    MinMaxZuruecksetzen();
    EXPECT_EQ(gEingangMax[2], 10.0);  // the reset waits for the next reading
    z = lesen({2.5, 0, 5, 4});
    // Every input, 0 V included, is its own minimum and maximum again.
    EXPECT_EQ(z.neuesMin, (std::array<bool, 4>{true, true, true, true}));
    EXPECT_EQ(z.neuesMax, (std::array<bool, 4>{true, true, true, true}));
    EXPECT_EQ(gEingangMin, (std::array<double, 4>{2.5, 0, 5, 4}));
    EXPECT_EQ(gEingangMax, gEingangMin);
    EXPECT_DOUBLE_EQ(EingangPhysikalisch(2, gEingangMax[2]), 5.0);
}

TEST_F(Abfrage, FehlgeschlagenesLesenBeendetDenBlock) {
    Starten();
    leitung->StoerungSetzen(Plan(Stoerung::Stille, {leitung->Rahmenzahl() + 2}));  // input 2
    const Zyklus z = AbtastZyklus(kPort, kAdresse);
    EXPECT_EQ(z.code, -403051);
    EXPECT_TRUE(z.lesefehler);
    EXPECT_EQ(z.gelesen, (std::array<bool, 4>{true, false, false, false}));
    EXPECT_FALSE(ProtokollOffen());
    EXPECT_TRUE(Log().ends_with(
        storage::Utf8ZuCp1252Ersetzt("Ausg4[V]\r\nFehler - Datenübertragung abgebrochen\r\n" +
                                     std::string(errors::ORV_Fehlermeldung(z.code)) + "\r\n")));
    // A port that disappears while sampling, and none at all.
    Starten();
    dynamic_cast<mux6sim::SimulatedPort&>(*device::OffenerPort(kPort)).Wegnehmen();
    EXPECT_NE(AbtastZyklus(kPort, kAdresse).code, 0);
    EXPECT_FALSE(ProtokollOffen());
    EXPECT_EQ(AbtastZyklus(-1, kAdresse).code, kFehlerEingangOhnePort);
    EXPECT_EQ(AbfrageStarten(-1, kAdresse, false, {}).code, kFehlerModusOhnePort);
}

}  // namespace
}  // namespace direct_io::test
