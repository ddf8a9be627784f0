// The straight-line fit over ten million points: through the calculation class, which reads
// every point through the range, outlier and transformation checks, and the kernel alone on
// plain arrays, which shows what those checks cost.

#include <analysis/qvlinearregression.h>
#include <data/qvvectors.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {
constexpr int Points = 10'000'000;

// A line with uniform noise, the same every run.
void Noisy(std::vector<double>& X, std::vector<double>& Y) {
    std::uint32_t State = 12345u;
    X.resize(Points);
    Y.resize(Points);
    for (int i = 0; i < Points; ++i) {
        State = State * 1664525u + 1013904223u;
        X[i] = i * 1e-3;
        Y[i] = 0.5 * X[i] - 2 + (double(State) / 4294967296.0 - 0.5);
    }
}
} // namespace

// Argument: without weights (0), with a weight vector (1), with an identity transformation of Y,
// which sends every value through the virtual Xi, Yi and Wi (2).
static void BM_LinearRegressionCalculation(benchmark::State& State) {
    std::vector<double> X, Y;
    Noisy(X, Y);
    TQvDoubleVector XData(nullptr), YData(nullptr), Weight(nullptr);
    XData.SetValues(X);
    YData.SetValues(Y);
    Weight.SetValues(std::vector<double>(Points, 2.0));
    TQvLinearRegressionCalculation Calculation;
    Calculation.XData = &XData;
    Calculation.YData = &YData;
    if (State.range(0) == 1) Calculation.Weight = &Weight;
    if (State.range(0) == 2)
        Calculation.YValueTransformation = [](TObject*, TQvTransformEventArgs& e) {
            return e.Value;
        };
    for (auto _ : State) {
        Calculation.Calculate();
        benchmark::DoNotOptimize(Calculation.Slope);
    }
}
BENCHMARK(BM_LinearRegressionCalculation)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

static void BM_LinearRegressionKernel(benchmark::State& State) {
    std::vector<double> X, Y;
    Noisy(X, Y);
    for (auto _ : State) {
        const auto Fit = QvRegression::FitLine(QvRegression::TSpanPoints{X, Y, {}}, false, 0);
        benchmark::DoNotOptimize(Fit.Slope);
    }
}
BENCHMARK(BM_LinearRegressionKernel)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
