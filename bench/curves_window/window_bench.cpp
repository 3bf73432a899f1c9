// A read-back curve has one segment per tick, up to 30,704. Goals in Release
// on the project's machine: a full redraw under 10 ms in each display mode, a
// preview update under 3 ms.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <memory>

#include "config/model.h"
#include "curves/model.h"
#include "curves/view.h"
#include "curves/window.h"
#include "ui/graph.h"

namespace {

constexpr int kTicks = 30704;

struct Fenster {
    QWidget haupt;
    curves::Kurvenpanel* panel;
    Fenster() {
        haupt.resize(1000, 720);
        panel = new curves::Kurvenpanel(&haupt);
        panel->KurvenpanelInit();
        panel->setGeometry(1, 17, 998, 702);
        panel->show();
        haupt.show();
        QApplication::processEvents();
        // As read back: one segment per tick, values of a sampled sine.
        curves::Kurve& k = curves::gKurven[0];
        k.geraden.assign(kTicks, curves::Gerade{});
        for (int i = 0; i < kTicks; ++i) {
            k.geraden[static_cast<std::size_t>(i)] = {
                .y = static_cast<std::int32_t>(2047 + 2000 * std::sin(i / 300.0)),
                .laenge = 1,
                .zeitbasis = static_cast<std::int8_t>(1 + (i / 5000) % 2)};
        }
        k.anzahl = kTicks;
        curves::ZoomGesamtkurve();
    }
};

// Made on first use and gone before the application object, whose
// widgets it holds.
std::unique_ptr<Fenster> gFenster;

Fenster& F() {
    if (!gFenster)
        gFenster = std::make_unique<Fenster>();
    return *gFenster;
}

void Neuzeichnen(benchmark::State& state) {
    Fenster& f = F();
    const char* modus[] = {"", "LIN", "ST", "LINST"};
    f.panel->Eintrag(QString("KURVEN_ANSICHT_DARSTELLUNG_") + modus[state.range(0)])->trigger();
    for (auto _ : state)
        f.panel->Kurvenpanel_Neuzeichnen();
    state.SetLabel(modus[state.range(0)]);
}
BENCHMARK(Neuzeichnen)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void VorschauBeimZiehen(benchmark::State& state) {
    Fenster& f = F();
    f.panel->Eintrag("KURVEN_ANSICHT_DARSTELLUNG_LINST")->trigger();
    f.panel->Eintrag("KURVEN_BEARBEITEN_ZEICHNEN")->trigger();
    f.panel->Kurvenpanel_Neuzeichnen();
    const double ende = curves::Kurve_Dauer(0);
    double y = 100;
    for (auto _ : state) {
        f.panel->Graph_Gezogen(ende * 0.99, y);
        y = y > 4000 ? 100 : y + 37;
    }
    f.panel->Graph_Losgelassen(0, 0);
}
BENCHMARK(VorschauBeimZiehen)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    config::StandardwerteSetzen();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gFenster.reset();
    return 0;
}
