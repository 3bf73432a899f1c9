#pragma once
// Transfers at a faster rate than the windows' 9600 baud, for test benches
// that write many curves: the board is switched up for the transfer and back
// before the run ends, whatever happens in between, so it is never left at a
// rate the windows cannot reach. Also the verify after a write, the scan over
// every rate and the explicit switch of a board found at another one.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/serial_port.h"

namespace ctl {

struct Aufruf;
class Lauf;

inline constexpr int kGrundrate = 9600;  // what the windows talk at

// Whether the command of `a` takes the options it was given: a usage error's
// text or empty. A bare --schnell becomes 38400. --schnell is refused for '&': no board answers it,
// so none could be confirmed at either rate.
std::string RatenoptionenPruefen(Aufruf& a);

// The run's ports with a way to stop a transfer on SIGINT or SIGTERM.
device::PortFabrik Abbrechbar(device::PortFabrik innen);

// The board at the run's address switched to another rate and, at the end,
// back to 9600. SIGINT and SIGTERM are held while it is up: they end the
// transfer (its port fails) and the board is switched back first.
class Ratenwechsel {
  public:
    Ratenwechsel() = default;
    ~Ratenwechsel();
    Ratenwechsel(const Ratenwechsel&) = delete;
    Ratenwechsel& operator=(const Ratenwechsel&) = delete;

    // With the port open at 9600: switches the board to a.schnell, reopens
    // the port there and reads the identity. A board silent at the new rate
    // is asked back, the port reopened at 9600 and the board confirmed there:
    // the transfer then runs at 9600 after a note. 0, or the code of the
    // identity at 9600 when the board answers at neither rate.
    int Hinauf(Lauf& l, const Aufruf& a);
    // The end of the command with exit status `status`: switches the board
    // back and confirms it at 9600. Exit 0 only for a command that succeeded
    // with the board answering at 9600 and no signal.
    int Zurueck(Lauf& l, int status);

    // A signal came while the board was up: the first failure to report.
    bool Abgebrochen() const;

  private:
    int port_ = -1;
    char adresse_ = '1';
    int rate_ = kGrundrate;  // the rate the port and the board run at now
    bool signaleGehalten_ = false;
};

// --pruefen: reads `gesendet.size()` bytes from `start` back (at the rate of
// the transfer) and compares them byte for byte. kErfolg, or kFehlschlag
// after naming the first differing address with both bytes, or a read's code.
int Vergleichen(Lauf& l, const Aufruf& a, int start, std::span<const std::uint8_t> gesendet);

// suchen --alle-raten: each address at 9600, 4800, 19200 and 38400 in turn,
// one line per address: its identity and the rate it answered at, or -.
int SuchenAlleRaten(Lauf& l, const Aufruf& a);

// baudrate B: the board at --baud switched to B and confirmed there.
std::optional<int> BaudrateAusfuehren(Lauf& l, const Aufruf& a);

}  // namespace ctl
