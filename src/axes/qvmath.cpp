#include "axes/qvmath.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace Qvmath {

namespace {
// Exact powers of ten up to 10^27 in extended precision.
long double Power10(int N) {
    static const std::array<long double, 28> Exact = [] {
        std::array<long double, 28> Table{};
        Table[0] = 1;
        for (size_t i = 1; i < Table.size(); ++i)
            Table[i] = Table[i - 1] * 10;
        return Table;
    }();
    if (N >= 0 && N < int(Exact.size())) return Exact[size_t(N)];
    if (N < 0 && -N < int(Exact.size())) return 1 / Exact[size_t(-N)];
    return std::pow(10.0L, N);
}

double ToDouble(long double X) {
    return std::isinf(X) || X > DBL_MAX ? DBL_MAX : X < -DBL_MAX ? -DBL_MAX : double(X);
}

// Shortest scientific text of X, null-terminated.
std::string_view Scientific(double X, char (&Text)[64], int Precision = -1) {
    const auto Written = Precision < 0 ? std::to_chars(Text, Text + sizeof Text - 1, X,
                                                       std::chars_format::scientific)
                                       : std::to_chars(Text, Text + sizeof Text - 1, X,
                                                       std::chars_format::scientific, Precision);
    *Written.ptr = '\0';
    return std::string_view(Text, size_t(Written.ptr - Text));
}

// A finite double as the decimal of its shortest text: Digits × 10^Exponent, negated when
// Negative.
struct TDecimal {
    __int128 Digits = 0;
    int Exponent = 0;
    bool Negative = false;
};

TDecimal DecimalOf(double X) {
    char Text[64];
    const std::string_view Written = Scientific(X, Text);
    const size_t Mark = Written.find('e');
    TDecimal D;
    int Fraction = 0;
    bool AfterPoint = false;
    for (char c : Written.substr(0, Mark)) {
        if (c == '-') {
            D.Negative = true;
        } else if (c == '.') {
            AfterPoint = true;
        } else {
            D.Digits = D.Digits * 10 + (c - '0');
            Fraction += AfterPoint;
        }
    }
    D.Exponent = std::atoi(Text + Mark + 1) - Fraction;
    return D;
}

// Ticks round to a few parts over and over: their decimals are kept by the thread.
const TDecimal& RecentDecimalOf(double Part) {
    // A slot not yet taken holds 0, whose decimal is the empty one.
    struct TRecent {
        double Part = 0;
        TDecimal Decimal;
    };
    thread_local std::array<TRecent, 4> Recent{};
    thread_local std::size_t Next = 0;
    for (const TRecent& Slot : Recent)
        if (std::memcmp(&Slot.Part, &Part, sizeof Part) == 0) return Slot.Decimal;
    TRecent& Slot = Recent[Next];
    Slot = {Part, DecimalOf(Part)};
    Next = (Next + 1) % Recent.size();
    return Slot.Decimal;
}

// The double nearest to K × Part × 10^E, with Part taken as the decimal it was written as
// (0.1, 0.25, ...), so that grid values come out as their decimal: 0.3 rather than
// 0.30000000000000004.
double DecimalMultiple(long double K, double Part, int E) {
    const long double Whole = std::rint(K);
    if (!std::isfinite(Part) || std::fabs(Whole) > 1e18L)
        return ToDouble(Whole * Part * Power10(E));
    const TDecimal& D = RecentDecimalOf(Part);
    // Whole is whole already: llrint converts it without the rounding-mode switch of a cast.
    __int128 Product = D.Digits * static_cast<__int128>(std::llrint(Whole));
    if (D.Negative) Product = -Product;
    const int Exponent = D.Exponent + E;
    const bool Below = Product < 0;
    auto Magnitude = static_cast<unsigned __int128>(Below ? -Product : Product);
    // An integer and a power of ten that doubles hold exactly: one multiplication or division
    // rounds as reading the decimal would.
    static constexpr double Exact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int Largest = int(std::size(Exact)) - 1;
    if (Magnitude < (static_cast<unsigned __int128>(1) << 53) && Exponent >= -Largest &&
        Exponent <= Largest) {
        const double Exactly = double(static_cast<long long>(Product));
        return Exponent >= 0 ? Exactly * Exact[Exponent] : Exactly / Exact[-Exponent];
    }
    std::string Number;
    do {
        Number.insert(Number.begin(), char('0' + int(Magnitude % 10)));
        Magnitude /= 10;
    } while (Magnitude > 0);
    if (Below) Number.insert(Number.begin(), '-');
    Number += 'e' + std::to_string(Exponent);
    double Result = 0;
    const auto Read = std::from_chars(Number.data(), Number.data() + Number.size(), Result);
    if (Read.ec == std::errc::result_out_of_range) return Below ? -DBL_MAX : DBL_MAX;
    return Result;
}

// The multiple k of Part × 10^E that X rounds to, before scaling.
long double PartitionIndex(double X, double Part, int E, long double Bias) {
    const long double q = (X / Power10(E)) / Part;
    // Rounding half to even, as the default rounding mode does: rint rather than nearbyint,
    // whose saving and restoring of the floating-point state costs more than the rounding.
    return std::rint(q + Bias);
}

double RoundPartition(double X, double Part, int E, long double Bias) {
    if (Part == 0 || !std::isfinite(X)) return X;
    return DecimalMultiple(PartitionIndex(X, Part, E, Bias), Part, E);
}

// X = 10^L with L split into its integer part I (towards zero) and fraction F.
struct TDecade {
    long double L;
    int I;
    long double F;
};

TDecade Split(double X) {
    // Powers of ten must give whole decades: the double logarithm of 0.001 is exactly -3, its
    // extended one just above.
    long double L = std::log10(X);
    if (std::abs(L - std::round(L)) < 1e-13L) L = std::round(L);
    const long double I = std::trunc(L);
    return {L, int(I), L - I};
}

// The ceiling (Up) or floor of L from its split.
int Bound(const TDecade& D, bool Up) {
    int I = D.I;
    if (Up && D.F > 0) ++I;
    if (!Up && D.L < 0 && D.F < 0) --I;
    return I;
}

double RoundLog(double X, double MajorPart, double Part, bool Up) {
    if (!(X > 0) || std::isinf(X)) return X;
    const TDecade D = Split(X);
    if (MajorPart > 1) {
        int I = Bound(D, Up);
        while (std::abs(I) % 3 != 0)
            I += Up ? 1 : -1;
        return Exp10(I);
    }
    if (Part == 1) return Exp10(Bound(D, Up));
    if (D.F == 0) return Exp10(D.I);
    // X = M × 10^I with 0.1 <= M < 1; M is rounded within the decade.
    long double M = std::pow(10.0L, D.F);
    int I = D.I;
    if (D.L > 0) {
        M *= 0.1L;
        ++I;
    }
    const long double K = PartitionIndex(double(M), Part, 0, Up ? 0.499999L : -0.499999L);
    if (K * Part <= 0) return Exp10(I - 1); // M + 1 at one decade less
    return DecimalMultiple(K, Part, I);
}
} // namespace

double Exp10(int N) {
    return ToDouble(Power10(N));
}

double Exp10(double X) {
    if (X == 0) return 1.0;
    if (std::trunc(X) == X && std::abs(X) < 1e9) return Exp10(int(X));
    return ToDouble(std::pow(10.0L, static_cast<long double>(X)));
}

int Real10thExponent(double X) {
    if (!std::isfinite(X)) return 0;
    char Text[64];
    const std::string_view Written = Scientific(X, Text, 6);
    return std::atoi(Text + Written.find('e') + 1);
}

double ExpMinus(int E, double X) {
    return E == 0 ? X : ToDouble(X / Power10(E));
}

double RoundUp(double X, double Part, int E) {
    return RoundPartition(X, Part, E, 0.499999L);
}

double RoundDown(double X, double Part, int E) {
    return RoundPartition(X, Part, E, -0.499999L);
}

double RoundLogUp(double X, double MajorPart, double Part) {
    return RoundLog(X, MajorPart, Part, true);
}

double RoundLogDown(double X, double MajorPart, double Part) {
    return RoundLog(X, MajorPart, Part, false);
}

int LastSignificant(double X) {
    if (!std::isfinite(X) || X == 0) return 0;
    char Text[64];
    const std::string_view Written = Scientific(std::abs(X), Text, 15);
    int Digits = 0, Count = 0;
    for (char c : Written.substr(0, Written.find('e'))) {
        if (c < '0' || c > '9') continue;
        ++Count;
        if (c != '0') Digits = Count;
    }
    return Digits;
}

int SaturatingRound(double X) {
    return SaturatingTrunc(std::nearbyint(X));
}

int SaturatingTrunc(double X) {
    if (std::isnan(X)) return 0;
    return int(std::clamp(X, double(INT_MIN), double(INT_MAX)));
}

double FitTo360Degrees(double A) {
    double Result = std::fmod(A, 360.0);
    if (Result < 0) Result += 360.0;
    // -1e-20 + 360 rounds to 360; and -0 becomes 0.
    return Result >= 360.0 || Result == 0 ? 0.0 : Result;
}

int Quadrant(double A) {
    const double B = FitTo360Degrees(A);
    return B <= 90 ? 1 : B <= 180 ? 2 : B <= 270 ? 3 : 4;
}

bool PointInRect(int X, int Y, const TRect& R) {
    return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom;
}

bool PointInRect(double X, double Y, double Left, double Top, double Width, double Height) {
    return X >= Left && X <= Left + Width && Y >= Top && Y <= Top + Height;
}

double Polynom(double X, std::span<const double> Coefficients) {
    double Result = 0;
    for (auto c = Coefficients.rbegin(); c != Coefficients.rend(); ++c)
        Result = Result * X + *c;
    return Result;
}

double T95Percent(double N) {
    struct TRow {
        double Bound, T;
    };
    static constexpr TRow Rows[] = {
        {1, 12.706},  {2, 4.303},   {3, 3.182},   {4, 2.776},   {5, 2.571},   {6, 2.447},
        {7, 2.365},   {8, 2.306},   {9, 2.262},   {10, 2.228},  {11, 2.201},  {12, 2.179},
        {13, 2.16},   {14, 2.145},  {15, 2.131},  {16, 2.12},   {17, 2.11},   {18, 2.101},
        {19, 2.093},  {20, 2.086},  {21, 2.08},   {22, 2.074},  {23, 2.069},  {24, 2.064},
        {25, 2.06},   {26, 2.056},  {27, 2.052},  {28, 2.048},  {29, 2.045},  {30, 2.042},
        {40, 2.021},  {50, 2.009},  {60, 2.0},    {70, 1.994},  {80, 1.99},   {90, 1.987},
        {100, 1.984}, {200, 1.972}, {300, 1.968}, {400, 1.966}, {500, 1.965},
    };
    for (const TRow& Row : Rows)
        if (N <= Row.Bound) return Row.T;
    return 1.96;
}

} // namespace Qvmath
