#pragma once

// The straight line through weighted points by least squares, with a free or a fixed offset:
// slope, offset, their standard errors, correlation and the residual sum of squares.

#include "series/qvcalculation.h"
#include "series/qvfunctionseries.h"

#include <cmath>
#include <concepts>
#include <limits>
#include <span>

namespace QvRegression {

// Neumaier's compensated sum: the low-order bits each addition drops are kept apart, so the
// sums of the NIST sets come out right to the last digit or two.
class TSum {
public:
    // Adds v.
    void Add(double v) {
        const double t = FSum + v;
        FCarry += std::abs(FSum) >= std::abs(v) ? (FSum - t) + v : (v - t) + FSum;
        FSum = t;
    }
    // The sum, with the carried low-order bits.
    double Value() const { return FSum + FCarry; }

private:
    double FSum = 0, FCarry = 0;
};

// What a fit reads: Count() points, of which those with Valid(i) take part with X(i), Y(i)
// and the weight W(i).
template <typename P>
concept PointSource = requires(const P& Points, int i) {
    { Points.Count() } -> std::convertible_to<int>;
    { Points.Valid(i) } -> std::convertible_to<bool>;
    { Points.X(i) } -> std::convertible_to<double>;
    { Points.Y(i) } -> std::convertible_to<double>;
    { Points.W(i) } -> std::convertible_to<double>;
};

// Points from spans of equal length (weights 1 when W is empty); non-finite values take no part.
struct TSpanPoints {
    std::span<const double> Xs, Ys, Ws;
    // The number of points.
    int Count() const { return int(Xs.size()); }
    // Point i takes part: its values and weight are finite.
    bool Valid(int i) const {
        return std::isfinite(Xs[i]) && std::isfinite(Ys[i]) && std::isfinite(W(i));
    }
    // The values and the weight of point i.
    double X(int i) const { return Xs[i]; }
    // The y of point i.
    double Y(int i) const { return Ys[i]; }
    // The weight of point i, 1 without weights.
    double W(int i) const { return Ws.empty() ? 1.0 : Ws[i]; }
};

// The result of FitLine: the weighted sums, the line, its standard errors and the correlation.
struct TLinearFit {
    double SumX = 0, SumY = 0, SumW = 0, SumXX0 = 0, SumXY0 = 0, Sxy = 0, Sxx = 0, Syy = 0;
    double Slope = 0;
    double DeltaSlope = -std::numeric_limits<double>::max();
    double Offset = 0;
    double DeltaOffset = std::numeric_limits<double>::max();
    double AverageX = 0, AverageY = 0, VarianceX = 0, VarianceY = 0, r2 = 0, R = 0;
    double SumOfResiduals = 0;
    // False when the points carry no weight, or fewer than two take part in a free fit; the
    // other fields then keep their starting values but for the sums and the means.
    bool Enough = false;
};

// Three passes: the sums and means, the sums of squares about the means (which keeps
// cancellation out of Sxx and Syy), the residuals. A division by zero or a result that is not
// finite falls back to the values a degenerate line has; nothing is trapped.
template <PointSource P> TLinearFit FitLine(const P& Points, bool FixedOffset, double Offset) {
    constexpr double Max = std::numeric_limits<double>::max();
    const auto Finite = [](auto... v) { return (std::isfinite(v) && ...); };
    const int n = Points.Count();
    TLinearFit Fit;
    const double a = FixedOffset ? Offset : 0.0;
    Fit.Offset = a;

    TSum SumX, SumY, SumW, SumXX0, SumXY0;
    int Count = 0;
    for (int i = 0; i < n; ++i) {
        if (!Points.Valid(i)) continue;
        const double w = Points.W(i), x = Points.X(i), y = Points.Y(i);
        ++Count;
        SumW.Add(w);
        SumX.Add(w * x);
        SumY.Add(w * y);
        if (FixedOffset) {
            SumXX0.Add(w * x * x);
            SumXY0.Add(w * (y - a) * x);
        }
    }
    Fit.SumX = SumX.Value();
    Fit.SumY = SumY.Value();
    Fit.SumW = SumW.Value();
    Fit.SumXX0 = SumXX0.Value();
    Fit.SumXY0 = SumXY0.Value();
    const double xm = Fit.SumX / Fit.SumW, ym = Fit.SumY / Fit.SumW;
    if (Fit.SumW == 0 || !Finite(xm, ym)) return Fit;
    Fit.AverageX = xm;
    Fit.AverageY = ym;
    if (!FixedOffset && Count < 2) return Fit;
    Fit.Enough = true;

    TSum Sxx, Syy, Sxy;
    for (int i = 0; i < n; ++i) {
        if (!Points.Valid(i)) continue;
        const double w = Points.W(i), dx = Points.X(i) - xm, y = Points.Y(i), dy = y - ym;
        Sxx.Add(w * dx * dx);
        Syy.Add(w * dy * dy);
        if (!FixedOffset) Sxy.Add(w * dx * y);
    }
    Fit.Sxx = Sxx.Value();
    Fit.Syy = Syy.Value();
    Fit.Sxy = Sxy.Value();

    const auto Residuals = [&](double Slope, double b) {
        TSum Sum;
        for (int i = 0; i < n; ++i) {
            if (!Points.Valid(i)) continue;
            const double e = Points.Y(i) - Slope * Points.X(i) - b;
            Sum.Add(Points.W(i) * e * e);
        }
        return Sum.Value();
    };

    if (FixedOffset) {
        const double Slope = Fit.SumXY0 / Fit.SumXX0;
        Fit.Slope = Finite(Slope) ? Slope : Max;
        const double Rss = Residuals(Fit.Slope, a);
        const double DeltaSlope = std::sqrt(Rss / ((Fit.SumW - 1) * Fit.SumXX0));
        const double r2 = 1 - Rss / Fit.Syy;
        Fit.DeltaOffset = 0;
        if (Finite(Rss, DeltaSlope, r2)) {
            Fit.SumOfResiduals = Rss;
            Fit.DeltaSlope = DeltaSlope;
            Fit.r2 = r2;
            Fit.VarianceX = Fit.Sxx / (Fit.SumW - 1);
            Fit.VarianceY = Fit.Syy / (Fit.SumW - 1);
        } else {
            // One point (SumW - 1 = 0), all x zero, or all y equal.
            Fit.SumOfResiduals = 0;
            Fit.DeltaSlope = 0;
            Fit.r2 = 1;
        }
        return Fit;
    }

    if (Fit.SumW > 1) {
        Fit.VarianceX = Fit.Sxx / (Fit.SumW - 1);
        Fit.VarianceY = Fit.Syy / (Fit.SumW - 1);
    }
    if (Fit.Sxx > 0) {
        const double Slope = Fit.Sxy / Fit.Sxx;
        const double b = ym - Slope * xm;
        const double Rss = Finite(Slope, b) ? Residuals(Slope, b) : 0.0;
        const double R = std::sqrt(Fit.VarianceX) * Slope / std::sqrt(Fit.VarianceY);
        const double r2 = 1 - Rss / Fit.Syy;
        if (Finite(Slope, b, Rss, R, r2)) {
            Fit.Slope = Slope;
            Fit.Offset = b;
            Fit.SumOfResiduals = Rss;
            Fit.R = R;
            Fit.r2 = r2;
        } else {
            // All y equal (Syy = 0) among them: a horizontal line through the mean.
            Fit.Slope = 0;
            Fit.Offset = ym;
            Fit.R = Fit.r2 = 1;
            Fit.SumOfResiduals = 0;
        }
    } else {
        // All x equal: a vertical line.
        Fit.Slope = Fit.Offset = Max;
        Fit.R = Fit.r2 = 1;
        Fit.SumOfResiduals = 0;
    }

    const double Rss = Fit.SumOfResiduals, n2 = Fit.SumW - 2;
    const double DeltaSlope = std::sqrt(Rss / (n2 * Fit.Sxx));
    const double DeltaOffset = std::sqrt((1 / Fit.SumW + xm * xm / Fit.Sxx) * Rss / n2);
    if (Finite(DeltaSlope, DeltaOffset)) {
        Fit.DeltaSlope = DeltaSlope;
        Fit.DeltaOffset = DeltaOffset;
    } else {
        // Two points leave no degree of freedom.
        Fit.DeltaSlope = Fit.DeltaOffset = Fit.SumOfResiduals = 0;
    }
    return Fit;
}

} // namespace QvRegression

class TQvLinearRegressionCalculation : public TQvCalculation {
    Q_OBJECT
public:
    explicit TQvLinearRegressionCalculation(TObject* TransformationSender = nullptr);

    double SumX = 0, SumY = 0, SumW = 0;
    // Sums about the origin, kept with a fixed offset only.
    double SumXX0 = 0, SumXY0 = 0;
    double Sxy = 0, Sxx = 0, Syy = 0;
    double Slope, DeltaSlope;
    // The input of a fit with a fixed offset, its result otherwise.
    double Offset;
    double DeltaOffset, AverageX, AverageY, VarianceX, VarianceY, r2, R, SumOfResiduals;
    bool FixedOffset = false;
    // Fit against log10 of X (Y): points whose value has no logarithm take no part.
    bool LogX = false, LogY = false;

    // The values of point i through the transformations, as log10 when fitted so.
    double Xi(int i) const override;
    double Yi(int i) const override;
    void Calculate() override;
    // The half-width of the confidence band at x, t being T95Percent(SumW).
    double Confidence(double x, double t) const;
};

// The fitted straight line, drawn across the display range, with its 95 % confidence band on
// request. On logarithmic axes the fit is made in decades, so the line stays straight.
class TQvLinearRegression : public TQvFunctionSeries {
    Q_OBJECT
    Q_PROPERTY(bool FixedOffset READ GetFixedOffset WRITE SetFixedOffset)
    Q_PROPERTY(double Offset READ GetOffset WRITE SetOffset)
    Q_PROPERTY(TQvLineSettings* ConfidenceIntervalLine READ GetConfidenceIntervalLine WRITE
                   SetConfidenceIntervalLine)
    Q_PROPERTY(TQvAreaSettings* ConfidenceIntervalArea READ GetConfidenceIntervalArea WRITE
                   SetConfidenceIntervalArea)
    Q_PROPERTY(bool DisplayAutoStart READ GetDisplayAutoStart WRITE SetDisplayAutoStart)
    Q_PROPERTY(bool DisplayAutoStop READ GetDisplayAutoStop WRITE SetDisplayAutoStop)
    Q_PROPERTY(double DisplayStart READ GetDisplayStart WRITE SetDisplayStart)
    Q_PROPERTY(double DisplayStop READ GetDisplayStop WRITE SetDisplayStop)
    Q_PROPERTY(bool CoupleCalculationAndDisplay READ GetCoupleCalculationAndDisplay WRITE
                   SetCoupleCalculationAndDisplay)
public:
    Q_INVOKABLE explicit TQvLinearRegression(TComponent* AOwner);
    ~TQvLinearRegression() override;

    bool GetFixedOffset() const { return FCalc.FixedOffset; }
    void SetFixedOffset(bool Value);
    // The offset a; setting it fixes it (while designing, after asking).
    double GetOffset() const { return FCalc.Offset; }
    void SetOffset(double Value);
    TQvLineSettings* GetConfidenceIntervalLine() const { return FBandLine.get(); }
    void SetConfidenceIntervalLine(TQvLineSettings* Value) { FBandLine->Assign(Value); }
    TQvAreaSettings* GetConfidenceIntervalArea() const { return FBandArea.get(); }
    void SetConfidenceIntervalArea(TQvAreaSettings* Value) { FBandArea->Assign(Value); }

    double GetSlope() const { return FCalc.Slope; }
    double GetDeltaSlope() const { return FCalc.DeltaSlope; }
    double GetDeltaOffset() const { return FCalc.DeltaOffset; }
    double GetAverageX() const { return FCalc.AverageX; }
    double GetAverageY() const { return FCalc.AverageY; }
    double GetVarianceX() const { return FCalc.VarianceX; }
    double GetVarianceY() const { return FCalc.VarianceY; }
    // The coefficient of determination r2, and the correlation coefficient R.
    double Getr2() const { return FCalc.r2; }
    double GetR() const { return FCalc.R; }
    double GetSumOfResiduals() const { return FCalc.SumOfResiduals; }
    const TQvLinearRegressionCalculation& GetRegression() const { return FCalc; }

    double GetY(double X) const override;
    // Half the width of the band at X.
    double Confidence(double X) const;
    QString GetFormula() const override;
    void CalculateFunction() override;
    void CalculatePoints() override;
    void DrawLine(TGPGraphics* Graphics) override;
    void TestVisibleChanged() override;
    // The band's borders and polygon in pixels.
    const std::vector<TGPPointF>& UpperBand() const { return FUpper; }
    // The lower border of the band in pixels.
    const std::vector<TGPPointF>& LowerBand() const { return FLower; }

protected:
    void WriteOwnRecord(QIODevice* Stream) const override;
    TApplyRecord ReadOwnRecord(QIODevice* Stream) override;
    void WriteOwnRecord(IXMLNode Element) const override;
    TApplyRecord ReadOwnRecord(const IXMLNode& Element) override;
    void WriteOwnRecord(TCustomIniFile* Ini, const QString& Section) const override;
    TApplyRecord ReadOwnRecord(TCustomIniFile* Ini, const QString& Section) override;

private:
    bool BandVisible() const;
    // A value of the fit's space back in axis units.
    double FromFit(double V, bool Log) const;
    // X in the fit's space.
    double ToFit(double X) const;
    bool LogX() const;
    bool LogY() const;

    TQvLinearRegressionCalculation FCalc;
    double FT95 = 0;
    std::unique_ptr<TQvLineSettings> FBandLine;
    std::unique_ptr<TQvAreaSettings> FBandArea;
    std::vector<TGPPointF> FUpper, FLower, FBandPolygon;
    bool FLastBandVisible = false;
};
