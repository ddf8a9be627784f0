// General linear least squares and polynomials: NIST's certified values through the series as
// a user fits, the exact and the refused cases, formulas, undo and records; and the
// decomposition underneath.

#include "../chartfixture.h"
#include "../qvtest.h"
#include "../seriesrecords.h"
#include "nist.h"

#include <analysis/qvgenerallinearleastsquares.h>
#include <analysis/qvleastsquares.h>
#include <framework/qvexceptions.h>

#include <gtest/gtest.h>

namespace {

template <class T>
T* NewFit(TChart& Chart, const std::vector<double>& X, const std::vector<double>& Y, int Order) {
    T* Fit = Chart.NewSeriesOf<T>(X, Y, "Fit");
    Fit->SetOrder(Order);
    return Fit;
}

} // namespace

TEST(LeastSquares, NistCertifiedValues) {
    // The deviations the series gives are sqrt(diag((A^T W A)^-1)); NIST's carry the residual
    // standard deviation sqrt(rss / (n - p)) as well.
    const struct {
        const char* Name;
        double Aim;
    } Sets[] = {{"Pontius", 11}, {"Filip", 7},      {"Wampler1", 9},   {"Wampler2", 9},
                {"Wampler3", 9}, {"Wampler4", 7.5}, {"Wampler5", 5.5}, {"Longley", 10}};
    for (const auto& [Name, Aim] : Sets) {
        SCOPED_TRACE(Name);
        const TNistSet Set = ReadNist(Name);
        const int p = int(Set.Parameters.size()), n = int(Set.Y.size());
        TChart Chart;
        TQvCustomGeneralLinearLeastSquares* Fit;
        if (std::string(Name) == "Longley") {
            // X is the row number; the basis gives that row's predictors, and 1 for the offset.
            std::vector<double> Rows;
            for (int r = 0; r < n; ++r)
                Rows.push_back(r);
            auto* General = NewFit<TQvGeneralLinearLeastSquares>(Chart, Rows, Set.Y, p - 1);
            General->SetBasisFunction([&Set, n](TObject*, const TQvGeneralLinearFittingArgs& e) {
                const int Row = std::clamp(int(std::lround(e.X)), 0, n - 1);
                return e.Index == 0 ? 1.0 : Set.Predictors[size_t(Row)][size_t(e.Index - 1)];
            });
            Fit = General;
        } else {
            Fit = NewFit<TQvPolynomial>(Chart, Set.X, Set.Y, p - 1);
        }
        Chart.Paint();
        const double Sigma = std::sqrt(Fit->GetSumOfResiduals() / (n - p));
        double Worst = 15, WorstDeviation = 15;
        for (int i = 0; i < p; ++i) {
            const std::vector<double>& Certified = Set.Certified.at(Set.Parameters[size_t(i)]);
            Worst = std::min(Worst, Lre(Fit->GetCoeff(i), Certified[0]));
            if (Certified[1] != 0)
                WorstDeviation =
                    std::min(WorstDeviation, Lre(Fit->GetDeltaCoeff(i) * Sigma, Certified[1]));
        }
        EXPECT_GE(Worst, Aim);
        EXPECT_GE(WorstDeviation, 6);
    }
}

TEST(LeastSquares, ExactRefusedAndWeightedCases) {
    TChart Chart;
    // Three points on y = x^2 - 2x + 3 and a fourth far off that weighs nothing.
    auto* Fit = NewFit<TQvPolynomial>(Chart, {1, 2, 4, 3}, {2, 3, 11, 50}, 2);
    Fit->SetWeight(Chart.NewVector("", {1, 2, 1, 0}));
    Chart.Paint();
    for (const auto& [i, c] : {std::pair{0, 3.0}, {1, -2.0}, {2, 1.0}})
        EXPECT_NEAR(Fit->GetCoeff(i), c, 1e-13) << i;
    EXPECT_NEAR(Fit->GetSumOfResiduals(), 0, 1e-24);
    EXPECT_NEAR(Fit->Getr2(), 1, 1e-15);
    EXPECT_DOUBLE_EQ(Fit->GetAverageX(), 9.0 / 4);
    EXPECT_EQ(MessageOf<ERangeError>([&] { Fit->GetCoeff(3); }),
              "General Linear Least Squares: Index of variable out of range");
    EXPECT_EQ(Fit->GetFormula(), "Y=a+bX+cX\\+2\\+");
    Fit->SetOrder(7);
    EXPECT_EQ(Fit->GetFormula(), "Y=a+bX+cX\\+2\\++dX\\+3\\++eX\\+4\\++...+hX\\+7\\+");
    Fit->SetOrder(1);
    EXPECT_EQ(Fit->GetOrder(), 2);
    EXPECT_EQ(Fit->GetCoeff(1), 1);

    // Three points, two at one X: as many points as coefficients, but no parabola.
    TChart Shared;
    NewFit<TQvPolynomial>(Shared, {1, 1, 4}, {2, 3, 11}, 2);
    EXPECT_EQ(MessageOf<EMathError>([&] { Shared.Paint(); }),
              "Not enough data points to calculate function");

    // A general fit of order 0 is the weighted mean; without a basis function it is refused.
    TChart Mean;
    auto* General = NewFit<TQvGeneralLinearLeastSquares>(Mean, {0, 1, 2}, {1, 2, 6}, 0);
    EXPECT_EQ(MessageOf<EMathError>([&] { Mean.Paint(); }), "No BasisFunction defined");
    General->SetBasisFunction([](TObject*, const TQvGeneralLinearFittingArgs&) { return 1.0; });
    Mean.Paint();
    EXPECT_EQ(General->GetOrder(), 0);
    EXPECT_NEAR(General->GetCoeff(0), 3, 1e-15);
    EXPECT_NEAR(General->GetY(17), 3, 1e-15);
    EXPECT_EQ(General->GetFormula(), QString::fromUtf8("Y=\u03A3\\-i\\-a\\-i\\-Xf\\-i\\-(X)"));
    // While designing, coefficients beyond the order read 0.
    General->SetDesigning(true);
    EXPECT_EQ(General->GetDeltaCoeff(5), 0);
}

TEST(LeastSquares, OrderUndoAndRecords) {
    TChart Chart;
    auto* Fit = NewFit<TQvPolynomial>(Chart, {0, 1, 2, 3, 4, 5}, {1, 0, 3, 1, 4, 2}, 2);
    auto* Undo = new TQvUndoStack(Chart.Owner.get());
    Fit->SetUndoStack(Undo);
    Fit->SetOrder(4);
    ASSERT_EQ(Undo->UndoCount(), 1);
    EXPECT_EQ(Undo->GetUndoComment(0), "General linear least squares order");
    Undo->Undo();
    EXPECT_EQ(Fit->GetOrder(), 2);
    Fit->SetOrder(4);

    // The order as a 4-byte integer and a closing 0.
    EXPECT_TRUE(Binary(Fit).endsWith(QByteArray("\x04\x00\x00\x00\x00", 5)));
    TXMLDocument Document;
    Fit->WriteTo(Document.AddChild("Root"));
    EXPECT_EQ(Document.DocumentElement()
                  .FindNode("TQvPolynomial")
                  .FindNode("Polynomial")
                  .Attribute("Order"),
              "4");
    TMemIniFile Ini(QString{});
    Fit->WriteTo(&Ini, "Fit");
    EXPECT_EQ(Ini.ReadString("Fit", "Order", {}), "4");
    for (TRecordForm Form : RecordForms) {
        auto* Read = new TQvPolynomial(Chart.Owner.get());
        CopyRecord(Fit, Read, Form);
        EXPECT_EQ(Read->GetOrder(), 4) << FormName(Form);
    }
}

TEST(LeastSquares, Decomposition) {
    using namespace QvLeastSquares;
    // A = U diag(W) V^T, U's columns and V orthonormal, W not negative.
    TMatrix A(4, 3);
    A.Values = {2, -1, 0, 4, 3, -2, -1, 5, 7, 0.5, 0, 1};
    const TMatrix Original = A;
    std::vector<double> W(3);
    TMatrix V(3, 3);
    SingularValueDecomposition(A, W, V);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) {
            double Sum = 0;
            for (int j = 0; j < 3; ++j)
                Sum += A(r, j) * W[size_t(j)] * V(c, j);
            EXPECT_NEAR(Sum, Original(r, c), 1e-14);
        }
    for (const double w : W)
        EXPECT_GE(w, 0);
    const auto FailureOf = [](TMatrix M, std::vector<double> S, TMatrix R) {
        try {
            SingularValueDecomposition(M, S, R);
        } catch (const ELeastSquaresError& E) {
            return int(E.Failure());
        }
        return -1;
    };
    EXPECT_EQ(FailureOf(TMatrix(2, 3), std::vector<double>(3), TMatrix(3, 3)),
              int(TFailure::MatrixDimension));
    EXPECT_EQ(FailureOf(TMatrix(4, 3), std::vector<double>(2), TMatrix(3, 3)),
              int(TFailure::VectorDimension));
    EXPECT_EQ(FailureOf(TMatrix(4, 3), std::vector<double>(3), TMatrix(3, 2)),
              int(TFailure::OutputMatrixDimension));
}
