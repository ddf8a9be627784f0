// Rich captions: markup into runs with fonts and offsets, measuring, alignment, effects,
// variables, and the label that shows a rotated caption.

#include "../qvtest.h"

#include <annotations/qvrichlabel.h>
#include <framework/qvexceptions.h>

#include <gtest/gtest.h>

#include <QImage>

namespace {

class RichCaption : public ::testing::Test {
protected:
    RichCaption() : Image(400, 300, QImage::Format_ARGB32_Premultiplied), Graphics(&Image) {
        Image.fill(Qt::white);
        Caption.GetFont()->SetName("Arial");
        Caption.GetFont()->SetSizeF(20);
    }

    void Parse(const QString& Text) {
        Caption.SetCaption(Text);
        Caption.ParseForSize(&Graphics);
    }

    QStringList Runs() const {
        QStringList Result;
        for (int i = 0; i < Caption.SegmentCount(); ++i)
            Result << Caption.Segment(i).Text;
        return Result;
    }

    float Measure(const QString& Text, float Size, TGPFontStyle Style = {}) {
        return Graphics
            .MeasureString(Text, TGPFont("Arial", Size, Style), TGPPointF{0, 0},
                           TGPStringFormat::GenericTypographic())
            .Width;
    }

    float LineHeight() { return TGPFont("Arial", 20).GetHeight(Graphics); }

    QImage Image;
    TGPGraphics Graphics;
    TQvRichCaptionObject Caption;
};

TEST_F(RichCaption, ScriptsMakeRunsWithSizesOffsetsAndGaps) {
    Parse("x\\+2\\+ + y\\-i\\-");
    ASSERT_EQ(Runs(), QStringList({"x", "2", " + y", "i"}));
    EXPECT_EQ(Caption.GetPlainText(), "x2 + yi");
    const float H = LineHeight();
    const float Small = 0.66f * 20;
    const float Sizes[] = {20, Small, 20, Small};
    const float Offsets[] = {0, -0.025f * H, 0, 0.33f * H};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(Caption.Segment(i).Font.GetSize(), Sizes[i]) << i;
        EXPECT_FLOAT_EQ(Caption.Segment(i).Y, Offsets[i]) << i;
    }
    // A gap of a tenth of the small size before each small run, taken back after it.
    const float x = Measure("x", 20);
    EXPECT_FLOAT_EQ(Caption.Segment(1).X, x + 0.1f * Small);
    const float AfterTwo = x + Measure("2", Small) + 0.1f * Small;
    EXPECT_FLOAT_EQ(Caption.Segment(2).X, AfterTwo - 0.1f * 20);
    EXPECT_GT(Caption.GetWidth(), Caption.Segment(3).X);
    EXPECT_FLOAT_EQ(Caption.GetHeight(), H);
}

TEST_F(RichCaption, CommandsSetStyleFaceAndColour) {
    Parse("\\bbold\\b \\iit\\i \\f[Courier New]mono\\f[] \\c[A=255, R=255, G=0, B=0]red\\c[]"
          " \\f[No Such Face]x");
    ASSERT_EQ(Runs(), QStringList({"bold", " ", "it", " ", "mono", " ", "red", " ", "x"}));
    EXPECT_TRUE(Caption.Segment(0).Font.GetStyle().testFlag(TGPFontStyleItem::Bold));
    EXPECT_FALSE(Caption.Segment(1).Font.GetStyle().testFlag(TGPFontStyleItem::Bold));
    EXPECT_TRUE(Caption.Segment(2).Font.GetStyle().testFlag(TGPFontStyleItem::Italic));
    EXPECT_EQ(Caption.Segment(4).Font.GetFamily(), "Courier New");
    EXPECT_EQ(Caption.Segment(5).Font.GetFamily(), "Arial");
    EXPECT_EQ(Caption.Segment(6).Color, 0xFFFF0000u);
    EXPECT_EQ(Caption.Segment(7).Color, 0xFF000000u);
    EXPECT_EQ(Caption.Segment(8).Font.GetFamily(), "Arial");
    // The colour id written by the colour helpers reads back.
    Parse("\\c" + ARGBToRichID(0x80123456) + "t");
    EXPECT_EQ(Caption.Segment(0).Color, 0x80123456u);
}

TEST_F(RichCaption, BackslashesUnknownCommandsAndBrokenMarkup) {
    Parse("a\\\\b");
    EXPECT_EQ(Runs(), QStringList({"a\\b"}));
    Parse("a\\qb");
    EXPECT_EQ(Runs(), QStringList({"a", "qb"}));
    // Unbalanced or unfinished markup draws as text.
    for (const char* Text : {"\\c[A=255", "\\f", "end\\", "\\+\\+\\+", "\\c[]\\f[]", "\\"}) {
        SCOPED_TRACE(Text);
        Parse(Text);
        Caption.PaintGr(&Graphics);
    }
    Parse("\\c[A=255");
    EXPECT_EQ(Caption.GetPlainText(), "c[A=255");
    Parse("");
    EXPECT_EQ(Caption.SegmentCount(), 0);
    EXPECT_FLOAT_EQ(Caption.GetWidth(), 0);
    EXPECT_FLOAT_EQ(Caption.GetHeight(), 0);
}

TEST_F(RichCaption, LinesAndTheirAlignment) {
    const float H = LineHeight();
    for (const char* Text : {"one\r\ntwo", "one\ntwo", "one\n\rtwo", "one\rtwo"}) {
        Parse(Text);
        EXPECT_EQ(Caption.LineCount(), 2);
        EXPECT_FLOAT_EQ(Caption.GetHeight(), 2 * H);
        EXPECT_FLOAT_EQ(Caption.Segment(1).Y, H);
    }
    Caption.SetAlign(TQvContentAlignment::MiddleCenter);
    Parse("a much longer line\rshort");
    const std::vector<float>& Widths = Caption.LineWidths();
    ASSERT_EQ(Widths.size(), 2u);
    EXPECT_FLOAT_EQ(Caption.GetWidth(), Widths[0]);
    EXPECT_FLOAT_EQ(Caption.Segment(0).X, 0);
    EXPECT_FLOAT_EQ(Caption.Segment(1).X, (Widths[0] - Widths[1]) / 2);
    Caption.SetAlign(TQvContentAlignment::BottomRight);
    Parse("a much longer line\rshort");
    EXPECT_FLOAT_EQ(Caption.Segment(1).X, Widths[0] - Widths[1]);
    // One run is never shifted.
    Parse("single");
    EXPECT_FLOAT_EQ(Caption.Segment(0).X, 0);
}

TEST_F(RichCaption, VariablesAreReplacedAndFailuresRaise) {
    Parse("sum <%1+2;0.00%> done");
    EXPECT_EQ(Caption.GetPlainText(), "sum 3.00 done");
    // One formula that fails raises the parser's error and leaves the caption unparsed.
    EXPECT_EQ(MessageOf<EInvalidOp>([&] { Parse("<%1+1%> and <%Sqrt(-1)%>"); }),
              "Invalid floating point operation");
    EXPECT_FALSE(Caption.Parsed());
    EXPECT_EQ(MessageOf<EMathError>([&] { Parse("<%(1%>"); }), "1 closing brackets missing");
    // Numbers follow the locale with and without a format.
    TLocaleScope Scope(German);
    Parse("<%3/2%> <%3/2;0.0%>");
    EXPECT_EQ(Caption.GetPlainText(), "1,5 1,5");
}

TEST_F(RichCaption, FontChangesRecolourWithoutParsing) {
    int Changes = 0;
    Caption.SetOnChange([&Changes] { ++Changes; });
    Parse("plain \\c[A=255, R=0, G=0, B=255]blue");
    Caption.GetFont()->SetFillColor(0xFF00FF00);
    EXPECT_GT(Changes, 0);
    EXPECT_EQ(Caption.Segment(0).Color, 0xFF00FF00u);
    EXPECT_EQ(Caption.Segment(1).Color, 0xFF0000FFu);
    Caption.GetFont()->SetDrawEffects(TQvCharDrawEffect::Shadow);
    EXPECT_EQ(Caption.Segment(1).DrawEffects, TQvCharDrawEffects(TQvCharDrawEffect::Shadow));
}

// Pixels darker than mid grey.
int CountDark(const QImage& Image) {
    int Count = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            Count += qGray(Image.pixel(x, y)) < 128;
    return Count;
}

// Dark pixels of a caption drawn at (20, 20) on white, antialiasing off.
int DarkPixels(TQvCharDrawEffects Effects) {
    QImage Image(300, 200, QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::white);
    TGPGraphics Graphics(&Image);
    Graphics.SetTextRenderingHint(TGPTextRenderingHint::SingleBitPerPixel);
    TQvRichCaptionObject Caption;
    Caption.GetFont()->SetName("Arial");
    Caption.GetFont()->SetSizeF(40);
    Caption.GetFont()->SetStyle(TFontStyle::Bold);
    Caption.GetFont()->SetDrawEffects(Effects);
    Caption.SetCaption("HM");
    Caption.SetAnchor(20, 20);
    Caption.PaintGr(&Graphics);
    return CountDark(Image);
}

TEST(RichCaptionEffects, OutlineAloneAndShadowBesideTheText) {
    const int Plain = DarkPixels({});
    ASSERT_GT(Plain, 500);
    const int Outline = DarkPixels(TQvCharDrawEffect::Outline);
    EXPECT_GT(Outline, 0);
    EXPECT_LT(Outline, Plain * 6 / 10);
    // The shadow is faint but darkens below and right of the text.
    EXPECT_GE(DarkPixels(TQvCharDrawEffect::Shadow), Plain);
}

TEST(RichCaptionObjects, GrowShrinkAndIndexChecks) {
    TQvRichCaptionObjects Objects;
    Objects.SetCount(3);
    EXPECT_EQ(Objects.Count(), 3);
    Objects.Get(1)->SetCaption("b");
    Objects.Delete(0);
    EXPECT_EQ(Objects.Get(0)->GetCaption(), "b");
    Objects.Add()->SetCaption("c");
    EXPECT_EQ(Objects.Count(), 3);
    EXPECT_EQ(MessageOf<ERangeError>([&] { Objects.Get(3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<ERangeError>([&] { Objects.Delete(-1); }), "List index out of bounds (-1)");
    Objects.Set(1, Objects.Get(2));
    EXPECT_EQ(Objects.Get(1)->GetCaption(), "c");
    Objects.SetCount(0);
    EXPECT_EQ(Objects.Count(), 0);
}

TEST(RichLabel, SizesItselfAndSwapsSidesWhenTurned) {
    TQvRichLabel Label(nullptr);
    Label.GetCaptionFont()->SetSizeF(16);
    Label.SetCaption("Label text\\+2\\+   ");
    EXPECT_EQ(Label.GetCaption(), "Label text\\+2\\+");
    EXPECT_EQ(Label.GetPlainText(), "Label text2");
    const int W = Label.GetWidth(), H = Label.GetHeight();
    EXPECT_GT(W, H);
    Label.SetAngle(-270);
    EXPECT_FLOAT_EQ(Label.GetAngle(), 90);
    EXPECT_EQ(Label.GetWidth(), H);
    EXPECT_EQ(Label.GetHeight(), W);
    // Turned by 90 degrees the caption's top-left corner lies at the bottom-left.
    EXPECT_FLOAT_EQ(Label.CaptionObject()->GetAnchorX(), 0);
    EXPECT_NEAR(Label.CaptionObject()->GetAnchorY(), W, 1);

    // A fixed size keeps the box, and Align places the caption in it.
    Label.SetAngle(0);
    Label.SetAutoSize(false);
    Label.SetBounds(0, 0, 400, 100);
    Label.SetAlign(TQvContentAlignment::BottomRight);
    EXPECT_FLOAT_EQ(Label.CaptionObject()->GetAnchorX(), 400);
    EXPECT_FLOAT_EQ(Label.CaptionObject()->GetAnchorY(), 100);
    Label.SetAlign(TQvContentAlignment::MiddleCenter);
    EXPECT_FLOAT_EQ(Label.CaptionObject()->GetAnchorX(), 200);
    EXPECT_FLOAT_EQ(Label.CaptionObject()->GetAnchorY(), 50);

    // Painted text lands inside the client area.
    QImage Image(400, 100, QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    Label.Paint(Painter);
    Painter.end();
    EXPECT_GT(CountDark(Image), 50);
}

} // namespace
