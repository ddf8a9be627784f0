// Screen points of series placed on chosen pixels: which reduction a series takes, indices
// without values, gaps, points kept across edits and appends, area polygons, hit tests and
// interpolation, and how the points are drawn.

#include "../chartfixture.h"

#include <data/qvminmax.h>
#include <series/qvpointstages.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <tuple>

namespace {

using TPixels = std::vector<TGPPointF>;

// Both axes fixed to 0 .. 1000 and laid out, so that data can be placed on pixels.
struct TPixelChart : TChart {
    TPixelChart() {
        FixAxes(0, 1000);
        Paint();
    }

    // A black line without symbols through the values.
    TQvPointSeries* Line(const std::vector<double>& Xs, const std::vector<double>& Ys) {
        TQvPointSeries* Series = NewSeries(NewVector("", Xs), NewVector("", Ys));
        Series->GetPointSymbol()->SetVisible(false);
        Series->GetLine()->SetColor(0xFF000000); // not the next colour of the cycle
        return Series;
    }

    // A series through the given pixels, painted once.
    TQvPointSeries* Through(const TPixels& Pixels, bool Symbols) {
        TQvDoubleVector* XData = NewVector("", {});
        TQvDoubleVector* YData = NewVector("", {});
        for (const TGPPointF& P : Pixels) {
            XData->AddRange({X->WorldToNumber(P.X)});
            YData->AddRange({Y->WorldToNumber(P.Y)});
        }
        TQvPointSeries* Series = NewSeries(XData, YData);
        Series->GetPointSymbol()->SetVisible(Symbols);
        Paint();
        return Series;
    }
};

std::vector<int> Kept(const TQvSeries* Series) {
    return Series->ScreenPoints().Index();
}

// 20000 values of a sine wave over 0 .. 1000.
struct TSine {
    TSine() {
        for (int i = 0; i < 20000; ++i) {
            Xs.push_back(i * 0.05);
            Ys.push_back(500 + 300 * std::sin(i * 0.01));
        }
    }
    std::vector<double> Xs, Ys;
};

TEST(SeriesPoints, AscendingDataClipToTheVisibleRangeFrom21PointsOn) {
    TPixelChart Chart;
    auto Series = [&](int First, int Count) {
        std::vector<double> Xs;
        for (int i = 0; i < Count; ++i)
            Xs.push_back(double(First + i) * 10);
        TQvPointSeries* S = Chart.NewSeries(Chart.NewVector("", Xs),
                                            Chart.NewVector("", std::vector(Count, 500.0)));
        Chart.Paint();
        return S;
    };
    // 22 points (Stop - Start = 21) are clipped, one point beyond the end staying; 21 points
    // are not.
    EXPECT_EQ(Kept(Series(-5, 22)).front(), 4);
    EXPECT_EQ(Kept(Series(-5, 21)).front(), 0);
    // Wholly left of the range: a single point remains.
    EXPECT_EQ(Series(-200, 50)->ScreenPoints().Count(), 1);
}

TEST(SeriesPoints, IndicesWithoutValuesAreSkipped) {
    TPixelChart Chart;
    for (bool Symbols : {true, false}) {
        SCOPED_TRACE(Symbols);
        TQvPointSeries* S = Chart.Through(
            {{100, 100}, {120, 110}, {140, 120}, {160, 130}, {180, 140}, {30, 150}}, Symbols);
        static_cast<TQvDoubleVector*>(S->GetYData())->AddOutlier(0);
        static_cast<TQvDoubleVector*>(S->GetXData())->AddOutlier(3);
        Chart.Paint();
        EXPECT_EQ(Kept(S), std::vector<int>({1, 2, 4, 5}));
        S->SetOutliersVisible(true);
        Chart.Paint();
        EXPECT_EQ(Kept(S), std::vector<int>({0, 1, 2, 3, 4, 5}));
    }
}

TEST(SeriesPoints, LongAscendingLinesKeepTheirPointsWhenValuesAreAppended) {
    TPixelChart Chart;
    std::mt19937 Random(3);
    std::uniform_real_distribution<float> Noise(100, 300);
    TPixels Pixels;
    for (int i = 0; i < 20000; ++i)
        Pixels.push_back({100 + i * 0.01f, Noise(Random)});
    TQvPointSeries* S = Chart.Through(Pixels, false);
    EXPECT_TRUE(S->ScreenPoints().OnColumns());
    EXPECT_LE(S->ScreenPoints().Count(), 4 * 201);

    // Appended values add their own columns; the points before them stay.
    const std::vector<int> Before = Kept(S);
    ASSERT_EQ(Before.front(), 0);
    for (int i = 0; i < 1000; ++i) {
        static_cast<TQvDoubleVector*>(S->GetXData())
            ->AddRange({Chart.X->WorldToNumber(301 + i * 0.01f)});
        static_cast<TQvDoubleVector*>(S->GetYData())
            ->AddRange({Chart.Y->WorldToNumber(Noise(Random))});
    }
    Chart.Paint();
    const std::vector<int> After = Kept(S);
    ASSERT_GT(After.size(), Before.size());
    EXPECT_TRUE(std::equal(Before.begin(), Before.end(), After.begin()));
    EXPECT_EQ(After.back(), 20999);
}

// A dense line whose values change in place draws what the same values draw when loaded anew.
TEST(SeriesPoints, DenseLinesFollowValuesChangedAndInsertedInPlace) {
    TSine Sine;
    std::vector<double>& Xs = Sine.Xs;
    std::vector<double>& Ys = Sine.Ys;
    TPixelChart Edited;
    TQvPointSeries* Series = Edited.Line(Xs, Ys);
    auto* XData = static_cast<TQvDoubleVector*>(Series->GetXData());
    auto* YData = static_cast<TQvDoubleVector*>(Series->GetYData());
    Edited.Paint();
    const auto ExpectFresh = [&](const char* Edit) {
        TPixelChart Fresh;
        Fresh.Line(Xs, Ys);
        EXPECT_TRUE(Edited.Render() == Fresh.Render()) << Edit;
    };
    // A spike inside the range, at neither extreme.
    YData->SetValue(5000, 750);
    Ys[5000] = 750;
    ExpectFresh("changed");
    // A point inserted between two others, inside both ranges, moves the rest.
    const double Between = (Xs[11999] + Xs[12000]) / 2;
    XData->Insert(12000, Between);
    YData->Insert(12000, 250);
    Xs.insert(Xs.begin() + 12000, Between);
    Ys.insert(Ys.begin() + 12000, 250);
    ExpectFresh("inserted");
}

// A wild X value marked as an outlier: the vector counts as ascending without it, but the
// values searched and reduced still hold it.
TEST(SeriesPoints, AnOutlierInXNeitherCutsNorMovesVisiblePoints) {
    // The chart zoomed to 300 .. 700, with point 10000 (X = 500, where a search of the range
    // looks first) at X, marked as an outlier or not.
    const auto Render = [](double X, bool Marked, bool Shown) {
        TPixelChart Chart;
        Chart.X->SetStart(300);
        Chart.X->SetStop(700);
        TSine Sine;
        Sine.Xs[10000] = X;
        TQvPointSeries* Series = Chart.Line(Sine.Xs, Sine.Ys);
        if (Marked) static_cast<TQvDoubleVector*>(Series->GetXData())->AddOutlier(10000);
        Series->SetOutliersVisible(Shown);
        const QImage Image = Chart.Render();
        // Whether the line starts at or before the left end of the range.
        return std::pair{Image,
                         Series->ScreenPoints().Points()[0].X <= Chart.X->NumberToWorld(300)};
    };
    // Hidden, it takes nothing else away.
    EXPECT_TRUE(Render(-1e9, true, false).second);
    // Shown, it is a point like any other: the line goes out to it and back.
    EXPECT_TRUE(Render(-1e9, true, true).first == Render(-1e9, false, false).first);
}

TEST(SeriesPoints, AreaClosesAtTheAxisStartOrAtZero) {
    TPixelChart Chart;
    TQvPointSeries* S = Chart.Through({{100, 100}, {200, 150}, {300, 120}}, false);
    S->GetArea()->SetVisible(true);
    // The run's points, then the closing points right and left.
    auto Closing = [&] {
        Chart.Paint();
        const std::vector<std::vector<TGPPointF>> Polygons = S->AreaPolygons();
        EXPECT_EQ(Polygons.size(), 1u);
        EXPECT_EQ(Polygons[0].size(), S->ScreenPoints().Points().size() + 2);
        return std::pair{Polygons[0][3], Polygons[0][4]};
    };
    // A positive start: the axis start.
    Chart.Y->SetStart(100);
    auto [Right, Left] = Closing();
    EXPECT_FLOAT_EQ(Right.X, 300);
    EXPECT_FLOAT_EQ(Left.X, 100);
    EXPECT_FLOAT_EQ(Right.Y, Chart.Y->NumberToWorld(100) - 0.5f);
    EXPECT_FLOAT_EQ(Left.Y, Right.Y);
    // A start at or below zero: the zero line.
    for (double Start : {0.0, -500.0}) {
        Chart.Y->SetStart(Start);
        const float Base = Closing().first.Y;
        EXPECT_FLOAT_EQ(Base, Chart.Y->NumberToWorld(0) - 0.5f) << Start;
    }

    // A band shows as an area and runs back along the other series' points.
    S->GetArea()->SetVisible(false);
    TQvPointSeries* Other = Chart.Through({{100, 300}, {250, 320}}, false);
    S->SetDrawBandTo(Other);
    EXPECT_TRUE(S->GetArea()->GetVisible());
    const std::vector<std::vector<TGPPointF>> Band = S->AreaPolygons();
    ASSERT_EQ(Band.size(), 1u);
    ASSERT_EQ(Band[0].size(), 5u);
    EXPECT_EQ(Band[0][3], Other->ScreenPoints().Points()[1]);
    EXPECT_EQ(Band[0][4], Other->ScreenPoints().Points()[0]);
}

// A value the axes cannot show (NaN, infinite, not positive on a logarithmic axis) is a gap:
// the line and the area stop before it and start again after it.
TEST(SeriesPoints, ValuesTheAxesCannotShowAreGapsInLinesAndAreas) {
    for (const double Bad : {double(NAN), double(INFINITY), 0.0, -5.0}) {
        for (const bool Dense : {false, true}) {
            SCOPED_TRACE(testing::Message() << Bad << (Dense ? " dense" : " sparse"));
            TPixelChart Chart;
            const bool Log = Bad == 0 || Bad < 0;
            if (Log) {
                Chart.Y->SetScaling(TQvAxisScaling::Log);
                Chart.Y->SetStart(1);
                Chart.Paint();
            }
            // A level line at pixel row 200 from x = 100 to 500, its values from x = 250 to
            // 350 bad.
            const int n = Dense ? 40001 : 41;
            std::vector<double> Xs, Ys;
            for (int i = 0; i < n; ++i) {
                const float x = 100 + 400.0f * float(i) / float(n - 1);
                Xs.push_back(Chart.X->WorldToNumber(x));
                Ys.push_back(x >= 250 && x <= 350 ? Bad : Chart.Y->WorldToNumber(200));
            }
            TQvPointSeries* S = Chart.Line(Xs, Ys);
            S->GetArea()->SetVisible(true);
            S->GetArea()->SetForeColor(0xFF0000FF);
            const QImage Image = Chart.Render();
            // Opaque black for the line, opaque blue for the area.
            const auto Is = [&](int x, int y, int Blue) {
                const QRgb Pixel = Image.pixel(x, y);
                return qAlpha(Pixel) > 200 && qRed(Pixel) < 64 &&
                       std::abs(qBlue(Pixel) - Blue) < 64;
            };
            const auto Black = [&](int x, int y) { return Is(x, y, 0); };
            const auto Filled = [&](int x, int y) { return Is(x, y, 255); };
            EXPECT_TRUE(Black(200, 200) && Black(400, 200));
            EXPECT_TRUE(Filled(200, 250) && Filled(400, 250));
            for (int x = 260; x <= 340; x += 20) {
                EXPECT_FALSE(Black(x, 200)) << x;
                EXPECT_FALSE(Filled(x, 250)) << x;
            }
            EXPECT_EQ(S->AreaPolygons().size(), 2u);
        }
    }
}

// Long lines reduce in sixteen pieces that the two cores take from both ends: the line goes
// on where they meet, unless a gap lies at the seam, whichever core took the pieces there.
TEST(SeriesPoints, LongLinesReducedInPiecesJoinAtTheSeams) {
    constexpr int n = (1 << 17) + 1, Pieces = 16;
    const auto Seam = [](int k) { return int(std::int64_t(n) * k / Pieces); };
    std::mt19937 Random(5);
    std::uniform_real_distribution<double> Step(-3, 3);
    std::vector<double> Xs{500}, Ys{500};
    for (int i = 1; i < n; ++i) {
        Xs.push_back(std::clamp(Xs.back() + Step(Random), 0.0, 1000.0));
        Ys.push_back(std::clamp(Ys.back() + Step(Random), 0.0, 1000.0));
    }
    for (const int Gap : {-1, Seam(3) - 1, Seam(3), Seam(13) - 1, Seam(13)}) {
        SCOPED_TRACE(Gap);
        TPixelChart Chart;
        std::vector<double> WithGap = Ys;
        if (Gap >= 0) WithGap[size_t(Gap)] = NAN;
        const TQvSeries* Series = Chart.Line(Xs, WithGap);
        Chart.Paint();
        const TQvScreenPoints& Screen = Series->ScreenPoints();
        std::vector<int> RunStarts;
        Screen.ForEachRun([&](size_t First, size_t) { RunStarts.push_back(Screen.Index()[First]); });
        const std::vector<int> Expected =
            Gap < 0 ? std::vector<int>{0} : std::vector<int>{0, Gap + 1};
        EXPECT_EQ(RunStarts, Expected);
        // Every piece keeps its ends, once each, in order.
        const std::vector<int>& Kept = Screen.Index();
        EXPECT_TRUE(std::is_sorted(Kept.begin(), Kept.end()));
        for (int k = 1; k <= Pieces; ++k)
            for (const int End : {Seam(k) - 1, Seam(k)})
                if (End < n) {
                    EXPECT_EQ(std::count(Kept.begin(), Kept.end(), End), End != Gap) << End;
                }
    }
    // Ascending values go to the cores in whole pixel columns, and keep the points of one pass;
    // a column of NaN alone at the seam breaks the line there.
    std::vector<double> Ascending, Noisy;
    for (int i = 0; i < n; ++i) {
        Ascending.push_back(1000.0 * i / n);
        Noisy.push_back(500 + 50 * Step(Random));
    }
    for (const bool Gap : {false, true}) {
        SCOPED_TRACE(Gap ? "NaN at the seam" : "no gap");
        TPixelChart Chart;
        const auto Pixel = [&](double v) { return Chart.X->NumberToWorld(v); };
        const int Seam = QvPointStages::Column(Pixel(Ascending[n / 2]));
        std::vector<double> Ys = Noisy;
        for (int i = 0; i < n; ++i)
            if (Gap && QvPointStages::Column(Pixel(Ascending[size_t(i)])) == Seam)
                Ys[size_t(i)] = NAN;
        const TQvSeries* Series = Chart.Line(Ascending, Ys);
        Chart.Paint();
        TQvMinMaxHierarchy Hierarchy;
        Hierarchy.Extend(Ys);
        QvPointStages::TPointList OnePass;
        QvPointStages::ReduceByColumns(
            Ys, Hierarchy, 0, n - 1, [&](int i) { return Ascending[size_t(i)]; }, Pixel,
            [&](float p) { return Chart.X->WorldToNumber(p); },
            [&](double v) { return Chart.Y->NumberToWorld(v); }, OnePass);
        const TQvScreenPoints& Screen = Series->ScreenPoints();
        ASSERT_TRUE(Screen.OnColumns());
        EXPECT_EQ(Screen.Index(), OnePass.Index);
        EXPECT_EQ(Screen.Points(), OnePass.Points);
        size_t Runs = 0;
        Screen.ForEachRun([&](size_t, size_t) { ++Runs; });
        EXPECT_EQ(Runs, Gap ? 2u : 1u);
    }
}

// A line whose steps mostly leave their pixel column keeps every point: thinning it would cost
// more than drawing the few points it drops. One whose steps mostly stay within a column is
// thinned.
TEST(SeriesPoints, OnlyLinesMostlyWithinAColumnAreThinned) {
    std::mt19937 Random(9);
    std::uniform_real_distribution<float> Step(-1, 1);
    for (const float Along : {4.0f, 0.4f}) {
        SCOPED_TRACE(Along);
        TPixelChart Chart;
        const TGPRectF Area = Chart.Graph->GetDrawingArea();
        TPixels Walk{{Area.X + Area.Width / 2, Area.Y + Area.Height / 2}};
        while (Walk.size() < 3000)
            Walk.push_back(
                {std::clamp(Walk.back().X + Along * Step(Random), Area.X + 10, Area.X + 300),
                 std::clamp(Walk.back().Y + 0.4f * Step(Random), Area.Y + 10, Area.Y + 300)});
        const int Kept = Chart.Through(Walk, false)->ScreenPoints().Count();
        if (Along > 1)
            EXPECT_EQ(Kept, 3000);
        else
            EXPECT_LT(Kept, 1500);
    }
}

TEST(SeriesPoints, HitTestsAndInterpolation) {
    TPixelChart Chart;
    TQvPointSeries* S = Chart.Through({{100, 100}, {200, 150}, {300, 120}, {-20, 130}}, true);
    S->GetPointSymbol()->SetSize(8);
    Chart.Paint();
    // Symbols widen the tolerance to their size; a line is hit within a pixel.
    EXPECT_EQ(S->FindPoint(207, 143), 1);
    EXPECT_EQ(S->FindPoint(209, 150), -1);
    EXPECT_EQ(S->FindPoint(200.5f, 150.5f, 1), 1);
    EXPECT_EQ(S->FindPoint(202, 150, 1), -1);
    S->GetPointSymbol()->SetVisible(false);
    Chart.Paint();
    EXPECT_EQ(S->FindPoint(207, 143), -1);
    EXPECT_EQ(S->FindPoint(300.9f, 119.1f), 2);

    // Nearest points among those inside the data area: the one left of it does not count.
    const TQvNearestPointResult Near = S->NearestPoint({10, 130});
    EXPECT_TRUE(Near.Found);
    EXPECT_EQ(Near.Index, 0);
    EXPECT_NEAR(Near.Distance, std::hypot(90.0, 30.0), 1e-3);
    EXPECT_NEAR(Near.X, Chart.X->WorldToNumber(100), 1e-9);
    EXPECT_EQ(S->NearestX(260).Index, 2);
    EXPECT_EQ(S->NearestY(148).Index, 1);
    // Stale points answer nothing.
    S->GetYData()->SetValue(2, Chart.Y->WorldToNumber(125));
    EXPECT_EQ(S->FindPoint(300, 120, 5), -1);
    EXPECT_FALSE(S->NearestPoint({100, 100}).Found);

    // Interpolation between neighbours, extrapolation beyond the ends.
    TChart Plain;
    TQvPointSeries* G =
        Plain.NewSeries(Plain.NewVector("", {0, 1, 3}), Plain.NewVector("", {10, 20, 0}));
    for (auto [x, y] : {std::pair{0.5, 15.0}, {2.0, 10.0}, {4.0, -10.0}, {-1.0, 0.0}})
        EXPECT_DOUBLE_EQ(G->GetY(x), y) << x;
    static_cast<TQvDoubleVector*>(G->GetYData())->AddOutlier(1);
    EXPECT_DOUBLE_EQ(G->GetY(1.5), 5);
    TQvPointSeries* One = Plain.NewSeries(Plain.NewVector("", {2}), Plain.NewVector("", {7}));
    EXPECT_DOUBLE_EQ(One->GetY(100), 7);
    TQvPointSeries* None = Plain.NewSeries(Plain.NewVector("", {}), Plain.NewVector("", {}));
    EXPECT_DOUBLE_EQ(None->GetY(1), 0);
}

// Points sorted by X, rising or falling, are searched outwards from the cursor's X: the answers
// are those of a search through all of them, ties and points outside the data area included.
TEST(SeriesPoints, NearestPointsOfSortedDataAreThoseOfAFullSearch) {
    std::mt19937 Random(7);
    std::uniform_int_distribution<int> Row(2, 46), Column(0, 640), Line(0, 400);
    TPixels Rising;
    for (int x = 0; x < 640; x += 3)
        Rising.push_back({float(x), float(Row(Random) * 8)});
    for (const bool Falling : {false, true}) {
        TPixelChart Chart;
        TPixels Pixels = Rising;
        if (Falling) std::reverse(Pixels.begin(), Pixels.end());
        TQvPointSeries* S = Chart.Through(Pixels, true);
        const TQvScreenPoints& Screen = S->ScreenPoints();
        ASSERT_TRUE(Falling ? Screen.DescendingX() : Screen.AscendingX());
        const TGPRectF& A = Chart.Graph->GetDrawingArea();
        const auto Inside = [&](const TGPPointF& P) {
            return P.X >= A.X && P.X <= A.X + A.Width && P.Y >= A.Y && P.Y <= A.Y + A.Height;
        };
        for (int k = 0; k < 400; ++k) {
            const TGPPointF C{float(Column(Random)), float(Line(Random))};
            int Near = -1, NearX = -1;
            float Best = 3.4028235e38f, BestX = 3.4028235e38f;
            for (int i = 0; i < Screen.Count(); ++i) {
                const TGPPointF& P = Screen.Points()[size_t(i)];
                const float d = std::hypot(P.X - C.X, P.Y - C.Y);
                if (Inside(P) && d < Best) std::tie(Best, Near) = std::pair{d, i};
                const float dx = std::abs(P.X - C.X);
                if (P.X >= A.X && P.X <= A.X + A.Width && dx < BestX)
                    std::tie(BestX, NearX) = std::pair{dx, i};
            }
            ASSERT_GE(Near, 0);
            EXPECT_EQ(S->NearestPoint(C).Index, Screen.Index()[size_t(Near)]) << C.X << " " << C.Y;
            EXPECT_EQ(S->NearestPoint(C).Distance, Best);
            EXPECT_EQ(S->NearestX(C.X).Index, Screen.Index()[size_t(NearX)]) << C.X;
        }
    }
    // One step back far into a long list is seen, and the search goes through every point.
    TPixels Long;
    for (int i = 0; i < 1500; ++i)
        Long.push_back({10 + i * 0.4f, float(40 + i % 40 * 8)});
    std::swap(Long[1200].X, Long[1201].X);
    TPixelChart Chart;
    TQvPointSeries* S = Chart.Through(Long, true);
    ASSERT_EQ(S->ScreenPoints().Count(), 1500);
    EXPECT_FALSE(S->ScreenPoints().AscendingX());
    EXPECT_FALSE(S->ScreenPoints().DescendingX());
    EXPECT_EQ(S->NearestX(Long[1201].X).Index, 1201);
}

// Vector output keeps the reduced line as one polyline: no bar per pixel column.
TEST(SeriesPoints, DenseLinesInVectorOutputAreOnePath) {
    TPixelChart Chart;
    TPixels Pixels;
    for (int i = 0; i < 30000; ++i) {
        const float x = 100 + i * 0.01f;
        Pixels.push_back({x, 200 + 80 * std::sin(x / 15)});
    }
    TQvPointSeries* Series = Chart.Through(Pixels, false);
    TGPMetafile Picture(600, 400);
    {
        TGPGraphics Graphics(&Picture);
        Series->DrawLine(&Graphics);
    }
    QTemporaryDir Dir;
    const QString File = Dir.filePath("line.svg");
    Picture.SaveAsSvg(File);
    QFile Svg(File);
    ASSERT_TRUE(Svg.open(QIODevice::ReadOnly));
    const QByteArray Text = Svg.readAll();
    EXPECT_EQ(Text.count("<rect"), 0);
    EXPECT_EQ(Text.count("<path"), 1);
}

// Dense lines are drawn as a bar per pixel column and the lines between columns: the pixels
// are those of the plain polyline through the same points, but for run ends a pixel off.
TEST(SeriesPoints, ColumnBarsDrawThePixelsOfTheLine) {
    for (const bool Smooth : {false, true}) {
        SCOPED_TRACE(Smooth ? "antialiased" : "aliased");
        TPixelChart Chart;
        std::mt19937 Random(5);
        std::uniform_real_distribution<float> Noise(-40, 40);
        TPixels Pixels;
        for (int i = 0; i < 30000; ++i) {
            const float x = 100 + i * 0.01f;
            Pixels.push_back({x, 200 + 80 * std::sin(x / 15) + Noise(Random) * (i < 15000)});
        }
        TQvPointSeries* S = Chart.Through(Pixels, false);
        S->GetLine()->SetColor(0xFF000000);
        auto Render = [&](const std::function<void(TGPGraphics&)>& Draw) {
            QImage Image(600, 400, QImage::Format_ARGB32_Premultiplied);
            Image.fill(Qt::white);
            TGPGraphics Graphics(&Image);
            Graphics.SetSmoothingMode(Smooth ? TGPSmoothingMode::AntiAlias
                                             : TGPSmoothingMode::None);
            Draw(Graphics);
            return Image;
        };
        const QImage Bars = Render([&](TGPGraphics& G) { S->DrawLine(&G); });
        const QImage Line = Render([&](TGPGraphics& G) {
            G.DrawLines(TGPPen(0xFF000000, 1), S->ScreenPoints().Points().data(),
                        S->ScreenPoints().Count());
        });
        // Pixels may differ only at the ends of the columns' runs: a pixel inked in one image
        // and not the other lies next to one inked in both.
        auto Ink = [](const QImage& Image, int x, int y) { return qGray(Image.pixel(x, y)) < 255; };
        int Inked = 0, Different = 0, Stray = 0;
        for (int y = 1; y < 399; ++y)
            for (int x = 0; x < 600; ++x) {
                Inked += Ink(Line, x, y);
                if (Ink(Bars, x, y) == Ink(Line, x, y)) continue;
                ++Different;
                const bool Beside = (Ink(Bars, x, y - 1) && Ink(Line, x, y - 1)) ||
                                    (Ink(Bars, x, y + 1) && Ink(Line, x, y + 1));
                Stray += !Beside;
            }
        ASSERT_GT(Inked, 10000);
        // A handful of single pixels where Qt steps a connecting line differently.
        EXPECT_LE(Stray, Inked / 1000);
        EXPECT_LT(Different, Inked / 100) << Different << " of " << Inked;
    }
}

} // namespace
