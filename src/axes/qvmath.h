#pragma once

// Small numeric routines shared by the axes and the rest of the library. Plain C++.

namespace Qvmath {

// A moved into [0, 360) by whole turns.
double FitTo360Degrees(double A);

} // namespace Qvmath
