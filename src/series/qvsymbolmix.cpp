#include "series/qvsymbolmix.h"

#include "framework/qvvectorstate.h"
#include "series/qvsymbolmixsteps.h"

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#define QV_MIX_SSE2 1
#endif

namespace QvSymbolMix {

namespace {

std::uint32_t Mix(std::uint32_t Color, std::uint32_t Pixel, std::uint32_t Through) {
    std::uint32_t Out = 0;
    for (int c = 0; c < 32; c += 8)
        Out |= Div255((Pixel >> c & 0xFF) * Through + (Color >> c & 0xFF) * (255 - Through)) << c;
    return Out;
}

#ifdef QV_MIX_SSE2
int MixRowSse2(const std::uint8_t* Through, std::uint32_t* Pixels, int From, int Width,
               std::uint32_t Color) {
    const __m128i Zero = _mm_setzero_si128(), Round = _mm_set1_epi16(0x80),
                  Full = _mm_set1_epi16(0xFF), Colour = _mm_set1_epi32(int(Color)),
                  Color16 = _mm_unpacklo_epi8(Colour, Zero);
    // Mix, in the 16-bit lanes of two pixels.
    const auto Half = [&](__m128i Pixel16, __m128i Through16) {
        __m128i v = _mm_add_epi16(_mm_mullo_epi16(Pixel16, Through16),
                                  _mm_mullo_epi16(Color16, _mm_xor_si128(Through16, Full)));
        v = _mm_add_epi16(v, Round);
        return _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), 8);
    };
    return MixSteps<4, std::uint32_t>(
        Through, Pixels, From, Width,
        [&](std::uint32_t* Four) { _mm_storeu_si128(reinterpret_cast<__m128i*>(Four), Colour); },
        [&](std::uint32_t Bytes, std::uint32_t* Four) {
            // Each pixel's byte spread over its four channels.
            __m128i t = _mm_cvtsi32_si128(int(Bytes));
            t = _mm_unpacklo_epi8(t, t);
            t = _mm_unpacklo_epi16(t, t);
            auto* Target = reinterpret_cast<__m128i*>(Four);
            const __m128i d = _mm_loadu_si128(Target);
            _mm_storeu_si128(
                Target,
                _mm_packus_epi16(Half(_mm_unpacklo_epi8(d, Zero), _mm_unpacklo_epi8(t, Zero)),
                                 Half(_mm_unpackhi_epi8(d, Zero), _mm_unpackhi_epi8(t, Zero))));
        });
}
#endif

} // namespace

TVectors Widest() {
#ifdef QV_MIX_SSE2
    return QvHasAvx2() ? TVectors::Avx2 : TVectors::Sse2;
#else
    return TVectors::None;
#endif
}

void MixRow(const std::uint8_t* Through, std::uint32_t* Pixels, int Width, std::uint32_t Color,
            TVectors Vectors) {
    int x = 0;
#ifdef QV_MIX_SSE2
    if (Vectors == TVectors::Avx2) x = MixRowAvx2(Through, Pixels, Width, Color);
    if (Vectors != TVectors::None) x = MixRowSse2(Through, Pixels, x, Width, Color);
#endif
    for (; x < Width; ++x)
        if (Through[x] != 255) Pixels[x] = Mix(Color, Pixels[x], Through[x]);
}

} // namespace QvSymbolMix
