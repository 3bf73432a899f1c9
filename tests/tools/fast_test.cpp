// mux6ctl's transfers at a faster rate, through mux6sim on a pseudo-terminal:
// the board is switched up and always back, and verify after write.

#include "characteristic/files.h"
#include "characteristic/model.h"
#include "ctl.h"
#include "curves/files.h"
#include "curves/model.h"
#include "device/link.h"
#include "device/memory_transfer.h"
#include "device/qt_serial_port.h"
#include "simulated_port.h"
#include "support/process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using testsupport::CtlAusfuehren;
using namespace std::chrono_literals;
using Befehl = std::vector<std::string>;

class Schnell : public ::testing::Test {
  protected:
    void TearDown() override {
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
    }
    void Sim(const std::vector<std::string>& argumente) {
        sim = std::make_unique<testsupport::SimProzess>(dir / "com1", argumente);
        ASSERT_TRUE(sim->ok());
    }
    testsupport::Prozessergebnis Ctl(std::vector<std::string> a,
                                     std::chrono::milliseconds term = 0ms) {
        a.insert(a.begin(), {"--device", (dir / "com1").string()});
        return CtlAusfuehren(a, 60s, term);
    }
    // A curve of `ticks` 1 ms ticks as a file, and the image that goes to the board.
    std::string Kurve(std::int32_t ticks) {
        EXPECT_EQ(curves::KurvenInit(), 0);
        curves::gKurven[0].geraden = {{100, ticks - 1, 1}, {4000, 1, 1}};
        curves::gKurven[0].anzahl = 2;
        const std::string pfad = (dir / "k.skr").string();
        EXPECT_EQ(curves::KurvenSpeichernNach(pfad), 0);
        EXPECT_EQ(Ctl({"curve", "image", pfad, (dir / "k.bin").string()}).status, 0);
        const std::string b = testsupport::Lesen(dir / "k.bin");
        bild.assign(b.begin(), b.end());
        return pfad;
    }
    // The board answers at 9600 and holds the image.
    void HaeltDasBildBei9600() {
        device::PortFabrikSetzen(device::QtSerialPortFabrik());
        ASSERT_EQ(device::ORVKAP1_Open(1, 9600), 0);
        std::vector<std::uint8_t> gelesen(bild.size());
        ASSERT_EQ(device::SpeicherBlockweiseLesen(1, '1', 4, 0x1000, gelesen), 0);
        EXPECT_EQ(gelesen, bild);
        device::PortTabelleLeeren();
    }
    testsupport::TempDir dir{true};
    std::unique_ptr<testsupport::SimProzess> sim;
    std::vector<std::uint8_t> bild;
};

TEST_F(Schnell, SendenUndLesenWieBei9600) {
    Sim({});
    const std::string k = Kurve(3000);
    for (const char* rate : {"--schnell", "--schnell=19200"}) {
        EXPECT_EQ(Ctl({"curve", "send", rate, k}).status, 0) << rate;
        HaeltDasBildBei9600();
    }
    const auto schnell = Ctl({"curve", "read", "--schnell", "-"});
    const auto langsam = Ctl({"curve", "read", "-"});
    EXPECT_EQ(schnell.status, 0);
    EXPECT_EQ(schnell.aus, langsam.aus);
}

TEST_F(Schnell, PlatineOhneWechselWirdBei9600Beschrieben) {
    Sim({"--ignore-baud"});
    const auto e = Ctl({"curve", "send", "--schnell", Kurve(200)});
    EXPECT_EQ(e.status, 0);
    EXPECT_NE(e.fehler.find("nicht bei 38400 Baud"), std::string::npos) << e.fehler;
    HaeltDasBildBei9600();
}

struct Abbruch {
    std::vector<std::string> sim;
    std::chrono::milliseconds sigterm;
    const char* meldung;
};

class AbbruchMitten : public Schnell, public ::testing::WithParamInterface<Abbruch> {};

TEST_P(AbbruchMitten, PlatineWiederBei9600) {
    Sim(GetParam().sim);
    const auto e = Ctl({"curve", "send", "--schnell", Kurve(30000)}, GetParam().sigterm);
    EXPECT_EQ(e.status, 1);
    EXPECT_EQ(e.fehler.rfind(GetParam().meldung, 0), 0u) << e.fehler;
    EXPECT_EQ(Ctl({"id"}).status, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Alle, AbbruchMitten,
    ::testing::Values(Abbruch{{"--fault", "nak", "--fault-at", "30"}, 0ms, "Fehler #402127"},
                      Abbruch{{"--baud", "38400"}, 1500ms, "Abgebrochen durch SIGTERM"}));

TEST_F(Schnell, SucheFindetDieRateUndBaudrateSetztZurueck) {
    Sim({"--board-baud", "19200"});
    const auto e = Ctl({"scan", "--alle-raten"});
    EXPECT_EQ(e.status, 0);
    EXPECT_EQ(e.aus, std::string(mux6sim::kStandardIdentitaet) + " 19200\n-\n-\n-\n-\n-\n-\n-\n");
    EXPECT_EQ(Ctl({"--baud", "19200", "baudrate", "9600"}).status, 0);
    EXPECT_EQ(Ctl({"id"}).status, 0);
}

struct Pruefung {
    std::vector<std::string> sim;
    int status;
    const char* meldung;
};

class Pruefen : public Schnell, public ::testing::WithParamInterface<Pruefung> {};

TEST_P(Pruefen, KurveUndKennlinie) {
    Sim(GetParam().sim);
    ASSERT_EQ(characteristic::KennlinienInit(), 0);
    const std::string ske = (dir / "k.ske").string();
    ASSERT_EQ(characteristic::KennlinieSpeichernNach(ske, characteristic::StartFelder()), 0);
    for (const Befehl& befehl :
         {Befehl{"curve", "send", Kurve(5000), "--schnell", "--pruefen"},
          Befehl{"kennlinie", "send", ske, "--slot", "2", "--schnell", "--pruefen"}}) {
        SCOPED_TRACE(befehl[0]);
        const auto e = Ctl(befehl);
        EXPECT_EQ(e.status, GetParam().status);
        EXPECT_NE(e.fehler.find(GetParam().meldung), std::string::npos) << e.fehler;
    }
}

// 0x2040 lies in the curve's samples and in slot 2 (0x2020 ..).
INSTANTIATE_TEST_SUITE_P(Alle, Pruefen,
                         ::testing::Values(Pruefung{{}, 0, ""},
                                           Pruefung{{"--corrupt", "2040"},
                                                    1,
                                                    "Abweichung an Adresse 0x2040: gesendet"}));

TEST(SchnellAnAlle, AbgelehntOhneGesendet) {
    auto leitung = std::make_shared<mux6sim::Leitung>();
    std::ostringstream aus, fehler;
    ctl::Umgebung u{mux6sim::SimulierteFabrik(leitung), aus, fehler, false, {}, nullptr};
    EXPECT_EQ(ctl::Ausfuehren({"--address", "&", "--schnell", "curve", "send", "x.skr"}, u), 2);
    EXPECT_EQ(leitung->Rahmenzahl(), 0);
}

}  // namespace
