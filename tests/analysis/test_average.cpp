// Moving averages on their own: the running sums against windows summed one by one as the
// definitions read, far from the origin too; a window of one point; the lag of averaging
// downwards only; exponential weights falling by the factor per point.

#include <analysis/qvaverage.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace QvAverage;

namespace {

// Every window summed afresh in long double, straight from the definitions.
std::vector<double> Direct(const std::vector<double>& X, const std::vector<double>& Y,
                           const std::vector<double>& W, const TSettings& S) {
    const size_t n = X.size();
    const long double N = std::abs(S.N);
    const bool Up = S.Direction == TDirection::UpAndDownwards;
    const double f = std::min(std::abs(S.ExponentialFactor), 1.0);
    std::vector<double> Mean(n);
    for (size_t i = 0; i < n; ++i) {
        size_t Lo = i, Hi = i;
        if (S.Range == TRange::Count) {
            const size_t r = size_t(std::llround(N));
            Lo = i >= r ? i - r : 0;
            if (Up) Hi = std::min(n - 1, i + r);
        } else {
            while (Lo >= 1 && X[i] - X[Lo] < N)
                --Lo;
            if (Up)
                while (Hi < n - 1 && X[Hi] - X[i] < N)
                    ++Hi;
        }
        long double D = X[Hi] - X[Lo];
        if (Up) D *= 2;
        const long double s = D != 0 ? N / D : 1;
        long double Sum = 0, Weights = 0;
        for (size_t j = Lo; j <= Hi; ++j) {
            const long double Distance = std::abs((long double)X[j] - X[i]);
            long double g = 1;
            if (S.Method == TMethod::LinearWeighted && D != 0) g = 1 - Distance / D;
            if (S.Method == TMethod::ExponentiallyWeighted)
                g = std::pow((long double)f, s * Distance);
            if (!(g > 0)) continue;
            Sum += W[j] * g * Y[j];
            Weights += W[j] * g;
        }
        Mean[i] = double(Sum / Weights);
    }
    return Mean;
}

} // namespace

TEST(MovingAverage, RunningSumsMatchTheDefinitions) {
    std::mt19937 Random(7);
    std::uniform_real_distribution<double> Step(0.05, 1.5), Value(-10, 10), Weight(0.2, 3);
    for (const double Origin : {0.0, 1e6}) {
        std::vector<double> X, Y, W;
        double x = Origin;
        for (int i = 0; i < 3000; ++i) {
            X.push_back(x += Step(Random));
            Y.push_back(Value(Random) + 100);
            W.push_back(Weight(Random));
        }
        for (const TMethod Method :
             {TMethod::Simple, TMethod::LinearWeighted, TMethod::ExponentiallyWeighted})
            for (const TDirection Direction :
                 {TDirection::OnlyDownwards, TDirection::UpAndDownwards})
                for (const TRange Range : {TRange::Count, TRange::XDistance})
                    for (const double N : {0.0, 3.0, 40.0, -17.5}) {
                        const TSettings S{Method, Direction, Range, N, 0.8};
                        const std::vector<double> Got = MovingAverage(X, Y, W, S);
                        const std::vector<double> Want = Direct(X, Y, W, S);
                        for (size_t i = 0; i < X.size(); ++i)
                            ASSERT_NEAR(Got[i], Want[i], 2e-14 * std::abs(Want[i]))
                                << "origin " << Origin << " method " << int(Method) << " dir "
                                << int(Direction) << " range " << int(Range) << " N " << N << " at "
                                << i;
                    }
    }
}

TEST(MovingAverage, EdgesOfTheDefinitions) {
    const std::vector<double> X{0, 1, 2, 3, 4, 5, 6, 7}, Y{0, 0, 0, 0, 8, 8, 8, 8}, W(8, 1.0);
    // N = 0 by count: every point keeps its value.
    EXPECT_EQ(MovingAverage(X, Y, W,
                            {TMethod::Simple, TDirection::UpAndDownwards, TRange::Count, 0, 0.9}),
              Y);
    // Downwards only, the mean lags: before the step nothing moves, after it the mean climbs.
    const std::vector<double> Lag =
        MovingAverage(X, Y, W, {TMethod::Simple, TDirection::OnlyDownwards, TRange::Count, 2, 0.9});
    EXPECT_EQ(Lag[3], 0);
    EXPECT_DOUBLE_EQ(Lag[4], 8.0 / 3);
    EXPECT_DOUBLE_EQ(Lag[5], 16.0 / 3);
    EXPECT_DOUBLE_EQ(Lag[6], 8);
    // Linear weights downwards over three steps: 1, 2/3, 1/3 and 0 for the farthest.
    const std::vector<double> Linear = MovingAverage(
        X, Y, W, {TMethod::LinearWeighted, TDirection::OnlyDownwards, TRange::Count, 3, 0.9});
    EXPECT_DOUBLE_EQ(Linear[5], (8 + 8 * 2.0 / 3) / (1 + 2.0 / 3 + 1.0 / 3));
    // Exponential weights over an even count fall by the factor per point.
    const double f = 0.5;
    const std::vector<double> Exp = MovingAverage(
        X, Y, W, {TMethod::ExponentiallyWeighted, TDirection::OnlyDownwards, TRange::Count, 3, f});
    EXPECT_NEAR(Exp[5], (8 + 8 * f) / (1 + f + f * f + f * f * f), 1e-15);
    // Factors above 1 and below -1 count as 1: all weights equal.
    EXPECT_DOUBLE_EQ(MovingAverage(X, Y, W,
                                   {TMethod::ExponentiallyWeighted, TDirection::OnlyDownwards,
                                    TRange::Count, 3, -4})[5],
                     4);
}
