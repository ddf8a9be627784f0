#include "data/qvminmax.h"

#include "framework/qvbothcores.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

using TEntry = TQvMinMaxHierarchy::TEntry;

// The extremes found so far; NaN candidates never win.
struct TBest {
    TEntry Best{NAN, NAN, 0, 0};
    bool Any = false;
    void Take(const TEntry& E) {
        if (std::isnan(E.Min)) return;
        if (!Any) {
            Best = E;
            Any = true;
            return;
        }
        if (E.Min < Best.Min) {
            Best.Min = E.Min;
            Best.MinIndex = E.MinIndex;
        }
        if (E.Max > Best.Max) {
            Best.Max = E.Max;
            Best.MaxIndex = E.MaxIndex;
        }
    }
    void Take(double Value, std::size_t i) {
        const auto Index = std::uint32_t(i);
        Take({Value, Value, Index, Index});
    }
};

// Each of Values[From .. To) is above the one before it.
bool Rising(const double* Values, std::size_t From, std::size_t To) {
    std::size_t i = std::max<std::size_t>(From, 1);
    bool All = true;
#ifdef __SSE2__
    // Four values at a time, each against the one before it; NaN compares false.
    __m128d Up = _mm_castsi128_pd(_mm_set1_epi32(-1)), Up2 = Up;
    for (; i + 4 <= To; i += 4) {
        Up = _mm_and_pd(Up, _mm_cmpgt_pd(_mm_loadu_pd(Values + i), _mm_loadu_pd(Values + i - 1)));
        Up2 = _mm_and_pd(Up2,
                         _mm_cmpgt_pd(_mm_loadu_pd(Values + i + 2), _mm_loadu_pd(Values + i + 1)));
    }
    All = _mm_movemask_pd(_mm_and_pd(Up, Up2)) == 3;
#endif
    for (; i < To; ++i)
        All &= Values[i] > Values[i - 1];
    return All;
}

// Whether the n values from First rise from the value before them on, when Check asks, and
// their entry: the extremes of rising values are their ends, found without a scan.
TEntry EntryOf(const double* Values, std::size_t First, std::size_t n, bool Check, bool& Rises) {
    Rises = Check && Rising(Values, First, First + n);
    if (Rises && !std::isnan(Values[First]))
        return {Values[First], Values[First + n - 1], std::uint32_t(First),
                std::uint32_t(First + n - 1)};
    return TQvMinMaxHierarchy::BlockEntry(Values, First, n);
}

// The lowest and the highest value of a run, NaN passed over (+inf and -inf when all are).
void Extremes(const double* V, std::size_t Count, double& Lo, double& Hi) {
    std::size_t i = 0;
#ifdef __SSE2__
    // minpd and maxpd keep the held value when the new one is NaN, as the comparison does.
    // Four chains each way, so that the loop does not wait for the latency of one.
    __m128d L = _mm_set1_pd(std::numeric_limits<double>::infinity());
    __m128d H = _mm_set1_pd(-std::numeric_limits<double>::infinity());
    __m128d L2 = L, H2 = H, L3 = L, H3 = H, L4 = L, H4 = H;
    for (; i + 8 <= Count; i += 8) {
        const __m128d a = _mm_loadu_pd(V + i), b = _mm_loadu_pd(V + i + 2);
        const __m128d c = _mm_loadu_pd(V + i + 4), d = _mm_loadu_pd(V + i + 6);
        L = _mm_min_pd(a, L);
        H = _mm_max_pd(a, H);
        L2 = _mm_min_pd(b, L2);
        H2 = _mm_max_pd(b, H2);
        L3 = _mm_min_pd(c, L3);
        H3 = _mm_max_pd(c, H3);
        L4 = _mm_min_pd(d, L4);
        H4 = _mm_max_pd(d, H4);
    }
    for (; i + 2 <= Count; i += 2) {
        const __m128d a = _mm_loadu_pd(V + i);
        L = _mm_min_pd(a, L);
        H = _mm_max_pd(a, H);
    }
    L = _mm_min_pd(_mm_min_pd(L, L2), _mm_min_pd(L3, L4));
    H = _mm_max_pd(_mm_max_pd(H, H2), _mm_max_pd(H3, H4));
    double Ls[2], Hs[2];
    _mm_storeu_pd(Ls, L);
    _mm_storeu_pd(Hs, H);
    Lo = std::min(Ls[0], Ls[1]);
    Hi = std::max(Hs[0], Hs[1]);
#else
    Lo = std::numeric_limits<double>::infinity();
    Hi = -Lo;
#endif
    for (; i < Count; ++i) {
        Lo = V[i] < Lo ? V[i] : Lo;
        Hi = V[i] > Hi ? V[i] : Hi;
    }
}

// Work(From, Middle, Summary) here and Work(Middle, To, Second) on a second thread, Second
// then appended to Summary (when there is one).
template <class Fn>
void OnBothCores(std::size_t From, std::size_t To, TQvValueSummary* Summary, const Fn& Work) {
    const std::size_t Middle = From + (To - From) / 2;
    TQvValueSummary Second;
    RunOnBothCores([&] { Work(From, Middle, Summary); },
                   [&] { Work(Middle, To, Summary ? &Second : nullptr); });
    if (Summary) Summary->Append(Second);
}

// The index of the first of the Count values equal to Value, or Count when none is: four
// compared at a time, so that the search costs a quarter of the branches.
std::size_t FirstEqual(const double* V, std::size_t Count, double Value) {
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128d Wanted = _mm_set1_pd(Value);
    for (; i + 4 <= Count; i += 4) {
        const int Equal = _mm_movemask_pd(_mm_cmpeq_pd(_mm_loadu_pd(V + i), Wanted)) |
                          _mm_movemask_pd(_mm_cmpeq_pd(_mm_loadu_pd(V + i + 2), Wanted)) << 2;
        if (Equal) return i + std::size_t(std::countr_zero(unsigned(Equal)));
    }
#endif
    return std::size_t(std::find(V + i, V + Count, Value) - V);
}

} // namespace

TQvMinMaxHierarchy::TEntry TQvMinMaxHierarchy::BlockEntry(const double* Values, std::size_t First,
                                                          std::size_t Count) {
    const double* V = Values + First;
    double Lo, Hi;
    Extremes(V, Count, Lo, Hi);
    // The first value equal to each extreme: a tie keeps the earlier index, and an extreme of
    // -0 and 0 keeps the sign of the first.
    const std::size_t Low = FirstEqual(V, Count, Lo);
    if (Low == Count) return {NAN, NAN, 0, 0}; // all NaN
    const std::size_t High = FirstEqual(V, Count, Hi);
    return {V[Low], V[High], std::uint32_t(First + Low), std::uint32_t(First + High)};
}

void TQvValueSummary::Take(double Low, std::ptrdiff_t LowIndex, double High,
                           std::ptrdiff_t HighIndex) {
    if (Low < Min) {
        Min = Low;
        MinIndex = LowIndex;
    }
    if (High > Max) {
        Max = High;
        MaxIndex = HighIndex;
    }
}

void TQvValueSummary::Append(const TQvValueSummary& Later) {
    if (Later.MinIndex >= 0) Take(Later.Min, Later.MinIndex, Max, MaxIndex);
    if (Later.MaxIndex >= 0) Take(Min, MinIndex, Later.Max, Later.MaxIndex);
    Ascending = Ascending && Later.Ascending;
}

void TQvValueSummary::Fold(std::span<const double> Values, std::size_t From, std::size_t To) {
    QvClearUpperVectorHalves();
    const auto Run = [&](std::size_t a, std::size_t b, TQvValueSummary* S) {
        constexpr std::size_t Block = std::size_t(1) << TQvMinMaxHierarchy::BlockBits;
        for (std::size_t i = a; i < b; i += Block) {
            const std::size_t n = std::min(Block, b - i);
            bool Rises;
            const TEntry E = EntryOf(Values.data(), i, n, S->Ascending, Rises);
            // NaN compares false: an all-NaN block changes nothing.
            S->Take(E.Min, E.MinIndex, E.Max, E.MaxIndex);
            S->Ascending = Rises;
        }
    };
    if (To > From && To - From >= TQvMinMaxHierarchy::BothCoresFrom)
        OnBothCores(From, To, this, Run);
    else
        Run(From, To, this);
}

void TQvMinMaxHierarchy::Extend(std::span<const double> Values, TQvValueSummary* Summary) {
    const std::size_t From = FCount, To = Values.size();
    if (To <= From) return;
    FCount = To;
    if (FLevels.empty()) FLevels.emplace_back();
    std::vector<TEntry>& Blocks = FLevels[0];
    const std::size_t FirstBlock = Blocks.size(), EndBlock = To >> BlockBits;
    // Grown in one step for a large batch, geometrically for small appends.
    if (Blocks.capacity() < EndBlock) Blocks.reserve(std::max(EndBlock, 2 * Blocks.capacity()));
    Blocks.resize(std::max(EndBlock, FirstBlock));
    // The values before the first new block that starts at or after From are folded one by
    // one, then the new blocks, then the values after the last complete block.
    const std::size_t Aligned =
        std::min(To, ((From + (std::size_t(1) << BlockBits) - 1) >> BlockBits) << BlockBits);
    if (Summary) Summary->Fold(Values, From, Aligned);
    const std::size_t FoldFrom = Aligned >> BlockBits;
    // Each part makes its blocks and the summary of the values in them, block by block while
    // the block is in the cache. The new values' first block may have been made before from
    // fewer values: it is made again, but its values are folded into the summary above.
    const auto Part = [&](std::size_t b0, std::size_t b1, TQvValueSummary* S) {
        for (std::size_t b = b0; b < b1; ++b) {
            const std::size_t First = b << BlockBits, Count = std::size_t(1) << BlockBits;
            const bool Folds = S && b >= FoldFrom;
            bool Rises;
            Blocks[b] = EntryOf(Values.data(), First, Count, Folds && S->Ascending, Rises);
            if (!Folds) continue;
            S->Take(Blocks[b].Min, Blocks[b].MinIndex, Blocks[b].Max, Blocks[b].MaxIndex);
            S->Ascending = Rises;
        }
    };
    if ((EndBlock - FirstBlock) << BlockBits < BothCoresFrom)
        Part(FirstBlock, EndBlock, Summary);
    else
        OnBothCores(FirstBlock, EndBlock, Summary, Part);
    if (Summary) Summary->Fold(Values, std::max(Aligned, EndBlock << BlockBits), To);
    for (std::size_t k = 1;; ++k) {
        const std::size_t Complete = To >> UnitBits(k);
        if (Complete == 0) break;
        if (FLevels.size() <= k) FLevels.emplace_back();
        std::vector<TEntry>& Level = FLevels[k];
        if (Level.capacity() < Complete) Level.reserve(std::max(Complete, 2 * Level.capacity()));
        for (std::size_t u = Level.size(); u < Complete; ++u)
            Level.push_back(UnitEntry(k, u));
    }
}

TQvMinMaxHierarchy::TEntry TQvMinMaxHierarchy::UnitEntry(std::size_t Level, std::size_t u) const {
    TBest Best;
    const std::vector<TEntry>& Below = FLevels[Level - 1];
    for (std::size_t b = u << FanoutBits; b < (u + 1) << FanoutBits; ++b)
        Best.Take(Below[b]);
    return Best.Best;
}

void TQvMinMaxHierarchy::Update(std::span<const double> Values, std::size_t Index) {
    if (Index >= FCount) return;
    for (std::size_t k = 0; k < FLevels.size(); ++k) {
        const std::size_t u = Index >> UnitBits(k);
        if (u >= FLevels[k].size()) break; // the value lies beyond the complete units
        FLevels[k][u] = k == 0
                            ? BlockEntry(Values.data(), u << BlockBits, std::size_t(1) << BlockBits)
                            : UnitEntry(k, u);
    }
}

void TQvMinMaxHierarchy::Truncate(std::size_t Count) {
    if (Count >= FCount) return;
    FCount = Count;
    for (std::size_t k = 0; k < FLevels.size(); ++k)
        FLevels[k].resize(std::min(FLevels[k].size(), Count >> UnitBits(k)));
    while (!FLevels.empty() && FLevels.back().empty())
        FLevels.pop_back();
}

TQvMinMaxHierarchy::TEntry TQvMinMaxHierarchy::MinMax(std::span<const double> Values,
                                                      std::size_t First, std::size_t Last) const {
    TBest Best;
    // Values outside whole blocks go through the block pass, several at a time, unless the
    // extremes of their kept block both lie among them.
    const std::size_t KeptBlocks = FLevels.empty() ? 0 : FLevels[0].size();
    const auto Loose = [&](std::size_t From, std::size_t To) {
        if (From >= To) return;
        if (const std::size_t b = From >> BlockBits; b < KeptBlocks) {
            const TEntry& E = FLevels[0][b];
            const auto Among = [&](std::size_t Index) { return Index >= From && Index < To; };
            if (Among(E.MinIndex) && Among(E.MaxIndex)) return Best.Take(E);
        }
        Best.Take(BlockEntry(Values.data(), From, To - From));
    };
    constexpr std::size_t Block = std::size_t(1) << BlockBits;
    const std::size_t End = Last + 1;
    const std::size_t Kept = KeptBlocks << BlockBits;
    std::size_t i = std::min(End, (First + Block - 1) & ~(Block - 1));
    Loose(First, i);
    while (i + Block <= std::min(End, Kept)) {
        // The largest complete unit that starts at i and ends within the range; units are
        // powers of two, so shifts stand in for divisions.
        std::size_t k = 1;
        unsigned Bits = BlockBits;
        while (k < FLevels.size()) {
            const unsigned Next = UnitBits(k);
            const std::size_t Mask = (std::size_t(1) << Next) - 1;
            if ((i & Mask) != 0 || i + Mask >= End || (i >> Next) >= FLevels[k].size()) break;
            Bits = Next;
            ++k;
        }
        Best.Take(FLevels[k - 1][i >> Bits]);
        i += std::size_t(1) << Bits;
    }
    Loose(i, End);
    if (!Best.Any) return {NAN, NAN, std::uint32_t(End), std::uint32_t(End)};
    return Best.Best;
}
