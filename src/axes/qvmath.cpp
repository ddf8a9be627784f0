#include "axes/qvmath.h"

#include <cmath>

namespace Qvmath {

double FitTo360Degrees(double A) {
    double Result = std::fmod(A, 360.0);
    if (Result < 0) Result += 360.0;
    // -1e-20 + 360 rounds to 360; and -0 becomes 0.
    return Result >= 360.0 || Result == 0 ? 0.0 : Result;
}

} // namespace Qvmath
