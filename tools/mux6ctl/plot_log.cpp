#include "plot_log.h"

#include <QColor>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "picture.h"
#include "plot_log_file.h"
#include "storage/c_numbers.h"
#include "storage/read_file.h"
#include "ui/graph.h"
#include "ui/texts.h"

namespace ctl {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The direct input/output window's strip chart colours, input 1 first.
constexpr QColor kFarben[kLogKanaele] = {{220, 0, 0}, {0, 150, 0}, {0, 70, 230}, {200, 140, 0}};
// Fewer lines than this get a marker at each, so a short block still shows.
constexpr std::size_t kPunkteBis = 60;
constexpr double kRand = 0.015;
// The legend's line height in pixels, and the room the axes take.
constexpr double kZeilenhoehe = 17.0;
constexpr double kAchsenraum = 60.0;
constexpr int kFehlerLesen = -308480;
constexpr int kFehlerSpeicher = -600480;

struct Bereich {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void Nehmen(double w) {
        lo = std::min(lo, w);
        hi = std::max(hi, w);
    }
};

bool Abgefragt(const Messblock& b, std::size_t k) {
    return std::any_of(b.zeilen.begin(), b.zeilen.end(),
                       [k](const Messzeile& z) { return z.eingaenge[k].has_value(); });
}

// The Y range over the inputs drawn: their ranges and every value logged.
Bereich YBereich(const Messblock& b) {
    Bereich y;
    for (std::size_t k = 0; k < kLogKanaele; ++k) {
        if (!Abgefragt(b, k))
            continue;
        y.Nehmen(b.eingaenge[k].lo);
        y.Nehmen(b.eingaenge[k].hi);
        for (const Messzeile& z : b.zeilen)
            if (z.eingaenge[k] && std::isfinite(*z.eingaenge[k]))
                y.Nehmen(*z.eingaenge[k]);
    }
    if (!(y.hi > y.lo)) {
        y.lo -= 1.0;
        y.hi += 1.0;
    }
    return y;
}

// The units of the inputs drawn, each once: "V" or "V, bar".
QString Einheiten(const Messblock& b) {
    std::vector<std::string> gesehen;
    for (std::size_t k = 0; k < kLogKanaele; ++k) {
        const std::string& e = b.eingaenge[k].einheit;
        if (Abgefragt(b, k) && std::find(gesehen.begin(), gesehen.end(), e) == gesehen.end())
            gesehen.push_back(e);
    }
    std::string text;
    for (const std::string& e : gesehen)
        text += (text.empty() ? "" : ", ") + e;
    return ui::Q(text);
}

void Zeichnen(ui::Graph& g, const Messblock& b, int hoehe) {
    const std::vector<double> t = Zeitpunkte(b);
    const double ende = std::max(1.0, t.back());
    g.AllePlotsLoeschen();
    g.XBereichSetzen(0, ende);
    g.XNameSetzen(ui::Q("Zeit [s] ab " + b.beginn));
    const Bereich y = YBereich(b);
    const double rand = (y.hi - y.lo) * kRand;
    g.YBereichSetzen(y.lo - rand, y.hi + rand);
    g.YNameSetzen(Einheiten(b));
    const double zeile =
        (y.hi - y.lo + 2 * rand) * kZeilenhoehe / std::max(kZeilenhoehe, hoehe - kAchsenraum);
    int legende = 0;
    for (std::size_t k = 0; k < kLogKanaele; ++k) {
        if (!Abgefragt(b, k))
            continue;
        QVector<double> x, w;
        for (std::size_t i = 0; i < b.zeilen.size(); ++i) {
            x << t[i];
            w << b.zeilen[i].eingaenge[k].value_or(kNaN);
        }
        g.PolylinieZeichnen(x, w, kFarben[k], ui::Graph::Linienart::Linie,
                            b.zeilen.size() < kPunkteBis);
        ++legende;
        const QString name =
            ui::Q("Eing" + std::to_string(k + 1) + " [" + b.eingaenge[k].einheit + "]");
        g.TextZeichnen({ende * 0.01, y.hi + rand - zeile * legende}, name, kFarben[k], Qt::white);
    }
}

// The block --block names (1 for the first), the last without it; an exit
// status when it cannot be had.
int BlockWaehlen(Lauf& l, const Aufruf& a, const std::string& log, const Messprotokoll& p,
                 std::size_t& index) {
    index = p.bloecke.size() - 1;
    if (!a.block.empty()) {
        int n = 0;
        if (!storage::GanzzahlLesen(a.block, n) || n < 1)
            return l.Aufruffehler("--block needs a block number from 1");
        if (static_cast<std::size_t>(n) > p.bloecke.size())
            return l.Text(log + ": das Messprotokoll hat " + std::to_string(p.bloecke.size()) +
                          (p.bloecke.size() == 1 ? " Block" : " Blöcke"));
        index = static_cast<std::size_t>(n - 1);
    }
    if (p.bloecke[index].zeilen.empty())
        return l.Text(log + ": Block " + std::to_string(index + 1) + " enthält keine Messwerte");
    return kErfolg;
}

}  // namespace

int MessbildSchreiben(Lauf& l, const Aufruf& a, const std::string& log, const std::string& ziel) {
    Messprotokoll p;
    std::size_t index = 0;
    const auto laden = [&]() {
        try {
            std::string bytes;
            if (storage::DateiLesen(log, bytes) != storage::Leseergebnis::Ok)
                return l.Fehler(kFehlerLesen);
            p = MessprotokollLesen(bytes);
        } catch (const std::bad_alloc&) {
            return l.Fehler(kFehlerSpeicher);
        }
        if (!p.fehler.empty())
            return l.Text(log + " ist kein Messprotokoll: " + p.fehler);
        return BlockWaehlen(l, a, log, p, index);
    };
    return BildSchreiben(l, a, "messen zeichnen", ziel, laden, [&](ui::Graph& g) {
        try {
            Zeichnen(g, p.bloecke[index], g.height());
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    });
}

std::optional<int> MessbildAusfuehren(Lauf& l, const Aufruf& a) {
    const std::vector<std::string>& w = a.woerter;
    if (w.size() != 4)
        return std::nullopt;
    return MessbildSchreiben(l, a, w[2], w[3]);
}

}  // namespace ctl
