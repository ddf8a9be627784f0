// A long line series in a 1600 x 1000 chart: the first paint, a repaint with nothing changed,
// a zoom, and appending 1,000 points before a repaint; the screen points kept per size.

#include "benchchart.h"
#include "benchmain.h"

#include <cmath>
#include <cstdint>
#include <memory>

namespace {

constexpr int Width = 1600, Height = 1000;

// The noisy signal of the side-by-side comparison: a slow sine plus uniform noise.
struct TSignal {
    std::uint32_t State = 12345u;
    double Next(long long i) {
        State = State * 1664525u + 1013904223u;
        const double Noise = double(State) * (2.0 / 4294967296.0) - 1.0;
        return std::sin(double(i) * 1e-4) + 0.3 * Noise;
    }
};

std::unique_ptr<TBenchChart> PaintedChart(long long n, bool Antialiased, TSignal& Signal) {
    TQvValueArray X(static_cast<size_t>(n)), Y(static_cast<size_t>(n));
    for (long long i = 0; i < n; ++i) {
        X[size_t(i)] = double(i);
        Y[size_t(i)] = Signal.Next(i);
    }
    auto Chart = std::make_unique<TBenchChart>(Width, Height, Antialiased);
    Chart->Load(std::move(X), std::move(Y));
    Chart->Render();
    return Chart;
}

void Sizes(benchmark::internal::Benchmark* B) {
    for (long long n : {100'000LL, 1'000'000LL, 10'000'000LL})
        for (int Aa : {0, 1})
            B->Args({n, Aa});
    B->Unit(benchmark::kMillisecond);
}

} // namespace

// Nothing changed: the cached screen points are drawn again, whatever the point count.
static void BM_RepaintUnchanged(benchmark::State& State) {
    TSignal Signal;
    auto Chart = PaintedChart(State.range(0), State.range(1) != 0, Signal);
    for (auto _ : State)
        Chart->Render();
    State.counters["points_kept"] = Chart->Series()->ScreenPoints().Count();
}
BENCHMARK(BM_RepaintUnchanged)->Apply(Sizes);

// The middle half of the data: clipping and the per-column reduction from the hierarchy.
static void BM_ZoomMiddleHalf(benchmark::State& State) {
    TSignal Signal;
    const long long n = State.range(0);
    auto Chart = PaintedChart(n, State.range(1) != 0, Signal);
    for (auto _ : State) {
        Chart->SetXRange(0.25 * double(n - 1), 0.75 * double(n - 1));
        Chart->Render();
        State.PauseTiming();
        Chart->AutoXRange();
        Chart->Render();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_ZoomMiddleHalf)->Apply(Sizes);

// The screen points alone, made anew from the hierarchy: grows with log n, not with n.
static void BM_ScreenPoints(benchmark::State& State) {
    TSignal Signal;
    auto Chart = PaintedChart(State.range(0), false, Signal);
    TQvLineSeries* Series = Chart->Series();
    for (auto _ : State) {
        Series->PointsModified();
        Series->CalculatePoints();
    }
    State.counters["points_kept"] = Series->ScreenPoints().Count();
}
BENCHMARK(BM_ScreenPoints)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMicrosecond);

// 1,000 values appended to a long series and a repaint: the cost follows the 1,000.
static void BM_AppendThousandAndRepaint(benchmark::State& State) {
    TSignal Signal;
    long long n = State.range(0);
    auto Chart = PaintedChart(n, false, Signal);
    for (auto _ : State) {
        for (int k = 0; k < 1000; ++k, ++n)
            Chart->Append(double(n), Signal.Next(n));
        Chart->Render();
    }
}
BENCHMARK(BM_AppendThousandAndRepaint)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

// Memory of the cached screen points: bounded by the width, not by the point count.
static void BM_ScreenPointMemory(benchmark::State& State) {
    TSignal Signal;
    std::unique_ptr<TBenchChart> Chart;
    for (auto _ : State)
        Chart = PaintedChart(State.range(0), false, Signal);
    const TQvLineSeries* Series = Chart->Series();
    State.counters["points_kept"] = Series->ScreenPoints().Count();
    State.counters["bytes"] =
        double(Series->ScreenPoints().Points().capacity() * sizeof(TGPPointF) +
               Series->ScreenPoints().Index().capacity() * sizeof(int));
}
BENCHMARK(BM_ScreenPointMemory)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
