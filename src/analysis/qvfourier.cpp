#include "analysis/qvfourier.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace QvFourier {

namespace {

constexpr double Pi = std::numbers::pi;
// A phase this close to pi is taken as 0.
constexpr double PhaseOfPi = 1e-15;
// Spacings may differ from their mean by this part of it and still count as equidistant.
constexpr double SpacingTolerance = 0.01;

// Blocks of this many samples stay in the cache: the stages within a block run block by block.
constexpr std::size_t CacheBlock = std::size_t(1) << 14;

// z * w and z * conj(w), without the checks for infinities in std::complex's product, which
// cost more than the product itself.
inline TComplex Times(TComplex z, TComplex w) {
    return {z.real() * w.real() - z.imag() * w.imag(), z.real() * w.imag() + z.imag() * w.real()};
}

inline TComplex TimesConjugate(TComplex z, TComplex w) {
    return {z.real() * w.real() + z.imag() * w.imag(), z.imag() * w.real() - z.real() * w.imag()};
}

// e^(-2 pi i k/m) for k < m/2, each from its own angle so that no error accumulates.
TComplexArray Twiddles(std::size_t m) {
    TComplexArray W(m / 2);
    for (std::size_t k = 0; k < W.size(); ++k)
        W[k] = std::polar(1.0, -2 * Pi * double(k) / double(m));
    return W;
}

// The stages of a radix-2 transform over a[0 .. Length), Length a power of two, named by their
// half block: the butterflies of stage Half join a[s + j] and a[s + j + Half] with the twiddle
// W[j * Size / (2 Half)], W being the table for Size. Two stages run in one pass over memory
// where they can.

// Decimation in frequency, stages From down to To: (a + b, (a - b) w).
void ForwardStages(TComplex* a, std::size_t Length, std::size_t From, std::size_t To,
                   const TComplex* W, std::size_t Size) {
    std::size_t Half = From;
    for (; Half >= 2 * To && Half >= 2; Half /= 4) {
        const std::size_t Stride = Size / (2 * Half), Quarter = Half / 2;
        for (std::size_t s = 0; s < Length; s += 2 * Half)
            for (std::size_t j = 0; j < Quarter; ++j) {
                TComplex* p = a + s + j;
                const TComplex x0 = p[0], x1 = p[Quarter], x2 = p[Half], x3 = p[Half + Quarter];
                const TComplex y0 = x0 + x2, y1 = x1 + x3;
                const TComplex y2 = Times(x0 - x2, W[j * Stride]);
                const TComplex y3 = Times(x1 - x3, W[(j + Quarter) * Stride]);
                const TComplex w = W[2 * j * Stride];
                p[0] = y0 + y1;
                p[Quarter] = Times(y0 - y1, w);
                p[Half] = y2 + y3;
                p[Half + Quarter] = Times(y2 - y3, w);
            }
    }
    if (Half < To || Half == 0) return;
    const std::size_t Stride = Size / (2 * Half);
    for (std::size_t s = 0; s < Length; s += 2 * Half)
        for (std::size_t j = 0; j < Half; ++j) {
            const TComplex u = a[s + j], v = a[s + j + Half];
            a[s + j] = u + v;
            a[s + j + Half] = Times(u - v, W[j * Stride]);
        }
}

// Decimation in time with conjugate twiddles, stages From up to To: (a + b conj(w), a - ...).
void InverseStages(TComplex* a, std::size_t Length, std::size_t From, std::size_t To,
                   const TComplex* W, std::size_t Size) {
    std::size_t Half = From;
    for (; 2 * Half <= To; Half *= 4) {
        const std::size_t Double = 2 * Half, Stride = Size / (2 * Double);
        for (std::size_t s = 0; s < Length; s += 2 * Double)
            for (std::size_t j = 0; j < Half; ++j) {
                TComplex* p = a + s + j;
                const TComplex w = W[2 * j * Stride];
                const TComplex v1 = TimesConjugate(p[Half], w);
                const TComplex v3 = TimesConjugate(p[Double + Half], w);
                const TComplex y0 = p[0] + v1, y1 = p[0] - v1;
                const TComplex y2 = p[Double] + v3, y3 = p[Double] - v3;
                const TComplex v2 = TimesConjugate(y2, W[j * Stride]);
                const TComplex v4 = TimesConjugate(y3, W[(j + Half) * Stride]);
                p[0] = y0 + v2;
                p[Double] = y0 - v2;
                p[Half] = y1 + v4;
                p[Double + Half] = y1 - v4;
            }
    }
    if (Half > To) return;
    const std::size_t Stride = Size / (2 * Half);
    for (std::size_t s = 0; s < Length; s += 2 * Half)
        for (std::size_t j = 0; j < Half; ++j) {
            const TComplex u = a[s + j], v = TimesConjugate(a[s + j + Half], W[j * Stride]);
            a[s + j] = u + v;
            a[s + j + Half] = u - v;
        }
}

void BitReverse(std::span<TComplex> a) {
    const std::size_t m = a.size();
    for (std::size_t i = 1, j = 0; i < m; ++i) {
        std::size_t Bit = m >> 1;
        for (; j & Bit; Bit >>= 1)
            j ^= Bit;
        j ^= Bit;
        if (i < j) std::swap(a[i], a[j]);
    }
}

} // namespace

void TTransform::PrepareTwiddles(std::size_t m) {
    if (m == FSize) return;
    FTwiddles = Twiddles(m);
    FBlock = std::min(m, CacheBlock);
    FBlockTwiddles.resize(FBlock / 2);
    for (std::size_t k = 0; k < FBlockTwiddles.size(); ++k)
        FBlockTwiddles[k] = FTwiddles[k * (m / FBlock)];
    FSize = m;
}

// Natural order in, bit-reversed order out: the large stages over the whole array, the rest
// block by block.
void TTransform::Forward(std::span<TComplex> a) const {
    const std::size_t m = a.size();
    if (m > FBlock) ForwardStages(a.data(), m, m / 2, FBlock, FTwiddles.data(), m);
    for (std::size_t s = 0; s < m; s += FBlock)
        ForwardStages(a.data() + s, FBlock, FBlock / 2, 1, FBlockTwiddles.data(), FBlock);
}

// Bit-reversed order in, natural order out, the inverse transform times m.
void TTransform::Inverse(std::span<TComplex> a) const {
    const std::size_t m = a.size();
    for (std::size_t s = 0; s < m; s += FBlock)
        InverseStages(a.data() + s, FBlock, 1, FBlock / 2, FBlockTwiddles.data(), FBlock);
    if (m > FBlock) InverseStages(a.data(), m, FBlock, m / 2, FTwiddles.data(), m);
}

// jk = (j^2 + k^2 - (k - j)^2) / 2 turns the transform into a convolution with the chirp
// w_j = e^(-pi i j^2/n), done by power-of-two transforms of at least 2n - 1 points.
void TTransform::Bluestein(std::span<TComplex> x) {
    const std::size_t n = x.size();
    const std::size_t m = std::bit_ceil(2 * n - 1);
    PrepareTwiddles(m);
    if (FChirpLength != n || FKernel.size() != m) {
        FChirp.resize(n);
        // j^2 modulo 2n keeps the angle small and exact.
        for (std::size_t j = 0; j < n; ++j)
            FChirp[j] = std::polar(1.0, -Pi * double((std::uint64_t(j) * j) % (2 * n)) / double(n));
        FKernel.assign(m, TComplex());
        FKernel[0] = std::conj(FChirp[0]);
        for (std::size_t j = 1; j < n; ++j)
            FKernel[j] = FKernel[m - j] = std::conj(FChirp[j]);
        Forward(FKernel);
        FChirpLength = n;
    }
    FWork.resize(m);
    for (std::size_t j = 0; j < n; ++j)
        FWork[j] = Times(x[j], FChirp[j]);
    std::fill(FWork.begin() + std::ptrdiff_t(n), FWork.end(), TComplex());
    // Both in bit-reversed order: the product is too, which is what the inverse takes.
    Forward(FWork);
    for (std::size_t k = 0; k < m; ++k)
        FWork[k] = Times(FWork[k], FKernel[k]);
    Inverse(FWork);
    const double Scale = 1.0 / double(m);
    for (std::size_t k = 0; k < n; ++k)
        x[k] = Times(FWork[k], FChirp[k]) * Scale;
}

void TTransform::Run(std::span<TComplex> Samples) {
    const std::size_t n = Samples.size();
    if (n < 2) return;
    if (!std::has_single_bit(n)) {
        Bluestein(Samples);
        return;
    }
    PrepareTwiddles(n);
    Forward(Samples);
    BitReverse(Samples);
}

void DiscreteFourierTransform(std::span<TComplex> Samples) {
    TTransform().Run(Samples);
}

void Spectrum(std::span<const TComplex> Transformed, std::span<double> Amplitude,
              std::span<double> Phase) {
    const std::size_t n = Transformed.size();
    for (std::size_t k = 0; k < n; ++k) {
        const double Re = Transformed[k].real(), Im = Transformed[k].imag();
        Amplitude[k] = std::sqrt(Re * Re + Im * Im) / double(n);
        double Angle = Amplitude[k] != 0 ? std::atan2(Im, Re) : 0;
        if (std::abs(Angle - Pi) <= PhaseOfPi) Angle = 0;
        Phase[k] = Angle;
    }
}

bool Equidistant(std::span<const double> X) {
    const std::size_t n = X.size();
    if (n < 3) return true;
    const double Mean = (X[n - 1] - X[0]) / double(n - 1);
    const double Tolerance = std::abs(Mean) * SpacingTolerance;
    for (std::size_t i = 1; i < n; ++i)
        if (!(std::abs(X[i] - X[i - 1] - Mean) <= Tolerance)) return false;
    return true;
}

} // namespace QvFourier
