#include "style/qvthinlines.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Each channel of Pixel times Alpha / 255, two channels at a time.
std::uint32_t Scaled(std::uint32_t Pixel, std::uint32_t Alpha) {
    std::uint32_t RB = (Pixel & 0x00FF00FF) * Alpha;
    RB = ((RB + ((RB >> 8) & 0x00FF00FF) + 0x00800080) >> 8) & 0x00FF00FF;
    std::uint32_t AG = ((Pixel >> 8) & 0x00FF00FF) * Alpha;
    AG = (AG + ((AG >> 8) & 0x00FF00FF) + 0x00800080) & 0xFF00FF00;
    return RB | AG;
}

// Far off the target a coordinate only has to stay a defined number.
int Pixel(double c) {
    return int(std::clamp(c, -2.0, double(1 << 30)));
}

void Plot(const TQvPixelTarget& T, std::uint32_t Color, double px, double py, double Coverage) {
    const int x = Pixel(px), y = Pixel(py);
    if (x < T.Left || x >= T.Right || y < T.Top || y >= T.Bottom) return;
    const auto Alpha = std::uint32_t(Coverage * 255 + 0.5);
    if (Alpha == 0) return;
    std::uint32_t& Target = T.Pixels[std::ptrdiff_t(y) * T.Stride + x];
    Target = Scaled(Color, Alpha) + Scaled(Target, 255 - Alpha);
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
    // Across the major axis the line inks one pixel's worth, shared by the pixels it meets.
    const auto Across = [&](double m, double b, double Weight) {
        const double Low = b - 0.5, High = b + 0.5;
        for (double j = std::floor(Low); j < High; ++j) {
            const double Part = std::min(j + 1, High) - std::max(j, Low);
            if (Steep)
                Plot(Target, Color, j, m, Weight * Part);
            else
                Plot(Target, Color, m, j, Weight * Part);
        }
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
