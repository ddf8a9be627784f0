#pragma once

// Piecewise cubic functions through scattered points: Akima's spline, the cubic spline with
// not-a-knot ends and Reinsch's smoothing spline. They answer values, slopes, curvatures,
// integrals and local extrema. Plain C++: the interpolation, the moving average and the
// Fourier resampling build on it.

#include <span>
#include <stdexcept>
#include <vector>

namespace QvSplines {

// Why a spline could not be made; the calling component turns it into its message.
enum class TFailure {
    NotEnoughPoints,
    MatrixTooSmall,
    NotTridiagonal,
    NonPositiveDimension
};

// Raised when a spline cannot be made; Failure tells why.
class ESplineError : public std::runtime_error {
public:
    explicit ESplineError(TFailure Failure)
        : std::runtime_error("spline failure"), FFailure(Failure) {}
    // Why the spline could not be made.
    TFailure Failure() const { return FFailure; }

private:
    TFailure FFailure;
};

// A local minimum or maximum of a spline: where it lies and its value.
struct TExtremum {
    double X, Y;
};

// Sorts the points by x, keeping the order of equal x; W may be null.
void SortByX(std::vector<double>& X, std::vector<double>& Y, std::vector<double>* W);

// Sorts the points by x, keeping the order of equal x, then, from the end to the start,
// merges each two neighbours with equal x into one with the mean y (and mean weight).
void SortAndMerge(std::vector<double>& X, std::vector<double>& Y, std::vector<double>* W);

// Replaces each y by the mean of its neighbours closer than Range, weighted by
// 1 - distance / Range; distances on log10(x) when Log. Only with 3 points and Range > 0.
void Smooth(std::span<const double> X, std::vector<double>& Y, double Range, bool Log);

// Solves a tridiagonal system in place: Sub[i], Diag[i], Super[i] and Rhs[i] of row i (Sub[0]
// and the last Super unused); the solution replaces Rhs, Diag and Rhs are overwritten. At least
// two rows, else MatrixTooSmall; a zero pivot raises NotTridiagonal.
void SolveTridiagonal(std::span<const double> Sub, std::span<double> Diag,
                      std::span<const double> Super, std::span<double> Rhs);

// The function: on segment k (X[k] <= x < X[k+1]) Y[k] + dx (B[k] + dx (C[k] + dx D[k])) with
// dx = x - X[k]. Beyond the ends the end polynomials continue.
class TPiecewiseCubic {
public:
    TPiecewiseCubic() = default;

    // Each makes the function through X and Y, strictly increasing X, at least 3 points
    // (NotEnoughPoints otherwise). The points are taken over: X and Y get the storage of the
    // previous function back, so that a calculation repeated on data of one size allocates
    // nothing.
    void Akima(std::vector<double>& X, std::vector<double>& Y);
    // The cubic spline with not-a-knot ends.
    void CubicSpline(std::vector<double>& X, std::vector<double>& Y);
    // Minimises sum (W_i (y_i - f(x_i)))^2 + integral f''^2 over positive weights W: the
    // larger the weights, the closer the curve follows the points. At least 6 points.
    void Smoothing(std::vector<double>& X, std::vector<double>& Y, std::span<const double> Weights);

    // The number of points, and the points.
    int Count() const { return int(FX.size()); }
    // The x of the points.
    const std::vector<double>& X() const { return FX; }
    // The y of the points.
    const std::vector<double>& Y() const { return FY; }
    // The segment of x: 0 below X[1], Count - 1 from the last point on.
    int FindIndex(double x) const;
    // The function's value, slope and second derivative at x.
    double Value(double x) const;
    // The function's slope at x.
    double Slope(double x) const;
    // The function's second derivative at x.
    double Curvature(double x) const;
    // The integral from X[0] to x (negative below X[0]).
    double Integral(double x) const;

    // Local extrema of the function, of its slope and of its integral inside the data.
    void Extrema(std::vector<TExtremum>& Minima, std::vector<TExtremum>& Maxima) const;
    // Local extrema of the slope.
    void SlopeExtrema(std::vector<TExtremum>& Minima, std::vector<TExtremum>& Maxima) const;
    // Local extrema of the integral.
    void IntegralExtrema(std::vector<TExtremum>& Minima, std::vector<TExtremum>& Maxima) const;

private:
    // Takes the points over and sizes the coefficients.
    void Take(std::vector<double>& X, std::vector<double>& Y);
    // From the slopes in B: C, D of every segment and the continuation past the last point.
    void FromKnotSlopes();
    // From C at every knot (half the second derivatives): B, D and the continuation.
    void FromKnotCurvatures();
    void Finish();
    double SegmentIntegral(int k, double dx) const;

    std::vector<double> FX, FY, FB, FC, FD;
    // The integral from X[0] to X[k].
    std::vector<double> FWhole;
};

} // namespace QvSplines
