#pragma once

// The moving average: every point replaced by a weighted mean of its neighbours, and an Akima
// curve through the averaged points.

#include "analysis/qvaverage.h"
#include "analysis/qvinterpolation.h"

#include <memory>

namespace QvMovingAverage {
Q_NAMESPACE

enum class TQvAveragingMethod {
    Simple,
    LinearWeighted,
    ExponentiallyWeighted
};
Q_ENUM_NS(TQvAveragingMethod)

enum class TQvAveragingDirection {
    OnlyDownwards,
    UpAndDownwards
};
Q_ENUM_NS(TQvAveragingDirection)

enum class TQvAveragingRangeMethod {
    NasCount,
    NasXDistance
};
Q_ENUM_NS(TQvAveragingRangeMethod)

} // namespace QvMovingAverage

using QvMovingAverage::TQvAveragingDirection;
using QvMovingAverage::TQvAveragingMethod;
using QvMovingAverage::TQvAveragingRangeMethod;

// Averages each point with its neighbours and fits an Akima curve through the averaged points.
class TQvMovingAverageCalculation : public TQvCalculation {
    Q_OBJECT
public:
    explicit TQvMovingAverageCalculation(TObject* TransformationSender = nullptr);
    ~TQvMovingAverageCalculation() override;

    TQvAveragingMethod AveragingMethod = TQvAveragingMethod::LinearWeighted;
    TQvAveragingDirection AveragingDirection = TQvAveragingDirection::OnlyDownwards;
    TQvAveragingRangeMethod AveragingRangeMethod = TQvAveragingRangeMethod::NasCount;
    double N = 10;
    // At most 1 in magnitude; see SetExponentialFactorForN.
    double ExponentialFactorForN = 0.9;

    // The averaged points, and the curve through them once queried. Raises EMathError when a
    // vector is missing.
    void Calculate() override;
    // The data or a setting changed: the next query calculates again.
    void Invalidate() { FNeedsCalculation = true; }
    // The curve at X, calculating first when the data or a setting changed.
    double GetY(double X) const;
    // The averaged points.
    const TQvCustomDoubleVector* AveragedX() const { return FX.get(); }
    // The averaged values.
    const TQvCustomDoubleVector* AveragedY() const { return FY.get(); }

private:
    std::unique_ptr<TQvDoubleVector> FX, FY;
    TQvInterpolationCalculation FCurve;
    bool FNeedsCalculation = true;
};

// The moving average of a series' data, drawn as a curve through the averaged points.
class TQvMovingAverage : public TQvRecordedSeries<TQvFunctionSeries> {
    Q_OBJECT
    Q_PROPERTY(QvMovingAverage::TQvAveragingMethod AveragingMethod READ GetAveragingMethod WRITE
                   SetAveragingMethod)
    Q_PROPERTY(QvMovingAverage::TQvAveragingDirection AveragingDirection READ GetAveragingDirection
                   WRITE SetAveragingDirection)
    Q_PROPERTY(QvMovingAverage::TQvAveragingRangeMethod AveragingRangeMethod READ
                   GetAveragingRangeMethod WRITE SetAveragingRangeMethod)
    Q_PROPERTY(double N READ GetN WRITE SetN)
    Q_PROPERTY(
        double ExponentialFactorForN READ GetExponentialFactorForN WRITE SetExponentialFactorForN)
public:
    Q_INVOKABLE explicit TQvMovingAverage(TComponent* AOwner);
    ~TQvMovingAverage() override;

    TQvAveragingMethod GetAveragingMethod() const { return FCalc.AveragingMethod; }
    void SetAveragingMethod(TQvAveragingMethod Value);
    TQvAveragingDirection GetAveragingDirection() const { return FCalc.AveragingDirection; }
    void SetAveragingDirection(TQvAveragingDirection Value);
    TQvAveragingRangeMethod GetAveragingRangeMethod() const { return FCalc.AveragingRangeMethod; }
    void SetAveragingRangeMethod(TQvAveragingRangeMethod Value);
    double GetN() const { return FCalc.N; }
    void SetN(double Value);
    double GetExponentialFactorForN() const { return FCalc.ExponentialFactorForN; }
    // Stored as min(|Value|, 1).
    void SetExponentialFactorForN(double Value);
    const TQvMovingAverageCalculation& GetAverage() const { return FCalc; }

    double GetY(double X) const override;
    QString GetFormula() const override;
    void CalculateFunction() override;

protected:
    void VisitRecord(QvRecord::TRecord& R) override;

private:
    template <class T>
    void Change(T& Field, const T& Value, const char* PropName, const TResourceString& Caption);

    TQvMovingAverageCalculation FCalc;
};
