// Bar series: classes, ranges, the pixel edges of shifted and stacked bars, labels, captions
// from a list and from an SQLite table, hit tests, the paint order in depth, and records.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"
#include "../sqlitetable.h"

#include <annotations/qvrichlabel.h>
#include <framework/qvdb.h>
#include <framework/qvexceptions.h>
#include <framework/qvstringlist.h>
#include <series/qvbars.h>

#include <gtest/gtest.h>

namespace {

// A 400 × 400 pixel graph with fixed axes and no numbers: X from 0 to 4, Y from -4 to 8.
struct TBarChart : TChart {
    TBarChart() {
        Graph->SetBounds(0, 0, 400, 400);
        X->SetNumbersVisible(false);
        Y->SetNumbersVisible(false);
        Fix(X, 0, 4);
        Fix(Y, -4, 8);
    }
    TQvBars* NewBars(TQvCustomDoubleVector* YData, TQvCustomDoubleVector* XData = nullptr) {
        return NewSeries<TQvBars>(XData, YData);
    }
    // Left and right pixel edges of the bar of class i, and its top and bottom.
    static std::array<float, 4> Edges(const TQvBars* Bars, int i) {
        for (const TQvBars::TBar& B : Bars->Bars())
            if (B.Index == i) return {B.TopLeft.X, B.BottomRight.X, B.TopLeft.Y, B.BottomRight.Y};
        return {-1, -1, -1, -1};
    }
    float XPixel(double v) const { return X->NumberToWorld(v); }
    float YPixel(double v) const { return Y->NumberToWorld(v); }
};

} // namespace

TEST(Bars, ClassesRangesAndEdges) {
    {
        // Values against the indexer: classes [0, 1], [1, 2], [2, 3]; the range holds 0.
        TBarChart Chart;
        TQvBars* Bars = Chart.NewBars(Chart.NewVector("", {3, 5, 2}));
        Chart.Paint();
        EXPECT_EQ(Bars->GetCount(), 3);
        EXPECT_EQ(
            (std::array{Bars->GetXStart(), Bars->GetXStop(), Bars->GetYStart(), Bars->GetYStop()}),
            (std::array<double, 4>{0, 3, 0, 5}));
        // Boundaries of their own: as many classes as boundaries minus one.
        Bars->SetXData(Chart.NewVector("", {0, 10, 20, 30}));
        Chart.Paint();
        EXPECT_EQ(Bars->GetCount(), 3);
        EXPECT_EQ(Bars->Get_X(3), 30);
        EXPECT_EQ(Bars->GetXStop(), 30);
        // A trailing outlier is no class unless outliers show.
        static_cast<TQvDoubleVector*>(Bars->GetYData())->AddOutlier(2);
        EXPECT_EQ(Bars->GetCount(), 2);
        Bars->SetOutliersVisible(true);
        EXPECT_EQ(Bars->GetCount(), 3);
    }

    TBarChart Chart;
    TQvBars* A = Chart.NewBars(Chart.NewVector("", {3, -2, 1, 2}));
    A->SetClassesDistance(20);
    Chart.Paint();
    // 20 % of the class width, 10 % on each side.
    const float Gap = (Chart.XPixel(1) - Chart.XPixel(0)) / 10;
    const auto E = TBarChart::Edges(A, 1);
    EXPECT_FLOAT_EQ(E[0], Chart.XPixel(1) + Gap);
    EXPECT_FLOAT_EQ(E[1], Chart.XPixel(2) - Gap);
    // A negative value hangs from 0.
    EXPECT_FLOAT_EQ(E[2], Chart.YPixel(0));
    EXPECT_FLOAT_EQ(E[3], Chart.YPixel(-2));

    // A second shifted series halves each class, in graph order; both take the larger gap.
    TQvBars* B = Chart.NewBars(Chart.NewVector("", {1, 1, 1, 1}));
    Chart.Paint();
    EXPECT_FLOAT_EQ(TBarChart::Edges(A, 0)[0], Chart.XPixel(0) + Gap);
    EXPECT_FLOAT_EQ(TBarChart::Edges(A, 0)[1], Chart.XPixel(0.5));
    EXPECT_FLOAT_EQ(TBarChart::Edges(B, 0)[0], Chart.XPixel(0.5));
    EXPECT_FLOAT_EQ(TBarChart::Edges(B, 0)[1], Chart.XPixel(1) - Gap);
    B->SetLayer(-1);
    Chart.Paint();
    EXPECT_FLOAT_EQ(TBarChart::Edges(B, 0)[0], Chart.XPixel(0) + Gap);

    // Stacked: the second pile starts where the first ends, downwards for negative values.
    A->SetOverlayStyle(TQvBarsOverlayStyle::Stack);
    B->SetOverlayStyle(TQvBarsOverlayStyle::Stack);
    Chart.Paint();
    EXPECT_FALSE(B->GetTopMost());
    EXPECT_TRUE(A->GetTopMost());
    EXPECT_EQ(A->Get_Y(0), 4);
    EXPECT_FLOAT_EQ(TBarChart::Edges(A, 0)[2], Chart.YPixel(4));
    EXPECT_FLOAT_EQ(TBarChart::Edges(A, 0)[3], Chart.YPixel(1));
    EXPECT_EQ(A->Get_Y(1), -1);
    EXPECT_FLOAT_EQ(TBarChart::Edges(A, 1)[2], Chart.YPixel(1));
    EXPECT_FLOAT_EQ(TBarChart::Edges(A, 1)[3], Chart.YPixel(-1));
    EXPECT_EQ(A->GetYStart(), -1);
    EXPECT_EQ(A->GetYStop(), 4);
    // A change below shows in the pile on top.
    static_cast<TQvDoubleVector*>(B->GetYData())->SetValue(0, 5);
    Chart.Paint();
    EXPECT_FLOAT_EQ(TBarChart::Edges(A, 0)[2], Chart.YPixel(8));

    // Hit tests find the class under the point.
    const auto Top = TBarChart::Edges(A, 2);
    EXPECT_EQ(A->FindPoint((Top[0] + Top[1]) / 2, (Top[2] + Top[3]) / 2), 2);
    EXPECT_EQ(A->FindPoint((Top[0] + Top[1]) / 2, Top[2] - 2), -1);

    // Horizontal bars exchange the roles: classes run along Y, values along X.
    TBarChart Flat;
    TQvBars* H = Flat.NewBars(Flat.NewVector("", {2, 3}));
    H->SetBarsHorizontal(true);
    H->SetXData(Flat.NewVector("", {1, 3}));
    H->SetYData(nullptr);
    TChart::Fix(Flat.X, -4, 8);
    TChart::Fix(Flat.Y, 0, 4);
    Flat.Paint();
    const auto HE = TBarChart::Edges(H, 1);
    EXPECT_FLOAT_EQ(HE[1], Flat.XPixel(3));
    EXPECT_FLOAT_EQ(HE[0], Flat.XPixel(0) + 1);
    EXPECT_FLOAT_EQ(std::min(HE[2], HE[3]), Flat.YPixel(2));
}

TEST(Bars, LabelsAndCaptions) {
    TBarChart Chart;
    TQvBars* Bars = Chart.NewBars(Chart.NewVector("", {1, 1, 2}));
    Bars->SetLabelPosition(TQvBarLabelPosition::Centered);
    Bars->SetLabelFrom(TQvLabelStyle::Percent);
    Chart.Paint();
    const auto Texts = [&] {
        QStringList Result;
        for (int k = 0; k < int(Bars->Bars().size()); ++k)
            Result << Bars->Label(k)->GetPlainText();
        return Result;
    };
    EXPECT_EQ(Texts(), QStringList({"25%", "25%", "50%"}));
    // Centred halfway along the bar, across its middle.
    const auto E = TBarChart::Edges(Bars, 2);
    EXPECT_FLOAT_EQ(Bars->Label(2)->GetAnchorY(), (E[2] + E[3]) / 2);
    EXPECT_FLOAT_EQ(Bars->Label(2)->GetAnchorX(), (E[0] + E[1]) / 2);

    TStringList Names;
    Names.AddStrings({"North", "", "South"});
    Bars->SetCaptionsList(&Names);
    Bars->SetLabelFrom(TQvLabelStyle::CaptionAndValue);
    Bars->SetLabelFormat("0.0");
    Chart.Paint();
    EXPECT_EQ(Texts(), QStringList({"North 1.0", "1.0", "South 2.0"}));
    // The series hears of the list's changes; the event may rewrite any label.
    Names.SetStrings(1, "Middle");
    Bars->SetOnGetLabel([](TObject*, TQvGetLabelEventArgs& e) {
        if (e.Index == 2) e.Caption = "last";
    });
    Chart.Paint();
    EXPECT_EQ(Texts(), QStringList({"North 1.0", "Middle 1.0", "last"}));

    // Above the bar: half the label beyond its end; inside at the top for a stacked series
    // with another on it.
    Bars->SetOnGetLabel({});
    Bars->SetLabelPosition(TQvBarLabelPosition::OnTopOfBar);
    Chart.Paint();
    const TQvRichCaptionObject* Label = Bars->Label(2);
    EXPECT_FLOAT_EQ(Label->GetAnchorY(), Chart.YPixel(2) - Label->GetHeight() / 2);
    Bars->SetOverlayStyle(TQvBarsOverlayStyle::Stack);
    TQvBars* Above = Chart.NewBars(Chart.NewVector("", {1, 1, 1}));
    Above->SetOverlayStyle(TQvBarsOverlayStyle::Stack);
    Chart.Paint();
    Label = Bars->Label(2);
    EXPECT_FLOAT_EQ(Label->GetAnchorY(), Chart.YPixel(2) + 0.75f * Label->GetHeight());
    EXPECT_EQ(QvLabels::ValueText("", 2.5), "2.5");
}

TEST(Bars, CaptionsFromAnSqliteField) {
    TSqliteNames Table("qvbarcaptions", "Regions", {"North", QString(), "West"});
    QSqlTableModel& Model = Table.Model();
    TBarChart Chart;
    auto* Source = new TDataSource(Chart.Owner.get());
    Source->SetName("Regions");
    Source->SetModel(&Model);
    TQvBars* Bars = Chart.NewBars(Chart.NewVector("", {1, 2, 3}));
    Bars->SetLabelPosition(TQvBarLabelPosition::InTop);
    Bars->SetLabelFrom(TQvLabelStyle::CaptionsList);
    Bars->SetCaptionsField("Name");
    Bars->SetDataSource(Source);
    EXPECT_EQ(Bars->GetCaptions(), nullptr);
    TStringList Other;
    EXPECT_EQ(MessageOf<Exception>([&] { Bars->SetCaptionsList(&Other); }),
              "Setting captions list not allowed with database binding set");
    Chart.Paint();
    EXPECT_EQ(Bars->Label(0)->GetPlainText(), "North");
    EXPECT_EQ(Bars->Label(1)->GetPlainText(), "");
    EXPECT_EQ(Bars->Label(2)->GetPlainText(), "West");

    // An edit of the table shows in the next paint.
    ASSERT_TRUE(Model.setData(Model.index(2, 1), "East"));
    ASSERT_TRUE(Model.submitAll());
    Chart.Paint();
    EXPECT_EQ(Bars->Label(2)->GetPlainText(), "East");
    // The binding survives the record, and ends with its source.
    TQvBars* Copy = Chart.NewBars(Chart.NewVector("", {1}));
    ReadBinary(Copy, Binary(Bars));
    EXPECT_EQ(Copy->GetDataSource(), Source);
    EXPECT_EQ(Copy->GetCaptionsField(), "Name");
    delete Source;
    EXPECT_EQ(Bars->GetDataSource(), nullptr);
    EXPECT_NE(Bars->GetCaptions(), nullptr);
}

// In depth, the bars of all series are painted class by class: the bar of the next class
// covers the side face of the previous class's bar of another series.
TEST(Bars, PaintOrderInDepth) {
    TBarChart Chart;
    TQvBars* A = Chart.NewBars(Chart.NewVector("", {6, 6, 6, 6}));
    TQvBars* B = Chart.NewBars(Chart.NewVector("", {6, 6, 6, 6}));
    A->GetArea()->SetForeColor(0xFF0000FF);
    B->GetArea()->SetForeColor(0xFFFF0000);
    for (TQvBars* Bars : {A, B}) {
        Bars->GetLine()->SetVisible(false);
        Bars->SetBarStyle(TQvBarStyle::Cuboid);
        Bars->SetDepth3D(100);
    }
    const QImage Image = Chart.Render();
    ASSERT_TRUE(A->DepthOffsets());
    // Just right of B's bar of class 0, where its side face and A's bar of class 1 meet.
    const auto Side = TBarChart::Edges(B, 0);
    const QColor Seen = Image.pixelColor(int(Side[1]) + 2, int(Chart.YPixel(3)));
    EXPECT_GT(Seen.blue(), Seen.red()) << "A's bar of class 1 lies over B's side face";
    // Only the first bar series paints; the graph draws the back wall for the depth.
    EXPECT_EQ(A->GetDepthX(), B->GetDepthX());
}

// More classes than pixel columns: one bar per column reaching the highest of its bars.
TEST(Bars, MoreClassesThanColumns) {
    TBarChart Chart;
    Chart.Y->SetStart(0);
    auto* Values = new TQvDoubleVector(Chart.Owner.get());
    for (int i = 0; i < 100'000; ++i)
        Values->Add(i % 997 == 500 ? 7 : 1);
    TQvBars* Bars = Chart.NewBars(Values);
    Bars->GetLine()->SetVisible(false);
    Bars->GetArea()->SetForeColor(0xFF000000);
    Chart.X->SetStop(100'000);
    const QImage Image = Chart.Render();
    EXPECT_EQ(Bars->Bars().size(), 100'000u);
    const float Columns = Chart.XPixel(100'000) - Chart.XPixel(0);
    for (int i = 500; i < 100'000; i += 997) {
        const int x = int(std::floor(Chart.XPixel(i)));
        EXPECT_EQ(Image.pixelColor(x, int(Chart.YPixel(6.5))), Qt::black) << i;
    }
    EXPECT_NE(Image.pixelColor(int(Chart.XPixel(1000)), int(Chart.YPixel(6.5))), Qt::black);
    EXPECT_EQ(Image.pixelColor(int(Chart.XPixel(1000)), int(Chart.YPixel(0.5))), Qt::black);
    // Drawn per column, not per class; hit tests still find every class.
    EXPECT_LE(Bars->PaintedBars(), int(Columns) + 2);
    const auto E = TBarChart::Edges(Bars, 1234);
    EXPECT_EQ(Bars->FindPoint((E[0] + E[1]) / 2, Chart.YPixel(0.5)), 1234);
}

TEST(Bars, RecordsRoundTripInEveryForm) {
    TBarChart Chart;
    TQvBars* Bars = Chart.NewBars(Chart.NewVector("", {1, 2}));
    Bars->SetName("Bars");
    const TPropertyValues Values = {
        {"BarsHorizontal", true},
        {"BarStyle", QVariant::fromValue(TQvBarStyle::Cylinder)},
        {"OverlayStyle", QVariant::fromValue(TQvBarsOverlayStyle::Stack)},
        {"Depth3D", 70.0},
        {"ClassesDistance", 15.0},
        {"LabelFrom", QVariant::fromValue(TQvLabelStyle::CaptionAndPercent)},
        {"LabelPosition", QVariant::fromValue(TQvBarLabelPosition::GoldenCut)},
        {"LabelSize", 33.0f},
        {"LabelVertical", true},
        {"LabelFormat", "0.00"},
        {"LabelColor", QVariant::fromValue(TQvColor(0xFF123456))}};
    SetProperties(Bars, Values);
    Bars->GetCaptions()->AddStrings({"one", "two; \\b lines"});
    const QByteArray Stored = Binary(Bars);

    for (TRecordForm Form : RecordForms) {
        SCOPED_TRACE(FormName(Form));
        TQvBars* Copy = Chart.NewBars(Chart.NewVector("", {1}));
        auto* Undo = new TQvUndoStack(Chart.Owner.get());
        Copy->SetUndoStack(Undo);
        CopyRecord(Bars, Copy, Form);
        EXPECT_EQ(Undo->UndoCount(), 0);
        ExpectProperties(Copy, Values);
        EXPECT_EQ(Copy->GetCaptions()->ToStringList(), QStringList({"one", "two; \\b lines"}));
    }

    // A record cut short changes nothing.
    TQvBars* Untouched = Chart.NewBars(Chart.NewVector("", {1}));
    EXPECT_THROW(ReadBinary(Untouched, Stored.left(Stored.size() - 3)), EReadError);
    EXPECT_EQ(Untouched->GetBarStyle(), TQvBarStyle::Flat);
    EXPECT_TRUE(Untouched->GetCaptions()->ToStringList().isEmpty());
}
