// A scattered line: the random walk of the side-by-side comparison, whose steps go every way.
// Its values mapped to pixels, its thin line drawn straight into a 1600 x 1000 image (smoothed
// or aliased, with the segments made four at a time where the processor has AVX2 or one at a
// time), and the whole chart zoomed to the middle half of its X range.

#include "benchchart.h"
#include "benchmain.h"

#include <style/qvthinlines.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr int Width = 1600, Height = 1000;

// x sums the even draws of the comparison's noise, y the odd ones.
struct TWalk {
    std::vector<double> X, Y;
    explicit TWalk(long long n) {
        std::uint32_t State = 12345u;
        const auto Noise = [&] {
            State = State * 1664525u + 1013904223u;
            return double(State) * (2.0 / 4294967296.0) - 1.0;
        };
        double x = 0, y = 0;
        for (long long i = 0; i < n; ++i) {
            x += Noise();
            y += Noise();
            X.push_back(x);
            Y.push_back(y);
        }
    }
};

// The walk as the zoomed chart places it: steps of about 3 pixels across, 1 down, bent back at
// the edges of the image.
std::vector<TGPPointF> WalkInPixels(long long n) {
    const TWalk Walk(n);
    std::vector<TGPPointF> Points;
    const auto Fold = [](double v, double Size) {
        const double Period = 2 * (Size - 20);
        const double t = std::fmod(std::abs(v), Period);
        return float(10 + (t < Size - 20 ? t : Period - t));
    };
    for (size_t k = 0; k < Walk.X.size(); ++k)
        Points.push_back({Fold(800 + 6 * Walk.X[k], Width), Fold(500 + 2.4 * Walk.Y[k], Height)});
    return Points;
}

} // namespace

// Arguments: smoothed (1) or aliased (0), and four at a time (1) or one at a time (0).
static void BM_ScatteredThinLine(benchmark::State& State) {
    const std::vector<TGPPointF> Points = WalkInPixels(100'000);
    std::vector<std::uint32_t> Pixels(std::size_t(Width) * Height);
    const bool Smooth = State.range(0) != 0, Vectors = State.range(1) != 0;
    for (auto _ : State) {
        State.PauseTiming();
        std::fill(Pixels.begin(), Pixels.end(), 0xFFFFFFFF);
        State.ResumeTiming();
        TQvThinLines Lines({Pixels.data(), Width, 0, 0, Width, Height}, 0xFF1F77B4, Smooth,
                           Vectors);
        Lines.Draw(Points.data(), int(Points.size()), false, 0, 0);
    }
}
BENCHMARK(BM_ScatteredThinLine)
    ->ArgsProduct({{1, 0}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 10^5 values of the walk mapped to pixels by a laid-out axis, into every other float.
static void BM_MapScatteredValues(benchmark::State& State) {
    const TWalk Walk(100'000);
    TBenchChart Chart(Width, Height, true, QStringLiteral("Random walk"));
    Chart.Copy(Walk.X, Walk.Y);
    Chart.Render();
    std::vector<TGPPointF> Points(Walk.X.size());
    for (auto _ : State) {
        Chart.XAxis()->NumbersToWorld(Walk.X, &Points.front().X, 2);
        benchmark::DoNotOptimize(Points.data());
    }
    State.SetItemsProcessed(State.iterations() * std::int64_t(Walk.X.size()));
}
BENCHMARK(BM_MapScatteredValues)->Unit(benchmark::kMicrosecond);

// The whole chart of the walk zoomed to the middle half of its X range, after the full view.
// Arguments: points, and smoothed (1) or aliased (0).
static void BM_ZoomScatteredLine(benchmark::State& State) {
    const TWalk Walk(State.range(0));
    TBenchChart Chart(Width, Height, State.range(1) != 0, QStringLiteral("Random walk"));
    Chart.Copy(Walk.X, Walk.Y);
    Chart.Render();
    const auto [Lo, Hi] = std::minmax_element(Walk.X.begin(), Walk.X.end());
    for (auto _ : State) {
        Chart.SetXRange(*Lo + 0.25 * (*Hi - *Lo), *Lo + 0.75 * (*Hi - *Lo));
        Chart.Render();
        State.PauseTiming();
        Chart.AutoXRange();
        Chart.Render();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_ZoomScatteredLine)
    ->ArgsProduct({{100'000, 1'000'000}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
