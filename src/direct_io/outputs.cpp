#include "direct_io/outputs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "config/model.h"
#include "device/commands.h"
#include "direct_io/model.h"

namespace direct_io {

namespace {

constexpr const char* kAusgangKanal[kKanaele] = {"a1", "a2", "a3", "a4"};
// A typed end of the range ("60" for 0..60) must not be refused over the last
// bits of a computed end.
constexpr double kBereichToleranz = 1e-9;

double Unten(const Bereich& b) {
    return std::min(b.lo, b.hi);
}

double Oben(const Bereich& b) {
    return std::max(b.lo, b.hi);
}

// An index outside 0..3 names no channel: the driver refuses it with its code.
std::string_view Kanal(int i) {
    return i >= 0 && i < kKanaele ? kAusgangKanal[i] : "";
}

int Senden(int port, char adresse, int i, double wert) {
    // Counts inside 0..4095 keep a value at the end of its range from turning
    // into a voltage a hair below 0 V, which the driver would refuse.
    const double roh = config::RohBegrenzen(config::AnzeigeZuRoh(i, wert));
    const double volt = roh * config::gKonfig.voutmax / config::kVollausschlag;
    const int code = device::ORVKAP1_AusgangSchreiben(port, adresse, Kanal(i), volt);
    if (code == 0) {
        gAusgangProzent[static_cast<std::size_t>(i)] = 100.0 * volt / config::gKonfig.voutmax;
        gAusgangGesendet[static_cast<std::size_t>(i)] = true;
    }
    return code;
}

Ausgabe Ausgeben(int port, char adresse, int i, double wert) {
    Ausgabe a;
    a.wert = wert;
    a.code = port < 0 ? kFehlerAusgangOhnePort : Senden(port, adresse, i, wert);
    return a;
}

}  // namespace

double AusgangBegrenzen(int i, double wert, double grenze) {
    if (std::isnan(wert)) {
        wert = 0.0;
    }
    if (wert > grenze) {
        wert = grenze;
    }
    const Bereich b = AusgangBereich(i);
    return std::clamp(wert, Unten(b), Oben(b));
}

bool AusgangImBereich(int i, double wert) {
    const Bereich b = AusgangBereich(i);
    const double rand = kBereichToleranz * (Oben(b) - Unten(b));
    return wert >= Unten(b) - rand && wert <= Oben(b) + rand;
}

Ausgabe AusgangSetzen(int port, char adresse, int i, double wert, double grenze) {
    return Ausgeben(port, adresse, i, AusgangBegrenzen(i, wert, grenze));
}

Ausgabe AusgangAufNull(int port, char adresse, int i) {
    const Bereich b = AusgangBereich(i);
    return Ausgeben(port, adresse, i, std::clamp(0.0, Unten(b), Oben(b)));
}

}  // namespace direct_io
