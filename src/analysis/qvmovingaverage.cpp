#include "analysis/qvmovingaverage.h"

#include "framework/qvexceptions.h"
#include "strings/qvlocalize.h"
#include "style/qvrecord.h"

#include <cmath>

using namespace Qvlocalize;

namespace {

// Documents create moving averages by their class name.
[[maybe_unused]] const bool Registered = [] {
    RegisterClass<TQvMovingAverage>();
    return true;
}();

} // namespace

// ---- The calculation ----

TQvMovingAverageCalculation::TQvMovingAverageCalculation(TObject* TransformationSender)
    : TQvCalculation(TransformationSender), FX(std::make_unique<TQvDoubleVector>(nullptr)),
      FY(std::make_unique<TQvDoubleVector>(nullptr)) {
    FCurve.XData = FX.get();
    FCurve.YData = FY.get();
}

TQvMovingAverageCalculation::~TQvMovingAverageCalculation() = default;

void TQvMovingAverageCalculation::Calculate() {
    CheckVectors();
    const int n = PointCount();
    std::vector<double> X, Y, W;
    for (int i = 0; i < n; ++i) {
        if (!IsValid(i)) continue;
        X.push_back(Xi(i));
        Y.push_back(Yi(i));
        W.push_back(Wi(i));
    }
    QvSplines::SortByX(X, Y, &W);
    const QvAverage::TSettings Settings{
        QvAverage::TMethod(AveragingMethod), QvAverage::TDirection(AveragingDirection),
        QvAverage::TRange(AveragingRangeMethod), N, ExponentialFactorForN};
    FY->SetValues(QvAverage::MovingAverage(X, Y, W, Settings));
    FX->SetValues(X);
    FCurve.Invalidate();
    FNeedsCalculation = false;
}

double TQvMovingAverageCalculation::GetY(double X) const {
    if (FNeedsCalculation) const_cast<TQvMovingAverageCalculation*>(this)->Calculate();
    return FCurve.Interpolate(X);
}

// ---- The series ----

TQvMovingAverage::TQvMovingAverage(TComponent* AOwner) : TQvRecordedSeries(AOwner), FCalc(this) {
    SetCalculation(&FCalc);
    AddVariableToList(
        QStringLiteral("N"), SAverageNVariable.Text(), this, [this] { return FCalc.N; },
        GlobalVariableList());
    AddVariableToList(
        QStringLiteral("ExponentialFactorForN"), SAverageExponentialFactorVariable.Text(), this,
        [this] { return FCalc.ExponentialFactorForN; }, GlobalVariableList());
    NameCaption();
}

TQvMovingAverage::~TQvMovingAverage() = default;

template <class T>
void TQvMovingAverage::Change(T& Field, const T& Value, const char* PropName,
                              const TResourceString& Caption) {
    ChangeSetting(Field, Value, PropName, Caption, [&] {
        Field = Value;
        FCalc.Invalidate();
    });
}

void TQvMovingAverage::SetAveragingMethod(TQvAveragingMethod Value) {
    Change(FCalc.AveragingMethod, Value, "AveragingMethod", SAverageMethod);
}

void TQvMovingAverage::SetAveragingDirection(TQvAveragingDirection Value) {
    Change(FCalc.AveragingDirection, Value, "AveragingDirection", SAverageDirection);
}

void TQvMovingAverage::SetAveragingRangeMethod(TQvAveragingRangeMethod Value) {
    Change(FCalc.AveragingRangeMethod, Value, "AveragingRangeMethod", SAverageRangeMethod);
}

void TQvMovingAverage::SetN(double Value) {
    Change(FCalc.N, Value, "N", SAverageN);
}

void TQvMovingAverage::SetExponentialFactorForN(double Value) {
    Change(FCalc.ExponentialFactorForN, std::min(std::abs(Value), 1.0), "ExponentialFactorForN",
           SAverageExponentialFactor);
}

double TQvMovingAverage::GetY(double X) const {
    return FCalc.GetY(X);
}

QString TQvMovingAverage::GetFormula() const {
    switch (FCalc.AveragingMethod) {
    case TQvAveragingMethod::Simple:
        return SAverageSimpleFormula.Text();
    case TQvAveragingMethod::ExponentiallyWeighted:
        return SAverageExponentialFormula.Text();
    case TQvAveragingMethod::LinearWeighted:
        break;
    }
    return SAverageLinearFormula.Text();
}

void TQvMovingAverage::CalculateFunction() {
    FCalc.Invalidate();
    TQvRecordedSeries::CalculateFunction();
}

void TQvMovingAverage::VisitRecord(QvRecord::TRecord& R) {
    using QvRecord::Setter;
    R.Enum({"AveragingMethod", "MovingAverage", "AveragingMethod"}, FCalc.AveragingMethod,
           Setter(this, &TQvMovingAverage::SetAveragingMethod));
    R.Enum({"AveragingDirection", "MovingAverage", "AveragingDirection"}, FCalc.AveragingDirection,
           Setter(this, &TQvMovingAverage::SetAveragingDirection));
    R.Enum({"AveragingRangeMethod", "MovingAverage", "AveragingRangeMethod"},
           FCalc.AveragingRangeMethod, Setter(this, &TQvMovingAverage::SetAveragingRangeMethod));
    R.Field({"N", "MovingAverage", "N"}, FCalc.N, Setter(this, &TQvMovingAverage::SetN));
    R.Field({"ExponentialFactorForN", "MovingAverage", "ExponentialFactorForN"},
            FCalc.ExponentialFactorForN, Setter(this, &TQvMovingAverage::SetExponentialFactorForN));
    R.End("moving average");
}
