// The transform on its own: against the direct sum and against numpy.fft (the table
// tools/fourier_reference.py wrote), and the rules of the spectrum.

#include <analysis/qvfourier.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>

using namespace QvFourier;

namespace {

// The reference script's signal, bit for bit.
std::vector<TComplex> Signal(std::size_t n) {
    std::uint64_t State = n;
    const auto Next = [&] {
        State = 6364136223846793005u * State + 1442695040888963407u;
        return double(State >> 11) / 9007199254740992.0 - 0.5;
    };
    std::vector<TComplex> x(n);
    for (TComplex& v : x) {
        const double Re = Next();
        v = {Re, Next()};
    }
    return x;
}

// The definition, with each angle jk reduced modulo n exactly.
std::vector<TComplex> Direct(const std::vector<TComplex>& x) {
    const std::size_t n = x.size();
    std::vector<TComplex> Root(n), X(n);
    for (std::size_t j = 0; j < n; ++j)
        Root[j] = std::polar(1.0, -2 * std::numbers::pi * double(j) / double(n));
    for (std::size_t k = 0; k < n; ++k)
        for (std::size_t j = 0; j < n; ++j)
            X[k] += x[j] * Root[j * k % n];
    return X;
}

struct TSpectrum {
    std::vector<double> Amplitude, Phase;
    double Largest = 0;
};

TSpectrum SpectrumOf(const std::vector<TComplex>& X) {
    TSpectrum S{std::vector<double>(X.size()), std::vector<double>(X.size())};
    Spectrum(X, S.Amplitude, S.Phase);
    for (const double a : S.Amplitude)
        S.Largest = std::max(S.Largest, a);
    return S;
}

// Amplitudes within 1e-12 of the largest; a phase error counts as far as its amplitude carries
// it, and phases are compared around the circle.
void ExpectSame(double Amplitude, double Phase, double RefAmplitude, double RefPhase,
                double Largest, std::size_t n, std::size_t k) {
    const double Tolerance = 1e-12 * Largest;
    EXPECT_LE(std::abs(Amplitude - RefAmplitude), Tolerance) << "n = " << n << ", k = " << k;
    const double Turn = std::remainder(Phase - RefPhase, 2 * std::numbers::pi);
    EXPECT_LE(RefAmplitude * std::abs(Turn), Tolerance) << "phase, n = " << n << ", k = " << k;
}

} // namespace

TEST(Fourier, AgreesWithTheDefinitionAndWithNumpy) {
    std::ifstream In(std::filesystem::path(QVTEST_DATA_DIR) / "fourier.txt");
    std::map<std::size_t, std::vector<std::array<double, 3>>> Reference;
    for (std::string Line; std::getline(In, Line);) {
        if (Line.empty() || Line[0] == '#') continue;
        std::istringstream Words(Line);
        std::size_t n;
        std::array<double, 3> Row{};
        Words >> n >> Row[0] >> Row[1] >> Row[2];
        Reference[n].push_back(Row);
    }
    ASSERT_EQ(Reference.size(), 5u);
    for (const auto& [n, Rows] : Reference) {
        std::vector<TComplex> Fast = Signal(n);
        DiscreteFourierTransform(Fast);
        const TSpectrum Got = SpectrumOf(Fast);
        const TSpectrum Want = SpectrumOf(Direct(Signal(n)));
        for (std::size_t k = 0; k < n; ++k)
            ExpectSame(Got.Amplitude[k], Got.Phase[k], Want.Amplitude[k], Want.Phase[k],
                       Want.Largest, n, k);
        for (const auto& Row : Rows) {
            const auto k = std::size_t(Row[0]);
            ExpectSame(Got.Amplitude[k], Got.Phase[k], Row[1], Row[2], Want.Largest, n, k);
        }
    }
}

TEST(Fourier, LongTransformsOfAFewSpikes) {
    // Lengths whose transforms run their first stages over more than the cache holds; a few
    // spikes c at j have the transform sum c e^(-2 pi i jk/n), known at every k.
    const std::vector<std::pair<std::size_t, TComplex>> Spikes{
        {0, {1, 0}}, {3, {-0.5, 2}}, {977, {0.25, -1}}, {30011, {3, 0.5}}};
    for (const std::size_t n : {std::size_t(1) << 17, std::size_t(40009)}) {
        std::vector<TComplex> x(n);
        for (const auto& [j, c] : Spikes)
            x[j] = c;
        TTransform Transform;
        Transform.Run(x);
        double Worst = 0;
        for (std::size_t k = 0; k < n; ++k) {
            TComplex Want;
            for (const auto& [j, c] : Spikes)
                Want += c * std::polar(1.0, -2 * std::numbers::pi * double(j * k % n) / double(n));
            Worst = std::max(Worst, std::abs(x[k] - Want));
        }
        EXPECT_LE(Worst, 1e-12) << n;
    }
}

TEST(Fourier, SpectrumRules) {
    // A constant: all of it at frequency 0, by the radix-2 path and by the chirp path.
    for (const std::size_t n : {8u, 12u}) {
        std::vector<TComplex> x(n, TComplex(2.5, 0));
        DiscreteFourierTransform(x);
        const TSpectrum S = SpectrumOf(x);
        EXPECT_DOUBLE_EQ(S.Amplitude[0], 2.5);
        for (std::size_t k = 1; k < n; ++k) {
            EXPECT_LE(S.Amplitude[k], 1e-15) << n << ", " << k;
            if (S.Amplitude[k] == 0) {
                EXPECT_EQ(S.Phase[k], 0);
            }
        }
    }
    // A negative constant has the phase pi, which is given as 0; -pi stays.
    std::vector<double> Amplitude(3), Phase(3);
    const std::vector<TComplex> X{{-4, 0}, {-4, -0.0}, {0, 0}};
    Spectrum(X, Amplitude, Phase);
    EXPECT_EQ(Amplitude[0], 4.0 / 3);
    EXPECT_EQ(Phase[0], 0);
    EXPECT_EQ(Phase[1], -std::numbers::pi);
    EXPECT_EQ(Phase[2], 0);
    // One sample and none.
    std::vector<TComplex> One{{3, 4}}, None;
    DiscreteFourierTransform(One);
    DiscreteFourierTransform(None);
    EXPECT_EQ(One[0], TComplex(3, 4));
}

TEST(Fourier, EquidistantWithinAHundredthOfTheMeanStep) {
    EXPECT_TRUE(Equidistant(std::vector<double>{0, 1.0095, 2, 3}));
    EXPECT_FALSE(Equidistant(std::vector<double>{0, 1.02, 2, 3}));
    EXPECT_TRUE(Equidistant(std::vector<double>{3, 2, 1}));
    EXPECT_TRUE(Equidistant(std::vector<double>{5, 7}));
}
