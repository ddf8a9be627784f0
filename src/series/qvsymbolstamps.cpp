#include "series/qvsymbolstamps.h"

#include "framework/qvbothcores.h"
#include "series/qvsymbolmix.h"
#include "style/qvdrawing.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#define QV_STAMPS_SSE2 1
#endif

namespace {

// The colour of a solid brush, 0 for any other.
TQvColor SolidColor(const TGPBrush* Brush) {
    const auto* Solid = dynamic_cast<const TGPSolidBrush*>(Brush);
    return Solid ? Solid->GetColor() : 0;
}

// The one opaque colour a symbol is drawn in, or 0 when it has more or is see-through.
std::uint32_t SingleColor(const TGPPen* Pen, const TGPBrush* Brush) {
    const auto* Solid = dynamic_cast<const TGPSolidBrush*>(Brush);
    if (!Solid || Pen->GetBrush() || Solid->GetColor() != Pen->GetColor() ||
        GetAlpha(Pen->GetColor()) != 255)
        return 0;
    return Pen->GetColor();
}

// Scales a chunk of eight bytes in each of two rows, A and B, by what their pixels let through,
// over 255. Every chunk is scaled, without a test whether it could change: which ones can is
// as good as random, and a mispredicted test costs more than the scaling.
void ScaleTwoRows(std::uint8_t* A, std::uint8_t* B, const std::uint16_t* ThroughA,
                  const std::uint16_t* ThroughB) {
#ifdef QV_STAMPS_SSE2
    const __m128i Zero = _mm_setzero_si128(), Round = _mm_set1_epi16(0x80),
                  By257 = _mm_set1_epi16(257);
    const __m128i Both = _mm_castpd_si128(_mm_loadh_pd(
        _mm_castsi128_pd(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(A))),
        reinterpret_cast<const double*>(B)));
    // (v + 128) * 257 / 65536 is Div255(v) for every product of two bytes.
    const auto Scale = [&](__m128i Pixels16, const std::uint16_t* Through) {
        const __m128i v = _mm_mullo_epi16(
            Pixels16, _mm_loadu_si128(reinterpret_cast<const __m128i*>(Through)));
        return _mm_mulhi_epu16(_mm_add_epi16(v, Round), By257);
    };
    const __m128i Scaled = _mm_packus_epi16(Scale(_mm_unpacklo_epi8(Both, Zero), ThroughA),
                                            Scale(_mm_unpackhi_epi8(Both, Zero), ThroughB));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(A), Scaled);
    _mm_storeh_pd(reinterpret_cast<double*>(B), _mm_castsi128_pd(Scaled));
#else
    for (int b = 0; b < 8; ++b) {
        A[b] = std::uint8_t(QvSymbolMix::Div255(A[b] * std::uint32_t(ThroughA[b])));
        B[b] = std::uint8_t(QvSymbolMix::Div255(B[b] * std::uint32_t(ThroughB[b])));
    }
#endif
}

} // namespace

TQvSymbolStamps::TQvSymbolStamps(const TGPPen* Pen, const TGPBrush* Brush, float Size,
                                 QvStyle::TQvPointSymbol Symbol, TGPSmoothingMode Mode)
    : FPen(Pen), FBrush(Brush), FPenColor(Pen->GetColor()), FBrushColor(SolidColor(Brush)),
      FPenWidth(Pen->GetWidth()), FSize(Size), FSymbol(Symbol), FMode(Mode),
      FHalf(int(std::ceil(Size / 2 + Pen->GetWidth())) + 2), FColor(SingleColor(Pen, Brush)) {}

bool TQvSymbolStamps::Serves(const TGPPen* Pen, const TGPBrush* Brush, float Size,
                             QvStyle::TQvPointSymbol Symbol, TGPSmoothingMode Mode) const {
    return Pen == FPen && Brush == FBrush && Pen->GetColor() == FPenColor &&
           Pen->GetWidth() == FPenWidth && SolidColor(Brush) == FBrushColor && Size == FSize &&
           Symbol == FSymbol && Mode == FMode;
}

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
    const QPaintDevice* Surface = Painter->device();
    FReach = QRect(0, 0, Surface->width(), Surface->height())
                 .adjusted(-FHalf - 1, -FHalf - 1, FHalf + 1, FHalf + 1);
    FTarget = FColor && Alone ? DirectImage(Painter) : nullptr;
    // The mix works on premultiplied pixels; this format stores straight alpha.
    if (FTarget && FTarget->format() == QImage::Format_ARGB32) FTarget = nullptr;
    const std::optional<QRect> Clip = FTarget ? WholePixelClip(Painter) : std::nullopt;
    if (!Clip || Clip->isEmpty()) {
        FTarget = nullptr;
        return;
    }
    FClip = *Clip;
    FRowBytes = FClip.width() + Chunk;
    // And a row more, which the second of a pair of stamp rows may reach. The plane stays with
    // the thread between paints: freed, it stayed with the allocator all the same, where what
    // came to lie after it could keep it from being used again and a paint took a new one.
    // End gives the rows it mixed back clear, so that only a paint that did not end needs the
    // whole plane filled. Clear, it serves any size that it holds, whatever its rows were: a
    // zoom that changes the labels, and with them the data area, changes the size back and
    // forth.
    struct TPlane {
        std::vector<std::uint8_t> Bytes;
        bool Clear = false;
    };
    thread_local TPlane Plane;
    const std::size_t Size = std::size_t(FRowBytes) * std::size_t(FClip.height() + 1);
    if (!Plane.Clear)
        Plane.Bytes.assign(std::max(Size, Plane.Bytes.size()), 255);
    else if (Plane.Bytes.size() < Size)
        Plane.Bytes.resize(Size, 255);
    Plane.Clear = false;
    FThrough = Plane.Bytes.data();
    FPlaneClear = &Plane.Clear;
    FTouched = {FClip.height(), -1};
}

[[gnu::always_inline]] inline TQvSymbolStamps::TPlace TQvSymbolStamps::Place(const TGPPointF& P) {
    // Far off the surface (or NaN) a symbol shows nothing, and its pixel need not exist.
    const float DeviceX = P.X + float(FDx), DeviceY = P.Y + float(FDy);
    if (!(DeviceX >= float(FReach.left()) && DeviceX <= float(FReach.right()) &&
          DeviceY >= float(FReach.top()) && DeviceY <= float(FReach.bottom())))
        return {};
    // Within the reach the nearest quarter is a small number: the floor needs no library call.
    const auto NearestQuarter = [](float v) {
        const float s = v * Quarters + 0.5f;
        const int Toward0 = int(s);
        return Toward0 - (float(Toward0) > s);
    };
    const int X = NearestQuarter(P.X), Y = NearestQuarter(P.Y);
    const int Left = X >> 2, Top = Y >> 2; // Quarters is four: floor division
    TStamp& Stamp = FStamps[std::size_t((Y & (Quarters - 1)) * Quarters + (X & (Quarters - 1)))];
    if (!Stamp.Width) MakeStamp(Stamp, X & (Quarters - 1), Y & (Quarters - 1));
    return TPlace{&Stamp, Left + Stamp.Offset.x() + FDx, Top + Stamp.Offset.y() + FDy};
}

void TQvSymbolStamps::Draw(const TGPPointF& P) {
    const TPlace At = Place(P);
    if (!At.Stamp) return;
    if (FTarget && Inside(At))
        Cover(At, FTouched);
    else
        Paint(At);
}

void TQvSymbolStamps::DrawMany(std::span<const TGPPointF> Points,
                               const std::vector<std::size_t>* Chosen) {
    QvClearUpperVectorHalves();
    const std::size_t Count = Chosen ? Chosen->size() : Points.size();
    // Below this many symbols a second thread costs more than it saves.
    constexpr std::size_t ShareFrom = 8192;
    if (!FTarget || Count < ShareFrom) {
        for (std::size_t n = 0; n < Count; ++n)
            Draw(Points[Chosen ? (*Chosen)[n] : n]);
        return;
    }
    // While they scale, both cores only read stamps: all are made first, each on an image and
    // with a painter of its own, so that the two cores share the making too. A paint that
    // finds them made, as most do, wakes no second core for it.
    if (std::any_of(FStamps.begin(), FStamps.end(), [](const TStamp& S) { return !S.Width; }))
        ShareFromBothEnds(std::size_t(Quarters * Quarters), [&](std::size_t q) {
            if (!FStamps[q].Width) MakeStamp(FStamps[q], int(q) % Quarters, int(q) / Quarters);
        });
    const int Middle = MiddleRow(Points, Chosen);
    TShare Above, Below;
    RunOnBothCores([&] { Above = ScaleRows(Points, Chosen, Middle, true); },
                   [&] { Below = ScaleRows(Points, Chosen, Middle, false); });
    for (const TShare* Share : {&Above, &Below}) {
        FTouched.Add(Share->Touched.First, Share->Touched.Last);
        for (const TPlace& At : Share->Aside)
            if (Inside(At))
                Cover(At, FTouched);
            else
                Paint(At);
    }
}

TQvSymbolStamps::TShare TQvSymbolStamps::ScaleRows(std::span<const TGPPointF> Points,
                                                   const std::vector<std::size_t>* Chosen,
                                                   int Middle, bool Upper) {
    // Both cores only write in their own frames while they scale: written next to what the
    // other core reads, a value would take the cache line from it again and again.
    TShare Share{FTouched, {}};
    const std::size_t Count = Chosen ? Chosen->size() : Points.size();
    // A symbol further than this from the middle row lies wholly on one side of it, and the
    // other core passes it over without placing it.
    const float Edge = float(Middle + FClip.top() - FDy), Reach = float(FHalf + 2);
    const float Above = Edge + Reach, Below = Edge - Reach;
    // Which side a symbol lies on is as good as random: the symbols of a block that may be on
    // this side are picked without a branch on it first. Those picked are all placed before
    // any is scaled, which lets the core overlap the scaling of one symbol with the next.
    // The lists stay with the thread, not in a frame of 80 KB.
    constexpr std::size_t Block = 4096;
    thread_local std::vector<std::uint32_t> Picked(Block);
    thread_local std::vector<TPlace> Placed(Block);
    for (std::size_t From = 0; From < Count; From += Block) {
        const std::size_t To = std::min(Count, From + Block);
        std::size_t Many = 0;
        for (std::size_t k = From; k < To; ++k) {
            const float Y = Points[Chosen ? (*Chosen)[k] : k].Y;
            Picked[Many] = std::uint32_t(k);
            Many += std::size_t(Upper ? !(Y >= Above) : !(Y < Below));
        }
        std::size_t Scaled = 0;
        for (std::size_t j = 0; j < Many; ++j) {
            const TPlace At = Place(Points[Chosen ? (*Chosen)[Picked[j]] : Picked[j]]);
            if (!At.Stamp) continue;
            // Each symbol is this core's by its first row.
            const int First = FirstRow(At);
            if (Upper != (First < Middle)) continue;
            if (Inside(At) && (!Upper || First + RowsScaled(*At.Stamp) <= Middle))
                Placed[Scaled++] = At;
            else
                Share.Aside.push_back(At);
        }
        // Symbols next to each other in the data often overlap, and one would wait for the
        // bytes that the one before it wrote. They are scaled in interleaved runs instead:
        // the next symbol lies a run further on, mostly apart from those still being scaled.
        constexpr std::size_t Runs = 16;
        const std::size_t RunLength = Scaled / Runs;
        for (std::size_t i = 0; i < RunLength * Runs; ++i)
            Cover(Placed[i % Runs * RunLength + i / Runs], Share.Touched);
        for (std::size_t j = RunLength * Runs; j < Scaled; ++j)
            Cover(Placed[j], Share.Touched);
    }
    return Share;
}

int TQvSymbolStamps::MiddleRow(std::span<const TGPPointF> Points,
                               const std::vector<std::size_t>* Chosen) {
    const std::size_t Count = Chosen ? Chosen->size() : Points.size();
    return MiddleOfSample(Count, 1024,
                          [&](std::size_t n) -> std::optional<int> {
                              const TPlace At = Place(Points[Chosen ? (*Chosen)[n] : n]);
                              return At.Stamp ? std::optional(FirstRow(At)) : std::nullopt;
                          })
        .value_or(0);
}

void TQvSymbolStamps::Paint(const TPlace& At) {
    FPainter->save();
    FPainter->resetTransform();
    FPainter->drawImage(QPoint(At.Left, At.Top), At.Stamp->Image);
    FPainter->restore();
}

[[gnu::always_inline]] inline bool TQvSymbolStamps::Inside(const TPlace& At) const {
    return At.Left >= FClip.left() && At.Top >= FClip.top() &&
           At.Left + At.Stamp->Width - 1 <= FClip.right() &&
           At.Top + At.Stamp->Height - 1 <= FClip.bottom();
}

[[gnu::always_inline]] inline void TQvSymbolStamps::Cover(const TPlace& At,
                                                          TTouched& Touched) const {
    const TStamp& Stamp = *At.Stamp;
    const int Top = FirstRow(At);
    Touched.Add(Top, Top + Stamp.Height - 1);
    std::uint8_t* Row = FThrough + Top * FRowBytes + (At.Left - FClip.left());
    const int Chunks = Stamp.Chunks;
    const TChunkThrough* Through = Stamp.Through.data();
    for (int sy = 0; sy < Stamp.Height; sy += 2, Row += 2 * FRowBytes, Through += 2 * Chunks)
        for (int c = 0; c < Chunks; ++c)
            ScaleTwoRows(Row + c * Chunk, Row + FRowBytes + c * Chunk, Through[c].data(),
                         Through[Chunks + c].data());
}

void TQvSymbolStamps::End() {
    if (!FTarget) return;
    auto* Pixels = reinterpret_cast<QRgb*>(FTarget->bits());
    // Rows are independent: many go to both cores, in blocks.
    constexpr int ShareRowsFrom = 64, BlockRows = 16;
    const int First = FTouched.First, Last = FTouched.Last;
    if (Last - First >= ShareRowsFrom) {
        ShareBlocksFromBothEnds(First, Last + 1, BlockRows,
                                [&](int From, int To) { MixRows(From, To - 1, Pixels); });
    } else {
        MixRows(First, Last, Pixels);
    }
    *FPlaneClear = true;
    FTarget = nullptr;
}

void TQvSymbolStamps::MixRows(int First, int Last, QRgb* Pixels) const {
    const qsizetype Stride = FTarget->bytesPerLine() / qsizetype(sizeof(QRgb));
    for (int r = First; r <= Last; ++r) {
        std::uint8_t* Row = FThrough + r * FRowBytes;
        QvSymbolMix::MixRow(Row, Pixels + (FClip.top() + r) * Stride + FClip.left(), FClip.width(),
                            FColor);
        std::memset(Row, 255, std::size_t(FRowBytes));
        QvClearUpperVectorHalves();
    }
}

void TQvSymbolStamps::MakeStamp(TStamp& Stamp, int Qx, int Qy) {
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
    Stamp.Chunks = (Stamp.Width + Chunk - 1) / Chunk;
    // Rows go in pairs: an odd one is followed by a row that lets all through.
    Stamp.Through.assign(std::size_t((Stamp.Height + 1) / 2 * 2 * Stamp.Chunks),
                         TChunkThrough{255, 255, 255, 255, 255, 255, 255, 255});
    for (int y = 0; y < Stamp.Height; ++y) {
        const auto* Row = reinterpret_cast<const QRgb*>(Stamp.Image.constScanLine(y));
        for (int x = 0; x < Stamp.Width; ++x)
            Stamp.Through[std::size_t(y * Stamp.Chunks + x / Chunk)][std::size_t(x % Chunk)] =
                std::uint16_t(255 - qAlpha(Row[x]));
    }
}
