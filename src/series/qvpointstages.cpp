#include "series/qvpointstages.h"

#include <cmath>

namespace QvPointStages {

void TPointList::Truncate(std::size_t From) {
    Points.resize(std::min(From, Points.size()));
    Index.resize(Points.size());
    while (!RunStarts.empty() && RunStarts.back() >= Points.size())
        RunStarts.pop_back();
}

void TPointList::Append(const TPointList& More, bool Continues) {
    const std::size_t Offset = Points.size();
    const bool Join = Continues && !FBreak && !RunStarts.empty();
    for (std::size_t r = Join ? 1 : 0; r < More.RunStarts.size(); ++r)
        RunStarts.push_back(More.RunStarts[r] + Offset);
    Points.insert(Points.end(), More.Points.begin(), More.Points.end());
    Index.insert(Index.end(), More.Index.begin(), More.Index.end());
    FBreak = More.Points.empty() ? FBreak || More.FBreak : More.FBreak;
}

void TPointList::Clear() {
    Points.clear();
    Index.clear();
    RunStarts.clear();
    FBreak = false;
}

namespace {
bool Within(const TGPPointF& A, const TGPPointF& B, float Distance) {
    return std::abs(B.X - A.X) <= Distance && std::abs(B.Y - A.Y) <= Distance;
}
} // namespace

void ReduceForSymbols(std::span<const TGPPointF> Points, std::span<const int> Index,
                      TPointList& Out, const TAlike& Alike) {
    if (Points.empty()) return;
    TGPPointF Last = Points[0];
    int Kept = Index[0];
    Out.Add(Last, Kept);
    for (std::size_t k = 1; k < Points.size(); ++k) {
        if (Within(Last, Points[k], NearPixels) && (!Alike || Alike(Kept, Index[k]))) continue;
        Last = Points[k];
        Kept = Index[k];
        Out.Add(Last, Kept);
    }
}

TPixelClaims::TPixelClaims(const TGPRectF& Bounds) {
    const int Left = Column(Bounds.X), Top = Column(Bounds.Y);
    const int Width = Column(Bounds.X + Bounds.Width) - Left + 1;
    const int Height = Column(Bounds.Y + Bounds.Height) - Top + 1;
    if (Width > 0 && Height > 0 && Width <= MaxGridSide && Height <= MaxGridSide) {
        FLeft = float(Left);
        FTop = float(Top);
        FWidth = float(Width);
        FHeight = float(Height);
        FOutside = std::uint32_t(Width) * std::uint32_t(Height);
    }
    FTaken.resize(FOutside / 64 + 1);
}

std::size_t TPixelClaims::Claim(const TGPPointF* P, std::size_t n, std::uint32_t* Drawn) {
    // First the cell of each point, in a loop without branches that the compiler vectorises.
    std::array<std::uint32_t, Block> Cell;
    const float Left = FLeft, Top = FTop, Width = FWidth, Height = FHeight;
    const std::uint32_t Outside = FOutside, Columns = std::uint32_t(Width);
    for (std::size_t k = 0; k < n; ++k) {
        const float x = P[k].X + 0.5f - Left, y = P[k].Y + 0.5f - Top; // centres on whole pixels
        const bool Inside = (x >= 0.0f) & (x < Width) & (y >= 0.0f) & (y < Height);
        const auto Column = std::uint32_t(int(Inside ? x : 0.0f));
        const auto Row = std::uint32_t(int(Inside ? y : 0.0f));
        Cell[k] = Inside ? Row * Columns + Column : Outside;
    }
    // Which points are drawn is as good as random: this loop does not branch on it either.
    std::size_t Count = 0;
    for (std::size_t k = n; k-- > 0;) {
        const std::uint32_t c = Cell[k];
        const std::uint64_t Bit = std::uint64_t(1) << (c % 64), Word = FTaken[c / 64];
        FTaken[c / 64] = Word | Bit;
        Drawn[Count] = std::uint32_t(k);
        Count += std::size_t(c == Outside ? std::isfinite(P[k].X) && std::isfinite(P[k].Y)
                                          : !(Word & Bit));
    }
    return Count;
}

std::vector<std::size_t> TopmostSymbols(std::span<const TGPPointF> Points, const TGPRectF& Bounds) {
    TPixelClaims Claims(Bounds);
    std::vector<std::size_t> Kept;
    std::array<std::uint32_t, TPixelClaims::Block> Drawn;
    for (std::size_t End = Points.size(); End > 0;) {
        const std::size_t n = std::min(TPixelClaims::Block, End);
        End -= n;
        const std::size_t Count = Claims.Claim(Points.data() + End, n, Drawn.data());
        for (std::size_t k = 0; k < Count; ++k)
            Kept.push_back(End + Drawn[k]);
    }
    std::reverse(Kept.begin(), Kept.end());
    return Kept;
}

void KeepEndsBeyond(std::span<const TGPPointF> Points, std::span<const int> Index,
                    const TGPRectF& Bounds, std::vector<TGPPointF>& KeptPoints,
                    std::vector<int>& KeptIndex) {
    // One bit per edge the point lies beyond; NaN lies beyond none.
    const auto Beyond = [&](const TGPPointF& P) {
        return unsigned(P.X < Bounds.X) | unsigned(P.X > Bounds.X + Bounds.Width) << 1 |
               unsigned(P.Y < Bounds.Y) << 2 | unsigned(P.Y > Bounds.Y + Bounds.Height) << 3;
    };
    const auto Keep = [&](std::size_t k) {
        KeptPoints.push_back(Points[k]);
        KeptIndex.push_back(Index[k]);
    };
    std::size_t First = 0;
    while (First < Points.size()) {
        unsigned Common = Beyond(Points[First]);
        std::size_t Last = First;
        while (Common && Last + 1 < Points.size() && (Common & Beyond(Points[Last + 1]))) {
            Common &= Beyond(Points[Last + 1]);
            ++Last;
        }
        Keep(First);
        if (Last > First) Keep(Last);
        First = Last + 1;
    }
}

void MergeNearPoints(std::span<const TGPPointF> Points, std::span<const int> Index,
                     TPointList& Out) {
    const std::size_t n = Points.size();
    if (n == 0) return;
    const auto Near = [](const TGPPointF& A, const TGPPointF& B) {
        return std::abs(B.X - A.X) < NearPixels && std::abs(B.Y - A.Y) < NearPixels;
    };
    TGPPointF Anchor = Points[0];
    Out.Add(Anchor, Index[0]);
    std::size_t k = 1;
    while (k < n) {
        std::size_t End = k;
        if (Near(Anchor, Points[k])) {
            while (k < n && Near(Anchor, Points[k]))
                End = k++;
        } else {
            if (std::abs(Points[k].X - Anchor.X) < NearPixels) {
                const bool Down = Points[k].Y > Anchor.Y;
                for (std::size_t j = End + 1; j < n; ++j) {
                    if (std::abs(Points[j].X - Anchor.X) >= NearPixels) break;
                    if (Down ? Points[j].Y < Points[End].Y : Points[j].Y > Points[End].Y) break;
                    End = j;
                }
            }
            k = End + 1;
        }
        Anchor = Points[End];
        Out.Add(Anchor, Index[End]);
    }
}

void AddOutsideBand(const TGPPointF& A, const TGPPointF& B, float Top, float Bottom,
                    std::vector<TGPPointF>& Pairs) {
    const TGPPointF& Upper = A.Y <= B.Y ? A : B;
    const TGPPointF& Lower = A.Y <= B.Y ? B : A;
    if (!(Top < Bottom) || !(Lower.Y > Top) || !(Upper.Y < Bottom)) {
        Pairs.insert(Pairs.end(), {A, B});
        return;
    }
    const auto At = [&](float Y) {
        return TGPPointF{Upper.X + (Lower.X - Upper.X) * (Y - Upper.Y) / (Lower.Y - Upper.Y), Y};
    };
    if (Upper.Y < Top) Pairs.insert(Pairs.end(), {Upper, At(Top)});
    if (Lower.Y > Bottom) Pairs.insert(Pairs.end(), {At(Bottom), Lower});
}

std::size_t KeepFourPerColumn(std::span<TGPPointF> Points, std::span<int> Index) {
    std::size_t Out = 0, i = 0;
    const std::size_t n = Points.size();
    while (i < n) {
        std::size_t j = i, Low = i, High = i;
        const int c = Column(Points[i].X);
        while (j + 1 < n && Column(Points[j + 1].X) == c) {
            ++j;
            if (Points[j].Y < Points[Low].Y) Low = j;
            if (Points[j].Y > Points[High].Y) High = j;
        }
        const std::size_t Keep[4] = {i, std::min(Low, High), std::max(Low, High), j};
        std::size_t Previous = n;
        for (std::size_t k : Keep) {
            if (k == Previous) continue;
            Points[Out] = Points[k];
            Index[Out] = Index[k];
            ++Out;
            Previous = k;
        }
        i = j + 1;
    }
    return Out;
}

} // namespace QvPointStages
