#pragma once

// The amplitude spectrum of a series' data as a function series, and its phase spectrum as the
// child series "Phase", hidden until the application shows it.

#include "analysis/qvfourier.h"
#include "analysis/qvinterpolation.h"
#include "series/qvchildseries.h"

#include <memory>

// Samples a series' data evenly and computes its amplitude and phase spectra.
class TQvDiscreteFourierCalculation : public TQvCalculation {
    Q_OBJECT
public:
    explicit TQvDiscreteFourierCalculation(TObject* TransformationSender = nullptr);
    ~TQvDiscreteFourierCalculation() override;

    // Samples the valid points with positive weight, as they are when their X values are
    // sorted and equidistant, else through an Akima spline at 1024 even steps, and transforms
    // them. Raises EMathError when a vector is missing.
    void Calculate() override;
    // The number of samples transformed.
    int Count() const { return FAmplitude->GetCount(); }
    // The frequency between neighbouring samples of the spectrum.
    double FrequencyStep() const { return FFrequencyStep; }
    // The frequency of sample k.
    double Frequency(int k) const { return k * FFrequencyStep; }
    // The amplitude spectrum.
    TQvDoubleVector* Amplitude() const { return FAmplitude.get(); }
    // The phase spectrum.
    TQvDoubleVector* Phase() const { return FPhase.get(); }

private:
    // An index vector without a transformation needs no look at its values.
    bool Equidistant(std::span<const double> X) const;

    double FFrequencyStep = 1;
    std::unique_ptr<TQvDoubleVector> FAmplitude, FPhase;
    TQvInterpolationCalculation FResampler;
    // Kept for the next calculation: data of one length take no fresh memory.
    QvFourier::TTransform FTransform;
    QvFourier::TComplexArray FSamples;
    TQvValueArray FX, FPhases;
};

// The amplitude spectrum of a series' data, with the phase spectrum as its child series Phase.
class TQvDiscreteFourier : public TQvFunctionSeries {
    Q_OBJECT
    Q_PROPERTY(TQvChildSeries* Phase READ GetPhase)
    Q_PROPERTY(TQvPointSymbolSettings* PointSymbol READ GetPointSymbol WRITE SetPointSymbol)
public:
    Q_INVOKABLE explicit TQvDiscreteFourier(TComponent* AOwner);
    ~TQvDiscreteFourier() override;

    TQvChildSeries* GetPhase() const { return FPhase; }
    const TQvDiscreteFourierCalculation& GetFourier() const { return FCalc; }
    // The frequency of sample k of the spectrum.
    double Frequency(int k) const { return FCalc.Frequency(k); }

    // Between the amplitudes of the two frequencies around X.
    double GetY(double X) const override;
    QString GetFormula() const override;
    void CalculateFunction() override;
    // The amplitudes at their frequencies, not a sampled curve.
    void CalculatePoints() override;
    void DrawSymbols(TGPGraphics* Graphics) override;
    // The index of the frequency hit.
    int FindPoint(float X, float Y, float Tolerance) const override;
    using TQvFunctionSeries::FindPoint;
    double ValueX(int k) const override;
    double ValueY(int k) const override;
    // The phases follow.
    void SetXAxis(TQvAxis* Value) override;
    void SetYAxis(TQvAxis* Value) override;
    void SetUndoStack(TQvUndoStack* Value) override;

protected:
    // The record of the phases is the own part of this series' record.
    void WriteOwnRecord(QIODevice* Stream) const override;
    TApplyRecord ReadOwnRecord(QIODevice* Stream) override;
    void WriteOwnRecord(IXMLNode Element) const override;
    TApplyRecord ReadOwnRecord(const IXMLNode& Element) override;
    void WriteOwnRecord(TCustomIniFile* Ini, const QString& Section) const override;
    TApplyRecord ReadOwnRecord(TCustomIniFile* Ini, const QString& Section) override;

private:
    // Changes of this series and its phases undone as one step.
    void InOneStep(const TResourceString& Caption, const std::function<void()>& Change);
    TApplyRecord AfterPhaseRead(TApplyRecord Inherited);

    TQvDiscreteFourierCalculation FCalc;
    TQvChildSeries* FPhase;
};
