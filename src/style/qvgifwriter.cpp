#include "style/qvgifwriter.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <QIODevice>
#include <QImage>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace QvGif {

namespace {

bool IsTransparent(std::uint32_t Pixel) {
    return (Pixel >> 24) < 128;
}

// Charts have a few flat colours: a small open-addressing table finds them in one pass and
// gives up as soon as there are more than Limit.
bool IndexExactly(std::span<const std::uint32_t> Pixels, int Limit, TIndexedImage& Result) {
    constexpr std::uint32_t TableSize = 1024; // load stays under 1/4 for 256 colours
    constexpr std::uint32_t Used = 0xFF000000u;
    std::array<std::uint32_t, TableSize> Keys{};
    std::array<std::uint8_t, TableSize> Values{};
    const std::uint8_t First = Result.TransparentIndex == 0 ? 1 : 0;
    Result.Palette.assign(First, 0);
    Result.Indices.resize(Pixels.size());
    std::uint32_t LastKey = 0;
    std::uint8_t LastIndex = 0;
    for (std::size_t i = 0; i < Pixels.size(); ++i) {
        const std::uint32_t Pixel = Pixels[i];
        if (IsTransparent(Pixel)) {
            Result.Indices[i] = 0;
            continue;
        }
        const std::uint32_t Key = Pixel | Used;
        if (Key != LastKey) {
            std::uint32_t Slot = (Key * 2654435761u) >> 22;
            while (Keys[Slot] != 0 && Keys[Slot] != Key)
                Slot = (Slot + 1) & (TableSize - 1);
            if (Keys[Slot] == 0) {
                if (int(Result.Palette.size()) == Limit + First) return false;
                Keys[Slot] = Key;
                Values[Slot] = std::uint8_t(Result.Palette.size());
                Result.Palette.push_back(Pixel & 0xFFFFFFu);
            }
            LastKey = Key;
            LastIndex = Values[Slot];
        }
        Result.Indices[i] = LastIndex;
    }
    return true;
}

// Quantising works on a 6-bit-per-channel histogram: few enough cells to sort and search, fine
// enough that binning alone moves a colour by at most 3 levels.
constexpr int CellBits = 6;
constexpr int CellShift = 8 - CellBits;
constexpr int Refinements = 2;

std::uint32_t CellOf(std::uint32_t Pixel) {
    const std::uint32_t R = (Pixel >> (16 + CellShift)) & 63;
    const std::uint32_t G = (Pixel >> (8 + CellShift)) & 63;
    const std::uint32_t B = (Pixel >> CellShift) & 63;
    return (R << (2 * CellBits)) | (G << CellBits) | B;
}

struct TCell {
    std::array<float, 3> Mean; // of the pixels in the cell
    std::uint32_t Count;
    std::uint32_t Cell;
};

struct TMoments {
    double W = 0;
    std::array<double, 3> S{};
    double Q = 0; // sum of weighted squared channel values

    void Add(const TCell& Cell) {
        W += Cell.Count;
        for (int c = 0; c < 3; ++c) {
            S[c] += double(Cell.Count) * Cell.Mean[c];
            Q += double(Cell.Count) * Cell.Mean[c] * Cell.Mean[c];
        }
    }
    TMoments Minus(const TMoments& Other) const {
        TMoments Result;
        Result.W = W - Other.W;
        for (int c = 0; c < 3; ++c)
            Result.S[c] = S[c] - Other.S[c];
        Result.Q = Q - Other.Q;
        return Result;
    }
    double Sse() const {
        if (W <= 0) return 0;
        return std::max(0.0, Q - (S[0] * S[0] + S[1] * S[1] + S[2] * S[2]) / W);
    }
};

struct TBox {
    std::size_t Begin, End;
    TMoments Moments;
};

TMoments MomentsOf(const std::vector<TCell>& Cells, std::size_t Begin, std::size_t End) {
    TMoments Result;
    for (std::size_t i = Begin; i < End; ++i)
        Result.Add(Cells[i]);
    return Result;
}

// Cuts the box across its widest-spread channel where the two halves' summed squared error is
// least, which follows the colour distribution better than cutting at the median.
std::pair<TBox, TBox> Split(std::vector<TCell>& Cells, const TBox& Box) {
    int Axis = 0;
    double Widest = -1;
    for (int c = 0; c < 3; ++c) {
        double Sq = 0;
        for (std::size_t i = Box.Begin; i < Box.End; ++i)
            Sq += double(Cells[i].Count) * Cells[i].Mean[c] * Cells[i].Mean[c];
        const double Spread = Sq - Box.Moments.S[c] * Box.Moments.S[c] / Box.Moments.W;
        if (Spread > Widest) {
            Widest = Spread;
            Axis = c;
        }
    }
    const auto First = Cells.begin() + std::ptrdiff_t(Box.Begin);
    const auto Last = Cells.begin() + std::ptrdiff_t(Box.End);
    std::sort(First, Last,
              [Axis](const TCell& A, const TCell& B) { return A.Mean[Axis] < B.Mean[Axis]; });
    TMoments Left, BestLeft;
    std::size_t BestCut = Box.Begin + 1;
    double Best = -1;
    for (std::size_t Cut = Box.Begin + 1; Cut < Box.End; ++Cut) {
        Left.Add(Cells[Cut - 1]);
        const double Error = Left.Sse() + Box.Moments.Minus(Left).Sse();
        if (Best < 0 || Error < Best) {
            Best = Error;
            BestCut = Cut;
            BestLeft = Left;
        }
    }
    return {TBox{Box.Begin, BestCut, BestLeft},
            TBox{BestCut, Box.End, Box.Moments.Minus(BestLeft)}};
}

std::uint8_t Channel(double Value) {
    return std::uint8_t(std::clamp(std::lround(Value), 0L, 255L));
}

void Quantize(std::span<const std::uint32_t> Pixels, int Limit, TIndexedImage& Result) {
    struct TSums {
        std::uint64_t R = 0, G = 0, B = 0;
        std::uint32_t Count = 0;
    };
    std::vector<TSums> Histogram(std::size_t(1) << (3 * CellBits));
    for (const std::uint32_t Pixel : Pixels) {
        if (IsTransparent(Pixel)) continue;
        TSums& Sums = Histogram[CellOf(Pixel)];
        Sums.R += (Pixel >> 16) & 0xFF;
        Sums.G += (Pixel >> 8) & 0xFF;
        Sums.B += Pixel & 0xFF;
        ++Sums.Count;
    }
    std::vector<TCell> Cells;
    for (std::uint32_t i = 0; i < Histogram.size(); ++i) {
        const TSums& Sums = Histogram[i];
        if (Sums.Count == 0) continue;
        const double N = Sums.Count;
        Cells.push_back(
            TCell{{float(Sums.R / N), float(Sums.G / N), float(Sums.B / N)}, Sums.Count, i});
    }

    std::vector<TBox> Boxes{TBox{0, Cells.size(), MomentsOf(Cells, 0, Cells.size())}};
    while (int(Boxes.size()) < Limit) {
        const auto Worst =
            std::max_element(Boxes.begin(), Boxes.end(), [](const TBox& A, const TBox& B) {
                const bool SA = A.End - A.Begin > 1;
                const bool SB = B.End - B.Begin > 1;
                if (SA != SB) return SB;
                return A.Moments.Sse() < B.Moments.Sse();
            });
        if (Worst->End - Worst->Begin < 2) break;
        const auto [Low, High] = Split(Cells, *Worst);
        *Worst = Low;
        Boxes.push_back(High);
    }

    std::vector<std::array<double, 3>> Colors;
    for (const TBox& Box : Boxes) {
        const TMoments& M = Box.Moments;
        Colors.push_back({M.S[0] / M.W, M.S[1] / M.W, M.S[2] / M.W});
    }

    // A few k-means rounds move each colour to the centre of the cells nearest to it, which
    // repairs cells that the cuts left on the wrong side of a box edge.
    std::vector<std::uint8_t> Nearest(Cells.size());
    for (int Round = 0; Round <= Refinements; ++Round) {
        for (std::size_t i = 0; i < Cells.size(); ++i) {
            const TCell& Cell = Cells[i];
            double Best = INFINITY;
            for (std::size_t k = 0; k < Colors.size(); ++k) {
                const double DR = Cell.Mean[0] - Colors[k][0];
                double Distance = DR * DR;
                if (Distance >= Best) continue;
                const double DG = Cell.Mean[1] - Colors[k][1];
                const double DB = Cell.Mean[2] - Colors[k][2];
                Distance += DG * DG + DB * DB;
                if (Distance < Best) {
                    Best = Distance;
                    Nearest[i] = std::uint8_t(k);
                }
            }
        }
        if (Round == Refinements) break;
        std::vector<TMoments> Sums(Colors.size());
        for (std::size_t i = 0; i < Cells.size(); ++i)
            Sums[Nearest[i]].Add(Cells[i]);
        for (std::size_t k = 0; k < Colors.size(); ++k)
            if (Sums[k].W > 0)
                Colors[k] = {Sums[k].S[0] / Sums[k].W, Sums[k].S[1] / Sums[k].W,
                             Sums[k].S[2] / Sums[k].W};
    }

    const std::size_t First = Result.TransparentIndex == 0 ? 1 : 0;
    Result.Palette.assign(First, 0);
    for (const auto& C : Colors)
        Result.Palette.push_back((std::uint32_t(Channel(C[0])) << 16) |
                                 (std::uint32_t(Channel(C[1])) << 8) | Channel(C[2]));
    std::vector<std::uint8_t> IndexOfCell(Histogram.size(), 0);
    for (std::size_t i = 0; i < Cells.size(); ++i)
        IndexOfCell[Cells[i].Cell] = std::uint8_t(First + Nearest[i]);
    Result.Indices.resize(Pixels.size());
    for (std::size_t i = 0; i < Pixels.size(); ++i)
        Result.Indices[i] = IsTransparent(Pixels[i]) ? 0 : IndexOfCell[CellOf(Pixels[i])];
}

} // namespace

TIndexedImage IndexColors(std::span<const std::uint32_t> Pixels) {
    TIndexedImage Result;
    if (std::any_of(Pixels.begin(), Pixels.end(), IsTransparent)) Result.TransparentIndex = 0;
    const int Limit = Result.TransparentIndex == 0 ? 255 : 256;
    if (!IndexExactly(Pixels, Limit, Result)) Quantize(Pixels, Limit, Result);
    return Result;
}

} // namespace QvGif

namespace {

struct TOutput {
    QIODevice* Stream;
    bool Failed = false;
};

// Called from giflib's C code, so nothing may propagate out of it.
int WriteToDevice(GifFileType* File, const GifByteType* Data, int Count) noexcept {
    auto* Output = static_cast<TOutput*>(File->UserData);
    if (Output->Failed) return 0;
    qint64 Written = -1;
    try {
        Written = Output->Stream->write(reinterpret_cast<const char*>(Data), Count);
    } catch (...) {
    }
    if (Written != Count) Output->Failed = true;
    return int(std::max<qint64>(Written, 0));
}

[[noreturn]] void RaiseGifError(int Code) {
    throw EWriteError(Format(Qvlocalize::SGifWriteError, {GifErrorString(Code)}));
}

struct TGifCloser {
    void operator()(GifFileType* File) const { EGifCloseFile(File, nullptr); }
};
struct TMapFreer {
    void operator()(ColorMapObject* Map) const { GifFreeMapObject(Map); }
};

} // namespace

void SaveGif(const QImage& Image, QIODevice* Stream) {
    if (Image.isNull()) throw EConvertError(Qvlocalize::SGifNullImage.Text());
    if (Image.width() > 65535 || Image.height() > 65535)
        throw EConvertError(Format(Qvlocalize::SGifTooLarge, {Image.width(), Image.height()}));
    // Checked here so that Qt does not warn about writing to a closed or read-only device.
    if (!Stream || !Stream->isWritable()) RaiseGifError(E_GIF_ERR_NOT_WRITEABLE);

    const QImage Argb = Image.convertToFormat(QImage::Format_ARGB32);
    const int Width = Argb.width(), Height = Argb.height();
    std::vector<std::uint32_t> Pixels(std::size_t(Width) * Height);
    for (int y = 0; y < Height; ++y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Argb.constScanLine(y));
        std::copy(Line, Line + Width, Pixels.begin() + std::ptrdiff_t(y) * Width);
    }
    QvGif::TIndexedImage Indexed = QvGif::IndexColors(Pixels);

    const int Bits = std::max(1, GifBitSize(int(Indexed.Palette.size())));
    std::vector<GifColorType> Colors(std::size_t(1) << Bits, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < Indexed.Palette.size(); ++i)
        Colors[i] =
            GifColorType{GifByteType(Indexed.Palette[i] >> 16),
                         GifByteType(Indexed.Palette[i] >> 8), GifByteType(Indexed.Palette[i])};
    const std::unique_ptr<ColorMapObject, TMapFreer> Map(
        GifMakeMapObject(int(Colors.size()), Colors.data()));
    if (!Map) RaiseGifError(E_GIF_ERR_NOT_ENOUGH_MEM);

    TOutput Output{Stream};
    int Error = 0;
    std::unique_ptr<GifFileType, TGifCloser> File(EGifOpen(&Output, WriteToDevice, &Error));
    if (!File) RaiseGifError(Error);
    const auto Check = [&](int Status) {
        if (Status == GIF_ERROR || Output.Failed)
            RaiseGifError(Output.Failed ? E_GIF_ERR_WRITE_FAILED : File->Error);
    };

    EGifSetGifVersion(File.get(), true);
    Check(EGifPutScreenDesc(File.get(), Width, Height, 8, 0, Map.get()));
    if (Indexed.TransparentIndex >= 0) {
        GraphicsControlBlock Control{}; // no disposal, no delay
        Control.TransparentColor = Indexed.TransparentIndex;
        GifByteType Extension[4];
        const int Length = int(EGifGCBToExtension(&Control, Extension));
        Check(EGifPutExtension(File.get(), GRAPHICS_EXT_FUNC_CODE, Length, Extension));
    }
    Check(EGifPutImageDesc(File.get(), 0, 0, Width, Height, false, nullptr));
    for (int y = 0; y < Height; ++y)
        Check(EGifPutLine(File.get(), Indexed.Indices.data() + std::ptrdiff_t(y) * Width, Width));

    // Closing writes the trailer but ignores whether that write succeeded.
    if (EGifCloseFile(File.release(), &Error) == GIF_ERROR && !Output.Failed) RaiseGifError(Error);
    if (Output.Failed) RaiseGifError(E_GIF_ERR_WRITE_FAILED);
}
