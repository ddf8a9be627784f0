#include "pie/qvpiechart.h"

#include "data/qvboundstrings.h"
#include "framework/qvdb.h"
#include "pie/qvfillpalette.h"
#include "pie/qvpielegend.h"
#include "strings/qvlocalize.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace Qvlocalize;

namespace {

// Documents and forms create pie charts and palettes by their class names.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvPieChart>();
    RegisterClass<TQvFillPalette>();
    return true;
}();

// Captions are measured at this size and scaled to the pie later.
constexpr float MeasuringSize = 100;
// A callout pushed farther than this from the centre, in radii, is left out.
constexpr double MaxCalloutReach = 2;

std::unique_ptr<TQvLineSettings> NewLine(ModifiedCallback Callback, const char* Color) {
    auto Line = std::make_unique<TQvLineSettings>(std::move(Callback));
    Line->SetColor(ColorToARGB(QString::fromLatin1(Color)));
    return Line;
}

} // namespace

TQvPieChart::TQvPieChart(TComponent* AOwner)
    : TQvCustomGraph(AOwner), FSegmentBorder(NewLine([this] { Invalidate(); }, "Black")),
      FLabelFont(NewFont("Arial", 10, false, std::nullopt, [this] { Modified(); })),
      FCaptions(std::make_unique<TQvBoundStrings>(
          this, [] {}, [this] { Modified(); })),
      FCalloutArrow(std::make_unique<TQvArrowSettings>([this] { Invalidate(); })),
      FCalloutBackColor(ColorToARGB(QStringLiteral("Info"))),
      FCalloutGradient(std::make_unique<TQvGradientSettings>([this] { Modified(); })),
      FCalloutFrame(NewLine([this] { Modified(); }, "WindowFrame")),
      FDefaultFill(std::make_unique<TQvFillSettings>()) {
    FCalloutArrow->SetColor(ColorToARGB(QStringLiteral("WindowFrame")));
    GetCaptionFont()->SetFillColor(ColorToARGB(QStringLiteral("Black")));
    SetBounds(GetLeft(), GetTop(), 250, 250);
    FRecalculate = true;
}

TQvPieChart::~TQvPieChart() {
    Destroying();
    if (FPalette) FPalette->RemoveUser(this);
    for (TQvCustomDoubleVector* Vector : {FValues, FExplodePercent})
        if (Vector) Vector->RemoveRelated(this);
    for (TQvPieLegend* Legend : std::vector<TQvPieLegend*>(FLegends))
        Legend->Notification(this, TOperation::Remove);
}

// ---- Properties ----

float TQvPieChart::Percentage(float Value) {
    return std::isnan(Value) ? 0 : std::clamp(Value, 0.0f, 100.0f);
}

void TQvPieChart::SetThreeDElevation(float Value) {
    Set(FThreeDElevation, std::isnan(Value) ? 50 : std::clamp(Value, 1.0f, 100.0f));
}

void TQvPieChart::SetVector(TQvCustomDoubleVector*& Field, TQvCustomDoubleVector* Value) {
    if (Field == Value) return;
    if (Field) Field->RemoveRelated(this);
    ReplaceReference(this, Field, Value);
    if (Field) Field->AddRelated(this);
    Modified();
}

void TQvPieChart::SetValues(TQvCustomDoubleVector* Value) {
    SetVector(FValues, Value);
}

void TQvPieChart::SetExplodePercent(TQvCustomDoubleVector* Value) {
    SetVector(FExplodePercent, Value);
}

void TQvPieChart::SetValueTransformation(const TQvValueTransformation& Value) {
    FValueTransformation = Value;
    Modified();
}

void TQvPieChart::SetExplodePercentTransformation(const TQvValueTransformation& Value) {
    FExplodeTransformation = Value;
    Modified();
}

void TQvPieChart::SetSegmentSettingsPalette(TQvFillPalette* Value) {
    if (FPalette == Value) return;
    if (FPalette) FPalette->RemoveUser(this);
    ReplaceReference(this, FPalette, Value);
    if (FPalette) FPalette->AddUser(this, [this] { Modified(); });
    Modified();
}

void TQvPieChart::SetLabelFont(TQvFont* Value) {
    if (Value) FLabelFont->Assign(Value);
}

TQvColor TQvPieChart::GetLabelColor() const {
    return FLabelFont->GetFillColor();
}

void TQvPieChart::SetLabelColor(TQvColor Value) {
    FLabelFont->SetFillColor(Value);
}

TStrings* TQvPieChart::GetCaptions() const {
    return FCaptions->Get();
}

void TQvPieChart::SetCaptions(TStrings* Value) {
    if (FCaptions->Set(Value, SBarsCaptionsWithDB.Text())) Modified();
}

QString TQvPieChart::GetCaptionsField() const {
    return FCaptions->GetField();
}

void TQvPieChart::SetCaptionsField(const QString& Value) {
    FCaptions->SetField(Value);
    Modified();
}

TDataSource* TQvPieChart::GetDataSource() const {
    return FCaptions->GetDataSource();
}

void TQvPieChart::SetDataSource(TDataSource* Value) {
    FCaptions->SetDataSource(Value);
    Modified();
}

void TQvPieChart::SetOnGetLabel(const TQvGetLabelEventHandler& Value) {
    FOnGetLabel = Value;
    Modified();
}

void TQvPieChart::SetOnGetPen(const TQvPenEventHandler& Value) {
    FOnGetPen = Value;
    Invalidate();
}

void TQvPieChart::SetOnGetBrush(const TQvBrushEventHandler& Value) {
    FOnGetBrush = Value;
    Invalidate();
}

void TQvPieChart::AddPieLegend(TQvPieLegend* Legend) {
    if (std::find(FLegends.begin(), FLegends.end(), Legend) == FLegends.end())
        FLegends.push_back(Legend);
    Modified();
}

void TQvPieChart::RemovePieLegend(TQvPieLegend* Legend) {
    std::erase(FLegends, Legend);
    if (!IsDestroying()) Modified();
}

// The control's own font is the title's; the published "Font" is the labels'.
bool TQvPieChart::IsPropertyStored(const char* Name) const {
    if (qstrcmp(Name, "Font") == 0) return true;
    return TQvCustomGraph::IsPropertyStored(Name);
}

void TQvPieChart::Notification(TComponent* AComponent, TOperation Operation) {
    TQvCustomGraph::Notification(AComponent, Operation);
    if (Operation != TOperation::Remove || !AComponent) return;
    FCaptions->SourceFreed(AComponent);
    if (AComponent == FValues) FValues = nullptr;
    if (AComponent == FExplodePercent) FExplodePercent = nullptr;
    if (AComponent == FPalette) FPalette = nullptr;
    if (!IsDestroying()) Modified();
}

void TQvPieChart::PointsModified() {
    if (FAutoUpdate) Modified();
}

void TQvPieChart::Modified() {
    FRecalculate = true;
    for (TQvPieLegend* Legend : FLegends)
        Legend->Invalidate();
    Invalidate();
}

// ---- The calculated pie ----

bool TQvPieChart::ThreeD() const {
    return FPieChartType == TQvPieChartType::ThreeDPie ||
           FPieChartType == TQvPieChartType::ThreeDDonut;
}

bool TQvPieChart::Donut() const {
    return FPieChartType == TQvPieChartType::FlatDonut ||
           FPieChartType == TQvPieChartType::ThreeDDonut;
}

double TQvPieChart::Aspect() const {
    return ThreeD() ? 0.01 * FThreeDElevation : 1;
}

int TQvPieChart::SegmentCount() const {
    return int(FSegments.size());
}

const QvPie::TSegment& TQvPieChart::Segment(int k) const {
    return FSegments.at(size_t(k));
}

const std::vector<int>& TQvPieChart::DrawingOrder() const {
    return FOrder;
}

const TGPRectF& TQvPieChart::PieRect() const {
    return FPieRect;
}

float TQvPieChart::Thickness() const {
    return FThickness;
}

TGPPointF TQvPieChart::ExplodeOffset(int k) const {
    const QvPie::TUnitPoint P = QvPie::ExplodeOffset(Segment(k));
    return {float(P.U * FPieRect.Width / 2), float(P.V * FPieRect.Height / 2)};
}

const TQvRichCaptionObject* TQvPieChart::SegmentLabel(int k) const {
    if (k < 0 || size_t(k) >= FLabels.size() || !FLabelShown[size_t(k)]) return nullptr;
    return FLabels[size_t(k)].get();
}

TGPRectF TQvPieChart::CalloutRect(int k) const {
    if (k < 0 || size_t(k) >= FCallouts.size()) return {};
    const QvPie::TCallout& C = FCallouts[size_t(k)];
    const TGPPointF TopLeft = ToPixels({C.Left(), C.Top()});
    const TGPPointF BottomRight = ToPixels({C.Right(), C.Bottom()});
    return {TopLeft.X, TopLeft.Y, BottomRight.X - TopLeft.X, BottomRight.Y - TopLeft.Y};
}

bool TQvPieChart::CalloutOverlapped(int k) const {
    return k >= 0 && size_t(k) < FCallouts.size() && FCallouts[size_t(k)].Overlapped;
}

int TQvPieChart::GetLegendItemIndex(int k) const {
    return Segment(k).ValueIndex;
}

const TQvFillSettings* TQvPieChart::PaletteItem(int k) const {
    if (!FPalette || FPalette->Count() == 0) return FDefaultFill.get();
    return FPalette->Items(k % FPalette->Count());
}

double TQvPieChart::Transformed(int i) const {
    const double v = FValues->GetValue(i);
    if (!FValueTransformation) return v;
    TQvTransformEventArgs Args{v, i};
    return FValueTransformation(const_cast<TQvPieChart*>(this), Args);
}

// Values that are not positive and finite, before and after the transformation, make no
// segment and count for nothing in the total.
std::vector<QvPie::TIndexedValue> TQvPieChart::TakingPart() const {
    std::vector<QvPie::TIndexedValue> Values;
    if (!FValues) return Values;
    const int Count = FValues->GetCount();
    Values.reserve(size_t(Count));
    for (int i = 0; i < Count; ++i) {
        if (!FOutliersVisible && FValues->IsOutlier(i)) continue;
        const double Raw = FValues->GetValue(i);
        if (!(Raw > 0) || !std::isfinite(Raw)) continue;
        const double v = Transformed(i);
        if (v > 0 && std::isfinite(v)) Values.push_back({i, v});
    }
    return Values;
}

QString TQvPieChart::GetSegmentCaption(int ValueIndex, TQvLabelStyle Style,
                                       const QString& Format) const {
    const TStrings* Lines = FCaptions->Lines();
    const QString Caption = Lines && ValueIndex >= 0 && ValueIndex < Lines->Count()
                                ? Lines->Get(ValueIndex)
                                : QString();
    const double v = FValues && ValueIndex >= 0 && ValueIndex < FValues->GetCount()
                         ? Transformed(ValueIndex)
                         : 0;
    const double Percent = FTotal > 0 ? v * 100 / FTotal : 0;
    return QvLabels::LabelText(Style, Format, Caption, v, Percent,
                               QvLabels::TCaptionBlank::WhenCaption);
}

QString TQvPieChart::LabelOf(int ValueIndex) const {
    TQvGetLabelEventArgs Args{GetSegmentCaption(ValueIndex, FLabelFrom, FLabelFormat), ValueIndex};
    if (FOnGetLabel) FOnGetLabel(const_cast<TQvPieChart*>(this), Args);
    return Args.Caption;
}

void TQvPieChart::CheckDBVectors() {
    for (TQvCustomDoubleVector* Data : {FValues, FExplodePercent})
        if (auto* Vector = qobject_cast<TQvDoubleVector*>(Data); Vector && Vector->DBData())
            Vector->UpdateDB();
    FCaptions->Update();
}

void TQvPieChart::ApplyExplode(QvPie::TExtents& Extents) {
    FExploded = false;
    if (!FExplodePercent && !FExplodeTransformation) return;
    for (QvPie::TSegment& S : FSegments) {
        const int i = S.ValueIndex;
        double p =
            FExplodePercent && i < FExplodePercent->GetCount() ? FExplodePercent->GetValue(i) : 0;
        if (FExplodeTransformation) {
            TQvTransformEventArgs Args{p, i};
            p = FExplodeTransformation(this, Args);
        }
        S.Explode = std::isfinite(p) ? std::clamp(p, 0.0, 100.0) : 0;
        FExploded = FExploded || S.Explode > 0;
    }
    QvPie::GrowForExplode(FSegments, Extents);
}

void TQvPieChart::MakeLabels(QvPie::TExtents& Extents) {
    FLabels.clear();
    FCallouts.clear();
    if (FLabelPosition == TQvPieLabelPosition::Invisible) return;
    TQvFont Font;
    Font.Assign(FLabelFont.get());
    Font.SetSizeF(MeasuringSize);
    QImage Scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TGPGraphics Graphics(&Scratch);
    FLabels.reserve(FSegments.size());
    for (const QvPie::TSegment& S : FSegments) {
        auto Label = std::make_unique<TQvRichCaptionObject>();
        Label->SetFont(&Font);
        Label->SetCaption(LabelOf(S.ValueIndex));
        Label->SetAlign(TQvContentAlignment::MiddleCenter);
        if (FLabelPosition == TQvPieLabelPosition::InsideAligned) {
            const double Mid = QvPie::NormalAngle(S.Mid());
            Label->SetAngle(float(Mid <= 90 || Mid >= 270 ? -Mid : 180 - Mid));
        }
        Label->ParseForSize(&Graphics, this);
        FLabels.push_back(std::move(Label));
    }
    if (FLabelPosition != TQvPieLabelPosition::Callouts) return;
    const double k = Aspect();
    const bool Boxed = FCalloutFrame->GetVisible() || FCalloutRaised || FCalloutLowered ||
                       FCalloutGradient->GetVisible() || qAlpha(FCalloutBackColor) != 0;
    const double q = Boxed ? 0.0002 * FCalloutSpaceToBorder * FLabelSize : 0;
    std::vector<QvPie::TCalloutSize> Sizes;
    Sizes.reserve(FLabels.size());
    for (const auto& Label : FLabels)
        Sizes.push_back({0.01 * Label->GetWidth() / MeasuringSize * FLabelSize + q,
                         q / k + 0.01 * Label->GetHeight() / MeasuringSize * FLabelSize / k});
    const double Gap = 0.0002 * FCalloutDistanceToPie * FLabelSize;
    const double Drop = ThreeD() ? 2 * 0.01 * FThreeDPieHeight / k : 0;
    FCallouts = QvPie::PlaceCallouts(FSegments, Sizes, Gap, Drop, MaxCalloutReach);
    QvPie::GrowForCallouts(FCallouts, Extents);
}

TGPPointF TQvPieChart::ToPixels(const QvPie::TUnitPoint& P) const {
    const float W = FPieRect.Width, H = FPieRect.Height;
    return {float(W / 2 + P.U * W / 2 + FPieRect.X), float(H / 2 + P.V * H / 2 + FPieRect.Y)};
}

void TQvPieChart::Calculate() {
    FRecalculate = false;
    CheckDBVectors();
    float Top = FDistanceAtTop, Left = FDistanceAtLeft;
    float Right = FDistanceAtRight, Bottom = FDistanceAtBottom;
    if (GetCaptionVisible() && !GetCaption().isEmpty()) {
        MeasureTitle();
        Top += GetCaptionDistanceBefore() + TitleObject()->GetHeight() + GetCaptionDistanceAfter();
    }
    if (FLabelPosition == TQvPieLabelPosition::Callouts && FCalloutShadow) {
        Bottom += 4;
        Right += 5;
    }
    const double k = Aspect();
    QvPie::TExtents Extents;
    if (ThreeD()) Extents.Bottom = 0.01 * FThreeDPieHeight / k;
    if (FDropShadow) {
        Extents.Right += 0.04;
        Extents.Bottom += 0.04 / k;
    }
    const std::vector<QvPie::TIndexedValue> Values = TakingPart();
    FTotal =
        std::accumulate(Values.begin(), Values.end(), 0.0,
                        [](double Sum, const QvPie::TIndexedValue& V) { return Sum + V.Value; });
    FSegments = QvPie::MakeSegments(Values, FStartAngle, FTotalAngle, FOrderAscending);
    ApplyExplode(Extents);
    FOrder = QvPie::DrawingOrder(FSegments, ThreeD());
    MakeLabels(Extents);
    const float Width = float(GetWidth()), Height = float(GetHeight());
    // Over the whole width: legends beside the pie would push a centred title off the control.
    PlaceTitle(Left, (Width - Left - Right) / 2 + Left, Width - Right);
    ReserveLegends(Left, Top, Right, Bottom);

    const double AvailW = Width - Left - Right - 1, AvailH = Height - Top - Bottom - 1;
    const double Fx = Extents.Left + 1 + Extents.Right, Fy = Extents.Top + 1 + Extents.Bottom;
    double W = std::max(AvailW / Fx, 0.0), H = W * k;
    if (AvailH / Fy < H) {
        H = std::max(AvailH / Fy, 0.0);
        W = H / k;
    }
    FPieRect = {float(Extents.Left * W + (AvailW - Fx * W) / 2 + Left),
                float(Extents.Top * H + (AvailH - Fy * H) / 2 + Top), float(W), float(H)};
    FThickness = ThreeD() ? float(0.01 * FThreeDPieHeight * W) : 0;

    TQvFont Font;
    Font.Assign(FLabelFont.get());
    Font.SetSizeF(std::max(float(0.01 * W * FLabelSize), 1.0f));
    QImage Scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TGPGraphics Graphics(&Scratch);
    const double Hole = Donut() ? 0.01 * FDonutHoleSize : 0;
    for (size_t i = 0; i < FLabels.size(); ++i) {
        TQvRichCaptionObject& Label = *FLabels[i];
        Label.SetFont(&Font);
        Label.ParseForSize(&Graphics, this);
        const TGPPointF At = ToPixels(FCallouts.empty() ? QvPie::InsideAnchor(FSegments[i], Hole)
                                                        : FCallouts[i].Center);
        Label.SetAnchor(At.X, At.Y);
    }
    LeaveOutCrowdedLabels();
    PlaceLegends(Left, Top, Right, Bottom);
}

// A label is kept when it stays inside the control and clear of the labels of larger segments.
void TQvPieChart::LeaveOutCrowdedLabels() {
    std::vector<QvPie::TLabelRect> Rects;
    Rects.reserve(FLabels.size());
    for (size_t i = 0; i < FLabels.size(); ++i) {
        if (!FCallouts.empty()) {
            const TGPRectF R = CalloutRect(int(i));
            Rects.push_back({R.X, R.Y, R.X + R.Width, R.Y + R.Height});
            continue;
        }
        // The box the turned text covers around its anchor.
        const TQvRichCaptionObject& L = *FLabels[i];
        const double a = L.GetAngle() * std::numbers::pi / 180;
        const double w =
            (std::abs(std::cos(a)) * L.GetWidth() + std::abs(std::sin(a)) * L.GetHeight()) / 2;
        const double h =
            (std::abs(std::sin(a)) * L.GetWidth() + std::abs(std::cos(a)) * L.GetHeight()) / 2;
        Rects.push_back(
            {L.GetAnchorX() - w, L.GetAnchorY() - h, L.GetAnchorX() + w, L.GetAnchorY() + h});
    }
    std::vector<int> Priority;
    Priority.reserve(FLabels.size());
    for (size_t i = 0; i < FLabels.size(); ++i)
        if (FCallouts.empty() || FCallouts[i].Shown) Priority.push_back(int(i));
    std::stable_sort(Priority.begin(), Priority.end(),
                     [this](int A, int B) { return FSegments[A].Sweep > FSegments[B].Sweep; });
    FLabelShown =
        QvPie::KeepApart(Rects, Priority, {0, 0, double(GetWidth()), double(GetHeight())});
}

void TQvPieChart::ReserveLegends(float& Left, float& Top, float& Right, float& Bottom) const {
    for (TQvPieLegend* Legend : FLegends) {
        if (!Legend->GetVisible() || Legend->GetParent() != this) continue;
        Legend->SegmentsChanged();
        const float Across = float(Legend->GetWidth()) + Legend->GetDistanceToPie();
        const float Along = float(Legend->GetHeight()) + Legend->GetDistanceToPie();
        switch (Legend->GetPosition()) {
        case TQvPieLegendPosition::LeftTop:
        case TQvPieLegendPosition::LeftCenter:
        case TQvPieLegendPosition::LeftBottom:
            Left += Across;
            break;
        case TQvPieLegendPosition::CenterTop:
            Top += Along;
            break;
        case TQvPieLegendPosition::CenterBottom:
            Bottom += Along;
            break;
        case TQvPieLegendPosition::RightTop:
        case TQvPieLegendPosition::RightCenter:
        case TQvPieLegendPosition::RightBottom:
            Right += Across;
            break;
        }
    }
}

// Each legend stands in the room it reserved, beside the pie: at the pie's top, middle or
// bottom on the sides, centred on the pie above and below it.
void TQvPieChart::PlaceLegends(float Left, float Top, float Right, float Bottom) const {
    const float PieMiddleX = FPieRect.X + FPieRect.Width / 2;
    const float PieMiddleY = FPieRect.Y + (FPieRect.Height + FThickness) / 2;
    for (TQvPieLegend* Legend : FLegends) {
        if (!Legend->GetVisible() || Legend->GetParent() != this) continue;
        const float w = float(Legend->GetWidth()), h = float(Legend->GetHeight());
        const float d = Legend->GetDistanceToPie();
        const float LeftX = Left - d - w, RightX = float(GetWidth()) - Right + d;
        const float TopY = Top, BottomY = float(GetHeight()) - Bottom - h;
        float x = 0, y = 0;
        switch (Legend->GetPosition()) {
        case TQvPieLegendPosition::LeftTop:
            x = LeftX, y = TopY;
            break;
        case TQvPieLegendPosition::LeftCenter:
            x = LeftX, y = PieMiddleY - h / 2;
            break;
        case TQvPieLegendPosition::LeftBottom:
            x = LeftX, y = BottomY;
            break;
        case TQvPieLegendPosition::CenterTop:
            x = PieMiddleX - w / 2, y = Top - d - h;
            break;
        case TQvPieLegendPosition::CenterBottom:
            x = PieMiddleX - w / 2, y = float(GetHeight()) - Bottom + d;
            break;
        case TQvPieLegendPosition::RightTop:
            x = RightX, y = TopY;
            break;
        case TQvPieLegendPosition::RightCenter:
            x = RightX, y = PieMiddleY - h / 2;
            break;
        case TQvPieLegendPosition::RightBottom:
            x = RightX, y = BottomY;
            break;
        }
        Legend->SetBounds(int(std::lround(x)), int(std::lround(y)), Legend->GetWidth(),
                          Legend->GetHeight());
    }
}
