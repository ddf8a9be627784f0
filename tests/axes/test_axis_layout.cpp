// Scale labels, axis thickness, the data area the axes leave, and the pixels they draw.

#include "../chartfixture.h"
#include "../qvtest.h"

#include <framework/qvstringlist.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

QStringList LabelTexts(const TQvAxis* Axis) {
    QStringList Texts;
    for (int i = 0; i < Axis->Labels().Count(); ++i)
        Texts << Axis->Labels().Get(i)->GetCaption();
    return Texts;
}

// A lone bottom axis, 400 pixels long, with the given range and label step.
std::unique_ptr<TQvAxis> ManualAxis(double Start, double Stop, double LabelPart) {
    auto Axis = std::make_unique<TQvAxis>(nullptr);
    TChart::Fix(Axis.get(), Start, Stop);
    Axis->SetAutoTickParts(false);
    Axis->SetLabelPart(LabelPart);
    Axis->SetMajorPart(LabelPart);
    Axis->SetTickPart(LabelPart / 2);
    Axis->Calculate();
    return Axis;
}

TEST(AxisLabels, DigitsAndTheExtraExponent) {
    EXPECT_EQ(LabelTexts(ManualAxis(0, 1, 0.2).get()),
              QStringList({"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    EXPECT_EQ(LabelTexts(ManualAxis(0, 10, 0.2).get()),
              QStringList({"0", "2", "4", "6", "8", "10"}));
    EXPECT_EQ(LabelTexts(ManualAxis(-0.5, 0.5, 0.25).get()),
              QStringList({"-0.50", "-0.25", "0.00", "0.25", "0.50"}));

    // The labels are divided by a power of ten once the larger end passes 1000.
    auto Thousand = ManualAxis(0, 1000, 0.2);
    EXPECT_FALSE(Thousand->GetAdditionalExponent());
    EXPECT_EQ(LabelTexts(Thousand.get()).back(), "1000");
    auto TenThousand = ManualAxis(0, 10000, 0.2);
    EXPECT_TRUE(TenThousand->GetAdditionalExponent());
    EXPECT_EQ(TenThousand->GetMaxExponent(), 4);
    EXPECT_EQ(LabelTexts(TenThousand.get()),
              QStringList({"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    EXPECT_EQ(TenThousand->ExtraExponentObject()->GetCaption(), "\u00B710\\+4");
    // And once it falls below a thousandth.
    EXPECT_FALSE(ManualAxis(0, 0.001, 0.2)->GetAdditionalExponent());
    auto Small = ManualAxis(0, 0.0001, 0.2);
    EXPECT_TRUE(Small->GetAdditionalExponent());
    EXPECT_EQ(Small->GetMaxExponent(), -4);
}

TEST(AxisLabels, EventsScalingsAndRubrics) {
    // The event replaces the text, and its longer texts make the automatic steps coarser.
    TQvAxis Axis(nullptr);
    TChart::Fix(&Axis, 0, 100);
    Axis.SetEndRounding(TQvAxisEndRounding::RndNothing);
    Axis.Calculate();
    const double Plain = Axis.GetLabelPart();
    int Ticks = 0;
    Axis.SetOnGetTicks([&Ticks](TObject*) { ++Ticks; });
    Axis.SetOnGetScaleLabel([](TObject*, TQvScaleLabelEventArgs& e) {
        e.Caption = QStringLiteral("%1 units").arg(e.Value);
    });
    Axis.Modified();
    Axis.Calculate();
    EXPECT_EQ(Ticks, 1);
    EXPECT_GT(Axis.GetLabelPart(), Plain);
    EXPECT_TRUE(LabelTexts(&Axis).front().endsWith(" units"));

    // Powers of ten on a LogEE axis, plain numbers on a Log axis.
    Axis.SetOnGetScaleLabel({});
    Axis.SetScaling(TQvAxisScaling::LogEE);
    Axis.SetStart(1);
    Axis.SetStop(1000);
    Axis.Calculate();
    EXPECT_EQ(LabelTexts(&Axis).first(), "10\\+0");
    EXPECT_EQ(LabelTexts(&Axis).last(), "10\\+3");
    Axis.SetScaling(TQvAxisScaling::Log);
    Axis.Calculate();
    EXPECT_EQ(LabelTexts(&Axis).last(), "1000");

    // A rubric stands between its tick and the next one.
    Axis.SetScaling(TQvAxisScaling::Rubrics);
    Axis.SetStart(0);
    Axis.SetStop(4);
    Axis.GetRubrics()->AddStrings({"north", "east", "south"});
    Axis.Calculate();
    EXPECT_EQ(LabelTexts(&Axis), QStringList({"north", "east", "south"}));
    EXPECT_FLOAT_EQ(Axis.Labels().Get(1)->GetAnchorX(), 150);
    Axis.SetTwisted(true);
    Axis.Calculate();
    EXPECT_FLOAT_EQ(Axis.Labels().Get(1)->GetAnchorX(), 250);
}

TEST(AxisGeometry, ThicknessFromTicksLabelsAndCaption) {
    TQvAxis Axis(nullptr);
    Axis.SetCaption("");
    Axis.Calculate();
    const float Labels = Axis.GetMaxNumberLabelHeight();
    ASSERT_GT(Labels, 0);
    // Major tick 10, half the line 1, labels.
    EXPECT_FLOAT_EQ(Axis.Thickness(), 10 + 1 + Labels);
    Axis.SetCaption("Caption");
    Axis.SetDistanceNumbersCaption(3);
    Axis.SetDistanceToBorder(2);
    Axis.Calculate();
    EXPECT_FLOAT_EQ(Axis.Thickness(),
                    2 + 10 + 1 + Axis.GetMaxNumberLabelHeight() + 3 + Axis.CaptionHeight());
    // Without numbers the caption moves to the label base line.
    Axis.SetNumbersVisible(false);
    Axis.Calculate();
    EXPECT_EQ(Axis.Labels().Count(), 0);
    EXPECT_FLOAT_EQ(Axis.Thickness(), 2 + 10 + 1 + Axis.CaptionHeight());
    const TQvRichCaptionObject* Caption = Axis.CaptionObject();
    EXPECT_FLOAT_EQ(Caption->GetAnchorY(), Axis.GetAxTop() + 10);

    // A left axis turns its caption and measures it across.
    Axis.SetPosition(TQvAxisPosition::Left);
    Axis.Calculate();
    EXPECT_FLOAT_EQ(Axis.CaptionObject()->GetAngle(), 90);
    EXPECT_FLOAT_EQ(Axis.CaptionWidth(), Axis.CaptionObject()->GetHeight());

    // The arrow sits at the end of the values: at the start of a twisted axis.
    Axis.GetArrowPoint()->SetVisible(true);
    const float Reach = 3 * Axis.GetArrowPoint()->GetPointLength();
    EXPECT_GE(Axis.EndSpace(), Reach);
    EXPECT_LT(Axis.StartSpace(), Reach);
    Axis.SetTwisted(true);
    EXPECT_GE(Axis.StartSpace(), Reach);
    EXPECT_LT(Axis.EndSpace(), Reach);
}

TEST(AxisLayout, AxesStackOutwardsFromTheDataArea) {
    TChart Chart;
    Chart.Paint();
    const TGPRectF One = Chart.Graph->GetDrawingArea();
    // The data area begins at the line of the nearest axis on each side.
    EXPECT_FLOAT_EQ(One.X, float(Chart.Y->GetLeft()) + Chart.Y->GetAxLeft());
    EXPECT_FLOAT_EQ(One.Y + One.Height - 1, float(Chart.X->GetTop()) + Chart.X->GetAxTop());
    EXPECT_FLOAT_EQ(Chart.X->GetAxLength(), One.Width - 1);
    EXPECT_FLOAT_EQ(Chart.X->NumberToWorld(Chart.X->GetStart()), One.X);
    EXPECT_FLOAT_EQ(Chart.Y->NumberToWorld(Chart.Y->GetStop()), One.Y);

    TQvAxis* Second = Chart.NewAxis(TQvAxisPosition::Left, "Second");
    Chart.Paint();
    const TGPRectF Two = Chart.Graph->GetDrawingArea();
    TQvAxis* Third = Chart.NewAxis(TQvAxisPosition::Left, "Third");
    Chart.Paint();
    const TGPRectF Three = Chart.Graph->GetDrawingArea();
    EXPECT_GT(Three.X, Two.X);
    // The first child lies nearest the data area, the last one at the border.
    EXPECT_GT(Chart.Y->GetLeft(), Second->GetLeft());
    EXPECT_GT(Second->GetLeft(), Third->GetLeft());
    EXPECT_EQ(Third->GetLeft(), 0);
    EXPECT_EQ(Second->GetLeft(), Third->GetWidth());
    // The border distance moves everything in.
    Chart.Graph->SetDistanceBorderAxisLeft(7.2f);
    Chart.Paint();
    EXPECT_EQ(Third->GetLeft(), 8);
    EXPECT_FLOAT_EQ(Chart.Graph->GetDrawingArea().X, Three.X + 8);
    // Each axis spans the data area.
    EXPECT_FLOAT_EQ(Second->GetAxTop(), Chart.Y->GetAxTop());
    EXPECT_FLOAT_EQ(Third->GetAxLength(), Chart.Y->GetAxLength());
}

TEST(AxisLayout, LabelOverhangAndTitlePushTheInsets) {
    TChart Chart;
    Chart.Y->SetVisible(false);
    TChart::Fix(Chart.X, 1000000, 5000000);
    Chart.X->SetMaxForExtraExponent(1e9);
    Chart.Paint();
    // Without a left axis, half the first label sticks out to the left of the data area.
    const TQvRichCaptionObject* First = Chart.X->Labels().Get(0);
    const float HalfLabel = std::ceil(First->GetWidth() / 2);
    EXPECT_FLOAT_EQ(Chart.Graph->GetDrawingArea().X, HalfLabel);
    EXPECT_FLOAT_EQ(First->GetAnchorX(), Chart.Graph->GetDrawingArea().X);
    // It keeps the border distance off the edge, as the axes do (the labels are made anew).
    Chart.Graph->SetDistanceBorderAxisLeft(6);
    Chart.Paint();
    EXPECT_FLOAT_EQ(Chart.Graph->GetDrawingArea().X, 6 + HalfLabel);

    const float Top = Chart.Graph->GetDrawingArea().Y;
    Chart.Graph->SetCaption("Title");
    Chart.Graph->SetCaptionVisible(true);
    Chart.Graph->SetCaptionDistanceBefore(5);
    Chart.Paint();
    const float Titled = std::ceil(5 + Chart.Graph->TitleObject()->GetHeight());
    EXPECT_FLOAT_EQ(Chart.Graph->GetDrawingArea().Y, Titled);
    EXPECT_GT(Titled, Top);
    // A larger title font takes more room at the next paint.
    Chart.Graph->GetCaptionFont()->SetSizeF(40);
    Chart.Paint();
    EXPECT_FLOAT_EQ(Chart.Graph->GetDrawingArea().Y,
                    std::ceil(5 + Chart.Graph->TitleObject()->GetHeight()));
    EXPECT_GT(Chart.Graph->GetDrawingArea().Y, Titled + 20);
}

TEST(AxisLayout, ZeroOriginCrossing) {
    TChart Chart;
    Chart.FixAxes(-4, 6);
    // Each text in a colour of its own, to find it among the pixels.
    Chart.X->SetCaption("x axis");
    Chart.X->SetCaptionColor(0xFFFF0000);
    Chart.X->SetNumbersColor(0xFF0000FF);
    Chart.Y->SetCaption("y axis");
    Chart.Y->SetCaptionColor(0xFF00C000);
    Chart.Y->SetNumbersColor(0xFFFF00FF);
    Chart.Graph->SetBackColor(0xFFFFFFFF);
    Chart.Graph->SetZeroOrigin(true);
    Chart.Paint();
    const QImage Image = Chart.Render();
    const float Zero = std::round(Chart.X->NumberToWorld(0));
    const float XLine = float(Chart.X->GetTop()) + Chart.X->GetAxTop();
    EXPECT_FLOAT_EQ(float(Chart.Y->GetLeft()) + Chart.Y->GetAxLeft(), Zero);
    EXPECT_FLOAT_EQ(XLine, std::round(Chart.Y->NumberToWorld(0)));
    // No label stands on the crossing point.
    EXPECT_FALSE(LabelTexts(Chart.X).contains("0"));
    EXPECT_TRUE(LabelTexts(Chart.X).contains("2"));

    // The captions stand beyond the ends of the values, inside the control: the X caption right
    // of the data area beside its axis line, the Y caption above the data area. The outer
    // labels keep off the frame of the data area.
    const TGPRectF Area = Chart.Graph->GetDrawingArea();
    const int Left = int(Area.X), Right = int(Area.X + Area.Width - 1);
    const int Top = int(Area.Y), Bottom = int(Area.Y + Area.Height - 1);
    QRect XCaption, YCaption, XLabels, YLabels;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            const QColor c = Image.pixelColor(x, y);
            const int r = c.red(), g = c.green(), b = c.blue();
            QRect* Found = r > g + 80 && b < g + 40 && r > b + 80 ? &XCaption
                           : g > r + 80 && g > b + 80             ? &YCaption
                           : b > r + 80 && b > g + 80             ? &XLabels
                           : r > g + 80 && b > g + 80             ? &YLabels
                                                                  : nullptr;
            if (Found) *Found |= QRect(x, y, 1, 1);
        }
    ASSERT_FALSE(XCaption.isEmpty());
    ASSERT_FALSE(YCaption.isEmpty());
    EXPECT_GT(XCaption.left(), Right + 2);
    EXPECT_LT(XCaption.right(), Image.width() - 1);
    EXPECT_LT(XCaption.top(), XLine);
    EXPECT_GT(XCaption.bottom(), XLine);
    EXPECT_LT(YCaption.bottom(), Top - 2);
    EXPECT_GT(YCaption.top(), 0);
    EXPECT_LT(YCaption.left(), Zero);
    EXPECT_GT(YCaption.right(), Zero);
    // -4 and 6 label both ends.
    EXPECT_EQ(LabelTexts(Chart.X).front(), "-4");
    EXPECT_EQ(LabelTexts(Chart.Y).back(), "6");
    EXPECT_GT(XLabels.left(), Left + 1);
    EXPECT_LT(XLabels.right(), Right - 1);
    EXPECT_GT(YLabels.top(), Top + 1);
    EXPECT_LT(YLabels.bottom(), Bottom - 1);
    // Without 0 in the Y range the X axis stays at the border, its labels inside the graph.
    Chart.Y->SetStart(-10);
    Chart.Y->SetStop(-2);
    Chart.Paint();
    const TGPRectF Below = Chart.Graph->GetDrawingArea();
    EXPECT_LE(Chart.X->GetTop() + Chart.X->GetHeight(), Chart.Graph->GetHeight());
    EXPECT_NEAR(float(Chart.X->GetTop()) + Chart.X->GetAxTop(), Below.Y + Below.Height, 1);
}

TEST(AxisLayout, EveryAxisIsPartitionedForItsLengthAfterAResize) {
    const auto Labels = [](int Height, bool Resized) {
        TChart Chart;
        TQvAxis* Right = Chart.NewAxis(TQvAxisPosition::Right, "Right");
        TChart::Fix(Right, 0, 100);
        if (Resized) Chart.Paint();
        Chart.Graph->SetBounds(0, 0, 600, Height);
        Chart.Paint();
        return LabelTexts(Right);
    };
    EXPECT_EQ(Labels(120, true), Labels(120, false));
    EXPECT_LT(Labels(120, true).size(), Labels(400, false).size());
}

TEST(AxisLayout, TwistedAxesNeedTheirRoomWhereTheirEndsAreDrawn) {
    TChart Chart;
    Chart.Y->SetVisible(false);
    Chart.X->GetArrowPoint()->SetVisible(true);
    Chart.X->GetArrowPoint()->SetPointLength(30); // the tip reaches 90 pixels beyond the end
    for (bool Twisted : {false, true}) {
        Chart.X->SetTwisted(Twisted);
        Chart.Paint();
        const TGPRectF Area = Chart.Graph->GetDrawingArea();
        // The data area includes its last column.
        const float Left = Area.X, Right = float(Chart.Graph->GetWidth()) - Area.X - Area.Width + 1;
        EXPECT_GE(Twisted ? Left : Right, 90) << Twisted;
        EXPECT_LT(Twisted ? Right : Left, 90) << Twisted;
    }
}

} // namespace
