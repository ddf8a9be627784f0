// The interpolation calculation and series as a user meets them: curves through a chart's data,
// the messages of failed calculations, repeated x, the smoothing dialog, extrapolation,
// extrema and the records.

#include "../chartfixture.h"
#include "../dialogs.h"
#include "../qvtest.h"
#include "../seriesrecords.h"

#include <analysis/qvinterpolation.h>
#include <framework/qvexceptions.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TQvInterpolation* Interpolation(TChart& Chart, std::initializer_list<double> Xs,
                                std::initializer_list<double> Ys) {
    return Chart.NewSeriesOf<TQvInterpolation>(Xs, Ys, "Spline");
}

} // namespace

TEST(Interpolation, CurvesThroughTheDataOfAChart) {
    TChart Chart;
    // y = x^3 - 3x: the cubic spline is the cubic itself, also beyond the data.
    TQvInterpolation* S =
        Interpolation(Chart, {-2, -1, 0, 0.5, 1, 2, 3}, {-2, 2, 0, -1.375, -2, 2, 18});
    S->SetInterpolationMethod(TQvInterpolationMethod::CubicSpline);
    Chart.Paint();
    for (const double x : {-2.5, -0.3, 1.7, 4.0})
        EXPECT_NEAR(S->GetY(x), x * x * x - 3 * x, 1e-12) << x;
    const TQvInterpolationCalculation& C = S->GetInterpolation();
    EXPECT_NEAR(C.Slope(2), 9, 1e-12);
    EXPECT_NEAR(C.Curvature(2), 12, 1e-12);
    EXPECT_NEAR(C.Integral(2), (4 - 6) - (4 - 6), 1e-12);
    ASSERT_EQ(C.GetMaxima().size(), 1u);
    EXPECT_NEAR(C.GetMaxima()[0].X, -1, 1e-12);
    ASSERT_EQ(C.GetMinima().size(), 1u);
    EXPECT_NEAR(C.GetMinima()[0].Y, -2, 1e-12);
    EXPECT_EQ(S->GetFormula(), "Interpolation (cubic spline)");

    // Akima's spline passes the points too.
    S->SetInterpolationMethod(TQvInterpolationMethod::Akima);
    Chart.Paint();
    EXPECT_NEAR(S->GetY(1), -2, 1e-14);
    // The smoothing spline passes near them, the nearer the larger the elasticity.
    S->SetInterpolationMethod(TQvInterpolationMethod::ApproximativeSpline);
    Chart.Paint();
    const double Loose = std::abs(S->GetY(1) + 2);
    S->SetElasticityFactor(20);
    Chart.Paint();
    EXPECT_LT(std::abs(S->GetY(1) + 2), Loose / 10);
    EXPECT_EQ(S->GetFormula(), "Interpolation (approximative spline)");
}

TEST(Interpolation, FailuresRepeatedXAndTheSmoothingDialog) {
    TQvInterpolationCalculation Calc;
    EXPECT_EQ(MessageOf<EMathError>([&] { Calc.Calculate(); }),
              "No X vector defined for calculation");
    TQvDoubleVector X(nullptr), Y(nullptr);
    Calc.XData = &X;
    EXPECT_EQ(MessageOf<EMathError>([&] { Calc.Calculate(); }),
              "No Y vector defined for calculation");
    Calc.YData = &Y;
    // Unsorted, x = 2 twice: one point (2, 5) remains, three in all.
    X.AddRange({2, 0, 2});
    Y.AddRange({4, 0, 6});
    EXPECT_EQ(MessageOf<EMathError>([&] { Calc.Calculate(); }),
              "Not enough data points to calculate function");
    X.Add(1);
    Y.Add(1);
    Calc.Calculate();
    EXPECT_EQ(Calc.Count(), 3);
    EXPECT_DOUBLE_EQ(Calc.Interpolate(2), 5);
    // The approximative spline needs six.
    Calc.SetInterpolationMethod(TQvInterpolationMethod::ApproximativeSpline);
    EXPECT_EQ(MessageOf<EMathError>([&] { Calc.Calculate(); }),
              "Not enough data points to calculate function");

    TDialogs Dialogs(mrOk);
    Calc.SetInterpolationMethod(TQvInterpolationMethod::Akima);
    Calc.SetDoSmoothing(true);
    Calc.SetInterpolationMethod(TQvInterpolationMethod::ApproximativeSpline);
    EXPECT_FALSE(Calc.GetDoSmoothing());
    Calc.SetDoSmoothing(true);
    EXPECT_FALSE(Calc.GetDoSmoothing());
    ASSERT_EQ(Dialogs.Asked.size(), 2);
    EXPECT_TRUE(Dialogs.Asked[0].startsWith("Approximative spline does not need the smoothing"));

    Calc.SetElasticityFactor(0);
    EXPECT_EQ(Calc.GetElasticityFactor(), 1e-300);
    Calc.SetElasticityFactor(-3);
    EXPECT_EQ(Calc.GetElasticityFactor(), 1e-300);
}

TEST(Interpolation, RecordsRoundTripInEveryForm) {
    TChart Chart;
    TQvInterpolation* S = Interpolation(Chart, {0, 1, 2, 3, 4, 5, 6}, {0, 1, 0, 1, 0, 1, 0});
    S->SetSmoothPoints(true);
    S->SetSmoothingRange(1.5);
    S->SetInterpolationMethod(TQvInterpolationMethod::CubicSpline);
    S->SetElasticityFactor(2.5);
    // The binary record ends: method, smoothing, range, elasticity, a closing 0; so does that of
    // a copy in each form.
    const QByteArray Bytes = Binary(S);
    QByteArray Tail("\x01\x01", 2);
    for (const double v : {1.5, 2.5})
        Tail.append(reinterpret_cast<const char*>(&v), 8);
    Tail.append('\0');
    EXPECT_TRUE(Bytes.endsWith(Tail));
    for (TRecordForm Form : RecordForms) {
        auto* Read = new TQvInterpolation(Chart.Owner.get());
        CopyRecord(S, Read, Form);
        EXPECT_TRUE(Binary(Read).endsWith(Tail)) << FormName(Form);
    }
    TMemIniFile Ini(QString{});
    S->WriteTo(&Ini, "Spline");
    EXPECT_EQ(Ini.ReadString("Spline", "SmoothingRange", {}), "1.5");
}
