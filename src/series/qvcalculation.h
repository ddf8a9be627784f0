#pragma once

// The calculation behind a function series: it reads the data vectors over a range of X and
// computes a model's parameters. Each analysis derives its own.

#include "axes/qvmath.h"
#include "series/qvseries.h"

class TQvCalculation : public QObject {
    Q_OBJECT
public:
    explicit TQvCalculation(TObject* TransformationSender = nullptr)
        : FTransformationSender(TransformationSender) {}

    // The points with raw X in Start .. Stop take part.
    double Start = -Qvmath::MaxDouble;
    double Stop = Qvmath::MaxDouble;
    TQvCustomDoubleVector* XData = nullptr;
    TQvCustomDoubleVector* YData = nullptr;
    TQvCustomDoubleVector* Weight = nullptr;
    bool OutliersVisible = false;
    TQvValueTransformation XValueTransformation, YValueTransformation, WeightValueTransformation;

    // Reads the same data as Other, over the same range, through the same transformations.
    void TakeInputsFrom(const TQvCalculation& Other);
    // The values of point i through the transformations.
    virtual double Xi(int i) const;
    // The Y value of point i through the transformation.
    virtual double Yi(int i) const;
    // |weight| of point i, 1 without weights.
    double Wi(int i) const;
    // Point i lies in the range, is no hidden outlier, and its values are finite.
    bool IsValid(int i) const;
    // The points that exist in every vector given.
    int PointCount() const;
    // Computes the parameters from the valid points; raises EMathError with SNoXVector,
    // SNoYVector or SNotEnoughPoints.
    virtual void Calculate() {}

protected:
    // Raises unless both vectors are set.
    void CheckVectors() const;

private:
    double Transformed(const TQvValueTransformation& Transformation, int i, double v) const;

    TObject* FTransformationSender;
};
