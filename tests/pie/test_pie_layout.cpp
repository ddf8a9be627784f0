// The pie's geometry in unit coordinates: sweeps and start angles, the back-to-front order of a
// tilted pie, the room pulled-out slices need, callout boxes kept apart, labels left out.

#include <pie/qvpielayout.h>

#include <gtest/gtest.h>

#include <cmath>

using namespace QvPie;

namespace {

std::vector<TIndexedValue> Indexed(std::initializer_list<double> Values) {
    std::vector<TIndexedValue> Result;
    int i = 0;
    for (const double v : Values)
        Result.push_back({i++, v});
    return Result;
}

bool Overlap(const TCallout& A, const TCallout& B) {
    return A.Left() < B.Right() && B.Left() < A.Right() && A.Top() < B.Bottom() &&
           B.Top() < A.Bottom();
}

} // namespace

TEST(PieLayout, SweepsStartsAndOrder) {
    std::vector<TSegment> S = MakeSegments(Indexed({1, 1, 2}), 0, 360, false);
    ASSERT_EQ(S.size(), 3u);
    EXPECT_DOUBLE_EQ(S[0].Sweep, 90);
    EXPECT_DOUBLE_EQ(S[1].Sweep, 90);
    EXPECT_DOUBLE_EQ(S[2].Sweep, 180);
    EXPECT_DOUBLE_EQ(S[0].Start, 0);
    EXPECT_DOUBLE_EQ(S[1].Start, 90);
    EXPECT_DOUBLE_EQ(S[2].Start, 180);

    // A half pie in the upper half (v grows downwards): from 180 to 360 degrees.
    S = MakeSegments(Indexed({1, 1, 2}), 180, 180, false);
    EXPECT_DOUBLE_EQ(S[0].Start, 180);
    EXPECT_DOUBLE_EQ(S[2].Start, 270);
    EXPECT_DOUBLE_EQ(S[2].Start + S[2].Sweep, 360);

    // Start angles are brought into [0, 360).
    S = MakeSegments(Indexed({1, 3}), -450, 360, false);
    EXPECT_DOUBLE_EQ(S[0].Start, 270);
    EXPECT_DOUBLE_EQ(S[1].Start, 0);

    // Ascending by size; each segment keeps its value index.
    S = MakeSegments(Indexed({3, 1, 2}), 0, 360, true);
    EXPECT_EQ(S[0].ValueIndex, 1);
    EXPECT_EQ(S[1].ValueIndex, 2);
    EXPECT_EQ(S[2].ValueIndex, 0);

    EXPECT_TRUE(MakeSegments({}, 0, 360, false).empty());
    EXPECT_TRUE(MakeSegments(Indexed({1}), 0, std::nan(""), false).empty());
    EXPECT_DOUBLE_EQ(NormalAngle(-1e-20), 0);
    EXPECT_DOUBLE_EQ(NormalAngle(INFINITY), 0);
}

TEST(PieLayout, TiltedPiePaintsBackToFront) {
    // Quarters: 0-90 and 90-180 lie in front (lower half), 180-270 and 270-360 behind.
    std::vector<TSegment> S = MakeSegments(Indexed({1, 1, 1, 1}), 0, 360, false);
    EXPECT_EQ(DrawingOrder(S, false), (std::vector<int>{0, 1, 2, 3}));
    std::vector<int> Order = DrawingOrder(S, true);
    EXPECT_EQ(std::vector<int>(Order.begin(), Order.begin() + 2), (std::vector<int>{2, 3}));
    // A front slice pulled out comes after the front slice beside it.
    S[0].Explode = 50;
    Order = DrawingOrder(S, true);
    EXPECT_EQ(Order.back(), 0);
}

TEST(PieLayout, PulledOutSlicesGrowTheirSides) {
    std::vector<TSegment> S = MakeSegments(Indexed({1, 3}), 0, 360, false);
    S[0].Explode = 40; // 0 to 90 degrees, pulled along 45 degrees
    const TUnitPoint Offset = ExplodeOffset(S[0]);
    EXPECT_NEAR(Offset.U, 0.4 * std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(Offset.V, 0.4 * std::sqrt(0.5), 1e-12);
    TExtents E;
    GrowForExplode(S, E);
    // The arc passes 0 and 90 degrees: it reaches 1 + offset to the right and downwards.
    EXPECT_NEAR(E.Right, Offset.U / 2, 1e-12);
    EXPECT_NEAR(E.Bottom, Offset.V / 2, 1e-12);
    EXPECT_DOUBLE_EQ(E.Left, 0);
    EXPECT_DOUBLE_EQ(E.Top, 0);

    // Labels of a ring sit at the golden section of the ring.
    const TUnitPoint Anchor = InsideAnchor(S[1], 0.5);
    EXPECT_NEAR(std::hypot(Anchor.U, Anchor.V), 0.6180339 * 0.5 + 0.5, 1e-12);
}

TEST(PieLayout, CalloutsStayOffThePieAndEachOther) {
    // Forty thin slices in the lower half: their boxes would crowd one another.
    std::vector<TIndexedValue> Values = Indexed({50});
    for (int i = 1; i <= 40; ++i)
        Values.push_back({i, 1});
    const std::vector<TSegment> S = MakeSegments(Values, 180, 360, false);
    const std::vector<TCalloutSize> Sizes(S.size(), {0.12, 0.06});
    const double Gap = 0.05;
    std::vector<TCallout> C = PlaceCallouts(S, Sizes, Gap, 0, 1.4);
    int Shown = 0, Moved = 0;
    for (size_t i = 0; i < C.size(); ++i) {
        if (!C[i].Shown) continue;
        ++Shown;
        Moved += C[i].Overlapped;
        const double Du = std::max(std::abs(C[i].Center.U) - C[i].HalfWidth, 0.0);
        const double Dv = std::max(std::abs(C[i].Center.V) - C[i].HalfHeight, 0.0);
        EXPECT_GE(std::hypot(Du, Dv), 1 + Gap - 1e-9) << i;
        EXPECT_LE(std::abs(C[i].Center.V) + C[i].HalfHeight, 1.4) << i;
        for (size_t j = 0; j < i; ++j) {
            if (C[j].Shown) {
                EXPECT_FALSE(Overlap(C[i], C[j])) << i << " " << j;
            }
        }
    }
    EXPECT_GT(Moved, 0);
    EXPECT_GT(Shown, 10);
    EXPECT_LT(Shown, int(C.size())); // some found no room within reach

    TExtents E;
    GrowForCallouts(C, E);
    EXPECT_GT(E.Bottom, 0); // the stacks below the pie
    EXPECT_GT(E.Left, 0);
}

TEST(PieLayout, KeepApartKeepsTheFirstOfOverlappingLabels) {
    const std::vector<TLabelRect> Labels = {
        {0, 0, 10, 10}, {5, 5, 15, 15}, {20, 0, 30, 10}, {95, 0, 105, 10}};
    const std::vector<bool> Kept = KeepApart(Labels, {1, 0, 2, 3}, {0, 0, 100, 100});
    EXPECT_EQ(Kept, (std::vector<bool>{false, true, true, false}));
}
