// Axis range and scaling: value-to-pixel mapping, auto-range, end rounding, moving slit, slave
// axes, the zoom buffer and the scroll limits.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <axes/qvdatetime.h>
#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>
#include <framework/qvstringlist.h>

#include <gtest/gtest.h>

#include <QBuffer>

namespace {

// The ends RoundEnds makes of Start and Stop.
std::pair<double, double> Rounded(TQvAxis* Axis, double Start, double Stop) {
    Axis->RoundEnds(Start, Stop);
    return {Start, Stop};
}

// Many values mapped at once, into every other float, take the pixels of one at a time; those
// that are not finite take none.
void ExpectManyAsOne(const TQvAxis* Axis) {
    std::vector<double> Values{25, -20, 1e12, -1e12, NAN, INFINITY, -INFINITY, 0, 100};
    for (int k = 0; k < 40; ++k)
        Values.push_back(std::ldexp(double(k * 7919 % 1000) - 500, k % 9) / 3);
    std::vector<float> Pixels(2 * Values.size(), -1);
    Axis->NumbersToWorld(Values, Pixels.data(), 2);
    for (std::size_t k = 0; k < Values.size(); ++k) {
        if (std::isfinite(Values[k]))
            EXPECT_EQ(Pixels[2 * k], Axis->NumberToWorld(Values[k])) << Values[k];
        else
            EXPECT_TRUE(std::isnan(Pixels[2 * k])) << Values[k];
        EXPECT_EQ(Pixels[2 * k + 1], -1);
    }
}

// Two axes without a graph, each 400 pixels long from pixel 0, ranges as set.
struct TLoneAxes {
    TLoneAxes() {
        for (TQvAxis* Axis : {X, Y})
            Axis->SetEndRounding(TQvAxisEndRounding::RndNothing);
        Y->SetPosition(TQvAxisPosition::Left);
        Y->SetBounds(0, 0, 40, 400);
    }
    void Paint() {
        X->Calculate();
        Y->Calculate();
    }
    std::unique_ptr<TQvAxis> OwnX = std::make_unique<TQvAxis>(nullptr);
    std::unique_ptr<TQvAxis> OwnY = std::make_unique<TQvAxis>(nullptr);
    TQvAxis* X = OwnX.get();
    TQvAxis* Y = OwnY.get();
};

TEST(AxisMapping, EveryScalingTwistedAndNot) {
    TLoneAxes Chart;
    TChart::Fix(Chart.X, 0, 100);
    TChart::Fix(Chart.Y, 0, 40);
    Chart.Paint();
    // 400 pixels: 0.25 per pixel on X, 0.1 on Y; X grows to the right, Y upwards.
    EXPECT_DOUBLE_EQ(Chart.X->GetNormalizeConst(), 0.25);
    EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(25), 100);
    EXPECT_FLOAT_EQ(Chart.Y->NumberToWorld(10), 300);
    EXPECT_DOUBLE_EQ(Chart.X->WorldToNumber(100), 25);
    EXPECT_DOUBLE_EQ(Chart.Y->WorldToNumber(300), 10);
    // Outside the range: clamped 100000 pixels around the origin, on the side of the value.
    EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(-1e12), -100000);
    EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(1e12), 100000);
    EXPECT_FLOAT_EQ(Chart.Y->NumberToWorld(1e12), -100000);
    EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(-20), -80);
    ExpectManyAsOne(Chart.X);
    ExpectManyAsOne(Chart.Y);

    Chart.X->SetTwisted(true);
    Chart.Y->SetTwisted(true);
    Chart.Paint();
    EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(25), 300);
    EXPECT_FLOAT_EQ(Chart.Y->NumberToWorld(10), 100);
    EXPECT_DOUBLE_EQ(Chart.X->WorldToNumber(300), 25);
    EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(1e12), -100000);
    EXPECT_FLOAT_EQ(Chart.Y->NumberToWorld(1e12), 100000);
    ExpectManyAsOne(Chart.X);
    ExpectManyAsOne(Chart.Y);

    // Logarithmic: three decades over 400 pixels; values not above 0 sit 100 pixels before.
    for (TQvAxisScaling Scaling : {TQvAxisScaling::Log, TQvAxisScaling::LogEE}) {
        Chart.X->SetTwisted(false);
        Chart.X->SetScaling(Scaling);
        TChart::Fix(Chart.X, 1, 1000);
        Chart.Paint();
        ASSERT_TRUE(Chart.X->GetHasLogScaling());
        EXPECT_DOUBLE_EQ(Chart.X->GetNormalizeConst(), 3.0 / 400);
        EXPECT_NEAR(Chart.X->NumberToWorld(10), 400.0 / 3, 1e-4);
        EXPECT_NEAR(Chart.X->WorldToNumber(400.0f / 3), 10, 1e-5);
        EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(0), -100);
        EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(-5), -100);
        Chart.X->SetTwisted(true);
        Chart.Paint();
        EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(0), 500);
        EXPECT_NEAR(Chart.X->NumberToWorld(100), 400.0 / 3, 1e-4);
    }

    // Time spans and rubrics map linearly.
    for (TQvAxisScaling Scaling : {TQvAxisScaling::Seconds, TQvAxisScaling::Rubrics}) {
        Chart.X->SetTwisted(false);
        Chart.X->SetScaling(Scaling);
        TChart::Fix(Chart.X, 0, 80);
        Chart.Paint();
        EXPECT_FALSE(Chart.X->GetHasLogScaling());
        EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(20), 100);
        EXPECT_DOUBLE_EQ(Chart.X->WorldToNumber(100), 20);
    }

    // Date-time differences read the fraction of a negative value as a time of day: -1.25 is
    // 06:00 of the day before 1899-12-30, 0.75 days before day 0.
    Chart.X->SetScaling(TQvAxisScaling::DateTime);
    TChart::Fix(Chart.X, -1.25, 8.75);
    Chart.Paint();
    EXPECT_DOUBLE_EQ(Chart.X->GetNormalizeConst(), 9.5 / 400);
    EXPECT_NEAR(Chart.X->NumberToWorld(0.5), 1.25 / (9.5 / 400), 1e-3);
    Chart.X->SetStart(-1e9);
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), MinDateTime);
}

TEST(AxisRange, AutoRangeFromSeriesForEachEndMode) {
    TChart Chart;
    Chart.Paint();
    // Without series the initial range stays.
    EXPECT_EQ(Ends(Chart.X), TEnds(0, 10));

    TQvDoubleVector* XData = Chart.NewVector("XData", {2, 3, 7, 9});
    TQvDoubleVector* YData = Chart.NewVector("YData", {-4, 1, 5, 3});
    TQvPointSeries* Series = Chart.NewSeries(XData, YData);
    Chart.Paint();
    EXPECT_EQ(Ends(Chart.X), TEnds(2, 9));
    EXPECT_EQ(Ends(Chart.Y), TEnds(-4, 5));

    // FirstSet keeps the set end unless the data go beyond it.
    Chart.X->SetStart(0);
    Chart.X->SetStop(8);
    Chart.X->SetStartEnd(TQvAxisEnd::FirstSet);
    Chart.X->SetStopEnd(TQvAxisEnd::FirstSet);
    Series->RangesModified();
    Chart.Paint();
    EXPECT_EQ(Ends(Chart.X), TEnds(0, 9));

    // Fixed ends ignore the data.
    TChart::Fix(Chart.X, 4, 5);
    Series->RangesModified();
    Chart.Paint();
    EXPECT_EQ(Ends(Chart.X), TEnds(4, 5));

    // A hidden series does not count.
    Series->SetVisible(false);
    Chart.X->SetStartEnd(TQvAxisEnd::AutoRange);
    Chart.X->SetStopEnd(TQvAxisEnd::AutoRange);
    Chart.Paint();
    EXPECT_EQ(Ends(Chart.X), TEnds(4, 5));
    Series->SetVisible(true);
    Chart.Paint();
    EXPECT_EQ(Ends(Chart.X), TEnds(2, 9));
}

TEST(AxisRange, DegenerateRangesAndPadding) {
    TChart Chart;
    TQvAxis* Axis = Chart.X;
    using P = std::pair<double, double>;
    EXPECT_EQ(Rounded(Axis, 5, 5), P(4, 6));
    Axis->SetStartEnd(TQvAxisEnd::Fixed);
    EXPECT_EQ(Rounded(Axis, 5, 5), P(5, 6));
    EXPECT_EQ(Rounded(Axis, 0, 0), P(0, 1));
    // A reversed range becomes 0 to 100, on a log axis 1 to 10.
    EXPECT_EQ(Rounded(Axis, 7, 3), P(0, 100));
    Axis->SetScaling(TQvAxisScaling::Log);
    EXPECT_EQ(Rounded(Axis, 7, 3), P(1, 10));
    // Time spans and rubrics never start below 0.
    Axis->SetScaling(TQvAxisScaling::Seconds);
    EXPECT_EQ(Rounded(Axis, -3, -1), P(0, 1));
    // One minute for an empty date-time range.
    Axis->SetScaling(TQvAxisScaling::DateTime);
    const auto [Start, Stop] = Rounded(Axis, 45000, 45000);
    EXPECT_NEAR(Stop - Start, 1.0 / 1440, 1e-9);

    Axis->SetScaling(TQvAxisScaling::Normal);
    Axis->SetStartPadding(0.1);
    Axis->SetStartPadding(0);
    EXPECT_DOUBLE_EQ(Axis->GetStartPadding(), 0.1);
    TChart::Fix(Axis, 0, 100);
    Chart.Paint();
    EXPECT_EQ(Ends(Axis), TEnds(-10, 100));
    // Repeated passes pad the requested range, not the padded one.
    Axis->SetNumbersColor(0xFF123456);
    Chart.Paint();
    EXPECT_DOUBLE_EQ(Axis->GetStart(), -10);
}

TEST(AxisRange, RoundingOfBothEndsForEachMode) {
    TChart Chart;
    TQvAxis* Axis = Chart.X;
    Axis->SetAutoTickParts(false);
    Axis->SetMajorPart(2);
    Axis->SetTickPart(0.5);
    struct TCase {
        TQvAxisEndRounding Rounding;
        double Start, Stop;             // not zoomed
        double ZoomedStart, ZoomedStop; // zoomed
    };
    const TCase Cases[] = {
        {TQvAxisEndRounding::RndToMajorZoomToMinor, 0, 10, 1, 9},
        {TQvAxisEndRounding::RndToMajorZoomToNothing, 0, 10, 1.3, 8.7},
        {TQvAxisEndRounding::RndToMajor, 0, 10, 0, 10},
        {TQvAxisEndRounding::RndToMinorZoomToNothing, 1, 9, 1.3, 8.7},
        {TQvAxisEndRounding::RndToMinor, 1, 9, 1, 9},
        {TQvAxisEndRounding::RndNothing, 1.3, 8.7, 1.3, 8.7},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(int(Case.Rounding));
        Axis->SetEndRounding(Case.Rounding);
        Axis->ZoomClearBuffer();
        EXPECT_EQ(Rounded(Axis, 1.3, 8.7), std::pair(Case.Start, Case.Stop));
        Axis->ZoomIn(Axis->GetStart(), Axis->GetStop());
        EXPECT_EQ(Rounded(Axis, 1.3, 8.7), std::pair(Case.ZoomedStart, Case.ZoomedStop));
    }

    // Logarithmic ends round to decades.
    Axis->ZoomClearBuffer();
    Axis->SetScaling(TQvAxisScaling::Log);
    Axis->SetEndRounding(TQvAxisEndRounding::RndToMajor);
    Axis->SetAutoTickParts(false);
    Axis->SetMajorPart(1);
    Axis->SetTickPart(1);
    EXPECT_EQ(Rounded(Axis, 3, 420), std::pair(1.0, 1000.0));
    EXPECT_EQ(Axis->GetRangeExponent(), 3);
}

TEST(AxisRange, LogarithmicEndsAndSwitchToLinear) {
    TChart Chart;
    Chart.Y->SetScaling(TQvAxisScaling::Log);
    TQvDoubleVector* YData = Chart.NewVector("YData", {0, 1000, 5, 20});
    Chart.NewSeries(nullptr, YData);
    Chart.Paint();
    EXPECT_EQ(Ends(Chart.Y), TEnds(5, 1000));
    EXPECT_TRUE(Chart.Y->GetHasLogScaling());

    YData->Clear();
    YData->AddRange({-5, -1, 0});
    Chart.Paint();
    EXPECT_DOUBLE_EQ(Chart.Y->GetStart(), 0.01);
    EXPECT_DOUBLE_EQ(Chart.Y->GetStop(), 1);

    // At most as many decades as the level: mapped linearly.
    TQvAxis* Axis = Chart.X;
    Axis->SetScaling(TQvAxisScaling::Log);
    Axis->SetLogToNormalScalingLevel(-1);
    EXPECT_DOUBLE_EQ(Axis->GetLogToNormalScalingLevel(), 0);
    Axis->SetLogToNormalScalingLevel(2);
    Rounded(Axis, 10, 500);
    EXPECT_FALSE(Axis->GetHasLogScaling());
    Rounded(Axis, 10, 5000);
    EXPECT_TRUE(Axis->GetHasLogScaling());
}

TEST(AxisRange, MovingSlit) {
    TChart Chart;
    TQvDoubleVector* XData = Chart.NewVector("XData", {0, 5, 12, 25});
    TQvDoubleVector* YData = Chart.NewVector("YData", {1, 2, 3, 4});
    Chart.NewSeries(XData, YData);
    Chart.X->SetMovingSlitWidth(10);
    Chart.X->SetStopEnd(TQvAxisEnd::MovingSlit);
    EXPECT_EQ(Chart.X->GetStartEnd(), TQvAxisEnd::Fixed);
    EXPECT_FALSE(Chart.Graph->GetZoom()->GetAuto());
    EXPECT_FALSE(Chart.Graph->GetZoom()->GetHScrollbarVisible());
    Chart.Paint();
    // Increment 0 becomes 10/3; the slit moves from 0..10 until it covers 25.
    EXPECT_DOUBLE_EQ(Chart.X->GetMovingSlitIncrement(), 10.0 / 3);
    double Expected = 10;
    for (int k = 0; k < 5; ++k)
        Expected += 10.0 / 3;
    EXPECT_DOUBLE_EQ(Chart.X->GetStop(), Expected);
    EXPECT_DOUBLE_EQ(Chart.X->GetStart(), Expected - 10);

    // A far-away value does not make the slit crawl step by step.
    XData->Add(1e15);
    YData->Add(5);
    Chart.Paint();
    EXPECT_GE(Chart.X->GetStop(), 1e15);
    EXPECT_LT(Chart.X->GetStop(), 1e15 + 10);
    // A start that is still before the data keeps the initial start.
    Chart.X->SetStartEnd(TQvAxisEnd::MovingSlit);
    EXPECT_EQ(Chart.X->GetStartEnd(), TQvAxisEnd::Fixed);
}

TEST(AxisRange, SlaveAxesFollowTheirMasters) {
    TChart Chart;
    TChart::Fix(Chart.X, 0, 100);
    TQvAxis* Top = Chart.NewAxis(TQvAxisPosition::Top, "Top");
    Top->SetSlaveSlope(2);
    Top->SetSlaveOffset(10);
    Top->SetMasterAxis(Chart.X);
    EXPECT_TRUE(Top->GetIsSlaveAxis());
    Chart.Paint();
    EXPECT_EQ(Ends(Top), TEnds(10, 210));
    EXPECT_FLOAT_EQ(Top->NumberToWorld(110), Chart.X->NumberToWorld(50));
    // When only the master changes, the slave follows at the next pass.
    Chart.X->SetStop(50);
    Chart.Paint();
    EXPECT_DOUBLE_EQ(Top->GetStop(), 110);
    Chart.X->SetStop(100);

    // The master's scaling is taken over; a negative slope reverses the slave.
    Chart.X->SetScaling(TQvAxisScaling::Rubrics);
    Top->SetSlaveSlope(-1);
    Top->SetSlaveOffset(0);
    Chart.Paint();
    EXPECT_EQ(Top->GetScaling(), TQvAxisScaling::Rubrics);
    EXPECT_EQ(Ends(Top), TEnds(0, -100));
    EXPECT_FLOAT_EQ(Top->NumberToWorld(-25), Chart.X->NumberToWorld(25));

    // An identical slave copies the master's range and partition.
    Top->SetSlaveSlope(1);
    Chart.X->SetScaling(TQvAxisScaling::Normal);
    Chart.X->SetAutoTickParts(false);
    Chart.X->SetMajorPart(2.5);
    Chart.Paint();
    EXPECT_DOUBLE_EQ(Top->GetStop(), 100);
    EXPECT_DOUBLE_EQ(Top->GetMajorTickPart(), 2.5);

    // Freeing the master ends the slavery.
    delete Chart.X;
    Chart.X = nullptr;
    EXPECT_EQ(Top->GetMasterAxis(), nullptr);
    EXPECT_FALSE(Top->GetIsSlaveAxis());
}

TEST(AxisRange, RefusedMasterAxesChangeNothing) {
    TChart Chart;
    auto* Stack = Chart.NewUndoStack();
    TQvAxis* Top = Chart.NewAxis(TQvAxisPosition::Top, "Top");
    Top->SetUndoStack(Stack);
    TQvAxis* Slave = Chart.NewAxis(TQvAxisPosition::Bottom, "Slave");
    Slave->SetMasterAxis(Chart.X);
    const int Steps = Stack->UndoCount();
    Top->SetMasterAxis(Top);
    Top->SetMasterAxis(Chart.Y);
    Top->SetMasterAxis(Slave);
    EXPECT_EQ(Top->GetMasterAxis(), nullptr);
    EXPECT_FALSE(Top->GetIsSlaveAxis());
    EXPECT_EQ(Stack->UndoCount(), Steps);

    // An accepted master is one undo step that also restores the slave flag.
    Top->SetMasterAxis(Chart.X);
    EXPECT_EQ(Stack->UndoCount(), Steps + 1);
    EXPECT_EQ(Stack->GetUndoComment(Steps), "Master axis");
    Stack->Undo();
    EXPECT_EQ(Top->GetMasterAxis(), nullptr);
    EXPECT_FALSE(Top->GetIsSlaveAxis());
}

TEST(AxisZoom, BufferIsAStackOfStages) {
    TChart Chart;
    TQvAxis* Axis = Chart.X;
    TChart::Fix(Axis, 0, 100);
    Chart.Paint();
    EXPECT_FALSE(Axis->GetCanZoomBack());
    // With an empty buffer the scroll limits are the current range.
    EXPECT_EQ(Axis->ScrollRangeSize(Axis->GetStart(), Axis->GetStop()), 10000);

    Axis->ZoomIn(20, 80);
    Axis->ZoomIn(30, 50);
    EXPECT_EQ(Axis->GetCurrentZoomStage(), 2);
    EXPECT_EQ(Axis->GetZoomBufferSize(), 3);
    EXPECT_DOUBLE_EQ(Axis->GetStart(), 30);
    EXPECT_EQ(Axis->ScrollRangeSize(30, 50), 2000);
    EXPECT_EQ(Axis->ScrollPosition(30), 3000);
    EXPECT_EQ(Axis->ScrollPosition(150), 15000);

    Axis->ZoomBack();
    EXPECT_EQ(Axis->GetCurrentZoomStage(), 1);
    EXPECT_EQ(Ends(Axis), TEnds(20, 80));
    // Zooming after going back discards the stage that was ahead.
    Axis->ZoomIn(40, 60);
    EXPECT_EQ(Axis->GetZoomBufferSize(), 3);
    EXPECT_EQ(Axis->GetCurrentZoomStage(), 2);
    Axis->ZoomToStage(0);
    EXPECT_DOUBLE_EQ(Axis->GetStop(), 100);
    Axis->ZoomToStage(3);
    EXPECT_EQ(Axis->GetCurrentZoomStage(), 0);
    // The axis itself wraps; the graph's guards stop a stack at its ends.
    Axis->ZoomBack();
    EXPECT_EQ(Axis->GetCurrentZoomStage(), 2);
    Axis->RedoZoom();
    EXPECT_EQ(Axis->GetCurrentZoomStage(), 0);

    // An end outside the data and the unzoomed range is kept.
    Axis->ZoomIn(-500, 90);
    EXPECT_EQ(Ends(Axis), TEnds(0, 90));
    Axis->ZoomClearBuffer();
    EXPECT_EQ(Axis->GetZoomBufferSize(), 0);
    EXPECT_EQ(Axis->GetCurrentZoomStage(), 0);

    // Logarithmic scroll limits count decades.
    Axis->SetScaling(TQvAxisScaling::Log);
    TChart::Fix(Axis, 1, 10000);
    Chart.Paint();
    Axis->ZoomIn(10, 100);
    EXPECT_EQ(Axis->ScrollRangeSize(10, 100), 2500);
    EXPECT_EQ(Axis->ScrollPosition(1000), 7500);
}

TEST(AxisZoom, ClippedWhileZoomedInsideTheData) {
    TChart Chart;
    Chart.NewSeries(Chart.NewVector("XData", {0, 40, 100}), Chart.NewVector("YData", {1, 2, 3}));
    Chart.Paint();
    EXPECT_FALSE(Chart.X->GetIsClipped());
    Chart.X->ZoomIn(10, 90);
    EXPECT_TRUE(Chart.X->GetIsClipped());
    // New data redo the range and clear the buffer.
    Chart.X->RangeModified();
    EXPECT_FALSE(Chart.X->GetCanZoomBack());
    EXPECT_FALSE(Chart.X->GetIsClipped());
}

TEST(AxisSetters, UndoGroupsAndRules) {
    TChart Chart;
    auto* Stack = Chart.NewUndoStack();
    TQvAxis* Axis = Chart.X;
    TChart::Fix(Axis, 2, 8);
    const int Steps = Stack->UndoCount();

    // Changing the stop mode is one step with the range and the zoom settings.
    Axis->SetStopEnd(TQvAxisEnd::MovingSlit);
    ASSERT_EQ(Stack->UndoCount(), Steps + 1);
    EXPECT_EQ(Stack->GetUndoComment(Steps), "Auto ranging mode of axis stop");
    Stack->Undo();
    EXPECT_EQ(Axis->GetStopEnd(), TQvAxisEnd::Fixed);
    EXPECT_EQ(Axis->GetStartEnd(), TQvAxisEnd::Fixed);
    EXPECT_TRUE(Chart.Graph->GetZoom()->GetAuto());
    EXPECT_TRUE(Chart.Graph->GetZoom()->GetHScrollbarVisible());
    EXPECT_DOUBLE_EQ(Axis->GetStart(), 2);

    Axis->SetStart(3);
    EXPECT_EQ(Stack->GetUndoComment(Stack->UndoCount() - 1), "Axis range start");
    const int Before = Stack->UndoCount();
    Axis->SetStart(3);
    Axis->SetTwisted(false);
    EXPECT_EQ(Stack->UndoCount(), Before);

    // Parts are ignored while automatic; otherwise absolute, and 0 becomes 0.001.
    Axis->SetTickPart(0.3);
    EXPECT_DOUBLE_EQ(Axis->GetTickPart(), 0.1);
    Axis->SetAutoTickParts(false);
    EXPECT_EQ(Stack->GetUndoComment(Stack->UndoCount() - 1), "Automatic tick partitions");
    Axis->SetTickPart(-0.3);
    EXPECT_DOUBLE_EQ(Axis->GetTickPart(), 0.3);
    Axis->SetLabelPart(0);
    EXPECT_DOUBLE_EQ(Axis->GetLabelPart(), 0.001);
    // Date-time, time-span and rubric axes always choose their parts.
    Axis->SetScaling(TQvAxisScaling::DateTime);
    EXPECT_TRUE(Axis->GetAutoTickParts());
    Axis->SetAutoTickParts(false);
    EXPECT_TRUE(Axis->GetAutoTickParts());

    Axis->SetLabelDistanceFactor(50);
    EXPECT_FLOAT_EQ(Axis->GetLabelDistanceFactor(), 10);
    Axis->SetRubricsAngle(-30);
    EXPECT_FLOAT_EQ(Axis->GetRubricsAngle(), 330);

    // The caption distances seen by position.
    Axis->SetDistanceToBorder(7);
    EXPECT_FLOAT_EQ(Axis->GetCaptionDistanceAfter(), 7);
    Chart.Y->SetDistanceToBorder(5);
    EXPECT_FLOAT_EQ(Chart.Y->GetCaptionDistanceBefore(), 5);
    EXPECT_FLOAT_EQ(Chart.Y->GetDistanceNumbersCaption(), 0);

    // Tick colours follow the line colour until set themselves.
    Axis->SetForeColor(0xFF112233);
    EXPECT_EQ(Axis->GetMajorTickColor(), 0xFF112233u);
    Axis->SetTickColor(0xFF445566);
    Axis->SetForeColor(0xFF778899);
    EXPECT_EQ(Axis->GetTickColor(), 0xFF445566u);
    EXPECT_EQ(Axis->GetMajorTickColor(), 0xFF778899u);

    Axis->SetCaption("Time   ");
    EXPECT_EQ(Axis->GetCaption(), "Time");
}

TEST(AxisStreaming, RangeAsTextProperties) {
    TChart Chart;
    TChart::Fix(Chart.X, 0.1, 2.5);
    QBuffer Buffer;
    Buffer.open(QIODevice::ReadWrite);
    {
        TWriter Writer(&Buffer);
        Writer.WriteComponent(Chart.X);
    }
    const QByteArray Bytes = Buffer.data();
    EXPECT_TRUE(Bytes.contains("AStart"));
    EXPECT_TRUE(Bytes.contains("0.1"));

    TQvAxis Copy(nullptr);
    Buffer.seek(0);
    TReader Reader(&Buffer);
    Reader.ReadComponent(&Copy, nullptr);
    EXPECT_DOUBLE_EQ(Copy.GetStart(), 0.1);
    EXPECT_DOUBLE_EQ(Copy.GetStop(), 2.5);
    EXPECT_EQ(Copy.GetStartEnd(), TQvAxisEnd::Fixed);
    EXPECT_EQ(Copy.GetEndRounding(), TQvAxisEndRounding::RndNothing);
}

TEST(AxisRubrics, OwnAndForeignLists) {
    TChart Chart;
    TQvAxis* Axis = Chart.X;
    auto* Stack = new TQvUndoStack(Chart.Owner.get());
    Axis->SetUndoStack(Stack);
    Axis->GetRubrics()->Add("a");
    EXPECT_EQ(Stack->GetUndoComment(Stack->UndoCount() - 1), "Axis rubrics captions");
    Stack->Undo();
    EXPECT_EQ(Axis->GetRubrics()->Count(), 0);

    // A foreign string list reports its changes to the axis and still to its own handler.
    int Changes = 0;
    auto Foreign = std::make_unique<TStringList>();
    Foreign->SetOnChange([&Changes](TObject*) { ++Changes; });
    Axis->SetRubrics(Foreign.get());
    EXPECT_EQ(Axis->GetRubrics(), Foreign.get());
    Chart.Paint();
    EXPECT_FALSE(Axis->NeedsRecalculate());
    Foreign->Add("x");
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(Axis->NeedsRecalculate());
    Axis->SetRubrics(nullptr);
    EXPECT_EQ(Foreign->Count(), 0);
    // Freed by its owner, the list gives way to the axis' own one.
    Foreign.reset();
    EXPECT_EQ(Axis->GetRubrics()->Count(), 0);
    Axis->GetRubrics()->Add("y");
}

} // namespace

TEST(AxisRange, ExtremeAndInfiniteDataKeepFiniteEnds) {
    TChart Chart;
    const double Inf = std::numeric_limits<double>::infinity();
    // A logarithmic axis fixed to the whole double range, rounded to decades.
    Chart.X->SetScaling(TQvAxisScaling::Log);
    Chart.X->SetEndRounding(TQvAxisEndRounding::RndToMajor);
    TChart::Fix(Chart.X, 4.9e-324, 1.7976931348623157e308);
    // Infinities and NaN take no part in the Y range.
    TQvDoubleVector* YData = Chart.NewVector("YData", {1, Inf, -Inf, 3, std::nan("")});
    Chart.NewSeries(nullptr, YData);
    Chart.Paint();
    EXPECT_TRUE(std::isfinite(Chart.X->GetStart()) && Chart.X->GetStart() > 0);
    EXPECT_TRUE(std::isfinite(Chart.X->GetStop()));
    EXPECT_EQ(Ends(Chart.Y), TEnds(1, 3));

    // A span beyond the largest double falls back to a finite range holding zero; so does a
    // vector of infinities alone.
    YData->Clear();
    YData->AddRange({-1.7e308, 1.7e308});
    Chart.Y->SetEndRounding(TQvAxisEndRounding::RndToMajor);
    Chart.Paint();
    EXPECT_TRUE(std::isfinite(Chart.Y->GetStart()) && Chart.Y->GetStart() < 0);
    EXPECT_TRUE(std::isfinite(Chart.Y->GetStop()) && Chart.Y->GetStop() > 0);
    YData->Clear();
    YData->AddRange({Inf, -Inf});
    Chart.Paint();
    EXPECT_TRUE(std::isfinite(Chart.Y->GetStart()) && std::isfinite(Chart.Y->GetStop()));
    EXPECT_LT(Chart.Y->GetStart(), Chart.Y->GetStop());
}
