#include "device/qt_serial_port.h"

#include "device/line_settings.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QString>

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <termios.h>
#endif

namespace device {

namespace {

// Longest a frame may take to reach the kernel: the longest frame (147 bytes
// of a 64-byte memory write) at 4800 baud is about 0.3 s on the line.
constexpr int kSchreibzeitMs = 2000;

// QSerialPort's setters behind the line-setting rule.
class Steller final : public Leitungssteller {
  public:
    explicit Steller(QSerialPort& port) : port_(port) {}
    bool Baud(int baud) override { return port_.setBaudRate(baud); }
    bool Datenbits(int bits) override {
        return port_.setDataBits(bits == 8 ? QSerialPort::Data8 : QSerialPort::Data7);
    }
    bool Paritaet(device::Paritaet p) override {
        return port_.setParity(p == Paritaet::Ungerade ? QSerialPort::OddParity
                               : p == Paritaet::Gerade ? QSerialPort::EvenParity
                                                       : QSerialPort::NoParity);
    }
    bool Stoppbits(int bits) override {
        return port_.setStopBits(bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    }
    bool OhneFlusssteuerung() override { return port_.setFlowControl(QSerialPort::NoFlowControl); }

  private:
    QSerialPort& port_;
};

class QtSerialPort final : public SerialPort {
  public:
    ~QtSerialPort() override { port_.close(); }

    int open(const std::string& geraet, const Leitungseinstellung& e) override {
        ausgegeben_ = false;
        port_.setPortName(QString::fromStdString(geraet));
        if (!port_.open(QIODevice::ReadWrite)) {
            port_.clearError();
            return kFehler;
        }
        Steller steller(port_);
        const int r = LeitungEinstellen(steller, e, IstPseudoterminal(Dateideskriptor()));
        port_.clearError();
        if (r != 0)
            port_.close();
        return r;
    }

    int close() override {
        if (!port_.isOpen()) {
            return kFehler;
        }
        port_.close();
        const bool ok = port_.error() == QSerialPort::NoError;
        port_.clearError();
        return ok ? 0 : kFehler;
    }

    int setTimeout(std::chrono::milliseconds zeitlimit) override {
        zeitlimit_ = zeitlimit;
        return 0;
    }

    int write(std::span<const std::uint8_t> bytes) override {
        if (!port_.isOpen()) {
            return kFehler;
        }
        ausgegeben_ = false;
        const qint64 n = port_.write(reinterpret_cast<const char*>(bytes.data()),
                                     static_cast<qint64>(bytes.size()));
        if (n < 0) {
            port_.clearError();
            return kFehler;
        }
        // write() only fills Qt's buffer; without an event loop nothing moves
        // it to the device but waitForBytesWritten().
        if (!NachKernel()) {
            return kFehler;
        }
        return static_cast<int>(n);
    }

    int readByte() override {
        if (!port_.isOpen()) {
            return kFehler;
        }
        // waitForReadyRead() looks only for new bytes; Qt may hold some already.
        QDeadlineTimer frist(zeitlimit_.count());
        while (port_.bytesAvailable() == 0) {
            if (!port_.waitForReadyRead(static_cast<int>(frist.remainingTime()))) {
                const auto fehler = port_.error();
                // A time-out stays set until cleared and would fail the next call.
                port_.clearError();
                if (fehler != QSerialPort::NoError && fehler != QSerialPort::TimeoutError) {
                    return kFehler;
                }
                if (port_.bytesAvailable() == 0 && frist.hasExpired()) {
                    return kZeitlimit;
                }
            }
        }
        char c = 0;
        if (!port_.getChar(&c)) {
            port_.clearError();
            return kFehler;
        }
        // A pseudo-terminal passes 8 bits where the 7-bit line strips the parity.
        return static_cast<unsigned char>(c) & 0x7F;
    }

    int bytesToWrite() override {
        return port_.isOpen() ? static_cast<int>(port_.bytesToWrite()) : kFehler;
    }

    int drain() override {
        if (!port_.isOpen() || !NachKernel()) {
            return kFehler;
        }
        // waitForBytesWritten() hands the bytes to the kernel; they leave the
        // UART only later, and the next exchange's flush must not drop them.
#ifdef _WIN32
        if (!FlushFileBuffers(reinterpret_cast<HANDLE>(port_.handle()))) {
            return kFehler;
        }
#else
        int r = 0;
        do {
            r = tcdrain(static_cast<int>(port_.handle()));
        } while (r != 0 && errno == EINTR);
        if (r != 0) {
            return kFehler;
        }
#endif
        ausgegeben_ = true;
        return 0;
    }

    int flushInput() override {
        return Leeren(QSerialPort::Input);
    }

    // After a drain nothing is left to discard, and on a pseudo-terminal
    // tcflush(TCOFLUSH) would throw away what the other side has not read yet:
    // the tail of an unanswered '&' frame. Only output that did not drain (a
    // failed write) is discarded.
    int flushOutput() override {
        if (!port_.isOpen()) {
            return kFehler;
        }
        if (ausgegeben_ && port_.bytesToWrite() == 0) {
            return 0;
        }
        const int r = Leeren(QSerialPort::Output);
        if (r == 0) {
            ausgegeben_ = true;
        }
        return r;
    }

  private:
    int Dateideskriptor() {
#ifdef _WIN32
        return -1;
#else
        return static_cast<int>(port_.handle());
#endif
    }

    bool NachKernel() {
        QDeadlineTimer frist(kSchreibzeitMs);
        while (port_.bytesToWrite() > 0) {
            if (frist.hasExpired() ||
                !port_.waitForBytesWritten(static_cast<int>(frist.remainingTime()))) {
                port_.clearError();
                return port_.bytesToWrite() == 0;
            }
        }
        return true;
    }

    int Leeren(QSerialPort::Direction richtung) {
        if (!port_.isOpen()) {
            return kFehler;
        }
        if (!port_.clear(richtung)) {
            port_.clearError();
            return kFehler;
        }
        return 0;
    }

    QSerialPort port_;
    std::chrono::milliseconds zeitlimit_{500};
    // Everything written so far has left the port. A fresh port starts false,
    // so whatever another program left queued is discarded once.
    bool ausgegeben_ = false;
};

}  // namespace

std::unique_ptr<SerialPort> QtSerialPortErzeugen() {
    return std::make_unique<QtSerialPort>();
}

PortFabrik QtSerialPortFabrik() {
    return [](int) { return QtSerialPortErzeugen(); };
}

}  // namespace device
