// The simplex fit: the search's steps worked out by hand, order detection and the messages of
// the checks, the end rules, and the fitted line's records.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"
#include "nist.h"

#include <analysis/qvfitting.h>
#include <analysis/qvsimplex.h>
#include <framework/qvexceptions.h>
#include <framework/qvfiler.h>

#include <gtest/gtest.h>

#include <QBuffer>

#include <cctype>
#include <cmath>

namespace {

QvSimplex::TError Parabola(double Minimum) {
    return [Minimum](std::span<const double> v) { return (v[0] - Minimum) * (v[0] - Minimum); };
}

TQvFittedLine* NewLine(TChart& Chart, std::initializer_list<double> X,
                       std::initializer_list<double> Y) {
    return Chart.NewSeriesOf<TQvFittedLine>(X, Y, "Fit");
}

} // namespace

TEST(SimplexFit, StepsWorkedOutByHand) {
    QvSimplex::TDownhillSimplex Simplex;
    // Equal values: ties go to the later vertex for the worst and the second worst.
    Simplex.Begin(std::vector<double>{1, 1}, [](std::span<const double>) { return 1.0; });
    EXPECT_EQ(Simplex.Lowest(), 0);
    EXPECT_EQ(Simplex.Highest(), 2);
    EXPECT_EQ(Simplex.NextHighest(), 1);

    // From 1 towards 10: vertices 2.05 and 1; the reflection to 3.1 beats the best, and the
    // expansion to 3 * 2.05 - 2 * 1 = 4.15 beats the reflection.
    Simplex.Begin(std::vector<double>{1}, Parabola(10));
    EXPECT_EQ(Simplex.Vertex(0)[0], 2.05);
    Simplex.Step(Parabola(10));
    EXPECT_DOUBLE_EQ(Simplex.Best()[0], 4.15);
    EXPECT_EQ(Simplex.Lowest(), 1);

    // Towards 0.8: the reflection to -0.05 is worse than the best vertex 1, so the worst is
    // contracted to 0.475, which stays worse than 1 and stays in the simplex.
    Simplex.Begin(std::vector<double>{1}, Parabola(0.8));
    Simplex.Step(Parabola(0.8));
    EXPECT_DOUBLE_EQ(Simplex.Vertex(0)[0], 0.475);
    EXPECT_EQ(Simplex.Vertex(1)[0], 1);
    // Towards 0.7 the contracted point 0.475 is no worse than 1: then every vertex but the
    // best moves halfway towards it, 0.475 to 0.7375.
    Simplex.Begin(std::vector<double>{1}, Parabola(0.7));
    Simplex.Step(Parabola(0.7));
    EXPECT_DOUBLE_EQ(Simplex.Vertex(0)[0], 0.7375);
    EXPECT_EQ(Simplex.Lowest(), 0);
    EXPECT_FALSE(Simplex.Stalled());
}

TEST(SimplexFit, OrderFromTheExpressionAndTheChecks) {
    TQvSimplexFit Fit;
    Fit.SetExpression("a*exp(-b*X)");
    EXPECT_EQ(Fit.GetOrder(), 2);
    Fit.SetExpression("a*X+c");
    EXPECT_EQ(Fit.GetOrder(), 3);
    EXPECT_EQ(MessageOf<EMathError>([&] { Fit.SetExpression("a*b"); }),
              "Expression must contain the independent variable X!");
    EXPECT_EQ(MessageOf<EMathError>([&] { Fit.SetExpression("2*X"); }),
              "Expression must contain a variable a..p!");
    Fit.Iterations = 0;
    Fit.SetExpression("3*X");
    EXPECT_EQ(Fit.GetOrder(), 3);

    TChart Chart;
    auto* Line = NewLine(Chart, {0, 1, 2, 3}, {0, 2, 4, 6});
    EXPECT_EQ(MessageOf<EMathError>([&] { Chart.Paint(); }),
              "No FittingFunction or Expression defined");
    // Iterations 0: no search, the curve of the coefficients as they are.
    Line->SetIterations(0);
    Line->SetExpression("a*X+b");
    Line->SetCoefficients(std::vector<double>{3, 1});
    Chart.Paint();
    EXPECT_EQ(Line->GetY(2), 7);
    EXPECT_EQ(MessageOf<ERangeError>([&] { Line->GetCoeff(2); }),
              "Fitted line: Index of variable out of range");
    EXPECT_EQ(Line->GetFormula(), "a*X+b");
    // While designing, a sine across the Y axis stands in for the fit.
    Chart.FixAxes(-1, 1);
    Line->SetDesigning(true);
    EXPECT_DOUBLE_EQ(Line->GetY(0.3), std::sin(0.3));
    EXPECT_EQ(Line->GetCoeff(7), 0);
}

TEST(SimplexFit, ApplicationFunction) {
    // The application's function replaces the formula; it sees the coefficients being tried.
    TChart Chart;
    auto* Line = NewLine(Chart, {0, 1, 2, 3}, {0.5, 1, 2, 4});
    Line->SetExpression("a*X");
    Line->SetFittingFunction([](TObject*, const TQvFittingFunctionArgs& e) {
        return e.Coefficients[0] * std::exp2(e.X);
    });
    Line->SetIterations(500);
    Chart.Paint();
    EXPECT_NEAR(Line->GetCoeff(0), 0.5, 1e-9);
    EXPECT_NEAR(Line->GetY(4), 8, 1e-8);
}

TEST(SimplexFit, CovarianceMeasure) {
    // Distances in X and in Y to a rising line: the line through the points leaves none.
    TChart Chart;
    auto* Line = NewLine(Chart, {0, 1, 2, 3, 4, 5}, {1, 3, 5, 7, 9, 11});
    Line->SetExpression("a*X+b");
    Line->SetDoCovariance(true);
    Line->SetIterations(3000);
    Line->SetCoefficients(std::vector<double>{1, 2});
    Chart.Paint();
    EXPECT_NEAR(Line->GetCoeff(0), 2, 1e-6);
    EXPECT_NEAR(Line->GetCoeff(1), 1, 1e-6);
    // Two points cannot be interpolated: the measure is switched off.
    TChart Two;
    auto* Short = NewLine(Two, {0, 1}, {1, 3});
    Short->SetExpression("a*X");
    Short->SetDoCovariance(true);
    EXPECT_EQ(MessageOf<EMathError>([&] { Two.Paint(); }),
              "SimplexFit: DoCovariance, reciprocal indefinite!");
    EXPECT_FALSE(Short->GetDoCovariance());
}

TEST(SimplexFit, SearchStartsAndEnds) {
    TChart Chart;
    auto* Line = NewLine(Chart, {0, 1, 2, 3}, {1, 3, 5, 7});
    Line->SetExpression("a*X+b");
    // A start coefficient of 0 becomes 1 before the start vertices are made.
    Line->SetCoefficients(std::vector<double>{0, 0.5});
    std::vector<std::vector<double>> Corners;
    Line->SetOnNewCorner([&](TObject*, const std::vector<double>& c) { Corners.push_back(c); });
    int Steps = 0;
    Line->SetOnIteration([&](TObject*) { ++Steps; });
    Line->SetIterations(3);
    Chart.Paint();
    ASSERT_GE(Corners.size(), 3u);
    EXPECT_EQ(Corners[0], (std::vector<double>{2.05, 0.5}));
    EXPECT_EQ(Corners[1], (std::vector<double>{1, 1.025}));
    EXPECT_EQ(Corners[2], (std::vector<double>{1, 0.5}));
    // At most Iterations + 1 steps.
    EXPECT_EQ(Steps, 4);

    // Started on the exact line the error sum is 0 after the first step: the search ends.
    Steps = 0;
    Line->SetIterations(50);
    Line->SetCoefficients(std::vector<double>{2, 1});
    Chart.Paint();
    EXPECT_EQ(Steps, 1);
    EXPECT_EQ(Line->GetSumOfResiduals(), 0);
    EXPECT_EQ(Line->GetCoeff(0), 2);

    // Stopped from the iteration handler after five steps; a long search finds the line.
    Steps = 0;
    Line->SetCoefficients(std::vector<double>{1, 1});
    Line->SetOnIteration([&](TObject*) {
        if (++Steps == 5) Line->StopIterations();
    });
    Chart.Paint();
    EXPECT_EQ(Steps, 5);
    Line->SetOnIteration({});
    Line->SetOnNewCorner({});
    Line->SetIterations(2000);
    Line->SetCoefficients(std::vector<double>{1, 1});
    Chart.Paint();
    EXPECT_NEAR(Line->GetCoeff(0), 2, 1e-6);
    EXPECT_NEAR(Line->GetCoeff(1), 1, 1e-6);
    EXPECT_NEAR(Line->Getr2(), 1, 1e-12);
}

TEST(SimplexFit, Records) {
    TChart Chart;
    auto* Line = NewLine(Chart, {0, 1, 2, 3}, {1, 3, 5, 7});
    Line->SetIterations(123);
    Line->SetExpression("a*X+b");
    Line->SetCoefficients(std::vector<double>{2.5, -1});
    Line->SetRestartWhenStalled(true);
    const auto Check = [&](const TQvFittedLine* R, const char* Form) {
        SCOPED_TRACE(Form);
        EXPECT_EQ(R->GetIterations(), 123);
        EXPECT_EQ(R->GetExpression(), "a*X+b");
        EXPECT_EQ(R->GetOrder(), 2);
        EXPECT_EQ(R->GetCoeff(0), 2.5);
        EXPECT_EQ(R->GetCoeff(1), -1);
        EXPECT_TRUE(R->GetRestartWhenStalled());
        EXPECT_FALSE(R->GetDoCovariance());
    };
    for (TRecordForm Form : RecordForms) {
        auto* Read = new TQvFittedLine(Chart.Owner.get());
        CopyRecord(Line, Read, Form);
        Check(Read, FormName(Form));
    }
    TMemIniFile Ini(QString{});
    Line->WriteTo(&Ini, "Fit");
    EXPECT_EQ(Ini.ReadString("Fit", "Coefficients", {}), "2.5 -1");
    // In a component stream the coefficients are the extra property "Coeffs".
    QBuffer Stream;
    Stream.open(QIODevice::ReadWrite);
    TWriter(&Stream).WriteComponent(Line);
    EXPECT_TRUE(Stream.data().contains("Coeffs"));
    Stream.seek(0);
    TChart Other; // the stream names the component, which must be unique in its owner
    auto* FromStream = new TQvFittedLine(Other.Owner.get());
    TReader(&Stream).ReadComponent(FromStream, Other.Owner.get());
    EXPECT_EQ(FromStream->GetCoefficientList(), (QList<double>{2.5, -1}));
    EXPECT_EQ(FromStream->GetExpression(), "a*X+b");
}

TEST(SimplexFit, NistLowerDifficultySets) {
    // NIST's parameters b1, b2, ... are the coefficients A, B, ...; 50,000 steps from NIST's
    // second starting point, restarting once the simplex has stalled (without restarts the
    // simplex stalls on Lanczos3).
    for (const char* Name :
         {"Misra1a", "Chwirut2", "Chwirut1", "Lanczos3", "Gauss1", "Misra1b", "DanWood"}) {
        SCOPED_TRACE(Name);
        const TNistSet Set = ReadNist(Name);
        std::string Expression;
        for (size_t i = 0; i < Set.Model.size(); ++i) {
            const char c = Set.Model[i];
            if (c == 'b' && std::isdigit(Set.Model[i + 1])) {
                // b1 .. b9: A .. I.
                Expression += char('A' + (Set.Model[++i] - '1'));
            } else {
                const bool Alone =
                    (i == 0 || !std::isalpha(Set.Model[i - 1])) && !std::isalpha(Set.Model[i + 1]);
                Expression += c == 'x' && Alone ? 'X' : c;
            }
        }
        TChart Chart;
        auto* Line = Chart.NewSeriesOf<TQvFittedLine>(Set.X, Set.Y);
        Line->SetExpression(QString::fromStdString(Expression));
        Line->SetIterations(50000);
        Line->SetRestartWhenStalled(true);
        Line->SetCoefficients(Set.Start2);
        Chart.Paint();
        for (size_t i = 0; i < Set.Parameters.size(); ++i)
            EXPECT_GE(Lre(Line->GetCoeff(int(i)), Set.Certified.at(Set.Parameters[i])[0]), 4)
                << Set.Parameters[i];
    }
}
