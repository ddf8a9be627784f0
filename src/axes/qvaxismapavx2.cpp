// Built with AVX2 where the processor family may have it, and called only where it does. No
// header here but the steps' own and the intrinsics: any inline function of another would be
// built with AVX2 too, and might be the copy that code for every processor links to.

#include "axes/qvaxismapsteps.h"

#ifdef __AVX2__
#include <immintrin.h>
#endif

namespace QvAxisMapSteps {

std::size_t MapLinearAvx2(const double* Values, std::size_t Count, float* Pixels,
                          std::size_t Stride, const TLinearMap& Map) {
#ifdef __AVX2__
    const __m256d Start = _mm256_set1_pd(Map.Start), Normalize = _mm256_set1_pd(Map.Normalize),
                  Origin = _mm256_set1_pd(Map.Origin), Length = _mm256_set1_pd(Map.Length),
                  Reach = _mm256_set1_pd(Map.Reach), Zero = _mm256_setzero_pd(),
                  Before = _mm256_set1_pd(Map.Origin - Map.Reach),
                  After = _mm256_set1_pd(Map.Origin + Map.Reach),
                  NoPixel = _mm256_set1_pd(__builtin_nan(""));
    std::size_t k = 0;
    for (; k + 4 <= Count; k += 4) {
        const __m256d v = _mm256_loadu_pd(Values + k);
        // Finite values less themselves are 0; infinities and NaN give NaN.
        __m256d Maps = _mm256_cmp_pd(_mm256_sub_pd(v, v), Zero, _CMP_EQ_OQ);
        if (Map.Positive) Maps = _mm256_and_pd(Maps, _mm256_cmp_pd(v, Zero, _CMP_GT_OQ));
        const __m256d d = _mm256_div_pd(_mm256_sub_pd(v, Start), Normalize);
        const __m256d Within =
            _mm256_and_pd(_mm256_cmp_pd(d, _mm256_sub_pd(Zero, Reach), _CMP_GT_OQ),
                          _mm256_cmp_pd(d, Reach, _CMP_LT_OQ));
        const __m256d Along = Map.Forward ? _mm256_add_pd(Origin, d)
                                          : _mm256_add_pd(Origin, _mm256_sub_pd(Length, d));
        const __m256d IsBefore = Map.Forward ? _mm256_cmp_pd(d, Zero, _CMP_LT_OQ)
                                             : _mm256_cmp_pd(d, Zero, _CMP_GE_OQ);
        const __m256d Beyond = _mm256_blendv_pd(After, Before, IsBefore);
        const __m256d Pixel =
            _mm256_blendv_pd(NoPixel, _mm256_blendv_pd(Beyond, Along, Within), Maps);
        alignas(16) float Four[4];
        _mm_store_ps(Four, _mm256_cvtpd_ps(Pixel));
        for (std::size_t Lane = 0; Lane < 4; ++Lane)
            Pixels[(k + Lane) * Stride] = Four[Lane];
    }
    return k;
#else
    (void)Values, (void)Count, (void)Pixels, (void)Stride, (void)Map;
    return 0;
#endif
}

} // namespace QvAxisMapSteps
