// Decimal exponents, rounding to partitions and logarithmic rounding, digit for digit.

#include <axes/qvmath.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

using namespace Qvmath;

TEST(Qvmath, PowersAndExponents) {
    EXPECT_EQ(Exp10(0), 1.0);
    EXPECT_EQ(Exp10(-5), 1e-5);
    EXPECT_EQ(Exp10(22), 1e22);
    EXPECT_EQ(Exp10(23), 1e23);
    EXPECT_EQ(Exp10(-300), 1e-300);
    EXPECT_EQ(Exp10(400), DBL_MAX);
    EXPECT_EQ(Exp10(0.0), 1.0);
    EXPECT_EQ(Exp10(3.0), 1000.0);
    EXPECT_NEAR(Exp10(0.5), std::sqrt(10.0), 1e-15);
    EXPECT_EQ(Exp10(1e6), DBL_MAX);

    EXPECT_EQ(Real10thExponent(9.99999999), 1);
    EXPECT_EQ(Real10thExponent(9.999999), 0);
    EXPECT_EQ(Real10thExponent(0.05), -2);
    EXPECT_EQ(Real10thExponent(-123.4), 2);
    EXPECT_EQ(Real10thExponent(0), 0);
    EXPECT_EQ(Real10thExponent(1e-300), -300);
    EXPECT_EQ(Real10thExponent(NAN), 0);
    EXPECT_EQ(Real10thExponent(INFINITY), 0);

    EXPECT_EQ(ExpMinus(0, 123.0), 123.0);
    EXPECT_EQ(ExpMinus(2, 123.0), 1.23);
    EXPECT_EQ(ExpMinus(-3, 1.5), 1500.0);

    EXPECT_EQ(LastSignificant(0.1), 1);
    EXPECT_EQ(LastSignificant(-1.25), 3);
    EXPECT_EQ(LastSignificant(2000), 1);
    EXPECT_EQ(LastSignificant(1.234567890123456), 16);
    EXPECT_EQ(LastSignificant(0.2 + 0.1), 1); // 16 digits hide the 4 of 0.30000000000000004
    EXPECT_EQ(LastSignificant(0), 0);
}

TEST(Qvmath, RoundingToPartitionsOfBothSigns) {
    EXPECT_EQ(RoundUp(2.0, 0.5, 0), 2.0);
    EXPECT_EQ(RoundDown(2.0, 0.5, 0), 2.0);
    EXPECT_EQ(RoundUp(2.01, 0.5, 0), 2.5);
    EXPECT_EQ(RoundDown(2.49, 0.5, 0), 2.0);
    EXPECT_EQ(RoundUp(123, 0.2, 2), 140.0);
    EXPECT_EQ(RoundDown(123, 0.2, 2), 120.0);
    EXPECT_EQ(RoundUp(-123, 0.2, 2), -120.0);
    EXPECT_EQ(RoundDown(-123, 0.2, 2), -140.0);
    EXPECT_EQ(RoundUp(0.00123, 0.5, -3), 0.0015);
    EXPECT_EQ(RoundDown(0.00123, 0.5, -3), 0.001);
    EXPECT_EQ(RoundUp(7.7, 0, 0), 7.7);
    // Values on the partition stay; exact decimal results, not 0.30000000000000004.
    EXPECT_EQ(RoundUp(0.3, 0.1, 0), 0.3);
    EXPECT_EQ(RoundDown(0.3, 0.1, 0), 0.3);
    EXPECT_EQ(RoundUp(0.21, 0.1, 0), 0.3);
    EXPECT_EQ(RoundUp(-0.0, 0.1, 0), 0.0);
    for (int k = -50; k <= 50; ++k) {
        const double OnGrid = k * 200.0;
        EXPECT_EQ(RoundUp(OnGrid, 0.2, 3), OnGrid) << k;
        EXPECT_EQ(RoundDown(OnGrid, 0.2, 3), OnGrid) << k;
    }
}

TEST(Qvmath, LogarithmicRounding) {
    EXPECT_EQ(RoundLogUp(5000, 3, 3), 1e6);
    EXPECT_EQ(RoundLogDown(5000, 3, 3), 1000.0);
    EXPECT_EQ(RoundLogUp(0.005, 3, 3), 1.0);
    EXPECT_EQ(RoundLogDown(0.005, 3, 3), 0.001);
    EXPECT_EQ(RoundLogUp(5500, 1, 0.1), 6000.0);
    EXPECT_EQ(RoundLogDown(5500, 1, 0.1), 5000.0);
    EXPECT_EQ(RoundLogUp(5500, 1, 1), 10000.0);
    EXPECT_EQ(RoundLogDown(5500, 1, 1), 1000.0);
    EXPECT_EQ(RoundLogUp(0.055, 1, 0.1), 0.06);
    EXPECT_EQ(RoundLogDown(0.055, 1, 0.1), 0.05);
    EXPECT_EQ(RoundLogDown(0.055, 1, 1), 0.01);
    EXPECT_EQ(RoundLogUp(0.055, 1, 1), 0.1);
    EXPECT_EQ(RoundLogUp(1000, 1, 0.1), 1000.0);
    EXPECT_EQ(RoundLogDown(1000, 1, 1), 1000.0);
    EXPECT_EQ(RoundLogUp(0.001, 3, 3), 0.001);
    // Down below the first step of the decade falls to the decade start.
    EXPECT_EQ(RoundLogDown(130, 1, 0.5), 100.0);
    EXPECT_EQ(RoundLogUp(130, 1, 0.5), 500.0);
}

TEST(Qvmath, AnglesPointsAndTables) {
    EXPECT_EQ(FitTo360Degrees(370), 10.0);
    EXPECT_EQ(FitTo360Degrees(-90), 270.0);
    EXPECT_EQ(FitTo360Degrees(720), 0.0);
    EXPECT_EQ(FitTo360Degrees(-1e-20), 0.0);
    EXPECT_EQ(Quadrant(90), 1);
    EXPECT_EQ(Quadrant(90.5), 2);
    EXPECT_EQ(Quadrant(-45), 4);
    EXPECT_EQ(Quadrant(450), 1);
    EXPECT_EQ(MySign(-0.0), 1);
    EXPECT_EQ(MySign(-3), -1);
    EXPECT_TRUE(PointInRect(10, 5, TRect{0, 5, 10, 8}));
    EXPECT_FALSE(PointInRect(11, 5, TRect{0, 5, 10, 8}));
    EXPECT_TRUE(PointInRect(1.5, 2.0, 1.5, 0.0, 1.0, 2.0));
    EXPECT_FALSE(PointInRect(2.6, 2.0, 1.5, 0.0, 1.0, 2.0));
    const double C[] = {1, -2, 3};
    EXPECT_EQ(Polynom(2, C), 1 - 4 + 12);
    EXPECT_EQ(Polynom(2, {}), 0.0);
    EXPECT_EQ(T95Percent(0.5), 12.706);
    EXPECT_EQ(T95Percent(30), 2.042);
    EXPECT_EQ(T95Percent(30.5), 2.021);
    EXPECT_EQ(T95Percent(500), 1.965);
    EXPECT_EQ(T95Percent(501), 1.96);
}
