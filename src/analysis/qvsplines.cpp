#include "analysis/qvsplines.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace QvSplines {

namespace {

void Require(bool Condition, TFailure Failure) {
    if (!Condition) throw ESplineError(Failure);
}

// Solves a symmetric positive definite five-diagonal system by LDL^T: A0 the diagonal, A1 and
// A2 the first and second super-diagonals (their last one and two entries unused); the
// solution replaces Rhs.
void SolveFiveDiagonal(std::vector<double> A0, std::vector<double> A1, std::vector<double> A2,
                       std::vector<double>& Rhs) {
    const size_t n = A0.size();
    Require(n >= 3, TFailure::NotEnoughPoints);
    // A = L D L^T with L unit lower triangular of band 2: L1[i] = L(i+1, i), L2[i] = L(i+2, i).
    std::vector<double> D(n), L1(n, 0), L2(n, 0);
    for (size_t i = 0; i < n; ++i) {
        double d = A0[i];
        if (i >= 1) d -= L1[i - 1] * L1[i - 1] * D[i - 1];
        if (i >= 2) d -= L2[i - 2] * L2[i - 2] * D[i - 2];
        Require(d != 0 && std::isfinite(d), TFailure::NotTridiagonal);
        D[i] = d;
        if (i + 1 < n) {
            double e = A1[i];
            if (i >= 1) e -= L2[i - 1] * L1[i - 1] * D[i - 1];
            L1[i] = e / d;
        }
        if (i + 2 < n) L2[i] = A2[i] / d;
    }
    for (size_t i = 1; i < n; ++i)
        Rhs[i] -= L1[i - 1] * Rhs[i - 1] + (i >= 2 ? L2[i - 2] * Rhs[i - 2] : 0);
    for (size_t i = 0; i < n; ++i)
        Rhs[i] /= D[i];
    for (size_t i = n - 1; i-- > 0;)
        Rhs[i] -= L1[i] * Rhs[i + 1] + (i + 2 < n ? L2[i] * Rhs[i + 2] : 0);
}

std::vector<double> Steps(const std::vector<double>& X) {
    std::vector<double> H(X.size() - 1);
    for (size_t k = 0; k + 1 < X.size(); ++k)
        H[k] = X[k + 1] - X[k];
    return H;
}

// The roots of a + dx (b + dx (c + dx d)) in [0, h), each found by halving between the points
// where the cubic turns.
std::vector<double> CubicRoots(double a, double b, double c, double d, double h) {
    const auto P = [&](double t) { return a + t * (b + t * (c + t * d)); };
    std::vector<double> Bounds{0};
    if (d != 0) {
        const double Disc = c * c - 3 * d * b;
        if (Disc > 0)
            for (const double s : {-1.0, 1.0}) {
                const double t = (-c + s * std::sqrt(Disc)) / (3 * d);
                if (t > 0 && t < h) Bounds.push_back(t);
            }
    } else if (c != 0) {
        const double t = -b / (2 * c);
        if (t > 0 && t < h) Bounds.push_back(t);
    }
    std::sort(Bounds.begin(), Bounds.end());
    Bounds.push_back(h);
    std::vector<double> Roots;
    if (P(0) == 0) Roots.push_back(0);
    for (size_t i = 0; i + 1 < Bounds.size(); ++i) {
        double Lo = Bounds[i], Hi = Bounds[i + 1];
        const double PLo = P(Lo), PHi = P(Hi);
        if (PLo == 0 || PHi == 0 || (PLo < 0) == (PHi < 0)) continue;
        for (int Step = 0; Step < 200 && Lo < Hi; ++Step) {
            const double Mid = Lo + (Hi - Lo) / 2;
            if (Mid <= Lo || Mid >= Hi) break;
            ((P(Mid) < 0) == (PLo < 0) ? Lo : Hi) = Mid;
        }
        Roots.push_back(Lo + (Hi - Lo) / 2);
    }
    return Roots;
}

} // namespace

void SortByX(std::vector<double>& X, std::vector<double>& Y, std::vector<double>* W) {
    const size_t n = X.size();
    if (std::is_sorted(X.begin(), X.end())) return;
    std::vector<size_t> Order(n);
    std::iota(Order.begin(), Order.end(), 0);
    std::stable_sort(Order.begin(), Order.end(), [&](size_t A, size_t B) { return X[A] < X[B]; });
    std::vector<double> Sorted(n);
    for (std::vector<double>* V : {&X, &Y, W}) {
        if (!V) continue;
        for (size_t i = 0; i < n; ++i)
            Sorted[i] = (*V)[Order[i]];
        std::swap(*V, Sorted);
    }
}

void SortAndMerge(std::vector<double>& X, std::vector<double>& Y, std::vector<double>* W) {
    SortByX(X, Y, W);
    const size_t n = X.size();
    if (n < 2) return;
    // From the end: the merged point meets the next one down.
    size_t Out = n - 1;
    for (size_t i = n - 1; i-- > 0;) {
        if (X[i] == X[Out]) {
            Y[Out] = (Y[i] + Y[Out]) / 2;
            if (W) (*W)[Out] = ((*W)[i] + (*W)[Out]) / 2;
            continue;
        }
        --Out;
        X[Out] = X[i];
        Y[Out] = Y[i];
        if (W) (*W)[Out] = (*W)[i];
    }
    const auto Keep = [&](std::vector<double>& V) { V.erase(V.begin(), V.begin() + Out); };
    Keep(X);
    Keep(Y);
    if (W) Keep(*W);
}

void Smooth(std::span<const double> X, std::vector<double>& Y, double Range, bool Log) {
    const size_t n = X.size();
    if (n < 3 || !(Range > 0)) return;
    std::vector<double> At(X.begin(), X.end());
    if (Log)
        for (double& x : At)
            x = std::log10(x);
    std::vector<double> Out(n);
    for (size_t i = 0; i < n; ++i) {
        double Sum = Y[i], Weights = 1;
        const auto Take = [&](size_t j) {
            const double Distance = std::abs(At[i] - At[j]);
            if (!(Distance < Range)) return false;
            const double w = 1 - Distance / Range;
            if (w > 0) {
                Sum += w * Y[j];
                Weights += w;
            }
            return true;
        };
        for (size_t j = i; j-- > 0 && Take(j);) {
        }
        for (size_t j = i + 1; j < n && Take(j); ++j) {
        }
        Out[i] = Sum / Weights;
    }
    Y = std::move(Out);
}

void SolveTridiagonal(std::span<const double> Sub, std::span<double> Diag,
                      std::span<const double> Super, std::span<double> Rhs) {
    const size_t n = Diag.size();
    Require(n >= 2, TFailure::MatrixTooSmall);
    for (size_t i = 1; i < n; ++i) {
        Require(Diag[i - 1] != 0, TFailure::NotTridiagonal);
        const double f = Sub[i] / Diag[i - 1];
        Diag[i] -= f * Super[i - 1];
        Rhs[i] -= f * Rhs[i - 1];
    }
    Require(Diag[n - 1] != 0, TFailure::NotTridiagonal);
    Rhs[n - 1] /= Diag[n - 1];
    for (size_t i = n - 1; i-- > 0;)
        Rhs[i] = (Rhs[i] - Super[i] * Rhs[i + 1]) / Diag[i];
}

// ---- Construction ----

void TPiecewiseCubic::Take(std::vector<double>& X, std::vector<double>& Y) {
    std::swap(FX, X);
    std::swap(FY, Y);
    const size_t n = FX.size();
    for (std::vector<double>* V : {&FB, &FC, &FD, &FWhole})
        V->resize(n);
}

void TPiecewiseCubic::Akima(std::vector<double>& X, std::vector<double>& Y) {
    const size_t n = X.size();
    Require(n >= 3, TFailure::NotEnoughPoints);
    Take(X, Y);
    // The segment slopes m_k, two more at each end continued linearly.
    const auto Inner = [&](size_t k) { return (FY[k + 1] - FY[k]) / (FX[k + 1] - FX[k]); };
    const double mBefore1 = 2 * Inner(0) - Inner(1), mBefore2 = 2 * mBefore1 - Inner(0);
    const double mAfter1 = 2 * Inner(n - 2) - Inner(n - 3), mAfter2 = 2 * mAfter1 - Inner(n - 2);
    const auto m = [&](std::ptrdiff_t k) {
        if (k == -2) return mBefore2;
        if (k == -1) return mBefore1;
        if (k == std::ptrdiff_t(n) - 1) return mAfter1;
        if (k == std::ptrdiff_t(n)) return mAfter2;
        return Inner(size_t(k));
    };
    for (size_t k = 0; k < n; ++k) {
        const std::ptrdiff_t i = std::ptrdiff_t(k);
        const double m2 = m(i - 2), m1 = m(i - 1), m0 = m(i), p1 = m(i + 1);
        const double w1 = std::abs(p1 - m0), w2 = std::abs(m1 - m2);
        FB[k] = w1 + w2 == 0 ? (m1 + m0) / 2 : (w1 * m1 + w2 * m0) / (w1 + w2);
    }
    FromKnotSlopes();
}

void TPiecewiseCubic::CubicSpline(std::vector<double>& X, std::vector<double>& Y) {
    const size_t n = X.size();
    Require(n >= 3, TFailure::NotEnoughPoints);
    Take(X, Y);
    const auto h = [&](size_t k) { return FX[k + 1] - FX[k]; };
    // Rows k = 0 .. n-3 for C_1 .. C_n-2, kept in the storage of B (sub-diagonal), D (diagonal),
    // the integrals (super-diagonal) and C itself (right side, then solution).
    const size_t Rows = n - 2;
    const std::span<double> Sub(FB.data(), Rows), Diag(FD.data(), Rows), Super(FWhole.data(), Rows),
        Rhs(FC.data() + 1, Rows);
    for (size_t k = 0; k < Rows; ++k) {
        Sub[k] = h(k);
        Diag[k] = 2 * (h(k) + h(k + 1));
        Super[k] = h(k + 1);
        Rhs[k] = 3 * ((FY[k + 2] - FY[k + 1]) / h(k + 1) - (FY[k + 1] - FY[k]) / h(k));
    }
    if (n == 3) {
        // The parabola through the three points.
        FC[0] = FC[1] = FC[2] = Rhs[0] / 3 / (h(0) + h(1));
    } else {
        // Not-a-knot: the first and last two segments share their third derivative.
        Rhs[0] *= h(1) / (h(0) + h(1));
        Diag[0] -= h(0);
        Super[0] -= h(0);
        Rhs[Rows - 1] *= h(n - 3) / (h(n - 2) + h(n - 3));
        Diag[Rows - 1] -= h(n - 2);
        Sub[Rows - 1] -= h(n - 2);
        SolveTridiagonal(Sub, Diag, Super, Rhs);
        FC[0] = FC[1] + (FC[1] - FC[2]) * h(0) / h(1);
        FC[n - 1] = FC[n - 2] + (FC[n - 2] - FC[n - 3]) * h(n - 2) / h(n - 3);
    }
    FromKnotCurvatures();
}

void TPiecewiseCubic::Smoothing(std::vector<double>& X, std::vector<double>& Y,
                                std::span<const double> Weights) {
    const size_t n = X.size();
    Require(n >= 6, TFailure::NotEnoughPoints);
    const std::vector<double> H = Steps(X);
    // Point i has the deviation 1 / W_i. The second derivatives g at the inner knots solve
    // (R + Q^T S Q) g = Q^T y, S = diag(1 / W_i^2), Q holding the second divided differences
    // and R the integrals of products of the hat functions; the ends are natural (g = 0).
    // Scaled by Mu = max(W)^2, S becomes s / Mu with s_i = (max(W) / W_i)^2 >= 1 and the system
    // (Mu R + Q^T s Q) G = Q^T y with g = Mu G: tiny weights (a spline flattened to the
    // least-squares line) then underflow to Mu = 0 instead of overflowing.
    const double WMax = *std::max_element(Weights.begin(), Weights.end());
    const double Mu = WMax * WMax;
    std::vector<double> S(n);
    for (size_t i = 0; i < n; ++i)
        S[i] = (WMax / Weights[i]) * (WMax / Weights[i]);
    const size_t m = n - 2;
    std::vector<double> A0(m), A1(m, 0), A2(m, 0), Rhs(m);
    const auto q = [&](size_t j) { return -(1 / H[j - 1] + 1 / H[j]); };
    for (size_t r = 0; r < m; ++r) {
        const size_t j = r + 1;
        A0[r] = Mu * (H[j - 1] + H[j]) / 3 + S[j - 1] / (H[j - 1] * H[j - 1]) + S[j] * q(j) * q(j) +
                S[j + 1] / (H[j] * H[j]);
        if (r + 1 < m) A1[r] = Mu * H[j] / 6 + q(j) * S[j] / H[j] + S[j + 1] * q(j + 1) / H[j];
        if (r + 2 < m) A2[r] = S[j + 1] / (H[j] * H[j + 1]);
        Rhs[r] = (Y[j + 1] - Y[j]) / H[j] - (Y[j] - Y[j - 1]) / H[j - 1];
    }
    SolveFiveDiagonal(std::move(A0), std::move(A1), std::move(A2), Rhs);
    std::vector<double> G(n, 0);
    std::copy(Rhs.begin(), Rhs.end(), G.begin() + 1);
    // The knot values: y - s Q G.
    for (size_t i = 0; i < n; ++i) {
        double Qg = 0;
        if (i >= 1) Qg += G[i - 1] / H[i - 1];
        if (i + 1 < n) Qg += G[i + 1] / H[i];
        if (i >= 1 && i + 1 < n) Qg += q(i) * G[i];
        Y[i] -= S[i] * Qg;
    }
    Take(X, Y);
    for (size_t i = 0; i < n; ++i)
        FC[i] = Mu * G[i] / 2;
    FromKnotCurvatures();
}

void TPiecewiseCubic::FromKnotSlopes() {
    for (size_t k = 0; k + 1 < FX.size(); ++k) {
        const double h = FX[k + 1] - FX[k];
        const double m = (FY[k + 1] - FY[k]) / h;
        FC[k] = (3 * m - 2 * FB[k] - FB[k + 1]) / h;
        FD[k] = (FB[k] + FB[k + 1] - 2 * m) / (h * h);
    }
    Finish();
}

void TPiecewiseCubic::FromKnotCurvatures() {
    for (size_t k = 0; k + 1 < FX.size(); ++k) {
        const double h = FX[k + 1] - FX[k];
        FB[k] = (FY[k + 1] - FY[k]) / h - h * (2 * FC[k] + FC[k + 1]) / 3;
        FD[k] = (FC[k + 1] - FC[k]) / (3 * h);
    }
    Finish();
}

// The last point starts the continuation of the last segment, and the whole segments' integrals
// are summed once.
void TPiecewiseCubic::Finish() {
    const size_t n = FX.size();
    const size_t k = n - 2;
    const double h = FX[n - 1] - FX[k];
    FB[n - 1] = FB[k] + h * (2 * FC[k] + 3 * FD[k] * h);
    FC[n - 1] = FC[k] + 3 * FD[k] * h;
    FD[n - 1] = FD[k];
    FWhole[0] = 0;
    for (size_t j = 0; j + 1 < n; ++j)
        FWhole[j + 1] = FWhole[j] + SegmentIntegral(int(j), FX[j + 1] - FX[j]);
}

// ---- Queries ----

int TPiecewiseCubic::FindIndex(double x) const {
    const int n = Count();
    if (n == 0) return 0;
    if (x >= FX[size_t(n - 1)]) return n - 1;
    const auto Above = std::upper_bound(FX.begin() + 1, FX.end(), x);
    return int(Above - FX.begin()) - 1;
}

double TPiecewiseCubic::Value(double x) const {
    if (FX.empty()) return 0;
    const size_t k = size_t(FindIndex(x));
    const double dx = x - FX[k];
    return FY[k] + dx * (FB[k] + dx * (FC[k] + dx * FD[k]));
}

double TPiecewiseCubic::Slope(double x) const {
    if (FX.empty()) return 0;
    const size_t k = size_t(FindIndex(x));
    const double dx = x - FX[k];
    return FB[k] + dx * (2 * FC[k] + 3 * FD[k] * dx);
}

double TPiecewiseCubic::Curvature(double x) const {
    if (FX.empty()) return 0;
    const size_t k = size_t(FindIndex(x));
    return 2 * FC[k] + 6 * FD[k] * (x - FX[k]);
}

double TPiecewiseCubic::SegmentIntegral(int k, double dx) const {
    const size_t i = size_t(k);
    return dx * (FY[i] + dx * (FB[i] / 2 + dx * (FC[i] / 3 + dx * FD[i] / 4)));
}

double TPiecewiseCubic::Integral(double x) const {
    if (FX.empty()) return 0;
    const int k = FindIndex(x);
    return FWhole[size_t(k)] + SegmentIntegral(k, x - FX[size_t(k)]);
}

void TPiecewiseCubic::Extrema(std::vector<TExtremum>& Minima,
                              std::vector<TExtremum>& Maxima) const {
    Minima.clear();
    Maxima.clear();
    for (size_t k = 0; k + 1 < FX.size(); ++k) {
        const double B = FB[k], C = FC[k], D = FD[k], h = FX[k + 1] - FX[k];
        const double Disc = C * C - 3 * D * B;
        // A double root only flattens the curve; it turns at two distinct roots.
        if (D == 0 || !(Disc > 0)) continue;
        for (const double s : {-1.0, 1.0}) {
            const double dx = (-C + s * std::sqrt(Disc)) / (3 * D);
            if (!(dx >= 0 && dx < h)) continue;
            const double x = FX[k] + dx;
            (Curvature(x) >= 0 ? Minima : Maxima).push_back({x, Value(x)});
        }
    }
}

void TPiecewiseCubic::SlopeExtrema(std::vector<TExtremum>& Minima,
                                   std::vector<TExtremum>& Maxima) const {
    Minima.clear();
    Maxima.clear();
    for (size_t k = 0; k + 1 < FX.size(); ++k) {
        if (FD[k] == 0) continue;
        const double dx = -FC[k] / (3 * FD[k]);
        if (!(dx >= 0 && dx < FX[k + 1] - FX[k])) continue;
        const double x = FX[k] + dx;
        (FD[k] > 0 ? Minima : Maxima).push_back({x, Slope(x)});
    }
}

void TPiecewiseCubic::IntegralExtrema(std::vector<TExtremum>& Minima,
                                      std::vector<TExtremum>& Maxima) const {
    Minima.clear();
    Maxima.clear();
    for (size_t k = 0; k + 1 < FX.size(); ++k) {
        for (const double dx : CubicRoots(FY[k], FB[k], FC[k], FD[k], FX[k + 1] - FX[k])) {
            const double x = FX[k] + dx;
            // The integral turns where the function changes its sign.
            const double Before = Value(x - 1e-9 * (1 + std::abs(x)));
            const double After = Value(x + 1e-9 * (1 + std::abs(x)));
            if (Before < 0 && After > 0) Minima.push_back({x, Integral(x)});
            if (Before > 0 && After < 0) Maxima.push_back({x, Integral(x)});
        }
    }
}

} // namespace QvSplines
