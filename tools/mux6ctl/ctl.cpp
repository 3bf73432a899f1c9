#include "ctl.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string_view>

#include "config/konfig.h"
#include "curves/files.h"
#include "curves/model.h"
#include "curves/transfer.h"
#include "device/commands.h"
#include "device/errors.h"
#include "device/link.h"
#include "storage/safe_save.h"

namespace ctl {

const char* const kHilfe =
    "Usage: mux6ctl [options] COMMAND [ARGUMENTS]\n"
    "Talks to MUX-6 boards on a serial line and converts curve files, on the same\n"
    "code as the program.\n"
    "\n"
    "Options (anywhere on the line):\n"
    "  --port N        serial port 1..8, mapped as by the program: a file or link\n"
    "                  comN in the working directory, else /dev/ttyS<N-1> (COMN on\n"
    "                  Windows). Default 1\n"
    "  --device PATH   this serial device instead of a port number\n"
    "  --address A     board address 1..8, or & for all boards (start, stop and\n"
    "                  curve send only; nobody answers &). Default 1\n"
    "  --baud B        4800, 9600, 19200 or 38400. Default 9600\n"
    "  --force         curve send: send even when the curves differ in length\n"
    "  -h, --help      this text\n"
    "\n"
    "Commands:\n"
    "  id                          the identity of the board at the address\n"
    "  scan                        eight lines, for addresses 1..8 in turn: the\n"
    "                              identity of the board there, or -\n"
    "  start, stop                 start or stop the board's curve output\n"
    "  curve send FILE.skr         curve 1 of the file into the board's memory;\n"
    "                              with curves of unequal length only with --force\n"
    "  curve read OUT              the board's curve 1 into a fresh curve state,\n"
    "                              saved as OUT: a curve file for *.skr, the text\n"
    "                              format for *.txt\n"
    "  curve export FILE.skr OUT.txt   curve 1 of the file in the text format\n"
    "  curve import IN.txt OUT.skr     the text as curve 1 of a fresh curve file\n"
    "  curve image FILE.skr OUT.bin    the bytes from 0x1000 to the last sample\n"
    "                              byte, exactly as curve send writes them\n"
    "\n"
    "Exit status: 0 on success; 1 on failure, with \"Fehler #N: \" and the German\n"
    "text of the program's error code N on standard error (an import error first\n"
    "prints its own message; a curve too long for the board's memory and refused\n"
    "unequal lengths print the program's text without a code); 2 for a wrong\n"
    "command line. Results go to standard output; progress of a transfer goes to\n"
    "standard error only when that is a terminal.\n";

namespace {

namespace fs = std::filesystem;

constexpr double kZeitlimitSekunden = 0.5;  // as the connection window sets it
constexpr int kStandardBaud = 9600;

// The named device behind whatever port number the link opens.
class GeraetPort final : public device::SerialPort {
  public:
    GeraetPort(std::unique_ptr<device::SerialPort> port, std::string pfad)
        : port_(std::move(port)), pfad_(std::move(pfad)) {}
    int open(const std::string&, const device::Leitungseinstellung& e) override {
        return port_->open(pfad_, e);
    }
    int close() override { return port_->close(); }
    int setTimeout(std::chrono::milliseconds z) override { return port_->setTimeout(z); }
    int write(std::span<const std::uint8_t> b) override { return port_->write(b); }
    int readByte() override { return port_->readByte(); }
    int bytesToWrite() override { return port_->bytesToWrite(); }
    int drain() override { return port_->drain(); }
    int flushInput() override { return port_->flushInput(); }
    int flushOutput() override { return port_->flushOutput(); }

  private:
    std::unique_ptr<device::SerialPort> port_;
    std::string pfad_;
};

struct Aufruf {
    int port = 1;
    bool portGegeben = false;
    std::string geraet;
    char adresse = '1';
    int baud = kStandardBaud;
    bool erzwingen = false;
    bool hilfe = false;
    std::vector<std::string> woerter;
};

bool Zahl(std::string_view s, int& wert) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), wert);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

class Lauf {
  public:
    explicit Lauf(Umgebung& u) : u_(u) {}

    int Aufruffehler(const std::string& text) {
        u_.fehler << "mux6ctl: " << text << "\nTry 'mux6ctl --help'.\n";
        return kAufruffehler;
    }
    int Fehler(int code) {
        u_.fehler << "Fehler #" << -code << ": " << device::ORV_Fehlermeldung(code) << '\n';
        return kFehlschlag;
    }
    int Text(const std::string& text) {
        u_.fehler << text << '\n';
        return kFehlschlag;
    }
    std::ostream& aus() { return u_.aus; }

    // Opens the port with the program's line settings and time-out; the port
    // is closed when the run ends.
    int Oeffnen(const Aufruf& a) {
        device::PortTabelleLeeren();
        if (!a.geraet.empty()) {
            std::error_code ec;
            fs::path pfad = fs::absolute(a.geraet, ec);
            if (!ec) {
                // The lock file is named after the device, not the link to it.
                const fs::path echt = fs::weakly_canonical(pfad, ec);
                if (!ec) {
                    pfad = echt;
                }
            }
            device::PortFabrikSetzen(
                [f = u_.fabrik, p = pfad.string()](int n) -> std::unique_ptr<device::SerialPort> {
                    std::unique_ptr<device::SerialPort> innen = f ? f(n) : nullptr;
                    if (!innen) {
                        return nullptr;
                    }
                    return std::make_unique<GeraetPort>(std::move(innen), p);
                });
        } else {
            device::PortFabrikSetzen(u_.fabrik);
        }
        int code = device::ORVKAP1_Open(a.port, a.baud);
        if (code == 0) {
            offen_ = a.port;
            code = device::ORVKAP1_Timeout(a.port, kZeitlimitSekunden);
        }
        return code;
    }

    curves::Fortschritt Anzeige(const char* text) {
        if (!u_.fortschritt) {
            return {};
        }
        return [this, text](int prozent) {
            u_.fehler << '\r' << text << ": " << prozent << " %" << std::flush;
            zeileOffen_ = true;
        };
    }
    void AnzeigeBeenden() {
        if (zeileOffen_) {
            u_.fehler << '\n';
            zeileOffen_ = false;
        }
    }

    ~Lauf() {
        AnzeigeBeenden();
        if (offen_ > 0) {
            device::ORVKAP1_Close(offen_);
        }
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
    }
    Lauf(const Lauf&) = delete;
    Lauf& operator=(const Lauf&) = delete;

  private:
    Umgebung& u_;
    int offen_ = -1;
    bool zeileOffen_ = false;
};

// 0 or the usage error's text.
std::string Lesen(const std::vector<std::string>& argumente, Aufruf& a) {
    for (std::size_t i = 0; i < argumente.size(); ++i) {
        std::string name = argumente[i];
        std::string wert;
        bool hatWert = false;
        if (name.rfind("--", 0) == 0) {
            const auto gleich = name.find('=');
            if (gleich != std::string::npos) {
                wert = name.substr(gleich + 1);
                name.resize(gleich);
                hatWert = true;
            }
        }
        const auto holen = [&]() {
            if (!hatWert && i + 1 < argumente.size()) {
                wert = argumente[++i];
                hatWert = true;
            }
            return hatWert;
        };
        if (name == "-h" || name == "--help") {
            a.hilfe = true;
        } else if (name == "--force") {
            a.erzwingen = true;
        } else if (name == "--port") {
            // A number outside 1..8 reaches the link, which reports its code.
            if (!holen() || !Zahl(wert, a.port)) {
                return "--port needs a number 1..8";
            }
            a.portGegeben = true;
        } else if (name == "--device") {
            if (!holen() || wert.empty()) {
                return "--device needs a path";
            }
            a.geraet = wert;
        } else if (name == "--address") {
            if (!holen() || wert.size() != 1 ||
                !((wert[0] >= '1' && wert[0] <= '8') || wert[0] == '&')) {
                return "--address needs 1..8 or &";
            }
            a.adresse = wert[0];
        } else if (name == "--baud") {
            // A rate the board does not know reaches the link as well.
            if (!holen() || !Zahl(wert, a.baud)) {
                return "--baud needs a number";
            }
        } else if (name.size() > 1 && name[0] == '-') {
            return "unknown option '" + name + "'";
        } else {
            a.woerter.push_back(argumente[i]);
        }
    }
    if (a.portGegeben && !a.geraet.empty()) {
        return "--port and --device exclude each other";
    }
    return {};
}

bool EndetMit(const std::string& pfad, std::string_view endung) {
    std::string e = fs::path(pfad).extension().string();
    std::transform(e.begin(), e.end(), e.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return e == endung;
}

// A fresh curve state and configuration, as after the program's start.
int Frisch() {
    config::StandardwerteSetzen();
    return curves::KurvenInit();
}

int Kurvendatei(const std::string& pfad) {
    int code = Frisch();
    if (code == 0) {
        // The file's configuration plays no part here: the curves are raw counts.
        code = curves::KurvenLadenNach(pfad).code;
    }
    return code;
}

int Id(Lauf& l, const Aufruf& a) {
    int code = l.Oeffnen(a);
    std::string id;
    if (code == 0) {
        code = device::ORVKAP1_IDLesen(a.port, a.adresse, id);
    }
    if (code != 0) {
        return l.Fehler(code);
    }
    l.aus() << id << '\n';
    return kErfolg;
}

int Suchen(Lauf& l, const Aufruf& a) {
    const int code = l.Oeffnen(a);
    if (code != 0) {
        return l.Fehler(code);
    }
    // A silent address is no error: it is what the scan is for.
    for (char adresse = '1'; adresse <= '8'; ++adresse) {
        std::string id;
        if (device::ORVKAP1_IDLesen(a.port, adresse, id) == 0) {
            l.aus() << id << '\n';
        } else {
            l.aus() << "-\n";
        }
    }
    return kErfolg;
}

int StartStopp(Lauf& l, const Aufruf& a, const char* funktion) {
    int code = l.Oeffnen(a);
    if (code == 0) {
        code = device::ORVKAP1_DeviceFunction(a.port, a.adresse, funktion);
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Senden(Lauf& l, const Aufruf& a, const std::string& datei) {
    int code = Kurvendatei(datei);
    if (code != 0) {
        return l.Fehler(code);
    }
    const curves::Laengenpruefung pruefung = curves::KurvenlaengenPruefen();
    if (pruefung.frage) {
        l.Text(pruefung.text);
        if (!a.erzwingen) {
            return l.Text("Nichts gesendet; --force sendet trotzdem.");
        }
    }
    curves::Speicherabbild abbild;
    if (!curves::SpeicherabbildBauen(abbild)) {
        return l.Text(curves::kSpeicherVollText);
    }
    code = l.Oeffnen(a);
    if (code == 0) {
        code =
            curves::SpeicherabbildSenden(a.port, a.adresse, abbild, l.Anzeige(curves::kSendenText));
        l.AnzeigeBeenden();
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Rueckholen(Lauf& l, const Aufruf& a, const std::string& ziel) {
    const bool skr = EndetMit(ziel, ".skr");
    int code = Frisch();
    if (code == 0) {
        code = l.Oeffnen(a);
    }
    if (code == 0) {
        code = curves::KurvenLesen(a.port, a.adresse, l.Anzeige(curves::kLesenText));
        l.AnzeigeBeenden();
    }
    if (code == 0) {
        code = skr ? curves::KurvenSpeichernNach(ziel) : curves::KurvenExportierenNach(ziel);
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Exportieren(Lauf& l, const std::string& datei, const std::string& ziel) {
    int code = Kurvendatei(datei);
    if (code == 0) {
        code = curves::KurvenExportierenNach(ziel);
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Importieren(Lauf& l, const std::string& text, const std::string& ziel) {
    int code = Frisch();
    if (code == 0) {
        const curves::Importergebnis e = curves::KurvenImportierenNach(text);
        if (!e.meldung.empty()) {
            l.Text(e.meldung);
        }
        if (!e.fehlerText.empty()) {
            l.Text(e.fehlerText);
        }
        code = e.code;
    }
    if (code == 0) {
        code = curves::KurvenSpeichernNach(ziel);
    }
    return code == 0 ? kErfolg : l.Fehler(code);
}

int Abbild(Lauf& l, const std::string& datei, const std::string& ziel) {
    const int code = Kurvendatei(datei);
    if (code != 0) {
        return l.Fehler(code);
    }
    curves::Speicherabbild abbild;
    if (!curves::SpeicherabbildBauen(abbild)) {
        return l.Text(curves::kSpeicherVollText);
    }
    const auto bytes = abbild.Sendebereich();
    const std::string_view inhalt(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    // The image is the curve file's bytes in the board's order: its codes.
    switch (storage::SicherSchreiben(ziel, inhalt)) {
        case storage::Speicherergebnis::Ok:
            return kErfolg;
        case storage::Speicherergebnis::SchreibFehler:
            return l.Fehler(-301433);
        default:
            return l.Fehler(-308432);
    }
}

}  // namespace

int Ausfuehren(const std::vector<std::string>& argumente, Umgebung& umgebung) {
    device::ORV_Fehlersprache(1);
    Lauf l(umgebung);
    Aufruf a;
    const std::string fehler = Lesen(argumente, a);
    if (!fehler.empty()) {
        return l.Aufruffehler(fehler);
    }
    if (a.hilfe) {
        umgebung.aus << kHilfe;
        return kErfolg;
    }
    const std::vector<std::string>& w = a.woerter;
    if (w.empty()) {
        return l.Aufruffehler("no command");
    }
    const auto genau = [&](std::size_t n) { return w.size() == n; };
    if (w[0] == "id" && genau(1)) {
        return Id(l, a);
    }
    if (w[0] == "scan" && genau(1)) {
        return Suchen(l, a);
    }
    if (w[0] == "start" && genau(1)) {
        return StartStopp(l, a, "start");
    }
    if (w[0] == "stop" && genau(1)) {
        return StartStopp(l, a, "stopp");
    }
    if (w[0] == "curve" && w.size() >= 2) {
        const std::string& was = w[1];
        if (was == "send" && genau(3)) {
            return Senden(l, a, w[2]);
        }
        if (was == "read" && genau(3)) {
            if (!EndetMit(w[2], ".skr") && !EndetMit(w[2], ".txt")) {
                return l.Aufruffehler("curve read saves *.skr or *.txt");
            }
            return Rueckholen(l, a, w[2]);
        }
        if (was == "export" && genau(4)) {
            return Exportieren(l, w[2], w[3]);
        }
        if (was == "import" && genau(4)) {
            return Importieren(l, w[2], w[3]);
        }
        if (was == "image" && genau(4)) {
            return Abbild(l, w[2], w[3]);
        }
    }
    std::string zeile;
    for (const std::string& s : w) {
        zeile += (zeile.empty() ? "" : " ") + s;
    }
    return l.Aufruffehler("unknown command or wrong arguments: '" + zeile + "'");
}

}  // namespace ctl
