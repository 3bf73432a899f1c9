// What the graph's plots draw, read back from the plot library's objects, so
// the windows' drawing can be checked without reaching into the library.
#include <qcustomplot.h>

#include "ui/graph.h"

namespace ui {

namespace {

Graph::Linienart LinienartVon(const QCPGraph& g) {
    switch (g.lineStyle()) {
        case QCPGraph::lsStepLeft:
            return Graph::Linienart::Stufen;
        case QCPGraph::lsNone:
            return Graph::Linienart::Keine;
        default:
            return Graph::Linienart::Linie;
    }
}

}  // namespace

Graph::Plotinfo Graph::Beschreibung(int handle, const Eintrag& e) const {
    Plotinfo p;
    p.handle = handle;
    p.ebene = e.ebene;
    if (auto* g = qobject_cast<QCPGraph*>(e.plottable)) {
        p.farbe = g->pen().color();
        p.sichtbar = g->visible();
        p.linienart = LinienartVon(*g);
        p.marken = g->scatterStyle().shape() != QCPScatterStyle::ssNone;
        for (auto it = g->data()->constBegin(); it != g->data()->constEnd(); ++it)
            p.punkte.append({it->key, it->value});
        return p;
    }
    p.sichtbar = e.item->visible();
    if (auto* l = qobject_cast<QCPItemLine*>(e.item)) {
        p.art = Plotart::Linie;
        p.farbe = l->pen().color();
        p.punkte = {l->start->coords(), l->end->coords()};
    } else if (auto* r = qobject_cast<QCPItemRect*>(e.item)) {
        p.art = Plotart::Rechteck;
        p.farbe = r->pen().color();
        p.punkte = {r->topLeft->coords(), r->bottomRight->coords()};
    } else if (auto* t = qobject_cast<QCPItemText*>(e.item)) {
        p.art = Plotart::Text;
        p.farbe = t->color();
        p.punkte = {t->position->coords()};
        p.text = t->text();
    }
    return p;
}

std::vector<Graph::Plotinfo> Graph::Plots() const {
    std::vector<Plotinfo> r;
    r.reserve(plots_.size());
    for (const auto& [h, e] : plots_)
        r.push_back(Beschreibung(h, e));
    return r;
}

std::vector<Graph::Plotinfo> Graph::Plots(Plotart art, Ebene ebene) const {
    std::vector<Plotinfo> r = Plots();
    std::erase_if(r, [&](const Plotinfo& p) { return p.art != art || p.ebene != ebene; });
    return r;
}

int Graph::Kurvenzugobjekte() const {
    return plot_->plottableCount();
}

}  // namespace ui
