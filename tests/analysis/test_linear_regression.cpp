// The straight-line fit: NIST's certified values for a free and a fixed offset, and the
// degenerate cases, exclusions, weights and logarithms, through the calculation class.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "nist.h"

#include <analysis/qvlinearregression.h>
#include <framework/qvexceptions.h>
#include <strings/qvlocalize.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

using namespace Qvlocalize;
using Qvmath::MaxDouble;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Vectors need an owner component.
struct TFixture {
    TDataModule Owner{nullptr};
    TQvLinearRegressionCalculation Fit;

    TQvDoubleVector* Vector(const std::vector<double>& Values) {
        auto* V = new TQvDoubleVector(&Owner);
        V->SetValues(Values);
        return V;
    }
    TFixture& Data(const std::vector<double>& X, const std::vector<double>& Y) {
        Fit.XData = Vector(X);
        Fit.YData = Vector(Y);
        return *this;
    }
};

// Slope, offset, their errors, the residual sum of squares, R and r2.
using TLine = std::array<double, 7>;
TLine Line(const TQvLinearRegressionCalculation& Fit) {
    return {Fit.Slope,          Fit.Offset, Fit.DeltaSlope, Fit.DeltaOffset,
            Fit.SumOfResiduals, Fit.R,      Fit.r2};
}

} // namespace

TEST(LinearRegression, NistCertifiedValues) {
    struct TRow {
        const char* Name;
        bool FixedOffset;
    };
    for (const TRow Row : {TRow{"Norris", false}, TRow{"NoInt1", true}, TRow{"NoInt2", true}}) {
        SCOPED_TRACE(Row.Name);
        const TNistSet Set = ReadNist(Row.Name);
        ASSERT_EQ(Set.Certified.count("B1"), 1u);
        // As a user fits: a regression series of the data on a chart.
        TChart Chart;
        auto* Series = Chart.NewSeriesOf<TQvLinearRegression>(Set.X, Set.Y);
        Series->SetFixedOffset(Row.FixedOffset);
        Chart.Paint();
        const TQvLinearRegressionCalculation& Fit = Series->GetRegression();
        const std::vector<double>& B1 = Set.Certified.at("B1");
        EXPECT_GE(Lre(Fit.Slope, B1[0]), 12);
        EXPECT_GE(Lre(Fit.DeltaSlope, B1[1]), 10);
        EXPECT_GE(Lre(Fit.SumOfResiduals, Set.Rss), 10);
        EXPECT_EQ(Fit.SumW, double(Set.X.size()));
        if (Row.FixedOffset) {
            EXPECT_EQ(Fit.Offset, 0);
            EXPECT_EQ(Fit.DeltaOffset, 0);
            EXPECT_EQ(Fit.R, 0);
        } else {
            const std::vector<double>& B0 = Set.Certified.at("B0");
            EXPECT_GE(Lre(Fit.Offset, B0[0]), 12);
            EXPECT_GE(Lre(Fit.DeltaOffset, B0[1]), 10);
            EXPECT_GE(Lre(Fit.r2, Set.R2), 12);
            EXPECT_GE(Lre(Fit.R * Fit.R, Set.R2), 12);
        }
    }
}

TEST(LinearRegression, TwoPointsOnePointAndMissingVectors) {
    TFixture F;
    F.Data({1, 3}, {3, 7});
    F.Fit.Calculate();
    // No degree of freedom is left for the errors.
    EXPECT_EQ(Line(F.Fit), (TLine{2, 1, 0, 0, 0, 1, 1}));
    EXPECT_EQ(F.Fit.VarianceX, 2);
    EXPECT_EQ(F.Fit.VarianceY, 8);

    // One point, or points that weigh nothing: the fields are left reset.
    TFixture One;
    One.Data({1}, {3});
    EXPECT_EQ(MessageOf<EMathError>([&] { One.Fit.Calculate(); }), SNotEnoughPoints.Text());
    EXPECT_EQ(Line(One.Fit), (TLine{0, 0, -MaxDouble, MaxDouble, 0, 0, 0}));
    EXPECT_EQ(One.Fit.AverageX, 1);
    F.Fit.Weight = F.Vector({0, 0});
    EXPECT_EQ(MessageOf<EMathError>([&] { F.Fit.Calculate(); }), SNotEnoughPoints.Text());
    // A fixed offset fits one point.
    One.Fit.FixedOffset = true;
    One.Fit.Offset = 1;
    One.Fit.Calculate();
    EXPECT_EQ(One.Fit.Slope, 2);
    EXPECT_EQ(One.Fit.DeltaSlope, 0);

    TQvLinearRegressionCalculation Empty;
    EXPECT_EQ(Line(Empty), (TLine{1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(MessageOf<EMathError>([&] { Empty.Calculate(); }), SNoXVector.Text());
    Empty.XData = F.Fit.XData;
    EXPECT_EQ(MessageOf<EMathError>([&] { Empty.Calculate(); }), SNoYVector.Text());
}

TEST(LinearRegression, RangeOutliersAndNonFiniteValuesTakeNoPart) {
    // y = 2x + 1 at x = 0 .. 4; every other point would pull the line away.
    TFixture F;
    F.Data({-5, 0, 1, 5, 2, 3, NaN, 4, 6, 7, 8}, {0, 1, 3, 0, 5, 7, 0, 9, Inf, -Inf, 0, 99});
    F.Fit.Weight = F.Vector({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, -Inf, 1});
    F.Fit.Start = -1;
    F.Fit.Stop = 10;
    F.Fit.XData->AddOutlier(3);
    F.Fit.Calculate();
    const TLine Stored = Line(F.Fit);
    EXPECT_EQ(F.Fit.SumW, 5);
    EXPECT_EQ(Stored, (TLine{2, 1, 0, 0, 0, F.Fit.R, 1}));
    EXPECT_DOUBLE_EQ(F.Fit.R, 1);
    // Sxx = 10, Syy = 40 about the means 2 and 5.
    EXPECT_EQ(F.Fit.Sxx, 10);
    EXPECT_EQ(F.Fit.Syy, 40);
    EXPECT_EQ(F.Fit.Sxy, 20);
    EXPECT_EQ(F.Fit.SumXX0, 0); // kept with a fixed offset only
    EXPECT_DOUBLE_EQ(F.Fit.Confidence(2, 3), std::sqrt(8.0));
    EXPECT_DOUBLE_EQ(F.Fit.Confidence(7, 3), std::sqrt(108.0));

    // A transformation makes the values pass through Xi, Yi and Wi: the same points count.
    const auto Identity = [](TObject*, TQvTransformEventArgs& e) { return e.Value; };
    F.Fit.XValueTransformation = F.Fit.WeightValueTransformation = Identity;
    F.Fit.Calculate();
    EXPECT_EQ(F.Fit.SumW, 5);
    EXPECT_EQ(Line(F.Fit), Stored);
    F.Fit.YValueTransformation = [](TObject*, TQvTransformEventArgs& e) { return 2 * e.Value; };
    F.Fit.Calculate();
    EXPECT_EQ(F.Fit.Slope, 4);
    EXPECT_EQ(F.Fit.Offset, 2);
    F.Fit.YValueTransformation = nullptr;

    // A shown outlier takes part: (5, 0).
    F.Fit.OutliersVisible = true;
    F.Fit.Calculate();
    EXPECT_EQ(F.Fit.SumW, 6);
    EXPECT_DOUBLE_EQ(F.Fit.Slope, 7.5 / 17.5);
}

TEST(LinearRegression, AllXEqualOrAllYEqual) {
    TFixture F;
    F.Data({2, 2, 2}, {1, 5, 6});
    F.Fit.Calculate();
    EXPECT_EQ(Line(F.Fit), (TLine{MaxDouble, MaxDouble, 0, 0, 0, 1, 1}));

    F.Data({0.1, 0.2, 0.7}, {0.3, 0.3, 0.3});
    F.Fit.Calculate();
    EXPECT_DOUBLE_EQ(F.Fit.AverageY, 0.3);
    EXPECT_EQ(Line(F.Fit), (TLine{0, F.Fit.AverageY, 0, 0, 0, 1, 1}));
}

TEST(LinearRegression, FixedOffset) {
    // y - 1 = 2, 3, 7 at x = 1, 2, 3: slope 29/14, residuals -1/14, -16/14, 11/14.
    TFixture F;
    F.Data({1, 2, 3}, {3, 4, 8});
    F.Fit.FixedOffset = true;
    F.Fit.Offset = 1;
    F.Fit.Calculate();
    EXPECT_EQ(F.Fit.Offset, 1);
    EXPECT_EQ(F.Fit.DeltaOffset, 0);
    EXPECT_EQ(F.Fit.R, 0);
    EXPECT_EQ(F.Fit.SumXX0, 14);
    EXPECT_EQ(F.Fit.SumXY0, 29);
    EXPECT_EQ(F.Fit.Sxy, 0);
    EXPECT_DOUBLE_EQ(F.Fit.Slope, 29.0 / 14);
    EXPECT_DOUBLE_EQ(F.Fit.SumOfResiduals, 27.0 / 14);
    EXPECT_DOUBLE_EQ(F.Fit.DeltaSlope, std::sqrt(27.0 / 392));
    EXPECT_DOUBLE_EQ(F.Fit.r2, 169.0 / 196);
    EXPECT_EQ(F.Fit.VarianceX, 1);
    EXPECT_EQ(F.Fit.VarianceY, 7);

    // All y equal: r2 divides by Syy = 0, so the errors go to 0 and r2 to 1.
    F.Data({1, 2, 3}, {4, 4, 4});
    F.Fit.Calculate();
    EXPECT_DOUBLE_EQ(F.Fit.Slope, 3.0 * 6 / 14);
    EXPECT_EQ(F.Fit.SumOfResiduals, 0);
    EXPECT_EQ(F.Fit.DeltaSlope, 0);
    EXPECT_EQ(F.Fit.r2, 1);
    // All x zero: no slope.
    F.Data({0, 0}, {1, 2});
    F.Fit.Calculate();
    EXPECT_EQ(F.Fit.Slope, MaxDouble);
    EXPECT_EQ(F.Fit.Offset, 1);
}

TEST(LinearRegression, LogarithmsAndWeights) {
    // y = 10^(2x + 1); the point y = 0 has no logarithm.
    TFixture F;
    F.Data({0, 1, 2, 3}, {10, 1000, 0, 1e7});
    F.Fit.LogY = true;
    F.Fit.Calculate();
    EXPECT_EQ(F.Fit.SumW, 3);
    EXPECT_NEAR(F.Fit.Slope, 2, 1e-14);
    EXPECT_NEAR(F.Fit.Offset, 1, 1e-14);
    // y = 3 log10(x) + 1; x = -1 has no logarithm.
    F.Data({1, 10, -1, 1000}, {1, 4, 0, 10});
    F.Fit.LogY = false;
    F.Fit.LogX = true;
    F.Fit.Calculate();
    const TLine Stored = Line(F.Fit);
    EXPECT_EQ(F.Fit.SumW, 3);
    EXPECT_NEAR(F.Fit.Slope, 3, 1e-14);
    EXPECT_NEAR(F.Fit.Offset, 1, 1e-14);
    // Likewise when the values pass through Xi.
    F.Fit.XValueTransformation = [](TObject*, TQvTransformEventArgs& e) { return e.Value; };
    F.Fit.Calculate();
    EXPECT_EQ(Line(F.Fit), Stored);

    // A weight of k counts like k copies of the point; its sign does not count.
    TFixture Weighted, Copies;
    Weighted.Data({1, 2, 4, 5}, {2, 3, 3, 7});
    Weighted.Fit.Weight = Weighted.Vector({1, -3, 2, 1});
    Copies.Data({1, 2, 2, 2, 4, 4, 5}, {2, 3, 3, 3, 3, 3, 7});
    Weighted.Fit.Calculate();
    Copies.Fit.Calculate();
    EXPECT_EQ(Weighted.Fit.SumW, 7);
    for (int k = 0; k < 7; ++k)
        EXPECT_DOUBLE_EQ(Line(Weighted.Fit)[k], Line(Copies.Fit)[k]) << k;

    // Weights that add up to 1 or less leave no variance, and R divides by it: a flat line.
    Weighted.Fit.Weight = Weighted.Vector({0.25, 0.25, 0.25, 0.25});
    Weighted.Fit.Calculate();
    EXPECT_EQ(Weighted.Fit.VarianceX, 0);
    EXPECT_EQ(Weighted.Fit.VarianceY, 0);
    EXPECT_EQ(Weighted.Fit.Slope, 0);
    EXPECT_EQ(Weighted.Fit.Offset, 3.75);
}

TEST(LinearRegression, KernelOnSpans) {
    // Plain addition loses the 1 between the large terms; the compensated sum keeps it.
    QvRegression::TSum Sum;
    for (double v : {1e16, 1.0, -1e16})
        Sum.Add(v);
    EXPECT_EQ(Sum.Value(), 1);

    const double X[] = {0, 1, NaN, 2}, Y[] = {1, 3, 4, 5};
    const QvRegression::TLinearFit Fit =
        QvRegression::FitLine(QvRegression::TSpanPoints{X, Y, {}}, false, 0);
    EXPECT_TRUE(Fit.Enough);
    EXPECT_EQ(Fit.SumW, 3);
    EXPECT_EQ(Fit.Slope, 2);
    EXPECT_EQ(Fit.Offset, 1);
}
