// Images of a chart, painted at any scale onto bitmaps or into SVG and PDF, saved by format or
// by the file name's extension, printed and copied; for a graph, with the graphs coupled to its
// X axis stacked above it and the scroll bars left out.

#include "graph/qvgraph2d.h"

#include "axes/qvaxis.h"
#include "framework/qvclipbrd.h"
#include "framework/qvexceptions.h"
#include "framework/qvprinters.h"
#include "framework/qvstreams.h"
#include "strings/qvlocalize.h"
#include "style/qvpdfpage.h"
#include "style/qvsvgdevice.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QScopedValueRollback>

#include <cmath>

using namespace Qvlocalize;

namespace {

// The encoder of a raster format; EXIF and Icon have none, and the name says so.
QString MimeType(TQvImageFileFormat Format) {
    switch (Format) {
    case TQvImageFileFormat::BMP:
        return QStringLiteral("image/bmp");
    case TQvImageFileFormat::JPEG:
        return QStringLiteral("image/jpeg");
    case TQvImageFileFormat::PNG:
        return QStringLiteral("image/png");
    case TQvImageFileFormat::GIF:
        return QStringLiteral("image/gif");
    case TQvImageFileFormat::TIFF:
        return QStringLiteral("image/tiff");
    case TQvImageFileFormat::EXIF:
        return QStringLiteral("EXIF");
    default:
        return QStringLiteral("Icon");
    }
}

// Pixels of an image of Scale times Extent.
int Scaled(int Extent, double Scale) {
    return std::max(1, int(std::ceil(Extent * Scale - 1e-9)));
}

} // namespace

TQvGraph2D* TQvGraph2D::ImageRoot() {
    if (FRecalculate) CheckCoupled();
    TQvGraph2D* Root = FIsCoupledGraph ? ParentOfXAxis() : this;
    return Root ? Root : this;
}

int TQvGraph2D::ImagePartHeight() const {
    const bool Bar = FHScrollBar && FDoHScrollBar;
    return ClientHeight() - (Bar ? FHScrollBar->sizeHint().height() : 0);
}

int TQvGraph2D::ImgageGraphHeight() {
    TQvGraph2D* Root = ImageRoot();
    int Height = Root->ImagePartHeight();
    for (const TQvGraph2D* Child : std::as_const(Root->FChildGraphs))
        Height += Child->ImagePartHeight();
    return Height;
}

// Past the vertical scroll bar to the leftmost axis at the left of any graph of the group.
int TQvGraph2D::ImageGraphLeft() {
    TQvGraph2D* Root = ImageRoot();
    QList<TQvGraph2D*> Group = Root->FChildGraphs;
    Group.prepend(Root);
    if (std::none_of(Group.begin(), Group.end(),
                     [](const TQvGraph2D* G) { return G->FVScrollbar && G->FDoVScrollBar; }))
        return 0;
    int Left = GetWidth();
    for (const TQvGraph2D* Graph : std::as_const(Group))
        for (const TQvAxis* Axis : Graph->ChildAxes())
            if (Axis->GetParent() == Graph && Axis->GetPosition() == TQvAxisPosition::Left)
                Left = std::min(Left, Axis->GetLeft());
    return Left;
}

void TQvCustomGraph::PaintToImage(TGPGraphics* Graphics, float Dx, float Dy) {
    const TGPMatrix Saved = Graphics->GetTransform();
    TGPMatrix At = Saved;
    At.Translate(Dx, Dy);
    Graphics->SetTransform(At);
    PaintForImage(Graphics, FDoingMetafile);
    Graphics->SetTransform(Saved);
}

void TQvCustomGraph::PaintForImage(TGPGraphics* Graphics, bool Metafile) {
    const QScopedValueRollback<bool> Image(FDoingImage, true);
    const QScopedValueRollback<bool> Vector(FDoingMetafile, Metafile);
    PaintGr(Graphics);
}

void TQvGraph2D::PaintToImage(TGPGraphics* Graphics, float Dx, float Dy) {
    TQvGraph2D* Root = ImageRoot();
    const TGPMatrix Saved = Graphics->GetTransform();
    TGPMatrix At = Saved;
    At.Translate(Dx, Dy);
    for (qsizetype k = Root->FChildGraphs.size() - 1; k >= 0; --k) {
        TQvGraph2D* Child = Root->FChildGraphs[k];
        Graphics->SetTransform(At);
        Child->PaintForImage(Graphics, FDoingMetafile);
        At.Translate(0, float(Child->ImagePartHeight()));
    }
    Graphics->SetTransform(At);
    Root->PaintForImage(Graphics, FDoingMetafile);
    Graphics->SetTransform(Saved);
}

void TQvCustomGraph::PaintToImage(TGPImage* Image, float Dx, float Dy) {
    TGPGraphics Graphics(Image);
    PaintToImage(&Graphics, Dx, Dy);
}

std::unique_ptr<TGPBitmap>
TQvCustomGraph::AsBitmap(bool RemoveTransparency, TQvColor TransparentExchangeColor, double Scale) {
    const int Left = ImageGraphLeft();
    auto Bitmap = std::make_unique<TGPBitmap>(
        Scaled(GetWidth() - Left, Scale), Scaled(ImgageGraphHeight(), Scale),
        RemoveTransparency ? TGPPixelFormat::Format24bppRGB : TGPPixelFormat::Format32bppARGB);
    Bitmap->Image().fill(RemoveTransparency ? QColor::fromRgb(TransparentExchangeColor | 0xFF000000)
                                            : QColor(255, 255, 255, 0));
    TGPGraphics Graphics(Bitmap.get());
    Graphics.ScaleTransform(float(Scale), float(Scale));
    PaintToImage(&Graphics, -float(Left), 0);
    return Bitmap;
}

QImage TQvCustomGraph::AsTBitmap(TQvColor TransparentColor) {
    QImage Image = AsBitmap(true, TransparentColor)->Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb Key = (TransparentColor | 0xFF000000) & 0xFFFFFFFF;
    for (int y = 0; y < Image.height(); ++y) {
        auto* Line = reinterpret_cast<QRgb*>(Image.scanLine(y));
        for (int x = 0; x < Image.width(); ++x)
            if (Line[x] == Key) Line[x] = 0;
    }
    return Image;
}

std::unique_ptr<TGPMetafile> TQvCustomGraph::AsTMetafile() {
    const int Left = ImageGraphLeft();
    auto Metafile = std::make_unique<TGPMetafile>(GetWidth() - Left, ImgageGraphHeight());
    const QScopedValueRollback<bool> Vector(FDoingMetafile, true);
    PaintToImage(Metafile.get(), -float(Left), 0);
    return Metafile;
}

void TQvCustomGraph::PaintVectorImage(QPaintDevice* Device, double Scale) {
    QPainter Painter(Device);
    TGPGraphics Graphics(&Painter);
    Graphics.ScaleTransform(float(Scale), float(Scale));
    // Positions as computed, not rounded to pixels; scroll bars are not counted.
    const QScopedValueRollback<bool> Vector(FDoingMetafile, true);
    PaintToImage(&Graphics, -float(ImageGraphLeft()), 0);
}

void TQvCustomGraph::SaveImage(QIODevice* Stream, TQvImageFileFormat Format,
                               bool RemoveTransparency, TQvColor TransparentExchangeColor,
                               double Scale) {
    const QSize Size(Scaled(GetWidth() - ImageGraphLeft(), Scale),
                     Scaled(ImgageGraphHeight(), Scale));
    switch (Format) {
    case TQvImageFileFormat::EMF: {
        TQvSvgDevice Svg(Size, GetCaption());
        PaintVectorImage(&Svg, Scale);
        const QByteArray Bytes = Svg.Svg();
        QvStream::WriteBuffer(Stream, Bytes.constData(), Bytes.size());
        return;
    }
    case TQvImageFileFormat::PDF:
        WritePdfPage(Stream, Size, GetCaption(),
                     [&](QPaintDevice* Pdf) { PaintVectorImage(Pdf, Scale); });
        return;
    default:
        AsBitmap(RemoveTransparency, TransparentExchangeColor, Scale)
            ->Save(Stream, MimeType(Format));
    }
}

QRectF TQvCustomGraph::PrintRect(const QRect& Target, const QSizeF& Size) {
    const double tw = Target.width(), th = Target.height();
    if (Size.isEmpty() || tw <= 0 || th <= 0) return {};
    const double Aspect = Size.width() / Size.height();
    if (tw / th >= Aspect)
        return {Target.left() + (tw - th * Aspect) / 2, double(Target.top()), th * Aspect, th};
    return {double(Target.left()), double(Target.top()), tw, tw / Aspect};
}

void TQvCustomGraph::PrintTo(TPrinter* Printer, const QRect& Rect) {
    if (!Printer || !Printer->Printing()) return;
    const int Left = ImageGraphLeft();
    const QSizeF Size(GetWidth() - Left, ImgageGraphHeight());
    const QRectF Place = PrintRect(Rect, Size);
    if (Place.isEmpty()) return;
    TGPGraphics Graphics(Printer->Canvas());
    Graphics.TranslateTransform(float(Place.left()), float(Place.top()));
    Graphics.ScaleTransform(float(Place.width() / Size.width()),
                            float(Place.height() / Size.height()));
    const QScopedValueRollback<bool> Vector(FDoingMetafile, true);
    PaintToImage(&Graphics, -float(Left), 0);
}

void TQvCustomGraph::CopyToClipboard() {
    QBuffer Svg;
    Svg.open(QIODevice::WriteOnly);
    SaveImage(&Svg, TQvImageFileFormat::EMF);
    Clipboard()->SetPicture(Svg.data(), AsBitmap()->Image());
}

void TQvCustomGraph::SaveImage(const QString& FileName, TQvImageFileFormat Format,
                               bool RemoveTransparency, TQvColor TransparentExchangeColor,
                               double Scale) {
    QvStream::SaveFile(FileName, [&](QIODevice* Stream) {
        SaveImage(Stream, Format, RemoveTransparency, TransparentExchangeColor, Scale);
    });
}

void TQvCustomGraph::SaveImage(const QString& FileName, double Scale) {
    SaveImage(FileName, ImageFormatOf(FileName), false, 0xFFFFFFFF, Scale);
}

TQvImageFileFormat TQvCustomGraph::ImageFormatOf(const QString& FileName) {
    static const std::pair<const char*, TQvImageFileFormat> Extensions[] = {
        {"png", TQvImageFileFormat::PNG},   {"jpg", TQvImageFileFormat::JPEG},
        {"jpeg", TQvImageFileFormat::JPEG}, {"bmp", TQvImageFileFormat::BMP},
        {"gif", TQvImageFileFormat::GIF},   {"tif", TQvImageFileFormat::TIFF},
        {"tiff", TQvImageFileFormat::TIFF}, {"svg", TQvImageFileFormat::EMF},
        {"pdf", TQvImageFileFormat::PDF}};
    const QString Suffix = QFileInfo(FileName).suffix().toLower();
    for (const auto& [Extension, Found] : Extensions)
        if (Suffix == QLatin1String(Extension)) return Found;
    throw EConvertError(Format(SImageUnknownExtension, {FileName}));
}
