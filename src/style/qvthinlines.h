#pragma once

// One-pixel antialiased lines written straight into 32-bit premultiplied pixels, many times
// faster than a general rasteriser for the millions of short segments of a long line. Along
// its major axis each column (or row) of pixels takes the part of the line's length it holds,
// one pixel's worth across, shared by the two pixels the line's centre falls between. Plain
// C++.

#include <array>
#include <cstddef>
#include <cstdint>

struct TQvPixelTarget {
    std::uint32_t* Pixels;
    std::ptrdiff_t Stride; // pixels per row
    // The pixels that may be written: Left <= x < Right, Top <= y < Bottom.
    int Left, Top, Right, Bottom;
};

// Segments in one opaque colour into one target.
class TQvThinLines {
public:
    TQvThinLines(const TQvPixelTarget& Target, std::uint32_t Color);
    // The segment from (X0, Y0) to (X1, Y1) in pixel coordinates (pixel (i, j) covers i .. i + 1
    // and j .. j + 1).
    void Draw(double X0, double Y0, double X1, double Y1);

private:
    TQvPixelTarget FTarget;
    // The colour times a / 255 for every a.
    std::array<std::uint32_t, 256> FColorTimes;
};
