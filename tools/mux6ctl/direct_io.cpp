#include "direct_io.h"

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "config/files.h"
#include "config/ini.h"
#include "config/model.h"
#include "direct_io/ini.h"
#include "direct_io/log.h"
#include "direct_io/model.h"
#include "direct_io/outputs.h"
#include "direct_io/sampling.h"
#include "json.h"
#include "settings/settings_file.h"
#include "storage/c_numbers.h"

namespace ctl {

namespace {

namespace dio = direct_io;
using Sekunden = std::chrono::duration<double>;
using std::chrono::milliseconds;

// How soon a wait notices SIGINT or SIGTERM.
constexpr milliseconds kWarteschritt{50};
// Longer intervals are a typing error rather than a measurement.
constexpr double kLaengstesIntervall = 86400.0;

volatile std::sig_atomic_t sgAbbruch = 0;

void Abbrechen(int) {
    sgAbbruch = 1;
}

// While a measurement runs, SIGINT and SIGTERM end it (with its last line in
// the log), not the program.
class Abbruchsignale {
  public:
    Abbruchsignale() {
        sgAbbruch = 0;
        int_ = std::signal(SIGINT, Abbrechen);
        term_ = std::signal(SIGTERM, Abbrechen);
    }
    ~Abbruchsignale() {
        std::signal(SIGINT, int_);
        std::signal(SIGTERM, term_);
    }
    Abbruchsignale(const Abbruchsignale&) = delete;
    Abbruchsignale& operator=(const Abbruchsignale&) = delete;

  private:
    void (*int_)(int) = SIG_DFL;
    void (*term_)(int) = SIG_DFL;
};

void Warten(Lauf& l, milliseconds dauer) {
    if (l.umgebung().warten) {
        l.umgebung().warten(dauer);
        return;
    }
    const auto ende = std::chrono::steady_clock::now() + dauer;
    while (sgAbbruch == 0) {
        const auto rest = ende - std::chrono::steady_clock::now();
        if (rest <= rest.zero()) {
            return;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(rest, kWarteschritt));
    }
}

// The scaling and the output limits as the program has them after start-up
// (the settings file here, its defaults without one), then --konfig.
int Konfiguration(Lauf& l, const Aufruf& a, dio::DirektEinstellungen& e) {
    config::StandardwerteSetzen();
    dio::DirektModellInit();
    const settings::IniLeser leser[] = {
        [](const settings::IniText& ini) { config::KonfigIniLesen(ini, config::gKonfig); },
        [&e](const settings::IniText& ini) { dio::DirektIniLesen(ini, e); }};
    settings::ReadIni(leser);
    return l.KonfigLaden(a);
}

// The configuration and limits, then the port: what every command here needs first.
int Vorbereiten(Lauf& l, const Aufruf& a, dio::DirektEinstellungen& e) {
    const int code = Konfiguration(l, a, e);
    return code == 0 ? l.Oeffnen(a) : code;
}

// Channel "1".."4" as index 0..3.
bool Kanal(const std::string& text, int& i) {
    int n = 0;
    if (!storage::GanzzahlLesen(text, n) || n < 1 || n > dio::kKanaele) {
        return false;
    }
    i = n - 1;
    return true;
}

bool Kommazahl(const std::string& text, double& wert) {
    return storage::KommazahlLesen(text, wert) == storage::ZahlErgebnis::Ganz &&
           std::isfinite(wert);
}

// "1.234 V": the channel's decimals, then its unit when it has one.
std::string Anzeige(double wert, const dio::Bereich& b, const std::string& einheit) {
    const std::string zahl = storage::ZahlFest(wert, b.stellen);
    return einheit.empty() ? zahl : zahl + " " + einheit;
}

// Output i to a physical value, as the window's knob sets it: refused outside
// the output's range, held below its limit.
int Setzen(Lauf& l, const Aufruf& a, int i, double wert, const dio::DirektEinstellungen& e) {
    const auto n = static_cast<std::size_t>(i);
    if (!dio::AusgangImBereich(i, wert)) {
        return l.Fehler(dio::kFehlerAusgangBereich[n]);
    }
    const dio::Ausgabe r = dio::AusgangSetzen(a.port, a.adresse, i, wert, e.grenze[n]);
    if (r.code != 0) {
        return l.Fehler(r.code);
    }
    return kErfolg;
}

int AusgangAnzeigen(Lauf& l, int i, double wert) {
    l.aus() << Anzeige(wert, dio::AusgangBereich(i),
                       config::gKonfig.outeinheit[static_cast<std::size_t>(i)])
            << '\n';
    return kErfolg;
}

// eingang [N]
int Eingaenge(Lauf& l, const Aufruf& a, int von, int bis) {
    dio::DirektEinstellungen e;
    int code = Vorbereiten(l, a, e);
    // Input 4 is asked for only as the window would: when the mode byte allows.
    bool aktiv = false;
    if (code == 0 && bis == dio::kKanaele - 1) {
        code = dio::Eingang4Abfragen(a.port, a.adresse, aktiv);
    }
    dio::gEingang4Aktiv = aktiv;
    nlohmann::json eingaenge = nlohmann::json::object();
    for (int i = von; code == 0 && i <= bis; ++i) {
        dio::Zyklus z;
        code = dio::EingangAbfragen(a.port, a.adresse, i, z);
        const auto n = static_cast<std::size_t>(i);
        const dio::Bereich b = dio::EingangBereich(i);
        const std::string& einheit = config::gKonfig.ineinheit[n];
        const std::string zahl = z.gelesen[n]
                                     ? storage::ZahlFest(dio::EingangPhysikalisch(i), b.stellen)
                                     : dio::kNichtAbgefragt;
        if (code == 0 && a.json)
            eingaenge[std::to_string(i + 1)] = Messwert(zahl, einheit, b.stellen);
        else if (code == 0)
            l.aus() << (z.gelesen[n] && !einheit.empty() ? zahl + " " + einheit : zahl) << '\n';
    }
    if (code == 0 && a.json)
        JsonAusgeben(l, {{"eingaenge", eingaenge}});
    return code == 0 ? kErfolg : l.Fehler(code);
}

// ausgang N WERT
int Ausgang(Lauf& l, const Aufruf& a, int i, double wert) {
    dio::DirektEinstellungen e;
    if (const int code = Vorbereiten(l, a, e); code != 0) {
        return l.Fehler(code);
    }
    const int status = Setzen(l, a, i, wert, e);
    return status == kErfolg ? AusgangAnzeigen(l, i, dio::AusgangPhysikalisch(i)) : status;
}

// ausgang null: a failing output does not keep the others from zero.
int AusgaengeAufNull(Lauf& l, const Aufruf& a) {
    dio::DirektEinstellungen e;
    if (const int code = Vorbereiten(l, a, e); code != 0) {
        return l.Fehler(code);
    }
    int status = kErfolg;
    for (int i = 0; i < dio::kKanaele; ++i) {
        const dio::Ausgabe r = dio::AusgangAufNull(a.port, a.adresse, i);
        if (r.code == 0) {
            AusgangAnzeigen(l, i, r.wert);
        } else {
            status = l.Fehler(r.code);
        }
    }
    return status;
}

// The log on standard output ("--log -"): the same bytes a file would get.
class Stromziel final : public dio::Protokollziel {
  public:
    explicit Stromziel(std::ostream& aus) : aus_(aus) {}
    bool Schreiben(std::string_view bytes) override {
        aus_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(aus_);
    }
    bool Sichern() override { return static_cast<bool>(aus_.flush()); }

  private:
    std::ostream& aus_;
};

// While it lives, the log of a run goes to standard output.
class LogAufAusgabe {
  public:
    explicit LogAufAusgabe(std::ostream& aus) {
        dio::ProtokollfabrikSetzen(
            [&aus](const std::filesystem::path&) { return std::make_unique<Stromziel>(aus); });
    }
    ~LogAufAusgabe() { dio::ProtokollfabrikSetzen({}); }
    LogAufAusgabe(const LogAufAusgabe&) = delete;
    LogAufAusgabe& operator=(const LogAufAusgabe&) = delete;
};

// The sampling loop: one cycle, its line, then the rest of the interval. Each
// line goes to standard output as well, unless the log itself goes there.
int Abtasten(Lauf& l, const Aufruf& a, Sekunden takt, int anzahl) {
    const bool echo = !Lauf::Strom(a.log);
    using Uhr = std::chrono::steady_clock;
    for (int n = 0; sgAbbruch == 0;) {
        const auto anfang = Uhr::now();
        const dio::Zyklus z = dio::AbtastZyklus(a.port, a.adresse);
        if (z.code != 0) {
            return l.Fehler(z.code);  // the log holds the error lines and is closed
        }
        if (a.json) {
            l.aus() << Messzeile(z.zeile).dump() << std::endl;
        } else if (echo) {
            l.aus() << z.zeile << std::endl;
        }
        if (anzahl > 0 && ++n >= anzahl) {
            break;
        }
        const Sekunden rest = takt - (Uhr::now() - anfang);
        Warten(l, std::chrono::duration_cast<milliseconds>(std::max(rest, Sekunden::zero())));
    }
    dio::ProtokollText(dio::kTextBeendet);
    dio::AbfrageStoppen();
    if (echo && !a.json) {
        l.aus() << dio::kTextBeendet << std::flush;
    }
    return kErfolg;
}

struct Messauftrag {
    double sekunden = 0.0;
    int anzahl = 0;  // 0: until SIGINT or SIGTERM
    std::vector<std::pair<int, double>> setzen;
};

// The options of messen; the usage error's text, or empty.
std::string MessauftragLesen(const Aufruf& a, Messauftrag& m) {
    if (a.intervall.empty() || a.log.empty()) {
        return "messen needs --intervall S and --log DATEI";
    }
    if (!Kommazahl(a.intervall, m.sekunden) || m.sekunden > kLaengstesIntervall) {
        return "--intervall needs seconds up to 86400";
    }
    if (a.json && Lauf::Strom(a.log)) {
        return "--json and --protokoll - both want standard output";
    }
    if (!a.anzahl.empty() && (!storage::GanzzahlLesen(a.anzahl, m.anzahl) || m.anzahl < 1)) {
        return "--anzahl needs a whole number from 1";
    }
    for (const std::string& s : a.setze) {
        const auto gleich = s.find('=');
        int i = 0;
        double wert = 0.0;
        if (gleich == std::string::npos || !Kanal(s.substr(0, gleich), i) ||
            !Kommazahl(s.substr(gleich + 1), wert)) {
            return "--setze needs N=WERT with N 1..4";
        }
        m.setzen.emplace_back(i, wert);
    }
    return {};
}

// messen --intervall S [--anzahl N] [--setze N=WERT ...] --log DATEI
int Messen(Lauf& l, const Aufruf& a) {
    Messauftrag m;
    if (const std::string fehler = MessauftragLesen(a, m); !fehler.empty()) {
        return l.Aufruffehler(fehler);
    }
    dio::DirektEinstellungen e;
    if (const int code = Vorbereiten(l, a, e); code != 0) {
        return l.Fehler(code);
    }
    for (const auto& [i, wert] : m.setzen) {
        if (const int status = Setzen(l, a, i, wert, e); status != kErfolg) {
            return status;
        }
    }
    const dio::DateiWaehlen datei = [&a] {
        return dio::Dateiwahl{dio::Dateiwahl::Ergebnis::Gewaehlt, a.log};
    };
    std::optional<LogAufAusgabe> strom;
    if (Lauf::Strom(a.log)) {
        strom.emplace(l.aus());
    }
    const dio::Start start = dio::AbfrageStarten(a.port, a.adresse, true, datei);
    if (start.protokollCode != 0) {
        return l.Fehler(start.protokollCode);
    }
    if (start.code != 0) {
        dio::ProtokollAbbrechen(start.code);
        return l.Fehler(start.code);
    }
    const Abbruchsignale signale;
    const int status = Abtasten(l, a, Sekunden(dio::Abtastintervall(m.sekunden)), m.anzahl);
    dio::ProtokollSchliessen();
    return status;
}

}  // namespace

std::optional<int> DirektAusfuehren(Lauf& l, const Aufruf& a) {
    const std::vector<std::string>& w = a.woerter;
    int i = 0;
    double wert = 0.0;
    if (w[0] == "eingang" && w.size() == 1) {
        return Eingaenge(l, a, 0, dio::kKanaele - 1);
    }
    if (w[0] == "eingang" && w.size() == 2 && Kanal(w[1], i)) {
        return Eingaenge(l, a, i, i);
    }
    if (w[0] == "ausgang" && w.size() == 2 && w[1] == "null") {
        return AusgaengeAufNull(l, a);
    }
    if (w[0] == "ausgang" && w.size() == 3 && Kanal(w[1], i) && Kommazahl(w[2], wert)) {
        return Ausgang(l, a, i, wert);
    }
    if (w[0] == "messen" && w.size() == 1) {
        return Messen(l, a);
    }
    return std::nullopt;
}

}  // namespace ctl
