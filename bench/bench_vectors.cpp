// Data vectors: appending one value at a time, and statistics queries that fold in only the
// values appended since the last query.

#include <data/qvvectors.h>

#include <QBuffer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

namespace {
constexpr int Scanned = 10'000'000;
constexpr int Appended = 1'000;

void Fill(TQvDoubleVector& Vector, int Count) {
    for (int i = 0; i < Count; ++i)
        Vector.Add(i * 0.5);
}

// Seconds per item, printed with an SI prefix (for example "4.2n" for 4.2 ns).
benchmark::Counter PerItem(double Items) {
    return benchmark::Counter(Items, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
} // namespace

// Capacity reports steps of 128 while the storage grows geometrically: amortised O(1).
static void BM_AppendOneByOne(benchmark::State& State) {
    const int Count = int(State.range(0));
    for (auto _ : State) {
        TQvDoubleVector Vector(nullptr);
        Fill(Vector, Count);
        benchmark::DoNotOptimize(Vector.Data());
    }
    State.counters["per_append"] = PerItem(double(Count) * double(State.iterations()));
    State.SetComplexityN(Count);
}
BENCHMARK(BM_AppendOneByOne)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(Scanned)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The same with the final size announced through Capacity.
static void BM_AppendPresized(benchmark::State& State) {
    for (auto _ : State) {
        TQvDoubleVector Vector(nullptr);
        Vector.SetCapacity(Scanned + 1);
        Fill(Vector, Scanned);
        benchmark::DoNotOptimize(Vector.Data());
    }
    State.counters["per_append"] = PerItem(double(Scanned) * double(State.iterations()));
}
BENCHMARK(BM_AppendPresized)->Unit(benchmark::kMillisecond);

// Refilling a cleared vector reuses its storage: the cost of Add without fresh memory.
static void BM_AppendAfterClear(benchmark::State& State) {
    TQvDoubleVector Vector(nullptr);
    Fill(Vector, Scanned);
    for (auto _ : State) {
        Vector.Clear();
        Fill(Vector, Scanned);
        benchmark::DoNotOptimize(Vector.Data());
    }
    State.counters["per_append"] = PerItem(double(Scanned) * double(State.iterations()));
}
BENCHMARK(BM_AppendAfterClear)->Unit(benchmark::kMillisecond);

// The baseline on this machine: a plain std::vector, whose cost is mostly fresh pages.
static void BM_StdVectorPushBack(benchmark::State& State) {
    for (auto _ : State) {
        std::vector<double> Values;
        for (int i = 0; i < Scanned; ++i)
            Values.push_back(i * 0.5);
        benchmark::DoNotOptimize(Values.data());
    }
    State.counters["per_append"] = PerItem(double(Scanned) * double(State.iterations()));
}
BENCHMARK(BM_StdVectorPushBack)->Unit(benchmark::kMillisecond);

// 10,000,000 values a program holds in a std::vector handed over with a copy: by SetValues
// (0) or added to an empty vector (1). The copy goes on both cores, into fresh pages.
static void BM_CopyStandardVector(benchmark::State& State) {
    const std::vector<double> Values(Scanned, 0.5);
    for (auto _ : State) {
        auto Vector = std::make_unique<TQvDoubleVector>(nullptr);
        if (State.range(0) == 0)
            Vector->SetValues(Values);
        else
            Vector->AddRange(Values);
        benchmark::DoNotOptimize(Vector->Data());
        State.PauseTiming();
        Vector.reset();
        State.ResumeTiming();
    }
    State.counters["per_value"] = PerItem(double(Scanned) * double(State.iterations()));
}
BENCHMARK(BM_CopyStandardVector)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The min/max hierarchy and summary of noisy values, as a line's Y values get them in the pass
// of their statistics: in the cache (10^5 values, one core) and from memory (10^6, both).
static void BM_HierarchyOfNoisyValues(benchmark::State& State) {
    std::vector<double> Values(std::size_t(State.range(0)));
    for (std::size_t i = 0; i < Values.size(); ++i)
        Values[i] = std::sin(double(i) * 1e-4) + 0.3 * std::sin(double(i) * 1.7);
    for (auto _ : State) {
        TQvMinMaxHierarchy Hierarchy;
        TQvValueSummary Summary;
        Hierarchy.Extend(Values, &Summary);
        benchmark::DoNotOptimize(Summary.Max);
    }
    State.counters["per_value"] = PerItem(double(Values.size()) * double(State.iterations()));
}
BENCHMARK(BM_HierarchyOfNoisyValues)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

// The summary of rising values, as X values get it: extremes at the ends of each block once
// the block is seen to rise.
static void BM_SummaryOfRisingValues(benchmark::State& State) {
    std::vector<double> Values(std::size_t(State.range(0)));
    for (std::size_t i = 0; i < Values.size(); ++i)
        Values[i] = double(i) * 0.5;
    for (auto _ : State) {
        TQvValueSummary Summary;
        Summary.Fold(Values, 0, Values.size());
        benchmark::DoNotOptimize(Summary.Ascending);
    }
    State.counters["per_value"] = PerItem(double(Values.size()) * double(State.iterations()));
}
BENCHMARK(BM_SummaryOfRisingValues)->Arg(100'000)->Unit(benchmark::kMicrosecond);

// 1,000 values appended to 10,000,000 scanned ones: the next query folds only those 1,000.
// Only the query is timed.
static void BM_QueryAfterAppends(benchmark::State& State) {
    TQvDoubleVector Vector(nullptr);
    Fill(Vector, Scanned);
    benchmark::DoNotOptimize(Vector.GetMaximum());
    double Next = Scanned;
    for (auto _ : State) {
        for (int i = 0; i < Appended; ++i)
            Vector.Add(Next++);
        const auto Start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(Vector.GetMaximum());
        State.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
    }
    State.counters["per_value"] = PerItem(double(Appended) * double(State.iterations()));
}
BENCHMARK(BM_QueryAfterAppends)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);

// For comparison: a query that rescans all 10,000,000 values, without and with outliers.
static void BM_QueryFullScan(benchmark::State& State) {
    TQvDoubleVector Vector(nullptr);
    Fill(Vector, Scanned);
    for (int i = 0; i < State.range(0); ++i)
        Vector.AddOutlier(i * (Scanned / 16));
    for (auto _ : State) {
        Vector.ResetRanges();
        benchmark::DoNotOptimize(Vector.GetMaximum());
    }
    State.counters["per_value"] = PerItem(double(Scanned) * double(State.iterations()));
}
BENCHMARK(BM_QueryFullScan)->Arg(0)->Arg(16)->Unit(benchmark::kMillisecond);

// An edit inside the scanned range adjusts the sums without a rescan.
static void BM_EditInsideRange(benchmark::State& State) {
    TQvDoubleVector Vector(nullptr);
    Fill(Vector, Scanned);
    benchmark::DoNotOptimize(Vector.GetSum());
    int i = 1;
    for (auto _ : State) {
        Vector.SetValue(i, i * 0.5 + 0.25);
        Vector.SetValue(i, i * 0.5);
        benchmark::DoNotOptimize(Vector.GetSum());
        i = i % (Scanned - 2) + 1;
    }
}
BENCHMARK(BM_EditInsideRange);

// Binary records of 1,000,000 values.
static void BM_BinaryRoundTrip(benchmark::State& State) {
    TQvDoubleVector Vector(nullptr);
    Fill(Vector, 1'000'000);
    TQvDoubleVector Copy(nullptr);
    for (auto _ : State) {
        QByteArray Bytes;
        QBuffer Buffer(&Bytes);
        Buffer.open(QIODevice::ReadWrite);
        Vector.WriteTo(&Buffer);
        Buffer.seek(0);
        Copy.ReadFrom(&Buffer);
        benchmark::DoNotOptimize(Copy.Data());
    }
    State.SetBytesProcessed(State.iterations() * 2 * 8'000'000);
}
BENCHMARK(BM_BinaryRoundTrip)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
