#include "series/qvbubbles.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "graph/qvgraph2d.h"
#include "style/qvrecord.h"

#include <cmath>

using namespace Qvlocalize;
using Qvmath::MaxDouble;
using QvRecord::Setter;

namespace {

// Documents create bubble series by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvBubbles>();
    return true;
}();

// The fill of new bubbles: the line colour, see-through.
constexpr uint8_t FillAlpha = 0x60;

} // namespace

TQvBubbles::TQvBubbles(TComponent* AOwner) : TQvRecordedSeries(AOwner) {
    FAreaSettings->SetVisible(true);
    FAreaSettings->SetForeColor((FLineSettings->GetColor() & 0x00FFFFFF) | TQvColor(FillAlpha)
                                                                               << 24);
    AddFurtherVector(FRadius, false, true);
    NameCaption();
}

void TQvBubbles::SetElliptical(bool Value) {
    ChangeSetting(FElliptical, Value, "Elliptical", SBubblesElliptical, [&] {
        FElliptical = Value;
        RangesModified();
    });
}

void TQvBubbles::SetRadius(TQvCustomDoubleVector* Value) {
    SetVectorReference(FRadius, Value, "RadiusData", SBubblesRadius);
}

void TQvBubbles::SetRadiusTransformation(const TQvValueTransformation& Value) {
    FRadiusTransformation = Value;
    RangesModified();
}

double TQvBubbles::GetR(int i) const {
    return std::abs(Transformed(FRadiusTransformation, this, i, FRadius->GetValue(i)));
}

double TQvBubbles::Ratio() const {
    if (FElliptical || !FXAxis || !FYAxis || FYAxis->GetNormalizeConst() == 0) return 1;
    return std::abs(FXAxis->GetNormalizeConst() / FYAxis->GetNormalizeConst());
}

int TQvBubbles::GetCount() const {
    FMinCount = 1;
    if (!FXData || !FYData || !FRadius) return 0;
    return std::min({FXData->GetCount(), FYData->GetCount(), FRadius->GetCount()});
}

bool TQvBubbles::HasValuesAt(int i) const {
    return FOutliersVisible || (TQvSeries::HasValuesAt(i) && !FurtherOutlierAt(i));
}

void TQvBubbles::DataRange(bool X, double& Lo, double& Hi) const {
    const double Scale = X ? Ratio() : 1;
    const bool Log = LogAxis(X);
    Lo = MaxDouble;
    Hi = -MaxDouble;
    for (int i = 0; i < FCount; ++i) {
        if (!HasValuesAt(i)) continue;
        const double v = X ? ValueX(i) : ValueY(i), r = GetR(i) * Scale;
        if (!std::isfinite(v) || !std::isfinite(r) || (Log && v <= 0)) continue;
        // A rim a logarithmic axis cannot show leaves the centre as the lowest value.
        Lo = std::min(Lo, Log && v - r <= 0 ? v : v - r);
        Hi = std::max(Hi, v + r);
    }
}

// Every bubble is kept, in data order, so that later ones lie above earlier ones.
void TQvBubbles::CalculatePoints() {
    if (!FXAxis || !FYAxis) return;
    const int Count = std::min(FCount, GetCount());
    FScreen.Invalidate();
    FScreen.Begin(FXAxis->Mapping(), FYAxis->Mapping());
    FSize.clear();
    const double Rx = Ratio() / std::abs(FXAxis->GetNormalizeConst());
    const double Ry = 1 / std::abs(FYAxis->GetNormalizeConst());
    QvPointStages::TPointList& Out = FScreen.Output();
    for (int i = 0; i < Count; ++i) {
        if (!HasValuesAt(i)) continue;
        const TGPPointF Centre = ScreenPoint(i);
        const double r = GetR(i);
        const TGPPointF Size{float(2 * r * Rx), float(2 * r * Ry)};
        if (!std::isfinite(Centre.X + Centre.Y + Size.X + Size.Y)) continue;
        Out.Break();
        Out.Add(Centre, i);
        FSize.push_back(Size);
    }
    FScreen.End(Count, false);
}

TGPRectF TQvBubbles::BubbleRect(size_t k) const {
    const TGPPointF& C = FScreen.Points()[k];
    const TGPPointF& S = FSize[k];
    return {C.X - S.X / 2, C.Y - S.Y / 2, S.X, S.Y};
}

void TQvBubbles::PaintGr(TGPGraphics* Graphics) {
    if (!FXAxis || !FYAxis || !FGraph || !SeriesVisible()) return;
    const std::vector<int>& Index = CurrentScreenPoints().Index();
    if (Index.size() != FSize.size()) return;
    PrepareStyles();
    // A gradient is laid out for each bubble; a plain fill is one brush for all.
    const bool Gradient = FAreaSettings->GetGradient()->GetVisible();
    for (size_t k = 0; k < Index.size(); ++k) {
        const int i = Index[k];
        const TGPRectF Rect = BubbleRect(k);
        if (FAreaSettings->GetVisible()) {
            std::unique_ptr<TGPBrush> Own = Gradient ? FAreaSettings->GetBrush(Rect) : nullptr;
            TQvBrushEventArgs Args{i, ValueX(i), ValueY(i), Own ? Own.get() : FBrush.get(), true};
            if (FOnGetBrush) FOnGetBrush(this, Args);
            if (Args.Visible && Args.Brush) Graphics->FillEllipse(*Args.Brush, Rect);
        }
        if (FLineSettings->GetVisible()) {
            TQvPenEventArgs Args{i, ValueX(i), ValueY(i), FPen.get(), true};
            if (FOnGetPen) FOnGetPen(this, Args);
            if (Args.Visible && Args.Pen) Graphics->DrawEllipse(*Args.Pen, Rect);
        }
    }
}

// A small circle in the middle of the sample, filled and outlined as the bubbles are.
void TQvBubbles::DrawListItem(const TQvLegendItemDrawArgs& Args, LegendItemStyle) {
    const float W = float(Args.Rect.Right), H = float(Args.Rect.Bottom);
    const float d = std::max(std::min(W, H) - 1, 1.0f);
    const TGPRectF Circle{float(Args.Rect.Left) + (W - d) / 2, float(Args.Rect.Top) + (H - d) / 2,
                          d, d};
    if (FAreaSettings->GetVisible())
        Args.Graphics->FillEllipse(*FAreaSettings->GetBrush(Circle), Circle);
    if (FLineSettings->GetVisible())
        Args.Graphics->DrawEllipse(*FLineSettings->GetPen(Circle), Circle);
}

int TQvBubbles::FindPoint(float X, float Y) const {
    if (FScreen.Stale() || FSize.size() != FScreen.Index().size()) return -1;
    for (size_t k = 0; k < FSize.size(); ++k) {
        const TGPRectF R = BubbleRect(k);
        if (X >= R.X && X <= R.X + R.Width && Y >= R.Y && Y <= R.Y + R.Height)
            return FScreen.Index()[k];
    }
    return -1;
}

void TQvBubbles::VisitRecord(QvRecord::TRecord& R) {
    R.Field({"Bubbles.Elliptical", "Bubbles", "Elliptical"}, FElliptical,
            Setter(this, &TQvBubbles::SetElliptical));
    R.Reference<TQvCustomDoubleVector>({"Bubbles.Radius", "Bubbles", "Radius"}, FRadius,
                                       [this](TQvCustomDoubleVector* V) { SetRadius(V); });
    R.End("bubbles");
}
