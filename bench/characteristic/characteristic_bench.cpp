// Sampling, the block, every editing operation and undo/redo on the largest
// characteristics: arg 0 is a read-back (4096 points one count apart), arg 1
// the same with one count free at the end (a draw appends), arg 2 2048 points
// two counts apart (a split inserts). Each is to stay well under 1 ms.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "characteristic/editing.h"
#include "characteristic/files.h"
#include "characteristic/model.h"
#include "config/model.h"

namespace {

using namespace characteristic;

void Vorbereiten(benchmark::State& s) {
    config::StandardwerteSetzen();
    KennlinienInit();
    const int n = s.range(0) == 0 ? 4096 : s.range(0) == 1 ? 4095 : 2048;
    const int l = s.range(0) == 2 ? 2 : 1;
    gKennlinie.geraden.assign(static_cast<std::size_t>(n), Gerade{0, l, 0});
    for (int i = 0; i < n; ++i)
        gKennlinie.geraden[static_cast<std::size_t>(i)].y = (i * 7) % 4096;
    gKennlinie.anzahl = n;
}

int Mitte() {
    return gKennlinie.anzahl / 2;
}

// Runs `op` timed and puts the characteristic back untimed.
template <class Op>
void Messen(benchmark::State& s, Op op) {
    Vorbereiten(s);
    const std::vector<Gerade> vorher = gKennlinie.geraden;
    for (auto _ : s) {
        benchmark::DoNotOptimize(op());
        s.PauseTiming();
        gKennlinie.geraden = vorher;
        gKennlinie.anzahl = static_cast<std::int32_t>(vorher.size());
        s.ResumeTiming();
    }
}

void BM_Abtasten(benchmark::State& s) {
    Vorbereiten(s);
    std::array<int, kWerte> werte{};
    for (auto _ : s)
        benchmark::DoNotOptimize(Kennlinie_Abtasten(werte));
}

void BM_BlockBauen(benchmark::State& s) {
    Vorbereiten(s);
    std::array<std::uint8_t, kBlockGroesse> block{};
    for (auto _ : s)
        benchmark::DoNotOptimize(KennlinienblockBauen(Felder{5.0, 100.0}, block));
}

void BM_PunktZeichnen(benchmark::State& s) {
    Messen(s, [] { return PunktZeichnen(4095, 1000, 0, 0).ausgang; });
}

void BM_VerschiebenGeste(benchmark::State& s) {
    Messen(s, [] {
        gKennlVerschiebenNeu = true;
        const double x = Kennlinie_PunktX(Mitte());
        VerschiebenZiehen(x, 2000, 0, 0, 1200, 600);
        return VerschiebenLoslassen(x, 2500, 0, 0, 1200, 600).ausgang;
    });
}

void BM_Punktkoordinaten(benchmark::State& s) {
    Messen(s, [] {
        const int i = Mitte();
        return PunktkoordinatenAendern(i, config::EingangRohZuAnzeige(1, Kennlinie_PunktX(i)), 5.0)
            .ausgang;
    });
}

void BM_PunktLoeschen(benchmark::State& s) {
    Messen(s, [] { return PunktLoeschen(Mitte()).ausgang; });
}

void BM_GeradeTeilen(benchmark::State& s) {
    Messen(s, [] { return GeradeTeilen(Kennlinie_PunktX(Mitte()) + 1).ausgang; });
}

// After one delete: `hin` timed, `zurueck` untimed.
template <class Hin, class Zurueck>
void Wechseln(benchmark::State& s, Hin hin, Zurueck zurueck, bool vorherZurueck) {
    Vorbereiten(s);
    PunktLoeschen(Mitte());
    if (vorherZurueck)
        zurueck();
    for (auto _ : s) {
        benchmark::DoNotOptimize(hin().ausgang);
        s.PauseTiming();
        zurueck();
        s.ResumeTiming();
    }
}

void BM_Rueckgaengig(benchmark::State& s) {
    Wechseln(s, Kennlinie_Rueckgaengig, Kennlinie_Wiederherstellen, false);
}

void BM_Wiederherstellen(benchmark::State& s) {
    Wechseln(s, Kennlinie_Wiederherstellen, Kennlinie_Rueckgaengig, true);
}

// 2048 data lines two counts apart, written with six decimals (the export's
// two would merge neighbours).
void BM_Import(benchmark::State& s) {
    Vorbereiten(s);
    std::string text = "# Kennlinie\n";
    for (int i = 0; i < 2048; ++i)
        text += std::to_string(200.0 * i / 4095) + "\t" + std::to_string(i % 100) + "\n";
    if (KennlinieImportText(text).code != 0)
        s.SkipWithError("the import text is refused");
    for (auto _ : s)
        benchmark::DoNotOptimize(KennlinieImportText(text).code);
}

void BM_Laden(benchmark::State& s) {
    Vorbereiten(s);
    const auto datei = std::filesystem::temp_directory_path() / "mux6_characteristic_bench.ske";
    KennlinieSpeichernNach(datei, Felder{});
    for (auto _ : s)
        benchmark::DoNotOptimize(KennlinieLadenNach(datei).code);
    std::filesystem::remove(datei);
}

}  // namespace

BENCHMARK(BM_Abtasten)->DenseRange(0, 2);
BENCHMARK(BM_BlockBauen)->DenseRange(0, 2);
BENCHMARK(BM_PunktZeichnen)->DenseRange(0, 2);
BENCHMARK(BM_VerschiebenGeste)->DenseRange(0, 2);
BENCHMARK(BM_Punktkoordinaten)->DenseRange(0, 2);
BENCHMARK(BM_PunktLoeschen)->DenseRange(0, 2);
BENCHMARK(BM_GeradeTeilen)->DenseRange(0, 2);
BENCHMARK(BM_Rueckgaengig)->DenseRange(0, 2);
BENCHMARK(BM_Wiederherstellen)->DenseRange(0, 2);
BENCHMARK(BM_Import)->Arg(0);
BENCHMARK(BM_Laden)->DenseRange(0, 2);
