#include "picture.h"

#include <QApplication>
#include <charconv>
#include <string_view>

#include "characteristic/window_plot.h"
#include "config/files.h"
#include "config/model.h"
#include "curves/window_plot.h"
#include "ui/graph.h"
#include "ui/texts.h"

namespace ctl {

namespace {

constexpr int kBreite = 1000;
constexpr int kHoehe = 600;
// Small enough that a raster picture stays a few hundred megabytes at most.
constexpr int kKleinsteKante = 50;
constexpr int kGroessteKante = 8000;
constexpr int kLinienUndStufen = 3;

// Empty: the default. False for anything but a whole number in range.
bool Kante(const std::string& text, int vorgabe, int& wert) {
    if (text.empty()) {
        wert = vorgabe;
        return true;
    }
    const auto r = std::from_chars(text.data(), text.data() + text.size(), wert);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() && wert >= kKleinsteKante &&
           wert <= kGroessteKante;
}

}  // namespace

int BildSchreiben(Lauf& l, const Aufruf& a, const std::string& befehl, const std::string& ziel,
                  const std::function<int()>& laden,
                  const std::function<bool(ui::Graph&)>& zeichnen) {
    if (!ui::BildformatAusPfad(ui::Q(ziel))) {
        return l.Aufruffehler(befehl + " writes *.png, *.pdf or *.svg");
    }
    int breite = 0;
    int hoehe = 0;
    if (!Kante(a.breite, kBreite, breite) || !Kante(a.hoehe, kHoehe, hoehe)) {
        return l.Aufruffehler("--breite and --hoehe need pixels 50..8000");
    }
    if (const int status = laden(); status != kErfolg) {
        return status;
    }
    int code = a.konfig.empty() ? 0 : config::KonfigurationLadenVon(a.konfig, config::gKonfig);
    if (code != 0) {
        return l.Fehler(code);
    }
    // Widgets need the application object main() makes for this command.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return l.Fehler(ui::kFehlerBildSchreiben);
    }
    ui::Graph graph;
    graph.resize(breite, hoehe);
    if (!zeichnen(graph)) {
        return l.Fehler(curves::kKurvenbildOhneSpeicher);
    }
    code = graph.BildSchreiben(ui::Q(ziel), breite, hoehe);
    return code == 0 ? kErfolg : l.Fehler(code);
}

int KennlinienbildSchreiben(Lauf& l, const Aufruf& a, const std::string& ziel,
                            const std::function<int()>& laden) {
    return BildSchreiben(l, a, "kennlinie zeichnen", ziel, laden, [](ui::Graph& g) {
        return characteristic::KennlinienbildZeichnen(g, kLinienUndStufen);
    });
}

int KurvenbildSchreiben(Lauf& l, const Aufruf& a, const std::string& ziel,
                        const std::function<int()>& laden) {
    return BildSchreiben(l, a, "kurve zeichnen", ziel, laden, [](ui::Graph& g) {
        return curves::KurvenbildZeichnen(g, 0, kLinienUndStufen);
    });
}

}  // namespace ctl
