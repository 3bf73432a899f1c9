// The mux6ctl executable against mux6sim on a pseudo-terminal, as a test bench
// script would use them: port 1 is the simulator's link "com1" in the
// working directory.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "config/model.h"
#include "curves/files.h"
#include "curves/model.h"
#include "errors/errors.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CtlAusfuehren;
using testsupport::SimProzess;

std::string FehlerZeile(int code) {
    return "Fehler #" + std::to_string(-code) + ": " + errors::ORV_Fehlermeldung(code) + "\n";
}

class Ende : public ::testing::Test {
  protected:
    void SetUp() override {
        config::StandardwerteSetzen();
        ASSERT_EQ(curves::KurvenInit(), 0);
    }
    void TearDown() override {
        sim.reset();  // ends the simulator (bounded, killed if need be)
        curves::KurvenInit();
    }
    void Starten(const std::vector<std::string>& argumente = {}) {
        sim = std::make_unique<SimProzess>(dir / "com1", argumente);
        ASSERT_TRUE(sim->ok());
    }

    testsupport::TempDir dir{true};
    std::unique_ptr<SimProzess> sim;
};

TEST_F(Ende, IdScanStartStopp) {
    Starten({"--board", "1", "--board", "4=ANDERE_1.0"});
    auto r = CtlAusfuehren({"id"});
    EXPECT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.aus, "ORV-VEK7M_MUX6_V1.0\n");
    EXPECT_TRUE(r.fehler.empty()) << r.fehler;

    r = CtlAusfuehren({"scan"});
    EXPECT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.aus, "ORV-VEK7M_MUX6_V1.0\n-\n-\nANDERE_1.0\n-\n-\n-\n-\n");

    r = CtlAusfuehren({"--address", "4", "start"});
    EXPECT_EQ(r.status, 0) << r.fehler;
    r = CtlAusfuehren({"--address", "&", "stop"});
    EXPECT_EQ(r.status, 0) << r.fehler;
    EXPECT_TRUE(r.aus.empty());
}

TEST_F(Ende, SendenUndLesenGibtDieAbgetasteteKurve) {
    Starten();
    // A ramp 0 -> 300 over three "10ms" ticks and one "1s" tick at 4095.
    curves::gKurven[0].geraden = {{0, 3, 4}, {300, 1, 8}, {4095, 1, 1}};
    curves::gKurven[0].anzahl = 3;
    curves::gZyklen[0] = 5;
    curves::gRuhezustand[0] = 123;
    ASSERT_EQ(curves::KurvenSpeichernNach(dir / "a.skr"), 0);

    auto r = CtlAusfuehren({"curve", "send", "a.skr"});
    ASSERT_EQ(r.status, 0) << r.fehler;
    // Not a terminal: no progress.
    EXPECT_TRUE(r.fehler.empty()) << r.fehler;
    r = CtlAusfuehren({"--port", "1", "curve", "read", "b.skr"});
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_TRUE(r.fehler.empty()) << r.fehler;

    ASSERT_EQ(curves::KurvenInit(), 0);
    ASSERT_EQ(curves::KurvenLadenNach(dir / "b.skr").code, 0);
    EXPECT_EQ(curves::gKurven[0].geraden,
              (std::vector<curves::Gerade>{
                  {0, 1, 4}, {100, 1, 4}, {200, 1, 4}, {300, 1, 8}, {4095, 1, 1}}));
    EXPECT_EQ(curves::gZyklen[0], 5);
    EXPECT_EQ(curves::gRuhezustand[0], 123);

    r = CtlAusfuehren({"curve", "read", "b.txt"});
    ASSERT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(testsupport::Lesen(dir / "b.txt"), curves::KurvenExportText());
}

TEST_F(Ende, GeraetspfadStattPort) {
    sim = std::make_unique<SimProzess>(dir / "anderswo", std::vector<std::string>{});
    ASSERT_TRUE(sim->ok());
    const auto r = CtlAusfuehren({"--device", (dir / "anderswo").string(), "id"});
    EXPECT_EQ(r.status, 0) << r.fehler;
    EXPECT_EQ(r.aus, "ORV-VEK7M_MUX6_V1.0\n");
}

TEST_F(Ende, OhneSimulatorOeffnetNichts) {
    fs::create_symlink(dir / "nichts", dir / "com1");
    const auto r = CtlAusfuehren({"id"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.fehler, FehlerZeile(-100003));
    EXPECT_TRUE(r.aus.empty());
}

TEST_F(Ende, JederFehlerMitCodeUndText) {
    Starten({"--fault", "nak", "--fault-at", "1", "--fault-at", "2"});
    auto r = CtlAusfuehren({"id"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.fehler, FehlerZeile(-402010));
    r = CtlAusfuehren({"start"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.fehler, FehlerZeile(-402039));
    // Frame 3 answers; the board holds no curve yet.
    r = CtlAusfuehren({"curve", "read", "x.skr"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.fehler, FehlerZeile(-1019472));
    EXPECT_FALSE(fs::exists(dir / "x.skr"));
    r = CtlAusfuehren({"--address", "2", "id"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.fehler, FehlerZeile(-403012));
    r = CtlAusfuehren({"curve", "send", "fehlt.skr"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.fehler, FehlerZeile(-308435));
}

TEST_F(Ende, FalscheLeitungDurchDenSimulator) {
    Starten({"--fault", "bad-checksum"});
    ASSERT_EQ(curves::KurvenSpeichernNach(dir / "a.skr"), 0);
    auto r = CtlAusfuehren({"curve", "send", "a.skr"});
    EXPECT_EQ(r.status, 0) << r.fehler;  // only memory reads are disturbed
    r = CtlAusfuehren({"curve", "read", "b.skr"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.fehler, FehlerZeile(-406114));
}

TEST_F(Ende, HilfeUndFalscherAufruf) {
    auto r = CtlAusfuehren({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.aus.find("Usage: mux6ctl"), std::string::npos);
    r = CtlAusfuehren({"fly"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.aus.empty());
    EXPECT_NE(r.fehler.find("mux6ctl --help"), std::string::npos);
}

TEST_F(Ende, MessenBisSigterm) {
    Starten();
    const auto r =
        CtlAusfuehren({"messen", "--intervall", "0.2", "--setze", "3=4.5", "--log", "m.txt"},
                      std::chrono::seconds(30), std::chrono::milliseconds(900));
    EXPECT_EQ(r.status, 0) << r.fehler;
    const std::string zeile = "\t0.000\t0.000\t4.500\t0.000\t-----\t-----\t4.500\t-----";
    EXPECT_TRUE(r.aus.ends_with(zeile + "\nDatenerfassung beendet\n")) << r.aus;
    EXPECT_GE(std::count(r.aus.begin(), r.aus.end(), '\n'), 3);
    EXPECT_TRUE(
        testsupport::Lesen(dir / "m.txt").ends_with(zeile + "\r\nDatenerfassung beendet\r\n"));
}

}  // namespace
