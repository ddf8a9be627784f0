#include "analysis/qvleastsquares.h"

#include <Eigen/SVD>

#include <cmath>

namespace QvLeastSquares {

namespace {

using TRowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

Eigen::Map<TRowMajor> Mapped(TMatrix& M) {
    return {M.Values.data(), M.Rows, M.Cols};
}

} // namespace

void SingularValueDecomposition(TMatrix& A, std::vector<double>& W, TMatrix& V) {
    if (A.Rows < A.Cols) throw ELeastSquaresError(TFailure::MatrixDimension);
    if (int(W.size()) < A.Cols) throw ELeastSquaresError(TFailure::VectorDimension);
    if (V.Rows != A.Cols || V.Cols != A.Cols)
        throw ELeastSquaresError(TFailure::OutputMatrixDimension);
    // One-sided Jacobi after a pivoted QR: slower than Golub-Reinsch on large matrices, but
    // accurate to the last digits in every singular value, small ones too.
    const Eigen::JacobiSVD<Eigen::MatrixXd> Svd(Mapped(A),
                                                Eigen::ComputeThinU | Eigen::ComputeThinV);
    Mapped(A) = Svd.matrixU();
    Mapped(V) = Svd.matrixV();
    for (int j = 0; j < A.Cols; ++j)
        W[std::size_t(j)] = Svd.singularValues()[j];
}

TSolution Solve(TMatrix A, std::span<const double> b) {
    const int Rows = A.Rows, Cols = A.Cols;
    const auto n = static_cast<std::size_t>(Cols);
    std::vector<double> Scale(n, 1.0);
    for (int j = 0; j < Cols; ++j) {
        const double Norm = Mapped(A).col(j).stableNorm();
        if (Norm > 0 && std::isfinite(Norm)) {
            Scale[std::size_t(j)] = Norm;
            Mapped(A).col(j) /= Norm;
        }
    }
    const TMatrix Scaled = A;
    std::vector<double> W(n);
    TMatrix V(Cols, Cols);
    SingularValueDecomposition(A, W, V);
    // The pseudo-inverse applied to y: V diag(1/W) U^T y, singular values of 0 left out.
    const auto Apply = [&](const auto& y) {
        std::vector<double> t(n, 0.0), x(n, 0.0);
        for (int j = 0; j < Cols; ++j) {
            if (W[std::size_t(j)] == 0) continue;
            double Dot = 0;
            for (int r = 0; r < Rows; ++r)
                Dot += A(r, j) * double(y[std::size_t(r)]);
            t[std::size_t(j)] = Dot / W[std::size_t(j)];
        }
        for (int k = 0; k < Cols; ++k)
            for (int j = 0; j < Cols; ++j)
                x[std::size_t(k)] += V(k, j) * t[std::size_t(j)];
        return x;
    };
    std::vector<double> c = Apply(b);
    // One step of refinement: the residual in extended precision, and the correction it asks
    // for. It wins the digits that rounding in applying the factors lost.
    std::vector<long double> Residual(static_cast<std::size_t>(Rows));
    for (int r = 0; r < Rows; ++r) {
        long double Sum = b[std::size_t(r)];
        for (int j = 0; j < Cols; ++j)
            Sum -= (long double)Scaled(r, j) * c[std::size_t(j)];
        Residual[std::size_t(r)] = Sum;
    }
    const std::vector<double> Correction = Apply(Residual);
    TSolution S{std::vector<double>(n), std::vector<double>(n)};
    for (int k = 0; k < Cols; ++k) {
        double Variance = 0;
        for (int j = 0; j < Cols; ++j)
            if (W[std::size_t(j)] != 0) Variance += std::pow(V(k, j) / W[std::size_t(j)], 2);
        S.Coefficients[std::size_t(k)] =
            (c[std::size_t(k)] + Correction[std::size_t(k)]) / Scale[std::size_t(k)];
        S.Deviations[std::size_t(k)] = std::sqrt(Variance) / Scale[std::size_t(k)];
    }
    return S;
}

} // namespace QvLeastSquares
