#include "run.h"

#include <filesystem>
#include <istream>
#include <iterator>
#include <memory>

#include "config/files.h"
#include "config/model.h"
#include "device/forwarding_port.h"
#include "device/link.h"
#include "errors/errors.h"
#include "json.h"

namespace ctl {

namespace {

namespace fs = std::filesystem;

constexpr double kZeitlimitSekunden = 0.5;  // as the connection window sets it

// The named device behind whatever port number the link opens.
class GeraetPort final : public device::WeiterleitenderPort {
  public:
    GeraetPort(std::unique_ptr<device::SerialPort> port, std::string pfad)
        : WeiterleitenderPort(std::move(port)), pfad_(std::move(pfad)) {}
    int open(const std::string&, const device::Leitungseinstellung& e) override {
        return WeiterleitenderPort::open(pfad_, e);
    }

  private:
    std::string pfad_;
};

}  // namespace

int Lauf::Aufruffehler(const std::string& text) {
    u_.fehler << "mux6ctl: " << text << "\nTry 'mux6ctl --help'.\n";
    return kAufruffehler;
}

int Lauf::Fehler(int code) {
    // After SIGINT or SIGTERM the port fails on purpose: the signal is reported.
    if (code == kSchonGemeldet || wechsel_.Abgebrochen())
        return kFehlschlag;
    u_.fehler << "Fehler #" << -code << ": " << errors::ORV_Fehlermeldung(code) << '\n';
    if (json_)
        u_.aus
            << nlohmann::json{{"fehler", -code}, {"text", errors::ORV_Fehlermeldung(code)}}.dump()
            << '\n';
    return kFehlschlag;
}

int Lauf::Abschluss(int status) {
    // With --schnell the command ends once the board is back at 9600.
    status = wechsel_.Zurueck(*this, status);
    if (!u_.aus.flush() && status == kErfolg)
        return Fehler(kFehlerAusgabe);
    // A trace that lost a line is no record of the run.
    if (const int code = spur_.Ergebnis(); code != 0 && status == kErfolg)
        return Fehler(code);
    return status;
}

int Lauf::Text(const std::string& text) {
    u_.fehler << text << '\n';
    return kFehlschlag;
}

bool Lauf::Einlesen(std::vector<std::uint8_t>& bytes) {
    if (!u_.ein)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(*u_.ein), std::istreambuf_iterator<char>());
    return !u_.ein->bad();
}

bool Lauf::Ausgeben(std::string_view bytes) {
    u_.aus.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    u_.aus.flush();
    return static_cast<bool>(u_.aus);
}

bool Lauf::Ausgeben(std::span<const std::uint8_t> bytes) {
    return Ausgeben(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int Lauf::Beschaedigt(const Aufruf& a, const std::string& datei, const std::string& schaden) {
    Text(datei + ": " + schaden);
    if (a.erzwingen)
        return kErfolg;
    return Text("Die Datei ist beschädigt; --force nimmt sie trotzdem.");
}

int Lauf::KonfigLaden(const Aufruf& a) {
    if (a.konfig.empty())
        return 0;
    bool beschaedigt = false;
    int code = config::kFehlerKonfigOeffnenLesen;
    std::vector<std::uint8_t> bytes;
    if (!Strom(a.konfig))
        code = config::KonfigurationLadenVon(a.konfig, config::gKonfig, &beschaedigt);
    else if (Einlesen(bytes))
        code = config::KonfigDateiBildLesen(bytes, config::gKonfig, &beschaedigt);
    if (code == 0 && beschaedigt && Beschaedigt(a, a.konfig, config::kKonfigSchaden) != kErfolg)
        return kSchonGemeldet;
    return code;
}

int Lauf::Oeffnen(const Aufruf& a) {
    device::PortTabelleLeeren();
    if (!a.spur.empty()) {
        if (const int code = spur_.Oeffnen(a.spur, u_.fehler); code != 0) {
            return code;
        }
        // The trace's lines on standard error would break into the progress line.
        spurAufFehler_ = a.spur == "-";
    }
    const device::PortFabrik fabrik = spur_.Fabrik(u_.fabrik);
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
            [f = fabrik, p = pfad.string()](int n) -> std::unique_ptr<device::SerialPort> {
                std::unique_ptr<device::SerialPort> innen = f ? f(n) : nullptr;
                if (!innen) {
                    return nullptr;
                }
                return std::make_unique<GeraetPort>(std::move(innen), p);
            });
    } else {
        device::PortFabrikSetzen(fabrik);
    }
    if (a.schnell > 0)
        device::PortFabrikSetzen(Abbrechbar(device::PortFabrikHolen()));
    int code = device::ORVKAP1_Open(a.port, a.baud);
    if (code == 0) {
        offen_ = a.port;
        code = device::ORVKAP1_Timeout(a.port, kZeitlimitSekunden);
    }
    if (code == 0 && a.schnell > 0)
        code = wechsel_.Hinauf(*this, a);
    return code;
}

curves::Fortschritt Lauf::Anzeige(const char* text) {
    if (!u_.fortschritt || spurAufFehler_) {
        return {};
    }
    return [this, text](int prozent) {
        u_.fehler << '\r' << text << ": " << prozent << " %" << std::flush;
        zeileOffen_ = true;
    };
}

void Lauf::AnzeigeBeenden() {
    if (zeileOffen_) {
        u_.fehler << '\n';
        zeileOffen_ = false;
    }
}

Lauf::~Lauf() {
    AnzeigeBeenden();
    if (offen_ > 0) {
        device::ORVKAP1_Close(offen_);
    }
    device::PortTabelleLeeren();
    device::PortFabrikSetzen(nullptr);
}

}  // namespace ctl
