// The tick partition of an axis: the searches that choose the label and tick steps, the
// rounding of the time scalings and the tick positions.

#include "axes/qvaxis.h"

#include "axes/qvdatetime.h"
#include "axes/qvmath.h"

using Qvmath::Real10thExponent;

void TQvAxis::GetNormalAxisParts(double AStart, double AStop) {
    FRangeExponent = Real10thExponent(AStop - AStart);
}

void TQvAxis::GetLogAxisParts(double, double) {}

void TQvAxis::GetSecParameters(double, double) {}

void TQvAxis::GetDtParameters(double, double) {}

void TQvAxis::GetExponentAndDigits(double, double) {}

double TQvAxis::SecondsRound(double Value, int, bool, double) const {
    return Value;
}

double TQvAxis::DateTimeRound(double Value, bool, bool) const {
    return Value;
}

void TQvAxis::CalculateTicks() {
    if (FAxLength <= 0) FAxLength = 100;
    if (FHasLogScaling)
        FNormalizeConst = (FLogStop - FLogStart) / FAxLength;
    else if (FScaling == TQvAxisScaling::DateTime)
        FNormalizeConst = DateTimeSpan(FStop, FStart) / FAxLength;
    else
        FNormalizeConst = (FStop - FStart) / FAxLength;
    if (!FAutoTickParts && !FHasLogScaling) FRangeExponent = Real10thExponent(FStop - FStart);
}
