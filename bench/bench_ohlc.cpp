// A million one-minute candles on a date-time axis in a 1600 x 1000 chart: the first paint with
// the prices handed over on the clock, and a repaint after each zoom to a new range.

#include "benchchart.h"
#include "benchmain.h"

#include <axes/qvdatetime.h>
#include <series/qvohlc.h>

#include <cmath>
#include <random>

namespace {

constexpr int Width = 1600, Height = 1000;
constexpr int Candles = 1'000'000;

// A random walk of one-minute prices, in plain arrays as an application holds them.
struct TMinutePrices {
    TMinutePrices() : Minute(Candles), Open(Candles), High(Candles), Low(Candles), Close(Candles) {
        std::mt19937 Random(3);
        std::normal_distribution<double> Move(0, 0.05);
        std::uniform_real_distribution<double> Reach(0, 0.08);
        const double Start = EncodeDate(2024, 1, 2);
        double Last = 100;
        for (size_t i = 0; i < size_t(Candles); ++i) {
            Minute[i] = Start + double(i) / 1440;
            Open[i] = Last;
            Close[i] = Last + Move(Random);
            High[i] = std::max(Open[i], Close[i]) + Reach(Random);
            Low[i] = std::min(Open[i], Close[i]) - Reach(Random);
            Last = Close[i];
        }
    }
    std::vector<double> Minute, Open, High, Low, Close;
};

const TMinutePrices& Prices() {
    static const TMinutePrices P;
    return P;
}

struct TCandleChart {
    TCandleChart() : Chart(Width, Height, true) {
        Chart.Series()->SetVisible(false);
        Chart.XAxis()->SetScaling(TQvAxisScaling::DateTime);
        TComponent* Owner = Chart.Graph()->GetOwner();
        for (TQvDoubleVector** Vector : {&Minute, &Open, &High, &Low, &Close})
            *Vector = new TQvDoubleVector(Owner);
        Series = new TQvCandleSticks(Owner);
        Series->SetXData(Minute);
        Series->SetOpenData(Open);
        Series->SetHighData(High);
        Series->SetLowData(Low);
        Series->SetCloseData(Close);
        Series->SetXAxis(Chart.XAxis());
        Series->SetYAxis(Chart.Graph()->GetPrimaryYAxis());
    }
    // The prices copied in, as a user hands them over.
    void Load() {
        const TMinutePrices& P = Prices();
        Minute->SetValues(P.Minute);
        Open->SetValues(P.Open);
        High->SetValues(P.High);
        Low->SetValues(P.Low);
        Close->SetValues(P.Close);
    }
    TBenchChart Chart;
    TQvDoubleVector *Minute, *Open, *High, *Low, *Close;
    TQvCandleSticks* Series;
};

} // namespace

static void BM_MillionCandlesFirstPaint(benchmark::State& State) {
    Prices();
    for (auto _ : State) {
        State.PauseTiming();
        auto Chart = std::make_unique<TCandleChart>();
        State.ResumeTiming();
        Chart->Load();
        Chart->Chart.Render();
        State.PauseTiming();
        Chart.reset();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_MillionCandlesFirstPaint)->Unit(benchmark::kMillisecond);

// Each zoom shows a window of a different width at a different place.
static void BM_MillionCandlesZoomAndRepaint(benchmark::State& State) {
    TCandleChart Candles;
    Candles.Load();
    Candles.Chart.Render();
    const double First = Prices().Minute.front(), Span = Prices().Minute.back() - First;
    int k = 0;
    for (auto _ : State) {
        const double Share = 0.05 + 0.9 * ((k * 37) % 101) / 100.0;
        const double From = First + Span * (1 - Share) * ((k * 61) % 97) / 96.0;
        Candles.Chart.SetXRange(From, From + Span * Share);
        Candles.Chart.Render();
        ++k;
    }
    State.counters["bars"] = double(Candles.Series->Bars().size());
}
BENCHMARK(BM_MillionCandlesZoomAndRepaint)->Unit(benchmark::kMillisecond);
