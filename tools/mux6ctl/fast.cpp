#include "fast.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <iterator>
#include <memory>
#include <ostream>
#include <vector>

#include "device/commands.h"
#include "device/link.h"
#include "device/memory_transfer.h"
#include "errors/errors.h"
#include "run.h"

namespace ctl {

namespace {

constexpr double kZeitlimitSekunden = 0.5;  // as the connection window sets it
constexpr int kSpeichertyp = 4;
// Rates a transfer may be switched to; the first is --schnell without a value.
constexpr int kSchnelleRaten[] = {38400, 19200};
// A scan tries the windows' rate first: most boards are there.
constexpr int kAlleRaten[] = {kGrundrate, 4800, 19200, 38400};
// Switching back is tried this often before the board is given up.
constexpr int kZurueckVersuche = 2;

volatile std::sig_atomic_t gSignal = 0;
// While set, a signal that came fails the port: the transfer stops at once.
volatile std::sig_atomic_t gScharf = 0;

extern "C" void SignalMerken(int s) {
    gSignal = s;
}

bool Ganz(const std::string& s, int& wert) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), wert);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// The port of the run with a way to stop it: once a signal came while the
// board is up, every write and read fails like a port that went away.
class AbbrechbarerPort final : public device::SerialPort {
  public:
    explicit AbbrechbarerPort(std::unique_ptr<device::SerialPort> p) : p_(std::move(p)) {}
    int open(const std::string& g, const device::Leitungseinstellung& e) override {
        return p_->open(g, e);
    }
    int close() override { return p_->close(); }
    int setTimeout(std::chrono::milliseconds z) override { return p_->setTimeout(z); }
    int write(std::span<const std::uint8_t> b) override { return Weg() ? kFehler : p_->write(b); }
    int readByte() override { return Weg() ? kFehler : p_->readByte(); }
    int bytesToWrite() override { return p_->bytesToWrite(); }
    int drain() override { return p_->drain(); }
    int flushInput() override { return p_->flushInput(); }
    int flushOutput() override { return p_->flushOutput(); }

  private:
    static bool Weg() { return gScharf && gSignal; }
    std::unique_ptr<device::SerialPort> p_;
};

// The port reopened at `baud` with the run's time-out.
int OeffnenBei(int port, int baud) {
    int code = device::ORVKAP1_Open(port, baud);
    if (code == 0)
        code = device::ORVKAP1_Timeout(port, kZeitlimitSekunden);
    return code;
}

// The board at `adresse` switched to `neu` (the port still at the old rate),
// the port reopened at `neu`, and the board's identity read there.
int Umschalten(int port, char adresse, int neu) {
    // A refused or unanswered switch is judged by the identity that follows:
    // a lost acknowledgement can still have switched the board.
    device::ORVVEK1_BaudrateSchreiben(port, adresse - '0', neu);
    if (const int code = OeffnenBei(port, neu); code != 0)
        return code;
    std::string id;
    return device::ORVKAP1_IDLesen(port, adresse, id);
}

std::string Fehlerzeile(int code) {
    return "Fehler #" + std::to_string(-code) + ": " + errors::ORV_Fehlermeldung(code);
}

bool SchnellBefehl(const std::vector<std::string>& w) {
    return w.size() == 3 && (w[0] == "kurve" || w[0] == "kennlinie") &&
           (w[1] == "senden" || w[1] == "lesen");
}

bool SendeBefehl(const std::vector<std::string>& w) {
    return SchnellBefehl(w) && w[1] == "senden";
}

}  // namespace

device::PortFabrik Abbrechbar(device::PortFabrik innen) {
    return [innen = std::move(innen)](int n) -> std::unique_ptr<device::SerialPort> {
        auto p = innen ? innen(n) : nullptr;
        if (!p)
            return nullptr;
        return std::make_unique<AbbrechbarerPort>(std::move(p));
    };
}

std::string RatenoptionenPruefen(Aufruf& a) {
    const std::vector<std::string>& w = a.woerter;
    if (a.schnell == 1)  // given without a rate
        a.schnell = kSchnelleRaten[0];
    if (a.schnell > 0) {
        if (std::find(std::begin(kSchnelleRaten), std::end(kSchnelleRaten), a.schnell) ==
            std::end(kSchnelleRaten))
            return "--schnell takes 38400 (the default) or 19200";
        if (!SchnellBefehl(w))
            return "--schnell is for kurve senden/lesen and kennlinie senden/lesen";
        if (a.adresse == '&')
            return "--schnell needs one board's address: no board answers &";
        if (a.baud != kGrundrate)
            return "--schnell starts and ends at 9600 baud; leave --baud out";
    }
    if (a.pruefen && !SendeBefehl(w))
        return "--pruefen is for kurve senden and kennlinie senden";
    if (a.alleRaten && !(w.size() == 1 && w[0] == "suchen"))
        return "--alle-raten is for suchen";
    return {};
}

Ratenwechsel::~Ratenwechsel() {
    gScharf = 0;
    if (signaleGehalten_) {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
    }
}

bool Ratenwechsel::Abgebrochen() const {
    return gScharf && gSignal;
}

int Ratenwechsel::Hinauf(Lauf& l, const Aufruf& a) {
    port_ = a.port;
    adresse_ = a.adresse;
    gSignal = 0;
    std::signal(SIGINT, SignalMerken);
    std::signal(SIGTERM, SignalMerken);
    signaleGehalten_ = true;
    // From here on the board may be at the new rate: Zurueck takes it back.
    rate_ = a.schnell;
    if (Umschalten(port_, adresse_, a.schnell) == 0) {
        gScharf = 1;
        return 0;
    }
    // Silent at the new rate: asked back in case it did switch, then looked for at 9600.
    const int code = Umschalten(port_, adresse_, kGrundrate);
    rate_ = kGrundrate;  // asked back either way; silent at both, it fails with the code
    if (code != 0)
        return code;
    gScharf = 1;
    l.Text("Die Platine antwortet nicht bei " + std::to_string(a.schnell) +
           " Baud; die Übertragung läuft mit 9600 Baud.");
    return 0;
}

int Ratenwechsel::Zurueck(Lauf& l, int status) {
    const bool signal = gScharf && gSignal;
    gScharf = 0;
    if (port_ < 0)
        return status;
    int code = 0;
    for (int versuch = 0; rate_ != kGrundrate && versuch < kZurueckVersuche; ++versuch) {
        code = versuch == 0 ? 0 : OeffnenBei(port_, rate_);
        if (code == 0)
            code = Umschalten(port_, adresse_, kGrundrate);
        if (code == 0)
            rate_ = kGrundrate;
    }
    if (signal) {
        l.Text(std::string("Abgebrochen durch ") + (gSignal == SIGINT ? "SIGINT" : "SIGTERM") +
               ".");
        status = kFehlschlag;
    }
    if (code != 0) {
        const std::string rest = "; sie steht vermutlich noch bei " + std::to_string(rate_) +
                                 " Baud (mux6ctl --baud " + std::to_string(rate_) +
                                 " baudrate 9600).";
        l.Text(status == kErfolg ? Fehlerzeile(code) + rest
                                 : "Die Platine antwortet nicht bei 9600 Baud" + rest);
        status = kFehlschlag;
    }
    return status;
}

int Vergleichen(Lauf& l, const Aufruf& a, int start, std::span<const std::uint8_t> gesendet) {
    std::vector<std::uint8_t> gelesen(gesendet.size());
    const int code = device::SpeicherBlockweiseLesen(a.port, a.adresse, kSpeichertyp, start,
                                                     gelesen, l.Anzeige("Daten prüfen"));
    l.AnzeigeBeenden();
    if (code != 0)
        return l.Fehler(code);
    const auto [g, z] = std::mismatch(gesendet.begin(), gesendet.end(), gelesen.begin());
    if (g == gesendet.end())
        return kErfolg;
    char text[96];
    std::snprintf(text, sizeof text,
                  "Abweichung an Adresse 0x%04X: gesendet 0x%02X, gelesen 0x%02X",
                  static_cast<unsigned>(start + (g - gesendet.begin())), *g, *z);
    return l.Text(text);
}

int SuchenAlleRaten(Lauf& l, const Aufruf& a) {
    if (const int code = l.Oeffnen(a); code != 0)
        return l.Fehler(code);
    std::array<std::string, 8> zeilen;
    for (int rate : kAlleRaten) {
        if (const int code = OeffnenBei(a.port, rate); code != 0)
            return l.Fehler(code);
        for (std::size_t i = 0; i < zeilen.size(); ++i) {
            std::string id;
            const char adresse = static_cast<char>('1' + i);
            if (zeilen[i].empty() && device::ORVKAP1_IDLesen(a.port, adresse, id) == 0)
                zeilen[i] = id + " " + std::to_string(rate);
        }
    }
    for (const std::string& z : zeilen)
        l.aus() << (z.empty() ? "-" : z) << '\n';
    return kErfolg;
}

std::optional<int> BaudrateAusfuehren(Lauf& l, const Aufruf& a) {
    int neu = 0;
    if (!Ganz(a.woerter.at(1), neu))
        return l.Aufruffehler("baudrate needs 4800, 9600, 19200 or 38400");
    if (a.adresse == '&')
        return l.Aufruffehler("baudrate needs one board's address: no board answers &");
    int code = l.Oeffnen(a);
    if (code == 0)
        code = device::ORVVEK1_BaudrateSchreiben(a.port, a.adresse - '0', neu);
    std::string id;
    if (code == 0)
        code = OeffnenBei(a.port, neu);
    if (code == 0)
        code = device::ORVKAP1_IDLesen(a.port, a.adresse, id);
    if (code != 0)
        return l.Fehler(code);
    l.aus() << id << '\n';
    return kErfolg;
}

}  // namespace ctl
