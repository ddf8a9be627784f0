#pragma once

// Values mapped to pixels on a linear axis four at a time with AVX2, where the processor has
// it: lane by lane the sums of TQvAxisMapper, so that the pixels are the same. Plain C++; built
// in a file of its own.

#include <cstddef>

namespace QvAxisMapSteps {

// Pixel Origin + d, or Origin + Length - d backwards, for d = (Value - Start) / Normalize
// within Reach of 0; Origin - Reach or Origin + Reach, on the side d is, beyond it. Values that
// are not finite, or not above 0 where Positive, have none (NaN).
struct TLinearMap {
    double Start, Normalize, Origin, Length, Reach;
    bool Forward, Positive;
};

// Pixels[k * Stride] for Values[k], k < Count, four at a time: how many were mapped, a
// multiple of 4 (none where built without AVX2).
std::size_t MapLinearAvx2(const double* Values, std::size_t Count, float* Pixels,
                          std::size_t Stride, const TLinearMap& Map);

} // namespace QvAxisMapSteps
