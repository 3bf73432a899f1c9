// mux6sim: boards on a pseudo-terminal. The slave side is linked as "com1" in
// the working directory (or --link PATH), so the program reaches the boards as
// its serial port 1.

#include "board_model.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using Uhr = std::chrono::steady_clock;
using mux6sim::Bytes;

constexpr int kBitsProZeichen = 10;  // start bit, 7 data bits, parity, stop bit
constexpr std::chrono::milliseconds kRuhigWarten{100};
constexpr std::chrono::milliseconds kAbspielTakt{1};  // finest time base of a curve

volatile std::sig_atomic_t gEnde = 0;

void Beenden(int) {
    gEnde = 1;
}

const char kHilfe[] =
    "Usage: mux6sim [options]\n"
    "Simulates MUX-6 boards on a pseudo-terminal whose slave side is linked as a\n"
    "serial port the program can open.\n"
    "\n"
    "  --link PATH          link the pseudo-terminal as PATH (default: com1 in the\n"
    "                       working directory, i.e. the program's port 1)\n"
    "  --board A[=IDENT]    a board at address A (1..8), optionally with identity\n"
    "                       IDENT (no blanks, at most 26 characters); repeatable.\n"
    "                       Default: one board at 1 with identity ORV-VEK7M_MUX6_V1.0\n"
    "  --baud N             pace every byte both ways, 10 bits a character, at the\n"
    "                       rate the program set on its side of the terminal (N\n"
    "                       when that cannot be read; default: no pacing)\n"
    "  --board-baud N       the boards talk at N (4800, 9600, 19200, 38400) from the\n"
    "                       start, as after a switch the power did not undo\n"
    "                       (default 9600)\n"
    "  --ignore-baud        boards acknowledge a new baud rate and stay at theirs\n"
    "  --corrupt ADDR       boards store the byte written to memory address ADDR\n"
    "                       (hex, 0..FFFF) altered\n"
    "  --fault KIND         misbehave: nak, can, silence, wrong-byte, short-line,\n"
    "                       long-line, bad-checksum (short-line, long-line and\n"
    "                       bad-checksum change reply lines only; bad-checksum only\n"
    "                       memory reads)\n"
    "  --fault-at N         only at frame N (counting every frame received from 1);\n"
    "                       repeatable\n"
    "  --fault-rate P       each frame with probability P (0..1)\n"
    "  --seed S             seed for --fault-rate (default 1)\n"
    "                       Without --fault-at or --fault-rate every frame misbehaves.\n"
    "  -v, --verbose        report the link and every frame on standard error\n"
    "  -h, --help           this text\n"
    "\n"
    "Boards answer every command of the board: identity, start/stop, inputs that\n"
    "read back the outputs, 64 KiB of type-4 memory, status, fault and mode bytes,\n"
    "baud rate and address. Requests to '&' reach every board and are not answered.\n"
    "A board answers only while the program's port runs at the board's rate; at\n"
    "another rate what it receives is noise to it. A new rate takes effect after\n"
    "the acknowledgement, which still leaves at the old one.\n"
    "SIGINT or SIGTERM ends the simulator and removes the link.\n";

struct Optionen {
    std::filesystem::path link = "com1";
    std::vector<mux6sim::Platine> platinen;
    int baud = 0;
    int platinenBaud = 9600;
    bool baudIgnorieren = false;
    std::optional<std::size_t> verfaelscht;
    mux6sim::Stoerplan plan;
    bool gespraechig = false;
};

bool BaudDerPlatine(long b) {
    return b == 4800 || b == 9600 || b == 19200 || b == 38400;
}

// The line speed the program set on its side, in baud; 0 for none we know.
int Leitungsrate(int fd) {
    struct Rate {
        speed_t kennung;
        int baud;
    };
    static constexpr Rate kRaten[] = {{B1200, 1200},   {B2400, 2400},    {B4800, 4800},
                                      {B9600, 9600},   {B19200, 19200},  {B38400, 38400},
                                      {B57600, 57600}, {B115200, 115200}};
    termios t{};
    if (tcgetattr(fd, &t) != 0) {
        return 0;
    }
    const speed_t s = cfgetospeed(&t);
    for (const Rate& r : kRaten) {
        if (r.kennung == s) {
            return r.baud;
        }
    }
    return 0;
}

bool Ganz(std::string_view s, long& wert) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), wert);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

int Fehler(const std::string& text) {
    std::fprintf(stderr, "mux6sim: %s\nTry 'mux6sim --help'.\n", text.c_str());
    return 2;
}

// 0 to run, 1 for --help, 2 for a usage error (already reported).
int Lesen(int argc, char** argv, Optionen& o) {
    bool faultGegeben = false;
    bool planGegeben = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        auto wert = [&](std::string_view& w) {
            if (i + 1 >= argc) {
                return false;
            }
            w = argv[++i];
            return true;
        };
        std::string_view w;
        if (a == "-h" || a == "--help") {
            std::fputs(kHilfe, stdout);
            return 1;
        } else if (a == "-v" || a == "--verbose") {
            o.gespraechig = true;
        } else if (a == "--link") {
            if (!wert(w) || w.empty()) {
                return Fehler("--link needs a path");
            }
            o.link = std::string(w);
        } else if (a == "--board") {
            if (!wert(w) || w.empty() || w[0] < '1' || w[0] > '8' ||
                (w.size() > 1 && w[1] != '=')) {
                return Fehler("--board needs an address 1..8, optionally =IDENT");
            }
            mux6sim::Platine p;
            p.adresse = w[0];
            if (w.size() > 1) {
                const std::string_view id = w.substr(2);
                if (id.empty() || id.size() > 26 ||
                    id.find_first_of(" \t\r\n") != std::string_view::npos) {
                    return Fehler("an identity has 1..26 characters and no blanks");
                }
                p.identitaet = std::string(id);
            }
            for (const auto& q : o.platinen) {
                if (q.adresse == p.adresse) {
                    return Fehler(std::string("two boards at address ") + p.adresse);
                }
            }
            o.platinen.push_back(std::move(p));
        } else if (a == "--baud") {
            long b = 0;
            if (!wert(w) || !Ganz(w, b) || b < 50 || b > 4000000) {
                return Fehler("--baud needs a rate in bits per second");
            }
            o.baud = static_cast<int>(b);
        } else if (a == "--board-baud") {
            long b = 0;
            if (!wert(w) || !Ganz(w, b) || !BaudDerPlatine(b)) {
                return Fehler("--board-baud needs 4800, 9600, 19200 or 38400");
            }
            o.platinenBaud = static_cast<int>(b);
        } else if (a == "--ignore-baud") {
            o.baudIgnorieren = true;
        } else if (a == "--corrupt") {
            unsigned long adr = 0;
            const auto r = wert(w) ? std::from_chars(w.data(), w.data() + w.size(), adr, 16)
                                   : std::from_chars_result{nullptr, std::errc::invalid_argument};
            if (w.empty() || r.ec != std::errc() || r.ptr != w.data() + w.size() || adr > 0xFFFF) {
                return Fehler("--corrupt needs a memory address 0..FFFF (hex)");
            }
            o.verfaelscht = adr;
        } else if (a == "--fault") {
            if (!wert(w)) {
                return Fehler("--fault needs a kind");
            }
            const auto s = mux6sim::StoerungAusName(w);
            if (!s) {
                return Fehler("unknown fault '" + std::string(w) + "'");
            }
            o.plan.art = *s;
            faultGegeben = true;
        } else if (a == "--fault-at") {
            long n = 0;
            if (!wert(w) || !Ganz(w, n) || n < 1) {
                return Fehler("--fault-at needs a frame number from 1");
            }
            o.plan.beiRahmen.push_back(n);
            planGegeben = true;
        } else if (a == "--fault-rate") {
            double p = -1;
            const auto r = wert(w) ? std::from_chars(w.data(), w.data() + w.size(), p)
                                   : std::from_chars_result{nullptr, std::errc::invalid_argument};
            if (r.ec != std::errc() || r.ptr != w.data() + w.size() || !(p >= 0 && p <= 1)) {
                return Fehler("--fault-rate needs a probability 0..1");
            }
            o.plan.anteil = p;
            planGegeben = true;
        } else if (a == "--seed") {
            long s = 0;
            if (!wert(w) || !Ganz(w, s) || s < 0) {
                return Fehler("--seed needs a number");
            }
            o.plan.seed = static_cast<std::uint32_t>(s);
        } else {
            return Fehler("unknown option '" + std::string(a) + "'");
        }
    }
    if (planGegeben && !faultGegeben) {
        return Fehler("--fault-at and --fault-rate need --fault KIND");
    }
    if (o.platinen.empty()) {
        o.platinen.emplace_back();
    }
    for (auto& p : o.platinen) {
        p.baud = o.platinenBaud;
        p.baudIgnorieren = o.baudIgnorieren;
        p.verfaelschteAdresse = o.verfaelscht;
    }
    return 0;
}

std::string Lesbar(const Bytes& b) {
    std::string s;
    for (std::uint8_t c : b) {
        if (c >= 0x20 && c < 0x7F) {
            s += static_cast<char>(c);
        } else {
            char h[8];
            std::snprintf(h, sizeof h, "<%02X>", c);
            s += h;
        }
    }
    return s;
}

bool AllesSchreiben(int fd, const std::uint8_t* p, std::size_t n) {
    while (n > 0) {
        const ssize_t r = ::write(fd, p, n);
        if (r < 0) {
            if (errno == EINTR && !gEnde) {
                continue;
            }
            return false;
        }
        p += r;
        n -= static_cast<std::size_t>(r);
    }
    return true;
}

class Simulator {
  public:
    Simulator(Optionen& o, int master, int slave)
        : o_(o), master_(master), slave_(slave), leitung_(std::move(o.platinen)) {
        leitung_.StoerungSetzen(o.plan);
    }

    int Laufen() {
        auto zuletzt = Uhr::now();
        std::uint8_t puffer[4096];
        while (!gEnde) {
            pollfd p{master_, POLLIN, 0};
            const int bereit = ::poll(&p, 1, Wartezeit());
            const auto jetzt = Uhr::now();
            leitung_.Fortschreiten(
                std::chrono::duration_cast<std::chrono::microseconds>(jetzt - zuletzt));
            zuletzt = jetzt;
            if (bereit < 0) {
                if (errno == EINTR) {
                    continue;
                }
                std::perror("mux6sim: poll");
                return 1;
            }
            if (bereit == 0 || !(p.revents & POLLIN)) {
                continue;
            }
            const ssize_t n = ::read(master_, puffer, sizeof puffer);
            if (n < 0) {
                if (errno == EINTR || errno == EAGAIN) {
                    continue;
                }
                std::perror("mux6sim: read");
                return 1;
            }
            RateLesen();
            if (!Verarbeiten(puffer, static_cast<std::size_t>(n))) {
                break;
            }
        }
        return 0;
    }

  private:
    // The bytes just read were sent at the rate the program's port runs at
    // now; the boards and the pacing follow it.
    void RateLesen() {
        const int rate = Leitungsrate(slave_);
        if (o_.gespraechig && rate != leitung_.Leitungsrate().value_or(-1)) {
            std::fprintf(stderr, "mux6sim: line at %d baud\n", rate);
        }
        leitung_.LeitungsrateSetzen(rate);
        const int takt = rate > 0 ? rate : o_.baud;
        zeichen_ = o_.baud > 0 ? std::chrono::nanoseconds(1'000'000'000LL * kBitsProZeichen / takt)
                               : std::chrono::nanoseconds(0);
    }

    // Sleep until a playing curve changes an output, or a while when none plays.
    int Wartezeit() const {
        const auto bis = leitung_.BisZurNaechstenAenderung();
        if (!bis) {
            return static_cast<int>(kRuhigWarten.count());
        }
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(*bis);
        return static_cast<int>(std::clamp(ms, kAbspielTakt, kRuhigWarten).count());
    }

    // Without pacing the whole chunk is answered at once. With pacing each
    // byte arrives one character time after the one before it and each reply
    // byte leaves one character time after the one before it, against absolute
    // deadlines, so the simulator's own delays do not add up.
    bool Verarbeiten(const std::uint8_t* daten, std::size_t n) {
        if (zeichen_.count() == 0) {
            const Bytes antwort = leitung_.Empfangen(std::span(daten, n));
            Melden(std::span(daten, n), antwort);
            return antwort.empty() || AllesSchreiben(master_, antwort.data(), antwort.size());
        }
        // The program wrote them just now; the first is in one character later.
        const auto empfangen = Uhr::now();
        if (ein_ < empfangen) {
            ein_ = empfangen;
        }
        for (std::size_t i = 0; i < n && !gEnde; ++i) {
            ein_ += zeichen_;
            std::this_thread::sleep_until(ein_);
            const Bytes antwort = leitung_.Empfangen(std::span(daten + i, 1));
            Melden(std::span(daten + i, 1), antwort);
            if (antwort.empty()) {
                continue;
            }
            // The reply starts once the request's last byte is in.
            if (aus_ < ein_) {
                aus_ = ein_;
            }
            for (std::uint8_t b : antwort) {
                aus_ += zeichen_;
                std::this_thread::sleep_until(aus_);
                if (gEnde || !AllesSchreiben(master_, &b, 1)) {
                    return false;
                }
            }
        }
        return true;
    }

    void Melden(std::span<const std::uint8_t> ein, const Bytes& aus) {
        if (!o_.gespraechig) {
            return;
        }
        gelesen_.insert(gelesen_.end(), ein.begin(), ein.end());
        if (!aus.empty() || (!gelesen_.empty() && gelesen_.back() == 0x0D)) {
            std::fprintf(stderr, "mux6sim: frame %ld %s -> %s\n", leitung_.Rahmenzahl(),
                         Lesbar(gelesen_).c_str(), Lesbar(aus).c_str());
            gelesen_.clear();
        }
    }

    Optionen& o_;
    int master_;
    int slave_;
    mux6sim::Leitung leitung_;
    std::chrono::nanoseconds zeichen_{0};
    Uhr::time_point ein_{};
    Uhr::time_point aus_{};
    Bytes gelesen_;
};

void Rohmodus(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        tcsetattr(fd, TCSANOW, &t);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Optionen o;
    const int lesen = Lesen(argc, argv, o);
    if (lesen != 0) {
        return lesen == 1 ? 0 : 2;
    }

    struct sigaction sa {};
    sa.sa_handler = Beenden;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no SA_RESTART: a blocked write returns so the flag is seen
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("mux6sim: pseudo-terminal");
        return 1;
    }
    const char* name = ptsname(master);
    if (!name) {
        std::perror("mux6sim: ptsname");
        return 1;
    }
    const std::string slaveName = name;
    // Holding the slave open keeps the master readable while the program has
    // the port closed, and sets the line raw before anybody opens it.
    const int slave = ::open(slaveName.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        std::perror("mux6sim: slave");
        return 1;
    }
    Rohmodus(slave);

    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path link = fs::absolute(o.link, ec);
    // A link left by a simulator that was killed is replaced; anything else
    // at the path is not ours to remove.
    const auto st = fs::symlink_status(link, ec);
    if (fs::is_symlink(st)) {
        fs::remove(link, ec);
    } else if (fs::exists(st)) {
        std::fprintf(stderr, "mux6sim: %s exists and is not a link\n", link.c_str());
        return 1;
    }
    fs::create_symlink(slaveName, link, ec);
    if (ec) {
        std::fprintf(stderr, "mux6sim: cannot link %s: %s\n", link.c_str(), ec.message().c_str());
        return 1;
    }
    if (o.gespraechig) {
        std::fprintf(stderr, "mux6sim: %s -> %s\n", link.c_str(), slaveName.c_str());
    }

    Simulator sim(o, master, slave);
    const int ergebnis = sim.Laufen();

    // Remove the link only while it still points at this simulator's terminal.
    if (fs::is_symlink(fs::symlink_status(link, ec)) && fs::read_symlink(link, ec) == slaveName) {
        fs::remove(link, ec);
    }
    ::close(slave);
    ::close(master);
    return ergebnis;
}
