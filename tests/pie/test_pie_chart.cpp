// The pie chart: segments and their pixels, labels and the bad values that make none, legends
// around the pie, values and captions from an SQLite table, painted pixels, and records.

#include "../qvtest.h"
#include "../seriesrecords.h"
#include "../sqlitetable.h"

#include <data/qvvectors.h>
#include <framework/qvdb.h>
#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>
#include <framework/qvforms.h>
#include <framework/qvinifiles.h>
#include <framework/qvstringlist.h>
#include <framework/qvxml.h>
#include <pie/qvfillpalette.h>
#include <pie/qvpiechart.h>
#include <pie/qvpielegend.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

struct TPie {
    TPie() : Owner(std::make_unique<TDataModule>(nullptr)) {
        Owner->SetName("PieOwner");
        Chart = new TQvPieChart(Owner.get());
        Chart->SetName("Pie");
        Chart->SetBounds(0, 0, 400, 400);
        Chart->SetDropShadow(false);
        Values = new TQvDoubleVector(Owner.get());
        Values->SetName("Values");
        Chart->SetValues(Values);
    }
    void Set(const std::vector<double>& List) {
        Values->Clear();
        Values->AddRange(List);
        Chart->Calculate();
    }
    TQvPieLegend* Legend(TQvPieLegendPosition Position) {
        auto* L = new TQvPieLegend(Owner.get());
        L->SetName("PieLegend" + QString::number(Owner->ComponentCount()));
        L->SetParent(Chart);
        L->SetPieChart(Chart);
        L->SetPosition(Position);
        return L;
    }
    QImage Paint() {
        QImage Image(Chart->GetWidth(), Chart->GetHeight(), QImage::Format_ARGB32_Premultiplied);
        Image.fill(Qt::white);
        QPainter Painter(&Image);
        Chart->Paint(Painter);
        return Image;
    }
    std::unique_ptr<TDataModule> Owner;
    TQvPieChart* Chart;
    TQvDoubleVector* Values;
};

bool Overlap(const TGPRectF& A, const TGPRectF& B) {
    return A.X < B.X + B.Width && B.X < A.X + A.Width && A.Y < B.Y + B.Height &&
           B.Y < A.Y + A.Height;
}

TGPRectF LabelBox(const TQvRichCaptionObject* L) {
    return {L->GetAnchorX() - L->GetWidth() / 2, L->GetAnchorY() - L->GetHeight() / 2,
            L->GetWidth(), L->GetHeight()};
}

} // namespace

TEST(PieChart, SegmentsAndPixels) {
    TPie P;
    P.Set({1, 1, 2});
    ASSERT_EQ(P.Chart->SegmentCount(), 3);
    EXPECT_DOUBLE_EQ(P.Chart->Segment(2).Sweep, 180);
    EXPECT_DOUBLE_EQ(P.Chart->Segment(2).Start, 180);
    // No margins, shadow or pulled-out slice: the pie fills the control less the last pixel.
    EXPECT_EQ(P.Chart->PieRect(), (TGPRectF{0, 0, 399, 399}));

    // 150 % counts as 100 %: the slice moves a whole radius along its middle (45 degrees), and
    // the pie shrinks so that it stays inside.
    auto* Explode = new TQvDoubleVector(P.Owner.get());
    Explode->AddRange({150});
    P.Chart->SetExplodePercent(Explode);
    P.Chart->Calculate();
    EXPECT_DOUBLE_EQ(P.Chart->Segment(0).Explode, 100);
    const TGPRectF E = P.Chart->PieRect();
    // The slice reaches 1 + sqrt(0.5) radii right and down: half of that beyond the circle is
    // added in diameters on each of those sides.
    const double Grow = std::sqrt(0.5) / 2;
    EXPECT_NEAR(E.Width, 399 / (1 + Grow), 1e-3);
    const TGPPointF Offset = P.Chart->ExplodeOffset(0);
    EXPECT_NEAR(Offset.X, E.Width / 2 * std::sqrt(0.5), 1e-3);
    EXPECT_NEAR(Offset.Y, E.Height / 2 * std::sqrt(0.5), 1e-3);
    EXPECT_NEAR(E.X + E.Width + Offset.X, 399, 1e-3); // the slice ends at the edge

    // A tilted pie: half as high, a tenth of its width thick, sides drawn back to front.
    P.Chart->SetExplodePercent(nullptr);
    P.Chart->SetPieChartType(TQvPieChartType::ThreeDPie);
    P.Set({1, 1, 1, 1});
    EXPECT_FLOAT_EQ(P.Chart->PieRect().Height, P.Chart->PieRect().Width / 2);
    EXPECT_FLOAT_EQ(P.Chart->Thickness(), P.Chart->PieRect().Width / 10);
    const std::vector<int>& Order = P.Chart->DrawingOrder();
    EXPECT_EQ(std::vector<int>(Order.begin(), Order.begin() + 2), (std::vector<int>{2, 3}));
}

TEST(PieChart, LabelTexts) {
    TPie P;
    P.Set({1, 3});
    EXPECT_EQ(P.Chart->GetSegmentCaption(0, TQvLabelStyle::Percent, {}), "25%");
    EXPECT_EQ(P.Chart->GetSegmentCaption(1, TQvLabelStyle::Percent, {}), "75%");
    EXPECT_EQ(P.Chart->GetSegmentCaption(1, TQvLabelStyle::Percent, "0.0"), "75.0%");
    // No caption: no blank before the number.
    EXPECT_EQ(P.Chart->GetSegmentCaption(0, TQvLabelStyle::CaptionAndPercent, {}), "25%");
    P.Chart->GetCaptions()->Add("Small");
    P.Chart->GetCaptions()->Add("Large");
    EXPECT_EQ(P.Chart->GetSegmentCaption(1, TQvLabelStyle::CaptionAndValue, {}), "Large 3");
    EXPECT_EQ(P.Chart->GetSegmentCaption(5, TQvLabelStyle::CaptionsList, {}), "");

    // Sorted ascending, each label still shows its own value's caption.
    P.Chart->SetOrderAscending(true);
    P.Chart->SetLabelPosition(TQvPieLabelPosition::InsideHorizontal);
    P.Chart->SetLabelFrom(TQvLabelStyle::CaptionAndValue);
    P.Chart->SetOnGetLabel([](TObject*, TQvGetLabelEventArgs& e) {
        if (e.Index == 0) e.Caption += "!";
    });
    P.Set({3, 1});
    EXPECT_EQ(P.Chart->GetLegendItemIndex(0), 1);
    ASSERT_NE(P.Chart->SegmentLabel(0), nullptr);
    EXPECT_EQ(P.Chart->SegmentLabel(0)->GetCaption(), "Large 1");
    EXPECT_EQ(P.Chart->SegmentLabel(1)->GetCaption(), "Small 3!");
}

TEST(PieChart, BadValuesMakeNoSegments) {
    TPie P;
    P.Chart->SetLabelPosition(TQvPieLabelPosition::Callouts);
    for (const auto& Values :
         {std::vector<double>{}, {0, 0, 0}, {-1, -2}, {NAN, INFINITY, -INFINITY}}) {
        P.Set(Values);
        EXPECT_EQ(P.Chart->SegmentCount(), 0);
        // The empty pie: an outline, nothing filled.
        const QImage Image = P.Paint();
        EXPECT_EQ(Image.pixel(200, 200), qRgb(255, 255, 255));
        EXPECT_NE(Image.pixel(0, 200), qRgb(255, 255, 255));
    }
    // Bad values next to good ones count for nothing, not even in the total.
    P.Set({NAN, 1, -5, 3, INFINITY});
    ASSERT_EQ(P.Chart->SegmentCount(), 2);
    EXPECT_DOUBLE_EQ(P.Chart->Segment(0).Sweep, 90);
    EXPECT_EQ(P.Chart->GetSegmentCaption(3, TQvLabelStyle::Percent, {}), "75%");
    // One value is a whole pie; outliers stay out unless shown.
    P.Set({5});
    EXPECT_DOUBLE_EQ(P.Chart->Segment(0).Sweep, 360);
    P.Values->AddRange({5});
    P.Values->AddOutlier(0);
    P.Chart->Calculate();
    EXPECT_EQ(P.Chart->SegmentCount(), 1);
    P.Chart->SetOutliersVisible(true);
    P.Chart->Calculate();
    EXPECT_EQ(P.Chart->SegmentCount(), 2);
}

TEST(PieChart, TenThousandLabelsNeverOverlap) {
    TPie P;
    std::vector<double> Many(10000);
    for (size_t i = 0; i < Many.size(); ++i)
        Many[i] = 1 + double(i % 97);
    for (const auto Position :
         {TQvPieLabelPosition::InsideHorizontal, TQvPieLabelPosition::InsideAligned,
          TQvPieLabelPosition::Callouts}) {
        P.Chart->SetLabelPosition(Position);
        P.Chart->SetLabelSize(8);
        P.Set(Many);
        ASSERT_EQ(P.Chart->SegmentCount(), 10000);
        std::vector<TGPRectF> Shown;
        for (int k = 0; k < P.Chart->SegmentCount(); ++k) {
            const TQvRichCaptionObject* L = P.Chart->SegmentLabel(k);
            if (!L) continue;
            const TGPRectF Box =
                Position == TQvPieLabelPosition::Callouts ? P.Chart->CalloutRect(k) : LabelBox(L);
            if (Position != TQvPieLabelPosition::InsideAligned) {
                EXPECT_GE(Box.X, 0);
                EXPECT_LE(Box.X + Box.Width, 400);
                for (const TGPRectF& Other : Shown)
                    ASSERT_FALSE(Overlap(Box, Other)) << k;
            }
            Shown.push_back(Box);
        }
        EXPECT_GT(Shown.size(), 0u);
        EXPECT_LT(Shown.size(), 200u);
        P.Paint();
    }
}

TEST(PieChart, LegendsTakeTheirRoomAtEachPosition) {
    TPie P;
    P.Chart->GetCaptions()->SetText("Apples\nPears\nPlums");
    P.Set({1, 2, 3});
    const float Alone = P.Chart->PieRect().Width;
    using Pos = TQvPieLegendPosition;
    for (const Pos Position :
         {Pos::LeftTop, Pos::LeftCenter, Pos::LeftBottom, Pos::CenterTop, Pos::CenterBottom,
          Pos::RightTop, Pos::RightCenter, Pos::RightBottom}) {
        TQvPieLegend* L = P.Legend(Position);
        P.Chart->Calculate();
        EXPECT_EQ(L->ItemCount(), 3);
        const TGPRectF Pie = P.Chart->PieRect();
        const TGPRectF Box{float(L->GetLeft()), float(L->GetTop()), float(L->GetWidth()),
                           float(L->GetHeight())};
        EXPECT_LT(Pie.Width, Alone) << int(Position);
        EXPECT_FALSE(Overlap(Pie, Box)) << int(Position);
        EXPECT_GE(Box.X, 0);
        EXPECT_GE(Box.Y, 0);
        EXPECT_LE(Box.X + Box.Width, 400);
        EXPECT_LE(Box.Y + Box.Height, 400);
        const bool Rows = Position == Pos::CenterTop || Position == Pos::CenterBottom;
        EXPECT_EQ(L->GetItemsOrder(), Rows ? TQvItemsOrder::ByRow : TQvItemsOrder::ByColumn);
        // The legend keeps DistanceToPie from the pie.
        const float Gap = std::max({Pie.X - (Box.X + Box.Width), Box.X - (Pie.X + Pie.Width),
                                    Pie.Y - (Box.Y + Box.Height), Box.Y - (Pie.Y + Pie.Height)});
        EXPECT_GE(Gap, L->GetDistanceToPie() - 1) << int(Position);
        delete L;
    }
    // Items follow the segments, and read like the pie's labels.
    TQvPieLegend* L = P.Legend(Pos::RightCenter);
    EXPECT_EQ(L->ItemCaption(2)->GetCaption(), "Plums");
    L->SetLabelsFrom(TQvLabelStyle::Percent);
    EXPECT_EQ(L->ItemCaption(0)->GetCaption(), "16.67%");
    P.Set({0, 0});
    EXPECT_EQ(L->ItemCount(), 0);
    L->SetPieChart(nullptr);
    EXPECT_EQ(L->ItemCount(), 0);
}

TEST(PieChart, ValuesAndCaptionsFromSqlite) {
    // Id is 1, 2, 3: the values; Name the captions.
    TSqliteNames Table("pievalues", "Fruit", {"Apples", "Pears", "Plums"});
    TPie P;
    auto* Source = new TDataSource(P.Owner.get());
    Source->SetModel(&Table.Model());
    P.Values->SetDataField("Id");
    P.Values->SetDataSource(Source);
    P.Chart->SetCaptionsField("Name");
    P.Chart->SetDataSource(Source);
    P.Chart->Calculate();
    ASSERT_EQ(P.Chart->SegmentCount(), 3);
    EXPECT_DOUBLE_EQ(P.Chart->Segment(2).Sweep, 180);
    EXPECT_EQ(P.Chart->GetSegmentCaption(1, TQvLabelStyle::CaptionAndValue, {}), "Pears 2");
    EXPECT_EQ(P.Chart->GetCaptions(), nullptr);
    delete Source;
    P.Chart->Calculate();
    EXPECT_EQ(P.Chart->GetDataSource(), nullptr);
}

TEST(PieChart, PaintsSlicesWithThePaletteFills) {
    TPie P;
    auto* Palette = new TQvFillPalette(P.Owner.get());
    Palette->SetName("Palette");
    Palette->FillDefaults();
    ASSERT_EQ(Palette->Count(), 8);
    EXPECT_EQ(Palette->Items(1)->GetForeColor(), ColorToARGB(QStringLiteral("Maroon")));
    P.Chart->SetSegmentSettingsPalette(Palette);
    P.Chart->GetSegmentBorder()->SetVisible(false);
    P.Set({1, 1, 1, 1, 1, 1, 1, 1, 1});
    // Segment 8 takes entry 0 again.
    EXPECT_EQ(P.Chart->PaletteItem(8), Palette->Items(0));
    const QImage Image = P.Paint();
    const auto At = [&](double Degrees) {
        const double a = Degrees * M_PI / 180;
        return QColor(Image.pixel(int(200 + 150 * std::cos(a)), int(200 + 150 * std::sin(a))));
    };
    EXPECT_EQ(At(20), QColor(ColorToARGB(QStringLiteral("CornflowerBlue"))));
    EXPECT_EQ(At(60), QColor(ColorToARGB(QStringLiteral("Maroon"))));
    EXPECT_EQ(At(340), QColor(ColorToARGB(QStringLiteral("CornflowerBlue"))));
    // A change of the palette repaints with the new fill.
    Palette->Items(1)->SetForeColor(0xFF00FF00);
    EXPECT_TRUE(P.Chart->NeedsRecalculate());
    EXPECT_EQ(
        P.Paint().pixel(int(200 + 150 * std::cos(M_PI / 3)), int(200 + 150 * std::sin(M_PI / 3))),
        qRgb(0, 255, 0));
    EXPECT_THROW(Palette->Items(8), ERangeError);
    delete Palette;
    EXPECT_EQ(P.Chart->GetSegmentSettingsPalette(), nullptr);
}

TEST(PieChart, RecordsRoundTrip) {
    TPie P;
    auto* Palette = new TQvFillPalette(P.Owner.get());
    Palette->SetName("Palette");
    Palette->Add()->SetForeColor(0xFF112233);
    Palette->Items(0)->SetAreaStyle(TQvAreaStyle::Cross);
    P.Chart->SetSegmentSettingsPalette(Palette);
    P.Chart->SetPieChartType(TQvPieChartType::ThreeDDonut);
    P.Chart->SetLabelPosition(TQvPieLabelPosition::Callouts);
    P.Chart->GetLabelFont()->SetSizeF(17);
    P.Chart->GetCaptionFont()->SetSizeF(23);
    P.Chart->GetCaptions()->SetText("A\nB");

    // The chart and its palette through the component stream.
    QBuffer Buffer;
    Buffer.open(QIODevice::ReadWrite);
    TWriter(&Buffer).WriteComponent(Palette);
    TWriter(&Buffer).WriteComponent(P.Chart);
    Buffer.seek(0);
    TComponent Other(nullptr);
    auto* ReadPalette =
        static_cast<TQvFillPalette*>(TReader(&Buffer).ReadComponent(nullptr, &Other));
    ASSERT_EQ(ReadPalette->Count(), 1);
    EXPECT_EQ(ReadPalette->Items(0)->GetForeColor(), 0xFF112233u);
    EXPECT_EQ(ReadPalette->Items(0)->GetAreaStyle(), TQvAreaStyle::Cross);
    auto* Read = qobject_cast<TQvPieChart*>(TReader(&Buffer).ReadComponent(nullptr, &Other));
    ASSERT_NE(Read, nullptr);
    EXPECT_EQ(Read->GetPieChartType(), TQvPieChartType::ThreeDDonut);
    EXPECT_EQ(Read->GetLabelPosition(), TQvPieLabelPosition::Callouts);
    EXPECT_FLOAT_EQ(Read->GetLabelFont()->GetSizeF(), 17);
    EXPECT_FLOAT_EQ(Read->GetCaptionFont()->GetSizeF(), 23);
    EXPECT_EQ(Read->GetCaptions()->GetText(), P.Chart->GetCaptions()->GetText());

    // The legend in the three forms.
    TQvPieLegend* L = P.Legend(TQvPieLegendPosition::LeftBottom);
    L->SetLabelsFrom(TQvLabelStyle::CaptionAndPercent);
    L->SetLabelFormat("0.0");
    L->SetDistanceToPie(13);
    L->SetForeColor(0xFF445566);
    for (TRecordForm Form : RecordForms) {
        SCOPED_TRACE(FormName(Form));
        TQvPieLegend* Copy = P.Legend(TQvPieLegendPosition::RightTop);
        Copy->SetPieChart(nullptr);
        CopyRecord(L, Copy, Form);
        EXPECT_EQ(Copy->GetPieChart(), P.Chart);
        EXPECT_EQ(Copy->GetPosition(), TQvPieLegendPosition::LeftBottom);
        EXPECT_EQ(Copy->GetLabelsFrom(), TQvLabelStyle::CaptionAndPercent);
        EXPECT_EQ(Copy->GetLabelFormat(), "0.0");
        EXPECT_FLOAT_EQ(Copy->GetDistanceToPie(), 13);
        EXPECT_EQ(Copy->GetForeColor(), 0xFF445566u);
    }
    TXMLDocument Xml;
    L->WriteTo(Xml.AddChild("Root"));
    const IXMLNode Element = Xml.DocumentElement().FindNode("TQvPieLegend");
    EXPECT_EQ(Element.FindNode("Labels").Attribute("Format"), "0.0");
    EXPECT_EQ(Element.FindNode("Distances").Attribute("ToPie"), "13");
    TMemIniFile Ini(QString{});
    L->WriteTo(&Ini, "Legend");
    EXPECT_EQ(Ini.ReadString("Legend", "PieChart", {}), "PieOwner.Pie");
    EXPECT_EQ(Ini.ReadString("Legend", "Distance.ToPie", {}), "13");

    // A record that ends early leaves the legend as it was.
    const QByteArray Bytes = Binary(L);
    TQvPieLegend* Copy = P.Legend(TQvPieLegendPosition::RightTop);
    EXPECT_THROW(ReadBinary(Copy, Bytes.left(Bytes.size() / 2)), EReadError);
    EXPECT_EQ(Copy->GetPosition(), TQvPieLegendPosition::RightTop);
}
