// mux6sim on a pseudo-terminal, reached through the real Qt serial backend
// the way the program reaches a board: port 1 is the link "com1" in the
// working directory.

#include "device/commands.h"
#include "device/link.h"
#include "device/qt_serial_port.h"
#include "support/process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using testsupport::SimProzess;

constexpr int kPort = 1;

class AmPty : public ::testing::Test {
  protected:
    void SetUp() override {
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(device::QtSerialPortFabrik());
    }
    void TearDown() override {
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
        sim.reset();
    }
    // Starts the simulator as com1 here and opens port 1 on it.
    void Starten(const std::vector<std::string>& argumente, int baud = 9600,
                 double zeitlimit = 0.5) {
        sim = std::make_unique<SimProzess>(dir / "com1", argumente);
        ASSERT_TRUE(sim->ok());
        ASSERT_EQ(device::ORVKAP1_Open(kPort, baud), 0);
        ASSERT_EQ(device::ORVKAP1_Timeout(kPort, zeitlimit), 0);
    }
    testsupport::TempDir dir{true};
    std::unique_ptr<SimProzess> sim;
};

TEST_F(AmPty, JedeBaudrateUndIdentitaet) {
    for (int baud : {4800, 9600, 19200, 38400}) {
        sim = std::make_unique<SimProzess>(
            dir / "com1", std::vector<std::string>{"--board-baud", std::to_string(baud)});
        ASSERT_TRUE(sim->ok());
        ASSERT_EQ(device::ORVKAP1_Open(kPort, baud), 0) << baud;
        ASSERT_EQ(device::ORVKAP1_Timeout(kPort, 0.5), 0);
        std::string id;
        EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0) << baud;
        EXPECT_EQ(id.rfind("ORV-VEK7M", 0), 0u) << id;
        EXPECT_EQ(id.find(' '), std::string::npos);
        EXPECT_EQ(device::ORVKAP1_Close(kPort), 0);
        sim.reset();
    }
}

// The board talks at its own rate only: the switch is acknowledged at the
// old rate, then only a port at the new one reaches it.
TEST_F(AmPty, BaudrateWechselnWieDiePlatine) {
    Starten({}, 9600, 0.2);
    std::string id;
    ASSERT_EQ(device::ORVVEK1_BaudrateSchreiben(kPort, 1, 38400), 0);
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), -403012);
    ASSERT_EQ(device::ORVKAP1_Open(kPort, 38400), 0);
    ASSERT_EQ(device::ORVKAP1_Timeout(kPort, 0.2), 0);
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0);
    ASSERT_EQ(device::ORVKAP1_Open(kPort, 19200), 0);
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), -403012);
}

TEST_F(AmPty, PlatineOhneWechselUndVerfaelschterSpeicher) {
    Starten({"--ignore-baud", "--corrupt", "1005"}, 9600, 0.2);
    ASSERT_EQ(device::ORVVEK1_BaudrateSchreiben(kPort, 1, 38400), 0);
    std::string id;
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0);
    const std::vector<std::uint8_t> block(16, 0x21);
    ASSERT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 4, 0x1000, 16, block), 0);
    std::vector<std::uint8_t> zurueck;
    ASSERT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x1000, 16, zurueck), 0);
    for (std::size_t i = 0; i < block.size(); ++i) {
        EXPECT_EQ(zurueck[i] != block[i], i == 5) << i;
    }
}

TEST_F(AmPty, OffenerPortIstGesperrt) {
    Starten({});
    // A second program must not interleave its frames with ours.
    auto zweiter = device::QtSerialPortErzeugen();
    EXPECT_NE(zweiter->open(device::PortGeraetename(kPort), {}), 0);
    std::string id;
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0);
    // Closed, the port is free again.
    ASSERT_EQ(device::ORVKAP1_Close(kPort), 0);
    EXPECT_EQ(zweiter->open(device::PortGeraetename(kPort), {}), 0);
}

TEST_F(AmPty, OhneGeraetScheitertDasOeffnen) {
    // No com2 here, and /dev/ttyS1 is not a port that opens on a test machine
    // or is left alone: use a link to nowhere instead.
    fs::create_symlink(dir / "nichts", dir / "com2");
    EXPECT_EQ(device::ORVKAP1_Open(2, 9600), -100003);
    EXPECT_EQ(device::OffenerPort(2), nullptr);
}

TEST_F(AmPty, SucheMitDreiPlatinen) {
    Starten({"--board", "2", "--board", "5", "--board", "3=OTHER-DEVICE_1.0"}, 9600, 0.2);
    std::string letzteVek;
    for (char a = '1'; a <= '8'; ++a) {
        std::string id;
        const int r = device::ORVKAP1_IDLesen(kPort, a, id);
        if (a == '2' || a == '5') {
            EXPECT_EQ(r, 0) << a;
            EXPECT_EQ(id.rfind("ORV-VEK7M", 0), 0u) << id;
            letzteVek = std::string(1, a);
        } else if (a == '3') {
            EXPECT_EQ(r, 0);
            EXPECT_EQ(id, "OTHER-DEVICE_1.0");
        } else {
            EXPECT_EQ(r, -403012) << a;
        }
    }
    EXPECT_EQ(letzteVek, "5");
}

TEST_F(AmPty, Speicher64KiBIn64ByteBloecken) {
    Starten({});
    std::vector<std::uint8_t> bild(0x10000);
    std::uint32_t x = 99;
    for (auto& b : bild) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(x >> 24);
    }
    for (int start = 0; start < 0x10000; start += 64) {
        ASSERT_EQ(device::ORVKAP1_SpeicherSchreiben(
                      kPort, '1', 4, start, 64,
                      std::span(bild).subspan(static_cast<std::size_t>(start), 64)),
                  0)
            << start;
    }
    for (int start = 0; start < 0x10000; start += 64) {
        std::vector<std::uint8_t> block;
        ASSERT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, start, 64, block), 0) << start;
        ASSERT_TRUE(std::equal(block.begin(), block.end(),
                               bild.begin() + static_cast<std::ptrdiff_t>(start)))
            << start;
    }
}

TEST_F(AmPty, StartAnAlleKommtVollstaendigAn) {
    // Paced, the '&' frame is still on its way when the call returns unless
    // the link waited for it to leave; the next exchange's flush must not cut
    // it off.
    Starten({"--board", "1", "--board", "4", "--baud", "38400"});
    EXPECT_EQ(device::ORVKAP1_DeviceFunction(kPort, '&', "start"), 0);
    for (char a : {'1', '4'}) {
        int s = 0;
        EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, a, 1, s), 0) << a;
        EXPECT_EQ(s & device::kStatusKurvengeneratorAktiv, device::kStatusKurvengeneratorAktiv)
            << a;
    }
    EXPECT_EQ(device::ORVKAP1_DeviceFunction(kPort, '&', "stopp"), 0);
    int s = -1;
    EXPECT_EQ(device::ORVKAP1_StatusLesen(kPort, '4', 1, s), 0);
    EXPECT_EQ(s, 0);
}

TEST_F(AmPty, AusgaengeUndEingaenge) {
    Starten({});
    EXPECT_EQ(device::ORVKAP1_AusgangSchreiben(kPort, '1', "a2", 7.5), 0);
    double v = 0;
    EXPECT_EQ(device::ORVKAP1_EingangLesen(kPort, '1', "e2", v), 0);
    EXPECT_DOUBLE_EQ(v, 7.5);
    int m = 0;
    EXPECT_EQ(device::ORVKAP1_ModusSchreiben(kPort, '1', 1, 0x01), 0);
    EXPECT_EQ(device::ORVKAP1_ModusLesen(kPort, '1', m), 0);
    EXPECT_EQ(m & 0x01, 0x01);
}

TEST_F(AmPty, GepactBeiNeunzehnhundert) {
    // At the line rate, a 64-byte block still goes and comes back whole.
    Starten({"--baud", "9600"});
    const std::vector<std::uint8_t> block(64, 0x5C);
    EXPECT_EQ(device::ORVKAP1_SpeicherSchreiben(kPort, '1', 4, 0x1000, 64, block), 0);
    std::vector<std::uint8_t> zurueck;
    const auto vorher = std::chrono::steady_clock::now();
    EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0x1000, 64, zurueck), 0);
    const auto dauer = std::chrono::steady_clock::now() - vorher;
    EXPECT_EQ(zurueck, block);
    // Request, ACK and reply are 15 + 1 + 147 characters of 10 bits: the
    // simulator never delivers them sooner than the line would.
    EXPECT_GE(dauer, std::chrono::microseconds(163 * 10 * 1'000'000LL / 9600));
}

struct Fehlerart {
    const char* name;
    int erwartet;
    bool speicher;  // the fault shows in a memory read (bad checksum)
};

class JedeStoerung : public AmPty, public ::testing::WithParamInterface<Fehlerart> {};

TEST_P(JedeStoerung, AmZweitenRahmen) {
    Starten({"--fault", GetParam().name, "--fault-at", "2"}, 9600, 0.2);
    std::string id;
    ASSERT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0);
    if (GetParam().speicher) {
        std::vector<std::uint8_t> d;
        EXPECT_EQ(device::ORVKAP1_SpeicherLesen(kPort, '1', 4, 0, 64, d), GetParam().erwartet);
    } else {
        EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), GetParam().erwartet);
    }
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0);
}

INSTANTIATE_TEST_SUITE_P(Alle, JedeStoerung,
                         ::testing::Values(Fehlerart{"nak", -402010, false},
                                           Fehlerart{"can", -405011, false},
                                           Fehlerart{"silence", -403012, false},
                                           Fehlerart{"wrong-byte", -404013, false},
                                           Fehlerart{"short-line", -404014, false},
                                           Fehlerart{"long-line", -404015, false},
                                           Fehlerart{"bad-checksum", -406114, true}),
                         [](const auto& fall) {
                             std::string n = fall.param.name;
                             std::erase(n, '-');
                             return n;
                         });

TEST_F(AmPty, ZufaelligeStoerungenMitSeed) {
    Starten({"--fault", "nak", "--fault-rate", "0.5", "--seed", "3"});
    int nak = 0;
    int gut = 0;
    for (int i = 0; i < 40; ++i) {
        int m = 0;
        const int r = device::ORVKAP1_ModusLesen(kPort, '1', m);
        if (r == -402154) {
            ++nak;
        } else if (r == 0) {
            ++gut;
        }
    }
    EXPECT_EQ(nak + gut, 40);
    EXPECT_GT(nak, 0);
    EXPECT_GT(gut, 0);
}

TEST_F(AmPty, SignaleEntfernenDenLink) {
    for (int signal : {SIGTERM, SIGINT}) {
        SimProzess p(dir / "com4", {});
        ASSERT_TRUE(p.ok());
        EXPECT_EQ(p.Beenden(signal), 0);
        std::error_code ec;
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "com4", ec))) << signal;
    }
}

TEST_F(AmPty, VerschwundenerPortUndWiederOeffnen) {
    Starten({}, 9600, 0.2);
    ASSERT_EQ(sim->Beenden(SIGKILL), 128 + SIGKILL);
    // The other end is gone: an error code, no hang past the time-outs.
    std::string id;
    const int r = device::ORVKAP1_IDLesen(kPort, '1', id);
    EXPECT_LT(r, 0);
    device::ORVKAP1_Close(kPort);
    // The port opens again on a new simulator. (The stale link goes first: its
    // terminal's number may already belong to another simulator.)
    fs::remove(dir / "com1");
    sim = std::make_unique<SimProzess>(dir / "com1", std::vector<std::string>{});
    ASSERT_TRUE(sim->ok());
    ASSERT_EQ(device::ORVKAP1_Open(kPort, 9600), 0);
    EXPECT_EQ(device::ORVKAP1_IDLesen(kPort, '1', id), 0);
}

TEST_F(AmPty, AlterLinkWirdErsetztAndereDateiNicht) {
    fs::create_symlink(dir / "weg", dir / "com6");
    {
        SimProzess p(dir / "com6", {});
        ASSERT_TRUE(p.ok());
        EXPECT_TRUE(fs::exists(dir / "com6"));
        EXPECT_EQ(p.Beenden(SIGTERM), 0);
    }
    testsupport::Schreiben(dir / "com7", "keine Verbindung");
    std::string aus;
    EXPECT_EQ(testsupport::SimAusfuehren({"--link", (dir / "com7").string()}, aus), 1);
    EXPECT_EQ(testsupport::Lesen(dir / "com7"), "keine Verbindung");
}

TEST(Mux6simAufruf, HilfeNenntAlleOptionen) {
    std::string aus;
    EXPECT_EQ(testsupport::SimAusfuehren({"--help"}, aus), 0);
    for (const char* o :
         {"--link", "--board", "--baud", "--board-baud", "--ignore-baud", "--corrupt", "--fault",
          "--fault-at", "--fault-rate", "--seed", "nak", "can", "silence", "wrong-byte",
          "short-line", "long-line", "bad-checksum", "SIGINT", "SIGTERM"}) {
        EXPECT_NE(aus.find(o), std::string::npos) << o;
    }
}

TEST(Mux6simAufruf, FalscheOptionen) {
    std::string aus;
    for (const std::vector<std::string>& a :
         std::vector<std::vector<std::string>>{{"--bogus"},
                                               {"--board", "9"},
                                               {"--board", "2=with blank"},
                                               {"--board", "2", "--board", "2"},
                                               {"--fault", "explode"},
                                               {"--fault-at", "3"},
                                               {"--fault", "nak", "--fault-rate", "2"},
                                               {"--baud", "fast"},
                                               {"--board-baud", "57600"},
                                               {"--corrupt", "10000"},
                                               {"--corrupt", "xyz"},
                                               {"--link"}}) {
        EXPECT_EQ(testsupport::SimAusfuehren(a, aus), 2) << a[0];
    }
}

}  // namespace
