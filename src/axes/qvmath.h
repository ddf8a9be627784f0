#pragma once

// Small numeric routines shared by the axes and the rest of the library: decimal exponents,
// rounding to partitions of a decade, logarithmic rounding, angles. Plain C++; results are
// computed in extended precision where the axes need the exact decimal values.

#include "framework/qvframeworktypes.h"

#include <limits>
#include <span>

namespace Qvmath {

// The largest double: the empty extent starts from +MaxDouble .. -MaxDouble.
inline constexpr double MaxDouble = std::numeric_limits<double>::max();

// 10^N; the largest double when it overflows.
double Exp10(int N);
double Exp10(double X);
// The decimal exponent of X written in scientific notation with 7 significant digits, so
// 9.99999999 gives 1; 0 for 0 and for values without digits (NaN, infinities).
int Real10thExponent(double X);
// X / 10^E.
double ExpMinus(int E, double X);
// X rounded up (down) to a multiple of Part × 10^E; a value on the partition stays.
double RoundUp(double X, double Part, int E);
double RoundDown(double X, double Part, int E);
// X rounded up (down) on a logarithmic scale: to decades divisible by 3 when MajorPart > 1,
// to decades when Part is 1, else to multiples of Part within the decade.
double RoundLogUp(double X, double MajorPart, double Part);
double RoundLogDown(double X, double MajorPart, double Part);
// The number of significant digits of |X| written with 16 digits, trailing zeros not counted.
int LastSignificant(double X);

// X rounded to the nearest integer (halves to even) and kept inside the range of int; NaN gives 0.
// Converting a double outside that range to int is undefined.
int SaturatingRound(double X);
// X without its fraction, likewise kept inside the range of int; NaN gives 0.
int SaturatingTrunc(double X);

// A moved into [0, 360) by whole turns.
double FitTo360Degrees(double A);
// 1 for A up to 90 degrees, 2 up to 180, 3 up to 270, else 4 (after FitTo360Degrees).
int Quadrant(double A);
inline int MySign(int N) {
    return N < 0 ? -1 : 1;
}
inline int MySign(double X) {
    return X < 0 ? -1 : 1;
}
// Edges included.
bool PointInRect(int X, int Y, const TRect& R);
bool PointInRect(double X, double Y, double Left, double Top, double Width, double Height);
// Sum of Coefficients[i] × X^i.
double Polynom(double X, std::span<const double> Coefficients);
// The two-sided 95 % quantile of Student's t by the table row whose bound N does not exceed.
double T95Percent(double N);

} // namespace Qvmath
