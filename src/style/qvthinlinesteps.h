#pragma once

// The pixels four smooth one-pixel segments ink, worked out side by side with AVX2 where the
// processor has it: the arithmetic of TQvThinLines::Smooth, lane by lane the same, so that the
// pixels are too. Plain C++; built in a file of its own.

#include <cstdint>

namespace QvThinLineSteps {

// Segments the lanes take reach at most this many pixels past their first along their major
// axis.
inline constexpr int MostSpan = 32;

// The way a smooth segment goes: Steep along Y rather than X, Backward from its higher end of
// that axis to its lower.
enum : int {
    Backward = 1,
    Steep = 2,
    Ways = 4
};
// Segments are sorted into kinds before they are drawn: per way, 2 way for those drawn one at
// a time and 2 way + 1 for those four can take; Skipped for those that ink nothing.
inline constexpr int Kinds = 2 * Ways, Skipped = Kinds;

// The pixels drawn: Left <= x < Right, Top <= y < Bottom.
struct TBounds {
    double Left, Top, Right, Bottom;
};

// Per lane, what one pixel along the major axis inks: the pixels at Offset and at Offset plus
// the step across, by Near and Far of 255.
struct TColumn {
    std::int32_t Offset[4];
    std::int32_t Near[4], Far[4];
};

// Per lane, the pixel of the low end, Span - 1 pixels between, and the pixel of the high end
// when Span is above 0.
struct TFourSegments {
    int Span[4];
    TColumn Low, High;
    TColumn Between[MostSpan - 1];
};

// Which way the segments go, and where pixel (major, minor) lies: at major * MajorStep plus
// minor * MinorStep less Origin.
struct TLanes {
    bool Steep, Backward;
    std::int32_t MajorStep, MinorStep, Origin;
};

// The kind of segments k < Count from point k to point k + 1 of XY, moved by Dx, Dy, four at a
// time as the one-at-a-time sort gives it: how many were sorted, a multiple of 4 (none where
// built without AVX2).
int KindsAvx2(const float* XY, int Count, double Dx, double Dy, const TBounds& Drawn,
              std::uint8_t* Kinds);

// Ends[k] holds X0, Y0, X1, Y1 of segment k, to be moved by Dx, Dy. All four go the way Lanes
// gives, lie within the pixels drawn along their major axis and a pixel inside them across it,
// and span at most MostSpan. False, with nothing worked out, where built without AVX2.
bool FourSegmentsAvx2(const float* const Ends[4], double Dx, double Dy, const TLanes& Lanes,
                      TFourSegments& Out);

// Blends Color into Row by the coverage gathered in A and, when given, B (as blending one after
// the other would), and clears it, 32 pixels at a time from the first: how many pixels were
// done (none where built without AVX2).
int CoverRowAvx2(std::uint8_t* A, std::uint8_t* B, std::uint32_t* Row, int Width,
                 std::uint32_t Color);

} // namespace QvThinLineSteps
