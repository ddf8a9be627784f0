#pragma once

// The discrete Fourier transform X_k = sum_j x_j e^(-2 pi i jk/n) in O(n log n) for every n:
// radix 2 for powers of two, Bluestein's chirp transform over a power of two otherwise; and the
// amplitude and phase spectra drawn from it. Plain C++: the Fourier series calls it.

#include "data/qvlargeallocator.h"

#include <complex>
#include <span>
#include <vector>

namespace QvFourier {

using TComplex = std::complex<double>;
// Long arrays on huge pages: their first use costs a few page faults instead of one per 4 KB.
using TComplexArray = std::vector<TComplex, TQvLargeAllocator<TComplex>>;

// Transforms of any length. The tables and work buffers of the last length are kept, so that
// transforms repeated on data of one length compute no sine and touch no fresh memory.
class TTransform {
public:
    // Transforms the samples in place.
    void Run(std::span<TComplex> Samples);

private:
    // Twiddles for FSize (its first half) and for the cache-sized blocks of it.
    void PrepareTwiddles(std::size_t m);
    void Forward(std::span<TComplex> a) const;
    void Inverse(std::span<TComplex> a) const;
    void Bluestein(std::span<TComplex> x);

    std::size_t FSize = 0, FBlock = 0;
    TComplexArray FTwiddles, FBlockTwiddles;
    // For Bluestein's transform of FChirpLength samples: the chirp and the transformed
    // convolution kernel, and the work buffer.
    std::size_t FChirpLength = 0;
    TComplexArray FChirp, FKernel, FWork;
};

// Transforms the samples in place.
void DiscreteFourierTransform(std::span<TComplex> Samples);

// amplitude_k = |X_k| / n; phase_k = arg X_k, 0 where the amplitude is 0, and a phase of pi
// (within 1e-15) is given as 0. Both outputs as long as the input.
void Spectrum(std::span<const TComplex> Transformed, std::span<double> Amplitude,
              std::span<double> Phase);

// Every spacing of X lies within a hundredth of the mean spacing of its neighbours.
bool Equidistant(std::span<const double> X);

} // namespace QvFourier
