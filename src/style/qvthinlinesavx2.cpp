// Built with AVX2 where the processor family may have it, and called only where it does. No
// header here but the steps' own and the intrinsics: any inline function of another would be
// built with AVX2 too, and might be the copy that code for every processor links to.

#include "style/qvthinlinesteps.h"

#ifdef __AVX2__
#include <immintrin.h>
#endif

namespace QvThinLineSteps {

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

} // namespace QvThinLineSteps
