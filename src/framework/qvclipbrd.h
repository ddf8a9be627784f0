#pragma once

// The system clipboard for pictures: bitmaps, and vector pictures that travel as SVG with a
// bitmap beside them for programs that take no vector formats.

#include <QByteArray>
#include <QImage>

class TClipboard {
public:
    static inline const char* const PictureMimeType = "image/svg+xml";

    void SetImage(const QImage& Image);
    void SetPicture(const QByteArray& Svg, const QImage& Preview);
    QImage GetImage() const;
    // The SVG text of a vector picture; empty when the clipboard holds none.
    QByteArray GetPicture() const;
    bool HasImage() const;
    bool HasPicture() const;
    // Empties the clipboard.
    void Clear();
};

TClipboard* Clipboard();
