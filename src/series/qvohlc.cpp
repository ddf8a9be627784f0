// Price bars: their vectors and settings, the price range, and the bars on the screen, one per
// value or, where values crowd, one per pixel column.

#include "series/qvohlc.h"

#include "axes/qvaxis.h"
#include "axes/qvmath.h"
#include "graph/qvgraph2d.h"
#include "series/qvvaluereader.h"
#include "undo/qvundostack.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {

// A fifth of each time step stays free between the bars on a date-time axis.
constexpr float StepGap = 0.2f;

int Sign(double v) {
    return (v > 0) - (v < 0);
}

} // namespace

TQvCustomOHLC::TQvCustomOHLC(TComponent* AOwner) : TQvRecordedSeries(AOwner) {
    AddFurtherVector(FLowData, false, false);
    AddFurtherVector(FOpenData, false, false);
    AddFurtherVector(FHighData, false, false);
}

// ---- Properties ----

void TQvCustomOHLC::SetBarWidth(float Value) {
    if (!SetUndoable(FUndoStack, this, FBarWidth, Value, "BarWidth", SOHLCBarWidth)) return;
    PointsModified();
    // The outermost bars need room beside the data area.
    if (FGraph) FGraph->Modified();
}

void TQvCustomOHLC::SetOpenData(TQvCustomDoubleVector* Value) {
    SetVectorReference(FOpenData, Value, "OpenData", SOHLCOpenData);
}

void TQvCustomOHLC::SetHighData(TQvCustomDoubleVector* Value) {
    SetVectorReference(FHighData, Value, "HighData", SOHLCHighData);
}

void TQvCustomOHLC::SetLowData(TQvCustomDoubleVector* Value) {
    SetVectorReference(FLowData, Value, "LowData", SOHLCLowData);
}

void TQvCustomOHLC::SetCloseData(TQvCustomDoubleVector* Value) {
    if (Value == FYData) return;
    if (FUndoStack) FUndoStack->StartGroup(SOHLCCloseData.Text());
    SetYData(Value);
    if (FUndoStack) FUndoStack->StopGroup();
}

void TQvCustomOHLC::SetLowValueTransformation(const TQvValueTransformation& Value) {
    FLowTransformation = Value;
    RangesModified();
}

void TQvCustomOHLC::SetOpenValueTransformation(const TQvValueTransformation& Value) {
    FOpenTransformation = Value;
    RangesModified();
}

void TQvCustomOHLC::SetHighValueTransformation(const TQvValueTransformation& Value) {
    FHighTransformation = Value;
    RangesModified();
}

double TQvCustomOHLC::GetLow(int i) const {
    return Transformed(FLowTransformation, this, i, FLowData->GetValue(i));
}

double TQvCustomOHLC::GetOpen(int i) const {
    return Transformed(FOpenTransformation, this, i, FOpenData->GetValue(i));
}

double TQvCustomOHLC::GetHigh(int i) const {
    return Transformed(FHighTransformation, this, i, FHighData->GetValue(i));
}

// ---- Values and ranges ----

int TQvCustomOHLC::GetCount() const {
    FMinCount = 1;
    int n = std::numeric_limits<int>::max();
    for (const TQvCustomDoubleVector* Vector : DataVectors()) {
        if (!Vector) return 0;
        n = std::min(n, Vector->GetCount());
    }
    return n;
}

bool TQvCustomOHLC::HasValuesAt(int i) const {
    return FOutliersVisible || (TQvSeries::HasValuesAt(i) && !FurtherOutlierAt(i));
}

// The lowest low to the highest high. Without transformations, hidden outliers or values
// beyond the bars, the vectors' statistics tell; otherwise the bars are walked.
void TQvCustomOHLC::PriceRange(double& Lo, double& Hi) const {
    const bool Log = FYAxis->GetHasLogScaling();
    bool Summed = !FLowTransformation && !FHighTransformation;
    for (const TQvCustomDoubleVector* Vector : DataVectors())
        Summed = Summed && Vector->GetCount() == FCount &&
                 (FOutliersVisible || !Vector->GetAnyOutliers());
    if (Summed) {
        Lo = FLowData->GetMinimumIncludingOutliers();
        Hi = FHighData->GetMaximumIncludingOutliers();
        if (std::isfinite(Lo) && std::isfinite(Hi) && (!Log || Lo > 0)) return;
    }
    Lo = MaxDouble;
    Hi = -MaxDouble;
    const auto Shown = [Log](double v) { return std::isfinite(v) && (!Log || v > 0); };
    for (int i = 0; i < FCount; ++i) {
        if (!HasValuesAt(i)) continue;
        if (const double Low = GetLow(i); Shown(Low)) Lo = std::min(Lo, Low);
        if (const double High = GetHigh(i); Shown(High)) Hi = std::max(Hi, High);
    }
}

void TQvCustomOHLC::Calculate() {
    if (!FXData || !FYData || !FXAxis || !FYAxis) return;
    FCount = GetCount();
    if (FLastCount >= FCount || FCount < FMinCount) return;
    double XLo, XHi, YLo, YHi;
    DataRange(true, XLo, XHi);
    PriceRange(YLo, YHi);
    const auto Report = [](TQvAxis* Axis, double Lo, double Hi, double& Start, double& Stop) {
        if (Lo == Start && Hi == Stop) return;
        Start = Lo;
        Stop = Hi;
        Axis->RangeModified();
    };
    Report(FXAxis, XLo, XHi, FXStart, FXStop);
    Report(FYAxis, YLo, YHi, FYStart, FYStop);
    FScreen.Invalidate();
    Invalidate();
    FLastCount = FCount;
}

// ---- Notifications: the hierarchies follow the lows and highs ----

void TQvCustomOHLC::SetLastCount(int N) {
    TQvSeries::SetLastCount(N);
    FLowHierarchy.Truncate(std::size_t(std::max(N, 0)));
    FHighHierarchy.Truncate(std::size_t(std::max(N, 0)));
}

void TQvCustomOHLC::ValueChanged(const TQvCustomDoubleVector* Vector, int Index) {
    if (Vector == FLowData) FLowHierarchy.Truncate(std::size_t(std::max(Index, 0)));
    if (Vector == FHighData) FHighHierarchy.Truncate(std::size_t(std::max(Index, 0)));
    // Any value may move a bar: the bars are made anew.
    PointsModified();
}

void TQvCustomOHLC::RangesModified() {
    FLowHierarchy.Truncate(0);
    FHighHierarchy.Truncate(0);
    TQvSeries::RangesModified();
}

// ---- Bars on the screen ----

void TQvCustomOHLC::CalculatePoints() {
    if (!FXAxis || !FYAxis) return;
    FScreen.Invalidate();
    FScreen.Begin(FXAxis->Mapping(), FYAxis->Mapping());
    FBars.clear();
    const int Count = std::min(FCount, GetCount());
    int Start = 0, Stop = Count - 1;
    const bool Ascending = Count > 0 && FXData->GetOnlyAscending() && !FXData->GetAnyOutliers();
    if (Ascending)
        std::tie(Start, Stop) = QvPointStages::VisibleRange(
            Start, Stop, std::min(FXAxis->GetStart(), FXAxis->GetStop()),
            std::max(FXAxis->GetStart(), FXAxis->GetStop()), [this](int i) { return ValueX(i); });
    const bool OnColumns = Ascending && CanUseColumns(Start, Stop);
    if (OnColumns) {
        FLowHierarchy.Extend({FLowData->Data(), size_t(FLowData->GetCount())});
        FHighHierarchy.Extend({FHighData->Data(), size_t(FHighData->GetCount())});
        QvPointStages::ForEachColumn(
            Start, Stop, TQvValueReader(FXData, FXTransformation, this), [this](double v) { return FXAxis->NumberToWorld(v); },
            [this](float p) { return FXAxis->WorldToNumber(p); },
            [this](int c, int i, int j) { AddColumn(c, i, j); });
        FDrawnWidth = 1;
        FDrawnTick = 0;
    } else {
        for (int i = Start; i <= Stop; ++i)
            if (HasValuesAt(i)) AddBar(i);
        FDrawnWidth = FBarWidth;
        FDrawnTick = TickLength();
        if (FXAxis->GetScaling() == TQvAxisScaling::DateTime && Stop > Start)
            SplitStep(StepWidth(Start, Stop), FDrawnWidth, FDrawnTick);
    }
    FScreen.End(Count, OnColumns);
}

// More bars than pixel columns over ascending X, plain values the Y axis can show, the lows
// and highs in arrays: each column's bar comes from the first and last bar in it and the
// extremes of the hierarchies, so the cost follows the screen width.
bool TQvCustomOHLC::CanUseColumns(int Start, int Stop) const {
    if (Stop - Start < 2 || FXTransformation || FLowTransformation || FHighTransformation)
        return false;
    if (!FLowData->Data() || !FHighData->Data()) return false;
    for (const TQvCustomDoubleVector* Vector : DataVectors())
        if (!FOutliersVisible && Vector->GetAnyOutliers()) return false;
    const double Lo = FLowData->GetMinimumIncludingOutliers();
    const double Hi = FHighData->GetMaximumIncludingOutliers();
    if (!std::isfinite(Lo) || !std::isfinite(Hi) || (FYAxis->GetHasLogScaling() && Lo <= 0))
        return false;
    const float Columns =
        std::abs(FXAxis->NumberToWorld(ValueX(Stop)) - FXAxis->NumberToWorld(ValueX(Start))) + 1;
    return float(Stop - Start + 1) > Columns;
}

void TQvCustomOHLC::AddBar(int i) {
    TBar Bar{AxisPixel(FXAxis, ValueX(i)),   AxisPixel(FYAxis, GetOpen(i)),
             AxisPixel(FYAxis, GetHigh(i)),  AxisPixel(FYAxis, GetLow(i)),
             AxisPixel(FYAxis, GetClose(i)), Sign(FYData->GetValue(i) - FOpenData->GetValue(i))};
    if (!std::isfinite(Bar.X + Bar.Open + Bar.High + Bar.Low + Bar.Close)) return;
    FBars.push_back(Bar);
    FScreen.Output().Add({Bar.X, Bar.Close}, i);
}

// The bar of column c: the open of its first bar, the highest high, the lowest low and the
// close of its last bar.
void TQvCustomOHLC::AddColumn(int c, int First, int Last) {
    const std::span<const double> Lows(FLowData->Data(), size_t(FLowData->GetCount()));
    const std::span<const double> Highs(FHighData->Data(), size_t(FHighData->GetCount()));
    const double Lowest = FLowHierarchy.MinMax(Lows, size_t(First), size_t(Last)).Min;
    const double Highest = FHighHierarchy.MinMax(Highs, size_t(First), size_t(Last)).Max;
    if (std::isnan(Lowest) || std::isnan(Highest)) return;
    const float X = float(c);
    TBar Bar{X,
             AxisPixel(FYAxis, GetOpen(First)),
             AxisPixel(FYAxis, Highest),
             AxisPixel(FYAxis, Lowest),
             AxisPixel(FYAxis, GetClose(Last)),
             Sign(FYData->GetValue(Last) - FOpenData->GetValue(First))};
    if (!std::isfinite(Bar.Open + Bar.High + Bar.Low + Bar.Close)) return;
    FBars.push_back(Bar);
    FScreen.Output().Add({X, Bar.Close}, Last);
}

// The pixels of the smallest step between neighbouring bars, less the gap.
float TQvCustomOHLC::StepWidth(int Start, int Stop) const {
    double Step = MaxDouble;
    for (int i = Start; i < Stop; ++i) {
        const double d = std::abs(ValueX(i + 1) - ValueX(i));
        if (d > 0 && d < Step) Step = d;
    }
    if (Step == MaxDouble) return FBarWidth + 2 * TickLength();
    const double From = ValueX(Start);
    const float Pixels = std::abs(FXAxis->NumberToWorld(From + Step) - FXAxis->NumberToWorld(From));
    return std::max(1.0f, Pixels * (1 - StepGap));
}

float TQvCustomOHLC::ExtraSpaceAt(TQvAxisPosition Position) const {
    // The outermost bars reach half their width, and the ticks, beyond the ends of the X axis.
    if (Position != TQvAxisPosition::Bottom && Position != TQvAxisPosition::Top) return 0;
    if (!SeriesVisible() || !FXAxis || !FYAxis) return 0;
    const_cast<TQvCustomOHLC*>(this)->CurrentScreenPoints();
    return FDrawnWidth / 2 + FDrawnTick;
}

int TQvCustomOHLC::FindPoint(float X, float Y) const {
    return FindPoint(X, Y, 0);
}

int TQvCustomOHLC::FindPoint(float X, float Y, float Tolerance) const {
    if (FScreen.Stale()) return -1;
    const float Half = FDrawnWidth / 2 + Tolerance;
    for (size_t k = 0; k < FBars.size(); ++k) {
        const TBar& Bar = FBars[k];
        if (std::abs(X - Bar.X) <= Half && Y >= std::min(Bar.High, Bar.Low) - Tolerance &&
            Y <= std::max(Bar.High, Bar.Low) + Tolerance)
            return FScreen.Index()[k];
    }
    return -1;
}
