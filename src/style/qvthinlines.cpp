#include "style/qvthinlines.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Each channel of Pixel times Alpha / 255, two channels at a time.
inline std::uint32_t Scaled(std::uint32_t Pixel, std::uint32_t Alpha) {
    std::uint32_t RB = (Pixel & 0x00FF00FF) * Alpha;
    RB = ((RB + ((RB >> 8) & 0x00FF00FF) + 0x00800080) >> 8) & 0x00FF00FF;
    std::uint32_t AG = ((Pixel >> 8) & 0x00FF00FF) * Alpha;
    AG = (AG + ((AG >> 8) & 0x00FF00FF) + 0x00800080) & 0xFF00FF00;
    return RB | AG;
}

// Alpha parts of Color over the pixel.
inline void Blend(std::uint32_t& Pixel, std::uint32_t Color, std::uint32_t Alpha) {
    if (Alpha) Pixel = Scaled(Color, Alpha) + Scaled(Pixel, 255 - Alpha);
}

} // namespace

void DrawThinLine(const TQvPixelTarget& Target, std::uint32_t Color, double X0, double Y0,
                  double X1, double Y1) {
    if (!std::isfinite(X0) || !std::isfinite(Y0) || !std::isfinite(X1) || !std::isfinite(Y1))
        return;
    const bool Steep = std::abs(Y1 - Y0) > std::abs(X1 - X0);
    // Along the major axis a, across it b.
    double a0 = Steep ? Y0 : X0, b0 = Steep ? X0 : Y0, a1 = Steep ? Y1 : X1, b1 = Steep ? X1 : Y1;
    if (a0 > a1) {
        std::swap(a0, a1);
        std::swap(b0, b1);
    }
    const double Slope = a1 > a0 ? (b1 - b0) / (a1 - a0) : 0;
    // Across the major axis the line inks one pixel's worth, shared by the two pixels its
    // centre falls between.
    const int MajorLow = Steep ? Target.Top : Target.Left;
    const int MajorHigh = Steep ? Target.Bottom : Target.Right;
    const int MinorLow = Steep ? Target.Left : Target.Top;
    const int MinorHigh = Steep ? Target.Right : Target.Bottom;
    const std::ptrdiff_t MajorStep = Steep ? Target.Stride : 1,
                         MinorStep = Steep ? 1 : Target.Stride;
    const auto Across = [&](double m, double b, double Weight) {
        const double c = b - 0.5, Below = std::floor(c);
        if (m < MajorLow || m >= MajorHigh || Below < MinorLow - 1 || Below >= MinorHigh) return;
        const int j = int(Below);
        const double f = c - Below;
        std::uint32_t* Pixel = Target.Pixels + std::ptrdiff_t(m) * MajorStep + j * MinorStep;
        if (j >= MinorLow) Blend(*Pixel, Color, std::uint32_t(Weight * (1 - f) * 255 + 0.5));
        if (j + 1 < MinorHigh)
            Blend(Pixel[MinorStep], Color, std::uint32_t(Weight * f * 255 + 0.5));
    };
    // Each pixel along the major axis takes the part of the segment's length it holds, so that
    // the ends of joined segments share their pixel; only pixels within the clip are visited.
    const double ClipLow = Steep ? Target.Top : Target.Left;
    const double ClipHigh = Steep ? Target.Bottom : Target.Right;
    const double First = std::max(std::floor(a0), ClipLow - 1);
    const double Last = std::min(std::floor(a1), ClipHigh);
    for (double m = First; m <= Last; ++m) {
        const double Length = std::min(a1, m + 1) - std::max(a0, m);
        if (Length <= 0) continue;
        const double Centre = std::clamp(m + 0.5, a0, a1);
        Across(m, b0 + Slope * (Centre - a0), std::min(1.0, Length));
    }
}
