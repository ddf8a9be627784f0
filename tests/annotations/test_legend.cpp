// Legends: the items they list, their grid, docking in the graph's layout, and dragging a
// floating legend with the mouse.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"

#include <annotations/qvlegend.h>
#include <framework/qvexceptions.h>
#include <framework/qvstringlist.h>

#include <gtest/gtest.h>

#include <limits>

namespace {

struct TLegendChart {
    TLegendChart() {
        Chart.FixAxes(0, 10);
        for (const char* Name : {"A", "B", "C"}) {
            auto* S = Chart.NewSeriesOf<TQvPointSeries>({1, 9}, {1, 9}, QString::fromLatin1(Name));
            S->SetCaption(QString::fromLatin1(Name));
            Series.push_back(S);
        }
        Legend = new TQvLegend(Chart.Owner.get());
        Legend->SetParent(Chart.Graph);
        Legend->SetGraph(Chart.Graph);
    }
    QStringList Captions() const {
        QStringList Result;
        for (int i = 0; i < Legend->ItemCount(); ++i)
            Result << Legend->ItemCaption(i)->GetCaption();
        return Result;
    }
    TChart Chart;
    std::vector<TQvPointSeries*> Series;
    TQvLegend* Legend;
};

QRectF AreaOf(const TQvGraph2D* Graph) {
    const TGPRectF& A = Graph->GetDrawingArea();
    return QRectF(A.X, A.Y, A.Width, A.Height);
}

} // namespace

// The order list first (unknown names skipped), then the graph's series; hidden, excluded and
// merged series have no item of their own; the grid follows Rows and the docked side.
TEST(Legend, ItemsInOrderAndInTheirGrid) {
    TLegendChart L;
    L.Chart.Paint();
    EXPECT_EQ(L.Captions(), QStringList({"A", "B", "C"}));
    L.Legend->GetItemsOrderList()->Add(GetComponentRef(L.Series[2]));
    L.Legend->GetItemsOrderList()->Add(QStringLiteral("NoSuchSeries"));
    EXPECT_EQ(L.Captions(), QStringList({"C", "A", "B"}));
    L.Series[0]->SetIncludeInLegend(false);
    L.Series[1]->SetMergeLegendItemWith(L.Series[2]);
    EXPECT_EQ(L.Captions(), QStringList({"C"}));
    L.Series[0]->SetIncludeInLegend(true);
    L.Series[1]->SetMergeLegendItemWith(nullptr);

    // Three items by row in three rows: one per row, each below the last.
    L.Legend->SetItemsOrder(TQvItemsOrder::ByRow);
    L.Legend->SetRows(3);
    EXPECT_GT(L.Legend->ItemRect(1).top(), L.Legend->ItemRect(0).bottom());
    EXPECT_GT(L.Legend->ItemRect(2).top(), L.Legend->ItemRect(1).bottom());
    // In one row they stand side by side, and the hit test finds each.
    L.Legend->SetRows(1);
    EXPECT_EQ(L.Legend->ItemRect(1).top(), L.Legend->ItemRect(0).top());
    EXPECT_GT(L.Legend->ItemRect(1).left(), L.Legend->ItemRect(0).right());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(L.Legend->ItemAt(L.Legend->ItemRect(i).center().x(),
                                   L.Legend->ItemRect(i).center().y()),
                  i);
    EXPECT_EQ(L.Legend->ItemAt(0, 0), -1);
    // The auto-sized legend holds all its items.
    EXPECT_LE(L.Legend->ItemRect(2).right(), L.Legend->GetWidth());

    L.Legend->SetPosition(TQvLegendPosition::LeftCenterOfAxis);
    EXPECT_EQ(L.Legend->GetItemsOrder(), TQvItemsOrder::ByColumn);
    L.Legend->SetPosition(TQvLegendPosition::TopCenterOfGraph);
    EXPECT_EQ(L.Legend->GetItemsOrder(), TQvItemsOrder::ByRow);
}

// At every docked position the data area gives up the legend's room at that side, and the
// legend lies on the graph beside the data area; legends of one side share a band.
TEST(Legend, DockedLegendsTakeRoomAtTheirSide) {
    TLegendChart L;
    TQvGraph2D* Graph = L.Chart.Graph;
    L.Legend->SetPosition(TQvLegendPosition::FreeFloating);
    L.Chart.Paint();
    const QRectF Free = AreaOf(Graph);
    for (int p = 0; p < int(TQvLegendPosition::FreeFloating); ++p) {
        const auto Position = TQvLegendPosition(p);
        L.Legend->SetPosition(Position);
        L.Chart.Paint();
        const QRectF Area = AreaOf(Graph);
        const QRect Box(L.Legend->GetLeft(), L.Legend->GetTop(), L.Legend->GetWidth(),
                        L.Legend->GetHeight());
        SCOPED_TRACE(p);
        EXPECT_FALSE(QRectF(Box).intersects(Area));
        EXPECT_TRUE(QRect(0, 0, Graph->GetWidth(), Graph->GetHeight()).contains(Box));
        const auto Side = L.Legend->Dock()->Side;
        if (Side == TQvDocked::TSide::Bottom)
            EXPECT_NEAR(Area.bottom(), Free.bottom() - Box.height(), 8);
        else if (Side == TQvDocked::TSide::Top)
            EXPECT_NEAR(Area.top(), Free.top() + Box.height(), 8);
        else if (Side == TQvDocked::TSide::Left)
            EXPECT_GE(Area.left(), Box.right());
        else
            EXPECT_LE(Area.right(), Box.left());
    }

    // A second, taller legend at the same side: side by side, the band as tall as the taller.
    L.Legend->SetPosition(TQvLegendPosition::BottomCenterOfGraph);
    auto* Tall = new TQvLegend(L.Chart.Owner.get());
    Tall->SetParent(Graph);
    Tall->SetGraph(Graph);
    Tall->SetCaptionVisible(true);
    Tall->SetCaption(QStringLiteral("Heading"));
    Tall->SetPosition(TQvLegendPosition::BottomCenterOfAxis);
    L.Chart.Paint();
    EXPECT_EQ(Tall->GetTop() + Tall->GetHeight(), L.Legend->GetTop() + L.Legend->GetHeight());
    EXPECT_GE(Tall->GetLeft(), L.Legend->GetLeft() + L.Legend->GetWidth());
    EXPECT_NEAR(AreaOf(Graph).bottom(), Free.bottom() - Tall->GetHeight(), 8);
}

// A floating legend follows the mouse over the chart as painted without it and stays whole on
// the graph; the drag is one undo step.
TEST(Legend, FloatingLegendIsDraggedAndKeptOnTheGraph) {
    TLegendChart L;
    auto* Stack = L.Chart.NewUndoStack();
    L.Legend->SetUndoStack(Stack);
    L.Legend->SetBackColor(0xFFFF0000);
    L.Legend->SetBounds(50, 50, 0, 0);
    QWidget* Window = L.Chart.Graph->Widget();
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window));
    Window->repaint();
    const QPoint Grip(L.Legend->GetLeft() + 3, L.Legend->GetTop() + 3);
    QTest::mousePress(Window, Qt::LeftButton, Qt::NoModifier, Grip);
    QTest::mouseMove(Window, Grip + QPoint(100, 40));
    EXPECT_TRUE(L.Legend->GetDragging());
    EXPECT_EQ(L.Legend->GetLeft(), 150);
    EXPECT_EQ(L.Legend->GetTop(), 90);
    // The legend shows at its new place only.
    const QImage During = Window->grab().toImage();
    EXPECT_EQ(During.pixel(153, 93), 0xFFFF0000);
    EXPECT_NE(During.pixel(53, 53), 0xFFFF0000);
    QTest::mouseMove(Window, Grip + QPoint(5000, 5000));
    QTest::mouseRelease(Window, Qt::LeftButton, Qt::NoModifier, Grip + QPoint(5000, 5000));
    EXPECT_FALSE(L.Legend->GetDragging());
    EXPECT_EQ(L.Legend->GetLeft() + L.Legend->GetWidth(), L.Chart.Graph->ClientWidth());
    EXPECT_EQ(L.Legend->GetTop() + L.Legend->GetHeight(), L.Chart.Graph->ClientHeight());
    Stack->Undo(1);
    EXPECT_EQ(L.Legend->GetLeft(), 50);
    EXPECT_EQ(L.Legend->GetTop(), 50);
}

// The three forms carry every setting; a cut or corrupt binary record changes nothing.
TEST(Legend, RecordsRoundTripInThreeForms) {
    TLegendChart L;
    TQvLegend* Legend = L.Legend;
    Legend->SetName(QStringLiteral("Key"));
    const TPropertyValues Values = {
        {"Position", QVariant::fromValue(TQvLegendPosition::RightTopOfAxis)},
        {"ItemsOrder", QVariant::fromValue(TQvItemsOrder::ByRow)},
        {"Rows", 2},
        {"ItemWidth", 33.5f},
        {"DistanceToBorder", 6.0f},
        {"Caption", "Level \\i(m)\\i"},
        {"CaptionVisible", true},
        {"CaptionAlignment", QVariant::fromValue(TAlignment::taRightJustify)},
        {"BackColor", QVariant::fromValue(TQvColor(0x80FF8000))}};
    SetProperties(Legend, Values);
    Legend->SetLegendCaptionColorFrom(TQvLegendCaptionColorFrom::SeriesLineColor);
    Legend->GetFrame()->SetWidth(2.5f);
    Legend->GetCaptionFont()->SetSizeF(14.5f);
    Legend->GetItemsOrderList()->Add(GetComponentRef(L.Series[1]));
    for (TRecordForm Form : RecordForms) {
        SCOPED_TRACE(FormName(Form));
        auto* Read = new TQvLegend(L.Chart.Owner.get());
        CopyRecord(Legend, Read, Form);
        ExpectProperties(Read, Values);
        EXPECT_EQ(Read->GetGraph(), L.Chart.Graph);
        EXPECT_EQ(Read->GetParent(), L.Chart.Graph);
        EXPECT_EQ(Read->GetFrame()->GetWidth(), 2.5f);
        EXPECT_EQ(Read->GetCaptionFont()->GetSizeF(), 14.5f);
        EXPECT_EQ(Read->GetLegendCaptionColorFrom(), TQvLegendCaptionColorFrom::SeriesLineColor);
        ASSERT_EQ(Read->ItemCount(), 3);
        EXPECT_EQ(Read->ItemSeries(0), L.Series[1]);
    }
    TMemIniFile Ini("");
    Legend->WriteTo(&Ini, "Legend");
    EXPECT_EQ(Ini.ReadString("Legend", "ItemsOrderList(0)", {}), GetComponentRef(L.Series[1]));

    const QByteArray Bytes = Binary(Legend);
    for (const QByteArray& Bad : {Bytes.left(Bytes.size() - 7), Bytes.left(Bytes.size() / 2)}) {
        auto* Untouched = new TQvLegend(L.Chart.Owner.get());
        EXPECT_THROW(ReadBinary(Untouched, Bad), EReadError);
        EXPECT_EQ(Untouched->GetGraph(), nullptr);
        EXPECT_EQ(Untouched->GetPosition(), TQvLegendPosition::FreeFloating);
    }
}

// Sizes from a record are not trusted: distances beyond any screen or not numbers at all lay
// out and paint a legend of bounded size (found by fuzzing).
TEST(Legend, DistancesBeyondAnyScreenStayBounded) {
    TLegendChart L;
    L.Legend->SetDistanceToBorder(1e30f);
    L.Legend->SetItemWidth(std::numeric_limits<float>::quiet_NaN());
    L.Legend->SetDistanceBetweenColumns(-1e30f);
    L.Legend->SetPosition(TQvLegendPosition::BottomCenterOfGraph);
    L.Chart.Paint();
    EXPECT_LE(L.Legend->GetWidth(), 1 << 16);
    EXPECT_GE(L.Legend->ItemRect(0).width(), 0);
}
