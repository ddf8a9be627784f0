#pragma once

// One-pixel lines written straight into 32-bit premultiplied pixels, many times faster than a
// general rasteriser for the millions of short segments of a long line. Plain C++.
//
// Antialiased, along its major axis each column (or row) of pixels takes the part of the
// line's length it holds, one pixel's worth across, shared by the two pixels the line's centre
// falls between. Aliased, the pixels are those of Qt's own one-pixel pen, so that a line looks
// the same whichever way it is drawn: positions in 1/64 pixel, one pixel across at the centre
// (or edge) of each pixel along, joins of a polyline without gaps or doubled pixels, and
// segments shorter than a pixel left out.

#include "framework/qvbothcores.h"
#include "style/qvthinlinesteps.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

struct TQvPixelTarget {
    std::uint32_t* Pixels;
    std::ptrdiff_t Stride; // pixels per row
    // The pixels that may be written: Left <= x < Right, Top <= y < Bottom.
    int Left, Top, Right, Bottom;
};

// Lines in one opaque colour into one target. A line drawn on two cores has a helper beside it
// on the stack, and each writes its own join state at every segment: on one cache line, the
// two cores would take it from each other all the time.
class alignas(64) TQvThinLines {
public:
    // Without Vectors, smooth lines are drawn as where the processor has no AVX2: their
    // segments worked out one at a time, their coverage blended 16 pixels at a time. The pixels
    // are the same.
    TQvThinLines(const TQvPixelTarget& Target, std::uint32_t Color, bool Smooth,
                 bool Vectors = true);

    // Count points P[k].X, P[k].Y moved by Dx, Dy, in pixel coordinates (pixel (i, j) covers
    // i .. i + 1 and j .. j + 1): a polyline, or with Pairs the segments 0 to 1, 2 to 3, ...
    template <class Point>
    void Draw(const Point* P, int Count, bool Pairs, double Dx, double Dy) {
        QvClearUpperVectorHalves();
        const bool Gather = FSmooth && Count >= GatherFrom && BeginCoverage(P, Count, Dx, Dy);
        // A closed outline's first join is that with its last segment.
        const Point* Closing =
            !Pairs && Count > 2 && P[0].X == P[Count - 1].X && P[0].Y == P[Count - 1].Y
                ? &P[Count - 2]
                : nullptr;
        if (FSmooth && !Gather) {
            if (Count < ShareDirectFrom || QvOnOneOfBothCores)
                return DrawPieces(P, Count, Pairs, Dx, Dy, Closing);
            // Blended straight into the pixels, segments must go over each pixel in their
            // order: each core draws all of them, but only into the rows on its side of the
            // middle one.
            TQvThinLines Upper(*this), Lower(*this);
            Upper.FTarget.Bottom = Lower.FTarget.Top = MiddleRow(P, Count, Dy);
            RunOnBothCores([&] { Upper.DrawPieces(P, Count, Pairs, Dx, Dy, Closing); },
                           [&] { Lower.DrawPieces(P, Count, Pairs, Dx, Dy, Closing); });
        } else if (Count >= (Gather ? ShareFrom : ShareDirectFrom)) {
            // Pieces do not depend on each other but for aliased joins. Gathered, a second
            // core gathers the second half into a coverage of its own, which is then added to
            // the first half's; aliased, both write the one colour straight into the pixels, in
            // whichever order.
            const int Middle = Pairs ? Count / 4 * 2 : Count / 2;
            TQvThinLines Helper(*this, SecondCore);
            RunOnBothCores(
                [&] { DrawPieces(P, Pairs ? Middle : Middle + 1, Pairs, Dx, Dy, Closing); },
                [&] {
                    Helper.DrawPieces(P + Middle, Count - Middle, Pairs, Dx, Dy,
                                      Pairs ? nullptr : &P[Middle - 1]);
                });
            if (Gather) EndCoverage(*this, &Helper);
        } else {
            DrawPieces(P, Count, Pairs, Dx, Dy, Closing);
            if (Gather) EndCoverage(*this, nullptr);
        }
    }

private:
    // From this many points on, lines are drawn on two cores: gathered ones from ShareFrom,
    // those written straight into the pixels from ShareDirectFrom.
    static constexpr int ShareFrom = 1 << 13, ShareDirectFrom = 1 << 10;
    struct TSecondCore {};
    static constexpr TSecondCore SecondCore{};
    // A helper that draws over the same pixels as Main; smooth, it gathers into a coverage of
    // its own.
    TQvThinLines(const TQvThinLines& Main, TSecondCore);

    // The row of the target with about as many of the points above it as from it on.
    template <class Point> int MiddleRow(const Point* P, int Count, double Dy) const {
        const std::optional<double> Middle =
            MiddleOfSample(std::size_t(Count), 256, [&](std::size_t k) -> std::optional<double> {
                if (!std::isfinite(P[k].Y)) return std::nullopt;
                return P[k].Y + Dy;
            });
        if (!Middle) return FTarget.Top;
        return int(std::clamp(std::floor(*Middle), double(FTarget.Top), double(FTarget.Bottom)));
    }

    // A polyline joins its first segment to the one from Before (when given) to P[0].
    template <class Point>
    void DrawPieces(const Point* P, int Count, bool Pairs, double Dx, double Dy,
                    const Point* Before) {
        const auto Line = [&](int From, int To) {
            return Segment(P[From].X + Dx, P[From].Y + Dy, P[To].X + Dx, P[To].Y + Dy);
        };
        FLast = {};
        if (Pairs) {
            for (int k = 0; k + 1 < Count; k += 2) {
                FLast = {};
                Line(k, k + 1);
            }
            return;
        }
        if constexpr (sizeof(Point) == 2 * sizeof(float) && sizeof(P->X) == sizeof(float)) {
            if (FSmooth) return SmoothPolyline(&P->X, Count, Dx, Dy);
        }
        if (!FSmooth && Before)
            Aliased(Before->X + Dx, Before->Y + Dy, P[0].X + Dx, P[0].Y + Dy, false);
        // Past a segment too short to draw, the next one starts where it started.
        for (int Start = 0, k = 1; k < Count; ++k)
            if (Line(Start, k) || k == 1 || k == Count - 1) Start = k;
    }

    // From this many points on, and with a point for every 32 pixels around them or more,
    // smooth lines gather how much of every pixel they cover and blend their colour once per
    // pixel at the end. Pieces that overlap combine as blending them one after the other would
    // (the colour is opaque and one), without blending every piece.
    static constexpr int GatherFrom = 2048;
    // From this many pixels on, gathered coverage is blended on two cores.
    static constexpr std::size_t EndOnBothCoresFrom = 1 << 18;

    template <class Point> bool BeginCoverage(const Point* P, int Count, double Dx, double Dy) {
        static_assert(sizeof(Point) == 2 * sizeof(float) && sizeof(P->X) == sizeof(float));
        float Left, Top, Right, Bottom;
        Bounds(&P->X, Count, Left, Top, Right, Bottom);
        return BeginCoverage(Left + Dx, Top + Dy, Right + Dx, Bottom + Dy, Count);
    }
    // The bounds of Count points X, Y one after the other; NaN is passed over.
    static void Bounds(const float* XY, int Count, float& Left, float& Top, float& Right,
                       float& Bottom);

    // False for an aliased segment too short to draw.
    bool Segment(double X0, double Y0, double X1, double Y1);
    void Smooth(double X0, double Y0, double X1, double Y1);
    // Where smooth segments ink, in locals: the byte stores of the coverage may alias any
    // member, and the compiler would load them all again after each one.
    struct TInk {
        TQvPixelTarget T;
        // Pixel (x, y) is at x * 1 + y * Stride less Origin, in the target or in the coverage.
        std::uint8_t* Coverage;
        std::ptrdiff_t Stride, Origin;
    };
    TInk Ink() const;
    // The way a smooth segment goes: Steep along Y rather than X, Backward from its higher end
    // of that axis to its lower; AnyWay when the segment has yet to be looked at.
    enum : int {
        Backward = QvThinLineSteps::Backward,
        Steep = QvThinLineSteps::Steep,
        Ways = QvThinLineSteps::Ways,
        AnyWay = -1
    };
    static int WayOf(double X0, double Y0, double X1, double Y1);
    // The kind of a smooth segment, for its sort before drawing.
    static int KindOf(double X0, double Y0, double X1, double Y1,
                      const QvThinLineSteps::TBounds& Drawn);
    template <bool Gathered, int Way = AnyWay>
    void Smooth(const TInk& Ink, double X0, double Y0, double X1, double Y1);
    // Inks Alpha / 255 at pixel At, counted from the ink's origin.
    template <bool Gathered>
    void Put(const TInk& Ink, std::ptrdiff_t At, std::uint32_t Alpha) const;
    // The smooth segments of XY from point Start + Which[k], k < Count, in turn, all going the
    // way Way; Inside, they lie a pixel inside the target and are not long, and go four at a
    // time where there are vectors for it.
    template <bool Gathered, int Way>
    void SmoothSorted(const TInk& Ink, const float* XY, int Start, const std::uint16_t* Which,
                      int Count, bool Inside, double Dx, double Dy);
    // The smooth polyline through Count points X, Y one after the other, moved by Dx, Dy: the
    // segments in loops, without a call for each.
    void SmoothPolyline(const float* XY, int Count, double Dx, double Dy);
    template <bool Gathered>
    void SmoothPolyline(const TInk& Ink, const float* XY, int Count, double Dx, double Dy);
    // Gathers within the points' bounds, a pixel wider, when Count points make it worth it.
    bool BeginCoverage(double Left, double Top, double Right, double Bottom, int Count);
    // Blends what First and Second (when given) gathered, over the same pixels, into the
    // target, as blending one after the other would, and clears their coverage.
    static void EndCoverage(TQvThinLines& First, TQvThinLines* Second);
    std::size_t CoverageSize() const;
    // Blends the colour into Pixel with Alpha / 255.
    void Mix(std::uint32_t& Pixel, std::uint32_t Alpha) const;
    // Without Ink, only where the segment ends and which way it goes are kept.
    bool Aliased(double X0, double Y0, double X1, double Y1, bool Ink = true);

    TQvPixelTarget FTarget;
    std::uint32_t FColor;
    bool FSmooth;
    // Four smooth segments at a time with AVX2.
    bool FVectors;
    // The colour times a / 255 for every a.
    std::array<std::uint32_t, 256> FColorTimes;
    // While gathering, the coverage of the target's pixels, row by row from its top left, in a
    // plane kept by the drawing thread; the target is cut to the pixels the lines may reach
    // meanwhile.
    std::uint8_t* FCoverage = nullptr;
    TQvPixelTarget FWhole{};
    // Aliased: the last pixel of the polyline so far and the way its segment went.
    struct TLast {
        int X = INT_MIN, Y = INT_MIN;
        int Direction = 0;
        bool AxisAligned = false;
    } FLast;
};
