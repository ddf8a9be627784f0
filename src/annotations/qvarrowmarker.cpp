// The label-with-arrow marker and the grips that reshape it.

#include "annotations/qvarrowmarker.h"

#include "annotations/qvmarkerrecord.h"
#include "axes/qvmath.h"
#include "strings/qvlocalize.h"
#include "undo/qvundostack.h"

#include <QLineF>
#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>

using namespace Qvlocalize;

namespace {

constexpr int GripSize = 7;
// Half the side of the box around the point in which the mouse grabs the marker.
constexpr int TipBox = 4;
// How far beside the arrow the mouse still grabs it.
constexpr qreal ArrowSlack = 3;
// Dragging options are sets of four.
constexpr int DraggingOptionSets = 1 << 4;

qreal DistanceToSegment(const QPointF& P, const QPointF& A, const QPointF& B) {
    const QPointF AB = B - A;
    const qreal Length2 = QPointF::dotProduct(AB, AB);
    const qreal t = Length2 > 0 ? std::clamp(QPointF::dotProduct(P - A, AB) / Length2, 0.0, 1.0) : 0;
    return QLineF(P, A + t * AB).length();
}

} // namespace

// ---- grips ----

TQvMarkerGrip::TQvMarkerGrip(TQvLabelWithArrowMarker* Marker, TQvArrowMarkerDraggingOption Option,
                             const QStringList& Properties)
    : TGraphicControl(Marker), FMarker(Marker), FOption(Option), FProperties(Properties) {
    SetVisible(false);
    SetBounds(0, 0, GripSize, GripSize);
}

void TQvMarkerGrip::Place() {
    const QPoint Centre = FMarker->HotSpot() + Spot();
    SetBounds(Centre.x() - GripSize / 2, Centre.y() - GripSize / 2, GripSize, GripSize);
}

void TQvMarkerGrip::Paint(QPainter& Canvas) {
    TGPGraphics Graphics(&Canvas);
    const TGPRectF Square{0, 0, float(GripSize - 1), float(GripSize - 1)};
    Graphics.FillRectangle(TGPSolidBrush(0xFFFFFFFF), Square);
    Graphics.DrawRectangle(TGPPen(0xFF404040), Square);
}

void TQvMarkerGrip::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (!FMarker->GetMouseDrag() || Shift != FMarker->GetStartMovingKeys()) return;
    FMarker->RecordDrag(FProperties);
    FDragging = true;
    FDragOrigin = ClientToParent(QPoint(X, Y));
    FDragSpot = Spot();
    FMarker->BeginDrag();
}

void TQvMarkerGrip::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    const QPoint Hot = FMarker->HotSpot();
    const QPoint To = Hot + FDragSpot + ClientToParent(QPoint(X, Y)) - FDragOrigin;
    MoveTo(FMarker->ClampToGraph(To) - Hot);
    Moved();
}

void TQvMarkerGrip::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging) return;
    FDragging = false;
    FMarker->EndDrag();
    Released();
}

void TQvMarkerGrip::MouseEnter() {
    TGraphicControl::MouseEnter();
    FMarker->SetHovered(true);
}

void TQvMarkerGrip::MouseLeave() {
    TGraphicControl::MouseLeave();
    FMarker->SetHovered(false);
}

TQvArrowGrip::TQvArrowGrip(TQvLabelWithArrowMarker* Marker)
    : TQvMarkerGrip(Marker, TQvArrowMarkerDraggingOption::ArrowEnd,
                    {QStringLiteral("ArrowDeltaX"), QStringLiteral("ArrowDeltaY")}) {}

QPoint TQvArrowGrip::Spot() const {
    return Marker()->ArrowEnd();
}

void TQvArrowGrip::MoveTo(const QPoint& Spot) {
    Marker()->MoveArrowEnd(Spot);
}

void TQvArrowGrip::Moved() {
    if (const TNotifyEvent& Event = Marker()->GetOnArrowEndMoving()) Event(Marker());
}

void TQvArrowGrip::Released() {
    if (const TNotifyEvent& Event = Marker()->GetOnArrowEndMoved()) Event(Marker());
}

TQvBentLengthGrip::TQvBentLengthGrip(TQvLabelWithArrowMarker* Marker)
    : TQvMarkerGrip(Marker, TQvArrowMarkerDraggingOption::BentGrip,
                    {QStringLiteral("BentLength")}) {}

QPoint TQvBentLengthGrip::Spot() const {
    return Marker()->BentEnd();
}

// Only the horizontal way counts, in the direction the level piece runs.
void TQvBentLengthGrip::MoveTo(const QPoint& Spot) {
    const TQvLabelWithArrowMarker* M = Marker();
    Marker()->MoveBentEnd((Spot.x() - M->ArrowEnd().x()) * (M->ArrowEnd().x() < 0 ? -1 : 1));
}

TQvCaptionGrip::TQvCaptionGrip(TQvLabelWithArrowMarker* Marker)
    : TQvMarkerGrip(Marker, TQvArrowMarkerDraggingOption::CaptionGrip,
                    {QStringLiteral("CaptionDeltaX"), QStringLiteral("CaptionDeltaY")}) {}

QPoint TQvCaptionGrip::Spot() const {
    return Marker()->CaptionBox().topLeft().toPoint();
}

void TQvCaptionGrip::MoveTo(const QPoint& To) {
    const TQvLabelWithArrowMarker* M = Marker();
    Marker()->MoveCaption(QPoint(M->GetCaptionDeltaX(), M->GetCaptionDeltaY()) + To - Spot());
}

// ---- TQvLabelWithArrowMarker ----

TQvLabelWithArrowMarker::TQvLabelWithArrowMarker(TComponent* AOwner)
    : TQvPointMarker(AOwner, std::make_unique<TQvArrowSettings>()),
      FArrowGrip(new TQvArrowGrip(this)), FBentGrip(new TQvBentLengthGrip(this)),
      FCaptionGrip(new TQvCaptionGrip(this)) {
    SetCaptionVisible(true);
    SetCaptionAlign(TQvContentAlignment::BottomLeft);
    SetCursor(crSizeAll);
    FArrowGrip->SetCursor(crSizeAll);
    FBentGrip->SetCursor(crSizeWE);
    FCaptionGrip->SetCursor(crSizeAll);
}

TQvArrowSettings* TQvLabelWithArrowMarker::GetArrow() const {
    return static_cast<TQvArrowSettings*>(FLine.get());
}

float TQvLabelWithArrowMarker::GetArrowAngle() const {
    return float(Qvmath::FitTo360Degrees(
        std::atan2(-double(FArrowDelta.y()), double(FArrowDelta.x())) * 180 / M_PI));
}

float TQvLabelWithArrowMarker::GetArrowLength() const {
    return float(std::hypot(double(FArrowDelta.x()), double(FArrowDelta.y())));
}

void TQvLabelWithArrowMarker::SetArrowDeltaX(int Value) {
    int X = FArrowDelta.x();
    if (Change(X, Offset(Value), "ArrowDeltaX", SMarkerArrowDeltaX))
        MoveArrowEnd(QPoint(X, FArrowDelta.y()));
}

void TQvLabelWithArrowMarker::SetArrowDeltaY(int Value) {
    int Y = FArrowDelta.y();
    if (Change(Y, Offset(Value), "ArrowDeltaY", SMarkerArrowDeltaY))
        MoveArrowEnd(QPoint(FArrowDelta.x(), Y));
}

void TQvLabelWithArrowMarker::SetBentLength(int Value) {
    if (Change(FBentLength, std::max(0, Offset(Value)), "BentLength", SMarkerBentLength))
        Reshaped();
}

void TQvLabelWithArrowMarker::MoveArrowEnd(const QPoint& Delta) {
    FArrowDelta = QPoint(Offset(Delta.x()), Offset(Delta.y()));
    Reshaped();
}

void TQvLabelWithArrowMarker::MoveBentEnd(int Length) {
    FBentLength = std::max(0, Offset(Length));
    Reshaped();
}

void TQvLabelWithArrowMarker::SetHoverGrips(bool Value) {
    if (Change(FHoverGrips, Value, "HoverGrips", SMarkerHoverGrips)) ShowGrips();
}

void TQvLabelWithArrowMarker::SetDraggingOptions(TQvArrowMarkerDraggingOptions Value) {
    if (Change(FDraggingOptions, Value, "DraggingOptions", SMarkerDraggingOptions)) ShowGrips();
}

QPoint TQvLabelWithArrowMarker::BentEnd() const {
    return FArrowDelta + QPoint(Direction() * FBentLength, 0);
}

// The caption follows the level piece, on the side it runs to; its alignment is mirrored when
// the piece runs left.
QRectF TQvLabelWithArrowMarker::CaptionBox() const {
    const int a = int(GetCaptionAlign());
    const int Horizontal = Direction() > 0 ? a % 3 : 2 - a % 3, Vertical = a / 3;
    const QPointF P = QPointF(BentEnd()) + QPointF(0, (1 - Vertical) * LineGap());
    return AlignedBox(P + CaptionDelta(), CaptionBoxSize(),
                      TQvContentAlignment(Horizontal + 3 * Vertical));
}

QRect TQvLabelWithArrowMarker::ShapeRect() const {
    return QRect(-TipBox, -TipBox, 2 * TipBox + 1, 2 * TipBox + 1);
}

bool TQvLabelWithArrowMarker::HitsShape(const QPoint& P) const {
    if (ShapeRect().contains(P)) return true;
    const qreal Near = ArrowSlack + GetArrow()->GetWidth() / 2;
    return DistanceToSegment(P, QPointF(0, 0), ArrowEnd()) <= Near ||
           DistanceToSegment(P, ArrowEnd(), BentEnd()) <= Near;
}

// The tip reaches beyond the point by its size in line widths.
QRect TQvLabelWithArrowMarker::ShapeExtent() const {
    const TQvArrowSettings* Arrow = GetArrow();
    const int Reach = WholePixels(
        (std::max(Arrow->GetPointLength(), Arrow->GetPointHeight()) + 1.0) * Arrow->GetWidth());
    const QRect Ends = QRect(ArrowEnd(), BentEnd()).normalized();
    return (ShapeRect() | Ends).adjusted(-Reach, -Reach, Reach, Reach);
}

void TQvLabelWithArrowMarker::PaintShape(TGPGraphics* Graphics) {
    const TQvArrowSettings* Arrow = GetArrow();
    if (!Arrow->GetVisible()) return;
    Smooth(Graphics, true);
    const TGPPointF Points[] = {TGPPointF{float(BentEnd().x()), float(BentEnd().y())},
                                TGPPointF{float(ArrowEnd().x()), float(ArrowEnd().y())},
                                TGPPointF{0, 0}};
    const std::unique_ptr<TQvPen> Pen = Arrow->GetPen(TGPRectF::FromQt(QRectF(ShapeExtent())));
    Graphics->DrawLines(*Pen, Points, 3);
}

bool TQvLabelWithArrowMarker::CanDragHotSpot() const {
    return TQvPointMarker::CanDragHotSpot() &&
           FDraggingOptions.testFlag(TQvArrowMarkerDraggingOption::Hotspot);
}

std::array<TQvMarkerGrip*, 3> TQvLabelWithArrowMarker::Grips() const {
    return {FArrowGrip, FBentGrip, FCaptionGrip};
}

void TQvLabelWithArrowMarker::ShowGrips() {
    const std::array<TQvMarkerGrip*, 3> All = Grips();
    const bool Dragging = GetMoving() || std::any_of(All.begin(), All.end(), [](auto* Grip) {
                              return Grip->GetDragging();
                          });
    const bool Show = GetVisible() && GetMouseDrag() && !FGripsHidden && ParentGraph() &&
                      (FHovered || !FHoverGrips || Dragging);
    for (TQvMarkerGrip* Grip : All)
        Grip->SetVisible(Show && FDraggingOptions.testFlag(Grip->Option()) &&
                         (Grip != FCaptionGrip || CaptionShows()));
}

void TQvLabelWithArrowMarker::SetHovered(bool Value) {
    FHovered = Value;
    ShowGrips();
}

void TQvLabelWithArrowMarker::MouseEnter() {
    TQvPointMarker::MouseEnter();
    SetHovered(true);
}

void TQvLabelWithArrowMarker::MouseLeave() {
    TQvPointMarker::MouseLeave();
    SetHovered(false);
}

// The chart kept for the drag is painted without the grips, which move with the marker.
void TQvLabelWithArrowMarker::BeginDrag() {
    {
        const QScopedValueRollback<bool> Hidden(FGripsHidden, true);
        ShowGrips();
        TQvPointMarker::BeginDrag();
    }
    ShowGrips();
}

void TQvLabelWithArrowMarker::UpdatePosition() {
    TQvPointMarker::UpdatePosition();
    for (TQvMarkerGrip* Grip : Grips())
        Grip->Place();
}

void TQvLabelWithArrowMarker::SetVisible(bool Value) {
    TQvPointMarker::SetVisible(Value);
    ShowGrips();
}

// The grips lie above the marker.
void TQvLabelWithArrowMarker::SetParent(TWinControl* AParent) {
    TQvPointMarker::SetParent(AParent);
    for (TQvMarkerGrip* Grip : Grips())
        Grip->SetParent(AParent);
    ShowGrips();
}

void TQvLabelWithArrowMarker::VisitRecord(QvRecord::TRecord& Record) {
    using QvMarkerRecord::Name;
    using QvMarkerRecord::TGroup;
    TQvPointMarker::VisitRecord(Record);
    const TGroup P = TGroup::Properties;
    TQvArrowSettings* Arrow = GetArrow();
    Record.Field(Name(P, "HoverGrips"), FHoverGrips, [this](bool V) { SetHoverGrips(V); });
    Record.Ordinal(
        Name(P, "DraggingOptions"), int(FDraggingOptions.toInt()), DraggingOptionSets,
        [this](int V) { SetDraggingOptions(TQvArrowMarkerDraggingOptions::fromInt(V)); });
    Record.Field(Name(P, "Arrow.Visible"), Arrow->GetVisible(),
                 [Arrow](bool V) { Arrow->SetVisible(V); });
    Record.Field(Name(P, "Arrow.PointLength"), Arrow->GetPointLength(),
                 [Arrow](float V) { Arrow->SetPointLength(V); });
    Record.Field(Name(P, "Arrow.InnerLength"), Arrow->GetInnerLength(),
                 [Arrow](float V) { Arrow->SetInnerLength(V); });
    Record.Field(Name(P, "Arrow.PointHeight"), Arrow->GetPointHeight(),
                 [Arrow](float V) { Arrow->SetPointHeight(V); });
    Record.Field(Name(P, "Arrow.DeltaX"), FArrowDelta.x(), [this](int V) { SetArrowDeltaX(V); });
    Record.Field(Name(P, "Arrow.DeltaY"), FArrowDelta.y(), [this](int V) { SetArrowDeltaY(V); });
    Record.Field(Name(P, "Arrow.BentLength"), FBentLength, [this](int V) { SetBentLength(V); });
    Record.End("label marker");
}
