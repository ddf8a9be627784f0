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

void TFourPerColumn::FinishColumn() {
    const bool LowFirst = FLow.i <= FHigh.i;
    const TKeptPoint Kept[4] = {FFirst, LowFirst ? FLow : FHigh, LowFirst ? FHigh : FLow, FLast};
    int Previous = -1;
    for (const TKeptPoint& Each : Kept) {
        if (Each.i == Previous) continue;
        FOut.Add(Each.P, Each.i);
        Previous = Each.i;
    }
}

void TLineReducer::EndRunBeyond() {
    Keep(FRunFirst.P, FRunFirst.i);
    if (FRunLast.i != FRunFirst.i) Keep(FRunLast.P, FRunLast.i);
    FBeyond = 0;
}

void TLineReducer::EndThinning() {
    if (FMerging != TMerging::Nothing) Settle();
    FAnchored = false;
    FFour.Finish();
}

void TLineReducer::Finish() {
    if (FBeyond) EndRunBeyond();
    EndThinning();
}

void TLineReducer::SetThinning(bool On) {
    if (FThinning && !On) EndThinning();
    FThinning = On;
}

} // namespace QvPointStages
