#pragma once
// The graph control the windows draw their curves in, on top of QCustomPlot.
//
// The mouse acts as the graph's cursor: a left press and every move while the
// button is held report "value changed" (gezogen), the release reports
// "commit" (losgelassen), both in graph coordinates and kept inside the
// visible axis ranges. QCustomPlot's own dragging and zooming stay off.
//
// Everything drawn is a plot with a handle that can be deleted on its own or
// together with all others. Many pieces of one colour go into one plot, with
// NaN points as gaps, so a curve of 30,000 segments stays a handful of plots.
// Previews of a gesture go on a buffered layer of their own that is redrawn
// alone while the mouse moves.
//
// Plots deleted all at once are kept and handed out again by the next drawing
// calls, so a redraw of the whole view creates no plot objects. Point markers that fall
// on a pixel already marked are painted once.
//
// The right mouse button opens a menu with "Grafik speichern…": the graph as
// shown, as a PNG, PDF or SVG picture.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QVector>
#include <QWidget>
#include <map>
#include <optional>
#include <span>
#include <vector>

class QCustomPlot;
class QCPAbstractPlottable;
class QCPGraph;
class QCPAbstractItem;
class QMenu;
class QMouseEvent;
class QWheelEvent;

namespace ui {

class AnzeigeTicker;
class Kurvengraph;

// The picture formats the graph saves, chosen by the file name's extension.
enum class Bildformat { Png, Pdf, Svg };
std::optional<Bildformat> BildformatAusPfad(const QString& pfad);
// What saving a picture can fail with (mux6ctl reports the second as well).
inline constexpr int kFehlerBildAnlegen = -308460;    // the file cannot be created
inline constexpr int kFehlerBildSchreiben = -301460;  // the picture cannot be made or written

class Graph : public QWidget {
    Q_OBJECT

  public:
    enum class Linienart {
        Linie,   // straight from point to point
        Stufen,  // each value held until the next point's time
        Keine,   // markers only
    };
    enum class Ebene {
        Kurve,     // the drawing itself
        Vorschau,  // gesture previews, redrawn alone
    };

    explicit Graph(QWidget* eltern = nullptr);

    // ---- plots ---------------------------------------------------------
    // Points in key order (x never decreasing); a NaN x or y ends a piece.
    // `punkte` draws a solid round marker at every point.
    int PolylinieZeichnen(const QVector<double>& x, const QVector<double>& y, QColor farbe,
                          Linienart art = Linienart::Linie, bool punkte = false,
                          Ebene ebene = Ebene::Kurve);
    // The same from points the caller gathers in a buffer it keeps between
    // redraws; they are copied once into the plot.
    int KurvenzugZeichnen(std::span<const QPointF> zug, QColor farbe,
                          Linienart art = Linienart::Linie, bool punkte = false,
                          Ebene ebene = Ebene::Kurve);
    int LinieZeichnen(QPointF von, QPointF bis, QColor farbe, Ebene ebene = Ebene::Kurve);
    int PunktZeichnen(QPointF p, QColor farbe, Ebene ebene = Ebene::Kurve);
    // A frame from one corner to the other; a transparent fill leaves it open.
    int RechteckZeichnen(QPointF ecke1, QPointF ecke2, QColor rand,
                         QColor fuellung = Qt::transparent, Ebene ebene = Ebene::Kurve);
    // Text whose lower left corner sits at p.
    int TextZeichnen(QPointF p, const QString& text, QColor farbe,
                     QColor hintergrund = Qt::transparent, Ebene ebene = Ebene::Kurve);

    // Changing a plot in place. Adding or deleting a plot makes the next
    // preview redraw a full one; changing data, corners or visibility of a
    // preview plot does not, so previews that follow the mouse are made once
    // and then changed.
    void PolylinieSetzen(int handle, const QVector<double>& x, const QVector<double>& y);
    void KurvenzugSetzen(int handle, std::span<const QPointF> zug);
    void RechteckSetzen(int handle, QPointF ecke1, QPointF ecke2);
    void PlotZeigen(int handle, bool sichtbar);
    bool PlotSichtbar(int handle) const;

    // Deleting an unknown or already deleted handle does nothing.
    void PlotLoeschen(int handle);
    void AllePlotsLoeschen();
    void EbeneLoeschen(Ebene ebene);
    bool PlotVorhanden(int handle) const;
    int AnzahlPlots() const { return static_cast<int>(plots_.size()); }

    // What a plot draws, read back from the graph: the checks of the windows'
    // drawing find their plots by kind and layer, then look at colour and points.
    enum class Plotart {
        Kurvenzug,  // polyline, steps, point markers
        Linie,
        Rechteck,
        Text,
    };
    struct Plotinfo {
        int handle = 0;
        Plotart art = Plotart::Kurvenzug;
        Ebene ebene = Ebene::Kurve;
        QColor farbe;
        bool sichtbar = true;
        Linienart linienart = Linienart::Linie;  // of a Kurvenzug
        bool marken = false;                     // a Kurvenzug's point markers
        // Kurvenzug: its points; Linie: start and end; Rechteck: two corners;
        // Text: where it sits.
        QVector<QPointF> punkte;
        QString text;
    };
    // In the order drawn.
    std::vector<Plotinfo> Plots() const;
    std::vector<Plotinfo> Plots(Plotart art, Ebene ebene = Ebene::Kurve) const;
    // The curve objects the graph holds, those kept for the next drawing
    // included: a full redraw reuses them rather than making new ones.
    int Kurvenzugobjekte() const;
    // Whether a layer keeps a buffer of its own and is redrawn alone.
    bool EbeneGepuffert(Ebene ebene) const;

    // Redraws everything.
    void Neuzeichnen();
    // Redraws only the preview layer.
    void VorschauNeuzeichnen();

    // ---- axes -----------------------------------------------------------
    void XBereichSetzen(double min, double max);
    void YBereichSetzen(double min, double max);
    double XMin() const;
    double XMax() const;
    double YMin() const;
    double YMax() const;
    void XNameSetzen(const QString& name);
    void YNameSetzen(const QString& name);
    QString XName() const;
    QString YName() const;
    // Y tick labels show faktor * value + versatz; the steps are chosen in
    // those display units, so the labels are round numbers there.
    void YAnzeigeSetzen(double faktor, double versatz);
    // The labels currently on the Y axis (after a redraw), in display units.
    QStringList YBeschriftungen() const;
    // The same for the X axis (a characteristic's input in its unit).
    void XAnzeigeSetzen(double faktor, double versatz);
    QStringList XBeschriftungen() const;
    // Where the X axis's ticks stand (after a redraw), in graph units.
    QVector<double> XMarken() const;
    void AchsenSichtbar(bool sichtbar);

    // ---- geometry --------------------------------------------------------
    // The plot area (inside the axes) in pixels.
    QSize Plotflaeche() const;
    QPointF PixelZuGraph(QPointF pixel) const;
    QPointF GraphZuPixel(QPointF graph) const;
    // A graph not shown yet has had no resize: its plot area follows the
    // geometry the layout gave it only after this.
    void GeometrieUebernehmen();

    // ---- pictures --------------------------------------------------------
    // The graph as drawn, `breite` x `hoehe` pixels (0: the size shown).
    QImage Bild(int breite = 0, int hoehe = 0) const;
    // The graph as drawn into a file of `breite` x `hoehe` pixels (0: the size
    // shown), in the format the extension names. 0, or -308460 when the file
    // cannot be created, -301460 when the picture cannot be made or written.
    // The file is replaced only when the whole picture was written.
    int BildSchreiben(const QString& pfad, int breite = 0, int hoehe = 0);
    // "Grafik speichern…": asks for the file, saves, and shows a failure.
    void Grafik_Speichern();
    // The right-button menu; its one item is "Grafik speichern…".
    QMenu* Kontextmenue() const { return menue_; }

  signals:
    // Press and drag: the cursor's value changed.
    void gezogen(double x, double y);
    // Release: commit.
    void losgelassen(double x, double y);
    // The mouse wheel over the plot: positive away from the operator; x is
    // the X value under the mouse.
    void rad(int schritte, double x);
    // Everything is about to be drawn again (not only the preview layer).
    void vollNeugezeichnet();

  protected:
    // The graph itself takes the mouse: the plot inside only paints.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

  private:
    QPointF Begrenzt(QPointF pixel) const;
    void MenueZeigen(QPoint ort);
    QCPGraph* NeuerGraph(QColor farbe, Linienart art, bool punkte);
    void Aufheben(QCPAbstractPlottable* p);
    int Merken(QCPAbstractPlottable* p, Ebene ebene);
    int Merken(QCPAbstractItem* i, Ebene ebene);

    struct Eintrag {
        QCPAbstractPlottable* plottable = nullptr;
        QCPAbstractItem* item = nullptr;
        Ebene ebene = Ebene::Kurve;
    };
    Plotinfo Beschreibung(int handle, const Eintrag& e) const;

    QCustomPlot* plot_ = nullptr;
    AnzeigeTicker* yTicker_ = nullptr;
    AnzeigeTicker* xTicker_ = nullptr;
    std::map<int, Eintrag> plots_;
    // Plots deleted and waiting to be drawn again, oldest first.
    std::vector<Kurvengraph*> frei_;
    QMenu* menue_ = nullptr;
    int naechster_ = 1;
    bool gedrueckt_ = false;
    int radRest_ = 0;
};

}  // namespace ui
