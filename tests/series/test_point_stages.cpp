// The point stages alone, on points placed on chosen pixels: clipping of ascending values,
// runs split at gaps, the reductions for symbols and lines, and the per-column reduction
// against the four-per-column rule on the same points.

#include <series/qvpointstages.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

namespace {

using namespace QvPointStages;
using TPixels = std::vector<TGPPointF>;
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

std::vector<int> Indices(size_t n) {
    std::vector<int> I(n);
    std::iota(I.begin(), I.end(), 0);
    return I;
}

// The data indices kept by a stage run over all of Pixels.
template <class Stage> std::vector<int> Kept(const TPixels& Pixels, const Stage& Run) {
    const std::vector<int> I = Indices(Pixels.size());
    TPointList Out;
    Run(std::span(Pixels), std::span(I), Out);
    return Out.Index;
}

TEST(PointStages, VisibleRangeKeepsOneValueBeyondEachEnd) {
    // Values -100 .. 1100 in steps of 10 at indices 0 .. 120.
    const auto X = [](int i) { return double(i) * 10 - 100; };
    EXPECT_EQ(VisibleRange(0, 120, 0, 1000, X), std::pair(9, 111));
    // Ends on a value keep that value's outer neighbour.
    EXPECT_EQ(VisibleRange(0, 120, 5, 995, X), std::pair(10, 110));
    // A start index other than 0 and a range cut by it.
    EXPECT_EQ(VisibleRange(50, 120, 0, 1000, X), std::pair(50, 111));
    // Wholly beyond either end: the one nearest value.
    EXPECT_EQ(VisibleRange(0, 120, 2000, 3000, X), std::pair(120, 120));
    EXPECT_EQ(VisibleRange(0, 120, -900, -500, X), std::pair(0, 0));
    // Between two values: both.
    EXPECT_EQ(VisibleRange(0, 120, 501, 509, X), std::pair(60, 61));
}

TEST(PointStages, GapsSplitTheLineIntoRuns) {
    const TPixels Pixels = {{NaN, 1}, {1, 1}, {2, 2}, {3, NaN}, {4, 4}, {5, 5}, {6, 6}, {NaN, NaN}};
    std::vector<std::pair<size_t, size_t>> Runs;
    ForEachFiniteRun(Pixels, [&](size_t First, size_t n) { Runs.emplace_back(First, n); });
    EXPECT_EQ(Runs, (std::vector<std::pair<size_t, size_t>>{{1, 2}, {4, 3}}));

    // A list keeps the runs across breaks; a break before any point or twice is one break.
    TPointList List;
    List.Break();
    List.Add({1, 1}, 1);
    List.Add({2, 2}, 2);
    List.Break();
    List.Break();
    List.Add({4, 4}, 4);
    List.Add({5, 5}, 5);
    EXPECT_EQ(List.RunStarts, (std::vector<size_t>{0, 2}));
    std::vector<std::pair<size_t, size_t>> Visited;
    List.ForEachRun([&](size_t First, size_t n) { Visited.emplace_back(First, n); });
    EXPECT_EQ(Visited, (std::vector<std::pair<size_t, size_t>>{{0, 2}, {2, 2}}));
    // Cutting the list back drops the runs that began in the part cut.
    List.Truncate(2);
    EXPECT_EQ(List.RunStarts, std::vector<size_t>{0});
}

TEST(PointStages, SymbolsKeepEveryPointMoreThanAPixelFromTheLastKept) {
    const TPixels Pixels = {{100, 100},    {100.8f, 100.5f}, {101.5f, 100},
                            {102, 100.9f}, {110, 150},       {110.5f, 152}};
    EXPECT_EQ(Kept(Pixels, [](auto P, auto I, TPointList& Out) { ReduceForSymbols(P, I, Out); }),
              std::vector<int>({0, 2, 4, 5}));
}

TEST(PointStages, SymbolsOnOnePixelKeepTheTopmostAndTheirOrder) {
    // Pixels are centred on whole coordinates: 10.4 and 9.6 share pixel 10, 10.5 is pixel 11.
    const TPixels Pixels{{10.4f, 5}, {20, 5}, {9.6f, 5.3f}, {10.5f, 5}, {-50, 5}, {20, 4.6f}};
    const TGPRectF Bounds{0, 0, 100, 100};
    EXPECT_EQ(TopmostSymbols(Pixels, Bounds), (std::vector<std::size_t>{2, 3, 4, 5}));
    // Outside the bounds every symbol is drawn, and nowhere none.
    const float Inf = std::numeric_limits<float>::infinity();
    const TPixels Outside{{-50, 5}, {-50, 5}, {200, 5}, {NAN, 5}, {200, 5}, {5, Inf}};
    EXPECT_EQ(TopmostSymbols(Outside, Bounds), (std::vector<std::size_t>{0, 1, 2, 4}));
    // Claims carry over from one block of points to the next.
    const TPixels Same(3000, TGPPointF{50, 50});
    EXPECT_EQ(TopmostSymbols(Same, Bounds), (std::vector<std::size_t>{2999}));
    // Mapped straight from the values, on a second core when there are many, the same are
    // kept in the same order, with their points.
    std::mt19937 Random(4);
    std::uniform_real_distribution<float> Spread(-10, 110);
    TPixels Cloud(50000);
    for (TGPPointF& P : Cloud)
        P = {Spread(Random), Spread(Random)};
    for (const int Count : {3000, 50000}) {
        const std::span<const TGPPointF> Values(Cloud.data(), std::size_t(Count));
        TPointList Out;
        Out.Add(TGPPointF{1, 1}, -1);
        KeepTopmostSymbols(
            0, Count - 1, Bounds,
            [&](int i, int n, TGPPointF* Points) { std::copy_n(Cloud.begin() + i, n, Points); },
            Out);
        const std::vector<std::size_t> Expected = TopmostSymbols(Values, Bounds);
        ASSERT_EQ(Out.Index.size(), Expected.size() + 1);
        EXPECT_EQ(Out.Index.front(), -1);
        for (std::size_t k = 0; k < Expected.size(); ++k) {
            ASSERT_EQ(Out.Index[k + 1], int(Expected[k])) << k;
            EXPECT_EQ(Out.Points[k + 1].X, Cloud[Expected[k]].X);
        }
    }
}

TEST(PointStages, LinesKeepTheEndsOfRunsBeyondOneEdge) {
    const TGPRectF Bounds{0, 0, 100, 100};
    // Three beyond the right edge, one inside, two beyond the top, then two that turn the
    // corner from beyond the right edge to beyond the bottom: their segment may cross.
    const TPixels Pixels{{150, 10}, {300, 90}, {120, 50}, {50, 50}, {40, -5},
                         {60, -9},  {70, -1},  {200, 50}, {50, 200}};
    TPointList Out;
    TLineReducer Line(Bounds, Out);
    for (size_t k = 0; k < Pixels.size(); ++k)
        Line.Add(Pixels[k], int(k));
    Line.Finish();
    EXPECT_EQ(Out.Index, (std::vector<int>{0, 2, 3, 4, 6, 7, 8}));
    EXPECT_EQ(Out.Points[1].X, 120);
}

TEST(PointStages, LinesMergeNearPointsAndMonotoneRunsAndKeepFourPerColumn) {
    const auto Line = [](auto P, auto I, TPointList& Out) {
        TLineReducer Reducer({-1e6f, -1e6f, 2e6f, 2e6f}, Out);
        for (size_t k = 0; k < P.size(); ++k)
            Reducer.Add(P[k], I[k]);
        Reducer.Finish();
    };
    // Points within a pixel of the anchor: the last of them stands for all.
    EXPECT_EQ(Kept({{100, 100}, {100.3f, 100.4f}, {100.6f, 100.2f}, {105, 100}}, Line),
              std::vector<int>({0, 2, 3}));
    // A run downwards in one column keeps its end; the reversal starts a new run.
    EXPECT_EQ(
        Kept({{200, 100}, {200.5f, 110}, {200.7f, 120}, {200.9f, 130}, {200.95f, 125}, {210, 100}},
             Line),
        std::vector<int>({0, 3, 4, 5}));
    // Noise reversing at every point, 0.1 pixel apart: the first, lowest, highest and last of
    // the column remain.
    TPixels Noise;
    for (float y : {120, 100, 140, 105, 135, 110, 131, 121})
        Noise.push_back({299.65f + 0.1f * float(Noise.size()), y});
    Noise.push_back({310, 100});
    EXPECT_EQ(Kept(Noise, Line), std::vector<int>({0, 1, 2, 7, 8}));
    // A point the axes cannot show ends the merging and the column, and the line breaks there.
    const TPixels Gap{{100, 100}, {100.3f, 100.4f}, {NaN, 5}, {100.5f, 100.5f}, {100.6f, 90}};
    const std::vector<int> I = Indices(Gap.size());
    TPointList Out;
    Line(std::span(Gap), std::span(I), Out);
    EXPECT_EQ(Out.Index, std::vector<int>({0, 1, 3, 4}));
    EXPECT_EQ(Out.RunStarts, std::vector<size_t>({0, 2}));
    // Thinning turned off while points merge: the one that stands for them goes out first,
    // and then every point but those within a run beyond an edge.
    TPointList Plain;
    TLineReducer Reducer({0, 0, 1000, 1000}, Plain);
    const TPixels Mixed{{100, 100}, {100.3f, 100.4f}, {100.6f, 100.2f}, {1500, 5},   {1600, 6},
                        {1700, 7},  {105, 100},       {105.2f, 100.1f}, {105.3f, 90}};
    for (size_t k = 0; k < Mixed.size(); ++k) {
        if (k == 3) Reducer.SetThinning(false);
        Reducer.Add(Mixed[k], int(k));
    }
    Reducer.Finish();
    EXPECT_EQ(Plain.Index, std::vector<int>({0, 2, 3, 5, 6, 7, 8}));
}

TEST(PointStages, LinksLoseTheirPartWithinTheBand) {
    const auto Outside = [](TGPPointF A, TGPPointF B, float Top, float Bottom) {
        std::vector<TGPPointF> Pairs;
        AddOutsideBand(A, B, Top, Bottom, Pairs);
        std::vector<float> Flat;
        for (const TGPPointF& P : Pairs)
            Flat.insert(Flat.end(), {P.X, P.Y});
        return Flat;
    };
    // Across the band, upwards or downwards: the pieces above and below it, ends on its edges.
    EXPECT_EQ(Outside({0, 0}, {1, 40}, 10, 30),
              (std::vector<float>{0, 0, 0.25f, 10, 0.75f, 30, 1, 40}));
    EXPECT_EQ(Outside({1, 40}, {0, 0}, 10, 30),
              (std::vector<float>{0, 0, 0.25f, 10, 0.75f, 30, 1, 40}));
    // Into the band from one side, wholly inside it, wholly beside it, or no band.
    EXPECT_EQ(Outside({0, 0}, {1, 20}, 10, 30), (std::vector<float>{0, 0, 0.5f, 10}));
    EXPECT_EQ(Outside({0, 12}, {1, 28}, 10, 30), (std::vector<float>{}));
    EXPECT_EQ(Outside({0, 0}, {1, 10}, 10, 30), (std::vector<float>{0, 0, 1, 10}));
    EXPECT_EQ(Outside({0, 0}, {1, 40}, 30, 10), (std::vector<float>{0, 0, 1, 40}));
}

// A dense line reduced per column from the hierarchy keeps the points that the four-per-column
// rule keeps from the same mapped points; a column of NaN alone is a gap, and a NaN at a
// column's end gives way to an extreme.
TEST(PointStages, ColumnsFromTheHierarchyKeepWhatTheFourPerColumnRuleKeeps) {
    std::mt19937 Random(3);
    std::uniform_real_distribution<double> Noise(100, 300);
    std::vector<double> X, Y;
    for (int i = 0; i < 20000; ++i) {
        X.push_back(100 + i * 0.01);
        Y.push_back(Noise(Random));
    }
    // Column 120 (X 119.5 .. 120.5) holds NaN alone, and so do columns 150 to 152; the
    // columns beside them begin or end with NaN.
    for (int i = 1940; i < 2060; ++i)
        Y[size_t(i)] = NAN;
    for (int i = 4930; i < 5270; ++i)
        Y[size_t(i)] = NAN;
    TQvMinMaxHierarchy Hierarchy;
    Hierarchy.Extend(Y);
    TPointList Columns;
    const auto Identity = [](auto v) { return float(v); };
    ReduceByColumns(
        Y, Hierarchy, 0, int(Y.size()) - 1, [&](int i) { return X[size_t(i)]; }, Identity,
        [](float p) { return double(p); }, Identity, Columns);

    // The same through the mapped points, run by run.
    TPixels Mapped;
    for (size_t i = 0; i < X.size(); ++i)
        Mapped.push_back({float(X[i]), float(Y[i])});
    const std::vector<int> All = Indices(Mapped.size());
    std::vector<int> Expected;
    ForEachFiniteRun(Mapped, [&](size_t First, size_t n) {
        TPointList Kept;
        TFourPerColumn Four(Kept);
        for (size_t k = First; k < First + n; ++k)
            Four.Add(Mapped[k], All[k]);
        Four.Finish();
        Expected.insert(Expected.end(), Kept.Index.begin(), Kept.Index.end());
    });
    // Within a column the two extremes may come in either order.
    std::vector<int> Actual = Columns.Index;
    std::sort(Actual.begin(), Actual.end());
    EXPECT_EQ(Actual, Expected);
    EXPECT_EQ(Columns.RunStarts.size(), 3u);
    for (size_t k = 0; k < Columns.Points.size(); ++k)
        ASSERT_EQ(Columns.Points[k].X, std::floor(Mapped[size_t(Columns.Index[k])].X + 0.5f))
            << "on the column centre";

    // Far off the screen, as a document's extreme axis range can put points, the column is
    // still a number (the conversion to int was undefined there).
    EXPECT_EQ(Column(1.6e32f), 1 << 30);
    EXPECT_EQ(Column(-INFINITY), -(1 << 30));
    EXPECT_EQ(Column(NAN), -(1 << 30));
    TPointList Far;
    const std::vector<double> Two = {1, 2};
    TQvMinMaxHierarchy Small;
    Small.Extend(Two);
    ReduceByColumns(
        Two, Small, 0, 1, [](int i) { return double(i); }, [](double v) { return float(v * 1e32); },
        [](float p) { return double(p) / 1e32; }, Identity, Far);
    EXPECT_EQ(Far.Points.size(), 2u);
}

} // namespace
