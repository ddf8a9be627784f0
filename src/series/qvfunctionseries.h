#pragma once

// A series that draws a curve y = f(x) computed from its data instead of joining the data
// points: a calculation reads the data over the calculation range, and the curve is sampled
// once per pixel column over the display range. Each analysis derives a series and a
// calculation.

#include "series/qvcalculation.h"
#include "series/qvseries.h"

class Exception;

using TQvCalculationErrorHandler = std::function<void(TObject* Sender, const Exception& E)>;

class TQvFunctionSeries : public TQvLineSeries {
    Q_OBJECT
    Q_PROPERTY(TQvCustomDoubleVector* Weight READ GetWeight WRITE SetWeight)
    Q_PROPERTY(bool AutoStart READ GetAutoStart WRITE SetAutoStart)
    Q_PROPERTY(bool AutoStop READ GetAutoStop WRITE SetAutoStop)
    Q_PROPERTY(double CalculationStart READ GetCalcStart WRITE SetCalcStart)
    Q_PROPERTY(double CalculationStop READ GetCalcStop WRITE SetCalcStop)
    Q_PROPERTY(bool ClipYValues READ GetClipYValues WRITE SetClipYValues)
    // Saved by the series' own records.
    Q_PROPERTY(
        bool DisplayAutoStart READ GetDisplayAutoStart WRITE SetDisplayAutoStart STORED false)
    Q_PROPERTY(bool DisplayAutoStop READ GetDisplayAutoStop WRITE SetDisplayAutoStop STORED false)
    Q_PROPERTY(double DisplayStart READ GetDisplayStart WRITE SetDisplayStart STORED false)
    Q_PROPERTY(double DisplayStop READ GetDisplayStop WRITE SetDisplayStop STORED false)
    Q_PROPERTY(bool CoupleCalculationAndDisplay READ GetCoupleCalculationAndDisplay WRITE
                   SetCoupleCalculationAndDisplay STORED false)
public:
    explicit TQvFunctionSeries(TComponent* AOwner);
    ~TQvFunctionSeries() override;

    TQvCustomDoubleVector* GetWeight() const { return FWeight; }
    void SetWeight(TQvCustomDoubleVector* Value);
    bool GetAutoStart() const { return FAutoStart; }
    void SetAutoStart(bool Value);
    bool GetAutoStop() const { return FAutoStop; }
    void SetAutoStop(bool Value);
    bool GetDisplayAutoStart() const { return FDisplayAutoStart; }
    void SetDisplayAutoStart(bool Value);
    bool GetDisplayAutoStop() const { return FDisplayAutoStop; }
    void SetDisplayAutoStop(bool Value);
    bool GetCoupleCalculationAndDisplay() const { return FCoupleCalculationAndDisplay; }
    void SetCoupleCalculationAndDisplay(bool Value);
    // The curve is clipped to the data area, and its extent leaves alone a Y axis that also
    // shows ordinary series.
    bool GetClipYValues() const { return FClipYValues; }
    void SetClipYValues(bool Value);
    double GetCalcStart() const { return FCalcStart; }
    void SetCalcStart(double Value);
    double GetCalcStop() const { return FCalcStop; }
    void SetCalcStop(double Value);
    double GetDisplayStart() const { return FDisplayStart; }
    void SetDisplayStart(double Value);
    double GetDisplayStop() const { return FDisplayStop; }
    void SetDisplayStop(double Value);
    double GetCalculationStart() const override { return FCalcStart; }
    double GetCalculationStop() const override { return FCalcStop; }

    const TNotifyEvent& GetOnCalculated() const { return FOnCalculated; }
    void SetOnCalculated(const TNotifyEvent& Value) { FOnCalculated = Value; }
    // With a handler a failed calculation is reported to it and the graph paints without the
    // curve; without one the exception reaches the caller.
    const TQvCalculationErrorHandler& GetOnCalculationError() const { return FOnCalculationError; }
    void SetOnCalculationError(const TQvCalculationErrorHandler& Value) {
        FOnCalculationError = Value;
    }
    const TQvValueTransformation& GetWeightValueTransformation() const {
        return FWeightTransformation;
    }
    void SetWeightValueTransformation(const TQvValueTransformation& Value);

    // The function at X; derived series give their formula.
    double GetY(double X) const override = 0;
    // The formula as text.
    virtual QString GetFormula() const;
    // Runs the calculation and finds the curve's Y extent.
    virtual void CalculateFunction();
    TQvCalculation* GetCalculation() const { return FCalculation; }

    void Calculate() override;
    void CalculatePoints() override;
    void PaintGr(TGPGraphics* Graphics) override;
    // A curve has no symbols.
    void DrawSymbols(TGPGraphics*) override {}
    // 0 when the curve passes within Tolerance of (X, Y), between its samples too, else -1:
    // it has no data indices.
    int FindPoint(float X, float Y, float Tolerance) const override;
    using TQvSeries::FindPoint;
    // A function series: vectors tell it of changes as the data of a calculation.
    TKind VectorUserKind() const override { return TKind::FunctionSeries; }
    // Forgets the weight vector or another component that goes.
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    // The derived series installs its calculation; it stays the owner.
    void SetCalculation(TQvCalculation* Calculation) { FCalculation = Calculation; }
    // Sets the ranges that follow the data.
    void SetLimits();
    // Hands the calculation its data, range and transformations.
    void PrepareCalculation();
    // Another visible series that is not a function series shows on the Y axis.
    bool AnyOtherSeries() const;
    // Samples the function over the display range for its lowest and highest value.
    void SampleYExtent(double& Lo, double& Hi) const;
    // Pixel columns to sample: the X axis length, or a fixed count before the first layout.
    int SampleCount() const;
    // Calls Visit(x) at SampleCount() + 1 even steps from A to B; with Log, A and B are
    // decades and x is 10 to their power.
    void Sample(double A, double B, bool Log, const std::function<void(double)>& Visit) const;
    // Reports the sampled Y extent to the axis, or nothing under the clipping rule.
    void ReportYExtent();

    void WriteOwnRecord(QIODevice* Stream) const override;
    TApplyRecord ReadOwnRecord(QIODevice* Stream) override;
    void WriteOwnRecord(IXMLNode Element) const override;
    TApplyRecord ReadOwnRecord(const IXMLNode& Element) override;
    void WriteOwnRecord(TCustomIniFile* Ini, const QString& Section) const override;
    TApplyRecord ReadOwnRecord(TCustomIniFile* Ini, const QString& Section) override;

    TQvCalculation* FCalculation = nullptr;
    TQvCustomDoubleVector* FWeight = nullptr;
    TQvValueTransformation FWeightTransformation;
    TQvCalculationErrorHandler FOnCalculationError;
    TNotifyEvent FOnCalculated;
    bool FAutoStart = true, FAutoStop = true;
    bool FDisplayAutoStart = true, FDisplayAutoStop = true;
    bool FCoupleCalculationAndDisplay = true;
    bool FClipYValues = true;
    double FCalcStart = 0, FCalcStop = 0;
    double FDisplayStart = 0, FDisplayStop = 0;
    // The last calculation succeeded: there is a curve to draw.
    bool FCalculated = false;
    // The curve's Y extent over the display range.
    double FSampledLo = Qvmath::MaxDouble, FSampledHi = -Qvmath::MaxDouble;

private:
    void SetAutoFlag(bool& Field, bool Value, const char* Flag,
                     std::initializer_list<const char*> Follows, const TResourceString& Caption);
    void SetRangeValue(double& Field, double Value, const char* PropName,
                       const TResourceString& Caption);
};
