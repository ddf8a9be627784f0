#include "graph/qvgraph2d.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "data/qvvectors.h"
#include "framework/qvbothcores.h"
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
#include <map>
#include <optional>
#include <set>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {

std::unique_ptr<TQvLineSettings> NewLine(ModifiedCallback Callback, const char* Color) {
    auto Line = std::make_unique<TQvLineSettings>();
    Line->SetVisible(false);
    Line->SetColor(ColorToARGB(QString::fromLatin1(Color)));
    Line->SetModifiedCallback(std::move(Callback));
    return Line;
}

} // namespace

// ---- TQvCustomGraph ----

TQvCustomGraph::TQvCustomGraph(TComponent* AOwner)
    : TCustomPanel(AOwner),
      FBackgroundGradient(std::make_unique<TQvGradientSettings>([this] { Invalidate(); })),
      FBackColor(ColorToARGB(QStringLiteral("Transparent"))) {
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

TGPSmoothingMode TQvCustomGraph::HighQualityMode() const {
    switch (GetSmoothingMode()) {
    case TQvSmoothingMode::HighSpeed:
        return TGPSmoothingMode::HighSpeed;
    case TQvSmoothingMode::AntiAlias:
        return TGPSmoothingMode::AntiAlias;
    case TQvSmoothingMode::HighQuality:
        return TGPSmoothingMode::HighQuality;
    default:
        return TGPSmoothingMode::None;
    }
}

void TQvCustomGraph::SetHighQuality(TGPGraphics* Graphics, bool HighQuality) const {
    Graphics->SetSmoothingMode(HighQuality ? HighQualityMode() : TGPSmoothingMode::None);
}

void TQvCustomGraph::PlaceTitle(float LeftX, float CenterX, float RightX) {
    TQvContentAlignment Align = TQvContentAlignment::TopCenter;
    float AnchorX = CenterX;
    if (GetCaptionAlignment() == TAlignment::taLeftJustify) {
        Align = TQvContentAlignment::TopLeft;
        AnchorX = LeftX;
    } else if (GetCaptionAlignment() == TAlignment::taRightJustify) {
        Align = TQvContentAlignment::TopRight;
        AnchorX = RightX;
    }
    // The lines of the title are aligned when it is parsed.
    if (!FTitleRec->Parsed() || FTitleRec->GetAlign() != Align) {
        FTitleRec->SetAlign(Align);
        MeasureTitle();
    }
    FTitleRec->SetAnchor(AnchorX, GetCaptionDistanceBefore());
}

void TQvCustomGraph::PaintBackground(TGPGraphics* Graphics) const {
    const TGPRectF Client{0, 0, float(GetWidth()), float(GetHeight())};
    SetHighQuality(Graphics, false);
    Graphics->FillRectangle(TGPSolidBrush(GetBackColor()), Client);
    if (FBackgroundGradient->GetVisible())
        Graphics->FillRectangle(*FBackgroundGradient->GetBrush(Client), Client);
}

void TQvCustomGraph::PaintAt(TGPGraphics* Graphics, const TControl* Control,
                             const std::function<void()>& Paint) {
    const TGPMatrix Saved = Graphics->GetTransform();
    TGPMatrix Moved = Saved;
    Moved.Translate(float(Control->GetLeft()), float(Control->GetTop()));
    Graphics->SetTransform(Moved);
    Paint();
    Graphics->SetTransform(Saved);
}

void TQvCustomGraph::PaintDrawnControls(TGPGraphics* Graphics, const TControl* Skipped) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* Control = Controls(i);
        auto* Drawn = dynamic_cast<TQvGraphDrawn*>(Control);
        if (!Drawn || !Control->GetVisible() || Control == Skipped) continue;
        PaintAt(Graphics, Control, [&] { Drawn->PaintGr(Graphics); });
    }
    SetHighQuality(Graphics, false);
}

// ---- TQvGraph2D ----

TQvGraph2D::TQvGraph2D(TComponent* AOwner)
    : TQvCustomGraph(AOwner), FDataAreaColor(ColorToARGB(QStringLiteral("Transparent"))),
      FDataAreaFrame(NewLine([this] { StyleChanged(); }, "Black")),
      FDataAreaGradient(std::make_unique<TQvGradientSettings>([this] { StyleChanged(); })),
      FMajorGridHorizontal(NewLine([this] { StyleChanged(); }, "Green")),
      FMinorGridHorizontal(NewLine([this] { StyleChanged(); }, "Gray")),
      FMajorGridVertical(NewLine([this] { StyleChanged(); }, "Green")),
      FMinorGridVertical(NewLine([this] { StyleChanged(); }, "Gray")),
      FZoom(std::make_unique<TQvZoomSettings>(this)) {
    FRecalculate = true;
    GetCaptionFont()->SetFillColor(ColorToARGB(QStringLiteral("Black")));
}

TQvGraph2D::~TQvGraph2D() {
    Destroying();
    // Series and graphs coupled to this one refer to it: they must not reach it while it goes.
    for (TQvSeries* Series : std::as_const(FRelatedSeries))
        Series->ForgetGraph(this);
    // So must its legends: those that are its child controls go only after this part of it.
    for (TControl* Legend : QList<TControl*>(FRelatedLegends))
        Legend->Notification(this, TOperation::Remove);
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
    // The graph that holds an axis shared with this one finds its coupled graphs anew.
    const auto TellHolder = [this](const TQvAxis* Axis) {
        auto* Holder = Axis ? qobject_cast<TQvGraph2D*>(Axis->GetParent()) : nullptr;
        if (Holder && Holder != this) Holder->Modified();
    };
    TellHolder(Field);
    ReplaceReference(this, Field, Value);
    TellHolder(Value);
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
        for (TQvCustomDoubleVector* Data : Series->DataVectors()) {
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
    if (AComponent == FDraggedControl) EndControlDrag();
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
    // The series of the graphs coupled to this one's X axis report to that axis too: they
    // calculate before it takes its range, or the first paints would leave them out.
    if (FRecalculate) CheckCoupled();
    const auto Test = [](const QList<TQvSeries*>& Series) {
        for (TQvSeries* S : Series) {
            if (!S->GetAutoUpdate() || !S->SeriesVisible()) continue;
            S->CheckDBVectors();
            S->Calculate();
        }
    };
    Test(FRelatedSeries);
    for (const TQvGraph2D* Child : std::as_const(FChildGraphs))
        Test(Child->FRelatedSeries);
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
    if (n > 1)
        for (TQvSeries* Series : std::as_const(FRelatedSeries))
            Series->LayersSorted();
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

void TQvGraph2D::PaintGr(TGPGraphics* Graphics) {
    if (FOnce) {
        TestPrimaryAxis();
        SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
        FOnce = false;
    }
    if (!FPrimaryXAxis || !FPrimaryYAxis) return;
    SummarizeVectors();
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
    PaintBackground(Graphics);
    PaintDataArea(Graphics, Wall);
    if (GetCaptionVisible()) {
        PlaceTitle();
        SetHighQuality(Graphics, true);
        FTitleRec->PaintGr(Graphics);
    }
    PaintGrids(Graphics, Wall);
    MakeOwedPoints();
    PaintSeries(Graphics, FLineLayer, &TQvSeries::PaintGr);
    if (FDataAreaFrame->GetVisible()) {
        SetHighQuality(Graphics, false);
        Graphics->DrawRectangle(*FDataAreaFrame->GetPen(FDrawingArea), FDrawingArea);
    }
    SetHighQuality(Graphics, false);
    PaintAxes(Graphics);
    // Symbols above lines, fills and axes; legends above everything.
    PaintSeries(Graphics, FSymbolLayer, &TQvSeries::DrawSymbols);
    // The control being dragged is drawn over the chart as painted without it.
    PaintDrawnControls(Graphics, FDraggedControl);
    PlaceScrollBars();
}

void TQvGraph2D::PaintSeries(TGPGraphics* Graphics, TQvSeriesLayer& Layer,
                             void (TQvSeries::*Paint)(TGPGraphics*)) {
    if (FRelatedSeries.isEmpty()) return;
    SetHighQuality(Graphics, true);
    const auto DrawAll = [&](TGPGraphics* Target) {
        const TGPRegion Saved = Target->GetClip();
        for (TQvSeries* Series : std::as_const(FRelatedSeries)) {
            const std::optional<TGPRectF> Clip = SeriesClip(Series);
            if (Clip) Target->IntersectClip(*Clip);
            (Series->*Paint)(Target);
            if (Clip) Target->SetClip(Saved);
        }
    };
    // Below this many points drawing costs less than copying the graph's pixels.
    constexpr std::size_t LayerMinimum = 20000;
    TQvSeriesLayer::TKey Key{{}, FDrawingArea, int(Graphics->GetSmoothingMode()), FDoingImage};
    std::size_t Points = 0;
    bool Keepable = true;
    const bool Symbols = Paint == &TQvSeries::DrawSymbols;
    for (TQvSeries* Series : std::as_const(FRelatedSeries)) {
        Keepable = Keepable && Series->AddPaintState(Key.Series);
        // Only what this pass draws weighs: symbols, or lines and areas.
        const bool Drawn = Symbols
                               ? Series->GetPointSymbol()->GetVisible()
                               : Series->GetLine()->GetVisible() || Series->GetArea()->GetVisible();
        if (Drawn) Points += size_t(Series->ScreenPoints().Count());
    }
    if (!Keepable || Points < LayerMinimum) {
        Layer.Clear();
        DrawAll(Graphics);
        return;
    }
    Layer.Paint(Graphics, Key, {0, 0, float(GetWidth()), float(GetHeight())}, DrawAll);
}

namespace {
// Below this many values in all, a second thread costs more than it saves.
constexpr qint64 ShareValuesFrom = 1 << 15;
} // namespace

void TQvGraph2D::SummarizeVectors() {
    // Lines are reduced from the hierarchy of their Y values. Kept before the values are first
    // scanned, it is made in the pass of their statistics, not in a second pass.
    for (const TQvSeries* Series : std::as_const(FRelatedSeries))
        if (Series->GetYData() && Series->GetLine()->GetVisible())
            Series->GetYData()->KeepMinMaxHierarchy();
    std::vector<const TQvCustomDoubleVector*> Stale;
    std::set<const TQvCustomDoubleVector*> Seen;
    qint64 Values = 0;
    for (const TQvSeries* Series : std::as_const(FRelatedSeries))
        for (const TQvCustomDoubleVector* Vector : {Series->GetXData(), Series->GetYData()})
            if (Vector && Vector->metaObject() == &TQvDoubleVector::staticMetaObject &&
                Vector->IsChanged() &&
                std::size_t(Vector->GetCount()) < TQvMinMaxHierarchy::BothCoresFrom &&
                Seen.insert(Vector).second) {
                Stale.push_back(Vector);
                Values += Vector->GetCount();
            }
    if (Stale.size() < 2 || Values < ShareValuesFrom) return;
    ShareOutOnBothCores(
        Stale, [](const TQvCustomDoubleVector* Vector) { return Vector->GetCount(); },
        [](const TQvCustomDoubleVector* Vector) { Vector->CheckMinMax(); });
}

void TQvGraph2D::MakeOwedPoints() {
    std::map<const TQvCustomDoubleVector*, int> Uses;
    for (const TQvSeries* Series : std::as_const(FRelatedSeries)) {
        ++Uses[Series->GetXData()];
        ++Uses[Series->GetYData()];
    }
    std::vector<TQvSeries*> Owed;
    qint64 Values = 0;
    for (TQvSeries* Series : std::as_const(FRelatedSeries))
        if (Series->PointsOwed() && Series->MakesPointsAlone() && Uses[Series->GetXData()] == 1 &&
            Uses[Series->GetYData()] == 1) {
            Owed.push_back(Series);
            Values += Series->GetCount();
        }
    if (Owed.size() < 2 || Values < ShareValuesFrom) return;
    ShareOutOnBothCores(
        Owed, [](const TQvSeries* Series) { return Series->GetCount(); },
        [](TQvSeries* Series) { Series->MakeDrawing(); });
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
    TQvCustomGraph::PlaceTitle(FDistanceBorderAxisLeft, float(GetWidth()) / 2,
                               float(GetWidth()) - FDistanceBorderAxisRight);
}

void TQvGraph2D::Paint(QPainter& Canvas) {
    if ((FZoomDragging || FDraggedControl) && !FFrameBackground.isNull()) {
        Canvas.drawImage(QPoint(0, 0), FFrameBackground);
        if (FZoomDragging) {
            Canvas.setPen(QPen(Qt::black, 1, Qt::DotLine));
            Canvas.setBrush(Qt::NoBrush);
            Canvas.drawRect(QRect(FDragStart, FLastDrag).normalized());
        } else if (auto* Drawn = dynamic_cast<TQvGraphDrawn*>(FDraggedControl)) {
            TGPGraphics Graphics(&Canvas);
            SetHighQuality(&Graphics, true);
            PaintAt(&Graphics, FDraggedControl, [&] { Drawn->PaintGr(&Graphics); });
        }
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
