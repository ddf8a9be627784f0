#include "style/qvgdi.h"

#include "framework/qvexceptions.h"
#include "framework/qvstreams.h"
#include "strings/qvlocalize.h"
#include "style/qvgifwriter.h"
#include "style/qvsvgdevice.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

using namespace Qvlocalize;

namespace {
struct TEncoder {
    const char* MimeType;
    const char* QtFormat; // nullptr: written by the library itself
};

constexpr TEncoder Encoders[] = {
    {"image/png", "png"},   {"image/jpeg", "jpeg"}, {"image/bmp", "bmp"},
    {"image/tiff", "tiff"}, {"image/gif", nullptr},
};

const TEncoder& FindEncoder(const QString& MimeType) {
    for (const TEncoder& Encoder : Encoders)
        if (MimeType.compare(QLatin1String(Encoder.MimeType), Qt::CaseInsensitive) == 0)
            return Encoder;
    throw EConvertError(Format(SImageFormatNotSupported, {MimeType}));
}

QImage::Format QtFormat(TGPPixelFormat Format) {
    return Format == TGPPixelFormat::Format24bppRGB ? QImage::Format_RGB32
                                                    : QImage::Format_ARGB32_Premultiplied;
}
} // namespace

// ---- TGPBitmap ----

TGPBitmap::TGPBitmap(int Width, int Height, TGPPixelFormat Format)
    : FImage(std::max(1, Width), std::max(1, Height), QtFormat(Format)), FFormat(Format) {
    FImage.fill(Format == TGPPixelFormat::Format24bppRGB ? 0xFF000000u : 0u);
}

TGPBitmap::TGPBitmap(const QImage& Image)
    : FImage(Image.convertToFormat(Image.hasAlphaChannel()
                                       ? QtFormat(TGPPixelFormat::Format32bppARGB)
                                       : QtFormat(TGPPixelFormat::Format24bppRGB))),
      FFormat(Image.hasAlphaChannel() ? TGPPixelFormat::Format32bppARGB
                                      : TGPPixelFormat::Format24bppRGB) {}

std::unique_ptr<TGPBitmap> TGPBitmap::FromFile(const QString& FileName) {
    QImageReader Reader(FileName);
    const QImage Image = Reader.read();
    if (Image.isNull())
        throw EFOpenError(Format(SImageReadError, {FileName, Reader.errorString()}));
    return std::make_unique<TGPBitmap>(Image);
}

TQvColor TGPBitmap::GetPixel(int X, int Y) const {
    return FImage.valid(X, Y) ? FImage.pixel(X, Y) : 0;
}

void TGPBitmap::SetPixel(int X, int Y, TQvColor Color) {
    if (FImage.valid(X, Y)) FImage.setPixel(X, Y, qPremultiply(Color));
}

QStringList TGPBitmap::EncoderMimeTypes() {
    QStringList Result;
    for (const TEncoder& Encoder : Encoders)
        Result.append(QLatin1String(Encoder.MimeType));
    return Result;
}

void TGPBitmap::Save(QIODevice* Stream, const QString& MimeType, int Quality) const {
    const TEncoder& Encoder = FindEncoder(MimeType);
    if (!Encoder.QtFormat) {
        SaveGif(FImage, Stream);
        return;
    }
    // 24-bit bitmaps and formats without alpha are written without an alpha channel.
    const bool KeepAlpha =
        FFormat == TGPPixelFormat::Format32bppARGB &&
        (qstrcmp(Encoder.QtFormat, "png") == 0 || qstrcmp(Encoder.QtFormat, "tiff") == 0);
    const QImage Image =
        FImage.convertToFormat(KeepAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB888);
    QImageWriter Writer(Stream, Encoder.QtFormat);
    if (Quality >= 0) Writer.setQuality(std::min(Quality, 100));
    if (!Writer.write(Image))
        throw EWriteError(Format(SImageWriteError, {MimeType, Writer.errorString()}));
}

void TGPBitmap::Save(const QString& FileName, const QString& MimeType, int Quality) const {
    FindEncoder(MimeType);
    QvStream::SaveFile(FileName, [&](QIODevice* Stream) { Save(Stream, MimeType, Quality); });
}

void TGPBitmap::DrawTo(QPainter& Painter, const QRectF& Dest) const {
    Painter.drawImage(Dest, FImage);
}

// ---- TGPMetafile ----

TGPMetafile::TGPMetafile(int Width, int Height) : FWidth(Width), FHeight(Height) {
    FPicture.setBoundingRect(QRect(0, 0, Width, Height));
}

void TGPMetafile::DrawTo(QPainter& Painter, const QRectF& Dest) const {
    Painter.save();
    Painter.translate(Dest.topLeft());
    if (FWidth > 0 && FHeight > 0) Painter.scale(Dest.width() / FWidth, Dest.height() / FHeight);
    Painter.drawPicture(0, 0, FPicture);
    Painter.restore();
}

QByteArray TGPMetafile::ToSvg(const QString& Title) const {
    TQvSvgDevice Svg(QSize(FWidth, FHeight), Title);
    QPainter Painter(&Svg);
    Painter.drawPicture(0, 0, FPicture);
    Painter.end();
    return Svg.Svg();
}

void TGPMetafile::SaveAsSvg(const QString& FileName) const {
    QvStream::SaveFile(FileName, ToSvg());
}
