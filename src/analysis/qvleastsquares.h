#pragma once

// Linear least squares by singular value decomposition: the coefficients c that minimise
// |A c - b| for a design matrix A with at least as many rows as columns, and the standard
// deviations sqrt(diag((A^T A)^-1)) of the coefficients. Plain C++: the general linear least
// squares series calls it.

#include <span>
#include <stdexcept>
#include <vector>

namespace QvLeastSquares {

// Why a decomposition could not start; the calling component turns it into its message.
enum class TFailure {
    MatrixDimension,
    VectorDimension,
    OutputMatrixDimension
};

// Raised when a decomposition cannot start; Failure tells why.
class ELeastSquaresError : public std::runtime_error {
public:
    explicit ELeastSquaresError(TFailure Failure)
        : std::runtime_error("least squares failure"), FFailure(Failure) {}
    // Why the decomposition could not start.
    TFailure Failure() const { return FFailure; }

private:
    TFailure FFailure;
};

// A matrix of doubles stored row by row.
struct TMatrix {
    TMatrix() = default;
    TMatrix(int ARows, int ACols)
        : Rows(ARows), Cols(ACols), Values(std::size_t(ARows) * std::size_t(ACols)) {}
    double& operator()(int r, int c) { return Values[std::size_t(r) * std::size_t(Cols) + c]; }
    double operator()(int r, int c) const { return Values[std::size_t(r) * std::size_t(Cols) + c]; }

    int Rows = 0, Cols = 0;
    std::vector<double> Values;
};

// A = U diag(W) V^T: A becomes U (Rows x Cols), W receives the Cols singular values, unsorted
// and not negative, V the Cols x Cols right-hand vectors. Fewer rows than columns raise
// MatrixDimension, W shorter than Cols VectorDimension, V not Cols x Cols
// OutputMatrixDimension.
void SingularValueDecomposition(TMatrix& A, std::vector<double>& W, TMatrix& V);

// The coefficients of a least squares solution and their standard deviations.
struct TSolution {
    std::vector<double> Coefficients, Deviations;
};

// The least squares solution of A c = b. Every column of A is first scaled to unit length and
// the coefficients scaled back, which changes nothing in exact arithmetic and keeps digits
// that badly scaled columns (powers of x) would lose; one step of iterative refinement with the
// residual in extended precision follows. Singular values that are exactly 0 are left out;
// there is no other threshold.
TSolution Solve(TMatrix A, std::span<const double> b);

} // namespace QvLeastSquares
