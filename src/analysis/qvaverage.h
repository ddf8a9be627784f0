#pragma once

// Moving averages over points sorted by x: each point replaced by a weighted mean of its
// neighbours within a count or an x distance, below it only or on both sides, all equal, or
// weighted down linearly or exponentially with the distance. Plain C++: the moving average
// series calls it.

#include <span>
#include <vector>

namespace QvAverage {

enum class TMethod {
    Simple,
    LinearWeighted,
    ExponentiallyWeighted
};

enum class TDirection {
    OnlyDownwards,
    UpAndDownwards
};

enum class TRange {
    Count,
    XDistance
};

struct TSettings {
    TMethod Method = TMethod::LinearWeighted;
    TDirection Direction = TDirection::OnlyDownwards;
    TRange Range = TRange::Count;
    double N = 10;
    double ExponentialFactor = 0.9;
};

// The mean at every point. X ascending, W positive; all three of one length. Simple and linear
// weights use running sums, so the cost does not grow with the window; exponential weights sum
// each window afresh, their scale changing with the window's width.
std::vector<double> MovingAverage(std::span<const double> X, std::span<const double> Y,
                                  std::span<const double> W, const TSettings& Settings);

} // namespace QvAverage
