#include "ui/registry.h"

namespace ui {

void Registry::Leeren() {
    eintraege_ = {};
    shell_ = {};
}

Registry& registry() {
    static Registry r;
    return r;
}

int ComFehlerSetzen(int code) {
    for (Fenster f : kFehleranzeigeReihenfolge) {
        if (const auto& setzen = registry().Eintrag(f).fehlerSetzen)
            setzen(code);
    }
    return 0;
}

void VerbindungsanzeigenSetzen(int port) {
    for (Fenster f : kVerbindungsanzeigen) {
        if (const auto& setzen = registry().Eintrag(f).verbindungSetzen)
            setzen(port);
    }
}

void NeuSkalieren() {
    for (Fenster f : {Fenster::Kurven, Fenster::Kennlinie, Fenster::Direkt}) {
        if (const auto& hook = registry().Eintrag(f).neuSkalieren)
            hook();
    }
}

void ZeigeChildpanel(Fenster f) {
    if (const auto& zeigen = registry().Shell().zeigeChildpanel)
        zeigen(f);
}

int ProgrammendeFallsAllesGespeichert() {
    const auto& ende = registry().Shell().programmende;
    return ende ? ende() : 0;
}

}  // namespace ui
