#include "framework/qvcontrols.h"

#include "framework/qvcontrolhost.h"
#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>

using namespace Qvlocalize;

Qt::CursorShape CursorShape(TCursor Cursor) {
    switch (Cursor) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
        return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
        return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
    TShiftState Result;
    Result.setFlag(TShiftStateItem::Shift, Modifiers.testFlag(Qt::ShiftModifier));
    Result.setFlag(TShiftStateItem::Alt, Modifiers.testFlag(Qt::AltModifier));
    Result.setFlag(TShiftStateItem::Ctrl, Modifiers.testFlag(Qt::ControlModifier));
    Result.setFlag(TShiftStateItem::Left, Buttons.testFlag(Qt::LeftButton));
    Result.setFlag(TShiftStateItem::Right, Buttons.testFlag(Qt::RightButton));
    Result.setFlag(TShiftStateItem::Middle, Buttons.testFlag(Qt::MiddleButton));
    return Result;
}

TShiftState KeyboardShiftState() {
    return ShiftStateFromQt(QGuiApplication::queryKeyboardModifiers(),
                            QGuiApplication::mouseButtons());
}

QPoint CursorPos() {
    return QCursor::pos();
}

// ---- TControl ----

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    ReplaceFont(std::make_unique<TFont>());
}

TControl::~TControl() {
    Destroying();
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation(SControlParentSelf.Text());
    for (const TControl* p = AParent; p; p = p->FParent)
        if (p == this) throw EInvalidOperation(Format(SControlParentLoop, {GetName()}));
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = qMax(0, AWidth);
    AHeight = qMax(0, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    const int DeltaWidth = AWidth - FWidth;
    const int DeltaHeight = AHeight - FHeight;
    Invalidate();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    Invalidate();
    BoundsUpdated(DeltaWidth, DeltaHeight);
    if (FParent && FAlign != TAlign::None) FParent->Realign();
    if (DeltaWidth != 0 || DeltaHeight != 0) Resize();
}

void TControl::BoundsUpdated(int, int) {}

void TControl::SetClientSize(int AWidth, int AHeight) {
    const QRect Client = GetClientRect();
    SetBounds(FLeft, FTop, FWidth - Client.width() + AWidth, FHeight - Client.height() + AHeight);
}

QPoint TControl::ClientOrigin() const {
    if (IsWindowed()) {
        if (const QWidget* Host = static_cast<const TWinControl*>(this)->FHost)
            return Host->mapToGlobal(QPoint(0, 0));
    }
    const QPoint Position(FLeft, FTop);
    return FParent ? FParent->ClientOrigin() + Position : Position;
}

QPoint TControl::ClientToParent(const QPoint& Point, const TWinControl* AParent) const {
    if (!AParent) AParent = FParent;
    QPoint Result = Point;
    for (const TControl* c = this; c != AParent; c = c->FParent) {
        if (!c || !AParent)
            throw EInvalidOperation(
                Format(SControlNotAncestor, {AParent ? AParent->GetName() : QString(), GetName()}));
        Result += QPoint(c->FLeft, c->FTop);
    }
    return Result;
}

void TControl::SetVisible(bool Value) {
    if (FVisible == Value) return;
    if (FVisible) Invalidate();
    FVisible = Value;
    Invalidate();
    if (FParent && FAlign != TAlign::None) FParent->Realign();
}

void TControl::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Invalidate();
}

bool TControl::Showing() const {
    return FVisible && (!FParent || FParent->Showing());
}

void TControl::SetAlign(TAlign Value) {
    if (FAlign == Value) return;
    FAlign = Value;
    if (FParent) FParent->Realign();
}

void TControl::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    FCursor = Value;
    for (TControl* c = this; c; c = c->FParent) {
        if (c->IsWindowed()) {
            if (TControlHost* Host = static_cast<TWinControl*>(c)->FHost) Host->RefreshCursor();
            break;
        }
    }
}

void TControl::SetShowHint(bool Value) {
    FShowHint = Value;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool Value) {
    FParentShowHint = Value;
}

bool TControl::EffectiveShowHint() const {
    if (FParentShowHint && FParent) return FParent->EffectiveShowHint();
    return FShowHint;
}

bool TControl::IsPropertyStored(const char* Name) const {
    if (qstrcmp(Name, "Font") == 0) return !FParentFont;
    if (qstrcmp(Name, "Enabled") == 0) return !FEnabled;
    return TComponent::IsPropertyStored(Name);
}

void TControl::SetParentFont(bool Value) {
    FParentFont = Value;
    ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FCopyingParentFont = true;
    FFont->Assign(FParent->FFont.get());
    FCopyingParentFont = false;
}

void TControl::ReplaceFont(std::unique_ptr<TFont> Font) {
    FFont = std::move(Font);
    FFont->SetOnChange([this](TObject*) { FontObjectChanged(); });
}

void TControl::FontObjectChanged() {
    if (!FCopyingParentFont) FParentFont = false;
    FontChanged();
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::Invalidate() {
    if (FParent && FVisible) FParent->InvalidateRect(BoundsRect());
}

// Asked for, not made: a paint made at once from inside a notification or another paint would
// meet components half gone, or end the window's paint under the painter of the one running.
void TControl::Repaint() {
    Invalidate();
}

void TControl::Paint(QPainter&) {}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
    if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
    if (FOnDblClick) FOnDblClick(this);
}

void TControl::MouseEnter() {
    if (FOnMouseEnter) FOnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (FOnMouseLeave) FOnMouseLeave(this);
}

void TControl::Resize() {
    if (FOnResize) FOnResize(this);
}

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    Destroying();
    while (!FControls.isEmpty()) {
        TControl* Child = FControls.last();
        RemoveControl(Child);
        delete Child;
    }
    DestroyHandle();
}

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= FControls.size()) throw ERangeError(Format(SListIndexError, {Index}));
    return FControls[Index];
}

bool TWinControl::ContainsControl(const TControl* AControl) const {
    for (const TControl* c = AControl; c; c = c->FParent)
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const QPoint& Pos, bool AllowWinControls) const {
    for (qsizetype i = FControls.size() - 1; i >= 0; --i) {
        TControl* c = FControls[i];
        if (c->FVisible && (AllowWinControls || !c->IsWindowed()) &&
            c->BoundsRect().contains(Pos) && c->HitTest(Pos - c->BoundsRect().topLeft()))
            return c;
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
    FControls.append(AControl);
    AControl->FParent = this;
    AControl->ParentFontChanged();
    if (AControl->FAlign != TAlign::None) Realign();
    AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
    AControl->Invalidate();
    if (FHost) FHost->ControlRemoved(AControl);
    FControls.removeOne(AControl);
    AControl->FParent = nullptr;
    if (AControl->FAlign != TAlign::None) Realign();
}

void TWinControl::SetParent(TWinControl* AParent) {
    TControl::SetParent(AParent);
    if (FParent && FParent->FHost) {
        if (FHost) {
            FHost->setParent(FParent->FHost);
            AttachHost();
        } else {
            CreateHandle();
        }
    } else {
        DestroyHandle();
    }
}

void TWinControl::BoundsUpdated(int DeltaWidth, int DeltaHeight) {
    if (FHost && !FSyncingHost) {
        FSyncingHost = true;
        FHost->setGeometry(BoundsRect());
        FSyncingHost = false;
    }
    if (DeltaWidth != 0 || DeltaHeight != 0) {
        MoveAnchoredChildren(DeltaWidth, DeltaHeight);
        Realign();
    }
}

void TWinControl::MoveAnchoredChildren(int DeltaWidth, int DeltaHeight) {
    // Anchored to both sides a child stretches, to the far side it moves, to neither it keeps
    // its place relative to the centre.
    auto Adjust = [](bool Near, bool Far, int Delta, int& Position, int& Size) {
        if (Far) {
            if (Near)
                Size += Delta;
            else
                Position += Delta;
        } else if (!Near) {
            Position += Delta / 2;
        }
    };
    for (TControl* c : std::as_const(FControls)) {
        if (c->FAlign != TAlign::None) continue;
        int Left = c->FLeft, Top = c->FTop, Width = c->FWidth, Height = c->FHeight;
        const TAnchors a = c->FAnchors;
        Adjust(a.testFlag(TAnchorKind::Left), a.testFlag(TAnchorKind::Right), DeltaWidth, Left,
               Width);
        Adjust(a.testFlag(TAnchorKind::Top), a.testFlag(TAnchorKind::Bottom), DeltaHeight, Top,
               Height);
        c->SetBounds(Left, Top, Width, Height);
    }
}

void TWinControl::SetVisible(bool Value) {
    TControl::SetVisible(Value);
    // A top-level window appears when shown, even if it was marked visible before.
    if (!FParent && Value) CreateHandle();
    if (FHost) FHost->setVisible(Value);
}

void TWinControl::SetEnabled(bool Value) {
    TControl::SetEnabled(Value);
    if (FHost) FHost->setEnabled(Value);
}

QWidget* TWinControl::Widget() {
    CreateHandle();
    return FHost;
}

void TWinControl::CreateHandle() {
    if (FHost) return;
    if (FParent && !FParent->FHost) {
        FParent->CreateHandle(); // creates the widgets of the windowed children as well
        if (FHost) return;
    }
    FHost = new TControlHost(this, FParent ? FParent->FHost : nullptr);
    AttachHost();
    HostCreated(FHost);
}

void TWinControl::HostCreated(QWidget*) {}

void TWinControl::AttachHost() {
    FSyncingHost = true;
    FHost->setGeometry(BoundsRect());
    FSyncingHost = false;
    FHost->RefreshCursor();
    FHost->setEnabled(FEnabled);
    if (FParent) FHost->setVisible(FVisible);
    for (TControl* c : std::as_const(FControls))
        if (c->IsWindowed()) static_cast<TWinControl*>(c)->CreateHandle();
}

void TWinControl::DestroyHandle() {
    if (!FHost) return;
    TControlHost* Host = FHost;
    FHost = nullptr;
    Host->Detach();
    delete Host; // the children's widgets go with it and tell their controls
}

void TWinControl::HostDestroyed() {
    FHost = nullptr;
}

void TWinControl::HostResized(const QRect& Geometry) {
    if (FSyncingHost) return;
    FSyncingHost = true;
    SetBounds(Geometry.x(), Geometry.y(), Geometry.width(), Geometry.height());
    FSyncingHost = false;
}

// Qt repaints the parent below a child that it does not know to be opaque.
void TWinControl::TellHostOpacity() {
    FHost->setAttribute(Qt::WA_OpaquePaintEvent, PaintsOpaque());
}

void TWinControl::Invalidate() {
    if (FHost) InvalidateRect(FHost->rect());
}

void TWinControl::InvalidateRect(const QRect& Rect) {
    if (!FHost || FPaintShowsChanges) return;
    TellHostOpacity();
    FHost->update(Rect);
}

void TWinControl::PaintWindow(QPainter& Painter) {
    Painter.save();
    Paint(Painter);
    Painter.restore();
    const QRectF Clip = Painter.hasClipping() ? Painter.clipBoundingRect() : QRectF();
    for (TControl* c : std::as_const(FControls)) {
        if (c->IsWindowed() || !c->FVisible || c->FWidth <= 0 || c->FHeight <= 0) continue;
        if (!Clip.isNull() && !Clip.intersects(c->BoundsRect())) continue;
        Painter.save();
        Painter.translate(c->FLeft, c->FTop);
        Painter.setClipRect(QRect(0, 0, c->FWidth, c->FHeight), Qt::IntersectClip);
        c->Paint(Painter);
        Painter.restore();
    }
}

void TWinControl::PaintTo(QPainter& Painter, int X, int Y) {
    Painter.save();
    Painter.translate(X, Y);
    Painter.setClipRect(QRect(0, 0, FWidth, FHeight), Qt::IntersectClip);
    PaintWindow(Painter);
    PaintEmbedded(Painter);
    for (TControl* c : std::as_const(FControls))
        if (c->IsWindowed() && c->FVisible)
            static_cast<TWinControl*>(c)->PaintTo(Painter, c->FLeft, c->FTop);
    Painter.restore();
}

void TWinControl::Realign() {
    if (FAligning) return;
    FAligning = true;
    QRect Rect = GetClientRect();
    AlignControls(Rect);
    FAligning = false;
}

void TWinControl::AlignControls(QRect& Rect) {
    for (TAlign Kind : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) {
        for (TControl* c : std::as_const(FControls)) {
            if (c->FAlign != Kind || !c->FVisible) continue;
            const int x = Rect.x(), y = Rect.y(), w = Rect.width(), h = Rect.height();
            switch (Kind) {
            case TAlign::Top:
                c->SetBounds(x, y, w, c->FHeight);
                Rect.setTop(y + c->FHeight);
                break;
            case TAlign::Bottom:
                c->SetBounds(x, y + h - c->FHeight, w, c->FHeight);
                Rect.setHeight(h - c->FHeight);
                break;
            case TAlign::Left:
                c->SetBounds(x, y, c->FWidth, h);
                Rect.setLeft(x + c->FWidth);
                break;
            case TAlign::Right:
                c->SetBounds(x + w - c->FWidth, y, c->FWidth, h);
                Rect.setWidth(w - c->FWidth);
                break;
            default:
                c->SetBounds(x, y, w, h);
                break;
            }
        }
    }
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : std::as_const(FControls))
        c->ParentFontChanged();
}

void TWinControl::SetFocus() {
    if (FHost) FHost->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const {
    return FHost && FHost->hasFocus();
}

bool TWinControl::DoMouseWheel(TShiftState Shift, int WheelDelta, const QPoint& MousePos) {
    bool Handled = false;
    if (FOnMouseWheel) FOnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
    return Handled;
}

void TWinControl::KeyDown(int& Key, TShiftState Shift) {
    if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(int& Key, TShiftState Shift) {
    if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(QChar& Key) {
    if (FOnKeyPress) FOnKeyPress(this, Key);
}

// ---- TCustomPanel ----

TCustomPanel::TCustomPanel(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    Invalidate();
}

void TCustomPanel::Paint(QPainter& Canvas) {
    if (FBorderStyle != TBorderStyle::Single) return;
    Canvas.setPen(QPen(Qt::black, 1));
    Canvas.setBrush(Qt::NoBrush);
    Canvas.drawRect(QRectF(0.5, 0.5, FWidth - 1, FHeight - 1));
}
