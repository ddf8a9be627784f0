// What a series gives the axes: registration with the graph and both axes, the indexer for a
// missing vector, and the data extents with outliers and value transformations.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using TExtent = std::array<double, 4>;

// X start and stop, Y start and stop, as the series found them at the last paint.
TExtent Extent(const TQvSeries* Series) {
    return {Series->GetXStart(), Series->GetXStop(), Series->GetYStart(), Series->GetYStop()};
}

TEST(SeriesRegistration, AxesGraphAndIndexer) {
    TChart Chart;
    TQvDoubleVector* YData = Chart.NewVector("YData", {4, 5, 6});
    auto* Series = new TQvLineSeries(Chart.Owner.get());
    Series->SetYData(YData);
    Series->SetXAxis(Chart.X);
    EXPECT_EQ(Series->GetGraph(), nullptr);
    EXPECT_EQ(Chart.Graph->SeriesCount(), 0);
    Series->SetYAxis(Chart.Y);
    EXPECT_EQ(Series->GetGraph(), Chart.Graph);
    EXPECT_EQ(Chart.Graph->SeriesCount(), 1);
    EXPECT_EQ(Chart.X->RelatedSeriesCount(), 1);
    EXPECT_EQ(Chart.Y->RelatedSeriesCount(), 1);
    // Only a Y vector: drawn against 0, 1, 2.
    ASSERT_EQ(Series->GetXData(), Series->GetIndexer());
    EXPECT_EQ(Series->GetCount(), 3);
    Chart.Paint();
    EXPECT_EQ(Extent(Series), (TExtent{0, 2, 4, 6}));
    EXPECT_DOUBLE_EQ(Chart.X->GetStop(), 2);

    // Clearing Y drops the indexer from X as well, and the series leaves the graph.
    Series->SetYData(nullptr);
    EXPECT_EQ(Series->GetXData(), nullptr);
    EXPECT_EQ(Chart.Graph->SeriesCount(), 0);
    EXPECT_EQ(Chart.X->RelatedSeriesCount(), 0);
    EXPECT_EQ(YData->RelatedCount(), 0);
    // nil for an indexer reference is ignored.
    Series->SetXData(YData);
    ASSERT_EQ(Series->GetYData(), Series->GetIndexer());
    Series->SetYData(nullptr);
    EXPECT_EQ(Series->GetYData(), Series->GetIndexer());

    // Moving to another graph's Y axis moves the series there.
    TChart Other("Other");
    Series->SetYAxis(Other.Y);
    EXPECT_EQ(Series->GetGraph(), Other.Graph);
    EXPECT_EQ(Chart.Graph->SeriesCount(), 0);
    EXPECT_EQ(Other.Graph->SeriesCount(), 1);
    EXPECT_EQ(Chart.Y->RelatedSeriesCount(), 0);

    // A freed vector falls back to the indexer; a freed axis detaches.
    delete YData;
    EXPECT_EQ(Series->GetXData(), nullptr);
    EXPECT_EQ(Series->GetYData(), nullptr);
    Series->SetYData(Other.NewVector("More", {1, 2}));
    delete Other.Y;
    Other.Y = nullptr;
    EXPECT_EQ(Other.Graph->GetPrimaryYAxis(), nullptr);
    EXPECT_EQ(Series->GetYAxis(), nullptr);
    EXPECT_EQ(Other.Graph->SeriesCount(), 0);
    EXPECT_EQ(Chart.X->RelatedSeriesCount(), 0);
}

TEST(SeriesRanges, OutliersTransformsAndUnequalLengths) {
    TChart Chart;
    TQvDoubleVector* XData = Chart.NewVector("XData", {1, 2, 3, 4, 5});
    TQvDoubleVector* YData = Chart.NewVector("YData", {10, -50, 30});
    TQvPointSeries* Series = Chart.NewSeries(XData, YData);
    Chart.Paint();
    // Three points: the X extent comes from a scan of the first three X values.
    EXPECT_EQ(Extent(Series), (TExtent{1, 3, -50, 30}));

    // An outlier is skipped unless outliers are visible.
    YData->AddOutlier(1);
    Chart.Paint();
    EXPECT_EQ(Extent(Series), (TExtent{1, 3, 10, 30}));
    EXPECT_DOUBLE_EQ(Chart.Y->GetStart(), 10);
    Series->SetOutliersVisible(true);
    Chart.Paint();
    EXPECT_DOUBLE_EQ(Series->GetYStart(), -50);

    // A decreasing transformation still reports minimum <= maximum.
    YData->AddRange({40, 50});
    Series->SetXValueTransformation(
        [](TObject*, TQvTransformEventArgs& e) { return -2 * e.Value + e.Index; });
    Chart.Paint();
    EXPECT_EQ(Extent(Series), (TExtent{-6, -2, -50, 50}));

    // On a logarithmic axis the minimum is the smallest positive value.
    TQvDoubleVector* LogX = Chart.NewVector("LogX", {-1, 0, 2, 5});
    Chart.X->SetScaling(TQvAxisScaling::Log);
    TQvPointSeries* OnLog = Chart.NewSeries(LogX, Chart.NewVector("LogY", {1, 2, 3, 4}));
    Chart.Paint();
    EXPECT_DOUBLE_EQ(OnLog->GetXStart(), 2);
    EXPECT_DOUBLE_EQ(OnLog->GetXStop(), 5);

    // Hidden line, area and symbols make the series invisible.
    EXPECT_TRUE(OnLog->SeriesVisible());
    OnLog->GetPointSymbol()->SetVisible(false);
    OnLog->GetLine()->SetVisible(false);
    EXPECT_FALSE(OnLog->SeriesVisible());
}

TEST(SeriesRanges, FollowAppendsAndEdits) {
    TChart Chart;
    TQvDoubleVector* XData = Chart.NewVector("XData", {1, 2, 3});
    TQvDoubleVector* YData = Chart.NewVector("YData", {5, 7, 6});
    TQvPointSeries* Series = Chart.NewSeries(XData, YData);
    Chart.Paint();
    XData->AddRange({4, 5});
    YData->AddRange({9, 4});
    Chart.Paint();
    EXPECT_EQ(Extent(Series), (TExtent{1, 5, 4, 9}));
    EXPECT_DOUBLE_EQ(Chart.Y->GetStop(), 9);
    // An edit below the minimum and the deletion of the maximum.
    YData->SetValue(0, -3);
    YData->Delete(3);
    XData->Delete(3);
    Chart.Paint();
    EXPECT_EQ(Extent(Series), (TExtent{1, 5, -3, 7}));
    EXPECT_DOUBLE_EQ(Chart.Y->GetStart(), -3);
    // One vector longer than the other: the extent covers the common part only.
    XData->AddRange({50});
    Chart.Paint();
    EXPECT_DOUBLE_EQ(Series->GetXStop(), 5);
}

TEST(SeriesRanges, DesignerRescalesVectorsToANewAxisRange) {
    TChart Chart;
    TQvDoubleVector* XData = Chart.NewVector("XData", {0, 5, 10});
    TQvDoubleVector* YData = Chart.NewVector("YData", {1, 2, 3});
    Chart.NewSeries(XData, YData);
    Chart.NewSeries(XData, YData); // a shared vector changes once
    Chart.Paint();
    Chart.X->SetDesigning(true);
    Chart.X->SetStart(100);
    EXPECT_DOUBLE_EQ(XData->GetValue(0), 100);
    EXPECT_DOUBLE_EQ(XData->GetValue(1), 55);
    EXPECT_DOUBLE_EQ(XData->GetValue(2), 10);
    XData->SetPersistentValues(true);
    Chart.X->SetStart(0);
    EXPECT_DOUBLE_EQ(XData->GetValue(0), 100);
}

TEST(SeriesRanges, LayerAndUndo) {
    TChart Chart;
    auto* Stack = Chart.NewUndoStack();
    TQvPointSeries* Series = Chart.NewSeries(nullptr, Chart.NewVector("YData", {1, 2}));
    Series->SetName("Series1");
    EXPECT_EQ(Series->GetUndoStack(), Stack);
    Series->SetLayer(4);
    EXPECT_EQ(Stack->GetUndoComment(Stack->UndoCount() - 1), "Series drawing order");
    Series->SetVisible(false);
    EXPECT_EQ(Stack->GetUndoComment(Stack->UndoCount() - 1), "Series visibility");
    Stack->Undo(1);
    EXPECT_TRUE(Series->GetVisible());
    EXPECT_EQ(Series->GetLayer(), 0);
    Series->SetYAxis(Chart.NewAxis(TQvAxisPosition::Right, "Right"));
    EXPECT_EQ(Stack->GetUndoComment(Stack->UndoCount() - 1), "Series Y-axis reference");
    Stack->Undo();
    EXPECT_EQ(Series->GetYAxis(), Chart.Y);
    EXPECT_EQ(Chart.Graph->SeriesCount(), 1);
}

} // namespace

TEST(SeriesRegistration, TheIndexerCountsTheVectorBesideItNow) {
    TChart Chart;
    TQvDoubleVector* Short = Chart.NewVector("Short", {1, 2, 3});
    TQvPointSeries* Series = Chart.NewSeries(nullptr, Short);
    Chart.Paint();
    EXPECT_DOUBLE_EQ(Chart.X->GetStop(), 2);
    Series->SetYData(Chart.NewVector("Long", {1, 2, 3, 4, 5, 6}));
    delete Short;
    Chart.Paint();
    EXPECT_EQ(Series->GetXData(), Series->GetIndexer());
    EXPECT_EQ(Series->GetCount(), 6);
    EXPECT_DOUBLE_EQ(Chart.X->GetStop(), 5);
    EXPECT_DOUBLE_EQ(Chart.Y->GetStop(), 6);
}
