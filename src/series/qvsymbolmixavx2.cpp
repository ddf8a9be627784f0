// Built with AVX2 where the processor family may have it, and called only where it does. No
// header here but the mix's own, those for AVX2 alone and the intrinsics: any inline function
// of another would be built with AVX2 too, and might be the copy that code for every processor
// links to.

#include "series/qvsymbolmixsteps.h"
#include "style/qvspreadavx2.h"

#ifdef __AVX2__
#include <immintrin.h>
#endif

namespace QvSymbolMix {

int MixRowAvx2(const std::uint8_t* Through, std::uint32_t* Pixels, int Width, std::uint32_t Color) {
#ifdef __AVX2__
    const __m256i Zero = _mm256_setzero_si256(), Round = _mm256_set1_epi16(0x80),
                  Full = _mm256_set1_epi16(0xFF), Colour = _mm256_set1_epi32(int(Color)),
                  Color16 = _mm256_unpacklo_epi8(Colour, Zero);
    // The mix, in the 16-bit lanes of four pixels.
    const auto Half = [&](__m256i Pixel16, __m256i Through16) {
        __m256i v =
            _mm256_add_epi16(_mm256_mullo_epi16(Pixel16, Through16),
                             _mm256_mullo_epi16(Color16, _mm256_xor_si256(Through16, Full)));
        v = _mm256_add_epi16(v, Round);
        return _mm256_srli_epi16(_mm256_add_epi16(v, _mm256_srli_epi16(v, 8)), 8);
    };
    return MixSteps<8, std::uint64_t>(
        Through, Pixels, 0, Width,
        [&](std::uint32_t* Eight) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(Eight), Colour);
        },
        [&](std::uint64_t Bytes, std::uint32_t* Eight) {
            const __m256i t = QvSpreadOverPixels(Bytes);
            auto* Target = reinterpret_cast<__m256i*>(Eight);
            const __m256i d = _mm256_loadu_si256(Target);
            _mm256_storeu_si256(
                Target, _mm256_packus_epi16(
                            Half(_mm256_unpacklo_epi8(d, Zero), _mm256_unpacklo_epi8(t, Zero)),
                            Half(_mm256_unpackhi_epi8(d, Zero), _mm256_unpackhi_epi8(t, Zero))));
        });
#else
    (void)Through, (void)Pixels, (void)Width, (void)Color;
    return 0;
#endif
}

} // namespace QvSymbolMix
