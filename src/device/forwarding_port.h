#pragma once
// A port that hands every call to the port inside it: the base of ports that
// add something on the way (a trace, a fixed device name, a test's record)
// and override only the calls they change.

#include <memory>
#include <utility>

#include "device/serial_port.h"

namespace device {

class WeiterleitenderPort : public SerialPort {
  public:
    explicit WeiterleitenderPort(std::unique_ptr<SerialPort> innen) : innen_(std::move(innen)) {}

    int open(const std::string& geraet, const Leitungseinstellung& einstellung) override {
        return innen_->open(geraet, einstellung);
    }
    int close() override { return innen_->close(); }
    int setTimeout(std::chrono::milliseconds zeitlimit) override {
        return innen_->setTimeout(zeitlimit);
    }
    int write(std::span<const std::uint8_t> bytes) override { return innen_->write(bytes); }
    int readByte() override { return innen_->readByte(); }
    int bytesToWrite() override { return innen_->bytesToWrite(); }
    int drain() override { return innen_->drain(); }
    int flushInput() override { return innen_->flushInput(); }
    int flushOutput() override { return innen_->flushOutput(); }

  protected:
    SerialPort& innen() { return *innen_; }

  private:
    std::unique_ptr<SerialPort> innen_;
};

}  // namespace device
