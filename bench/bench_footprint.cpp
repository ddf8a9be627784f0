// The library's own memory beside the user's data: 10^7 points in one line series or in 20,
// and 10^7 symbols, each painted and repainted in a 1600 x 1000 chart. The counter
// own_pct is what the process holds beyond the chart as built empty, less the values of the
// data vectors, in percent of those values: hierarchies, statistics, screen points and the
// kept images of the series.

#include "benchchart.h"
#include "benchmain.h"

#include <cmath>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <unistd.h>

namespace {

// Resident bytes of the process.
double ResidentBytes() {
    long Pages = 0, Resident = 0;
    if (FILE* Statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(Statm, "%ld %ld", &Pages, &Resident) != 2) Resident = 0;
        std::fclose(Statm);
    }
    return double(Resident) * double(sysconf(_SC_PAGESIZE));
}

// Points in Series series of the noisy signal, as plain vectors the program holds.
struct TData {
    std::vector<std::vector<double>> X, Y;
    TData(long long Points, int Series) {
        const long long m = Points / Series;
        X.assign(size_t(Series), std::vector<double>(size_t(m)));
        Y = X;
        for (int k = 0; k < Series; ++k)
            for (long long i = 0; i < m; ++i) {
                X[size_t(k)][size_t(i)] = double(i);
                Y[size_t(k)][size_t(i)] =
                    std::sin(double(k * m + i) * 1e-4) + 0.5 * k + 0.3 * std::sin(double(i) * 1.7);
            }
    }
};

void Footprint(benchmark::State& State, long long Points, int Series, bool Markers) {
    const TData Data(Points, Series);
    double Own = 0, Values = 0;
    for (auto _ : State) {
        auto Chart = std::make_unique<TBenchChart>(1600, 1000, true);
        Chart->RemoveFirstSeries();
        for (int k = 0; k < Series; ++k)
            Chart->AddSeries(0xFF1F77B4, Markers);
        Chart->Render();
        // Pages freed before, by this program or by other benchmarks, go back to the system
        // first, so that none is counted again when it is taken anew.
        malloc_trim(0);
        const double Before = ResidentBytes();
        for (int k = 0; k < Series; ++k)
            Chart->Copy(Data.X[size_t(k)], Data.Y[size_t(k)], k);
        Chart->Render();
        Chart->Render();
        Values = double(Points / Series) * Series * 2 * sizeof(double);
        Own = ResidentBytes() - Before - Values;
    }
    State.counters["values_mb"] = Values / 1e6;
    State.counters["own_mb"] = Own / 1e6;
    State.counters["own_pct"] = 100 * Own / Values;
}

} // namespace

static void BM_FootprintLine(benchmark::State& State) {
    Footprint(State, 10'000'000, 1, false);
}
BENCHMARK(BM_FootprintLine)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_FootprintTwentyLines(benchmark::State& State) {
    Footprint(State, 10'000'000, 20, false);
}
BENCHMARK(BM_FootprintTwentyLines)->Iterations(1)->Unit(benchmark::kMillisecond);

static void BM_FootprintSymbols(benchmark::State& State) {
    Footprint(State, 10'000'000, 1, true);
}
BENCHMARK(BM_FootprintSymbols)->Iterations(1)->Unit(benchmark::kMillisecond);
