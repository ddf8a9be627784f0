#pragma once

// Many symbols on a raster are copied from images of the symbol drawn once for each quarter
// pixel of position: a copy costs a fraction of drawing the outline again, and the symbol lands
// within an eighth of a pixel of its point.
//
// Symbols of one opaque colour that may be drawn in any order need no colour at all until the
// end: over a pixel they leave colour * (1 - T) + below * T, where T is the product of what
// each symbol lets through there. So each symbol only scales a byte per pixel, eight pixels
// of two rows at a time; the image takes the colour in one pass when the symbols are done.

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
    // Draws the symbol at the point P.
    void Draw(const TGPPointF& P);
    // Puts the symbols that went straight to the image into it; before the painter is released.
    void End();

private:
    static constexpr int Quarters = 4;
    // Pixels a symbol's row is scaled in at a time.
    static constexpr int Chunk = 8;
    // What the eight pixels of a chunk let through, a 16-bit lane each for the multiply.
    using TChunkThrough = std::array<std::uint16_t, Chunk>;
    // The symbol's pixels, cut to those it covers, and where they lie from the point's pixel;
    // for each row, in chunks of eight pixels, what each pixel lets through (255 beyond the
    // symbol).
    struct TStamp {
        QImage Image;
        QPoint Offset;
        int Width = 0, Height = 0, Chunks = 0;
        std::vector<TChunkThrough> Through;
    };
    // Draws the stamp for the quarter pixel Qx, Qy.
    void MakeStamp(TStamp& Stamp, int Qx, int Qy);
    // Scales what the clip lets through under the stamp; false when it lies partly outside.
    bool Cover(const TStamp& Stamp, int Left, int Top);
    // Puts rows First .. Last of the clip into the image's Pixels.
    void MixRows(int First, int Last, QRgb* Pixels) const;

    const TGPPen* FPen;
    const TGPBrush* FBrush;
    float FSize;
    QvStyle::TQvPointSymbol FSymbol;
    TGPSmoothingMode FMode;
    int FHalf;
    std::array<TStamp, Quarters * Quarters> FStamps;
    QPainter* FPainter = nullptr;
    int FDx = 0, FDy = 0; // world to device, whole pixels
    // Device pixels a symbol can reach, grown by its half.
    QRect FReach;
    // The direct path: the target, the clip in device pixels, the colour, and for each pixel
    // of the clip what the symbols so far let through (rows a chunk longer, so that a chunk
    // never runs past its row), with the rows touched.
    QImage* FTarget = nullptr;
    QRect FClip;
    std::uint32_t FColor = 0;
    qsizetype FRowBytes = 0;
    std::uint8_t* FThrough = nullptr;
    int FFirstRow = 0, FLastRow = -1;
};
