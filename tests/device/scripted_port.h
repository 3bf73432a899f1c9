#pragma once
// A port that plays a script: what the board "sends" after each write, which
// port calls fail, and a record of every call. The state lives in a shared
// Skript so a test still sees it after the link has closed the port.

#include "device/serial_port.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

struct Skript {
    // Bytes waiting before the exchange (a late board); a flush drops them.
    std::deque<int> altlast;
    // What arrives once the next frame is written: bytes 0..255, or
    // SerialPort::kZeitlimit / kFehler for a read that fails. Empty: silence.
    std::deque<int> antwort;

    bool oeffnenScheitert = false;
    bool schliessenScheitert = false;
    bool zeitlimitScheitert = false;
    bool eingangLeerenScheitert = false;
    bool ausgangLeerenScheitert = false;
    bool drainScheitert = false;
    // What write() reports; -1000 means "all bytes".
    int schreibErgebnis = -1000;

    // Observed.
    std::vector<std::string> aufrufe;
    std::vector<std::uint8_t> geschrieben;
    std::string geraet;
    device::Leitungseinstellung einstellung;
    std::chrono::milliseconds zeitlimit{-1};
    bool offen = false;
    int erzeugt = 0;

    std::string Text() const { return std::string(geschrieben.begin(), geschrieben.end()); }
    void Antwort(const std::string& bytes) {
        for (unsigned char c : bytes) {
            antwort.push_back(c);
        }
    }
};

class ScriptedPort final : public device::SerialPort {
  public:
    explicit ScriptedPort(std::shared_ptr<Skript> s) : s_(std::move(s)) { ++s_->erzeugt; }

    int open(const std::string& geraet, const device::Leitungseinstellung& e) override {
        s_->aufrufe.push_back("open");
        s_->geraet = geraet;
        s_->einstellung = e;
        if (s_->oeffnenScheitert) {
            return kFehler;
        }
        s_->offen = true;
        return 0;
    }
    int close() override {
        s_->aufrufe.push_back("close");
        s_->offen = false;
        return s_->schliessenScheitert ? kFehler : 0;
    }
    int setTimeout(std::chrono::milliseconds z) override {
        s_->aufrufe.push_back("timeout");
        if (s_->zeitlimitScheitert) {
            return kFehler;
        }
        s_->zeitlimit = z;
        return 0;
    }
    int write(std::span<const std::uint8_t> bytes) override {
        s_->aufrufe.push_back("write");
        const int n =
            s_->schreibErgebnis == -1000 ? static_cast<int>(bytes.size()) : s_->schreibErgebnis;
        if (n > 0) {
            s_->geschrieben.insert(s_->geschrieben.end(), bytes.begin(),
                                   bytes.begin() + std::min<std::size_t>(n, bytes.size()));
        }
        lesbar_.insert(lesbar_.end(), s_->antwort.begin(), s_->antwort.end());
        s_->antwort.clear();
        return n;
    }
    int readByte() override {
        s_->aufrufe.push_back("read");
        std::deque<int>& q = s_->altlast.empty() ? lesbar_ : s_->altlast;
        if (q.empty()) {
            return kZeitlimit;
        }
        const int b = q.front();
        q.pop_front();
        return b;
    }
    int bytesToWrite() override { return 0; }
    int drain() override {
        s_->aufrufe.push_back("drain");
        return s_->drainScheitert ? kFehler : 0;
    }
    int flushInput() override {
        s_->aufrufe.push_back("flushInput");
        if (s_->eingangLeerenScheitert) {
            return kFehler;
        }
        s_->altlast.clear();
        lesbar_.clear();
        return 0;
    }
    int flushOutput() override {
        s_->aufrufe.push_back("flushOutput");
        return s_->ausgangLeerenScheitert ? kFehler : 0;
    }

  private:
    std::shared_ptr<Skript> s_;
    std::deque<int> lesbar_;
};

// Installs a factory of scripted ports for the test's lifetime; every port
// number gets the same script.
class ScriptedPortScope {
  public:
    ScriptedPortScope() : skript(std::make_shared<Skript>()) {
        device::PortTabelleLeeren();
        device::PortFabrikSetzen([s = skript](int) { return std::make_unique<ScriptedPort>(s); });
    }
    ~ScriptedPortScope() {
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
    }
    ScriptedPortScope(const ScriptedPortScope&) = delete;
    ScriptedPortScope& operator=(const ScriptedPortScope&) = delete;

    std::shared_ptr<Skript> skript;
};

}  // namespace testsupport
