#include "pie/qvpielayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace QvPie {

namespace {

double Radians(double Degrees) {
    return Degrees * std::numbers::pi / 180;
}

bool Overlap(const TLabelRect& A, const TLabelRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

TLabelRect RectOf(const TCallout& C) {
    return {C.Left(), C.Top(), C.Right(), C.Bottom()};
}

// The distance from the centre to the nearest point of a box.
double DistanceToBox(const TUnitPoint& Center, double HalfWidth, double HalfHeight) {
    const double Du = std::max(std::abs(Center.U) - HalfWidth, 0.0);
    const double Dv = std::max(std::abs(Center.V) - HalfHeight, 0.0);
    return std::hypot(Du, Dv);
}

// The box centre on the ray along D, in steps of 0.001 from Radius on, nearest to the centre
// that keeps the whole box at least Radius away. The distance grows with the step, so the
// first such step is searched by halving.
TUnitPoint PlaceOnRay(const TUnitPoint& D, double HalfWidth, double HalfHeight, double Radius) {
    const auto At = [&](long long Steps) {
        const double r = Radius + 0.001 * double(Steps);
        return TUnitPoint{r * D.U, r * D.V};
    };
    const auto Clear = [&](long long Steps) {
        return DistanceToBox(At(Steps), HalfWidth, HalfHeight) >= Radius;
    };
    long long High = 1;
    while (!Clear(High))
        High *= 2;
    long long Low = 0;
    if (Clear(Low)) return At(Low);
    while (High - Low > 1) {
        const long long Middle = (Low + High) / 2;
        (Clear(Middle) ? High : Low) = Middle;
    }
    return At(High);
}

// Moves Box away from every placed box it overlaps, upwards or downwards, until it is free.
void MoveClear(TCallout& Box, const std::vector<const TCallout*>& Placed, bool Down) {
    for (bool Moved = true; Moved;) {
        Moved = false;
        for (const TCallout* Other : Placed) {
            if (!Overlap(RectOf(Box), RectOf(*Other))) continue;
            // A hair beyond the edge, so that rounding cannot leave the two touching.
            constexpr double Hair = 1e-9;
            Box.Center.V = Down ? Other->Bottom() + Box.HalfHeight + Hair
                                : Other->Top() - Box.HalfHeight - Hair;
            Box.Overlapped = true;
            Moved = true;
        }
    }
}

} // namespace

double NormalAngle(double Degrees) {
    if (!std::isfinite(Degrees)) return 0;
    const double a = std::fmod(Degrees, 360.0);
    return a < 0 ? (a + 360 >= 360 ? 0 : a + 360) : a;
}

TUnitPoint Direction(double Degrees) {
    const double a = Radians(Degrees);
    return {std::cos(a), std::sin(a)};
}

bool Spans(double Start, double Sweep, double Degrees) {
    return NormalAngle(Degrees - Start) <= Sweep;
}

std::vector<TSegment> MakeSegments(const std::vector<TIndexedValue>& Values, double StartAngle,
                                   double TotalAngle, bool OrderAscending) {
    std::vector<TSegment> Segments;
    const double Total =
        std::accumulate(Values.begin(), Values.end(), 0.0,
                        [](double Sum, const TIndexedValue& V) { return Sum + V.Value; });
    if (!(Total > 0) || !std::isfinite(Total) || !std::isfinite(TotalAngle)) return Segments;
    Segments.reserve(Values.size());
    for (const TIndexedValue& V : Values)
        Segments.push_back({V.Index, V.Value, V.Value * TotalAngle / Total, 0, 0});
    if (OrderAscending)
        std::stable_sort(Segments.begin(), Segments.end(),
                         [](const TSegment& A, const TSegment& B) { return A.Sweep < B.Sweep; });
    double a = NormalAngle(StartAngle);
    for (TSegment& S : Segments) {
        S.Start = a;
        a = NormalAngle(a + S.Sweep);
    }
    return Segments;
}

std::vector<int> DrawingOrder(const std::vector<TSegment>& Segments, bool ThreeD) {
    std::vector<int> Order(Segments.size());
    std::iota(Order.begin(), Order.end(), 0);
    if (!ThreeD) return Order;
    std::vector<double> Keys(Segments.size());
    for (size_t i = 0; i < Segments.size(); ++i) {
        const TSegment& S = Segments[i];
        const double e = 0.01 * S.Explode + 1;
        Keys[i] = std::min(std::sin(Radians(S.Start + 0.001 * S.Sweep)),
                           std::sin(Radians(S.Start + 0.999 * S.Sweep))) *
                  e;
    }
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Keys[A] < Keys[B]; });
    return Order;
}

TUnitPoint ExplodeOffset(const TSegment& Segment) {
    const TUnitPoint D = Direction(Segment.Mid());
    return {0.01 * Segment.Explode * D.U, 0.01 * Segment.Explode * D.V};
}

void GrowForExplode(const std::vector<TSegment>& Segments, TExtents& Extents) {
    TExtents Reach;
    for (const TSegment& S : Segments) {
        if (S.Explode <= 0) continue;
        // The sector's extremes: its centre, both ends of its arc and the axis points it passes.
        std::vector<TUnitPoint> Points{{0, 0}, Direction(S.Start), Direction(S.Start + S.Sweep)};
        for (const double Axis : {0.0, 90.0, 180.0, 270.0})
            if (Spans(S.Start, S.Sweep, Axis)) Points.push_back(Direction(Axis));
        const TUnitPoint Offset = ExplodeOffset(S);
        for (const TUnitPoint& P : Points) {
            const double u = P.U + Offset.U, v = P.V + Offset.V;
            Reach.Right = std::max(Reach.Right, u - 1);
            Reach.Left = std::max(Reach.Left, -u - 1);
            Reach.Bottom = std::max(Reach.Bottom, v - 1);
            Reach.Top = std::max(Reach.Top, -v - 1);
        }
    }
    Extents.Left += Reach.Left / 2;
    Extents.Top += Reach.Top / 2;
    Extents.Right += Reach.Right / 2;
    Extents.Bottom += Reach.Bottom / 2;
}

TUnitPoint InsideAnchor(const TSegment& Segment, double HoleFraction) {
    // The golden section of the ring, from the hole's edge outwards.
    const double r = 0.6180339 * (1 - HoleFraction) + HoleFraction;
    const TUnitPoint D = Direction(Segment.Mid());
    const TUnitPoint Offset = ExplodeOffset(Segment);
    return {r * D.U + Offset.U, r * D.V + Offset.V};
}

std::vector<TCallout> PlaceCallouts(const std::vector<TSegment>& Segments,
                                    const std::vector<TCalloutSize>& Sizes, double Gap,
                                    double LowerDrop, double MaxReach) {
    std::vector<TCallout> Callouts(Segments.size());
    for (size_t i = 0; i < Segments.size(); ++i) {
        const TSegment& S = Segments[i];
        TCallout& C = Callouts[i];
        C.HalfWidth = Sizes[i].HalfWidth;
        C.HalfHeight = Sizes[i].HalfHeight;
        const TUnitPoint D = Direction(S.Mid());
        C.Center = PlaceOnRay(D, C.HalfWidth, C.HalfHeight, 1 + Gap);
        if (D.V > 0) C.Center.V += LowerDrop;
        const TUnitPoint Offset = ExplodeOffset(S);
        C.Center.U += Offset.U;
        C.Center.V += Offset.V;
        C.Anchor = {D.U + Offset.U, D.V + Offset.V};
    }
    // Boxes above the horizontal axis move up, those below it down; the ones nearest to the
    // axis keep their place.
    std::vector<int> Up, Down;
    for (size_t i = 0; i < Callouts.size(); ++i)
        (Callouts[i].Center.V < 0 ? Up : Down).push_back(int(i));
    std::stable_sort(Up.begin(), Up.end(),
                     [&](int A, int B) { return Callouts[A].Center.V > Callouts[B].Center.V; });
    std::stable_sort(Down.begin(), Down.end(),
                     [&](int A, int B) { return Callouts[A].Center.V < Callouts[B].Center.V; });
    std::vector<const TCallout*> Placed;
    for (const auto& [Group, Downwards] : {std::pair{&Up, false}, std::pair{&Down, true}}) {
        for (const int i : *Group) {
            TCallout& C = Callouts[size_t(i)];
            MoveClear(C, Placed, Downwards);
            if (std::abs(C.Center.V) + C.HalfHeight > MaxReach)
                C.Shown = false;
            else
                Placed.push_back(&C);
        }
    }
    return Callouts;
}

void GrowForCallouts(const std::vector<TCallout>& Callouts, TExtents& Extents) {
    TExtents Reach;
    for (const TCallout& C : Callouts) {
        if (!C.Shown) continue;
        Reach.Right = std::max(Reach.Right, C.Right() - 1);
        Reach.Left = std::max(Reach.Left, -C.Left() - 1);
        Reach.Bottom = std::max(Reach.Bottom, C.Bottom() - 1);
        Reach.Top = std::max(Reach.Top, -C.Top() - 1);
    }
    Extents.Left += Reach.Left / 2;
    Extents.Top += Reach.Top / 2;
    Extents.Right += Reach.Right / 2;
    Extents.Bottom += Reach.Bottom / 2;
}

std::vector<bool> KeepApart(const std::vector<TLabelRect>& Labels, const std::vector<int>& Priority,
                            const TLabelRect& Bounds) {
    std::vector<bool> Kept(Labels.size(), false);
    std::vector<const TLabelRect*> Taken;
    for (const int i : Priority) {
        const TLabelRect& L = Labels[size_t(i)];
        if (L.Left < Bounds.Left || L.Top < Bounds.Top || L.Right > Bounds.Right ||
            L.Bottom > Bounds.Bottom)
            continue;
        if (std::any_of(Taken.begin(), Taken.end(),
                        [&](const TLabelRect* Other) { return Overlap(L, *Other); }))
            continue;
        Kept[size_t(i)] = true;
        Taken.push_back(&L);
    }
    return Kept;
}

} // namespace QvPie
