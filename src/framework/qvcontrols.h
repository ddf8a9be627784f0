#pragma once

// Controls: TControl has bounds, a parent, visibility, alignment, cursor, hint, font and mouse
// handling; a TGraphicControl has no window and is drawn and hit-tested by its parent; a
// TWinControl holds child controls and shows them in a QWidget that it creates only when asked.

#include "framework/qvclasses.h"
#include "framework/qvgraphics.h"

#include <QList>
#include <QPoint>
#include <QRect>

#include <memory>

class QPainter;
class QWidget;
class TWinControl;
class TControlHost;

// Cursor identifiers; stored values keep the framework's numbering.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

Qt::CursorShape CursorShape(TCursor Cursor);

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            QPoint MousePos, bool& Handled)>;
// Key codes are Qt::Key values.
using TKeyEvent = std::function<void(TObject* Sender, int& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
// The current keyboard and mouse button state, as a mouse-down would report it.
TShiftState KeyboardShiftState();
// Mouse position in screen coordinates.
QPoint CursorPos();

class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TWinControl* Parent READ GetParent WRITE SetParent)
    Q_PROPERTY(int Left READ GetLeft WRITE SetLeft)
    Q_PROPERTY(int Top READ GetTop WRITE SetTop)
    Q_PROPERTY(int Width READ GetWidth WRITE SetWidth)
    Q_PROPERTY(int Height READ GetHeight WRITE SetHeight)
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ GetEnabled WRITE SetEnabled)
    Q_PROPERTY(Framework::TAlign Align READ GetAlign WRITE SetAlign)
    Q_PROPERTY(Framework::TAnchors Anchors READ GetAnchors WRITE SetAnchors)
    Q_PROPERTY(int Cursor READ GetCursor WRITE SetCursor)
    Q_PROPERTY(QString Hint READ GetHint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ GetShowHint WRITE SetShowHint)
    Q_PROPERTY(bool ParentShowHint READ GetParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ParentFont READ GetParentFont WRITE SetParentFont)
    Q_PROPERTY(TFont* Font READ GetFont WRITE SetFont)
public:
    Q_INVOKABLE explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* GetParent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    int GetLeft() const { return FLeft; }
    int GetTop() const { return FTop; }
    int GetWidth() const { return FWidth; }
    int GetHeight() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // The control's rectangle in its parent's client coordinates.
    QRect BoundsRect() const { return QRect(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const QRect& R) { SetBounds(R.x(), R.y(), R.width(), R.height()); }

    virtual QRect GetClientRect() const { return QRect(0, 0, FWidth, FHeight); }
    // The size of the client area.
    int ClientWidth() const { return GetClientRect().width(); }
    int ClientHeight() const { return GetClientRect().height(); }
    void SetClientSize(int AWidth, int AHeight);
    // Screen position of the client origin.
    QPoint ClientOrigin() const;
    // A client point in screen coordinates, and back.
    QPoint ClientToScreen(const QPoint& Point) const { return Point + ClientOrigin(); }
    QPoint ScreenToClient(const QPoint& Point) const { return Point - ClientOrigin(); }
    // A client point in the client coordinates of AParent (the parent when nullptr), which must
    // be one of this control's ancestors.
    QPoint ClientToParent(const QPoint& Point, const TWinControl* AParent = nullptr) const;

    bool GetVisible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    // Makes the control visible, or hides it.
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents.
    bool Showing() const;

    // A disabled control takes no mouse or key input and paints itself greyed.
    bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    TAlign GetAlign() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors GetAnchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value) { FAnchors = Value; }

    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    const QString& GetHint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool GetParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);

    TFont* GetFont() const { return FFont.get(); }
    // Copies Value; a font changed other than from the parent ends the inheritance.
    virtual void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool GetParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    // The font is stored only while it is not the parent's, Enabled only when false.
    bool IsPropertyStored(const char* Name) const override;

    virtual bool IsWindowed() const { return false; }
    // Whether the client point P, inside the bounds, belongs to the control: a control that is
    // not a solid rectangle leaves the rest to the controls below it.
    virtual bool HitTest(const QPoint& P) const {
        Q_UNUSED(P);
        return true;
    }
    // Asks for a repaint of the control's area at the next paint.
    virtual void Invalidate();
    // Repaints the control's area in the next turn of Qt's event loop, like Invalidate: a paint
    // made at once could run inside a notification or another paint.
    virtual void Repaint();

    // Draws the control in its client coordinates; the painter is clipped to the control.
    virtual void Paint(QPainter& Canvas);

    const TNotifyEvent& GetOnClick() const { return FOnClick; }
    void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }
    const TNotifyEvent& GetOnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(const TNotifyEvent& Value) { FOnDblClick = Value; }
    const TMouseEvent& GetOnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(const TMouseEvent& Value) { FOnMouseDown = Value; }
    const TMouseMoveEvent& GetOnMouseMove() const { return FOnMouseMove; }
    void SetOnMouseMove(const TMouseMoveEvent& Value) { FOnMouseMove = Value; }
    const TMouseEvent& GetOnMouseUp() const { return FOnMouseUp; }
    void SetOnMouseUp(const TMouseEvent& Value) { FOnMouseUp = Value; }
    const TNotifyEvent& GetOnMouseEnter() const { return FOnMouseEnter; }
    void SetOnMouseEnter(const TNotifyEvent& Value) { FOnMouseEnter = Value; }
    const TNotifyEvent& GetOnMouseLeave() const { return FOnMouseLeave; }
    void SetOnMouseLeave(const TNotifyEvent& Value) { FOnMouseLeave = Value; }
    const TNotifyEvent& GetOnResize() const { return FOnResize; }
    void SetOnResize(const TNotifyEvent& Value) { FOnResize = Value; }

protected:
    friend class TWinControl;
    friend class TControlHost;

    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Click();
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();
    // After the size changed.
    virtual void Resize();
    // After the bounds were stored; windowed controls move their widget and children here.
    virtual void BoundsUpdated(int DeltaWidth, int DeltaHeight);
    // After the font changed, set directly or inherited from the parent.
    virtual void FontChanged();
    // The parent's font changed; a control with ParentFont takes it over.
    void ParentFontChanged();
    // Makes Font (for example a caption font of a derived class) the control's font.
    void ReplaceFont(std::unique_ptr<TFont> Font);
    bool EffectiveShowHint() const;

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;

private:
    void FontObjectChanged();

    TAlign FAlign = TAlign::None;
    TAnchors FAnchors = TAnchorKind::Left | TAnchorKind::Top;
    TCursor FCursor = crDefault;
    QString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FCopyingParentFont = false;
    TNotifyEvent FOnClick, FOnDblClick, FOnMouseEnter, FOnMouseLeave, FOnResize;
    TMouseEvent FOnMouseDown, FOnMouseUp;
    TMouseMoveEvent FOnMouseMove;
};

// A control without a window of its own, drawn and hit-tested by its parent.
class TGraphicControl : public TControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
};

// A control that holds child controls and shows them in a widget of its own.
class TWinControl : public TControl {
    Q_OBJECT
    Q_PROPERTY(bool DoubleBuffered READ GetDoubleBuffered WRITE SetDoubleBuffered)
public:
    Q_INVOKABLE explicit TWinControl(TComponent* AOwner);
    // Frees the child controls, as a window takes its children with it.
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }
    void SetParent(TWinControl* AParent) override;
    void SetVisible(bool Value) override;
    void SetEnabled(bool Value) override;

    // The number of child controls, and child Index.
    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int Index) const;
    // AControl is this control or lies within it, at any depth.
    bool ContainsControl(const TControl* AControl) const;
    // The topmost visible child under Pos (client coordinates), or nullptr.
    TControl* ControlAtPos(const QPoint& Pos, bool AllowWinControls = false) const;

    // The widget that shows the control, created with its parents' widgets on first use. A
    // control without parent gets a top-level widget that stays hidden until shown.
    QWidget* Widget();
    // The widget exists.
    bool HandleAllocated() const { return FHost != nullptr; }
    // Destroys the widget; it is made again when needed.
    void DestroyHandle();

    // Repaints are asked for, not made: Qt paints once for all asked in one turn of its loop.
    void Invalidate() override;
    // Client rectangle to repaint at the next paint.
    void InvalidateRect(const QRect& Rect);
    // The paint covers every pixel with opaque colour, so what lies below need not be painted.
    virtual bool PaintsOpaque() const { return false; }

    // Paints the control with its children at (X, Y) of the painter, with or without widget.
    void PaintTo(QPainter& Painter, int X, int Y);
    // Places the aligned children again.
    void Realign();

    void SetFocus();
    // The control's widget has the keyboard focus.
    bool Focused() const;

    bool GetDoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

    const TMouseWheelEvent& GetOnMouseWheel() const { return FOnMouseWheel; }
    void SetOnMouseWheel(const TMouseWheelEvent& Value) { FOnMouseWheel = Value; }
    const TKeyEvent& GetOnKeyDown() const { return FOnKeyDown; }
    void SetOnKeyDown(const TKeyEvent& Value) { FOnKeyDown = Value; }
    const TKeyEvent& GetOnKeyUp() const { return FOnKeyUp; }
    void SetOnKeyUp(const TKeyEvent& Value) { FOnKeyUp = Value; }
    const TKeyPressEvent& GetOnKeyPress() const { return FOnKeyPress; }
    void SetOnKeyPress(const TKeyPressEvent& Value) { FOnKeyPress = Value; }

protected:
    // While set, the paint in progress shows every change made so far: requests for another
    // paint are dropped.
    bool FPaintShowsChanges = false;

    friend class TControl;
    friend class TControlHost;

    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, const QPoint& MousePos);
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyUp(int& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    // The widget was just created.
    virtual void HostCreated(QWidget* Host);
    // The control's own paint followed by its visible graphic children.
    virtual void PaintWindow(QPainter& Painter);
    // PaintTo draws what the control paints itself; a control that shows a Qt widget of its own
    // inside its window draws that here.
    virtual void PaintEmbedded(QPainter& Painter) { Q_UNUSED(Painter); }
    // Places the aligned children in Rect, which shrinks by what they take.
    virtual void AlignControls(QRect& Rect);
    void FontChanged() override;
    void BoundsUpdated(int DeltaWidth, int DeltaHeight) override;

private:
    void TellHostOpacity();
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    void CreateHandle();
    void AttachHost();
    void HostDestroyed();
    void HostResized(const QRect& Geometry);
    void MoveAnchoredChildren(int DeltaWidth, int DeltaHeight);

    QList<TControl*> FControls;
    TControlHost* FHost = nullptr;
    bool FDoubleBuffered = true;
    bool FAligning = false;
    bool FSyncingHost = false;
    TMouseWheelEvent FOnMouseWheel;
    TKeyEvent FOnKeyDown, FOnKeyUp;
    TKeyPressEvent FOnKeyPress;
};

// A windowed control that may draw a border around its client area.
class TCustomPanel : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(Framework::TBorderStyle BorderStyle READ GetBorderStyle WRITE SetBorderStyle)
public:
    Q_INVOKABLE explicit TCustomPanel(TComponent* AOwner);

    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    // Draws the single-line border when one is set.
    void Paint(QPainter& Canvas) override;

private:
    TBorderStyle FBorderStyle = TBorderStyle::None;
};
