#pragma once
// The strip chart: four traces of the inputs in percent of their range, one
// point per trace per sampling cycle. It shows the latest points, a given
// number of them across its width, and scrolls once that many have come.

#include <QColor>
#include <array>
#include <deque>
#include <vector>

#include "direct_io/model.h"
#include "ui/graph.h"

namespace direct_io {

class Streifenschreiber : public ui::Graph {
  public:
    Streifenschreiber(const QString& name, QWidget* eltern);

    // One point per trace.
    void Anhaengen(const std::array<double, kKanaele>& punkt);
    void PunkteProBreiteSetzen(int punkte);
    int PunkteProBreite() const { return punkte_; }
    void SpurZeigen(int i, bool sichtbar);
    bool SpurSichtbar(int i) const;
    // The Y axis from 0 to `oben` percent.
    void YGrenzeSetzen(double oben);
    // The plot area's width in pixels once the window's layout has run.
    int Plotbreite();

    // The points a trace holds, oldest first.
    std::vector<double> Spur(int i) const;
    static QColor Farbe(int i);

  private:
    void Aktualisieren();

    std::array<std::deque<double>, kKanaele> spuren_{};
    std::array<int, kKanaele> handles_{};
    long long gesamt_ = 0;
    int punkte_ = 100;
};

}  // namespace direct_io
