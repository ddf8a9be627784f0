#include "series/qvsymbolstamps.h"

#include "style/qvdrawing.h"

#include <QPainter>

#include <bit>
#include <cmath>

namespace {

// The one opaque colour a symbol is drawn in, or 0 when it has more or is see-through.
std::uint32_t SingleColor(const TGPPen* Pen, const TGPBrush* Brush) {
    const auto* Solid = dynamic_cast<const TGPSolidBrush*>(Brush);
    if (!Solid || Pen->GetBrush() || Solid->GetColor() != Pen->GetColor() ||
        GetAlpha(Pen->GetColor()) != 255)
        return 0;
    return Pen->GetColor();
}

// Source over target, both premultiplied, two channels at a time.
std::uint32_t Over(std::uint32_t Source, std::uint32_t Target) {
    const std::uint32_t Rest = 255 - (Source >> 24);
    std::uint32_t RB = (Target & 0x00FF00FF) * Rest;
    RB = ((RB + ((RB >> 8) & 0x00FF00FF) + 0x00800080) >> 8) & 0x00FF00FF;
    std::uint32_t AG = ((Target >> 8) & 0x00FF00FF) * Rest;
    AG = (AG + ((AG >> 8) & 0x00FF00FF) + 0x00800080) & 0xFF00FF00;
    return Source + (RB | AG);
}

// Within two levels of the colour in every channel: a symbol's edge leaves an inked pixel a
// level short, and further blends would change it by less than that.
bool NearColor(std::uint32_t Pixel, std::uint32_t Color) {
    for (int Shift = 0; Shift < 32; Shift += 8)
        if (std::abs(int((Pixel >> Shift) & 0xFF) - int((Color >> Shift) & 0xFF)) > 2) return false;
    return true;
}

} // namespace

TQvSymbolStamps::TQvSymbolStamps(const TGPPen* Pen, const TGPBrush* Brush, float Size,
                                 QvStyle::TQvPointSymbol Symbol, TGPSmoothingMode Mode)
    : FPen(Pen), FBrush(Brush), FSize(Size), FSymbol(Symbol), FMode(Mode),
      FHalf(int(std::ceil(Size / 2 + Pen->GetWidth())) + 2), FColor(SingleColor(Pen, Brush)) {}

bool TQvSymbolStamps::Fit(TGPGraphics* Graphics) {
    if (!Graphics->IsRaster()) return false;
    QPainter* Painter = Graphics->GetHDC();
    const QTransform Device = Graphics->GetTransform().ToQt() * Painter->worldTransform();
    const bool Whole =
        Device.type() <= QTransform::TxTranslate && Device.dx() == std::round(Device.dx()) &&
        Device.dy() == std::round(Device.dy()) && Painter->device()->devicePixelRatio() == 1;
    Graphics->ReleaseHDC(Painter);
    return Whole;
}

void TQvSymbolStamps::Begin(QPainter* Painter, const QTransform& World) {
    FPainter = Painter;
    const QTransform Device = World * Painter->worldTransform();
    FDx = int(Device.dx());
    FDy = int(Device.dy());
    FTarget = FColor ? DirectImage(Painter) : nullptr;
    // The blend works on premultiplied pixels; this format stores straight alpha.
    if (FTarget && FTarget->format() == QImage::Format_ARGB32) FTarget = nullptr;
    const std::optional<QRect> Clip = FTarget ? WholePixelClip(Painter) : std::nullopt;
    if (!Clip || Clip->isEmpty()) {
        FTarget = nullptr;
        return;
    }
    FClip = *Clip;
    // Pixels the image has in the colour already are not marked: only a drawn one is.
    FWords = (FClip.width() + 63) / 64;
    FFull.assign(std::size_t(FWords) * std::size_t(FClip.height()), 0);
}

void TQvSymbolStamps::Draw(const TGPPointF& P) {
    const float X = std::floor(P.X * Quarters + 0.5f), Y = std::floor(P.Y * Quarters + 0.5f);
    const float Left = std::floor(X / Quarters), Top = std::floor(Y / Quarters);
    const TStamp& Stamp = StampFor(int(X - Left * Quarters), int(Y - Top * Quarters));
    const int DeviceLeft = int(Left) + Stamp.Offset.x() + FDx;
    const int DeviceTop = int(Top) + Stamp.Offset.y() + FDy;
    if (FTarget && Blend(Stamp.Image, DeviceLeft, DeviceTop)) return;
    FPainter->save();
    FPainter->resetTransform();
    FPainter->drawImage(QPoint(DeviceLeft, DeviceTop), Stamp.Image);
    FPainter->restore();
}

bool TQvSymbolStamps::Blend(const QImage& Stamp, int Left, int Top) {
    const int Width = Stamp.width(), Height = Stamp.height();
    if (Width > 64 || !FClip.contains(QRect(Left, Top, Width, Height))) return false;
    const std::size_t First = std::size_t(Left - FClip.left());
    const std::size_t Word = First / 64, Shift = First % 64;
    const std::uint64_t Span = Width == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << Width) - 1;
    const qsizetype Stride = FTarget->bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* Pixels = reinterpret_cast<QRgb*>(FTarget->bits());
    for (int sy = 0; sy < Height; ++sy) {
        // The stamp's row of full-colour bits; only the other pixels are blended.
        std::uint64_t* Bits = &FFull[std::size_t(Top + sy - FClip.top()) * std::size_t(FWords)];
        std::uint64_t Full = Bits[Word] >> Shift;
        if (Shift && Shift + std::size_t(Width) > 64) Full |= Bits[Word + 1] << (64 - Shift);
        std::uint64_t Open = ~Full & Span;
        if (!Open) continue;
        const QRgb* Source = reinterpret_cast<const QRgb*>(Stamp.constScanLine(sy));
        QRgb* Target = Pixels + (Top + sy) * Stride + Left;
        for (; Open; Open &= Open - 1) {
            const int sx = std::countr_zero(Open);
            if (Source[sx] == 0) continue;
            Target[sx] = Over(Source[sx], Target[sx]);
            if (NearColor(Target[sx], FColor)) {
                const std::size_t Bit = First + std::size_t(sx);
                Bits[Bit / 64] |= std::uint64_t(1) << (Bit % 64);
            }
        }
    }
    return true;
}

const TQvSymbolStamps::TStamp& TQvSymbolStamps::StampFor(int Qx, int Qy) {
    TStamp& Stamp = FStamps[size_t(Qy * Quarters + Qx)];
    if (Stamp.Image.isNull()) {
        QImage Image(2 * FHalf + 1, 2 * FHalf + 1, QImage::Format_ARGB32_Premultiplied);
        Image.fill(Qt::transparent);
        {
            TGPGraphics Graphics(&Image);
            Graphics.SetSmoothingMode(FMode);
            DrawPointSymbol(&Graphics, FPen, FBrush, FSize, float(FHalf) + float(Qx) / Quarters,
                            float(FHalf) + float(Qy) / Quarters, FSymbol);
        }
        QRect Inked;
        for (int y = 0; y < Image.height(); ++y) {
            auto* Row = reinterpret_cast<QRgb*>(Image.scanLine(y));
            for (int x = 0; x < Image.width(); ++x) {
                if (!qAlpha(Row[x])) continue;
                Inked |= QRect(x, y, 1, 1);
                // The outline drawn over the fill rounds the colour; one colour is the
                // coverage alone, so that a covered pixel has the colour exactly.
                if (FColor)
                    Row[x] = qPremultiply((FColor & 0x00FFFFFF) | QRgb(qAlpha(Row[x])) << 24);
            }
        }
        if (Inked.isEmpty()) Inked = QRect(0, 0, 1, 1);
        Stamp = {Image.copy(Inked), Inked.topLeft() - QPoint(FHalf, FHalf)};
    }
    return Stamp;
}
