#pragma once

// How the vector mixes of a row go through it, shared by the mixes built for different
// processors, each with its own kernels. Plain C++.

#include <cstdint>
#include <cstring>

namespace QvSymbolMix {

// Goes through the pixels from From on, four steps of Step pixels at a time, as far as whole
// groups of four go, and returns where it stopped. A step that lets all through is passed
// over, one that lets nothing through is filled, Fill(Pixels), and any other is mixed,
// Mix(Bytes, Pixels) with the step's bytes of Through in an integer.
template <int Step, class Bytes, class FillFn, class MixFn>
int MixSteps(const std::uint8_t* Through, std::uint32_t* Pixels, int From, int Width,
             const FillFn& Fill, const MixFn& Mix) {
    static_assert(sizeof(Bytes) == Step);
    constexpr Bytes All = Bytes(~Bytes(0));
    int x = From;
    for (; x + 4 * Step <= Width; x += 4 * Step) {
        Bytes Steps[4];
        std::memcpy(Steps, Through + x, sizeof Steps);
        if ((Steps[0] & Steps[1] & Steps[2] & Steps[3]) == All) continue;
        for (int q = 0; q < 4; ++q) {
            std::uint32_t* At = Pixels + x + q * Step;
            if (Steps[q] == 0) // inside the cloud
                Fill(At);
            else if (Steps[q] != All)
                Mix(Steps[q], At);
        }
    }
    return x;
}

// The part of MixRow done with AVX2, from 0 on (nothing without it): built in a file of its
// own for the processors that have it.
int MixRowAvx2(const std::uint8_t* Through, std::uint32_t* Pixels, int Width, std::uint32_t Color);

} // namespace QvSymbolMix
