// The min/max hierarchy against a plain scan: random ranges over several levels, NaN values,
// growth by appends, truncation after edits and values changed in place; and the summary of
// the values folded with it or alone, on one core or two.

#include <data/qvminmax.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

void ExpectLikeScan(const TQvMinMaxHierarchy& H, const std::vector<double>& V, size_t First,
                    size_t Last) {
    const TQvMinMaxHierarchy::TEntry E = H.MinMax(V, First, Last);
    const size_t Min = E.MinIndex, Max = E.MaxIndex;
    double Lo = std::numeric_limits<double>::infinity(), Hi = -Lo;
    for (size_t i = First; i <= Last; ++i)
        if (!std::isnan(V[i])) {
            Lo = std::min(Lo, V[i]);
            Hi = std::max(Hi, V[i]);
        }
    if (std::isinf(Lo)) {
        EXPECT_EQ(Min, Last + 1);
        EXPECT_EQ(Max, Last + 1);
        EXPECT_TRUE(std::isnan(E.Min) && std::isnan(E.Max));
        return;
    }
    ASSERT_GE(std::min(Min, Max), First);
    ASSERT_LE(std::max(Min, Max), Last);
    EXPECT_EQ(V[Min], Lo) << First << ".." << Last;
    EXPECT_EQ(V[Max], Hi) << First << ".." << Last;
    EXPECT_EQ(E.Min, Lo);
    EXPECT_EQ(E.Max, Hi);
}

TEST(MinMaxHierarchy, AnswersLikeAScan) {
    std::mt19937 Random(7);
    std::uniform_real_distribution<double> Value(-1, 1);
    // Four levels: 64, 1024, 16384 and 262144 values per entry.
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

// Extremes at their first index, NaN passed over, values beyond the start values ignored,
// whether every value is above the one before: whether folded alone or with the hierarchy,
// at once or in pieces, on one core or on two.
TEST(MinMaxHierarchy, SummariesAreThoseOfAPlainScan) {
    constexpr double Big = std::numeric_limits<double>::max();
    const auto Plain = [&](const std::vector<double>& V) {
        TQvValueSummary S{Big, -Big};
        for (size_t i = 0; i < V.size(); ++i) {
            if (V[i] < S.Min) S.Min = V[i], S.MinIndex = std::ptrdiff_t(i);
            if (V[i] > S.Max) S.Max = V[i], S.MaxIndex = std::ptrdiff_t(i);
            if (i > 0) S.Ascending = S.Ascending && V[i] > V[i - 1];
        }
        return S;
    };
    const auto ExpectSame = [](const TQvValueSummary& S, const TQvValueSummary& R) {
        EXPECT_EQ(S.MinIndex, R.MinIndex);
        EXPECT_EQ(S.MaxIndex, R.MaxIndex);
        EXPECT_EQ(S.Ascending, R.Ascending);
    };
    std::mt19937 Random(11);
    std::uniform_int_distribution<int> Step(0, 3);
    for (const size_t n : {size_t(1000), size_t(300001)}) {
        SCOPED_TRACE(n);
        // Many ties, a NaN, an infinity and a tied minimum.
        std::vector<double> V(n);
        for (double& v : V)
            v = double(Step(Random)) - 1.5;
        V[n / 3] = std::nan("");
        V[n / 2] = std::numeric_limits<double>::infinity();
        V[n / 4] = -5;
        V[n / 4 + 1] = -5;
        std::vector<double> Rising(n);
        for (size_t i = 0; i < n; ++i)
            Rising[i] = double(i) * 0.5 - 7;
        for (const std::vector<double>* Values : {&V, &Rising}) {
            const TQvValueSummary Reference = Plain(*Values);
            TQvValueSummary Alone{Big, -Big};
            Alone.Fold(*Values, 0, n);
            ExpectSame(Alone, Reference);
            // With the hierarchy, in two pieces that split a block.
            TQvValueSummary With{Big, -Big};
            TQvMinMaxHierarchy H;
            H.Extend(std::span<const double>(*Values).first(n / 2 + 7), &With);
            H.Extend(*Values, &With);
            ExpectSame(With, Reference);
            // Rising blocks take their ends for extremes without a scan.
            for (const size_t First : {size_t(0), size_t(100), n / 3})
                ExpectLikeScan(H, *Values, First, n - 1 - First / 2);
        }
        // A tie at the end of the ascent ends it.
        Rising[n - 1] = Rising[n - 2];
        TQvValueSummary Tied{Big, -Big};
        Tied.Fold(Rising, 0, n);
        EXPECT_FALSE(Tied.Ascending);
    }
}

} // namespace
