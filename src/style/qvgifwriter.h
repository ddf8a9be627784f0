#pragma once

// GIF output. Qt's image plugins read GIF but cannot write it, so the library encodes with
// giflib.

#include <cstdint>
#include <span>
#include <vector>

class QImage;
class QIODevice;

namespace QvGif {

// An image reduced to the palette GIF stores.
struct TIndexedImage {
    // 0xRRGGBB, at most 256 entries, only those in use (the writer pads to a power of two).
    std::vector<std::uint32_t> Palette;
    std::vector<std::uint8_t> Indices; // one per pixel
    int TransparentIndex = -1;         // 0 when some pixel is transparent, else -1
};

// Pixels are non-premultiplied 0xAARRGGBB. Alpha below 128 is transparent; any other pixel is
// opaque and keeps its colour as it is. Up to 256 distinct opaque colours (255 when a pixel is
// transparent) are kept exactly; more are reduced by a variance-minimising median cut.
TIndexedImage IndexColors(std::span<const std::uint32_t> Pixels);

} // namespace QvGif

// Writes Image, of any format, as a single-frame GIF89a with colours reduced by
// QvGif::IndexColors. EConvertError for a null image or one larger than GIF allows, EWriteError
// when the stream is missing, not writable or fails.
void SaveGif(const QImage& Image, QIODevice* Stream);
