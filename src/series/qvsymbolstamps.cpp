#include "series/qvsymbolstamps.h"

#include "style/qvdrawing.h"

#include <QPainter>

#include <bit>
#include <cmath>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// Blends Width source pixels over the target where Open has a bit, the others left alone.
void BlendRow(const QRgb* Source, QRgb* Target, int Width, std::uint64_t Open) {
    int x = 0;
#ifdef __SSE2__
    // Four pixels at a time; a source of 0 leaves its target exactly as it was.
    const __m128i Zero = _mm_setzero_si128(), Round = _mm_set1_epi16(0x80),
                  Full = _mm_set1_epi32(255);
    const auto Half = [&](__m128i Pixels, __m128i Rest) {
        __m128i v = _mm_mullo_epi16(Pixels, Rest);
        v = _mm_add_epi16(v, Round);
        return _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), 8);
    };
    for (; x + 4 <= Width; x += 4) {
        const unsigned Lanes = unsigned(Open >> x) & 0xF;
        if (!Lanes) continue;
        const __m128i Keep = _mm_set_epi32(Lanes & 8 ? -1 : 0, Lanes & 4 ? -1 : 0,
                                           Lanes & 2 ? -1 : 0, Lanes & 1 ? -1 : 0);
        const __m128i s =
            _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(Source + x)), Keep);
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Target + x));
        __m128i Rest = _mm_sub_epi32(Full, _mm_srli_epi32(s, 24));
        Rest = _mm_or_si128(Rest, _mm_slli_epi32(Rest, 16));
        const __m128i Low = Half(_mm_unpacklo_epi8(d, Zero), _mm_unpacklo_epi32(Rest, Rest));
        const __m128i High = Half(_mm_unpackhi_epi8(d, Zero), _mm_unpackhi_epi32(Rest, Rest));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Target + x),
                         _mm_add_epi8(s, _mm_packus_epi16(Low, High)));
    }
#endif
    for (; x < Width; ++x)
        if ((Open >> x) & 1) Target[x] = Over(Source[x], Target[x]);
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

void TQvSymbolStamps::Begin(QPainter* Painter, const QTransform& World, bool Alone) {
    FPainter = Painter;
    const QTransform Device = World * Painter->worldTransform();
    FDx = int(Device.dx());
    FDy = int(Device.dy());
    FTarget = FColor && Alone ? DirectImage(Painter) : nullptr;
    // The blend works on premultiplied pixels; this format stores straight alpha.
    if (FTarget && FTarget->format() == QImage::Format_ARGB32) FTarget = nullptr;
    const std::optional<QRect> Clip = FTarget ? WholePixelClip(Painter) : std::nullopt;
    if (!Clip || Clip->isEmpty()) {
        FTarget = nullptr;
        return;
    }
    FClip = *Clip;
    FPixels = reinterpret_cast<QRgb*>(FTarget->bits());
    FStride = FTarget->bytesPerLine() / qsizetype(sizeof(QRgb));
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
    if (FTarget && Blend(Stamp, DeviceLeft, DeviceTop)) return;
    FPainter->save();
    FPainter->resetTransform();
    FPainter->drawImage(QPoint(DeviceLeft, DeviceTop), Stamp.Image);
    FPainter->restore();
}

bool TQvSymbolStamps::Blend(const TStamp& Stamp, int Left, int Top) {
    const int Width = Stamp.Width, Height = Stamp.Height;
    if (Width > 64 || Left < FClip.left() || Top < FClip.top() ||
        Left + Width - 1 > FClip.right() || Top + Height - 1 > FClip.bottom())
        return false;
    const std::size_t First = std::size_t(Left - FClip.left());
    const std::size_t Word = First / 64, Shift = First % 64;
    const std::uint64_t Span = Width == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << Width) - 1;
    for (int sy = 0; sy < Height; ++sy) {
        // The stamp's row of full-colour bits; only the other pixels are blended.
        std::uint64_t* Bits = &FFull[std::size_t(Top + sy - FClip.top()) * std::size_t(FWords)];
        std::uint64_t Full = Bits[Word] >> Shift;
        if (Shift && Shift + std::size_t(Width) > 64) Full |= Bits[Word + 1] << (64 - Shift);
        std::uint64_t Open = ~Full & Span & Stamp.Covered[std::size_t(sy)];
        if (!Open) continue;
        // A pixel all but covered is within a level of the colour whatever lay below.
        const std::uint64_t Filled = Stamp.Filled[std::size_t(sy)] << Shift;
        Bits[Word] |= Filled;
        if (Shift && Shift + std::size_t(Width) > 64)
            Bits[Word + 1] |= Stamp.Filled[std::size_t(sy)] >> (64 - Shift);
        BlendRow(Stamp.Pixels.data() + std::size_t(sy * Width),
                 FPixels + (Top + sy) * FStride + Left, Width, Open);
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
        Stamp.Image = Image.copy(Inked);
        Stamp.Offset = Inked.topLeft() - QPoint(FHalf, FHalf);
        Stamp.Width = Inked.width();
        Stamp.Height = Inked.height();
        for (int y = 0; y < Stamp.Height; ++y) {
            const auto* Row = reinterpret_cast<const QRgb*>(Stamp.Image.constScanLine(y));
            std::uint64_t Covered = 0, Filled = 0;
            for (int x = 0; x < Stamp.Width; ++x) {
                Stamp.Pixels.push_back(Row[x]);
                if (x >= 64) continue;
                Covered |= std::uint64_t(Row[x] != 0) << x;
                Filled |= std::uint64_t(qAlpha(Row[x]) >= 254) << x;
            }
            Stamp.Covered.push_back(Covered);
            Stamp.Filled.push_back(Filled);
        }
    }
    return Stamp;
}
