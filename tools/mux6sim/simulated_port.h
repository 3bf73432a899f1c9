#pragma once
// The board model behind the link's port interface, for in-process tests: what
// is written goes to the boards at once, their answer is what the next reads
// return, and silence is an immediate time-out (no waiting).

#include "board_model.h"
#include "device/serial_port.h"

#include <deque>
#include <memory>

namespace mux6sim {

class SimulatedPort final : public device::SerialPort {
  public:
    explicit SimulatedPort(std::shared_ptr<Leitung> leitung) : leitung_(std::move(leitung)) {}

    int open(const std::string& geraet, const device::Leitungseinstellung& einstellung) override;
    int close() override;
    int setTimeout(std::chrono::milliseconds zeitlimit) override;
    int write(std::span<const std::uint8_t> bytes) override;
    int readByte() override;
    int bytesToWrite() override { return offen_ ? 0 : kFehler; }
    int drain() override { return offen_ ? 0 : kFehler; }
    int flushInput() override;
    int flushOutput() override { return offen_ ? 0 : kFehler; }

    // Bytes that arrive without a request (a board that keeps talking).
    void Einspeisen(std::span<const std::uint8_t> bytes);
    // The port disappears (a USB adapter pulled): every later call fails.
    void Wegnehmen() { weg_ = true; }

  private:
    std::shared_ptr<Leitung> leitung_;
    std::deque<std::uint8_t> eingang_;
    bool offen_ = false;
    bool weg_ = false;
};

// A port factory that puts `leitung` behind every port number.
device::PortFabrik SimulierteFabrik(std::shared_ptr<Leitung> leitung);

}  // namespace mux6sim
