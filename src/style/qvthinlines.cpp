#include "style/qvthinlines.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Each channel of Pixel times Alpha / 255, two channels at a time.
inline std::uint32_t Scaled(std::uint32_t Pixel, std::uint32_t Alpha) {
    std::uint32_t RB = (Pixel & 0x00FF00FF) * Alpha;
    RB = ((RB + ((RB >> 8) & 0x00FF00FF) + 0x00800080) >> 8) & 0x00FF00FF;
    std::uint32_t AG = ((Pixel >> 8) & 0x00FF00FF) * Alpha;
    AG = (AG + ((AG >> 8) & 0x00FF00FF) + 0x00800080) & 0xFF00FF00;
    return RB | AG;
}

// Coverage a and b together, as blending one over the other would: a + b - a b.
inline std::uint8_t Union(std::uint32_t a, std::uint32_t b) {
    std::uint32_t Both = a * b + 128;
    Both = (Both + (Both >> 8)) >> 8;
    return std::uint8_t(a + b - Both);
}

// Segments with an end that is not a number, or infinite, draw nothing.
inline bool Finite(double X0, double Y0, double X1, double Y1) {
    return std::isfinite(X0) && std::isfinite(Y0) && std::isfinite(X1) && std::isfinite(Y1);
}

// Ways a segment goes, and the masks that make one way the opposite of another.
enum : int {
    TopToBottom = 1,
    BottomToTop = 2,
    LeftToRight = 4,
    RightToLeft = 8,
    VerticalMask = 3,
    HorizontalMask = 12
};

// Pixel positions in 1/64 pixel, cut toward zero.
std::int64_t Sixtyfourths(double v) {
    return std::int64_t(v * 64);
}

// Cuts the segment to Low .. High on the first coordinate; false when it lies wholly outside.
bool ClipAlong(double& A0, double& B0, double& A1, double& B1, double Low, double High) {
    const auto Cut = [&](double& A, double& B, double To) {
        B += (B1 - B0) / (A1 - A0) * (To - A);
        A = To;
    };
    if (A0 < Low) {
        if (A1 <= Low) return false;
        Cut(A0, B0, Low);
    } else if (A0 > High) {
        if (A1 >= High) return false;
        Cut(A0, B0, High);
    }
    if (A1 < Low)
        Cut(A1, B1, Low);
    else if (A1 > High)
        Cut(A1, B1, High);
    return true;
}

#ifdef __SSE2__
// Blends Color into Pixels[0 .. 3] with the four bytes of FourAlpha / 255 in memory order:
// the sums of Mix, channel by channel in 16-bit lanes.
inline void MixFour(std::uint32_t* Pixels, std::uint32_t FourAlpha, std::uint32_t Color) {
    const __m128i Zero = _mm_setzero_si128();
    const __m128i Rounding = _mm_set1_epi16(0x80), Full = _mm_set1_epi16(255);
    const auto Scale = [&](__m128i Channels, __m128i Alpha) {
        const __m128i t = _mm_mullo_epi16(Channels, Alpha);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), Rounding), 8);
    };
    const __m128i Old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Pixels));
    const __m128i Ink = _mm_set1_epi32(int(Color));
    const __m128i Ink16 = _mm_unpacklo_epi8(Ink, Zero);
    // Each pixel's alpha in all four of its channels.
    __m128i Alpha = _mm_cvtsi32_si128(int(FourAlpha));
    Alpha = _mm_unpacklo_epi8(Alpha, Alpha);
    Alpha = _mm_unpacklo_epi16(Alpha, Alpha);
    const __m128i AlphaLow = _mm_unpacklo_epi8(Alpha, Zero),
                  AlphaHigh = _mm_unpackhi_epi8(Alpha, Zero);
    const __m128i Low = _mm_add_epi16(
        Scale(Ink16, AlphaLow), Scale(_mm_unpacklo_epi8(Old, Zero), _mm_sub_epi16(Full, AlphaLow)));
    const __m128i High =
        _mm_add_epi16(Scale(Ink16, AlphaHigh),
                      Scale(_mm_unpackhi_epi8(Old, Zero), _mm_sub_epi16(Full, AlphaHigh)));
    const __m128i Keep = _mm_or_si128(_mm_cmpeq_epi32(Old, Ink), _mm_cmpeq_epi32(Alpha, Zero));
    const __m128i New = _mm_packus_epi16(Low, High);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Pixels),
                     _mm_or_si128(_mm_and_si128(Keep, Old), _mm_andnot_si128(Keep, New)));
}
#endif

// The planes of coverage that a drawing thread keeps between draws: its own, and its helper's.
enum TPlane {
    FirstPlane,
    SecondPlane
};
struct TKeptPlane {
    std::vector<std::uint8_t> Bytes;
    // Cleared as the coverage is blended, a plane needs neither fresh pages nor zeroing at the
    // next draw; one that a draw left in use (by an exception) is zeroed then.
    bool Clear = true;
};
thread_local TKeptPlane KeptPlanes[2];

std::uint8_t* TakePlane(TPlane Which, std::size_t Size) {
    TKeptPlane& Plane = KeptPlanes[Which];
    if (!Plane.Clear) std::fill(Plane.Bytes.begin(), Plane.Bytes.end(), 0);
    Plane.Clear = false;
    if (Plane.Bytes.size() < Size) Plane.Bytes.resize(Size);
    return Plane.Bytes.data();
}

void GiveBackPlane(TPlane Which) {
    KeptPlanes[Which].Clear = true;
}

#ifdef __SSE2__
// Union of sixteen coverages at a time, in 16-bit lanes.
inline __m128i UnionSixteen(__m128i a, __m128i b) {
    const __m128i Zero = _mm_setzero_si128(), Rounding = _mm_set1_epi16(128);
    const auto Half = [&](__m128i a16, __m128i b16) {
        __m128i Both = _mm_add_epi16(_mm_mullo_epi16(a16, b16), Rounding);
        Both = _mm_srli_epi16(_mm_add_epi16(Both, _mm_srli_epi16(Both, 8)), 8);
        return _mm_sub_epi16(_mm_add_epi16(a16, b16), Both);
    };
    return _mm_packus_epi16(Half(_mm_unpacklo_epi8(a, Zero), _mm_unpacklo_epi8(b, Zero)),
                            Half(_mm_unpackhi_epi8(a, Zero), _mm_unpackhi_epi8(b, Zero)));
}
#endif

} // namespace

TQvThinLines::TQvThinLines(const TQvPixelTarget& Target, std::uint32_t Color, bool Smooth,
                           bool Vectors)
    : FTarget(Target), FColor(Color), FSmooth(Smooth), FVectors(Vectors && QvHasAvx2()) {
    for (std::uint32_t a = 0; a < FColorTimes.size(); ++a)
        FColorTimes[a] = Scaled(Color, a);
}

TQvThinLines::TQvThinLines(const TQvThinLines& Main, TSecondCore)
    : FTarget(Main.FTarget), FColor(Main.FColor), FSmooth(Main.FSmooth), FVectors(Main.FVectors),
      FColorTimes(Main.FColorTimes),
      FCoverage(Main.FSmooth ? TakePlane(SecondPlane, Main.CoverageSize()) : nullptr),
      FWhole(Main.FWhole) {}

// A pixel of the colour already (under a dense line, say) stays so.
inline void TQvThinLines::Mix(std::uint32_t& Pixel, std::uint32_t Alpha) const {
    if (Alpha && Pixel != FColor) Pixel = FColorTimes[Alpha] + Scaled(Pixel, 255 - Alpha);
}

bool TQvThinLines::Segment(double X0, double Y0, double X1, double Y1) {
    if (!Finite(X0, Y0, X1, Y1)) return true;
    if (!FSmooth) return Aliased(X0, Y0, X1, Y1);
    Smooth(X0, Y0, X1, Y1);
    return true;
}

bool TQvThinLines::Aliased(double X0, double Y0, double X1, double Y1, bool Ink) {
    // In locals, as the pixel stores may alias any member for the compiler.
    const TQvPixelTarget T = FTarget;
    // Within a pixel of the target, positions stay small enough for the fixed point.
    double x0 = X0, y0 = Y0, x1 = X1, y1 = Y1;
    if (!ClipAlong(x0, y0, x1, y1, T.Left - 1, T.Right + 1) ||
        !ClipAlong(y0, x0, y1, x1, T.Top - 1, T.Bottom + 1)) {
        FLast = {};
        return true;
    }
    if (x0 != X0 || y0 != Y0 || x1 != X1 || y1 != Y1) FLast = {};
    const std::int64_t Fx0 = Sixtyfourths(x0), Fy0 = Sixtyfourths(y0);
    const std::int64_t Fx1 = Sixtyfourths(x1), Fy1 = Sixtyfourths(y1);
    const bool Vertical = std::abs(Fx1 - Fx0) < std::abs(Fy1 - Fy0);
    // Along the major axis a, across it b, in 1/64 pixel.
    std::int64_t a0 = Vertical ? Fy0 : Fx0, b0 = Vertical ? Fx0 : Fy0;
    std::int64_t a1 = Vertical ? Fy1 : Fx1, b1 = Vertical ? Fx1 : Fy1;
    int Direction = Vertical ? TopToBottom : LeftToRight;
    const bool Swapped = a0 > a1;
    if (Swapped) {
        std::swap(a0, a1);
        std::swap(b0, b1);
        Direction = Vertical ? BottomToTop : RightToLeft;
    }
    if (a0 == a1) return false;
    // Across, in 1/65536 pixel, and its step per pixel along.
    const std::int64_t Step = (b1 - b0) * 65536 / (a1 - a0);
    std::int64_t b = b0 * 1024;
    // Turning back on itself up or to the left, the line reaches half a pixel further at the
    // turn.
    if (Ink && Swapped &&
        (FLast.Direction ^ (Vertical ? VerticalMask : HorizontalMask)) == Direction)
        a1 += 32;
    std::int64_t a = (a0 + 32) >> 6, End = (a1 + 32) >> 6;
    if (a == End) return false;
    b += (a * 64 + (Step > 0 ? 32 : 0) - a0) * Step >> 6;
    // The pixels at either end, across and along.
    struct TEnd {
        std::int64_t Across, Along;
    };
    TEnd First{b >> 16, a}, Last{(b + (End - a - 1) * Step) >> 16, End - 1};
    if (Swapped) std::swap(First, Last);
    const bool AxisAligned = std::abs(Step) < (1 << 14);
    if (!Ink) {
        FLast = {int(Vertical ? Last.Across : Last.Along), int(Vertical ? Last.Along : Last.Across),
                 Direction, AxisAligned};
        return true;
    }
    if (FLast.X != INT_MIN) {
        const std::int64_t LastAcross = Vertical ? FLast.X : FLast.Y;
        const std::int64_t LastAlong = Vertical ? FLast.Y : FLast.X;
        const std::int64_t Across = std::abs(LastAcross - First.Across);
        const std::int64_t Along = std::abs(LastAlong - First.Along);
        if (!Across && !Along) { // the join's pixel is drawn already
            if (Swapped) {
                --End;
            } else {
                ++a;
                b += Step;
            }
        } else if (FLast.Direction != Direction &&
                   ((AxisAligned && FLast.AxisAligned && Across && Along) || Across > 1 ||
                    Along > 1)) { // a gap at the join: one pixel more
            if (Swapped) {
                ++End;
            } else {
                --a;
                b -= Step;
            }
        } else if (FLast.Direction == Direction && Across <= 1 && Along > 1) {
            b += Step >> 1;
            Last.Across = Swapped ? b >> 16 : (b + (End - a - 1) * Step) >> 16;
        }
    }
    FLast.Direction = Direction;
    FLast.AxisAligned = AxisAligned;
    const std::uint32_t Color = FColor;
    do {
        const std::int64_t Across = b >> 16;
        const std::int64_t x = Vertical ? Across : a, y = Vertical ? a : Across;
        // Relaxed, a store is a plain one; the other core may store the same colour there.
        if (x >= T.Left && x < T.Right && y >= T.Top && y < T.Bottom)
            std::atomic_ref(T.Pixels[y * T.Stride + x]).store(Color, std::memory_order_relaxed);
        b += Step;
    } while (++a < End);
    FLast.X = int(Vertical ? Last.Across : Last.Along);
    FLast.Y = int(Vertical ? Last.Along : Last.Across);
    return true;
}

TQvThinLines::TInk TQvThinLines::Ink() const {
    const std::ptrdiff_t Stride = FCoverage ? FTarget.Right - FTarget.Left : FTarget.Stride;
    return {FTarget, FCoverage, Stride, FCoverage ? FTarget.Top * Stride + FTarget.Left : 0};
}

void TQvThinLines::Smooth(double X0, double Y0, double X1, double Y1) {
    if (FCoverage)
        Smooth<true>(Ink(), X0, Y0, X1, Y1);
    else
        Smooth<false>(Ink(), X0, Y0, X1, Y1);
}

inline int TQvThinLines::WayOf(double X0, double Y0, double X1, double Y1) {
    const bool IsSteep = std::abs(Y1 - Y0) > std::abs(X1 - X0);
    return IsSteep * Steep + ((IsSteep & (Y0 > Y1)) | (!IsSteep & (X0 > X1))) * Backward;
}

template <bool Gathered, int Way>
[[gnu::always_inline]] inline void TQvThinLines::Smooth(const TInk& Ink, double X0, double Y0,
                                                        double X1, double Y1) {
    const TQvPixelTarget& T = Ink.T;
    const int Goes = Way == AnyWay ? WayOf(X0, Y0, X1, Y1) : Way;
    const bool Steep = Goes & TQvThinLines::Steep;
    // Along the major axis a, across it b, from low a to high.
    double a0 = Steep ? Y0 : X0, b0 = Steep ? X0 : Y0, a1 = Steep ? Y1 : X1, b1 = Steep ? X1 : Y1;
    if (Goes & Backward) {
        std::swap(a0, a1);
        std::swap(b0, b1);
    }
    const double Slope = a1 > a0 ? (b1 - b0) / (a1 - a0) : 0;
    const int MajorLow = Steep ? T.Top : T.Left, MajorHigh = Steep ? T.Bottom : T.Right;
    const int MinorLow = Steep ? T.Left : T.Top, MinorHigh = Steep ? T.Right : T.Bottom;
    const std::ptrdiff_t MajorStep = Steep ? Ink.Stride : 1, MinorStep = Steep ? 1 : Ink.Stride;
    const auto Blend = [&](std::ptrdiff_t At, std::uint32_t Alpha) {
        Put<Gathered>(Ink, At - Ink.Origin, Alpha);
    };
    // Across the major axis the line inks one pixel's worth, shared by the two pixels its
    // centre c (less half a pixel) falls between.
    const double AcrossLow = MinorLow - 1, AcrossHigh = MinorHigh;
    // Inside: both pixels are known to be inside the clip.
    const auto Across = [&](std::ptrdiff_t m, double c, double Weight, bool Inside = false) {
        if (!Inside && !(c >= AcrossLow && c < AcrossHigh)) return;
        const int j = int(c + 1) - 1; // c >= -1: the floor
        const double Far = Weight * 255 * (c - j);
        const std::ptrdiff_t At = m * MajorStep + j * MinorStep;
        if (Inside || j >= MinorLow) Blend(At, std::uint32_t(Weight * 255 - Far + 0.5));
        if (Inside || j + 1 < MinorHigh) Blend(At + MinorStep, std::uint32_t(Far + 0.5));
    };
    // Each pixel along the major axis takes the part of the segment's length it holds, so that
    // the ends of joined segments share their pixel; only pixels within the clip are visited.
    // Ends beyond the clip count as just beyond it, where the floor is a plain conversion.
    const auto Floor = [&](double a) {
        const double Near = std::clamp(a, MajorLow - 2.0, MajorHigh + 1.0);
        const int Toward0 = int(Near);
        return double(Toward0 - (Toward0 > Near));
    };
    const double Low = Floor(a0), High = Floor(a1);
    if (High < MajorLow || Low >= MajorHigh) return;
    const auto End = [&](double m) {
        if (m < MajorLow || m >= MajorHigh) return;
        const double Length = std::min(a1, m + 1) - std::max(a0, m);
        if (Length <= 0) return;
        const double Centre = std::clamp(m + 0.5, a0, a1);
        Across(std::ptrdiff_t(m), b0 + Slope * (Centre - a0) - 0.5, std::min(1.0, Length));
    };
    End(Low);
    if (High == Low) return;
    // Between the end pixels every pixel holds a whole pixel's length, its centre one slope on.
    const std::ptrdiff_t First = std::ptrdiff_t(std::max(Low + 1, double(MajorLow)));
    const std::ptrdiff_t Last = std::ptrdiff_t(std::min(High - 1, double(MajorHigh - 1)));
    double c = b0 + Slope * (double(First) + 0.5 - a0) - 0.5;
    // Where the centre stays a pixel inside the clip across, nothing needs testing: the sums of
    // Slope stray far less than a pixel from the products.
    const double Reach = c + Slope * double(Last - First);
    if (std::min(c, Reach) >= MinorLow + 1.0 && std::max(c, Reach) < MinorHigh - 2.0) {
        for (std::ptrdiff_t m = First; m <= Last; ++m, c += Slope)
            Across(m, c, 1, true);
    } else {
        for (std::ptrdiff_t m = First; m <= Last; ++m, c += Slope)
            Across(m, c, 1);
    }
    End(High);
}

void TQvThinLines::SmoothPolyline(const float* XY, int Count, double Dx, double Dy) {
    if (FCoverage)
        SmoothPolyline<true>(Ink(), XY, Count, Dx, Dy);
    else
        SmoothPolyline<false>(Ink(), XY, Count, Dx, Dy);
}

template <bool Gathered>
[[gnu::always_inline]] inline void TQvThinLines::Put(const TInk& Ink, std::ptrdiff_t At,
                                                     std::uint32_t Alpha) const {
    if constexpr (Gathered)
        Ink.Coverage[At] = Union(Ink.Coverage[At], Alpha);
    else
        Mix(Ink.T.Pixels[At], Alpha);
}

template <bool Gathered, int Way>
void TQvThinLines::SmoothSorted(const TInk& Ink, const float* XY, int Start,
                                const std::uint16_t* Which, int Count, bool Inside, double Dx,
                                double Dy) {
    constexpr bool IsSteep = Way & Steep;
    const std::ptrdiff_t MinorStep = IsSteep ? 1 : Ink.Stride;
    // Pixel offsets within the target must fit the vectors' 32 bits.
    const std::int64_t Farthest =
        std::int64_t(Ink.T.Bottom) * Ink.Stride + Ink.T.Right + std::abs(Ink.Origin);
    int k = 0;
    if (Inside && FVectors && Farthest < INT32_MAX) {
        const QvThinLineSteps::TLanes Lanes{IsSteep, bool(Way & Backward),
                                            std::int32_t(IsSteep ? Ink.Stride : 1),
                                            std::int32_t(MinorStep), std::int32_t(Ink.Origin)};
        QvThinLineSteps::TFourSegments Four;
        for (; k + 4 <= Count; k += 4) {
            const float* const Ends[4] = {
                XY + 2 * (Start + Which[k]), XY + 2 * (Start + Which[k + 1]),
                XY + 2 * (Start + Which[k + 2]), XY + 2 * (Start + Which[k + 3])};
            if (!QvThinLineSteps::FourSegmentsAvx2(Ends, Dx, Dy, Lanes, Four)) break;
            // Segment by segment, in the order drawing them one at a time takes.
            for (int Lane = 0; Lane < 4; ++Lane) {
                const auto Column = [&](const QvThinLineSteps::TColumn& C) {
                    Put<Gathered>(Ink, C.Offset[Lane], std::uint32_t(C.Near[Lane]));
                    Put<Gathered>(Ink, C.Offset[Lane] + MinorStep, std::uint32_t(C.Far[Lane]));
                };
                Column(Four.Low);
                for (int Between = 0; Between + 1 < Four.Span[Lane]; ++Between)
                    Column(Four.Between[Between]);
                if (Four.Span[Lane] > 0) Column(Four.High);
            }
        }
    }
    for (; k < Count; ++k) {
        const float* P = XY + 2 * (Start + Which[k]);
        Smooth<Gathered, Way>(Ink, P[0] + Dx, P[1] + Dy, P[2] + Dx, P[3] + Dy);
    }
}

int TQvThinLines::KindOf(double X0, double Y0, double X1, double Y1,
                         const QvThinLineSteps::TBounds& Drawn) {
    // A segment with an end that is not finite, or wholly above or below the rows drawn: a
    // pixel beyond its ends inks none of them.
    const bool Reaches = std::max(Y0, Y1) >= Drawn.Top - 1 && std::min(Y0, Y1) < Drawn.Bottom + 1;
    if (!(Finite(X0, Y0, X1, Y1) && Reaches)) return QvThinLineSteps::Skipped;
    const int Way = WayOf(X0, Y0, X1, Y1);
    // Four can take one within the pixels drawn along its major axis, a pixel inside them
    // across, and short.
    const bool IsSteep = Way & Steep;
    const double a0 = IsSteep ? Y0 : X0, a1 = IsSteep ? Y1 : X1;
    const double b0 = IsSteep ? X0 : Y0, b1 = IsSteep ? X1 : Y1;
    const double MajorLow = IsSteep ? Drawn.Top : Drawn.Left;
    const double MajorHigh = IsSteep ? Drawn.Bottom : Drawn.Right;
    const double MinorLow = IsSteep ? Drawn.Left : Drawn.Top;
    const double MinorHigh = IsSteep ? Drawn.Right : Drawn.Bottom;
    const double aLow = std::min(a0, a1), aHigh = std::max(a0, a1);
    const bool Inside = (aLow >= MajorLow) & (aHigh < MajorHigh) &
                        (aHigh - aLow < QvThinLineSteps::MostSpan) &
                        (std::min(b0, b1) >= MinorLow + 1) & (std::max(b0, b1) < MinorHigh - 1);
    return 2 * Way + Inside;
}

template <bool Gathered>
void TQvThinLines::SmoothPolyline(const TInk& Ink, const float* XY, int Count, double Dx,
                                  double Dy) {
    // Which way a segment goes is as good as random along a scattered line, and a branch on it
    // is mispredicted half the time. So the segments of a block are sorted by their way first,
    // then drawn by a kernel made for each way; of each way, those well inside the target are
    // drawn last, four at a time. The order changes no more than how the coverage of a pixel
    // that three segments or more share rounds.
    constexpr int Block = 512;
    using QvThinLineSteps::Kinds;
    const QvThinLineSteps::TBounds Drawn{double(Ink.T.Left), double(Ink.T.Top), double(Ink.T.Right),
                                         double(Ink.T.Bottom)};
    std::array<std::uint8_t, Block> Kind;
    std::array<std::array<std::uint16_t, Block>, Kinds + 1> Sorted;
    for (int Start = 0; Start + 1 < Count; Start += Block) {
        const int Segments = std::min(Block, Count - 1 - Start);
        const float* const From = XY + 2 * Start;
        int k =
            FVectors ? QvThinLineSteps::KindsAvx2(From, Segments, Dx, Dy, Drawn, Kind.data()) : 0;
        for (; k < Segments; ++k) {
            const float* P = From + 2 * k;
            Kind[k] = std::uint8_t(KindOf(P[0] + Dx, P[1] + Dy, P[2] + Dx, P[3] + Dy, Drawn));
        }
        std::array<int, Kinds + 1> n{};
        for (k = 0; k < Segments; ++k)
            Sorted[Kind[k]][n[Kind[k]]++] = std::uint16_t(k);
        [&]<int... Way>(std::integer_sequence<int, Way...>) {
            ((SmoothSorted<Gathered, Way>(Ink, XY, Start, Sorted[2 * Way].data(), n[2 * Way], false,
                                          Dx, Dy),
              SmoothSorted<Gathered, Way>(Ink, XY, Start, Sorted[2 * Way + 1].data(),
                                          n[2 * Way + 1], true, Dx, Dy)),
             ...);
        }
        (std::make_integer_sequence<int, Ways>());
    }
}

void TQvThinLines::Bounds(const float* XY, int Count, float& Left, float& Top, float& Right,
                          float& Bottom) {
    Left = Top = INFINITY;
    Right = Bottom = -INFINITY;
    int k = 0;
#ifdef __SSE2__
    // Two points at a time; the new value first, as the minimum and maximum keep the second
    // operand when either is NaN.
    __m128 Low = _mm_set1_ps(INFINITY), High = _mm_set1_ps(-INFINITY);
    for (; k + 2 <= Count; k += 2) {
        const __m128 Two = _mm_loadu_ps(XY + 2 * k);
        Low = _mm_min_ps(Two, Low);
        High = _mm_max_ps(Two, High);
    }
    float L[4], H[4];
    _mm_storeu_ps(L, Low);
    _mm_storeu_ps(H, High);
    Left = std::min(L[0], L[2]);
    Top = std::min(L[1], L[3]);
    Right = std::max(H[0], H[2]);
    Bottom = std::max(H[1], H[3]);
#endif
    for (; k < Count; ++k) {
        const float X = XY[2 * k], Y = XY[2 * k + 1];
        Left = X < Left ? X : Left;
        Right = X > Right ? X : Right;
        Top = Y < Top ? Y : Top;
        Bottom = Y > Bottom ? Y : Bottom;
    }
}

bool TQvThinLines::BeginCoverage(double Left, double Top, double Right, double Bottom, int Count) {
    if (!(Left <= Right && Top <= Bottom)) return false;
    FWhole = FTarget;
    TQvPixelTarget& T = FTarget;
    T.Left = int(std::clamp(std::floor(Left) - 1, double(T.Left), double(T.Right)));
    T.Right = int(std::clamp(std::floor(Right) + 2, double(T.Left), double(T.Right)));
    T.Top = int(std::clamp(std::floor(Top) - 1, double(T.Top), double(T.Bottom)));
    T.Bottom = int(std::clamp(std::floor(Bottom) + 2, double(T.Top), double(T.Bottom)));
    if (CoverageSize() > 32 * std::size_t(Count)) {
        FTarget = FWhole;
        return false;
    }
    FCoverage = TakePlane(FirstPlane, CoverageSize());
    return true;
}

std::size_t TQvThinLines::CoverageSize() const {
    return std::size_t(FTarget.Right - FTarget.Left) * std::size_t(FTarget.Bottom - FTarget.Top);
}

void TQvThinLines::EndCoverage(TQvThinLines& First, TQvThinLines* Second) {
    const TQvPixelTarget& T = First.FTarget;
    const std::ptrdiff_t Width = T.Right - T.Left;
    std::uint8_t* const Planes[2] = {First.FCoverage, Second ? Second->FCoverage : nullptr};
    const auto BlendRows = [&](int Top, int Bottom) {
        std::uint8_t Sixteen[16];
        for (int y = Top; y < Bottom; ++y) {
            std::uint32_t* Row = T.Pixels + y * T.Stride + T.Left;
            const std::ptrdiff_t Offset = (y - T.Top) * Width;
            std::uint8_t* const A = Planes[0] + Offset;
            std::uint8_t* const B = Planes[1] ? Planes[1] + Offset : nullptr;
            // Thirty-two pixels at a time with AVX2, then sixteen: passed over without coverage,
            // else their coverage is taken and cleared.
            const std::ptrdiff_t Done =
                First.FVectors ? QvThinLineSteps::CoverRowAvx2(A, B, Row, int(Width), First.FColor)
                               : 0;
            for (std::ptrdiff_t x = Done; x < Width; x += 16) {
                const std::ptrdiff_t n = std::min<std::ptrdiff_t>(16, Width - x);
#ifdef __SSE2__
                if (n == 16) {
                    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(A + x));
                    const __m128i b = B ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(B + x))
                                        : _mm_setzero_si128();
                    if (_mm_movemask_epi8(
                            _mm_cmpeq_epi8(_mm_or_si128(a, b), _mm_setzero_si128())) == 0xFFFF)
                        continue;
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(Sixteen), UnionSixteen(a, b));
                    // Cleared here, not by a call to memset, which may leave the upper halves
                    // of the vector registers in use.
                    for (std::uint8_t* Plane : {A, B})
                        if (Plane)
                            _mm_storeu_si128(reinterpret_cast<__m128i*>(Plane + x),
                                             _mm_setzero_si128());
                } else
#endif
                {
                    std::uint32_t Any = 0;
                    for (std::ptrdiff_t i = 0; i < n; ++i) {
                        const std::uint32_t a = A[x + i], b = B ? B[x + i] : 0;
                        Sixteen[i] = Union(a, b);
                        Any |= a | b;
                    }
                    if (!Any) continue;
                    for (std::uint8_t* Plane : {A, B})
                        if (Plane) std::memset(Plane + x, 0, std::size_t(n));
                    QvClearUpperVectorHalves();
                }
                std::ptrdiff_t i = 0;
#ifdef __SSE2__
                for (; i + 4 <= n; i += 4) {
                    std::uint32_t Four;
                    std::memcpy(&Four, Sixteen + i, 4);
                    if (Four) MixFour(Row + x + i, Four, First.FColor);
                }
#endif
                for (; i < n; ++i)
                    First.Mix(Row[x + i], Sixteen[i]);
            }
        }
    };
    // A large coverage is blended on both cores, in blocks of rows.
    if (First.CoverageSize() >= EndOnBothCoresFrom) {
        ShareBlocksFromBothEnds(T.Top, T.Bottom, 16, BlendRows);
    } else {
        BlendRows(T.Top, T.Bottom);
    }
    for (TQvThinLines* Each : {&First, Second})
        if (Each) {
            GiveBackPlane(Each == Second ? SecondPlane : FirstPlane);
            Each->FCoverage = nullptr;
            Each->FTarget = Each->FWhole;
        }
}
