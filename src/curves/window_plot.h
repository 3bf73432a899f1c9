#pragma once
// A curve drawn into a graph: markers, lines and steps of the visible range,
// the overview, and the whole picture that mux6ctl saves of a file. The
// window and the command line draw with this one code, so a picture of a
// file shows what the window shows.
//
// A read-back curve has one segment per tick, up to 30,704: the points are
// gathered in buffers kept between redraws and handed to the graph whole.

#include <QColor>
#include <QPointF>
#include <vector>

namespace ui {
class Graph;
}

namespace curves {

inline constexpr const char* kZeitachse = "Zeit [µs]";

struct Kurvenfarben {
    QColor linie;
    QColor linieSchluss;  // the closing segment back to the first point
    QColor stufe;
    QColor stufeSchluss;
};
// The edited curve: red lines, blue steps, lighter for the closing segment.
extern const Kurvenfarben kBearbeitet;
// Curve 1 behind another edited curve: all dark cyan.
extern const Kurvenfarben kHintergrund;

// Kept by the caller from one redraw to the next.
struct Zeichenpuffer {
    std::vector<QPointF> punkte;
    std::vector<QPointF> linien;
    std::vector<QPointF> stufen;
    std::vector<QPointF> schluss;
};

// Curve k's segments that reach into von..bis (µs): a red marker at each
// start when `punkte`; lines for display mode 1 and 3, steps for 2 and 3.
// False when there was no memory for the steps: they are left out then and
// the caller tells the operator.
bool KurveZeichnen(ui::Graph& g, int k, double von, double bis, const Kurvenfarben& farben,
                   bool punkte, int darstellung, Zeichenpuffer& puffer);

// The overview: X axis over the whole of curve k, every segment a blue line.
void UebersichtZeichnen(ui::Graph& g, int k, Zeichenpuffer& puffer);

// Curve k whole, as the window shows it after "Zoom Gesammtkurve", with its Y
// axis in the unit of output k. False as KurveZeichnen.
bool KurvenbildZeichnen(ui::Graph& g, int k, int darstellung);
// The code for that, from the memory group: mux6ctl's curve pictures report it.
inline constexpr int kKurvenbildOhneSpeicher = -600460;

}  // namespace curves
