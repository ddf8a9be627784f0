// The zoom buffer of an axis, a stack of earlier ranges, and the scroll range it spans.

#include "axes/qvaxis.h"

#include "axes/qvmath.h"
#include "graph/qvgraph2d.h"

#include <algorithm>
#include <cmath>

using Qvmath::SaturatingRound;

namespace {
// Ends within this share of the span count as the data's ends.
constexpr double ClipTolerance = 1e-8;
// A scroll step ends this share short of (beyond, backwards) the tick it aims at, so that
// rounding the start up lands on that tick.
constexpr double ShortOfTick = 1e-4;
} // namespace

void TQvAxis::ZoomIn(double AStart, double AStop) {
    if (FLastZoomStart.empty()) {
        FLastZoomStart.push_back(FStart);
        FLastZoomStop.push_back(FStop);
        FZoomIdx = 0;
    }
    // An end outside both the data and the unzoomed range is kept.
    const double Lo = std::min({FValuesStart, FLastZoomStart.front(), FLastZoomStop.front()});
    const double Hi = std::max({FValuesStop, FLastZoomStart.front(), FLastZoomStop.front()});
    if (AStart >= Lo && AStart <= Hi) FStart = FLastStart = AStart;
    if (AStop >= Lo && AStop <= Hi) FStop = FLastStop = AStop;
    ++FZoomIdx;
    FLastZoomStart.resize(size_t(FZoomIdx));
    FLastZoomStop.resize(size_t(FZoomIdx));
    FLastZoomStart.push_back(FStart);
    FLastZoomStop.push_back(FStop);
    Modified();
}

void TQvAxis::LoadZoomStage() {
    FStart = FLastStart = FLastZoomStart[size_t(FZoomIdx)];
    FStop = FLastStop = FLastZoomStop[size_t(FZoomIdx)];
    Modified();
}

void TQvAxis::ZoomBack() {
    if (FLastZoomStart.empty()) return;
    if (--FZoomIdx < 0) FZoomIdx = GetZoomBufferSize() - 1;
    LoadZoomStage();
}

void TQvAxis::RedoZoom() {
    if (FLastZoomStart.empty()) return;
    if (++FZoomIdx >= GetZoomBufferSize()) FZoomIdx = 0;
    LoadZoomStage();
}

void TQvAxis::ZoomToStage(int Index) {
    if (Index < 0 || Index >= GetZoomBufferSize()) return;
    FZoomIdx = Index;
    LoadZoomStage();
}

void TQvAxis::ZoomClearBuffer() {
    FLastZoomStart.clear();
    FLastZoomStop.clear();
    FZoomIdx = 0;
}

double TQvAxis::GetScrollStart() const {
    return FLastZoomStart.empty() ? FStart : FLastZoomStart.front();
}

double TQvAxis::GetScrollStop() const {
    return FLastZoomStop.empty() ? FStop : FLastZoomStop.front();
}

// Scroll arithmetic runs in the scale's units: decades on a logarithmic axis.
double TQvAxis::ScrollSpan() const {
    const TQvScale& Scale = this->Scale();
    const double Span = Scale.ScrollUnits(GetScrollStop()) - Scale.ScrollUnits(GetScrollStart());
    return Span > 0 ? Span : Scale.ScrollUnits(FStop) - Scale.ScrollUnits(FStart);
}

int TQvAxis::ScrollRangeSize(double AStart, double AStop) const {
    const TQvScale& Scale = this->Scale();
    const double Size =
        ScrollSteps * (Scale.ScrollUnits(AStop) - Scale.ScrollUnits(AStart)) / ScrollSpan();
    if (!std::isfinite(Size)) return ScrollSteps;
    return SaturatingRound(std::clamp(Size, 0.0, double(ScrollSteps)));
}

int TQvAxis::ScrollPosition(double Value) const {
    const TQvScale& Scale = this->Scale();
    const double Position = ScrollSteps *
                            (Scale.ScrollUnits(Value) - Scale.ScrollUnits(GetScrollStart())) /
                            ScrollSpan();
    return std::isfinite(Position) ? SaturatingRound(Position) : 0;
}

void TQvAxis::ScrollBy(double Delta, bool Tracking, bool RecordStage) {
    const bool Rounded = !Tracking && !FHasLogScaling &&
                         (FEndRounding == TQvAxisEndRounding::RndToMajorZoomToMinor ||
                          FEndRounding == TQvAxisEndRounding::RndToMajor ||
                          FEndRounding == TQvAxisEndRounding::RndToMinor);
    const bool Major = FEndRounding == TQvAxisEndRounding::RndToMajor;
    const auto Round = [&](double v) { return Rounded ? RoundEnd(v, true, Major) : v; };
    const double Start = ScrollUnits(FStart);
    const double Width = ScrollUnits(FStop) - Start;
    const double Nudge = Rounded ? (Delta > 0 ? 1 - ShortOfTick : 1 + ShortOfTick) : 1;
    double s = std::max(Round(Start + Delta * Nudge), ScrollUnits(GetScrollStart()));
    double e = s + Width;
    if (const double Hi = ScrollUnits(GetScrollStop()); e > Hi) {
        e = Hi;
        s = Round(e - Width);
    }
    if (RecordStage)
        ZoomIn(FromScrollUnits(s), FromScrollUnits(e));
    else
        SetStartStop(FromScrollUnits(s), FromScrollUnits(e));
}

bool TQvAxis::GetIsClipped() const {
    if (FRedoRange) return false;
    const TQvGraph2D* Graph = ParentGraph();
    if (!Graph || Graph->SeriesCount() == 0 || FValuesStart >= FValuesStop) return false;
    const double Eps = (FStop - FStart) * ClipTolerance;
    // A fixed end counts as set before any zoom, so that zooming into it clips.
    const bool Zoomed = !FLastZoomStart.empty();
    const double Lo = FStartEnd != TQvAxisEnd::Fixed ? FValuesStart
                      : Zoomed                       ? FLastZoomStart.front()
                                                     : FStart;
    const double Hi = FStopEnd != TQvAxisEnd::Fixed ? FValuesStop
                      : Zoomed                      ? FLastZoomStop.front()
                                                    : FStop;
    return FStart - Eps > Lo || FStop + Eps < Hi;
}
