// Markers on a shown graph: dragged with mouse events on linear, logarithmic and date-time
// axes, snapped to series points, recorded for undo, quoted by captions, drawn, hit-tested,
// and stored in the three forms.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"

#include <analysis/qvlinearregression.h>
#include <annotations/qvarrowmarker.h>
#include <annotations/qvmarkers.h>
#include <framework/qvexceptions.h>
#include <framework/qvinifiles.h>
#include <style/qvio.h>

#include <QBuffer>

#include <functional>

namespace {

struct TShownMarkers : TShownChart {
    using TShownChart::TShownChart;
    // A marker of class T on the graph, on both axes that it has, at (X, Y).
    template <class T> T* Add(const QString& Name, double X, double Y) {
        auto* Marker = new T(Chart.Owner.get());
        Marker->SetName(Name);
        if constexpr (requires { Marker->SetXAxis(Chart.X); }) {
            Marker->SetXAxis(Chart.X);
            Marker->SetX(X);
        }
        if constexpr (requires { Marker->SetYAxis(Chart.Y); }) {
            Marker->SetYAxis(Chart.Y);
            Marker->SetY(Y);
        }
        Marker->SetParent(Chart.Graph);
        Show();
        return Marker;
    }
};

bool Red(QRgb Pixel) {
    return qRed(Pixel) > 200 && qGreen(Pixel) < 80 && qBlue(Pixel) < 80;
}

} // namespace

// The hot spot follows the pointer pixel for pixel on every kind of scale, the values are
// those of its pixel, the graph neither zooms nor pans meanwhile, and beyond the graph the
// hot spot stops on the border pixel. While dragged, the marker moves over the chart as
// painted without it; a mouse-down with other keys than StartMovingKeys does not drag.
TEST(MarkerDrag, FollowsThePointerOnLinearLogarithmicAndDateTimeAxes) {
    struct TCase {
        TQvAxisScaling Scaling;
        double Start, Stop, X, Y;
    };
    for (const TCase& Case : {TCase{TQvAxisScaling::Normal, 0, 100, 30, 40},
                              TCase{TQvAxisScaling::Log, 1, 10000, 20, 300},
                              TCase{TQvAxisScaling::DateTime, 45000, 45060, 45010, 45020}}) {
        SCOPED_TRACE(int(Case.Scaling));
        TShownMarkers Shown(Case.Scaling, Case.Start, Case.Stop);
        TQvGraph2D* Graph = Shown.Chart.Graph;
        auto* Cross = Shown.Add<TQvCrossHair>("Cross", Case.X, Case.Y);
        int Moving = 0, Moved = 0;
        Cross->SetOnMarkerMoving([&](TObject*) { ++Moving; });
        Cross->SetOnMarkerMoved([&](TObject*) { ++Moved; });
        const QPoint Start = Shown.Pixel(Case.X, Case.Y);
        ASSERT_EQ(Cross->HotSpot(), Start);

        Shown.Press(Start + QPoint(2, -2));
        Shown.Move(Start + QPoint(42, -28));
        const QPoint To = Start + QPoint(40, -26);
        EXPECT_EQ(Cross->HotSpot(), To);
        EXPECT_DOUBLE_EQ(Cross->GetX(), Shown.Chart.X->WorldToNumber(float(To.x())));
        EXPECT_DOUBLE_EQ(Cross->GetY(), Shown.Chart.Y->WorldToNumber(float(To.y())));
        EXPECT_EQ(Cross->GetVerticalMarker()->HotSpot().x(), To.x());
        EXPECT_EQ(Cross->GetHorizontalMarker()->HotSpot().y(), To.y());
        // The vertical line shows at its new place only.
        const QImage During = Shown.Shot();
        const int Row = int(Graph->GetDrawingArea().Y) + 5;
        EXPECT_TRUE(Red(During.pixel(To.x(), Row)));
        EXPECT_FALSE(Red(During.pixel(Start.x(), Row)));

        Shown.Move(Start + QPoint(5000, 5000));
        EXPECT_EQ(Cross->HotSpot(), QPoint(Graph->GetWidth() - 1, Graph->GetHeight() - 1));
        Shown.Move(Start - QPoint(5000, 5000));
        EXPECT_EQ(Cross->HotSpot(), QPoint(0, 0));
        Shown.Release(Start - QPoint(5000, 5000));
        EXPECT_EQ(Moving, 3);
        EXPECT_EQ(Moved, 1);
        EXPECT_EQ(Graph->GetZoomStage(), 0);
        EXPECT_FALSE(Graph->GetZooming());

        // The drag ended; the values still put the marker on the border pixel after a layout.
        Shown.Show();
        EXPECT_EQ(Cross->HotSpot(), QPoint(0, 0));
        const double X = Cross->GetX();
        Shown.Drag(QPoint(0, 0) + QPoint(1, 1), QPoint(60, 60), Qt::ControlModifier);
        EXPECT_EQ(Cross->GetX(), X);
    }
}

// A horizontal line records only Y, a vertical one only X; a line of a cross-hair moves the
// cross-hair along with it, and undo takes both back.
TEST(MarkerDrag, LinesMoveAlongOneAxisAndUndoTakesTheirValueBack) {
    TShownMarkers Shown;
    auto* Stack = Shown.Chart.NewUndoStack();
    auto* Vertical = Shown.Add<TQvVerticalMarker>("Vertical", 20, 0);
    auto* Horizontal = Shown.Add<TQvHorizontalMarker>("Horizontal", 0, 70);
    auto* Cross = Shown.Add<TQvCrossHair>("Cross", 60, 30);

    const QPoint OnVertical = Shown.Pixel(20, 50);
    Shown.Drag(OnVertical, OnVertical + QPoint(30, 40));
    EXPECT_DOUBLE_EQ(Vertical->GetX(), Shown.Chart.X->WorldToNumber(float(OnVertical.x() + 30)));
    const QPoint OnHorizontal = Shown.Pixel(85, 70);
    Shown.Drag(OnHorizontal, OnHorizontal + QPoint(-30, 20));
    EXPECT_DOUBLE_EQ(Horizontal->GetY(),
                     Shown.Chart.Y->WorldToNumber(float(OnHorizontal.y() + 20)));
    // The vertical line of the cross-hair, away from its square.
    const QPoint OnCrossLine = Shown.Pixel(60, 90);
    Shown.Drag(OnCrossLine, OnCrossLine + QPoint(-50, 10));
    const double CrossX = Shown.Chart.X->WorldToNumber(float(OnCrossLine.x() - 50));
    EXPECT_DOUBLE_EQ(Cross->GetX(), CrossX);
    EXPECT_DOUBLE_EQ(Cross->GetVerticalMarker()->GetX(), CrossX);
    EXPECT_DOUBLE_EQ(Cross->GetY(), 30);
    ASSERT_EQ(Stack->UndoCount(), 3);

    Stack->Undo();
    EXPECT_DOUBLE_EQ(Cross->GetX(), 60);
    EXPECT_EQ(Cross->HotSpot(), Shown.Pixel(60, 30));
    Stack->Undo();
    EXPECT_DOUBLE_EQ(Horizontal->GetY(), 70);
    Stack->Undo();
    EXPECT_DOUBLE_EQ(Vertical->GetX(), 20);
    EXPECT_EQ(Vertical->HotSpot().x(), Shown.Pixel(20, 0).x());
}

// Snapping takes the nearest point of the series on the marker's axes; of two equally near,
// the earlier series'; a marker with one axis measures along it only; functions count only
// with SnapToFunctions; with nothing to snap to the marker keeps its values.
TEST(MarkerSnap, NearestSeriesPointTiesAndFunctions) {
    TShownMarkers Shown;
    TChart& Chart = Shown.Chart;
    // Both series pass through (50, 50).
    auto* First = Chart.NewSeriesOf<TQvPointSeries>({10, 50, 90}, {10, 50, 90});
    auto* Second = Chart.NewSeriesOf<TQvPointSeries>({20, 50, 80}, {80, 50, 20});
    auto* Cross = Shown.Add<TQvCrossHair>("Cross", 30, 30);
    Cross->SetSnapToSeriesValues(true);
    EXPECT_TRUE(Cross->SearchSeriesSnap(Shown.Pixel(51, 49)));
    EXPECT_EQ(Cross->GetSnappedSeries(), First);
    EXPECT_EQ(Cross->GetSnappedIdx(), 1);
    EXPECT_EQ(Cross->HotSpot(), Shown.Pixel(50, 50));
    // Dragged near the second series' last point.
    Shown.Drag(Cross->HotSpot(), Shown.Pixel(78, 23));
    EXPECT_EQ(Cross->GetSnappedSeries(), Second);
    EXPECT_EQ(Cross->GetSnappedIdx(), 2);
    EXPECT_DOUBLE_EQ(Cross->GetX(), 80);
    EXPECT_DOUBLE_EQ(Cross->GetY(), 20);
    // Kept to the second series, the point nearest in the first does not count.
    Cross->SetKeepSnappedSeries(true);
    EXPECT_TRUE(Cross->SearchSeriesSnap(Shown.Pixel(12, 20)));
    EXPECT_EQ(Cross->GetSnappedSeries(), Second);
    EXPECT_EQ(Cross->GetSnappedIdx(), 0);
    Cross->SetKeepSnappedSeries(false);

    // By X alone, a vertical line snaps to the point of nearest X whatever its height.
    auto* Vertical = Shown.Add<TQvVerticalMarker>("Vertical", 0, 0);
    EXPECT_TRUE(Vertical->SearchSeriesSnap(Shown.Pixel(17, 95)));
    EXPECT_EQ(Vertical->GetSnappedSeries(), Second);
    EXPECT_DOUBLE_EQ(Vertical->GetX(), 20);

    // A regression line over the first series is a target only with SnapToFunctions.
    auto* Fit = Chart.NewSeriesOf<TQvLinearRegression>({10, 50, 90}, {10, 50, 90});
    First->SetVisible(false);
    Second->SetVisible(false);
    Shown.Show();
    EXPECT_TRUE(Cross->SearchSeriesSnap(Shown.Pixel(40, 41)));
    EXPECT_EQ(Cross->GetSnappedSeries(), Fit);
    EXPECT_EQ(Cross->GetSnappedIdx(), -1);
    EXPECT_NEAR(Cross->GetY(), Cross->GetX(), 1e-9);
    Cross->SetSnapToFunctions(false);
    const double X = Cross->GetX();
    EXPECT_FALSE(Cross->SearchSeriesSnap(Shown.Pixel(40, 41)));
    EXPECT_EQ(Cross->GetSnappedSeries(), nullptr);
    EXPECT_EQ(Cross->GetSnappedIdx(), -1);
    EXPECT_DOUBLE_EQ(Cross->GetX(), X);
}

// A caption quoting a marker's variables follows it as it moves, its own and another
// component's; the caption box is hit, the empty rest of the control lets the graph have the
// mouse.
TEST(MarkerCaption, FollowsTheVariablesItQuotesAndIsHitWithTheLine) {
    TShownMarkers Shown;
    auto* Horizontal = Shown.Add<TQvHorizontalMarker>("Level", 0, 25);
    const QString Ref = GetComponentRef(Horizontal);
    Horizontal->SetCaption("<%" + Ref + ".Y;0.00%>");
    Horizontal->SetCaptionVisible(true);
    auto* Label = Shown.Add<TQvLabelWithArrowMarker>("Label", 50, 50);
    Label->SetCaption("Level \\b<%" + Ref + ".Y;0.0%>");
    EXPECT_EQ(Horizontal->CaptionObject()->GetPlainText(), "25.00");
    EXPECT_EQ(Label->CaptionObject()->GetPlainText(), "Level 25.0");
    Horizontal->SetY(62.5);
    EXPECT_EQ(Horizontal->CaptionObject()->GetPlainText(), "62.50");
    EXPECT_EQ(Label->CaptionObject()->GetPlainText(), "Level 62.5");

    // The caption stands above the right end of the line.
    const QPoint Hot = Horizontal->HotSpot();
    const QRect Bounds = Horizontal->BoundsRect();
    const TGPRectF& Area = Shown.Chart.Graph->GetDrawingArea();
    const QPoint OnCaption(int(Area.X + Area.Width) - 12, Hot.y() - 9);
    const QPoint BelowLine(OnCaption.x(), Hot.y() + 9);
    ASSERT_TRUE(Bounds.contains(BelowLine));
    EXPECT_EQ(Shown.Chart.Graph->ControlAtPos(OnCaption), Horizontal);
    EXPECT_EQ(Shown.Chart.Graph->ControlAtPos(Hot + QPoint(0, 2)), Horizontal);
    EXPECT_EQ(Shown.Chart.Graph->ControlAtPos(BelowLine), nullptr);
    const QImage Image = Shown.Shot();
    int Text = 0;
    for (int x = OnCaption.x() - 30; x <= OnCaption.x(); ++x)
        for (int y = Hot.y() - 16; y < Hot.y() - 3; ++y)
            Text += Red(Image.pixel(x, y));
    EXPECT_GT(Text, 10);
}

// Hovering shows the grips of a label-with-arrow marker; dragging the arrow grip moves the
// arrow end, the point staying, as one undo step.
TEST(MarkerGrips, ShowOnHoverAndReshapeTheLabel) {
    TShownMarkers Shown;
    auto* Stack = Shown.Chart.NewUndoStack();
    auto* Label = Shown.Add<TQvLabelWithArrowMarker>("Label", 40, 40);
    Label->SetCaption("Peak");
    EXPECT_EQ(Label->GetArrowDeltaX(), 50);
    EXPECT_EQ(Label->GetArrowDeltaY(), -50);
    EXPECT_FALSE(Label->ArrowGrip()->GetVisible());
    const QPoint Hot = Label->HotSpot();
    Shown.Move(Hot + QPoint(1, 1));
    EXPECT_TRUE(Label->ArrowGrip()->GetVisible());
    EXPECT_TRUE(Label->CaptionGrip()->GetVisible());
    const QPoint End = Hot + Label->ArrowEnd();
    Shown.Move(End);
    EXPECT_TRUE(Label->ArrowGrip()->GetVisible());
    Shown.Drag(End, End + QPoint(30, -10));
    EXPECT_EQ(Label->GetArrowDeltaX(), 80);
    EXPECT_EQ(Label->GetArrowDeltaY(), -60);
    EXPECT_EQ(Label->HotSpot(), Hot);
    EXPECT_NEAR(Label->GetArrowLength(), 100, 1e-4);
    EXPECT_NEAR(Label->GetArrowAngle(), 36.8699, 1e-3);
    Stack->Undo();
    EXPECT_EQ(Label->ArrowEnd(), QPoint(50, -50));
    Shown.Move(QPoint(2, 2));
    EXPECT_FALSE(Label->ArrowGrip()->GetVisible());
}

namespace {

using TMaker = std::function<TQvMovable*(TShownMarkers&)>;

// Every stored field away from its default.
void Customize(TQvMovable* Marker, TQvSeries* Series) {
    Marker->SetCaption("First\rsecond <%1+1;0%>");
    Marker->SetCaptionVisible(!Marker->GetCaptionVisible());
    Marker->SetCaptionVertical(true);
    Marker->SetCaptionDeltaX(-7);
    Marker->SetCaptionDeltaY(9);
    Marker->SetForeColor(0xFF123456);
    Marker->GetLine()->SetWidth(2.5f);
    Marker->SetClipToData(false);
    Marker->SetMouseDrag(false);
    Marker->SetStartMovingKeys(TShiftStateItem::Ctrl | TShiftStateItem::Right);
    Marker->SetSnapToSeriesValues(true);
    Marker->SetSnapToFunctions(false);
    Marker->SetSnappedSeries(Series);
    Marker->SetSnappedIdx(1);
    Marker->SetCaptionBackColor(0x80FFFF00);
    Marker->GetCaptionBackGradient()->SetVisible(true);
    Marker->GetCaptionBackFrame()->SetVisible(true);
    Marker->SetCaptionBackRaised(true);
    Marker->SetCaptionBackShadow(true);
    Marker->SetCaptionBackSpaceToBorder(25);
    Marker->SetCaptionBackRounding(6);
    Marker->GetCaptionFont()->SetSizeF(13.5f);
    Marker->SetHint("A hint");
    Marker->SetVisible(false);
}

// A binary record without its class name and reference.
QByteArray Fields(const QByteArray& Record) {
    QBuffer Buffer;
    Buffer.setData(Record);
    Buffer.open(QIODevice::ReadOnly);
    StringFromStream(&Buffer);
    StringFromStream(&Buffer);
    return Record.mid(Buffer.pos());
}

// The INI keys after the section, "Type" and "Name".
QStringList IniFields(const TQvMovable* Marker) {
    return IniLines(Marker, "Marker").mid(3);
}

} // namespace

// Each marker reads back from each form what it wrote, so that it writes the same again; a
// truncated binary record raises and changes nothing, and a record of another class is
// refused.
TEST(MarkerRecord, RoundTripsInEveryFormAndRefusesDamage) {
    TShownMarkers Shown;
    auto* Series = Shown.Chart.NewSeriesOf<TQvPointSeries>({1, 2}, {3, 4}, "Data");
    const std::vector<std::pair<const char*, TMaker>> Makers = {
        {"horizontal", [](TShownMarkers& S) { return S.Add<TQvHorizontalMarker>("", 0, 33.25); }},
        {"vertical", [](TShownMarkers& S) { return S.Add<TQvVerticalMarker>("", 12.5, 0); }},
        {"cross-hair", [](TShownMarkers& S) { return S.Add<TQvCrossHair>("", 10, 20); }},
        {"label", [](TShownMarkers& S) { return S.Add<TQvLabelWithArrowMarker>("", 70, 80); }},
    };
    int Count = 0;
    for (const auto& Entry : Makers) {
        SCOPED_TRACE(Entry.first);
        const TMaker& Make = Entry.second;
        TQvMovable* Original = Make(Shown);
        Original->SetName(QStringLiteral("Stored%1").arg(++Count));
        Customize(Original, Series);
        if (auto* Cross = qobject_cast<TQvCrossHair*>(Original)) {
            Cross->SetCaptionPosition(TQvXHairCaptionPosition::LeftBottom);
            Cross->GetHorizontalMarker()->SetCaption("Level");
        } else if (auto* Label = qobject_cast<TQvLabelWithArrowMarker*>(Original)) {
            Label->SetArrowDeltaX(-30);
            Label->SetBentLength(12);
            Label->SetHoverGrips(false);
            Label->SetDraggingOptions(TQvArrowMarkerDraggingOption::Hotspot);
            Label->GetArrow()->SetPointLength(9);
            Label->GetArrow()->SetVisible(false);
        } else if (auto* Line = qobject_cast<TQvLineMarker*>(Original)) {
            Line->SetCaptionPosition(TQvContentAlignment::MiddleLeft);
        }
        const QByteArray Bytes = Binary(Original);
        for (TRecordForm Form : RecordForms) {
            SCOPED_TRACE(FormName(Form));
            TQvMovable* Read = Make(Shown);
            CopyRecord(Original, Read, Form);
            EXPECT_EQ(Fields(Binary(Read)), Fields(Bytes));
            EXPECT_EQ(IniFields(Read), IniFields(Original));
            EXPECT_EQ(Read->GetSnappedSeries(), Series);
        }

        // Every truncation raises; the marker keeps what it had.
        TQvMovable* Untouched = Make(Shown);
        const QStringList Before = IniLines(Untouched, "Marker");
        for (qsizetype n = 0; n < Bytes.size(); ++n)
            EXPECT_THROW(ReadBinary(Untouched, Bytes.left(n)), Exception) << n;
        EXPECT_EQ(IniLines(Untouched, "Marker"), Before);
    }
    // Offsets and sizes a damaged record may hold are kept within what pixels can take.
    auto* Wide = Shown.Add<TQvLabelWithArrowMarker>("Wide", 50, 50);
    TMemIniFile Wild(QString{});
    Wild.SetStrings({"[W]", "Caption=Wide", "Caption.DeltaY=2147483647", "Arrow.DeltaX=-2147483648",
                     "Arrow.BentLength=2147483647", "CaptionBack.SpaceToBorder=1e30",
                     "Line.Width=1e30"});
    Wide->ReadFrom(&Wild, "W");
    EXPECT_EQ(Wide->GetCaptionDeltaY(), TQvMovable::MaxReach);
    EXPECT_EQ(Wide->GetArrowDeltaX(), -TQvMovable::MaxReach);
    EXPECT_EQ(Wide->GetBentLength(), TQvMovable::MaxReach);
    EXPECT_LE(Wide->GetHeight(), 2 * TQvMovable::MaxReach + 3);
    Shown.Shot();

    // A vertical marker's record does not read into a horizontal one.
    auto* Vertical = Shown.Add<TQvVerticalMarker>("V", 5, 0);
    auto* Horizontal = Shown.Add<TQvHorizontalMarker>("H", 0, 5);
    EXPECT_THROW(ReadBinary(Horizontal, Binary(Vertical)), EReadError);
}
