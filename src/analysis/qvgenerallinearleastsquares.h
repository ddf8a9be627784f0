#pragma once

// Linear least squares fits of y = sum of c_j phi_j(x), j = 0 .. Order, to the weighted data of
// a function series: the basis functions phi_j come from the application (BasisFunction) or
// are the powers of x (the polynomial). Coefficients, their standard deviations and the fit's
// statistics are properties and parser variables.

#include "series/qvcalculation.h"
#include "series/qvfunctionseries.h"
#include "series/qvrecordedseries.h"

#include <vector>

// What a basis function is asked for: the value of basis function Index at X.
struct TQvGeneralLinearFittingArgs {
    double X;
    int Index;
};
// phi_Index(X).
using TQvGeneralLinearFittingHandler =
    std::function<double(TObject* Sender, const TQvGeneralLinearFittingArgs& e)>;

// The fit of a linear combination of basis functions to weighted data, with its statistics.
class TQvCustomGeneralLinearLeastSquaresCalculation : public TQvCalculation {
    Q_OBJECT
public:
    explicit TQvCustomGeneralLinearLeastSquaresCalculation(TObject* TransformationSender = nullptr);

    int GetOrder() const { return FOrder; }
    // At least 0, for the polynomial at least 2; every coefficient starts again at 1.
    void SetOrder(int Value);
    // The basis is the powers of x, and needs no basis function.
    bool Polynomial = false;
    TQvGeneralLinearFittingHandler BasisFunction;
    // Passed to the basis function as Sender; set by the series before each calculation.
    TComponent* Owner = nullptr;

    std::vector<double> Coefficients, DeltaCoefficients;
    double AverageX = 1, AverageY = 1, VarianceX = 1, VarianceY = 1, r2 = 1, QRel = 1,
           SumOfResiduals = 1;

    // phi_j(x): the basis function's value, or x^j without one.
    double Basis(double x, int j) const;
    // The fitted function at x.
    double GetFnWithCoeffs(double x) const;
    // Raises EMathError for a missing vector or basis function, too few points (or exactly as
    // many as coefficients, two of them at one X) and dimensions the decomposition refuses.
    void Calculate() override;

private:
    int FOrder = 2;
};

// The calculation of the general linear least squares series.
class TQvGeneralLinearLeastSquaresCalculation
    : public TQvCustomGeneralLinearLeastSquaresCalculation {
    Q_OBJECT
public:
    using TQvCustomGeneralLinearLeastSquaresCalculation::
        TQvCustomGeneralLinearLeastSquaresCalculation;
};

// The base of the linear least squares series: Order + 1 coefficients and the fitted curve.
class TQvCustomGeneralLinearLeastSquares : public TQvRecordedSeries<TQvFunctionSeries> {
    Q_OBJECT
    Q_PROPERTY(int Order READ GetOrder WRITE SetOrder)
public:
    explicit TQvCustomGeneralLinearLeastSquares(TComponent* AOwner);
    ~TQvCustomGeneralLinearLeastSquares() override;

    int GetOrder() const { return FCalc.GetOrder(); }
    // Undoable; the series then needs Order + 1 points.
    void SetOrder(int Value);
    // Coefficient i and its standard deviation; beyond Order ERangeError, while designing 0.
    double GetCoeff(int i) const;
    double GetDeltaCoeff(int i) const;
    double GetAverageX() const { return FCalc.AverageX; }
    double GetAverageY() const { return FCalc.AverageY; }
    double GetVarianceX() const { return FCalc.VarianceX; }
    double GetVarianceY() const { return FCalc.VarianceY; }
    // The coefficient of determination r2.
    double Getr2() const { return FCalc.r2; }
    double GetQRel() const { return FCalc.QRel; }
    double GetSumOfResiduals() const { return FCalc.SumOfResiduals; }
    const TQvCustomGeneralLinearLeastSquaresCalculation& GetLeastSquares() const { return FCalc; }

    double GetY(double X) const override;
    void CalculateFunction() override;

protected:
    void VisitRecord(QvRecord::TRecord& R) override;
    // The XML node of the record.
    virtual const char* RecordNode() const = 0;
    double Element(const std::vector<double>& Values, int i) const;

    TQvGeneralLinearLeastSquaresCalculation FCalc;
};

// A fit to the application's basis functions.
class TQvGeneralLinearLeastSquares : public TQvCustomGeneralLinearLeastSquares {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQvGeneralLinearLeastSquares(TComponent* AOwner);

    const TQvGeneralLinearFittingHandler& GetBasisFunction() const { return FCalc.BasisFunction; }
    void SetBasisFunction(const TQvGeneralLinearFittingHandler& Value);
    QString GetFormula() const override;

protected:
    const char* RecordNode() const override { return "GeneralLinearLeastSquares"; }
};

// A polynomial of order 2 or more.
class TQvPolynomial : public TQvCustomGeneralLinearLeastSquares {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQvPolynomial(TComponent* AOwner);

    // Y=a+bX+cX², the terms after the fifth written as +...+.
    QString GetFormula() const override;

protected:
    const char* RecordNode() const override { return "Polynomial"; }
};
