#pragma once

// The lowest and the highest value of any index range of a growing sequence in logarithmic
// time: minima and maxima of blocks of values, groups of blocks, and so on. The same pass that
// folds values into the blocks gives the summary of the values a data vector keeps (extremes
// and whether they only ascend), on both cores for long runs. Plain C++.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

// The extremes of a run of values and whether each value is above the one before it. Ties
// keep the earlier index and NaN never wins; an extreme is taken only when it passes the one
// held, so a summary that starts at +/-MaxDouble ignores infinities beyond them.
struct TQvValueSummary {
    double Min = std::numeric_limits<double>::max(), Max = -std::numeric_limits<double>::max();
    std::ptrdiff_t MinIndex = -1, MaxIndex = -1;
    bool Ascending = true;

    // Folds in Values[From .. To); Values[From - 1] is the value before them.
    void Fold(std::span<const double> Values, std::size_t From, std::size_t To);
    // Folds in extremes found at these indices.
    void Take(double Low, std::ptrdiff_t LowIndex, double High, std::ptrdiff_t HighIndex);
    // Folds in the summary of the values that follow these.
    void Append(const TQvValueSummary& Later);
};

// The levels of block extremes over a sequence of values, which answer range queries.
class TQvMinMaxHierarchy {
public:
    // Values per block of the lowest level, and units per unit of each level above: a query
    // touches fewer than 2 * 64 values and 2 * 16 entries per level, and the lowest level
    // costs 24 bytes per 64 values.
    static constexpr unsigned BlockBits = 6;
    static constexpr unsigned FanoutBits = 4;
    // This many values or more are folded on two threads: below, starting a thread costs more.
    static constexpr std::size_t BothCoresFrom = std::size_t(1) << 17;

    // Folds in the values from the count already folded to the end of Values; with Summary,
    // also folds those values into it.
    void Extend(std::span<const double> Values, TQvValueSummary* Summary = nullptr);
    // Forgets everything from value Count on, so that changed values are folded in again.
    void Truncate(std::size_t Count);
    // Folds in the new value at Index, one unit per level.
    void Update(std::span<const double> Values, std::size_t Index);
    // The number of values folded in.
    std::size_t Count() const { return FCount; }

    // The extremes of a unit, values kept beside their indices so that a query reads no
    // scattered data. An all-NaN unit holds NaN, which never wins.
    struct TEntry {
        double Min, Max;
        std::uint32_t MinIndex, MaxIndex;
    };

    // The lowest and the highest value in First .. Last (inclusive) of the values folded in,
    // and their indices; NaN values are passed over. When all are NaN, both values are NaN and
    // both indices Last + 1.
    TEntry MinMax(std::span<const double> Values, std::size_t First, std::size_t Last) const;
    // The entry of the block of values First .. First + Count - 1.
    static TEntry BlockEntry(const double* Values, std::size_t First, std::size_t Count);

private:
    // The extremes of unit u of a level above the lowest, from the level below.
    TEntry UnitEntry(std::size_t Level, std::size_t u) const;
    static unsigned UnitBits(std::size_t Level) { return BlockBits + unsigned(Level) * FanoutBits; }

    // Levels[k] holds one entry per complete unit of 2^UnitBits(k) values.
    std::vector<std::vector<TEntry>> FLevels;
    std::size_t FCount = 0;
};
