// The Qt serial backend on a bare pseudo-terminal pair: the test holds the
// master side and sees exactly what the port sends and when it reads.

#include "device/qt_serial_port.h"
#include "support/temp_dir.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <string>

namespace {

using device::SerialPort;

class AmPseudoterminal : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(openpty(&master_, &slave_, nullptr, nullptr, nullptr), 0);
        termios t{};
        tcgetattr(slave_, &t);
        cfmakeraw(&t);
        tcsetattr(slave_, TCSANOW, &t);
        pfad_ = ttyname(slave_);
        port_ = device::QtSerialPortErzeugen();
        ASSERT_EQ(port_->open(pfad_, device::Leitungseinstellung{}), 0);
    }
    void TearDown() override {
        port_.reset();
        if (slave_ >= 0) {
            close(slave_);
        }
        if (master_ >= 0) {
            close(master_);
        }
    }
    void VomGeraet(const std::string& bytes) {
        ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // What the port has sent, as far as it arrived within `ms`.
    std::string AmGeraet(int ms = 200) {
        std::string s;
        pollfd p{master_, POLLIN, 0};
        while (poll(&p, 1, ms) > 0) {
            char buf[256];
            const ssize_t n = read(master_, buf, sizeof buf);
            if (n <= 0) {
                break;
            }
            s.append(buf, static_cast<std::size_t>(n));
            ms = 20;
        }
        return s;
    }
    int Schreiben(const std::string& s) {
        return port_->write(std::span(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()));
    }
    int master_ = -1;
    int slave_ = -1;
    std::string pfad_;
    std::unique_ptr<SerialPort> port_;
};

TEST_F(AmPseudoterminal, SchreibenUndAusgeben) {
    EXPECT_EQ(Schreiben("#1IDR\r"), 6);
    EXPECT_EQ(port_->drain(), 0);
    EXPECT_EQ(port_->bytesToWrite(), 0);
    EXPECT_EQ(AmGeraet(), "#1IDR\r");
}

TEST_F(AmPseudoterminal, SiebenBitWieAufDerLeitung) {
    // The pseudo-terminal passes the parity bit a real 7-bit line strips.
    VomGeraet("\x86\xA3\x31");
    ASSERT_EQ(port_->setTimeout(std::chrono::milliseconds(500)), 0);
    EXPECT_EQ(port_->readByte(), 0x06);
    EXPECT_EQ(port_->readByte(), 0x23);
    EXPECT_EQ(port_->readByte(), 0x31);
}

TEST_F(AmPseudoterminal, GepufferteBytesOhneWarten) {
    VomGeraet("abc");
    ASSERT_EQ(port_->setTimeout(std::chrono::milliseconds(500)), 0);
    EXPECT_EQ(port_->readByte(), 'a');
    // Qt took all three from the terminal: the rest is there without new
    // bytes arriving, even with no time to wait.
    ASSERT_EQ(port_->setTimeout(std::chrono::milliseconds(0)), 0);
    EXPECT_EQ(port_->readByte(), 'b');
    EXPECT_EQ(port_->readByte(), 'c');
    EXPECT_EQ(port_->readByte(), SerialPort::kZeitlimit);
}

TEST_F(AmPseudoterminal, NachZeitlimitGehtEsWeiter) {
    ASSERT_EQ(port_->setTimeout(std::chrono::milliseconds(30)), 0);
    EXPECT_EQ(port_->readByte(), SerialPort::kZeitlimit);
    EXPECT_EQ(port_->readByte(), SerialPort::kZeitlimit);
    VomGeraet("\x06");
    EXPECT_EQ(port_->readByte(), 0x06);
    EXPECT_EQ(Schreiben("x"), 1);
    EXPECT_EQ(port_->drain(), 0);
}

TEST_F(AmPseudoterminal, EingangLeerenVerwirftAltes) {
    VomGeraet("spaet\r");
    ASSERT_EQ(port_->setTimeout(std::chrono::milliseconds(30)), 0);
    // Let it reach the terminal's queue, and part of it Qt's buffer.
    usleep(20000);
    EXPECT_EQ(port_->readByte(), 's');
    EXPECT_EQ(port_->flushInput(), 0);
    EXPECT_EQ(port_->readByte(), SerialPort::kZeitlimit);
}

TEST_F(AmPseudoterminal, AusgangLeerenNachAusgabeVerliertNichts) {
    // A request to all boards is never answered; the next exchange's flush
    // must not take back what the other side has not read yet.
    EXPECT_EQ(Schreiben("#&DF1\r"), 6);
    EXPECT_EQ(port_->drain(), 0);
    EXPECT_EQ(port_->flushInput(), 0);
    EXPECT_EQ(port_->flushOutput(), 0);
    EXPECT_EQ(AmGeraet(), "#&DF1\r");
}

TEST_F(AmPseudoterminal, SchliessenUndGeschlossen) {
    EXPECT_EQ(port_->close(), 0);
    EXPECT_EQ(port_->close(), SerialPort::kFehler);
    EXPECT_EQ(port_->readByte(), SerialPort::kFehler);
    EXPECT_LT(Schreiben("x"), 0);
    EXPECT_LT(port_->drain(), 0);
    EXPECT_LT(port_->flushInput(), 0);
    EXPECT_LT(port_->flushOutput(), 0);
    EXPECT_LT(port_->bytesToWrite(), 0);
    // And it opens again.
    EXPECT_EQ(port_->open(pfad_, device::Leitungseinstellung{}), 0);
}

TEST_F(AmPseudoterminal, GegenseiteVerschwindet) {
    close(master_);
    master_ = -1;
    close(slave_);
    slave_ = -1;
    ASSERT_EQ(port_->setTimeout(std::chrono::milliseconds(100)), 0);
    EXPECT_LT(port_->readByte(), 0);
    const int w = Schreiben("#1IDR\r");
    EXPECT_TRUE(w < 0 || port_->drain() < 0);
}

TEST(QtPort, OeffnenScheitert) {
    testsupport::TempDir dir;
    auto port = device::QtSerialPortErzeugen();
    EXPECT_NE(port->open((dir / "gibtsnicht").string(), {}), 0);
    testsupport::Schreiben(dir / "datei", "kein Terminal");
    EXPECT_NE(port->open((dir / "datei").string(), {}), 0);
    EXPECT_LT(port->readByte(), 0);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
