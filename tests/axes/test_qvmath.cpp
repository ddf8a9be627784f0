// Decimal exponents, rounding to partitions and logarithmic rounding, digit for digit.

#include <axes/qvmath.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

using namespace Qvmath;

TEST(Qvmath, PowersAndExponents) {
    EXPECT_EQ(Exp10(-5), 1e-5);
    EXPECT_EQ(Exp10(23), 1e23); // exact in extended precision, not 9.999999999999999e22
    EXPECT_EQ(Exp10(-300), 1e-300);
    EXPECT_EQ(Exp10(400), DBL_MAX);
    EXPECT_EQ(Exp10(0.0), 1.0);
    EXPECT_EQ(Exp10(3.0), 1000.0);
    EXPECT_NEAR(Exp10(0.5), std::sqrt(10.0), 1e-15);

    // The exponent of the value rounded to 7 digits.
    EXPECT_EQ(Real10thExponent(9.99999999), 1);
    EXPECT_EQ(Real10thExponent(9.999999), 0);
    EXPECT_EQ(Real10thExponent(0.05), -2);
    EXPECT_EQ(Real10thExponent(-123.4), 2);
    EXPECT_EQ(Real10thExponent(NAN), 0);

    EXPECT_EQ(ExpMinus(0, 123.0), 123.0);
    EXPECT_EQ(ExpMinus(2, 123.0), 1.23);

    EXPECT_EQ(LastSignificant(-1.25), 3);
    EXPECT_EQ(LastSignificant(2000), 1);
    EXPECT_EQ(LastSignificant(1.234567890123456), 16);
    EXPECT_EQ(LastSignificant(0.2 + 0.1), 1); // 16 digits hide the 4 of 0.30000000000000004
    EXPECT_EQ(LastSignificant(0), 0);
}

TEST(Qvmath, RoundingToPartitionsOfBothSigns) {
    const struct {
        double X, Part;
        int E;
        double Up, Down;
    } Cases[] = {
        {123, 0.2, 2, 140.0, 120.0},
        {-123, 0.2, 2, -120.0, -140.0},
        {0.00123, 0.5, -3, 0.0015, 0.001},
        {7.7, 0, 0, 7.7, 7.7},
        // Values on the partition stay; exact decimal results, not 0.30000000000000004.
        {0.3, 0.1, 0, 0.3, 0.3},
        {0.21, 0.1, 0, 0.3, 0.2},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(RoundUp(C.X, C.Part, C.E), C.Up) << C.X;
        EXPECT_EQ(RoundDown(C.X, C.Part, C.E), C.Down) << C.X;
    }
    for (int k = -50; k <= 50; ++k) {
        const double OnGrid = k * 200.0;
        EXPECT_EQ(RoundUp(OnGrid, 0.2, 3), OnGrid) << k;
        EXPECT_EQ(RoundDown(OnGrid, 0.2, 3), OnGrid) << k;
    }
}

TEST(Qvmath, LogarithmicRounding) {
    const struct {
        double X, MajorPart, Part, Up, Down;
    } Cases[] = {
        // Major parts above 1 round to every third decade.
        {5000, 3, 3, 1e6, 1000.0},
        {0.005, 3, 3, 1.0, 0.001},
        {0.001, 3, 3, 0.001, 0.001},
        {5500, 1, 0.1, 6000.0, 5000.0},
        {5500, 1, 1, 10000.0, 1000.0},
        {0.055, 1, 0.1, 0.06, 0.05},
        {0.055, 1, 1, 0.1, 0.01},
        {1000, 1, 0.1, 1000.0, 1000.0},
        // Down below the first step of the decade falls to the decade start.
        {130, 1, 0.5, 500.0, 100.0},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(RoundLogUp(C.X, C.MajorPart, C.Part), C.Up) << C.X;
        EXPECT_EQ(RoundLogDown(C.X, C.MajorPart, C.Part), C.Down) << C.X;
    }
}

TEST(Qvmath, AnglesPointsAndTables) {
    EXPECT_EQ(FitTo360Degrees(370), 10.0);
    EXPECT_EQ(FitTo360Degrees(-90), 270.0);
    EXPECT_EQ(FitTo360Degrees(-1e-20), 0.0); // not 360
    EXPECT_EQ(Quadrant(90), 1);
    EXPECT_EQ(Quadrant(90.5), 2);
    EXPECT_EQ(Quadrant(-45), 4);
    EXPECT_EQ(MySign(-0.0), 1);
    EXPECT_EQ(MySign(-3), -1);
    EXPECT_TRUE(PointInRect(10, 5, TRect{0, 5, 10, 8}));
    EXPECT_FALSE(PointInRect(11, 5, TRect{0, 5, 10, 8}));
    EXPECT_TRUE(PointInRect(1.5, 2.0, 1.5, 0.0, 1.0, 2.0));
    EXPECT_FALSE(PointInRect(2.6, 2.0, 1.5, 0.0, 1.0, 2.0));
    const double C[] = {1, -2, 3};
    EXPECT_EQ(Polynom(2, C), 1 - 4 + 12);
    EXPECT_EQ(Polynom(2, {}), 0.0);
    // Student's t at the table's bounds and between them.
    EXPECT_EQ(T95Percent(30), 2.042);
    EXPECT_EQ(T95Percent(30.5), 2.021);
    EXPECT_EQ(T95Percent(500), 1.965);
    EXPECT_EQ(T95Percent(501), 1.96);
}
