#pragma once
// A record of what went over the line, for a board that misbehaves on a test
// bench: a port that hands every call to the port inside it and writes one
// line per frame sent and per answer received, with the milliseconds since
// the trace began.
//
//   mux6ctl 1.0.1; /dev/ttyUSB0; 9600 Baud, 7 Datenbits, Parität ungerade, 1 Stoppbit
//        3 -> #1IDR\r
//        5 <- <ACK>#1ORV-VEK7M_MUX6_V1.0\r
//      509 -- Zeitlimit
//
// Printable bytes stand as they are, CR as \r, ACK, NAK and CAN by name in
// angle brackets, every other byte (and '<' and '\', which the names and
// escapes use) as \xHH or \\, so every line reads back to its bytes.
//
// An answer is what is read after a frame: its line is written when its CR
// arrives, when a time-out ends it, or at the next call on the port. Each
// line is flushed as it is written, so a run that is killed leaves the trace
// whole up to that point.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "device/forwarding_port.h"
#include "device/serial_port.h"

namespace device {

// The bytes as a trace line shows them.
std::string SpurText(std::span<const std::uint8_t> bytes);

// The line settings in words: "9600 Baud, 7 Datenbits, Parität ungerade, 1 Stoppbit".
std::string EinstellungText(const Leitungseinstellung& e);

class Spur {
  public:
    using Uhr = std::function<std::chrono::steady_clock::time_point()>;

    // The lines go to `ziel`, which must outlive the trace. Without a clock
    // the steady clock; the trace begins now.
    explicit Spur(std::ostream& ziel, Uhr uhr = {});

    // The first line: program and version, port or device, line settings.
    void Kopf(std::string_view programm, std::string_view geraet, const Leitungseinstellung& e);
    void Gesendet(std::span<const std::uint8_t> bytes);
    // One byte of the answer; the line is written at its CR.
    void Empfangen(std::uint8_t byte);
    // No byte within the time-out, or the port failed while reading.
    void Zeitlimit();
    void Portfehler();
    // Writes an answer begun and not yet ended.
    void AntwortBeenden();

    // False once a line could not be written.
    bool Geschrieben() const { return static_cast<bool>(ziel_); }

  private:
    long Millisekunden() const;
    void Zeile(long ms, std::string_view richtung, std::string_view text);

    std::ostream& ziel_;
    Uhr uhr_;
    std::chrono::steady_clock::time_point beginn_;
    std::string antwort_;
    long antwortBeginn_ = 0;
    std::string zeile_;
};

// The traced port. `programm` ("mux6ctl 1.0.1") opens the first line.
class TracePort final : public WeiterleitenderPort {
  public:
    TracePort(std::unique_ptr<SerialPort> innen, std::shared_ptr<Spur> spur, std::string programm);

    int open(const std::string& geraet, const Leitungseinstellung& einstellung) override;
    int close() override;
    int write(std::span<const std::uint8_t> bytes) override;
    int readByte() override;
    int flushInput() override;
    int flushOutput() override;

  private:
    std::shared_ptr<Spur> spur_;
    std::string programm_;
};

// A factory whose every port is traced into `spur`.
PortFabrik SpurFabrik(PortFabrik innen, std::shared_ptr<Spur> spur, std::string programm);

}  // namespace device
