// Bars: classes and their values, the ranges they need, the rectangles of the bars shifted or
// stacked among the bar series of a graph, and their labels.

#include "series/qvbars.h"

#include "annotations/qvrichlabel.h"
#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "axes/qvstringfunctions.h"
#include "data/qvboundstrings.h"
#include "graph/qvgraph2d.h"
#include "style/qvfont.h"
#include "undo/qvundostack.h"

#include <QImage>

#include <algorithm>
#include <cmath>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {

constexpr float GoldenCut = 0.6180339f;

// The fraction of the bar's length at which a label sits, measured from the base.
float LabelFraction(TQvBarLabelPosition Position) {
    switch (Position) {
    case TQvBarLabelPosition::Centered:
        return 0.5f;
    case TQvBarLabelPosition::GoldenCut:
        return GoldenCut;
    case TQvBarLabelPosition::ThreeFourth:
        return 0.75f;
    default:
        return 0;
    }
}

} // namespace

// The shifted bar series that share each class: this series' slot among them and the gap and
// depth they all use.
struct TQvBars::TGroup {
    int Members = 1;
    int Slot = 0;
    double ClassesDistance = 0;
    double Depth3D = 0;
};

TQvBars::TQvBars(TComponent* AOwner)
    : TQvRecordedSeries(AOwner), FFont(NewFont("Arial", 12, true, ColorToARGB(QStringLiteral("Red")),
                                       [this] { PointsModified(); })),
      FCaptions(std::make_unique<TQvBoundStrings>(
          this,
          [this] {
              if (FUndoStack) FUndoStack->PushProperty(this, SBarsCaptions.Text(), "Captions");
          },
          [this] { PointsModified(); })) {
    FLineSettings->SetColor(ColorToARGB(QStringLiteral("Blue")));
    FAreaSettings->SetForeColor(ColorToARGB(QStringLiteral("Navy")));
    FAreaSettings->SetVisible(true);
    NameCaption();
}

TQvBars::~TQvBars() {
    Destroying();
    for (const auto& Vector : FPartnerVectors)
        if (Vector) Vector->RemoveRelated(this);
}

// ---- Properties ----

void TQvBars::SetBarsHorizontal(bool Value) {
    if (SetUndoable(FUndoStack, this, FBarsHorizontal, Value, "BarsHorizontal", SBarsHorizontal))
        RangesModified();
}

void TQvBars::SetBarStyle(TQvBarStyle Value) {
    if (SetUndoable(FUndoStack, this, FBarStyle, Value, "BarStyle", SBarsStyle)) {
        PointsModified();
        if (FGraph) FGraph->Modified();
    }
}

void TQvBars::SetOverlayStyle(TQvBarsOverlayStyle Value) {
    if (SetUndoable(FUndoStack, this, FOverlayStyle, Value, "OverlayStyle", SBarsOverlay))
        RangesModified();
}

void TQvBars::SetDepth3D(double Value) {
    if (F3DDepth == Value) return;
    F3DDepth = Value;
    PointsModified();
    if (FGraph) FGraph->Modified();
}

void TQvBars::SetClassesDistance(double Value) {
    if (FClassesDistance == Value) return;
    FClassesDistance = Value;
    PointsModified();
}

TStrings* TQvBars::GetCaptions() const {
    return FCaptions->Get();
}

void TQvBars::SetCaptionsList(TStrings* List) {
    if (FCaptions->Set(List, SBarsCaptionsWithDB.Text())) PointsModified();
}

QString TQvBars::GetCaptionsField() const {
    return FCaptions->GetField();
}

void TQvBars::SetCaptionsField(const QString& Value) {
    FCaptions->SetField(Value);
    PointsModified();
}

TDataSource* TQvBars::GetDataSource() const {
    return FCaptions->GetDataSource();
}

void TQvBars::SetDataSource(TDataSource* Value) {
    FCaptions->SetDataSource(Value);
    PointsModified();
}

QString TQvBars::Caption(int i) const {
    const TStrings* Lines = FCaptions->Lines();
    return i >= 0 && i < Lines->Count() ? Lines->Strings(i) : QString();
}

void TQvBars::SetFont(TQvFont* Value) {
    FFont->PushToUndoStack(FUndoStack, SBarsFont.Text());
    FFont->Assign(Value);
}

TQvColor TQvBars::GetLabelColor() const {
    return FFont->GetFillColor();
}

void TQvBars::SetLabelColor(TQvColor Value) {
    if (Value == GetLabelColor()) return;
    if (FUndoStack) FUndoStack->PushProperty(this, SBarsLabelColor.Text(), "LabelColor");
    FFont->SetFillColor(Value);
}

void TQvBars::SetLabelFormat(const QString& Value) {
    if (SetUndoable(FUndoStack, this, FLabelFormat, Value, "LabelFormat", SBarsLabelFormat))
        PointsModified();
}

void TQvBars::SetLabelFrom(TQvLabelStyle Value) {
    if (SetUndoable(FUndoStack, this, FLabelFrom, Value, "LabelFrom", SBarsLabelFrom))
        PointsModified();
}

void TQvBars::SetLabelPosition(TQvBarLabelPosition Value) {
    if (!SetUndoable(FUndoStack, this, FLabelPosition, Value, "LabelPosition", SBarsLabelPosition))
        return;
    PointsModified();
    // Labels on top of the bars need room beside the data area.
    if (FGraph) FGraph->Modified();
}

void TQvBars::SetLabelSize(float Value) {
    if (SetUndoable(FUndoStack, this, FLabelSize, Value, "LabelSize", SBarsLabelSize))
        PointsModified();
}

void TQvBars::SetLabelVertical(bool Value) {
    if (SetUndoable(FUndoStack, this, FLabelVertical, Value, "LabelVertical", SBarsLabelVertical))
        PointsModified();
}

void TQvBars::SetOnGetLabel(const TQvGetLabelEventHandler& Value) {
    FOnGetLabel = Value;
    PointsModified();
}

// ---- Classes and values ----

int TQvBars::GetCount() const {
    FMinCount = 1;
    const TQvCustomDoubleVector* Values = ValueData();
    const TQvCustomDoubleVector* Bounds = BoundaryData();
    if (!Values || !Bounds) return 0;
    int n = Values->GetCount();
    if (Bounds != FIndexer && Bounds->GetCount() <= n) n = std::max(Bounds->GetCount() - 1, 0);
    if (!FOutliersVisible)
        while (n > 0 && Values->IsOutlier(n - 1))
            --n;
    return n;
}

double TQvBars::OwnValue(int i) const {
    const double v = ValueData()->GetValue(i);
    return FBarsHorizontal ? TransformX(i, v) : TransformY(i, v);
}

double TQvBars::Get_X(int i) const {
    const TQvCustomDoubleVector* Bounds = BoundaryData();
    if (Bounds == FIndexer) return i;
    const double v = Bounds->GetValue(i);
    return FBarsHorizontal ? TransformY(i, v) : TransformX(i, v);
}

double TQvBars::Get_Y(int i) const {
    double Value = OwnValue(i);
    if (FOverlayStyle == TQvBarsOverlayStyle::Stack)
        for (const auto& Partner : FOtherBars)
            if (Partner && Partner->HasClass(i)) Value += Partner->OwnValue(i);
    return Value;
}

void TQvBars::FindPartners() {
    for (const auto& Vector : FPartnerVectors)
        if (Vector) Vector->RemoveRelated(this);
    FPartnerVectors.clear();
    FOtherBars.clear();
    FTopMost = true;
    if (!FGraph || FOverlayStyle != TQvBarsOverlayStyle::Stack) return;
    bool Before = true;
    for (int k = 0; k < FGraph->SeriesCount(); ++k) {
        auto* Other = qobject_cast<TQvBars*>(FGraph->Series(k));
        if (Other == this) {
            Before = false;
            continue;
        }
        if (!Other || Other->FOverlayStyle != TQvBarsOverlayStyle::Stack ||
            Other->FBarsHorizontal != FBarsHorizontal || Other->CategoryAxis() != CategoryAxis() ||
            !Other->ValueData())
            continue;
        if (!Before) {
            FTopMost = false;
            continue;
        }
        FOtherBars.push_back(Other);
        Other->ValueData()->AddRelated(this);
        FPartnerVectors.push_back(Other->ValueData());
    }
}

TQvBars::TGroup TQvBars::ShiftGroup() const {
    TGroup Group{1, 0, FClassesDistance, F3DDepth};
    if (!FGraph || FOverlayStyle != TQvBarsOverlayStyle::Shift) return Group;
    Group.Members = 0;
    for (int k = 0; k < FGraph->SeriesCount(); ++k) {
        auto* Other = qobject_cast<TQvBars*>(FGraph->Series(k));
        if (!Other || (Other != this && !Other->SeriesVisible()) ||
            Other->FOverlayStyle != TQvBarsOverlayStyle::Shift ||
            Other->FBarsHorizontal != FBarsHorizontal || Other->CategoryAxis() != CategoryAxis())
            continue;
        if (Other == this) Group.Slot = Group.Members;
        ++Group.Members;
        Group.ClassesDistance = std::max(Group.ClassesDistance, Other->FClassesDistance);
        Group.Depth3D = std::max(Group.Depth3D, Other->F3DDepth);
    }
    return Group;
}

void TQvBars::LayersSorted() {
    std::vector<const TQvBars*> Seen;
    for (int k = 0; k < FGraph->SeriesCount(); ++k)
        if (const auto* Bars = qobject_cast<const TQvBars*>(FGraph->Series(k)))
            Seen.push_back(Bars);
    if (Seen == FBarSeriesSeen) return;
    FBarSeriesSeen = std::move(Seen);
    RangesModified();
}

void TQvBars::CheckDBVectors() {
    TQvSeries::CheckDBVectors();
    FCaptions->Update();
}

// Classes span their boundaries, values grow from 0.
void TQvBars::Calculate() {
    if (!FXData || !FYData || !FXAxis || !FYAxis) return;
    if (FXData->GetCount() <= FLastCount && FYData->GetCount() <= FLastCount) return;
    FindPartners();
    FCount = GetCount();
    if (FCount < FMinCount) return;
    double CategoryLo = MaxDouble, CategoryHi = -MaxDouble;
    double ValueLo = MaxDouble, ValueHi = -MaxDouble;
    const auto Fold = [](double v, double& Lo, double& Hi) {
        if (!std::isfinite(v)) return;
        Lo = std::min(Lo, v);
        Hi = std::max(Hi, v);
    };
    const bool Indexed = BoundaryData() == FIndexer;
    for (int i = 0; i <= FCount; ++i) {
        Fold(Indexed || i < BoundaryData()->GetCount() ? Get_X(i) : double(i), CategoryLo,
             CategoryHi);
        if (i < FCount && HasValuesAt(i)) Fold(Get_Y(i), ValueLo, ValueHi);
    }
    if (!ValueAxis()->GetHasLogScaling() && ValueLo <= ValueHi) {
        ValueLo = std::min(ValueLo, 0.0);
        ValueHi = std::max(ValueHi, 0.0);
    }
    const auto Report = [](TQvAxis* Axis, double Lo, double Hi, double& Start, double& Stop) {
        if (Lo == Start && Hi == Stop) return;
        Start = Lo;
        Stop = Hi;
        Axis->RangeModified();
    };
    if (FBarsHorizontal) {
        Report(FYAxis, CategoryLo, CategoryHi, FYStart, FYStop);
        Report(FXAxis, ValueLo, ValueHi, FXStart, FXStop);
    } else {
        Report(FXAxis, CategoryLo, CategoryHi, FXStart, FXStop);
        Report(FYAxis, ValueLo, ValueHi, FYStart, FYStop);
    }
    FScreen.Invalidate();
    Invalidate();
    FLastCount = FCount;
}

// ---- Bars on the screen ----

void TQvBars::CalculatePoints() {
    if (!FXAxis || !FYAxis) return;
    FindPartners();
    FScreen.Invalidate();
    FScreen.Begin(FXAxis->Mapping(), FYAxis->Mapping());
    FBars.clear();
    FColumns.clear();
    const int Count = GetCount();
    const TGroup Group = ShiftGroup();
    const TQvAxis* Category = CategoryAxis();
    const TQvAxis* Value = ValueAxis();
    const double Zero =
        Value->GetHasLogScaling() ? std::min(Value->GetStart(), Value->GetStop()) : 0.0;
    const float ZeroPixel = Value->NumberToWorld(Zero) + (FBarsHorizontal ? 1.0f : 0.0f);
    const TQvBars* Below = FOtherBars.empty() ? nullptr : FOtherBars.back().data();
    float Narrowest = std::numeric_limits<float>::max();
    float Next = Count > 0 ? Category->NumberToWorld(Get_X(0)) : 0;
    FBars.reserve(size_t(Count));
    for (int i = 0; i < Count; ++i) {
        const float Here = Next;
        Next = Category->NumberToWorld(
            BoundaryData() == FIndexer || i + 1 < BoundaryData()->GetCount() ? Get_X(i + 1)
                                                                             : double(i + 1));
        if (!HasValuesAt(i)) continue;
        const float p0 = std::min(Here, Next), p1 = std::max(Here, Next);
        const float Gap = (p1 - p0) * float(Group.ClassesDistance) / 200;
        const float Usable = p1 - p0 - 2 * Gap;
        const float From = p0 + Gap + float(Group.Slot) * Usable / float(Group.Members);
        const float To = p0 + Gap + float(Group.Slot + 1) * Usable / float(Group.Members);
        const float Far = Value->NumberToWorld(Get_Y(i));
        const float Base =
            Below && Below->HasClass(i) ? Value->NumberToWorld(Below->Get_Y(i)) : ZeroPixel;
        if (!std::isfinite(Far) || !std::isfinite(From)) continue;
        Narrowest = std::min(Narrowest, Usable);
        TBar Bar{i, {}, {}, Base};
        if (FBarsHorizontal) {
            Bar.TopLeft = {std::min(Base, Far), From};
            Bar.BottomRight = {std::max(Base, Far), To};
        } else {
            Bar.TopLeft = {From, std::min(Base, Far)};
            Bar.BottomRight = {To, std::max(Base, Far)};
        }
        FBars.push_back(Bar);
        FScreen.Output().Add(Bar.TopLeft, i);
    }
    if (Narrowest == std::numeric_limits<float>::max()) Narrowest = 0;
    FDepthX = std::max(Narrowest * float(Group.Depth3D) / 240, 1.0f);
    FDepthY = std::max(Narrowest * float(Group.Depth3D) / 400, 1.0f);
    FZylShift = FBarStyle == TQvBarStyle::Cylinder ? (FBarsHorizontal ? FDepthY : FDepthX) : 0.0f;
    MakeLabels(Narrowest);
    ReduceToColumns();
    FScreen.End(Count, false);
}

// Bars narrower than a pixel column draw, column by column, as one bar from the lowest to the
// highest end among them: the same pixels for a fraction of the work.
void TQvBars::ReduceToColumns() {
    if (FBars.size() < 2 || FBarStyle != TQvBarStyle::Flat || FOnGetBrush || FOnGetPen ||
        FLabelPosition != TQvBarLabelPosition::Invisible)
        return;
    const auto Across = [this](const TBar& B) {
        return FBarsHorizontal ? std::pair(B.TopLeft.Y, B.BottomRight.Y)
                               : std::pair(B.TopLeft.X, B.BottomRight.X);
    };
    for (const TBar& B : FBars) {
        const auto [Lo, Hi] = Across(B);
        if (Hi - Lo >= 1) return;
    }
    for (const TBar& B : FBars) {
        const float Column = std::floor(Across(B).first);
        if (FColumns.empty() || Across(FColumns.back()).first != Column) {
            FColumns.push_back(B);
        } else {
            TBar& C = FColumns.back();
            C.TopLeft = {std::min(C.TopLeft.X, B.TopLeft.X), std::min(C.TopLeft.Y, B.TopLeft.Y)};
            C.BottomRight = {std::max(C.BottomRight.X, B.BottomRight.X),
                             std::max(C.BottomRight.Y, B.BottomRight.Y)};
        }
        // The column spans its whole pixel across the bars.
        TBar& C = FColumns.back();
        (FBarsHorizontal ? C.TopLeft.Y : C.TopLeft.X) = Column;
        (FBarsHorizontal ? C.BottomRight.Y : C.BottomRight.X) = Column + 1;
    }
}

// ---- Labels ----

QString TQvBars::LabelText(int i, double Sum) const {
    const double v = OwnValue(i);
    return QvLabels::LabelText(FLabelFrom, FLabelFormat, Caption(i), v, Sum != 0 ? v * 100 / Sum : 0,
                               QvLabels::TCaptionBlank::Always);
}

void TQvBars::MakeLabels(float NarrowestWidth) {
    FLabels.clear();
    if (FLabelPosition == TQvBarLabelPosition::Invisible || FBars.empty()) return;
    double Sum = 0;
    const TQvCustomDoubleVector* Values = ValueData();
    for (int i = 0; i < Values->GetCount(); ++i)
        if (FOutliersVisible || !Values->IsOutlier(i)) Sum += Values->GetValue(i);
    TQvFont Font;
    Font.Assign(FFont.get());
    Font.SetSizeF(std::max(0.01f * NarrowestWidth * FLabelSize, 1.0f));
    QImage Scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TGPGraphics Graphics(&Scratch);
    FLabels.reserve(FBars.size());
    for (size_t k = 0; k < FBars.size(); ++k) {
        TQvGetLabelEventArgs Args{LabelText(FBars[k].Index, Sum), FBars[k].Index};
        if (FOnGetLabel) FOnGetLabel(this, Args);
        auto Label = std::make_unique<TQvRichCaptionObject>();
        Label->SetFont(&Font);
        Label->SetCaption(Args.Caption);
        Label->SetAngle(FLabelVertical ? 90 : 0);
        Label->SetAlign(TQvContentAlignment::MiddleCenter);
        Label->ParseForSize(&Graphics, this);
        FLabels.push_back(std::move(Label));
        PlaceLabel(int(k));
    }
}

void TQvBars::PlaceLabel(int k) {
    const TBar& Bar = FBars[size_t(k)];
    TQvRichCaptionObject* Label = FLabels[size_t(k)].get();
    // A stacked bar with another on it keeps its label inside.
    TQvBarLabelPosition Position = FLabelPosition;
    if (Position == TQvBarLabelPosition::OnTopOfBar &&
        FOverlayStyle == TQvBarsOverlayStyle::Stack && !FTopMost)
        Position = TQvBarLabelPosition::InTop;
    const bool Turned = FLabelVertical;
    // The label's extent along the bar.
    const float Along = FBarsHorizontal == Turned ? Label->GetHeight() : Label->GetWidth();
    const float Lo = FBarsHorizontal ? Bar.TopLeft.X : Bar.TopLeft.Y;
    const float Hi = FBarsHorizontal ? Bar.BottomRight.X : Bar.BottomRight.Y;
    const float Base = std::abs(Bar.Base - Lo) <= std::abs(Bar.Base - Hi) ? Lo : Hi;
    const float Far = Base == Lo ? Hi : Lo;
    const float Direction = Far >= Base ? 1.0f : -1.0f;
    float At;
    switch (Position) {
    case TQvBarLabelPosition::OnBottom:
        At = Base + Direction * 0.75f * Along;
        break;
    case TQvBarLabelPosition::InTop:
        At = Far - Direction * 0.75f * Along;
        break;
    case TQvBarLabelPosition::OnTopOfBar: {
        // Beyond the top face of a cuboid, and the whole cap of a cylinder.
        const float Face = FBarsHorizontal ? FDepthX : FDepthY;
        const float Depth = FBarStyle == TQvBarStyle::Cuboid     ? Face / 2
                            : FBarStyle == TQvBarStyle::Cylinder ? Face
                                                                 : 0.0f;
        At = Far + Direction * (0.5f * Along + Depth);
        break;
    }
    default:
        At = Base + (Far - Base) * LabelFraction(Position);
    }
    const float Middle = FBarsHorizontal ? (Bar.TopLeft.Y + Bar.BottomRight.Y) / 2
                                         : (Bar.TopLeft.X + Bar.BottomRight.X) / 2;
    if (FBarsHorizontal)
        Label->SetAnchor(At, Middle);
    else
        Label->SetAnchor(Middle, At);
}

const TQvRichCaptionObject* TQvBars::Label(int k) const {
    return k >= 0 && size_t(k) < FLabels.size() ? FLabels[size_t(k)].get() : nullptr;
}

void TQvBars::Notification(TComponent* AComponent, TOperation Operation) {
    TQvSeries::Notification(AComponent, Operation);
    if (Operation == TOperation::Remove) FCaptions->SourceFreed(AComponent);
}
