#include "annotations/qvlegend.h"

#include "axes/qvmath.h"
#include "framework/qvforms.h"
#include "framework/qvstringlist.h"
#include "series/qvseries.h"
#include "style/qvdrawing.h"
#include "undo/qvundostack.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace Qvlocalize;

namespace {

// Documents create legends by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvLegend>();
    return true;
}();

// A legend is never larger than this, whatever distances a record brings.
constexpr float MaxExtent = 1 << 16;
int Pixels(float Value) {
    return Qvmath::SaturatingRound(std::clamp(std::ceil(Value), 0.0f, MaxExtent));
}
// A place inside the legend, likewise bounded.
int Place(float Value) {
    return Qvmath::SaturatingRound(std::clamp(Value, -MaxExtent, MaxExtent));
}

// Captions are measured where no paint surface is at hand.
struct TMeasuringSurface {
    QImage Image{1, 1, QImage::Format_ARGB32_Premultiplied};
    TGPGraphics Graphics{&Image};
};
} // namespace

// ---- TQvCustomLegend ----

TQvCustomLegend::TQvCustomLegend(TComponent* AOwner)
    : TGraphicControl(AOwner), FCaptionFont(NewFont("Arial", 11, true, {}, [this] { Changed(); })),
      FItemFont(NewFont("Arial", 9, false, {}, [this] { Changed(); })),
      FHeading(std::make_unique<TQvRichCaptionObject>(FCaptionFont.get())),
      FBackgroundGradient(std::make_unique<TQvGradientSettings>([this] { Invalidate(); })),
      FFrame(std::make_unique<TQvLineSettings>([this] { Invalidate(); })),
      FBackColor(ColorToARGB(QStringLiteral("Transparent"))) {
    FCaptionFont->SetFillColor(ColorToARGB(QStringLiteral("ControlText")));
    FItemFont->SetFillColor(ColorToARGB(QStringLiteral("ControlText")));
    FFrame->SetColor(ColorToARGB(QStringLiteral("WindowFrame")));
    SetParentFont(false);
    SetBounds(GetLeft(), GetTop(), 120, 60);
}

TQvCustomLegend::~TQvCustomLegend() = default;

void TQvCustomLegend::SetCaption(const TQvRichCaption& Value) {
    if (Value == GetCaption()) return;
    FHeading->SetCaption(Value);
    Changed();
}

void TQvCustomLegend::SetOnDrawLegendItem(const TQvLegendItemDrawHandler& Value) {
    FOnDrawLegendItem = Value;
    Invalidate();
}

void TQvCustomLegend::SetOnGetLegendItemCaption(const TQvLegendItemCaptionEventHandler& Value) {
    FOnGetLegendItemCaption = Value;
    Changed();
}

void TQvCustomLegend::Changed() {
    FItemsValid = false;
    Invalidate();
}

TQvColor TQvCustomLegend::ItemTextColor(int) const {
    return 0;
}

int TQvCustomLegend::ItemCount() const {
    const_cast<TQvCustomLegend*>(this)->UpdateItems();
    return FCaptions.Count();
}

const TQvRichCaptionObject* TQvCustomLegend::ItemCaption(int Index) const {
    const_cast<TQvCustomLegend*>(this)->UpdateItems();
    return FCaptions.Get(Index);
}

QRect TQvCustomLegend::ItemRect(int Index) const {
    const_cast<TQvCustomLegend*>(this)->UpdateItems();
    const TItemPlace& P = FPlaces.at(size_t(Index));
    return QRect(Place(P.Left), Place(P.Top), Pixels(P.Width), Pixels(P.Height));
}

int TQvCustomLegend::ItemAt(int X, int Y) const {
    for (int i = 0; i < ItemCount(); ++i)
        if (ItemRect(i).contains(X, Y)) return i;
    return -1;
}

float TQvCustomLegend::HeadingHeight() const {
    if (!FCaptionVisible || GetCaption().isEmpty()) return 0;
    return FCaptionDistanceBefore + FHeading->GetHeight() + FCaptionDistanceAfter;
}

void TQvCustomLegend::UpdateItems() {
    if (FItemsValid) return;
    FItemsValid = true;
    CollectItems();
    TMeasuringSurface Surface;
    FHeading->ParseForSize(&Surface.Graphics, this);
    const int n = CountItems();
    FCaptions.SetCount(n);
    TQvRichCaptionObject M(FItemFont.get());
    M.SetCaption(QStringLiteral("M"));
    M.ParseForSize(&Surface.Graphics);
    FEffectiveItemHeight = std::max({FItemHeight, std::round(M.GetHeight()), SampleHeight()});
    for (int i = 0; i < n; ++i) {
        TQvRichCaptionObject* Caption = FCaptions.Get(i);
        Caption->SetFont(FItemFont.get());
        TQvRichCaption Text = ItemText(i);
        if (FOnGetLegendItemCaption) FOnGetLegendItemCaption(this, i, Text);
        Caption->SetCaption(Text);
        Caption->SetAlign(TQvContentAlignment::MiddleLeft);
        Caption->SetAngle(0);
        Caption->SetColor(ItemTextColor(i));
        Caption->ParseForSize(&Surface.Graphics, this);
    }
    PlaceItems();
}

// Items as a grid from the top-left margin (below the heading); with AutoSize the control
// takes the size of its content.
void TQvCustomLegend::PlaceItems() {
    FPlaces.assign(size_t(FCaptions.Count()), {});
    for (int i = 0; i < FCaptions.Count(); ++i) {
        TItemPlace& P = FPlaces[size_t(i)];
        P.Width = FItemWidth + FDistanceItemCaption + std::round(FCaptions.Get(i)->GetWidth());
        P.Height = std::max(FEffectiveItemHeight, FCaptions.Get(i)->GetHeight());
    }
    const float Top = FDistanceToBorder + HeadingHeight();
    // The right and bottom edge of the content.
    std::vector<float> Extent{FDistanceToBorder, Top};
    if (FItemsOrder == TQvItemsOrder::ByColumn)
        PlaceByColumn(FDistanceToBorder, Top, Extent);
    else
        PlaceByRow(FDistanceToBorder, Top, Extent);
    if (FAutoSize) {
        const float HeadingWidth = HeadingHeight() > 0 ? FHeading->GetWidth() : 0;
        const float Width =
            std::max(Extent[0], FDistanceToBorder + HeadingWidth) + FDistanceToBorder;
        SetBounds(GetLeft(), GetTop(), Pixels(Width), Pixels(Extent[1] + FDistanceToBorder));
    }
    if (FPlaces.empty() || FItemsOrder != TQvItemsOrder::ByRow) return;
    // Each row centred in the legend.
    const float Inner = float(GetWidth());
    for (size_t First = 0; First < FPlaces.size();) {
        size_t Last = First;
        while (Last + 1 < FPlaces.size() && FPlaces[Last + 1].Top == FPlaces[First].Top)
            ++Last;
        const float RowWidth = FPlaces[Last].Left + FPlaces[Last].Width - FPlaces[First].Left;
        const float Shift = (Inner - RowWidth) / 2 - FPlaces[First].Left;
        for (size_t k = First; k <= Last; ++k)
            FPlaces[k].Left += Shift;
        First = Last + 1;
    }
}

void TQvCustomLegend::PlaceByColumn(float Left, float Top, std::vector<float>& Extent) {
    float Total = 0;
    for (const TItemPlace& P : FPlaces)
        Total += P.Height + FDistanceBetweenLines;
    const float Share = Total / float(FColumns);
    float x = Left, y = Top, Column = 0, Widest = 0;
    for (size_t i = 0; i < FPlaces.size(); ++i) {
        TItemPlace& P = FPlaces[i];
        P.Left = x;
        P.Top = y;
        y += P.Height + FDistanceBetweenLines;
        Column += P.Height + FDistanceBetweenLines;
        Widest = std::max(Widest, P.Width);
        Extent[0] = std::max(Extent[0], x + P.Width);
        Extent[1] = std::max(Extent[1], P.Top + P.Height);
        if (Column >= Share - 0.5f && i + 1 < FPlaces.size()) {
            x += Widest + FDistanceBetweenColumns;
            y = Top;
            Column = Widest = 0;
        }
    }
}

void TQvCustomLegend::PlaceByRow(float Left, float Top, std::vector<float>& Extent) {
    const int n = int(FPlaces.size());
    const int PerRow = std::max(1, int(std::ceil(double(n) / FRows)));
    float x = Left, y = Top, Tallest = 0;
    for (int i = 0; i < n; ++i) {
        if (i > 0 && i % PerRow == 0) {
            x = Left;
            y += Tallest + FDistanceBetweenLines;
            Tallest = 0;
        }
        TItemPlace& P = FPlaces[size_t(i)];
        P.Left = x;
        P.Top = y;
        x += P.Width + FDistanceBetweenColumns;
        Tallest = std::max(Tallest, P.Height);
        Extent[0] = std::max(Extent[0], P.Left + P.Width);
        Extent[1] = std::max(Extent[1], P.Top + P.Height);
    }
}

void TQvCustomLegend::PaintGr(TGPGraphics* Graphics) {
    UpdateItems();
    const TGPRectF Box{0, 0, float(GetWidth()) - 1, float(GetHeight()) - 1};
    const bool Gradient = FBackgroundGradient->GetVisible();
    const std::unique_ptr<TGPBrush> Brush =
        Gradient ? FBackgroundGradient->GetBrush(Box) : std::make_unique<TGPSolidBrush>(FBackColor);
    const std::unique_ptr<TQvPen> Pen = FFrame->GetPen(Box);
    Graphics->SetSmoothingMode(TGPSmoothingMode::AntiAlias);
    DrawRoundRect(Graphics, Brush.get(), Pen.get(), Box, FCornerRounding, FFrame->GetVisible(),
                  FDropShadow, FBorderRaised, FBorderLowered);
    if (HeadingHeight() > 0) {
        const float x = FCaptionAlignment == TAlignment::taLeftJustify ? FDistanceToBorder
                        : FCaptionAlignment == TAlignment::taRightJustify
                            ? Box.Width - FDistanceToBorder
                            : Box.Width / 2;
        FHeading->SetAlign(
            FCaptionAlignment == TAlignment::taLeftJustify    ? TQvContentAlignment::TopLeft
            : FCaptionAlignment == TAlignment::taRightJustify ? TQvContentAlignment::TopRight
                                                              : TQvContentAlignment::TopCenter);
        FHeading->SetAnchor(x, FDistanceToBorder + FCaptionDistanceBefore);
        FHeading->PaintGr(Graphics);
    }
    for (int i = 0; i < FCaptions.Count(); ++i) {
        const TItemPlace& P = FPlaces[size_t(i)];
        const float Middle = P.Top + P.Height / 2;
        // Left and top, width and height, as series draw their samples.
        const TRect Sample{Place(P.Left), Place(Middle - FEffectiveItemHeight / 2),
                           Pixels(FItemWidth), Pixels(FEffectiveItemHeight)};
        const TQvLegendItemDrawArgs Args{Graphics, Sample, i};
        Graphics->SetClip(TGPRectF{float(Sample.Left), float(Sample.Top), float(Sample.Right),
                                   float(Sample.Bottom)});
        if (FOnDrawLegendItem)
            FOnDrawLegendItem(this, Args);
        else
            DrawSample(Args);
        Graphics->ResetClip();
        TQvRichCaptionObject* Caption = FCaptions.Get(i);
        Caption->SetAnchor(P.Left + FItemWidth + FDistanceItemCaption, Middle);
        Caption->PaintGr(Graphics);
    }
}

void TQvCustomLegend::Paint(QPainter& Canvas) {
    // On a graph the graph draws its legends, above its series.
    if (qobject_cast<TQvCustomGraph*>(GetParent())) return;
    TGPGraphics Graphics(&Canvas);
    PaintGr(&Graphics);
}

// ---- TQvLegend ----

TQvLegend::TQvLegend(TComponent* AOwner)
    : TQvCustomLegend(AOwner), FItemsOrderList(std::make_unique<TStringList>()) {
    FItemsOrderList->SetOnChange([this](TObject* Sender) { OrderListChanged(Sender); });
}

TQvLegend::~TQvLegend() {
    Destroying();
    if (FGraph) FGraph->RemoveRelatedLegend(this);
}

void TQvLegend::SetGraph(TQvGraph2D* Value) {
    if (FGraph == Value) return;
    if (FGraph) {
        FGraph->RemoveRelatedLegend(this);
        FGraph->Modified();
    }
    ReplaceReference(this, FGraph, Value);
    if (FGraph) {
        FGraph->AddRelatedLegend(this);
        if (!FUndoStack) SetUndoStack(FGraph->GetUndoStack());
    }
    Changed();
}

TStrings* TQvLegend::GetItemsOrderList() const {
    return FItemsOrderList.get();
}

void TQvLegend::SetItemsOrderList(TStrings* Value) {
    FItemsOrderList->Assign(Value);
}

void TQvLegend::OrderListChanged(TObject*) {
    Changed();
}

void TQvLegend::SetUndoStack(TQvUndoStack* Value) {
    ReplaceReference(this, FUndoStack, Value);
}

void TQvLegend::SetPosition(TQvLegendPosition Value) {
    if (FPosition == Value) return;
    if (FUndoStack) {
        const QString Caption = SLegendPosition.Text();
        if (FPosition == TQvLegendPosition::FreeFloating) {
            // The place it floated at comes back with the position.
            FUndoStack->StartGroup(Caption);
            for (const char* Name : {"Left", "Top", "ItemsOrder", "Position"})
                FUndoStack->PushProperty(this, Caption, QString::fromLatin1(Name));
            FUndoStack->StopGroup();
        } else {
            FUndoStack->PushProperty(this, Caption, QStringLiteral("Position"));
        }
    }
    FPosition = Value;
    if (const auto Docked = Dock())
        SetItemsOrder(Docked->Side == TSide::Bottom || Docked->Side == TSide::Top
                          ? TQvItemsOrder::ByRow
                          : TQvItemsOrder::ByColumn);
    Changed();
    if (FGraph) FGraph->Modified();
}

std::optional<TQvDocked::TDock> TQvLegend::Dock() const {
    using P = TQvLegendPosition;
    switch (FPosition) {
    case P::BottomCenterOfGraph:
        return TDock{TSide::Bottom, TAlong::GraphCenter};
    case P::BottomCenterOfAxis:
        return TDock{TSide::Bottom, TAlong::AreaCenter};
    case P::LeftCenterOfGraph:
        return TDock{TSide::Left, TAlong::GraphCenter};
    case P::LeftCenterOfAxis:
        return TDock{TSide::Left, TAlong::AreaCenter};
    case P::LeftTopOfAxis:
        return TDock{TSide::Left, TAlong::AreaStart};
    case P::TopCenterOfGraph:
        return TDock{TSide::Top, TAlong::GraphCenter};
    case P::TopCenterOfAxis:
        return TDock{TSide::Top, TAlong::AreaCenter};
    case P::RightCenterOfGraph:
        return TDock{TSide::Right, TAlong::GraphCenter};
    case P::RightCenterOfAxis:
        return TDock{TSide::Right, TAlong::AreaCenter};
    case P::RightTopOfAxis:
        return TDock{TSide::Right, TAlong::AreaStart};
    case P::FreeFloating:
        break;
    }
    return std::nullopt;
}

void TQvLegend::Changed() {
    TQvCustomLegend::Changed();
    // A docked legend's size is room the graph's layout gives it.
    if (FGraph && !FGraph->IsDestroying() && Dock() && GetParent() == FGraph) FGraph->Modified();
}

void TQvLegend::Repaint() {
    Changed();
    TQvCustomLegend::Repaint();
}

// The series of the order list first, then the others of the graph and of its coupled
// graphs, each once; a series merged into another's item draws there and has none.
std::vector<std::vector<TQvSeries*>> TQvLegend::ListSeries() const {
    std::vector<std::vector<TQvSeries*>> Items;
    if (!FGraph) return Items;
    TQvGraph2D* Root = FGraph->GetIsCoupledGraph() ? FGraph->ParentOfXAxis() : FGraph;
    if (!Root) Root = FGraph;
    std::vector<const TQvGraph2D*> Group{Root};
    for (const TQvGraph2D* Child : Root->ChildGraphs())
        Group.push_back(Child);
    std::vector<TQvSeries*> All;
    for (const TQvGraph2D* Graph : Group)
        for (int i = 0; i < Graph->SeriesCount(); ++i)
            All.push_back(Graph->Series(i));
    const auto Shown = [](const TQvSeries* Series) {
        return Series->GetIncludeInLegend() && Series->SeriesVisible();
    };
    std::vector<TQvSeries*> Order;
    for (int i = 0; i < FItemsOrderList->Count(); ++i)
        if (auto* Series = qobject_cast<TQvSeries*>(GetComponentFromRef(FItemsOrderList->Get(i))))
            Order.push_back(Series);
    Order.insert(Order.end(), All.begin(), All.end());
    std::vector<TQvSeries*> Taken;
    for (TQvSeries* Series : Order) {
        const bool Belongs = std::find(All.begin(), All.end(), Series) != All.end();
        if (!Belongs || !Shown(Series) || Series->GetMergeLegendItemWith() ||
            std::find(Taken.begin(), Taken.end(), Series) != Taken.end())
            continue;
        Taken.push_back(Series);
        std::vector<TQvSeries*> Item{Series};
        for (TQvSeries* Merged : All)
            if (Merged->GetMergeLegendItemWith() == Series && Shown(Merged)) Item.push_back(Merged);
        Items.push_back(std::move(Item));
    }
    return Items;
}

void TQvLegend::CollectItems() {
    FItems = ListSeries();
}

int TQvLegend::CountItems() const {
    return int(FItems.size());
}

TQvSeries* TQvLegend::ItemSeries(int Index) const {
    const_cast<TQvLegend*>(this)->UpdateItems();
    return FItems.at(size_t(Index)).front();
}

TQvRichCaption TQvLegend::ItemText(int Index) const {
    return FItems[size_t(Index)].front()->GetCaption();
}

TQvColor TQvLegend::ItemTextColor(int Index) const {
    const TQvSeries* Series = FItems[size_t(Index)].front();
    switch (FCaptionColorFrom) {
    case TQvLegendCaptionColorFrom::SeriesLineColor:
        return Series->GetLine()->GetColor();
    case TQvLegendCaptionColorFrom::SeriesAreaForeColor:
        return Series->GetArea()->GetForeColor();
    case TQvLegendCaptionColorFrom::LegendForeColor:
        break;
    }
    return 0;
}

void TQvLegend::DrawSample(const TQvLegendItemDrawArgs& Args) const {
    for (TQvSeries* Series : FItems[size_t(Args.Index)])
        Series->DrawListItem(Args);
}

float TQvLegend::SampleHeight() const {
    float Height = 0;
    for (const std::vector<TQvSeries*>& Item : FItems)
        for (const TQvSeries* Series : Item)
            Height = std::max(Height, Series->LegendSampleHeight());
    return Height;
}

void TQvLegend::Notification(TComponent* AComponent, TOperation Operation) {
    TQvCustomLegend::Notification(AComponent, Operation);
    if (Operation != TOperation::Remove || !AComponent || IsDestroying()) return;
    if (AComponent == static_cast<TComponent*>(FGraph)) {
        FGraph = nullptr;
        Changed();
    }
    if (AComponent == static_cast<TComponent*>(FUndoStack)) FUndoStack = nullptr;
    // A freed series may be listed.
    FItems.clear();
    Changed();
}

// ---- Dragging a floating legend ----

void TQvLegend::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TQvCustomLegend::MouseDown(Button, Shift, X, Y);
    if (Dock() || Shift != FMovingKeys) return;
    if (FUndoStack) {
        const QString Caption = SLegendMoved.Text();
        FUndoStack->StartGroup(Caption);
        for (const char* Name : {"Left", "Top"})
            FUndoStack->PushProperty(this, Caption, QString::fromLatin1(Name));
        FUndoStack->StopGroup();
    }
    FDragging = true;
    FDragOrigin = QPoint(X, Y);
    if (auto* Graph = qobject_cast<TQvGraph2D*>(GetParent())) Graph->BeginControlDrag(this);
    if (FOnStartFreeFloating) FOnStartFreeFloating(this);
}

// The legend follows the mouse and stays whole on its parent.
void TQvLegend::MouseMove(TShiftState Shift, int X, int Y) {
    TQvCustomLegend::MouseMove(Shift, X, Y);
    if (!FDragging || !GetParent()) return;
    const int MaxLeft = std::max(0, GetParent()->ClientWidth() - GetWidth());
    const int MaxTop = std::max(0, GetParent()->ClientHeight() - GetHeight());
    SetBounds(std::clamp(GetLeft() + X - FDragOrigin.x(), 0, MaxLeft),
              std::clamp(GetTop() + Y - FDragOrigin.y(), 0, MaxTop), GetWidth(), GetHeight());
}

void TQvLegend::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FDragging) {
        FDragging = false;
        if (auto* Graph = qobject_cast<TQvGraph2D*>(GetParent())) Graph->EndControlDrag();
    }
    TQvCustomLegend::MouseUp(Button, Shift, X, Y);
}
