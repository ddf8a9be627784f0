// Splines over a million points, built and sampled once per pixel column as for a repaint.
// Moving averages over ten million points with windows of 3 and of 1001 points.
// Spectra of 2^20 samples (radix 2) and of the prime 1,000,003 (chirp transform).
// The simplex fit's evaluation of a formula per point, beside muparser's.
// The straight-line fit over ten million points: through the calculation class, which reads
// every point through the range, outlier and transformation checks, and the kernel alone on
// plain arrays, which shows what those checks cost. And the regression's curve and band,
// whose cost follows the axis length in pixels, not the number of points.

#include "benchchart.h"
#include "benchmain.h"
#include "benchmemory.h"

#include <analysis/qvaverage.h>
#include <analysis/qvdiscretefourier.h>
#include <analysis/qvfitting.h>
#include <analysis/qvinterpolation.h>
#include <analysis/qvlinearregression.h>
#include <data/qvvectors.h>

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cstdint>
#include <memory>
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

// The line and its band made anew, as after a zoom, beside a series of n points.
static void BM_RegressionCurveAndBand(benchmark::State& State) {
    const int n = int(State.range(0));
    TBenchChart Chart(1600, 1000, false);
    TQvValueArray X(n), Y(n);
    for (int i = 0; i < n; ++i) {
        X[i] = i;
        Y[i] = 0.5 * i + (i % 7 - 3);
    }
    Chart.Load(std::move(X), std::move(Y));
    auto* Fit = new TQvLinearRegression(Chart.Graph()->GetOwner());
    Fit->SetXData(Chart.Series()->GetXData());
    Fit->SetYData(Chart.Series()->GetYData());
    Fit->SetXAxis(Chart.XAxis());
    Fit->SetYAxis(Chart.Series()->GetYAxis());
    Fit->GetConfidenceIntervalLine()->SetVisible(true);
    Chart.Render();
    for (auto _ : State) {
        Fit->CalculatePoints();
        benchmark::DoNotOptimize(Fit->UpperBand().data());
    }
    State.counters["band_points"] = double(Fit->UpperBand().size());
}
BENCHMARK(BM_RegressionCurveAndBand)->Arg(1000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);

// Argument: the method (Akima 0, cubic spline 1). A million noisy points on sorted x, the spline
// made and sampled at 1600 columns, as a repaint after new data does.
static void BM_SplineBuildAndSample(benchmark::State& State) {
    std::vector<double> X, Y;
    Noisy(X, Y);
    X.resize(1'000'000);
    Y.resize(1'000'000);
    TQvDoubleVector XData(nullptr), YData(nullptr);
    XData.SetValues(X);
    YData.SetValues(Y);
    TQvInterpolationCalculation Calc;
    Calc.XData = &XData;
    Calc.YData = &YData;
    Calc.SetInterpolationMethod(TQvInterpolationMethod(State.range(0)));
    for (auto _ : State) {
        Calc.Invalidate();
        double Sum = 0;
        for (int Column = 0; Column <= 1600; ++Column)
            Sum += Calc.Interpolate(X.back() * Column / 1600);
        benchmark::DoNotOptimize(Sum);
    }
}
BENCHMARK(BM_SplineBuildAndSample)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Arguments: the method (simple 0, linear weights 1) and N, the points taken on either side
// (1: windows of 3 points, 500: of 1001). Running sums make both widths cost the same.
static void BM_MovingAverage(benchmark::State& State) {
    std::vector<double> X, Y;
    Noisy(X, Y);
    const std::vector<double> W(X.size(), 1.0);
    const QvAverage::TSettings Settings{QvAverage::TMethod(State.range(0)),
                                        QvAverage::TDirection::UpAndDownwards,
                                        QvAverage::TRange::Count, double(State.range(1)), 0.9};
    for (auto _ : State)
        benchmark::DoNotOptimize(QvAverage::MovingAverage(X, Y, W, Settings).data());
}
BENCHMARK(BM_MovingAverage)
    ->Args({0, 1})
    ->Args({0, 500})
    ->Args({1, 1})
    ->Args({1, 500})
    ->Unit(benchmark::kMillisecond);

// Arguments: the number of samples, and whether each spectrum is a program's first (1: a new
// calculation on fresh memory) or follows one of the same length (0: tables and buffers kept).
// The calculation reads the equidistant points, transforms them and fills the amplitude and
// phase vectors.
static void BM_Spectrum(benchmark::State& State) {
    std::vector<double> X, Y;
    Noisy(X, Y);
    X.resize(size_t(State.range(0)));
    Y.resize(size_t(State.range(0)));
    TQvDoubleVector XData(nullptr), YData(nullptr);
    XData.SetValues(X);
    YData.SetValues(Y);
    const bool First = State.range(1) == 1;
    auto Calc = std::make_unique<TQvDiscreteFourierCalculation>();
    for (auto _ : State) {
        if (First) {
            State.PauseTiming();
            Calc.reset();
            State.ResumeTiming();
            ReturnFreedMemory(State);
            Calc = std::make_unique<TQvDiscreteFourierCalculation>();
        }
        Calc->XData = &XData;
        Calc->YData = &YData;
        Calc->Calculate();
        benchmark::DoNotOptimize(Calc->Amplitude()->Data());
    }
}
BENCHMARK(BM_Spectrum)
    ->Args({1 << 20, 0})
    ->Args({1 << 20, 1})
    ->Args({1'000'003, 0})
    ->Args({1'000'003, 1})
    ->Unit(benchmark::kMillisecond);

namespace {
constexpr int FitPoints = 10'000;
const char* const DecayFormula = "a*exp(-b*X)+c";

void Decay(std::vector<double>& X, std::vector<double>& Y) {
    for (int i = 0; i < FitPoints; ++i) {
        X.push_back(i * 1e-3);
        Y.push_back(3 * std::exp(-0.7 * X.back()) + 0.5 + (i % 7 - 3) * 1e-3);
    }
}
} // namespace

// Ten steps of the search over 10,000 points; "ns_per_point" is the time of one evaluation of
// the formula and its squared residual.
static void BM_SimplexFitFormula(benchmark::State& State) {
    std::vector<double> X, Y;
    Decay(X, Y);
    TQvDoubleVector XData(nullptr), YData(nullptr);
    XData.SetValues(X);
    YData.SetValues(Y);
    TQvSimplexFit Fit;
    Fit.XData = &XData;
    Fit.YData = &YData;
    Fit.Iterations = 9;
    Fit.SetExpression(QString::fromLatin1(DecayFormula));
    long Evaluations = 0;
    Fit.OnNewCorner = [&](TObject*, const std::vector<double>&) { ++Evaluations; };
    for (auto _ : State) {
        Fit.SetCoefs(std::vector<double>{1, 1, 1});
        Fit.Calculate();
    }
    State.counters["ns_per_point"] = benchmark::Counter(
        double(Evaluations) * FitPoints, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SimplexFitFormula)->Unit(benchmark::kMillisecond);

// The same formula and residual sum by muparser, for comparison.
static void BM_MuparserFormula(benchmark::State& State) {
    std::vector<double> X, Y;
    Decay(X, Y);
    double a = 1, b = 1, c = 1, x = 0;
    mu::Parser Parser;
    Parser.DefineVar("a", &a);
    Parser.DefineVar("b", &b);
    Parser.DefineVar("c", &c);
    Parser.DefineVar("X", &x);
    Parser.SetExpr(DecayFormula);
    long Evaluations = 0;
    for (auto _ : State) {
        double Sum = 0;
        for (int i = 0; i < FitPoints; ++i) {
            x = X[size_t(i)];
            const double r = Y[size_t(i)] - Parser.Eval();
            Sum += r * r;
        }
        benchmark::DoNotOptimize(Sum);
        ++Evaluations;
    }
    State.counters["ns_per_point"] = benchmark::Counter(
        double(Evaluations) * FitPoints, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MuparserFormula)->Unit(benchmark::kMillisecond);
