#pragma once

// For files built with AVX2 alone: the copy of an inline function that the linker keeps could
// otherwise be one built with AVX2 for code meant for every processor. Plain C++.

#ifdef __AVX2__
#include <immintrin.h>

#include <cstdint>

// Byte k of Bytes, k < 8, in all four channels of pixel k of eight: a byte per pixel spread over
// the pixels' 32 bits.
inline __m256i QvSpreadOverPixels(std::uint64_t Bytes) {
    // Within each 128-bit half, which holds the eight bytes: 0-3 for the low half, 4-7 for the
    // high.
    const __m256i Spread = _mm256_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4,
                                            4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7);
    return _mm256_shuffle_epi8(_mm256_set1_epi64x(std::int64_t(Bytes)), Spread);
}
#endif
