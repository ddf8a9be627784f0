#include "series/qvminmax.h"

#include <cmath>

namespace {

// The better of two candidate indices; NaN values never win.
struct TBest {
    std::size_t Min, Max;
    bool Any = false;
    void Take(std::span<const double> Values, std::size_t MinCandidate, std::size_t MaxCandidate) {
        const double Lo = Values[MinCandidate], Hi = Values[MaxCandidate];
        if (std::isnan(Lo)) return;
        if (!Any) {
            Min = MinCandidate;
            Max = MaxCandidate;
            Any = true;
            return;
        }
        if (Lo < Values[Min]) Min = MinCandidate;
        if (Hi > Values[Max]) Max = MaxCandidate;
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
        for (std::size_t u = Level.size(); u < Complete; ++u) {
            TBest Best;
            if (k == 0) {
                for (std::size_t i = u * Fanout; i < (u + 1) * Fanout; ++i)
                    Best.Take(Values, i, i);
            } else {
                const std::vector<TEntry>& Below = FLevels[k - 1];
                for (std::size_t b = u * Fanout; b < (u + 1) * Fanout; ++b)
                    Best.Take(Values, Below[b].Min, Below[b].Max);
            }
            // A unit of NaN values points at its first value, which never wins.
            const auto First = std::uint32_t(u * Unit);
            Level.push_back(Best.Any ? TEntry{std::uint32_t(Best.Min), std::uint32_t(Best.Max)}
                                     : TEntry{First, First});
        }
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
        // The largest complete unit that starts at i and ends within the range.
        std::size_t k = 0, Unit = 1;
        while (k < FLevels.size() && i % (Unit * Fanout) == 0 && i + Unit * Fanout - 1 <= Last &&
               i / (Unit * Fanout) < FLevels[k].size()) {
            Unit *= Fanout;
            ++k;
        }
        if (k == 0) {
            Best.Take(Values, i, i);
        } else {
            const TEntry& E = FLevels[k - 1][i / Unit];
            Best.Take(Values, E.Min, E.Max);
        }
        i += Unit;
    }
    MinIndex = Best.Any ? Best.Min : Last + 1;
    MaxIndex = Best.Any ? Best.Max : Last + 1;
}
