// Finance: a year of daily candles with a 20-day average of the close, the day's volume below
// on a graph that shares the date axis, and the last two months of the same prices as OHLC
// bars.

#include "gallerycharts.h"
#include "gallerypage.h"

#include <analysis/qvmovingaverage.h>
#include <axes/qvdatetime.h>
#include <data/qvvectors.h>
#include <series/qvbars.h>
#include <series/qvohlc.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

using P = TQvAxisPosition;
using S = TQvAxisScaling;

// The volume bars leave the same gap between days as the candles above.
constexpr double StepGapPercent = 20;

// A trading year: a random walk with a slow swing, one bar per weekday. The volume also per
// calendar day, 0 at weekends, between boundaries half a day either side for bars.
struct TPrices {
    std::vector<double> Days, Open, High, Low, Close, Volume;
    std::vector<double> Boundaries, DailyVolume;

    TPrices() {
        std::mt19937 Random(41);
        std::normal_distribution<double> Move(0, 1.2);
        std::uniform_real_distribution<double> Reach(0.1, 1.4);
        std::lognormal_distribution<double> Traded(0, 0.35);
        double Last = 100;
        const TDateTime First = EncodeDate(2025, 1, 2);
        for (int d = 0; d < 365; ++d) {
            const TDateTime Day = First + d;
            const int Weekday = DayOfWeek(Day);
            Boundaries.push_back(Day - 0.5);
            DailyVolume.push_back(0);
            if (Weekday == 1 || Weekday == 7) continue;
            const double Swing = 0.25 * std::sin(2 * M_PI * d / 180);
            const double o = Last + 0.3 * Move(Random);
            const double c = o + Swing + Move(Random);
            Days.push_back(Day);
            Open.push_back(o);
            Close.push_back(c);
            High.push_back(std::max(o, c) + Reach(Random));
            Low.push_back(std::min(o, c) - Reach(Random));
            // Big moves trade more.
            Volume.push_back(std::round(1.2e6 * Traded(Random) * (1 + 0.4 * std::abs(c - o))));
            DailyVolume.back() = Volume.back();
            Last = c;
        }
        Boundaries.push_back(Boundaries.back() + 1);
    }
};

template <class T>
T* PriceSeries(TComponent* Owner, TQvAxis* X, TQvAxis* Y, const TPrices& Prices, int From,
               const QString& Caption) {
    const auto Tail = [From](const std::vector<double>& Values) {
        return std::vector<double>(Values.begin() + From, Values.end());
    };
    auto* Series = new T(Owner);
    Series->SetCaption(Caption);
    Series->SetXData(Vector(Owner, Tail(Prices.Days)));
    Series->SetOpenData(Vector(Owner, Tail(Prices.Open)));
    Series->SetHighData(Vector(Owner, Tail(Prices.High)));
    Series->SetLowData(Vector(Owner, Tail(Prices.Low)));
    Series->SetCloseData(Vector(Owner, Tail(Prices.Close)));
    Series->SetXAxis(X);
    Series->SetYAxis(Y);
    return Series;
}

void AddYear(TComponent* Owner, TWinControl* Panel, const TPrices& Prices) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "Candles", "A trading year in daily candles", 5, 5, 990, 440);
    // The year and the day after it, which the last volume bar reaches into.
    TQvAxis* Days = NewAxis(Owner, Graph, P::Bottom, S::DateTime, EncodeDate(2025, 1, 1),
                            EncodeDate(2026, 1, 2), "");
    Days->SetEndRounding(TQvAxisEndRounding::RndNothing);
    TQvAxis* Price = NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Price");
    auto* Candles =
        PriceSeries<TQvCandleSticks>(Owner, Days, Price, Prices, 0, "Daily open, high, low, close");
    // A day is a few pixels wide here: candles coloured whole show the direction better.
    Candles->SetShadowsSameColorAsFill(true);
    auto* Average = NewCurve<TQvMovingAverage>(Owner, Days, Price, Candles->GetXData(),
                                               Candles->GetYData(), 0, "20-day average close");
    Average->SetN(20);
    // One legend serves both graphs: a legend lists the series of the graphs sharing the axis.
    NewLegend(Owner, Graph, TQvLegendPosition::TopCenterOfAxis, 22);

    TQvGraph2D* Below = NewGraph(Owner, Panel, "Volume", "", 5, 445, 990, 200);
    Below->SetCaptionVisible(false);
    Below->SetPrimaryXAxis(Days);
    TQvAxis* Shares = NewAxis(Owner, Below, P::Left, S::Normal, 0, 0, "Shares traded");
    Below->SetPrimaryYAxis(Shares);
    auto* Volume = NewCurve<TQvBars>(Owner, Days, Shares, Vector(Owner, Prices.Boundaries),
                                     Vector(Owner, Prices.DailyVolume), 2, "Volume");
    Volume->GetLine()->SetVisible(false);
    Volume->GetArea()->SetForeColor(ThemeColor(2, 170));
    Volume->SetClassesDistance(StepGapPercent);
    auto* Trend =
        NewCurve<TQvMovingAverage>(Owner, Days, Shares, Candles->GetXData(),
                                   Vector(Owner, Prices.Volume), 3, "10-day average volume");
    Trend->SetN(10);
}

void AddLastMonths(TComponent* Owner, TWinControl* Panel, const TPrices& Prices) {
    TQvGraph2D* Graph =
        NewGraph(Owner, Panel, "OHLC", "The last two months in OHLC bars", 5, 655, 990, 380);
    TQvAxis* Days = NewAxis(Owner, Graph, P::Bottom, S::DateTime, 0, 0, "");
    TQvAxis* Price = NewAxis(Owner, Graph, P::Left, S::Normal, 0, 0, "Price");
    const int From = int(Prices.Days.size()) - 42;
    auto* Bars = PriceSeries<TQvOHLC>(Owner, Days, Price, Prices, From, "Open, high, low, close");
    Bars->SetBarWidth(1);
    Bars->GetLine()->SetWidth(2);
    NewLegend(Owner, Graph, TQvLegendPosition::TopCenterOfAxis, 22);
}

TWinControl* BuildFinancePage(TComponent* Owner) {
    auto* Panel = new TWhitePanel(Owner);
    Panel->SetName(QStringLiteral("FinancePanel"));
    Panel->SetBounds(0, 0, 1000, 1040);
    const TPrices Prices;
    AddYear(Owner, Panel, Prices);
    AddLastMonths(Owner, Panel, Prices);
    return Panel;
}

} // namespace

void AddFinancePages(std::vector<TGalleryPage>& Pages) {
    Pages.push_back({QStringLiteral("finance"), QStringLiteral("Finance"),
                     QStringLiteral("A trading year in daily candlesticks, green where the day "
                                    "closed higher and red where it closed lower, with a 20-day "
                                    "average of the close; the shares traded each day as bars "
                                    "on a graph below that shares the date axis, with their "
                                    "10-day average; the last two months of the same prices as "
                                    "OHLC bars, the open ticked to the left and the close to "
                                    "the right."),
                     BuildFinancePage});
}
