#pragma once

// Interpolation through scattered points: the calculation builds an Akima spline, a cubic spline
// or a smoothing spline and answers values, slopes, curvatures, integrals and extrema; the
// series draws the curve. The moving average and the Fourier transform use the calculation too.

#include "analysis/qvsplines.h"
#include "series/qvcalculation.h"
#include "series/qvfunctionseries.h"
#include "series/qvrecordedseries.h"

#include <vector>

namespace QvInterpolation {
Q_NAMESPACE

enum class TQvInterpolationMethod {
    Akima,
    CubicSpline,
    ApproximativeSpline
};
Q_ENUM_NS(TQvInterpolationMethod)

} // namespace QvInterpolation

using QvInterpolation::TQvInterpolationMethod;
using TQvExtremum = QvSplines::TExtremum;

class TQvInterpolationCalculation : public TQvCalculation {
    Q_OBJECT
public:
    explicit TQvInterpolationCalculation(TObject* TransformationSender = nullptr);

    TQvInterpolationMethod GetInterpolationMethod() const { return FMethod; }
    // The approximative spline smooths by itself: switching to it turns smoothing off, after
    // telling the user.
    void SetInterpolationMethod(TQvInterpolationMethod Value);
    bool GetDoSmoothing() const { return FDoSmoothing; }
    void SetDoSmoothing(bool Value);
    double GetSmoothM() const { return FSmoothM; }
    void SetSmoothM(double Value);
    double GetElasticityFactor() const { return FElasticityFactor; }
    // A factor of 0 or below is stored as 1e-300.
    void SetElasticityFactor(double Value);
    // Smoothing distances are measured between log10(x).
    bool SmoothLog = false;

    // The data changed: the next query calculates again.
    void Invalidate() { FCoefficientsDirty = true; }
    // Raises EMathError when a vector is missing or too few points remain.
    void Calculate() override;
    // The number of points the curve passes through.
    int Count() const;

    // The queries calculate first when the data or a setting changed.
    int FindIndex(double x) const;
    // The curve's value at x.
    double Interpolate(double x) const;
    // The curve's slope at x.
    double Slope(double x) const;
    // The curve's second derivative at x.
    double Curvature(double x) const;
    // The integral from the first point to x.
    double Integral(double x) const;
    const std::vector<TQvExtremum>& GetMinima() const;
    const std::vector<TQvExtremum>& GetMaxima() const;
    const std::vector<TQvExtremum>& GetDiffMinima() const;
    const std::vector<TQvExtremum>& GetDiffMaxima() const;
    const std::vector<TQvExtremum>& GetIntMinima() const;
    const std::vector<TQvExtremum>& GetIntMaxima() const;

private:
    const QvSplines::TPiecewiseCubic& Function() const;
    void MarkDirty();

    TQvInterpolationMethod FMethod = TQvInterpolationMethod::Akima;
    bool FDoSmoothing = false;
    double FSmoothM = 0;
    double FElasticityFactor = 1;
    mutable QvSplines::TPiecewiseCubic FFunction;
    // The points as collected, kept for the next calculation.
    std::vector<double> FXs, FYs, FWs;
    mutable bool FCoefficientsDirty = true;
    // Function, slope and integral extrema, each with its pair of lists.
    struct TExtrema {
        bool Dirty = true;
        std::vector<TQvExtremum> Minima, Maxima;
    };
    mutable TExtrema FExtrema, FSlopeExtrema, FIntegralExtrema;
    const TExtrema& Current(TExtrema& Extrema,
                            void (QvSplines::TPiecewiseCubic::*Find)(std::vector<TQvExtremum>&,
                                                                     std::vector<TQvExtremum>&)
                                const) const;
};

// The interpolated curve through the data.
class TQvInterpolation : public TQvRecordedSeries<TQvFunctionSeries> {
    Q_OBJECT
    Q_PROPERTY(QvInterpolation::TQvInterpolationMethod InterpolationMethod READ
                   GetInterpolationMethod WRITE SetInterpolationMethod)
    Q_PROPERTY(bool SmoothPoints READ GetSmoothPoints WRITE SetSmoothPoints)
    Q_PROPERTY(double SmoothingRange READ GetSmoothingRange WRITE SetSmoothingRange)
    Q_PROPERTY(double ElasticityFactor READ GetElasticityFactor WRITE SetElasticityFactor)
public:
    Q_INVOKABLE explicit TQvInterpolation(TComponent* AOwner);
    ~TQvInterpolation() override;

    TQvInterpolationMethod GetInterpolationMethod() const { return FCalc.GetInterpolationMethod(); }
    void SetInterpolationMethod(TQvInterpolationMethod Value);
    bool GetSmoothPoints() const { return FCalc.GetDoSmoothing(); }
    void SetSmoothPoints(bool Value);
    double GetSmoothingRange() const { return FCalc.GetSmoothM(); }
    void SetSmoothingRange(double Value);
    double GetElasticityFactor() const { return FCalc.GetElasticityFactor(); }
    void SetElasticityFactor(double Value);
    const TQvInterpolationCalculation& GetInterpolation() const { return FCalc; }

    double GetY(double X) const override;
    QString GetFormula() const override;
    void CalculateFunction() override;

protected:
    void VisitRecord(QvRecord::TRecord& R) override;

private:
    TQvInterpolationCalculation FCalc;
};
