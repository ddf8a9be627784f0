// Undo and redo buttons on a tool bar: real clicks on their two parts, the drop-down list of
// steps, and enabling that follows the stack.

#include "../qvtest.h"

#include <framework/qvforms.h>
#include <strings/qvlocalize.h>
#include <style/qvstyles.h>
#include <undo/qvundobuttons.h>
#include <undo/qvundostack.h>

#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qvlocalize;

namespace {

struct TToolBar {
    TToolBar() : Form(new TForm(Application())) {
        Stack = new TQvUndoStack(Form);
        Line.SetUndoStack(Stack);
        Bar = new TCustomPanel(Form);
        Bar->SetParent(Form);
        Bar->SetBounds(0, 0, 200, 40);
        Undo = new TQvUndoButton(Form);
        Redo = new TQvRedoButton(Form);
        for (TQvDropDnButton* Button :
             {static_cast<TQvDropDnButton*>(Undo), static_cast<TQvDropDnButton*>(Redo)}) {
            Button->SetParent(Bar);
            Button->SetUndoStack(Stack);
        }
        Undo->SetBounds(8, 7, 80, 26);
        Redo->SetBounds(96, 7, 80, 26);
        Form->SetBounds(40, 40, 200, 40);
        Form->Show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Form->Widget()));
    }
    ~TToolBar() { delete Form; }

    // A click on the main part or on the arrow part of a button.
    void Click(const TQvDropDnButton* Button, bool Arrow) {
        const int X = Arrow
                          ? Button->GetLeft() + Button->GetWidth() - TQvDropDnButton::ArrowWidth / 2
                          : Button->GetLeft() + 20;
        QTest::mouseClick(Bar->Widget(), Qt::LeftButton, {}, QPoint(X, Button->GetTop() + 13));
    }
    // The list row Row as the mouse points at and clicks it.
    static QPoint RowCentre(int Row) {
        QListWidget* List = TQvUndoListFrm::Instance()->LevelsList();
        return List->visualItemRect(List->item(Row)).center();
    }

    TForm* Form;
    TQvUndoStack* Stack;
    TQvSimpleLineSettings Line;
    TCustomPanel* Bar;
    TQvUndoButton* Undo;
    TQvRedoButton* Redo;
};

} // namespace

TEST(UndoButtons, ClicksAndTheListPlayStepsAndTheButtonsFollowTheStack) {
    TToolBar Bar;
    Application()->DoIdle();
    EXPECT_FALSE(Bar.Undo->GetEnabled());
    EXPECT_FALSE(Bar.Redo->GetEnabled());
    EXPECT_EQ(Bar.Undo->GetCaption(), "Undo");

    for (float Width : {2.f, 3.f, 4.f, 5.f, 6.f})
        Bar.Line.SetWidth(Width);
    Bar.Line.SetColor(0xFF0000FF);
    Application()->DoIdle();
    EXPECT_TRUE(Bar.Undo->GetEnabled());
    EXPECT_FALSE(Bar.Redo->GetEnabled());

    // The main part undoes the latest step; a disabled button ignores clicks.
    Bar.Click(Bar.Redo, false);
    EXPECT_EQ(Bar.Stack->UndoCount(), 6);
    Bar.Click(Bar.Undo, false);
    EXPECT_EQ(Bar.Line.GetColor(), 0xFFFF0000u);
    Application()->DoIdle();
    EXPECT_TRUE(Bar.Redo->GetEnabled());

    // The arrow drops the list down below the button, the latest step on top.
    Bar.Click(Bar.Undo, true);
    TQvUndoListFrm* List = TQvUndoListFrm::Instance();
    ASSERT_TRUE(List->GetVisible());
    EXPECT_EQ(List->ParentButton(), Bar.Undo);
    EXPECT_EQ(List->LevelsList()->count(), 5);
    EXPECT_EQ(List->LevelsList()->item(0)->text(), SLineWidth.Text());
    EXPECT_EQ(List->GetTop(), Bar.Undo->ClientToScreen(QPoint(0, Bar.Undo->GetHeight())).y());
    EXPECT_EQ(List->CaptionLabel()->text(), "Undo last operation");

    // Pointing at the third entry marks three steps; clicking it undoes them at once.
    QWidget* Rows = List->LevelsList()->viewport();
    QTest::mouseMove(Rows, Bar.RowCentre(2));
    EXPECT_EQ(List->CaptionLabel()->text(), "Undo last 3 operations");
    EXPECT_EQ(List->MarkedSteps(), 3);
    QTest::mouseClick(Rows, Qt::LeftButton, {}, Bar.RowCentre(2));
    EXPECT_FALSE(List->GetVisible());
    EXPECT_EQ(Bar.Line.GetWidth(), 3.f);
    EXPECT_EQ(Bar.Stack->UndoCount(), 2);
    EXPECT_EQ(Bar.Stack->RedoCount(), 4);

    // Escape closes the redo list without playing anything.
    Bar.Click(Bar.Redo, true);
    ASSERT_TRUE(List->GetVisible());
    EXPECT_EQ(List->CaptionLabel()->text(), "Redo last operation");
    QTest::keyClick(List->Widget(), Qt::Key_Escape);
    EXPECT_FALSE(List->GetVisible());
    EXPECT_EQ(Bar.Stack->RedoCount(), 4);

    // At either end of the stack its button disables itself at the next idle pass.
    Bar.Click(Bar.Undo, true);
    QTest::mouseClick(List->LevelsList()->viewport(), Qt::LeftButton, {}, Bar.RowCentre(1));
    EXPECT_EQ(Bar.Line.GetWidth(), 1.f);
    Application()->DoIdle();
    EXPECT_FALSE(Bar.Undo->GetEnabled());
    EXPECT_TRUE(Bar.Redo->GetEnabled());
    Bar.Click(Bar.Redo, true);
    QTest::mouseMove(List->LevelsList()->viewport(), Bar.RowCentre(5));
    EXPECT_EQ(List->CaptionLabel()->text(), "Redo last 6 operations");
    QTest::mouseClick(List->LevelsList()->viewport(), Qt::LeftButton, {}, Bar.RowCentre(5));
    EXPECT_EQ(Bar.Line.GetColor(), 0xFF0000FFu);
    Application()->DoIdle();
    EXPECT_TRUE(Bar.Undo->GetEnabled());
    EXPECT_FALSE(Bar.Redo->GetEnabled());

    // Freeing the stack leaves both buttons unbound and disabled.
    delete Bar.Stack;
    EXPECT_EQ(Bar.Undo->GetUndoStack(), nullptr);
    EXPECT_FALSE(Bar.Undo->GetEnabled());
}

TEST(UndoButtons, ListStaysOnScreenAndButtonsPaintTheirState) {
    TToolBar Bar;
    Bar.Line.SetWidth(2);
    Bar.Stack->Undo();
    Application()->DoIdle();
    const QRect Screen = QGuiApplication::primaryScreen()->availableGeometry();
    Bar.Form->SetBounds(Screen.right() + 1 - 200, Screen.bottom() + 1 - 40, 200, 40);
    Bar.Click(Bar.Redo, true);
    TQvUndoListFrm* List = TQvUndoListFrm::Instance();
    const QRect Placed = List->BoundsRect();
    EXPECT_LE(Placed.right(), Screen.right());
    EXPECT_LT(Placed.left(), Bar.Redo->ClientToScreen(QPoint()).x());
    // No room below: the list opens above the button.
    EXPECT_LE(Placed.bottom(), Bar.Redo->ClientToScreen(QPoint()).y());
    QTest::keyClick(List->Widget(), Qt::Key_Escape);

    // The enabled redo button draws its arrow in colour, the disabled undo button in grey.
    QImage Image(200, 40, QImage::Format_ARGB32);
    QPainter Painter(&Image);
    Bar.Bar->PaintTo(Painter, 0, 0);
    Painter.end();
    const auto Blue = [&](const TQvDropDnButton* Button) {
        int Count = 0;
        for (int x = Button->GetLeft(); x < Button->GetLeft() + 30; ++x)
            for (int y = Button->GetTop(); y < Button->GetTop() + 26; ++y) {
                const QColor c = Image.pixelColor(x, y);
                Count += c.blue() > c.red() + 60;
            }
        return Count;
    };
    EXPECT_GT(Blue(Bar.Redo), 10);
    EXPECT_EQ(Blue(Bar.Undo), 0);
}
