#pragma once

// Symbols of one opaque colour put into a row of 32-bit premultiplied pixels by what they let
// through there: each pixel becomes Color * (255 - Through) + Pixel * Through, over 255,
// channel by channel, and one that lets all through (255) stays as it was. Plain C++, with the
// widest vectors the processor has.

#include <cstdint>

namespace QvSymbolMix {

// The vectors a mix uses: the widest the processor has, or narrower ones, to compare them.
enum class TVectors {
    None,
    Sse2,
    Avx2
};
TVectors Widest();

// v / 255, rounded, for v up to 255 * 255.
inline std::uint32_t Div255(std::uint32_t v) {
    v += 0x80;
    return (v + (v >> 8)) >> 8;
}

void MixRow(const std::uint8_t* Through, std::uint32_t* Pixels, int Width, std::uint32_t Color,
            TVectors Vectors = Widest());

} // namespace QvSymbolMix
