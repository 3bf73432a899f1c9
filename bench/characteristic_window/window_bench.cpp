// A slot read back from the board is 4096 points of length 1, the largest
// characteristic there is. Goal on the project's machine: a full redraw (both
// graphs, replotted) under 10 ms in every display mode.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <cmath>

#include "characteristic/model.h"
#include "characteristic/view.h"
#include "characteristic/window.h"
#include "config/model.h"

namespace {

characteristic::Kennlinienpanel* Gelesen(QWidget& haupt) {
    haupt.resize(1000, 720);
    auto* panel = new characteristic::Kennlinienpanel(&haupt);
    panel->KennlinienpanelInit();
    panel->setGeometry(1, 17, 998, 702);
    haupt.show();
    QApplication::processEvents();
    std::vector<characteristic::Gerade> punkte(characteristic::kWerte);
    for (std::size_t x = 0; x < punkte.size(); ++x) {
        // A sampled S-curve with some noise on it, as a real sensor's map.
        const double s = 4095 / (1 + std::exp(-(double(x) - 2048) / 300.0));
        punkte[x] = {.y = static_cast<std::int32_t>(std::clamp(s + double(x % 7) * 3, 0.0, 4095.0)),
                     .laenge = 1};
    }
    characteristic::gKennlinie.geraden = std::move(punkte);
    characteristic::gKennlinie.anzahl = static_cast<std::int32_t>(characteristic::kWerte);
    characteristic::ZoomGesamtkurve();
    return panel;
}

void GanzNeuzeichnen(benchmark::State& state) {
    static QWidget haupt;
    static characteristic::Kennlinienpanel* panel = Gelesen(haupt);
    static const char* const kModus[] = {"", "LIN", "ST", "LINST"};
    const char* modus = kModus[state.range(0)];
    panel->Eintrag(QString("KENNLINIE_ANSICHT_DARSTELLUNG_") + modus)->trigger();
    for (auto _ : state)
        panel->Kennlinienpanel_Neuzeichnen();
    state.SetLabel(modus);
}
BENCHMARK(GanzNeuzeichnen)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    config::StandardwerteSetzen();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
