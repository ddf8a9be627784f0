// Built with AVX2 where the processor family may have it, and called only where it does. No
// header here but the steps' own, those for AVX2 alone and the intrinsics: any inline function
// of another would be built with AVX2 too, and might be the copy that code for every processor
// links to.

#include "style/qvspreadavx2.h"
#include "style/qvthinlinesteps.h"

#ifdef __AVX2__
#include <immintrin.h>
#endif

namespace QvThinLineSteps {

int KindsAvx2(const float* XY, int Count, double Dx, double Dy, const TBounds& Drawn,
              std::uint8_t* Kinds) {
#ifdef __AVX2__
    const __m256d MoveX = _mm256_set1_pd(Dx), MoveY = _mm256_set1_pd(Dy);
    const __m256d Left = _mm256_set1_pd(Drawn.Left), Top = _mm256_set1_pd(Drawn.Top),
                  Right = _mm256_set1_pd(Drawn.Right), Bottom = _mm256_set1_pd(Drawn.Bottom);
    const __m256d One = _mm256_set1_pd(1), Longest = _mm256_set1_pd(MostSpan),
                  Sign = _mm256_set1_pd(-0.0), Zero = _mm256_setzero_pd();
    // Eight floats of four points, X and Y taking turns, as the four X and then the four Y.
    const __m256i Apart = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
    int k = 0;
    for (; k + 4 <= Count; k += 4) {
        const __m256 Starts = _mm256_permutevar8x32_ps(_mm256_loadu_ps(XY + 2 * k), Apart);
        const __m256 Ends = _mm256_permutevar8x32_ps(_mm256_loadu_ps(XY + 2 * k + 2), Apart);
        const __m256d X0 = _mm256_add_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(Starts)), MoveX),
                      Y0 = _mm256_add_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(Starts, 1)), MoveY),
                      X1 = _mm256_add_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(Ends)), MoveX),
                      Y1 = _mm256_add_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(Ends, 1)), MoveY);
        // Finite values less themselves are 0; infinities and NaN give NaN.
        const auto Finite = [&](__m256d v) {
            return _mm256_cmp_pd(_mm256_sub_pd(v, v), Zero, _CMP_EQ_OQ);
        };
        const __m256d Kept = _mm256_and_pd(
            _mm256_and_pd(_mm256_and_pd(Finite(X0), Finite(Y0)),
                          _mm256_and_pd(Finite(X1), Finite(Y1))),
            _mm256_and_pd(
                _mm256_cmp_pd(_mm256_max_pd(Y0, Y1), _mm256_sub_pd(Top, One), _CMP_GE_OQ),
                _mm256_cmp_pd(_mm256_min_pd(Y0, Y1), _mm256_add_pd(Bottom, One), _CMP_LT_OQ)));
        const __m256d IsSteep =
            _mm256_cmp_pd(_mm256_andnot_pd(Sign, _mm256_sub_pd(Y1, Y0)),
                          _mm256_andnot_pd(Sign, _mm256_sub_pd(X1, X0)), _CMP_GT_OQ);
        const __m256d IsBackward = _mm256_blendv_pd(_mm256_cmp_pd(X0, X1, _CMP_GT_OQ),
                                                    _mm256_cmp_pd(Y0, Y1, _CMP_GT_OQ), IsSteep);
        const __m256d a0 = _mm256_blendv_pd(X0, Y0, IsSteep),
                      a1 = _mm256_blendv_pd(X1, Y1, IsSteep);
        const __m256d b0 = _mm256_blendv_pd(Y0, X0, IsSteep),
                      b1 = _mm256_blendv_pd(Y1, X1, IsSteep);
        const __m256d MajorLow = _mm256_blendv_pd(Left, Top, IsSteep),
                      MajorHigh = _mm256_blendv_pd(Right, Bottom, IsSteep),
                      MinorLow = _mm256_blendv_pd(Top, Left, IsSteep),
                      MinorHigh = _mm256_blendv_pd(Bottom, Right, IsSteep);
        const __m256d aLow = _mm256_min_pd(a0, a1), aHigh = _mm256_max_pd(a0, a1);
        const __m256d Inside = _mm256_and_pd(
            _mm256_and_pd(_mm256_and_pd(_mm256_cmp_pd(aLow, MajorLow, _CMP_GE_OQ),
                                        _mm256_cmp_pd(aHigh, MajorHigh, _CMP_LT_OQ)),
                          _mm256_cmp_pd(_mm256_sub_pd(aHigh, aLow), Longest, _CMP_LT_OQ)),
            _mm256_and_pd(
                _mm256_cmp_pd(_mm256_min_pd(b0, b1), _mm256_add_pd(MinorLow, One), _CMP_GE_OQ),
                _mm256_cmp_pd(_mm256_max_pd(b0, b1), _mm256_sub_pd(MinorHigh, One), _CMP_LT_OQ)));
        const int IsKept = _mm256_movemask_pd(Kept), Steeps = _mm256_movemask_pd(IsSteep),
                  Backwards = _mm256_movemask_pd(IsBackward), Insides = _mm256_movemask_pd(Inside);
        for (int Lane = 0; Lane < 4; ++Lane) {
            const int Way = (Steeps >> Lane & 1) * Steep + (Backwards >> Lane & 1) * Backward;
            Kinds[k + Lane] =
                std::uint8_t(IsKept >> Lane & 1 ? 2 * Way + (Insides >> Lane & 1) : Skipped);
        }
    }
    return k;
#else
    (void)XY, (void)Count, (void)Dx, (void)Dy, (void)Drawn, (void)Kinds;
    return 0;
#endif
}

bool FourSegmentsAvx2(const float* const Ends[4], double Dx, double Dy, const TLanes& Lanes,
                      TFourSegments& Out) {
#ifdef __AVX2__
    // Row k holds segment k; turned, row 0 holds the X0 of all four, and so on.
    __m128 X0f = _mm_loadu_ps(Ends[0]), Y0f = _mm_loadu_ps(Ends[1]), X1f = _mm_loadu_ps(Ends[2]),
           Y1f = _mm_loadu_ps(Ends[3]);
    _MM_TRANSPOSE4_PS(X0f, Y0f, X1f, Y1f);
    const __m256d MoveX = _mm256_set1_pd(Dx), MoveY = _mm256_set1_pd(Dy);
    const __m256d X0 = _mm256_add_pd(_mm256_cvtps_pd(X0f), MoveX),
                  Y0 = _mm256_add_pd(_mm256_cvtps_pd(Y0f), MoveY),
                  X1 = _mm256_add_pd(_mm256_cvtps_pd(X1f), MoveX),
                  Y1 = _mm256_add_pd(_mm256_cvtps_pd(Y1f), MoveY);
    // Along the major axis a, across it b, from low a to high.
    __m256d a0 = Lanes.Steep ? Y0 : X0, b0 = Lanes.Steep ? X0 : Y0;
    __m256d a1 = Lanes.Steep ? Y1 : X1, b1 = Lanes.Steep ? X1 : Y1;
    if (Lanes.Backward) {
        const __m256d a = a0, b = b0;
        a0 = a1;
        b0 = b1;
        a1 = a;
        b1 = b;
    }
    const __m256d One = _mm256_set1_pd(1), Half = _mm256_set1_pd(0.5),
                  Full = _mm256_set1_pd(255);
    const __m256d Slope = _mm256_and_pd(_mm256_cmp_pd(a1, a0, _CMP_GT_OQ),
                                        _mm256_div_pd(_mm256_sub_pd(b1, b0), _mm256_sub_pd(a1, a0)));
    const __m256d Low = _mm256_floor_pd(a0), High = _mm256_floor_pd(a1);
    const __m128i MajorStep = _mm_set1_epi32(Lanes.MajorStep),
                  MinorStep = _mm_set1_epi32(Lanes.MinorStep),
                  Origin = _mm_set1_epi32(Lanes.Origin), OneInt = _mm_set1_epi32(1);
    const auto Across = [&](__m128i m, __m256d c, __m256d Weight255, TColumn& Column) {
        const __m128i j = _mm_sub_epi32(_mm256_cvttpd_epi32(_mm256_add_pd(c, One)), OneInt);
        const __m256d Far = _mm256_mul_pd(Weight255, _mm256_sub_pd(c, _mm256_cvtepi32_pd(j)));
        const __m128i At = _mm_sub_epi32(
            _mm_add_epi32(_mm_mullo_epi32(m, MajorStep), _mm_mullo_epi32(j, MinorStep)), Origin);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Column.Offset), At);
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(Column.Near),
            _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_sub_pd(Weight255, Far), Half)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Column.Far),
                         _mm256_cvttpd_epi32(_mm256_add_pd(Far, Half)));
    };
    // An end pixel takes the part of the length it holds, which is 0 where the one-at-a-time
    // drawing passes it over: that inks nothing either.
    const auto End = [&](__m256d m, TColumn& Column) {
        const __m256d Length =
            _mm256_sub_pd(_mm256_min_pd(a1, _mm256_add_pd(m, One)), _mm256_max_pd(a0, m));
        const __m256d Centre = _mm256_min_pd(_mm256_max_pd(_mm256_add_pd(m, Half), a0), a1);
        const __m256d c =
            _mm256_sub_pd(_mm256_add_pd(b0, _mm256_mul_pd(Slope, _mm256_sub_pd(Centre, a0))), Half);
        const __m256d Weight = _mm256_min_pd(One, Length);
        Across(_mm256_cvttpd_epi32(m), c, _mm256_mul_pd(Weight, Full), Column);
    };
    End(Low, Out.Low);
    End(High, Out.High);
    const __m128i Span = _mm256_cvttpd_epi32(_mm256_sub_pd(High, Low));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Out.Span), Span);
    int Longest = 0;
    for (const int Each : Out.Span)
        Longest = Each > Longest ? Each : Longest;
    // Between the end pixels every pixel holds a whole pixel's length, its centre one slope on.
    const __m256d First = _mm256_add_pd(Low, One);
    __m256d c = _mm256_sub_pd(
        _mm256_add_pd(b0, _mm256_mul_pd(Slope, _mm256_sub_pd(_mm256_add_pd(First, Half), a0))),
        Half);
    __m128i m = _mm256_cvttpd_epi32(First);
    for (int k = 0; k + 1 < Longest; ++k) {
        Across(m, c, Full, Out.Between[k]);
        c = _mm256_add_pd(c, Slope);
        m = _mm_add_epi32(m, OneInt);
    }
    return true;
#else
    (void)Ends, (void)Dx, (void)Dy, (void)Lanes, (void)Out;
    return false;
#endif
}

int CoverRowAvx2(std::uint8_t* A, std::uint8_t* B, std::uint32_t* Row, int Width,
                 std::uint32_t Color) {
#ifdef __AVX2__
    const __m256i Zero = _mm256_setzero_si256(), Rounding = _mm256_set1_epi16(0x80),
                  Full = _mm256_set1_epi16(255), Ink = _mm256_set1_epi32(int(Color)),
                  Ink16 = _mm256_unpacklo_epi8(Ink, Zero);
    // Channels times Alpha / 255, rounded, in 16-bit lanes.
    const auto Scale = [&](__m256i Channels, __m256i Alpha) {
        const __m256i t = _mm256_mullo_epi16(Channels, Alpha);
        return _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), Rounding), 8);
    };
    // Coverage a and b together, a + b - a b, in 16-bit lanes.
    const auto Union = [&](__m256i a, __m256i b) {
        __m256i Both = _mm256_add_epi16(_mm256_mullo_epi16(a, b), Rounding);
        Both = _mm256_srli_epi16(_mm256_add_epi16(Both, _mm256_srli_epi16(Both, 8)), 8);
        return _mm256_sub_epi16(_mm256_add_epi16(a, b), Both);
    };
    int x = 0;
    for (; x + 32 <= Width; x += 32) {
        auto* const a = reinterpret_cast<__m256i*>(A + x);
        auto* const b = reinterpret_cast<__m256i*>(B ? B + x : nullptr);
        const __m256i Ca = _mm256_loadu_si256(a), Cb = b ? _mm256_loadu_si256(b) : Zero;
        const __m256i Any = _mm256_or_si256(Ca, Cb);
        if (_mm256_testz_si256(Any, Any)) continue;
        alignas(32) std::uint64_t Eights[4];
        _mm256_store_si256(
            reinterpret_cast<__m256i*>(Eights),
            _mm256_packus_epi16(
                Union(_mm256_unpacklo_epi8(Ca, Zero), _mm256_unpacklo_epi8(Cb, Zero)),
                Union(_mm256_unpackhi_epi8(Ca, Zero), _mm256_unpackhi_epi8(Cb, Zero))));
        _mm256_storeu_si256(a, Zero);
        if (b) _mm256_storeu_si256(b, Zero);
        for (int k = 0; k < 4; ++k) {
            if (!Eights[k]) continue;
            auto* const Pixels = reinterpret_cast<__m256i*>(Row + x + 8 * k);
            const __m256i Old = _mm256_loadu_si256(Pixels);
            const __m256i Alpha = QvSpreadOverPixels(Eights[k]);
            const __m256i AlphaLow = _mm256_unpacklo_epi8(Alpha, Zero),
                          AlphaHigh = _mm256_unpackhi_epi8(Alpha, Zero);
            const __m256i Low =
                _mm256_add_epi16(Scale(Ink16, AlphaLow), Scale(_mm256_unpacklo_epi8(Old, Zero),
                                                               _mm256_sub_epi16(Full, AlphaLow)));
            const __m256i High =
                _mm256_add_epi16(Scale(Ink16, AlphaHigh), Scale(_mm256_unpackhi_epi8(Old, Zero),
                                                                _mm256_sub_epi16(Full, AlphaHigh)));
            // A pixel of the colour already, or without coverage, stays as it was.
            const __m256i Keep =
                _mm256_or_si256(_mm256_cmpeq_epi32(Old, Ink), _mm256_cmpeq_epi32(Alpha, Zero));
            _mm256_storeu_si256(Pixels,
                                _mm256_blendv_epi8(_mm256_packus_epi16(Low, High), Old, Keep));
        }
    }
    return x;
#else
    (void)A, (void)B, (void)Row, (void)Width, (void)Color;
    return 0;
#endif
}

} // namespace QvThinLineSteps
