#pragma once

// Undo and redo buttons for tool bars: a main part that undoes (redoes) the latest step, and an
// arrow part that drops down the list of recorded steps, from which several are undone (redone)
// at once. The buttons enable themselves while their stack has something to play.

#include "framework/qvcontrols.h"
#include "framework/qvforms.h"

#include <QImage>
#include <QPointer>

class QLabel;
class QListWidget;
class TQvUndoStack;

// A button of two parts: the main part and, at the right edge, a drop-down arrow part.
class TQvDropDnButton : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(QImage Glyph READ GetGlyph WRITE SetGlyph)
    Q_PROPERTY(int NumGlyphs READ GetNumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(Framework::TButtonLayout Layout READ GetLayout WRITE SetLayout)
    Q_PROPERTY(int Margin READ GetMargin WRITE SetMargin)
    Q_PROPERTY(int Spacing READ GetSpacing WRITE SetSpacing)
    Q_PROPERTY(bool Transparent READ GetTransparent WRITE SetTransparent)
    Q_PROPERTY(bool Flat READ GetFlat WRITE SetFlat)
    Q_PROPERTY(Framework::TButtonStyle Style READ GetStyle WRITE SetStyle)
    Q_PROPERTY(TQvUndoStack* UndoStack READ GetUndoStack WRITE SetUndoStack)
public:
    static constexpr int ArrowWidth = 15;

    Q_INVOKABLE explicit TQvDropDnButton(TComponent* AOwner);
    ~TQvDropDnButton() override;

    const QString& GetCaption() const { return FCaption; }
    void SetCaption(const QString& Value);
    // NumGlyphs images side by side: normal, disabled, pressed; a missing disabled image is
    // made grey from the normal one. Without a glyph the button draws its own.
    const QImage& GetGlyph() const { return FGlyph; }
    void SetGlyph(const QImage& Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    TButtonLayout GetLayout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    // Pixels between the edge and the glyph; -1 centres glyph and caption.
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);
    // Pixels between glyph and caption.
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);
    // No face of its own where the style allows: the parent shows through.
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // A face and a frame only while the mouse is over it or it is pressed.
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    TButtonStyle GetStyle() const { return FStyle; }
    void SetStyle(TButtonStyle Value);

    TQvUndoStack* GetUndoStack() const { return FUndoStack; }
    void SetUndoStack(TQvUndoStack* Value);

    // Drops the list of steps down below the button, kept inside the screen.
    void ShowListWindow();
    // Whether the main part has something to do; the button enables itself accordingly at
    // every idle pass.
    virtual bool CanPlay() const { return false; }
    // Whether the list shows the steps to redo rather than those to undo.
    virtual bool ListsRedo() const { return false; }

    void Paint(QPainter& Canvas) override;
    // Forgets the undo stack that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    // The main part was clicked.
    virtual void MainClick() {}
    // Draws the button's own glyph into Rect, used when Glyph is empty.
    virtual void DrawDefaultGlyph(QPainter& Canvas, const QRect& Rect) const;

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    enum class TPart {
        None,
        Main,
        Arrow
    };
    TPart PartAt(int X, int Y) const;
    void PaintFace(QPainter& Canvas, const QRect& Rect, bool Down) const;
    void PaintContent(QPainter& Canvas, const QRect& Rect, bool Down) const;
    QImage GlyphImage(bool Down) const;
    void UpdateEnabled();

    QString FCaption;
    QImage FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = TButtonLayout::GlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    bool FTransparent = false;
    bool FFlat = false;
    TButtonStyle FStyle = TButtonStyle::Themed;
    TQvUndoStack* FUndoStack = nullptr;
    TPart FPressed = TPart::None;
    TPart FHot = TPart::None;
    bool FMouseInside = false;
    TIdleHook FIdle;
};

// Undoes the latest step; its list undoes several.
class TQvUndoButton : public TQvDropDnButton {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQvUndoButton(TComponent* AOwner);
    bool CanPlay() const override;

protected:
    void MainClick() override;
    void DrawDefaultGlyph(QPainter& Canvas, const QRect& Rect) const override;
};

// The undo button turned round: it redoes what was undone.
class TQvRedoButton : public TQvUndoButton {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQvRedoButton(TComponent* AOwner);
    bool ListsRedo() const override { return true; }
};

// The drop-down list of steps: pointing at entry i marks the i + 1 latest steps, clicking it
// undoes (redoes) them all; Escape or a click elsewhere closes it without action. One window
// serves every button.
class TQvUndoListFrm : public TForm {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQvUndoListFrm(TComponent* AOwner);

    // The window, made on first use.
    static TQvUndoListFrm* Instance();

    // Shows the steps of Button's stack below it.
    void ShowFor(TQvDropDnButton* Button);
    // Marks the entries 0 to Index and tells how many steps they are.
    void HoverItem(int Index);
    // Plays the steps up to entry Index and closes.
    void ChooseItem(int Index);

    // The list of steps.
    QListWidget* LevelsList();
    // The label below the list that tells how many steps are marked.
    QLabel* CaptionLabel();
    // How many entries, from the top, the pointer marks.
    int MarkedSteps() const { return FMarked + 1; }
    // The button the list dropped down from.
    TQvDropDnButton* ParentButton() const { return FParentBtn; }

    // Forgets the button that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void HostCreated(QWidget* Host) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QString CaptionFor(int Index) const;

    QPointer<QListWidget> FLevelsList;
    QPointer<QLabel> FCaptionLabel;
    bool FRedo = false;
    int FMarked = 0;
    TQvDropDnButton* FParentBtn = nullptr;
};
