// What the frame trace costs a transfer: curve 1 of a full memory (30,704
// ticks, 960 frames of 64 bytes) sent to the in-process board, once without
// and once with every frame and answer traced into a file, flushed per line.
// The in-process board answers at once, so the figures are the program's
// own work per frame; on the line each such frame takes 38.5 ms at 38,400
// baud (148 characters of 10 bits), 154 ms at 9600.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "board_model.h"
#include "config/model.h"
#include "curves/model.h"
#include "curves/transfer.h"
#include "device/link.h"
#include "device/trace_port.h"
#include "simulated_port.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTicks = 30704;
constexpr int kBlock = 64;

void VolleKurve() {
    config::StandardwerteSetzen();
    curves::KurvenInit();
    std::vector<curves::Gerade> g;
    int rest = kTicks;
    for (int i = 0; rest > 0; ++i) {
        const int n = std::min(rest, 97 + i % 50);
        g.push_back(curves::Gerade{(i * 613) % 4096, n, static_cast<std::int8_t>(1 + i % 8)});
        rest -= n;
    }
    curves::gKurven[0].geraden = std::move(g);
    curves::gKurven[0].anzahl = static_cast<std::int32_t>(curves::gKurven[0].geraden.size());
}

void BM_KurveSenden(benchmark::State& state) {
    const bool mitSpur = state.range(0) != 0;
    VolleKurve();
    curves::Speicherabbild abbild;
    if (!curves::SpeicherabbildBauen(abbild)) {
        state.SkipWithError("the curve does not fit");
        return;
    }
    const fs::path datei = fs::temp_directory_path() / ("mux6spur-" + std::to_string(getpid()));
    std::ofstream ziel(datei, std::ios::binary | std::ios::trunc);
    auto spur = std::make_shared<device::Spur>(ziel);
    auto leitung = std::make_shared<mux6sim::Leitung>();
    device::PortFabrik fabrik = mux6sim::SimulierteFabrik(leitung);
    if (mitSpur) {
        fabrik = device::SpurFabrik(std::move(fabrik), spur, "mux6 bench");
    }
    device::PortFabrikSetzen(fabrik);
    if (device::ORVKAP1_Open(1, 38400) != 0) {
        state.SkipWithError("the port did not open");
    }
    for (auto _ : state) {
        if (const int code = curves::SpeicherabbildSenden(1, '1', abbild); code != 0) {
            state.SkipWithError(("the transfer failed: " + std::to_string(code)).c_str());
            break;
        }
    }
    // The blocks' frames; the few frames around them are left out of the count.
    const double bloecke =
        static_cast<double>(state.iterations()) *
        static_cast<double>((abbild.Sendebereich().size() + kBlock - 1) / kBlock);
    state.counters["time_per_block"] =
        benchmark::Counter(bloecke, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    device::PortTabelleLeeren();
    device::PortFabrikSetzen(nullptr);
    ziel.close();
    std::error_code ec;
    fs::remove(datei, ec);
}

BENCHMARK(BM_KurveSenden)->ArgName("spur")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
