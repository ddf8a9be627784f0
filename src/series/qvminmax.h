#pragma once

// The lowest and the highest value of any index range of a growing sequence in logarithmic
// time: minima and maxima of blocks of values, blocks of blocks, and so on. Plain C++.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class TQvMinMaxHierarchy {
public:
    // Values per block, blocks per block of the next level: a query touches fewer than
    // 2 * Fanout entries per level.
    static constexpr unsigned FanoutBits = 4;
    static constexpr std::size_t Fanout = std::size_t(1) << FanoutBits;

    // Folds in the values from the count already folded to the end of Values.
    void Extend(std::span<const double> Values);
    // Forgets everything from value Count on, so that changed values are folded in again.
    void Truncate(std::size_t Count);
    // Folds in the new value at Index, one unit per level.
    void Update(std::span<const double> Values, std::size_t Index);
    std::size_t Count() const { return FCount; }

    // The indices of the lowest and the highest value in First .. Last (inclusive) of the
    // values folded in; NaN values are passed over. Both are Last + 1 when all are NaN.
    void MinMax(std::span<const double> Values, std::size_t First, std::size_t Last,
                std::size_t& MinIndex, std::size_t& MaxIndex) const;

    // The extremes of a block, values kept beside their indices so that a query reads no
    // scattered data. An all-NaN block holds NaN, which never wins.
    struct TEntry {
        double Min, Max;
        std::uint32_t MinIndex, MaxIndex;
    };

private:
    // The extremes of unit u of a level, from the values or from the level below.
    TEntry UnitEntry(std::span<const double> Values, std::size_t Level, std::size_t u) const;

    // Levels[k] holds one entry per complete unit of Fanout^(k + 1) values.
    std::vector<std::vector<TEntry>> FLevels;
    std::size_t FCount = 0;
};
