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

} // namespace

TQvThinLines::TQvThinLines(const TQvPixelTarget& Target, std::uint32_t Color) : FTarget(Target) {
    for (std::uint32_t a = 0; a < FColorTimes.size(); ++a)
        FColorTimes[a] = Scaled(Color, a);
}

void TQvThinLines::Draw(double X0, double Y0, double X1, double Y1) {
    if (!std::isfinite(X0) || !std::isfinite(Y0) || !std::isfinite(X1) || !std::isfinite(Y1))
        return;
    const TQvPixelTarget& T = FTarget;
    const bool Steep = std::abs(Y1 - Y0) > std::abs(X1 - X0);
    // Along the major axis a, across it b.
    double a0 = Steep ? Y0 : X0, b0 = Steep ? X0 : Y0, a1 = Steep ? Y1 : X1, b1 = Steep ? X1 : Y1;
    if (a0 > a1) {
        std::swap(a0, a1);
        std::swap(b0, b1);
    }
    const double Slope = a1 > a0 ? (b1 - b0) / (a1 - a0) : 0;
    const int MajorLow = Steep ? T.Top : T.Left, MajorHigh = Steep ? T.Bottom : T.Right;
    const int MinorLow = Steep ? T.Left : T.Top, MinorHigh = Steep ? T.Right : T.Bottom;
    const std::ptrdiff_t MajorStep = Steep ? T.Stride : 1, MinorStep = Steep ? 1 : T.Stride;
    const auto Blend = [&](std::uint32_t& Pixel, std::uint32_t Alpha) {
        if (Alpha) Pixel = FColorTimes[Alpha] + Scaled(Pixel, 255 - Alpha);
    };
    // Across the major axis the line inks one pixel's worth, shared by the two pixels its
    // centre c (less half a pixel) falls between.
    const auto Across = [&](std::ptrdiff_t m, double c, double Weight) {
        if (!(c >= MinorLow - 1 && c < MinorHigh)) return;
        const int j = int(c + 1) - 1; // c >= -1: the floor
        const double f = c - j;
        std::uint32_t* Pixel = T.Pixels + m * MajorStep + j * MinorStep;
        if (j >= MinorLow) Blend(*Pixel, std::uint32_t(Weight * (1 - f) * 255 + 0.5));
        if (j + 1 < MinorHigh) Blend(Pixel[MinorStep], std::uint32_t(Weight * f * 255 + 0.5));
    };
    // Each pixel along the major axis takes the part of the segment's length it holds, so that
    // the ends of joined segments share their pixel; only pixels within the clip are visited.
    const double Low = std::floor(a0), High = std::floor(a1);
    if (High < MajorLow || Low >= MajorHigh) return;
    const auto End = [&](double m) {
        if (m < MajorLow || m >= MajorHigh) return;
        const double Length = std::min(a1, m + 1) - std::max(a0, m);
        if (Length <= 0) return;
        const double Centre = std::clamp(m + 0.5, a0, a1);
        Across(std::ptrdiff_t(m), b0 + Slope * (Centre - a0) - 0.5, std::min(1.0, Length));
    };
    End(Low);
    if (High == Low) return;
    // Between the end pixels every pixel holds a whole pixel's length, its centre one slope on.
    const std::ptrdiff_t First = std::ptrdiff_t(std::max(Low + 1, double(MajorLow)));
    const std::ptrdiff_t Last = std::ptrdiff_t(std::min(High - 1, double(MajorHigh - 1)));
    double c = b0 + Slope * (double(First) + 0.5 - a0) - 0.5;
    for (std::ptrdiff_t m = First; m <= Last; ++m, c += Slope)
        Across(m, c, 1);
    End(High);
}
