#include "framework/qvcontrolhost.h"

#include "framework/qvcontrols.h"
#include "framework/qvforms.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>
#include <QWheelEvent>

#include <optional>

namespace {
std::optional<TMouseButton> MouseButton(Qt::MouseButton Button) {
    switch (Button) {
    case Qt::LeftButton:
        return TMouseButton::Left;
    case Qt::RightButton:
        return TMouseButton::Right;
    case Qt::MiddleButton:
        return TMouseButton::Middle;
    default:
        return std::nullopt;
    }
}

TShiftState ShiftState(const QInputEvent* Event, Qt::MouseButtons Buttons) {
    return ShiftStateFromQt(Event->modifiers(), Buttons);
}
} // namespace

TControlHost::TControlHost(TWinControl* Control, QWidget* Parent)
    : QWidget(Parent), FControl(Control) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

TControlHost::~TControlHost() {
    if (FControl) FControl->HostDestroyed();
}

void TControlHost::Detach() {
    FControl = nullptr;
    FCapture = FHover = FClicked = nullptr;
}

void TControlHost::ControlRemoved(TControl* AControl) {
    if (FCapture == AControl) FCapture = nullptr;
    if (FHover == AControl) FHover = nullptr;
    if (FClicked == AControl) FClicked = nullptr;
}

TControl* TControlHost::HitControl(const QPoint& Pos) const {
    TControl* Child = FControl->ControlAtPos(Pos);
    return Child ? Child : FControl;
}

TControl* TControlHost::Target(const QPoint& Pos) const {
    return FCapture ? FCapture : HitControl(Pos);
}

QPoint TControlHost::ToControl(const TControl* AControl, const QPoint& Pos) const {
    return AControl == FControl ? Pos : Pos - AControl->BoundsRect().topLeft();
}

void TControlHost::UpdateHover(TControl* AControl) {
    if (FHover == AControl) return;
    QPointer<TControl> Old(FHover);
    FHover = AControl;
    if (Old) Old->MouseLeave();
    if (AControl && FHover == AControl) AControl->MouseEnter();
    RefreshCursor();
}

void TControlHost::RefreshCursor() {
    if (!FControl) return;
    const TControl* Under = FCapture ? FCapture : FHover;
    TCursor Cursor = Under ? Under->GetCursor() : crDefault;
    if (Cursor == crDefault) Cursor = FControl->GetCursor();
    if (Cursor == crDefault)
        unsetCursor();
    else
        setCursor(QCursor(CursorShape(Cursor)));
}

// Every event passes here, so that no exception of a handler reaches Qt's event loop.
bool TControlHost::event(QEvent* Event) {
    const QPointer<TControl> Control(FControl);
    try {
        if (Event->type() == QEvent::ToolTip && FControl) {
            auto* Help = static_cast<QHelpEvent*>(Event);
            const TControl* Under = HitControl(Help->pos());
            if (Under->EffectiveShowHint() && !Under->GetHint().isEmpty())
                QToolTip::showText(Help->globalPos(), Under->GetHint(), this);
            else
                QToolTip::hideText();
            return true;
        }
        return QWidget::event(Event);
    } catch (const std::exception& Error) {
        Application()->HandleException(Control, Error);
        return true;
    }
}

void TControlHost::paintEvent(QPaintEvent* Event) {
    if (!FControl) return;
    QPainter Painter(this);
    Painter.setClipRegion(Event->region());
    FControl->PaintWindow(Painter);
}

void TControlHost::resizeEvent(QResizeEvent*) {
    if (FControl) FControl->HostResized(geometry());
}

void TControlHost::moveEvent(QMoveEvent*) {
    if (FControl) FControl->HostResized(geometry());
}

// Every handler may free the control it calls, or this window: the guards stop the dispatch.

void TControlHost::mousePressEvent(QMouseEvent* Event) {
    const auto Button = MouseButton(Event->button());
    if (!FControl || !Button) return;
    const QPoint Pos = Event->position().toPoint();
    TControl* Control = Target(Pos);
    if (!Control->GetEnabled()) return;
    FCapture = Control;
    if (*Button == TMouseButton::Left) FClicked = Control;
    const QPoint P = ToControl(Control, Pos);
    Control->MouseDown(*Button, ShiftState(Event, Event->buttons()), P.x(), P.y());
}

void TControlHost::mouseMoveEvent(QMouseEvent* Event) {
    if (!FControl) return;
    const QPoint Pos = Event->position().toPoint();
    QPointer<TControlHost> Self(this);
    if (!FCapture) UpdateHover(HitControl(Pos));
    if (!Self || !FControl) return;
    TControl* Control = Target(Pos);
    if (!Control->GetEnabled()) return;
    const QPoint P = ToControl(Control, Pos);
    Control->MouseMove(ShiftState(Event, Event->buttons()), P.x(), P.y());
}

void TControlHost::mouseReleaseEvent(QMouseEvent* Event) {
    const auto Button = MouseButton(Event->button());
    if (!FControl || !Button) return;
    const QPoint Pos = Event->position().toPoint();
    QPointer<TControlHost> Self(this);
    QPointer<TControl> Control(Target(Pos));
    if (Event->buttons() == Qt::NoButton) FCapture = nullptr;
    if (!Control->GetEnabled()) return;
    const QPoint P = ToControl(Control, Pos);
    const TShiftState Shift = ShiftState(Event, Event->buttons());
    if (*Button == TMouseButton::Left && FClicked == Control) {
        FClicked = nullptr;
        if (Control->GetClientRect().contains(P)) Control->Click();
    }
    if (Control) Control->MouseUp(*Button, Shift, P.x(), P.y());
    if (Self && FControl && !FCapture) UpdateHover(HitControl(Pos));
}

void TControlHost::mouseDoubleClickEvent(QMouseEvent* Event) {
    const auto Button = MouseButton(Event->button());
    if (!FControl || !Button) return;
    const QPoint Pos = Event->position().toPoint();
    QPointer<TControl> Control(Target(Pos));
    if (!Control->GetEnabled()) return;
    FCapture = Control;
    FClicked = nullptr;
    const QPoint P = ToControl(Control, Pos);
    if (*Button == TMouseButton::Left) Control->DblClick();
    if (Control)
        Control->MouseDown(*Button, ShiftState(Event, Event->buttons()) | TShiftStateItem::Double,
                           P.x(), P.y());
}

void TControlHost::wheelEvent(QWheelEvent* Event) {
    if (!FControl) return;
    const QPoint Angle = Event->angleDelta();
    const int Delta = Angle.y() != 0 ? Angle.y() : Angle.x();
    const QPoint Screen = Event->globalPosition().toPoint();
    Event->setAccepted(FControl->DoMouseWheel(ShiftState(Event, Event->buttons()), Delta, Screen));
}

void TControlHost::keyPressEvent(QKeyEvent* Event) {
    if (!FControl) return;
    QPointer<TControlHost> Self(this);
    int Key = Event->key();
    FControl->KeyDown(Key, ShiftState(Event, Qt::NoButton));
    if (!Self || !FControl || Event->text().isEmpty()) return;
    QChar Char = Event->text().front();
    FControl->KeyPress(Char);
}

void TControlHost::keyReleaseEvent(QKeyEvent* Event) {
    if (!FControl) return;
    int Key = Event->key();
    FControl->KeyUp(Key, ShiftState(Event, Qt::NoButton));
}

void TControlHost::enterEvent(QEnterEvent* Event) {
    if (FControl && !FCapture) UpdateHover(HitControl(Event->position().toPoint()));
}

void TControlHost::leaveEvent(QEvent*) {
    if (FControl && !FCapture) UpdateHover(nullptr);
}
