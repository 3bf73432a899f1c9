#include "trace.h"

#ifndef MUX6_VERSION
#define MUX6_VERSION "?"
#endif

namespace ctl {

const char* const kProgrammVersion = "mux6ctl " MUX6_VERSION;

int Spurdatei::Oeffnen(const std::string& pfad, std::ostream& fehler) {
    if (spur_) {
        return 0;
    }
    if (pfad == "-") {
        spur_ = std::make_shared<device::Spur>(fehler);
        return 0;
    }
    // Binary: the lines end in LF on every system, as a script reading them expects.
    datei_.open(pfad, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!datei_) {
        return kFehlerSpurOeffnen;
    }
    spur_ = std::make_shared<device::Spur>(datei_);
    return 0;
}

device::PortFabrik Spurdatei::Fabrik(device::PortFabrik innen) const {
    if (!spur_) {
        return innen;
    }
    return device::SpurFabrik(std::move(innen), spur_, kProgrammVersion);
}

int Spurdatei::Ergebnis() const {
    return spur_ && !spur_->Geschrieben() ? kFehlerSpurSchreiben : 0;
}

}  // namespace ctl
