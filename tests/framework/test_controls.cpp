// Controls: bounds, alignment, anchors, fonts, the widget host, mouse routing and painting.

#include <framework/qvcontrols.h>
#include <framework/qvexceptions.h>
#include <framework/qvforms.h>

#include "../qvtest.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPointer>
#include <QTest>
#include <QWidget>

namespace {
// A graphic child that fills itself and logs what the mouse does to it.
class TProbe : public TGraphicControl {
public:
    TProbe(TComponent* AOwner, TWinControl* AParent, const QString& AName, QRect Bounds = {},
           QColor AColor = Qt::red)
        : TGraphicControl(AOwner), Color(AColor) {
        SetName(AName);
        SetParent(AParent);
        if (!Bounds.isNull()) SetBoundsRect(Bounds);
    }
    void Paint(QPainter& Canvas) override {
        // Paints far beyond its bounds: the parent must clip.
        Canvas.fillRect(QRect(-1000, -1000, 3000, 3000), Color);
    }
    void Note(const QString& Event) { Log << GetName() + ' ' + Event; }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        Note(QString("down %1 %2,%3 %4").arg(int(Button)).arg(X).arg(Y).arg(Shift.toInt()));
        TGraphicControl::MouseDown(Button, Shift, X, Y);
    }
    void MouseMove(TShiftState Shift, int X, int Y) override {
        Note(QString("move %1,%2 %3").arg(X).arg(Y).arg(Shift.toInt()));
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        Note(QString("up %1 %2,%3 %4").arg(int(Button)).arg(X).arg(Y).arg(Shift.toInt()));
    }
    void Click() override {
        Note("click");
        TGraphicControl::Click();
    }
    void DblClick() override { Note("dblclick"); }
    void MouseEnter() override { Note("enter"); }
    void MouseLeave() override { Note("leave"); }

    QColor Color;
    static QStringList Log;
};
QStringList TProbe::Log;

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
    void Paint(QPainter& Canvas) override {
        Canvas.fillRect(GetClientRect(), Qt::white);
        TCustomPanel::Paint(Canvas);
    }
    void MouseDown(TMouseButton, TShiftState Shift, int X, int Y) override {
        TProbe::Log << QString("panel down %1,%2 %3").arg(X).arg(Y).arg(Shift.toInt());
    }
    void MouseUp(TMouseButton, TShiftState, int X, int Y) override {
        TProbe::Log << QString("panel up %1,%2").arg(X).arg(Y);
    }
    void FontChanged() override {
        ++FontChanges;
        TCustomPanel::FontChanged();
    }
    int FontChanges = 0;
};

int Bits(std::initializer_list<TShiftStateItem> Items) {
    TShiftState State;
    for (auto Item : Items)
        State |= Item;
    return State.toInt();
}
} // namespace

TEST(Controls, AlignmentAndAnchorsPlaceChildren) {
    TComponent Form(nullptr);
    TPanel Panel(&Form);
    Panel.SetBounds(0, 0, 400, 300);
    auto* Top = new TProbe(&Form, &Panel, "Top", {0, 0, 0, 30});
    Top->SetAlign(TAlign::Top);
    auto* Bottom = new TProbe(&Form, &Panel, "Bottom", {0, 0, 0, 20});
    Bottom->SetAlign(TAlign::Bottom);
    auto* Left = new TProbe(&Form, &Panel, "Left", {0, 0, 50, 0});
    Left->SetAlign(TAlign::Left);
    auto* Right = new TProbe(&Form, &Panel, "Right", {0, 0, 60, 0});
    Right->SetAlign(TAlign::Right);
    auto* Client = new TProbe(&Form, &Panel, "Client");
    Client->SetAlign(TAlign::Client);
    auto* Stretch = new TProbe(&Form, &Panel, "Stretch", {10, 200, 100, 40});
    Stretch->SetAnchors(TAnchorKind::Left | TAnchorKind::Right | TAnchorKind::Bottom);
    auto* Corner = new TProbe(&Form, &Panel, "Corner", {300, 250, 80, 30});
    Corner->SetAnchors(TAnchorKind::Right | TAnchorKind::Bottom);

    EXPECT_EQ(Top->BoundsRect(), QRect(0, 0, 400, 30));
    EXPECT_EQ(Bottom->BoundsRect(), QRect(0, 280, 400, 20));
    EXPECT_EQ(Left->BoundsRect(), QRect(0, 30, 50, 250));
    EXPECT_EQ(Right->BoundsRect(), QRect(340, 30, 60, 250));
    EXPECT_EQ(Client->BoundsRect(), QRect(50, 30, 290, 250));

    Panel.SetBounds(0, 0, 500, 350);
    EXPECT_EQ(Bottom->BoundsRect(), QRect(0, 330, 500, 20));
    EXPECT_EQ(Client->BoundsRect(), QRect(50, 30, 390, 300));
    EXPECT_EQ(Stretch->BoundsRect(), QRect(10, 250, 200, 40));
    EXPECT_EQ(Corner->BoundsRect(), QRect(400, 300, 80, 30));

    // A hidden or removed aligned child gives its room back.
    Top->Hide();
    EXPECT_EQ(Client->BoundsRect(), QRect(50, 0, 390, 330));
    Left->SetParent(nullptr);
    EXPECT_EQ(Client->BoundsRect(), QRect(0, 0, 440, 330));
    delete Left;
}

TEST(Controls, ParentsFreeTheirChildrenAndRefuseLoops) {
    TComponent Form(nullptr);
    auto* Outer = new TPanel(&Form);
    auto* Inner = new TPanel(&Form);
    Inner->SetParent(Outer);
    QPointer<TProbe> Child = new TProbe(&Form, Inner, "Child");
    EXPECT_EQ(Form.ComponentCount(), 3);
    EXPECT_TRUE(Outer->ContainsControl(Child));
    EXPECT_EQ(Child->ClientToParent(QPoint(1, 2), Outer), QPoint(1, 2));
    Inner->SetBounds(10, 20, 100, 100);
    Child->SetBounds(5, 5, 10, 10);
    EXPECT_EQ(Child->ClientToParent(QPoint(1, 2), Outer), QPoint(16, 27));
    EXPECT_THROW(Child->ClientToParent(QPoint(), new TPanel(&Form)), EInvalidOperation);

    EXPECT_THROW(Outer->SetParent(Inner), EInvalidOperation);
    EXPECT_THROW(Outer->SetParent(Outer), EInvalidOperation);
    EXPECT_EQ(Outer->GetParent(), nullptr);

    // The window takes its children with it; the owner's list follows.
    delete Outer;
    EXPECT_TRUE(Child.isNull());
    EXPECT_EQ(Form.ComponentCount(), 1);
}

TEST(Controls, FontIsInheritedUntilSetExplicitly) {
    TComponent Form(nullptr);
    TPanel Parent(&Form);
    auto* Child = new TPanel(&Form);
    Child->SetParent(&Parent);
    auto* Grand = new TProbe(&Form, Child, "Grand");
    const int Before = Child->FontChanges;
    Parent.GetFont()->SetName("Liberation Serif");
    Parent.GetFont()->SetSize(20);
    EXPECT_EQ(Child->GetFont()->GetName(), "Liberation Serif");
    EXPECT_EQ(Grand->GetFont()->GetSize(), 20);
    EXPECT_TRUE(Child->GetParentFont());
    EXPECT_EQ(Child->FontChanges, Before + 2);

    // Changing a child's own font ends its inheritance, but its children still follow it.
    Child->GetFont()->SetSize(7);
    EXPECT_FALSE(Child->GetParentFont());
    EXPECT_EQ(Grand->GetFont()->GetSize(), 7);
    Parent.GetFont()->SetStyle(TFontStyle::Bold | TFontStyle::Italic);
    EXPECT_EQ(Child->GetFont()->GetStyle(), TFontStyles());
    Child->SetParentFont(true);
    EXPECT_EQ(Child->GetFont()->GetSize(), 20);
    EXPECT_EQ(Grand->GetFont()->GetStyle(), TFontStyle::Bold | TFontStyle::Italic);

    // Assigning a font copies it; height and size convert at 96 pixels per inch.
    TFont Other;
    Other.SetHeight(-16);
    EXPECT_EQ(Other.GetSize(), 12);
    Grand->SetFont(&Other);
    EXPECT_EQ(Grand->GetFont()->GetSize(), 12);
    EXPECT_FALSE(Grand->GetParentFont());
    EXPECT_NE(Grand->GetFont(), &Other);
}

TEST(Controls, HostRoutesMouseAndKeysToTheRightControl) {
    auto* Form = new TForm(Application());
    auto* Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(10, 10, 300, 200);
    new TProbe(Form, Panel, "Lower", {20, 20, 100, 100});
    auto* Upper = new TProbe(Form, Panel, "Upper", {60, 60, 100, 100}, Qt::blue);
    QPointer<TProbe> Victim = new TProbe(Form, Panel, "Victim", {200, 20, 50, 50});
    Victim->SetOnClick([](TObject* Sender) { delete Sender; });
    Form->Show();
    QWidget* Host = Panel->Widget();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Widget()));

    using enum TShiftStateItem;
    TProbe::Log.clear();
    // Where both overlap, the later (upper) child gets the press, in its own coordinates.
    QTest::mousePress(Host, Qt::LeftButton, Qt::ShiftModifier, QPoint(70, 80));
    EXPECT_EQ(TProbe::Log.last(), QString("Upper down 0 10,20 %1").arg(Bits({Shift, Left})));
    // Dragging away keeps the mouse with the pressed child; releasing outside is no click.
    QTest::mouseMove(Host, QPoint(250, 190));
    EXPECT_TRUE(TProbe::Log.last().startsWith("Upper move 190,130"));
    QTest::mouseRelease(Host, Qt::LeftButton, Qt::NoModifier, QPoint(250, 190));
    EXPECT_EQ(TProbe::Log.last(), "Upper up 0 190,130 0");
    EXPECT_FALSE(TProbe::Log.contains("Upper click"));

    // A press and release inside is a click, reported before the mouse-up.
    TProbe::Log.clear();
    QTest::mouseClick(Host, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    const qsizetype Down = TProbe::Log.indexOf(QString("Lower down 0 10,10 %1").arg(Bits({Left})));
    EXPECT_GE(Down, 0);
    EXPECT_EQ(TProbe::Log.value(Down + 1), "Lower click");
    EXPECT_EQ(TProbe::Log.value(Down + 2), "Lower up 0 10,10 0");
    // Right button: no click. Outside any child: the panel itself.
    TProbe::Log.clear();
    QTest::mouseClick(Host, Qt::RightButton, Qt::ControlModifier, QPoint(30, 30));
    EXPECT_FALSE(TProbe::Log.contains("Lower click"));
    EXPECT_TRUE(TProbe::Log.contains(QString("Lower down 1 10,10 %1").arg(Bits({Ctrl, Right}))));
    QTest::mouseClick(Host, Qt::LeftButton, Qt::AltModifier, QPoint(280, 5));
    EXPECT_TRUE(TProbe::Log.contains(QString("panel down 280,5 %1").arg(Bits({Alt, Left}))));

    // Double click: DblClick, then a mouse-down with Double.
    TProbe::Log.clear();
    QTest::mouseDClick(Host, Qt::LeftButton, Qt::NoModifier, QPoint(150, 150));
    const qsizetype d = TProbe::Log.indexOf("Upper dblclick");
    ASSERT_GE(d, 0);
    EXPECT_EQ(TProbe::Log.value(d + 1), QString("Upper down 0 90,90 %1").arg(Bits({Left, Double})));
    QTest::mouseRelease(Host, Qt::LeftButton, Qt::NoModifier, QPoint(150, 150));

    // Hover moves enter and leave between children and the panel.
    TProbe::Log.clear();
    QTest::mouseMove(Host, QPoint(30, 30));
    QTest::mouseMove(Host, QPoint(150, 150));
    QTest::mouseMove(Host, QPoint(290, 10));
    EXPECT_TRUE(TProbe::Log.contains("Lower enter"));
    EXPECT_LT(TProbe::Log.indexOf("Lower leave"), TProbe::Log.indexOf("Upper enter"));
    EXPECT_TRUE(TProbe::Log.contains("Upper leave"));

    // The cursor of the child under the pointer shows.
    Upper->SetCursor(crHandPoint);
    QTest::mouseMove(Host, QPoint(100, 100));
    EXPECT_EQ(Host->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(Host, QPoint(290, 10));
    EXPECT_EQ(Host->cursor().shape(), Qt::ArrowCursor);

    // Screen and client coordinates agree with the widget.
    EXPECT_EQ(Upper->ClientToScreen(QPoint(0, 0)), Host->mapToGlobal(QPoint(60, 60)));
    EXPECT_EQ(Upper->ScreenToClient(Host->mapToGlobal(QPoint(61, 62))), QPoint(1, 2));

    // A click handler may free the control it runs for; the next press goes to the panel.
    TProbe::Log.clear();
    QTest::mouseClick(Host, Qt::LeftButton, Qt::NoModifier, QPoint(210, 30));
    EXPECT_TRUE(Victim.isNull());
    EXPECT_FALSE(TProbe::Log.contains("Victim up 0 10,10 0"));
    QTest::mouseClick(Host, Qt::LeftButton, Qt::NoModifier, QPoint(210, 30));
    EXPECT_TRUE(TProbe::Log.last().startsWith("panel up"));

    // Wheel and keys reach the windowed control.
    int Wheel = 0, Key = 0;
    QString Typed;
    Panel->SetOnMouseWheel([&](TObject*, TShiftState, int Delta, QPoint, bool& Handled) {
        Wheel += Delta;
        Handled = true;
    });
    Panel->SetOnKeyDown([&](TObject*, int& K, TShiftState) { Key = K; });
    Panel->SetOnKeyPress([&](TObject*, QChar& C) { Typed += C; });
    QWheelEvent WheelEvent(QPointF(20, 20), Host->mapToGlobal(QPointF(20, 20)), QPoint(),
                           QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(Host, &WheelEvent);
    EXPECT_EQ(Wheel, 120);
    QTest::keyClick(Host, Qt::Key_A);
    EXPECT_EQ(Key, Qt::Key_A);
    EXPECT_EQ(Typed, "a");
    delete Form;
}

TEST(Controls, PaintClipsChildrenAndMatchesWindowlessPaint) {
    TComponent Owner(nullptr);
    TPanel Panel(&Owner);
    Panel.SetBounds(0, 0, 120, 80);
    new TProbe(&Owner, &Panel, "Child", {10, 20, 30, 40});
    (new TProbe(&Owner, &Panel, "Hidden", {60, 10, 20, 20}, Qt::green))->Hide();
    const auto Paint = [&] {
        QImage Image(120, 80, QImage::Format_RGB32);
        Image.fill(Qt::yellow);
        QPainter Painter(&Image);
        Panel.PaintTo(Painter, 0, 0);
        Painter.end();
        return Image;
    };

    const QImage Direct = Paint();
    EXPECT_EQ(Direct.pixelColor(39, 59), QColor(Qt::red));
    EXPECT_EQ(Direct.pixelColor(40, 59), QColor(Qt::white));
    EXPECT_EQ(Direct.pixelColor(70, 20), QColor(Qt::white)); // the hidden child

    const QImage Grabbed = Panel.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Grabbed, Direct);

    // The border of a single-line panel is drawn on its edge.
    Panel.SetBorderStyle(TBorderStyle::Single);
    const QImage Framed = Paint();
    EXPECT_EQ(Framed.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(Framed.pixelColor(119, 79), QColor(Qt::black));
}

TEST(Controls, WidgetGeometryAndBoundsStayInStep) {
    TComponent Owner(nullptr);
    TPanel Panel(&Owner);
    QWidget* Host = Panel.Widget();
    EXPECT_FALSE(Host->isVisible()); // a top-level widget waits to be shown
    Panel.Show();
    EXPECT_TRUE(Host->isVisible());
    Host->resize(333, 222); // resized from outside, as a layout does
    EXPECT_EQ(Panel.GetWidth(), 333);
    EXPECT_EQ(Panel.GetHeight(), 222);
    Panel.SetBounds(0, 0, 100, 50);
    EXPECT_EQ(Host->size(), QSize(100, 50));

    // A windowed child of a windowed control gets its widget with the parent's.
    auto* Child = new TPanel(&Owner);
    Child->SetBounds(5, 6, 20, 10);
    Child->SetParent(&Panel);
    ASSERT_TRUE(Child->HandleAllocated());
    EXPECT_EQ(Child->Widget()->parentWidget(), Host);
    EXPECT_EQ(Child->Widget()->geometry(), QRect(5, 6, 20, 10));
    Child->SetParent(nullptr);
    EXPECT_FALSE(Child->HandleAllocated());

    // Deleting the widget from outside leaves a working control.
    delete Host;
    EXPECT_FALSE(Panel.HandleAllocated());
    Panel.Invalidate();
    EXPECT_NE(Panel.Widget(), nullptr);
}
