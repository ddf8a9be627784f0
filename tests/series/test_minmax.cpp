// The min/max hierarchy against a plain scan: random ranges over several levels, NaN values,
// growth by appends, truncation after edits and values changed in place.

#include <series/qvminmax.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

void ExpectLikeScan(const TQvMinMaxHierarchy& H, const std::vector<double>& V, size_t First,
                    size_t Last) {
    size_t Min = 0, Max = 0;
    H.MinMax(V, First, Last, Min, Max);
    double Lo = std::numeric_limits<double>::infinity(), Hi = -Lo;
    for (size_t i = First; i <= Last; ++i)
        if (!std::isnan(V[i])) {
            Lo = std::min(Lo, V[i]);
            Hi = std::max(Hi, V[i]);
        }
    if (std::isinf(Lo)) {
        EXPECT_EQ(Min, Last + 1);
        EXPECT_EQ(Max, Last + 1);
        return;
    }
    ASSERT_GE(std::min(Min, Max), First);
    ASSERT_LE(std::max(Min, Max), Last);
    EXPECT_EQ(V[Min], Lo) << First << ".." << Last;
    EXPECT_EQ(V[Max], Hi) << First << ".." << Last;
}

TEST(MinMaxHierarchy, AnswersLikeAScan) {
    std::mt19937 Random(7);
    std::uniform_real_distribution<double> Value(-1, 1);
    // Three levels: 64, 4096 and 262144 values per entry.
    std::vector<double> V(300000);
    for (double& v : V)
        v = Value(Random);
    for (size_t i = 5000; i < 5100; ++i)
        V[i] = std::nan("");
    TQvMinMaxHierarchy H;
    H.Extend(std::span<const double>(V).first(100000));
    EXPECT_EQ(H.Count(), 100000u);
    H.Extend(V);
    EXPECT_EQ(H.Count(), V.size());
    std::uniform_int_distribution<size_t> Index(0, V.size() - 1);
    for (int k = 0; k < 300; ++k) {
        size_t a = Index(Random), b = Index(Random);
        if (k % 3 == 0) b = std::min(V.size() - 1, a + k); // short ranges inside one block
        ExpectLikeScan(H, V, std::min(a, b), std::max(a, b));
    }
    ExpectLikeScan(H, V, 0, V.size() - 1);
    ExpectLikeScan(H, V, 5000, 5099); // all NaN
    ExpectLikeScan(H, V, 4990, 5120);

    // Edited values count once the hierarchy is cut back before them and extended again.
    V[123456] = 5;
    V[200000] = -5;
    H.Truncate(123456);
    EXPECT_EQ(H.Count(), 123456u);
    H.Extend(V);
    ExpectLikeScan(H, V, 0, V.size() - 1);
    ExpectLikeScan(H, V, 100, 150000);

    // A value changed in place is folded in along its path: a new extreme and a former one,
    // in a complete unit and in the incomplete tail.
    for (const size_t i : {size_t(123456), size_t(70000), V.size() - 3}) {
        V[i] = i == 123456 ? 0.5 : 7;
        H.Update(V, i);
        ExpectLikeScan(H, V, 0, V.size() - 1);
        ExpectLikeScan(H, V, i - 40, i + 2);
    }
}

} // namespace
