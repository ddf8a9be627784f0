#pragma once

// What the series of a graph drew in one pass, kept as an image while nothing that shapes it
// changes: a repaint then copies the image instead of drawing every point again. Only raster
// targets whose pixels are device pixels take it, and only passes heavy enough that a copy of
// the graph's pixels costs less than drawing.

#include "style/qvgdi.h"

#include <QImage>
#include <QRect>
#include <QTransform>

#include <cstdint>
#include <functional>
#include <vector>

class TQvSeriesLayer {
public:
    // What the pass depends on: for every series its identity and the counters of its points
    // and of its settings, then the graph's drawing state.
    struct TKey {
        std::vector<std::uintptr_t> Series;
        TGPRectF Area{0, 0, 0, 0};
        int Smoothing = 0;
        bool DoingImage = false;
        bool operator==(const TKey&) const = default;
    };

    // Draws the pass through Draw into Graphics, or copies it when Key and the target are those
    // of the kept image; the image is made when they are those of the paint before. Bounds:
    // the graph's own rectangle in Graphics' world coordinates.
    void Paint(TGPGraphics* Graphics, const TKey& Key, const TGPRectF& Bounds,
               const std::function<void(TGPGraphics*)>& Draw);
    // Frees the image.
    void Clear();

private:
    QImage FImage;
    TKey FKey;
    QTransform FDevice; // world to device pixels when the image was made
    QRect FPlace;       // where the image lies in device pixels
};
