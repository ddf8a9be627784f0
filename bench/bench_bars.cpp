// Bar charts in a 1600 x 1000 chart: three shifted series whose bars are made anew and painted
// (time should grow with the classes), and one series of a million classes, more than there are
// pixel columns, repainted with nothing changed and made anew.

#include "benchchart.h"
#include "benchmain.h"

#include <series/qvbars.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int Width = 1600, Height = 1000;

struct TBarsChart {
    TBarsChart(int Classes, int SeriesCount) : Chart(Width, Height, false) {
        Chart.Series()->SetVisible(false);
        for (int s = 0; s < SeriesCount; ++s) {
            TQvValueArray Values(static_cast<size_t>(Classes));
            for (int i = 0; i < Classes; ++i)
                Values[size_t(i)] = 2 + std::sin(i * 0.01 + s) + (i * 7 % 13) * 0.05;
            auto* Vector = new TQvDoubleVector(Chart.Graph()->GetOwner());
            Vector->SetValues(std::move(Values));
            auto* Bars = new TQvBars(Chart.Graph()->GetOwner());
            Bars->SetYData(Vector);
            Bars->SetXAxis(Chart.XAxis());
            Bars->SetYAxis(Chart.Graph()->GetPrimaryYAxis());
            Bars->GetLine()->SetVisible(false);
            Series.push_back(Bars);
        }
        Chart.Render();
    }
    TBenchChart Chart;
    std::vector<TQvBars*> Series;
};

} // namespace

// The bars of every series made anew, then painted.
static void BM_BarsMadeAndPainted(benchmark::State& State) {
    TBarsChart Bars(int(State.range(0)), 3);
    for (auto _ : State) {
        for (TQvBars* Series : Bars.Series)
            Series->PointsModified();
        Bars.Chart.Render();
    }
    State.SetItemsProcessed(State.iterations() * State.range(0) * 3);
}
BENCHMARK(BM_BarsMadeAndPainted)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

// Nothing changed: one bar per pixel column is painted again.
static void BM_MillionBarsRepaint(benchmark::State& State) {
    TBarsChart Bars(1'000'000, 1);
    for (auto _ : State)
        Bars.Chart.Render();
    State.counters["bars"] = double(Bars.Series.front()->Bars().size());
}
BENCHMARK(BM_MillionBarsRepaint)->Unit(benchmark::kMillisecond);

static void BM_MillionBarsMadeAndPainted(benchmark::State& State) {
    TBarsChart Bars(1'000'000, 1);
    for (auto _ : State) {
        Bars.Series.front()->PointsModified();
        Bars.Chart.Render();
    }
}
BENCHMARK(BM_MillionBarsMadeAndPainted)->Unit(benchmark::kMillisecond);
