// Style settings: defaults, value rules, undo records, callbacks, pens and brushes.

#include "../qvtest.h"

#include <framework/qvexceptions.h>
#include <style/qvstyles.h>

#include <gtest/gtest.h>

#include <QMetaProperty>

namespace {
// Records what a setter pushes, with the value the property had at that moment.
class TRecorder : public TQvUndoRecorder {
public:
    void PushProperty(QObject* Obj, const QString& Caption, const QString& PropName) override {
        Log << QString("%1|%2|%3")
                   .arg(Caption, PropName, Obj->property(PropName.toLatin1()).toString());
    }
    void StartGroup(const QString& Caption) override { Log << "start " + Caption; }
    void StopGroup() override { Log << "stop"; }
    QStringList Log;
};
} // namespace

// Every published property reads back what is written through the meta-object system, as the
// undo stack relies on.
TEST(Styles, PublishedPropertiesReadBackWhatIsWritten) {
    TQvGradientSettings Gradient;
    TQvLineSettings Line;
    TQvAreaSettings Area;
    TQvPointSymbolSettings Symbol;
    TQvArrowSettings Arrow;
    TQvAxisArrowPoint AxisArrow;
    TQvStyleSettings* All[] = {&Gradient, &Line, &Area, &Symbol, &Arrow, &AxisArrow};
    for (TQvStyleSettings* Settings : All) {
        const QMetaObject* Meta = Settings->metaObject();
        for (int i = QObject::staticMetaObject.propertyCount(); i < Meta->propertyCount(); ++i) {
            const QMetaProperty Property = Meta->property(i);
            if (QByteArray(Property.typeName()).endsWith('*')) continue;
            EXPECT_TRUE(Property.isWritable()) << Property.name();
            const QVariant Value = Property.read(Settings);
            ASSERT_TRUE(Value.isValid()) << Meta->className() << "." << Property.name();
            EXPECT_TRUE(Property.write(Settings, Value)) << Property.name();
        }
    }
}

TEST(Styles, SettersNormaliseRecordAndNotify) {
    TRecorder Undo;
    int Calls = 0;
    TQvGradientSettings Gradient([&] { ++Calls; });
    Gradient.SetUndoStack(&Undo);
    // 370 is stored as 10 (the second record shows it), -90 as 270, so 630 changes nothing.
    Gradient.SetLinearAngle(370);
    Gradient.SetLinearAngle(-90);
    Gradient.SetLinearAngle(630);
    EXPECT_EQ(Undo.Log, (QStringList{"Linear gradient angle|LinearAngle|0",
                                     "Linear gradient angle|LinearAngle|10"}));
    EXPECT_EQ(Calls, 2);

    Undo.Log.clear();
    Gradient.SetLinearCenter(1.5f);
    EXPECT_EQ(Gradient.GetLinearCenter(), 1.0f);
    Gradient.SetLinearCenter(1.5f);
    Gradient.SetRadialCenterX(-3);
    EXPECT_EQ(Gradient.GetRadialCenterX(), 0.0f);
    EXPECT_EQ(Undo.Log, (QStringList{"Linear gradient center|LinearCenter|0.5",
                                     "X component of gradient center|RadialCenterX|0.5"}));

    // Arrow lengths below the minimum are stored as the minimum.
    TQvArrowSettings Arrow;
    Arrow.SetUndoStack(&Undo);
    Undo.Log.clear();
    Arrow.SetPointLength(0);
    EXPECT_EQ(Arrow.GetPointLength(), MinArrowLength);
    EXPECT_EQ(Undo.Log, QStringList{"Arrow tip point length|PointLength|5"});
    TQvAxisArrowPoint AxisArrow;
    AxisArrow.SetInnerLength(-1);
    EXPECT_EQ(AxisArrow.GetInnerLength(), MinArrowLength);

    // A line's undo stack reaches its gradient; without a stack nothing is recorded.
    TQvLineSettings Line;
    Line.SetUndoStack(&Undo);
    Undo.Log.clear();
    Line.GetGradient()->SetVisible(true);
    Line.SetWidth(2.5f);
    Line.SetDashStyle(TGPDashStyle::Dot);
    EXPECT_EQ(Undo.Log, (QStringList{"Gradient visible|Visible|false", "Line width|Width|1",
                                     "Line dash style|DashStyle|Solid"}));
    Line.SetUndoStack(nullptr);
    Line.SetColor(0xFF0000FF);
    EXPECT_EQ(Undo.Log.size(), 3);
}

TEST(Styles, AssignCopiesValuesWithoutRecordingExceptVisible) {
    TRecorder Undo;
    int Calls = 0;
    TQvLineSettings Source, Target([&] { ++Calls; });
    Source.SetVisible(false);
    Source.SetColor(0xFF112233);
    Source.SetWidth(3);
    Source.GetGradient()->SetStyle(TQvGradientStyle::Radial);
    Target.SetUndoStack(&Undo);
    Target.Assign(&Source);
    EXPECT_EQ(Undo.Log, QStringList{"Line visible|Visible|true"});
    EXPECT_FALSE(Target.GetVisible());
    EXPECT_EQ(Target.GetColor(), 0xFF112233u);
    EXPECT_EQ(Target.GetWidth(), 3.0f);
    EXPECT_EQ(Target.GetGradient()->GetStyle(), TQvGradientStyle::Radial);
    EXPECT_EQ(Calls, 2); // Visible, then the gradient's assignment
    EXPECT_EQ(Target.GetUndoStack(), &Undo);

    TQvArrowSettings Arrow;
    Arrow.SetPointHeight(9);
    TQvArrowSettings ArrowCopy;
    ArrowCopy.Assign(&Arrow);
    EXPECT_EQ(ArrowCopy.GetPointHeight(), 9.0f);

    TQvPointSymbolSettings Symbol, SymbolCopy;
    Symbol.SetPointSymbol(TQvPointSymbol::Nabla);
    Symbol.SetSize(4);
    SymbolCopy.Assign(&Symbol);
    EXPECT_EQ(SymbolCopy.GetPointSymbol(), TQvPointSymbol::Nabla);
    EXPECT_EQ(SymbolCopy.GetSize(), 4.0f);

    TQvAreaSettings Area;
    EXPECT_EQ(MessageOf<EConvertError>([&] { Area.Assign(&Symbol); }),
              "Cannot assign a TQvPointSymbolSettings to a TQvAreaSettings");
}

TEST(Styles, PensBrushesAndArrowCaps) {
    TQvLineSettings Line;
    Line.SetWidth(2.5f);
    Line.SetDashStyle(TGPDashStyle::DashDot);
    Line.SetColor(0xFF00FF00);
    auto Pen = Line.GetPen(TGPRectF{0, 0, 10, 10});
    EXPECT_EQ(Pen->GetWidth(), 2.5f);
    EXPECT_EQ(Pen->GetDashStyle(), TGPDashStyle::DashDot);
    EXPECT_EQ(Pen->GetColor(), 0xFF00FF00u);
    EXPECT_EQ(Pen->GetBrush(), nullptr);
    Line.GetGradient()->SetVisible(true);
    auto GradientPen = Line.GetPen(TRect{0, 0, 10, 10});
    EXPECT_NE(dynamic_cast<const TGPLinearGradientBrush*>(GradientPen->GetBrush()), nullptr);

    TQvArrowSettings Arrow;
    Arrow.SetPointLength(6);
    Arrow.SetInnerLength(4);
    auto ArrowPen = Arrow.GetPen(TGPRectF{});
    ASSERT_NE(ArrowPen->GetCustomEndCap(), nullptr);
    EXPECT_EQ(ArrowPen->GetCustomEndCap()->GetBaseInset(), 4.0f);
    EXPECT_EQ(ArrowPen->GetCustomEndCap()->FillPath()->GetBounds(), (TGPRectF{-2, -6, 4, 6}));
    EXPECT_EQ(ArrowPen->GetCustomStartCap(), nullptr);

    TQvAreaSettings Area;
    EXPECT_TRUE(Area.Solid());
    Area.SetAreaStyle(TQvAreaStyle::Weave);
    EXPECT_FALSE(Area.Solid());
    EXPECT_NE(dynamic_cast<TGPHatchBrush*>(Area.GetBrush(TGPRectF{}).get()), nullptr);
    Area.GetGradient()->SetVisible(true);
    Area.GetGradient()->SetStyle(TQvGradientStyle::Elliptical);
    EXPECT_NE(dynamic_cast<TGPPathGradientBrush*>(Area.GetBrush(TRect{0, 0, 5, 5}).get()), nullptr);

    // A gradient's own angle and the extra angle add up.
    TQvGradientSettings Gradient;
    Gradient.SetLinearAngle(30);
    auto Brush = Gradient.GetBrush(TGPRectF{0, 0, 10, 10}, 60);
    auto* Linear = dynamic_cast<TGPLinearGradientBrush*>(Brush.get());
    ASSERT_NE(Linear, nullptr);
    EXPECT_NEAR(Linear->EndPoint().X, Linear->StartPoint().X, 1e-4); // 90 degrees: straight down
}
