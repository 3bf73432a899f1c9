// The curve transfer's own work on a full memory (30,704 ticks, the last
// sample byte at 0xFFFF): building the image and decoding a read-back. Goal:
// each under 5 ms. The serial line itself (960 frames at 9600 baud) is not
// measured here; the whole read-back against the in-process board shows what
// framing and hex coding add.
#include <benchmark/benchmark.h>

#include <memory>

#include "board_model.h"
#include "config/model.h"
#include "curves/model.h"
#include "curves/transfer.h"
#include "device/link.h"
#include "simulated_port.h"

namespace {

using namespace curves;

constexpr int kTicks = 30704;

// Ramps over all eight timebases, so sampling does real arithmetic.
void VolleKurve() {
    config::StandardwerteSetzen();
    KurvenInit();
    std::vector<Gerade> g;
    int rest = kTicks;
    for (int i = 0; rest > 0; ++i) {
        const int n = std::min(rest, 97 + i % 50);
        g.push_back(Gerade{(i * 613) % 4096, n, static_cast<std::int8_t>(1 + i % 8)});
        rest -= n;
    }
    gKurven[0].geraden = std::move(g);
    gKurven[0].anzahl = static_cast<std::int32_t>(gKurven[0].geraden.size());
}

void BM_AbbildBauen(benchmark::State& state) {
    VolleKurve();
    Speicherabbild a;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SpeicherabbildBauen(a));
        benchmark::DoNotOptimize(a.bytes.data());
    }
    if (a.ende != kSpeicherGroesse) {
        state.SkipWithError("the curve does not fill the memory");
    }
    state.SetItemsProcessed(state.iterations() * kTicks);
}
BENCHMARK(BM_AbbildBauen)->Unit(benchmark::kMillisecond);

void BM_RuecklesenDecodieren(benchmark::State& state) {
    VolleKurve();
    Speicherabbild a;
    SpeicherabbildBauen(a);
    const auto bild = a.Sendebereich();
    for (auto _ : state) {
        Rueckgelesen r = SpeicherabbildDecodieren(bild);
        if (r.code != 0 || r.geraden.size() != static_cast<std::size_t>(kTicks)) {
            state.SkipWithError("decode failed");
            break;
        }
        benchmark::DoNotOptimize(r.geraden.data());
    }
    state.SetItemsProcessed(state.iterations() * kTicks);
}
BENCHMARK(BM_RuecklesenDecodieren)->Unit(benchmark::kMillisecond);

// Sending and reading back through the link to the in-process board: every
// frame built, hex coded, checked and decoded, without the line's time.
void BM_SendenUndLesenAmSimuliertenBoard(benchmark::State& state) {
    auto leitung = std::make_shared<mux6sim::Leitung>();
    device::PortTabelleLeeren();
    device::PortFabrikSetzen(mux6sim::SimulierteFabrik(leitung));
    device::ORVKAP1_Open(1, 9600);
    for (auto _ : state) {
        VolleKurve();
        if (KurvenSenden(1, '1').code != 0 || KurvenLesen(1, '1') != 0) {
            state.SkipWithError("transfer failed");
            break;
        }
    }
    device::PortTabelleLeeren();
    device::PortFabrikSetzen(nullptr);
}
BENCHMARK(BM_SendenUndLesenAmSimuliertenBoard)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
