// Splines on their own: SciPy's values, slopes and integrals for the three methods (the table
// tools/spline_reference.py wrote), and cases worked out by hand.

#include <analysis/qvsplines.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace QvSplines;

namespace {

struct TReference {
    std::vector<double> X, Y;
    // Method -> rows of x, value, slope, integral from the first x.
    std::map<std::string, std::vector<std::array<double, 4>>> Rows;
};

std::map<std::string, TReference> ReadReference() {
    std::ifstream In(std::filesystem::path(QVTEST_DATA_DIR) / "splines.txt");
    std::map<std::string, TReference> Sets;
    TReference* Set = nullptr;
    std::string Line;
    while (std::getline(In, Line)) {
        std::istringstream Words(Line);
        std::string Key;
        Words >> Key;
        if (Key.empty() || Key[0] == '#') continue;
        if (Key == "set") {
            std::string Name;
            Words >> Name;
            Set = &Sets[Name];
        } else if (Key == "x" || Key == "y") {
            for (double v; Words >> v;)
                (Key == "x" ? Set->X : Set->Y).push_back(v);
        } else {
            std::array<double, 4> Row{};
            for (double& v : Row)
                Words >> v;
            Set->Rows[Key].push_back(Row);
        }
    }
    return Sets;
}

void ExpectClose(double Computed, double Reference, double Scale, const char* What, double x) {
    EXPECT_LE(std::abs(Computed - Reference), 1e-12 * std::max(std::abs(Reference), Scale))
        << What << " at x = " << x << ": " << Computed << " vs " << Reference;
}

// The function made by Method through copies of the points.
TPiecewiseCubic Make(void (TPiecewiseCubic::*Method)(std::vector<double>&, std::vector<double>&),
                     std::vector<double> X, std::vector<double> Y) {
    TPiecewiseCubic F;
    (F.*Method)(X, Y);
    return F;
}

TPiecewiseCubic Smoothed(std::vector<double> X, std::vector<double> Y,
                         const std::vector<double>& W) {
    TPiecewiseCubic F;
    F.Smoothing(X, Y, W);
    return F;
}

} // namespace

// SciPy's Akima1DInterpolator, CubicSpline (not-a-knot) and make_smoothing_spline (weights
// squared, lambda 1) solve the same problems: values, slopes and integrals agree to 1e-12 of the
// larger of the value and the data's scale.
TEST(Splines, AgreeWithScipy) {
    const std::map<std::string, TReference> Sets = ReadReference();
    ASSERT_EQ(Sets.size(), 3u);
    for (const auto& [Name, Set] : Sets) {
        SCOPED_TRACE(Name);
        std::vector<double> X = Set.X, Y = Set.Y;
        SortAndMerge(X, Y, nullptr);
        double Scale = 0;
        for (const double y : Y)
            Scale = std::max(Scale, std::abs(y));
        ASSERT_EQ(Set.Rows.size(), 4u);
        for (const auto& [Method, Rows] : Set.Rows) {
            SCOPED_TRACE(Method);
            TPiecewiseCubic F;
            std::vector<double> Xs = X, Ys = Y;
            if (Method == "akima")
                F.Akima(Xs, Ys);
            else if (Method == "cubic")
                F.CubicSpline(Xs, Ys);
            else
                F.Smoothing(Xs, Ys, std::vector<double>(X.size(), std::stod(Method.substr(6))));
            for (const auto& [x, Value, Slope, Integral] : Rows) {
                ExpectClose(F.Value(x), Value, Scale, "value", x);
                ExpectClose(F.Slope(x), Slope, Scale, "slope", x);
                ExpectClose(F.Integral(x), Integral, Scale, "integral", x);
            }
        }
    }
}

TEST(Splines, FewPointsAndRepeatedX) {
    // Three points: the parabola through them, by both interpolating methods.
    const std::vector<double> X{0, 1, 3}, Y{1, 2, 10}; // on y = x^2 + 1
    for (const TPiecewiseCubic& F :
         {Make(&TPiecewiseCubic::CubicSpline, X, Y), Make(&TPiecewiseCubic::Akima, X, Y)}) {
        EXPECT_DOUBLE_EQ(F.Value(0), 1);
        EXPECT_DOUBLE_EQ(F.Value(3), 10);
    }
    const TPiecewiseCubic P = Make(&TPiecewiseCubic::CubicSpline, X, Y);
    EXPECT_NEAR(P.Value(2), 5, 1e-14);
    EXPECT_NEAR(P.Value(-2), 5, 1e-13); // extrapolated with the end polynomials
    EXPECT_NEAR(P.Curvature(7), 2, 1e-14);

    const auto Failure = [](auto Make) {
        try {
            Make();
        } catch (const ESplineError& E) {
            return E.Failure();
        }
        return TFailure::NonPositiveDimension;
    };
    EXPECT_EQ(Failure([] {
                  Make(&TPiecewiseCubic::Akima, {0, 1}, {0, 1});
              }),
              TFailure::NotEnoughPoints);
    EXPECT_EQ(Failure([] {
                  Make(&TPiecewiseCubic::CubicSpline, {0, 1}, {0, 1});
              }),
              TFailure::NotEnoughPoints);
    EXPECT_EQ(Failure([] {
                  Smoothed({0, 1, 2, 3, 4}, {0, 1, 0, 1, 0}, std::vector<double>(5, 1.0));
              }),
              TFailure::NotEnoughPoints);

    // Unsorted with x = 2 three times: from the end, (4 + 6) / 2 = 5, then (2 + 5) / 2.
    std::vector<double> Xs{2, 0, 2, 1, 2}, Ys{2, 0, 4, 1, 6}, Ws{1, 1, 1, 1, 3};
    SortAndMerge(Xs, Ys, &Ws);
    EXPECT_EQ(Xs, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(Ys, (std::vector<double>{0, 1, 3.5}));
    EXPECT_EQ(Ws, (std::vector<double>{1, 1, 1.5}));
}

TEST(Splines, ExtremaAndIntegralOfAKnownCubic) {
    // y = x^3 - 3x: a not-a-knot spline through its points is the cubic itself.
    std::vector<double> X, Y;
    for (double x = -2.5; x <= 2.5; x += 0.5) {
        X.push_back(x);
        Y.push_back(x * x * x - 3 * x);
    }
    const TPiecewiseCubic F = Make(&TPiecewiseCubic::CubicSpline, X, Y);
    EXPECT_NEAR(F.Integral(2), (16.0 / 4 - 6) - (39.0625 / 4 - 3 * 6.25 / 2), 1e-12);
    std::vector<TExtremum> Minima, Maxima;
    F.Extrema(Minima, Maxima);
    ASSERT_EQ(Minima.size(), 1u);
    ASSERT_EQ(Maxima.size(), 1u);
    EXPECT_NEAR(Minima[0].X, 1, 1e-12);
    EXPECT_NEAR(Minima[0].Y, -2, 1e-12);
    EXPECT_NEAR(Maxima[0].X, -1, 1e-12);
    EXPECT_NEAR(Maxima[0].Y, 2, 1e-12);
    // The slope 3x^2 - 3 is lowest at 0.
    F.SlopeExtrema(Minima, Maxima);
    ASSERT_EQ(Minima.size(), 1u);
    EXPECT_NEAR(Minima[0].X, 0, 1e-12);
    EXPECT_NEAR(Minima[0].Y, -3, 1e-12);
    EXPECT_TRUE(Maxima.empty());
    // The integral turns where y crosses zero: -sqrt 3 (lowest), 0 (highest), sqrt 3 (lowest).
    F.IntegralExtrema(Minima, Maxima);
    ASSERT_EQ(Minima.size(), 2u);
    ASSERT_EQ(Maxima.size(), 1u);
    EXPECT_NEAR(Minima[0].X, -std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(Maxima[0].X, 0, 1e-12);
    EXPECT_NEAR(Minima[1].X, std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(Maxima[0].Y, F.Integral(0), 1e-12);
}

TEST(Splines, SmoothingAndTinyWeights) {
    // Distance weights 1 - d / 1.5: neighbours at distance 1 count a third.
    std::vector<double> Y{0, 3, 0, 3};
    Smooth(std::vector<double>{0, 1, 2, 3}, Y, 1.5, false);
    EXPECT_DOUBLE_EQ(Y[0], 0.75);
    EXPECT_DOUBLE_EQ(Y[1], 1.8);
    // On log10(x) the points 1, 10, 100 are one apart.
    Y = {0, 3, 0};
    Smooth(std::vector<double>{1, 10, 100}, Y, 1.5, true);
    EXPECT_DOUBLE_EQ(Y[1], 1.8);

    // Weights next to nothing flatten the smoothing spline to the least-squares line.
    const std::vector<double> X{0, 1, 2, 3, 4, 5, 6}, Data{1, 3.5, 4.5, 7.5, 9, 10.5, 13.5};
    const TPiecewiseCubic F = Smoothed(X, Data, std::vector<double>(7, 1e-300));
    double Sx = 0, Sy = 0, Sxx = 0, Sxy = 0;
    for (size_t i = 0; i < X.size(); ++i) {
        Sx += X[i];
        Sy += Data[i];
        Sxx += X[i] * X[i];
        Sxy += X[i] * Data[i];
    }
    const double Slope = (7 * Sxy - Sx * Sy) / (7 * Sxx - Sx * Sx);
    const double Offset = (Sy - Slope * Sx) / 7;
    for (const double x : {0.0, 2.5, 6.0})
        EXPECT_NEAR(F.Value(x), Offset + Slope * x, 1e-12);

    std::vector<double> Sub{0}, Diag{1}, Super{0}, Rhs{1};
    EXPECT_THROW(SolveTridiagonal(Sub, Diag, Super, Rhs), ESplineError);
    Sub = {0, 1};
    Diag = {0, 1};
    Super = {1, 0};
    Rhs = {1, 1};
    try {
        SolveTridiagonal(Sub, Diag, Super, Rhs);
        ADD_FAILURE();
    } catch (const ESplineError& E) {
        EXPECT_EQ(E.Failure(), TFailure::NotTridiagonal);
    }
}
