// The caption font: colours in step, fractional sizes, one draw effect, undo and copies.

#include "../qvtest.h"

#include <style/qvfont.h>

#include <gtest/gtest.h>

namespace {
class TRecorder : public TQvUndoRecorder {
public:
    void PushProperty(QObject* Obj, const QString&, const QString& PropName) override {
        Log << QString::fromLatin1(Obj->metaObject()->className()) + "." + PropName;
    }
    void StartGroup(const QString& Caption) override { Log << "start " + Caption; }
    void StopGroup() override { Log << "stop"; }
    QStringList Log;
};
} // namespace

TEST(Font, ColoursSizesAndEffects) {
    int Calls = 0;
    TQvFont Font([&] { ++Calls; });
    Font.SetFillColor(0x80336699);
    EXPECT_EQ(Font.GetColor(), TColor(0x996633));
    Font.SetColor(clRed);
    EXPECT_EQ(Font.GetFillColor(), 0xFFFF0000u);
    EXPECT_EQ(Calls, 2);

    Font.SetSizeF(10.5f);
    EXPECT_EQ(Font.GetSizeF(), 10.5f);
    EXPECT_EQ(Font.GetSize(), 10); // whole points follow, halves rounded to even
    Font.SetSize(12);
    EXPECT_EQ(Font.GetSizeF(), 12.0f);
    Font.SetHeight(-20);
    EXPECT_EQ(Font.GetSizeF(), 15.0f);
    EXPECT_EQ(Font.GetHeight(), -20);
    EXPECT_EQ(Font.GetGPFont().GetSize(), 15.0f);

    // At most one effect: the lowest new one wins; a set holding only the current one keeps it.
    Font.SetDrawEffects(TQvCharDrawEffect::Shadow);
    Font.SetDrawEffects(TQvCharDrawEffect::Shadow | TQvCharDrawEffect::Outline);
    EXPECT_EQ(Font.GetDrawEffects(), TQvCharDrawEffect::Outline);
    Font.SetDrawEffects(TQvCharDrawEffect::Raised | TQvCharDrawEffect::Lowered);
    EXPECT_EQ(Font.GetDrawEffects(), TQvCharDrawEffect::Lowered);
    Font.SetDrawEffects({});
    EXPECT_EQ(Font.GetDrawEffects(), TQvCharDrawEffects());

    // The gradient reports through the same callback.
    const int Before = Calls;
    Font.GetGradient()->SetVisible(true);
    EXPECT_EQ(Calls, Before + 1);
}

TEST(Font, UndoGroupAndAssign) {
    TRecorder Undo;
    TQvFont Font;
    Font.PushToUndoStack(&Undo, "Font of graph title");
    ASSERT_EQ(Undo.Log.size(), 16);
    EXPECT_EQ(Undo.Log.first(), "start Font of graph title");
    EXPECT_EQ(Undo.Log.mid(1, 5), (QStringList{"TQvFont.Name", "TQvFont.Style", "TQvFont.Size",
                                               "TQvFont.FillColor", "TQvFont.DrawEffects"}));
    EXPECT_EQ(Undo.Log[6], "TQvGradientSettings.Visible");
    EXPECT_EQ(Undo.Log.last(), "stop");
    // Every recorded name is a published property the stack can read.
    EXPECT_EQ(Font.property("Size").toFloat(), 8.0f);

    TQvFont Source;
    Source.SetName("Liberation Serif");
    Source.SetSizeF(7.5f);
    Source.SetStyle(TFontStyle::Italic);
    Source.SetDrawEffects(TQvCharDrawEffect::Shadow);
    Source.SetRenderingHint(TQvTextRenderingHint::ClearTypeGridFit);
    Source.SetFillColor(0x40FFFFFF);
    Source.GetGradient()->SetStyle(TQvGradientStyle::Elliptical);
    int Calls = 0;
    TQvFont Copy([&] { ++Calls; });
    Copy.Assign(&Source);
    EXPECT_EQ(Copy.GetName(), "Liberation Serif");
    EXPECT_EQ(Copy.GetSizeF(), 7.5f);
    EXPECT_EQ(Copy.GetStyle(), TFontStyle::Italic);
    EXPECT_EQ(Copy.GetDrawEffects(), TQvCharDrawEffect::Shadow);
    EXPECT_EQ(Copy.GetRenderingHint(), TQvTextRenderingHint::ClearTypeGridFit);
    EXPECT_EQ(Copy.GetFillColor(), 0x40FFFFFFu);
    EXPECT_EQ(Copy.GetGradient()->GetStyle(), TQvGradientStyle::Elliptical);
    EXPECT_GE(Calls, 1);

    // From a plain framework font: face, size and style, and the colour made opaque.
    TFont Plain;
    Plain.SetSize(14);
    Plain.SetColor(clBlue);
    Copy.Assign(&Plain);
    EXPECT_EQ(Copy.GetSizeF(), 14.0f);
    EXPECT_EQ(Copy.GetFillColor(), 0xFF0000FFu);
    EXPECT_EQ(Copy.GetName(), "Arial");
}
