#include "direct_io/sampling.h"

#include <cstddef>
#include <limits>

#include "config/model.h"
#include "device/commands.h"

namespace direct_io {

namespace {

constexpr const char* kEingangKanal[kKanaele] = {"e1", "e2", "e3", "e4"};
constexpr int kEingang4 = kKanaele - 1;

// After a reset the next reading of each input is its minimum and its maximum,
// whatever it is (0 V and full scale included).
void MinMaxLeeren() {
    gEingangMin.fill(std::numeric_limits<double>::infinity());
    gEingangMax.fill(-std::numeric_limits<double>::infinity());
    gMinMaxReset = false;
}

void Streifenpunkt(Zyklus& z) {
    z.streifenpunkt = true;
    z.punkt = gEingangProzent;
}

}  // namespace

int Eingang4Abfragen(int port, char adresse, bool& aktiv) {
    if (port < 0) {
        return kFehlerModusOhnePort;
    }
    int modus = 0;
    const int code = device::ORVKAP1_ModusLesen(port, adresse, modus);
    if (code == 0) {
        aktiv = (modus & device::kModusEingang4StartStopp) == 0;
    }
    return code;
}

int EingangAbfragen(int port, char adresse, int i, Zyklus& z) {
    if (port < 0) {
        return kFehlerEingangOhnePort;
    }
    if (i == kEingang4 && !gEingang4Aktiv) {
        // Zero before the point, so trace 4 never shows a reading from an
        // earlier run in which input 4 was sampled.
        gEingangProzent[kEingang4] = 0.0;
        Streifenpunkt(z);
        return 0;
    }
    const bool gueltig = i >= 0 && i < kKanaele;
    double volt = 0.0;
    const int code =
        device::ORVKAP1_EingangLesen(port, adresse, gueltig ? kEingangKanal[i] : "", volt);
    if (code != 0) {
        return code;
    }
    const auto n = static_cast<std::size_t>(i);
    gEingangProzent[n] = 100.0 * volt / config::gKonfig.vinmax;
    z.gelesen[n] = true;
    if (i == kEingang4) {
        Streifenpunkt(z);
    }
    if (gMinMaxReset) {
        MinMaxLeeren();
    }
    if (volt > gEingangMax[n]) {
        gEingangMax[n] = volt;
        z.neuesMax[n] = true;
    }
    if (volt < gEingangMin[n]) {
        gEingangMin[n] = volt;
        z.neuesMin[n] = true;
    }
    return 0;
}

Zyklus AbtastZyklus(int port, char adresse) {
    Zyklus z;
    for (int i = 0; i < kKanaele; ++i) {
        if (const int code = EingangAbfragen(port, adresse, i, z); code != 0) {
            ProtokollAbbrechen(code);
            z.code = code;
            z.lesefehler = true;
            return z;
        }
    }
    z.code = ProtokollZeileSchreiben(&z.zeile);
    return z;
}

Start AbfrageStarten(int port, char adresse, bool speichern, const DateiWaehlen& waehlen) {
    Start s;
    s.protokollCode = ProtokollOeffnen(speichern, waehlen);
    bool aktiv = false;
    s.code = Eingang4Abfragen(port, adresse, aktiv);
    if (s.code == 0) {
        gEingang4Aktiv = aktiv;
    }
    return s;
}

void AbfrageStoppen() {
    ProtokollSchliessen();
}

}  // namespace direct_io
