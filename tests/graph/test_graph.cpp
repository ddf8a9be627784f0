// The graph object: setters and the update cycle, registries, layers, coupled graphs, primary
// axes, zoom settings and zoom stages.

#include "../chartfixture.h"

#include "../qvtest.h"
#include <analysis/qvlinearregression.h>

#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>
#include <parser/qvparsefkt.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QWheelEvent>

#include <limits>

namespace {

// A legend stand-in that counts its repaints.
class TCountingLegend : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Repaint() override { ++Repaints; }
    int Repaints = 0;
};

// The title font is the control's font; it is stored once, and only when it is the own one.
TEST(Graph, TheTitleFontIsStoredOnlyWhenItIsTheOwnOne) {
    TQvGraph2D Graph(nullptr);
    EXPECT_EQ(Graph.GetFont(), Graph.GetCaptionFont());
    EXPECT_FALSE(Graph.IsPropertyStored("Font"));
    EXPECT_FALSE(Graph.IsPropertyStored("CaptionFont"));
    Graph.GetCaptionFont()->SetSizeF(20.5f);
    EXPECT_FALSE(Graph.GetParentFont());
    EXPECT_TRUE(Graph.IsPropertyStored("CaptionFont"));
}

TEST(Graph, RunsItsCycleWhenShownInAWidget) {
    TChart Chart;
    TQvDoubleVector* YData = Chart.NewVector("YData", {3, 9});
    Chart.NewSeries(nullptr, YData);
    QWidget* Widget = Chart.Graph->Widget();
    ASSERT_NE(Widget, nullptr);
    EXPECT_EQ(Widget->size(), QSize(600, 400));
    Widget->grab();
    EXPECT_FALSE(Chart.Graph->NeedsRecalculate());
    EXPECT_EQ(Ends(Chart.Y), TEnds(3, 9));
    // A resize lets the axes find their ranges again.
    Chart.Graph->SetBounds(0, 0, 500, 300);
    EXPECT_TRUE(Chart.Y->NeedsRecalculate());
    // An error while the window paints reaches the application, not Qt's event loop.
    QStringList Heard;
    Application()->SetOnException(
        [&Heard](TObject*, const std::exception& Error) { Heard << Error.what(); });
    EXPECT_THROW(Chart.Graph->SetCaption("<%0/0%>"), EInvalidOp);
    Widget->grab();
    Application()->SetOnException(nullptr);
    EXPECT_EQ(Heard, QStringList{"Invalid floating point operation"});
}

TEST(Graph, SettersRecordUndoAndRepaintOnlyOnChange) {
    TChart Chart;
    auto* Stack = Chart.NewUndoStack();
    TQvAxis* Other = Chart.NewAxis(TQvAxisPosition::Right, "Other");
    struct TCase {
        const char* Property;
        QVariant Value;
        const char* Caption;
    };
    const TCase Cases[] = {
        {"CaptionAlignment", QVariant::fromValue(TAlignment::taLeftJustify),
         "Graph title alignment"},
        {"BackColor", QVariant::fromValue(TQvColor(0xFF102030)), "Graph background color"},
        {"CaptionColor", QVariant::fromValue(TQvColor(0xFF405060)), "Color of graph title"},
        {"CaptionDistanceAfter", 3.5f, "Distance below graph title"},
        {"CaptionDistanceBefore", 2.5f, "Distance above graph title"},
        {"CaptionVisible", true, "Visibility of graph title"},
        {"Caption", "Results", "Caption used in title of graph"},
        {"DataAreaColor", QVariant::fromValue(TQvColor(0xFFFFFFFF)), "Color of graph data area"},
        {"ZeroOrigin", true, "Graph axes cross at (0,0)"},
        {"DistanceBorderAxisTop", 4.0f, "Graph border distance at top"},
        {"DistanceBorderAxisBottom", 5.0f, "Graph border distance at bottom"},
        {"DistanceBorderAxisLeft", 6.0f, "Graph border distance left"},
        {"DistanceBorderAxisRight", 7.0f, "Graph border distance right"},
        {"PrimaryXAxis", QVariant::fromValue(Other), "Graph primary X-axis"},
        {"PrimaryYAxis", QVariant::fromValue(Other), "Graph primary Y-axis"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Property);
        const QVariant Old = Chart.Graph->property(Case.Property);
        // The current value again: nothing recorded, nothing repainted.
        const int Steps = Stack->UndoCount();
        Chart.Graph->Invalidations = 0;
        ASSERT_TRUE(Chart.Graph->setProperty(Case.Property, Old));
        EXPECT_EQ(Stack->UndoCount(), Steps);
        EXPECT_EQ(Chart.Graph->Invalidations, 0);
        ASSERT_TRUE(Chart.Graph->setProperty(Case.Property, Case.Value));
        ASSERT_EQ(Stack->UndoCount(), Steps + 1);
        EXPECT_EQ(Stack->GetUndoComment(Steps), Case.Caption);
        EXPECT_GT(Chart.Graph->Invalidations, 0);
        Stack->Undo();
        EXPECT_EQ(Chart.Graph->property(Case.Property), Old);
    }
    // The title font records itself as one step.
    TQvFont Font;
    Font.SetName("Courier New");
    const int Steps = Stack->UndoCount();
    Chart.Graph->SetCaptionFont(&Font);
    EXPECT_EQ(Chart.Graph->GetCaptionFont()->GetName(), "Courier New");
    EXPECT_EQ(Stack->UndoCount(), Steps + 1);
    EXPECT_EQ(Stack->GetUndoComment(Steps), "Font of graph title");
    Stack->Undo();
    EXPECT_EQ(Chart.Graph->GetCaptionFont()->GetName(), QString::fromLatin1(TFont::DefaultName));
    // Smoothing is not recorded.
    Chart.Graph->SetSmoothingMode(TQvSmoothingMode::None);
    EXPECT_EQ(Stack->UndoCount(), Steps);
    // Trailing blanks of the title go.
    Chart.Graph->SetCaption("Title  \t");
    EXPECT_EQ(Chart.Graph->GetCaption(), "Title");
}

TEST(Graph, UpdatesNestAndDeferTheCalculation) {
    TChart Chart;
    TCountingGraph* Graph = Chart.Graph;
    Chart.Paint();
    EXPECT_FALSE(Graph->NeedsRecalculate());
    Graph->BeginUpdate();
    Graph->BeginUpdate();
    Graph->SetZeroOrigin(true);
    Graph->Calculate();
    EXPECT_TRUE(Graph->NeedsRecalculate());
    Graph->Invalidations = 0;
    Graph->EndUpdate();
    EXPECT_TRUE(Graph->Updating());
    EXPECT_EQ(Graph->Invalidations, 0);
    Graph->EndUpdate();
    EXPECT_FALSE(Graph->Updating());
    EXPECT_EQ(Graph->Invalidations, 1);
    Graph->EndUpdate();
    EXPECT_FALSE(Graph->Updating());
    Graph->Calculate();
    EXPECT_FALSE(Graph->NeedsRecalculate());
    // Modified tells the first child axis only.
    Chart.Paint();
    Graph->Modified();
    EXPECT_TRUE(Chart.X->NeedsRecalculate());
    EXPECT_FALSE(Chart.Y->NeedsRecalculate());
}

TEST(Graph, LayersSortAndRenumber) {
    TChart Chart;
    TQvDoubleVector* Data = Chart.NewVector("Data", {1, 2, 3});
    TQvPointSeries* A = Chart.NewSeries(nullptr, Data);
    TQvPointSeries* B = Chart.NewSeries(nullptr, Data);
    TQvPointSeries* C = Chart.NewSeries(nullptr, Data);
    A->SetLayer(5);
    B->SetLayer(2);
    C->SetLayer(2);
    Chart.Paint();
    ASSERT_EQ(Chart.Graph->SeriesCount(), 3);
    EXPECT_EQ(Chart.Graph->Series(0)->GetLayer(), 0);
    EXPECT_EQ(Chart.Graph->Series(1)->GetLayer(), 1);
    EXPECT_EQ(Chart.Graph->Series(2), A);
    EXPECT_EQ(A->GetLayer(), 2);

    // A new layer moves the series at the next calculation.
    A->SetLayer(-1);
    Chart.Paint();
    EXPECT_EQ(Chart.Graph->Series(0), A);
}

TEST(Graph, FreedComponentsLeaveTheRegistries) {
    TChart Chart;
    auto* Stack = Chart.NewUndoStack();
    TQvDoubleVector* Data = Chart.NewVector("Data", {1, 2, 3});
    TQvPointSeries* Series = Chart.NewSeries(nullptr, Data);
    auto* Legend = new TCountingLegend(Chart.Owner.get());
    Chart.Graph->AddRelatedLegend(Legend);
    Chart.Paint();

    // Freeing the undo stack leaves every child without one.
    delete Stack;
    EXPECT_EQ(Chart.Graph->GetUndoStack(), nullptr);
    EXPECT_EQ(Chart.X->GetUndoStack(), nullptr);
    EXPECT_EQ(Series->GetUndoStack(), nullptr);
    EXPECT_EQ(Chart.Graph->GetZoom()->GetUndoStack(), nullptr);
    Chart.Graph->SetZeroOrigin(true);

    // Freeing a series takes it off the list and refreshes the legends.
    Legend->Repaints = 0;
    delete Series;
    EXPECT_EQ(Chart.Graph->SeriesCount(), 0);
    EXPECT_GT(Legend->Repaints, 0);
    EXPECT_EQ(Chart.X->RelatedSeriesCount(), 0);
    EXPECT_EQ(Data->RelatedCount(), 0);
    delete Legend;
    Chart.Graph->LegendsModified();

    // Freeing the primary X axis clears the reference; no new one is made after the first paint.
    delete Chart.X;
    EXPECT_EQ(Chart.Graph->GetPrimaryXAxis(), nullptr);
    Chart.Paint();
    EXPECT_EQ(Chart.Graph->GetPrimaryXAxis(), nullptr);
    EXPECT_EQ(Chart.Graph->ChildAxes().size(), 1);
}

TEST(Graph, MissingPrimaryAxesAreCreatedAtTheFirstPaint) {
    TComponent Owner(nullptr);
    auto* Graph = new TQvGraph2D(&Owner);
    auto* Taken = new TQvAxis(&Owner);
    Taken->SetName("XAxis1");
    Painted(Graph);
    TQvAxis* X = Graph->GetPrimaryXAxis();
    TQvAxis* Y = Graph->GetPrimaryYAxis();
    ASSERT_NE(X, nullptr);
    ASSERT_NE(Y, nullptr);
    EXPECT_EQ(X->GetName(), "XAxis2");
    EXPECT_EQ(Y->GetName(), "YAxis1");
    EXPECT_EQ(X->GetOwner(), &Owner);
    EXPECT_EQ(X->GetParent(), Graph);
    EXPECT_EQ(X->GetPosition(), TQvAxisPosition::Bottom);
    EXPECT_EQ(Y->GetPosition(), TQvAxisPosition::Left);
    EXPECT_EQ(X->GetCaption(), "X-Axis");
    EXPECT_EQ(Y->GetCaption(), "Y-Axis");
    EXPECT_EQ(X->GetWidth(), 600);
    EXPECT_EQ(Y->GetHeight(), 400);
    EXPECT_FALSE(Graph->GetDoingPrimary());

    // Primary axes on the wrong side are moved.
    Graph->SetPrimaryXAxis(Y);
    Graph->SetPrimaryYAxis(X);
    Graph->TestPrimaryAxis();
    EXPECT_EQ(X->GetPosition(), TQvAxisPosition::Left);
    EXPECT_EQ(Y->GetPosition(), TQvAxisPosition::Bottom);
}

TEST(Graph, CoupledGraphsShareTheXAxis) {
    TChart Chart("Top");
    TQvAxis* LowerY;
    TQvGraph2D* Lower = Chart.NewCoupledGraph(&LowerY);
    Lower->Calculate();
    Chart.Graph->Calculate();
    EXPECT_TRUE(Lower->GetIsCoupledGraph());
    EXPECT_FALSE(Lower->GetHasChildGraphs());
    EXPECT_EQ(Lower->Axes(), QList<TQvAxis*>({LowerY, Chart.X}));
    EXPECT_TRUE(Chart.Graph->GetHasChildGraphs());
    EXPECT_EQ(Chart.Graph->ChildGraphs(), QList<TQvGraph2D*>({Lower}));
    EXPECT_EQ(Lower->ParentOfXAxis(), Chart.Graph);

    // Zoom stages move together: back from the lower graph reaches the upper one.
    for (TQvAxis* Axis : {Chart.X, Chart.Y, LowerY})
        Axis->ZoomIn(2, 8);
    EXPECT_TRUE(Lower->GetCanZoomBack());
    Lower->ZoomBack();
    for (TQvAxis* Axis : {Chart.X, Chart.Y, LowerY})
        EXPECT_EQ(Axis->GetCurrentZoomStage(), 0);
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), 0);
    Chart.Graph->RedoZoom();
    for (TQvAxis* Axis : {Chart.X, Chart.Y, LowerY})
        EXPECT_EQ(Axis->GetCurrentZoomStage(), 1);

    // The legends of a coupled graph repaint with the parent's.
    auto* Legend = new TCountingLegend(Chart.Owner.get());
    Lower->AddRelatedLegend(Legend);
    Chart.Graph->LegendsModified();
    EXPECT_EQ(Legend->Repaints, 1);

    delete Lower;
    EXPECT_TRUE(Chart.Graph->ChildGraphs().isEmpty());
}

TEST(Graph, VectorsListHasEachNamedVectorOnce) {
    TChart Chart;
    TQvDoubleVector* Shared = Chart.NewVector("Shared", {1, 2, 3});
    TQvDoubleVector* Y1 = Chart.NewVector("Y1", {4, 5, 6});
    TQvDoubleVector* Unnamed = Chart.NewVector("", {7, 8, 9});
    TQvDoubleVector* Hidden = Chart.NewVector("Hidden", {1, 1, 1});
    TQvPointSeries* First = Chart.NewSeries(Shared, Y1);
    First->SetName("First");
    TQvPointSeries* Second = Chart.NewSeries(Shared, Unnamed);
    Second->SetName("Second");
    Chart.NewSeries(Hidden, Y1); // a series without a name
    TQvPointSeries* Indexed = Chart.NewSeries(nullptr, Y1);
    Indexed->SetName("Indexed");
    const auto List = Chart.Graph->GetVectorsList();
    EXPECT_EQ(*List, QList<TQvDoubleVector*>({Shared, Y1}));

    // The undo step of the series data holds them as one group.
    auto* Stack = Chart.NewUndoStack();
    Chart.Graph->UndoPushSeriesVectors();
    EXPECT_EQ(Stack->GetUndoComment(Stack->UndoCount() - 1), "Graph series data");
    Shared->SetValue(0, 100);
    Y1->Clear();
    Stack->Undo();
    EXPECT_DOUBLE_EQ(Shared->GetValue(0), 1);
    EXPECT_EQ(Y1->GetCount(), 3);
}

TEST(Graph, TitleVariablesQuoteOtherCaptionsAndFollowTheirChanges) {
    TChart Chart("Upper");
    TCountingGraph* Graph = Chart.Graph;
    EXPECT_EQ(Graph->CaptionAsString(), "Upper");
    const QString Ref = GetComponentRef(Graph);
    const qsizetype Caption = IndexOfString(Ref + ".Caption", GlobalStringList());
    const qsizetype Name = IndexOfString(Ref.toUpper() + ".name", GlobalStringList());
    ASSERT_GE(Caption, 0);
    ASSERT_GE(Name, 0);
    EXPECT_EQ(GlobalStringList()[Name].Comment, "Internal name of the graph control");
    EXPECT_EQ(GlobalStringList()[Caption].Comment, "Caption used in title of graph");
    EXPECT_EQ(FindTheVar(Ref + ".Name", nullptr), "Upper");
    Graph->SetCaption("Spectrum");
    EXPECT_EQ(ParseVariables("<%" + Ref + ".Caption%>", nullptr), "Spectrum");

    // The upper title quotes the lower graph's caption and a formatted expression.
    auto* Lower = new TQvGraph2D(Chart.Owner.get());
    Lower->SetName("Lower");
    Lower->SetCaption("Raw \\bdata\\b");
    EXPECT_EQ(Lower->CaptionAsString(), "Raw data");
    Graph->SetCaption("Above <%" + GetComponentRef(Lower) + ".Caption%>: <%2^0.5;0.000%>");
    EXPECT_EQ(Graph->CaptionAsString(), "Above Raw data: 1.414");
    EXPECT_TRUE(Lower->ObjectsToUpdate().contains(Graph));
    Lower->SetCaption("Fitted");
    EXPECT_EQ(Graph->CaptionAsString(), "Above Fitted: 1.414");
    // A formula that fails raises where the caption is set and where the graph is painted.
    const QString Failure = "Parsing error in function:\r";
    EXPECT_EQ(MessageOf<EMathError>([&] { Graph->SetCaption("<%1+%>"); }), Failure);
    EXPECT_EQ(MessageOf<EMathError>([&] { Chart.Paint(); }), Failure);
    // Freed, the graph takes its two variables along and no longer follows the lower one.
    const qsizetype Count = GlobalStringList().size();
    delete Graph;
    EXPECT_EQ(GlobalStringList().size(), Count - 2);
    EXPECT_TRUE(Lower->ObjectsToUpdate().isEmpty());
    Lower->SetCaption("Again");
}

TEST(Graph, DroppedInTheDesignerGetsAnUndoStackAndStyledGrids) {
    TComponent Form(nullptr);
    Form.SetDesigning(true);
    auto* Graph = new TQvGraph2D(&Form);
    Graph->SetDesigning(true);
    Graph->SetName("Graph1");
    EXPECT_EQ(Graph->GetCaption(), "Graph1");
    auto* Stack = qobject_cast<TQvUndoStack*>(Form.FindComponent("QvUndoStack1"));
    ASSERT_NE(Stack, nullptr);
    EXPECT_EQ(Graph->GetUndoStack(), Stack);
    EXPECT_EQ(Graph->GetZoom()->GetUndoStack(), Stack);
    EXPECT_EQ(Graph->GetMajorGridVertical()->GetDashStyle(), TGPDashStyle::Dash);
    EXPECT_EQ(Graph->GetMinorGridHorizontal()->GetDashStyle(), TGPDashStyle::Dot);
    EXPECT_FLOAT_EQ(Graph->GetDataAreaGradient()->GetLinearAngle(), 90);
    // The caption follows renaming until it is set.
    Graph->SetName("Graph2");
    EXPECT_EQ(Graph->GetCaption(), "Graph2");
    Graph->SetCaption("Fixed");
    Graph->SetName("Graph3");
    EXPECT_EQ(Graph->GetCaption(), "Fixed");

    // A second graph takes the existing stack.
    auto* Second = new TQvGraph2D(&Form);
    Second->SetDesigning(true);
    Second->SetName("Graph4");
    EXPECT_EQ(Second->GetUndoStack(), Stack);
}

TEST(ZoomSettings, StartStatesMustDiffer) {
    TChart Chart;
    auto* Stack = Chart.NewUndoStack();
    TQvZoomSettings* Zoom = Chart.Graph->GetZoom();
    const TShiftState Panning = Zoom->GetStartPanning();
    EXPECT_EQ(MessageOf<Exception>([&] { Zoom->SetStartZoom(Panning); }),
              "Zooming and panning not allowed to start with same parameters");
    EXPECT_EQ(Zoom->GetStartZoom(), TShiftState(TShiftStateItem::Left));
    EXPECT_EQ(MessageOf<Exception>([&] { Zoom->SetStartPanning(Zoom->GetStartZoom()); }),
              "Zooming and panning not allowed to start with same parameters");
    EXPECT_EQ(Stack->UndoCount(), 0);

    Zoom->SetStartZoom(TShiftStateItem::Ctrl | TShiftStateItem::Left);
    EXPECT_EQ(Stack->GetUndoComment(0), "Graph zoom start keys");
    Zoom->SetOptimizeSeries(true);
    EXPECT_EQ(Stack->GetUndoComment(1), "Graph zoom optimize for series data");
    Zoom->SetScrollLargeIncrement(TQvScrollIncrement::MajorTick);
    EXPECT_EQ(Stack->GetUndoComment(2), "Graph scrollbars large increment");
    // Neither recalculation nor repaint.
    Chart.Paint();
    Chart.Graph->Invalidations = 0;
    Zoom->SetAuto(false);
    EXPECT_EQ(Chart.Graph->Invalidations, 0);
    EXPECT_FALSE(Chart.Graph->NeedsRecalculate());
    Stack->Undo(3);
    EXPECT_TRUE(Zoom->GetAuto());
    EXPECT_FALSE(Zoom->GetOptimizeSeries());
    EXPECT_EQ(Zoom->GetStartZoom(), TShiftState(TShiftStateItem::Left));
}

TEST(GraphZoom, StackAndCircularBuffer) {
    TChart Chart;
    auto ZoomAll = [&Chart](double Start, double Stop) {
        for (TQvAxis* Axis : Chart.Graph->ChildAxes())
            Axis->ZoomIn(Start, Stop);
    };
    Chart.Paint();
    TQvGraph2D* Graph = Chart.Graph;
    EXPECT_FALSE(Graph->GetCanZoomBack());
    ZoomAll(1, 9);
    ZoomAll(2, 8);
    EXPECT_EQ(Graph->GetZoomStage(), 2);
    EXPECT_EQ(Graph->GetZoom()->GetZoomStage(), 2);
    EXPECT_EQ(Graph->GetZoomBufferSize(), 3);
    // A stack stops at either end.
    EXPECT_FALSE(Graph->GetCanRedoZoom());
    Graph->RedoZoom();
    EXPECT_EQ(Graph->GetZoomStage(), 2);
    for (int i = 0; i < 3; ++i)
        Graph->ZoomBack();
    EXPECT_EQ(Graph->GetZoomStage(), 0);
    EXPECT_DOUBLE_EQ(Chart.X->GetStop(), 10);
    Graph->RedoZoom();
    EXPECT_EQ(Graph->GetZoomStage(), 1);
    Graph->ZoomToStage(5);
    EXPECT_EQ(Graph->GetZoomStage(), 1);
    Graph->ZoomToStage(2);
    EXPECT_DOUBLE_EQ(Chart.Y->GetStart(), 2);

    // A circular buffer wraps.
    Graph->GetZoom()->SetBufferType(TQvZoomBufferType::AsCircularBuffer);
    Graph->ZoomToStage(0);
    Graph->ZoomBack();
    EXPECT_EQ(Graph->GetZoomStage(), 2);
    Graph->RedoZoom();
    EXPECT_EQ(Graph->GetZoomStage(), 0);
}

// A frame zooms every axis to its edges, or with OptimizeSeries to the points inside it; the
// axes of a coupled graph record a stage with it.
TEST(GraphZoom, FramesZoomToTheirEdgesOrToThePointsInside) {
    TChart Chart;
    Chart.FixAxes(0, 10);
    TQvDoubleVector* Diagonal = Chart.NewVector("", {1, 2, 3, 4, 5, 6, 7, 8, 9});
    Chart.NewSeries(Diagonal, Diagonal);
    TQvGraph2D* Lower = Chart.NewCoupledGraph();
    Chart.Paint();
    Lower->Calculate();
    TQvGraph2D* Graph = Chart.Graph;
    // Corners in any order; the second lies beyond the data area and is clamped to it.
    const auto Pixel = [&](double x, double y) {
        return TGPPointF{Chart.X->NumberToWorld(x), Chart.Y->NumberToWorld(y)};
    };
    Graph->ZoomTo(Pixel(5.5, 2.5), Pixel(2.5, 6.5));
    EXPECT_NEAR(Chart.X->GetStart(), 2.5, 1e-4);
    EXPECT_NEAR(Chart.X->GetStop(), 5.5, 1e-4);
    EXPECT_NEAR(Chart.Y->GetStart(), 2.5, 1e-4);
    EXPECT_NEAR(Chart.Y->GetStop(), 6.5, 1e-4);
    EXPECT_EQ(Graph->GetZoomStage(), 1);
    EXPECT_EQ(Lower->GetZoomStage(), 1);
    Graph->ZoomBack();
    Chart.Paint();
    Graph->ZoomTo(Pixel(8, 8), {-100, -100});
    EXPECT_NEAR(Chart.X->GetStart(), 0, 1e-4);
    EXPECT_NEAR(Chart.Y->GetStop(), 10, 1e-4);
    Graph->ZoomBack();
    Chart.Paint();

    // To the points inside: (3, 3) .. (5, 5).
    Graph->GetZoom()->SetOptimizeSeries(true);
    Graph->ZoomTo(Pixel(2.5, 2.5), Pixel(5.5, 6.5));
    EXPECT_EQ(Ends(Chart.X), TEnds(3, 5));
    EXPECT_DOUBLE_EQ(Chart.Y->GetStop(), 5);
    EXPECT_EQ(Lower->GetZoomStage(), Graph->GetZoomStage());
    // A frame that holds no point changes no range and records no stage.
    Chart.Paint();
    const int Stage = Graph->GetZoomStage();
    Graph->ZoomTo(Pixel(3.2, 4.5), Pixel(3.8, 4.9));
    EXPECT_EQ(Graph->GetZoomStage(), Stage);
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), 3);
}

TEST(GraphZoom, FindSeriesPointPrefersTheTopmostSeriesAndReadsCurves) {
    TChart Chart;
    TQvPointSeries* Below = Chart.NewSeriesOf<TQvPointSeries>({1, 2, 3}, {1, 2, 3});
    TQvPointSeries* Above = Chart.NewSeriesOf<TQvPointSeries>({2, 5}, {2, 5});
    Chart.Paint();
    const auto At = [&](double x, double y) {
        return Chart.Graph->FindSeriesPoint(Chart.X->NumberToWorld(x), Chart.Y->NumberToWorld(y));
    };
    const TQvFindSeriesPointResult Shared = At(2, 2);
    EXPECT_TRUE(Shared.Found);
    EXPECT_EQ(Shared.InSeries, Above);
    EXPECT_EQ(Shared.Index, 0);
    EXPECT_EQ(At(3, 3).InSeries, Below);
    EXPECT_EQ(At(3, 3).Index, 2);
    EXPECT_FALSE(At(4, 1).Found);

    // On a curve: no index, the X of the pixel and the function there.
    Below->SetVisible(false);
    Above->SetVisible(false);
    auto* Fit = Chart.NewSeriesOf<TQvLinearRegression>({1, 2, 3}, {1, 2, 3});
    Chart.Paint();
    const TQvFindSeriesPointResult OnCurve = At(1.5, 1.5);
    ASSERT_TRUE(OnCurve.Found);
    EXPECT_EQ(OnCurve.InSeries, Fit);
    EXPECT_EQ(OnCurve.Index, -1);
    EXPECT_NEAR(OnCurve.X, 1.5, 0.02);
    EXPECT_DOUBLE_EQ(OnCurve.Y, Fit->GetY(OnCurve.X));
}

} // namespace

TEST(Graph, DistancesBeyondAnyScreenNeitherLoadNorBreakTheLayout) {
    // Found by fuzzing the component reader: a double too large for a float distance.
    TChart Chart;
    QBuffer Buffer;
    Buffer.open(QIODevice::ReadWrite);
    TWriter Writer(&Buffer);
    Writer.WriteString("TQvGraph2D");
    Writer.WriteString("Graph1");
    Writer.WriteString("DistanceBorderAxisLeft");
    Writer.WriteFloat(9.2e227);
    Writer.WriteListEnd();
    Buffer.seek(0);
    TReader Reader(&Buffer);
    EXPECT_EQ(MessageOf<EReadError>([&] { Reader.ReadComponent(Chart.Graph, nullptr); }),
              "Invalid property value");

    // Set in code, an infinite distance still lays out (the axes simply leave the image).
    Chart.Graph->SetDistanceBorderAxisLeft(std::numeric_limits<float>::infinity());
    Chart.Graph->SetCaptionDistanceAfter(std::numeric_limits<float>::infinity());
    Chart.Graph->SetCaption("Title");
    Chart.Graph->SetCaptionVisible(true);
    Chart.NewSeries(nullptr, Chart.NewVector("Values", {1, 2}));
    Chart.Paint();
}

TEST(Graph, FreedWithItsAxesWhileSeriesUseThem) {
    // Found by fuzzing undo playback: a graph freed on its own takes its child axes along, and
    // the series on them detach without touching the half-destroyed graph.
    TChart Chart;
    TQvPointSeries* Series = Chart.NewSeries(nullptr, Chart.NewVector("Values", {1, 2}));
    Chart.Paint();
    delete Chart.Graph;
    EXPECT_EQ(Series->GetGraph(), nullptr);
    EXPECT_EQ(Series->GetXAxis(), nullptr);
    EXPECT_EQ(Series->GetYAxis(), nullptr);
}

// Real mouse events on the graph's window: frames zoom or only repaint, panning needs a zoomed
// view and follows the mouse, clicks beside the data area go back, a double click resets.
TEST(GraphGestures, FramesPanningAndClicksBeside) {
    TShownChart Shown(TQvAxisScaling::Normal, 0, 10);
    TChart& Chart = Shown.Chart;
    Chart.NewSeries(Chart.NewVector("", {1, 9}), Chart.NewVector("", {1, 9}));
    Shown.Show();
    TQvGraph2D* Graph = Chart.Graph;
    QWidget* Window = Shown.Window;
    const auto Pixel = [&](double x, double y) { return Shown.Pixel(x, y); };

    // No panning before the first zoom; a frame 4 pixels wide only repaints.
    Shown.Drag(Pixel(5, 5), Pixel(3, 3), Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), 0);
    Shown.Drag(Pixel(2, 8), Pixel(2, 8) + QPoint(4, 100));
    EXPECT_EQ(Graph->GetZoomStage(), 0);
    Shown.Drag(Pixel(2, 8), Pixel(2, 8) + QPoint(5, 5));
    EXPECT_EQ(Graph->GetZoomStage(), 1);
    Graph->ZoomBack();
    Shown.Show();

    // While a frame is dragged, the window shows the chart as it was with the frame over it.
    Shown.Press(Pixel(2, 8));
    Shown.Move(Pixel(6, 4));
    EXPECT_TRUE(Graph->GetZooming());
    const QImage During = Shown.Shot();
    int Dotted = 0;
    for (int x = Pixel(2, 8).x(); x <= Pixel(6, 4).x(); ++x)
        Dotted += qGray(During.pixel(x, Pixel(2, 8).y())) < 64;
    EXPECT_GE(Dotted, (Pixel(6, 4).x() - Pixel(2, 8).x()) / 3);
    Shown.Release(Pixel(6, 4));
    EXPECT_EQ(Graph->GetZoomStage(), 1);
    EXPECT_NEAR(Chart.X->GetStart(), 2, 0.05);
    EXPECT_NEAR(Chart.X->GetStop(), 6, 0.05);
    EXPECT_NEAR(Chart.Y->GetStop(), 8, 0.05);

    // Panning shifts every axis by the mouse's way from the drag start; a purely horizontal
    // move shifts nothing; releasing records a stage.
    const double Start = Chart.X->GetStart(), PerPixel = Chart.X->GetNormalizeConst();
    const QPoint From = Pixel(4, 6);
    Shown.Press(From, Qt::ShiftModifier);
    Shown.Move(From + QPoint(20, 0));
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), Start);
    Shown.Move(From + QPoint(20, 10));
    EXPECT_TRUE(Graph->GetPanning());
    EXPECT_NEAR(Chart.X->GetStart(), Start - 20 * PerPixel, 1e-9);
    Shown.Release(From + QPoint(20, 10), Qt::ShiftModifier);
    EXPECT_FALSE(Graph->GetPanning());
    EXPECT_EQ(Graph->GetZoomStage(), 2);
    // A pan that would take X below 0 keeps X where it is; Y follows.
    Shown.Show();
    const double XStart = Chart.X->GetStart(), YStart = Chart.Y->GetStart();
    Shown.Press(From, Qt::ShiftModifier);
    Shown.Move(From + QPoint(400, 10));
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), XStart);
    EXPECT_GT(Chart.Y->GetStart(), YStart);
    Shown.Release(From + QPoint(400, 10), Qt::ShiftModifier);
    Graph->ZoomBack();

    // A click inside the data area keeps the stage, one beside it goes back one.
    QTest::mouseClick(Window, Qt::LeftButton, Qt::NoModifier, Pixel(5, 5));
    EXPECT_EQ(Graph->GetZoomStage(), 2);
    // Right of the data area, where no axis stands.
    const TGPRectF& Area = Graph->GetDrawingArea();
    const QPoint Beside(int(Area.X + Area.Width) + 6, int(Area.Y + Area.Height / 2));
    QTest::mouseClick(Window, Qt::LeftButton, Qt::NoModifier, Beside);
    EXPECT_EQ(Graph->GetZoomStage(), 1);
    // A double click beside is a click (back one) and then a reset.
    Graph->RedoZoom();
    QTest::mouseDClick(Window, Qt::LeftButton, Qt::NoModifier, Beside);
    EXPECT_EQ(Graph->GetZoomBufferSize(), 0);
    EXPECT_DOUBLE_EQ(Chart.X->GetStop(), 10);
}

namespace {
// A shown chart with fixed axes 0..100 (not rounded, so that steps are exact) and a line across
// it.
struct TLineShown : TShownChart {
    TLineShown() {
        Chart.NewSeries(Chart.NewVector("", {0, 100}), Chart.NewVector("", {0, 100}));
        Show();
    }
    void Wheel(QPoint At, int Delta) {
        QWheelEvent Event(At, Window->mapToGlobal(At), {}, {0, Delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Window, &Event);
    }
};
} // namespace

// An image of a zoomed graph leaves the scroll bars out: it starts at the leftmost left axis.
TEST(GraphScroll, ImagesLeaveTheScrollBarsOut) {
    TLineShown Shown;
    TQvGraph2D* Graph = Shown.Chart.Graph;
    Shown.Chart.X->ZoomIn(20, 40);
    Shown.Chart.Y->ZoomIn(20, 40);
    Shown.Show();
    ASSERT_TRUE(Graph->GetVerticalScrollbar()->isVisible());
    const int Left = Graph->ImageGraphLeft();
    EXPECT_EQ(Left, Shown.Chart.Y->GetLeft());
    EXPECT_GE(Left, Graph->GetVerticalScrollbar()->width());
    // Premultiplied, so that nearly transparent pixels carry no meaningless colour.
    const QImage Painted = Shown.Chart.Render(QImage::Format_ARGB32_Premultiplied);
    const QImage Image = Graph->AsBitmap()->Image();
    ASSERT_EQ(Image.size(), QSize(Graph->GetWidth() - Left, Graph->ImgageGraphHeight()));
    EXPECT_LT(Image.height(), Graph->ClientHeight());
    // The same pixels, but for the antialiasing of the line shifted by whole pixels.
    const QImage Cut = Painted.copy(Left, 0, Image.width(), Image.height());
    int Different = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            Different += ChannelDistance(Image.pixel(x, y), Cut.pixel(x, y), true) > 2;
    EXPECT_EQ(Different, 0);
}

// Both bars appear along the data area when zoomed, the thumb shows the visible part, and
// every code moves all axes of the bar's orientation within their scroll limits.
TEST(GraphScroll, BarsFollowTheZoomAndEveryCodeMovesTheAxes) {
    TLineShown Shown;
    TChart& Chart = Shown.Chart;
    TQvGraph2D* Graph = Chart.Graph;
    TQvGraph2D* Lower = Chart.NewCoupledGraph();
    QScrollBar* H = Graph->GetHorizontalScrollBar();
    QScrollBar* V = Graph->GetVerticalScrollbar();
    ASSERT_TRUE(H && V);
    Shown.Show();
    EXPECT_FALSE(H->isVisible());
    const TGPRectF Full = Graph->GetDrawingArea();

    Chart.X->ZoomIn(20, 40);
    Chart.Y->ZoomIn(20, 40);
    Graph->FixChildZoomStack();
    Shown.Show();
    ASSERT_TRUE(H->isVisible() && V->isVisible());
    const TGPRectF& Area = Graph->GetDrawingArea();
    EXPECT_EQ(Area.Y + Area.Height, Full.Y + Full.Height - H->height());
    EXPECT_EQ(H->geometry(), QRect(int(Area.X), Graph->ClientHeight() - H->height(),
                                   int(Area.Width), H->height()));
    EXPECT_EQ(V->geometry().topLeft(), QPoint(0, int(Area.Y)));
    EXPECT_EQ(H->pageStep(), 2000);
    EXPECT_EQ(H->value(), 2000);
    // The vertical thumb counts from the top, where the largest values are.
    EXPECT_EQ(V->value(), 6000);

    // Arrows move in place by the small increment, track clicks record a stage.
    const double Minor = Chart.X->MinorIncrement();
    H->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), 20 + Minor);
    EXPECT_DOUBLE_EQ(Chart.X->GetStop(), 40 + Minor);
    EXPECT_EQ(Graph->GetZoomStage(), 1);
    Graph->Scroll(Qt::Horizontal, TQvScrollCode::LineUp, 0);
    H->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), 40);
    EXPECT_EQ(Graph->GetZoomStage(), 2);
    EXPECT_EQ(Lower->GetZoomStage(), 2);
    // Beyond the scroll limits the range keeps its width at the end.
    for (int i = 0; i < 3; ++i)
        Graph->Scroll(Qt::Horizontal, TQvScrollCode::PageDown, 0);
    EXPECT_EQ(Ends(Chart.X), TEnds(80, 100));
    // The down arrow shows smaller values; the Y axis is unchanged by the horizontal bar.
    Graph->GetZoom()->SetScrollSmallIncrement(TQvScrollIncrement::Pixel);
    Shown.Show();
    const double PerPixel = Chart.Y->GetNormalizeConst();
    V->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_DOUBLE_EQ(Chart.Y->GetStart(), 20 - PerPixel);
    Graph->Scroll(Qt::Vertical, TQvScrollCode::PageUp, 0);
    EXPECT_DOUBLE_EQ(Chart.Y->GetStop(), 60 - PerPixel);

    // The dragged thumb moves in place (the axes are not rounded meanwhile); letting go
    // records the stage.
    const int Stages = Graph->GetZoomBufferSize();
    H->setSliderDown(true);
    H->setSliderPosition(1000);
    EXPECT_TRUE(Graph->GetPanning());
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), 10);
    EXPECT_EQ(Graph->GetZoomBufferSize(), Stages);
    H->setSliderDown(false);
    EXPECT_FALSE(Graph->GetPanning());
    EXPECT_EQ(Graph->GetZoomBufferSize(), Stages + 1);
    EXPECT_EQ(Lower->GetZoomBufferSize(), Graph->GetZoomBufferSize());

    // Back to full: the bars go.
    Graph->ZoomReset();
    Shown.Show();
    EXPECT_FALSE(H->isVisible() || V->isVisible());
}

// Twisted and logarithmic axes scroll the way their values run on the screen, in decades;
// ends rounded to ticks stay on ticks.
TEST(GraphScroll, TwistedLogarithmicAndRoundedAxes) {
    TLineShown Shown;
    TChart& Chart = Shown.Chart;
    TQvGraph2D* Graph = Chart.Graph;
    Chart.X->SetTwisted(true);
    Chart.X->SetEndRounding(TQvAxisEndRounding::RndToMajorZoomToMinor);
    Chart.Y->SetScaling(TQvAxisScaling::Log);
    Chart.Y->SetStart(1);
    Chart.Y->SetStop(10000);
    Shown.Show();
    Chart.X->ZoomIn(20, 40);
    Chart.Y->ZoomIn(10, 100);
    Shown.Show();
    QScrollBar* H = Graph->GetHorizontalScrollBar();
    // The twisted axis has its largest values at the left, where the bar starts.
    EXPECT_EQ(H->value(), 6000);
    // Rounded to minor ticks when zoomed: one arrow is one minor tick, right shows less.
    const double Minor = Chart.X->MinorIncrement();
    Graph->Scroll(Qt::Horizontal, TQvScrollCode::LineDown, 0);
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), 20 - Minor);
    Graph->Scroll(Qt::Horizontal, TQvScrollCode::LineUp, 0);
    Graph->Scroll(Qt::Horizontal, TQvScrollCode::LineUp, 0);
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), 20 + Minor);

    // A page on the logarithmic axis is its width in decades.
    Graph->Scroll(Qt::Vertical, TQvScrollCode::PageUp, 0);
    EXPECT_NEAR(Chart.Y->GetStart(), 100, 1e-9);
    EXPECT_NEAR(Chart.Y->GetStop(), 1000, 1e-9);
    Graph->GetZoom()->SetScrollLargeIncrement(TQvScrollIncrement::MajorTick);
    Graph->Scroll(Qt::Vertical, TQvScrollCode::PageDown, 0);
    EXPECT_NEAR(std::log10(Chart.Y->GetStart()), 2 - Chart.Y->MajorIncrement(), 1e-9);
    Graph->Scroll(Qt::Vertical, TQvScrollCode::Track, 0);
    EXPECT_NEAR(Chart.Y->GetStop(), 10000, 1e-6);
}

// The wheel zooms around the cursor, a burst of notches records one stage, Backspace and
// Home go back and reset, Escape drops a frame.
TEST(GraphGestures, WheelAndKeys) {
    TLineShown Shown;
    TChart& Chart = Shown.Chart;
    TQvGraph2D* Graph = Chart.Graph;
    // Backwards before any zoom changes nothing.
    Shown.Wheel(Shown.Pixel(50, 50), -120);
    EXPECT_EQ(Graph->GetZoomBufferSize(), 0);
    const QPoint At = Shown.Pixel(50, 50);
    const double x = Chart.X->WorldToNumber(float(At.x()));
    Shown.Wheel(At, 120);
    EXPECT_NEAR(Chart.X->GetStart(), x - x * 0.8, 1e-9);
    EXPECT_NEAR(Chart.X->GetStop(), x + (100 - x) * 0.8, 1e-9);
    Shown.Wheel(At, 120);
    EXPECT_NEAR(Chart.X->GetStart(), x - x * 0.64, 1e-9);
    EXPECT_EQ(Graph->GetZoomStage(), 1);
    EXPECT_EQ(Graph->GetZoomBufferSize(), 2);
    // After a pause, a new stage; zooming out ends at the full range.
    QTest::qWait(450);
    Shown.Wheel(At, -3 * 120);
    EXPECT_EQ(Graph->GetZoomStage(), 2);
    EXPECT_EQ(Ends(Chart.X), TEnds(0, 100));
    // Beside the data area the wheel does nothing.
    const TGPRectF& Area = Graph->GetDrawingArea();
    Shown.Wheel(QPoint(int(Area.X + Area.Width) + 6, int(Area.Y) + 10), 120);
    EXPECT_EQ(Graph->GetZoomStage(), 2);

    Shown.Window->setFocus();
    QTest::keyClick(Shown.Window, Qt::Key_Backspace);
    EXPECT_EQ(Graph->GetZoomStage(), 1);
    QTest::keyClick(Shown.Window, Qt::Key_Home);
    EXPECT_EQ(Graph->GetZoomBufferSize(), 0);
    Shown.Show();

    Shown.Press(Shown.Pixel(20, 80));
    Shown.Move(Shown.Pixel(60, 40));
    QTest::keyClick(Shown.Window, Qt::Key_Escape);
    EXPECT_FALSE(Graph->GetZooming());
    Shown.Release(Shown.Pixel(60, 40));
    EXPECT_EQ(Graph->GetZoomBufferSize(), 0);
}
