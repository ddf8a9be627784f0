#pragma once

// The stages that turn a series' values into the screen points worth drawing, each a plain
// function over spans that knows one thing: ascending data are cut to the visible range,
// mapped points that are not finite split a line into runs, dense ascending lines are reduced
// per pixel column, other lines merge points within a pixel and keep four points per column,
// and symbols drop near duplicates.

#include "data/qvminmax.h"
#include "framework/qvbothcores.h"
#include "framework/qvcountingiterator.h"
#include "style/qvgditypes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <span>
#include <utility>
#include <vector>

namespace QvPointStages {

// Points closer than this in both directions draw as one.
inline constexpr float NearPixels = 1.0f;
// Pixel grids of the stages are at most this wide and high.
inline constexpr int MaxGridSide = 1 << 14;

// Pixel centres lie on whole coordinates, so a column spans half a pixel to either side. Far
// off the screen (or NaN) the column only has to be a defined number.
inline int Column(float X) {
    constexpr float Reach = float(1 << 30);
    const float S = X + 0.5f;
    if (!(S >= -Reach && S <= Reach)) return S > 0 ? int(Reach) : -int(Reach);
    const int Toward0 = int(S); // the floor without a library call, once per point
    return Toward0 - (float(Toward0) > S);
}

// Kept points with the data index of each; a line is drawn run by run, and a gap in the
// values ends a run.
struct TPointList {
    std::vector<TGPPointF> Points;
    std::vector<int> Index;
    // Where each run begins: 0 first, whenever there is a point.
    std::vector<std::size_t> RunStarts;

    // Adds the point P of value i, beginning a run after a break.
    void Add(const TGPPointF& P, int i) {
        if (FBreak || RunStarts.empty()) {
            RunStarts.push_back(Points.size());
            FBreak = false;
        }
        Points.push_back(P);
        Index.push_back(i);
    }
    // Adds the points P of the values Index.
    void Add(std::span<const TGPPointF> P, std::span<const int> I) {
        if (P.empty()) return;
        Add(P.front(), I.front());
        Points.insert(Points.end(), P.begin() + 1, P.end());
        Index.insert(Index.end(), I.begin() + 1, I.end());
    }
    // The next point begins a new run.
    void Break() { FBreak = !Points.empty(); }
    // Adds the points and runs of More after these. Its first run goes on from the last one
    // here when Continues: its first point is of the value right after the last one here.
    void Append(const TPointList& More, bool Continues);
    // Drops the points from From on.
    void Truncate(std::size_t From);
    // Drops every point and run.
    void Clear();
    // Calls Visit(First, Count) for each run.
    template <class Fn> void ForEachRun(const Fn& Visit) const {
        for (std::size_t r = 0; r < RunStarts.size(); ++r) {
            const std::size_t End = r + 1 < RunStarts.size() ? RunStarts[r + 1] : Points.size();
            Visit(RunStarts[r], End - RunStarts[r]);
        }
    }

private:
    bool FBreak = false;
};

// The part of First .. Last of ascending values X(i) that shows between Lo and Hi, with one
// value beyond either end so that a line still enters and leaves the range; with none inside,
// the one value nearest the range.
template <class ValueAt>
std::pair<int, int> VisibleRange(int First, int Last, double Lo, double Hi, const ValueAt& X) {
    const TQvCountingIterator<int> Begin{First}, End{Last + 1};
    const int FirstInside = *std::partition_point(Begin, End, [&](int i) { return X(i) < Lo; });
    const int FirstBeyond = *std::partition_point(Begin, End, [&](int i) { return X(i) <= Hi; });
    const int Start = std::max(First, FirstInside - 1);
    const int Stop = std::min(Last, FirstBeyond);
    return {std::min(Start, Stop), Stop};
}

// Calls Visit(First, Count) for each run of finite points: a point that is not finite stands
// for a value the axes cannot show, and the line breaks there.
template <class Fn> void ForEachFiniteRun(std::span<const TGPPointF> Points, const Fn& Visit) {
    const auto Finite = [](const TGPPointF& P) { return std::isfinite(P.X) && std::isfinite(P.Y); };
    auto It = Points.begin();
    while (It != Points.end()) {
        It = std::find_if(It, Points.end(), Finite);
        const auto End = std::find_if_not(It, Points.end(), Finite);
        if (It != End) Visit(std::size_t(It - Points.begin()), std::size_t(End - It));
        It = End;
    }
}

// Whether the value with data index i draws like the kept value Kept, beyond its point.
using TAlike = std::function<bool(int Kept, int i)>;

// Symbols: every point, unless it lies within a pixel of the point kept before it (and, with
// Alike given, draws like it).
void ReduceForSymbols(std::span<const TGPPointF> Points, std::span<const int> Index,
                      TPointList& Out, const TAlike& Alike = {});

// The pixels of Bounds that a symbol has claimed, a bit each so that the grid stays within the
// caches. Symbols drawn in order over each other: a symbol on the same pixel as a later one lies
// under it all but for a sliver, so walking back from the last symbol, only the first to claim
// a pixel is drawn. Bounds beyond any screen (or none) get no grid: every symbol is drawn.
class TPixelClaims {
public:
    // Points claimed at a time.
    static constexpr std::size_t Block = 1024;

    explicit TPixelClaims(const TGPRectF& Bounds);
    // Walks back from the last of the n points from P on (n at most Block) and writes the
    // position of each one drawn to Drawn, last first; returns how many there are. A point
    // outside Bounds is drawn, one that is not finite is not.
    std::size_t Claim(const TGPPointF* P, std::size_t n, std::uint32_t* Drawn);

private:
    float FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    // The cell past the grid that stands for every point outside it.
    std::uint32_t FOutside = 0;
    std::vector<std::uint64_t> FTaken;
};

// Within Bounds, the positions of the symbols to draw, in drawing order.
std::vector<std::size_t> TopmostSymbols(std::span<const TGPPointF> Points, const TGPRectF& Bounds);

// The same for points of values First .. Last straight from the data, so that the hidden ones
// are never stored: Map(i, n, Points) maps the n values from i on. Many are mapped on a second
// core, a few blocks ahead of the claims, which must go one block after the other.
template <class MapFn>
void KeepTopmostSymbols(int First, int Last, const TGPRectF& Bounds, const MapFn& Map,
                        TPointList& Out) {
    constexpr int Block = int(TPixelClaims::Block);
    constexpr std::size_t Ahead = 8, PipeFrom = 32;
    std::vector<std::array<TGPPointF, Block>> Mapped(Ahead);
    std::array<TGPPointF, Block> Kept;
    std::array<int, Block> KeptIndex;
    std::array<std::uint32_t, Block> Drawn;
    TPixelClaims Claims(Bounds);
    const std::size_t From = Out.Points.size();
    // Block b ends b blocks before the last value.
    const auto Values = [&](std::size_t b) {
        const int End = Last + 1 - int(b) * Block;
        const int n = std::min(Block, End - First);
        return std::pair{End - n, n};
    };
    const auto MapBlock = [&](std::size_t b) {
        const auto [i, n] = Values(b);
        Map(i, n, Mapped[b % Ahead].data());
    };
    const auto KeepBlock = [&](std::size_t b) {
        const auto [i, n] = Values(b);
        const TGPPointF* Points = Mapped[b % Ahead].data();
        const std::size_t Count = Claims.Claim(Points, std::size_t(n), Drawn.data());
        for (std::size_t k = 0; k < Count; ++k) {
            Kept[k] = Points[Drawn[k]];
            KeptIndex[k] = i + int(Drawn[k]);
        }
        Out.Add({Kept.data(), Count}, {KeptIndex.data(), Count});
    };
    PipeOnBothCores(std::size_t((Last - First) / Block + 1), Ahead, PipeFrom, MapBlock, KeepBlock);
    // Kept last first, the points are copied in drawing order once, into lists as long as they
    // are: the lists grew without knowing how far, and what they held in reserve goes back.
    // As many as the pipe shares out, the points go on one core and their indices on the other.
    const auto InOrder = [From](auto& List) {
        std::remove_reference_t<decltype(List)> Exact;
        Exact.reserve(List.size());
        Exact.assign(List.begin(), List.begin() + std::ptrdiff_t(From));
        Exact.insert(Exact.end(), List.rbegin(), List.rend() - std::ptrdiff_t(From));
        List.swap(Exact);
    };
    if (Out.Points.size() - From >= PipeFrom * Block)
        RunOnBothCores([&] { InOrder(Out.Points); }, [&] { InOrder(Out.Index); });
    else {
        InOrder(Out.Points);
        InOrder(Out.Index);
    }
}

// The segment A to B as pairs of ends, less its part between the heights Top and Bottom: none,
// one or two pieces.
void AddOutsideBand(const TGPPointF& A, const TGPPointF& B, float Top, float Bottom,
                    std::vector<TGPPointF>& Pairs);

// A point kept by a stage, with its data index.
struct TKeptPoint {
    TGPPointF P;
    int i;
};

// Within each pixel column only the first, the lowest, the highest and the last point of a
// line change pixels: the others are passed over. Points come one by one, in the order of
// their data indices, and go to Out.
class TFourPerColumn {
public:
    explicit TFourPerColumn(TPointList& Out) : FOut(Out) {}
    void Add(const TGPPointF& P, int i) {
        const int c = Column(P.X);
        if (FOpen && c == FColumn) {
            if (P.Y < FLow.P.Y) FLow = {P, i};
            if (P.Y > FHigh.P.Y) FHigh = {P, i};
            FLast = {P, i};
            return;
        }
        Finish();
        FOpen = true;
        FColumn = c;
        FFirst = FLow = FHigh = FLast = {P, i};
    }
    // The last column's points go out.
    void Finish() {
        if (!FOpen) return;
        FOpen = false;
        // Most columns of a line that is not dense hold one point.
        if (FFirst.i == FLast.i)
            FOut.Add(FFirst.P, FFirst.i);
        else
            FinishColumn();
    }

private:
    void FinishColumn();
    TPointList& FOut;
    bool FOpen = false;
    int FColumn = 0;
    TKeptPoint FFirst{}, FLow{}, FHigh{}, FLast{};
};

// A line, point by point as it is mapped, in the order of the data indices. Of each run of
// points all beyond the same edge of Bounds only the first and the last are kept, as the
// segments between them lie beyond that edge as well; points within a pixel of the last kept
// one are merged into the one after it, and a monotone run within one pixel column keeps only
// its end; then four points per pixel column remain at most. A point that is not finite stands
// for a value the axes cannot show, and the line breaks there. The stages work on each point
// in turn, so that no list of all points is ever made.
class TLineReducer {
public:
    TLineReducer(const TGPRectF& Bounds, TPointList& Out)
        : FBounds(Bounds), FOut(Out), FFour(Out) {}
    void Add(const TGPPointF& P, int i) {
        if (!(std::isfinite(P.X) && std::isfinite(P.Y))) {
            Finish();
            FOut.Break();
            return;
        }
        // One bit per edge the point lies beyond.
        const unsigned Beyond =
            unsigned(P.X < FBounds.X) | unsigned(P.X > FBounds.X + FBounds.Width) << 1 |
            unsigned(P.Y < FBounds.Y) << 2 | unsigned(P.Y > FBounds.Y + FBounds.Height) << 3;
        if (FBeyond) {
            if (FBeyond & Beyond) {
                FBeyond &= Beyond;
                FRunLast = {P, i};
                return;
            }
            EndRunBeyond();
        }
        if (Beyond) {
            FBeyond = Beyond;
            FRunFirst = FRunLast = {P, i};
            return;
        }
        Keep(P, i);
    }
    // What is pending goes out; the next point begins anew.
    void Finish();
    // Without thinning only runs beyond an edge are cut short: points far apart gain little
    // from the later stages, and cost as much there as they save in drawing.
    void SetThinning(bool On);

private:
    enum class TMerging {
        Nothing,
        Near,
        Monotone
    };
    void EndRunBeyond();
    void Keep(const TGPPointF& P, int i) {
        if (FThinning)
            Merge(P, i);
        else
            FOut.Add(P, i);
    }
    // The merged points and the open column go out.
    void EndThinning();
    void Merge(const TGPPointF& P, int i) {
        const auto Near = [](const TGPPointF& A, const TGPPointF& B) {
            return std::abs(B.X - A.X) < NearPixels && std::abs(B.Y - A.Y) < NearPixels;
        };
        const bool SameColumn = std::abs(P.X - FAnchor.P.X) < NearPixels;
        switch (FMerging) {
        case TMerging::Near:
            if (Near(FAnchor.P, P)) {
                FEnd = {P, i};
                return;
            }
            Settle();
            break;
        case TMerging::Monotone:
            if (SameColumn && !(FDown ? P.Y < FEnd.P.Y : P.Y > FEnd.P.Y)) {
                FEnd = {P, i};
                return;
            }
            Settle();
            break;
        case TMerging::Nothing:
            break;
        }
        if (FAnchored && Near(FAnchor.P, P)) {
            FMerging = TMerging::Near;
            FEnd = {P, i};
        } else if (FAnchored && std::abs(P.X - FAnchor.P.X) < NearPixels) {
            FMerging = TMerging::Monotone;
            FDown = P.Y > FAnchor.P.Y;
            FEnd = {P, i};
        } else {
            FAnchor = {P, i};
            FAnchored = true;
            FFour.Add(P, i);
        }
    }
    // The point that ends the merged ones is kept, and the next ones are measured from it.
    void Settle() {
        FAnchor = FEnd;
        FFour.Add(FEnd.P, FEnd.i);
        FMerging = TMerging::Nothing;
    }

    TGPRectF FBounds;
    TPointList& FOut;
    TFourPerColumn FFour;
    // The edges all points of the run so far lie beyond; 0 without a run.
    unsigned FBeyond = 0;
    TKeptPoint FRunFirst{}, FRunLast{};
    bool FThinning = true, FAnchored = false, FDown = false;
    TMerging FMerging = TMerging::Nothing;
    TKeptPoint FAnchor{}, FEnd{};
};

// Calls Visit(c, i, j) for each pixel column c that the ascending values X(First .. Last)
// fall into, with the first and the last index i .. j in it.
template <class XAt, class PixelX, class NumberX, class Fn>
void ForEachColumn(int First, int Last, const XAt& X, const PixelX& ToPixelX,
                   const NumberX& ToNumberX, const Fn& Visit) {
    int i = First;
    int Width = 1; // points in the column before
    while (i <= Last) {
        // The column ends below the value of its far pixel edge. Columns tend to hold as many
        // points as the one before, so the search starts from that guess: steps of 1, 2, 4,
        // ... find a bracket and halving closes it; evenly spaced data need two probes.
        const int c = Column(ToPixelX(X(i)));
        const double Edge = std::max(ToNumberX(float(c) - 0.5f), ToNumberX(float(c) + 0.5f));
        const auto InColumn = [&](int m) { return X(m) < Edge; };
        int Lo = i, Hi = Last + 1; // Lo counts as in the column, Hi not
        const int Guess = std::min(Last, i + Width - 1);
        if (Guess == i || InColumn(Guess)) {
            Lo = Guess;
            int Step = 1;
            while (Lo + Step <= Last && InColumn(Lo + Step)) {
                Lo += Step;
                Step *= 2;
            }
            Hi = std::min(Last + 1, Lo + Step);
        } else {
            Hi = Guess;
            int Step = 1;
            while (Hi - Step > i && !InColumn(Hi - Step)) {
                Hi -= Step;
                Step *= 2;
            }
            Lo = std::max(i, Hi - Step);
        }
        while (Hi - Lo > 1) {
            const int m = Lo + (Hi - Lo) / 2;
            (InColumn(m) ? Lo : Hi) = m;
        }
        Width = Lo - i + 1;
        Visit(c, i, Lo);
        i = Lo + 1;
    }
}

// A dense line over ascending X straight from the min/max hierarchy of its Y values: the
// first, lowest, highest and last point of every pixel column, all on the column's centre, so
// the cost follows the screen width, not the number of points. A column of NaN alone is a gap.
// XValues, when X(i) reads them, are fetched ahead like Y's.
template <class XAt, class PixelX, class NumberX, class PixelY>
void ReduceByColumns(std::span<const double> Y, const TQvMinMaxHierarchy& Hierarchy, int First,
                     int Last, const XAt& X, const PixelX& ToPixelX, const NumberX& ToNumberX,
                     const PixelY& ToPixelY, TPointList& Out, const double* XValues = nullptr) {
    constexpr int Block = 1 << TQvMinMaxHierarchy::BlockBits, Line = 64 / sizeof(double);
    ForEachColumn(First, Last, X, ToPixelX, ToNumberX, [&](int c, int i, int j) {
        // Columns far apart share no cache lines: the values where the column after next
        // probably ends (its X probe, the loose Y values the hierarchy reads there) are
        // fetched now, so that they are at hand when it comes.
        const int Ahead = int(std::min<long long>(Last, j + 2LL * (j - i + 1)));
        if (XValues) __builtin_prefetch(XValues + Ahead);
        for (int k = Ahead & ~(Block - 1); k < std::min(int(Y.size()), (Ahead | (Block - 1)) + 1);
             k += Line)
            __builtin_prefetch(&Y[std::size_t(k)]);
        const TQvMinMaxHierarchy::TEntry E = Hierarchy.MinMax(Y, std::size_t(i), std::size_t(j));
        if (std::isnan(E.Min)) {
            Out.Break();
            return;
        }
        // All four stand on the column's centre: a line between them then stays inside the
        // column's pixels and leaves no gaps beside it. On one x the order of the two extremes
        // changes no pixel, so the shorter way is taken. The line enters at the first value
        // and leaves at the last that is not NaN; a gap within a column is not shown.
        std::size_t Enter = std::size_t(i), Leave = std::size_t(j);
        while (std::isnan(Y[Enter]))
            ++Enter;
        while (std::isnan(Y[Leave]))
            --Leave;
        const double Entry = Y[Enter], Exit = Y[Leave];
        const bool LowFirst = std::abs(Entry - E.Min) + std::abs(E.Max - Exit) <=
                              std::abs(Entry - E.Max) + std::abs(E.Min - Exit);
        using TKept = std::pair<std::size_t, double>; // an index and its value
        const TKept Lowest{E.MinIndex, E.Min}, Highest{E.MaxIndex, E.Max};
        const TKept Keep[4] = {{Enter, Entry},
                               LowFirst ? Lowest : Highest,
                               LowFirst ? Highest : Lowest,
                               {Leave, Exit}};
        const float Centre = float(c);
        std::size_t Previous = std::size_t(-1);
        for (const auto& [k, Value] : Keep) {
            if (k == Previous) continue;
            Out.Add({Centre, ToPixelY(Value)}, int(k));
            Previous = k;
        }
    });
}

} // namespace QvPointStages
