#pragma once

// Many symbols on a raster are copied from images of the symbol drawn once for each quarter
// pixel of position: a copy costs a fraction of drawing the outline again, and the symbol lands
// within an eighth of a pixel of its point.
//
// A symbol of one opaque colour is blended straight into an image target. Such blends commute
// (up to rounding) and leave a pixel of the full colour as it is, so the pixels that have the
// full colour already (within a level) are passed over: in a dense cloud most of them are,
// once a sparse grid of symbols has been drawn first.

#include "style/qvgdi.h"
#include "style/qvstyletypes.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

class QPainter;
class QTransform;

class TQvSymbolStamps {
public:
    TQvSymbolStamps(const TGPPen* Pen, const TGPBrush* Brush, float Size,
                    QvStyle::TQvPointSymbol Symbol, TGPSmoothingMode Mode);

    // Only where world pixels are device pixels, moved by whole pixels.
    static bool Fit(TGPGraphics* Graphics);
    // Prepares drawing through Painter, the surface's device painter, with the surface's
    // transform World. Alone: no other symbols are drawn between these, so that their order
    // may change.
    void Begin(QPainter* Painter, const QTransform& World, bool Alone);
    void Draw(const TGPPointF& P);
    // Symbols go straight into the image, in any order.
    bool Blends() const { return FTarget != nullptr; }

private:
    static constexpr int Quarters = 4;
    // The symbol's pixels, cut to those it covers, and where they lie from the point's pixel;
    // the same row by row, with a bit per pixel that is covered, and one per pixel covered
    // all but fully.
    struct TStamp {
        QImage Image;
        QPoint Offset;
        int Width = 0, Height = 0;
        std::vector<QRgb> Pixels;
        std::vector<std::uint64_t> Covered, Filled;
    };
    const TStamp& StampFor(int Qx, int Qy);
    // The blend into the image; false when the symbol lies partly outside the clip.
    bool Blend(const TStamp& Stamp, int Left, int Top);

    const TGPPen* FPen;
    const TGPBrush* FBrush;
    float FSize;
    QvStyle::TQvPointSymbol FSymbol;
    TGPSmoothingMode FMode;
    int FHalf;
    std::array<TStamp, Quarters * Quarters> FStamps;
    QPainter* FPainter = nullptr;
    int FDx = 0, FDy = 0; // world to device, whole pixels
    // The direct path: the target, the clip in device pixels, the colour, and one bit per
    // pixel of the clip set where a symbol has left the pixel in the full colour.
    QImage* FTarget = nullptr;
    QRgb* FPixels = nullptr;
    qsizetype FStride = 0;
    QRect FClip;
    std::uint32_t FColor = 0;
    int FWords = 0;
    std::vector<std::uint64_t> FFull;
};
