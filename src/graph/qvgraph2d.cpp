#include "graph/qvgraph2d.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "data/qvvectors.h"
#include "framework/qvexceptions.h"
#include "framework/qvforms.h"
#include "graph/qvtheme.h"
#include "parser/qvparsefkt.h"
#include "series/qvfunctionseries.h"
#include "series/qvseries.h"
#include "undo/qvundostack.h"

#include <QImage>
#include <QPainter>
#include <QScopeGuard>
#include <QScopedValueRollback>

#include <algorithm>
#include <optional>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {

TQvColor NamedColor(const char* Name) {
    return ColorToARGB(QString::fromLatin1(Name));
}

std::unique_ptr<TQvLineSettings> NewLine(ModifiedCallback Callback, const char* Color) {
    auto Line = std::make_unique<TQvLineSettings>();
    Line->SetVisible(false);
    Line->SetColor(NamedColor(Color));
    Line->SetModifiedCallback(std::move(Callback));
    return Line;
}

} // namespace

// ---- TQvCustomGraph ----

TQvCustomGraph::TQvCustomGraph(TComponent* AOwner)
    : TCustomPanel(AOwner),
      FBackgroundGradient(std::make_unique<TQvGradientSettings>([this] { Invalidate(); })),
      FBackColor(NamedColor("Transparent")) {
    auto Title = std::make_unique<TQvFont>([this] { FTitleRec->FontChanged(); });
    FTitleRec = std::make_unique<TQvRichCaptionObject>(Title.get(), [this] { Modified(); });
    ReplaceFont(std::move(Title));
    SetBounds(GetLeft(), GetTop(), 600, 400);
    SetDoubleBuffered(true);
    RegisterVariables();
}

TQvCustomGraph::~TQvCustomGraph() {
    Destroying();
    DeRegisterVariables();
}

void TQvCustomGraph::SetUndoStack(TQvUndoStack* Value) {
    ReplaceReference(this, FUndoStack, Value);
}

void TQvCustomGraph::SetBackColor(TQvColor Value) {
    if (SetUndoable(FUndoStack, this, FBackColor, Value, "BackColor", SGraphBackColor))
        Invalidate();
}

void TQvCustomGraph::SetSmoothingMode(TQvSmoothingMode Value) {
    if (FSmoothingMode == Value) return;
    FSmoothingMode = Value;
    Invalidate();
}

void TQvCustomGraph::SetCaption(const TQvRichCaption& Value) {
    const QString Trimmed = TrimRight(Value);
    if (Trimmed == GetCaption()) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SGraphCaption.Text(), "Caption");
    FTitleRec->SetCaption(Trimmed);
    FCaptionSet = true;
    ParseCaption();
    UpdateVariablesObjects(FObjectsToUpdate);
}

QString TQvCustomGraph::CaptionAsString() const {
    if (!FTitleRec->Parsed()) MeasureTitle();
    const QString& Plain = FTitleRec->GetPlainText();
    return Plain.isEmpty() ? GetName() : Plain;
}

void TQvCustomGraph::MeasureTitle() const {
    QImage Scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TGPGraphics Graphics(&Scratch);
    FTitleRec->ParseForSize(&Graphics, const_cast<TQvCustomGraph*>(this));
}

void TQvCustomGraph::ParseCaption() {
    // Marked first: a formula that fails in the caption raises again at the next paint.
    Modified();
    MeasureTitle();
}

void TQvCustomGraph::AddObjectToUpdate(TComponent* Object) {
    if (!Object || Object == this || FObjectsToUpdate.contains(Object)) return;
    FObjectsToUpdate.append(Object);
    Object->FreeNotification(this);
}

void TQvCustomGraph::SetCaptionAlignment(TAlignment Value) {
    if (SetUndoable(FUndoStack, this, FCaptionAlignment, Value, "CaptionAlignment",
                    SGraphTitleAlignment))
        Modified();
}

TQvColor TQvCustomGraph::GetCaptionColor() const {
    return GetCaptionFont()->GetFillColor();
}

void TQvCustomGraph::SetCaptionColor(TQvColor Value) {
    if (Value == GetCaptionColor()) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SGraphTitleColor.Text(), "CaptionColor");
    GetCaptionFont()->SetFillColor(Value);
    Invalidate();
}

void TQvCustomGraph::SetCaptionDistanceAfter(float Value) {
    if (SetUndoable(FUndoStack, this, FCaptionDistanceAfter, Value, "CaptionDistanceAfter",
                    SGraphTitleDistanceAfter))
        Modified();
}

void TQvCustomGraph::SetCaptionDistanceBefore(float Value) {
    if (SetUndoable(FUndoStack, this, FCaptionDistanceBefore, Value, "CaptionDistanceBefore",
                    SGraphTitleDistanceBefore))
        Modified();
}

TQvFont* TQvCustomGraph::GetCaptionFont() const {
    return static_cast<TQvFont*>(GetFont());
}

void TQvCustomGraph::SetCaptionFont(TQvFont* Value) {
    SetFont(Value);
}

void TQvCustomGraph::SetFont(TFont* Value) {
    if (!Value || Value == GetFont()) return;
    GetCaptionFont()->PushToUndoStack(FUndoStack, SGraphTitleFont.Text());
    GetFont()->Assign(Value);
}

bool TQvCustomGraph::IsPropertyStored(const char* Name) const {
    if (qstrcmp(Name, "Font") == 0) return false;
    if (qstrcmp(Name, "CaptionFont") == 0) return GetStoreFont();
    return TCustomPanel::IsPropertyStored(Name);
}

void TQvCustomGraph::SetCaptionVisible(bool Value) {
    if (SetUndoable(FUndoStack, this, FCaptionVisible, Value, "CaptionVisible", SGraphTitleVisible))
        Modified();
}

void TQvCustomGraph::EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount == 0 && FRecalculate) Invalidate();
}

bool TQvCustomGraph::Contains(const TControl* AControl) const {
    return AControl && AControl->GetOwner() == this;
}

void TQvCustomGraph::SetName(const QString& NewName) {
    const bool Dropped = GetName().isEmpty() && !NewName.isEmpty() && IsDesigning() && !IsLoading();
    TCustomPanel::SetName(NewName);
    if (IsDesigning() && !FCaptionSet) FTitleRec->SetCaption(NewName);
    if (!Dropped || FUndoStack) return;
    TComponent* Owner = GetOwner();
    TQvUndoStack* Stack = nullptr;
    for (int i = 0; Owner && i < Owner->ComponentCount() && !Stack; ++i)
        Stack = qobject_cast<TQvUndoStack*>(Owner->Components(i));
    if (!Stack) {
        Stack = new TQvUndoStack(Owner);
        Stack->SetName(UniqueName(Owner, QStringLiteral("QvUndoStack")));
    }
    SetUndoStack(Stack);
}

void TQvCustomGraph::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (AWidth != GetWidth() || AHeight != GetHeight()) BoundsChanged();
    TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TQvCustomGraph::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPanel::Notification(AComponent, Operation);
    if (IsDestroying() || Operation != TOperation::Remove || !AComponent) return;
    if (FUndoStack && AComponent == static_cast<TComponent*>(FUndoStack)) SetUndoStack(nullptr);
    FObjectsToUpdate.removeAll(AComponent);
}

void TQvCustomGraph::RegisterVariables() {
    AddStringToList(
        QStringLiteral("Name"), SGraphNameVariable.Text(), this,
        [this] { return GetNameAsString(); }, GlobalStringList());
    AddStringToList(
        QStringLiteral("Caption"), SGraphCaption.Text(), this, [this] { return GetCaption(); },
        GlobalStringList());
}

void TQvCustomGraph::DeRegisterVariables() {
    RemoveFromStringList(this, GlobalStringList());
}

// ---- TQvZoomSettings ----

TQvZoomSettings::TQvZoomSettings(TQvGraph2D* Graph) : FParentGraph(Graph) {}

void TQvZoomSettings::SetAuto(bool Value) {
    SetUndoable(FUndoStack, this, FAuto, Value, "Auto", SZoomAuto);
}

void TQvZoomSettings::SetOptimizeSeries(bool Value) {
    SetUndoable(FUndoStack, this, FOptimizeSeries, Value, "OptimizeSeries", SZoomOptimizeSeries);
}

void TQvZoomSettings::SetBackOnClickBeside(bool Value) {
    SetUndoable(FUndoStack, this, FBackOnClickBeside, Value, "BackOnClickBeside",
                SZoomBackClickBeside);
}

void TQvZoomSettings::SetBackOnRightBottomLeftTopFrame(bool Value) {
    SetUndoable(FUndoStack, this, FBackOnRightBottomLeftTopFrame, Value,
                "BackOnRightBottomLeftTopFrame", SZoomBackClickBeside);
}

void TQvZoomSettings::SetResetOnDoubleClickBeside(bool Value) {
    SetUndoable(FUndoStack, this, FResetOnDoubleClickBeside, Value, "ResetOnDoubleClickBeside",
                SZoomResetDoubleClick);
}

void TQvZoomSettings::SetResetOnRightBottomLeftTopFrame(bool Value) {
    SetUndoable(FUndoStack, this, FResetOnRightBottomLeftTopFrame, Value,
                "ResetOnRightBottomLeftTopFrame", SZoomResetFrame);
}

void TQvZoomSettings::SetStartZoom(TShiftState Value) {
    if (Value == FZoomShift) return;
    if (Value == FPanningShift) throw Exception(SZoomPanSameKeys.Text());
    SetUndoable(FUndoStack, this, FZoomShift, Value, "StartZoom", SZoomStartKeys);
}

void TQvZoomSettings::SetStartPanning(TShiftState Value) {
    if (Value == FPanningShift) return;
    if (Value == FZoomShift) throw Exception(SZoomPanSameKeys.Text());
    SetUndoable(FUndoStack, this, FPanningShift, Value, "StartPanning", SPanningStartKeys);
}

void TQvZoomSettings::SetHScrollbarVisible(bool Value) {
    SetUndoable(FUndoStack, this, FHScrollbarVisible, Value, "HScrollbarVisible",
                SZoomHScrollbarVisible);
}

void TQvZoomSettings::SetVScrollbarVisible(bool Value) {
    SetUndoable(FUndoStack, this, FVScrollbarVisible, Value, "VScrollbarVisible",
                SZoomVScrollbarVisible);
}

void TQvZoomSettings::SetScrollSmallIncrement(TQvScrollIncrement Value) {
    SetUndoable(FUndoStack, this, FScrollSmallIncrement, Value, "ScrollSmallIncrement",
                SZoomSmallIncrement);
}

void TQvZoomSettings::SetScrollLargeIncrement(TQvScrollIncrement Value) {
    SetUndoable(FUndoStack, this, FScrollLargeIncrement, Value, "ScrollLargeIncrement",
                SZoomLargeIncrement);
}

bool TQvZoomSettings::GetCanZoomBack() const {
    return FParentGraph->GetCanZoomBack();
}

bool TQvZoomSettings::GetCanRedoZoom() const {
    return FParentGraph->GetCanRedoZoom();
}

int TQvZoomSettings::GetZoomStage() const {
    return FParentGraph->GetZoomStage();
}

int TQvZoomSettings::GetZoomBufferSize() const {
    return FParentGraph->GetZoomBufferSize();
}

const TNotifyEvent& TQvZoomSettings::GetOnBeginZoom() const {
    return FParentGraph->GetOnBeginZoom();
}

void TQvZoomSettings::SetOnBeginZoom(const TNotifyEvent& Value) {
    FParentGraph->SetOnBeginZoom(Value);
}

const TNotifyEvent& TQvZoomSettings::GetOnEndZoom() const {
    return FParentGraph->GetOnEndZoom();
}

void TQvZoomSettings::SetOnEndZoom(const TNotifyEvent& Value) {
    FParentGraph->SetOnEndZoom(Value);
}

const TNotifyEvent& TQvZoomSettings::GetOnBeginPanning() const {
    return FParentGraph->GetOnBeginPanning();
}

void TQvZoomSettings::SetOnBeginPanning(const TNotifyEvent& Value) {
    FParentGraph->SetOnBeginPanning(Value);
}

const TNotifyEvent& TQvZoomSettings::GetOnEndPanning() const {
    return FParentGraph->GetOnEndPanning();
}

void TQvZoomSettings::SetOnEndPanning(const TNotifyEvent& Value) {
    FParentGraph->SetOnEndPanning(Value);
}

void TQvZoomSettings::Assign(TPersistent* Source) {
    auto* Other = qobject_cast<TQvZoomSettings*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    // Fields, not setters: the two start states may pass through equal values on the way.
    FAuto = Other->FAuto;
    FBufferType = Other->FBufferType;
    FOptimizeSeries = Other->FOptimizeSeries;
    FBackOnClickBeside = Other->FBackOnClickBeside;
    FBackOnRightBottomLeftTopFrame = Other->FBackOnRightBottomLeftTopFrame;
    FResetOnDoubleClickBeside = Other->FResetOnDoubleClickBeside;
    FResetOnRightBottomLeftTopFrame = Other->FResetOnRightBottomLeftTopFrame;
    FZoomShift = Other->FZoomShift;
    FPanningShift = Other->FPanningShift;
    FPanningCursor = Other->FPanningCursor;
    FHScrollbarVisible = Other->FHScrollbarVisible;
    FVScrollbarVisible = Other->FVScrollbarVisible;
    FScrollSmallIncrement = Other->FScrollSmallIncrement;
    FScrollLargeIncrement = Other->FScrollLargeIncrement;
}

// ---- TQvGraph2D ----

TQvGraph2D::TQvGraph2D(TComponent* AOwner)
    : TQvCustomGraph(AOwner), FDataAreaColor(NamedColor("Transparent")),
      FDataAreaFrame(NewLine([this] { StyleChanged(); }, "Black")),
      FDataAreaGradient(std::make_unique<TQvGradientSettings>([this] { StyleChanged(); })),
      FMajorGridHorizontal(NewLine([this] { StyleChanged(); }, "Green")),
      FMinorGridHorizontal(NewLine([this] { StyleChanged(); }, "Gray")),
      FMajorGridVertical(NewLine([this] { StyleChanged(); }, "Green")),
      FMinorGridVertical(NewLine([this] { StyleChanged(); }, "Gray")),
      FZoom(std::make_unique<TQvZoomSettings>(this)) {
    FRecalculate = true;
    GetCaptionFont()->SetFillColor(NamedColor("Black"));
}

TQvGraph2D::~TQvGraph2D() {
    Destroying();
    // Series and graphs coupled to this one refer to it: they must not reach it while it goes.
    for (TQvSeries* Series : std::as_const(FRelatedSeries))
        Series->ForgetGraph(this);
    if (const TComponent* Owner = GetOwner())
        for (int i = 0; i < Owner->ComponentCount(); ++i)
            if (auto* Other = qobject_cast<TQvGraph2D*>(Owner->Components(i)))
                Other->FChildGraphs.removeAll(this);
}

void TQvGraph2D::StyleChanged() {
    Invalidate();
}

void TQvGraph2D::SetDataAreaColor(TQvColor Value) {
    if (SetUndoable(FUndoStack, this, FDataAreaColor, Value, "DataAreaColor", SGraphDataAreaColor))
        Invalidate();
}

void TQvGraph2D::SetDistanceBorderAxisTop(float Value) {
    if (SetUndoable(FUndoStack, this, FDistanceBorderAxisTop, Value, "DistanceBorderAxisTop",
                    SGraphBorderTop))
        Modified();
}

void TQvGraph2D::SetDistanceBorderAxisBottom(float Value) {
    if (SetUndoable(FUndoStack, this, FDistanceBorderAxisBottom, Value, "DistanceBorderAxisBottom",
                    SGraphBorderBottom))
        Modified();
}

void TQvGraph2D::SetDistanceBorderAxisLeft(float Value) {
    if (SetUndoable(FUndoStack, this, FDistanceBorderAxisLeft, Value, "DistanceBorderAxisLeft",
                    SGraphBorderLeft))
        Modified();
}

void TQvGraph2D::SetDistanceBorderAxisRight(float Value) {
    if (SetUndoable(FUndoStack, this, FDistanceBorderAxisRight, Value, "DistanceBorderAxisRight",
                    SGraphBorderRight))
        Modified();
}

void TQvGraph2D::SetPrimaryXAxis(TQvAxis* Value) {
    SetPrimaryAxis(FPrimaryXAxis, Value, "PrimaryXAxis", SGraphPrimaryXAxis);
}

void TQvGraph2D::SetPrimaryYAxis(TQvAxis* Value) {
    SetPrimaryAxis(FPrimaryYAxis, Value, "PrimaryYAxis", SGraphPrimaryYAxis);
}

void TQvGraph2D::SetPrimaryAxis(TQvAxis*& Field, TQvAxis* Value, const char* PropName,
                                const TResourceString& Caption) {
    if (Field == Value) return;
    if (FUndoStack) FUndoStack->PushProperty(this, Caption.Text(), QString::fromLatin1(PropName));
    ReplaceReference(this, Field, Value);
    Modified();
}

void TQvGraph2D::SetZeroOrigin(bool Value) {
    if (SetUndoable(FUndoStack, this, FZeroOrigin, Value, "ZeroOrigin", SGraphZeroOrigin))
        Modified();
}

// ---- Registries ----

bool TQvGraph2D::ContainsSeries(const TQvSeries* Series) const {
    return FRelatedSeries.contains(Series);
}

void TQvGraph2D::AddSeries(TQvSeries* Series) {
    if (FRelatedSeries.contains(Series)) return;
    FRelatedSeries.append(Series);
    Series->FreeNotification(this);
    // A series read from a store keeps the colours it was saved with.
    if (FTheme && !Series->IsLoading() && !IsLoading() && !FLoding)
        FTheme->Apply(Series, FNextSeriesColor++);
}

void TQvGraph2D::ApplyTheme(const TQvTheme& Theme) {
    Theme.Apply(this);
}

void TQvGraph2D::ApplyTheme() {
    ApplyTheme(TQvTheme::Default());
}

void TQvGraph2D::TakeSeriesColors(const TQvTheme& Theme) {
    if (FTheme.get() != &Theme) FTheme = std::make_unique<TQvTheme>(Theme);
    SortLayers();
    FNextSeriesColor = 0;
    for (TQvSeries* Series : std::as_const(FRelatedSeries))
        FTheme->Apply(Series, FNextSeriesColor++);
}

void TQvGraph2D::RemoveSeries(TQvSeries* Series) {
    FRelatedSeries.removeAll(Series);
}

void TQvGraph2D::AddRelatedLegend(TControl* Legend) {
    if (FRelatedLegends.contains(Legend)) return;
    FRelatedLegends.append(Legend);
    Legend->FreeNotification(this);
}

void TQvGraph2D::RemoveRelatedLegend(TControl* Legend) {
    FRelatedLegends.removeAll(Legend);
}

QList<TQvAxis*> TQvGraph2D::ChildAxes() const {
    QList<TQvAxis*> Result;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* Axis = qobject_cast<TQvAxis*>(Controls(i))) Result.append(Axis);
    return Result;
}

TQvGraph2D* TQvGraph2D::ParentOfXAxis() const {
    return FPrimaryXAxis ? qobject_cast<TQvGraph2D*>(FPrimaryXAxis->GetParent()) : nullptr;
}

std::unique_ptr<QList<TQvDoubleVector*>> TQvGraph2D::GetVectorsList() const {
    auto List = std::make_unique<QList<TQvDoubleVector*>>();
    for (const TQvSeries* Series : FRelatedSeries) {
        if (Series->GetName().isEmpty()) continue;
        for (TQvCustomDoubleVector* Data : {Series->GetXData(), Series->GetYData()}) {
            auto* Vector = qobject_cast<TQvDoubleVector*>(Data);
            if (Vector && !Vector->GetName().isEmpty() && !List->contains(Vector))
                List->append(Vector);
        }
    }
    return List;
}

void TQvGraph2D::Notification(TComponent* AComponent, TOperation Operation) {
    TQvCustomGraph::Notification(AComponent, Operation);
    if (Operation != TOperation::Remove || !AComponent) return;
    // The registries forget also while this graph goes: its destructor walks them.
    const bool SeriesRemoved = RemoveReferences(FRelatedSeries, AComponent);
    RemoveReferences(FRelatedLegends, AComponent);
    RemoveReferences(FChildGraphs, AComponent);
    ForgetAxis(AComponent);
    if (SeriesRemoved && !IsDestroying()) {
        SeriesModified();
        LegendsModified();
    }
}

void TQvGraph2D::ForgetAxis(const TComponent* Axis) {
    RemoveReferences(FAxes, Axis);
    if (static_cast<const TComponent*>(FPrimaryXAxis) == Axis) FPrimaryXAxis = nullptr;
    if (static_cast<const TComponent*>(FPrimaryYAxis) == Axis) FPrimaryYAxis = nullptr;
    for (TQvGraph2D* Child : std::as_const(FChildGraphs))
        Child->ForgetAxis(Axis);
}

// ---- Update cycle ----

void TQvGraph2D::Modified() {
    FRecalculate = true;
    const QList<TQvAxis*> Axes = ChildAxes();
    if (!Axes.isEmpty()) Axes.front()->Modified();
    Invalidate();
}

void TQvGraph2D::Calculate() {
    if (Updating() || !FPrimaryXAxis || !FPrimaryYAxis) return;
    const TCursor Saved = Screen()->GetCursor();
    Screen()->SetCursor(crHourGlass);
    const auto RestoreCursor = qScopeGuard([Saved] { Screen()->SetCursor(Saved); });
    CheckCoupled();
    SortLayers();
    // The title font may have changed its size or face since the caption was parsed.
    MeasureTitle();
    if (FPrimaryXAxis->GetParent() == this) FPrimaryXAxis->Calculate();
    for (TQvSeries* Series : std::as_const(FRelatedSeries))
        Series->TestVisibleChanged();
    FRecalculate = false;
    Invalidate();
}

void TQvGraph2D::SeriesModified() {
    if (IsDestroying()) return;
    for (TQvSeries* Series : std::as_const(FRelatedSeries))
        Series->PointsModified();
    if (!FPanDragging) Invalidate();
}

void TQvGraph2D::LegendsModified() {
    if (IsDestroying()) return;
    if (FIsCoupledGraph) {
        if (TQvGraph2D* Parent = ParentOfXAxis()) Parent->LegendsModified();
    }
    RepaintLegends();
}

void TQvGraph2D::RepaintLegends() {
    if (FHasChildGraphs)
        for (const TQvGraph2D* Child : std::as_const(FChildGraphs))
            for (TControl* Legend : Child->FRelatedLegends)
                Legend->Repaint();
    for (TControl* Legend : std::as_const(FRelatedLegends))
        Legend->Repaint();
}

QScopedValueRollback<bool> TQvGraph2D::AxisPass() {
    return QScopedValueRollback<bool>(FAxisPassRunning, true);
}

void TQvGraph2D::TestSeriesAndAxis() {
    for (TQvSeries* Series : std::as_const(FRelatedSeries)) {
        if (!Series->GetAutoUpdate() || !Series->SeriesVisible()) continue;
        Series->CheckDBVectors();
        Series->Calculate();
    }
    for (TQvAxis* Axis : ChildAxes())
        Axis->GetNewRanges();
}

void TQvGraph2D::SortLayers() {
    const int n = SeriesCount();
    for (int i = 0; i < n; ++i) {
        int Smallest = FRelatedSeries[i]->FLayer;
        int Found = -1;
        for (int j = i + 1; j < n; ++j) {
            if (FRelatedSeries[j]->FLayer < Smallest) {
                Smallest = FRelatedSeries[j]->FLayer;
                Found = j;
            }
        }
        if (Found >= 0) FRelatedSeries.swapItemsAt(i, Found);
    }
    for (int i = 0; i < n; ++i)
        FRelatedSeries[i]->FLayer = i;
}

void TQvGraph2D::CheckCoupled() {
    if (FLoding || IsLoading()) return;
    FAxes = ChildAxes();
    FChildGraphs.clear();
    FHasChildGraphs = false;
    FIsCoupledGraph = false;
    if (!FPrimaryXAxis) return;
    if (!FAxes.contains(FPrimaryXAxis)) {
        FIsCoupledGraph = true;
        FAxes.append(FPrimaryXAxis);
        return;
    }
    const TComponent* Owner = GetOwner();
    for (int i = 0; Owner && i < Owner->ComponentCount(); ++i) {
        auto* Other = qobject_cast<TQvGraph2D*>(Owner->Components(i));
        if (Other && Other != this && Other->FPrimaryXAxis == FPrimaryXAxis) {
            FChildGraphs.append(Other);
            FHasChildGraphs = true;
        }
    }
}

TQvAxis* TQvGraph2D::CreatePrimaryAxis(TQvAxisPosition Position, const QString& BaseName,
                                       const QString& Caption) {
    TComponent* Owner = GetOwner();
    auto* Axis = new TQvAxis(Owner);
    Axis->SetPosition(Position);
    Axis->SetAutoSize(true);
    Axis->SetName(UniqueName(Owner, BaseName));
    Axis->SetCaption(Caption);
    Axis->SetParent(this);
    Axis->SetUndoStack(FUndoStack);
    Axis->FreeNotification(this);
    return Axis;
}

void TQvGraph2D::TestPrimaryAxis() {
    const QScopedValueRollback<bool> Guard(FDoingPrimary, true);
    if (!FPrimaryXAxis) {
        FPrimaryXAxis = CreatePrimaryAxis(TQvAxisPosition::Bottom, QStringLiteral("XAxis"),
                                          SDefaultXAxisCaption.Text());
        FPrimaryXAxis->SetWidth(GetWidth());
    }
    if (!FPrimaryYAxis) {
        FPrimaryYAxis = CreatePrimaryAxis(TQvAxisPosition::Left, QStringLiteral("YAxis"),
                                          SDefaultYAxisCaption.Text());
        FPrimaryYAxis->SetHeight(GetHeight());
        FPrimaryYAxis->Calculate();
    }
    if (FPrimaryYAxis->GetHorizontal()) FPrimaryYAxis->SetPosition(TQvAxisPosition::Left);
    if (!FPrimaryXAxis->GetHorizontal()) FPrimaryXAxis->SetPosition(TQvAxisPosition::Bottom);
}

void TQvGraph2D::UndoPushSeriesVectors() {
    if (!FUndoStack || !FUndoStack->GetEnabled()) return;
    const QString Caption = SGraphSeriesData.Text();
    FUndoStack->StartGroup(Caption);
    const auto Vectors = GetVectorsList();
    for (TQvDoubleVector* Vector : *Vectors)
        FUndoStack->PushVectorState(Vector, Caption);
    FUndoStack->StopGroup();
}

void TQvGraph2D::RepaintChildGraphs() {
    TQvGraph2D* Root = FIsCoupledGraph ? ParentOfXAxis() : this;
    if (!Root || !Root->FHasChildGraphs) return;
    for (TQvGraph2D* Child : std::as_const(Root->FChildGraphs))
        Child->Repaint();
    Root->Repaint();
}

void TQvGraph2D::SetHighQuality(TGPGraphics* Graphics, bool HighQuality) const {
    TGPSmoothingMode Mode = TGPSmoothingMode::None;
    if (HighQuality) {
        switch (GetSmoothingMode()) {
        case TQvSmoothingMode::None:
            Mode = TGPSmoothingMode::None;
            break;
        case TQvSmoothingMode::HighSpeed:
            Mode = TGPSmoothingMode::HighSpeed;
            break;
        case TQvSmoothingMode::AntiAlias:
            Mode = TGPSmoothingMode::AntiAlias;
            break;
        case TQvSmoothingMode::HighQuality:
            Mode = TGPSmoothingMode::HighQuality;
            break;
        }
    }
    Graphics->SetSmoothingMode(Mode);
}

void TQvGraph2D::PaintGr(TGPGraphics* Graphics) {
    if (FOnce) {
        TestPrimaryAxis();
        SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
        FOnce = false;
    }
    if (!FPrimaryXAxis || !FPrimaryYAxis) return;
    TestSeriesAndAxis();
    if (FRecalculate) Calculate();
    // One pass recalculates every axis of the graph that owes it.
    for (TQvAxis* Axis : ChildAxes()) {
        if (Axis->NeedsRecalculate()) {
            Axis->Calculate();
            break;
        }
    }
    const std::optional<TBackWall> Wall = BackWall();
    const TGPRectF Client{0, 0, float(GetWidth()), float(GetHeight())};
    SetHighQuality(Graphics, false);
    Graphics->FillRectangle(TGPSolidBrush(GetBackColor()), Client);
    if (FBackgroundGradient->GetVisible())
        Graphics->FillRectangle(*FBackgroundGradient->GetBrush(Client), Client);
    PaintDataArea(Graphics, Wall);
    if (GetCaptionVisible()) {
        PlaceTitle();
        SetHighQuality(Graphics, true);
        FTitleRec->PaintGr(Graphics);
    }
    PaintGrids(Graphics, Wall);
    PaintSeries(Graphics, [Graphics](TQvSeries* Series) { Series->PaintGr(Graphics); });
    if (FDataAreaFrame->GetVisible()) {
        SetHighQuality(Graphics, false);
        Graphics->DrawRectangle(*FDataAreaFrame->GetPen(FDrawingArea), FDrawingArea);
    }
    SetHighQuality(Graphics, false);
    PaintAxes(Graphics);
    // Symbols above lines, fills and axes; legends above everything.
    PaintSeries(Graphics, [Graphics](TQvSeries* Series) { Series->DrawSymbols(Graphics); });
    PaintLegends(Graphics);
}

void TQvGraph2D::PaintSeries(TGPGraphics* Graphics, const std::function<void(TQvSeries*)>& Paint) {
    if (FRelatedSeries.isEmpty()) return;
    SetHighQuality(Graphics, true);
    const TGPRegion Saved = Graphics->GetClip();
    for (TQvSeries* Series : std::as_const(FRelatedSeries)) {
        const std::optional<TGPRectF> Clip = SeriesClip(Series);
        if (Clip) Graphics->IntersectClip(*Clip);
        Paint(Series);
        if (Clip) Graphics->SetClip(Saved);
    }
}

// A series is cut only at the ends where its own values go beyond its own axes' ranges,
// whatever made the range (a zoom, fixed ends): inside them nothing is cut, so symbols at the
// ends keep their overhang, and a series beyond the range of one axis cuts no other series.
std::optional<TGPRectF> TQvGraph2D::SeriesClip(const TQvSeries* Series) const {
    float Left = 0, Top = 0, Right = float(GetWidth()), Bottom = float(GetHeight());
    const TGPRectF& A = FDrawingArea;
    bool Clipped = false;
    auto Cut = [&](const TQvAxis* Axis, double DataStart, double DataStop) {
        if (!Axis || DataStart > DataStop) return; // no data
        const double Eps = std::abs(Axis->GetStop() - Axis->GetStart()) * 1e-8;
        const bool CutsStart = Axis->GetStart() - Eps > DataStart;
        const bool CutsStop = Axis->GetStop() + Eps < DataStop;
        if (!CutsStart && !CutsStop) return;
        Clipped = true;
        // The start lies left (at the bottom) unless the axis is twisted.
        const bool Twisted = Axis->GetTwisted();
        const bool CutsLow = Twisted ? CutsStop : CutsStart;
        const bool CutsHigh = Twisted ? CutsStart : CutsStop;
        if (Axis->GetHorizontal()) {
            if (CutsLow) Left = A.X;
            if (CutsHigh) Right = A.X + A.Width;
        } else {
            if (CutsLow) Bottom = A.Y + A.Height;
            if (CutsHigh) Top = A.Y;
        }
    };
    Cut(Series->GetXAxis(), Series->GetXStart(), Series->GetXStop());
    Cut(Series->GetYAxis(), Series->GetYStart(), Series->GetYStop());
    if (!Clipped) return std::nullopt;
    return TGPRectF{Left, Top, Right - Left, Bottom - Top};
}

void TQvGraph2D::PlaceTitle() {
    TQvContentAlignment Align = TQvContentAlignment::TopCenter;
    float AnchorX = float(GetWidth()) / 2;
    if (GetCaptionAlignment() == TAlignment::taLeftJustify) {
        Align = TQvContentAlignment::TopLeft;
        AnchorX = FDistanceBorderAxisLeft;
    } else if (GetCaptionAlignment() == TAlignment::taRightJustify) {
        Align = TQvContentAlignment::TopRight;
        AnchorX = float(GetWidth()) - FDistanceBorderAxisRight;
    }
    // The lines of the title are aligned when it is parsed.
    if (!FTitleRec->Parsed() || FTitleRec->GetAlign() != Align) {
        FTitleRec->SetAlign(Align);
        MeasureTitle();
    }
    FTitleRec->SetAnchor(AnchorX, GetCaptionDistanceBefore());
}

void TQvGraph2D::Paint(QPainter& Canvas) {
    if (FZoomDragging && !FFrameBackground.isNull()) {
        Canvas.drawImage(QPoint(0, 0), FFrameBackground);
        Canvas.setPen(QPen(Qt::black, 1, Qt::DotLine));
        Canvas.setBrush(Qt::NoBrush);
        Canvas.drawRect(QRect(FDragStart, FLastDrag).normalized());
        return;
    }
    // A partial paint leaves artefacts in lines drawn on the device and in hatched areas, so
    // one full repaint follows it.
    const QRect Clip =
        Canvas.hasClipping() ? Canvas.clipBoundingRect().toAlignedRect() : GetClientRect();
    if (FLastClip.right() <= 0) FLastClip = Clip;
    if (!IsDesigning() && !FDoRepaint) {
        auto Any = [this](auto Test) {
            return std::any_of(FRelatedSeries.begin(), FRelatedSeries.end(),
                               [&](TQvSeries* S) { return S->SeriesVisible() && Test(S); });
        };
        if ((Clip.left() < FLastClip.left() || Clip.bottom() > FLastClip.bottom()) &&
            Any([](TQvSeries* S) { return S->CanDoCanvasDraw(); }))
            FDoRepaint = true;
        if (!FDoRepaint && (Clip.left() != FLastClip.left() || Clip.right() != FLastClip.right()) &&
            Any([](TQvSeries* S) { return S->GetArea()->GetVisible() && !S->GetArea()->Solid(); }))
            FDoRepaint = true;
    }
    FLastClip = Clip;
    {
        // The calculation at the start of the paint is drawn by this very paint.
        const QScopedValueRollback<bool> Painting(FPaintShowsChanges, true);
        TGPGraphics Graphics(&Canvas);
        PaintGr(&Graphics);
    }
    TQvCustomGraph::Paint(Canvas); // the border above the background
    if (FDoRepaint) {
        FDoRepaint = false;
        Invalidate();
    }
}

bool TQvGraph2D::PaintsOpaque() const {
    return qAlpha(GetBackColor()) == 255;
}

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
            const bool Log = Axis->GetHasLogScaling();
            FInitialStarts.push_back(Log ? std::log10(Axis->GetStart()) : Axis->GetStart());
            FInitialStops.push_back(Log ? std::log10(Axis->GetStop()) : Axis->GetStop());
        }
        if (FOnBeginPanning) FOnBeginPanning(this);
    }
}

void TQvGraph2D::MouseMove(TShiftState Shift, int X, int Y) {
    TQvCustomGraph::MouseMove(Shift, X, Y);
    FLastDrag = QPoint(X, Y);
    if (FZoomDragging)
        Invalidate();
    else if (FPanDragging)
        Pan(X, Y);
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
        const bool Log = Axis->GetHasLogScaling();
        const auto Back = [Log](double v) { return Log ? Qvmath::Exp10(v) : v; };
        const double Start = Back(FInitialStarts[size_t(k)] + d);
        const double Stop = Back(FInitialStops[size_t(k)] + d);
        if (Start >= Axis->GetScrollStart() && Stop <= Axis->GetScrollStop())
            Axis->SetStartStop(Start, Stop);
    }
    SeriesModified();
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

// ---- Framework ----

void TQvGraph2D::SetUndoStack(TQvUndoStack* Value) {
    if (FUndoStack == Value) return;
    TQvCustomGraph::SetUndoStack(Value);
    FZoom->SetUndoStack(Value);
    for (TQvSeries* Series : std::as_const(FRelatedSeries))
        Series->SetUndoStack(Value);
    for (TQvAxis* Axis : ChildAxes())
        Axis->SetUndoStack(Value);
    for (TQvStyleSettings* Settings : std::initializer_list<TQvStyleSettings*>{
             FMajorGridHorizontal.get(), FMinorGridHorizontal.get(), FMajorGridVertical.get(),
             FMinorGridVertical.get(), FDataAreaFrame.get(), FDataAreaGradient.get(),
             FBackgroundGradient.get()})
        Settings->SetUndoStack(Value);
}

void TQvGraph2D::SetName(const QString& NewName) {
    const bool Dropped = GetName().isEmpty() && !NewName.isEmpty() && IsDesigning() && !IsLoading();
    TQvCustomGraph::SetName(NewName);
    if (!Dropped) return;
    for (TQvLineSettings* Grid : {FMajorGridHorizontal.get(), FMajorGridVertical.get()})
        Grid->SetDashStyle(TGPDashStyle::Dash);
    for (TQvLineSettings* Grid : {FMinorGridHorizontal.get(), FMinorGridVertical.get()})
        Grid->SetDashStyle(TGPDashStyle::Dot);
    FBackgroundGradient->SetLinearAngle(90);
    FDataAreaGradient->SetLinearAngle(90);
    FZoom->SetUndoStack(FUndoStack);
    for (TQvAxis* Axis : {FPrimaryXAxis, FPrimaryYAxis})
        if (Axis && !Axis->GetUndoStack()) Axis->SetUndoStack(FUndoStack);
}

void TQvGraph2D::BoundsChanged() {
    if (FPrimaryYAxis) FPrimaryYAxis->CheckResize();
    if (FPrimaryXAxis) FPrimaryXAxis->CheckResize();
}
