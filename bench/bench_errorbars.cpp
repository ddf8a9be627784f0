// A million measured points with error bars in a 1600 x 1000 chart, smoothed, symbols shown:
// the first paint, with the data handed over and ranges, screen points and bars worked out on
// the clock, and a repaint with nothing changed.

#include "benchchart.h"
#include "benchmain.h"

#include <series/qverrorbars.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

namespace {

constexpr int Width = 1600, Height = 1000;

// A decay measured a million times: Gaussian noise (Box-Muller) whose standard error, given as
// the symmetric Y error, grows with the signal; X errors are the sampling jitter.
struct TMeasurement {
    TQvValueArray X, Y, Dx, Dy;
    explicit TMeasurement(size_t n) : X(n), Y(n), Dx(n), Dy(n) {
        std::uint32_t State = 2024u;
        const auto Uniform = [&State] {
            State = State * 1664525u + 1013904223u;
            return (double(State) + 1) / 4294967297.0;
        };
        for (size_t i = 0; i < n; ++i) {
            const double t = double(i) / double(n) * 10;
            const double Signal = 100 * std::exp(-t / 3) + 5;
            const double Sigma = 0.5 + 0.02 * Signal;
            const double Gauss =
                std::sqrt(-2 * std::log(Uniform())) * std::cos(6.283185 * Uniform());
            X[i] = t;
            Y[i] = Signal + Sigma * Gauss;
            Dy[i] = Sigma * (0.9 + 0.2 * Uniform());
            Dx[i] = 2e-6;
        }
    }
};

// A series of the measurement on the chart's axes, its vectors owned by the chart.
TQvPointWithErrorSeries* NewErrorSeries(TBenchChart& Chart, TMeasurement Data) {
    TComponent* Owner = Chart.Graph()->GetOwner();
    const auto Take = [Owner](TQvValueArray&& Values) {
        auto* Vector = new TQvDoubleVector(Owner);
        Vector->SetValues(std::move(Values));
        return Vector;
    };
    auto* Series = new TQvPointWithErrorSeries(Owner);
    Series->SetXData(Take(std::move(Data.X)));
    Series->SetYData(Take(std::move(Data.Y)));
    TQvDoubleVector* Dy = Take(std::move(Data.Dy));
    Series->SetDeltaYPlus(Dy);
    Series->SetDeltaYMinus(Dy);
    TQvDoubleVector* Dx = Take(std::move(Data.Dx));
    Series->SetDeltaXPlus(Dx);
    Series->SetDeltaXMinus(Dx);
    Series->SetXAxis(Chart.XAxis());
    Series->SetYAxis(Chart.Graph()->GetPrimaryYAxis());
    Series->GetLine()->SetVisible(false);
    // The first default style: each new series would take the next.
    Series->GetPointSymbol()->SetPointSymbol(TQvPointSymbol::Circle);
    return Series;
}

void Free(TQvPointWithErrorSeries* Series) {
    // The plus and minus bars share their vectors.
    std::vector<TQvCustomDoubleVector*> Vectors = Series->DataVectors();
    std::sort(Vectors.begin(), Vectors.end());
    Vectors.erase(std::unique(Vectors.begin(), Vectors.end()), Vectors.end());
    std::erase(Vectors, Series->GetIndexer());
    delete Series;
    for (TQvCustomDoubleVector* Vector : Vectors)
        delete Vector;
}

} // namespace

// A fresh series and vectors each time, the values copied in on the clock: nothing is cached.
static void BM_MillionErrorBarsFirstPaint(benchmark::State& State) {
    const TMeasurement Data(size_t(State.range(0)));
    TBenchChart Chart(Width, Height, true);
    Chart.Series()->SetVisible(false);
    for (auto _ : State) {
        // The values copied in, as a user hands them over.
        TQvPointWithErrorSeries* Series = NewErrorSeries(Chart, Data);
        Chart.Render();
        State.PauseTiming();
        State.counters["points"] = double(Series->ScreenPoints().Count());
        Free(Series);
        State.ResumeTiming();
    }
}
BENCHMARK(BM_MillionErrorBarsFirstPaint)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

static void BM_MillionErrorBarsRepaint(benchmark::State& State) {
    TBenchChart Chart(Width, Height, true);
    Chart.Series()->SetVisible(false);
    NewErrorSeries(Chart, TMeasurement(1'000'000));
    Chart.Render();
    for (auto _ : State)
        Chart.Render();
}
BENCHMARK(BM_MillionErrorBarsRepaint)->Unit(benchmark::kMillisecond);
