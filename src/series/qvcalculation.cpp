#include "series/qvcalculation.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <cmath>

using namespace Qvlocalize;

double TQvCalculation::Transformed(const TQvValueTransformation& Transformation, int i,
                                   double v) const {
    if (!Transformation) return v;
    TQvTransformEventArgs Args{v, i};
    return Transformation(FTransformationSender, Args);
}

void TQvCalculation::TakeInputsFrom(const TQvCalculation& Other) {
    Start = Other.Start;
    Stop = Other.Stop;
    XData = Other.XData;
    YData = Other.YData;
    Weight = Other.Weight;
    OutliersVisible = Other.OutliersVisible;
    XValueTransformation = Other.XValueTransformation;
    YValueTransformation = Other.YValueTransformation;
    WeightValueTransformation = Other.WeightValueTransformation;
}

double TQvCalculation::Xi(int i) const {
    return Transformed(XValueTransformation, i, XData->GetValue(i));
}

double TQvCalculation::Yi(int i) const {
    return Transformed(YValueTransformation, i, YData->GetValue(i));
}

double TQvCalculation::Wi(int i) const {
    if (!Weight) return 1.0;
    return std::abs(Transformed(WeightValueTransformation, i, Weight->GetValue(i)));
}

bool TQvCalculation::IsValid(int i) const {
    const double x = XData->GetValue(i);
    if (!(x >= Start && x <= Stop)) return false;
    if (!OutliersVisible &&
        (XData->IsOutlier(i) || YData->IsOutlier(i) || (Weight && Weight->IsOutlier(i))))
        return false;
    // A value that is not finite would poison every sum: it takes no part, like an outlier.
    return std::isfinite(Xi(i)) && std::isfinite(Yi(i)) && std::isfinite(Wi(i));
}

int TQvCalculation::PointCount() const {
    int n = std::min(XData->GetCount(), YData->GetCount());
    if (Weight) n = std::min(n, Weight->GetCount());
    return n;
}

void TQvCalculation::CheckVectors() const {
    if (!XData) throw EMathError(SNoXVector.Text());
    if (!YData) throw EMathError(SNoYVector.Text());
}
