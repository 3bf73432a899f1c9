#pragma once
// The port functions of the board link and the one exchange that every
// command runs. Each function takes the port number first, does one complete
// step and returns 0 or a negative code (errors/errors.h gives the texts).
// The link holds no state but the table of open ports.

#include "device/frames.h"

#include <chrono>
#include <vector>

namespace device {

// The board answers within the port's time-out: the connection window sets
// 0.5 s right after opening, for the acknowledgement and for each further byte
// of a reply line alike. A freshly opened port starts with the same value.
inline constexpr std::chrono::milliseconds kAckTimeout{500};
inline constexpr std::chrono::milliseconds kByteTimeout = kAckTimeout;

// The baud rates the board knows.
bool BaudrateErlaubt(int baud);

// Checks the baud rate first (-125001), then the port number (-100002), then
// opens the port with 7 data bits, odd parity, one stop bit (-100003). A port
// that was open under the number is closed first.
int ORVKAP1_Open(int port, int baud);
// 0, or -103004 when the port is not open or reports an error.
int ORVKAP1_Close(int port);
// 0, or -111005 (port not open, negative or not a number, refused).
int ORVKAP1_Timeout(int port, double sekunden);
// Discards the input queue, then the output queue: 0, -124148 (input, and the
// output is then left alone) or -123149.
int FlushInOut(int port);

// One request and its answer, in this order: flush both queues, write the
// frame, wait until it has left the line driver, and unless `antwortErwartet`
// is false (the '&' address) read the acknowledgement and, when `zeile` is
// given, the reply line up to CR or `zeilenMax` bytes. The codes are the
// command's sites. Checking the arguments and decoding the line are the
// caller's.
int Austauschen(int port, const Befehl& befehl, ByteSpan rahmen, bool antwortErwartet,
                std::vector<std::uint8_t>* zeile = nullptr, std::size_t zeilenMax = 0);

}  // namespace device
