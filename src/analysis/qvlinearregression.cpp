#include "analysis/qvlinearregression.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"

#include <typeinfo>

using namespace Qvlocalize;

namespace {

// The points of a calculation as the fit reads them.
struct TCalculationPoints {
    const TQvLinearRegressionCalculation& Calculation;
    int n;
    int Count() const { return n; }
    bool Valid(int i) const { return Calculation.IsValid(i); }
    double X(int i) const { return Calculation.Xi(i); }
    double Y(int i) const { return Calculation.Yi(i); }
    double W(int i) const { return Calculation.Wi(i); }
};

// The same points read straight from the vectors' storage, for when no transformation is
// set: a virtual call or two per value made the general path six times slower.
struct TStoredPoints {
    const TQvLinearRegressionCalculation& Calculation;
    const double *Xs, *Ys, *Ws;
    int n;
    double Start, Stop;
    bool LogX, LogY;
    // Some vector marks points that are to be left out.
    bool Outliers;
    int Count() const { return n; }
    bool Valid(int i) const {
        if (!(Xs[i] >= Start && Xs[i] <= Stop)) return false;
        if (Outliers && (Calculation.XData->IsOutlier(i) || Calculation.YData->IsOutlier(i) ||
                         (Ws && Calculation.Weight->IsOutlier(i))))
            return false;
        return std::isfinite(X(i)) && std::isfinite(Y(i)) && std::isfinite(W(i));
    }
    double X(int i) const { return LogX ? std::log10(Xs[i]) : Xs[i]; }
    double Y(int i) const { return LogY ? std::log10(Ys[i]) : Ys[i]; }
    double W(int i) const { return Ws ? std::abs(Ws[i]) : 1.0; }
};

} // namespace

TQvLinearRegressionCalculation::TQvLinearRegressionCalculation(TObject* TransformationSender)
    : TQvCalculation(TransformationSender), Slope(1), DeltaSlope(1), Offset(1), DeltaOffset(1),
      AverageX(1), AverageY(1), VarianceX(1), VarianceY(1), r2(1), R(1), SumOfResiduals(1) {}

double TQvLinearRegressionCalculation::Xi(int i) const {
    const double x = TQvCalculation::Xi(i);
    return LogX ? std::log10(x) : x;
}

double TQvLinearRegressionCalculation::Yi(int i) const {
    const double y = TQvCalculation::Yi(i);
    return LogY ? std::log10(y) : y;
}

void TQvLinearRegressionCalculation::Calculate() {
    CheckVectors();
    const int n = PointCount();
    const double* Ws = Weight ? Weight->Data() : nullptr;
    // A derived class may map the values in Xi or Yi.
    const bool Stored = typeid(*this) == typeid(TQvLinearRegressionCalculation) &&
                        !XValueTransformation && !YValueTransformation &&
                        !WeightValueTransformation && XData->Data() && YData->Data() &&
                        (!Weight || Ws);
    const bool Outliers = !OutliersVisible && (XData->GetAnyOutliers() || YData->GetAnyOutliers() ||
                                               (Weight && Weight->GetAnyOutliers()));
    const QvRegression::TLinearFit Fit =
        Stored ? QvRegression::FitLine(TStoredPoints{*this, XData->Data(), YData->Data(), Ws, n,
                                                     Start, Stop, LogX, LogY, Outliers},
                                       FixedOffset, Offset)
               : QvRegression::FitLine(TCalculationPoints{*this, n}, FixedOffset, Offset);
    SumX = Fit.SumX;
    SumY = Fit.SumY;
    SumW = Fit.SumW;
    SumXX0 = Fit.SumXX0;
    SumXY0 = Fit.SumXY0;
    Sxy = Fit.Sxy;
    Sxx = Fit.Sxx;
    Syy = Fit.Syy;
    Slope = Fit.Slope;
    DeltaSlope = Fit.DeltaSlope;
    Offset = Fit.Offset;
    DeltaOffset = Fit.DeltaOffset;
    AverageX = Fit.AverageX;
    AverageY = Fit.AverageY;
    VarianceX = Fit.VarianceX;
    VarianceY = Fit.VarianceY;
    r2 = Fit.r2;
    R = Fit.R;
    SumOfResiduals = Fit.SumOfResiduals;
    if (!Fit.Enough) throw EMathError(SNotEnoughPoints.Text());
}

double TQvLinearRegressionCalculation::Confidence(double x, double t) const {
    const double dx = x - AverageX;
    return std::sqrt((1 / SumW + dx * dx / Sxx) * Syy / (SumW - 2) * t);
}
