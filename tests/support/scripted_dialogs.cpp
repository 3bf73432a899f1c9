#include "support/scripted_dialogs.h"

#include <memory>

namespace testsupport {

void ScriptedDialogs::Meldung(QWidget*, const QString& titel, const QString& text) {
    protokoll.push_back({"Meldung", titel, text, {}, {}});
}

int ScriptedDialogs::Frage(QWidget*, const QString& titel, const QString& text,
                           const QStringList& knoepfe) {
    protokoll.push_back({"Frage", titel, text, knoepfe, {}});
    if (antworten.empty())
        return 0;
    const int a = antworten.front();
    antworten.pop_front();
    return a;
}

std::optional<QString> ScriptedDialogs::DateiWaehlen(QWidget*, const ui::Dateiauswahl& a) {
    protokoll.push_back({"Datei", a.titel, a.vorgabe, {a.filter}, {}});
    if (dateien.empty())
        return std::nullopt;
    auto d = dateien.front();
    dateien.pop_front();
    return d;
}

void ScriptedDialogs::Hilfebox(QWidget*, const QString& text, QPoint oben_links) {
    protokoll.push_back({"Hilfe", {}, text, {}, oben_links});
}

std::vector<Gefragt> ScriptedDialogs::Alle(const QString& art) const {
    std::vector<Gefragt> r;
    for (const auto& g : protokoll) {
        if (g.art == art)
            r.push_back(g);
    }
    return r;
}

DialogScope::DialogScope() {
    auto d = std::make_unique<ScriptedDialogs>();
    d_ = d.get();
    ui::DialogeSetzen(std::move(d));
}

DialogScope::~DialogScope() {
    ui::DialogeSetzen(nullptr);
}

}  // namespace testsupport
