// Markers on a graph: placement through the axes, the caption box, hit testing, dragging with
// snapping, the published variables, and the horizontal, vertical and cross-hair markers.

#include "annotations/qvmarkers.h"

#include "annotations/qvarrowmarker.h"
#include "annotations/qvmarkerrecord.h"
#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "series/qvfunctionseries.h"
#include "series/qvseries.h"
#include "strings/qvlocalize.h"
#include "style/qvdrawing.h"
#include "undo/qvundostack.h"

#include <QImage>
#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>

using namespace Qvlocalize;
using QvMarkerRecord::Name;
using QvMarkerRecord::TGroup;

namespace {

// Documents create markers by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvHorizontalMarker>();
    RegisterClass<TQvVerticalMarker>();
    RegisterClass<TQvCrossHair>();
    RegisterClass<TQvLabelWithArrowMarker>();
    return true;
}();

// How far beside a line the mouse still grabs it.
constexpr int HitSlack = 3;
// Half the side of the square where the lines of a cross-hair cross.
constexpr int CrossSquare = 4;
// The soft shadow of a caption box reaches this far right and down.
constexpr float ShadowReach = 5;
// Shift states are sets of seven keys and buttons.
constexpr int ShiftStates = 1 << 7;
// The largest padding of a caption box, in percent of its line height.
constexpr float MaxSpaceToBorder = 10000;

} // namespace

// ---- TQvMovable ----

TQvMovable::TQvMovable(TComponent* AOwner, std::unique_ptr<TQvSimpleLineSettings> Line)
    : TGraphicControl(AOwner), FLine(std::move(Line)), FForeColor(ColorToARGB(QStringLiteral("Red"))),
      FCaptionBackColor(ColorToARGB(QStringLiteral("Transparent"))),
      FCaptionBackGradient(std::make_unique<TQvGradientSettings>([this] { Invalidate(); })),
      FCaptionBackFrame(std::make_unique<TQvLineSettings>()) {
    FLine->SetColor(FForeColor);
    FLine->SetModifiedCallback([this] { LineChanged(); });
    FCaptionBackFrame->SetVisible(false);
    FCaptionBackFrame->SetColor(ColorToARGB(QStringLiteral("WindowFrame")));
    FCaptionBackFrame->SetModifiedCallback([this] { CaptionChanged(); });
    auto Font = std::make_unique<TQvFont>([this] { FCaptionRec->FontChanged(); });
    FCaptionRec = std::make_unique<TQvRichCaptionObject>(Font.get());
    FCaptionRec->SetColor(FForeColor);
    ReplaceFont(std::move(Font));
    SetBounds(1, 1, 1, 1);
    RegisterVariables();
}

TQvMovable::~TQvMovable() {
    Destroying();
    RemoveFromVariablesList(this, GlobalVariableList());
    RemoveFromStringList(this, GlobalStringList());
}

void TQvMovable::RegisterVariables() {
    AddVariableToList(
        QStringLiteral("X"), SMarkerXVariable.Text(), this, [this] { return FX; },
        GlobalVariableList());
    AddVariableToList(
        QStringLiteral("Y"), SMarkerYVariable.Text(), this, [this] { return FY; },
        GlobalVariableList());
    AddVariableToList(
        QStringLiteral("SnappedIdx"), SMarkerSnappedIdxVariable.Text(), this,
        [this] { return double(FSnappedIdx); }, GlobalVariableList());
    AddStringToList(
        QStringLiteral("SnappedSeries"), SMarkerSnappedSeriesVariable.Text(), this,
        [this] { return FSnappedSeries ? FSnappedSeries->GetCaption() : QString(); },
        GlobalStringList());
}

TQvUndoRecorder* TQvMovable::UndoRecorder() const {
    return GetUndoStack();
}

// ---- caption ----

void TQvMovable::SetCaption(const TQvRichCaption& Value) {
    const QString Trimmed = TrimRight(Value);
    if (Trimmed == GetCaption()) return;
    if (TQvUndoStack* Stack = GetUndoStack())
        Stack->PushProperty(this, SMarkerCaption.Text(), QStringLiteral("Caption"));
    FCaptionRec->SetCaption(Trimmed);
    CaptionChanged();
}

void TQvMovable::SetCaptionVisible(bool Value) {
    if (Change(FCaptionVisible, Value, "CaptionVisible", SMarkerCaptionVisible)) CaptionChanged();
}

void TQvMovable::SetCaptionVertical(bool Value) {
    if (Change(FCaptionVertical, Value, "CaptionVertical", SMarkerCaptionVertical))
        CaptionChanged();
}

void TQvMovable::SetCaptionDeltaX(int Value) {
    if (Change(FCaptionDeltaX, Offset(Value), "CaptionDeltaX", SMarkerCaptionDeltaX))
        CaptionChanged();
}

void TQvMovable::SetCaptionDeltaY(int Value) {
    if (Change(FCaptionDeltaY, Offset(Value), "CaptionDeltaY", SMarkerCaptionDeltaY))
        CaptionChanged();
}

void TQvMovable::SetCaptionAlign(TQvContentAlignment Value) {
    if (Change(FCaptionAlign, Value, "CaptionPosition", SMarkerCaptionPosition)) CaptionChanged();
}

int TQvMovable::CaptionPositionCount() const {
    return int(TQvContentAlignment::BottomRight) + 1;
}

void TQvMovable::SetCaptionPositionOrdinal(int Value) {
    SetCaptionAlign(TQvContentAlignment(Value));
}

TQvFont* TQvMovable::GetCaptionFont() const {
    return static_cast<TQvFont*>(GetFont());
}

void TQvMovable::SetFont(TFont* Value) {
    if (!Value || Value == GetFont()) return;
    GetCaptionFont()->PushToUndoStack(GetUndoStack(), SMarkerCaptionFont.Text());
    GetFont()->Assign(Value);
}

void TQvMovable::FontChanged() {
    TGraphicControl::FontChanged();
    CaptionChanged();
}

void TQvMovable::SetCaptionBackColor(TQvColor Value) {
    if (Change(FCaptionBackColor, Value, "CaptionBackColor", SMarkerCaptionBackColor))
        Invalidate();
}

void TQvMovable::SetCaptionBackRaised(bool Value) {
    if (Change(FCaptionBackRaised, Value, "CaptionBackRaised", SMarkerCaptionBackRaised))
        Invalidate();
}

void TQvMovable::SetCaptionBackLowered(bool Value) {
    if (Change(FCaptionBackLowered, Value, "CaptionBackLowered", SMarkerCaptionBackLowered))
        Invalidate();
}

// The shadow widens what the marker covers.
void TQvMovable::SetCaptionBackShadow(bool Value) {
    if (Change(FCaptionBackShadow, Value, "CaptionBackShadow", SMarkerCaptionBackShadow))
        CaptionChanged();
}

void TQvMovable::SetCaptionBackSpaceToBorder(float Value) {
    Value = std::isnan(Value) ? 0 : std::clamp(Value, 0.0f, MaxSpaceToBorder);
    if (Change(FCaptionBackSpaceToBorder, Value, "CaptionBackSpaceToBorder",
               SMarkerCaptionBackSpace))
        CaptionChanged();
}

void TQvMovable::SetCaptionBackRounding(float Value) {
    if (Change(FCaptionBackRounding, Value, "CaptionBackRounding", SMarkerCaptionBackRounding))
        Invalidate();
}

void TQvMovable::CaptionChanged() {
    FCaptionStale = true;
    Reshaped();
}

QSizeF TQvMovable::CaptionSize() const {
    if (FCaptionStale) {
        QImage Scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
        TGPGraphics Graphics(&Scratch);
        FCaptionRec->ParseForSize(&Graphics, const_cast<TQvMovable*>(this));
        FCaptionStale = false;
    }
    const QSizeF Size(FCaptionRec->GetWidth(), FCaptionRec->GetHeight());
    return FCaptionVertical ? Size.transposed() : Size;
}

float TQvMovable::Padding() const {
    const int Lines = std::max(1, FCaptionRec->LineCount());
    return FCaptionBackSpaceToBorder / 100 * FCaptionRec->GetHeight() / float(Lines);
}

QSizeF TQvMovable::CaptionBoxSize() const {
    const QSizeF Text = CaptionSize();
    const qreal Pad = 2 * Padding();
    return QSizeF(Text.width() + Pad, Text.height() + Pad);
}

QRectF TQvMovable::AlignedBox(const QPointF& P, const QSizeF& Size, TQvContentAlignment Align) {
    const int a = int(Align);
    return QRectF(P.x() - (a % 3) * Size.width() / 2, P.y() - (a / 3) * Size.height() / 2,
                  Size.width(), Size.height());
}

QPointF TQvMovable::CaptionDelta() const {
    return QPointF(FCaptionDeltaX, FCaptionDeltaY);
}

// ---- appearance and behaviour ----

void TQvMovable::SetForeColor(TQvColor Value) {
    if (!Change(FForeColor, Value, "ForeColor", SMarkerForeColor)) return;
    FCaptionRec->SetColor(Value);
    FLine->SetColor(Value);
    Invalidate();
}

// The width changes what the marker covers.
void TQvMovable::LineChanged() {
    Reshaped();
}

void TQvMovable::Reshaped() {
    UpdatePosition();
    Invalidate();
}

void TQvMovable::SetClipToData(bool Value) {
    if (Change(FClipToData, Value, "ClipToData", SMarkerClipToData)) Invalidate();
}

void TQvMovable::SetMouseDrag(bool Value) {
    Change(FMouseDrag, Value, "MouseDrag", SMarkerMouseDrag);
}

void TQvMovable::SetStartMovingKeys(TShiftState Value) {
    Change(FStartMovingKeys, Value, "StartMovingKeys", SMarkerStartMovingKeys);
}

void TQvMovable::SetSnapToSeriesValues(bool Value) {
    Change(FSnapToSeriesValues, Value, "SnapToSeriesValues", SMarkerSnapToSeriesValues);
}

void TQvMovable::SetSnapToFunctions(bool Value) {
    Change(FSnapToFunctions, Value, "SnapToFunctions", SMarkerSnapToFunctions);
}

TQvUndoStack* TQvMovable::GetUndoStack() const {
    if (FUndoStack) return FUndoStack;
    const TQvGraph2D* Graph = ParentGraph();
    return Graph ? Graph->GetUndoStack() : nullptr;
}

void TQvMovable::SetUndoStack(TQvUndoStack* Value) {
    ReplaceReference(this, FUndoStack, Value);
}

// ---- position ----

TQvGraph2D* TQvMovable::ParentGraph() const {
    return qobject_cast<TQvGraph2D*>(GetParent());
}

void TQvMovable::SetXAxis(TQvAxis* Value) {
    if (Value == FXAxis) return;
    if (TQvUndoStack* Stack = GetUndoStack())
        Stack->PushProperty(this, SMarkerXAxis.Text(), QStringLiteral("XAxis"));
    ReplaceReference(this, FXAxis, Value);
    PointChanged();
}

void TQvMovable::SetYAxis(TQvAxis* Value) {
    if (Value == FYAxis) return;
    if (TQvUndoStack* Stack = GetUndoStack())
        Stack->PushProperty(this, SMarkerYAxis.Text(), QStringLiteral("YAxis"));
    ReplaceReference(this, FYAxis, Value);
    PointChanged();
}

void TQvMovable::SetX(double Value) {
    if (Change(FX, Value, "X", SMarkerX)) PointChanged();
}

void TQvMovable::SetY(double Value) {
    if (Change(FY, Value, "Y", SMarkerY)) PointChanged();
}

void TQvMovable::SetSnappedSeries(TQvSeries* Value) {
    ReplaceReference(this, FSnappedSeries, Value);
}

void TQvMovable::TakePosition(const TQvMovable& Other, bool InX, bool InY) {
    if (InX) {
        ReplaceReference(this, FXAxis, Other.FXAxis);
        FX = Other.FX;
    }
    if (InY) {
        ReplaceReference(this, FYAxis, Other.FYAxis);
        FY = Other.FY;
    }
    PointChanged();
}

void TQvMovable::PointChanged() {
    // The caption may quote the values.
    FCaptionStale = true;
    UpdatePosition();
    Invalidate();
    UpdateVariablesObjects(FObjectsToUpdate);
}

QPoint TQvMovable::PlacedHotSpot() const {
    QPoint P = HotSpot();
    if (FXAxis) P.setX(Qvmath::SaturatingRound(FXAxis->NumberToWorld(FX)));
    if (FYAxis) P.setY(Qvmath::SaturatingRound(FYAxis->NumberToWorld(FY)));
    return P;
}

void TQvMovable::UpdatePosition() {
    if (ParentGraph()) PlaceAt(PlacedHotSpot());
}

void TQvMovable::PlaceAt(const QPoint& P) {
    FHot = P;
    QRectF Covered = ShapeExtent();
    if (CaptionShows()) {
        QRectF Box = CaptionBox();
        if (FCaptionBackShadow) Box.adjust(0, 0, ShadowReach, ShadowReach);
        Covered |= Box;
    }
    // A pixel more on every side for smoothed edges.
    const auto Reach = [](qreal Low, qreal High) {
        return WholePixels(std::max(-Low, High)) + 1;
    };
    const int hx = Reach(Covered.left(), Covered.right());
    const int hy = Reach(Covered.top(), Covered.bottom());
    SetBounds(P.x() - hx, P.y() - hy, 2 * hx + 1, 2 * hy + 1);
}

QRectF TQvMovable::AreaFromHotSpot() const {
    const TQvGraph2D* Graph = ParentGraph();
    if (!Graph) return QRectF();
    const TGPRectF& A = Graph->GetDrawingArea();
    return QRectF(A.X - FHot.x(), A.Y - FHot.y(), A.Width, A.Height);
}

float TQvMovable::LineGap() const {
    return float(WholePixels(FLine->GetWidth() / 2) + 2);
}

int TQvMovable::WholePixels(double X) {
    return std::clamp(Qvmath::SaturatingRound(std::ceil(X)), -MaxReach, MaxReach);
}

int TQvMovable::Offset(int Pixels) {
    return std::clamp(Pixels, -MaxReach, MaxReach);
}

bool TQvMovable::SnapsTo(const TQvSeries* Series) const {
    if (!Series->SeriesVisible()) return false;
    if (!FSnapToFunctions && qobject_cast<const TQvFunctionSeries*>(Series)) return false;
    return (!FXAxis || Series->GetXAxis() == FXAxis) && (!FYAxis || Series->GetYAxis() == FYAxis);
}

bool TQvMovable::SearchSeriesSnap(const QPoint& P) {
    TQvSeries* Kept = FKeepSnappedSeries ? FSnappedSeries : nullptr;
    SetSnappedSeries(nullptr);
    FSnappedIdx = -1;
    const TQvGraph2D* Graph = ParentGraph();
    if (!Graph || (!FXAxis && !FYAxis)) return false;
    TQvSeries* Winner = nullptr;
    TQvNearestPointResult Best;
    // In the graph's order: of two points equally near, the earlier series' wins.
    for (int i = 0; i < Graph->SeriesCount(); ++i) {
        TQvSeries* Series = Graph->Series(i);
        if ((Kept && Series != Kept) || !SnapsTo(Series)) continue;
        Series->CurrentScreenPoints();
        const TQvNearestPointResult Near =
            FXAxis && FYAxis ? Series->NearestPoint(TGPPointF{float(P.x()), float(P.y())})
            : FXAxis         ? Series->NearestX(float(P.x()))
                             : Series->NearestY(float(P.y()));
        if (Near.Found && Near.Distance < Best.Distance) {
            Best = Near;
            Winner = Series;
        }
    }
    if (!Winner) return false;
    SetSnappedSeries(Winner);
    FSnappedIdx = Best.Index;
    if (FXAxis) FX = Best.X;
    if (FYAxis) FY = Best.Y;
    PointChanged();
    return true;
}

// ---- dragging ----

void TQvMovable::RecordDrag(const QStringList& Properties) {
    TQvUndoStack* Stack = GetUndoStack();
    if (!Stack) return;
    const QString Caption = SMarkerMoved.Text();
    Stack->StartGroup(Caption);
    for (const QString& Name : Properties)
        Stack->PushProperty(this, Caption, Name);
    Stack->StopGroup();
}

QPoint TQvMovable::ClampToGraph(const QPoint& P) const {
    const TQvGraph2D* Graph = ParentGraph();
    return QPoint(std::clamp(P.x(), 0, std::max(0, Graph->ClientWidth() - 1)),
                  std::clamp(P.y(), 0, std::max(0, Graph->ClientHeight() - 1)));
}

void TQvMovable::DragHotSpotTo(QPoint P) {
    P = ClampToGraph(P);
    if (FSnapToSeriesValues) {
        SearchSeriesSnap(P);
    } else {
        if (FXAxis && MovesX()) FX = FXAxis->WorldToNumber(float(P.x()));
        if (FYAxis && MovesY()) FY = FYAxis->WorldToNumber(float(P.y()));
        PointChanged();
    }
    if (FOnMarkerMoving) FOnMarkerMoving(this);
}

void TQvMovable::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    TQvGraph2D* Graph = ParentGraph();
    if (!Graph || !CanDragHotSpot() || Shift != FStartMovingKeys) return;
    QStringList Moved;
    if (MovesX()) Moved << QStringLiteral("X");
    if (MovesY()) Moved << QStringLiteral("Y");
    RecordDrag(Moved);
    FMoving = true;
    FDragOrigin = ClientToParent(QPoint(X, Y));
    FDragStart = HotSpot();
    BeginDrag();
}

void TQvMovable::BeginDrag() {
    if (TQvGraph2D* Graph = ParentGraph()) Graph->BeginControlDrag(DragControl());
}

void TQvMovable::EndDrag() {
    if (TQvGraph2D* Graph = ParentGraph()) Graph->EndControlDrag();
}

void TQvMovable::MoveCaption(const QPoint& Delta) {
    FCaptionDeltaX = Offset(Delta.x());
    FCaptionDeltaY = Offset(Delta.y());
    CaptionChanged();
}

void TQvMovable::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FMoving) DragHotSpotTo(FDragStart + ClientToParent(QPoint(X, Y)) - FDragOrigin);
}

void TQvMovable::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FMoving) return;
    FMoving = false;
    EndDrag();
    if (FOnMarkerMoved) FOnMarkerMoved(this);
}

// ---- painting and hit testing ----

void TQvMovable::Smooth(TGPGraphics* Graphics, bool On) const {
    if (const TQvGraph2D* Graph = ParentGraph())
        Graph->SetHighQuality(Graphics, On);
    else
        Graphics->SetSmoothingMode(On ? TGPSmoothingMode::AntiAlias : TGPSmoothingMode::None);
}

void TQvMovable::Draw(TGPGraphics* Graphics) {
    const TGPMatrix SavedTransform = Graphics->GetTransform();
    const TGPRegion SavedClip = Graphics->GetClip();
    Graphics->TranslateTransform(float(FWidth / 2), float(FHeight / 2));
    if (FClipToData && ParentGraph())
        Graphics->IntersectClip(TGPRectF::FromQt(AreaFromHotSpot()));
    PaintShape(Graphics);
    if (CaptionShows()) PaintCaption(Graphics);
    Graphics->SetTransform(SavedTransform);
    Graphics->SetClip(SavedClip);
}

void TQvMovable::PaintCaption(TGPGraphics* Graphics) {
    const QRectF Box = CaptionBox();
    const TGPRectF Rect = TGPRectF::FromQt(Box);
    Smooth(Graphics, true);
    std::unique_ptr<TGPBrush> Brush;
    if (FCaptionBackGradient->GetVisible())
        Brush = FCaptionBackGradient->GetBrush(Rect);
    else
        Brush = std::make_unique<TGPSolidBrush>(FCaptionBackColor);
    const std::unique_ptr<TQvPen> Frame = FCaptionBackFrame->GetPen(Rect);
    DrawRoundRect(Graphics, Brush.get(), Frame.get(), Rect, FCaptionBackRounding,
                  FCaptionBackFrame->GetVisible(), FCaptionBackShadow, FCaptionBackRaised,
                  FCaptionBackLowered);
    // A vertical caption reads upwards from the box's bottom-left corner.
    const float Pad = Padding();
    FCaptionRec->SetAngle(FCaptionVertical ? 90 : 0);
    FCaptionRec->SetAnchor(float(Box.left()) + Pad,
                           float(FCaptionVertical ? Box.bottom() : Box.top()) +
                               (FCaptionVertical ? -Pad : Pad));
    FCaptionRec->PaintGr(Graphics);
}

void TQvMovable::PaintGr(TGPGraphics* Graphics) {
    Draw(Graphics);
}

void TQvMovable::Paint(QPainter& Canvas) {
    if (ParentGraph()) return; // the graph draws its markers
    TGPGraphics Graphics(&Canvas);
    PaintGr(&Graphics);
}

bool TQvMovable::HitTest(const QPoint& P) const {
    const QPoint FromHotSpot = P - QPoint(FWidth / 2, FHeight / 2);
    return (CaptionShows() && CaptionBox().contains(FromHotSpot)) || HitsShape(FromHotSpot);
}

// ---- persistence ----

void TQvMovable::VisitRecord(QvRecord::TRecord& Record) {
    const TGroup P = TGroup::Properties, C = TGroup::Caption;
    QvRecord::ControlVisibility(Record, this);
    Record.Field(Name(P, "ClipToData"), FClipToData, [this](bool V) { SetClipToData(V); });
    Record.Field(Name(P, "MouseDrag"), FMouseDrag, [this](bool V) { SetMouseDrag(V); });
    Record.Ordinal(Name(P, "StartMovingKeys"), int(FStartMovingKeys.toInt()), ShiftStates,
                   [this](int V) { SetStartMovingKeys(TShiftState::fromInt(V)); });
    Record.Field(Name(P, "SnapToSeriesValues"), FSnapToSeriesValues,
                 [this](bool V) { SetSnapToSeriesValues(V); });
    Record.Field(Name(P, "SnapToFunctions"), FSnapToFunctions,
                 [this](bool V) { SetSnapToFunctions(V); });
    Record.Reference<TQvSeries>(Name(P, "SnappedSeries"), FSnappedSeries,
                                [this](TQvSeries* V) { SetSnappedSeries(V); });
    Record.Field(Name(P, "SnappedIdx"), FSnappedIdx, [this](int V) { SetSnappedIdx(V); });
    Record.Color(Name(P, "ForeColor"), FForeColor, [this](TQvColor V) { SetForeColor(V); });
    Record.Settings(Name(P, "Line"), FLine.get());
    Record.Field(Name(C, "Caption"), GetCaption(), [this](const QString& V) { SetCaption(V); });
    Record.Field(Name(C, "Caption.Visible"), FCaptionVisible,
                 [this](bool V) { SetCaptionVisible(V); });
    Record.Field(Name(C, "Caption.Vertical"), FCaptionVertical,
                 [this](bool V) { SetCaptionVertical(V); });
    Record.Field(Name(C, "Caption.DeltaX"), FCaptionDeltaX, [this](int V) { SetCaptionDeltaX(V); });
    Record.Field(Name(C, "Caption.DeltaY"), FCaptionDeltaY, [this](int V) { SetCaptionDeltaY(V); });
    Record.Ordinal(Name(C, "Caption.Position"), CaptionPositionOrdinal(), CaptionPositionCount(),
                   [this](int V) { SetCaptionPositionOrdinal(V); });
    Record.Settings(Name(C, "Font"), GetCaptionFont());
    Record.Color(Name(C, "Caption.BackColor"), FCaptionBackColor,
                 [this](TQvColor V) { SetCaptionBackColor(V); });
    Record.Settings(Name(C, "Caption.BackGradient"), FCaptionBackGradient.get());
    Record.Settings(Name(C, "Caption.BackFrame"), FCaptionBackFrame.get());
    Record.Field(Name(C, "Caption.BackRaised"), FCaptionBackRaised,
                 [this](bool V) { SetCaptionBackRaised(V); });
    Record.Field(Name(C, "Caption.BackLowered"), FCaptionBackLowered,
                 [this](bool V) { SetCaptionBackLowered(V); });
    Record.Field(Name(C, "Caption.BackShadow"), FCaptionBackShadow,
                 [this](bool V) { SetCaptionBackShadow(V); });
    Record.Field(Name(C, "CaptionBack.SpaceToBorder"), FCaptionBackSpaceToBorder,
                 [this](float V) { SetCaptionBackSpaceToBorder(V); });
    Record.Field(Name(C, "CaptionBack.Rounding"), FCaptionBackRounding,
                 [this](float V) { SetCaptionBackRounding(V); });
    Record.End("marker");
    // The location: the axes and values the marker moves along.
    const TGroup L = TGroup::Location;
    if (MovesX()) {
        Record.Reference<TQvAxis>(Name(L, "XAxis"), FXAxis, [this](TQvAxis* V) { SetXAxis(V); });
        Record.Field(Name(L, "X"), FX, [this](double V) { SetX(V); });
    }
    if (MovesY()) {
        Record.Reference<TQvAxis>(Name(L, "YAxis"), FYAxis, [this](TQvAxis* V) { SetYAxis(V); });
        Record.Field(Name(L, "Y"), FY, [this](double V) { SetY(V); });
    }
    Record.End("marker location");
}

// ---- framework ----

void TQvMovable::SetParent(TWinControl* AParent) {
    TGraphicControl::SetParent(AParent);
    UpdatePosition();
}

void TQvMovable::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != TOperation::Remove || !AComponent) return;
    const auto Forget = [AComponent](auto*& Field) {
        if (static_cast<const TComponent*>(Field) == AComponent) Field = nullptr;
    };
    Forget(FXAxis);
    Forget(FYAxis);
    Forget(FSnappedSeries);
    Forget(FUndoStack);
    FObjectsToUpdate.removeAll(AComponent);
}

void TQvMovable::AddObjectToUpdate(TComponent* Object) {
    if (!Object || Object == this || FObjectsToUpdate.contains(Object)) return;
    FObjectsToUpdate.append(Object);
    Object->FreeNotification(this);
}

void TQvMovable::UpdateVariables() {
    CaptionChanged();
}

// ---- TQvLineMarker ----

TQvLineMarker::TQvLineMarker(TComponent* AOwner)
    : TQvMovable(AOwner, std::make_unique<TQvSimpleLineSettings>()) {}

TQvCrossHair* TQvLineMarker::CrossHair() const {
    return qobject_cast<TQvCrossHair*>(GetOwner());
}

void TQvLineMarker::PaintGr(TGPGraphics* Graphics) {
    if (!CrossHair()) Draw(Graphics);
}

// The line crosses the data area; the hot spot lies in the middle of it.
QPoint TQvLineMarker::PlacedHotSpot() const {
    QPoint P = TQvMovable::PlacedHotSpot();
    const TGPRectF& A = ParentGraph()->GetDrawingArea();
    if (Horizontal())
        P.setX(Qvmath::SaturatingRound(A.X + (A.Width - 1) / 2));
    else
        P.setY(Qvmath::SaturatingRound(A.Y + (A.Height - 1) / 2));
    return P;
}

QRect TQvLineMarker::ShapeRect() const {
    const QRectF A = AreaFromHotSpot();
    const int Half = WholePixels(GetLine()->GetWidth() / 2) + HitSlack;
    if (Horizontal())
        return QRect(QPoint(int(A.left()), -Half), QPoint(int(A.right()) - 1, Half));
    return QRect(QPoint(-Half, int(A.top())), QPoint(Half, int(A.bottom()) - 1));
}

QRectF TQvLineMarker::CaptionBox() const {
    const QRectF A = AreaFromHotSpot();
    const int a = int(GetCaptionAlign());
    const int Along = Horizontal() ? a % 3 : a / 3;
    const int Across = Horizontal() ? a / 3 : a % 3;
    const float Gap = LineGap();
    const qreal Start = (Horizontal() ? A.left() : A.top()) + Gap;
    const qreal End = (Horizontal() ? A.right() : A.bottom()) - 1 - Gap;
    const qreal AtLine = Along == 0 ? Start : Along == 1 ? 0 : End;
    const qreal BesideLine = (Across - 1) * Gap;
    // The box's edge towards the line touches it: its alignment across is the opposite one.
    const int BoxAcross = 2 - Across;
    const QPointF P = Horizontal() ? QPointF(AtLine, BesideLine) : QPointF(BesideLine, AtLine);
    const auto Align =
        TQvContentAlignment(Horizontal() ? Along + 3 * BoxAcross : BoxAcross + 3 * Along);
    return AlignedBox(P + CaptionDelta(), CaptionBoxSize(), Align);
}

void TQvLineMarker::PaintShape(TGPGraphics* Graphics) {
    const QRectF A = AreaFromHotSpot();
    const std::unique_ptr<TQvPen> Pen = GetLine()->GetPen(TGPRectF::FromQt(A));
    Smooth(Graphics, false);
    if (Horizontal())
        Graphics->DrawLine(*Pen, float(A.left()), 0, float(A.right()) - 1, 0);
    else
        Graphics->DrawLine(*Pen, 0, float(A.top()), 0, float(A.bottom()) - 1);
}

void TQvLineMarker::PointChanged() {
    TQvMovable::PointChanged();
    if (TQvCrossHair* Owner = CrossHair()) Owner->FollowLine(this);
}

TControl* TQvLineMarker::DragControl() {
    if (TQvCrossHair* Owner = CrossHair()) return Owner;
    return this;
}

TQvHorizontalMarker::TQvHorizontalMarker(TComponent* AOwner) : TQvLineMarker(AOwner) {
    SetCursor(crSizeNS);
}

TQvVerticalMarker::TQvVerticalMarker(TComponent* AOwner) : TQvLineMarker(AOwner) {
    SetCursor(crSizeWE);
}

// ---- TQvCrossHair ----

TQvCrossHair::TQvCrossHair(TComponent* AOwner)
    : TQvPointMarker(AOwner, std::make_unique<TQvSimpleLineSettings>()),
      FHorizontalMarker(new TQvHorizontalMarker(this)),
      FVerticalMarker(new TQvVerticalMarker(this)) {
    FHorizontalMarker->SetName(QStringLiteral("HorizontalMarker"));
    FVerticalMarker->SetName(QStringLiteral("VertikalMarker"));
    SetCaptionVisible(true);
    SetCaptionAlign(TQvContentAlignment::BottomLeft);
    SetCursor(crSizeAll);
}

// The caption's corner nearest the point faces it.
void TQvCrossHair::SetCaptionPosition(TQvXHairCaptionPosition Value) {
    if (Value == FCaptionPosition) return;
    if (TQvUndoStack* Stack = GetUndoStack())
        Stack->PushProperty(this, SMarkerCaptionPosition.Text(), QStringLiteral("CaptionPosition"));
    FCaptionPosition = Value;
    static constexpr TQvContentAlignment Corner[] = {
        TQvContentAlignment::BottomLeft, TQvContentAlignment::TopLeft,
        TQvContentAlignment::TopRight, TQvContentAlignment::BottomRight};
    SetCaptionAlign(Corner[int(Value)]);
}

int TQvCrossHair::CaptionPositionCount() const {
    return int(TQvXHairCaptionPosition::LeftTop) + 1;
}

void TQvCrossHair::SetCaptionPositionOrdinal(int Value) {
    SetCaptionPosition(TQvXHairCaptionPosition(Value));
}

TCursor TQvCrossHair::GetHorizontalCursor() const {
    return FHorizontalMarker->GetCursor();
}

void TQvCrossHair::SetHorizontalCursor(TCursor Value) {
    FHorizontalMarker->SetCursor(Value);
}

TCursor TQvCrossHair::GetVerticalCursor() const {
    return FVerticalMarker->GetCursor();
}

void TQvCrossHair::SetVerticalCursor(TCursor Value) {
    FVerticalMarker->SetCursor(Value);
}

void TQvCrossHair::FollowLine(const TQvLineMarker* Line) {
    if (FSyncing) return;
    const QScopedValueRollback<bool> Guard(FSyncing, true);
    TakePosition(*Line, Line->MovesX(), Line->MovesY());
}

void TQvCrossHair::PointChanged() {
    TQvPointMarker::PointChanged();
    if (FSyncing) return;
    const QScopedValueRollback<bool> Guard(FSyncing, true);
    for (TQvLineMarker* Line : Lines())
        Line->TakePosition(*this, Line->MovesX(), Line->MovesY());
}

void TQvCrossHair::LineChanged() {
    TQvPointMarker::LineChanged();
    for (TQvLineMarker* Line : Lines())
        Line->SetLine(GetLine());
}

std::array<TQvLineMarker*, 2> TQvCrossHair::Lines() const {
    return {FVerticalMarker, FHorizontalMarker};
}

void TQvCrossHair::SetParent(TWinControl* AParent) {
    for (TQvLineMarker* Line : Lines())
        Line->SetParent(AParent);
    TQvPointMarker::SetParent(AParent);
}

void TQvCrossHair::PaintGr(TGPGraphics* Graphics) {
    for (TQvLineMarker* Line : Lines()) {
        if (!Line->GetVisible()) continue;
        const TGPMatrix Saved = Graphics->GetTransform();
        Graphics->TranslateTransform(float(Line->GetLeft() - FLeft), float(Line->GetTop() - FTop));
        Line->Draw(Graphics);
        Graphics->SetTransform(Saved);
    }
    Draw(Graphics);
}

QRect TQvCrossHair::ShapeRect() const {
    return QRect(-CrossSquare, -CrossSquare, 2 * CrossSquare + 1, 2 * CrossSquare + 1);
}

// Beside the square, on the side CaptionPosition names.
QRectF TQvCrossHair::CaptionBox() const {
    const int a = int(GetCaptionAlign());
    const qreal s = CrossSquare + LineGap();
    const QPointF P(a % 3 == 0 ? s : -s, a / 3 == 0 ? s : -s);
    return AlignedBox(P + CaptionDelta(), CaptionBoxSize(), GetCaptionAlign());
}

void TQvCrossHair::PaintShape(TGPGraphics* Graphics) {
    const std::unique_ptr<TQvPen> Pen = GetLine()->GetPen(TGPRectF::FromQt(ShapeRect()));
    Smooth(Graphics, false);
    Graphics->DrawRectangle(*Pen, float(-CrossSquare), float(-CrossSquare), 2 * CrossSquare,
                            2 * CrossSquare);
}

void TQvCrossHair::VisitRecord(QvRecord::TRecord& Record) {
    TQvPointMarker::VisitRecord(Record);
    Record.Part("HorizontalMarker",
                [this](QvRecord::TRecord& R) { FHorizontalMarker->VisitRecord(R); });
    Record.Part("VerticalMarker",
                [this](QvRecord::TRecord& R) { FVerticalMarker->VisitRecord(R); });
    Record.End("cross-hair");
}
