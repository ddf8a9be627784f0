#include "series/qvminmax.h"

#include <algorithm>
#include <cmath>

namespace {

// The extremes found so far; NaN candidates never win.
struct TBest {
    TQvMinMaxHierarchy::TEntry Best{NAN, NAN, 0, 0};
    bool Any = false;
    void Take(const TQvMinMaxHierarchy::TEntry& E) {
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

} // namespace

void TQvMinMaxHierarchy::Extend(std::span<const double> Values) {
    if (Values.size() <= FCount) return;
    FCount = Values.size();
    std::size_t Unit = Fanout;
    for (std::size_t k = 0;; ++k, Unit *= Fanout) {
        const std::size_t Complete = FCount / Unit;
        if (Complete == 0) break;
        if (FLevels.size() <= k) FLevels.emplace_back();
        std::vector<TEntry>& Level = FLevels[k];
        // Grown in one step for a large batch, geometrically for small appends.
        if (Level.capacity() < Complete) Level.reserve(std::max(Complete, 2 * Level.capacity()));
        for (std::size_t u = Level.size(); u < Complete; ++u)
            Level.push_back(UnitEntry(Values, k, u));
    }
}

TQvMinMaxHierarchy::TEntry TQvMinMaxHierarchy::UnitEntry(std::span<const double> Values,
                                                         std::size_t Level, std::size_t u) const {
    TBest Best;
    if (Level == 0) {
        for (std::size_t i = u * Fanout; i < (u + 1) * Fanout; ++i)
            Best.Take(Values[i], i);
    } else {
        const std::vector<TEntry>& Below = FLevels[Level - 1];
        for (std::size_t b = u * Fanout; b < (u + 1) * Fanout; ++b)
            Best.Take(Below[b]);
    }
    return Best.Best;
}

void TQvMinMaxHierarchy::Update(std::span<const double> Values, std::size_t Index) {
    if (Index >= FCount) return;
    std::size_t u = Index;
    for (std::size_t k = 0; k < FLevels.size(); ++k) {
        u /= Fanout;
        if (u >= FLevels[k].size()) break; // the value lies beyond the complete units
        FLevels[k][u] = UnitEntry(Values, k, u);
    }
}

void TQvMinMaxHierarchy::Truncate(std::size_t Count) {
    if (Count >= FCount) return;
    FCount = Count;
    std::size_t Unit = Fanout;
    for (std::vector<TEntry>& Level : FLevels) {
        Level.resize(std::min(Level.size(), Count / Unit));
        Unit *= Fanout;
    }
    while (!FLevels.empty() && FLevels.back().empty())
        FLevels.pop_back();
}

void TQvMinMaxHierarchy::MinMax(std::span<const double> Values, std::size_t First, std::size_t Last,
                                std::size_t& MinIndex, std::size_t& MaxIndex) const {
    TBest Best;
    std::size_t i = First;
    while (i <= Last) {
        // The largest complete unit that starts at i and ends within the range; units are
        // powers of two, so shifts stand in for divisions.
        std::size_t k = 0;
        unsigned Bits = 0;
        while (k < FLevels.size()) {
            const unsigned Next = Bits + FanoutBits;
            const std::size_t Mask = (std::size_t(1) << Next) - 1;
            if ((i & Mask) != 0 || i + Mask > Last || (i >> Next) >= FLevels[k].size()) break;
            Bits = Next;
            ++k;
        }
        if (k == 0)
            Best.Take(Values[i], i);
        else
            Best.Take(FLevels[k - 1][i >> Bits]);
        i += std::size_t(1) << Bits;
    }
    MinIndex = Best.Any ? Best.Best.MinIndex : Last + 1;
    MaxIndex = Best.Any ? Best.Best.MaxIndex : Last + 1;
}
