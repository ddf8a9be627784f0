#pragma once

// Many symbols on a raster are copied from images of the symbol drawn once for each quarter
// pixel of position: a copy costs a fraction of drawing the outline again, and the symbol lands
// within an eighth of a pixel of its point.
//
// Symbols of one opaque colour that may be drawn in any order need no colour at all until the
// end: over a pixel they leave colour * (1 - T) + below * T, where T is the product of what
// each symbol lets through there. So each symbol only scales a byte per pixel, eight pixels
// of two rows at a time; the image takes the colour in one pass when the symbols are done.
// Many such symbols are scaled on both cores, each core in rows of its own.

#include "style/qvgdi.h"
#include "style/qvstyletypes.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

class QPainter;
class QTransform;

class TQvSymbolStamps {
public:
    TQvSymbolStamps(const TGPPen* Pen, const TGPBrush* Brush, float Size,
                    QvStyle::TQvPointSymbol Symbol, TGPSmoothingMode Mode);

    // The stamps serve another paint with the same pen and brush objects, when their colours
    // and width are as they were (the series changes nothing else of them), and the same size,
    // symbol and smoothing: making them costs more than many symbols.
    bool Serves(const TGPPen* Pen, const TGPBrush* Brush, float Size,
                QvStyle::TQvPointSymbol Symbol, TGPSmoothingMode Mode) const;
    // Only where world pixels are device pixels, moved by whole pixels.
    static bool Fit(TGPGraphics* Graphics);
    // Prepares drawing through Painter, the surface's device painter, with the surface's
    // transform World. Alone: no other symbols are drawn between these, so that their order
    // may change.
    void Begin(QPainter* Painter, const QTransform& World, bool Alone);
    // Draws the symbol at the point P.
    void Draw(const TGPPointF& P);
    // Draws the symbols at Points[k] for each k of Chosen, or at every point when it is null.
    void DrawMany(std::span<const TGPPointF> Points, const std::vector<std::size_t>* Chosen);
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
    // A stamp and the device pixel of its top left corner; no stamp for a symbol that cannot
    // show. In sixteen bytes it stays in registers: through memory, its parts were stored one
    // by one and read back at once, which the core cannot forward.
    struct TPlace {
        const TStamp* Stamp = nullptr;
        int Left = 0, Top = 0;
    };
    // The first and last rows of the clip that stamps scaled.
    struct TTouched {
        int First = 0, Last = -1;
        void Add(int From, int To) {
            First = std::min(First, From);
            Last = std::max(Last, To);
        }
    };
    // Where the symbol at P goes.
    TPlace Place(const TGPPointF& P);
    // Draws the stamp for the quarter pixel Qx, Qy.
    void MakeStamp(TStamp& Stamp, int Qx, int Qy);
    // The stamp lies inside the clip, and goes into the plane.
    bool Inside(const TPlace& At) const;
    // The first row of the clip that the stamp scales, and how many: whole pairs.
    int FirstRow(const TPlace& At) const { return At.Top - FClip.top(); }
    static int RowsScaled(const TStamp& Stamp) { return (Stamp.Height + 1) / 2 * 2; }
    // Scales what the clip lets through under a stamp inside it.
    void Cover(const TPlace& At, TTouched& Touched) const;
    // Puts the stamp on the image through the painter.
    void Paint(const TPlace& At);
    // The row of the clip with about as many of the symbols above it as from it on.
    int MiddleRow(std::span<const TGPPointF> Points, const std::vector<std::size_t>* Chosen);
    // What one core scaled, and the symbols it left to this one.
    struct TShare {
        TTouched Touched;
        std::vector<TPlace> Aside;
    };
    // Scales the stamps of the symbols whose first row lies above Middle (Upper) or not, and
    // sets aside those of them that reach across it or that the painter must draw.
    TShare ScaleRows(std::span<const TGPPointF> Points, const std::vector<std::size_t>* Chosen,
                     int Middle, bool Upper);
    // Puts rows First .. Last of the clip into the image's Pixels.
    void MixRows(int First, int Last, QRgb* Pixels) const;

    const TGPPen* FPen;
    const TGPBrush* FBrush;
    TQvColor FPenColor, FBrushColor;
    float FPenWidth;
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
    bool* FPlaneClear = nullptr;
    TTouched FTouched;
};
