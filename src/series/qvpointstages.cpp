#include "series/qvpointstages.h"

#include <cstdint>
#include <numeric>

namespace QvPointStages {

void TPointList::Truncate(std::size_t From) {
    Points.resize(std::min(From, Points.size()));
    Index.resize(Points.size());
    while (!RunStarts.empty() && RunStarts.back() >= Points.size())
        RunStarts.pop_back();
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

std::vector<std::size_t> TopmostSymbols(std::span<const TGPPointF> Points, const TGPRectF& Bounds) {
    const int Left = Column(Bounds.X), Top = Column(Bounds.Y);
    const int Width = Column(Bounds.X + Bounds.Width) - Left + 1;
    const int Height = Column(Bounds.Y + Bounds.Height) - Top + 1;
    std::vector<std::size_t> Kept;
    // Bounds beyond any screen (or none) get no grid: every symbol is drawn.
    if (Width <= 0 || Height <= 0 || Width > MaxGridSide || Height > MaxGridSide) {
        Kept.resize(Points.size());
        std::iota(Kept.begin(), Kept.end(), std::size_t(0));
        return Kept;
    }
    // A bit per pixel keeps the grid within the caches; the loop does not branch on it.
    std::vector<std::uint64_t> Taken((std::size_t(Width) * std::size_t(Height) + 63) / 64);
    Kept.resize(Points.size());
    std::size_t Count = 0;
    for (std::size_t k = Points.size(); k-- > 0;) {
        const int x = Column(Points[k].X) - Left, y = Column(Points[k].Y) - Top;
        const bool Inside = x >= 0 && y >= 0 && x < Width && y < Height;
        const std::size_t Cell =
            Inside ? std::size_t(y) * std::size_t(Width) + std::size_t(x) : 0;
        const std::uint64_t Bit = std::uint64_t(Inside) << (Cell % 64);
        Kept[Count] = k;
        Count += !Inside || !(Taken[Cell / 64] & Bit);
        Taken[Cell / 64] |= Bit;
    }
    Kept.resize(Count);
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
