// The line-setting rule: a refused setting fails the open, except on a
// pseudo-terminal, and the link then reports its open error.
#include "device/line_settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/link.h"

#ifndef _WIN32
#include <pty.h>
#include <unistd.h>
#endif

namespace {

using device::Leitungseinstellung;
using device::SerialPort;

// Refuses the setting at one position (0 baud .. 4 flow control) and records the calls.
class GeskripteterSteller final : public device::Leitungssteller {
  public:
    explicit GeskripteterSteller(int verweigert) : verweigert_(verweigert) {}
    bool Baud(int) override { return Ruf(0); }
    bool Datenbits(int) override { return Ruf(1); }
    bool Paritaet(device::Paritaet) override { return Ruf(2); }
    bool Stoppbits(int) override { return Ruf(3); }
    bool OhneFlusssteuerung() override { return Ruf(4); }
    std::vector<int> gerufen;

  private:
    bool Ruf(int n) {
        gerufen.push_back(n);
        return n != verweigert_;
    }
    int verweigert_;
};

struct Fall {
    int verweigert;  // -1: none
    bool pseudoterminal;
    int erwartet;
};

class Leitung : public testing::TestWithParam<Fall> {};

TEST_P(Leitung, VerweigerungNurAmPseudoterminalGeduldet) {
    GeskripteterSteller s(GetParam().verweigert);
    EXPECT_EQ(device::LeitungEinstellen(s, Leitungseinstellung{}, GetParam().pseudoterminal),
              GetParam().erwartet);
    EXPECT_EQ(s.gerufen, (std::vector<int>{0, 1, 2, 3, 4}));
}

INSTANTIATE_TEST_SUITE_P(
    JedeEinstellung, Leitung,
    testing::Values(Fall{-1, false, 0}, Fall{-1, true, 0}, Fall{0, false, SerialPort::kFehler},
                    Fall{1, false, SerialPort::kFehler}, Fall{2, false, SerialPort::kFehler},
                    Fall{3, false, SerialPort::kFehler}, Fall{4, false, SerialPort::kFehler},
                    Fall{0, true, 0}, Fall{2, true, 0}, Fall{4, true, 0}));

// A backend whose device takes the line settings through the rule.
class StellerPort final : public SerialPort {
  public:
    StellerPort(int verweigert, bool pty) : verweigert_(verweigert), pty_(pty) {}
    int open(const std::string&, const Leitungseinstellung& e) override {
        GeskripteterSteller s(verweigert_);
        return device::LeitungEinstellen(s, e, pty_);
    }
    int close() override { return 0; }
    int setTimeout(std::chrono::milliseconds) override { return 0; }
    int write(std::span<const std::uint8_t> b) override { return static_cast<int>(b.size()); }
    int readByte() override { return kZeitlimit; }
    int bytesToWrite() override { return 0; }
    int drain() override { return 0; }
    int flushInput() override { return 0; }
    int flushOutput() override { return 0; }

  private:
    int verweigert_;
    bool pty_;
};

TEST(Leitung, VerweigerteParitaetIstDerOeffnungsfehler) {
    for (const bool pty : {false, true}) {
        device::PortFabrikSetzen([=](int) { return std::make_unique<StellerPort>(2, pty); });
        EXPECT_EQ(device::ORVKAP1_Open(1, 9600), pty ? 0 : -100003);
        EXPECT_EQ(device::OffenerPort(1) != nullptr, pty) << "the port stays closed";
        device::PortTabelleLeeren();
    }
    device::PortFabrikSetzen(nullptr);
}

#ifndef _WIN32
TEST(Leitung, PseudoterminalErkannt) {
    int master = -1;
    int slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    EXPECT_TRUE(device::IstPseudoterminal(slave));
    int rohr[2];
    ASSERT_EQ(pipe(rohr), 0);
    EXPECT_FALSE(device::IstPseudoterminal(rohr[1]));
    for (int fd : {master, slave, rohr[0], rohr[1]})
        close(fd);
}
#endif

}  // namespace
