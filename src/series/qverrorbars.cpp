#include "series/qverrorbars.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "graph/qvgraph2d.h"
#include "series/qvvaluereader.h"
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
constexpr auto Bars = TQvPointWithErrorSeries::AllBars;
constexpr TQvColor Gray = 0xFF808080;

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

// The values and bar lengths of a series.
struct TBarReaders {
    explicit TBarReaders(const TQvPointWithErrorSeries* S)
        : X(S->GetXData(), S->GetXValueTransformation(), S),
          Y(S->GetYData(), S->GetYValueTransformation(), S),
          Delta{TQvValueReader(S->GetDeltaXPlus(), S->GetDxPlusTransformation(), S),
                TQvValueReader(S->GetDeltaXMinus(), S->GetDxMinusTransformation(), S),
                TQvValueReader(S->GetDeltaYPlus(), S->GetDyPlusTransformation(), S),
                TQvValueReader(S->GetDeltaYMinus(), S->GetDyMinusTransformation(), S)} {}
    bool Reaches(TBar Bar, int i) const { return i >= 0 && i < Delta[Bar].Count(); }
    // Always positive; 0 where the vector does not reach i.
    double Length(TBar Bar, int i) const { return Reaches(Bar, i) ? std::abs(Delta[Bar](i)) : 0; }
    // The pixel of the end of bar Bar of value i, NaN without a bar.
    float End(const TQvPointWithErrorSeries* S, TBar Bar, int i) const {
        if (!Reaches(Bar, i)) return std::numeric_limits<float>::quiet_NaN();
        const bool InX = TQvPointWithErrorSeries::Horizontal(Bar);
        return S->EndPixel(Bar, InX ? X(i) : Y(i), Length(Bar, i));
    }

    TQvValueReader X, Y;
    std::array<TQvValueReader, 4> Delta;
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
    const TQvValueReader Delta(FDelta[Bar], FTransform[Bar], this);
    return i >= 0 && i < Delta.Count() ? std::abs(Delta(i)) : 0;
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
    const TBarReaders Read(this);
    const TQvValueReader& Value = X ? Read.X : Read.Y;
    // Without outliers every value counts, and the test per value is saved.
    const std::vector<TQvCustomDoubleVector*> Vectors = DataVectors();
    const bool Every =
        FOutliersVisible || std::none_of(Vectors.begin(), Vectors.end(),
                                         [](auto* V) { return V && V->GetAnyOutliers(); });
    Lo = MaxDouble;
    Hi = -MaxDouble;
    for (int i = 0; i < FCount; ++i) {
        if (!Every && !HasValuesAt(i)) continue;
        const double v = Value(i);
        if (!std::isfinite(v)) continue;
        const double Low = v - Read.Length(Minus, i), High = v + Read.Length(Plus, i);
        if (std::isfinite(High) && (!Log || High > 0)) Hi = std::max(Hi, High);
        // A lower end a logarithmic axis cannot show leaves the value itself as the lowest.
        if (std::isfinite(Low) && (!Log || Low > 0))
            Lo = std::min(Lo, Low);
        else if (!Log || v > 0)
            Lo = std::min(Lo, v);
    }
}

float TQvPointWithErrorSeries::EndPixel(TBar Bar, double Value, double Length) const {
    const double End = Forward(Bar) ? Value + Length : Value - Length;
    const TQvAxis* Axis = Horizontal(Bar) ? FXAxis : FYAxis;
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
        explicit TKept(const TQvPointWithErrorSeries* S) : Read(S) {}
        TBarReaders Read;
        int Index = -1;
        std::array<float, 4> Ends{};
    };
    auto Kept = std::make_shared<TKept>(this);
    return [this, Kept](int KeptIndex, int i) {
        if (Kept->Index != KeptIndex) {
            Kept->Index = KeptIndex;
            for (TBar Bar : Bars)
                Kept->Ends[Bar] = Kept->Read.End(this, Bar, KeptIndex);
        }
        for (TBar Bar : Bars) {
            const float End = Kept->Read.End(this, Bar, i), Other = Kept->Ends[Bar];
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
    const TBarReaders Read(this);
    for (TBar Bar : Bars) {
        FEnds[Bar].resize(Index.size());
        for (size_t k = 0; k < Index.size(); ++k)
            FEnds[Bar][k] = Read.End(this, Bar, Index[k]);
    }
}

void TQvPointWithErrorSeries::VisitRecord(QvRecord::TRecord& R) {
    R.Settings({"ErrorBars.Indicator", "ErrorBars", "Indicator"}, FErrorIndicator.get());
    for (TBar Bar : Bars)
        R.Reference<TQvCustomDoubleVector>(
            {Names[Bar].Key, "ErrorBars", Names[Bar].Property}, FDelta[Bar],
            [this, Bar](TQvCustomDoubleVector* Value) { SetDelta(Bar, Value); });
    R.End("error bars");
}
