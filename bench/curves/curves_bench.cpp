// Editing, undo, redo, saving and loading on the two curves that matter: a
// read-back from the board (30,704 one-tick segments, the full memory) and a
// long drawn curve of 5,000 mixed segments. Every edit, undo and redo is to
// stay under 1 ms. Arg 0 is the read-back, arg 1 the drawn curve.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "config/model.h"
#include "curves/editing.h"
#include "curves/files.h"
#include "curves/model.h"

namespace {

using namespace curves;

std::vector<Gerade> Rueckgelesen() {
    std::vector<Gerade> g(30704);
    for (std::size_t i = 0; i < g.size(); ++i)
        g[i] = Gerade{static_cast<std::int32_t>((i * 7) % 4096), 1, 1};
    return g;
}

// Neighbouring segments share their timebase in runs, so points between them
// can be deleted and moved.
std::vector<Gerade> Gemischt() {
    std::mt19937 gen(42);
    std::uniform_int_distribution<int> wert(0, 4095), laenge(2, 200), zb(1, 8);
    std::vector<Gerade> g(5000);
    int basis = 4;
    for (std::size_t i = 0; i < g.size(); ++i) {
        if (i % 10 == 0)
            basis = zb(gen);
        g[i] = Gerade{wert(gen), laenge(gen), static_cast<std::int8_t>(basis)};
    }
    g.back().laenge = 1;
    return g;
}

void Vorbereiten(benchmark::State& s) {
    config::StandardwerteSetzen();
    KurvenInit();
    gKurven[0].geraden = s.range(0) == 0 ? Rueckgelesen() : Gemischt();
    gKurven[0].anzahl = static_cast<std::int32_t>(gKurven[0].geraden.size());
    gAnsichtStart = 0;
    gAnsichtEnde = Kurve_Dauer(0) - 1;
}

// A point in the middle whose neighbours share the timebase (index 5 of a run).
int Mitte() {
    const int n = gKurven[0].anzahl;
    return (n / 2 / 10) * 10 + 5;
}

// Runs `op` timed and puts the curve back untimed.
template <class Op>
void Messen(benchmark::State& s, Op op) {
    Vorbereiten(s);
    const std::vector<Gerade> vorher = gKurven[0].geraden;
    for (auto _ : s) {
        benchmark::DoNotOptimize(op());
        s.PauseTiming();
        gKurven[0].geraden = vorher;
        gKurven[0].anzahl = static_cast<std::int32_t>(vorher.size());
        gKurvenGeaendert = false;
        s.ResumeTiming();
    }
}

void BM_PunktZeichnen(benchmark::State& s) {
    Messen(s, [] { return PunktZeichnen(Kurve_Dauer(0) + 5e6, 1000, 8, 0).ausgang; });
}

void BM_PunktVerschieben(benchmark::State& s) {
    Messen(s, [] {
        const int i = Mitte();
        return PunktVerschieben(i, Kurve_Startzeit(i), 2000, 0).ausgang;
    });
}

void BM_VerschiebenVorschau(benchmark::State& s) {
    Messen(s, [] {
        const int i = Kurve_NaechsterPunkt(Kurve_Dauer(0) / 2, 2000, 1200, 600);
        return PunktVerschiebenZiel(i, Kurve_Dauer(0) / 2, 2000, 0).ziel.t;
    });
}

void BM_Punktkoordinaten(benchmark::State& s) {
    Messen(s, [] {
        const int i = Mitte();
        return PunktkoordinatenAendern(i, Kurve_Startzeit(i), 5.0).ausgang;
    });
}

void BM_PunktLoeschen(benchmark::State& s) {
    Messen(s, [] { return PunktLoeschen(Mitte()).ausgang; });
}

void BM_GeradeTeilen(benchmark::State& s) {
    Messen(s, [] {
        const int b = Mitte();
        // The read-back's segments are one tick long; that refusal is timed too.
        return GeradeTeilen(Kurve_Startzeit(b) + 1000).ausgang;
    });
}

void BM_ZeitbasisAendern(benchmark::State& s) {
    Messen(s, [] { return ZeitbasisAendern(Kurve_Startzeit(Mitte()), 1).ausgang; });
}

void BM_GeradenlaengeAendern(benchmark::State& s) {
    Messen(s, [] {
        const int b = Mitte();
        return GeradenlaengeAendern(
                   b, 3.0 * Zeitbasis_Mikrosekunden(
                                gKurven[0].geraden[static_cast<std::size_t>(b)].zeitbasis))
            .ausgang;
    });
}

void Markieren() {
    const double d = Kurve_Dauer(0);
    MarkierungBeginnen(d * 0.25);
    MarkierungBeenden(d * 0.75);
}

void BM_Kopieren(benchmark::State& s) {
    Messen(s, [] {
        Markieren();
        return Kopieren().ausgang;
    });
}

void BM_Loeschen(benchmark::State& s) {
    Messen(s, [] {
        Markieren();
        return Loeschen().ausgang;
    });
}

void BM_Ausschneiden(benchmark::State& s) {
    Messen(s, [] {
        Markieren();
        return Ausschneiden().ausgang;
    });
}

void BM_Einfuegen(benchmark::State& s) {
    Vorbereiten(s);
    Markieren();
    Kopieren();
    Messen(s, [] {
        const double d = Kurve_Dauer(0);
        MarkierungBeginnen(d * 0.5);
        MarkierungBeenden(d * 0.5);
        return Einfuegen().ausgang;
    });
}

void BM_Rueckgaengig(benchmark::State& s) {
    Vorbereiten(s);
    PunktLoeschen(Mitte());
    for (auto _ : s) {
        benchmark::DoNotOptimize(Kurve_Rueckgaengig().ausgang);
        s.PauseTiming();
        Kurve_Wiederherstellen();
        s.ResumeTiming();
    }
}

void BM_Wiederherstellen(benchmark::State& s) {
    Vorbereiten(s);
    PunktLoeschen(Mitte());
    Kurve_Rueckgaengig();
    for (auto _ : s) {
        benchmark::DoNotOptimize(Kurve_Wiederherstellen().ausgang);
        s.PauseTiming();
        Kurve_Rueckgaengig();
        s.ResumeTiming();
    }
}

std::filesystem::path Datei() {
    return std::filesystem::temp_directory_path() / "mux6_curves_bench.skr";
}

void BM_Speichern(benchmark::State& s) {
    Vorbereiten(s);
    for (auto _ : s)
        benchmark::DoNotOptimize(KurvenSpeichernNach(Datei()));
    std::filesystem::remove(Datei());
}

void BM_Laden(benchmark::State& s) {
    Vorbereiten(s);
    KurvenSpeichernNach(Datei());
    for (auto _ : s)
        benchmark::DoNotOptimize(KurvenLadenNach(Datei()).code);
    std::filesystem::remove(Datei());
}

void BM_Speicherabbild(benchmark::State& s) {
    Vorbereiten(s);
    Speicherabbild a;
    for (auto _ : s)
        benchmark::DoNotOptimize(SpeicherabbildBauen(a));
}

void Kurven(benchmark::internal::Benchmark* b) {
    b->ArgName("gemischt")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_PunktZeichnen)->Apply(Kurven);
BENCHMARK(BM_PunktVerschieben)->Apply(Kurven);
BENCHMARK(BM_VerschiebenVorschau)->Apply(Kurven);
BENCHMARK(BM_Punktkoordinaten)->Apply(Kurven);
BENCHMARK(BM_PunktLoeschen)->Apply(Kurven);
BENCHMARK(BM_GeradeTeilen)->Apply(Kurven);
BENCHMARK(BM_ZeitbasisAendern)->Apply(Kurven);
BENCHMARK(BM_GeradenlaengeAendern)->Apply(Kurven);
BENCHMARK(BM_Kopieren)->Apply(Kurven);
BENCHMARK(BM_Loeschen)->Apply(Kurven);
BENCHMARK(BM_Ausschneiden)->Apply(Kurven);
BENCHMARK(BM_Einfuegen)->Apply(Kurven);
BENCHMARK(BM_Rueckgaengig)->Apply(Kurven);
BENCHMARK(BM_Wiederherstellen)->Apply(Kurven);
BENCHMARK(BM_Speichern)->Apply(Kurven);
BENCHMARK(BM_Laden)->Apply(Kurven);
BENCHMARK(BM_Speicherabbild)->Apply(Kurven);

}  // namespace
