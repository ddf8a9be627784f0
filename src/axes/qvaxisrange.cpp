// The range and scaling of an axis: the range properties, the mapping of values to pixels,
// and the calculation pass that finds the range from the data, rounds it and lays the axes out.

#include "axes/qvaxis.h"

#include "axes/qvmath.h"
#include "data/qvvectors.h"
#include "framework/qvvectorstate.h"
#include "graph/qvgraph2d.h"
#include "series/qvseries.h"
#include "undo/qvundostack.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {

// Beyond this many steps the moving slit is advanced by one multiplication.
constexpr double MaxSlitSteps = 1e6;
// A moving slit without an increment advances by a third of its width.
constexpr double SlitStepsPerWidth = 3;

// These scalings start out mapped logarithmically.
bool IsLogScaling(TQvAxisScaling Scaling) {
    return Scaling == TQvAxisScaling::Log || Scaling == TQvAxisScaling::LogEE;
}

} // namespace

// ---- Range and scaling ----

void TQvAxis::SetScaling(TQvAxisScaling Value) {
    if (!SetUndoable(FUndoStack, this, FScaling, Value, "Scaling", SAxisScaling)) return;
    FHasLogScaling = IsLogScaling(Value);
    if (!Scale().HasUserParts()) FAutoTickParts = true;
    if (TQvGraph2D* Graph = ParentGraph()) Graph->ZoomReset();
    Modified();
}

void TQvAxis::SetLogToNormalScalingLevel(double Value) {
    if (!SetUndoable(FUndoStack, this, FLogToNormalScalingLevel, std::max(Value, 0.0),
                     "LogToNormalScalingLevel", SAxisLogToNormalLevel))
        return;
    if (IsLogScaling(FScaling)) Modified();
}

void TQvAxis::SetMovingSlitWidth(double Value) {
    SetSlitProperty(FMovingSlitWidth, Value, "MovingSlitWidth", SAxisMovingSlitWidth);
}

void TQvAxis::SetMovingSlitIncrement(double Value) {
    SetSlitProperty(FMovingSlitIncrement, Value, "MovingSlitIncrement", SAxisMovingSlitIncrement);
}

// Setting the slit in the designer turns it on.
void TQvAxis::SetSlitProperty(double& Field, double Value, const char* Name,
                              const TResourceString& Caption) {
    if (Field == Value) return;
    RecordProperties(Caption, {"Start", "Stop", Name});
    Field = Value;
    if (InDesigner()) SetStopEnd(TQvAxisEnd::MovingSlit);
    RangeModified();
}

void TQvAxis::SetStart(double Value) {
    SetRangeEnd(true, Value);
}

void TQvAxis::SetStop(double Value) {
    SetRangeEnd(false, Value);
}

// An end the user sets is where auto-ranging starts from and what each pass rounds.
void TQvAxis::SetRangeEnd(bool AtStart, double Value) {
    double& End = AtStart ? FStart : FStop;
    Value = Scale().ClampValue(Value);
    if (!SetUndoable(FUndoStack, this, End, Value, AtStart ? "Start" : "Stop",
                     AtStart ? SAxisStart : SAxisStop))
        return;
    (AtStart ? FInitialStart : FInitialStop) = Value;
    (AtStart ? FLastStart : FLastStop) = Value;
    if (InDesigner()) DsgnRescaleSeriesVectors();
    Modified();
}

void TQvAxis::SetStartStop(double AStart, double AStop) {
    FStart = FLastStart = AStart;
    FStop = FLastStop = AStop;
    Modified();
}

void TQvAxis::SetStartEnd(TQvAxisEnd Value) {
    if (Value == TQvAxisEnd::MovingSlit) Value = TQvAxisEnd::Fixed;
    if (FStartEnd == Value) return;
    RecordProperties(SAxisStartEnd, {"Start", "Stop", "StartEnd"});
    FStartEnd = Value;
    if (Value == TQvAxisEnd::AutoRange)
        RangeModified();
    else
        Modified();
}

void TQvAxis::SetStopEnd(TQvAxisEnd Value) {
    if (FStopEnd == Value) return;
    TQvGraph2D* Graph = ParentGraph();
    TQvZoomSettings* Zoom = Graph ? Graph->GetZoom() : nullptr;
    // One step with the range and the zoom settings that a moving slit switches off.
    const QString Caption = SAxisStopEnd.Text();
    if (FUndoStack) {
        FUndoStack->StartGroup(Caption);
        for (const char* Name : {"Start", "Stop", "StartEnd", "StopEnd"})
            FUndoStack->PushProperty(this, Caption, QString::fromLatin1(Name));
    }
    FStopEnd = Value;
    if (Value == TQvAxisEnd::MovingSlit) {
        FStartEnd = TQvAxisEnd::Fixed;
        if (Zoom) {
            Zoom->SetAuto(false);
            if (GetHorizontal())
                Zoom->SetHScrollbarVisible(false);
            else
                Zoom->SetVScrollbarVisible(false);
        }
    }
    if (FUndoStack) FUndoStack->StopGroup();
    if (Value == TQvAxisEnd::AutoRange || Value == TQvAxisEnd::MovingSlit)
        RangeModified();
    else
        Modified();
}

void TQvAxis::SetStartPadding(double Value) {
    if (Value <= 0 || FStartPadding == Value) return;
    FStartPadding = Value;
    Modified();
}

void TQvAxis::SetStopPadding(double Value) {
    if (Value <= 0 || FStopPadding == Value) return;
    FStopPadding = Value;
    Modified();
}

void TQvAxis::SetEndRounding(TQvAxisEndRounding Value) {
    if (FEndRounding == Value) return;
    RecordProperties(SAxisEndRounding, {"Start", "Stop", "EndRounding"});
    FEndRounding = Value;
    Modified();
}

// ---- Mapping ----

bool TQvAxis::GetHorizontal() const {
    return FPosition == TQvAxisPosition::Bottom || FPosition == TQvAxisPosition::Top;
}

float TQvAxis::NumberToWorld(double Value) const {
    return TQvAxisMapper(*this).Pixel(Value);
}

void TQvAxis::NumbersToWorld(std::span<const double> Values, float* Pixels,
                             std::size_t Stride) const {
    const TQvAxisMapper Mapper(*this);
    const auto Map = [&](std::size_t From, auto ToPixel) {
        for (std::size_t k = From; k < Values.size(); ++k)
            Pixels[k * Stride] = Mapper.Maps(Values[k]) ? ToPixel(Values[k])
                                                        : std::numeric_limits<float>::quiet_NaN();
    };
    // Inlined, or four at a time: millions of points are mapped at a time.
    if (Mapper.Linear()) {
        const std::size_t Done =
            QvHasAvx2() ? QvAxisMapSteps::MapLinearAvx2(Values.data(), Values.size(), Pixels,
                                                        Stride, Mapper.LinearMap())
                        : 0;
        Map(Done, [&](double v) { return Mapper.LinearPixel(v); });
    } else {
        Map(0, [&](double v) { return Mapper.Pixel(v); });
    }
}

double TQvAxis::WorldToNumber(float Pixel) const {
    return TQvAxisMapper(*this).Number(Pixel);
}

void TQvAxis::SetAxisGeometry(float AxLeft, float AxTop, float AxLength) {
    FAxLeft = AxLeft;
    FAxTop = AxTop;
    FAxLength = AxLength;
}

double TQvAxis::MajorIncrement() const {
    return Scale().MajorIncrement(FScaleState);
}

double TQvAxis::MinorIncrement() const {
    return Scale().MinorIncrement(FScaleState);
}

// ---- Update cycle ----

void TQvAxis::Modified() {
    FRecalculate = true;
    FValuesRounded = false;
    Invalidate();
}

void TQvAxis::RangeModified() {
    const TQvGraph2D* Graph = ParentGraph();
    if ((Graph && Graph->GetLoading()) || IsDestroying()) return;
    if (!FLastZoomStart.empty()) {
        if (FStartEnd != TQvAxisEnd::AutoRange) SetStart(FLastZoomStart.front());
        if (FStopEnd != TQvAxisEnd::AutoRange) SetStop(FLastZoomStop.front());
    }
    if (FRelatedSeries.isEmpty()) {
        Modified();
        return;
    }
    FValuesStart = MaxDouble;
    FValuesStop = -MaxDouble;
    ZoomClearBuffer();
    FRedoRange = true;
    // The new range is found at the next paint.
    Invalidate();
}

void TQvAxis::GetNewRanges() {
    if (!FRedoRange) return;
    const bool Horizontal = GetHorizontal();
    double Lo = MaxDouble, Hi = -MaxDouble;
    for (const TQvSeries* Series : std::as_const(FRelatedSeries)) {
        if (!Series->SeriesVisible()) continue;
        const double a = Horizontal ? Series->GetXStart() : Series->GetYStart();
        const double b = Horizontal ? Series->GetXStop() : Series->GetYStop();
        if (a > b) continue;
        Lo = std::min(Lo, a);
        Hi = std::max(Hi, b);
    }
    FDataStart = Lo;
    FDataStop = Hi;
    if (Hi >= Lo && Lo == FValuesStart && Hi == FValuesStop) {
        FRedoRange = false;
        return;
    }
    if (Hi < Lo) {
        Lo = FInitialStart;
        Hi = FInitialStop;
    }
    FValuesStart = Lo;
    FValuesStop = Hi;

    // The requested range, before padding and rounding, is kept in FLastStart / FLastStop so
    // that every calculation pass rounds from the same values.
    double s = FValuesStart, e = FValuesStop;
    if (FStopEnd != TQvAxisEnd::MovingSlit) {
        if (FStartEnd == TQvAxisEnd::FirstSet) {
            s = std::min(FValuesStart, FLastStart);
        } else if (FStartEnd == TQvAxisEnd::Fixed) {
            s = FValuesStart = FLastStart;
        }
        if (FStopEnd == TQvAxisEnd::FirstSet) {
            e = std::max(FValuesStop, FLastStop);
        } else if (FStopEnd == TQvAxisEnd::Fixed) {
            e = FValuesStop = FLastStop;
        }
    } else if (InDesigner()) {
        s = FLastStart;
        e = FLastStop;
    } else {
        MovingSlitEnds(s, e);
    }
    FLastStart = s;
    FLastStop = e;
    RoundEnds(s, e);
    FStart = s;
    FStop = e;
    Modified();
    FRedoRange = false;
}

// The slit advances from the initial range by whole increments until it holds the data's stop.
void TQvAxis::MovingSlitEnds(double& AStart, double& AStop) {
    if (FMovingSlitWidth <= 0) FMovingSlitWidth = FInitialStop - FInitialStart;
    if (FMovingSlitIncrement <= 0 || FMovingSlitIncrement > FMovingSlitWidth)
        FMovingSlitIncrement = FMovingSlitWidth / SlitStepsPerWidth;
    double Slit = FInitialStart + FMovingSlitWidth;
    const double Step = FMovingSlitIncrement;
    if (Step > 0 && std::isfinite(Step) && Slit < FValuesStop) {
        const double Steps = std::ceil((FValuesStop - Slit) / Step);
        if (Steps > MaxSlitSteps) Slit += (Steps - 1) * Step;
        while (Slit < FValuesStop)
            Slit += Step;
    }
    AStop = Slit;
    AStart = Slit - FMovingSlitWidth > FValuesStart ? Slit - FMovingSlitWidth : FInitialStart;
}

double TQvAxis::RoundEnd(double Value, bool Up, bool Major) const {
    return Scale().RoundEnd(Value, Up, Major, FScaleState);
}

void TQvAxis::RoundEnds(double& AStart, double& AStop) {
    FAdditionalExponent = false;
    ClampEnds(AStart, AStop);
    const bool Panning = GraphPanning();
    if (FAutoTickParts && !Panning) {
        PadEnds(AStart, AStop);
        Scale().ChoosePartition(AStart, AStop, FScaleState, *this);
    } else {
        Scale().KeepPartition(AStart, AStop, FScaleState);
    }
    RoundToPartition(AStart, AStop);
    Scale().SettleEnds(AStart, AStop, FScaleState, *this);
}

// The scale of the scaling decides how the usable range maps.
void TQvAxis::ClampEnds(double& AStart, double& AStop) {
    const TQvEndRules Rules{FStartEnd == TQvAxisEnd::AutoRange, FStopEnd == TQvAxisEnd::AutoRange,
                            FValuesStart,
                            [this](double Below) { return SmallestPositiveValue(Below); }};
    Scale().ClampEnds(AStart, AStop, Rules);
    FHasLogScaling =
        Scale().MapsLogarithmically(AStart, AStop, FLogToNormalScalingLevel, FScaleState);
}

void TQvAxis::PadEnds(double& AStart, double& AStop) const {
    if (!Scale().Pads()) return;
    const double r = AStop - AStart;
    AStart -= r * FStartPadding;
    AStop += r * FStopPadding;
}

bool TQvAxis::GraphPanning() const {
    const TQvGraph2D* Graph = ParentGraph();
    return Graph && Graph->GetPanning();
}

TQvAxis::TEndRounding TQvAxis::EndRounding() const {
    if (GraphPanning()) return TEndRounding::None;
    const bool Zoomed = !FLastZoomStart.empty();
    switch (FEndRounding) {
    case TQvAxisEndRounding::RndToMajorZoomToMinor:
        return Zoomed ? TEndRounding::Minor : TEndRounding::Major;
    case TQvAxisEndRounding::RndToMajorZoomToNothing:
        return Zoomed ? TEndRounding::None : TEndRounding::Major;
    case TQvAxisEndRounding::RndToMajor:
        return TEndRounding::Major;
    case TQvAxisEndRounding::RndToMinorZoomToNothing:
        return Zoomed ? TEndRounding::None : TEndRounding::Minor;
    case TQvAxisEndRounding::RndToMinor:
        return TEndRounding::Minor;
    case TQvAxisEndRounding::RndNothing:
        break;
    }
    return TEndRounding::None;
}

// Ends near the largest or smallest double would round beyond it: they stay.
void TQvAxis::RoundToPartition(double& AStart, double& AStop) const {
    const TEndRounding Rounding = EndRounding();
    if (Rounding == TEndRounding::None) return;
    const bool Major = Rounding == TEndRounding::Major;
    const double Start = RoundEnd(AStart, false, Major);
    const double Stop = RoundEnd(AStop, true, Major);
    if (Scale().Maps(Start)) AStart = Start;
    if (Scale().Maps(Stop)) AStop = Stop;
}

// The smallest value above 0 and below Below among all points of the related series; 0 when
// there is none.
double TQvAxis::SmallestPositiveValue(double Below) const {
    const bool Horizontal = GetHorizontal();
    double Result = MaxDouble;
    for (const TQvSeries* Series : std::as_const(FRelatedSeries)) {
        const TQvCustomDoubleVector* Data = Horizontal ? Series->GetXData() : Series->GetYData();
        if (!Data) continue;
        const int n = Series->GetCount();
        for (int i = 0; i < n; ++i) {
            const double v = Horizontal ? Series->TransformX(i, Data->GetValue(i))
                                        : Series->TransformY(i, Data->GetValue(i));
            if (v > 0 && v < Below && v < Result) Result = v;
        }
    }
    return Result == MaxDouble ? 0 : Result;
}

// Rounds the requested range of this pass once.
void TQvAxis::CalculateRange() {
    TQvAxis* Master = FMasterAxis;
    if (FIsSlaveAxis && Master && Master->FStart <= Master->FStop) {
        FScaling = Master->FScaling;
        if (!Master->FValuesRounded) Master->CalculateRange();
        const double MasterStart = Master->FStart, MasterStop = Master->FStop;
        const double s = MasterStart * FSlaveSlope + FSlaveOffset;
        const double e = MasterStop * FSlaveSlope + FSlaveOffset;
        // The partition comes from the rounded range, the ends always follow the master.
        double a = std::min(s, e), b = std::max(s, e);
        RoundEnds(a, b);
        FStart = s;
        FStop = e;
        if (FSlaveSlope == 1 && FSlaveOffset == 0) {
            const QvTicks::TParts& MasterParts = Master->FScaleState.Parts;
            FScaleState.Parts.TickPart = MasterParts.TickPart;
            FScaleState.Parts.MajorTickPart = MasterParts.MajorTickPart;
            FScaleState.Parts.LabelPart = MasterParts.LabelPart;
        }
        Scale().MapEnds(s, e, FScaleState);
    } else {
        double s = FLastStart, e = FLastStop;
        RoundEnds(s, e);
        FStart = s;
        FStop = e;
    }
    FValuesRounded = true;
}

void TQvAxis::Calculate() {
    TQvGraph2D* Graph = ParentGraph();
    const QList<TQvAxis*> Axes = Graph ? Graph->ChildAxes() : QList<TQvAxis*>{this};
    const QScopedValueRollback<bool> Guard = MarkPass();
    for (TQvAxis* Axis : Axes) {
        // Each pass rounds every axis anew: a slave follows its master, and a resized axis
        // gets the partition of its new length.
        Axis->FValuesRounded = false;
        Axis->UpdateDB();
        Axis->FFontSize = Axis->GetNumbersFont()->GetSizeF();
        // The partition fits the labels into the length the axis will span.
        if (Graph && Axis->FAutoSize) {
            if (Axis->GetHorizontal())
                Axis->SetWidth(Graph->ClientWidth());
            else
                Axis->SetHeight(Graph->ClientHeight());
        }
    }
    for (TQvAxis* Axis : Axes) {
        if (!Axis->FValuesRounded) Axis->CalculateRange();
        Axis->FAxLeft = 0;
        Axis->FAxTop = 0;
        Axis->FAxLength = Axis->AxisPixels();
        Axis->CalculateTicks();
    }
    if (Graph) Graph->LayoutAxes();
    for (TQvAxis* Axis : Axes)
        Axis->FRecalculate = false;
    for (TQvAxis* Axis : Axes)
        if (Axis->FOnCalculated) Axis->FOnCalculated(Axis);
}

// A graph's axes share its pass; a lone axis keeps its own.
QScopedValueRollback<bool> TQvAxis::MarkPass() {
    if (TQvGraph2D* Graph = ParentGraph()) return Graph->AxisPass();
    return QScopedValueRollback<bool>(FPassRunning, true);
}

bool TQvAxis::PassRunning() const {
    const TQvGraph2D* Graph = ParentGraph();
    return Graph ? Graph->AxisPassRunning() : FPassRunning;
}

void TQvAxis::DsgnRescaleSeriesVectors() {
    const double Span = FValuesStop - FValuesStart;
    if (!(Span != 0) || !std::isfinite(Span)) return;
    const double r = (FStop - FStart) / Span;
    std::vector<TQvDoubleVector*> Done;
    auto Rescale = [&](TQvDoubleVector* Vector, bool IsDifference) {
        if (!Vector || Vector->GetPersistentValues()) return;
        if (std::find(Done.begin(), Done.end(), Vector) != Done.end()) return;
        Done.push_back(Vector);
        for (int i = 0; i < Vector->GetCount(); ++i) {
            const double v = Vector->GetValue(i);
            Vector->SetValue(i, IsDifference ? v * r : (v - FValuesStart) * r + FStart);
        }
    };
    const bool Horizontal = GetHorizontal();
    for (const TQvSeries* Series : std::as_const(FRelatedSeries)) {
        TQvSeries::TScaledVectors Vectors;
        Series->GetScaledVectors(Horizontal, Vectors);
        for (TQvDoubleVector* Vector : Vectors.Values)
            Rescale(Vector, false);
        for (TQvDoubleVector* Vector : Vectors.Differences)
            Rescale(Vector, true);
    }
}

void TQvAxis::CheckResize() {
    if (PassRunning()) return;
    if (FStartEnd == TQvAxisEnd::AutoRange) FStart = FLastStart;
    if (FStopEnd == TQvAxisEnd::AutoRange) FStop = FLastStop;
    Modified();
}
