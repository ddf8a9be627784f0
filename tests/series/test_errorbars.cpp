// Error bars, arrows and bubbles: the pixels their bars, caps, tips and rims end at, the ranges
// they widen, undo of their vector references, their records in every form, and the point
// reduction that must not drop a longer bar.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"

#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>
#include <series/qvarrows.h>
#include <series/qvbubbles.h>
#include <series/qverrorbars.h>
#include <undo/qvundostack.h>

#include <gtest/gtest.h>

#include <QBuffer>

#include <cmath>

namespace {

using TBar = TQvPointWithErrorSeries::TBar;

// A smoothed 400 × 400 chart, white everywhere, whose axes keep the range they are given.
struct TErrorChart : TChart {
    TErrorChart() {
        Graph->SetBounds(0, 0, 400, 400);
        Graph->SetSmoothingMode(TQvSmoothingMode::AntiAlias);
        Graph->SetBackColor(0xFFFFFFFF);
        Graph->SetDataAreaColor(0xFFFFFFFF);
        for (TQvAxis* Axis : {X, Y})
            Axis->SetNumbersVisible(false);
        for (TQvLineSettings* Grid :
             {Graph->GetMajorGridHorizontal(), Graph->GetMinorGridHorizontal(),
              Graph->GetMajorGridVertical(), Graph->GetMinorGridVertical()})
            Grid->SetVisible(false);
    }
    float XPixel(double v) const { return X->NumberToWorld(v); }
    float YPixel(double v) const { return Y->NumberToWorld(v); }
};

// How much darker After is than Before within a rectangle, in pixels of full Gray ink.
double GrayInk(const QImage& Before, const QImage& After, int Left, int Top, int Right,
               int Bottom) {
    double Sum = 0;
    for (int y = Top; y <= Bottom; ++y)
        for (int x = Left; x <= Right; ++x)
            Sum += qRed(Before.pixel(x, y)) - qRed(After.pixel(x, y));
    return Sum / (255 - 0x80);
}

bool Inked(const QImage& Image, float X, float Y) {
    return Image.pixelColor(int(X), int(Y)) != QColor(Qt::white);
}

} // namespace

TEST(ErrorBars, BarEndsAndCapsInPixels) {
    TErrorChart Chart;
    Chart.FixAxes(0, 10);
    auto* S = Chart.NewSeries<TQvPointWithErrorSeries>(Chart.NewVector("", {2, 5, 8}),
                                                       Chart.NewVector("", {3, 5, 7}));
    // A shorter vector gives bars to the first points only; negative lengths count as positive.
    S->SetDeltaYPlus(Chart.NewVector("", {1, -2}));
    S->SetDeltaYMinus(Chart.NewVector("", {0.5, 0.5, 0.5}));
    S->SetDeltaXMinus(Chart.NewVector("", {0, 0, 2}));
    S->GetLine()->SetVisible(false);
    Chart.Paint();
    EXPECT_EQ(S->GetDyPlus(1), 2);
    EXPECT_EQ(S->GetDyPlus(2), 0);
    const auto& Up = S->BarEnds(TBar::YPlus);
    ASSERT_EQ(Up.size(), 3u);
    EXPECT_FLOAT_EQ(Up[0], Chart.YPixel(4));
    EXPECT_FLOAT_EQ(Up[1], Chart.YPixel(7));
    EXPECT_TRUE(std::isnan(Up[2]));
    EXPECT_FLOAT_EQ(S->BarEnds(TBar::YMinus)[2], Chart.YPixel(6.5));
    EXPECT_FLOAT_EQ(S->BarEnds(TBar::XMinus)[2], Chart.XPixel(6));
    EXPECT_TRUE(std::isnan(S->BarEnds(TBar::XPlus)[0]));

    // The bar of point 1 runs from the point to its end and stops there.
    S->GetPointSymbol()->SetVisible(false);
    const QImage Image = Chart.Render();
    const float x1 = Chart.XPixel(5);
    EXPECT_TRUE(Inked(Image, x1, Chart.YPixel(6)));
    EXPECT_FALSE(Inked(Image, x1, Chart.YPixel(7) - 3));
    EXPECT_FALSE(Inked(Image, Chart.XPixel(8), Chart.YPixel(8)));

    // A lone point with a bar of no length leaves its cap alone: a line 2 × (Size − 1) / 2
    // pixels long, measured by the ink it adds.
    S->SetVisible(false);
    auto* Lone = Chart.NewSeries<TQvPointWithErrorSeries>(Chart.NewVector("", {5}),
                                                          Chart.NewVector("", {5}));
    Lone->SetDeltaYPlus(Chart.NewVector("", {0}));
    Lone->GetPointSymbol()->SetVisible(false);
    const int Cx = int(Chart.XPixel(5)), Cy = int(Chart.YPixel(5));
    for (const auto& [Size, Length] : {std::pair(7.0f, 6.0), std::pair(11.0f, 10.0)}) {
        Lone->GetPointSymbol()->SetSize(Size);
        Lone->GetErrorIndicator()->SetVisible(false);
        const QImage Without = Chart.Render();
        Lone->GetErrorIndicator()->SetVisible(true);
        const QImage With = Chart.Render();
        EXPECT_NEAR(GrayInk(Without, With, Cx - 9, Cy - 2, Cx + 9, Cy + 2), Length, 0.1) << Size;
    }
}

TEST(ErrorBars, RangesTakeInTheBars) {
    TErrorChart Chart;
    auto* S = Chart.NewSeries<TQvPointWithErrorSeries>(Chart.NewVector("", {1, 3}),
                                                       Chart.NewVector("", {10, 4}));
    TQvDoubleVector* Up = Chart.NewVector("", {2});
    S->SetDeltaYPlus(Up);
    Chart.Paint();
    EXPECT_EQ(S->GetYStop(), 12);
    EXPECT_EQ(S->GetYStart(), 4);
    EXPECT_GE(Chart.Y->GetStop(), 12);
    S->SetDeltaXMinus(Chart.NewVector("", {-0.5, 4}));
    S->SetDeltaYMinus(Chart.NewVector("", {0, 6}));
    Chart.Paint();
    EXPECT_EQ(S->GetXStart(), -1);
    EXPECT_EQ(S->GetXStop(), 3);
    EXPECT_EQ(S->GetYStart(), -2);
    // On a logarithmic axis a lower end at or below zero leaves the value itself.
    Chart.Y->SetScaling(TQvAxisScaling::Log);
    S->RangesModified();
    Chart.Paint();
    EXPECT_EQ(S->GetYStart(), 4);
    EXPECT_EQ(S->GetYStop(), 12);
    // An outlier in a delta vector hides its point, unless outliers show.
    Up->SetOutlier(0, true);
    Chart.Paint();
    EXPECT_EQ(S->GetYStop(), 4);
    S->SetOutliersVisible(true);
    Chart.Paint();
    EXPECT_EQ(S->GetYStop(), 12);
    S->SetOutliersVisible(false);
    // Hidden bars leave the plain values.
    Up->SetOutlier(0, false);
    S->GetErrorIndicator()->SetVisible(false);
    Chart.Paint();
    EXPECT_EQ(S->GetXStart(), 1);
    EXPECT_EQ(S->GetYStop(), 10);
}

TEST(ErrorBars, ReductionKeepsPointsWhoseBarsDiffer) {
    TErrorChart Chart;
    Chart.FixAxes(0, 10);
    // A hundred points on one pixel; one of them has a longer bar.
    std::vector<double> Xs(100, 5), Ys(100, 5), Dy(100, 1);
    Dy[60] = 3;
    auto* S =
        Chart.NewSeries<TQvPointWithErrorSeries>(Chart.NewVector("", Xs), Chart.NewVector("", Ys));
    S->SetDeltaYPlus(Chart.NewVector("", Dy));
    Chart.Paint();
    EXPECT_EQ(S->ScreenPoints().Index(), (std::vector<int>{0, 60, 61}));
    EXPECT_FLOAT_EQ(S->BarEnds(TBar::YPlus)[1], Chart.YPixel(8));
    S->GetErrorIndicator()->SetVisible(false);
    Chart.Paint();
    EXPECT_EQ(S->ScreenPoints().Index(), std::vector<int>{0});

    // More points than pixel columns: the bars are filled as whole pixels, and the one longer
    // bar among a thousand still ends in its cap, one pixel row, with nothing above.
    std::vector<double> Many(1000), Level(1000), Short(1000, 1);
    for (size_t i = 0; i < Many.size(); ++i) {
        Many[i] = 1 + 8.0 * double(i) / 1000;
        Level[i] = i % 2 ? 2 : 4;
    }
    Short[500] = 3;
    auto* Dense = Chart.NewSeries<TQvPointWithErrorSeries>(Chart.NewVector("", Many),
                                                           Chart.NewVector("", Level));
    Dense->SetDeltaYPlus(Chart.NewVector("", Short));
    Dense->GetPointSymbol()->SetVisible(false);
    Dense->GetLine()->SetVisible(false);
    S->SetVisible(false);
    const QImage Image = Chart.Render();
    ASSERT_GT(Dense->ScreenPoints().Count(), 900);
    const int x = int(std::lround(Chart.XPixel(5))), Cap = int(std::lround(Chart.YPixel(7)));
    EXPECT_EQ(Image.pixelColor(x, Cap), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(Image.pixelColor(x, Cap + 2), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(Image.pixelColor(x, Cap - 1), QColor(Qt::white));
    EXPECT_EQ(Image.pixelColor(x + 4, Cap + 1), QColor(Qt::white));
    // Whole pixels only, also where the bars of one column are apart.
    const TGPRectF& Area = Chart.Graph->GetDrawingArea();
    int Gray = 0;
    for (int y = Cap - 2; y < int(Chart.YPixel(1.5)); ++y)
        for (int x = int(Area.X) + 2; x < int(Area.X + Area.Width) - 2; ++x) {
            const QColor Pixel = Image.pixelColor(x, y);
            Gray += Pixel == QColor(0x80, 0x80, 0x80);
            ASSERT_TRUE(Pixel == QColor(Qt::white) || Pixel == QColor(0x80, 0x80, 0x80))
                << x << ", " << y;
        }
    EXPECT_GT(Gray, 1000);
}

TEST(ErrorBars, ReferencesAreUndoneAndFreed) {
    TErrorChart Chart;
    auto* Undo = new TQvUndoStack(Chart.Owner.get());
    auto* S = Chart.NewSeries<TQvPointWithErrorSeries>(nullptr, Chart.NewVector("", {1, 2}));
    auto* A = Chart.NewSeries<TQvArrows>(nullptr, Chart.NewVector("", {1, 2}));
    auto* B = Chart.NewSeries<TQvBubbles>(nullptr, Chart.NewVector("", {1, 2}));
    for (TQvSeries* Series : std::initializer_list<TQvSeries*>{S, A, B})
        Series->SetUndoStack(Undo);
    TQvDoubleVector* D = Chart.NewVector("", {1, 1});
    const std::pair<std::function<void()>, QString> Steps[] = {
        {[&] { S->SetDeltaXPlus(D); }, "Error bars X(+)-delta reference"},
        {[&] { S->SetDeltaXMinus(D); }, "Error bars X(-)-delta reference"},
        {[&] { S->SetDeltaYPlus(D); }, "Error bars Y(+)-delta reference"},
        {[&] { S->SetDeltaYMinus(D); }, "Error bars Y(-)-delta reference"},
        {[&] { A->SetDeltaX(D); }, "Arrows X-delta reference"},
        {[&] { A->SetDeltaY(D); }, "Arrows Y-delta reference"},
        {[&] { B->SetRadius(D); }, "Bubbles radius reference"},
        {[&] { B->SetElliptical(true); }, "Elliptical bubbles"},
    };
    for (const auto& [Step, Caption] : Steps) {
        Step();
        EXPECT_EQ(Undo->GetUndoComment(Undo->UndoCount() - 1), Caption);
    }
    Chart.Paint();
    EXPECT_EQ(A->GetCount(), 2);
    EXPECT_EQ(Chart.Graph->SeriesCount(), 3);
    Undo->Undo();
    EXPECT_FALSE(B->GetElliptical());
    Undo->Undo();
    EXPECT_EQ(B->GetRadius(), nullptr);
    EXPECT_EQ(B->GetCount(), 0);
    // The vector goes: every reference to it is cleared, and the chart still paints.
    delete D;
    EXPECT_EQ(S->GetDeltaYMinus(), nullptr);
    EXPECT_EQ(S->GetDeltaXPlus(), nullptr);
    EXPECT_EQ(A->GetDeltaX(), nullptr);
    EXPECT_EQ(A->GetCount(), 0);
    Chart.Paint();
    EXPECT_EQ(S->BarEnds(TBar::YPlus).size(), 0u);
    EXPECT_EQ(S->ScreenPoints().Count(), 2);
}

TEST(Arrows, TipsRangesAndTheDataAreaBorder) {
    TErrorChart Chart;
    auto* A =
        Chart.NewSeries<TQvArrows>(Chart.NewVector("", {1, 2, 3}), Chart.NewVector("", {1, 2, 3}));
    A->SetDeltaX(Chart.NewVector("", {2, -1}));
    A->SetDeltaY(Chart.NewVector("", {1, 1, 1}));
    Chart.Paint();
    // As many arrows as the shortest vector holds; the range covers tails and tips.
    EXPECT_EQ(A->GetCount(), 2);
    EXPECT_EQ(A->GetXStart(), 1);
    EXPECT_EQ(A->GetXStop(), 3);
    EXPECT_EQ(A->GetYStart(), 1);
    EXPECT_EQ(A->GetYStop(), 3);
    ASSERT_EQ(A->Tips().size(), 2u);
    EXPECT_FLOAT_EQ(A->Tips()[0].X, Chart.XPixel(3));
    EXPECT_FLOAT_EQ(A->Tips()[0].Y, Chart.YPixel(2));
    EXPECT_FLOAT_EQ(A->Tips()[1].X, Chart.XPixel(1));

    // Level arrows: one within the area, one across its right border.
    Chart.FixAxes(0, 10);
    A->SetXData(Chart.NewVector("", {2, 8}));
    A->SetYData(Chart.NewVector("", {5, 3}));
    A->SetDeltaX(Chart.NewVector("", {4, 7}));
    A->SetDeltaY(Chart.NewVector("", {0, 0}));
    A->GetArrow()->SetColor(0xFF000000);
    A->GetArrow()->SetWidth(2);
    const QImage Image = Chart.Render();
    const float y = Chart.YPixel(5), Tip = Chart.XPixel(6);
    // The head (4 pixels high on each side at width 2) ends at the tip.
    EXPECT_TRUE(Inked(Image, Tip - 2, y));
    EXPECT_TRUE(Inked(Image, Tip - 8, y - 3));
    EXPECT_FALSE(Inked(Image, Tip + 2, y));
    // Nothing right of the data area, not even the head's wings past it.
    const TGPRectF& Area = Chart.Graph->GetDrawingArea();
    const float Right = Area.X + Area.Width, y2 = Chart.YPixel(3);
    EXPECT_TRUE(Inked(Image, Right - 2, y2));
    for (int x = int(std::ceil(Right)) + 1; x < 400; ++x)
        for (int dy = -6; dy <= 6; ++dy)
            ASSERT_FALSE(Inked(Image, float(x), y2 + float(dy))) << x << ", " << dy;
    // A handler hides the second arrow.
    A->SetOnGetPen([](TObject*, TQvPenEventArgs& e) { e.Visible = e.Index != 1; });
    EXPECT_FALSE(Inked(Chart.Render(), Right - 2, y2));
}

TEST(Bubbles, RoundOnScreenEllipticalInUnitsRangesAndHits) {
    TErrorChart Chart;
    auto* B =
        Chart.NewSeries<TQvBubbles>(Chart.NewVector("", {5, 6}), Chart.NewVector("", {50, 80}));
    B->SetRadius(Chart.NewVector("", {-10, 5}));
    Chart.Paint();
    // Y from y − r to y + r; X widened by r in X units per Y unit of the axes' scales.
    EXPECT_EQ(B->GetR(0), 10);
    EXPECT_EQ(B->GetYStart(), 40);
    EXPECT_EQ(B->GetYStop(), 85);

    TChart::Fix(Chart.X, 0, 10);
    TChart::Fix(Chart.Y, 0, 100);
    Chart.Paint();
    B->RangesModified();
    Chart.Paint();
    const double Ratio = Chart.X->GetNormalizeConst() / Chart.Y->GetNormalizeConst();
    EXPECT_NEAR(B->GetXStart(), 5 - 10 * Ratio, 1e-9);
    const float Height = Chart.YPixel(30) - Chart.YPixel(50);
    const auto Size = [&] { return B->Sizes()[0]; };
    EXPECT_NEAR(Size().Y, Height, 1e-3);
    EXPECT_NEAR(Size().X, Height, 1e-3);
    // Zooming X alone keeps them round.
    TChart::Fix(Chart.X, 2, 7);
    Chart.Paint();
    EXPECT_NEAR(Size().Y, Height, 1e-3);
    EXPECT_NEAR(Size().X, Height, 1e-3);
    // Elliptical bubbles take the radius in X units across.
    B->SetElliptical(true);
    Chart.Paint();
    EXPECT_NEAR(Size().X, Chart.XPixel(15) - Chart.XPixel(-5), 1e-3);
    EXPECT_NEAR(Size().Y, Height, 1e-3);

    // Hits within the bounding rectangle, the first bubble first.
    const TGPRectF R = B->BubbleRect(0);
    EXPECT_EQ(B->FindPoint(R.X + 1, R.Y + 1), 0);
    EXPECT_EQ(B->FindPoint(Chart.XPixel(6), Chart.YPixel(80)), 1);
    EXPECT_EQ(B->FindPoint(Chart.XPixel(6), Chart.YPixel(86)), -1);
}

TEST(ErrorBars, RecordsOfTheThreeKindsRoundTripInEveryForm) {
    TErrorChart Chart;
    TQvDoubleVector* Xs = Chart.NewVector("Xs", {1, 2});
    TQvDoubleVector* Ys = Chart.NewVector("Ys", {3, 4});
    TQvDoubleVector* D1 = Chart.NewVector("D1", {1, 1});
    TQvDoubleVector* D2 = Chart.NewVector("D2", {2, 2});
    auto* S = Chart.NewSeries<TQvPointWithErrorSeries>(Xs, Ys);
    S->SetDeltaXPlus(D1);
    S->SetDeltaYMinus(D2);
    S->GetErrorIndicator()->SetColor(0xFF123456);
    S->GetErrorIndicator()->SetWidth(2.5f);
    auto* A = Chart.NewSeries<TQvArrows>(Xs, Ys);
    A->SetDeltaX(D2);
    A->SetDeltaY(D1);
    A->GetArrow()->SetPointLength(9);
    A->GetArrow()->SetInnerLength(4);
    A->GetArrow()->SetPointHeight(3.5f);
    auto* B = Chart.NewSeries<TQvBubbles>(Xs, Ys);
    B->SetRadius(D1);
    B->SetElliptical(true);

    for (TRecordForm Form : RecordForms) {
        SCOPED_TRACE(FormName(Form));
        const auto Copy = [Form](TQvSeries* From, TQvSeries* To) { CopyRecord(From, To, Form); };
        auto* S2 = new TQvPointWithErrorSeries(Chart.Owner.get());
        Copy(S, S2);
        EXPECT_EQ(S2->GetDeltaXPlus(), D1);
        EXPECT_EQ(S2->GetDeltaXMinus(), nullptr);
        EXPECT_EQ(S2->GetDeltaYMinus(), D2);
        EXPECT_EQ(S2->GetErrorIndicator()->GetColor(), 0xFF123456u);
        EXPECT_EQ(S2->GetErrorIndicator()->GetWidth(), 2.5f);
        auto* A2 = new TQvArrows(Chart.Owner.get());
        Copy(A, A2);
        EXPECT_EQ(A2->GetDeltaX(), D2);
        EXPECT_EQ(A2->GetDeltaY(), D1);
        EXPECT_EQ(A2->GetArrow()->GetPointLength(), 9);
        EXPECT_EQ(A2->GetArrow()->GetInnerLength(), 4);
        EXPECT_EQ(A2->GetArrow()->GetPointHeight(), 3.5f);
        EXPECT_EQ(A2->GetArrow()->GetColor(), A->GetArrow()->GetColor());
        auto* B2 = new TQvBubbles(Chart.Owner.get());
        Copy(B, B2);
        EXPECT_EQ(B2->GetRadius(), D1);
        EXPECT_TRUE(B2->GetElliptical());
        EXPECT_EQ(B2->GetXData(), Xs);
    }
    // The component stream holds the published properties, the arrow head's lengths among them.
    S->SetName("Errors");
    A->SetName("Arrows");
    B->SetName("Bubbles");
    QBuffer Stream;
    Stream.open(QIODevice::ReadWrite);
    for (TQvSeries* Series : std::initializer_list<TQvSeries*>{S, A, B})
        TWriter(&Stream).WriteComponent(Series);
    Stream.seek(0);
    TChart Other;
    auto* S3 = new TQvPointWithErrorSeries(Other.Owner.get());
    auto* A3 = new TQvArrows(Other.Owner.get());
    auto* B3 = new TQvBubbles(Other.Owner.get());
    for (TQvSeries* Series : std::initializer_list<TQvSeries*>{S3, A3, B3})
        TReader(&Stream).ReadComponent(Series, Other.Owner.get());
    EXPECT_EQ(S3->GetDeltaYMinus(), D2);
    EXPECT_EQ(S3->GetErrorIndicator()->GetWidth(), 2.5f);
    EXPECT_EQ(A3->GetArrow()->GetInnerLength(), 4);
    EXPECT_EQ(A3->GetDeltaX(), D2);
    EXPECT_TRUE(B3->GetElliptical());
    EXPECT_EQ(B3->GetRadius(), D1);

    // A record cut short changes nothing.
    auto* Untouched = new TQvBubbles(Chart.Owner.get());
    EXPECT_THROW(ReadBinary(Untouched, Binary(B).chopped(2)), EReadError);
    EXPECT_EQ(Untouched->GetRadius(), nullptr);
    EXPECT_FALSE(Untouched->GetElliptical());
}
