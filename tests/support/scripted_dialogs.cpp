#include "support/scripted_dialogs.h"

#include <memory>

namespace testsupport {

namespace {

// The front is swapped out rather than moved from: GCC 12's optimiser takes
// a moved-from std::optional<QString> for uninitialised.
template <class T>
T Naechste(std::deque<T>& liste) {
    T t{};
    if (!liste.empty()) {
        std::swap(t, liste.front());
        liste.pop_front();
    }
    return t;
}

}  // namespace

void ScriptedDialogs::Aufzeichnen(Gefragt g) {
    protokoll.push_back(std::move(g));
    if (waehrendDesDialogs)
        waehrendDesDialogs(protokoll.back());
}

void ScriptedDialogs::Meldung(QWidget*, const QString& titel, const QString& text) {
    Aufzeichnen({"Meldung", titel, text, {}, {}, {}});
}

int ScriptedDialogs::Frage(QWidget*, const QString& titel, const QString& text,
                           const QStringList& knoepfe, Tasten tasten) {
    Aufzeichnen({"Frage", titel, text, knoepfe, {}, {}, tasten});
    return Naechste(antworten);
}

std::optional<QString> ScriptedDialogs::DateiWaehlen(QWidget*, const ui::Dateiauswahl& a) {
    Aufzeichnen({"Datei", a.titel, a.vorgabe, {a.filter}, {}, {}});
    return Naechste(dateien);
}

void ScriptedDialogs::Hilfebox(QWidget*, const QString& text, QPoint oben_links) {
    Aufzeichnen({"Hilfe", {}, text, {}, oben_links, {}});
}

std::vector<double> ScriptedDialogs::Eingeben(QWidget*, const ui::Eingabe& e) {
    Gefragt g{"Eingabe", e.titel, e.name, {}, e.ort.value_or(QPoint()), {}};
    for (const ui::Eingabefeld& f : e.felder)
        g.werte[e.name + "_" + f.name] = f.wert;
    Aufzeichnen(g);
    const std::map<QString, double> geaendert = Naechste(eingaben);
    std::vector<double> werte;
    for (const ui::Eingabefeld& f : e.felder) {
        const auto it = geaendert.find(e.name + "_" + f.name);
        werte.push_back(it == geaendert.end() ? f.wert : it->second);
    }
    return werte;
}

QString ScriptedDialogs::Kommentieren(QWidget*, const QString& titel, const QString& text) {
    Aufzeichnen({"Kommentar", titel, text, {}, {}, {}});
    return Naechste(kommentare).value_or(text);
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
