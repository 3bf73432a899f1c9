#pragma once
// What the board link needs of a serial port, and the table of open ports.
// The link reaches a port only through this interface, so tests put a scripted
// port or a simulated board behind a port number, and the program puts the Qt
// backend there (device/qt_serial_port.h).

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace device {

enum class Paritaet { Keine, Ungerade, Gerade };

// The line settings the board talks with: 7 data bits, odd parity, one stop
// bit, queues of 512 bytes each; the baud rate is chosen by the caller.
struct Leitungseinstellung {
    int baud = 9600;
    int datenbits = 7;
    Paritaet paritaet = Paritaet::Ungerade;
    int stoppbits = 1;
    std::size_t eingangspuffer = 512;
    std::size_t ausgangspuffer = 512;
};

// Results below 0 are failures of the port; the link turns them into its own
// codes, so the exact negative value does not matter to it.
class SerialPort {
  public:
    // readByte() results that are not bytes.
    static constexpr int kZeitlimit = -1;  // nothing arrived within the time-out
    static constexpr int kFehler = -2;     // the port failed (device gone, I/O error)

    virtual ~SerialPort() = default;

    // 0, or negative when the device cannot be opened.
    virtual int open(const std::string& geraet, const Leitungseinstellung& einstellung) = 0;
    virtual int close() = 0;
    // How long readByte() waits for one byte.
    virtual int setTimeout(std::chrono::milliseconds zeitlimit) = 0;
    // Hands the bytes to the port; the number taken, or negative.
    virtual int write(std::span<const std::uint8_t> bytes) = 0;
    // The next received byte 0..255 within the time-out, kZeitlimit or kFehler.
    virtual int readByte() = 0;
    // Bytes still waiting to go out, or negative.
    virtual int bytesToWrite() = 0;
    // Blocks (without spinning) until every written byte has left the line
    // driver; 0, or negative when the port failed.
    virtual int drain() = 0;
    virtual int flushInput() = 0;
    virtual int flushOutput() = 0;
};

// Makes the port object for a port number; nullptr when none can be made.
using PortFabrik = std::function<std::unique_ptr<SerialPort>(int port)>;

// The factory that ORVKAP1_Open uses. The program installs the Qt backend at
// start-up; without a factory every open fails with the open error.
void PortFabrikSetzen(PortFabrik fabrik);
const PortFabrik& PortFabrikHolen();

inline constexpr int kErsterPort = 1;
inline constexpr int kLetzterPort = 8;
// A number the port table has a place for; -1 stands for "no port open".
constexpr bool PortnummerGueltig(int port) {
    return port >= kErsterPort && port <= kLetzterPort;
}

// The open port behind a number 1..8, or nullptr.
SerialPort* OffenerPort(int port);
// Used by ORVKAP1_Open and ORVKAP1_Close; put replaces (and closes) what was there.
void PortEintragen(int port, std::unique_ptr<SerialPort> offen);
std::unique_ptr<SerialPort> PortAustragen(int port);
// Closes every port of the table (program end, and between tests).
void PortTabelleLeeren();

// How port numbers reach devices. On Windows port N is "COMN". Elsewhere a
// file or link named "comN" in the working directory is port N when it exists
// (that is how a USB adapter or the simulator is attached), else
// /dev/ttyS<N-1>. `aufloesen` tells whether an entry exists and what it
// resolves to (links followed, absolute); it is the only contact with the
// file system, so the rule itself is a pure function.
using Aufloeser =
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& eintrag)>;
std::string PortGeraetename(int port, bool windows, const std::filesystem::path& arbeitsverzeichnis,
                            const Aufloeser& aufloesen);

// The rule on this machine: the current working directory and the file system.
// A dangling link still names the port (the open then fails) rather than
// falling back to another device.
std::string PortGeraetename(int port);

}  // namespace device
