#include "analysis/qvaverage.h"

#include <algorithm>
#include <cmath>

namespace QvAverage {

namespace {

// A sum kept in two doubles (a head and the error of its rounding), so that sliding a window
// over ten million points by adding and removing terms loses nothing to rounding, and a
// difference of two large sums keeps its low digits.
struct TDouble2 {
    double Hi = 0, Lo = 0;

    static TDouble2 Product(double a, double b) {
        const double p = a * b;
        return {p, std::fma(a, b, -p)};
    }
    TDouble2& operator+=(double v) {
        const double s = Hi + v;
        const double bb = s - Hi;
        Lo += (Hi - (s - bb)) + (v - bb);
        Hi = s;
        return Normalise();
    }
    TDouble2& operator+=(const TDouble2& v) {
        *this += v.Hi;
        Lo += v.Lo;
        return Normalise();
    }
    TDouble2& operator-=(const TDouble2& v) { return *this += TDouble2{-v.Hi, -v.Lo}; }
    TDouble2 operator-(const TDouble2& v) const { return TDouble2(*this) -= v; }
    // The product with a plain double, exact but for the low part's own rounding.
    TDouble2 Times(double a) const {
        TDouble2 r = Product(Hi, a);
        r.Lo += Lo * a;
        return r.Normalise();
    }
    double Value() const { return Hi + Lo; }

private:
    TDouble2& Normalise() {
        const double s = Hi + Lo;
        Lo = Lo - (s - Hi);
        Hi = s;
        return *this;
    }
};

// The sums over a run of points that the simple and the linear means need.
struct TSums {
    TDouble2 W, WX, WY, WXY;
    void Add(double w, double x, double y, double Sign) {
        const double wy = w * y;
        W += Sign * w;
        WX += TDouble2::Product(Sign * w, x);
        WY += Sign * wy;
        WXY += TDouble2::Product(Sign * wy, x);
    }
};

// Sum of v_j |x_j - x_i| over a window split at i: x_i V - VX below, VX - x_i V above.
double Distances(const TDouble2& VBelow, const TDouble2& VXBelow, const TDouble2& VAbove,
                 const TDouble2& VXAbove, double x) {
    TDouble2 Sum = VBelow.Times(x) - VXBelow;
    Sum += VXAbove - VAbove.Times(x);
    return Sum.Value();
}

// The windows of every point: from Lo to Hi, both monotone in i.
class TWindows {
public:
    TWindows(std::span<const double> X, const TSettings& S) : FX(X), FS(S), FN(std::abs(S.N)) {}

    void Advance(size_t i) {
        const size_t n = FX.size();
        const bool Up = FS.Direction == TDirection::UpAndDownwards;
        if (FS.Range == TRange::Count) {
            const double r = std::min(std::round(FN), double(n));
            const size_t Steps = size_t(r);
            Lo = i >= Steps ? i - Steps : 0;
            Hi = Up ? std::min(n - 1, i + Steps) : i;
            return;
        }
        // The nearest point at least N away below, and above, belongs to the window.
        while (Lo + 1 <= i && FX[i] - FX[Lo + 1] >= FN)
            ++Lo;
        if (!Up) {
            Hi = i;
            return;
        }
        Hi = std::max(Hi, i);
        while (Hi < n - 1 && FX[Hi] - FX[i] < FN)
            ++Hi;
    }
    size_t Lo = 0, Hi = 0;

private:
    std::span<const double> FX;
    const TSettings& FS;
    double FN;
};

} // namespace

std::vector<double> MovingAverage(std::span<const double> X, std::span<const double> Y,
                                  std::span<const double> W, const TSettings& Settings) {
    const size_t n = X.size();
    std::vector<double> Mean(n);
    if (n == 0) return Mean;
    const bool Up = Settings.Direction == TDirection::UpAndDownwards;
    const double N = std::abs(Settings.N);
    double f = std::min(std::abs(Settings.ExponentialFactor), 1.0);
    if (f == 0) f = 1e-300;
    const double k = std::log(f);

    TWindows Windows(X, Settings);
    // Running sums over the window below and at the point, and above it.
    TSums Below, Above;
    // Below covers [BelowLo, BelowHi), Above [BelowHi, AboveHi).
    size_t BelowLo = 0, BelowHi = 0, AboveHi = 0;
    for (size_t i = 0; i < n; ++i) {
        Windows.Advance(i);
        const size_t Lo = Windows.Lo, Hi = Windows.Hi;
        double D = X[Hi] - X[Lo];
        if (Up) D *= 2;
        if (Settings.Method == TMethod::ExponentiallyWeighted) {
            const double s = D != 0 ? N / D : 1;
            double Sum = 0, Weights = 0;
            for (size_t j = Lo; j <= Hi; ++j) {
                const double g = std::exp(k * s * std::abs(X[j] - X[i]));
                if (!(g > 0)) continue;
                Sum += W[j] * g * Y[j];
                Weights += W[j] * g;
            }
            Mean[i] = Sum / Weights;
            continue;
        }
        // Slide: the point moves from above to below, the window's ends move up.
        while (AboveHi <= Hi) {
            Above.Add(W[AboveHi], X[AboveHi], Y[AboveHi], 1);
            ++AboveHi;
        }
        while (BelowHi <= i) {
            Above.Add(W[BelowHi], X[BelowHi], Y[BelowHi], -1);
            Below.Add(W[BelowHi], X[BelowHi], Y[BelowHi], 1);
            ++BelowHi;
        }
        while (BelowLo < Lo) {
            Below.Add(W[BelowLo], X[BelowLo], Y[BelowLo], -1);
            ++BelowLo;
        }
        TDouble2 SumW = Below.W, SumWY = Below.WY;
        SumW += Above.W;
        SumWY += Above.WY;
        if (Settings.Method == TMethod::Simple || D == 0) {
            Mean[i] = SumWY.Value() / SumW.Value();
            continue;
        }
        // g = 1 - |x_j - x_i| / D: the sums less the distance-weighted sums over D.
        const double DistWY = Distances(Below.WY, Below.WXY, Above.WY, Above.WXY, X[i]);
        const double DistW = Distances(Below.W, Below.WX, Above.W, Above.WX, X[i]);
        SumWY += -DistWY / D;
        SumW += -DistW / D;
        Mean[i] = SumWY.Value() / SumW.Value();
    }
    return Mean;
}

} // namespace QvAverage
