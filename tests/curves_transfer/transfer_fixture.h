#pragma once
// The curve state in its start state and the simulated board behind port 1,
// with every frame the link writes kept in order, so a test sees both what
// went over the line and what the board's memory holds afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "board_model.h"
#include "curves/curve_fixture.h"
#include "curves/transfer.h"
#include "device/link.h"
#include "device/serial_port.h"
#include "simulated_port.h"

namespace curves::test {

using Bytes = std::vector<std::uint8_t>;

// The simulated port, each write kept as one frame.
class MitschreibenderPort final : public device::SerialPort {
  public:
    MitschreibenderPort(std::shared_ptr<mux6sim::Leitung> leitung,
                        std::shared_ptr<std::vector<std::string>> rahmen)
        : port_(std::move(leitung)), rahmen_(std::move(rahmen)) {}
    int open(const std::string& g, const device::Leitungseinstellung& e) override {
        return port_.open(g, e);
    }
    int close() override { return port_.close(); }
    int setTimeout(std::chrono::milliseconds z) override { return port_.setTimeout(z); }
    int write(std::span<const std::uint8_t> b) override {
        rahmen_->emplace_back(b.begin(), b.end());
        return port_.write(b);
    }
    int readByte() override { return port_.readByte(); }
    int bytesToWrite() override { return port_.bytesToWrite(); }
    int drain() override { return port_.drain(); }
    int flushInput() override { return port_.flushInput(); }
    int flushOutput() override { return port_.flushOutput(); }

  private:
    mux6sim::SimulatedPort port_;
    std::shared_ptr<std::vector<std::string>> rahmen_;
};

// One memory write frame taken apart.
struct Schreibblock {
    int start = -1;
    int laenge = -1;
    Bytes daten;
};

inline int HexWert(const std::string& s, std::size_t ab, std::size_t n) {
    return std::stoi(s.substr(ab, n), nullptr, 16);
}

// "#<a>BDW4" start(hex4) length(hex4) data(hex2 each) checksum(hex4) CR.
inline Schreibblock BlockAusRahmen(const std::string& r) {
    Schreibblock b;
    if (r.size() < 19 || r.compare(2, 4, "BDW4") != 0) {
        return b;
    }
    b.start = HexWert(r, 6, 4);
    b.laenge = HexWert(r, 10, 4);
    for (int i = 0; i < b.laenge; ++i) {
        b.daten.push_back(static_cast<std::uint8_t>(HexWert(r, 14 + 2 * i, 2)));
    }
    return b;
}

class UebertragungTest : public KurvenTest {
  protected:
    static constexpr int kPort = 1;

    void SetUp() override {
        KurvenTest::SetUp();
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(
            [l = leitung, r = rahmen](int) { return std::make_unique<MitschreibenderPort>(l, r); });
        ASSERT_EQ(device::ORVKAP1_Open(kPort, 9600), 0);
    }
    void TearDown() override {
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
        KurvenTest::TearDown();
    }

    mux6sim::Platine& Board() { return leitung->Platinen().front(); }
    std::vector<Schreibblock> Bloecke() const {
        std::vector<Schreibblock> b;
        for (const std::string& r : *rahmen) {
            b.push_back(BlockAusRahmen(r));
        }
        return b;
    }
    // The board's memory from 0x1000 on, `n` bytes.
    Bytes Boardspeicher(std::size_t n) {
        const Bytes& s = Board().speicher;
        return Bytes(s.begin() + 0x1000, s.begin() + 0x1000 + static_cast<long>(n));
    }
    // Writes an image into the board's memory at 0x1000 as if sent earlier.
    void BoardBeschreiben(const Bytes& ab0x1000) {
        std::copy(ab0x1000.begin(), ab0x1000.end(), Board().speicher.begin() + 0x1000);
    }
    Fortschritt Mitzaehlen() {
        return [this](int p) { fortschritt.push_back(p); };
    }

    std::shared_ptr<mux6sim::Leitung> leitung = std::make_shared<mux6sim::Leitung>();
    std::shared_ptr<std::vector<std::string>> rahmen = std::make_shared<std::vector<std::string>>();
    std::vector<int> fortschritt;
};

inline mux6sim::Stoerplan Plan(mux6sim::Stoerung art, std::vector<long> bei = {}) {
    mux6sim::Stoerplan p;
    p.art = art;
    p.beiRahmen = std::move(bei);
    return p;
}

// A header by its fields (big-endian), followed by `daten`; the checksum is
// the documented one: 1 + the bytes from 0x1002 to the last, low 16 bits.
inline Bytes Abbild(std::uint16_t ende1, const Bytes& daten, std::uint16_t zyklen1 = 0,
                    std::uint16_t ruhe1 = 0, std::uint16_t ende2 = 0) {
    // Made at its full size: GCC 12 sees a bound violation (-Warray-bounds)
    // in vector::insert's reallocation that cannot happen.
    Bytes b(32 + daten.size(), 0);
    b[2] = static_cast<std::uint8_t>(ende1 >> 8);
    b[3] = static_cast<std::uint8_t>(ende1);
    b[4] = static_cast<std::uint8_t>(ende2 >> 8);
    b[5] = static_cast<std::uint8_t>(ende2);
    b[0x0A] = static_cast<std::uint8_t>(zyklen1 >> 8);
    b[0x0B] = static_cast<std::uint8_t>(zyklen1);
    b[0x12] = static_cast<std::uint8_t>(ruhe1 >> 8);
    b[0x13] = static_cast<std::uint8_t>(ruhe1);
    b[0x1A] = 1;
    std::copy(daten.begin(), daten.end(), b.begin() + 32);
    unsigned summe = 1;
    const std::size_t letztes =
        ende1 < 0x1002 ? 2 : std::min<std::size_t>(b.size(), ende1 + 1u - 0x1000u);
    for (std::size_t i = 2; i < letztes; ++i) {
        summe += b[i];
    }
    b[0] = static_cast<std::uint8_t>(summe >> 8);
    b[1] = static_cast<std::uint8_t>(summe);
    return b;
}

}  // namespace curves::test
