// Price bars: the price range, candle bodies and wicks in pixels for rising, falling and flat
// days, OHLC ticks, bars per pixel column, widths on a date-time axis, undo, freed vectors and
// records.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"

#include <axes/qvdatetime.h>
#include <series/qvohlc.h>
#include <undo/qvundostack.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A 400 × 400 graph, X fixed from 0 to 4 and Y from 0 to 10 unless auto-ranged, no numbers.
struct TPriceChart : TChart {
    explicit TPriceChart(bool Fixed = true) {
        Graph->SetBounds(0, 0, 400, 400);
        Graph->SetSmoothingMode(TQvSmoothingMode::None);
        for (TQvAxis* Axis : {X, Y})
            Axis->SetNumbersVisible(false);
        if (Fixed) {
            FixAxes(0, 4);
            Y->SetStop(10);
        }
    }
    // Bars at Days, by default X = 1, 2, 3, ..., with the given prices.
    template <class T>
    T* NewPrices(const std::vector<double>& Open, const std::vector<double>& High,
                 const std::vector<double>& Low, const std::vector<double>& Close,
                 std::vector<double> Days = {}) {
        auto* Series = new T(Owner.get());
        Series->SetOpenData(NewVector("", Open));
        Series->SetHighData(NewVector("", High));
        Series->SetLowData(NewVector("", Low));
        for (size_t i = Days.size(); i < Close.size(); ++i)
            Days.push_back(double(i + 1));
        Series->SetXData(NewVector("", Days));
        Series->SetCloseData(NewVector("", Close));
        Series->SetXAxis(X);
        Series->SetYAxis(Y);
        return Series;
    }
    // Bars stand on whole pixels.
    QColor At(const QImage& Image, double x, double y) const {
        return Image.pixelColor(int(std::round(X->NumberToWorld(x))),
                                int(std::floor(Y->NumberToWorld(y))));
    }
};

const QColor Green(0, 128, 0), Red(255, 0, 0), Black(0, 0, 0);

} // namespace

TEST(OHLC, CandleBodiesWicksAndTheRange) {
    {
        // The range runs from the lowest low to the highest high; a shorter vector limits the
        // bars.
        TPriceChart Chart(false);
        auto* Candles =
            Chart.NewPrices<TQvCandleSticks>({5, 5, 5}, {9, 12, 8}, {-3, 1, 2}, {6, 4, 7});
        Chart.Render();
        EXPECT_EQ(Candles->GetYStart(), -3);
        EXPECT_EQ(Candles->GetYStop(), 12);
        qobject_cast<TQvDoubleVector*>(Candles->GetHighData())->Delete(2);
        Chart.Render();
        EXPECT_EQ(Candles->GetCount(), 2);
        EXPECT_EQ(Candles->Bars().size(), 2u);
    }
    TPriceChart Chart;
    // Rising, falling and flat days.
    auto* Candles = Chart.NewPrices<TQvCandleSticks>({2, 8, 5}, {9, 9, 7}, {1, 1, 3}, {6, 3, 5});
    Candles->SetBarWidth(11);
    QImage Image = Chart.Render();
    ASSERT_EQ(Candles->Bars().size(), 3u);
    const TQvCustomOHLC::TBar& Up = Candles->Bars()[0];
    EXPECT_EQ(Up.X, Chart.X->NumberToWorld(1));
    EXPECT_EQ(Up.Open, Chart.Y->NumberToWorld(2));
    EXPECT_EQ(Up.High, Chart.Y->NumberToWorld(9));
    EXPECT_EQ(Up.Low, Chart.Y->NumberToWorld(1));
    EXPECT_EQ(Up.Close, Chart.Y->NumberToWorld(6));
    EXPECT_EQ(Up.Direction, 1);
    EXPECT_EQ(Candles->Bars()[1].Direction, -1);
    EXPECT_EQ(Candles->Bars()[2].Direction, 0);
    // Bodies in the direction's colour beside the wick, wicks and outline in the line colour.
    const double Beside = 3 / 100.0; // 3 pixels right of the wick
    EXPECT_EQ(Chart.At(Image, 1 + Beside, 4), Green);
    EXPECT_EQ(Chart.At(Image, 2 + Beside, 5), Red);
    EXPECT_EQ(Chart.At(Image, 1, 8), Black);
    EXPECT_EQ(Chart.At(Image, 1, 1.5), Black);
    EXPECT_EQ(Chart.At(Image, 1 + Beside, 8), QColor(Qt::transparent));
    // The flat day: a black line of bar width at the open, and its wicks.
    const int Flat = int(std::floor(Chart.Y->NumberToWorld(5)));
    for (int dx = -4; dx <= 4; ++dx)
        EXPECT_EQ(Image.pixelColor(int(Chart.X->NumberToWorld(3)) + dx, Flat), Black) << dx;
    EXPECT_EQ(Chart.At(Image, 3, 6.5), Black);
    // Wicks in the body's colour.
    Candles->SetShadowsSameColorAsFill(true);
    Image = Chart.Render();
    EXPECT_EQ(Chart.At(Image, 1, 8), Green);
    EXPECT_EQ(Chart.At(Image, 2, 1.5), Red);
    // Hit tests: the bar's rectangle from high to low.
    EXPECT_EQ(Candles->FindPoint(Up.X + 5, Chart.Y->NumberToWorld(8.5)), 0);
    EXPECT_EQ(Candles->FindPoint(Up.X + 7, Chart.Y->NumberToWorld(8.5)), -1);
    EXPECT_EQ(Candles->FindPoint(Up.X, Chart.Y->NumberToWorld(9.5)), -1);
}

TEST(OHLC, BarsWithTicks) {
    TPriceChart Chart;
    auto* Bars = Chart.NewPrices<TQvOHLC>({3, 7}, {8, 9}, {1, 2}, {6, 4});
    Bars->GetArea()->SetVisible(false);
    Bars->SetIndicatorLength(8);
    const QImage Image = Chart.Render();
    const QColor Line(0, 0, 139);
    // The open tick reaches 8 pixels left of the bar, the close tick 8 pixels right.
    const float x = Chart.X->NumberToWorld(1), Half = Bars->GetBarWidth() / 2;
    const auto Pixel = [&](float px, double v) {
        return Image.pixelColor(int(std::floor(px)), int(std::floor(Chart.Y->NumberToWorld(v))));
    };
    EXPECT_EQ(Pixel(x - Half - 4, 3), Line);
    EXPECT_EQ(Pixel(x + Half + 4, 6), Line);
    EXPECT_NE(Pixel(x - Half - 4, 6), Line);
    EXPECT_NE(Pixel(x - Half - 10, 3), Line);
    EXPECT_EQ(Bars->ExtraSpaceAt(TQvAxisPosition::Bottom), Half + 8);
    EXPECT_EQ(Bars->ExtraSpaceAt(TQvAxisPosition::Left), 0);
}

TEST(OHLC, MoreBarsThanPixelColumns) {
    TPriceChart Chart;
    const int n = 100'000;
    std::vector<double> Opens, Highs, Lows, Closes, Days;
    for (int i = 0; i < n; ++i) {
        const double Mid = 5 + 3 * std::sin(i * 0.001);
        Days.push_back(i * 4.0 / n);
        Opens.push_back(Mid + (i % 3 - 1) * 0.1);
        Closes.push_back(Mid - (i % 5 - 2) * 0.1);
        Highs.push_back(Mid + 0.5 + (i % 7) * 0.05);
        Lows.push_back(Mid - 0.5 - (i % 11) * 0.05);
    }
    auto* Candles = Chart.NewPrices<TQvCandleSticks>(Opens, Highs, Lows, Closes, Days);
    Chart.Render();
    ASSERT_TRUE(Candles->OnColumns());
    const float Columns = Chart.X->NumberToWorld(4) - Chart.X->NumberToWorld(0) + 1;
    EXPECT_LE(float(Candles->Bars().size()), Columns);
    EXPECT_EQ(Candles->DrawnBarWidth(), 1);
    // Each column's bar: the open of its first day, the extremes and the close of its last.
    const auto& Index = Candles->ScreenPoints().Index();
    for (size_t k = 1; k < Index.size(); k += 97) {
        const int First = Index[k - 1] + 1, Last = Index[k];
        double Hi = -1e9, Lo = 1e9;
        for (int i = First; i <= Last; ++i) {
            Hi = std::max(Hi, Highs[size_t(i)]);
            Lo = std::min(Lo, Lows[size_t(i)]);
        }
        const TQvCustomOHLC::TBar& Bar = Candles->Bars()[k];
        EXPECT_EQ(Bar.Open, Chart.Y->NumberToWorld(Opens[size_t(First)])) << k;
        EXPECT_EQ(Bar.Close, Chart.Y->NumberToWorld(Closes[size_t(Last)])) << k;
        EXPECT_EQ(Bar.High, Chart.Y->NumberToWorld(Hi)) << k;
        EXPECT_EQ(Bar.Low, Chart.Y->NumberToWorld(Lo)) << k;
        EXPECT_EQ(Bar.Direction, Closes[size_t(Last)] > Opens[size_t(First)] ? 1 : -1) << k;
    }
    // A value changed in place reaches its column.
    Candles->GetHighData()->SetValue(n / 2, 9.5);
    Chart.Render();
    float Top = 1e9f;
    for (const TQvCustomOHLC::TBar& Bar : Candles->Bars())
        Top = std::min(Top, Bar.High);
    EXPECT_EQ(Top, Chart.Y->NumberToWorld(9.5));
    // Zoomed in far enough, every day is a bar of its own again.
    Chart.X->SetStop(0.002);
    Chart.Render();
    EXPECT_FALSE(Candles->OnColumns());
    EXPECT_EQ(Candles->Bars().size(), 52u); // 50 inside and one beyond either end
}

TEST(OHLC, WidthsOnADateTimeAxis) {
    TPriceChart Chart;
    Chart.X->SetScaling(TQvAxisScaling::DateTime);
    const double Monday = EncodeDate(2026, 3, 2);
    Chart.X->SetStart(Monday - 1);
    Chart.X->SetStop(Monday + 11);
    auto* Bars = Chart.NewPrices<TQvOHLC>({3, 4, 5}, {6, 6, 6}, {2, 2, 2}, {4, 5, 4});
    // Friday, Monday, Tuesday: the smallest step is a day.
    auto* Days = qobject_cast<TQvDoubleVector*>(Bars->GetXData());
    Days->SetValue(0, Monday - 3);
    Days->SetValue(1, Monday);
    Days->SetValue(2, Monday + 1);
    Chart.Render();
    // OHLC bars keep their width and the ticks fill the rest; candles fill it all.
    const float Day = Chart.X->NumberToWorld(Monday + 1) - Chart.X->NumberToWorld(Monday);
    EXPECT_FLOAT_EQ(Bars->DrawnBarWidth(), 4);
    EXPECT_FLOAT_EQ(Bars->DrawnBarWidth() + 2 * Bars->DrawnTickLength(), Day * 0.8f);
    auto* Candles = Chart.NewPrices<TQvCandleSticks>({3, 4, 5}, {6, 6, 6}, {2, 2, 2}, {4, 5, 4});
    Candles->SetXData(Days);
    Chart.Render();
    EXPECT_FLOAT_EQ(Candles->DrawnBarWidth(), Day * 0.8f);
    EXPECT_FLOAT_EQ(Candles->ExtraSpaceAt(TQvAxisPosition::Bottom), Day * 0.4f);
}

TEST(OHLC, UndoFreedVectorsAndRecords) {
    TPriceChart Chart;
    auto* Candles = Chart.NewPrices<TQvCandleSticks>({2, 8}, {9, 9}, {1, 1}, {6, 3});
    Candles->SetName("Candles");
    auto* Undo = new TQvUndoStack(Chart.Owner.get());
    Candles->SetUndoStack(Undo);
    // References need names.
    int Named = 0;
    for (TQvCustomDoubleVector* Vector : Candles->DataVectors())
        Vector->SetName(QStringLiteral("Prices%1").arg(++Named));
    TQvCustomDoubleVector* Close = Candles->GetYData();
    Candles->SetCloseData(Chart.NewVector("", {1, 1}));
    Candles->SetBarWidth(9);
    EXPECT_EQ(Undo->GetUndoComment(0), "OHLC/candles close data");
    EXPECT_EQ(Undo->GetUndoComment(1), "OHLC/candles bar width");
    Undo->Undo(1);
    EXPECT_EQ(Candles->GetYData(), Close);
    EXPECT_EQ(Candles->GetBarWidth(), 6);
    Candles->SetBarWidth(9);
    Candles->SetBullColor(0xFF0000FF);
    Candles->SetShadowsSameColorAsFill(true);
    for (TRecordForm Form : RecordForms) {
        SCOPED_TRACE(FormName(Form));
        auto* Copy = Chart.NewPrices<TQvCandleSticks>({1}, {1}, {1}, {1});
        CopyRecord(Candles, Copy, Form);
        EXPECT_EQ(Copy->GetBarWidth(), 9);
        EXPECT_EQ(Copy->GetBullColor(), 0xFF0000FFu);
        EXPECT_EQ(Copy->GetBearColor(), 0xFFFF0000u);
        EXPECT_TRUE(Copy->GetShadowsSameColorAsFill());
        EXPECT_EQ(Copy->GetLowData(), Candles->GetLowData());
        EXPECT_EQ(Copy->GetOpenData(), Candles->GetOpenData());
        EXPECT_EQ(Copy->GetHighData(), Candles->GetHighData());
        EXPECT_EQ(Copy->GetYData(), Close);
        auto* Bars = Chart.NewPrices<TQvOHLC>({1}, {1}, {1}, {1});
        Bars->SetIndicatorLength(3);
        auto* BarsCopy = Chart.NewPrices<TQvOHLC>({1}, {1}, {1}, {1});
        CopyRecord(Bars, BarsCopy, Form);
        EXPECT_EQ(BarsCopy->GetIndicatorLength(), 3);
    }
    // A freed price vector leaves no bars and no dangling reference.
    delete Candles->GetHighData();
    EXPECT_EQ(Candles->GetHighData(), nullptr);
    Chart.Render();
    EXPECT_EQ(Candles->GetCount(), 0);
    EXPECT_TRUE(Candles->Bars().empty());
}
