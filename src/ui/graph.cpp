#include "ui/graph.h"

#include <qcustomplot.h>

#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cmath>

#include "ui/axis_labels.h"

namespace ui {

namespace {
constexpr const char* kVorschauEbene = "vorschau";
}

// Chooses tick steps in display units (faktor * raw + versatz) and labels the
// ticks there, while the axis itself keeps raw values. Overriding only the
// labels would put round raw values at odd display numbers.
class AnzeigeTicker : public QCPAxisTicker {
  public:
    double faktor = 1;
    double versatz = 0;

  protected:
    QCPRange Anzeige(const QCPRange& roh) const {
        if (!Gueltig())
            return roh;
        QCPRange a(roh.lower * faktor + versatz, roh.upper * faktor + versatz);
        a.normalize();
        return a;
    }
    bool Gueltig() const { return std::isfinite(faktor) && std::isfinite(versatz) && faktor != 0; }

    double getTickStep(const QCPRange& range) override {
        schritt_ = QCPAxisTicker::getTickStep(Anzeige(range));
        return schritt_;
    }

    QVector<double> createTickVector(double tickStep, const QCPRange& range) override {
        if (!Gueltig())
            return QCPAxisTicker::createTickVector(tickStep, range);
        const QCPRange a = Anzeige(range);
        QVector<double> ticks;
        if (!(tickStep > 0))
            return ticks;
        const double erster = std::floor(a.lower / tickStep);
        const double letzter = std::ceil(a.upper / tickStep);
        if (letzter - erster > 10000)
            return ticks;
        for (double i = erster; i <= letzter; i += 1)
            ticks.append((i * tickStep - versatz) / faktor);
        std::sort(ticks.begin(), ticks.end());
        return ticks;
    }

    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override {
        if (!Gueltig())
            return QCPAxisTicker::getTickLabel(tick, locale, formatChar, precision);
        double wert = tick * faktor + versatz;
        // Back onto the step so rounding noise shows neither as 1e-13 nor as 0.30000001.
        if (schritt_ > 0)
            wert = std::round(wert / schritt_) * schritt_;
        return Zahlbeschriftung(wert, schritt_);
    }

  private:
    double schritt_ = 0;
};

// A graph that paints a point marker once per pixel: a read-back curve has
// up to 30,704 points, and most of them would cover each other's markers.
class Kurvengraph : public QCPGraph {
  public:
    using QCPGraph::QCPGraph;

    // Puts the plot on top of `ebene`, where a new one would go, so a reused
    // plot is drawn in the order of the drawing calls.
    void NachOben(QCPLayer* ebene) { moveToLayer(ebene, false); }

  protected:
    void drawScatterPlot(QCPPainter* painter, const QVector<QPointF>& punkte,
                         const QCPScatterStyle& stil) const override {
        applyScattersAntialiasingHint(painter);
        stil.applyTo(painter, mPen);
        // On the screen a marker is a stamp painted once: thousands of discs
        // drawn as shapes cost more than the rest of the redraw. A PDF or SVG
        // keeps them as shapes.
        const bool vektor = painter->modes().testFlag(QCPPainter::pmVectorized);
        if (!vektor)
            StempelVorbereiten(painter, stil);
        // The points come in key order, so the pixels of one column follow
        // each other; within a column a few distinct rows at most.
        int spalte = INT_MIN;
        QVector<int> zeilen;
        const bool xSchluessel = keyAxis() && keyAxis()->orientation() == Qt::Horizontal;
        for (const QPointF& p : punkte) {
            const int a = static_cast<int>(std::lround(xSchluessel ? p.x() : p.y()));
            const int b = static_cast<int>(std::lround(xSchluessel ? p.y() : p.x()));
            if (a != spalte) {
                spalte = a;
                zeilen.clear();
            } else if (zeilen.contains(b)) {
                continue;
            }
            zeilen.append(b);
            if (vektor)
                stil.drawShape(painter, p);
            else
                painter->drawPixmap(
                    QPointF(std::round(p.x()) - stempelMitte_, std::round(p.y()) - stempelMitte_),
                    stempel_);
        }
    }

  private:
    // The marker as the painter would draw it at a pixel's centre.
    void StempelVorbereiten(QCPPainter* painter, const QCPScatterStyle& stil) const {
        const double dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QString schluessel = QStringLiteral("%1/%2/%3/%4/%5")
                                       .arg(int(stil.shape()))
                                       .arg(stil.size())
                                       .arg(stil.pen().color().rgba())
                                       .arg(stil.brush().color().rgba())
                                       .arg(dpr)
                                       .append(painter->antialiasing() ? "a" : "");
        if (schluessel == stempelSchluessel_)
            return;
        const int seite = static_cast<int>(std::ceil(stil.size())) + 3;
        stempelMitte_ = seite / 2;
        stempel_ = QPixmap(static_cast<int>(std::ceil(seite * dpr)),
                           static_cast<int>(std::ceil(seite * dpr)));
        stempel_.setDevicePixelRatio(dpr);
        stempel_.fill(Qt::transparent);
        QCPPainter maler(&stempel_);
        maler.setAntialiasing(painter->antialiasing());
        stil.applyTo(&maler, mPen);
        // Where a pixel's centre lies, as for a marker drawn on the screen.
        stil.drawShape(&maler, QPointF(stempelMitte_, stempelMitte_));
        stempelSchluessel_ = schluessel;
    }

    mutable QPixmap stempel_;
    mutable QString stempelSchluessel_;
    mutable int stempelMitte_ = 0;
};

Graph::Graph(QWidget* eltern) : QWidget(eltern) {
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    plot_ = new QCustomPlot(this);
    lay->addWidget(plot_);

    // Numbers with a decimal point, as everywhere else in the program.
    plot_->setLocale(QLocale::c());
    plot_->setInteractions(QCP::Interactions());
    plot_->setNoAntialiasingOnDrag(true);
    plot_->setAntialiasedElements(QCP::aeNone);

    auto ticker = QSharedPointer<AnzeigeTicker>::create();
    yTicker_ = ticker.data();
    plot_->yAxis->setTicker(ticker);
    // The time axis: round steps in its own unit, labelled as plain numbers.
    auto xTicker = QSharedPointer<AnzeigeTicker>::create();
    xTicker_ = xTicker.data();
    plot_->xAxis->setTicker(xTicker);
    plot_->xAxis->setRange(0, 1);
    plot_->yAxis->setRange(0, 1);

    // Curves lie over the axes, so a value of 0 on the lowest line stays visible.
    plot_->moveLayer(plot_->layer("axes"), plot_->layer("grid"), QCustomPlot::limAbove);
    // The preview on top of all: its buffer is then the second and last one,
    // and a full redraw clears and composes two buffers rather than three.
    plot_->addLayer(kVorschauEbene, plot_->layer("overlay"), QCustomPlot::limAbove);
    plot_->layer(kVorschauEbene)->setMode(QCPLayer::lmBuffered);

    // The mouse is the graph's: the plot fills it from its corner, so a
    // position on the graph is the same position on the plot.
    plot_->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(plot_, &QCustomPlot::beforeReplot, this, &Graph::vollNeugezeichnet);

    menue_ = new QMenu(this);
    QAction* speichern = menue_->addAction(QString::fromUtf8("Grafik speichern…"));
    connect(speichern, &QAction::triggered, this, &Graph::Grafik_Speichern);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &Graph::MenueZeigen);
}

int Graph::Merken(QCPAbstractPlottable* p, Ebene ebene) {
    // On top of its layer, where a new plot goes: a reused one is drawn in
    // the order of the drawing calls as well.
    QCPLayer* l = plot_->layer(ebene == Ebene::Vorschau ? kVorschauEbene : "main");
    if (auto* g = dynamic_cast<Kurvengraph*>(p))
        g->NachOben(l);
    else
        p->setLayer(l);
    const int h = naechster_++;
    plots_[h] = {.plottable = p, .item = nullptr, .ebene = ebene};
    return h;
}

int Graph::Merken(QCPAbstractItem* i, Ebene ebene) {
    i->setLayer(ebene == Ebene::Vorschau ? kVorschauEbene : "main");
    i->setClipToAxisRect(true);
    // Crisp one-pixel frames and lines in the colours given, as the plots have.
    i->setAntialiased(false);
    const int h = naechster_++;
    plots_[h] = {.plottable = nullptr, .item = i, .ebene = ebene};
    return h;
}

QCPGraph* Graph::NeuerGraph(QColor farbe, Linienart art, bool punkte) {
    Kurvengraph* g = nullptr;
    if (!frei_.empty()) {
        g = frei_.front();
        frei_.erase(frei_.begin());
        g->setVisible(true);
    } else {
        g = new Kurvengraph(plot_->xAxis, plot_->yAxis);
        g->setAntialiased(false);
    }
    g->setPen(QPen(farbe, 1));
    switch (art) {
        case Linienart::Linie:
            g->setLineStyle(QCPGraph::lsLine);
            break;
        case Linienart::Stufen:
            g->setLineStyle(QCPGraph::lsStepLeft);
            break;
        case Linienart::Keine:
            g->setLineStyle(QCPGraph::lsNone);
            break;
    }
    g->setScatterStyle(punkte || art == Linienart::Keine
                           ? QCPScatterStyle(QCPScatterStyle::ssDisc, farbe, farbe, 6)
                           : QCPScatterStyle());
    return g;
}

int Graph::PolylinieZeichnen(const QVector<double>& x, const QVector<double>& y, QColor farbe,
                             Linienart art, bool punkte, Ebene ebene) {
    QCPGraph* g = NeuerGraph(farbe, art, punkte);
    // The caller gives the points in time order; vertical pieces repeat a key,
    // and sorting would be free to swap them.
    g->setData(x, y, true);
    return Merken(g, ebene);
}

namespace {
void DatenSetzen(QCPGraph* g, std::span<const QPointF> zug) {
    QVector<QCPGraphData> daten;
    daten.reserve(static_cast<qsizetype>(zug.size()));
    for (const QPointF& p : zug)
        daten.emplace_back(p.x(), p.y());
    // In time order already (see PolylinieZeichnen); taken over without a copy.
    g->data()->set(daten, true);
}
}  // namespace

int Graph::KurvenzugZeichnen(std::span<const QPointF> zug, QColor farbe, Linienart art, bool punkte,
                             Ebene ebene) {
    QCPGraph* g = NeuerGraph(farbe, art, punkte);
    DatenSetzen(g, zug);
    return Merken(g, ebene);
}

int Graph::LinieZeichnen(QPointF von, QPointF bis, QColor farbe, Ebene ebene) {
    auto* l = new QCPItemLine(plot_);
    l->setPen(QPen(farbe, 1));
    l->start->setCoords(von);
    l->end->setCoords(bis);
    return Merken(l, ebene);
}

int Graph::PunktZeichnen(QPointF p, QColor farbe, Ebene ebene) {
    return KurvenzugZeichnen({&p, 1}, farbe, Linienart::Keine, true, ebene);
}

int Graph::RechteckZeichnen(QPointF ecke1, QPointF ecke2, QColor rand, QColor fuellung,
                            Ebene ebene) {
    auto* r = new QCPItemRect(plot_);
    r->setPen(QPen(rand, 1));
    r->setBrush(fuellung.alpha() == 0 ? QBrush(Qt::NoBrush) : QBrush(fuellung));
    r->topLeft->setCoords(std::min(ecke1.x(), ecke2.x()), std::max(ecke1.y(), ecke2.y()));
    r->bottomRight->setCoords(std::max(ecke1.x(), ecke2.x()), std::min(ecke1.y(), ecke2.y()));
    return Merken(r, ebene);
}

int Graph::TextZeichnen(QPointF p, const QString& text, QColor farbe, QColor hintergrund,
                        Ebene ebene) {
    auto* t = new QCPItemText(plot_);
    t->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
    t->position->setCoords(p);
    t->setText(text);
    t->setColor(farbe);
    t->setBrush(hintergrund.alpha() == 0 ? QBrush(Qt::NoBrush) : QBrush(hintergrund));
    t->setPen(Qt::NoPen);
    t->setPadding(QMargins(2, 0, 2, 1));
    return Merken(t, ebene);
}

void Graph::PolylinieSetzen(int handle, const QVector<double>& x, const QVector<double>& y) {
    const auto it = plots_.find(handle);
    if (it == plots_.end())
        return;
    if (auto* g = qobject_cast<QCPGraph*>(it->second.plottable))
        g->setData(x, y, true);
}

void Graph::KurvenzugSetzen(int handle, std::span<const QPointF> zug) {
    const auto it = plots_.find(handle);
    if (it == plots_.end())
        return;
    if (auto* g = qobject_cast<QCPGraph*>(it->second.plottable))
        DatenSetzen(g, zug);
}

void Graph::RechteckSetzen(int handle, QPointF ecke1, QPointF ecke2) {
    const auto it = plots_.find(handle);
    if (it == plots_.end())
        return;
    if (auto* r = qobject_cast<QCPItemRect*>(it->second.item)) {
        r->topLeft->setCoords(std::min(ecke1.x(), ecke2.x()), std::max(ecke1.y(), ecke2.y()));
        r->bottomRight->setCoords(std::max(ecke1.x(), ecke2.x()), std::min(ecke1.y(), ecke2.y()));
    }
}

void Graph::PlotZeigen(int handle, bool sichtbar) {
    const auto it = plots_.find(handle);
    if (it == plots_.end())
        return;
    if (it->second.plottable)
        it->second.plottable->setVisible(sichtbar);
    if (it->second.item)
        it->second.item->setVisible(sichtbar);
}

bool Graph::PlotSichtbar(int handle) const {
    const auto it = plots_.find(handle);
    if (it == plots_.end())
        return false;
    return it->second.plottable ? it->second.plottable->visible() : it->second.item->visible();
}

void Graph::PlotLoeschen(int handle) {
    const auto it = plots_.find(handle);
    if (it == plots_.end())
        return;
    if (it->second.plottable)
        plot_->removePlottable(it->second.plottable);
    if (it->second.item)
        plot_->removeItem(it->second.item);
    plots_.erase(it);
}

void Graph::Aufheben(QCPAbstractPlottable* p) {
    auto* g = dynamic_cast<Kurvengraph*>(p);
    if (!g) {
        plot_->removePlottable(p);
        return;
    }
    g->setVisible(false);
    g->setPen(Qt::NoPen);
    g->data()->clear();
    frei_.push_back(g);
}

void Graph::AllePlotsLoeschen() {
    // In the order drawn (handles grow), so the next redraw takes them back in that order.
    for (const auto& [h, e] : plots_)
        if (e.plottable)
            Aufheben(e.plottable);
    plot_->clearItems();
    plots_.clear();
}

void Graph::EbeneLoeschen(Ebene ebene) {
    for (auto it = plots_.begin(); it != plots_.end();) {
        const auto weiter = std::next(it);
        if (it->second.ebene == ebene)
            PlotLoeschen(it->first);
        it = weiter;
    }
}

bool Graph::PlotVorhanden(int handle) const {
    return plots_.count(handle) != 0;
}

bool Graph::EbeneGepuffert(Ebene ebene) const {
    const QCPLayer* l = plot_->layer(ebene == Ebene::Vorschau ? kVorschauEbene : "main");
    return l != nullptr && l->mode() == QCPLayer::lmBuffered;
}

void Graph::Neuzeichnen() {
    plot_->replot(QCustomPlot::rpImmediateRefresh);
}

void Graph::VorschauNeuzeichnen() {
    // Falls back to a full redraw when the layer's buffer is not set up yet.
    plot_->layer(kVorschauEbene)->replot();
}

void Graph::XBereichSetzen(double min, double max) {
    plot_->xAxis->setRange(min, max);
}

void Graph::YBereichSetzen(double min, double max) {
    plot_->yAxis->setRange(min, max);
}

double Graph::XMin() const {
    return plot_->xAxis->range().lower;
}
double Graph::XMax() const {
    return plot_->xAxis->range().upper;
}
double Graph::YMin() const {
    return plot_->yAxis->range().lower;
}
double Graph::YMax() const {
    return plot_->yAxis->range().upper;
}

void Graph::XNameSetzen(const QString& name) {
    plot_->xAxis->setLabel(name);
}

void Graph::YNameSetzen(const QString& name) {
    plot_->yAxis->setLabel(name);
}

QString Graph::XName() const {
    return plot_->xAxis->label();
}

QString Graph::YName() const {
    return plot_->yAxis->label();
}

void Graph::YAnzeigeSetzen(double faktor, double versatz) {
    yTicker_->faktor = faktor;
    yTicker_->versatz = versatz;
}

QStringList Graph::YBeschriftungen() const {
    return plot_->yAxis->tickVectorLabels();
}

void Graph::XAnzeigeSetzen(double faktor, double versatz) {
    xTicker_->faktor = faktor;
    xTicker_->versatz = versatz;
}

QStringList Graph::XBeschriftungen() const {
    return plot_->xAxis->tickVectorLabels();
}

QVector<double> Graph::XMarken() const {
    return plot_->xAxis->tickVector();
}

void Graph::AchsenSichtbar(bool sichtbar) {
    plot_->xAxis->setTickLabels(sichtbar);
    plot_->yAxis->setTickLabels(sichtbar);
    plot_->xAxis->setTicks(sichtbar);
    plot_->yAxis->setTicks(sichtbar);
}

QSize Graph::Plotflaeche() const {
    return plot_->axisRect()->rect().size();
}

QPointF Graph::PixelZuGraph(QPointF pixel) const {
    return {plot_->xAxis->pixelToCoord(pixel.x()), plot_->yAxis->pixelToCoord(pixel.y())};
}

QPointF Graph::GraphZuPixel(QPointF graph) const {
    return {plot_->xAxis->coordToPixel(graph.x()), plot_->yAxis->coordToPixel(graph.y())};
}

void Graph::GeometrieUebernehmen() {
    plot_->setViewport(plot_->rect());
}

QPointF Graph::Begrenzt(QPointF pixel) const {
    QPointF g = PixelZuGraph(pixel);
    const QCPRange x = plot_->xAxis->range();
    const QCPRange y = plot_->yAxis->range();
    g.setX(std::clamp(g.x(), x.lower, x.upper));
    g.setY(std::clamp(g.y(), y.lower, y.upper));
    return g;
}

void Graph::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return;
    if (!plot_->axisRect()->rect().contains(e->position().toPoint()))
        return;
    gedrueckt_ = true;
    const QPointF g = Begrenzt(e->position());
    emit gezogen(g.x(), g.y());
}

void Graph::mouseMoveEvent(QMouseEvent* e) {
    if (!gedrueckt_ || !(e->buttons() & Qt::LeftButton))
        return;
    const QPointF g = Begrenzt(e->position());
    emit gezogen(g.x(), g.y());
}

void Graph::mouseReleaseEvent(QMouseEvent* e) {
    if (!gedrueckt_ || e->button() != Qt::LeftButton)
        return;
    gedrueckt_ = false;
    const QPointF g = Begrenzt(e->position());
    emit losgelassen(g.x(), g.y());
}

void Graph::wheelEvent(QWheelEvent* e) {
    // A wheel reports in eighths of a degree, 120 to a notch; touchpads send less.
    radRest_ += e->angleDelta().y();
    const int schritte = radRest_ / 120;
    radRest_ -= schritte * 120;
    if (schritte != 0)
        emit rad(schritte, Begrenzt(e->position()).x());
    e->accept();
}

}  // namespace ui
