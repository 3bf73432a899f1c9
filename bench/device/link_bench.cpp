// The link's own cost on a paced line: 64 blocks of 64 bytes written and read
// back through mux6sim at 9600 baud via the Qt backend. The line time of the
// bytes is fixed by the rate; what the program adds on top of it, per
// exchange, and the CPU it burns while waiting, are the figures of interest.

#include "device/commands.h"
#include "device/link.h"
#include "device/qt_serial_port.h"
#include "support/process.h"

#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kBaud = 9600;
constexpr int kBloecke = 64;
constexpr int kBlock = 64;
constexpr double kZeichenzeit = 10.0 / kBaud;  // seconds per character
// Characters on the line per exchange: the write frame (2n + 19) and its ACK;
// the read frame (15), the ACK and the reply (2n + 19).
constexpr int kSchreibZeichen = 2 * kBlock + 19 + 1;
constexpr int kLeseZeichen = 15 + 1 + 2 * kBlock + 19;

double CpuSekunden() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

void BM_Bloecke64x64(benchmark::State& state) {
    const fs::path ordner = fs::temp_directory_path() / ("mux6bench-" + std::to_string(getpid()));
    fs::create_directories(ordner);
    const fs::path vorher = fs::current_path();
    fs::current_path(ordner);
    {
        testsupport::SimProzess sim(ordner / "com1", {"--baud", std::to_string(kBaud)});
        device::PortFabrikSetzen(device::QtSerialPortFabrik());
        if (!sim.ok() || device::ORVKAP1_Open(1, kBaud) != 0 ||
            device::ORVKAP1_Timeout(1, 0.5) != 0) {
            state.SkipWithError("mux6sim could not be reached");
        } else {
            std::vector<std::uint8_t> bild(kBloecke * kBlock);
            for (std::size_t i = 0; i < bild.size(); ++i) {
                bild[i] = static_cast<std::uint8_t>(i * 7);
            }
            double wand = 0;
            double cpu = 0;
            long austausche = 0;
            for (auto _ : state) {
                const auto t0 = std::chrono::steady_clock::now();
                const double c0 = CpuSekunden();
                int fehler = 0;
                for (int b = 0; b < kBloecke && fehler == 0; ++b) {
                    fehler = device::ORVKAP1_SpeicherSchreiben(
                        1, '1', 4, 0x1000 + b * kBlock, kBlock,
                        std::span(bild).subspan(static_cast<std::size_t>(b * kBlock), kBlock));
                }
                std::vector<std::uint8_t> block;
                for (int b = 0; b < kBloecke && fehler == 0; ++b) {
                    fehler = device::ORVKAP1_SpeicherLesen(1, '1', 4, 0x1000 + b * kBlock, kBlock,
                                                           block);
                    if (fehler == 0 &&
                        !std::equal(block.begin(), block.end(),
                                    bild.begin() + static_cast<std::ptrdiff_t>(b * kBlock))) {
                        fehler = 1;
                    }
                }
                if (fehler != 0) {
                    const std::string text = "a block failed: " + std::to_string(fehler);
                    state.SkipWithError(text.c_str());
                    break;
                }
                cpu += CpuSekunden() - c0;
                wand +=
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
                austausche += 2 * kBloecke;
            }
            const double leitung = static_cast<double>(state.iterations()) * kBloecke *
                                   (kSchreibZeichen + kLeseZeichen) * kZeichenzeit;
            if (austausche > 0) {
                state.counters["overhead_ms_per_exchange"] =
                    (wand - leitung) * 1000.0 / static_cast<double>(austausche);
                state.counters["wall_over_line"] = wand / leitung;
                state.counters["cpu_percent"] = 100.0 * cpu / wand;
            }
        }
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
    }
    fs::current_path(vorher);
    std::error_code ec;
    fs::remove_all(ordner, ec);
}

BENCHMARK(BM_Bloecke64x64)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
