// Reading settings files: the program's own file, and the worst a damaged one
// can bring (one 10 MB line, many distinct keys).
#include <benchmark/benchmark.h>

#include <string>

#include "settings/settings.h"

namespace {

std::string ProgrammDatei() {
    std::string t = "[com]\r\nadresse = 49\r\nlport = -1\r\nport = -1\r\n\r\n[konfig]\r\n";
    for (int i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i);
        t += "ineinheit" + n + " = \"V\"\r\ninmax" + n + " = 10\r\ninmin" + n + " = 0\r\n";
        t += "outeinheit" + n + " = \"V\"\r\noutmax" + n + " = 10\r\noutmin" + n + " = 0\r\n";
    }
    return t + "vinmax = 10\r\nvoutmax = 10\r\n\r\n[kurven]\r\ndarstellung = 3\r\n\r\n";
}

void BM_ProgrammDatei(benchmark::State& s) {
    const std::string t = ProgrammDatei();
    for (auto _ : s) {
        auto ini = settings::Ini_New(true);
        settings::Ini_ReadFromText(*ini, t);
        benchmark::DoNotOptimize(ini->sections.size());
    }
}
BENCHMARK(BM_ProgrammDatei);

void BM_EineLangeZeile(benchmark::State& s) {
    const std::string t = "[a]\nx = " + std::string(10'000'000, 'y') + "\n";
    for (auto _ : s) {
        auto ini = settings::Ini_New(true);
        settings::Ini_ReadFromText(*ini, t);
        benchmark::DoNotOptimize(ini->sections.size());
    }
}
BENCHMARK(BM_EineLangeZeile)->Unit(benchmark::kMillisecond);

void BM_VieleSchluessel(benchmark::State& s) {
    std::string t = "[a]\n";
    for (int i = 0; i < 200'000; ++i)
        t.append("k")
            .append(std::to_string(i))
            .append(" = ")
            .append(std::to_string(i))
            .append("\n");
    for (auto _ : s) {
        auto ini = settings::Ini_New(true);
        settings::Ini_ReadFromText(*ini, t);
        benchmark::DoNotOptimize(ini->sections.size());
    }
}
BENCHMARK(BM_VieleSchluessel)->Unit(benchmark::kMillisecond);

}  // namespace
