// Zooming a graph: the stages shared by all axes of a coupled group, zoom frames, panning, the
// mouse wheel, keys and the scroll bars.

#include "graph/qvgraph2d.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "data/qvvectors.h"
#include "series/qvfunctionseries.h"
#include "series/qvseries.h"

#include <QCursor>
#include <QImage>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWidget>

#include <algorithm>
#include <cmath>

using Qvmath::MaxDouble;

// ---- Zoom stages ----

int TQvGraph2D::GetZoomStage() const {
    return FPrimaryYAxis ? FPrimaryYAxis->GetCurrentZoomStage() : 0;
}

int TQvGraph2D::GetZoomBufferSize() const {
    return FPrimaryYAxis ? FPrimaryYAxis->GetZoomBufferSize() : 0;
}

bool TQvGraph2D::GetCanZoomBack() const {
    if (FZoom->GetBufferType() == TQvZoomBufferType::AsStack) return GetZoomStage() > 0;
    return (FPrimaryXAxis && FPrimaryXAxis->GetCanZoomBack()) ||
           (FPrimaryYAxis && FPrimaryYAxis->GetCanZoomBack());
}

bool TQvGraph2D::GetCanRedoZoom() const {
    if (FZoom->GetBufferType() == TQvZoomBufferType::AsStack)
        return GetZoomStage() < GetZoomBufferSize() - 1;
    return GetCanZoomBack();
}

void TQvGraph2D::ForOtherCoupledGraphs(const std::function<void(TQvGraph2D*)>& Visit) const {
    if (FHasChildGraphs)
        for (TQvGraph2D* Child : std::as_const(FChildGraphs))
            Visit(Child);
    if (!FIsCoupledGraph) return;
    if (TQvGraph2D* Parent = ParentOfXAxis()) {
        Visit(Parent);
        for (TQvGraph2D* Sibling : std::as_const(Parent->FChildGraphs))
            if (Sibling != this) Visit(Sibling);
    }
}

void TQvGraph2D::ForAllCoupledAxes(const std::function<void(TQvAxis*)>& Operation) {
    // The shared X axis is a child of the parent graph only, so child axes never repeat it.
    auto Apply = [&Operation](TQvGraph2D* Graph) {
        for (TQvAxis* Axis : Graph->ChildAxes())
            Operation(Axis);
        Graph->SeriesModified();
    };
    Apply(this);
    ForOtherCoupledGraphs(Apply);
}

void TQvGraph2D::ZoomBack() {
    if (GetCanZoomBack()) ForAllCoupledAxes([](TQvAxis* Axis) { Axis->ZoomBack(); });
}

void TQvGraph2D::RedoZoom() {
    if (GetCanRedoZoom()) ForAllCoupledAxes([](TQvAxis* Axis) { Axis->RedoZoom(); });
}

void TQvGraph2D::ZoomToStage(int Index) {
    if (GetCanZoomBack() && Index < GetZoomBufferSize())
        ForAllCoupledAxes([Index](TQvAxis* Axis) { Axis->ZoomToStage(Index); });
}

void TQvGraph2D::ZoomReset() {
    ForAllCoupledAxes([](TQvAxis* Axis) { Axis->RangeModified(); });
}

void TQvGraph2D::FixChildZoomStack() {
    const TQvAxis* Shared = FPrimaryXAxis;
    ForOtherCoupledGraphs([Shared](TQvGraph2D* Graph) {
        for (TQvAxis* Axis : Graph->ChildAxes())
            if (Axis != Shared) Axis->ZoomIn(Axis->GetStart(), Axis->GetStop());
    });
}

void TQvGraph2D::ZoomTo(const TGPPointF& P1, const TGPPointF& P2) {
    const TGPRectF& A = FDrawingArea;
    const float x1 = std::max(std::min(P1.X, P2.X), A.X);
    const float x2 = std::min(std::max(P1.X, P2.X), A.X + A.Width);
    const float y1 = std::max(std::min(P1.Y, P2.Y), A.Y);
    const float y2 = std::min(std::max(P1.Y, P2.Y), A.Y + A.Height);
    // The values of an axis at the rectangle's edges, in order.
    const auto Edges = [&](const TQvAxis* Axis) {
        const bool Horizontal = Axis->GetHorizontal();
        const double a = Axis->WorldToNumber(Horizontal ? x1 : y2);
        const double b = Axis->WorldToNumber(Horizontal ? x2 : y1);
        return std::pair{std::min(a, b), std::max(a, b)};
    };
    BeginUpdate();
    std::vector<std::pair<double, double>> Ranges;
    for (const TQvAxis* Axis : std::as_const(FAxes))
        Ranges.push_back(FZoom->GetOptimizeSeries() ? std::pair{MaxDouble, -MaxDouble}
                                                    : Edges(Axis));
    if (FZoom->GetOptimizeSeries()) {
        for (const TQvSeries* Series : std::as_const(FRelatedSeries)) {
            if (!Series->SeriesVisible()) continue;
            const qsizetype XAt = std::max<qsizetype>(FAxes.indexOf(Series->GetXAxis()), 0);
            const qsizetype YAt = std::max<qsizetype>(FAxes.indexOf(Series->GetYAxis()), 1);
            if (XAt >= FAxes.size() || YAt >= FAxes.size()) continue;
            const auto [Left, Right] = Edges(FAxes[XAt]);
            const auto [Bottom, Top] = Edges(FAxes[YAt]);
            for (int i = 0; i < Series->GetCount(); ++i) {
                if (!Series->HasValuesAt(i)) continue;
                const double x = Series->TransformX(i, Series->GetXData()->GetValue(i));
                const double y = Series->TransformY(i, Series->GetYData()->GetValue(i));
                if (x < Left || x > Right || y < Bottom || y > Top) continue;
                for (const auto& [At, v] : {std::pair{XAt, x}, std::pair{YAt, y}}) {
                    Ranges[size_t(At)].first = std::min(Ranges[size_t(At)].first, v);
                    Ranges[size_t(At)].second = std::max(Ranges[size_t(At)].second, v);
                }
            }
        }
    }
    for (qsizetype k = 0; k < FAxes.size(); ++k) {
        const auto [Start, Stop] = Ranges[size_t(k)];
        if (Stop < Start)
            FAxes[k]->Invalidate();
        else
            FAxes[k]->ZoomIn(Start, Stop);
    }
    FixChildZoomStack();
    EndUpdate();
}

// ---- Mouse gestures ----

namespace {
// Frames narrower than this in either direction only repaint; a click moves less than the
// other.
constexpr int MinimumFrame = 5;
constexpr int ClickSlack = 4;
} // namespace

bool TQvGraph2D::InDataArea(const QPoint& P) const {
    const TGPRectF& A = FDrawingArea;
    return P.x() >= A.X && P.x() <= A.X + A.Width && P.y() >= A.Y && P.y() <= A.Y + A.Height;
}

void TQvGraph2D::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TQvCustomGraph::MouseDown(Button, Shift, X, Y);
    FDragStart = FLastDrag = QPoint(X, Y);
    if (!FZoom->GetAuto()) return;
    if (Shift == FZoom->GetStartZoom()) {
        // The chart as shown now, for the frame to move over.
        if (QWidget* Host = Widget()) FFrameBackground = Host->grab().toImage();
        FZoomDragging = true;
        Invalidate();
        if (FOnBeginZoom) FOnBeginZoom(this);
    } else if (GetCanZoomBack() && Shift == FZoom->GetStartPanning()) {
        FPanDragging = true;
        FOldCursor = GetCursor();
        SetCursor(FZoom->GetPanningCursor());
        FInitialStarts.clear();
        FInitialStops.clear();
        for (const TQvAxis* Axis : std::as_const(FAxes)) {
            FInitialStarts.push_back(Axis->ScrollUnits(Axis->GetStart()));
            FInitialStops.push_back(Axis->ScrollUnits(Axis->GetStop()));
        }
        if (FOnBeginPanning) FOnBeginPanning(this);
    }
}

void TQvGraph2D::MouseMove(TShiftState Shift, int X, int Y) {
    TQvCustomGraph::MouseMove(Shift, X, Y);
    const QRect Before = FrameRect();
    FLastDrag = QPoint(X, Y);
    if (FZoomDragging)
        InvalidateRect(Before.united(FrameRect()));
    else if (FPanDragging)
        Pan(X, Y);
}

void TQvGraph2D::BeginControlDrag(TControl* Control) {
    FDraggedControl = Control;
    FFrameBackground = QImage();
    // Painted now without the control.
    if (QWidget* Host = Widget()) FFrameBackground = Host->grab().toImage();
    Control->FreeNotification(this);
}

void TQvGraph2D::EndControlDrag() {
    if (!FDraggedControl) return;
    FDraggedControl = nullptr;
    FFrameBackground = QImage();
    Invalidate();
}

QRect TQvGraph2D::FrameRect() const {
    // The outline's pen reaches one pixel beyond the rectangle's right and bottom.
    return QRect(FDragStart, FLastDrag).normalized().adjusted(0, 0, 1, 1);
}

// The shift is measured from the drag start, in the primary axes' units per pixel; an axis
// that would leave its scroll limits stays where it is.
void TQvGraph2D::Pan(int X, int Y) {
    const int dx = FDragStart.x() - X, dy = Y - FDragStart.y();
    if (dx == 0 || dy == 0 || !FPrimaryXAxis || !FPrimaryYAxis) return;
    const auto Shift = [](const TQvAxis* Primary, int Pixels) {
        const double s = Pixels * Primary->GetNormalizeConst();
        return Primary->GetTwisted() ? -s : s;
    };
    const double ShiftX = Shift(FPrimaryXAxis, dx), ShiftY = Shift(FPrimaryYAxis, dy);
    for (qsizetype k = 0; k < FAxes.size() && size_t(k) < FInitialStarts.size(); ++k) {
        TQvAxis* Axis = FAxes[k];
        double d = Axis->GetHorizontal() ? ShiftX : ShiftY;
        if (Axis->GetTwisted()) d = -d;
        const double Start = Axis->FromScrollUnits(FInitialStarts[size_t(k)] + d);
        const double Stop = Axis->FromScrollUnits(FInitialStops[size_t(k)] + d);
        if (Start >= Axis->GetScrollStart() && Stop <= Axis->GetScrollStop())
            Axis->SetStartStop(Start, Stop);
    }
    SeriesModified();
    // One paint of the whole chart: the axes alone would ask for a partial one first.
    Invalidate();
    RepaintChildGraphs();
}

void TQvGraph2D::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FLastDrag = QPoint(X, Y);
    if (FZoomDragging) {
        FZoomDragging = false;
        FFrameBackground = QImage();
        const bool TowardsTopLeft = X <= FDragStart.x() && Y <= FDragStart.y();
        if (FZoom->GetResetOnRightBottomLeftTopFrame() && TowardsTopLeft) {
            ZoomReset();
        } else if (std::abs(X - FDragStart.x()) < MinimumFrame ||
                   std::abs(Y - FDragStart.y()) < MinimumFrame) {
            Invalidate();
        } else if (!FZoom->GetBackOnRightBottomLeftTopFrame() || !TowardsTopLeft) {
            ZoomTo(TGPPointF{float(FDragStart.x()), float(FDragStart.y())},
                   TGPPointF{float(X), float(Y)});
            if (FOnEndZoom) FOnEndZoom(this);
        } else {
            ZoomBack();
        }
    } else if (FPanDragging) {
        FPanDragging = false;
        SetCursor(FOldCursor);
        for (TQvAxis* Axis : std::as_const(FAxes))
            Axis->ZoomIn(Axis->GetStart(), Axis->GetStop());
        FixChildZoomStack();
        if (FOnEndPanning) FOnEndPanning(this);
    }
    TQvCustomGraph::MouseUp(Button, Shift, X, Y);
}

void TQvGraph2D::Click() {
    TQvCustomGraph::Click();
    const QPoint Moved = FLastDrag - FDragStart;
    if (FZoom->GetBackOnClickBeside() && GetCanZoomBack() && std::abs(Moved.x()) < ClickSlack &&
        std::abs(Moved.y()) < ClickSlack && !InDataArea(FLastDrag))
        ZoomBack();
}

void TQvGraph2D::DblClick() {
    TQvCustomGraph::DblClick();
    if (FZoom->GetResetOnDoubleClickBeside() && GetCanZoomBack() && !InDataArea(FLastDrag))
        ZoomReset();
}

TQvFindSeriesPointResult TQvGraph2D::FindSeriesPoint(float X, float Y) const {
    TQvFindSeriesPointResult Result;
    for (qsizetype k = FRelatedSeries.size() - 1; k >= 0; --k) {
        TQvSeries* Series = FRelatedSeries[k];
        // What is not drawn cannot be pointed at.
        if (!Series->SeriesVisible()) continue;
        const int Index = Series->FindPoint(X, Y);
        if (Index < 0) continue;
        Result.Found = true;
        Result.InSeries = Series;
        if (const auto* Curve = qobject_cast<const TQvFunctionSeries*>(Series)) {
            Result.X = Curve->GetXAxis()->WorldToNumber(X);
            Result.Y = Curve->GetY(Result.X);
        } else {
            Result.Index = Index;
            Result.X = Series->TransformX(Index, Series->GetXData()->GetValue(Index));
            Result.Y = Series->TransformY(Index, Series->GetYData()->GetValue(Index));
        }
        break;
    }
    return Result;
}

bool TQvGraph2D::MouseInDataArea() const {
    // Without a widget there is no mouse over the graph.
    if (!HandleAllocated()) return false;
    const QWidget* Host = const_cast<TQvGraph2D*>(this)->Widget();
    return InDataArea(Host->mapFromGlobal(QCursor::pos()));
}

// ---- Mouse wheel and keys ----

namespace {
// A notch of the wheel (120 eighths of a degree) scales the ranges by this; notches closer
// together than the burst time make one zoom stage.
constexpr double WheelNotch = 120;
constexpr double WheelZoomFactor = 0.8;
constexpr qint64 WheelBurstMs = 400;
} // namespace

bool TQvGraph2D::DoMouseWheel(TShiftState Shift, int WheelDelta, const QPoint& MousePos) {
    if (TQvCustomGraph::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (!FZoom->GetAuto() || !FZoom->GetWheelZoom() || WheelDelta == 0 || FZoomDragging ||
        FPanDragging)
        return false;
    const QPoint P = Widget()->mapFromGlobal(MousePos);
    if (!InDataArea(P)) return false;
    WheelZoom(P, WheelDelta / WheelNotch);
    return true;
}

namespace {
// Where P lies along the axis, from 0 at its start to 1 at its stop. Notches of a burst come
// faster than paints, so this holds for a range the axis has not yet been drawn with.
double AlongAxis(const TQvAxis* Axis, const QPoint& P) {
    const TQvAxisMapping M = Axis->Mapping();
    const double q = M.Horizontal ? (P.x() - M.AxLeft) / M.AxLength
                                  : (M.AxTop + M.AxLength - P.y()) / M.AxLength;
    return M.Twisted ? 1 - q : q;
}
} // namespace

// Every axis keeps the value under the cursor where it is; zooming out ends at the range
// before the first zoom.
void TQvGraph2D::WheelZoom(const QPoint& P, double Notches) {
    const double Factor = std::pow(WheelZoomFactor, Notches);
    if (Factor > 1 && !GetCanZoomBack()) return;
    std::vector<std::pair<double, double>> Ranges;
    for (const TQvAxis* Axis : std::as_const(FAxes)) {
        const double s = Axis->ScrollUnits(Axis->GetStart());
        const double e = Axis->ScrollUnits(Axis->GetStop());
        const double c = s + (e - s) * AlongAxis(Axis, P);
        const double Lo = Axis->ScrollUnits(Axis->GetScrollStart());
        const double Hi = Axis->ScrollUnits(Axis->GetScrollStop());
        double a = c - (c - s) * Factor, b = c + (e - c) * Factor;
        if (Factor > 1) {
            a = std::max(a, std::min(Lo, Hi));
            b = std::min(b, std::max(Lo, Hi));
        }
        if (!(a < b) || !std::isfinite(a) || !std::isfinite(b)) return;
        Ranges.emplace_back(Axis->FromScrollUnits(a), Axis->FromScrollUnits(b));
    }
    // Later notches of a burst replace the stage its first notch recorded.
    const bool InBurst = FLastWheel.isValid() && FLastWheel.elapsed() < WheelBurstMs &&
                         FWheelStage > 0 && FWheelStage == GetZoomStage() &&
                         FWheelStage == GetZoomBufferSize() - 1;
    BeginUpdate();
    for (qsizetype k = 0; k < FAxes.size(); ++k) {
        if (InBurst) FAxes[k]->ZoomBack();
        FAxes[k]->ZoomIn(Ranges[size_t(k)].first, Ranges[size_t(k)].second);
    }
    if (!InBurst) FixChildZoomStack();
    SeriesModified();
    EndUpdate();
    FWheelStage = GetZoomStage();
    FLastWheel.start();
    RepaintChildGraphs();
}

void TQvGraph2D::KeyDown(int& Key, TShiftState Shift) {
    TQvCustomGraph::KeyDown(Key, Shift);
    if (Key == Qt::Key_Escape && FZoomDragging) {
        FZoomDragging = false;
        FFrameBackground = QImage();
        Invalidate();
        Key = 0;
    } else if (FZoom->GetKeyZoom() && GetCanZoomBack() &&
               (Key == Qt::Key_Backspace || Key == Qt::Key_Home)) {
        if (Key == Qt::Key_Backspace)
            ZoomBack();
        else
            ZoomReset();
        Key = 0;
    }
}

// ---- Scroll bars ----

namespace {
// +1 when the axis' values grow towards the end of its bar (right, or down), else -1.
double BarDirection(const TQvAxis* Axis) {
    const double d = Axis->GetHorizontal() ? 1 : -1;
    return Axis->GetTwisted() ? -d : d;
}

double ScrollStep(const TQvAxis* Axis, TQvScrollIncrement Increment) {
    switch (Increment) {
    case TQvScrollIncrement::Page:
        return Axis->ScrollUnits(Axis->GetStop()) - Axis->ScrollUnits(Axis->GetStart());
    case TQvScrollIncrement::MajorTick:
        return Axis->MajorIncrement();
    case TQvScrollIncrement::MinorTick:
        return Axis->MinorIncrement();
    case TQvScrollIncrement::Pixel:
        return Axis->GetNormalizeConst();
    }
    return 0;
}

} // namespace

void TQvGraph2D::HostCreated(QWidget* Host) {
    TQvCustomGraph::HostCreated(Host);
    if (IsDesigning()) return;
    const auto Make = [this, Host](Qt::Orientation Orientation) {
        auto* Bar = new QScrollBar(Orientation, Host);
        Bar->setRange(0, TQvAxis::ScrollSteps);
        // Opaque, so that a moving thumb does not repaint the chart below it.
        Bar->setAutoFillBackground(true);
        Bar->hide();
        QObject::connect(Bar, &QAbstractSlider::actionTriggered, this, [this, Bar](int Action) {
            switch (Action) {
            case QAbstractSlider::SliderSingleStepSub:
                Scroll(Bar->orientation(), TQvScrollCode::LineUp, Bar->value());
                break;
            case QAbstractSlider::SliderSingleStepAdd:
                Scroll(Bar->orientation(), TQvScrollCode::LineDown, Bar->value());
                break;
            case QAbstractSlider::SliderPageStepSub:
                Scroll(Bar->orientation(), TQvScrollCode::PageUp, Bar->value());
                break;
            case QAbstractSlider::SliderPageStepAdd:
                Scroll(Bar->orientation(), TQvScrollCode::PageDown, Bar->value());
                break;
            case QAbstractSlider::SliderToMinimum:
            case QAbstractSlider::SliderToMaximum: {
                const int To = Action == QAbstractSlider::SliderToMinimum ? Bar->minimum()
                                                                          : Bar->maximum();
                Scroll(Bar->orientation(), TQvScrollCode::Track, To);
                Scroll(Bar->orientation(), TQvScrollCode::Position, To);
                break;
            }
            default:
                break;
            }
        });
        QObject::connect(Bar, &QAbstractSlider::sliderMoved, this, [this, Bar](int Value) {
            Scroll(Bar->orientation(), TQvScrollCode::Track, Value);
        });
        QObject::connect(Bar, &QAbstractSlider::sliderReleased, this, [this, Bar] {
            Scroll(Bar->orientation(), TQvScrollCode::Position, Bar->value());
        });
        return Bar;
    };
    FHScrollBar = Make(Qt::Horizontal);
    FVScrollbar = Make(Qt::Vertical);
}

void TQvGraph2D::ReserveScrollBars(float& Bottom, float& Left) {
    // A vector image shows no widgets and leaves them no room.
    if (FDoingMetafile) return;
    const auto Clipped = [this](bool Horizontal) {
        const QList<TQvAxis*> Axes = ChildAxes();
        return std::any_of(Axes.begin(), Axes.end(), [Horizontal](const TQvAxis* Axis) {
            return Axis->GetHorizontal() == Horizontal && Axis->GetIsClipped();
        });
    };
    FDoHScrollBar = FHScrollBar && FZoom->GetHScrollbarVisible() && Clipped(true);
    FDoVScrollBar = FVScrollbar && FZoom->GetVScrollbarVisible() && Clipped(false);
    if (FDoHScrollBar) Bottom += float(FHScrollBar->sizeHint().height());
    if (FDoVScrollBar) Left += float(FVScrollbar->sizeHint().width());
}

void TQvGraph2D::PlaceScrollBars() {
    if (FDoingImage || FDoingMetafile) return;
    const TGPRectF& A = FDrawingArea;
    const auto Place = [](QScrollBar* Bar, const TQvAxis* Axis, bool Show, const QRect& Where) {
        if (!Bar) return;
        Bar->setVisible(Show && Axis);
        if (!Show || !Axis) return;
        const QSignalBlocker Quiet(Bar);
        Bar->setGeometry(Where);
        // The thumb stands where the visible range lies along the bar.
        const double Span = Axis->ScrollSpan();
        const double FromStart =
            BarDirection(Axis) > 0
                ? Axis->ScrollUnits(Axis->GetStart()) - Axis->ScrollUnits(Axis->GetScrollStart())
                : Axis->ScrollUnits(Axis->GetScrollStop()) - Axis->ScrollUnits(Axis->GetStop());
        const int Page = Axis->ScrollRangeSize(Axis->GetStart(), Axis->GetStop());
        const double At = TQvAxis::ScrollSteps * FromStart / Span;
        Bar->setMaximum(TQvAxis::ScrollSteps - Page);
        Bar->setPageStep(Page);
        Bar->setValue(std::isfinite(At) ? Qvmath::SaturatingRound(std::clamp(
                                              At, 0.0, double(TQvAxis::ScrollSteps - Page)))
                                        : 0);
    };
    if (FHScrollBar) {
        const int h = FHScrollBar->sizeHint().height();
        Place(FHScrollBar, FPrimaryXAxis, FDoHScrollBar,
              QRect(int(std::lround(A.X)), ClientHeight() - h, int(std::lround(A.Width)), h));
    }
    if (FVScrollbar) {
        const int w = FVScrollbar->sizeHint().width();
        Place(FVScrollbar, FPrimaryYAxis, FDoVScrollBar,
              QRect(0, int(std::lround(A.Y)), w, int(std::lround(A.Height))));
    }
}

void TQvGraph2D::Scroll(Qt::Orientation Bar, TQvScrollCode Code, int ScrollPos) {
    // Series updates while the thumb is dragged wait for the paint.
    FPanDragging = Code == TQvScrollCode::Track;
    const bool Horizontal = Bar == Qt::Horizontal;
    const TQvAxis* Primary = Horizontal ? FPrimaryXAxis : FPrimaryYAxis;
    if (!Primary) return;
    const double d = BarDirection(Primary);
    const double Span = Primary->ScrollSpan();
    const double Small = ScrollStep(Primary, FZoom->GetScrollSmallIncrement());
    const double Large = ScrollStep(Primary, FZoom->GetScrollLargeIncrement());
    double Shift = 0;
    switch (Code) {
    case TQvScrollCode::LineUp:
        Shift = -d * Small;
        break;
    case TQvScrollCode::LineDown:
        Shift = d * Small;
        break;
    case TQvScrollCode::PageUp:
        Shift = -d * Large;
        break;
    case TQvScrollCode::PageDown:
        Shift = d * Large;
        break;
    case TQvScrollCode::Track: {
        // The thumb's leading edge counts from the end of the range the bar starts with.
        const double Along = Span * ScrollPos / TQvAxis::ScrollSteps;
        Shift = d > 0 ? Primary->ScrollUnits(Primary->GetScrollStart()) + Along -
                            Primary->ScrollUnits(Primary->GetStart())
                      : Primary->ScrollUnits(Primary->GetScrollStop()) - Along -
                            Primary->ScrollUnits(Primary->GetStop());
        break;
    }
    case TQvScrollCode::Position:
        break;
    }
    // The share of the scroll range, in the direction of the bar.
    const double Share = Span > 0 ? Shift * d / Span : 0;
    const bool Tracking = Code == TQvScrollCode::Track;
    const bool Record = !Tracking && Code != TQvScrollCode::LineUp &&
                        Code != TQvScrollCode::LineDown;
    BeginUpdate();
    for (TQvAxis* Axis : std::as_const(FAxes)) {
        if (Axis->GetHorizontal() == Horizontal)
            Axis->ScrollBy(Share * BarDirection(Axis) * Axis->ScrollSpan(), Tracking, Record);
        else if (Record)
            Axis->ZoomIn(Axis->GetStart(), Axis->GetStop());
    }
    if (Record) FixChildZoomStack();
    SeriesModified();
    Invalidate();
    EndUpdate();
    RepaintChildGraphs();
}
