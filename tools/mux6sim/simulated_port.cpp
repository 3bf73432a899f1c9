#include "simulated_port.h"

namespace mux6sim {

int SimulatedPort::open(const std::string&, const device::Leitungseinstellung& einstellung) {
    if (weg_ || einstellung.datenbits != 7 || einstellung.paritaet != device::Paritaet::Ungerade ||
        einstellung.stoppbits != 1) {
        return kFehler;  // the boards would not understand another framing
    }
    offen_ = true;
    return 0;
}

int SimulatedPort::close() {
    const bool war = offen_;
    offen_ = false;
    eingang_.clear();
    return war && !weg_ ? 0 : kFehler;
}

int SimulatedPort::setTimeout(std::chrono::milliseconds zeitlimit) {
    return offen_ && !weg_ && zeitlimit.count() >= 0 ? 0 : kFehler;
}

int SimulatedPort::write(std::span<const std::uint8_t> bytes) {
    if (!offen_ || weg_) {
        return kFehler;
    }
    const Bytes antwort = leitung_->Empfangen(bytes);
    eingang_.insert(eingang_.end(), antwort.begin(), antwort.end());
    return static_cast<int>(bytes.size());
}

int SimulatedPort::readByte() {
    if (!offen_ || weg_) {
        return kFehler;
    }
    if (eingang_.empty()) {
        return kZeitlimit;
    }
    const int b = eingang_.front() & 0x7F;
    eingang_.pop_front();
    return b;
}

int SimulatedPort::flushInput() {
    if (!offen_ || weg_) {
        return kFehler;
    }
    eingang_.clear();
    return 0;
}

void SimulatedPort::Einspeisen(std::span<const std::uint8_t> bytes) {
    eingang_.insert(eingang_.end(), bytes.begin(), bytes.end());
}

device::PortFabrik SimulierteFabrik(std::shared_ptr<Leitung> leitung) {
    return [leitung](int) { return std::make_unique<SimulatedPort>(leitung); };
}

}  // namespace mux6sim
