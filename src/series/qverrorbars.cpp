#include "series/qverrorbars.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "graph/qvgraph2d.h"
#include "style/qvcolors.h"
#include "style/qvrecord.h"

#include <cmath>
#include <limits>
#include <memory>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {

// Documents create error bar series by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvPointWithErrorSeries>();
    return true;
}();

using TBar = TQvPointWithErrorSeries::TBar;
constexpr TBar Bars[] = {TBar::XPlus, TBar::XMinus, TBar::YPlus, TBar::YMinus};
constexpr TQvColor Gray = 0xFF808080;
// The legend sample's bar reaches this far above and below the symbol.
constexpr float LegendBarReach = 4;

bool Horizontal(TBar Bar) {
    return Bar == TBar::XPlus || Bar == TBar::XMinus;
}

bool Forward(TBar Bar) {
    return Bar == TBar::XPlus || Bar == TBar::YPlus;
}

// Property names, undo captions and record names of the four vectors, in the order of TBar.
struct TBarNames {
    const char* Property;
    const TResourceString& Caption;
    const char* Key;
};
const TBarNames Names[] = {
    {"DeltaXPlus", SErrorDeltaXPlus, "ErrorBars.DeltaXPlus"},
    {"DeltaXMinus", SErrorDeltaXMinus, "ErrorBars.DeltaXMinus"},
    {"DeltaYPlus", SErrorDeltaYPlus, "ErrorBars.DeltaYPlus"},
    {"DeltaYMinus", SErrorDeltaYMinus, "ErrorBars.DeltaYMinus"},
};

} // namespace

TQvPointWithErrorSeries::TQvPointWithErrorSeries(TComponent* AOwner)
    : TQvRecordedSeries(AOwner), FErrorIndicator(std::make_unique<TQvLineSettings>()) {
    FErrorIndicator->SetColor(Gray);
    FErrorIndicator->SetModifiedCallback([this] { IndicatorChanged(); });
    for (TBar Bar : Bars)
        AddFurtherVector(FDelta[Bar], Horizontal(Bar), true);
    NameCaption();
}

void TQvPointWithErrorSeries::SetDeltaXPlus(TQvCustomDoubleVector* Value) {
    SetDelta(XPlus, Value);
}

void TQvPointWithErrorSeries::SetDeltaXMinus(TQvCustomDoubleVector* Value) {
    SetDelta(XMinus, Value);
}

void TQvPointWithErrorSeries::SetDeltaYPlus(TQvCustomDoubleVector* Value) {
    SetDelta(YPlus, Value);
}

void TQvPointWithErrorSeries::SetDeltaYMinus(TQvCustomDoubleVector* Value) {
    SetDelta(YMinus, Value);
}

void TQvPointWithErrorSeries::SetDelta(TBar Bar, TQvCustomDoubleVector* Value) {
    SetVectorReference(FDelta[Bar], Value, Names[Bar].Property, Names[Bar].Caption);
}

void TQvPointWithErrorSeries::SetDxPlusTransformation(const TQvValueTransformation& Value) {
    SetTransform(XPlus, Value);
}

void TQvPointWithErrorSeries::SetDxMinusTransformation(const TQvValueTransformation& Value) {
    SetTransform(XMinus, Value);
}

void TQvPointWithErrorSeries::SetDyPlusTransformation(const TQvValueTransformation& Value) {
    SetTransform(YPlus, Value);
}

void TQvPointWithErrorSeries::SetDyMinusTransformation(const TQvValueTransformation& Value) {
    SetTransform(YMinus, Value);
}

void TQvPointWithErrorSeries::SetTransform(TBar Bar, const TQvValueTransformation& Value) {
    FTransform[Bar] = Value;
    RangesModified();
}

void TQvPointWithErrorSeries::SetOnGetIndicatorsPen(const TQvPenEventHandler& Value) {
    FOnGetIndicatorsPen = Value;
    Invalidate();
}

void TQvPointWithErrorSeries::SetUndoStack(TQvUndoStack* Value) {
    TQvPointSeries::SetUndoStack(Value);
    FErrorIndicator->SetUndoStack(Value);
}

// Showing or hiding the bars changes the ranges; other changes only the pen.
void TQvPointWithErrorSeries::IndicatorChanged() {
    FErrorIndicatorsPen.reset();
    const bool Visible = FErrorIndicator->GetVisible();
    if (Visible == FLastIndicatorsVisible) {
        Invalidate();
        return;
    }
    FLastIndicatorsVisible = Visible;
    TestVisibleChanged();
    RangesModified();
}

bool TQvPointWithErrorSeries::BarsShown() const {
    if (!FErrorIndicator->GetVisible()) return false;
    return std::any_of(FDelta.begin(), FDelta.end(), [](auto* Delta) { return Delta != nullptr; });
}

bool TQvPointWithErrorSeries::SeriesVisible() const {
    return TQvPointSeries::SeriesVisible() || (FVisible && BarsShown());
}

double TQvPointWithErrorSeries::GetDelta(TBar Bar, int i) const {
    const TQvCustomDoubleVector* Delta = FDelta[Bar];
    if (!Delta || i < 0 || i >= Delta->GetCount()) return 0;
    double v = Delta->GetValue(i);
    if (FTransform[Bar]) {
        TQvTransformEventArgs Args{v, i};
        v = FTransform[Bar](const_cast<TQvPointWithErrorSeries*>(this), Args);
    }
    return std::abs(v);
}

bool TQvPointWithErrorSeries::HasValuesAt(int i) const {
    return FOutliersVisible || (TQvPointSeries::HasValuesAt(i) && !FurtherOutlierAt(i));
}

void TQvPointWithErrorSeries::DataRange(bool X, double& Lo, double& Hi) const {
    if (!BarsShown()) {
        TQvPointSeries::DataRange(X, Lo, Hi);
        return;
    }
    const TBar Plus = X ? XPlus : YPlus, Minus = X ? XMinus : YMinus;
    const bool Log = LogAxis(X);
    Lo = MaxDouble;
    Hi = -MaxDouble;
    for (int i = 0; i < FCount; ++i) {
        if (!HasValuesAt(i)) continue;
        const double v = X ? ValueX(i) : ValueY(i);
        if (!std::isfinite(v)) continue;
        const double Low = v - GetDelta(Minus, i), High = v + GetDelta(Plus, i);
        if (std::isfinite(High) && (!Log || High > 0)) Hi = std::max(Hi, High);
        // A lower end a logarithmic axis cannot show leaves the value itself as the lowest.
        if (std::isfinite(Low) && (!Log || Low > 0))
            Lo = std::min(Lo, Low);
        else if (!Log || v > 0)
            Lo = std::min(Lo, v);
    }
}

float TQvPointWithErrorSeries::EndPixel(TBar Bar, int i) const {
    const TQvCustomDoubleVector* Delta = FDelta[Bar];
    if (!Delta || i < 0 || i >= Delta->GetCount()) return std::numeric_limits<float>::quiet_NaN();
    const bool InX = Horizontal(Bar);
    const double Value = InX ? ValueX(i) : ValueY(i);
    const double End = Forward(Bar) ? Value + GetDelta(Bar, i) : Value - GetDelta(Bar, i);
    const TQvAxis* Axis = InX ? FXAxis : FYAxis;
    if (!std::isfinite(End)) return std::numeric_limits<float>::quiet_NaN();
    // Below zero on a logarithmic axis the bar runs to the axis' lower end.
    if (Axis->GetHasLogScaling() && End <= 0)
        return Axis->NumberToWorld(std::min(Axis->GetStart(), Axis->GetStop()));
    return Axis->NumberToWorld(End);
}

QvPointStages::TAlike TQvPointWithErrorSeries::DrawsAlike() const {
    if (!BarsShown()) return {};
    // The kept value stays the same for many comparisons: its ends are worked out once.
    struct TKept {
        int Index = -1;
        std::array<float, 4> Ends{};
    };
    auto Kept = std::make_shared<TKept>();
    return [this, Kept](int KeptIndex, int i) {
        if (Kept->Index != KeptIndex) {
            Kept->Index = KeptIndex;
            for (TBar Bar : Bars)
                Kept->Ends[Bar] = EndPixel(Bar, KeptIndex);
        }
        for (TBar Bar : Bars) {
            const float End = EndPixel(Bar, i), Other = Kept->Ends[Bar];
            if (std::isnan(End) != std::isnan(Other)) return false;
            if (std::abs(End - Other) > QvPointStages::NearPixels) return false;
        }
        return true;
    };
}

void TQvPointWithErrorSeries::CalculatePoints() {
    TQvPointSeries::CalculatePoints();
    for (std::vector<float>& Ends : FEnds)
        Ends.clear();
    if (!FXAxis || !FYAxis || !BarsShown()) return;
    const std::vector<int>& Index = FScreen.Index();
    for (TBar Bar : Bars) {
        FEnds[Bar].resize(Index.size());
        for (size_t k = 0; k < Index.size(); ++k)
            FEnds[Bar][k] = EndPixel(Bar, Index[k]);
    }
}

void TQvPointWithErrorSeries::PaintGr(TGPGraphics* Graphics) {
    if (FXAxis && FYAxis && FGraph && SeriesVisible() && CurrentScreenPoints().Count() == 1) {
        // A lone point has no line, but its bars show.
        DrawIndicators(Graphics);
        return;
    }
    TQvPointSeries::PaintGr(Graphics);
}

// The bars go over the line and, like it, leave out translucent symbols.
void TQvPointWithErrorSeries::DrawLine(TGPGraphics* Graphics) {
    TQvPointSeries::DrawLine(Graphics);
    DrawIndicators(Graphics);
}

void TQvPointWithErrorSeries::DrawIndicators(TGPGraphics* Graphics) {
    const std::vector<TGPPointF>& Points = FScreen.Points();
    if (!BarsShown() || FEnds[XPlus].size() != Points.size()) return;
    if (!FErrorIndicatorsPen)
        FErrorIndicatorsPen = FErrorIndicator->GetPen(FGraph->GetDrawingArea());
    const float h = (FPointSymbolSettings->GetSize() - 1) / 2;
    const auto AddBars = [&](TGPGraphicsPath& Path, size_t k) {
        const TGPPointF& P = Points[k];
        for (TBar Bar : Bars) {
            const float End = FEnds[Bar][k];
            if (std::isnan(End)) continue;
            Path.StartFigure();
            if (Horizontal(Bar)) {
                Path.AddLine(P.X, P.Y, End, P.Y);
                Path.StartFigure();
                Path.AddLine(End, P.Y - h, End, P.Y + h);
            } else {
                Path.AddLine(P.X, P.Y, P.X, End);
                Path.StartFigure();
                Path.AddLine(P.X - h, End, P.X + h, End);
            }
        }
    };
    if (!FOnGetIndicatorsPen) {
        TGPGraphicsPath Path;
        for (size_t k = 0; k < Points.size(); ++k)
            AddBars(Path, k);
        Graphics->DrawPath(*FErrorIndicatorsPen, Path);
        return;
    }
    const std::vector<int>& Index = FScreen.Index();
    for (size_t k = 0; k < Points.size(); ++k) {
        const int i = Index[k];
        TQvPenEventArgs Args{i, ValueX(i), ValueY(i), FErrorIndicatorsPen.get(),
                             FErrorIndicator->GetVisible()};
        FOnGetIndicatorsPen(this, Args);
        if (!Args.Visible || !Args.Pen) continue;
        TGPGraphicsPath Path;
        AddBars(Path, k);
        Graphics->DrawPath(*Args.Pen, Path);
    }
}

float TQvPointWithErrorSeries::LegendSampleHeight() const {
    const float Height = TQvPointSeries::LegendSampleHeight();
    if (!BarsShown() || (!FDelta[YPlus] && !FDelta[YMinus])) return Height;
    return Height + 2 * LegendBarReach;
}

// The sample of the points with a bar through it, vertical for Y errors, horizontal for X.
void TQvPointWithErrorSeries::DrawListItem(const TQvLegendItemDrawArgs& Args,
                                           LegendItemStyle Style) {
    if (BarsShown()) {
        TGPGraphics* G = Args.Graphics;
        const float X = float(Args.Rect.Left), Y = float(Args.Rect.Top);
        const float W = float(Args.Rect.Right), H = float(Args.Rect.Bottom);
        const float Cx = X + W / 2, Cy = Y + H / 2;
        // A pixel inside the sample, so that the caps are not cut off.
        const float Reach = (FPointSymbolSettings->GetSize() + 1) / 2 + LegendBarReach - 1;
        const float h = (FPointSymbolSettings->GetSize() - 1) / 2;
        const std::unique_ptr<TQvPen> Pen = FErrorIndicator->GetPen(TGPRectF{X, Y, W, H});
        if (FDelta[YPlus] || FDelta[YMinus]) {
            const float Top = std::max(Y + 1, Cy - Reach), Bottom = std::min(Y + H - 1, Cy + Reach);
            G->DrawLine(*Pen, Cx, Top, Cx, Bottom);
            G->DrawLine(*Pen, Cx - h, Top, Cx + h, Top);
            G->DrawLine(*Pen, Cx - h, Bottom, Cx + h, Bottom);
        }
        if (FDelta[XPlus] || FDelta[XMinus]) {
            const float Left = std::max(X + 1, Cx - Reach), Right = std::min(X + W - 1, Cx + Reach);
            G->DrawLine(*Pen, Left, Cy, Right, Cy);
            G->DrawLine(*Pen, Left, Cy - h, Left, Cy + h);
            G->DrawLine(*Pen, Right, Cy - h, Right, Cy + h);
        }
    }
    TQvPointSeries::DrawListItem(Args, Style);
}

void TQvPointWithErrorSeries::VisitRecord(QvRecord::TRecord& R) {
    R.Settings({"ErrorBars.Indicator", "ErrorBars", "Indicator"}, FErrorIndicator.get());
    for (TBar Bar : Bars)
        R.Reference<TQvCustomDoubleVector>(
            {Names[Bar].Key, "ErrorBars", Names[Bar].Property}, FDelta[Bar],
            [this, Bar](TQvCustomDoubleVector* Value) { SetDelta(Bar, Value); });
    R.End("error bars");
}
